#pragma once

#include <grp.h>
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <regex>
#include <set>
#include <string>

#include "platform/Failure.h"
#include "platform/FileSystem.h"

// What a save (FileSystem::replace) promises on a real file system, for each implementation:
// tests of a file system type `Files`, instantiated by each test program with
// INSTANTIATE_TYPED_TEST_SUITE_P. Permissions are checked as the unprivileged user 65534 in a
// child process, because the tests run as root.
namespace quendrix::testsupport {

namespace fs = std::filesystem;

template <typename Files>
class SavePromises : public ::testing::Test {
protected:
    static constexpr const char* kTraceVariable = "QUENDRIX_SAVE_FOR_TRACE";
    static constexpr const char* kOld = "old\r\n";
    static constexpr const char* kNew = "\"new\"\r\n";

    SavePromises() { fs::create_directories(folder_); }
    ~SavePromises() override {
        if (mounted_) {
            ::umount2(disk().c_str(), MNT_DETACH);
        }
        fs::remove_all(folder_);
    }

    // A folder made by `setup`, a shell command run as root in it; the save goes to
    // `through` and its content to `file` ("$L" stands for a name of 255 bytes).
    struct Case {
        const char* what;
        bool asNobody, saved;
        const char *setup, *through, *file;
    };

    void expectPromisesKept() {
        int number = 0;
        for (const Case& saving : kCases) {
            SCOPED_TRACE(saving.what);
            const fs::path folder = folder_ / std::to_string(++number);
            fs::create_directories(folder);
            ASSERT_EQ(run("cd '" + folder.string() + "' && L=" + kLong + " && " + saving.setup), 0);
            const fs::path through = folder / named(saving.through);
            const fs::path file = folder / named(saving.file);
            const bool link = fs::is_symlink(through);
            const Snapshot before = snapshot(file);
            std::set<std::string> expected = names(folder);

            EXPECT_EQ(saveInChild(files, through, saving.asNobody), saving.saved);
            const Snapshot after = snapshot(file);
            if (!saving.saved) {
                EXPECT_EQ(after, before);
            } else if (before.exists) {
                EXPECT_EQ(after, (Snapshot{true, kNew, before.mode, before.owner, before.group,
                                           before.links}));
            } else {
                EXPECT_EQ(after.bytes, kNew);
                expected.insert(file.lexically_relative(folder_).string());
            }
            EXPECT_EQ(fs::is_symlink(through), link);
            EXPECT_EQ(names(folder), expected) << "nothing left beside the file";
        }
    }

    // A disk too full for the new content leaves the old one byte for byte.
    void expectFullDiskKeepsTheFile() {
        fs::create_directories(disk());
        ASSERT_EQ(::mount("tmpfs", disk().c_str(), "tmpfs", 0, "size=64k"), 0)
            << "root should be able to mount a tmpfs: " << std::strerror(errno);
        mounted_ = true;
        const fs::path file = disk() / "p.protocol";
        const std::string old(8192, 'o');
        std::ofstream(file, std::ios::binary) << old;
        run("dd if=/dev/zero of='" + (disk() / "filler").string() + "' bs=4096 2>/dev/null");
        EXPECT_THROW(save(files, file, std::string(24000, 'n')), platform::Failure);
        EXPECT_EQ(read(file), old);
        EXPECT_EQ(names(disk()), (std::set<std::string>{"disk/filler", "disk/p.protocol"}));
    }

    // Run by itself, a plain save; run by expectSyncedBeforeRename, the save it traces.
    void saveForTrace() {
        const char* named = std::getenv(kTraceVariable);
        const fs::path file = named != nullptr ? fs::path(named) : folder_ / "p.protocol";
        save(files, file, kNew);
        EXPECT_EQ(read(file), kNew);
    }

    // The new content is on the disk before it takes the file's place, and its name after;
    // a failed sync fails the save. Traced in a run of this test program's SavesForATrace.
    void expectSyncedBeforeRename() {
        ASSERT_EQ(std::system("command -v strace >/dev/null"), 0)
            << "strace is missing (scripts/setup installs it)";
        const fs::path data = folder_ / "data";
        const fs::path file = data / "p.protocol";
        const fs::path trace = folder_ / "trace";
        fs::create_directories(data);
        std::ofstream(file, std::ios::binary) << kOld;
        const std::string test =
            "'" + fs::read_symlink("/proc/self/exe").string() +
            "' --gtest_filter=" + ::testing::UnitTest::GetInstance()->current_test_suite()->name() +
            ".SavesForATrace >/dev/null 2>&1";
        const std::string strace = std::string("ASAN_OPTIONS=detect_leaks=0 ") + kTraceVariable +
                                   "='" + file.string() + "' strace -f -qq ";

        ASSERT_EQ(run(strace + "-y -o '" + trace.string() +
                      "' -e trace=fsync,fdatasync,rename,renameat,renameat2 " + test),
                  0);
        EXPECT_EQ(read(file), kNew);
        // Only renames name the file after a comma; with -y, a sync names its file or folder.
        const std::string calls = read(trace);
        const auto renamed = calls.find(", \"" + file.string() + "\")");
        ASSERT_NE(renamed, std::string::npos) << "no rename onto the file";
        EXPECT_TRUE(std::regex_search(calls.substr(0, renamed),
                                      std::regex("sync\\(\\d+<" + data.string() + "/")))
            << "the new content was not synced before the rename";
        EXPECT_TRUE(std::regex_search(calls.substr(renamed),
                                      std::regex("fsync\\(\\d+<" + data.string() + ">")))
            << "the folder was not synced after the rename";

        std::ofstream(file, std::ios::binary) << kOld;
        EXPECT_NE(run(strace + "-o /dev/null -e trace=fsync -e inject=fsync:error=EIO " + test), 0)
            << "a failed sync must fail the save";
        EXPECT_EQ(read(file), kOld);
        EXPECT_EQ(names(data), (std::set<std::string>{"data/p.protocol"}));
    }

