#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

namespace quendrix::testsupport {

// quendrix-sim as a child process, serving the simulated instrument on a pseudo-terminal
// until this is destroyed.
class SimulatorProcess {
public:
    ~SimulatorProcess() { stop(); }

    // Starts it with `options` and waits until it serves; returns the terminal's device path,
    // or an empty text when it did not start.
    QString start(const QStringList& options = {});
    void stop();
    bool running() const { return process_.state() != QProcess::NotRunning; }

private:
    QProcess process_;
};

}  // namespace quendrix::testsupport
