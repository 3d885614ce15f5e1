#include "confirm_dlg.h"
#include "entry_dlg.h"
#include "log_dlg.h"
#include "log_file.h"
#include "message_box.h"
#include "resource.h"
#include "stats_dlg.h"
#include "utf8.h"

void CLogDlg::PrepareEntryDialog(CEntryDlg& entry) {
    m_book.reminders.label = {m_reminderLabel1, m_reminderLabel2, m_reminderLabel3};
    m_book.reminders.value = {m_reminderValue1, m_reminderValue2, m_reminderValue3};
    entry.SetReminders(m_book.reminders);
}

void CLogDlg::TakeRemindersBack(const CEntryDlg& entry) {
    m_book.reminders = entry.GetReminders();
    ShowReminders();
}

void CLogDlg::OnInput() {
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
    if (add) {
        // The new entry goes in front; the older ones move up into the spare slot.
        m_book.records.resize(static_cast<size_t>(m_book.count) + 1);
        for (int32_t i = m_book.count - 1; i >= 0; --i) {
            m_book.records[static_cast<size_t>(i) + 1] = m_book.records[static_cast<size_t>(i)];
        }
        m_book.records[0] = m_newRecord;
        ++m_book.count;
    }
    TakeRemindersBack(entry);
    Commit();
}

void CLogDlg::OnCorrect() {
    // Correct is enabled only while a click has named a record; an index that names none (a
    // list refilled since) is never used.
    if (m_selectedIndex >= 0 && m_selectedIndex < m_book.count) {
        CEntryDlg entry(this);
        PrepareEntryDialog(entry);
        LogRecord& record = m_book.records[static_cast<size_t>(m_selectedIndex)];
        entry.SetRecord(record);
        if (entry.DoModal() == IDOK) {
            record = entry.GetRecord();
            if (record.fuel == 0.0) {
                record.kind = Maintenance;
            }
            TakeRemindersBack(entry);
            Commit();
        }
    }
    EnableRecordCommands(FALSE);
}

void CLogDlg::OnDelete() {
    // The oldest entry anchors the first trip; it can be corrected but never deleted.
    if (m_selectedIndex == m_book.count - 1 || m_selectedIndex < 0 ||
        m_selectedIndex >= m_book.count) {
        return;
    }
    CConfirmDlg confirm(this);
    if (confirm.DoModal() == IDCANCEL) {
        return;
    }
    for (int32_t i = m_selectedIndex; i <= m_book.count - 2; ++i) {
        m_book.records[static_cast<size_t>(i)] = m_book.records[static_cast<size_t>(i) + 1];
    }
    --m_book.count;
    Commit();
}

void CLogDlg::Commit() {
    SortNewestFirst(m_book);
    RecomputeLog(m_book);
    if (!m_logLoaded) {
        AfxMessageBox(Utf8ToUtf16("\"" + m_logPath +
                                  "\" could not be read, so it is not replaced.\nThe change was "
                                  "not saved."),
                      MB_OK | MB_ICONERROR);
    } else if (const SaveResult saved = SaveLog(m_book, m_logPath); !saved.ok) {
        AfxMessageBox(Utf8ToUtf16(saved.error + "\nThe change was not saved."),
                      MB_OK | MB_ICONERROR);
    }
    // Read back in every case: the screen shows what the file holds.
    LoadLog();
    UpdateData(FALSE);
    EnableRecordCommands(FALSE);
}

void CLogDlg::OnAnalyze() {
    CStatsDlg stats(this);
    stats.BuildReport(m_book.records.data(), m_book.count);
    stats.DoModal();
}
