#pragma once

#include <string>
#include <string_view>

// UTF-8 and UTF-16 conversions. Invalid UTF-8 becomes U+FFFD; `valid` (when given) tells
// whether any replacement was made. A lone surrogate has no UTF-8 form and becomes U+FFFD too.
std::u16string Utf8ToUtf16(std::string_view text, bool* valid = nullptr);
std::string Utf16ToUtf8(std::u16string_view text);
