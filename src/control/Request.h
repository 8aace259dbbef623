#pragma once

#include <chrono>
#include <cstddef>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace quendrix::control {

// The longest request line a client may send, its newline excluded.
inline constexpr std::size_t kLineLimit = 64 * 1024;

enum class Command { Status, Load, Save, Run, Step, End, Wait, Send, Query, Answer, Events };

// One request line, checked: every member the command needs is there and of its kind.
// Members a command does not use are ignored.
struct Request {
    nlohmann::ordered_json id;  // a number or a text, given back in the reply; null when absent
    Command command = Command::Status;
    std::string path;                                  // load, save
    bool overwrite = false;                            // save
    std::optional<std::chrono::milliseconds> timeout;  // wait; none waits for ever
    int address = 0;                                   // send, query
    std::string text;                                  // send: the command after the address
};

// A line that is no request, with the id it gave if it gave one.
struct RequestError {
    nlohmann::ordered_json id;
    std::string message;
};

// Never throws: malformed JSON, a member of the wrong kind and an unknown command all come
// back as a RequestError.
std::variant<Request, RequestError> parseRequest(std::string_view line);

}  // namespace quendrix::control