    const fs::path& folder() const { return folder_; }
    Files files;
    static std::string read(const fs::path& file) {
        std::ifstream stream(file, std::ios::binary);
        return {std::istreambuf_iterator<char>(stream), {}};
    }

private:
    static constexpr uid_t kNobody = 65534;

    struct Snapshot {
        bool exists = false;
        std::string bytes;
        mode_t mode = 0;
        uid_t owner = 0;
        gid_t group = 0;
        nlink_t links = 0;
        bool operator==(const Snapshot&) const = default;
    };

    static constexpr const char* kLong = "$(printf %0255d 0 | tr 0 n)";
    static std::string named(const std::string& name) {
        return name == "$L" ? std::string(255, 'n') : name;
    }

    static constexpr Case kCases[] = {
        {"a file through a relative symbolic link", false, true, "echo >p && ln -s p link", "link",
         "p"},
        {"a dangling symbolic link", false, true, "mkdir sub && ln -s sub/p link", "link", "sub/p"},
        {"a file with a second hard link", false, true, "echo >p && ln p q", "q", "p"},
        {"a name of 255 bytes", false, true, "echo >$L", "$L", "$L"},
        {"a new name of 255 bytes", false, true, "true", "$L", "$L"},
        {"someone's owner, group and set-group-id mode", false, true,
         "echo >p && chown 1234:5678 p && chmod 2640 p", "p", "p"},
        {"a file nobody may write, even root", false, false, "echo >p && chmod 444 p", "p", "p"},
        {"a read-only file of the user's own", true, false,
         "echo >p && chown -R 65534:65534 . && chmod 444 p", "p", "p"},
        {"an unusual mode of the user's own file", true, true,
         "echo >p && chown -R 65534:65534 . && chmod 604 p", "p", "p"},
        {"a writable file in a read-only folder", true, true, "echo >p && chmod 666 p", "p", "p"},
        {"a link into a read-only folder", true, true,
         "mkdir ro own && echo >ro/p && chmod 666 ro/p && ln -s ../ro/p own/l && chown 65534 own",
         "own/l", "ro/p"},
        {"root's file in a sticky folder, writable by the user's group", true, true,
         "chmod 1777 . && echo >p && chgrp 65534 p && chmod 664 p", "p", "p"},
    };

    fs::path disk() const { return folder_ / "disk"; }

    static void save(platform::FileSystem& files, const fs::path& path, const std::string& bytes) {
        const auto file = files.replace(path.string());
        file->write(bytes);
        file->close();
    }

    // True when the save succeeded, in a child that runs as user 65534 when asked.
    static bool saveInChild(platform::FileSystem& files, const fs::path& path, bool asNobody) {
        const pid_t child = ::fork();
        if (child == 0) {
            if (asNobody &&
                (::setgroups(0, nullptr) != 0 || ::setresgid(kNobody, kNobody, kNobody) != 0 ||
                 ::setresuid(kNobody, kNobody, kNobody) != 0)) {
                ::_exit(2);
            }
            try {
                save(files, path, kNew);
                ::_exit(0);
            } catch (const platform::Failure&) {
                ::_exit(1);
            }
        }
        int status = 0;
        ::waitpid(child, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) < 2) << "the child failed";
        return WIFEXITED(status) && WEXITSTATUS(status) == 0;
    }

    static int run(const std::string& command) {
        const int status = std::system(command.c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    static Snapshot snapshot(const fs::path& file) {
        struct stat info {};
        if (::stat(file.c_str(), &info) != 0) {
            return {};
        }
        return {true, read(file), info.st_mode & 07777, info.st_uid, info.st_gid, info.st_nlink};
    }

    // Every name under the folder, relative to the test's own folder.
    std::set<std::string> names(const fs::path& folder) const {
        std::set<std::string> found;
        for (const auto& entry : fs::recursive_directory_iterator(folder)) {
            found.insert(entry.path().lexically_relative(folder_).string());
        }
        return found;
    }

    const fs::path folder_ =
        fs::temp_directory_path() / ("quendrix-save-" + std::to_string(std::random_device()()));
    bool mounted_ = false;
};

TYPED_TEST_SUITE_P(SavePromises);
TYPED_TEST_P(SavePromises, KeepLinksOwnersModesAndTheFileOnAFullDiskAndRefuseWhatMayNotBeWritten) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "NOT CHECKED: owners, other users and a small tmpfs need root";
    }
    this->expectPromisesKept();
    this->expectFullDiskKeepsTheFile();
}
TYPED_TEST_P(SavePromises, SavesForATrace) {
    this->saveForTrace();
}
TYPED_TEST_P(SavePromises, SyncTheContentBeforeTheRenameAndFailWhenTheSyncFails) {
    this->expectSyncedBeforeRename();
}
REGISTER_TYPED_TEST_SUITE_P(SavePromises,
                            KeepLinksOwnersModesAndTheFileOnAFullDiskAndRefuseWhatMayNotBeWritten,
                            SavesForATrace, SyncTheContentBeforeTheRenameAndFailWhenTheSyncFails);

}  // namespace quendrix::testsupport
