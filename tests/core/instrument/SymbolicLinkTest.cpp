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
    void SetUp() override {
        // One folder per process and test, as ctest may run tests side by side.
        folder = fs::temp_directory_path() /
                 ("quendrix-link-" + std::to_string(getpid()) + "-" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder);
        fs::create_directories(folder);
    }
    void TearDown() override { fs::remove_all(folder); }

    fs::path folder;
};

TEST_F(SymbolicLinkTest, PointsAtTheTargetAndGoesAwayAfterwards) {
    const fs::path link = folder / "instrument";
    {
        SymbolicLink made(link, "/dev/pts/77");
        EXPECT_EQ(fs::read_symlink(link), "/dev/pts/77");
    }
    EXPECT_FALSE(fs::exists(fs::symlink_status(link)));
}

TEST_F(SymbolicLinkTest, ReplacesAnOldLink) {
    const fs::path link = folder / "instrument";
    fs::create_symlink("/dev/pts/1", link);
    SymbolicLink made(link, "/dev/pts/2");
    EXPECT_EQ(fs::read_symlink(link), "/dev/pts/2");
}

TEST_F(SymbolicLinkTest, LeavesAFileAlone) {
    const fs::path file = folder / "notes";
    std::ofstream(file) << "keep";
    EXPECT_THROW(SymbolicLink(file, "/dev/pts/2"), fs::filesystem_error);
    EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(file)));
}

TEST_F(SymbolicLinkTest, KeepsALinkThatSomeoneElseHasTakenOver) {
    const fs::path link = folder / "instrument";
    {
        SymbolicLink made(link, "/dev/pts/2");
        fs::remove(link);
        fs::create_symlink("/dev/pts/3", link);
    }
    EXPECT_EQ(fs::read_symlink(link), "/dev/pts/3");
}

}  // namespace
}  // namespace quendrix::sim
