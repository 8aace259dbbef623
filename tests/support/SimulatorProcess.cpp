#include "support/SimulatorProcess.h"

#include "support/PumpUntil.h"

namespace quendrix::testsupport {

// The simulator prints its terminal's device path once it serves.
QString SimulatorProcess::start(const QStringList& options) {
    process_.start(QStringLiteral(QUENDRIX_SIM_PATH), options);
    return pumpUntil([this] { return process_.canReadLine(); })
               ? QString::fromLocal8Bit(process_.readLine()).trimmed()
               : QString();
}

// A process that has ended takes no signal; the wait then ends at once.
void SimulatorProcess::stop() {
    process_.terminate();
    if (!pumpUntil([this] { return !running(); }, std::chrono::seconds(5))) {
        process_.kill();
        process_.waitForFinished();
    }
}

}  // namespace quendrix::testsupport
