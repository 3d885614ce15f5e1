#include "log_settings_dlg.h"

#include "data_exchange.h"
#include "number_text.h"
#include "resource.h"
#include "utf8.h"

namespace {

// What the dialog can do to a log that holds `entries` entries.
std::u16string NoteOn(int32_t entries) {
    if (entries == 0) {
        return u"The log holds no entries: any units and currency can be chosen.";
    }
    return Utf8ToUtf16(
        "The log holds " + Plural(entries, "entry", "entries") +
        ". Other units convert its odometer readings and fuel, after a copy of the log is kept. "
        "Its currency stays: Tarvo converts no money. For a log in another currency, export "
        "this one, move the log aside, make a new log and import the export into it.");
}

}  // namespace

CLogSettingsDlg::CLogSettingsDlg(CWnd* parent) : CDialog(IDD_LOG_SETTINGS, parent) {}

void CLogSettingsDlg::SetLog(const LogUnits& units, int32_t entries) {
    m_units = units;
    m_entries = entries;
    m_distance = static_cast<int32_t>(units.distance);
    m_quantity = static_cast<int32_t>(units.quantity);
    m_currency = Utf8ToUtf16(units.currency.code);
    m_note = NoteOn(entries);
}

LogUnits CLogSettingsDlg::GetUnits() const {
    return m_units;
}

BOOL CLogSettingsDlg::OnInitDialog() {
    GetDlgItem(IDC_UNITS_CURRENCY)->EnableWindow(m_entries == 0 ? TRUE : FALSE);
    return CDialog::OnInitDialog();
}

void CLogSettingsDlg::DoDataExchange(CDataExchange* dx) {
    DDX_Radio(dx, IDC_UNITS_KM, m_distance);
    DDX_Radio(dx, IDC_UNITS_LITRES, m_quantity);
    DDX_Text(dx, IDC_UNITS_CURRENCY, m_currency);
    DDX_Text(dx, IDC_UNITS_NOTE, m_note);
    if (!dx->SaveAndValidate() || dx->Failed()) {
        return;
    }
    LogUnits chosen = m_units;
    chosen.distance = static_cast<DistanceUnit>(m_distance);
    chosen.quantity = static_cast<QuantityUnit>(m_quantity);
    if (m_entries > 0 && !QuantitiesConvert(m_units.quantity, chosen.quantity)) {
        dx->Fail(IDC_UNITS_LITRES + m_quantity,
                 Utf8ToUtf16("The entries' " + std::string(QuantityName(m_units.quantity)) +
                             " cannot become " + std::string(QuantityName(chosen.quantity)) +
                             ": a log of another kind of fuel is a new log."));
        return;
    }
    const std::optional<Currency> currency = CurrencyOfCode(Utf16ToUtf8(m_currency));
    if (!currency) {
        dx->Fail(IDC_UNITS_CURRENCY,
                 u"\"" + m_currency +
                     u"\" is no ISO 4217 currency code. Please enter one, such as EUR, USD, GBP "
                     u"or JPY.");
        return;
    }
    chosen.currency = *currency;
    m_units = chosen;
}
