#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "platform/Version.h"
#include "qt/ctl/ControlConnection.h"

namespace {

using quendrix::ctl::ControlConnection;
using Json = ControlConnection::Json;

// The exit statuses.
constexpr int kEndRow = 0;
constexpr int kOtherwise = 1;
constexpr int kTimedOut = 2;
constexpr int kUsage = 64;
constexpr int kNotLoaded = 65;
constexpr int kNothingListening = 69;

constexpr const char* kUsageText = R"(Usage: quendrix-ctl [--socket PATH] COMMAND [ARGUMENT]...
Drives a running quendrix over its control socket, as the buttons of its window do. quendrix
listens when started with --control, or with Enabled=1 in section Control of its settings
file, at $XDG_RUNTIME_DIR/quendrix/control.

Commands:
  status [--json]                 the run, the step mode, the row, the caption, the counters,
                                  the message on screen and the protocol file
  load FILE                       load a protocol, as "Load" does with FILE chosen
  save FILE [--overwrite]         save the protocol; an existing FILE needs --overwrite
  run [FILE] [--wait [--timeout S]]
                                  load FILE if given, start a run, and with --wait wait
                                  until it has ended, at most S seconds
  step [FILE] [--wait [--timeout S]]
                                  the same, stepping through the rows
  end                             end the run, as "End" does
  wait [--timeout S]              wait until the run has ended
  send ADDRESS COMMAND            send a command, as "Send" does, and show the reply
  query ADDRESS                   ask a controller for its status, as "Query Status" does
  answer                          press OK on the message on screen
  events                          show every event, one JSON object a line, until the
                                  program ends

Options:
      --socket PATH   the control socket (default $XDG_RUNTIME_DIR/quendrix/control)
  -h, --help          show this text
      --version       show the version

Exit status: 0 when the run waited for ended at its End row (and for any other command
that succeeded), 1 when it ended otherwise or the program refused the request, 2 when
--wait timed out, 64 for a wrong command line, 65 for a file that cannot be loaded, 69
when nothing listens at the socket.
)";

int usageError(const std::string& problem) {
    std::cerr << "quendrix-ctl: " << problem << "\nTry 'quendrix-ctl --help'.\n";
    return kUsage;
}

struct CommandLine {
    QString socket;
    std::string command;
    std::vector<std::string> operands;
    bool json = false;
    bool overwrite = false;
    bool wait = false;
    std::optional<double> timeout;
};

// Nothing when the command line is wrong; the reason is then on standard error.
std::optional<CommandLine> parse(const QStringList& arguments) {
    CommandLine line;
    line.socket = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation) +
                  QStringLiteral("/quendrix/control");
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const std::string argument = arguments[i].toStdString();
        if (argument == "--socket" || argument == "--timeout") {
            if (++i >= arguments.size()) {
                usageError(argument + " needs a value");
                return std::nullopt;
            }
            if (argument == "--socket") {
                line.socket = arguments[i];
                continue;
            }
            bool number = false;
            line.timeout = arguments[i].toDouble(&number);
            if (!number || *line.timeout < 0 || *line.timeout > 86400) {
                usageError("--timeout needs a number of seconds from 0 to 86400");
                return std::nullopt;
            }
        } else if (argument == "--json") {
            line.json = true;
        } else if (argument == "--overwrite") {
            line.overwrite = true;
        } else if (argument == "--wait") {
            line.wait = true;
        } else if (argument.starts_with("-") && argument != "-") {
            usageError("unknown option " + argument);
            return std::nullopt;
        } else if (line.command.empty()) {
            line.command = argument;
        } else {
            line.operands.push_back(argument);
        }
    }
    return line;
}

struct Shape {
    const char* command;
    std::size_t minOperands;
    std::size_t maxOperands;
};

bool wellFormed(const CommandLine& line) {
    static const std::vector<Shape> shapes{
        {"status", 0, 0}, {"load", 1, 1},   {"save", 1, 1},   {"run", 0, 1},
        {"step", 0, 1},   {"end", 0, 0},    {"wait", 0, 0},   {"send", 2, 2},
        {"query", 1, 1},  {"answer", 0, 0}, {"events", 0, 0},
    };
    if (line.command.empty()) {
        usageError("no command");
        return false;
    }
    for (const auto& shape : shapes) {
        if (line.command == shape.command) {
            if (line.operands.size() < shape.minOperands ||
                line.operands.size() > shape.maxOperands) {
                usageError("wrong number of arguments for " + line.command);
                return false;
            }
            if (line.timeout && !line.wait && line.command != "wait") {
                usageError("--timeout goes with --wait");
                return false;
            }
            return true;
        }
    }
    usageError("unknown command " + line.command);
    return false;
}

// The program's word on a refused request goes to standard error.
bool succeeded(const std::optional<Json>& reply) {
    if (!reply) {
        std::cerr << "quendrix-ctl: the program closed the connection\n";
        return false;
    }
    if (!reply->value("ok", false)) {
        std::cerr << "quendrix-ctl: " << reply->value("error", std::string("refused")) << '\n';
        return false;
    }
    return true;
}

