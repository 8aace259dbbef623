#pragma once

#include <QByteArray>
#include <QLocalSocket>
#include <QString>
#include <functional>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>

namespace quendrix::ctl {

// One connection to the program's control socket, used in turn: each request waits for its
// own reply, and the events that come meanwhile go to whoever asked for them.
class ControlConnection {
public:
    using Json = nlohmann::ordered_json;

    // False when nothing answers at `path`.
    bool open(const QString& path);
    // The reply to the request; nothing when the program closed the connection first.
    std::optional<Json> request(Json request);
    // Every line that comes, until the program closes the connection.
    void follow(const std::function<void(const std::string&)>& onLine);

private:
    std::optional<std::string> nextLine();

    QLocalSocket socket_;
    QByteArray buffer_;
    int nextId_ = 1;
};

}  // namespace quendrix::ctl
