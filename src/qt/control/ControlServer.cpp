#include "qt/control/ControlServer.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalSocket>
#include <QLockFile>
#include <QSettings>
#include <QStandardPaths>

#include "control/Replies.h"
#include "control/Request.h"
#include "qt/shared/UserSettingsFile.h"

namespace quendrix::qt {
namespace {

constexpr int kProbeMs = 1000;
constexpr int kLockWaitMs = 2000;

bool sameName(const QString& a, const char* b) {
    return a.compare(QLatin1String(b), Qt::CaseInsensitive) == 0;
}

// Section and key names match in any letter case, as everywhere in the settings file.
bool enabledInSettings() {
    UserSettingsFile file(QStringLiteral("quendrix"));
    QSettings& settings = file.settings();
    for (const QString& group : settings.childGroups()) {
        if (!sameName(group, "Control")) {
            continue;
        }
        settings.beginGroup(group);
        bool enabled = false;
        for (const QString& key : settings.childKeys()) {
            enabled =
                enabled || (sameName(key, "Enabled") && settings.value(key).toString() == "1");
        }
        settings.endGroup();
        return enabled;
    }
    return false;
}

std::string text(const QString& path) {
    return QDir::toNativeSeparators(path).toStdString();
}

}  // namespace

ControlServer::ControlServer(app::MainForm& form, platform::Platform& platform,
                             const app::RunRecorder* recorder)
    : diagnostics_(platform.diagnostics()), dispatcher_(form, platform, host_, recorder) {
    connect(&server_, &QLocalServer::newConnection, this, &ControlServer::accept);
}

ControlServer::~ControlServer() {
    for (auto& [id, client] : clients_) {
        if (client.socket) {
            client.socket->disconnect(this);
            client.socket->abort();
        }
    }
}

bool ControlServer::requested(const QStringList& arguments) {
    return arguments.contains(QStringLiteral("--control")) || enabledInSettings();
}

QString ControlServer::defaultSocketPath() {
    return QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation) +
           QStringLiteral("/quendrix/control");
}

// Listening over a live program's socket would take its path from it without a word, so a
// socket that answers is left alone; one that does not is what a crash left, and goes. The
// lock keeps two programs starting at once from both deciding so.
bool ControlServer::listen(const QString& path) {
    const QString folder = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(folder) ||
        !QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner)) {
        diagnostics_.report("control: no control socket: cannot make the folder " + text(folder));
        return false;
    }
    QLockFile lock(folder + QStringLiteral("/control.lock"));
    lock.setStaleLockTime(0);
    if (!lock.tryLock(kLockWaitMs)) {
        diagnostics_.report("control: no control socket: another program holds " +
                            text(lock.fileName()));
        return false;
    }
    if (answeredAt(path)) {
        diagnostics_.report("control: another program answers at " + text(path) +
                            "; this one runs without control");
        return false;
    }
    QLocalServer::removeServer(path);
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    if (!server_.listen(path)) {
        diagnostics_.report("control: no control socket at " + text(path) + ": " +
                            server_.errorString().toStdString());
        return false;
    }
    diagnostics_.report("control: listening at " + text(server_.fullServerName()));
    return true;
}

bool ControlServer::answeredAt(const QString& path) const {
    QLocalSocket probe;
    probe.connectToServer(path);
    const bool answered = probe.waitForConnected(kProbeMs);
    probe.abort();
    return answered;
}

void ControlServer::accept() {
    while (QLocalSocket* socket = server_.nextPendingConnection()) {
        if (clients_.size() >= kMaxClients) {
            refuse(socket);
            continue;
        }
        const control::ClientId id = nextId_++;
        clients_[id] = Client{socket, {}, false, false};
        connect(socket, &QLocalSocket::readyRead, this, [this, id] { read(id); });
        connect(socket, &QLocalSocket::disconnected, this, [this, id] { forget(id); });
        dispatcher_.attach(id, [this, id](const std::string& line) { write(id, line); });
    }
}

void ControlServer::refuse(QLocalSocket* socket) {
    socket->write(QByteArray::fromStdString(control::Replies::error(
        nullptr, "too many clients: " + std::to_string(kMaxClients) + " are connected")));
    connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    socket->disconnectFromServer();
}

// Lines are handled from the event loop, never inside readyRead: a handler may pump events,
// and the socket tells of no more input while its readyRead is on the stack, so this
// client's next line, an "answer" perhaps, would go unread.
void ControlServer::read(control::ClientId id) {
    const auto it = clients_.find(id);
    if (it == clients_.end() || it->second.dropping || !it->second.socket) {
        return;
    }
    Client& client = it->second;
    client.input += client.socket->readAll();
    if (!client.input.contains('\n') &&
        client.input.size() > static_cast<qsizetype>(control::kLineLimit)) {
        write(id, control::Replies::error(nullptr,
                                          "the line is longer than 65536 bytes; "
                                          "the connection closes"));
        drop(id);
        return;
    }
    if (!client.scheduled) {
        client.scheduled = true;
        QMetaObject::invokeMethod(
            this, [this, id] { handleLines(id); }, Qt::QueuedConnection);
    }
}

// One line at a time, taken off before it is handled, so that lines read while a handler
// pumps are handled then, in order.
void ControlServer::handleLines(control::ClientId id) {
    for (;;) {
        const auto it = clients_.find(id);
        if (it == clients_.end() || it->second.dropping) {
            return;
        }
        Client& client = it->second;
        client.scheduled = false;
        const qsizetype end = client.input.indexOf('\n');
        if (end < 0) {
            return;
        }
        QByteArray line = client.input.left(end);
        client.input.remove(0, end + 1);
        if (line.endsWith('\r')) {
            line.chop(1);
        }
        if (!line.trimmed().isEmpty()) {
            dispatcher_.handle(id, std::string_view(line.constData(), line.size()));
        }
    }
}

// A client that leaves too much unread is let go, so that its output does not grow without
// end; it is closed from the event loop, never from inside the dispatcher.
void ControlServer::write(control::ClientId id, const std::string& line) {
    const auto it = clients_.find(id);
    if (it == clients_.end() || it->second.dropping || !it->second.socket) {
        return;
    }
    QLocalSocket& socket = *it->second.socket;
    if (socket.bytesToWrite() + static_cast<qint64>(line.size()) > outputLimit_) {
        diagnostics_.report("control: a client left " + std::to_string(socket.bytesToWrite()) +
                            " bytes unread and is disconnected");
        drop(id);
        return;
    }
    socket.write(line.data(), static_cast<qint64>(line.size()));
}

void ControlServer::drop(control::ClientId id) {
    const auto it = clients_.find(id);
    if (it == clients_.end() || it->second.dropping) {
        return;
    }
    it->second.dropping = true;
    QMetaObject::invokeMethod(
        this,
        [this, id] {
            const auto found = clients_.find(id);
            if (found == clients_.end()) {
                return;
            }
            if (QLocalSocket* socket = found->second.socket) {
                socket->flush();
                socket->abort();
            }
            forget(id);
        },
        Qt::QueuedConnection);
}

void ControlServer::forget(control::ClientId id) {
    const auto it = clients_.find(id);
    if (it == clients_.end()) {
        return;
    }
    QPointer<QLocalSocket> socket = it->second.socket;
    clients_.erase(it);
    dispatcher_.detach(id);
    if (socket) {
        socket->disconnect(this);
        socket->deleteLater();
    }
}

}  // namespace quendrix::qt
