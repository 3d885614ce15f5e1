#pragma once

#include <array>

// The pads' keys as tables: the dialogs map a clicked control id to what it types, and the
// templates place one button per row of these tables, so both read the same data.

// One character key of the on-screen keyboard: the button's id and the one UTF-16 unit it
// appends (also its label, except for the space bar, which is labelled "SPACE").
struct KeyboardKey {
    int id;
    char16_t ch;
};

// The keys of the keyboard's four rows come first (13, 12, 12 and 11 keys, each row left to
// right, JIS layout), then the space bar.
inline constexpr int kKeyboardRowKeyCount = 48;
extern const std::array<KeyboardKey, kKeyboardRowKeyCount + 1> kKeyboardKeys;

// One digit key of the numeric keypad. The ids are not in digit order.
struct DigitKey {
    int id;
    int digit;
};

// Indexed by digit: kKeypadDigits[d].digit == d.
extern const std::array<DigitKey, 10> kKeypadDigits;
