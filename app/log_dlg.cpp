#include "log_dlg.h"

#include <QWidget>

#include "atomic_file.h"
#include "data_exchange.h"
#include "device_storage.h"
#include "list_columns.h"
#include "log_create.h"
#include "log_load.h"
#include "log_location.h"
#include "log_watcher.h"
#include "message_box.h"
#include "resource.h"
#include "resource_table.h"
#include "temporary_cleanup.h"
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
      m_icon(LoadIconResource(IDR_MAINFRAME)),
      m_logPath(MapDevicePath(kLogDevicePath)) {}

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
        m_list.InsertColumn(static_cast<int>(c), std::u16string(kListColumns[c].title), LVCFMT_LEFT,
                            kListColumns[c].width);
    }
    m_list.SetCellNotes([this](int row, int column) { return NoteOnCell(row, column); });
    SetUpMenu();
    OpenLog();
    UpdateData(FALSE);
    EnableRecordCommands(FALSE);
    m_watcher = new LogWatcher(m_logPath, GetWindowWidget());
    QObject::connect(m_watcher, &LogWatcher::changed, [this] { FollowOutsideChange(); });
    return TRUE;
}

void CLogDlg::OpenLog() {
    const LockAttempt lock = m_lock.TryTake(m_logPath);
    if (lock.outcome == LockOutcome::HeldByAnother) {
        // That window made the file; this one only reads it.
        AfxMessageBox(Utf8ToUtf16(OpenElsewhere(m_logPath, lock.holder)) +
                          u"\nThis window shows the log, but cannot change it while that "
                          u"window has it open.",
                      MB_OK | MB_ICONINFORMATION);
    } else if (lock.outcome == LockOutcome::Failed && MissingLogFolder(m_logPath).empty()) {
        // Nothing is written without the lock, not even a log that is missing.
        AfxMessageBox(Utf8ToUtf16(lock.error.Text()) +
                          u"\nThis window shows the log, but "
                          u"cannot change it until that is mended.",
                      MB_OK | MB_ICONWARNING);
    } else {
        if (lock.outcome == LockOutcome::Taken) {
            // A save that was killed may have left its temporary file; no other window can be
            // saving now.
            RemoveLeftoverTemporaries(m_logPath);
        }
        const CreateResult created = CreateLogIfMissing(m_logPath);
        if (created.outcome == CreateOutcome::Created) {
            AfxMessageBox(u"New \"Tarvo.csv\" is Created.");
        }
        if (created.outcome == CreateOutcome::Failed) {
            // There is no file to read; one message says why, and how to mend it.
            const std::string noFolder = MissingLogFolder(m_logPath);
            m_cannotSave = Utf8ToUtf16(noFolder.empty() ? created.error : noFolder);
            AfxMessageBox(m_cannotSave + (noFolder.empty() ? u"" : kMissingFolderHint),
                          MB_OK | MB_ICONERROR);
            return;
        }
    }
    LoadLog();
}

bool CLogDlg::LoadLog() {
    const LoadResult loaded = ::LoadLog(m_book, m_logPath);
    const std::string message = loaded.Message(m_logPath);
    if (!message.empty()) {
        AfxMessageBox(Utf8ToUtf16(message), MB_OK | (loaded.ok ? MB_ICONWARNING : MB_ICONERROR));
    }
    if (!loaded.ok) {
        m_cannotSave =
            Utf8ToUtf16("\"" + m_logPath + "\" could not be read, so it is not replaced.");
        return false;
    }
    m_read = loaded.snapshot;
    // A damaged log whose original could not be kept is not saved over either: the next save
    // would lose the lines the reader skipped.
    m_cannotSave = loaded.SafeToReplace()
                       ? std::u16string()
                       : Utf8ToUtf16("\"" + m_logPath +
                                     "\" is damaged and its original could not be kept, so it is "
                                     "not replaced.");
    ShowReminders();
    FillList();
    return true;
}

void CLogDlg::FollowOutsideChange() {
    if (m_commandRunning) {
        m_outsideChangeWaiting = true;
        return;
    }
    m_outsideChangeWaiting = false;
    // The window's own saves leave the file as it was read back: nothing to show then. A file
    // gone for a moment (a sync tool replacing it) is read when it is back.
    if (FileChangedSince(m_logPath, m_read).state != ChangeCheck::State::Changed) {
        return;
    }
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
