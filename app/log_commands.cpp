#include "atomic_file.h"
#include "confirm_dlg.h"
#include "date_order.h"
#include "entry_dlg.h"
#include "log_dlg.h"
#include "log_load.h"
#include "message_box.h"
#include "recompute.h"
#include "resource.h"
#include "save_change.h"
#include "stats_dlg.h"
#include "temporary_cleanup.h"
#include "utf8.h"

void CLogDlg::PrepareEntryDialog(CEntryDlg& entry) {
    m_book.reminders.label = {m_reminderLabel1, m_reminderLabel2, m_reminderLabel3};
    m_book.reminders.value = {m_reminderValue1, m_reminderValue2, m_reminderValue3};
    entry.SetReminders(m_book.reminders);
}

ReminderChange CLogDlg::TakeRemindersBack(const CEntryDlg& entry) {
    const ReminderChange changed = RemindersChanged(m_book.reminders, entry.GetReminders());
    m_book.reminders = entry.GetReminders();
    ShowReminders();
    return changed;
}

bool CLogDlg::ReadyToChange(bool selected) {
    if (!m_cannotSave.empty()) {
        AfxMessageBox(m_cannotSave + u"\nNothing can be changed until that is mended.",
                      MB_OK | MB_ICONERROR);
        return false;
    }
    if (!m_lock.IsHeld()) {
        const LockAttempt lock = m_lock.TryTake(m_logPath);
        if (lock.outcome == LockOutcome::HeldByAnother) {
            AfxMessageBox(Utf8ToUtf16(OpenElsewhere(m_logPath, lock.holder)) +
                              u"\nClose that window to change the log here.",
                          MB_OK | MB_ICONINFORMATION);
            return false;
        }
        if (lock.outcome == LockOutcome::Failed) {
            AfxMessageBox(Utf8ToUtf16(lock.error.Text()) + u"\nThe log cannot be changed.",
                          MB_OK | MB_ICONERROR);
            return false;
        }
        // The window that had the log has gone: what it wrote last is read first, and the
        // selected entry, if any, is found again in it.
        RemoveLeftoverTemporaries(m_logPath);
        if (FileChangedSince(m_logPath, m_read).state != ChangeCheck::State::Unchanged) {
            const LogRecord entry =
                selected ? m_book.records[static_cast<size_t>(m_selectedIndex)] : LogRecord{};
            if (LoadLog()) {
                UpdateData(FALSE);
                EnableRecordCommands(FALSE);
            }
            if (selected) {
                m_selectedIndex = -1;
                for (int32_t i = 0; i < m_book.count; ++i) {
                    if (SameStoredEntry(m_book.records[static_cast<size_t>(i)], entry)) {
                        m_selectedIndex = i;
                    }
                }
                if (m_selectedIndex < 0) {
                    AfxMessageBox(Utf8ToUtf16("\"" + m_logPath +
                                              "\" was changed by the other window; the entry is "
                                              "no longer in it."),
                                  MB_OK | MB_ICONINFORMATION);
                    return false;
                }
            }
        }
    }
    return true;
}

void CLogDlg::KeepLastRead() {
    // Assigned, not made anew: the copy reuses the room of the previous command's.
    m_lastRead = m_book;
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
    KeepLastRead();
    m_newRecord = entry.GetRecord();
    bool add = true;
    if (m_newRecord.fuel == 0.0) {
        m_newRecord.kind = Maintenance;
        // Nothing bought and nothing paid: only the reminders changed.
        add = m_newRecord.cost != 0;
    }
    if (add) {
        // The new entry goes in front; the older ones move up into the spare slot.
        m_book.records.resize(static_cast<size_t>(m_book.count) + 1);
        for (int32_t i = m_book.count - 1; i >= 0; --i) {
            m_book.records[static_cast<size_t>(i) + 1] = m_book.records[static_cast<size_t>(i)];
        }
        m_book.records[0] = m_newRecord;
        ++m_book.count;
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
        entry.SetRecord(m_book.records[static_cast<size_t>(m_selectedIndex)]);
        if (entry.DoModal() == IDOK) {
            KeepLastRead();
            LogRecord& record = m_book.records[static_cast<size_t>(m_selectedIndex)];
            const LogRecord before = record;
            record = entry.GetRecord();
            if (record.fuel == 0.0) {
                record.kind = Maintenance;
            }
            const ReminderChange reminders = TakeRemindersBack(entry);
            Commit(LogChange::Replace(before, record, reminders));
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
    KeepLastRead();
    const LogRecord removed = m_book.records[static_cast<size_t>(m_selectedIndex)];
    for (int32_t i = m_selectedIndex; i <= m_book.count - 2; ++i) {
        m_book.records[static_cast<size_t>(i)] = m_book.records[static_cast<size_t>(i) + 1];
    }
    --m_book.count;
    Commit(LogChange::Remove(removed));
}

void CLogDlg::Commit(const LogChange& change) {
    SortNewestFirst(m_book);
    RecomputeLog(m_book);
    // Never a stale copy over a newer file: if the file changed since it was read, the change
    // is made to what it holds now, or, when the entry it is about is gone, not saved at all.
    const ChangeSaveResult saved = SaveChange(m_book, m_logPath, m_read, change);
    if (!saved.message.empty()) {
        AfxMessageBox(Utf8ToUtf16(saved.message),
                      MB_OK | (saved.saved ? MB_ICONINFORMATION : MB_ICONERROR));
    }
    ShowWhatTheFileHolds();
}

void CLogDlg::ShowWhatTheFileHolds() {
    // Read back in every case: the screen shows what the file holds. When it cannot be read, the
    // screen goes back to what the file held at the last read, so no row names a record the
    // file does not hold.
    if (!LoadLog()) {
        m_book = m_lastRead;
        ShowReminders();
        FillList();
    }
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
    stats.BuildReport(m_book.records.data(), m_book.count);
    stats.DoModal();
}
