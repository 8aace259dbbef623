#pragma once

#include <cstdint>
#include <functional>
#include <list>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/MainForm.h"
#include "app/RunRecorder.h"
#include "control/Host.h"
#include "control/Request.h"
#include "platform/ChangeNotifier.h"
#include "platform/Platform.h"
#include "platform/Timer.h"
#include "runner/RunReport.h"

namespace quendrix::control {

using ClientId = std::uint64_t;

// Serves the clients of the control socket: each request line is answered through the same
// handlers as the operator's clicks, and events go to the clients that asked for them. A run
// is started from a timer, so that requests are served while it goes; the requests that
// click are refused while a run goes, a message waits for its answer or another request's
// handler is still working, so that no client's click interrupts anything.
class Dispatcher {
public:
    // Writes one line to a client; the server decides what to do with a client that does
    // not read.
    using Writer = std::function<void(const std::string&)>;

    static constexpr int kQueryTimeoutMs = 1000;

    // Without a recorder, runs name no record folder.
    Dispatcher(app::MainForm& form, platform::Platform& platform, Host& host,
               const app::RunRecorder* recorder = nullptr);
    Dispatcher(const Dispatcher&) = delete;
    Dispatcher& operator=(const Dispatcher&) = delete;

    void attach(ClientId client, Writer writer);
    // The client is gone: its waits and queries are dropped, nothing more is written to it.
    void detach(ClientId client);
    void handle(ClientId client, std::string_view line);

    // The record folder of the run going, or else of the last run.
    std::optional<std::string> currentRecordFolder() const;

private:
    struct Pending {
        ClientId client;
        nlohmann::ordered_json id;
        platform::Timer* timer;
        platform::Subscription tick;
        platform::Subscription reply;  // a query's
    };

    void dispatch(ClientId client, const Request& request);
    void write(ClientId client, const std::string& line);
    void broadcast(std::string_view name, nlohmann::ordered_json fields);
    // The requests that click a button, refused while anything could be interrupted.
    static bool clicks(Command command);
    std::optional<std::string> refusal() const;
    bool starting() const;

    nlohmann::ordered_json status() const;
    void startRun(ClientId client, const Request& request, std::int16_t index);
    void performStart();
    void end(ClientId client, const Request& request);
    void wait(ClientId client, const Request& request);
    void load(ClientId client, const Request& request);
    void save(ClientId client, const Request& request);
    void send(ClientId client, const Request& request);
    void query(ClientId client, const Request& request);
    void answer(ClientId client, const Request& request);
    // Calls a click handler; a message it shows answers the request with an error at once.
    // Returns whether it returned without showing one.
    bool click(ClientId client, const Request& request, const std::function<void()>& handler);

    void runStopped(const std::optional<runner::RunReport>& report);
    nlohmann::ordered_json ending() const;
    Pending& addPending(std::list<Pending>& list, ClientId client, const Request& request,
                        int intervalMs,
                        std::function<void(ClientId, const nlohmann::ordered_json&)> expired);
    void finish(std::list<Pending>& list, std::list<Pending>::iterator it);

    app::MainForm& form_;
    platform::Platform& platform_;
    Host& host_;
    const app::RunRecorder* recorder_;
    std::map<ClientId, Writer> clients_;
    std::map<ClientId, bool> listening_;
    platform::Timer startTimer_;
    std::optional<std::int16_t> pendingStart_;  // from a run request until its click returns
    bool stoppedSeen_ = false;
    bool inHandler_ = false;
    std::optional<runner::RunReport> lastRun_;
    bool lastStarted_ = false;
    std::list<Pending> waits_;
    std::list<Pending> queries_;
    std::vector<std::unique_ptr<platform::Timer>> spareTimers_;
    std::vector<platform::Subscription> handlers_;
};

}  // namespace quendrix::control
