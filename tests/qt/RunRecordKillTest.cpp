#include <gtest/gtest.h>
#include <signal.h>

#include <QCoreApplication>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSysInfo>
#include <QTemporaryDir>
#include <cerrno>
#include <iostream>

#include "app/MainForm.h"
#include "app/RunRecorder.h"
#include "record/RecordIndex.h"
#include "qt/QtPlatform.h"
#include "support/ConfigHome.h"

namespace quendrix::qt {
namespace {

constexpr const char* kChildFolder = "QUENDRIX_RECORD_CHILD_FOLDER";
constexpr const char* kBegun = "record-begun";

// Run by AKilledRunLeavesItsManifestRunning in a process of its own: the real program on the
// built-in instrument, recording a run that never ends into the folder it is given, until it
// is killed.
TEST(RunRecordKillTest, RunUntilKilled) {
    const QString folder = qEnvironmentVariable(kChildFolder);
    if (folder.isEmpty()) {
        GTEST_SKIP() << "run by AKilledRunLeavesItsManifestRunning";
    }
    const testsupport::ConfigHome config;
    config.mapPort(1, QStringLiteral("sim"));
    QtPlatform platform;
    app::MainForm form(platform);
    app::RunRecorder recorder(form, platform, {QFile::encodeName(folder).toStdString(), false});
    auto& grid = form.controls().MSFlexGrid1;
    grid.setTextMatrix(1, 1, "1");
    grid.setTextMatrix(1, 2, "?4");
    grid.setTextMatrix(2, 1, "Goto");
    grid.setTextMatrix(2, 2, "1");
    int turns = 0;
    const auto told = form.runner().onRowStarted.subscribe([&](int) {
        if (++turns == 5) {
            recorder.current()->flush();
            std::cout << kBegun << std::endl;
        }
    });
    form.runner().RunProtocol_Click(0);
    FAIL() << "the run has no end and should have been killed";
}

// A crash, a power cut or a kill leaves the manifest as the start wrote it: "running", naming
// a process of this host that is gone, which is how a reader knows the run was interrupted.
TEST(RunRecordKillTest, AKilledRunLeavesItsManifestRunning) {
    const QTemporaryDir folder;
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QString::fromLatin1(kChildFolder), folder.path());
    child.setProcessEnvironment(environment);
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--gtest_filter=RunRecordKillTest.RunUntilKilled")});
    ASSERT_TRUE(child.waitForStarted());
    QByteArray output;
    while (!output.contains(kBegun) && child.waitForReadyRead(30000)) {
        output += child.readAllStandardOutput();
    }
    ASSERT_TRUE(output.contains(kBegun)) << output.toStdString();
    const qint64 pid = child.processId();
    child.kill();
    ASSERT_TRUE(child.waitForFinished());

    QFile file(folder.filePath(QStringLiteral("run.json")));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QJsonObject manifest = QJsonDocument::fromJson(file.readAll()).object();
    EXPECT_EQ(manifest[QStringLiteral("outcome")].toString(), QStringLiteral("running"));
    EXPECT_TRUE(manifest[QStringLiteral("end")].isNull());
    EXPECT_EQ(manifest[QStringLiteral("host")].toString(), QSysInfo::machineHostName());
    EXPECT_EQ(manifest[QStringLiteral("pid")].toInteger(), pid);
    EXPECT_EQ(::kill(static_cast<pid_t>(pid), 0), -1);
    EXPECT_EQ(errno, ESRCH);
    QFile rows(folder.filePath(QStringLiteral("rows.tsv")));
    ASSERT_TRUE(rows.open(QIODevice::ReadOnly));
    EXPECT_GE(rows.readAll().count('\n'), 5) << "the header and the four rows before the kill";
    // What quendrix-records lists: interrupted, at the last row the record logged.
    const record::StoredRecord stored = record::readRunRecord(folder.path().toStdString());
    EXPECT_EQ(stored.state, record::RunState::Interrupted);
    EXPECT_TRUE(stored.lastRow.has_value());
}

}  // namespace
}  // namespace quendrix::qt
