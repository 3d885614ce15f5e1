#include "confirm_dlg.h"

#include "resource.h"

CConfirmDlg::CConfirmDlg(CWnd* parent) : CDialog(IDD_CONFIRM, parent) {}
