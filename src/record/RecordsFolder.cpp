#include "record/RecordsFolder.h"

#include <cstdlib>

namespace quendrix::record {

namespace {

std::optional<std::filesystem::path> nonEmpty(const EnvironmentLookup& environment,
                                              const std::string& name) {
    auto value = environment(name);
    if (!value || value->empty()) {
        return std::nullopt;
    }
    return std::filesystem::path(*value);
}

}  // namespace

std::filesystem::path recordsFolder(const EnvironmentLookup& environment) {
    const std::filesystem::path tail = std::filesystem::path("quendrix") / "runs";
#ifdef _WIN32
    if (auto local = nonEmpty(environment, "LOCALAPPDATA")) {
        return *local / tail;
    }
#endif
    // A relative XDG_DATA_HOME is invalid and ignored, as the base directory rules say.
    if (auto data = nonEmpty(environment, "XDG_DATA_HOME"); data && data->is_absolute()) {
        return *data / tail;
    }
    if (auto home = nonEmpty(environment, "HOME")) {
        return *home / ".local" / "share" / tail;
    }
    return {};
}

std::filesystem::path recordsFolder() {
    return recordsFolder([](const std::string& name) -> std::optional<std::string> {
        // The environment is read once, on the one thread, before anything can change it.
        // NOLINTNEXTLINE(concurrency-mt-unsafe)
        if (const char* value = std::getenv(name.c_str())) {
            return std::string(value);
        }
        return std::nullopt;
    });
}

}  // namespace quendrix::record
