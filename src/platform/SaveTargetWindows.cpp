#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>

#include <system_error>

#include "platform/Failure.h"
#include "platform/PathText.h"
#include "platform/SaveTarget.h"

namespace quendrix::platform {
namespace {

namespace fs = std::filesystem;

// UTF-16 units in one name, on NTFS and FAT alike.
constexpr std::size_t kNameMax = 255;

std::string lastError() {
    return std::system_category().message(static_cast<int>(::GetLastError()));
}

// How many names the file has, or nullopt when it may not be written: it has the read-only
// attribute, which binds administrators too, or its security refuses the process.
std::optional<DWORD> writableLinks(const fs::path& file) {
    const DWORD attributes = ::GetFileAttributesW(file.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_READONLY) != 0) {
        return std::nullopt;
    }
    const HANDLE handle = ::CreateFileW(file.c_str(), GENERIC_WRITE,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                        nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        return std::nullopt;
    }
    BY_HANDLE_FILE_INFORMATION info{};
    const bool known = ::GetFileInformationByHandle(handle, &info) != 0;
    ::CloseHandle(handle);
    return known ? info.nNumberOfLinks : 1;
}

}  // namespace

SaveTarget::SaveTarget(const std::string& path, std::size_t nameExtraBytes) : file_(toPath(path)) {
    if (!file_.has_filename()) {
        throw Failure("not a file name: " + path);
    }
    std::error_code error;
    const fs::file_status status = fs::status(file_, error);
    DWORD links = 1;
    if (fs::exists(status)) {
        if (!fs::is_regular_file(status)) {
            throw Failure(path + " is not a file");
        }
        const std::optional<DWORD> writable = writableLinks(file_);
        if (!writable) {
            throw Failure(path + " is read-only");
        }
        links = *writable;
        existed_ = true;
    }
    const bool nameTooLong = file_.filename().native().size() + nameExtraBytes > kNameMax;
    inPlace_ = nameTooLong || links > 1;
}

std::FILE* SaveTarget::openInPlace() const {
    return ::_wfopen(file_.c_str(), L"wb");
}

std::FILE* SaveTarget::createAside(const fs::path& aside) const {
    const int descriptor =
        ::_wopen(aside.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY | _O_NOINHERIT,
                 _S_IREAD | _S_IWRITE);
    if (descriptor < 0) {
        return nullptr;
    }
    std::FILE* file = ::_fdopen(descriptor, "wb");
    if (file == nullptr) {
        ::_close(descriptor);
        std::error_code ignored;
        fs::remove(aside, ignored);
    }
    return file;
}

// A rename onto an existing file fails on Windows. ReplaceFileW swaps the content in and
// keeps the old file's attributes and security; a new name, or a file gone meanwhile, is
// moved into place, through to the disk before the call returns.
void SaveTarget::replaceWith(const fs::path& aside) const {
    if (existed_ && ::ReplaceFileW(file_.c_str(), aside.c_str(), nullptr,
                                   REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr) != 0) {
        return;
    }
    if (::MoveFileExW(aside.c_str(), file_.c_str(),
                      MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) == 0) {
        throw Failure("cannot replace " + toText(file_) + ": " + lastError());
    }
}

int SaveTarget::descriptor(std::FILE* file) {
    return ::_fileno(file);
}

// ReplaceFileW carries the old file's owner and attributes over; there is nothing to copy.
void SaveTarget::keepMetadata(int /*descriptor*/) const {}

void SaveTarget::sync(int descriptor) {
    if (::_commit(descriptor) != 0) {
        throw Failure("cannot sync a file: " + std::generic_category().message(errno));
    }
}

// Windows cannot flush a folder; the move above is written through instead.
void SaveTarget::syncFolder() const {}

}  // namespace quendrix::platform
