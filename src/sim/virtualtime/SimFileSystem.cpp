#include "sim/virtualtime/SimFileSystem.h"

#include "platform/Failure.h"

namespace quendrix::sim {

class SimFileSystem::CreatedFile final : public platform::OutputFile {
public:
    CreatedFile(SimFileSystem& files, const std::string& path)
        : files_(files), path_(path), content_(files.files_[path]) {
        content_.clear();
    }
    void write(std::string_view bytes) override {
        if (closed_ || files_.unwritable_.contains(path_)) {
            throw platform::Failure("cannot write " + path_);
        }
        content_.append(bytes);
    }
    void close() override { closed_ = true; }

private:
    SimFileSystem& files_;
    std::string path_;
    std::string& content_;
    bool closed_ = false;
};

class SimFileSystem::ReplacingFile final : public platform::OutputFile {
public:
    ReplacingFile(SimFileSystem& files, const std::string& path) : files_(files), path_(path) {}
    void write(std::string_view bytes) override {
        if (state_ != State::Writing || files_.unwritable_.contains(path_)) {
            state_ = State::Failed;
            throw platform::Failure("cannot write " + path_);
        }
        content_.append(bytes);
    }
    void close() override {
        if (state_ != State::Writing || files_.uncommittable_.contains(path_)) {
            state_ = State::Failed;
            throw platform::Failure("cannot replace " + path_);
        }
        files_.files_[path_] = std::move(content_);
        state_ = State::Committed;
    }

private:
    enum class State { Writing, Failed, Committed };

    SimFileSystem& files_;
    std::string path_;
    std::string content_;
    State state_ = State::Writing;
};

std::unique_ptr<platform::OutputFile> SimFileSystem::create(const std::string& path) {
    if (failing_.contains(path)) {
        throw platform::Failure("cannot create " + path);
    }
    return std::make_unique<CreatedFile>(*this, path);
}

std::unique_ptr<platform::OutputFile> SimFileSystem::replace(const std::string& path) {
    if (failing_.contains(path)) {
        throw platform::Failure("cannot create a file beside " + path);
    }
    return std::make_unique<ReplacingFile>(*this, path);
}

std::string SimFileSystem::readAll(const std::string& path, std::size_t maxBytes) {
    const auto it = files_.find(path);
    if (it == files_.end() || failing_.contains(path)) {
        throw platform::Failure("cannot open " + path);
    }
    if (it->second.size() > maxBytes) {
        throw platform::Failure(path + " is too large");
    }
    return it->second;
}

}  // namespace quendrix::sim
