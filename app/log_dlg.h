#pragma once

#include <cstdint>
#include <string>

#include <QIcon>

#include "cdialog.h"
#include "clistctrl.h"
#include "log_record.h"

class CEntryDlg;

// The main dialog: the reminders panel, the summary line and the log list, with the commands
// that add, correct and delete entries and show the statistics. It owns the in-memory log, and
// every change goes through the log file: save, then read back.
class CLogDlg : public CDialog {
public:
    explicit CLogDlg(CWnd* parent = nullptr);
    ~CLogDlg() override;

    // Rebuilds the list from the records, newest first.
    void FillList();

    const LogBook& Book() const { return m_book; }

protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;

private:
    void OnInput();
    void OnAnalyze();
    void OnCorrect();
    void OnDelete();
    void OnColumnClick(NMHDR* nm, LRESULT* result);
    void OnListClick(NMHDR* nm, LRESULT* result);
    void OnListActivate(NMHDR* nm, LRESULT* result);
    void OnListKeyDown(NMHDR* nm, LRESULT* result);
    static int CompareRowText(LPARAM a, LPARAM b, LPARAM column);

    // Reads the log file into the members and the list, telling the user of any trouble.
    void LoadLog();
    // The common tail of every change: sort, recompute, save, read back, show.
    void Commit();
    void PrepareEntryDialog(CEntryDlg& entry);
    void TakeRemindersBack(const CEntryDlg& entry);
    // The panel's fields from the reminder block.
    void ShowReminders();
    void EnableRecordCommands(BOOL enable);

    CListCtrl m_list;
    std::u16string m_reminderLabel1;
    std::u16string m_reminderLabel2;
    std::u16string m_reminderLabel3;
    double m_reminderValue1 = 0.0;
    double m_reminderValue2 = 0.0;
    LogBook m_book;  // records, count, totals, reminders and the summary line
    double m_reminderValue3 = 0.0;
    LogRecord m_newRecord;
    bool m_sortAscending = true;
    int32_t m_selectedIndex = -1;
    QIcon m_icon;
    std::string m_logPath;
    // Whether the records are what the file holds. A log that could not be read is never saved
    // over: that would replace whatever it holds with only what is on the screen.
    bool m_logLoaded = false;

    DECLARE_MESSAGE_MAP()
};
