#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <set>
#include <string>

#include "platform/Failure.h"
#include "platform/StdFileSystem.h"

namespace quendrix::platform {
namespace {

namespace fs = std::filesystem;

// Real files in a folder of their own, removed afterwards.
class StdFileSystemTest : public ::testing::Test {
protected:
    StdFileSystemTest() {
        folder = fs::temp_directory_path() /
                 ("quendrix-files-" + std::to_string(std::random_device()()));
        fs::create_directory(folder);
        write("p.txt", "old");
    }
    ~StdFileSystemTest() override { fs::remove_all(folder); }

    std::string path(const std::string& name) const { return (folder / name).string(); }
    void write(const std::string& name, const std::string& content) const {
        std::ofstream(folder / name, std::ios::binary) << content;
    }
    std::string read(const std::string& name) const {
        std::ifstream stream(folder / name, std::ios::binary);
        return {std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>()};
    }
    std::set<std::string> names() const {
        std::set<std::string> found;
        for (const auto& entry : fs::directory_iterator(folder)) {
            found.insert(entry.path().filename().string());
        }
        return found;
    }

    fs::path folder;
    StdFileSystem files;
};

TEST_F(StdFileSystemTest, ReplacingWritesAsideAndRenamesOverTheFileAtClose) {
    fs::permissions(path("p.txt"), fs::perms::owner_read | fs::perms::owner_write);
    auto file = files.replace(path("p.txt"));
    file->write("new\r\n");
    EXPECT_EQ(read("p.txt"), "old");
    EXPECT_EQ(names().size(), 2u);
    file->close();
    EXPECT_EQ(read("p.txt"), "new\r\n");
    EXPECT_EQ(names(), std::set<std::string>{"p.txt"});
    EXPECT_EQ(fs::status(path("p.txt")).permissions(),
              fs::perms::owner_read | fs::perms::owner_write);
}

TEST_F(StdFileSystemTest, ReplacingThroughALinkReplacesTheFileItPointsTo) {
    fs::create_symlink("p.txt", folder / "link.txt");
    auto file = files.replace(path("link.txt"));
    file->write("new");
    file->close();
    EXPECT_TRUE(fs::is_symlink(folder / "link.txt"));
    EXPECT_EQ(read("p.txt"), "new");
}

TEST_F(StdFileSystemTest, AReplacementDroppedWithoutCloseLeavesNoTrace) {
    files.replace(path("p.txt"))->write("new");
    EXPECT_EQ(read("p.txt"), "old");
    EXPECT_EQ(names(), std::set<std::string>{"p.txt"});
}

TEST_F(StdFileSystemTest, AReplacementThatCannotTakeThePlaceLeavesNoTrace) {
    fs::create_directory(folder / "dir");
    auto file = files.replace(path("dir"));
    file->write("new");
    EXPECT_THROW(file->close(), Failure);
    EXPECT_TRUE(fs::is_directory(folder / "dir"));
    EXPECT_EQ(names(), (std::set<std::string>{"dir", "p.txt"}));

    EXPECT_THROW(files.replace(path("missing/p.txt")), Failure);
    EXPECT_THROW(files.replace(path("")), Failure);
    EXPECT_EQ(names(), (std::set<std::string>{"dir", "p.txt"}));
}

TEST_F(StdFileSystemTest, ReadingRefusesWhatIsMissingOrTooLarge) {
    EXPECT_EQ(files.readAll(path("p.txt"), 3), "old");
    EXPECT_THROW(files.readAll(path("p.txt"), 2), Failure);
    EXPECT_THROW(files.readAll(path("missing.txt"), 100), Failure);
    EXPECT_THROW(files.readAll(folder.string(), 100), Failure);
}

}  // namespace
}  // namespace quendrix::platform
