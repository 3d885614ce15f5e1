#include "confirm_dlg.h"
#include "entry_dlg.h"
#include "log_dlg.h"
#include "log_location.h"
#include "message_box.h"
#include "resource.h"
#include "stats_dlg.h"
#include "utf8.h"

namespace {

// Why the log cannot be saved now. A log that could not be read is never saved over: that would
// replace whatever it holds with only what is on the screen; nor is a damaged one whose original
// could not be kept, which would lose the lines the reader skipped.
std::string CannotSaveText(const ChangeReadiness& ready, const std::string& path) {
    switch (ready.blocker) {
        case ChangeBlocker::Unreadable:
            return "\"" + path + "\" could not be read, so it is not replaced.";
        case ChangeBlocker::DamagedUnkept:
            return "\"" + path +
                   "\" is damaged and its original could not be kept, so it is not replaced.";
        default:
            return ready.error ? ready.error->Text() : std::string();
    }
}

// Why a change was not made to the log as read: the entry it is about is not in it.
std::string NotAppliedText(ApplyOutcome outcome, const std::string& path) {
    return outcome == ApplyOutcome::OldestKept
               ? "The entry is the oldest in \"" + path +
                     "\", the start of the first trip, which is kept."
               : "The entry is no longer in \"" + path + "\".";
}

}  // namespace

void CLogDlg::PrepareEntryDialog(CEntryDlg& entry) {
    m_book.reminders.label = {m_reminderLabel1, m_reminderLabel2, m_reminderLabel3};
    m_book.reminders.value = {m_reminderValue1, m_reminderValue2, m_reminderValue3};
    entry.SetReminders(m_book.reminders);
    entry.SetUnits(m_book.units);
}

ReminderChange CLogDlg::TakeRemindersBack(const CEntryDlg& entry) {
    const ReminderChange changed = RemindersChanged(m_book.reminders, entry.GetReminders());
    m_book.reminders = entry.GetReminders();
    ShowReminders();
    return changed;
}

bool CLogDlg::ReadyToChange(bool selected) {
    // The selected entry as the screen shows it, to find again should the log be read anew.
    const LogRecord entry =
        selected ? m_book.records[static_cast<size_t>(m_selectedIndex)] : LogRecord{};
    const ChangeReadiness ready = m_session.PrepareChange();
    const std::string& path = m_session.Path();
    if (ready.reread) {
        ShowRead(ready.read);
        if (ready.read.ok()) {
            ShowBook();
            UpdateData(FALSE);
            EnableRecordCommands(FALSE);
        }
    }
    switch (ready.blocker) {
        case ChangeBlocker::None:
            break;
        case ChangeBlocker::HeldElsewhere:
            AfxMessageBox(Utf8ToUtf16(OpenElsewhere(path, ready.holder)) +
                              u"\nClose that window to change the log here.",
                          MB_OK | MB_ICONINFORMATION);
            return false;
        case ChangeBlocker::LockFailed:
            AfxMessageBox(Utf8ToUtf16(ready.error->Text()) + u"\nThe log cannot be changed.",
                          MB_OK | MB_ICONERROR);
            return false;
        case ChangeBlocker::NoLog:
        case ChangeBlocker::Unreadable:
        case ChangeBlocker::DamagedUnkept:
            AfxMessageBox(Utf8ToUtf16(CannotSaveText(ready, path)) +
                              u"\nNothing can be changed until that is mended.",
                          MB_OK | MB_ICONERROR);
            return false;
    }
    if (selected && ready.reread) {
        // The window that had the log has gone: the selected entry is found again in what it
        // wrote last.
        m_selectedIndex = -1;
        for (int32_t i = 0; i < m_book.count; ++i) {
            if (SameStoredEntry(m_book.records[static_cast<size_t>(i)], entry, m_book.units)) {
                m_selectedIndex = i;
            }
        }
        if (m_selectedIndex < 0) {
            AfxMessageBox(Utf8ToUtf16("\"" + path +
                                      "\" was changed by the other window; the entry is no "
                                      "longer in it."),
                          MB_OK | MB_ICONINFORMATION);
            return false;
        }
    }
    return true;
}

void CLogDlg::OnInput() {
    const CommandRunning running(*this);
    if (!ReadyToChange(false)) {
        return;
    }
    CEntryDlg entry(this);
    PrepareEntryDialog(entry);
    if (entry.DoModal() != IDOK) {
        return;
    }
    m_newRecord = entry.GetRecord();
    bool add = true;
    if (m_newRecord.fuel == 0.0) {
        m_newRecord.kind = Maintenance;
        // Nothing bought and nothing paid: only the reminders changed.
        add = m_newRecord.cost != 0;
    }
    const ReminderChange reminders = TakeRemindersBack(entry);
    Commit(add ? LogChange::Add(m_newRecord, reminders) : LogChange::RemindersOnly(reminders));
}

void CLogDlg::OnCorrect() {
    const CommandRunning running(*this);
    // Correct is enabled only while a click has named a record; an index that names none (a
    // list refilled since) is never used.
    if (m_selectedIndex >= 0 && m_selectedIndex < m_book.count && ReadyToChange(true)) {
        CEntryDlg entry(this);
        PrepareEntryDialog(entry);
        const LogRecord before = m_book.records[static_cast<size_t>(m_selectedIndex)];
        entry.SetRecord(before);
        if (entry.DoModal() == IDOK) {
            LogRecord after = entry.GetRecord();
            if (after.fuel == 0.0) {
                after.kind = Maintenance;
            }
            const ReminderChange reminders = TakeRemindersBack(entry);
            Commit(LogChange::Replace(before, after, reminders));
        }
    }
    EnableRecordCommands(FALSE);
}

void CLogDlg::OnDelete() {
    const CommandRunning running(*this);
    // The oldest entry anchors the first trip; it can be corrected but never deleted.
    if (m_selectedIndex == m_book.count - 1 || m_selectedIndex < 0 ||
        m_selectedIndex >= m_book.count || !ReadyToChange(true)) {
        return;
    }
    CConfirmDlg confirm(this);
    if (confirm.DoModal() == IDCANCEL) {
        return;
    }
    Commit(LogChange::Remove(m_book.records[static_cast<size_t>(m_selectedIndex)]));
}

void CLogDlg::Commit(const LogChange& change) {
    const ChangeOutcome outcome = m_session.Make(change);
    if (outcome.result == ChangeResult::NotApplied) {
        AfxMessageBox(Utf8ToUtf16(NotAppliedText(outcome.notApplied, m_session.Path())),
                      MB_OK | MB_ICONINFORMATION);
    } else if (!outcome.message.empty()) {
        AfxMessageBox(
            Utf8ToUtf16(outcome.message),
            MB_OK | (outcome.result == ChangeResult::Saved ? MB_ICONINFORMATION : MB_ICONERROR));
    }
    ShowRead(outcome.readBack);
    ShowWhatTheFileHolds();
}

void CLogDlg::ShowWhatTheFileHolds() {
    ShowBook();
    UpdateData(FALSE);
    EnableRecordCommands(FALSE);
}

CLogDlg::CommandRunning::CommandRunning(CLogDlg& dlg) : m_dlg(dlg) {
    m_dlg.m_commandRunning = true;
}

CLogDlg::CommandRunning::~CommandRunning() {
    m_dlg.m_commandRunning = false;
    if (m_dlg.m_outsideChangeWaiting) {
        m_dlg.FollowOutsideChange();
    }
}

void CLogDlg::OnAnalyze() {
    CStatsDlg stats(this);
    stats.BuildReport(m_book.records.data(), m_book.count, m_book.units, m_economy);
    stats.DoModal();
}
