#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalSocket>
#include <QStandardPaths>
#include <atomic>
#include <filesystem>
#include <functional>
#include <memory>
#include <nlohmann/json.hpp>
#include <string>
#include <thread>
#include <vector>

#include "qt/QtPlatform.h"
#include "qt/control/ControlServer.h"
#include "support/ClientThread.h"
#include "support/ConfigHome.h"

namespace quendrix::qt {
namespace {

using json = nlohmann::json;
using testsupport::pumpUntil;

// A client on a real socket. It lives in the script's thread and blocks there, as a client
// in a process of its own would, while the test's main thread runs the program.
class Client {
public:
    explicit Client(const QString& path) {
        socket_.connectToServer(path);
        connected_ = socket_.waitForConnected(kWaitMs);
    }
    bool connected() const { return connected_; }
    void send(const std::string& line) {
        socket_.write(QByteArray::fromStdString(line + "\n"));
        socket_.waitForBytesWritten(kWaitMs);
    }
    // Sends a request and returns its reply.
    json request(const std::string& line) {
        const json id = json::parse(line).value("id", json());
        send(line);
        return next([&](const json& l) { return l.contains("ok") && l["id"] == id; });
    }
    // The next event of this name.
    json event(const std::string& name) {
        return next([&](const json& l) { return l.value("event", "") == name; });
    }
    // The next line, whatever it is.
    json line() {
        return next([](const json&) { return true; });
    }
    bool closed() {
        while (socket_.state() == QLocalSocket::ConnectedState) {
            socket_.readAll();
            socket_.waitForReadyRead(kWaitMs);
        }
        return true;
    }
    QLocalSocket& socket() { return socket_; }

private:
    static constexpr int kWaitMs = 10000;

    template <typename Wanted>
    json next(Wanted wanted) {
        for (;;) {
            if (const qsizetype end = buffer_.indexOf('\n'); end >= 0) {
                json l = json::parse(buffer_.left(end).toStdString());
                buffer_.remove(0, end + 1);
                if (wanted(l)) {
                    return l;
                }
                continue;
            }
            if (socket_.bytesAvailable() == 0 && !socket_.waitForReadyRead(kWaitMs)) {
                return json();
            }
            buffer_ += socket_.readAll();
        }
    }

    QLocalSocket socket_;
    QByteArray buffer_;
    bool connected_ = false;
};

// The program on the demo line with its control socket in the test's own run-time folder.
class ControlServerTest : public ::testing::Test {
protected:
    ControlServerTest() {
        config.mapPort(1, QStringLiteral("sim"));
        platform = std::make_unique<QtPlatform>();
        form = std::make_unique<app::MainForm>(*platform);
        server = std::make_unique<ControlServer>(*form, *platform);
        path = ControlServer::defaultSocketPath();
        listening = server->listen(path);
    }
    void protocol(const std::vector<std::vector<std::string>>& rows) {
        for (int r = 1; const auto& row : rows) {
            for (int c = 1; const auto& cell : row) {
                form->controls().MSFlexGrid1.setTextMatrix(r, c++, cell);
            }
            ++r;
        }
    }

    testsupport::ConfigHome config;
    std::unique_ptr<QtPlatform> platform;
    std::unique_ptr<app::MainForm> form;
    std::unique_ptr<ControlServer> server;
    QString path;
    bool listening = false;
};

void script(const std::function<void()>& body) {
    testsupport::serveClient(body, std::chrono::seconds(60));
}

// Saved, loaded back, run and waited for, over the socket; a second client hears the rows and
// replies as they come.
TEST_F(ControlServerTest, LoadRunWaitRoundTripWithAnEventsClient) {
    ASSERT_TRUE(listening);
    protocol({{"1", "ZR", "W"}, {"End"}});
    const std::string file = QDir::temp().filePath("control-test.protocol").toStdString();
    QFile::remove(QString::fromStdString(file));
    script([&] {
        Client client(path), listener(path);
        EXPECT_EQ(listener.request(R"({"id": 1, "cmd": "events"})")["ok"], true);
        EXPECT_EQ(client.request(R"({"id": 2, "cmd": "save", "path": ")" + file + "\"}")["ok"],
                  true);
        EXPECT_EQ(client.request(R"({"id": 3, "cmd": "load", "path": ")" + file + "\"}")["ok"],
                  true);
        EXPECT_EQ(client.request(R"({"id": 4, "cmd": "run"})")["ok"], true);
        const json ended = client.request(R"({"id": 5, "cmd": "wait", "timeout": 30})");
        EXPECT_EQ(ended["ended"], "end-row");
        EXPECT_EQ(ended["row"], 2);
        EXPECT_EQ(listener.event("row")["row"], 1);
        EXPECT_EQ(listener.event("reply")["error"], 0);
        EXPECT_EQ(listener.event("stopped")["ended"], "end-row");
        EXPECT_EQ(client.request(R"({"id": 6, "cmd": "status"})")["caption"], "Protocol Stopped");
    });
    QFile::remove(QString::fromStdString(file));
}

