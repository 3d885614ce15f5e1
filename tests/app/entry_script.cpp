#include "entry_script.h"

#include "cdialog.h"
#include "ole_date_time.h"
#include "pads.h"
#include "resource.h"
#include "ui.h"

void QueueEntry(ModalDriver& driver, const EntryScript& script) {
    const QDateTime now = script.now;
    SetPlatformClock([now] { return now; });
    driver.OnDialog(IDD_ENTRY, [&driver, script](CDialog& entry) {
        for (const auto& [field, keys] : script.numbers) {
            pads::QueueKeypad(driver, keys);
            ui::ClickFocus(entry, field);
        }
        for (const auto& [field, text] : script.labels) {
            pads::QueueKeyboard(driver, text);
            ui::ClickFocus(entry, field);
        }
        if (script.kindButton != 0) {
            ui::Click(entry, script.kindButton);
        }
        ui::Click(entry, script.end);
    });
}

void RunEntryCommand(ModalDriver& driver, CDialog& mainDialog, int commandId,
                     const EntryScript& script) {
    QueueEntry(driver, script);
    ui::Click(mainDialog, commandId);
    SetPlatformClock(nullptr);
}
