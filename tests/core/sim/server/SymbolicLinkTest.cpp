#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "sim/server/SymbolicLink.h"

namespace quendrix::sim {
namespace {

namespace fs = std::filesystem;

// One folder per process, as ctest may run tests side by side.
TEST(SymbolicLinkTest, ReplacesAnOldLinkRemovesOnlyItsOwnAndLeavesAFileAlone) {
    const fs::path folder =
        fs::temp_directory_path() / ("quendrix-link-" + std::to_string(getpid()));
    const fs::path link = folder / "instrument";
    fs::remove_all(folder);
    fs::create_directories(folder);
    fs::create_symlink("/dev/pts/1", link);
    {
        SymbolicLink made(link, "/dev/pts/2");
        EXPECT_EQ(fs::read_symlink(link), "/dev/pts/2");
    }
    EXPECT_FALSE(fs::exists(fs::symlink_status(link)));
    {
        SymbolicLink made(link, "/dev/pts/2");
        fs::remove(link);
        fs::create_symlink("/dev/pts/3", link);
    }
    EXPECT_EQ(fs::read_symlink(link), "/dev/pts/3") << "someone else's link stays";
    fs::remove(link);
    std::ofstream(link) << "keep";
    EXPECT_THROW(SymbolicLink(link, "/dev/pts/2"), fs::filesystem_error);
    EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(link)));
    fs::remove_all(folder);
}

}  // namespace
}  // namespace quendrix::sim
