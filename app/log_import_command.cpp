// File > Import...: the import as one command of the main window, on the road every command
// takes (lock, change check, atomic save, read back), with a preview before anything is written.

#include "file_bytes.h"
#include "file_dialog.h"
#include "import_answers.h"
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
                                           FolderOf(FollowLinks(m_logPath).path));
    if (path.empty()) {
        return;
    }
    std::string bytes;
    if (const int error = ReadWholeFile(path, bytes); error != 0) {
        AfxMessageBox(Utf8ToUtf16("Cannot read \"" + path + "\": " + ErrnoText(error)),
                      MB_OK | MB_ICONERROR);
        return;
    }
    // Planned until the file leaves nothing open: each question the file raises is asked, and
    // the plan made again with the answer.
    ImportOptions options;
    ImportOutcome planned = ImportIntoLog(m_lock, m_logPath, bytes, options, true);
    while (planned.status == ImportStatus::Questions) {
        for (const ImportQuestion& question : planned.plan.questions) {
            CImportQuestionDlg ask(this);
            ask.SetQuestion(Utf8ToUtf16(question.text), AnswersTo(question));
            if (ask.DoModal() != IDOK) {
                return;
            }
            Answer(question, ask.GetAnswer(), options);
        }
        planned = ImportIntoLog(m_lock, m_logPath, bytes, options, true);
    }
    if (planned.status != ImportStatus::Previewed) {
        AfxMessageBox(Utf8ToUtf16(planned.message.empty() ? planned.preview : planned.message),
                      MB_OK | MB_ICONERROR);
        return;
    }
    CImportPreviewDlg preview(this);
    preview.SetPreview(Utf8ToUtf16(planned.preview), !planned.plan.entries.empty());
    if (preview.DoModal() != IDOK) {
        return;
    }
    KeepLastRead();
    const ImportOutcome done = ImportIntoLog(m_lock, m_logPath, bytes, options, false);
    if (done.status == ImportStatus::Imported) {
        AfxMessageBox(Utf8ToUtf16(Plural(done.added, "entry was", "entries were") + " imported." +
                                  (done.message.empty() ? "" : "\n" + done.message)),
                      MB_OK | MB_ICONINFORMATION);
    } else {
        AfxMessageBox(Utf8ToUtf16(done.message), MB_OK | MB_ICONERROR);
    }
    ShowWhatTheFileHolds();
}
