#pragma once

#include <array>
#include <cstddef>

#include "cdialog.h"
#include "key_tables.h"

// The one key look-up both pads use, over either pad's table.
class PadKeys {
public:
    template <std::size_t N>
    explicit PadKeys(const std::array<PadKey, N>& keys)
        : m_first(keys.data()), m_last(keys.data() + N) {}

    const PadKey* ById(int id) const;
    // There is no shift key: a letter typed in lower case is its upper-case key.
    const PadKey* ByChar(char16_t ch) const;
    // The lowest and the highest id of the keys, the range their message map entry covers.
    int FirstId() const;
    int LastId() const;

    // The button a key pressed on a physical keyboard stands for: the key that types `ch`;
    // for Backspace, `backspaceId` (IDC_STATIC where the pad has none); for Enter, OK, since
    // someone who tapped a key and goes on typing means to finish, not to press that key again;
    // otherwise IDC_STATIC.
    int ForTyped(UINT vkey, char16_t ch, int backspaceId) const;

private:
    const PadKey* m_first;
    const PadKey* m_last;
};

// The two pads' tables, looked up.
const PadKeys& KeypadPadKeys();
const PadKeys& KeyboardPadKeys();

// A key typed on a physical keyboard while a pad is open presses the pad's `key` (an id of one
// of its buttons, or IDC_STATIC for none), as a tap on it would. Where the pad's display has
// the focus, typing goes into the display instead, and a focused Cancel takes Enter as a press
// of itself. Returns true when the key was pressed.
bool PressPadKey(CDialog& pad, int displayId, int focusedId, UINT vkey, int key);
