#include "log_dlg.h"

#include <QWidget>

#include "data_exchange.h"
#include "list_columns.h"
#include "log_location.h"
#include "log_watcher.h"
#include "message_box.h"
#include "resource.h"
#include "resource_table.h"
#include "utf8.h"

namespace {

constexpr char16_t kMissingFolderHint[] =
    u"\nCreate that folder, or point TARVO_STORAGE at the storage card that holds the Tarvo "
    u"folder.";

}  // namespace

BEGIN_MESSAGE_MAP(CLogDlg, CDialog)
    ON_BN_CLICKED(IDC_INPUT, &CLogDlg::OnInput)
    ON_BN_CLICKED(IDC_ANALYZE, &CLogDlg::OnAnalyze)
    ON_NOTIFY(LVN_COLUMNCLICK, IDC_LOG_LIST, &CLogDlg::OnColumnClick)
    ON_NOTIFY(NM_CLICK, IDC_LOG_LIST, &CLogDlg::OnListClick)
    ON_BN_CLICKED(IDC_CORRECT, &CLogDlg::OnCorrect)
    ON_BN_CLICKED(IDC_DELETE, &CLogDlg::OnDelete)
    ON_NOTIFY(NM_DBLCLK, IDC_LOG_LIST, &CLogDlg::OnListActivate)
    ON_NOTIFY(NM_RETURN, IDC_LOG_LIST, &CLogDlg::OnListActivate)
    ON_NOTIFY(LVN_KEYDOWN, IDC_LOG_LIST, &CLogDlg::OnListKeyDown)
END_MESSAGE_MAP()

CLogDlg::CLogDlg(CWnd* parent)
    : CDialog(IDD_TARVO_DIALOG, parent),
      m_session(LogPath(), m_book),
      m_icon(LoadIconResource(IDR_MAINFRAME)) {}

CLogDlg::~CLogDlg() = default;

void CLogDlg::DoDataExchange(CDataExchange* dx) {
    CDialog::DoDataExchange(dx);
    DDX_Control(dx, IDC_LOG_LIST, m_list);
    DDX_Text(dx, IDC_REMINDER_LABEL1, m_reminderLabel1);
    DDX_Text(dx, IDC_REMINDER_LABEL2, m_reminderLabel2);
    DDX_Text(dx, IDC_REMINDER_LABEL3, m_reminderLabel3);
    DDX_Text(dx, IDC_REMINDER_VALUE1, m_reminderValue1);
    DDX_Text(dx, IDC_REMINDER_VALUE2, m_reminderValue2);
    DDX_Text(dx, IDC_SUMMARY, m_book.summary);
    DDX_Text(dx, IDC_REMINDER_VALUE3, m_reminderValue3);
}

BOOL CLogDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    SetIcon(m_icon, TRUE);
    SetIcon(m_icon, FALSE);
    CenterWindow();
    for (size_t c = 0; c < kListColumns.size(); ++c) {
        m_list.InsertColumn(static_cast<int>(c), std::u16string(kListColumns[c].title),
                            kListColumns[c].numbers ? LVCFMT_RIGHT : LVCFMT_LEFT,
                            kListColumns[c].width);
    }
    m_list.SetCellNotes([this](int row, int column) { return NoteOnCell(row, column); });
    SetUpMenu();
    OpenLog();
    UpdateData(FALSE);
    EnableRecordCommands(FALSE);
    WatchLog();
    ShowVehicles();
    return TRUE;
}

void CLogDlg::OpenLog() {
    // Only the first vehicle's log is made when missing: a further one gone was removed.
    const LogOpening opening = m_session.Open(
        {LockUse::Take, m_session.Path() == LogPath() ? MissingLog::Create : MissingLog::Fail});
    if (opening.missing) {
        // There is no file to read; one message says why, and how to mend it.
        AfxMessageBox(Utf8ToUtf16(opening.missing->Text()) +
                          (opening.folderMissing ? kMissingFolderHint : u""),
                      MB_OK | MB_ICONERROR);
        return;
    }
    if (opening.lockError) {
        // Nothing is written without the lock, not even a log that is missing.
        AfxMessageBox(Utf8ToUtf16(opening.lockError->Text()) +
                          u"\nThis window shows the log, but cannot change it until that is "
                          u"mended.",
                      MB_OK | MB_ICONWARNING);
    } else if (opening.readOnly) {
        // Another window made the file; this one only reads it.
        AfxMessageBox(Utf8ToUtf16(OpenElsewhere(m_session.Path(), opening.holder)) +
                          u"\nThis window shows the log, but cannot change it while that "
                          u"window has it open.",
                      MB_OK | MB_ICONINFORMATION);
    }
    if (opening.created) {
        AfxMessageBox(u"New \"Tarvo.csv\" is Created.");
    }
    ShowRead(opening.read);
    if (opening.read.ok()) {
        ShowBook();
    }
}

bool CLogDlg::LoadLog() {
    const LoadResult loaded = m_session.Read();
    ShowRead(loaded);
    if (!loaded.ok()) {
        return false;
    }
    ShowBook();
    return true;
}

void CLogDlg::ShowRead(const LoadResult& loaded) {
    const std::string& path = m_session.Path();
    if (!loaded.ok()) {
        AfxMessageBox(Utf8ToUtf16(loaded.error->Text()), MB_OK | MB_ICONERROR);
    } else if (!loaded.problems.empty()) {
        // The report's first sentence and the backup's name above, every damaged line below in
        // a scrolling list, so that a file with hundreds of them still fits the screen.
        std::string lines;
        for (const std::string& problem : loaded.problems) {
            lines += (lines.empty() ? "" : "\n") + problem;
        }
        AfxMessageBox(Utf8ToUtf16(loaded.Headline(path)), MB_OK | MB_ICONWARNING,
                      Utf8ToUtf16(lines));
    }
}

void CLogDlg::ShowBook() {
    ShowReminders();
    FillList();
}

void CLogDlg::FollowOutsideChange() {
    if (m_commandRunning) {
        m_outsideChangeWaiting = true;
        return;
    }
    m_outsideChangeWaiting = false;
    // The window's own saves leave the file as it was read back: nothing to show then. A file
    // gone for a moment (a sync tool replacing it) is read when it is back.
    if (!m_session.ChangedOutside()) {
        return;
    }
    // Followed as a command is: a change seen while its report is on the screen waits for the
    // report to close, and is not reported a second time.
    const CommandRunning running(*this);
    if (!LoadLog()) {
        return;
    }
    UpdateData(FALSE);
    EnableRecordCommands(FALSE);
}

void CLogDlg::ShowReminders() {
    m_reminderLabel1 = m_book.reminders.label[0];
    m_reminderLabel2 = m_book.reminders.label[1];
    m_reminderLabel3 = m_book.reminders.label[2];
    m_reminderValue1 = m_book.reminders.value[0];
    m_reminderValue2 = m_book.reminders.value[1];
    m_reminderValue3 = m_book.reminders.value[2];
    MarkDueReminders();
}

void CLogDlg::EnableRecordCommands(BOOL enable) {
    GetDlgItem(IDC_CORRECT)->EnableWindow(enable);
    GetDlgItem(IDC_DELETE)->EnableWindow(enable);
}
