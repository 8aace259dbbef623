#pragma once

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include <cstddef>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>

namespace quendrix::platform {

// The file a save writes and the way it writes it, decided before anything is written.
// Symbolic links are followed, dangling ones included: the link stays a link and the file it
// names gets the content. The new content normally goes to a temporary beside the file,
// which takes the file's place by a rename once it is complete and synced. It is written
// into the file itself instead where a rename would lose something or cannot be done: a
// file with more than one hard link, a name too long for the temporary's, a folder the
// process may not write, an old file whose owner and group the process cannot give a
// replacement. A file the process may not write, or that nobody may write, is refused,
// as is anything but a regular file.
// On Windows, links are not followed; the file is written in place where it has more than one
// hard link or a name too long for the temporary's, and the replacement keeps the old file's
// attributes and security through ReplaceFileW.
class SaveTarget {
public:
    // The temporary's name is the file's name and nameExtraBytes more. Throws Failure when
    // the file is refused.
    SaveTarget(const std::string& path, std::size_t nameExtraBytes);

    const std::filesystem::path& file() const { return file_; }
    std::filesystem::path folder() const {
        return file_.has_parent_path() ? file_.parent_path() : std::filesystem::path(".");
    }
    bool existed() const { return existed_; }
    bool inPlace() const { return inPlace_; }

    // The file itself, emptied, in binary mode; nullptr when it cannot be opened.
    std::FILE* openInPlace() const;
    // A new file `aside` in binary mode, that nobody else may read until keepMetadata; nullptr
    // when it cannot be made, with errno EEXIST when the name is taken.
    std::FILE* createAside(const std::filesystem::path& aside) const;
    // Puts the complete, synced aside in the file's place; throws Failure.
    void replaceWith(const std::filesystem::path& aside) const;
    static int descriptor(std::FILE* file);

    // Gives a replacement the old file's owner and group, where the process may, and then
    // its exact mode (a change of owner may clear the set-id bits). Throws Failure.
    void keepMetadata(int descriptor) const;
    // The file's data and size on the disk; throws Failure when they may not be.
    static void sync(int descriptor);
    // After a new name was made in the folder: the name on the disk. Throws Failure.
    void syncFolder() const;

private:
    std::filesystem::path file_;
    bool existed_ = false;
    bool inPlace_ = false;
#ifndef _WIN32
    bool mayReplace() const;
    std::optional<struct stat> old_;
#endif
};

}  // namespace quendrix::platform
