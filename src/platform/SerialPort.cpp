#include "platform/SerialPort.h"

#include <algorithm>
#include <cstddef>
#include <string>

#include "platform/Failure.h"

namespace quendrix::platform {

SerialPort::SerialPort(SerialLine& line) : line_(line) {
    line_.setReceiver(this);
}

SerialPort::~SerialPort() {
    line_.setReceiver(nullptr);
    if (open_) {
        line_.close();
    }
}

void SerialPort::setCommPort(std::int16_t port) {
    if (open_) {
        throw Failure("the port number cannot change while the port is open");
    }
    if (port < 1) {
        throw Failure("invalid port number " + std::to_string(port));
    }
    commPort_ = port;
}

void SerialPort::setSettings(std::string_view text) {
    settings_ = LineSettings::parse(text);
    settingsText_ = std::string(text);
}

void SerialPort::setRThreshold(int characters) {
    if (characters < 0) {
        throw Failure("invalid receive threshold");
    }
    rThreshold_ = characters;
}

void SerialPort::setInputLen(int characters) {
    if (characters < 0) {
        throw Failure("invalid input length");
    }
    inputLen_ = characters;
}

void SerialPort::setPortOpen(bool open) {
    if (open == open_) {
        if (open) {
            throw Failure("the port is already open");
        }
        return;
    }
    if (open) {
        received_.clear();
        line_.open(commPort_, settings_);
        open_ = true;
    } else {
        open_ = false;
        received_.clear();
        line_.close();
    }
}

void SerialPort::requireOpen(const char* operation) const {
    if (!open_) {
        throw Failure(std::string(operation) + " needs an open port");
    }
}

void SerialPort::Output(std::string_view bytes) {
    requireOpen("Output");
    line_.write(bytes);
    onWritten.notify(bytes);
}

std::string SerialPort::Input() {
    requireOpen("Input");
    const std::size_t count = inputLen_ == 0
                                  ? received_.size()
                                  : std::min(received_.size(), static_cast<std::size_t>(inputLen_));
    std::string characters(received_.begin(),
                           received_.begin() + static_cast<std::ptrdiff_t>(count));
    received_.erase(received_.begin(), received_.begin() + static_cast<std::ptrdiff_t>(count));
    return characters;
}

void SerialPort::onBytes(std::string_view bytes) {
    if (!open_) {
        return;
    }
    received_.insert(received_.end(), bytes.begin(), bytes.end());
    onReceived.notify(bytes);
    announce();
}

void SerialPort::announce() {
    // Announcing again from inside a handler would deliver characters out of order.
    if (announcing_) {
        return;
    }
    announcing_ = true;
    while (open_ && rThreshold_ > 0 && OnComm.hasObservers() &&
           received_.size() >= static_cast<std::size_t>(rThreshold_)) {
        const std::size_t before = received_.size();
        OnComm.notify();
        if (received_.size() >= before) {
            break;  // the handler took nothing; it will be told again with the next character
        }
    }
    announcing_ = false;
}

void SerialPort::onLineLost() {
    // The device is gone: close once, and carry on as with a controller that stays silent.
    // The next send opens the port again.
    if (open_) {
        setPortOpen(false);
    }
}

}  // namespace quendrix::platform
