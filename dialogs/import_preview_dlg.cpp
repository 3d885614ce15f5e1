#include "import_preview_dlg.h"

#include <iterator>
#include <utility>

#include "data_exchange.h"
#include "import_answers.h"
#include "import_columns.h"
#include "import_table.h"
#include "utf8.h"

static_assert(std::size(kHandRoles) == kImportColumnSlots,
              "one column choice for each column a user can place");

namespace {

constexpr char16_t kNoAnswer[] = u"(choose an answer)";
constexpr char16_t kNoColumn[] = u"(none)";

bool SameQuestion(const ImportQuestion& a, const ImportQuestion& b) {
    return a.kind == b.kind && a.subject == b.subject;
}

}  // namespace

CImportPreviewDlg::CImportPreviewDlg(Planner planner, ImportOptions options,
                                     std::vector<std::u16string> targets, CWnd* parent)
    : CDialog(IDD_IMPORT_PREVIEW, parent),
      m_planner(std::move(planner)),
      m_given(std::move(options)),
      m_targets(std::move(targets)) {
    SetTitle(kImportTitle);
    m_skipSuspect = m_given.skipSuspect;
    m_skipRepeats = m_given.skipRepeats;
    m_columns = m_given.columns;
}

BOOL CImportPreviewDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    for (const std::u16string& target : m_targets) {
        m_into.AddString(target);
    }
    m_into.SetCurSel(m_target);
    for (int k = 0; k < kImportColumnSlots; ++k) {
        const std::string role(kHandRoles[k]);
        GetDlgItem(IDC_IMPORT_COLUMN_LABEL1 + k)->SetWindowText(Utf8ToUtf16(role + ":"));
        m_columnBoxes[k].SetAccessibleName(Utf8ToUtf16("Column of the " + role));
    }
    const std::vector<std::string> titles = ImportTableTitles(LogUnits{});
    for (int c = 0; c < kImportColumnCount; ++c) {
        const bool number =
            c == kImportLine || c == kImportOdometer || c == kImportQuantity || c == kImportCost;
        m_table.InsertColumn(c, Utf8ToUtf16(titles[static_cast<std::size_t>(c)]),
                             number ? LVCFMT_RIGHT : LVCFMT_LEFT);
    }
    Plan();
    // The table's rows show whole, reasons and all, as far as the screen allows.
    Widen(m_table.LackingWidth());
    // The keyboard starts where the user has something to do: an open question, else a column to
    // place; otherwise on Import, or on Cancel when there is nothing to import.
    for (std::size_t slot = 0; slot < m_shown.size(); ++slot) {
        if (m_asked[m_shown[slot]].answer < 0) {
            GotoDlgCtrl(&m_answers[slot]);
            return FALSE;
        }
    }
    if (!m_plan.unusable.empty() && !m_plan.header.empty()) {
        GotoDlgCtrl(&m_columnBoxes[0]);
        return FALSE;
    }
    return TRUE;
}

void CImportPreviewDlg::DoDataExchange(CDataExchange* dx) {
    DDX_Control(dx, IDC_IMPORT_TABLE, m_table);
    DDX_Control(dx, IDC_IMPORT_INTO, m_into);
    for (int k = 0; k < kImportQuestionSlots; ++k) {
        DDX_Control(dx, IDC_IMPORT_ANSWER1 + k, m_answers[k]);
    }
    for (int k = 0; k < kImportColumnSlots; ++k) {
        DDX_Control(dx, IDC_IMPORT_COLUMN1 + k, m_columnBoxes[k]);
    }
    DDX_Check(dx, IDC_IMPORT_SKIP_SUSPECT, m_skipSuspect);
    DDX_Check(dx, IDC_IMPORT_SKIP_REPEATS, m_skipRepeats);
}

bool CImportPreviewDlg::CanImport() const {
    return m_plan.CanProceed() && !m_plan.entries.empty();
}

