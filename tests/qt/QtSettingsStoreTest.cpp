#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <numeric>
#include <string>

#include "app/MainForm.h"
#include "platform/Failure.h"
#include "qt/QtPlatform.h"
#include "qt/serial/PortDeviceName.h"
#include "qt/shared/QtSettingsStore.h"
#include "sim/virtualtime/SimDiagnostics.h"
#include "support/ConfigHome.h"

namespace quendrix::qt {
namespace {

constexpr const char* kApp = "quendrix";

class QtSettingsStoreTest : public ::testing::Test {
protected:
    QByteArray fileContent() const {
        QFile file(config.settingsFile());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // Appended to, the file is changed: rather than answer from what it remembers of its own
    // writes, QSettings reads it again.
    void writeFile(const QByteArray& content, QIODevice::OpenMode mode = QIODevice::WriteOnly) {
        QDir().mkpath(config.path() + QStringLiteral("/quendrix"));
        QFile file(config.settingsFile());
        ASSERT_TRUE(file.open(mode));
        file.write(content);
    }

    testsupport::ConfigHome config;
    sim::SimDiagnostics diagnostics;
    QtSettingsStore store{diagnostics};
};

TEST_F(QtSettingsStoreTest, TextsComeBackFromTheFileExactlyAsSaved) {
    std::string allBytes(255, '\0');
    std::iota(allBytes.begin(), allBytes.end(), '\x01');
    const std::string texts[] = {
        "",                                        // present, yet empty
        "  blanks, commas ,",                      // could read as a list
        "\"quoted\" 'twice' ; # = back\\slash\\",  // quoting, comment and escape marks
        "@Invalid()",                              // could read as a typed value
        allBytes,                                  // non-ASCII, line breaks and tabs too
    };
    for (std::size_t i = 0; i < std::size(texts); ++i) {
        store.SaveSetting(kApp, "Volumes", "Key" + std::to_string(i), texts[i]);
    }
    writeFile("\n", QIODevice::Append);
    for (std::size_t i = 0; i < std::size(texts); ++i) {
        EXPECT_EQ(store.GetSetting(kApp, "Volumes", "Key" + std::to_string(i), "none"), texts[i]);
    }
    EXPECT_EQ(store.GetSetting(kApp, "Volumes", "Absent", "1100"), "1100");
    EXPECT_TRUE(fileContent().contains("\xE2\x82\xAC"));  // the euro sign, as UTF-8
    EXPECT_TRUE(diagnostics.lines().empty());  // what the store writes passes its line check
}

TEST_F(QtSettingsStoreTest, NamesInAnotherLetterCaseAreFoundAndUpdatedInPlace) {
    config.mapPort(1, "/dev/ttyUSB0");
    writeFile(
        "\n[flowrates]\nmaxdacvalue=5000\nMinimumWaitTime=1\n\n"
        "[VALVEPOSITIONS]\nValveSpeed=2000\nMaxPresureChange=1,5\n",
        QIODevice::Append);
    EXPECT_EQ(store.GetSetting(kApp, "FlowRates", "MaxDACValue", "0"), "5000");
    EXPECT_EQ(store.GetSetting(kApp, "valvePositions", "MaxPresureChange", "0"), "1,5");

    store.SaveSetting(kApp, "FLowRates", "MaxDACValue", "5851");
    store.SaveSetting(kApp, "FlowRates", "MaximumWaitTime", "150");
    store.SaveSetting(kApp, "ValvePositions", "valvespeed", "3000");
    EXPECT_EQ(fileContent().toStdString(),
              "[Ports]\nCOM1=/dev/ttyUSB0\n\n"
              "[VALVEPOSITIONS]\nMaxPresureChange=1, 5\nValveSpeed=3000\n\n"
              "[flowrates]\nMaximumWaitTime=150\nMinimumWaitTime=1\nmaxdacvalue=5851\n");
}

TEST_F(QtSettingsStoreTest, ANameThatWouldOpenASubsectionOrAnUnreachableFileFails) {
    EXPECT_THROW(store.SaveSetting(kApp, "Volumes/Sub", "Key", "1"), platform::Failure);
    EXPECT_THROW(store.GetSetting(kApp, "Volumes", "a\\b", "1"), platform::Failure);
    QDir().mkpath(config.settingsFile());  // a folder where the file should be
    EXPECT_THROW(store.GetSetting(kApp, "Volumes", "MinimumWashVolume", "750"), platform::Failure);
    EXPECT_THROW(store.SaveSetting(kApp, "Volumes", "MinimumWashVolume", "750"), platform::Failure);
}

// QSettings would read these lines as nothing, or let them take the lines after them, and
// rewrite the file without them at the next save.
TEST_F(QtSettingsStoreTest, AMalformedLineIsNamedTheOtherLinesAreReadAndNothingIsWritten) {
    const QByteArray sound =
        "\n[Ports]\nCOM1=/dev/ttyUSB0 ; the adapter\n[ValvePositions]\nCommPortSetting=3\n";
    struct Case {  // maxDACValue nullptr: on no good line, so not read at all
        QByteArray broken;
        int line;
        const char *why, *maxDACValue = nullptr;
    };
    for (const Case& each : {
             Case{"[FlowRates]\nMaxDACValue 6000", 2, "has no \"=\""},
             Case{"[FlowRates]\nMaxDACValue=\"6000", 2, "double quote"},
             Case{"[FlowRates]\nMaxDACValue=6000\\", 2, "backslash"},
             Case{"[FlowRates\nMaxDACValue=6000", 1, "\"]\""},
             Case{"[FlowRates] MaxDACValue=6000", 1, "text after"},
             Case{"[FlowRates]\n=6000", 2, "no key"},
             Case{"# MaxDACValue=6000", 1, "\"#\""},
             Case{"\xEF\xBB\xBF[FlowRates]\r\nMaxDACValue=6000", 1, "byte order mark", "6000"},
         }) {
        SCOPED_TRACE(each.broken.toStdString());
        writeFile(each.broken + sound);
        diagnostics = {};
        EXPECT_EQ(store.GetSetting(kApp, "ValvePositions", "CommPortSetting", "1"), "3");
        if (each.maxDACValue != nullptr) {
            EXPECT_EQ(store.GetSetting(kApp, "FlowRates", "MaxDACValue", "5851"), each.maxDACValue);
        } else {
            EXPECT_THROW(store.GetSetting(kApp, "FlowRates", "MaxDACValue", "5851"),
                         platform::Failure);
        }
        EXPECT_EQ(portDeviceName(1, UserSettingsFile(kApp).settings()), "/dev/ttyUSB0");
        EXPECT_THROW(store.SaveSetting(kApp, "ValvePositions", "CommPortSetting", "4"),
                     platform::Failure);
        EXPECT_EQ(fileContent(), each.broken + sound);
        ASSERT_EQ(diagnostics.lines().size(), 1u);  // told once, however often it is read
        const std::string& told = diagnostics.lines()[0];
        EXPECT_NE(told.find(config.settingsFile().toStdString()), std::string::npos) << told;
        EXPECT_NE(told.find("line " + std::to_string(each.line) + " "), std::string::npos) << told;
        EXPECT_NE(told.find(each.why), std::string::npos) << told;
    }

    // Mended, the file takes saves again; comments, quoted or not, are no fault.
    writeFile("; kept by hand\n[FlowRates]\nMaxDACValue=\"60;00\" ; quoted\n" + sound);
    store.SaveSetting(kApp, "ValvePositions", "CommPortSetting", "4");
    EXPECT_EQ(store.GetSetting(kApp, "FlowRates", "MaxDACValue", "5851"), "60;00");
    EXPECT_EQ(store.GetSetting(kApp, "ValvePositions", "CommPortSetting", "1"), "4");
}

// The port number is read at a run start, which loads the settings window unseen; the
// program's end unloads it. A file mended in between takes the keys that were read.
TEST_F(QtSettingsStoreTest, TheProgramsEndLosesNoStoredSettingOfASoundMalformedOrMendedFile) {
    const auto file = [](const QByteArray& valveSpeed) {
        return "[ValvePositions]\nAuxilliaryWithOutFilter=12345\nCommPortSetting=3\n" + valveSpeed +
               "\n[FlowRates]\nMaxDACValue=6000\n";
    };
    struct Case {
        QByteArray atStart, atEnd;
    };
    for (const Case& each :
         {Case{"ValveSpeed=1500", "ValveSpeed=1500"}, Case{"ValveSpeed 1500", "ValveSpeed 1500"},
          Case{"ValveSpeed 1500", "ValveSpeed=1500"}}) {
        SCOPED_TRACE(each.atStart.toStdString() + " / " + each.atEnd.toStdString());
        writeFile(file(each.atStart));
        {
            QtPlatform platform;
            app::MainForm form(platform);
            EXPECT_EQ(form.settingsFields().CommPortSetting(), "3");
            writeFile(file(each.atEnd));
            form.controls().MainForm.close();
        }
        if (each.atEnd.contains('=')) {
            QSettings stored(config.settingsFile(), QSettings::IniFormat);
            EXPECT_EQ(stored.value("ValvePositions/AuxilliaryWithOutFilter").toString(), "12345");
            EXPECT_EQ(stored.value("ValvePositions/CommPortSetting").toString(), "3");
            EXPECT_EQ(stored.value("ValvePositions/ValveSpeed").toString(), "1500");
            EXPECT_EQ(stored.value("FlowRates/MaxDACValue").toString(), "6000");
            // Absent from a malformed file, a key may lie on the malformed line: not read.
            EXPECT_EQ(stored.contains("Volumes/MinimumWashVolume"), each.atStart.contains('='));
        } else {
            EXPECT_EQ(fileContent(), file(each.atEnd));
        }
    }
}

}  // namespace
}  // namespace quendrix::qt
