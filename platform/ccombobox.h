#pragma once

#include <string>

#include "cwnd.h"

// The combo box wrapper, bound to a dialog's drop-down list by DDX_Control. Positions are
// 0-based; CB_ERR (-1) is no choice.
class CComboBox : public CWnd {
public:
    void ResetContent();
    // Adds `text` at the end and returns its position.
    int AddString(const std::u16string& text);
    int GetCount() const;
    // Chooses the item at `index` (-1: none) without sending CBN_SELCHANGE, as the program's own
    // choice; returns the index, or CB_ERR for one out of range.
    int SetCurSel(int index);
    int GetCurSel() const;
};
