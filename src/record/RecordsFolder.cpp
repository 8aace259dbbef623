#include "record/RecordsFolder.h"

#include <cstdlib>

#include "platform/PathText.h"

namespace quendrix::record {

namespace {

std::optional<std::filesystem::path> nonEmpty(const EnvironmentLookup& environment,
                                              const std::string& name) {
    auto value = environment(name);
    if (!value || value->empty()) {
        return std::nullopt;
    }
    return platform::toPath(*value);
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
#ifdef _WIN32
        // The wide environment, as the narrow one would lose a profile folder outside the
        // ANSI code page.
        const std::wstring wide(name.begin(), name.end());
        if (const wchar_t* value = _wgetenv(wide.c_str())) {
            return platform::toText(std::filesystem::path(value));
        }
#else
        // NOLINTNEXTLINE(concurrency-mt-unsafe)
        if (const char* value = std::getenv(name.c_str())) {
            return std::string(value);
        }
#endif
        return std::nullopt;
    });
}

}  // namespace quendrix::record
