#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <variant>
#include <vector>

#include "control/Dispatcher.h"
#include "control/Request.h"
#include "core/runner/RunRig.h"
#include "record/ProcessIdentity.h"

namespace quendrix::control {
namespace {

using json = nlohmann::ordered_json;
using runner::testing::Row;
using runner::testing::RunRig;
using namespace std::chrono_literals;

// Lines that are no request, each with the error it gets and the id given back.
TEST(RequestParserTest, EveryBadLineGetsItsError) {
    struct Case {
        std::string line;
        std::string error;
        json id;
    };
    const std::vector<Case> cases{
        {"{\"id\": 1, \"cmd\": \"status\"", "the line is not JSON", nullptr},
        {"[1, 2]", "a request is a JSON object", nullptr},
        {R"({"id": 2, "cmd": "fly"})", "unknown request \"fly\"", 2},
        {R"({"id": [3], "cmd": "status"})", "\"id\" must be a number or a text", nullptr},
        {R"({"id": "a", "cmd": 5})", "\"cmd\" must be a text naming the request", "a"},
        {R"({"id": 4, "cmd": "load"})", "\"path\" must be a file name", 4},
        {R"({"id": 5, "cmd": "save", "path": "p", "overwrite": 1})",
         "\"overwrite\" must be true or false", 5},
        {R"({"id": 6, "cmd": "wait", "timeout": -1})",
         "\"timeout\" must be a number of seconds from 0 to 86400", 6},
        {R"({"id": 7, "cmd": "send", "address": 10, "command": "ZR"})",
         "\"address\" must be a controller address from 0 to 9", 7},
        {R"({"id": 8, "cmd": "send", "address": 1, "command": "Z\rR"})",
         "\"command\" must be printable ASCII", 8},
        {"{\"cmd\": \"status\", \"pad\": \"" + std::string(kLineLimit, ' ') + "\"}",
         "the line is longer than 65536 bytes", nullptr},
    };
    for (const auto& c : cases) {
        const auto parsed = parseRequest(c.line);
        ASSERT_TRUE(std::holds_alternative<RequestError>(parsed)) << c.line;
        EXPECT_EQ(std::get<RequestError>(parsed).message, c.error);
        EXPECT_EQ(std::get<RequestError>(parsed).id, c.id);
    }
    const auto wait = std::get<Request>(parseRequest(R"({"cmd": "wait", "timeout": 1.5})"));
    EXPECT_EQ(wait.timeout, 1500ms);
    EXPECT_TRUE(wait.id.is_null());
}

class TestHost final : public Host {
public:
    explicit TestHost(sim::SimPlatform& platform) : platform_(platform) {}
    std::string timeText() override {
        return std::to_string(platform_.clock().now().count()) + " us";
    }
    bool fileExists(const std::string& path) override { return platform_.files().exists(path); }

private:
    sim::SimPlatform& platform_;
};

// The main window on the simulated instrument with a dispatcher and two clients: 1 sends
// requests, 2 listens to events.
class DispatcherTest : public ::testing::Test {
protected:
    explicit DispatcherTest(const std::vector<Row>& rows = {{"1", "ZR", "W"}, {"End"}})
        : rig(rows) {
        dispatcher.attach(
            1, [this](const std::string& line) { replies.push_back(json::parse(line)); });
        dispatcher.attach(2,
                          [this](const std::string& line) { events.push_back(json::parse(line)); });
        dispatcher.handle(2, R"({"id": 0, "cmd": "events"})");
    }
    json request(const std::string& line, ClientId client = 1) {
        const auto before = replies.size();
        dispatcher.handle(client, line);
        return replies.size() > before ? replies.back() : json();
    }
    // Pumps until client 1 has `count` replies.
    void pumpUntilReplies(std::size_t count) {
        while (replies.size() < count) {
            rig.platform.pump().pumpOnce();
        }
    }
    std::vector<std::string> eventNames() const {
        std::vector<std::string> names;
        for (const auto& e : events) {
            if (e.contains("event")) {
                names.push_back(e["event"]);
            }
        }
        return names;
    }
    // At virtual time `at`, `action` runs from the event loop, as a client's line would.
    void at(sim::Micros when, std::function<void()> action) {
        rig.platform.clock().at(when, std::move(action));
    }

