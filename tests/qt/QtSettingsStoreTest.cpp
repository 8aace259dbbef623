#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <numeric>
#include <string>

#include "platform/Failure.h"
#include "qt/QtSettingsStore.h"
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

    // Rather than answer from what it remembers of its own writes, QSettings reads a changed file.
    void changeFile(const QByteArray& added) const {
        QFile file(config.settingsFile());
        ASSERT_TRUE(file.open(QIODevice::Append));
        file.write(added);
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
        allBytes,                                  // non-ASCII, line breaks and tabs too
    };
    for (std::size_t i = 0; i < std::size(texts); ++i) {
        store.SaveSetting(kApp, "Volumes", "Key" + std::to_string(i), texts[i]);
    }
    changeFile("\n");
    for (std::size_t i = 0; i < std::size(texts); ++i) {
        EXPECT_EQ(store.GetSetting(kApp, "Volumes", "Key" + std::to_string(i), "none"), texts[i]);
    }
    EXPECT_EQ(store.GetSetting(kApp, "Volumes", "Absent", "1100"), "1100");
    EXPECT_TRUE(fileContent().contains("\xE2\x82\xAC"));  // the euro sign, as UTF-8
}

TEST_F(QtSettingsStoreTest, NamesInAnotherLetterCaseAreFoundAndUpdatedInPlace) {
    config.mapPort(1, "/dev/ttyUSB0");
    changeFile(
        "\n[flowrates]\nmaxdacvalue=5000\nMinimumWaitTime=1\n\n"
        "[VALVEPOSITIONS]\nValveSpeed=2000\nMaxPresureChange=1,5\n");
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

}  // namespace
}  // namespace quendrix::qt
