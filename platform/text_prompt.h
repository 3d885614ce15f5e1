#pragma once

#include <optional>
#include <string>

// Asks the user for one line of text in a small dialog owned by the innermost running dialog,
// `given` filled in and selected; returns it (UTF-8), or nothing when the user cancelled.
std::optional<std::string> AfxAskText(const std::u16string& title, const std::u16string& prompt,
                                      const std::string& given);
