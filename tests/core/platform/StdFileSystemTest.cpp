#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

#include "platform/Failure.h"
#include "platform/StdFileSystem.h"
#include "support/SavePromises.h"

namespace quendrix::platform {
namespace {

namespace fs = std::filesystem;

class StdFileSystemTest : public ::testing::Test {
protected:
    StdFileSystemTest() {
        fs::create_directory(folder);
        std::ofstream(folder / "p.txt") << "old";
    }
    ~StdFileSystemTest() override { fs::remove_all(folder); }

    std::string path(const std::string& name) const { return (folder / name).string(); }
    long entries() const { return std::distance(fs::directory_iterator(folder), {}); }

    const fs::path folder =
        fs::temp_directory_path() / ("quendrix-" + std::to_string(std::random_device()()));
    StdFileSystem files;
};

// Through a link, the file it points to is replaced, keeping its permissions.
TEST_F(StdFileSystemTest, ANewContentTakesTheFilesPlaceOnlyAtCloseAndNothingIsLeftBehind) {
    constexpr auto kOwnerOnly = fs::perms::owner_read | fs::perms::owner_write;
    fs::permissions(path("p.txt"), kOwnerOnly);
    fs::create_symlink("p.txt", folder / "link.txt");
    files.replace(path("p.txt"))->write("dropped");
    auto file = files.replace(path("link.txt"));
    file->write("new\r\n");
    EXPECT_EQ(files.readAll(path("p.txt"), 3), "old");
    file->close();
    EXPECT_EQ(files.readAll(path("p.txt"), 5), "new\r\n");
    EXPECT_TRUE(fs::is_symlink(folder / "link.txt"));
    EXPECT_EQ(fs::status(path("p.txt")).permissions(), kOwnerOnly);

    fs::create_directory(folder / "dir");
    EXPECT_THROW(files.replace(path("dir")), Failure);
    EXPECT_THROW(files.replace(path("missing/p.txt")), Failure);
    EXPECT_TRUE(fs::is_directory(folder / "dir"));
    EXPECT_EQ(entries(), 3) << "the link, the file and the folder";
    EXPECT_THROW(files.readAll(path("p.txt"), 2), Failure) << "larger than allowed";
    EXPECT_THROW(files.readAll(path("dir"), 100), Failure);
}

class StdSaveTest : public testsupport::SavePromises {
protected:
    StdFileSystem files;
};

TEST_F(StdSaveTest, KeepsLinksOwnersAndModesAndRefusesWhatTheUserMayNotWrite) {
    expectPromisesKept(files);
}
TEST_F(StdSaveTest, AFullDiskLeavesTheFileByteForByte) {
    expectFullDiskKeepsTheFile(files);
}
TEST_F(StdSaveTest, SavesForATrace) {
    saveForTrace(files);
}
TEST_F(StdSaveTest, SyncsTheContentBeforeTheRenameAndFailsWhenTheSyncFails) {
    expectSyncedBeforeRename("StdSaveTest.SavesForATrace");
}

// A file that cannot be created says why, in the system's words.
TEST_F(StdFileSystemTest, AFileThatCannotBeCreatedGivesTheSystemsReason) {
    try {
        files.create(path("missing/p.txt"));
        ADD_FAILURE() << "created in a missing folder";
    } catch (const Failure& failure) {
        EXPECT_EQ(std::string(failure.what()),
                  "cannot create " + path("missing/p.txt") + ": No such file or directory");
    }
}

}  // namespace
}  // namespace quendrix::platform
