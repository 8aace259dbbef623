#pragma once

#include <map>
#include <set>
#include <string>

#include "platform/FileSystem.h"

namespace quendrix::sim {

// Files in memory. A path marked as failing can be neither created nor read; writes to an
// unwritable path fail (a full disk); a new content for an uncommittable path cannot take
// the old one's place.
class SimFileSystem final : public platform::FileSystem {
public:
    std::unique_ptr<platform::OutputFile> create(const std::string& path) override;
    std::unique_ptr<platform::OutputFile> replace(const std::string& path) override;
    std::string readAll(const std::string& path, std::size_t maxBytes) override;

    bool exists(const std::string& path) const { return files_.contains(path); }
    const std::string& content(const std::string& path) const { return files_.at(path); }
    void put(const std::string& path, std::string content) { files_[path] = std::move(content); }
    void makeFailing(const std::string& path) { failing_.insert(path); }
    void makeUnwritable(const std::string& path) { unwritable_.insert(path); }
    void makeUncommittable(const std::string& path) { uncommittable_.insert(path); }

private:
    class CreatedFile;
    class ReplacingFile;

    std::map<std::string, std::string> files_;
    std::set<std::string> failing_;
    std::set<std::string> unwritable_;
    std::set<std::string> uncommittable_;
};

}  // namespace quendrix::sim
