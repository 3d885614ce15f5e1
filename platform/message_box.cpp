#include "message_box.h"

#include <QMessageBox>

#include "modal_hook.h"
#include "win_app.h"

int AfxMessageBox(const std::u16string& text, UINT type) {
    if (ModalHook* hook = GetModalHook()) {
        return hook->RunMessageBox(text, type);
    }
    const QMessageBox::Icon icon = (type & 0xF0) == MB_ICONERROR     ? QMessageBox::Critical
                                   : (type & 0xF0) == MB_ICONWARNING ? QMessageBox::Warning
                                                                     : QMessageBox::NoIcon;
    const bool withCancel = (type & 0xF) == MB_OKCANCEL;
    const std::u16string title = AfxGetApp() != nullptr ? AfxGetApp()->m_appName : u"Tarvo";
    QMessageBox box(icon, QString::fromStdU16String(title), QString::fromStdU16String(text),
                    withCancel ? QMessageBox::Ok | QMessageBox::Cancel : QMessageBox::Ok);
    return box.exec() == QMessageBox::Ok ? IDOK : IDCANCEL;
}
