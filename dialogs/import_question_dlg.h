#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "cdialog.h"

// A question an import cannot answer from the file (which way its dates run, which gallon it
// means, what a unit it names is), with its possible answers as radio buttons; the first is
// chosen to start with.
class CImportQuestionDlg : public CDialog {
public:
    explicit CImportQuestionDlg(CWnd* parent = nullptr);
    // At most kImportAnswerCount answers.
    void SetQuestion(std::u16string question, std::vector<std::u16string> answers);
    // The index of the chosen answer; read after the run ended with IDOK.
    int32_t GetAnswer() const { return m_answer; }

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;

private:
    std::u16string m_question;
    std::vector<std::u16string> m_answers;
    int32_t m_answer = 0;
};
