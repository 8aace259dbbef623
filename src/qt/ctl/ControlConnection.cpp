#include "qt/ctl/ControlConnection.h"

namespace quendrix::ctl {
namespace {

constexpr int kConnectMs = 3000;

}  // namespace

bool ControlConnection::open(const QString& path) {
    socket_.connectToServer(path);
    return socket_.waitForConnected(kConnectMs);
}

std::optional<ControlConnection::Json> ControlConnection::request(Json request) {
    const int id = nextId_++;
    request["id"] = id;
    socket_.write(QByteArray::fromStdString(request.dump() + "\n"));
    while (const auto line = nextLine()) {
        Json reply = Json::parse(*line, nullptr, false);
        if (reply.is_object() && reply.contains("ok") && reply.value("id", Json()) == id) {
            return reply;
        }
        if (reply.is_object() && reply.contains("ok") && reply["id"].is_null()) {
            return reply;  // the program could not read the request, or refused the client
        }
    }
    return std::nullopt;
}

void ControlConnection::follow(const std::function<void(const std::string&)>& onLine) {
    while (const auto line = nextLine()) {
        onLine(*line);
    }
}

// This program has nothing else to do, so it blocks until the line is complete.
std::optional<std::string> ControlConnection::nextLine() {
    for (;;) {
        if (const qsizetype end = buffer_.indexOf('\n'); end >= 0) {
            std::string line = buffer_.left(end).toStdString();
            buffer_.remove(0, end + 1);
            return line;
        }
        if (socket_.state() != QLocalSocket::ConnectedState && socket_.bytesAvailable() == 0) {
            return std::nullopt;
        }
        if (socket_.bytesAvailable() == 0 && !socket_.waitForReadyRead(-1) &&
            socket_.bytesAvailable() == 0) {
            return std::nullopt;
        }
        buffer_ += socket_.readAll();
    }
}

}  // namespace quendrix::ctl
