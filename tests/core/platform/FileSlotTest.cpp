#include <gtest/gtest.h>

#include <string>

#include "platform/Failure.h"
#include "platform/FileSlot.h"
#include "sim/SimFileSystem.h"

namespace quendrix::platform {
namespace {

class FileSlotTest : public ::testing::Test {
protected:
    sim::SimFileSystem files;
    FileSlot slot{files};
};

TEST_F(FileSlotTest, ReadsFieldsAndHoldsOneFileAtATime) {
    files.put("p.txt", "\"1\"\r\n\"Z R\"\r\n");
    files.put("huge.txt", std::string(FileSlot::kMaxInputBytes + 1, 'x'));
    EXPECT_THROW(slot.openForInput("missing.txt"), Failure);
    EXPECT_THROW(slot.openForInput("huge.txt"), Failure);
    slot.openForOutput("TESTFILE.txt");
    EXPECT_THROW(slot.openForInput("p.txt"), Failure);
    EXPECT_THROW(slot.readField(), Failure);
    slot.close();

    slot.openForInput("p.txt");
    EXPECT_THROW(slot.openForReplace("p.txt"), Failure);
    EXPECT_THROW(slot.writeRecord("x"), Failure);
    EXPECT_EQ(slot.readField(), "1");
    EXPECT_FALSE(slot.atEnd());
    EXPECT_EQ(slot.readField(), "Z R");
    EXPECT_TRUE(slot.atEnd());
    EXPECT_THROW(slot.readField(), Failure);
    slot.close();
    EXPECT_FALSE(slot.isOpen());
}

// A failed save, or one not committed, leaves the earlier file as it was.
TEST_F(FileSlotTest, TheEarlierFileChangesOnlyAtASuccessfulCommit) {
    for (const char* path : {"p.txt", "unwritable.txt", "uncommittable.txt"}) {
        files.put(path, "old");
    }
    files.makeUnwritable("unwritable.txt");
    files.makeUncommittable("uncommittable.txt");
    slot.openForReplace("p.txt");
    slot.writeRecord("1");
    slot.close();
    slot.openForReplace("unwritable.txt");
    EXPECT_THROW(slot.writeRecord("1"), Failure);
    EXPECT_THROW(slot.commit(), Failure);
    slot.openForReplace("uncommittable.txt");
    slot.writeRecord("1");
    EXPECT_THROW(slot.commit(), Failure);
    for (const char* path : {"p.txt", "unwritable.txt", "uncommittable.txt"}) {
        EXPECT_EQ(files.content(path), "old") << path;
    }

    slot.openForReplace("p.txt");
    slot.writeRecord("1");
    slot.writeRecord("Z R");
    EXPECT_EQ(files.content("p.txt"), "old");
    slot.commit();
    EXPECT_FALSE(slot.isOpen());
    EXPECT_EQ(files.content("p.txt"), "\"1\"\r\n\"Z R\"\r\n");
}

}  // namespace
}  // namespace quendrix::platform
