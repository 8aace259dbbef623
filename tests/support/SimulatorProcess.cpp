#include "support/SimulatorProcess.h"

#include "support/PumpUntil.h"

namespace quendrix::testsupport {

SimulatorProcess::~SimulatorProcess() {
    stop();
}

// The simulator prints its terminal's device path once it serves.
QString SimulatorProcess::start(const QStringList& options) {
    process_.start(QStringLiteral(QUENDRIX_SIM_PATH), options);
    if (!pumpUntil([this] { return process_.canReadLine(); })) {
        return {};
    }
    return QString::fromLocal8Bit(process_.readLine()).trimmed();
}

void SimulatorProcess::stop() {
    if (!running()) {
        return;
    }
    process_.terminate();
    if (!pumpUntil([this] { return !running(); }, std::chrono::seconds(5))) {
        process_.kill();
        process_.waitForFinished();
    }
}

}  // namespace quendrix::testsupport
