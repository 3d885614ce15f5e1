#include "entry_dlg.h"

#include <cmath>
#include <limits>

#include "data_exchange.h"
#include "keyboard_dlg.h"
#include "keypad_dlg.h"
#include "message_box.h"
#include "money_text.h"
#include "pad_keys.h"
#include "resource.h"
#include "utf8.h"

const char16_t kPriceOutOfRangeMessage[] =
    u"The price must be a whole number of yen between -2147483648 and 2147483647.";

namespace {

// The price as the keypad gives it: shown as the amount it is (whole yen, or euros with their
// cents); typed, any finite number, truncated toward zero as the keypad's value is, and refused
// outside the 32-bit range.
void DDX_Price(CDataExchange* dx, int id, int32_t& price, const Currency& currency) {
    if (!dx->SaveAndValidate()) {
        if (currency.digits == 0) {
            DDX_Text(dx, id, price);
        } else {
            std::u16string shown = Utf8ToUtf16(MajorUnitsText(price, currency.digits));
            DDX_Text(dx, id, shown);
        }
        return;
    }
    double typed = price;
    DDX_Text(dx, id, typed);
    if (!dx->Failed() && dx->Exchanges(id) &&
        !PriceFromKeypadValue(typed, price, currency.digits)) {
        dx->Fail(id, PriceOutOfRangeMessage(currency));
    }
}

}  // namespace

std::u16string PriceOutOfRangeMessage(const Currency& currency) {
    if (currency.IsYen()) {
        return kPriceOutOfRangeMessage;
    }
    return Utf8ToUtf16("The price must be an amount in " + currency.code + " between " +
                       MajorUnitsText(std::numeric_limits<int32_t>::min(), currency.digits) +
                       " and " +
                       MajorUnitsText(std::numeric_limits<int32_t>::max(), currency.digits) + ".");
}

bool PriceFromKeypadValue(double value, int32_t& price, int digits) {
    // Compared after truncation, so that 2147483647.9 is still 2147483647 yen; NaN fails both
    // comparisons and infinity the one on its side.
    const double whole = TruncatedMinorUnits(value, digits);
    if (!(whole >= static_cast<double>(std::numeric_limits<int32_t>::min()) &&
          whole <= static_cast<double>(std::numeric_limits<int32_t>::max()))) {
        return false;
    }
    price = static_cast<int32_t>(whole);
    return true;
}

// "Now" is read twice, once per picker, as each picker starts from its own reading; the record
// takes the first.
CEntryDlg::CEntryDlg(CWnd* parent)
    : CDialog(IDD_ENTRY, parent),
      m_date(COleDateTime::GetCurrentTime()),
      m_time(COleDateTime::GetCurrentTime()) {
    m_date.GetAsSystemTime(m_recordTime);
    SetTitle(u"New entry");
}

CEntryDlg::~CEntryDlg() = default;

void CEntryDlg::SetUnits(const LogUnits& units) {
    m_units = units;
}

void CEntryDlg::SetRecord(LogRecord record) {
    // A record to start from is one to correct; without one the dialog makes a new entry.
    SetTitle(u"Correct entry");
    m_recordTime = record.time;
    m_date = COleDateTime(m_recordTime);
    m_time = m_date;
    m_fuel = record.fuel;
    m_odo = record.odo;
    m_price = record.cost;
    m_kind = record.kind;
}

void CEntryDlg::SetReminders(ReminderBlock reminders) {
    m_reminderLabel1 = reminders.label[0];
    m_reminderLabel2 = reminders.label[1];
    m_reminderLabel3 = reminders.label[2];
    m_reminderValue1 = reminders.value[0];
    m_reminderValue2 = reminders.value[1];
    m_reminderValue3 = reminders.value[2];
}

LogRecord CEntryDlg::GetRecord() const {
    LogRecord record;
    record.time = m_recordTime;
    record.fuel = m_fuel;
    record.kind = m_kind;
    record.odo = m_odo;
    record.cost = m_price;
    return record;
}

ReminderBlock CEntryDlg::GetReminders() const {
    ReminderBlock reminders;
    reminders.label = {m_reminderLabel1, m_reminderLabel2, m_reminderLabel3};
    reminders.value = {m_reminderValue1, m_reminderValue2, m_reminderValue3};
    return reminders;
}

