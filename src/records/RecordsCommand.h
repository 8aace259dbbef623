#pragma once

#include <filesystem>
#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

namespace quendrix::records {

// Shows the folder in the desktop's file manager; false when that failed.
using FolderOpener = std::function<bool(const std::filesystem::path&)>;

// Exit statuses, as the sysexits convention numbers them.
constexpr int kFine = 0;
constexpr int kFailed = 1;
constexpr int kUsageError = 64;
constexpr int kNoSuchRun = 66;

// quendrix-records with the arguments after its name, on the records kept in
// `recordsFolder`. Returns the exit status.
int runRecordsCommand(const std::vector<std::string>& arguments,
                      const std::filesystem::path& recordsFolder, const FolderOpener& openFolder,
                      std::ostream& out, std::ostream& err);

std::string recordsUsage();

}  // namespace quendrix::records
