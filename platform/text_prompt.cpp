#include "text_prompt.h"

#include <QInputDialog>
#include <QLineEdit>

#include "cdialog.h"
#include "dialog_window.h"
#include "modal_hook.h"
#include "qt_text.h"

std::optional<std::string> AfxAskText(const std::u16string& title, const std::u16string& prompt,
                                      const std::string& given) {
    if (ModalHook* hook = GetModalHook()) {
        return hook->AskText(title, given);
    }
    QWidget* owner = GetSafeOwner();
    bool ok = false;
    const QString text =
        QInputDialog::getText(owner, ToQString(title), ToQString(prompt), QLineEdit::Normal,
                              QString::fromStdString(given), &ok);
    if (owner != nullptr && owner->isVisible()) {
        ActivateWindow(owner);
    }
    if (!ok) {
        return std::nullopt;
    }
    return text.toStdString();
}
