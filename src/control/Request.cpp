#include "control/Request.h"

#include <array>
#include <cmath>
#include <utility>

namespace quendrix::control {
namespace {

using json = nlohmann::ordered_json;

// The longest wait a client may ask for: a day, in the range of a timer's interval.
constexpr double kLongestTimeoutSeconds = 24.0 * 60 * 60;

struct CommandName {
    std::string_view name;
    Command command;
};

constexpr std::array<CommandName, 11> kCommands{{
    {"status", Command::Status},
    {"load", Command::Load},
    {"save", Command::Save},
    {"run", Command::Run},
    {"step", Command::Step},
    {"end", Command::End},
    {"wait", Command::Wait},
    {"send", Command::Send},
    {"query", Command::Query},
    {"answer", Command::Answer},
    {"events", Command::Events},
}};

class Invalid {
public:
    explicit Invalid(std::string text) : message(std::move(text)) {}
    std::string message;
};

const json* member(const json& object, const char* name) {
    const auto it = object.find(name);
    return it == object.end() ? nullptr : &*it;
}

Command commandOf(const json& object) {
    const json* cmd = member(object, "cmd");
    if (cmd == nullptr || !cmd->is_string()) {
        throw Invalid("\"cmd\" must be a text naming the request");
    }
    const auto& name = cmd->get_ref<const std::string&>();
    for (const auto& entry : kCommands) {
        if (entry.name == name) {
            return entry.command;
        }
    }
    throw Invalid("unknown request \"" + name + "\"");
}

std::string pathOf(const json& object) {
    const json* path = member(object, "path");
    if (path == nullptr || !path->is_string() || path->get_ref<const std::string&>().empty()) {
        throw Invalid("\"path\" must be a file name");
    }
    const auto& text = path->get_ref<const std::string&>();
    if (text.find('\0') != std::string::npos) {
        throw Invalid("\"path\" must not hold a NUL character");
    }
    return text;
}

bool overwriteOf(const json& object) {
    const json* overwrite = member(object, "overwrite");
    if (overwrite == nullptr) {
        return false;
    }
    if (!overwrite->is_boolean()) {
        throw Invalid("\"overwrite\" must be true or false");
    }
    return overwrite->get<bool>();
}

std::optional<std::chrono::milliseconds> timeoutOf(const json& object) {
    const json* timeout = member(object, "timeout");
    if (timeout == nullptr || timeout->is_null()) {
        return std::nullopt;
    }
    const double seconds = timeout->is_number() ? timeout->get<double>() : -1.0;
    if (!(seconds >= 0.0 && seconds <= kLongestTimeoutSeconds)) {
        throw Invalid("\"timeout\" must be a number of seconds from 0 to 86400");
    }
    return std::chrono::milliseconds(std::llround(seconds * 1000.0));
}

int addressOf(const json& object) {
    const json* address = member(object, "address");
    if (address == nullptr || !address->is_number_integer() || address->get<long long>() < 0 ||
        address->get<long long>() > 9) {
        throw Invalid("\"address\" must be a controller address from 0 to 9");
    }
    return address->get<int>();
}

// Controller commands are printable ASCII; anything else could not be typed into the box.
std::string commandTextOf(const json& object) {
    const json* text = member(object, "command");
    if (text == nullptr || !text->is_string() || text->get_ref<const std::string&>().empty()) {
        throw Invalid("\"command\" must be the command text, such as \"ZR\"");
    }
    const auto& command = text->get_ref<const std::string&>();
    for (const char c : command) {
        if (c < ' ' || c > '~') {
            throw Invalid("\"command\" must be printable ASCII");
        }
    }
    return command;
}

json idOf(const json& object) {
    const json* id = member(object, "id");
    if (id == nullptr) {
        return nullptr;
    }
    if (!id->is_number() && !id->is_string()) {
        throw Invalid("\"id\" must be a number or a text");
    }
    return *id;
}

Request requestOf(const json& object) {
    Request request;
    request.command = commandOf(object);
    switch (request.command) {
        case Command::Load:
            request.path = pathOf(object);
            break;
        case Command::Save:
            request.path = pathOf(object);
            request.overwrite = overwriteOf(object);
            break;
        case Command::Wait:
            request.timeout = timeoutOf(object);
            break;
        case Command::Send:
            request.address = addressOf(object);
            request.text = commandTextOf(object);
            break;
        case Command::Query:
            request.address = addressOf(object);
            break;
        case Command::Status:
        case Command::Run:
        case Command::Step:
        case Command::End:
        case Command::Answer:
        case Command::Events:
            break;
    }
    return request;
}

}  // namespace

std::variant<Request, RequestError> parseRequest(std::string_view line) {
    if (line.size() > kLineLimit) {
        return RequestError{nullptr, "the line is longer than 65536 bytes"};
    }
    const json object = json::parse(line, nullptr, false);
    if (object.is_discarded()) {
        return RequestError{nullptr, "the line is not JSON"};
    }
    if (!object.is_object()) {
        return RequestError{nullptr, "a request is a JSON object"};
    }
    json id;
    try {
        id = idOf(object);
        Request request = requestOf(object);
        request.id = std::move(id);
        return request;
    } catch (const Invalid& invalid) {
        return RequestError{std::move(id), invalid.message};
    }
}

}  // namespace quendrix::control
