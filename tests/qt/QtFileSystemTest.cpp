#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>

#include "app/MainForm.h"
#include "qt/QtFileSystem.h"
#include "sim/SimPlatform.h"
#include "support/SavePromises.h"

namespace quendrix::qt {
namespace {

namespace fs = std::filesystem;

class QtSaveTest : public testsupport::SavePromises {
protected:
    QtFileSystem files;
};

TEST_F(QtSaveTest, KeepsLinksOwnersAndModesAndRefusesWhatTheUserMayNotWrite) {
    expectPromisesKept(files);
}
TEST_F(QtSaveTest, AFullDiskLeavesTheFileByteForByte) {
    expectFullDiskKeepsTheFile(files);
}
TEST_F(QtSaveTest, SavesForATrace) {
    saveForTrace(files);
}
TEST_F(QtSaveTest, SyncsTheContentBeforeTheRenameAndFailsWhenTheSyncFails) {
    expectSyncedBeforeRename("QtSaveTest.SavesForATrace");
}

// The Save button on the desktop's files, which refuse a read-only protocol.
TEST_F(QtSaveTest, ARefusedSaveShowsErrorWritingFileAndLeavesTheFile) {
    sim::SimPlatform platform;
    platform.replaceFileSystem(files);
    app::MainForm form(platform);
    const fs::path file = folder() / "read-only.protocol";
    std::ofstream(file) << kOld;
    ::chmod(file.c_str(), 0444);
    platform.dialog().answer(file.string());
    form.controls().SaveProtocol.click();
    EXPECT_EQ(platform.messages().shown(), std::vector<std::string>{"Error Writing File"});
    EXPECT_EQ(read(file), kOld);
}

}  // namespace
}  // namespace quendrix::qt
