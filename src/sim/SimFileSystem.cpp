#include "sim/SimFileSystem.h"

#include "platform/Failure.h"

namespace quendrix::sim {
namespace {

class SimOutputFile final : public platform::OutputFile {
public:
    explicit SimOutputFile(std::string& content) : content_(content) {}
    void write(std::string_view bytes) override {
        if (closed_) {
            throw platform::Failure("write to a closed file");
        }
        content_.append(bytes);
    }
    void close() override { closed_ = true; }

private:
    std::string& content_;
    bool closed_ = false;
};

}  // namespace

std::unique_ptr<platform::OutputFile> SimFileSystem::create(const std::string& path) {
    if (failing_.contains(path)) {
        throw platform::Failure("cannot create " + path);
    }
    auto& content = files_[path];
    content.clear();
    return std::make_unique<SimOutputFile>(content);
}

std::string SimFileSystem::readAll(const std::string& path) {
    const auto it = files_.find(path);
    if (it == files_.end() || failing_.contains(path)) {
        throw platform::Failure("cannot open " + path);
    }
    return it->second;
}

}  // namespace quendrix::sim
