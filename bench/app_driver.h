#pragma once

#include <functional>
#include <string>

#include "log_dlg.h"
#include "log_record.h"
#include "modal_hook.h"

// Runs the whole program for a benchmark, the way a person would use it but without waiting for
// one: the main dialog's modal run hands the open dialog to `body`; the entry dialog takes
// `entry` into its fields and is closed with OK, the confirmation box with OK. Any other dialog
// or message box means the benchmark is not measuring what it claims, and is noted in
// `Trouble()`.
class AppDriver : public ModalHook {
public:
    AppDriver();
    ~AppDriver() override;
    AppDriver(const AppDriver&) = delete;
    AppDriver& operator=(const AppDriver&) = delete;

    // Starts the program on the storage card TARVO_STORAGE names; returns when `body` did.
    void Run(const std::function<void(CLogDlg&)>& body);

    LogRecord entry;
    const std::string& Trouble() const { return trouble_; }

    void RunModal(CDialog& dialog) override;
    int RunMessageBox(QMessageBox& box, const std::u16string& text, UINT type) override;
    std::string ChooseFile(bool /*save*/, const std::u16string& /*title*/) override { return {}; }

private:
    ModalHook* previous_;
    std::function<void(CLogDlg&)> body_;
    std::string trouble_;
};

// What a person does on the main dialog.
void ClickButton(CDialog& dialog, int id);
void ClickHeader(CDialog& dialog, int column);
void ClickRow(CDialog& dialog, int row);
