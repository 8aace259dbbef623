#pragma once

#include <QDeadlineTimer>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <chrono>

#include "qt/serial/EventLoop.h"

namespace quendrix::qt::test {

// quendrix-sim as a child process, serving the simulated instrument on a pseudo-terminal.
class SimulatorProcess {
public:
    SimulatorProcess(const QString& program, const QStringList& options) {
        process_.setReadChannel(QProcess::StandardOutput);
        process_.start(program, options);
    }
    ~SimulatorProcess() {
        if (process_.state() != QProcess::NotRunning) {
            process_.terminate();
            if (!waitForExit(std::chrono::seconds(5))) {
                process_.kill();
                process_.waitForFinished();
            }
        }
    }
    SimulatorProcess(const SimulatorProcess&) = delete;
    SimulatorProcess& operator=(const SimulatorProcess&) = delete;

    // The terminal's device path, the first line the simulator prints; empty when it printed
    // none in time.
    QString devicePath(std::chrono::milliseconds timeout) {
        if (!pumpUntil([this] { return process_.canReadLine(); }, QDeadlineTimer(timeout))) {
            return {};
        }
        return QString::fromLocal8Bit(process_.readLine()).trimmed();
    }

    bool waitForExit(std::chrono::milliseconds timeout) {
        return pumpUntil([this] { return process_.state() == QProcess::NotRunning; },
                         QDeadlineTimer(timeout));
    }

private:
    QProcess process_;
};

}  // namespace quendrix::qt::test
