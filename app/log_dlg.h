#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include <QIcon>
#include <QPointer>

#include "cdialog.h"
#include "clistctrl.h"
#include "list_columns.h"
#include "log_change.h"
#include "log_record.h"
#include "log_session.h"
#include "log_units.h"

class CEntryDlg;
class ChartsWindow;
class LogWatcher;

// The main dialog: the reminders panel, the summary line and the log list, with the commands
// that add, correct and delete entries and show the statistics. It owns the in-memory log, and
// every change goes through the log session's one road: apply, sort, recompute, save, read back.
//
// The log may be shared. While the window has it open the session holds the log's lock, so a
// second Tarvo window shows the log read-only; every save checks that the file is still what was
// read, and makes the command's one change to the newer file if it is not; and the window
// follows changes made outside while it is idle.
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
    // The sort's comparison: rows a and b (positions when the sort began) by the values behind
    // their cells (m_sortKeys), in the direction m_sortAscending says.
    static int CompareRowValues(LPARAM a, LPARAM b, LPARAM column);
    // The index in the records of the record `row` shows; -1 for none.
    int RecordOfRow(int row) const;
    // What the cell at `row`, `column` means where its text does not say (its tooltip).
    std::u16string NoteOnCell(int row, int column) const;

    // Takes the lock, makes sure the log exists and reads it; says once if another window has it.
    void OpenLog();
    // Reads the log file into the members and the list, telling the user of any trouble; false
    // when it could not be read (the members are then as they were).
    bool LoadLog();
    // Tells the user what a read of the log found, if anything: the error, or the damage report.
    void ShowRead(const LoadResult& loaded);
    // The panel and the list from the book, after a read.
    void ShowBook();
    // Whether a command may change the log now: this window holds the lock (taking it if the
    // window that held it has gone, after reading what that window wrote), and the log can be
    // saved. Otherwise the user is told why, before typing anything. A command that works on
    // the selected entry passes `selected`, which is found again if the log had to be read.
    bool ReadyToChange(bool selected);
    // Makes `change` on the session's road, tells the user what became of it, and shows what
    // the file holds now (or, when it cannot be read, what it held at the last read).
    void Commit(const LogChange& change);
    // After a command: the screen shows the book, Correct and Delete wait for a new click.
    void ShowWhatTheFileHolds();
    // The file changed on disk while the window was idle: show what it holds now.
    void FollowOutsideChange();
    // Marks the window busy with a command for as long as the command runs: a change on disk
    // seen meanwhile is followed when the command is over.
    class CommandRunning {
    public:
        explicit CommandRunning(CLogDlg& dlg);
        ~CommandRunning();
        CommandRunning(const CommandRunning&) = delete;
        CommandRunning& operator=(const CommandRunning&) = delete;

    private:
        CLogDlg& m_dlg;
    };
    void PrepareEntryDialog(CEntryDlg& entry);
    // The reminder values the user changed in the entry dialog, and the panel showing them.
    ReminderChange TakeRemindersBack(const CEntryDlg& entry);
    // The panel's fields from the reminder block, with the rows that are due marked.
    void ShowReminders();
    void MarkDueReminders();

    // Beyond the handheld (log_menu.cpp): the menu bar, and the window's look kept between
    // starts.
    void SetUpMenu();
    void RememberView();
    void OnExportLog();
    void OnImportLog();
    void OnOpenLogFolder();
    void OnQuit();
    void OnCharts();
    void OnMarkDueReminders(bool mark);
    void OnAbout();
    void EnableRecordCommands(BOOL enable);

    // The log's units and the economy chosen (log_units_command.cpp): shown in the list's titles,
    // the summary line and View > Economy; File > Log settings... changes the units.
    void ShowUnits();
    void OnEconomy(Economy economy);
    void OnLogSettings();

    // The vehicles (vehicle_commands.cpp): the Vehicle menu, and the vehicle shown last opened
    // at the start; the watcher follows the log shown, and its folder for vehicles added or
    // removed elsewhere.
    void SetUpVehicles(const std::string& lastVehicle);
    void WatchLog();
    void ShowVehicles();
    void OnShowVehicle(const std::string& path);
    // Shows the vehicle whose log is at `path`, opened as at a start, within a command running.
    void SwitchToVehicle(const std::string& path);
    void OnAddVehicle();
    // Asks for a new vehicle's name, `given` filled in; nothing when the user cancelled or gave a
    // name no vehicle can have (said then).
    std::optional<std::string> AskNewVehicleName(const std::string& given);
    // Makes the log of a new vehicle named `name`; its path, or empty after saying why none.
    std::string MakeVehicle(const std::string& name, const LogUnits& units);
    // Where an import goes when the user chose another log than the one shown: that log, or a
    // new vehicle's (`path` empty) named `fileVehicle` when the file names one, shown before the
    // import is made. False when the window could not switch to it (said then).
    bool ImportIntoOther(const std::string& path, const std::string& fileVehicle);
    void OnRenameVehicle();
    void OnRemoveVehicle();

    CListCtrl m_list;
    std::u16string m_reminderLabel1;
    std::u16string m_reminderLabel2;
    std::u16string m_reminderLabel3;
    double m_reminderValue1 = 0.0;
    double m_reminderValue2 = 0.0;
    LogBook m_book;  // records, count, totals, reminders and the summary line
    double m_reminderValue3 = 0.0;
    LogSession m_session;  // the road to the log file for m_book
    LogRecord m_newRecord;
    bool m_sortAscending = true;
    std::vector<CellSortKey> m_sortKeys;  // by row position, while a column sort runs
    int32_t m_selectedIndex = -1;
    QIcon m_icon;
    LogWatcher* m_watcher = nullptr;  // owned by the window
    QPointer<ChartsWindow> m_charts;  // owned by the window, made when first asked for
    bool m_markDueReminders = true;
    Economy m_economy = Economy::DistancePerQuantity;  // how the person reads the economy
    // A command is under way (its dialogs run nested loops): outside changes wait for its end.
    bool m_commandRunning = false;
    bool m_outsideChangeWaiting = false;
    std::u16string m_baseTitle;  // the title without the vehicle's name

    DECLARE_MESSAGE_MAP()
};
