#include "platform/SaveTarget.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <system_error>
#include <vector>

#include "platform/Failure.h"
#include "platform/PathText.h"

namespace quendrix::platform {
namespace {

namespace fs = std::filesystem;

constexpr int kMaxLinks = 40;  // as the kernel follows them

std::string reason(const fs::path& path) {
    return path.string() + ": " + std::strerror(errno);
}

fs::path followLinks(fs::path path) {
    for (int hop = 0; hop < kMaxLinks; ++hop) {
        struct stat info {};
        if (::lstat(path.c_str(), &info) != 0) {
            if (errno == ENOENT) {
                return path;
            }
            throw Failure("cannot look at " + reason(path));
        }
        if (!S_ISLNK(info.st_mode)) {
            return path;
        }
        std::error_code error;
        const fs::path target = fs::read_symlink(path, error);
        if (error) {
            throw Failure("cannot read the link " + path.string() + ": " + error.message());
        }
        path = target.is_absolute() ? target : path.parent_path() / target;
    }
    throw Failure("too many symbolic links: " + path.string());
}

bool mayWrite(const fs::path& path, int how) {
    return ::faccessat(AT_FDCWD, path.c_str(), how, AT_EACCESS) == 0;
}

bool isOwnGroup(gid_t group) {
    std::vector<gid_t> groups(static_cast<std::size_t>(std::max(::getgroups(0, nullptr), 0)));
    groups.resize(static_cast<std::size_t>(
        std::max(::getgroups(static_cast<int>(groups.size()), groups.data()), 0)));
    return group == ::getegid() || std::ranges::find(groups, group) != groups.end();
}

std::size_t nameMax(const fs::path& folder) {
    const long max = ::pathconf(folder.c_str(), _PC_NAME_MAX);
    return max > 0 ? static_cast<std::size_t>(max) : NAME_MAX;
}

}  // namespace

SaveTarget::SaveTarget(const std::string& path, std::size_t nameExtraBytes)
    : file_(followLinks(toPath(path))) {
    if (!file_.has_filename()) {
        throw Failure("not a file name: " + path);
    }
    struct stat info {};
    if (::stat(file_.c_str(), &info) == 0) {
        if (!S_ISREG(info.st_mode)) {
            throw Failure(file_.string() + " is not a file");
        }
        // No write permission for anyone means read-only, for root too.
        if ((info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0 || !mayWrite(file_, W_OK)) {
            throw Failure(file_.string() + " is read-only");
        }
        old_ = info;
        existed_ = true;
    }
    const bool nameTooLong = file_.filename().string().size() + nameExtraBytes > nameMax(folder());
    inPlace_ = nameTooLong || (old_ && !mayReplace());
}

// Not where it would split hard links, where the folder takes no new name from the process
// (nor a rename over someone else's file, when the folder is sticky), nor where the owner
// and group would be lost.
bool SaveTarget::mayReplace() const {
    const bool mayGiveOwner =
        ::geteuid() == 0 || (old_->st_uid == ::geteuid() && isOwnGroup(old_->st_gid));
    return old_->st_nlink == 1 && mayGiveOwner && mayWrite(folder(), W_OK | X_OK);
}

std::FILE* SaveTarget::openInPlace() const {
    return std::fopen(file_.c_str(), "wb");
}

std::FILE* SaveTarget::createAside(const fs::path& aside) const {
    // Until it has the old file's mode, nobody else may read the aside.
    const mode_t mode = existed_ ? 0600 : 0666;
    const int descriptor = ::open(aside.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
    if (descriptor < 0) {
        return nullptr;
    }
    std::FILE* file = ::fdopen(descriptor, "wb");
    if (file == nullptr) {
        ::close(descriptor);
        std::error_code ignored;
        fs::remove(aside, ignored);
    }
    return file;
}

void SaveTarget::replaceWith(const fs::path& aside) const {
    std::error_code error;
    fs::rename(aside, file_, error);
    if (error) {
        throw Failure("cannot replace " + file_.string() + ": " + error.message());
    }
}

int SaveTarget::descriptor(std::FILE* file) {
    return ::fileno(file);
}

void SaveTarget::keepMetadata(int descriptor) const {
    if (!old_) {
        return;
    }
    if (::fchown(descriptor, old_->st_uid, old_->st_gid) != 0 && errno != EPERM) {
        throw Failure("cannot keep the owner of " + reason(file_));
    }
    if (::fchmod(descriptor, old_->st_mode & 07777) != 0) {
        throw Failure("cannot keep the mode of " + reason(file_));
    }
}

void SaveTarget::sync(int descriptor) {
    if (::fsync(descriptor) != 0) {
        throw Failure(std::string("cannot sync a file: ") + std::strerror(errno));
    }
}

// A folder the process may not open cannot be synced by it; a file system that cannot sync
// folders says EINVAL. Neither makes the save a failure.
void SaveTarget::syncFolder() const {
    const int descriptor = ::open(folder().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor < 0) {
        return;
    }
    const bool synced = ::fsync(descriptor) == 0 || errno == EINVAL;
    const int error = errno;
    ::close(descriptor);
    if (!synced) {
        errno = error;
        throw Failure("cannot sync the folder " + reason(folder()));
    }
}

}  // namespace quendrix::platform