BOOL CEntryDlg::OnInitDialog() {
    // The fields' titles name the log's units.
    m_fuelTitle = u"Fuel(" + Utf8ToUtf16(QuantitySymbol(m_units.quantity)) + u")";
    m_odoTitle = u"Odo(" + Utf8ToUtf16(DistanceSymbol(m_units.distance)) + u")";
    m_priceTitle = u"Price(" + CurrencyMark(m_units.currency) + u")";
    CDialog::OnInitDialog();
    RenameTemplateText(u"Fuel(L)", m_fuelTitle);
    RenameTemplateText(u"Odo(km)", m_odoTitle);
    RenameTemplateText(u"Price(\\)", m_priceTitle);
    // The keyboard goes the way someone typing a fill-up reads the dialog: when, then what was
    // bought, then the reminders row by row, then the buttons. The template places them for the
    // stylus, in another order.
    SetTabOrder({IDC_DATE, IDC_TIME, IDC_TODAY_NOW, IDC_FUEL, IDC_ODO, IDC_PRICE, IDC_KIND_FILLUP,
                 IDC_KIND_NOTFILLUP, IDC_KIND_MAINTENANCE, IDC_ENTRY_LABEL1, IDC_ENTRY_VALUE1,
                 IDC_ENTRY_LABEL2, IDC_ENTRY_VALUE2, IDC_ENTRY_LABEL3, IDC_ENTRY_VALUE3, IDOK,
                 IDCANCEL});
    GotoDlgCtrl(GetDlgItem(IDC_DATE));
    return FALSE;  // the focus is set
}

void CEntryDlg::DoDataExchange(CDataExchange* dx) {
    DDX_DateTimeCtrl(dx, IDC_DATE, m_date);
    DDX_DateTimeCtrl(dx, IDC_TIME, m_time);
    DDX_Text(dx, IDC_FUEL, m_fuel);
    DDX_Text(dx, IDC_ODO, m_odo);
    DDX_Text(dx, IDC_ENTRY_VALUE1, m_reminderValue1);
    DDX_Text(dx, IDC_ENTRY_VALUE2, m_reminderValue2);
    DDX_Text(dx, IDC_ENTRY_VALUE3, m_reminderValue3);
    DDX_Text(dx, IDC_ENTRY_LABEL1, m_reminderLabel1);
    DDX_Text(dx, IDC_ENTRY_LABEL2, m_reminderLabel2);
    DDX_Text(dx, IDC_ENTRY_LABEL3, m_reminderLabel3);
    DDX_Price(dx, IDC_PRICE, m_price, m_units.currency);
    DDX_Radio(dx, IDC_KIND_FILLUP, m_kind);
}

bool CEntryDlg::PreTranslateKey(int focusedId, UINT /*vkey*/, char16_t ch) {
    // A label typed on a physical keyboard takes what the on-screen keyboard could type: its
    // characters, a letter in lower case as its upper-case key, and nothing else.
    const bool label = focusedId == IDC_ENTRY_LABEL1 || focusedId == IDC_ENTRY_LABEL2 ||
                       focusedId == IDC_ENTRY_LABEL3;
    if (!label || ch == 0) {
        return false;
    }
    if (const PadKey* key = KeyboardPadKeys().ByChar(ch)) {
        GetDlgItem(focusedId)->ReplaceSel(std::u16string(1, key->ch));
    }
    return true;
}

// Every field's member follows what is typed into it, so that the refresh after a pad, which
// shows every member again, never takes back what the user typed elsewhere. A text its member
// cannot take is left for OK to refuse.
void CEntryDlg::OnFieldEdited(UINT id) {
    UpdateControl(static_cast<int>(id));
}

void CEntryDlg::TakeDateIntoRecord() {
    UpdateControl(IDC_DATE);
    SYSTEMTIME picked = m_recordTime;
    m_date.GetAsSystemTime(picked);
    m_recordTime.wYear = picked.wYear;
    m_recordTime.wMonth = picked.wMonth;
    m_recordTime.wDay = picked.wDay;
}

void CEntryDlg::OnDateCloseUp(NMHDR* /*nm*/, LRESULT* result) {
    TakeDateIntoRecord();
    *result = 0;
}

void CEntryDlg::OnDateChange(NMHDR* /*nm*/, LRESULT* result) {
    TakeDateIntoRecord();
    *result = 0;
}

void CEntryDlg::OnTimeChange(NMHDR* /*nm*/, LRESULT* result) {
    UpdateControl(IDC_TIME);
    SYSTEMTIME picked = m_recordTime;
    m_time.GetAsSystemTime(picked);
    m_recordTime.wHour = picked.wHour;
    m_recordTime.wMinute = picked.wMinute;
    m_recordTime.wSecond = picked.wSecond;
    *result = 0;
}

void CEntryDlg::OnTodayNow() {
    m_time = COleDateTime::GetCurrentTime();
    m_date = m_time;
    SYSTEMTIME now = m_recordTime;
    m_date.GetAsSystemTime(now);
    m_recordTime.wYear = now.wYear;
    m_recordTime.wMonth = now.wMonth;
    m_recordTime.wDay = now.wDay;
    m_recordTime.wHour = now.wHour;
    m_recordTime.wMinute = now.wMinute;
    m_recordTime.wSecond = now.wSecond;
    UpdateData(FALSE);
}

// The pads start from their own empty state, never from the field, and the controls are not
// read before: the refresh afterwards shows the members, pickers included. Each pad's title
// names the field it is for. The focus comes back to the field with the window, which opens no
// pad: a tap on the field opens it again.
void CEntryDlg::EnterNumber(double CEntryDlg::*field, const char16_t* title) {
    CKeypadDlg keypad(this);
    keypad.SetTitle(title);
    if (keypad.DoModal() == IDOK) {
        this->*field = keypad.GetValue();
    }
    UpdateData(FALSE);
}

