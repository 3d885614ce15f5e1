#pragma once

#include <cstdint>
#include <string>

#include "cdialog.h"
#include "log_record.h"
#include "ole_date_time.h"
#include "system_time.h"

// The price a keypad value gives, in the minor unit of a currency with `digits` decimals:
// truncated toward zero (1234.9 yen are 1234, 65.439 euros 6543 cents). False, with `price`
// untouched, when the value is not finite or the price does not fit a 32-bit signed integer.
bool PriceFromKeypadValue(double value, int32_t& price, int digits = 0);

// The message shown when a keypad value cannot be a price, in yen; PriceOutOfRangeMessage words
// it for any currency.
extern const char16_t kPriceOutOfRangeMessage[];
std::u16string PriceOutOfRangeMessage(const Currency& currency);

// The record entry dialog: date, time, litres, odometer, price and kind of one log entry, and
// the three reminder rows. Numbers come from the keypad and labels from the keyboard, each
// opened by a tap on its field; a field reached by Tab takes typing under its pad's rules.
//
// The record's date-time is kept apart from the pickers (m_recordTime): the pickers' handlers
// and "Today Now" write into it, OK does not, so the record keeps the moment to the second that
// the user last chose or that it came with.
class CEntryDlg : public CDialog {
public:
    explicit CEntryDlg(CWnd* parent = nullptr);
    ~CEntryDlg() override;

    // Load before the modal run; the controls show the members when the dialog opens.
    void SetRecord(LogRecord record);
    void SetReminders(ReminderBlock reminders);
    // The log's units: the labels and pads name them, and the price takes the currency's
    // decimals. A log in km, litres and yen unless set.
    void SetUnits(const LogUnits& units);

    // Read after the modal run ended with IDOK. The derived fields of the record stay 0.
    LogRecord GetRecord() const;
    ReminderBlock GetReminders() const;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;
    bool PreTranslateKey(int focusedId, UINT vkey, char16_t ch) override;

private:
    void OnDateCloseUp(NMHDR* nm, LRESULT* result);
    void OnDateChange(NMHDR* nm, LRESULT* result);
    void OnTimeChange(NMHDR* nm, LRESULT* result);
    void OnTodayNow();

    void OnSetFocusFuel();
    void OnSetFocusOdo();
    void OnSetFocusReminderValue1();
    void OnSetFocusReminderValue2();
    void OnSetFocusReminderValue3();
    void OnSetFocusPrice();

    void OnSetFocusReminderLabel1();
    void OnSetFocusReminderLabel2();
    void OnSetFocusReminderLabel3();

    void OnKindFillUp();
    void OnKindNotFillUp();
    void OnKindMaintenance();
    void OnFieldEdited(UINT id);

    // The pads: one keypad run for a number field, one keyboard run for a label, titled.
    void EnterNumber(double CEntryDlg::*field, const char16_t* title);
    void EnterLabel(std::u16string CEntryDlg::*label, const char16_t* title);
    // Year, month and day of the date picker into the record.
    void TakeDateIntoRecord();

    COleDateTime m_date;
    COleDateTime m_time;
    double m_fuel = 0.0;
    double m_odo = 0.0;
    double m_reminderValue1 = 0.0;
    double m_reminderValue2 = 0.0;
    double m_reminderValue3 = 0.0;
    std::u16string m_reminderLabel1;
    std::u16string m_reminderLabel2;
    std::u16string m_reminderLabel3;
    int32_t m_price = 0;
    int32_t m_kind = FillUp;
    SYSTEMTIME m_recordTime{};
    LogUnits m_units;
    // "Fuel(L)", "Odo(km)", "Price(\\)" in the log's units.
    std::u16string m_fuelTitle;
    std::u16string m_odoTitle;
    std::u16string m_priceTitle;

    DECLARE_MESSAGE_MAP()
};
