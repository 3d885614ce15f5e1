#pragma once

#include <array>

// The pads' keys as tables: the dialogs map a clicked control id to what it types, and the
// templates place one button per row of these tables, so both read the same data.

// One character key of a pad: the button's id and the one UTF-16 unit it types, which is also
// its label (but for the keyboard's space bar, labelled "SPACE").
struct PadKey {
    int id;
    char16_t ch;
};

// The numeric keypad's digit keys indexed by digit (kKeypadKeys[d].ch == '0' + d; the ids are
// not in digit order), then its decimal point.
inline constexpr int kKeypadDigitCount = 10;
extern const std::array<PadKey, kKeypadDigitCount + 1> kKeypadKeys;

// The on-screen keyboard's keys: its four rows first (13, 12, 12 and 11 keys, each row left to
// right, JIS layout), then the space bar.
inline constexpr int kKeyboardRowKeyCount = 48;
extern const std::array<PadKey, kKeyboardRowKeyCount + 1> kKeyboardKeys;
