// The main window beyond the handheld: its menu bar, the charts, the marks on reminders that are
// due, and the look it keeps between starts.

#include <algorithm>
#include <array>

#include <QAbstractItemView>
#include <QDesktopServices>
#include <QDialog>
#include <QLineEdit>
#include <QUrl>

#include "charts_window.h"
#include "file_dialog.h"
#include "link_target.h"
#include "log_dlg.h"
#include "log_transfer.h"
#include "main_menu.h"
#include "message_box.h"
#include "reminder_due.h"
#include "resource.h"
#include "utf8.h"
#include "view_settings.h"
#include "window_placement.h"

void CLogDlg::SetUpMenu() {
    const ViewSettings settings = LoadViewSettings();
    m_markDueReminders = settings.markDueReminders;
    m_economy = settings.economy;
    MainMenuCommands commands;
    commands.exportLog = [this] { OnExportLog(); };
    commands.importLog = [this] { OnImportLog(); };
    commands.openLogFolder = [this] { OnOpenLogFolder(); };
    commands.quit = [this] { OnQuit(); };
    commands.charts = [this] { OnCharts(); };
    commands.markDueReminders = [this](bool mark) { OnMarkDueReminders(mark); };
    commands.about = [this] { OnAbout(); };
    commands.economy = [this](Economy economy) { OnEconomy(economy); };
    commands.logSettings = [this] { OnLogSettings(); };
    SetMenuBar(BuildMainMenu(commands, m_markDueReminders, m_economy));
    SetUpVehicles(settings.lastVehicle);
    PlaceMainWindow(
        GetWindowWidget(), qobject_cast<QAbstractItemView*>(GetControlWidget(IDC_LOG_LIST)),
        qobject_cast<QLineEdit*>(GetControlWidget(IDC_SUMMARY)), settings.windowGeometry);
    // The hidden index column is never sized by hand, whatever the settings say.
    std::vector<int> widths = settings.columnWidths;
    widths.resize(std::min<size_t>(widths.size(), kIndexColumn));
    m_list.SetUserColumnWidths(widths);
    QObject::connect(static_cast<QDialog*>(GetWindowWidget()), &QDialog::finished,
                     [this] { RememberView(); });
}

void CLogDlg::RememberView() {
    ViewSettings settings;
    settings.markDueReminders = m_markDueReminders;
    settings.economy = m_economy;
    settings.windowGeometry = GetWindowWidget()->saveGeometry();
    settings.columnWidths = m_list.GetUserColumnWidths();
    SaveViewSettings(settings);
}

void CLogDlg::OnExportLog() {
    const std::string path =
        AfxChooseFile(FileChoice::Save, u"Export the log", u"CSV files (*.csv)",
                      FolderOf(FollowLinks(m_session.Path()).path) + "/Tarvo-export.csv");
    if (path.empty()) {
        return;
    }
    // The table of what the window shows, which is what the file held at its last read.
    if (const Failure failed = ExportTo(m_session, path)) {
        AfxMessageBox(Utf8ToUtf16(failed->Text()), MB_OK | MB_ICONERROR);
    }
}

void CLogDlg::OnOpenLogFolder() {
    // The folder of the file itself: a log reached through a link lies where the link leads.
    const std::string folder = FolderOf(FollowLinks(m_session.Path()).path);
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(folder)))) {
        AfxMessageBox(Utf8ToUtf16("The folder \"" + folder + "\" could not be opened."),
                      MB_OK | MB_ICONWARNING);
    }
}

void CLogDlg::OnQuit() {
    // As the window's close button: the caption's OK ends the program.
    GetWindowWidget()->close();
}

void CLogDlg::OnCharts() {
    if (m_charts == nullptr) {
        m_charts = new ChartsWindow(GetWindowWidget());
        m_charts->ShowLog(m_book, m_economy);
    }
    m_charts->show();
    m_charts->raise();
    m_charts->activateWindow();
}

void CLogDlg::OnMarkDueReminders(bool mark) {
    m_markDueReminders = mark;
    MarkDueReminders();
}

void CLogDlg::MarkDueReminders() {
    constexpr std::array<std::array<int, 2>, 3> kRows = {{
        {IDC_REMINDER_LABEL1, IDC_REMINDER_VALUE1},
        {IDC_REMINDER_LABEL2, IDC_REMINDER_VALUE2},
        {IDC_REMINDER_LABEL3, IDC_REMINDER_VALUE3},
    }};
    const std::optional<double> odometer = LatestOdometer(m_book);
    for (size_t row = 0; row < kRows.size(); ++row) {
        const ReminderDue due =
            m_markDueReminders && odometer.has_value()
                ? ReminderDueAt(m_book.reminders.value[row], *odometer, m_book.units.distance)
                : ReminderDue{};
        const Attention level = due.state == DueState::Overdue   ? Attention::Alert
                                : due.state == DueState::DueSoon ? Attention::Warning
                                                                 : Attention::None;
        for (int id : kRows[row]) {
            GetDlgItem(id)->SetAttention(level, DueNote(due, m_book.units.distance));
        }
    }
}

void CLogDlg::OnAbout() {
    AfxMessageBox(
        Utf8ToUtf16("Tarvo " TARVO_VERSION "\nA fuel and mileage logbook.\n\nThe log: \"" +
                    m_session.Path() +
                    "\"\n\nTarvo is free software under the GNU General Public "
                    "License, version 3 or later."),
        MB_OK | MB_ICONINFORMATION);
}
