#pragma once

#include "win_types.h"

// Style combinations that recur across the templates.

// Every dialog uses the device's system font.
inline constexpr char16_t kDialogFont[] = u"System";

// The pads, the entry dialog and the boxes are modal pop-ups without a caption.
inline constexpr DWORD kCaptionlessPopup = DS_MODALFRAME | WS_POPUP;

// Push buttons are tab stops; OK is the default button.
inline constexpr DWORD kPushButton = BS_PUSHBUTTON | WS_TABSTOP;
inline constexpr DWORD kDefaultButton = BS_DEFPUSHBUTTON | WS_TABSTOP;
