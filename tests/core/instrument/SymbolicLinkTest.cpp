#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "sim/server/SymbolicLink.h"

namespace quendrix::sim {
namespace {

namespace fs = std::filesystem;

class SymbolicLinkTest : public ::testing::Test {
protected:
    SymbolicLinkTest() {
        // One folder per process and test, as ctest may run tests side by side.
        fs::remove_all(folder);
        fs::create_directories(folder);
    }
    ~SymbolicLinkTest() override { fs::remove_all(folder); }

    const fs::path folder = fs::temp_directory_path() /
                            ("quendrix-link-" + std::to_string(getpid()) + "-" +
                             ::testing::UnitTest::GetInstance()->current_test_info()->name());
    const fs::path link = folder / "instrument";
};

TEST_F(SymbolicLinkTest, ReplacesAnOldLinkAndGoesAwayAfterwards) {
    fs::create_symlink("/dev/pts/1", link);
    {
        SymbolicLink made(link, "/dev/pts/2");
        EXPECT_EQ(fs::read_symlink(link), "/dev/pts/2");
    }
    EXPECT_FALSE(fs::exists(fs::symlink_status(link)));
}

TEST_F(SymbolicLinkTest, LeavesAFileAlone) {
    std::ofstream(link) << "keep";
    EXPECT_THROW(SymbolicLink(link, "/dev/pts/2"), fs::filesystem_error);
    EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(link)));
}

TEST_F(SymbolicLinkTest, KeepsALinkThatSomeoneElseHasTakenOver) {
    {
        SymbolicLink made(link, "/dev/pts/2");
        fs::remove(link);
        fs::create_symlink("/dev/pts/3", link);
    }
    EXPECT_EQ(fs::read_symlink(link), "/dev/pts/3");
}

}  // namespace
}  // namespace quendrix::sim
