#include "record/Manifest.h"

#include <nlohmann/json.hpp>

namespace quendrix::record {
namespace {

using Json = nlohmann::ordered_json;

template <typename T>
Json orNull(const std::optional<T>& value) {
    return value ? Json(*value) : Json(nullptr);
}

Json settingsJson(const std::vector<Manifest::Setting>& settings) {
    Json sections = Json::object();
    for (const auto& setting : settings) {
        sections[setting.section][setting.key] = setting.text;
    }
    return sections;
}

}  // namespace

std::string manifestJson(const Manifest& m) {
    Json json;
    json["format"] = 1;
    json["program"] = m.program;
    json["version"] = m.version;
    json["mode"] = m.mode;
    json["outcome"] = m.outcome;
    json["complete"] = !m.incomplete.has_value();
    if (m.incomplete) {
        json["incomplete"] = *m.incomplete;
    }
    json["start"] = m.start;
    json["end"] = orNull(m.end);
    json["clock"] = m.virtualClock ? "virtual" : "wall";
    json["protocol"] = {{"path", orNull(m.protocolPath)},
                        {"sha256", orNull(m.protocolSha256)},
                        {"recordSha256", m.recordSha256}};
    json["port"] = {{"number", m.portNumber}, {"device", m.portDevice}};
    json["settings"] = settingsJson(m.settings);
    json["rowsExecuted"] = m.rowsExecuted;
    json["commandsSent"] = m.commandsSent;
    Json counters = Json::object();
    for (const auto& [name, value] : m.counters) {
        counters[name] = value;
    }
    json["counters"] = counters;
    json["lastRow"] = orNull(m.lastRow);
    json["host"] = m.host;
    json["pid"] = m.pid;
    // A text that is no UTF-8 after all is mended rather than lose the manifest.
    return json.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}

}  // namespace quendrix::record
