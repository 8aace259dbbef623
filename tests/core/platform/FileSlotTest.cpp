#include <gtest/gtest.h>

#include <functional>
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

TEST_F(FileSlotTest, ReadsAFileFieldByFieldUntilItsEnd) {
    files.put("p.txt", "\"1\"\r\n\"Z R\"\r\n");
    slot.openForInput("p.txt");
    EXPECT_TRUE(slot.isOpen());
    EXPECT_FALSE(slot.atEnd());
    EXPECT_EQ(slot.readField(), "1");
    EXPECT_EQ(slot.readField(), "Z R");
    EXPECT_TRUE(slot.atEnd());
    EXPECT_THROW(slot.readField(), Failure);
    slot.close();
    EXPECT_FALSE(slot.isOpen());
    EXPECT_THROW((void)slot.atEnd(), Failure);
}

TEST_F(FileSlotTest, InputThatCannotBeReadLeavesTheSlotFree) {
    files.put("huge.txt", std::string(FileSlot::kMaxInputBytes + 1, 'x'));
    EXPECT_THROW(slot.openForInput("missing.txt"), Failure);
    EXPECT_THROW(slot.openForInput("huge.txt"), Failure);
    EXPECT_FALSE(slot.isOpen());
}

TEST_F(FileSlotTest, HoldsOneFileAtATime) {
    files.put("p.txt", "");
    slot.openForOutput("TESTFILE.txt");
    EXPECT_THROW(slot.openForInput("p.txt"), Failure);
    EXPECT_THROW(slot.readField(), Failure);
    slot.close();

    slot.openForInput("p.txt");
    EXPECT_TRUE(slot.atEnd());
    EXPECT_THROW(slot.openForOutput("TESTFILE.txt"), Failure);
    EXPECT_THROW(slot.openForReplace("q.txt"), Failure);
    EXPECT_THROW(slot.writeRecord("x"), Failure);
    EXPECT_THROW(slot.commit(), Failure);
    slot.close();
    slot.close();
    EXPECT_FALSE(slot.isOpen());
}

struct ReplaceCase {
    const char* name;
    std::function<void(sim::SimFileSystem&)> fault;
    std::function<void(FileSlot&)> finish;
    std::string content;
};

class FileSlotReplaceTest : public FileSlotTest,
                            public ::testing::WithParamInterface<ReplaceCase> {};

// A save writes two records; the earlier file changes only when the whole new one is in.
TEST_P(FileSlotReplaceTest, TheEarlierFileChangesOnlyAtASuccessfulCommit) {
    files.put("p.txt", "old");
    GetParam().fault(files);
    slot.openForReplace("p.txt");
    try {
        slot.writeRecord("1");
        slot.writeRecord("Z R");
        EXPECT_EQ(files.content("p.txt"), "old");
        GetParam().finish(slot);
    } catch (const Failure&) {
        slot.close();
    }
    EXPECT_FALSE(slot.isOpen());
    EXPECT_EQ(files.content("p.txt"), GetParam().content);
}

const auto kNoFault = [](sim::SimFileSystem&) {};
const auto kCommit = [](FileSlot& slot) { slot.commit(); };

INSTANTIATE_TEST_SUITE_P(
    Saves, FileSlotReplaceTest,
    ::testing::Values(
        ReplaceCase{"Committed", kNoFault, kCommit, "\"1\"\r\n\"Z R\"\r\n"},
        ReplaceCase{"ClosedWithoutCommit", kNoFault, [](FileSlot& slot) { slot.close(); }, "old"},
        ReplaceCase{"WriteFails", [](auto& f) { f.makeUnwritable("p.txt"); }, kCommit, "old"},
        ReplaceCase{"CommitFails", [](auto& f) { f.makeUncommittable("p.txt"); }, kCommit, "old"}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

TEST_F(FileSlotTest, ACommitAfterAFailedWriteFailsAndKeepsTheEarlierFile) {
    files.put("p.txt", "old");
    files.makeUnwritable("p.txt");
    slot.openForReplace("p.txt");
    EXPECT_THROW(slot.writeRecord("1"), Failure);
    EXPECT_THROW(slot.commit(), Failure);
    EXPECT_EQ(files.content("p.txt"), "old");
    EXPECT_FALSE(slot.isOpen());
}

}  // namespace
}  // namespace quendrix::platform
