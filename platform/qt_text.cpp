#include "qt_text.h"

#include <algorithm>

namespace {

constexpr char16_t kCurrencyMark = u'\\';
constexpr char16_t kYenSign = u'\u00A5';

}  // namespace

QString ToQString(std::u16string_view text) {
    QString shown = QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
    shown.replace(QChar(kCurrencyMark), QChar(kYenSign));
    return shown;
}

std::u16string FromQString(const QString& text) {
    std::u16string taken = text.toStdU16String();
    std::replace(taken.begin(), taken.end(), kYenSign, kCurrencyMark);
    return taken;
}
