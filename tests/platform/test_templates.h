#pragma once

#include "win_types.h"

// The platform's tests bring their own small dialogs, so the layer is tested without the
// program's resources.

// A pad-like dialog: OK (default), Cancel, an edit, and keys 1001 to 1003 and 1008 to 1014.
inline constexpr UINT kProbeDialog = 901;
inline constexpr int kProbeEdit = 1004;
inline constexpr int kFirstKey = 1001;
inline constexpr int kLastKey = 1014;

// Three radio buttons in one group, then OK.
inline constexpr UINT kRadioDialog = 902;
inline constexpr int kRadioFirst = 1034;

// A report-mode list and OK.
inline constexpr UINT kListDialog = 903;
inline constexpr int kList = 1015;
