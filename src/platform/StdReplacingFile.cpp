#include "platform/StdReplacingFile.h"

#include <cerrno>
#include <random>
#include <string_view>
#include <system_error>

#include "platform/Failure.h"
#include "platform/PathText.h"

namespace quendrix::platform {
namespace {

namespace fs = std::filesystem;

constexpr int kNameAttempts = 16;
constexpr std::size_t kRandomLetters = 6;
constexpr std::size_t kAsideExtraBytes = 2 + kRandomLetters;  // the two dots

fs::path asideName(const fs::path& target, std::random_device& random) {
    constexpr std::string_view kLetters =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    std::uniform_int_distribution<std::size_t> pick(0, kLetters.size() - 1);
    fs::path name = "." + toText(target.filename()) + ".";
    for (std::size_t i = 0; i < kRandomLetters; ++i) {
        name += kLetters[pick(random)];
    }
    return name;
}

}  // namespace

StdReplacingFile::StdReplacingFile(const std::string& path) : target_(path, kAsideExtraBytes) {
    if (target_.inPlace()) {
        openInPlace();
    } else {
        createAside();
    }
}

StdReplacingFile::~StdReplacingFile() {
    if (!committed_) {
        discard();
    }
}

void StdReplacingFile::openInPlace() {
    file_.reset(target_.openInPlace());
    if (file_ == nullptr) {
        throw Failure("cannot write " + toText(target_.file()));
    }
}

void StdReplacingFile::createAside() {
    std::random_device random;
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        aside_ = target_.folder() / asideName(target_.file(), random);
        file_.reset(target_.createAside(aside_));
        if (file_ != nullptr) {
            try {
                target_.keepMetadata(SaveTarget::descriptor(file_.get()));
            } catch (const Failure&) {
                discard();
                throw;
            }
            return;
        }
        if (errno != EEXIST) {
            break;
        }
    }
    aside_.clear();
    discard();
    throw Failure("cannot create a file beside " + toText(target_.file()));
}

void StdReplacingFile::write(std::string_view bytes) {
    if (file_ == nullptr) {
        throw Failure("write to a closed file");
    }
    if (std::fwrite(bytes.data(), 1, bytes.size(), file_.get()) != bytes.size()) {
        failed_ = true;
        throw Failure("cannot write " + toText(target_.file()));
    }
}

void StdReplacingFile::close() {
    if (file_ == nullptr) {
        throw Failure("the file is closed already");
    }
    try {
        finish();
    } catch (const Failure&) {
        discard();
        throw;
    }
    committed_ = true;
}

void StdReplacingFile::finish() {
    if (failed_ || std::fflush(file_.get()) != 0) {
        throw Failure("cannot write " + toText(target_.file()));
    }
    SaveTarget::sync(SaveTarget::descriptor(file_.get()));
    if (std::fclose(file_.release()) != 0) {
        throw Failure("cannot write " + toText(target_.file()));
    }
    if (!aside_.empty()) {
        target_.replaceWith(aside_);
        aside_.clear();
    }
    if (!target_.inPlace() || !target_.existed()) {
        target_.syncFolder();
    }
}

// Written in place, what is written stays; a file made here is taken away again.
void StdReplacingFile::discard() noexcept {
    file_.reset();
    std::error_code ignored;
    if (!aside_.empty()) {
        fs::remove(aside_, ignored);
        aside_.clear();
    } else if (target_.inPlace() && !target_.existed() && !committed_) {
        fs::remove(target_.file(), ignored);
    }
}

}  // namespace quendrix::platform