    ~DispatcherTest() override { std::filesystem::remove_all(records); }

    RunRig rig;
    const std::filesystem::path records =
        std::filesystem::path(::testing::TempDir()) /
        ("control-records-" + std::to_string(record::thisProcessId()));
    app::RunRecorder recorder{
        rig.form, rig.platform, {records, true, record::RecordWriter::Mode::Synchronous}};
    TestHost host{rig.platform};
    Dispatcher dispatcher{rig.form, rig.platform, host, &recorder};
    std::vector<json> replies;
    std::vector<json> events;
};

// Run is answered at once and performed from the event loop; wait answers with the ending;
// the "stopped" event comes when the run handler is done, so a run asked for then starts.
TEST_F(DispatcherTest, RunIsAnsweredAtOnceAndWaitAnswersWithTheEnding) {
    EXPECT_EQ(request(R"({"id": 1, "cmd": "run"})"), (json{{"id", 1}, {"ok", true}}));
    EXPECT_FALSE(rig.form.runner().running());
    const json status = request(R"({"id": 2, "cmd": "status"})");
    EXPECT_EQ(status["running"], true);
    EXPECT_EQ(status["record"], nullptr) << "started from the event loop, not yet";
    EXPECT_EQ(request(R"({"id": 3, "cmd": "wait"})"), json());
    std::optional<json> rerun;
    const auto stopped = rig.form.runner().onRunEnded.subscribe([&](const runner::RunReport&) {
        at(rig.platform.clock().now(), [&] { rerun = request(R"({"id": 4, "cmd": "run"})"); });
    });
    pumpUntilReplies(3);
    EXPECT_EQ(replies[2], (json{{"id", 3},
                                {"ok", true},
                                {"running", false},
                                {"ended", "end-row"},
                                {"row", 2},
                                {"rows", 2},
                                {"commands", 1},
                                {"record", (records / "2026-01-01T00-00-00").string()}}));
    const auto names = eventNames();
    EXPECT_EQ(names.front(), "row");
    EXPECT_EQ(names[1], "reply");
    EXPECT_EQ(names.back(), "stopped");
    EXPECT_EQ(events.back()["ended"], "end-row");
    while (!rerun) {
        rig.platform.pump().pumpOnce();
    }
    EXPECT_EQ(*rerun, (json{{"id", 4}, {"ok", true}}));
}

// During a run the requests that click are refused before their handler: no box, no reset
// of the test counter or the mode. End stops the run; wait then reports it stopped.
TEST_F(DispatcherTest, ClicksAreRefusedDuringARunAndEndStopsIt) {
    request(R"({"id": 1, "cmd": "step"})");
    request(R"({"id": 2, "cmd": "wait", "timeout": 600})");
    std::vector<json> refused;
    rig.platform.messages().whenShown([&](const std::string&) {
        rig.c.intTestCounter.setText("7");
        for (const char* line : {R"({"id": 3, "cmd": "run"})", R"({"id": 4, "cmd": "step"})",
                                 R"({"id": 5, "cmd": "load", "path": "p"})"}) {
            refused.push_back(request(line));
        }
        EXPECT_EQ(request(R"({"id": 6, "cmd": "status"})")["step_mode"], true);
        request(R"({"id": 7, "cmd": "end"})");
    });
    pumpUntilReplies(6);
    for (const auto& reply : refused) {
        EXPECT_EQ(reply["error"], "a run is going");
    }
    EXPECT_EQ(rig.messages(), (std::vector<std::string>{"Protocol paused, press OK to continue"}));
    EXPECT_EQ(rig.c.intTestCounter.text(), "7");
    EXPECT_EQ(replies.back()["id"], 2);
    EXPECT_EQ(replies.back()["ended"], "stopped");
}

class PauseTest : public DispatcherTest {
protected:
    PauseTest() : DispatcherTest({{"Pause"}, {"End"}}) {}
};

// A Pause message shows in status and events; answer presses its OK, and the run goes on.
TEST_F(PauseTest, AnswerPressesOkOnTheMessageTheRunWaitsOn) {
    auto& messages = rig.platform.messages();
    messages.whenShown([&](const std::string&) {
        while (messages.presses() == 0) {
            rig.platform.pump().pumpOnce();
        }
    });
    EXPECT_EQ(request(R"({"id": 1, "cmd": "answer"})")["error"], "no message is on screen");
    request(R"({"id": 2, "cmd": "run"})");
    at(rig.platform.clock().now() + 5s, [&] {
        EXPECT_EQ(request(R"({"id": 3, "cmd": "status"})")["message"],
                  "Protocol Paused. Press OK to continue");
        EXPECT_EQ(request(R"({"id": 4, "cmd": "send", "address": 1, "command": "ZR"})")["error"],
                  "a run is going");
        request(R"({"id": 5, "cmd": "answer"})");
    });
    request(R"({"id": 6, "cmd": "wait", "timeout": 60})");
    pumpUntilReplies(6);
    EXPECT_EQ(replies.back()["ended"], "end-row");
    EXPECT_EQ(eventNames(),
              (std::vector<std::string>{"row", "message", "answered", "row", "stopped"}));
}

class LongWaitTest : public DispatcherTest {
protected:
    LongWaitTest() : DispatcherTest({{"Wait", "100"}, {"End"}}) {}
};

// A wait times out with the run still going; a client gone inside its wait hears nothing
// more, and the others go on being served.
TEST_F(LongWaitTest, WaitTimesOutAndAClientGoneInsideItsWaitIsForgotten) {
    request(R"({"id": 1, "cmd": "run"})");
    request(R"({"id": 2, "cmd": "wait", "timeout": 0.5})");
    dispatcher.handle(2, R"({"id": 3, "cmd": "wait"})");
    dispatcher.detach(2);
    pumpUntilReplies(2);
    EXPECT_EQ(replies[1], (json{{"id", 2}, {"ok", true}, {"running", true}}));
    request(R"({"id": 4, "cmd": "wait"})");
    const auto eventsBefore = events.size();
    pumpUntilReplies(3);
    EXPECT_EQ(replies[2]["ended"], "end-row");
    EXPECT_EQ(events.size(), eventsBefore);
}

// Load and save take the path as the dialog's answer; a file that cannot be read gets the
// program's message as the error; save does not replace a file unless told to.
TEST_F(DispatcherTest, LoadAndSaveTakeThePathForTheDialogsAnswer) {
    EXPECT_EQ(request(R"({"id": 1, "cmd": "save", "path": "a.protocol"})"),
              (json{{"id", 1}, {"ok", true}, {"file", "a.protocol"}}));
    EXPECT_EQ(request(R"({"id": 2, "cmd": "save", "path": "a.protocol"})")["error"],
              "the file exists; \"overwrite\": true replaces it");
    rig.grid.setTextMatrix(1, 2, "A100R");
    EXPECT_EQ(request(R"({"id": 3, "cmd": "save", "path": "a.protocol", "overwrite": true})")["ok"],
              true);
    rig.c.NewProtocol.click();
    EXPECT_EQ(request(R"({"id": 4, "cmd": "load", "path": "a.protocol"})")["ok"], true);
    EXPECT_EQ(rig.grid.TextMatrix(1, 2), "A100R");
    EXPECT_EQ(request(R"({"id": 5, "cmd": "load", "path": "missing"})")["error"],
              "Error Reading file");
    EXPECT_EQ(request(R"({"id": 6, "cmd": "status"})")["file"], "missing");
    EXPECT_TRUE(rig.platform.dialog().shown().empty());
}

// Send and query do what the Communications panel's buttons do and return the decoded reply.
TEST_F(DispatcherTest, SendAndQueryReturnTheDecodedReply) {
    const json sent = request(R"({"id": 1, "cmd": "send", "address": 2, "command": "ZR"})");
    EXPECT_EQ(sent["ok"], true);
    EXPECT_EQ(sent["error"], 0);
    EXPECT_EQ(sent["ready"], true);
    EXPECT_EQ(rig.c.strPumpString.text(), "/2ZR");
    request(R"({"id": 2, "cmd": "query", "address": 1})");
    pumpUntilReplies(2);
    EXPECT_EQ(replies[1]["ok"], true);
    EXPECT_EQ(rig.sent("/1Q"), 1);
}

}  // namespace
}  // namespace quendrix::control
