#include "control/Replies.h"

namespace quendrix::control {
namespace {

using json = nlohmann::ordered_json;

std::string line(const json& object) {
    return object.dump(-1, ' ', false, json::error_handler_t::replace) + "\n";
}

// The leading members first, then the others in the order the library keeps them.
json withLeading(json leading, json fields) {
    for (auto& [key, value] : fields.items()) {
        leading[key] = std::move(value);
    }
    return leading;
}

}  // namespace

std::string Replies::ok(const json& id, json fields) {
    return line(withLeading(json{{"id", id}, {"ok", true}}, std::move(fields)));
}

std::string Replies::error(const json& id, std::string_view message) {
    return line(json{{"id", id}, {"ok", false}, {"error", message}});
}

std::string Replies::event(std::string_view name, std::string_view time, json fields) {
    return line(withLeading(json{{"event", name}, {"time", time}}, std::move(fields)));
}

}  // namespace quendrix::control
