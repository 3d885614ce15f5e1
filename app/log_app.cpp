#include "log_app.h"

#include "locale_money.h"
#include "log_dlg.h"

BOOL CLogApp::InitInstance() {
    UseLocaleMoney();
    CLogDlg dlg;
    m_pMainWnd = &dlg;
    dlg.DoModal();
    m_pMainWnd = nullptr;
    // The program ends here: no message loop of the platform's own.
    return FALSE;
}
