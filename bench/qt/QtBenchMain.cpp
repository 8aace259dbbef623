// The Qt benchmarks need an application object for their event loop, and the real program's
// main window a QApplication; without a display they draw offscreen. They bring their own
// main, which keeps the developer's own settings, data and run-time files out of reach.

#include <benchmark/benchmark.h>

#include <QApplication>

#include "support/PrivateUserFolders.h"

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    const quendrix::testsupport::PrivateUserFolders userFolders;
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
