#include "log_app.h"

#include "desktop_locale.h"
#include "log_dlg.h"

BOOL CLogApp::InitInstance() {
    // Every date the window shows is written as the desktop writes dates.
    UseDesktopDateTimeFormats(QLocale());
    CLogDlg dlg;
    m_pMainWnd = &dlg;
    dlg.DoModal();
    m_pMainWnd = nullptr;
    // The program ends here: no message loop of the platform's own.
    return FALSE;
}
