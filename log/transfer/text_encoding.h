#pragma once

#include <optional>
#include <string>
#include <string_view>

// Files come from phones and spreadsheets in more than UTF-8: UTF-16 with a byte-order mark
// (little or big end first), and Latin-1 from older Windows programs.

// The file's text in UTF-8: nothing when `bytes` are UTF-8 already (with or without a byte-order
// mark), so that the usual file is never copied; else the converted text, and `note` says what
// the file was read as.
std::optional<std::string> TextAsUtf8(std::string_view bytes, std::string& note);
