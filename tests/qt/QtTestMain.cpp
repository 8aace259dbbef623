#include <gtest/gtest.h>

#include <QApplication>

#include "support/PrivateUserFolders.h"

// The Qt tests need one QApplication for the whole run; without a display they draw
// offscreen. No test may touch the developer's own settings, data or run-time files.
int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    const quendrix::testsupport::PrivateUserFolders userFolders;
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
