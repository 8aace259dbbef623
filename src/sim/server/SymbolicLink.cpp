#include "sim/server/SymbolicLink.h"

#include <system_error>
#include <utility>

namespace quendrix::sim {

namespace fs = std::filesystem;

SymbolicLink::SymbolicLink(fs::path path, fs::path target)
    : path_(std::move(path)), target_(std::move(target)) {
    const fs::file_status status = fs::symlink_status(path_);
    if (fs::is_symlink(status)) {
        fs::remove(path_);
    } else if (fs::exists(status)) {
        throw fs::filesystem_error("not a symlink, left alone", path_,
                                   std::make_error_code(std::errc::file_exists));
    }
    fs::create_symlink(target_, path_);
}

SymbolicLink::~SymbolicLink() {
    std::error_code error;
    if (fs::is_symlink(fs::symlink_status(path_, error)) &&
        fs::read_symlink(path_, error) == target_) {
        fs::remove(path_, error);
    }
}

}  // namespace quendrix::sim
