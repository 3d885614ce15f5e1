#pragma once

#include <string>
#include <string_view>

#include <QString>

// Every text crosses between the program (UTF-16 strings) and Qt's widgets here, and only here.
QString ToQString(std::u16string_view text);
std::u16string FromQString(const QString& text);
