#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace quendrix::qt {

// The program's texts are single bytes in the Windows-1252 code page; the widgets and the
// settings file speak Unicode. Every byte has a character of its own, so a text survives the
// trip to Unicode and back unchanged.
QString toQString(std::string_view text);

// A character that the code page cannot hold becomes "?".
std::string toStdString(const QString& text);

}  // namespace quendrix::qt
