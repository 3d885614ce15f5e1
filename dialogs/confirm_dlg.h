#pragma once

#include "cdialog.h"

// "Are you sure?" with OK and Cancel; nothing to exchange, nothing of its own to handle.
class CConfirmDlg : public CDialog {
public:
    explicit CConfirmDlg(CWnd* parent = nullptr);
};
