#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "platform/Failure.h"
#include "platform/StdFileSystem.h"
#include "support/SavePromises.h"

namespace quendrix::testsupport {
INSTANTIATE_TYPED_TEST_SUITE_P(Std, SavePromises, platform::StdFileSystem);
}  // namespace quendrix::testsupport

namespace quendrix::platform {
namespace {

namespace fs = std::filesystem;

class StdFileSystemTest : public testsupport::SavePromises<StdFileSystem> {
protected:
    std::string path(const std::string& name) const { return (folder() / name).string(); }
};

// Through a link, the file it points to is replaced, keeping its permissions.
TEST_F(StdFileSystemTest, ANewContentTakesTheFilesPlaceOnlyAtCloseAndNothingIsLeftBehind) {
    constexpr auto kOwnerOnly = fs::perms::owner_read | fs::perms::owner_write;
    std::ofstream(path("p.txt")) << "old";
    fs::permissions(path("p.txt"), kOwnerOnly);
    fs::create_symlink("p.txt", folder() / "link.txt");
    files.replace(path("p.txt"))->write("dropped");
    auto file = files.replace(path("link.txt"));
    file->write("new\r\n");
    EXPECT_EQ(files.readAll(path("p.txt"), 3), "old");
    file->close();
    EXPECT_EQ(files.readAll(path("p.txt"), 5), "new\r\n");
    EXPECT_TRUE(fs::is_symlink(folder() / "link.txt"));
    EXPECT_EQ(fs::status(path("p.txt")).permissions(), kOwnerOnly);

    fs::create_directory(folder() / "dir");
    EXPECT_THROW(files.replace(path("dir")), Failure);
    EXPECT_THROW(files.replace(path("missing/p.txt")), Failure);
    EXPECT_TRUE(fs::is_directory(folder() / "dir"));
    EXPECT_EQ(std::distance(fs::directory_iterator(folder()), {}), 3)
        << "the link, the file and the folder";
    EXPECT_THROW(files.readAll(path("p.txt"), 2), Failure) << "larger than allowed";
    EXPECT_THROW(files.readAll(path("dir"), 100), Failure);
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
