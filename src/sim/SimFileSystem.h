#pragma once

#include <map>
#include <set>
#include <string>

#include "platform/FileSystem.h"

namespace quendrix::sim {

// Files in memory. A path marked as failing can be neither created nor read.
class SimFileSystem final : public platform::FileSystem {
public:
    std::unique_ptr<platform::OutputFile> create(const std::string& path) override;
    std::string readAll(const std::string& path) override;

    bool exists(const std::string& path) const { return files_.contains(path); }
    const std::string& content(const std::string& path) const { return files_.at(path); }
    void put(const std::string& path, std::string content) { files_[path] = std::move(content); }
    void makeFailing(const std::string& path) { failing_.insert(path); }

private:
    std::map<std::string, std::string> files_;
    std::set<std::string> failing_;
};

}  // namespace quendrix::sim
