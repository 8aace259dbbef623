#include "qt/shared/CodePage.h"

#include <QList>
#include <QStringView>
#include <algorithm>

#include "common/CodePage.h"

namespace quendrix::qt {

QString toQString(std::string_view text) {
    QString result(static_cast<qsizetype>(text.size()), Qt::Uninitialized);
    std::ranges::transform(text, result.begin(), [](char byte) {
        return QChar(static_cast<char16_t>(quendrix::unicodeOf(byte)));
    });
    return result;
}

std::string toStdString(const QString& text) {
    std::string result;
    result.reserve(static_cast<std::size_t>(text.size()));
    for (const char32_t character : QStringView(text).toUcs4()) {
        result.push_back(quendrix::codePageByteOf(character));
    }
    return result;
}

}  // namespace quendrix::qt
