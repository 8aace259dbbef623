#pragma once

#include <nlohmann/json.hpp>
#include <string>
#include <string_view>

namespace quendrix::control {

// The lines the program writes to a client, each one JSON object ending in a newline. Texts
// that are not UTF-8 (a file name in another encoding) have their stray bytes replaced, so
// that every line is valid JSON.
struct Replies {
    // {"id": 7, "ok": true, ...fields}
    static std::string ok(const nlohmann::ordered_json& id,
                          nlohmann::ordered_json fields = nlohmann::ordered_json::object());
    // {"id": 7, "ok": false, "error": "..."}
    static std::string error(const nlohmann::ordered_json& id, std::string_view message);
    // {"event": "row", "time": "...", ...fields}
    static std::string event(std::string_view name, std::string_view time,
                             nlohmann::ordered_json fields = nlohmann::ordered_json::object());
};

}  // namespace quendrix::control
