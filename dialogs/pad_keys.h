#pragma once

#include "cdialog.h"

// A key typed on a physical keyboard while a stylus pad is open presses the pad's `key` (an id
// of one of its buttons, or IDC_STATIC for none), as a tap on it would. Where the pad's display
// has the focus, typing goes into the display instead, and a focused Cancel takes Enter as a
// press of itself. Returns TRUE when the key was pressed.
BOOL PressPadKey(CDialog& pad, int displayId, int focusedId, UINT vkey, int key);
