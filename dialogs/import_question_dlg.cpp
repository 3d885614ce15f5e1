#include "import_question_dlg.h"

#include "data_exchange.h"
#include "import_preview_dlg.h"
#include "resource.h"

CImportQuestionDlg::CImportQuestionDlg(CWnd* parent) : CDialog(IDD_IMPORT_QUESTION, parent) {
    SetTitle(kImportTitle);
}

void CImportQuestionDlg::SetQuestion(std::u16string question, std::vector<std::u16string> answers) {
    m_question = std::move(question);
    m_answers = std::move(answers);
    m_answer = 0;
}

BOOL CImportQuestionDlg::OnInitDialog() {
    // The template has a button for the most answers a question has; the others are hidden.
    for (int k = 0; k < kImportAnswerCount; ++k) {
        CWnd* button = GetDlgItem(IDC_IMPORT_ANSWER1 + k);
        const bool used = static_cast<size_t>(k) < m_answers.size();
        button->SetWindowText(used ? m_answers[static_cast<size_t>(k)] : std::u16string());
        button->ShowWindow(used ? SW_SHOW : SW_HIDE);
    }
    return CDialog::OnInitDialog();
}

void CImportQuestionDlg::DoDataExchange(CDataExchange* dx) {
    DDX_Text(dx, IDC_IMPORT_QUESTION, m_question);
    DDX_Radio(dx, IDC_IMPORT_ANSWER1, m_answer);
}
