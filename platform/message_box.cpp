#include "message_box.h"

#include <QAbstractButton>
#include <QMessageBox>

#include "cdialog.h"
#include "dialog_window.h"
#include "modal_hook.h"
#include "qt_text.h"
#include "win_app.h"

int AfxMessageBox(const std::u16string& text, UINT type, const std::u16string& details) {
    const QMessageBox::Icon icon = (type & 0xF0) == MB_ICONERROR         ? QMessageBox::Critical
                                   : (type & 0xF0) == MB_ICONWARNING     ? QMessageBox::Warning
                                   : (type & 0xF0) == MB_ICONINFORMATION ? QMessageBox::Information
                                                                         : QMessageBox::NoIcon;
    const bool withCancel = (type & 0xF) == MB_OKCANCEL;
    const std::u16string title = AfxGetApp() != nullptr ? AfxGetApp()->m_appName : u"";
    QWidget* owner = GetSafeOwner();
    QMessageBox box(icon, ToQString(title), ToQString(text),
                    withCancel ? QMessageBox::Ok | QMessageBox::Cancel : QMessageBox::Ok, owner);
    // A message names files and quotes what they hold: it is shown as the characters it is,
    // never read as markup (a path with "<b>" in it shows "<b>").
    box.setTextFormat(Qt::PlainText);
    if (!details.empty()) {
        box.setDetailedText(ToQString(details));
        // Open from the start: the details are what the box is about.
        for (QAbstractButton* button : box.buttons()) {
            if (box.buttonRole(button) == QMessageBox::ActionRole) {
                button->click();
            }
        }
    }
    int answer = IDCANCEL;
    if (ModalHook* hook = GetModalHook()) {
        box.show();
        ActivateWindow(&box);
        answer = hook->RunMessageBox(box, details.empty() ? text : text + u"\n" + details, type);
        box.hide();
    } else {
        answer = box.exec() == QMessageBox::Ok ? IDOK : IDCANCEL;
    }
    if (owner != nullptr && owner->isVisible()) {
        ActivateWindow(owner);
    }
    return answer;
}