void CImportPreviewDlg::OnOK() {
    // Enter reaches here only through the Import button, but a plan with something open must
    // never be imported, however it was asked for.
    if (CanImport()) {
        CDialog::OnOK();
    }
}

void CImportPreviewDlg::OnAnswer(UINT id) {
    const std::size_t slot = id - IDC_IMPORT_ANSWER1;
    if (slot < m_shown.size()) {
        m_asked[m_shown[slot]].answer = m_answers[slot].GetCurSel() - 1;
        Plan();
    }
}

void CImportPreviewDlg::OnColumn(UINT id) {
    const int slot = static_cast<int>(id) - IDC_IMPORT_COLUMN1;
    const std::string word(kHandRoles[slot]);
    const int chosen = m_columnBoxes[slot].GetCurSel() - 1;
    // "(none)" is a choice too: a column Tarvo took by its name for this field is then not read.
    m_columns[word] = chosen >= 0 && static_cast<std::size_t>(chosen) < m_plan.header.size()
                          ? m_plan.header[static_cast<std::size_t>(chosen)]
                          : std::string();
    Plan();
}

void CImportPreviewDlg::OnInto() {
    m_target = m_into.GetCurSel();
    Plan();
}

void CImportPreviewDlg::OnLeaveOut() {
    UpdateData(TRUE);
    Plan();
}

void CImportPreviewDlg::Plan() {
    // The options are made anew from what is chosen now, so that an answer taken back is gone.
    ImportOptions options = m_given;
    for (const Asked& asked : m_asked) {
        if (asked.answer >= 0) {
            Answer(asked.question, asked.answer, options);
        }
    }
    options.columns = m_columns;
    options.skipSuspect = m_skipSuspect;
    options.skipRepeats = m_skipRepeats;
    m_plan = m_planner(options, m_target);
    m_planned = std::move(options);
    for (const ImportQuestion& question : m_plan.questions) {
        const auto same = [&](const Asked& a) { return SameQuestion(a.question, question); };
        const auto it = std::find_if(m_asked.begin(), m_asked.end(), same);
        if (it == m_asked.end()) {
            m_asked.push_back({question, -1});
        } else {
            it->question = question;
        }
    }
    GetDlgItem(IDC_IMPORT_SUMMARY)->SetWindowText(Utf8ToUtf16(ImportSummary(m_plan)));
    CWnd* problem = GetDlgItem(IDC_IMPORT_PROBLEM);
    problem->SetWindowText(Utf8ToUtf16(m_plan.unusable));
    problem->SetAttention(m_plan.unusable.empty() ? Attention::None : Attention::Alert, {});
    std::string notes;
    for (const std::string& note : m_plan.notes) {
        notes += (notes.empty() ? "" : "\n") + note;
    }
    GetDlgItem(IDC_IMPORT_NOTES)->SetWindowText(Utf8ToUtf16(notes));
    ShowQuestions();
    ShowColumns();
    ShowTable();
    const bool canImport = CanImport();
    GetDlgItem(IDOK)->EnableWindow(canImport ? TRUE : FALSE);
    SetDefID(canImport ? IDOK : IDCANCEL);
}

std::vector<std::size_t> CImportPreviewDlg::QuestionsShown() const {
    // In the order the file raised them; when there are more than the slots, the answered ones
    // give way first, so that an open question is always in sight.
    std::vector<std::size_t> shown;
    std::size_t answered = 0;
    for (const Asked& asked : m_asked) {
        answered += asked.answer >= 0 ? 1 : 0;
    }
    std::size_t dropAnswered =
        m_asked.size() > kImportQuestionSlots ? m_asked.size() - kImportQuestionSlots : 0;
    dropAnswered = std::min(dropAnswered, answered);
    for (std::size_t i = 0; i < m_asked.size() && shown.size() < kImportQuestionSlots; ++i) {
        if (m_asked[i].answer >= 0 && dropAnswered > 0) {
            --dropAnswered;
            continue;
        }
        shown.push_back(i);
    }
    return shown;
}