// One client runs; the other sees the Pause message, answers it the first time and ends the
// run the second; a client gone inside its wait changes nothing for the others.
TEST_F(ControlServerTest, AnswerOnAPauseAndEndMidRunFromTwoClients) {
    ASSERT_TRUE(listening);
    protocol({{"Pause"}, {"End"}});
    script([&] {
        Client runner(path), watcher(path);
        watcher.request(R"({"id": 1, "cmd": "events"})");
        runner.request(R"({"id": 2, "cmd": "run"})");
        EXPECT_EQ(watcher.event("message")["text"], "Protocol Paused. Press OK to continue");
        EXPECT_EQ(watcher.request(R"({"id": 3, "cmd": "status"})")["message"],
                  "Protocol Paused. Press OK to continue");
        EXPECT_EQ(runner.request(R"({"id": 4, "cmd": "run"})")["error"], "a run is going");
        {
            Client leaving(path);
            leaving.send(R"({"id": 5, "cmd": "wait"})");
        }
        EXPECT_EQ(watcher.request(R"({"id": 6, "cmd": "answer"})")["ok"], true);
        EXPECT_EQ(runner.request(R"({"id": 7, "cmd": "wait", "timeout": 30})")["ended"], "end-row");

        runner.request(R"({"id": 8, "cmd": "run"})");
        watcher.event("message");
        watcher.request(R"({"id": 9, "cmd": "end"})");
        watcher.request(R"({"id": 10, "cmd": "answer"})");
        EXPECT_EQ(runner.request(R"({"id": 11, "cmd": "wait", "timeout": 30})")["ended"],
                  "stopped");
        EXPECT_EQ(watcher.event("stopped")["ended"], "stopped");
    });
}

// Each bad input gets its JSON error; an endless line and a ninth client also lose the
// connection; the window's message for a file that cannot be read stays until answered.
TEST_F(ControlServerTest, BadInputGetsAnErrorOrAClosedConnection) {
    ASSERT_TRUE(listening);
    script([&] {
        Client client(path);
        const std::vector<std::pair<std::string, std::string>> cases{
            {R"({"id": 1, "cmd": )", "the line is not JSON"},
            {R"({"id": 2, "cmd": "fly"})", "unknown request \"fly\""},
            {R"({"id": 3, "cmd": "load", "path": "/no/such/file"})", "Error Reading file"},
            {R"({"id": 4, "cmd": "run"})",
             "a message waits for its answer: \"Error Reading file\""},
        };
        for (const auto& [line, error] : cases) {
            client.send(line);
            EXPECT_EQ(client.line()["error"], error) << line;
        }
        EXPECT_EQ(client.request(R"({"id": 5, "cmd": "answer"})")["text"], "Error Reading file");

        std::vector<std::unique_ptr<Client>> others;
        for (int i = 0; i < ControlServer::kMaxClients - 1; ++i) {
            others.push_back(std::make_unique<Client>(path));
            EXPECT_EQ(others.back()->request(R"({"id": 6, "cmd": "status"})")["ok"], true);
        }
        Client ninth(path);
        EXPECT_EQ(ninth.line()["error"], "too many clients: 8 are connected");
        EXPECT_TRUE(ninth.closed());
        Client& flooding = *others.back();
        flooding.socket().write(QByteArray(70 * 1024, 'x'));
        EXPECT_EQ(flooding.line()["error"],
                  "the line is longer than 65536 bytes; the connection closes");
        EXPECT_TRUE(flooding.closed());
        EXPECT_EQ(client.request(R"({"id": 7, "cmd": "status"})")["ok"], true);
    });
}

// A client whose unread output passes the limit is let go; the others are served on.
TEST_F(ControlServerTest, AClientThatLeavesTooMuchUnreadIsDisconnected) {
    ASSERT_TRUE(listening);
    server->setOutputLimit(1000);
    script([&] {
        Client client(path);
        std::string many;
        for (int i = 0; i < 20; ++i) {
            many += R"({"id": 1, "cmd": "status"})"
                    "\n";
        }
        client.send(many);
        int replies = 0;
        while (!client.line().is_null()) {
            ++replies;
        }
        EXPECT_LT(replies, 20);
        EXPECT_TRUE(client.closed());
        EXPECT_EQ(Client(path).request(R"({"id": 2, "cmd": "status"})")["ok"], true);
    });
}

// The socket is its user's alone; a second program finds it answered and does without; a
// dead socket file is replaced.
TEST_F(ControlServerTest, SocketIsPrivateAndNotTakenOverWhileAlive) {
    ASSERT_TRUE(listening);
    namespace fs = std::filesystem;
    const auto perms = [](const QString& file) {
        return fs::status(file.toStdString()).permissions();
    };
    EXPECT_EQ(perms(QFileInfo(path).absolutePath()), fs::perms::owner_all);
    EXPECT_EQ(perms(path) & (fs::perms::group_all | fs::perms::others_all), fs::perms::none);
    ControlServer second(*form, *platform);
    EXPECT_FALSE(second.listen(path));
    script([&] { EXPECT_TRUE(Client(path).connected()); });
    server.reset();
    QFile stale(path);
    ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
    stale.close();
    ControlServer third(*form, *platform);
    EXPECT_TRUE(third.listen(path));
    script([&] { EXPECT_TRUE(Client(path).connected()); });
}

}  // namespace
}  // namespace quendrix::qt
