#include "log_app.h"

#include "desktop_locale.h"
#include "locale_money.h"
#include "log_dlg.h"

BOOL CLogApp::InitInstance() {
    // Every date and sum of money the window shows is written as the desktop writes them.
    UseDesktopDateTimeFormats(QLocale());
    UseLocaleMoney();
    CLogDlg dlg;
    m_pMainWnd = &dlg;
    dlg.DoModal();
    m_pMainWnd = nullptr;
    // The program ends here: no message loop of the platform's own.
    return FALSE;
}
