// The log's units and the economy as the person reads it, beyond the handheld: the list's titles,
// the summary line and View > Economy follow them, and File > Log settings... changes the units,
// converting the entries of a log that holds some as one saved change with a copy kept first.

#include <QMenuBar>
#include <QWidget>

#include "list_columns.h"
#include "log_conversion.h"
#include "log_dlg.h"
#include "log_settings_dlg.h"
#include "main_menu.h"
#include "message_box.h"
#include "recompute.h"
#include "utf8.h"

namespace {

// "miles, US gallons and EUR"
std::string UnitsInWords(const LogUnits& units) {
    return std::string(DistanceName(units.distance)) + ", " +
           std::string(QuantityName(units.quantity)) + " and " + units.currency.code;
}

}  // namespace

void CLogDlg::ShowUnits() {
    for (int column = 1; column < kIndexColumn; ++column) {
        m_list.SetColumnTitle(column, ListColumnTitle(column, m_book.units, m_economy));
    }
    m_book.summary = SummaryLine(m_book, m_economy);
    if (auto* bar = GetWindowWidget()->findChild<QMenuBar*>()) {
        ShowEconomyChoices(bar, m_book.units, m_economy);
    }
}

void CLogDlg::OnEconomy(Economy economy) {
    m_economy = economy;
    FillList();
    UpdateData(FALSE);
}

void CLogDlg::OnLogSettings() {
    const CommandRunning running(*this);
    if (!ReadyToChange(false)) {
        return;
    }
    CLogSettingsDlg settings(this);
    settings.SetLog(m_book.units, m_book.count);
    if (settings.DoModal() != IDOK) {
        return;
    }
    const LogUnits to = settings.GetUnits();
    if (to == m_book.units) {
        return;
    }
    if (m_book.count > 0 &&
        AfxMessageBox(Utf8ToUtf16("Convert the odometer readings and fuel of the log's " +
                                  std::to_string(m_book.count) + " entries from " +
                                  UnitsInWords(m_book.units) + " to " + UnitsInWords(to) +
                                  "? A copy of the log as it is now is kept first."),
                      MB_OKCANCEL | MB_ICONWARNING) != IDOK) {
        return;
    }
    // The figures as they were can always be had back: the log is kept before its entries are
    // converted.
    Backup kept;
    if (m_book.count > 0) {
        kept = m_session.KeepCopy();
        if (kept.path.empty()) {
            AfxMessageBox(Utf8ToUtf16(kept.error->Text() + "\nThe log was not changed."),
                          MB_OK | MB_ICONERROR);
            return;
        }
    }
    const ChangeOutcome done = m_session.Make(LogChange::ConvertUnits(to));
    if (done.result == ChangeResult::NotApplied) {
        // The file changed meanwhile, and now holds entries the new units cannot take.
        AfxMessageBox(CheckUnitsChange(m_book, to) == UnitsChange::CurrencyWithEntries
                          ? u"The log now holds entries, whose currency stays: Tarvo converts no "
                            u"money."
                          : u"The log now holds entries whose fuel cannot become the one chosen.",
                      MB_OK | MB_ICONERROR);
    } else if (done.result == ChangeResult::NotSaved) {
        AfxMessageBox(Utf8ToUtf16(done.message + "\nThe log was not changed."),
                      MB_OK | MB_ICONERROR);
    } else if (!kept.path.empty()) {
        AfxMessageBox(Utf8ToUtf16("The log is in " + UnitsInWords(to) +
                                  " now. The log as it was is kept as \"" + kept.path + "\"." +
                                  (done.message.empty() ? "" : "\n" + done.message)),
                      MB_OK | MB_ICONINFORMATION);
    }
    ShowRead(done.readBack);
    ShowWhatTheFileHolds();
}
