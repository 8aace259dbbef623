#include "platform/StdFileSystem.h"

#include <array>
#include <cerrno>
#include <fstream>
#include <system_error>

#include "platform/Failure.h"
#include "platform/PathText.h"
#include "platform/StdReplacingFile.h"

namespace quendrix::platform {
namespace {

class StdOutputFile final : public OutputFile {
public:
    explicit StdOutputFile(const std::string& path) : path_(path), stream_(openStream(path)) {
        if (!stream_) {
            throw Failure("cannot create " + path_ + ": " + reason_);
        }
    }

    void write(std::string_view bytes) override {
        // Flushed at once: a run log must hold every entry even if the program dies.
        stream_.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        stream_.flush();
        if (!stream_) {
            throw Failure("cannot write " + path_);
        }
    }

    void close() override {
        stream_.close();
        if (!stream_) {
            throw Failure("cannot close " + path_);
        }
    }

private:
    // The stream keeps no reason of its own; the system's is kept before anything else can
    // overwrite it.
    std::ofstream openStream(const std::string& path) {
        errno = 0;
        std::ofstream stream(toPath(path), std::ios::binary | std::ios::trunc);
        if (!stream) {
            reason_ = errno != 0 ? std::generic_category().message(errno) : "unknown reason";
        }
        return stream;
    }

    std::string path_;
    std::string reason_;
    std::ofstream stream_;
};

}  // namespace

std::unique_ptr<OutputFile> StdFileSystem::create(const std::string& path) {
    return std::make_unique<StdOutputFile>(path);
}

std::unique_ptr<OutputFile> StdFileSystem::replace(const std::string& path) {
    return std::make_unique<StdReplacingFile>(path);
}

std::string StdFileSystem::readAll(const std::string& path, std::size_t maxBytes) {
    std::ifstream stream(toPath(path), std::ios::binary);
    if (!stream) {
        throw Failure("cannot open " + path);
    }
    // In pieces, so that a file that is too large (or endless) is refused before it fills
    // the memory.
    std::string content;
    std::array<char, 65536> piece{};
    while (stream.read(piece.data(), static_cast<std::streamsize>(piece.size())) ||
           stream.gcount() > 0) {
        content.append(piece.data(), static_cast<std::size_t>(stream.gcount()));
        if (content.size() > maxBytes) {
            throw Failure(path + " is too large");
        }
    }
    if (stream.bad()) {
        throw Failure("cannot read " + path);
    }
    return content;
}

}  // namespace quendrix::platform
