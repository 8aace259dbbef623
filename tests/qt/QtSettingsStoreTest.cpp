#include <gtest/gtest.h>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <iterator>
#include <numeric>
#include <string>

#include "platform/Failure.h"
#include "qt/QtSettingsStore.h"
#include "support/ConfigHome.h"

namespace quendrix::qt {
namespace {

using platform::Failure;

constexpr const char* kApp = "quendrix";

class QtSettingsStoreTest : public ::testing::Test {
protected:
    QByteArray fileContent() const {
        QFile file(config.settingsFile());
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        return file.readAll();
    }

    void writeFile(const QByteArray& content) const {
        QDir().mkpath(QFileInfo(config.settingsFile()).path());
        QFile file(config.settingsFile());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(content);
    }

    // QSettings may answer from what it remembers of its own writes; a blank line added at the
    // end makes it read the file itself.
    void changeFileBehindTheStore() const { writeFile(fileContent() + '\n'); }

    // The lines of section `name` as the file spells it, up to the blank line after them.
    std::string section(const QByteArray& name) const {
        const QByteArray content = fileContent();
        const qsizetype start = content.indexOf("[" + name + "]\n");
        if (start < 0) {
            return {};
        }
        const qsizetype end = content.indexOf("\n\n", start);
        return content.mid(start, end < 0 ? -1 : end + 1 - start).toStdString();
    }

    testsupport::ConfigHome config;
    QtSettingsStore store;
};

TEST_F(QtSettingsStoreTest, TextsComeBackFromTheFileExactlyAsSaved) {
    std::string allBytes(255, '\0');
    std::iota(allBytes.begin(), allBytes.end(), '\x01');
    const std::string texts[] = {
        "",                                        // present, yet empty
        "  blanks, commas ,",                      // could read as a list
        "\"quoted\" 'twice' ; # = back\\slash\\",  // quoting, comment and escape marks
        "@Invalid()",                              // could read as a typed value
        "@Variant(\\0\\0\\0\\x7f)",
        allBytes,  // non-ASCII, line breaks and tabs too
    };
    for (std::size_t i = 0; i < std::size(texts); ++i) {
        store.SaveSetting(kApp, "Volumes", "Key" + std::to_string(i), texts[i]);
    }
    changeFileBehindTheStore();
    for (std::size_t i = 0; i < std::size(texts); ++i) {
        EXPECT_EQ(store.GetSetting(kApp, "Volumes", "Key" + std::to_string(i), "default"), texts[i])
            << "text " << i;
    }
    EXPECT_EQ(store.GetSetting(kApp, "Volumes", "Absent", "1100"), "1100");
    EXPECT_TRUE(fileContent().contains("\xE2\x82\xAC"));  // the euro sign, as UTF-8
}

TEST_F(QtSettingsStoreTest, NamesInAnotherLetterCaseAreFoundAndUpdatedInPlace) {
    writeFile(
        "[flowrates]\nmaxdacvalue=5000\nMinimumWaitTime=1\n\n"
        "[Ports]\nCOM1=/dev/ttyUSB0\nCOM2=/tmp/link\n\n"
        "[VALVEPOSITIONS]\nValveSpeed=2000\nMaxPresureChange=1,5\n");
    const std::string ports = section("Ports");
    EXPECT_EQ(store.GetSetting(kApp, "FlowRates", "MaxDACValue", "0"), "5000");
    EXPECT_EQ(store.GetSetting(kApp, "valvePositions", "MaxPresureChange", "0"), "1,5");

    store.SaveSetting(kApp, "FLowRates", "MaxDACValue", "5851");
    store.SaveSetting(kApp, "FlowRates", "MaximumWaitTime", "150");
    store.SaveSetting(kApp, "ValvePositions", "valvespeed", "3000");
    changeFileBehindTheStore();

    EXPECT_EQ(store.GetSetting(kApp, "FlowRates", "MaxDACValue", "0"), "5851");
    EXPECT_EQ(section("flowrates"),
              "[flowrates]\nMaximumWaitTime=150\nMinimumWaitTime=1\n"
              "maxdacvalue=5851\n");
    EXPECT_EQ(section("VALVEPOSITIONS"),
              "[VALVEPOSITIONS]\nMaxPresureChange=1, 5\nValveSpeed=3000\n");
    EXPECT_EQ(fileContent().count('['), 3);
    EXPECT_EQ(section("Ports"), ports);
}

TEST_F(QtSettingsStoreTest, ANameThatWouldOpenASubsectionOrAnUnreachableFileFails) {
    EXPECT_THROW(store.SaveSetting(kApp, "Volumes/Sub", "Key", "1"), Failure);
    EXPECT_THROW(store.GetSetting(kApp, "Volumes", "a\\b", "1"), Failure);
    QDir().mkpath(config.settingsFile());  // a folder where the file should be
    EXPECT_THROW(store.GetSetting(kApp, "Volumes", "MinimumWashVolume", "750"), Failure);
    EXPECT_THROW(store.SaveSetting(kApp, "Volumes", "MinimumWashVolume", "750"), Failure);
}

}  // namespace
}  // namespace quendrix::qt
