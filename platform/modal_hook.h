#pragma once

#include <optional>
#include <string>

#include "win_types.h"

class CDialog;
class QMessageBox;

// Where modal runs go when something other than a person drives the program (the test suite).
// With a hook installed, a dialog's modal run shows the dialog, hands it to RunModal, and returns
// whatever result the hook's actions ended it with; a message box is shown, handed to
// RunMessageBox with the text it was given, and answers what RunMessageBox returns.
class ModalHook {
public:
    virtual ~ModalHook() = default;
    virtual void RunModal(CDialog& dialog) = 0;
    virtual int RunMessageBox(QMessageBox& box, const std::u16string& text, UINT type) = 0;
    // The file a file dialog would give (host path, UTF-8); empty for a cancelled dialog.
    virtual std::string ChooseFile(bool save, const std::u16string& title) = 0;
    // The line a text prompt would give (UTF-8); nothing for a cancelled prompt, which is what a
    // hook that drives no prompt answers.
    virtual std::optional<std::string> AskText(const std::u16string& /*title*/,
                                               const std::string& /*given*/) {
        return std::nullopt;
    }
};

// Installs `hook` (nullptr removes it) and returns the previous one.
ModalHook* SetModalHook(ModalHook* hook);
ModalHook* GetModalHook();
