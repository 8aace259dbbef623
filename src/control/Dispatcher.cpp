#include "control/Dispatcher.h"

#include <algorithm>
#include <utility>
#include <variant>

#include "common/CodePage.h"
#include "control/Replies.h"
#include "device/Reply.h"
#include "platform/PathText.h"

namespace quendrix::control {
namespace {

using json = nlohmann::ordered_json;

// The start of a run follows its request as soon as the event loop turns.
constexpr int kStartDelayMs = 1;

const char* endingName(runner::RunReport::Ending ending) {
    switch (ending) {
        case runner::RunReport::Ending::EndRow:
            return "end-row";
        case runner::RunReport::Ending::ColumnOneError:
            return "column-one-error";
        case runner::RunReport::Ending::RetryNotice:
            return "retries-exhausted";
        case runner::RunReport::Ending::Stopped:
            return "stopped";
    }
    return "stopped";
}

// A counter box holds a number; anything else it holds is shown as it stands.
json counter(const platform::TextBox& box) {
    const std::string& text = box.text();
    if (!text.empty() && text.size() < 10 &&
        std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return std::stol(text);
    }
    return utf8FromCodePage(text);
}

json replyFields(const device::Reply& reply, const form::Inventory& controls) {
    return {{"raw", utf8FromCodePage(controls.Text3.text())},
            {"error", reply.errorCode},
            {"ready", reply.ready},
            {"data", utf8FromCodePage(reply.data)}};
}

json optionalText(const std::optional<std::string>& text) {
    return text ? json(utf8FromCodePage(*text)) : json(nullptr);
}

}  // namespace

Dispatcher::Dispatcher(app::MainForm& form, platform::Platform& platform, Host& host,
                       const app::RunRecorder* recorder)
    : form_(form),
      platform_(platform),
      host_(host),
      recorder_(recorder),
      startTimer_("tmrControlStart", platform.timerScheduler(), kStartDelayMs) {
    handlers_.push_back(startTimer_.onTick.subscribe([this] { performStart(); }));
    auto& runner = form_.runner();
    handlers_.push_back(runner.onRowStarted.subscribe([this](int row) {
        broadcast("row", {{"row", row}});
    }));
    handlers_.push_back(runner.onRunEnded.subscribe(
        [this](const runner::RunReport& report) { runStopped(report); }));
    handlers_.push_back(
        form_.deviceLink().onReplyDecoded().subscribe([this](const device::Reply& reply) {
            broadcast("reply", replyFields(reply, form_.controls()));
        }));
    auto& messages = platform_.messageBox();
    handlers_.push_back(messages.onShown.subscribe([this](const std::string& text) {
        broadcast("message", {{"text", utf8FromCodePage(text)}});
    }));
    handlers_.push_back(messages.onClosed.subscribe([this](const std::string& text) {
        broadcast("answered", {{"text", utf8FromCodePage(text)}});
    }));
}

std::optional<std::string> Dispatcher::currentRecordFolder() const {
    if (recorder_ == nullptr) {
        return std::nullopt;
    }
    const auto folder = recorder_->newestFolder();
    return folder ? std::optional(platform::toText(*folder)) : std::nullopt;
}

void Dispatcher::attach(ClientId client, Writer writer) {
    clients_[client] = std::move(writer);
    listening_[client] = false;
}

void Dispatcher::detach(ClientId client) {
    clients_.erase(client);
    listening_.erase(client);
    for (auto* list : {&waits_, &queries_}) {
        for (auto it = list->begin(); it != list->end();) {
            auto next = std::next(it);
            if (it->client == client) {
                finish(*list, it);
            }
            it = next;
        }
    }
}

void Dispatcher::handle(ClientId client, std::string_view line) {
    auto parsed = parseRequest(line);
    if (const auto* error = std::get_if<RequestError>(&parsed)) {
        write(client, Replies::error(error->id, error->message));
        return;
    }
    dispatch(client, std::get<Request>(parsed));
}

void Dispatcher::dispatch(ClientId client, const Request& request) {
    if (clicks(request.command)) {
        if (const auto reason = refusal()) {
            write(client, Replies::error(request.id, *reason));
            return;
        }
    }
    switch (request.command) {
        case Command::Status:
            write(client, Replies::ok(request.id, status()));
            break;
        case Command::Events:
            listening_[client] = true;
            write(client, Replies::ok(request.id));
            break;
        case Command::Run:
            startRun(client, request, 0);
            break;
        case Command::Step:
            startRun(client, request, 2);
            break;
        case Command::End:
            end(client, request);
            break;
        case Command::Wait:
            wait(client, request);
            break;
        case Command::Load:
            load(client, request);
            break;
        case Command::Save:
            save(client, request);
            break;
        case Command::Send:
            send(client, request);
            break;
        case Command::Query:
            query(client, request);
            break;
        case Command::Answer:
            answer(client, request);
            break;
    }
}

void Dispatcher::write(ClientId client, const std::string& line) {
    if (const auto it = clients_.find(client); it != clients_.end()) {
        // A copy: the writer may find the client gone and detach it.
        const Writer writer = it->second;
        writer(line);
    }
}

void Dispatcher::broadcast(std::string_view name, json fields) {
    std::vector<ClientId> listeners;
    for (const auto& [client, listening] : listening_) {
        if (listening) {
            listeners.push_back(client);
        }
    }
    if (listeners.empty()) {
        return;
    }
    const std::string line = Replies::event(name, host_.timeText(), std::move(fields));
    for (const ClientId client : listeners) {
        write(client, line);
    }
}

bool Dispatcher::starting() const {
    return pendingStart_.has_value() || form_.runner().running();
}

bool Dispatcher::clicks(Command command) {
    switch (command) {
        case Command::Run:
        case Command::Step:
        case Command::Load:
        case Command::Save:
        case Command::Send:
        case Command::Query:
            return true;
        case Command::Status:
        case Command::End:
        case Command::Wait:
        case Command::Answer:
        case Command::Events:
            return false;
    }
    return false;
}

std::optional<std::string> Dispatcher::refusal() const {
    if (starting()) {
        return "a run is going";
    }
    if (const auto text = platform_.messageBox().onScreen()) {
        return "a message waits for its answer: \"" + utf8FromCodePage(*text) + "\"";
    }
    if (inHandler_) {
        return "another request is still working";
    }
    return std::nullopt;
}

json Dispatcher::status() const {
    const auto& controls = form_.controls();
    const runner::RunState* run = form_.runner().currentRun();
    const std::string& file = platform_.fileDialog().FileName();
    return {
        {"running", starting()},
        {"step_mode", run != nullptr && run->StepMode},
        {"test_mode", controls.flags.TestMode},
        {"row", run != nullptr ? json(run->CurrentRow) : json(nullptr)},
        {"caption", utf8FromCodePage(controls.MainForm.caption())},
        {"counters",
         {{"test", counter(controls.intTestCounter)},
          {"error2", counter(controls.Error2)},
          {"error3", counter(controls.Error3)},
          {"error9", counter(controls.Error9)},
          {"retries", counter(controls.RetryCounter)},
          {"timeouts", counter(controls.RetryCounter2)}}},
        {"message", optionalText(platform_.messageBox().onScreen())},
        {"file", file.empty() ? json(nullptr) : json(file)},
        {"record", optionalText(currentRecordFolder())},
    };
}

void Dispatcher::startRun(ClientId client, const Request& request, std::int16_t index) {
    pendingStart_ = index;
    startTimer_.setEnabled(true);
    write(client, Replies::ok(request.id));
}

// The click of the run button, from the event loop: it returns when the run has ended.
void Dispatcher::performStart() {
    startTimer_.setEnabled(false);
    if (!pendingStart_) {
        return;
    }
    stoppedSeen_ = false;
    form_.runner().RunProtocol_Click(*pendingStart_);
    pendingStart_.reset();
    if (!stoppedSeen_) {
        runStopped(std::nullopt);
    }
}

// A run asked for but not yet begun is called off here; the button's handler stops a run.
void Dispatcher::end(ClientId client, const Request& request) {
    if (startTimer_.enabled()) {
        startTimer_.setEnabled(false);
        pendingStart_.reset();
        runStopped(std::nullopt);
    }
    form_.runner().EndTheProtocol_Click();
    write(client, Replies::ok(request.id));
}

void Dispatcher::runStopped(const std::optional<runner::RunReport>& report) {
    pendingStart_.reset();
    stoppedSeen_ = true;
    lastRun_ = report;
    lastStarted_ = true;
    broadcast("stopped", ending());
    // Each wait is taken off before its reply, as writing may find a client gone.
    while (!waits_.empty()) {
        const ClientId client = waits_.front().client;
        const json id = waits_.front().id;
        finish(waits_, waits_.begin());
        write(client, Replies::ok(id, ending()));
    }
}

json Dispatcher::ending() const {
    json fields{{"running", false}};
    if (!lastStarted_) {
        fields["ended"] = nullptr;
        return fields;
    }
    if (!lastRun_) {
        fields["ended"] = "not-started";
        return fields;
    }
    fields["ended"] = endingName(lastRun_->ending);
    fields["row"] = lastRun_->row;
    fields["rows"] = lastRun_->rowsExecuted;
    fields["commands"] = lastRun_->commandsSent;
    fields["record"] = optionalText(currentRecordFolder());
    return fields;
}

void Dispatcher::wait(ClientId client, const Request& request) {
    if (!starting()) {
        write(client, Replies::ok(request.id, ending()));
        return;
    }
    const auto limit = request.timeout ? static_cast<int>(request.timeout->count()) : 0;
    if (request.timeout && limit == 0) {
        write(client, Replies::ok(request.id, {{"running", true}}));
        return;
    }
    addPending(waits_, client, request, limit, [this](ClientId waiting, const json& id) {
        write(waiting, Replies::ok(id, {{"running", true}}));
    });
}

Dispatcher::Pending& Dispatcher::addPending(std::list<Pending>& list, ClientId client,
                                            const Request& request, int intervalMs,
                                            std::function<void(ClientId, const json&)> expired) {
    if (spareTimers_.empty()) {
        spareTimers_.push_back(std::make_unique<platform::Timer>(
            "tmrControlWait", platform_.timerScheduler(), intervalMs));
    }
    platform::Timer* timer = spareTimers_.back().release();
    spareTimers_.pop_back();
    auto& pending = list.emplace_back(Pending{client, request.id, timer, {}, {}});
    const auto it = std::prev(list.end());
    pending.tick = timer->onTick.subscribe([this, &list, it, expired = std::move(expired)] {
        const ClientId waiting = it->client;
        const json id = it->id;
        finish(list, it);
        expired(waiting, id);
    });
    if (intervalMs > 0) {
        timer->setInterval(intervalMs);
        timer->setEnabled(true);
    }
    return pending;
}

// Timers are kept for the next wait rather than destroyed, also from inside their own tick.
void Dispatcher::finish(std::list<Pending>& list, std::list<Pending>::iterator it) {
    it->timer->setEnabled(false);
    spareTimers_.emplace_back(it->timer);
    list.erase(it);
}

bool Dispatcher::click(ClientId client, const Request& request,
                       const std::function<void()>& handler) {
    bool shown = false;
    const platform::Subscription watch =
        platform_.messageBox().onShown.subscribe([&](const std::string& text) {
            if (!shown) {
                shown = true;
                write(client, Replies::error(request.id, utf8FromCodePage(text)));
            }
        });
    inHandler_ = true;
    handler();
    inHandler_ = false;
    return !shown;
}

void Dispatcher::load(ClientId client, const Request& request) {
    auto& dialog = platform_.fileDialog();
    dialog.answerNextWith(request.path);
    const bool loaded =
        click(client, request, [this] { form_.protocolFiles().LoadProtocol_Click(); });
    dialog.forgetPresetAnswer();
    if (loaded) {
        write(client, Replies::ok(request.id, {{"file", request.path}}));
    }
}

void Dispatcher::save(ClientId client, const Request& request) {
    if (!request.overwrite && host_.fileExists(request.path)) {
        write(client,
              Replies::error(request.id, "the file exists; \"overwrite\": true replaces it"));
        return;
    }
    auto& dialog = platform_.fileDialog();
    dialog.answerNextWith(request.path);
    const bool saved =
        click(client, request, [this] { form_.protocolFiles().SaveProtocol_Click(); });
    dialog.forgetPresetAnswer();
    if (saved) {
        write(client, Replies::ok(request.id, {{"file", request.path}}));
    }
}

// What "Send" does with the command box holding "/", the address and the command.
void Dispatcher::send(ClientId client, const Request& request) {
    std::optional<json> reply;
    const platform::Subscription watch = form_.deviceLink().onReplyDecoded().subscribe(
        [&](const device::Reply& decoded) { reply = replyFields(decoded, form_.controls()); });
    form_.controls().strPumpString.setText("/" + std::to_string(request.address) + request.text);
    if (!click(client, request, [this] { form_.deviceLink().subSendToPump(); })) {
        return;
    }
    if (reply) {
        write(client, Replies::ok(request.id, std::move(*reply)));
    } else {
        write(client, Replies::error(request.id, "no reply from the controller"));
    }
}

// What "Query Status" does for the controller last addressed; the reply comes later.
void Dispatcher::query(ClientId client, const Request& request) {
    form_.controls().flags.CurrentAddress = std::to_string(request.address);
    if (!click(client, request, [this] { form_.deviceLink().CommandStatusQuery_Click(); })) {
        return;
    }
    Pending& pending = addPending(
        queries_, client, request, kQueryTimeoutMs, [this](ClientId asking, const json& id) {
            write(asking, Replies::error(id, "no reply from the controller"));
        });
    const auto it = std::prev(queries_.end());
    pending.reply =
        form_.deviceLink().onReplyDecoded().subscribe([this, it](const device::Reply& reply) {
            const ClientId asking = it->client;
            const json id = it->id;
            finish(queries_, it);
            write(asking, Replies::ok(id, replyFields(reply, form_.controls())));
        });
}

void Dispatcher::answer(ClientId client, const Request& request) {
    const auto text = platform_.messageBox().onScreen();
    if (!text) {
        write(client, Replies::error(request.id, "no message is on screen"));
        return;
    }
    write(client, Replies::ok(request.id, {{"text", utf8FromCodePage(*text)}}));
    platform_.messageBox().answer();
}

}  // namespace quendrix::control
