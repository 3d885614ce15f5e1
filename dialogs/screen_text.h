#pragma once

#include <string_view>

#include <QString>

// Text as the screen shows it: the currency mark, held as the backslash (0x5C) in memory and in
// the file, becomes the yen sign (U+00A5). The charts window shows every text through it.
QString ToQString(std::u16string_view text);
