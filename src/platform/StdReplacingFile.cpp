#include "platform/StdReplacingFile.h"

#include <cerrno>
#include <random>
#include <string_view>
#include <system_error>

#include "platform/Failure.h"

namespace quendrix::platform {
namespace {

namespace fs = std::filesystem;

constexpr int kNameAttempts = 16;

fs::path resolved(const std::string& path) {
    std::error_code error;
    if (fs::is_symlink(path, error)) {
        fs::path target = fs::canonical(path, error);
        if (!error) {
            return target;
        }
    }
    return path;
}

std::string asideName(const fs::path& target, std::random_device& random) {
    constexpr std::string_view kLetters =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    std::uniform_int_distribution<std::size_t> pick(0, kLetters.size() - 1);
    std::string name = "." + target.filename().string() + ".";
    for (int i = 0; i < 6; ++i) {
        name += kLetters[pick(random)];
    }
    return name;
}

}  // namespace

StdReplacingFile::StdReplacingFile(const std::string& path) : target_(resolved(path)) {
    if (!target_.has_filename()) {
        throw Failure("not a file name: " + path);
    }
    createAside();
    std::error_code error;
    const fs::file_status old = fs::status(target_, error);
    if (fs::is_regular_file(old)) {
        fs::permissions(aside_, old.permissions(), error);
    }
}

StdReplacingFile::~StdReplacingFile() {
    if (!committed_) {
        discard();
    }
}

void StdReplacingFile::createAside() {
    std::random_device random;
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        aside_ = target_.parent_path() / asideName(target_, random);
        errno = 0;
        // "x": created here and now, never an existing file of the same name.
        file_.reset(std::fopen(aside_.string().c_str(), "wbx"));
        if (file_ != nullptr) {
            return;
        }
        if (errno != EEXIST) {
            break;
        }
    }
    aside_.clear();
    throw Failure("cannot create a file beside " + target_.string());
}

void StdReplacingFile::write(std::string_view bytes) {
    if (file_ == nullptr) {
        throw Failure("write to a closed file");
    }
    if (std::fwrite(bytes.data(), 1, bytes.size(), file_.get()) != bytes.size()) {
        failed_ = true;
        throw Failure("cannot write " + target_.string());
    }
}

void StdReplacingFile::close() {
    if (file_ == nullptr) {
        throw Failure("the file is closed already");
    }
    const bool flushed = !failed_ && std::fflush(file_.get()) == 0;
    const bool closed = std::fclose(file_.release()) == 0;
    if (!flushed || !closed) {
        discard();
        throw Failure("cannot write " + target_.string());
    }
    std::error_code error;
    fs::rename(aside_, target_, error);
    if (error) {
        discard();
        throw Failure("cannot replace " + target_.string() + ": " + error.message());
    }
    committed_ = true;
}

void StdReplacingFile::discard() noexcept {
    file_.reset();
    if (!aside_.empty()) {
        std::error_code ignored;
        fs::remove(aside_, ignored);
        aside_.clear();
    }
}

}  // namespace quendrix::platform
