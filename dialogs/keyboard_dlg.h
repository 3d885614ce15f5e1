#pragma once

#include <string>

#include "cdialog.h"

// The on-screen keyboard: each key appends the one character on its label; OK hands back what
// the display shows.
class CKeyboardDlg : public CDialog {
public:
    explicit CKeyboardDlg(CWnd* parent = nullptr);
    ~CKeyboardDlg() override;
    std::u16string GetText() const { return m_text; }

protected:
    void DoDataExchange(CDataExchange* dx) override;
    bool PreTranslateKey(int focusedId, UINT vkey, char16_t ch) override;

private:
    void OnKey(UINT id);
    void OnBackspace();

    std::u16string m_text;

    DECLARE_MESSAGE_MAP()
};
