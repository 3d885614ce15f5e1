#pragma once

#include <functional>
#include <string>
#include <vector>

#include "ccombobox.h"
#include "cdialog.h"
#include "clistctrl.h"
#include "log_import.h"
#include "message_map.h"
#include "resource.h"

// The title of the import's window.
inline constexpr char16_t kImportTitle[] = u"Import from file";

// What an import will do, before anything is written: a table of the file's rows (to add,
// already in the log, repeated, looking wrong, not placed, each with its line and why), the
// notes, and what the user can still change: the answers to the file's open questions, which
// column holds what, the rows to leave out, and the log to import into. Every change plans the
// import again and shows the new plan. Import is offered, and is what Enter does, only when the
// plan leaves nothing open and adds something; Cancel writes nothing.
class CImportPreviewDlg : public CDialog {
public:
    // Plans the import with `options` into the log the user chose, by its place among the
    // targets.
    using Planner = std::function<ImportPlan(const ImportOptions& options, int target)>;

    // `targets` names the logs the import can go into, the one shown first.
    CImportPreviewDlg(Planner planner, ImportOptions options, std::vector<std::u16string> targets,
                      CWnd* parent = nullptr);

    // After Import: the log chosen, and the options and plan shown.
    int GetTarget() const { return m_target; }
    const ImportOptions& GetOptions() const { return m_planned; }
    const ImportPlan& GetPlan() const { return m_plan; }

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void DoDataExchange(CDataExchange* dx) override;

private:
    struct Asked {
        ImportQuestion question;
        int answer = -1;  // -1: not answered yet
    };

    void OnAnswer(UINT id);
    void OnColumn(UINT id);
    void OnInto();
    void OnLeaveOut();
    void Plan();
    void ShowQuestions();
    void ShowColumns();
    void ShowTable();
    bool CanImport() const;
    // The questions in the slots, as indexes into m_asked.
    std::vector<std::size_t> QuestionsShown() const;

    Planner m_planner;
    ImportOptions m_given;    // before any choice made here
    ImportOptions m_planned;  // of the plan shown
    std::vector<std::u16string> m_targets;
    int m_target = 0;
    bool m_skipSuspect = false;
    bool m_skipRepeats = false;
    std::vector<Asked> m_asked;  // every question the file raised, in the order it did
    std::vector<std::size_t> m_shown;
    std::map<std::string, std::string> m_columns;  // placed by hand
    ImportPlan m_plan;
    CListCtrl m_table;
    CComboBox m_into;
    CComboBox m_answers[kImportQuestionSlots];
    CComboBox m_columnBoxes[kImportColumnSlots];

    DECLARE_MESSAGE_MAP()
};
