#include "InstrumentLink.h"

#include <sys/resource.h>

#include <QSettings>
#include <QTimer>
#include <QtGlobal>

#include "platform/Failure.h"

namespace quendrix::qt::bench {
namespace {

constexpr auto startTimeout = std::chrono::seconds(10);

}  // namespace

InstrumentLink::InstrumentLink(const QStringList& options)
    : hadConfigHome_(qEnvironmentVariableIsSet("XDG_CONFIG_HOME")),
      previousConfigHome_(qgetenv("XDG_CONFIG_HOME")) {
    qputenv("XDG_CONFIG_HOME", configHome_.path().toLocal8Bit());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, configHome_.path());

#ifdef QUENDRIX_SIM_PATH
    simulator_.start(QStringLiteral(QUENDRIX_SIM_PATH), options);
#else
    Q_UNUSED(options);
    error_ = "quendrix-sim was not built";
    return;
#endif
    if (!pumpUntil([this] { return simulator_.canReadLine(); }, startTimeout)) {
        error_ = "quendrix-sim did not start";
        return;
    }
    const QString device = QString::fromLocal8Bit(simulator_.readLine()).trimmed();
    QSettings settings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("quendrix"),
                       QStringLiteral("quendrix"));
    settings.setValue(QStringLiteral("Ports/COM1"), device);
    settings.sync();

    port_.setSettings("9600,N,8,1");
    port_.setRThreshold(1);
    port_.setInputLen(1);
    receive_ = port_.OnComm.subscribe([this] {
        if (port_.Input() == "\r") {
            lastReplyEnd_ = Clock::now();
            replyEnded_ = true;
        }
    });
    try {
        port_.setPortOpen(true);
    } catch (const platform::Failure& failure) {
        error_ = failure.what();
    }
}

InstrumentLink::~InstrumentLink() {
    if (port_.PortOpen()) {
        port_.setPortOpen(false);
    }
    simulator_.terminate();
    if (!pumpUntil([this] { return simulator_.state() == QProcess::NotRunning; },
                   std::chrono::seconds(5))) {
        simulator_.kill();
        simulator_.waitForFinished();
    }
    if (hadConfigHome_) {
        qputenv("XDG_CONFIG_HOME", previousConfigHome_);
    } else {
        qunsetenv("XDG_CONFIG_HOME");
    }
}

InstrumentLink::Clock::time_point InstrumentLink::send(std::string_view command) {
    replyEnded_ = false;
    port_.Output(std::string(command) + "\r\n");
    return Clock::now();
}

bool InstrumentLink::awaitReplyEnd(std::chrono::milliseconds timeout) {
    return pumpUntil([this] { return replyEnded_; }, timeout);
}

bool InstrumentLink::awaitLineLost(std::chrono::milliseconds timeout) {
    return pumpUntil([this] { return !port_.PortOpen(); }, timeout);
}

void InstrumentLink::idle(std::chrono::milliseconds duration) {
    pumpUntil([] { return false; }, duration);
}

bool InstrumentLink::pumpUntil(const std::function<bool()>& done,
                               std::chrono::milliseconds timeout) {
    // The program's waits have no deadline of their own; this one only ends a wait that
    // would otherwise hang the benchmark.
    bool expired = false;
    QTimer deadline;
    deadline.setSingleShot(true);
    deadline.setTimerType(Qt::PreciseTimer);
    QObject::connect(&deadline, &QTimer::timeout, &deadline, [&expired] { expired = true; });
    deadline.start(timeout);
    while (!done() && !expired) {
        pump_.pumpOnce();
    }
    return done();
}

std::chrono::microseconds processCpuTime() {
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    return std::chrono::seconds(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           std::chrono::microseconds(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec);
}

}  // namespace quendrix::qt::bench
