#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace quendrix::qt {

// The program's texts are single-byte characters; the widgets speak UTF-16.
inline QString toQString(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

inline std::string toStdString(const QString& text) {
    return text.toLatin1().toStdString();
}

}  // namespace quendrix::qt
