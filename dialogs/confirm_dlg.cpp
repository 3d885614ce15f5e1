#include "confirm_dlg.h"

#include "resource.h"

// The box asks only before a delete; its title says what it asks about.
CConfirmDlg::CConfirmDlg(CWnd* parent) : CDialog(IDD_CONFIRM, parent) {
    SetTitle(u"Delete entry?");
}
