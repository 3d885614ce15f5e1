#pragma once

#include <cstdint>

#include "cdialog.h"

// The numeric keypad: builds a double key by key (never by parsing text) and hands back the
// number its display shows when OK is pressed.
class CKeypadDlg : public CDialog {
public:
    explicit CKeypadDlg(CWnd* parent = nullptr);
    double GetValue() const { return m_value; }

protected:
    void DoDataExchange(CDataExchange* dx) override;
    bool PreTranslateKey(int focusedId, UINT vkey, char16_t ch) override;

private:
    void OnDigit(UINT id);
    void OnPoint();
    void OnClear();

    double m_value = 0.0;
    int32_t m_decimals = 0;  // 0: integer part; k >= 1: the next digit is the k-th decimal
    double m_lastFraction = 0.0;

    // The tests read the entry state key by key; nothing else looks inside.
    friend class KeypadDlgTestPeer;

    DECLARE_MESSAGE_MAP()
};
