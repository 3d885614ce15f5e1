// The window's vehicles: the Vehicle menu lists them and switches between them, each switch
// taking the road a start takes (lock, read, damage report, list); a vehicle is added with its
// units and currency, renamed in its log's header, or put aside. The title names the vehicle
// shown, and the next start opens it again.

#include <QMenuBar>
#include <QWidget>

#include "charts_window.h"
#include "link_target.h"
#include "log_create.h"
#include "log_dlg.h"
#include "log_location.h"
#include "log_settings_dlg.h"
#include "log_watcher.h"
#include "message_box.h"
#include "text_prompt.h"
#include "utf8.h"
#include "vehicle_menu.h"
#include "view_settings.h"

void CLogDlg::SetUpVehicles(const std::string& lastVehicle) {
    m_baseTitle = GetWindowText();
    VehicleMenuCommands commands;
    commands.show = [this](const std::string& path) { OnShowVehicle(path); };
    commands.add = [this] { OnAddVehicle(); };
    commands.rename = [this] { OnRenameVehicle(); };
    commands.remove = [this] { OnRemoveVehicle(); };
    if (auto* bar = GetWindowWidget()->findChild<QMenuBar*>()) {
        AddVehicleMenu(bar, commands);
    }
    // The vehicle shown last, while its log is still there; the first one otherwise.
    for (const VehicleLog& vehicle : ListVehicleLogs(LogPath())) {
        if (!lastVehicle.empty() && NameOf(vehicle.path) == lastVehicle) {
            m_session.MoveTo(vehicle.path);
        }
    }
}

void CLogDlg::WatchLog() {
    delete m_watcher;
    m_watcher = new LogWatcher(m_session.Path(), GetWindowWidget());
    QObject::connect(m_watcher, &LogWatcher::changed, [this] {
        // A vehicle added or removed by another window or a sync tool changes the folder.
        ShowVehicles();
        FollowOutsideChange();
    });
}

void CLogDlg::ShowVehicles() {
    const std::vector<VehicleLog> vehicles = ListVehicleLogs(LogPath());
    std::string shown = kFirstVehicleName;
    for (const VehicleLog& vehicle : vehicles) {
        shown = vehicle.path == m_session.Path() ? vehicle.name : shown;
    }
    // The one vehicle a driver with one car has needs no name in the title.
    const bool named = vehicles.size() > 1 || !m_book.vehicle.empty();
    SetWindowText(m_baseTitle + (named ? u" \u2014 " + Utf8ToUtf16(shown) : u""));
    if (auto* bar = GetWindowWidget()->findChild<QMenuBar*>()) {
        ShowVehicleChoices(bar, vehicles, m_session.Path());
    }
}

void CLogDlg::OnShowVehicle(const std::string& path) {
    if (path == m_session.Path() || m_commandRunning) {
        ShowVehicles();
        return;
    }
    const CommandRunning running(*this);
    SwitchToVehicle(path);
}

void CLogDlg::SwitchToVehicle(const std::string& path) {
    // The other vehicle's log is opened as at a start: this one's lock goes first.
    m_session.MoveTo(path);
    m_book = FreshLog();
    m_selectedIndex = -1;
    OpenLog();
    UpdateData(FALSE);
    EnableRecordCommands(FALSE);
    WatchLog();
    ShowVehicles();
    if (m_charts != nullptr) {
        m_charts->ShowLog(m_book, m_economy);
    }
    SaveLastVehicle(NameOf(path));
}

void CLogDlg::OnAddVehicle() {
    const std::optional<std::string> name = AskNewVehicleName({});
    if (!name) {
        return;
    }
    CLogSettingsDlg settings(this);
    settings.SetLog(LogUnits{}, 0);
    if (settings.DoModal() != IDOK) {
        return;
    }
    const std::string path = MakeVehicle(*name, settings.GetUnits());
    if (!path.empty()) {
        OnShowVehicle(path);
    }
}

std::optional<std::string> CLogDlg::AskNewVehicleName(const std::string& given) {
    const std::optional<std::string> name =
        AfxAskText(u"Add a vehicle", u"The vehicle's name:", given);
    if (!name) {
        return std::nullopt;
    }
    if (const Failure problem = VehicleNameProblem(*name, ListVehicleLogs(LogPath()))) {
        AfxMessageBox(Utf8ToUtf16(problem->Text()), MB_OK | MB_ICONERROR);
        return std::nullopt;
    }
    return name;
}

std::string CLogDlg::MakeVehicle(const std::string& name, const LogUnits& units) {
    const VehicleAddition added = AddVehicleLog(LogPath(), name, units);
    if (!added.Made()) {
        const std::string why =
            added.heldBy ? OpenElsewhere(added.path, *added.heldBy) : added.error->Text();
        AfxMessageBox(Utf8ToUtf16(why + "\nNo vehicle was added."), MB_OK | MB_ICONERROR);
        return {};
    }
    return added.path;
}

void CLogDlg::OnRenameVehicle() {
    const CommandRunning running(*this);
    std::vector<VehicleLog> others = ListVehicleLogs(LogPath());
    std::string current = kFirstVehicleName;
    for (auto it = others.begin(); it != others.end();) {
        current = it->path == m_session.Path() ? it->name : current;
        it = it->path == m_session.Path() ? others.erase(it) : it + 1;
    }
    const std::optional<std::string> name =
        AfxAskText(u"Rename this vehicle", u"The vehicle's name:", current);
    if (!name || *name == current) {
        return;
    }
    if (const Failure problem = VehicleNameProblem(*name, others)) {
        AfxMessageBox(Utf8ToUtf16(problem->Text()), MB_OK | MB_ICONERROR);
        return;
    }
    // The name lives in the log's header, so renaming is a change of the log like any other;
    // the file keeps its name.
    if (!ReadyToChange(false)) {
        return;
    }
    Commit(LogChange::RenameVehicle(*name));
    ShowVehicles();
}

void CLogDlg::OnRemoveVehicle() {
    const std::string path = m_session.Path();
    if (AfxMessageBox(
            Utf8ToUtf16("Remove this vehicle? Its log \"" + path + "\" is put aside as \"" +
                        NameOf(path) + ".removed\", not deleted, and can be renamed back by hand."),
            MB_OKCANCEL | MB_ICONWARNING) != IDOK) {
        return;
    }
    // This window lets the log go first, so that the removal can take its lock.
    OnShowVehicle(LogPath());
    const VehicleRemoval removed = RemoveVehicleLog(LogPath(), path);
    if (removed.movedTo.empty()) {
        const std::string why =
            removed.heldBy ? OpenElsewhere(path, *removed.heldBy) + " Close it there first."
                           : removed.error->Text();
        AfxMessageBox(Utf8ToUtf16(why + "\nThe vehicle was not removed."), MB_OK | MB_ICONERROR);
        OnShowVehicle(path);  // back to the vehicle it was asked to remove
        return;
    }
    ShowVehicles();
}
