// File > Import...: the import as one command of the main window, on the road every command
// takes (lock, change check, atomic save, read back), with a preview before anything is written.

#include "file_bytes.h"
#include "file_dialog.h"
#include "import_answers.h"
#include "import_preview.h"
#include "import_preview_dlg.h"
#include "import_question_dlg.h"
#include "link_target.h"
#include "log_dlg.h"
#include "log_transfer.h"
#include "message_box.h"
#include "number_text.h"
#include "utf8.h"

void CLogDlg::OnImportLog() {
    const CommandRunning running(*this);
    if (!ReadyToChange(false)) {
        return;
    }
    const std::string path = AfxChooseFile(FileChoice::Open, u"Import a fuel log",
                                           u"CSV files (*.csv *.txt);;All files (*)",
                                           FolderOf(FollowLinks(m_session.Path()).path));
    if (path.empty()) {
        return;
    }
    std::string bytes;
    if (const Failure failed = ReadWholeFile(path, bytes)) {
        AfxMessageBox(Utf8ToUtf16(failed->Text()), MB_OK | MB_ICONERROR);
        return;
    }
    // Planned against the log as the window shows it until the file leaves nothing open: each
    // question the file raises is asked, and the plan made again with the answer.
    ImportOptions options;
    ImportPlan plan = PlanImportInto(m_session, bytes, options);
    while (plan.unusable.empty() && !plan.questions.empty()) {
        for (const ImportQuestion& question : plan.questions) {
            CImportQuestionDlg ask(this);
            ask.SetQuestion(Utf8ToUtf16(question.text), AnswersTo(question));
            if (ask.DoModal() != IDOK) {
                return;
            }
            Answer(question, ask.GetAnswer(), options);
        }
        plan = PlanImportInto(m_session, bytes, options);
    }
    if (!plan.unusable.empty()) {
        AfxMessageBox(Utf8ToUtf16(ImportPreview(plan)), MB_OK | MB_ICONERROR);
        return;
    }
    CImportPreviewDlg preview(this);
    preview.SetPreview(Utf8ToUtf16(ImportPreview(plan)), !plan.entries.empty());
    if (preview.DoModal() != IDOK || plan.entries.empty()) {
        return;
    }
    const ImportResult done = ImportPlanned(m_session, plan);
    const std::string& said = done.change.message;
    if (done.change.result == ChangeResult::Saved) {
        AfxMessageBox(Utf8ToUtf16(Plural(done.added, "entry was", "entries were") + " imported." +
                                  (said.empty() ? "" : "\n" + said)),
                      MB_OK | MB_ICONINFORMATION);
    } else {
        AfxMessageBox(Utf8ToUtf16(said), MB_OK | MB_ICONERROR);
    }
    ShowRead(done.change.readBack);
    ShowWhatTheFileHolds();
}
