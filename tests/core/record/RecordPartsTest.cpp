#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <tuple>

#include "record/RecordWriter.h"
#include "record/RecordsFolder.h"
#include "record/RowsTable.h"
#include "record/Sha256.h"
#include "record/WallTimeText.h"

namespace quendrix::record {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono;

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// The data folder's variables in their order; names outside ASCII stay what they are.
TEST(RecordPartsTest, TheRecordsFolderFollowsTheDataFolder) {
#ifdef _WIN32
    const std::string variable = "LOCALAPPDATA";
    const std::string data = "C:\\Users\\\xc2\xb5l \xe8\xa9\xa6\\AppData\\Local";
    const std::string inData = "C:/Users/\xc2\xb5l \xe8\xa9\xa6/AppData/Local/quendrix/runs";
#else
    const std::string variable = "XDG_DATA_HOME";
    const std::string data = "/data/\xc2\xb5l \xe8\xa9\xa6";
    const std::string inData = data + "/quendrix/runs";
#endif
    struct Case {
        std::optional<std::string> data, home;
        std::string folder;
    };
    const Case cases[] = {
        {data, "/home/a", inData},
        {std::nullopt, "/home/a", "/home/a/.local/share/quendrix/runs"},
        {"", "", ""},
    };
    for (const auto& c : cases) {
        const auto folder = recordsFolder([&](const std::string& name) {
            return name == variable ? c.data : name == "HOME" ? c.home : std::nullopt;
        });
        const std::u8string text = folder.generic_u8string();
        EXPECT_EQ(std::string(text.begin(), text.end()), c.folder);
    }
}

// The standard test vectors, the last fed in uneven pieces.
TEST(RecordPartsTest, Sha256OfTheStandardVectors) {
    const std::tuple<std::string, std::string> vectors[] = {
        {"", "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
        {"abc", "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
        {"abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
         "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1"}};
    for (const auto& [text, digest] : vectors) {
        EXPECT_EQ(Sha256::hexOf(text), digest) << text;
    }
    Sha256 million;
    const std::string piece(997, 'a');
    for (int fed = 0; fed < 1000000; fed += 997) {
        million.update(std::string_view(piece).substr(0, std::min(997, 1000000 - fed)));
    }
    EXPECT_EQ(million.hexDigest(),
              "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0");
}

TEST(RecordPartsTest, RowLinesKeepEachCellInItsColumn) {
    const RowsTable::Line line{
        seconds(3723) + microseconds(5), 17, {"1", "A\t1\\2\r\n", ""}, "/1A\t1", "9", "busy"};
    EXPECT_EQ(RowsTable::line(line), "3723.000005\t17\t1\tA\\t1\\\\2\\r\\n\t\t/1A\\t1\t9\tbusy\n");
}

TEST(RecordPartsTest, LocalTimesWithTheirZone) {
    const sys_days day = year{2026} / 12 / 7;
    const std::tuple<platform::WallTime, std::string, std::string> times[] = {
        {{day + hours(13) + minutes(3) + milliseconds(22125), minutes(60)},
         "2026-12-07T14:03:22.125+01:00",
         "2026-12-07T14-03-22"},
        {{day + minutes(30), minutes(-330)},
         "2026-12-06T19:00:00.000-05:30",
         "2026-12-06T19-00-00"}};
    for (const auto& [time, iso, folder] : times) {
        EXPECT_EQ(isoText(time), iso);
        EXPECT_EQ(folderName(time), folder);
    }
}

class RecordWriterTest : public ::testing::Test {
protected:
    RecordWriterTest() { fs::create_directories(folder_); }
    ~RecordWriterTest() override { fs::remove_all(folder_); }
    const fs::path folder_ =
        fs::path(::testing::TempDir()) / ("writer-" + std::to_string(::getpid()));
};

// Written on its own thread, in order; a file replaced whole leaves nothing beside it.
TEST_F(RecordWriterTest, TheThreadWritesInOrderAndFlushWaitsForIt) {
    RecordWriter writer(folder_, RecordWriter::Mode::Threaded);
    std::string expected;
    for (int i = 0; i < 1000; ++i) {
        writer.append("log", std::to_string(i) + "\n");
        expected += std::to_string(i) + "\n";
    }
    writer.replace("run.json", "{}\n");
    writer.replace("run.json", "{\"a\": 1}\n");
    writer.flush();
    EXPECT_EQ(readFile(folder_ / "log"), expected);
    EXPECT_EQ(readFile(folder_ / "run.json"), "{\"a\": 1}\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder_), {}), 2);
    EXPECT_FALSE(writer.failed());
}

// What would go past the queue's bound is dropped and makes the record incomplete; the whole
// files of the end are still written, and the caller never waits.
TEST_F(RecordWriterTest, AFullQueueDropsAndSaysSo) {
    RecordWriter writer(folder_, RecordWriter::Mode::Threaded, 0);
    writer.append("log", "x");
    writer.replace("run.json", "{}\n");
    writer.flush();
    EXPECT_TRUE(writer.failed());
    EXPECT_EQ(writer.failure(), "the disk did not keep up with the run; the record stops here");
    EXPECT_FALSE(fs::exists(folder_ / "log"));
    EXPECT_EQ(readFile(folder_ / "run.json"), "{}\n");
}

}  // namespace
}  // namespace quendrix::record