std::string absolute(const std::string& file) {
    return QDir::toNativeSeparators(QFileInfo(QString::fromStdString(file)).absoluteFilePath())
        .toStdString();
}

int waitForEnd(ControlConnection& connection, const CommandLine& line) {
    Json request{{"cmd", "wait"}};
    if (line.timeout) {
        request["timeout"] = *line.timeout;
    }
    const auto reply = connection.request(request);
    if (!succeeded(reply)) {
        return kOtherwise;
    }
    if (reply->value("running", false)) {
        std::cerr << "quendrix-ctl: the run goes on after the time-out\n";
        return kTimedOut;
    }
    const Json ended = reply->value("ended", Json());
    std::cout << "ended: " << (ended.is_string() ? ended.get<std::string>() : "no run");
    if (reply->contains("row")) {
        std::cout << " at row " << (*reply)["row"];
    }
    std::cout << '\n';
    return ended == "end-row" ? kEndRow : kOtherwise;
}

int load(ControlConnection& connection, const std::string& file) {
    const auto reply = connection.request({{"cmd", "load"}, {"path", absolute(file)}});
    return succeeded(reply) ? kEndRow : kNotLoaded;
}

int run(ControlConnection& connection, const CommandLine& line) {
    if (!line.operands.empty()) {
        if (const int status = load(connection, line.operands[0]); status != kEndRow) {
            return status;
        }
    }
    if (!succeeded(connection.request({{"cmd", line.command}}))) {
        return kOtherwise;
    }
    return line.wait ? waitForEnd(connection, line) : kEndRow;
}

int showStatus(ControlConnection& connection, const CommandLine& line) {
    const auto reply = connection.request({{"cmd", "status"}});
    if (!succeeded(reply)) {
        return kOtherwise;
    }
    if (line.json) {
        std::cout << reply->dump() << '\n';
        return kEndRow;
    }
    for (const auto& [key, value] : reply->items()) {
        if (key != "id" && key != "ok") {
            std::cout << key << ": "
                      << (value.is_string() ? value.get<std::string>() : value.dump()) << '\n';
        }
    }
    return kEndRow;
}

// A reply shown as it came, the id and the ok left out.
int simple(ControlConnection& connection, Json request) {
    const auto reply = connection.request(std::move(request));
    if (!succeeded(reply)) {
        return kOtherwise;
    }
    Json shown = *reply;
    shown.erase("id");
    shown.erase("ok");
    if (!shown.empty()) {
        std::cout << shown.dump() << '\n';
    }
    return kEndRow;
}

std::optional<int> addressOf(const std::string& text) {
    if (text.size() == 1 && text[0] >= '0' && text[0] <= '9') {
        return text[0] - '0';
    }
    usageError("an address is one digit, 0 to 9");
    return std::nullopt;
}

int perform(ControlConnection& connection, const CommandLine& line) {
    const std::string& command = line.command;
    if (command == "status") {
        return showStatus(connection, line);
    }
    if (command == "load") {
        return load(connection, line.operands[0]);
    }
    if (command == "save") {
        return simple(
            connection,
            {{"cmd", "save"}, {"path", absolute(line.operands[0])}, {"overwrite", line.overwrite}});
    }
    if (command == "run" || command == "step") {
        return run(connection, line);
    }
    if (command == "wait") {
        return waitForEnd(connection, line);
    }
    if (command == "events") {
        if (!succeeded(connection.request({{"cmd", "events"}}))) {
            return kOtherwise;
        }
        connection.follow([](const std::string& text) { std::cout << text << std::endl; });
        return kEndRow;
    }
    if (command == "send" || command == "query") {
        const auto address = addressOf(line.operands[0]);
        if (!address) {
            return kUsage;
        }
        Json request{{"cmd", command}, {"address", *address}};
        if (command == "send") {
            request["command"] = line.operands[1];
        }
        return simple(connection, request);
    }
    return simple(connection, {{"cmd", command}});
}

}  // namespace

int main(int argc, char* argv[]) {
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--help" || argument == "-h") {
            std::cout << kUsageText;
            return 0;
        }
        if (argument == "--version") {
            std::cout << quendrix::platform::versionLine("quendrix-ctl",
                                                         quendrix::platform::buildVersion())
                      << '\n';
            return 0;
        }
    }
    const QCoreApplication application(argc, argv);
    const auto line = parse(QCoreApplication::arguments());
    if (!line || !wellFormed(*line)) {
        return kUsage;
    }
    ControlConnection connection;
    if (!connection.open(line->socket)) {
        std::cerr << "quendrix-ctl: nothing listens at " << line->socket.toStdString()
                  << "; start quendrix with --control\n";
        return kNothingListening;
    }
    return perform(connection, *line);
}
