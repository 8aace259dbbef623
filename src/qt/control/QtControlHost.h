#pragma once

#include <QDateTime>
#include <QFile>
#include <QFileInfo>

#include "control/Host.h"

namespace quendrix::qt {

// Events are stamped with the wall clock in UTC, to the millisecond.
class QtControlHost final : public control::Host {
public:
    std::string timeText() override {
        return QDateTime::currentDateTimeUtc().toString(Qt::ISODateWithMs).toStdString();
    }
    bool fileExists(const std::string& path) override {
        return QFileInfo::exists(QFile::decodeName(QByteArray::fromStdString(path)));
    }
};

}  // namespace quendrix::qt