void CEntryDlg::EnterLabel(std::u16string CEntryDlg::*label, const char16_t* title) {
    CKeyboardDlg keyboard(this);
    keyboard.SetTitle(title);
    if (keyboard.DoModal() == IDOK) {
        this->*label = keyboard.GetText();
    }
    UpdateData(FALSE);
}

void CEntryDlg::OnSetFocusFuel() {
    EnterNumber(&CEntryDlg::m_fuel, m_fuelTitle.c_str());
}

void CEntryDlg::OnSetFocusOdo() {
    EnterNumber(&CEntryDlg::m_odo, m_odoTitle.c_str());
}

void CEntryDlg::OnSetFocusReminderValue1() {
    EnterNumber(&CEntryDlg::m_reminderValue1, u"Reminder 1");
}

void CEntryDlg::OnSetFocusReminderValue2() {
    EnterNumber(&CEntryDlg::m_reminderValue2, u"Reminder 2");
}

void CEntryDlg::OnSetFocusReminderValue3() {
    EnterNumber(&CEntryDlg::m_reminderValue3, u"Reminder 3");
}

void CEntryDlg::OnSetFocusPrice() {
    CKeypadDlg keypad(this);
    keypad.SetTitle(u"Price");
    if (keypad.DoModal() == IDOK &&
        !PriceFromKeypadValue(keypad.GetValue(), m_price, m_units.currency.digits)) {
        // A wrapped or clamped number would be saved as a price nobody typed.
        AfxMessageBox(PriceOutOfRangeMessage(m_units.currency), MB_OK | MB_ICONWARNING);
    }
    UpdateData(FALSE);
}

void CEntryDlg::OnSetFocusReminderLabel1() {
    EnterLabel(&CEntryDlg::m_reminderLabel1, u"Reminder 1 item");
}

void CEntryDlg::OnSetFocusReminderLabel2() {
    EnterLabel(&CEntryDlg::m_reminderLabel2, u"Reminder 2 item");
}

void CEntryDlg::OnSetFocusReminderLabel3() {
    EnterLabel(&CEntryDlg::m_reminderLabel3, u"Reminder 3 item");
}

// The kind is taken at the click, so that a refresh after a pad shows the button last clicked.
void CEntryDlg::OnKindFillUp() {
    m_kind = FillUp;
}

void CEntryDlg::OnKindNotFillUp() {
    m_kind = NotFillUp;
}

void CEntryDlg::OnKindMaintenance() {
    m_kind = Maintenance;
}

BEGIN_MESSAGE_MAP(CEntryDlg, CDialog)
    ON_NOTIFY(DTN_CLOSEUP, IDC_DATE, &CEntryDlg::OnDateCloseUp)
    // Typing or scrolling a date changes the picker without a close-up; the record must follow
    // the picker whichever way its date changed.
    ON_NOTIFY(DTN_DATETIMECHANGE, IDC_DATE, &CEntryDlg::OnDateChange)
    ON_NOTIFY(DTN_DATETIMECHANGE, IDC_TIME, &CEntryDlg::OnTimeChange)
    ON_EN_SETFOCUS(IDC_FUEL, &CEntryDlg::OnSetFocusFuel)
    ON_EN_SETFOCUS(IDC_ODO, &CEntryDlg::OnSetFocusOdo)
    ON_EN_SETFOCUS(IDC_ENTRY_VALUE1, &CEntryDlg::OnSetFocusReminderValue1)
    ON_EN_SETFOCUS(IDC_ENTRY_VALUE2, &CEntryDlg::OnSetFocusReminderValue2)
    ON_EN_SETFOCUS(IDC_ENTRY_VALUE3, &CEntryDlg::OnSetFocusReminderValue3)
    ON_BN_CLICKED(IDC_TODAY_NOW, &CEntryDlg::OnTodayNow)
    ON_EN_SETFOCUS(IDC_ENTRY_LABEL1, &CEntryDlg::OnSetFocusReminderLabel1)
    ON_EN_SETFOCUS(IDC_ENTRY_LABEL2, &CEntryDlg::OnSetFocusReminderLabel2)
    ON_EN_SETFOCUS(IDC_ENTRY_LABEL3, &CEntryDlg::OnSetFocusReminderLabel3)
    ON_EN_SETFOCUS(IDC_PRICE, &CEntryDlg::OnSetFocusPrice)
    ON_BN_CLICKED(IDC_KIND_FILLUP, &CEntryDlg::OnKindFillUp)
    ON_BN_CLICKED(IDC_KIND_NOTFILLUP, &CEntryDlg::OnKindNotFillUp)
    ON_BN_CLICKED(IDC_KIND_MAINTENANCE, &CEntryDlg::OnKindMaintenance)
    ON_CONTROL_RANGE(EN_CHANGE, IDC_FUEL, IDC_PRICE, &CEntryDlg::OnFieldEdited)
END_MESSAGE_MAP()
