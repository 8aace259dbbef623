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

// How a failing file system keeps the earlier file is pinned by the protocol file tests.
TEST_F(FileSlotTest, ReadsFieldsHoldsOneFileAtATimeAndChangesAReplacedFileOnlyAtCommit) {
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
    slot.close();
    EXPECT_FALSE(slot.isOpen());

    files.put("p.txt", "old");
    slot.openForReplace("p.txt");
    slot.writeRecord("dropped");
    slot.close();
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
