#include "record/RecordFolder.h"

#include <system_error>

#include "platform/Failure.h"
#include "record/WallTimeText.h"

namespace quendrix::record {

namespace fs = std::filesystem;

fs::path makeRecordFolder(const fs::path& parent, const platform::WallTime& start) {
    std::error_code error;
    fs::create_directories(parent, error);
    if (error) {
        throw platform::Failure("cannot make " + parent.string() + ": " + error.message());
    }
    const std::string name = folderName(start);
    constexpr int kMostInOneSecond = 1000;
    for (int number = 1; number <= kMostInOneSecond; ++number) {
        const fs::path folder = parent / (number == 1 ? name : name + "-" + std::to_string(number));
        if (fs::create_directory(folder, error)) {
            return folder;
        }
        if (error) {
            throw platform::Failure("cannot make " + folder.string() + ": " + error.message());
        }
    }
    throw platform::Failure("too many runs started at " + name + " in " + parent.string());
}

}  // namespace quendrix::record
