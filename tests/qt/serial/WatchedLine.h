#pragma once

#include <string_view>

#include "platform/SerialLine.h"

namespace quendrix::qt::test {

// Passes everything between a serial line and its receiver through, counting the opens and
// closes the receiver asks for and the losses the line reports.
class WatchedLine final : public platform::SerialLine, private platform::SerialLineReceiver {
public:
    explicit WatchedLine(platform::SerialLine& line) : line_(line) {}
    ~WatchedLine() override { line_.setReceiver(nullptr); }
    WatchedLine(const WatchedLine&) = delete;
    WatchedLine& operator=(const WatchedLine&) = delete;

    void open(int port, const platform::LineSettings& settings) override {
        line_.open(port, settings);
        ++opens;
    }
    void close() override {
        ++closes;
        line_.close();
    }
    void write(std::string_view bytes) override { line_.write(bytes); }
    void setReceiver(platform::SerialLineReceiver* receiver) override {
        receiver_ = receiver;
        line_.setReceiver(receiver != nullptr ? this : nullptr);
    }

    int opens = 0;
    int closes = 0;
    int linesLost = 0;

private:
    void onBytes(std::string_view bytes) override { receiver_->onBytes(bytes); }
    void onLineLost() override {
        ++linesLost;
        receiver_->onLineLost();
    }

    platform::SerialLine& line_;
    platform::SerialLineReceiver* receiver_ = nullptr;
};

}  // namespace quendrix::qt::test