void CImportPreviewDlg::ShowQuestions() {
    m_shown = QuestionsShown();
    for (int k = 0; k < kImportQuestionSlots; ++k) {
        const std::size_t slot = static_cast<std::size_t>(k);
        const bool used = slot < m_shown.size();
        CWnd* text = GetDlgItem(IDC_IMPORT_QUESTION1 + k);
        text->ShowWindow(used ? SW_SHOW : SW_HIDE);
        m_answers[k].ShowWindow(used ? SW_SHOW : SW_HIDE);
        m_answers[k].ResetContent();
        if (!used) {
            continue;
        }
        const Asked& asked = m_asked[m_shown[slot]];
        text->SetWindowText(Utf8ToUtf16(asked.question.text));
        m_answers[k].SetAccessibleName(Utf8ToUtf16(asked.question.text));
        m_answers[k].AddString(kNoAnswer);
        for (const std::u16string& answer : AnswersTo(asked.question)) {
            m_answers[k].AddString(answer);
        }
        m_answers[k].SetCurSel(asked.answer + 1);
        m_answers[k].SetAttention(asked.answer < 0 ? Attention::Warning : Attention::None,
                                  u"Tarvo needs this answer to plan the import.");
    }
}

void CImportPreviewDlg::ShowColumns() {
    for (int k = 0; k < kImportColumnSlots; ++k) {
        const std::string word(kHandRoles[k]);
        CComboBox& box = m_columnBoxes[k];
        box.ResetContent();
        box.AddString(kNoColumn);
        const auto byHand = m_columns.find(word);
        const auto read = m_plan.columnsRead.find(word);
        const std::string chosen = byHand != m_columns.end()          ? byHand->second
                                   : read != m_plan.columnsRead.end() ? read->second
                                                                      : std::string();
        int selected = 0;
        for (const std::string& header : m_plan.header) {
            const int index = box.AddString(Utf8ToUtf16(header));
            selected = !chosen.empty() && header == chosen ? index : selected;
        }
        box.SetCurSel(selected);
        box.EnableWindow(m_plan.header.empty() ? FALSE : TRUE);
    }
}

void CImportPreviewDlg::ShowTable() {
    const std::vector<std::string> titles = ImportTableTitles(m_plan.units);
    m_table.SetRedraw(FALSE);
    m_table.DeleteAllItems();
    const std::vector<ImportTableRow> rows = ImportTableRows(m_plan);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const int row = m_table.InsertItem(static_cast<int>(i), Utf8ToUtf16(rows[i].cells[0]));
        for (int c = 1; c < kImportColumnCount; ++c) {
            m_table.SetItemText(row, c, Utf8ToUtf16(rows[i].cells[c]));
        }
    }
    for (int c = 0; c < kImportColumnCount; ++c) {
        m_table.SetColumnTitle(c, Utf8ToUtf16(titles[static_cast<std::size_t>(c)]));
        m_table.SetColumnWidth(c, LVSCW_AUTOSIZE_USEHEADER);
    }
    m_table.SetRedraw(TRUE);
}

BEGIN_MESSAGE_MAP(CImportPreviewDlg, CDialog)
    ON_CBN_SELCHANGE(IDC_IMPORT_INTO, &CImportPreviewDlg::OnInto)
    ON_BN_CLICKED(IDC_IMPORT_SKIP_SUSPECT, &CImportPreviewDlg::OnLeaveOut)
    ON_BN_CLICKED(IDC_IMPORT_SKIP_REPEATS, &CImportPreviewDlg::OnLeaveOut)
    ON_CONTROL_RANGE(CBN_SELCHANGE, IDC_IMPORT_ANSWER1,
                     IDC_IMPORT_ANSWER1 + kImportQuestionSlots - 1, &CImportPreviewDlg::OnAnswer)
    ON_CONTROL_RANGE(CBN_SELCHANGE, IDC_IMPORT_COLUMN1, IDC_IMPORT_COLUMN1 + kImportColumnSlots - 1,
                     &CImportPreviewDlg::OnColumn)
END_MESSAGE_MAP()
