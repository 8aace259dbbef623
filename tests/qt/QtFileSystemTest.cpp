#include <gtest/gtest.h>

#include "qt/QtFileSystem.h"
#include "support/SavePromises.h"

namespace quendrix::qt {
namespace {

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

}  // namespace
}  // namespace quendrix::qt
