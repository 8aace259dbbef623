#pragma once

#include <QByteArray>
#include <QLocalServer>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <map>

#include "app/MainForm.h"
#include "control/Dispatcher.h"
#include "platform/Platform.h"
#include "qt/control/QtControlHost.h"

class QLocalSocket;

namespace quendrix::qt {

// The control socket: a local socket only its user may reach, in a folder of the run-time
// location, whose clients the dispatcher serves. A client that floods the program with an
// endless line, or stops reading while replies and events pile up, is disconnected; no client
// ever blocks the window.
class ControlServer final : public QObject {
    Q_OBJECT

public:
    static constexpr int kMaxClients = 8;
    // Output a client may leave unread before it is disconnected.
    static constexpr qint64 kOutputLimit = 1024 * 1024;

    ControlServer(app::MainForm& form, platform::Platform& platform,
                  const app::RunRecorder* recorder = nullptr);
    ~ControlServer() override;

    // On with --control among the arguments or Enabled=1 in section Control of the settings.
    static bool requested(const QStringList& arguments);
    // <run-time location>/quendrix/control.
    static QString defaultSocketPath();

    // Listens at `path`, in a folder made only its owner's. False, with the reason in the
    // diagnostics, when another program answers there or the socket cannot be made.
    bool listen(const QString& path);
    QString socketPath() const { return server_.fullServerName(); }
    void setOutputLimit(qint64 bytes) { outputLimit_ = bytes; }

private:
    struct Client {
        QPointer<QLocalSocket> socket;
        QByteArray input;
        bool dropping = false;
        bool scheduled = false;  // its lines are to be handled from the event loop
    };

    bool answeredAt(const QString& path) const;
    void accept();
    void refuse(QLocalSocket* socket);
    void read(control::ClientId id);
    void handleLines(control::ClientId id);
    void write(control::ClientId id, const std::string& line);
    void drop(control::ClientId id);
    void forget(control::ClientId id);

    platform::Diagnostics& diagnostics_;
    QtControlHost host_;
    control::Dispatcher dispatcher_;
    QLocalServer server_;
    std::map<control::ClientId, Client> clients_;
    control::ClientId nextId_ = 1;
    qint64 outputLimit_ = kOutputLimit;
};

}  // namespace quendrix::qt
