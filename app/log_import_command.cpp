// File > Import...: the import as one command of the main window, on the road every command
// takes (lock, change check, atomic save, read back), with a preview before anything is written.

#include "file_bytes.h"
#include "file_dialog.h"
#include "import_preview.h"
#include "import_preview_dlg.h"
#include "import_targets.h"
#include "link_target.h"
#include "log_dlg.h"
#include "log_location.h"
#include "log_transfer.h"
#include "message_box.h"
#include "number_text.h"
#include "ole_date_time.h"
#include "utf8.h"
#include "vehicle_logs.h"

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
    // Rows dated after now look wrong: now is the window's clock's.
    ImportOptions options;
    SYSTEMTIME now{};
    if (COleDateTime::GetCurrentTime().GetAsSystemTime(now)) {
        options.now = now;
    }
    const std::vector<ImportTarget> targets = ImportTargets(LogPath(), m_session.Path());
    std::vector<std::u16string> labels;
    for (const ImportTarget& target : targets) {
        labels.push_back(target.label);
    }
    // The vehicle shown is planned against as the window holds it; another as its file holds it.
    const auto plan = [&](const ImportOptions& chosen, int target) {
        return target == 0
                   ? PlanImportInto(m_session, bytes, chosen)
                   : PlanImport(bytes, TargetBook(targets[static_cast<std::size_t>(target)]),
                                chosen);
    };
    CImportPreviewDlg preview(plan, options, labels, this);
    if (preview.DoModal() != IDOK) {
        return;
    }
    const std::size_t target = static_cast<std::size_t>(preview.GetTarget());
    if (target != 0 && (!ImportIntoOther(targets[target].path, preview.GetPlan().vehicle) ||
                        !ReadyToChange(false))) {
        return;
    }
    // Planned again on the road of the log the import goes into, as it is now.
    const ImportPlan planned = PlanImportInto(m_session, bytes, preview.GetOptions());
    if (!planned.CanProceed() || planned.entries.empty()) {
        AfxMessageBox(Utf8ToUtf16("Nothing was imported.\n" + ImportPreview(planned)),
                      MB_OK | MB_ICONERROR);
        return;
    }
    const ImportResult done = ImportPlanned(m_session, planned);
    const std::string& said = done.change.message;
    if (done.change.result == ChangeResult::Saved) {
        const std::size_t previewed = preview.GetPlan().entries.size();
        const std::string differs =
            planned.entries.size() == previewed
                ? std::string()
                : "\nThe log had changed since the preview, which showed " +
                      Plural(static_cast<int64_t>(previewed), "entry", "entries") + " to add.";
        AfxMessageBox(Utf8ToUtf16(Plural(done.added, "entry was", "entries were") + " imported." +
                                  differs + (said.empty() ? "" : "\n" + said)),
                      MB_OK | MB_ICONINFORMATION);
    } else {
        AfxMessageBox(Utf8ToUtf16(said), MB_OK | MB_ICONERROR);
    }
    ShowRead(done.change.readBack);
    ShowWhatTheFileHolds();
}

bool CLogDlg::ImportIntoOther(const std::string& path, const std::string& fileVehicle) {
    std::string log = path;
    if (log.empty()) {
        // A new vehicle is named after the file's when that name is free, else asked for. Its
        // log declares nothing yet, so the import gives it the file's units and currency.
        std::optional<std::string> name = fileVehicle;
        if (fileVehicle.empty() || VehicleNameProblem(fileVehicle, ListVehicleLogs(LogPath()))) {
            name = AskNewVehicleName(fileVehicle);
        }
        log = name ? MakeVehicle(*name, LogUnits{}) : std::string();
    }
    if (log.empty()) {
        return false;
    }
    SwitchToVehicle(log);
    return true;
}
