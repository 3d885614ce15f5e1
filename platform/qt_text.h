#pragma once

#include <string>
#include <string_view>

#include <QString>

// Every text crosses between the program (UTF-16 strings) and Qt's widgets here, and only here.
//
// The program keeps the currency mark as the backslash (0x5C), as the device did, whose
// Japanese font drew that character as the yen sign; in memory and in the file it stays 0x5C.
// On screen it is shown as "¥" (U+00A5), and a "¥" that comes back from the screen (typed, or
// shown by the program and read back) is 0x5C again.
QString ToQString(std::u16string_view text);
std::u16string FromQString(const QString& text);
