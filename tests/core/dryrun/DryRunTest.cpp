#include <gtest/gtest.h>

#include <array>
#include <fstream>
#include <iterator>
#include <optional>
#include <ranges>
#include <regex>
#include <sstream>
#include <string>
#include <string_view>
#include <tuple>
#include <utility>
#include <vector>

#include "app/MainForm.h"
#include "dryrun/DryRun.h"
#include "dryrun/DryRunOptionParser.h"
#include "dryrun/ReadThroughFileSystem.h"
#include "platform/PathText.h"
#include "sim/virtualtime/SimPlatform.h"

namespace quendrix::dryrun {
namespace {

using namespace std::chrono_literals;
using Texts = std::vector<std::string>;

using Row = std::array<std::string, 3>;  // address, command, flag

std::string readFile(const std::string& path) {
    std::ifstream in(platform::toPath(path), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

std::string example(const std::string& name) {
    return std::string(QUENDRIX_EXAMPLES_DIR "/") + name + ".protocol";
}

// A protocol file of `rows` from row 1, padded to the 2000 rows of a saved protocol.
std::string protocolFile(const std::string& name, std::vector<Row> rows) {
    rows.resize(std::max<std::size_t>(rows.size(), 2000));
    std::string content;
    for (const Row& row : rows) {
        for (const std::string& cell : row) {
            content += "\"" + cell + "\"\r\n";
        }
    }
    const std::string path = ::testing::TempDir() + name + ".protocol";
    std::ofstream(platform::toPath(path), std::ios::binary) << content;
    return path;
}

struct Outcome {
    int status;
    std::string out, err;
};

Outcome dryRun(const Texts& arguments) {
    std::ostringstream out, err;
    const int status = runDryRun(arguments, out, err);
    return {status, out.str(), err.str()};
}

// What the rows of the output say was sent, in order.
Texts commandsIn(const std::string& output) {
    static const std::regex sent(R"(=>  (\S+)  \[error 0, ready\])");
    return Texts(std::sregex_token_iterator(output.begin(), output.end(), sent, 1), {});
}

// `head`, `count` times `pass`, then `tail`.
Texts sequence(Texts head, int count, const Texts& pass, const Texts& tail = {}) {
    for (int i = 0; i < count; ++i) {
        head.insert(head.end(), pass.begin(), pass.end());
    }
    head.insert(head.end(), tail.begin(), tail.end());
    return head;
}

// Every example runs to its End row, each command accepted (that each checks clean is a test of
// the build's); the patterns stand for what the random tokens draw. Saved through the dry run's
// file system, the copy stays in memory, and so does the run log.
TEST(DryRunTest, EveryExampleRunsToItsEndRowAndSavesBackByteForByte) {
    const Texts valve = {"/2A6857R", "/2A13714R", "/2A20571R", "/2A34286R", "/2A41143R", "/2A0R"};
    const Texts tokens = {R"(/1V\d+R)", R"(/1v\d+R)", R"(/1c\d+R)", R"(/1L\d+R)",
                          R"(/1K\d+R)", R"(/1C\d+R)", R"(/1S\d+R)", R"(/1A\d+R)"};
    const std::tuple<const char*, const char*, Texts> cases[] = {
        {"prime-syringe", "Ended at the End row, row 8.",
         sequence({"/2ZR", "/1ZR"}, 3, {"/2A6857R", "/1A3000R", "/2A41143R", "/1A0R"})},
        {"valve-tour", "Ended at the End row, row 11.", sequence({"/2ZR"}, 2, valve)},
        {"stepping-tokens", "Ended at the End row, row 16.",
         sequence({"/2ZR", "/1ZR", "/1A0R", "/1S1R"}, 5, tokens, {"/1A0R"})},
    };
    for (const auto& [name, ended, commands] : cases) {
        SCOPED_TRACE(name);
        const Outcome run = dryRun({example(name)});
        EXPECT_EQ(run.status, kEndedAtEndRow);
        EXPECT_NE(run.out.find(ended), std::string::npos) << run.out;
        const Texts sent = commandsIn(run.out);
        ASSERT_EQ(sent.size(), commands.size()) << run.out;
        for (std::size_t i = 0; i < sent.size(); ++i) {
            EXPECT_TRUE(std::regex_match(sent[i], std::regex(commands[i]))) << sent[i];
        }

        ReadThroughFileSystem files;
        sim::SimPlatform platform;
        platform.replaceFileSystem(files);
        app::MainForm form(platform);
        platform.dialog().answer(example(name));
        form.controls().LoadProtocol.click();
        platform.dialog().answer("copy.protocol");
        form.controls().SaveProtocol.click();
        EXPECT_EQ(platform.messages().shown(), Texts{});
        EXPECT_EQ(files.inMemory().content("copy.protocol"), readFile(example(name)));
        form.runner().RunProtocol_Click(0);
        EXPECT_TRUE(files.inMemory().exists(runner::ProtocolRunner::kRunLog));
    }
}

// The 10-hour Wait is cut at the limit: the close of the main window ends the countdown.
TEST(DryRunTest, HowARunEndsIsItsExitStatus) {
    const std::string endless = protocolFile("endless", {{"Count"}, {"Goto", "1"}});
    const std::string twoRows = protocolFile("two-rows", {{"1", "ZR"}, {"End"}});
    const std::string tooLong = protocolFile("too-long", std::vector<Row>(2001, {"Count"}));
    const std::string wait = protocolFile("wait", {{"Wait", "36000"}, {"End"}});
    const std::tuple<Texts, int, const char*> cases[] = {
        {{endless, "--limit", "90s"}, kLimitReached, "the time limit of 90s was reached"},
        {{endless, "--max-rows", "7"}, kLimitReached, "Rows executed: 7; commands sent: 0"},
        {{wait, "--json", "--limit", "2m"},
         kLimitReached,
         R"("ending":"TimeLimit","row":1,"durationSeconds":120,)"},
        {{protocolFile("no-end", {{"Count"}})}, kStoppedOtherwise, "column-one error at row 2"},
        {{twoRows, "--silent"}, kStoppedOtherwise, "the retry notice at row 1"},
        {{twoRows, "--error-code", "9"}, kEndedAtEndRow, "[error 9, ready]"},
        {{twoRows, "--json"}, kEndedAtEndRow, R"("exitStatus":0})"},
        {{::testing::TempDir() + "missing.protocol"}, kUnreadableFile, ""},
        {{tooLong}, kUnreadableFile, "\"Error Reading file\""},
        {{}, kUsageError, ""},
        {{twoRows, twoRows}, kUsageError, ""},
        {{twoRows, "--limit", "1.5h"}, kUsageError, ""},
        {{"--help"}, kEndedAtEndRow, "Usage: quendrix-dryrun"},
    };
    for (const auto& [arguments, status, says] : cases) {
        SCOPED_TRACE(arguments.empty() ? "" : arguments.back());
        const Outcome run = dryRun(arguments);
        EXPECT_EQ(run.status, status) << run.err;
        EXPECT_NE(run.out.find(says), std::string::npos) << run.out;
        EXPECT_EQ(run.err.empty(), status < kUsageError) << run.err;
    }
}

// In step mode the message follows every row, the Pause's own message and the End row's
// turn included; each is answered at once.
TEST(DryRunTest, ThePauseAndTheStepMessageAreAnsweredWithOk) {
    const Outcome run = dryRun({protocolFile("pause", {{"Pause"}, {"End"}}), "--step"});
    EXPECT_EQ(run.status, kEndedAtEndRow);
    const std::string expected =
        "     0.000 s  row 1     Pause\n"
        "     0.000 s  message \"Protocol Paused. Press OK to continue\"  (OK)\n"
        "     0.010 s  message \"Protocol paused, press OK to continue\"  (OK)\n"
        "     0.010 s  row 2     End\n"
        "     0.020 s  message \"Protocol paused, press OK to continue\"  (OK)\n";
    EXPECT_EQ(run.out.substr(0, expected.size()), expected);
}

// The drawn position's bound is the option's, and only the run log asked for reaches the
// disk; a cp1252 cell is written as UTF-8. File names are UTF-8, also beyond a Windows
// machine's ANSI code page (where the folder has a drive letter and backslashes).
TEST(DryRunTest, MaxPositionLogAndTranscript) {
    const std::string path =
        protocolFile("arnd-\u8a66\u6599",
                     {{"1", "ZR", "W"}, {"1", "ArndR", "\xB2"}, {"Loop", "2", "1"}, {"End"}});
    const std::string log = ::testing::TempDir() + "dry-run-log-\u00b5\u0394.txt";
    const std::string transcript = ::testing::TempDir() + "dry-run-transcript-\u8a66.txt";
    const Outcome run =
        dryRun({path, "--max-position", "1", "--log", log, "--transcript", transcript});
    EXPECT_EQ(commandsIn(run.out), (Texts{"/1ZR", "/1A1R", "/1A1R"}));
    EXPECT_NE(run.out.find("ArndR | \xC2\xB2  =>"), std::string::npos) << run.out;
    EXPECT_NE(readFile(log).find("\"Sent     : /1A1R\"\r\n"), std::string::npos);
    EXPECT_NE(readFile(transcript).find(" host>sim 41 A\n"), std::string::npos);

    // A record that cannot be written is told, and changes nothing in how the run ends.
    const Outcome unrecorded = dryRun({path, "--record", "/proc/none"});
    EXPECT_EQ(unrecorded.status, run.status);
    EXPECT_TRUE(unrecorded.err.starts_with("quendrix-dryrun: run record not written: cannot make "))
        << unrecorded.err;
}

// Each command's reply as the program decoded it, from the run log: the status byte of the
// first raw reply logged after the command's send entry, as the rows show a status. A data
// part longer than three characters is logged first, on a line of its own.
Texts decodedAfterEachSend(const std::string& log) {
    Texts records;
    for (std::size_t at = 0, end; (end = log.find("\"\r\n", at)) != std::string::npos;
         at = end + 3) {
        records.push_back(log.substr(at + 1, end - at - 1));
    }
    const std::string received = "Received : ";
    const auto text = [&](std::size_t i) {
        const bool is = i < records.size() && records[i].starts_with(received);
        return is ? std::optional(records[i].substr(received.size())) : std::nullopt;
    };
    Texts statuses;
    for (std::size_t i = 0; i < records.size(); ++i) {
        if (!records[i].starts_with("Sent") || !text(i + 1)) {
            continue;
        }
        std::string raw = *text(i + 1);
        if (const auto next = text(i + 2); next && next->size() > 3) {
            std::string data = next->substr(3);
            std::erase(data, '\n');
            raw = data == raw ? *next : raw;
        }
        const auto status = static_cast<unsigned char>(raw.at(2));
        statuses.push_back("error " + std::to_string(status & 0x0F) +
                           ((status & 0x20) != 0 ? ", ready" : ", busy"));
    }
    return statuses;
}

// A CR before every reply decodes whatever the receive buffer holds: the noise that came
// after the runner emptied it. The rows show the status the program decoded, noise or not.
TEST(DryRunTest, AStrayCarriageReturnDecodesInTheRowsAsInTheProgram) {
    const std::string path = protocolFile("stray", {{"1", "ZR", "W"},
                                                    {"Wait", "1"},
                                                    {"2", "ZR", "W"},
                                                    {"Wait", "1"},
                                                    {"1", "A3000R", ""},
                                                    {"2", "A6857R", "W"},
                                                    {"End"}});
    const std::string log = ::testing::TempDir() + "dry-run-stray-log.txt";
    const Outcome run = dryRun({path, "--stray-cr", "--garbage", "--seed", "3", "--log", log});
    static const std::regex status(R"(=>  \S+  \[(error \d+, \w+))");
    const Texts shown(std::sregex_token_iterator(run.out.begin(), run.out.end(), status, 1), {});
    const Texts decoded = decodedAfterEachSend(readFile(log));
    EXPECT_EQ(shown, decoded) << run.out;
    EXPECT_EQ(decoded.front(), "error 12, busy") << "noise taken for the reply";
}

// One small protocol for each finding, its rows "address|command|flag" apart by ";", and
// the options: the findings after "Check:", each its row, severity and words (apart by "\n"),
// and the exit status. The run's own errors are counted, not repeated.
TEST(DryRunTest, CheckNamesEachFindingWithItsRow) {
    const std::tuple<const char*, const char*, int, const char*> cases[] = {
        {"1|A100R|W;1|?;Loop|1|2;End", "", kErrorsFound,
         "row 1: error: error 7, not initialised: the drive was told to move before it was "
         "initialised with Z, Y or W (3 times)"},
        {"2|ZR|W;1|ZR|W;2|A24000R;1|A3000R|W;End", "", kErrorsFound,
         "row 4: error: error 9, overload: the plunger moved while the valve was turning"},
        {"2|ZR|W;1|ZR|W;1|A24000R;2|A6857R|W;1|A0R;End", "", kErrorsFound,
         "row 3: error: error 9, overload\nrow 5: error: error 7, not initialised"},
        {"2|ZR|W;1|ZR|W;1|A24000R;2|A6857R|W;End", "", kErrorsFound,
         "row 3: error: error 9, overload"},
        {"1|ZR|W;1|A99999R;End", "", kErrorsFound, "row 2: error: error 2, invalid operand"},
        {"Count;end", "", kStoppedOtherwise,
         "row 2: error: \"end\" is not a keyword; did you mean \"End\"?"},
        {" End", "", kStoppedOtherwise,
         "row 1: error: \" End\" is not a keyword; did you mean \"End\"?"},
        {"End;Lopo|1|1", "", kEndedAtEndRow,
         "row 2: warning: \"Lopo\" is not a keyword; did you mean \"Loop\"?"},
        {"Count", "", kStoppedOtherwise, "row 2: error: the row is empty and the run stops here"},
        {"1|ZR;End", "--silent", kStoppedOtherwise,
         "row 1: error: the controller at address \"1\" answered nothing for 60 s"},
        {"Count;Loop|1|2.5;End", "--max-rows 9", kLimitReached,
         "row 2: error: the run reached the limit of 9 rows here\n"
         "row 2: warning: Loop count \"2.5\" is not a whole number"},
        {"Loop|1|-1;End", "--limit 1m", kLimitReached,
         "row 1: error: the run reached the time limit of 1m here\n"
         "row 1: warning: Loop count \"-1\" is negative"},
        {"1|ZR|w;End", "", kEndedAtEndRow, "row 1: warning: \"w\" in column 3 does not wait"},
        {"Wait|150.5;End", "", kEndedAtEndRow,
         "row 1: warning: Wait of 151 s is above the longest wait of 150 s"},
        {"Wait|10;End", "--max-wait 5", kEndedAtEndRow,
         "row 1: warning: Wait of 10 s is above the longest wait of 5 s"},
        {"End;Goto|5", "", kEndedAtEndRow,
         "row 2: warning: Goto jumps to row 5, which has nothing in column 1"},
        {"End;Loop|2001|1", "", kEndedAtEndRow,
         "row 2: warning: Loop jumps to \"2001\", which is not a row from 1 to 2000"},
        {"Pause;End", "", kEndedAtEndRow,
         "row 1: note: Pause: the run waits here until someone presses OK"},
        {"1|ZR|W;1|P100R|W;End", "", kEndedAtEndRow, "row 2: note: relative move \"P100R\""},
    };
    const auto split = [](std::string_view text, char by) {
        Texts parts;
        for (const auto& part : std::views::split(text, by)) {
            parts.emplace_back(part.begin(), part.end());
        }
        return parts;
    };
    int number = 0;
    for (const auto& [protocol, options, status, findings] : cases) {
        SCOPED_TRACE(protocol);
        std::vector<Row> rows;
        for (const std::string& row : split(protocol, ';')) {
            const Texts cells = split(row, '|');
            std::copy(cells.begin(), cells.end(), rows.emplace_back().begin());
        }
        Texts arguments = {protocolFile("check" + std::to_string(++number), rows), "--check"};
        if (*options != '\0') {
            std::ranges::copy(split(options, ' '), std::back_inserter(arguments));
        }
        const Outcome run = dryRun(arguments);
        EXPECT_EQ(run.status, status);
        const Texts found = split(run.out.substr(run.out.rfind("\nCheck: ") + 1), '\n');
        const Texts expected = split(findings, '\n');
        ASSERT_EQ(found.size(), expected.size() + 2) << run.out;  // and nothing after the last
        EXPECT_TRUE(found[0].starts_with("Check: ")) << run.out;
        for (std::size_t i = 0; i < expected.size(); ++i) {
            EXPECT_TRUE(found[i + 1].starts_with(expected[i])) << found[i + 1];
        }
        EXPECT_EQ(found.back(), "");
    }
}

// Without --check nothing is said of the protocol and the status is the run's; with --json
// the findings are a member of the summary.
TEST(DryRunTest, CheckFindingsInJsonAndOnlyWhenAsked) {
    const std::string path = protocolFile("unhomed-w", {{"1", "A1R", "w"}, {"End"}});
    const Outcome plain = dryRun({path});
    EXPECT_EQ(plain.status, kEndedAtEndRow);
    EXPECT_EQ(plain.out.find("Check:"), std::string::npos);
    const Outcome json = dryRun({path, "--check", "--json"});
    EXPECT_EQ(json.status, kErrorsFound);
    for (const char* member :
         {R"("findings":[{"row":1,"severity":"error","text":"error 7, not initialised: )",
          R"({"row":1,"severity":"warning","text":"\"w\" in column 3 )", R"("exitStatus":3})"}) {
        EXPECT_NE(json.out.find(member), std::string::npos) << json.out;
    }
}

TEST(DryRunTest, DurationsTakeAUnit) {
    const std::pair<const char*, std::optional<sim::Micros>> cases[] = {
        {"90s", 90s}, {"10m", 10min}, {"2h", 2h},  {"1d", 24h}, {"15", 15s}, {"0s", {}},
        {"1.5h", {}}, {"5x", {}},     {"-1s", {}}, {"", {}},    {"h", {}},   {"99999999d", {}},
    };
    for (const auto& [text, duration] : cases) {
        EXPECT_EQ(parseDuration(text), duration) << text;
    }
}

}  // namespace
}  // namespace quendrix::dryrun
