#include "screen_text.h"

QString ToQString(std::u16string_view text) {
    QString shown = QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
    shown.replace(QChar(u'\\'), QChar(u'\u00A5'));
    return shown;
}
