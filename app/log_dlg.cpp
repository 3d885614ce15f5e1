#include "log_dlg.h"

#include "data_exchange.h"
#include "device_storage.h"
#include "list_columns.h"
#include "log_file.h"
#include "message_box.h"
#include "resource.h"
#include "resource_table.h"
#include "utf8.h"

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
    const CreateResult created = CreateLogIfMissing(m_logPath);
    if (created.outcome == CreateOutcome::Created) {
        AfxMessageBox(u"New \"Tarvo.csv\" is Created.");
    }
    if (created.outcome == CreateOutcome::Failed) {
        // There is no file to read; one message says why.
        AfxMessageBox(Utf8ToUtf16(created.error), MB_OK | MB_ICONERROR);
    } else {
        LoadLog();
    }
    UpdateData(FALSE);
    EnableRecordCommands(FALSE);
    return TRUE;
}

void CLogDlg::LoadLog() {
    const LoadResult loaded = ::LoadLog(m_book, m_logPath);
    // A damaged log whose original could not be kept is not saved over either: the next save
    // would lose the lines the reader skipped.
    m_logLoaded = loaded.ok && (loaded.problems.empty() || !loaded.backupPath.empty());
    const std::string message = loaded.Message(m_logPath);
    if (!message.empty()) {
        AfxMessageBox(Utf8ToUtf16(message), MB_OK | (loaded.ok ? MB_ICONWARNING : MB_ICONERROR));
    }
    if (!loaded.ok) {
        return;  // keep showing what we have; nothing was read
    }
    ShowReminders();
    FillList();
}

void CLogDlg::ShowReminders() {
    m_reminderLabel1 = m_book.reminders.label[0];
    m_reminderLabel2 = m_book.reminders.label[1];
    m_reminderLabel3 = m_book.reminders.label[2];
    m_reminderValue1 = m_book.reminders.value[0];
    m_reminderValue2 = m_book.reminders.value[1];
    m_reminderValue3 = m_book.reminders.value[2];
}

void CLogDlg::EnableRecordCommands(BOOL enable) {
    GetDlgItem(IDC_CORRECT)->EnableWindow(enable);
    GetDlgItem(IDC_DELETE)->EnableWindow(enable);
}
