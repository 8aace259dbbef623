#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "platform/Failure.h"
#include "platform/PathText.h"
#include "platform/StdFileSystem.h"

#ifndef _WIN32
#include "support/SavePromises.h"

namespace quendrix::testsupport {
INSTANTIATE_TYPED_TEST_SUITE_P(Std, SavePromises, platform::StdFileSystem);
}  // namespace quendrix::testsupport
#endif

namespace quendrix::platform {
namespace {

namespace fs = std::filesystem;

// On Windows the folder has a drive letter and backslashes, as a user's paths do.
class StdFileSystemTest : public ::testing::Test {
protected:
    StdFileSystemTest() { fs::create_directories(folder_); }
    ~StdFileSystemTest() override {
        std::error_code ignored;
        fs::permissions(folder_ / "p.txt", fs::perms::owner_write, fs::perm_options::add, ignored);
        fs::remove_all(folder_, ignored);
    }

    std::string path(const std::string& name) const { return toText(folder_ / toPath(name)); }
    const fs::path& folder() const { return folder_; }

    StdFileSystem files;

private:
    const fs::path folder_ =
        fs::temp_directory_path() / ("quendrix-files-" + std::to_string(std::random_device()()));
};

// Written aside and renamed over the old file at close: on Windows a plain rename onto an
// existing file fails. Bytes go out untranslated, CR LF as it is.
TEST_F(StdFileSystemTest, ANewContentTakesTheFilesPlaceOnlyAtCloseAndNothingIsLeftBehind) {
    std::ofstream(folder() / "p.txt", std::ios::binary) << "old";
    files.replace(path("p.txt"))->write("dropped");
    auto file = files.replace(path("p.txt"));
    file->write("new\r\n\n");
    EXPECT_EQ(files.readAll(path("p.txt"), 3), "old");
    file->close();
    EXPECT_EQ(files.readAll(path("p.txt"), 6), "new\r\n\n");

    fs::create_directory(folder() / "dir");
    EXPECT_THROW(files.replace(path("dir")), Failure);
    EXPECT_THROW(files.replace(path("missing/p.txt")), Failure);
    EXPECT_TRUE(fs::is_directory(folder() / "dir"));
    EXPECT_EQ(std::distance(fs::directory_iterator(folder()), {}), 2) << "the file and the folder";
    EXPECT_THROW(files.readAll(path("p.txt"), 2), Failure) << "larger than allowed";
    EXPECT_THROW(files.readAll(path("dir"), 100), Failure);
}

// A second hard link keeps sharing the content; a file nobody may write is refused, for root
// and for the read-only attribute of Windows alike.
TEST_F(StdFileSystemTest, AHardLinkedFileIsWrittenInPlaceAndAReadOnlyOneIsRefused) {
    std::ofstream(folder() / "p.txt", std::ios::binary) << "old";
    fs::create_hard_link(folder() / "p.txt", folder() / "q.txt");
    auto file = files.replace(path("q.txt"));
    file->write("new");
    file->close();
    EXPECT_EQ(files.readAll(path("p.txt"), 3), "new");

    fs::permissions(folder() / "p.txt",
                    fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    EXPECT_THROW(files.replace(path("p.txt")), Failure);
    EXPECT_EQ(files.readAll(path("q.txt"), 3), "new");
}

// Paths are UTF-8 text: the file on the disk bears the name given, also one outside the ANSI
// code page of a Windows machine, and comes back byte for byte through each way of writing.
TEST_F(StdFileSystemTest, ANonAsciiNameIsTheNameOnTheDisk) {
    constexpr const char8_t* kNames[] = {u8"L\u00f6sung \u00b5l.protocol",
                                         u8"\u8a66\u6599 \u0394.txt"};
    for (const char8_t* name : kNames) {
        const std::string text(reinterpret_cast<const char*>(name));
        SCOPED_TRACE(text);
        files.create(path(text))->write("a\r\n");
        auto replacement = files.replace(path(text));
        replacement->write("b\r\n");
        replacement->close();
        EXPECT_EQ(files.readAll(path(text), 3), "b\r\n");
        EXPECT_TRUE(fs::exists(folder() / fs::path(name)));
        EXPECT_TRUE(fs::remove(folder() / fs::path(name)));
        EXPECT_TRUE(fs::is_empty(folder()));
    }
}

#ifndef _WIN32
// Through a link, the file it points to is replaced, keeping its permissions.
TEST_F(StdFileSystemTest, ThroughASymbolicLinkTheFileItNamesIsReplacedWithItsPermissions) {
    constexpr auto kOwnerOnly = fs::perms::owner_read | fs::perms::owner_write;
    std::ofstream(folder() / "p.txt") << "old";
    fs::permissions(folder() / "p.txt", kOwnerOnly);
    fs::create_symlink("p.txt", folder() / "link.txt");
    auto file = files.replace(path("link.txt"));
    file->write("new");
    file->close();
    EXPECT_EQ(files.readAll(path("p.txt"), 3), "new");
    EXPECT_TRUE(fs::is_symlink(folder() / "link.txt"));
    EXPECT_EQ(fs::status(folder() / "p.txt").permissions(), kOwnerOnly);
}
#endif

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
