#include "qt/QtFileSystem.h"

#include "qt/QtReplacingFile.h"

namespace quendrix::qt {

std::unique_ptr<platform::OutputFile> QtFileSystem::create(const std::string& path) {
    return files_.create(path);
}

std::unique_ptr<platform::OutputFile> QtFileSystem::replace(const std::string& path) {
    return std::make_unique<QtReplacingFile>(path);
}

std::string QtFileSystem::readAll(const std::string& path, std::size_t maxBytes) {
    return files_.readAll(path, maxBytes);
}

}  // namespace quendrix::qt
