#include "file_dialog.h"

#include <QFileDialog>

#include "cdialog.h"
#include "dialog_window.h"
#include "modal_hook.h"
#include "qt_text.h"

std::string AfxChooseFile(FileChoice choice, const std::u16string& title,
                          const std::u16string& filter, const std::string& proposed) {
    if (ModalHook* hook = GetModalHook()) {
        return hook->ChooseFile(choice == FileChoice::Save, title);
    }
    QWidget* owner = GetSafeOwner();
    const QString start = QString::fromStdString(proposed);
    const QString chosen =
        choice == FileChoice::Save
            ? QFileDialog::getSaveFileName(owner, ToQString(title), start, ToQString(filter))
            : QFileDialog::getOpenFileName(owner, ToQString(title), start, ToQString(filter));
    if (owner != nullptr && owner->isVisible()) {
        ActivateWindow(owner);
    }
    return chosen.toStdString();
}
