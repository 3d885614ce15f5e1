#pragma once

#include <string>
#include <utility>
#include <vector>

#include <QDateTime>

#include "modal_driver.h"

class CDialog;

// One use of the entry dialog as a person would go through it: the moment it opens at (the
// platform's clock is set to it, so the pickers and the record take it), numbers typed on the
// keypad, labels on the keyboard, a kind button, and how it ends.
struct EntryScript {
    explicit EntryScript(QDateTime at) : now(std::move(at)) {}
    EntryScript& Number(int field, std::string keys) {
        numbers.emplace_back(field, std::move(keys));
        return *this;
    }
    EntryScript& Label(int field, std::u16string text) {
        labels.emplace_back(field, std::move(text));
        return *this;
    }
    EntryScript& Kind(int button) {
        kindButton = button;
        return *this;
    }
    EntryScript& Cancel() {
        end = 2;  // IDCANCEL
        return *this;
    }

    QDateTime now;
    std::vector<std::pair<int, std::string>> numbers;    // field id, keypad keys
    std::vector<std::pair<int, std::u16string>> labels;  // field id, keyboard text
    int kindButton = 0;                                  // 0: leave the kind as it is
    int end = 1;                                         // IDOK
};

// Sets the clock and queues the entry dialog's run (and its pads) for the next Input or Correct.
void QueueEntry(ModalDriver& driver, const EntryScript& script);

// Clicks `commandId` on the main dialog and runs `script` in the entry dialog it opens.
void RunEntryCommand(ModalDriver& driver, CDialog& mainDialog, int commandId,
                     const EntryScript& script);
