#include "resource.h"
#include "template_styles.h"
#include "templates.h"

namespace {

// The entry fields take the focus (which opens a pad), so they are tab stops like the buttons.
constexpr DWORD kField = ES_LEFT | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP;
constexpr DWORD kNumberField = kField | ES_RIGHT;
constexpr DWORD kGroupBox = BS_GROUPBOX;
// The kind buttons form one radio group; the group is one tab stop, on its first button.
constexpr DWORD kFirstRadio = BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP;
constexpr DWORD kRadio = BS_AUTORADIOBUTTON;

}  // namespace

DialogTemplate BuildEntryTemplate() {
    using C = ControlClass;
    return {
        IDD_ENTRY,
        kCaptionlessPopup,
        0,
        182,
        137,
        kDialogFont,
        9,
        u"",
        {
            {IDOK, C::Button, u"OK", 140, 3, 34, 14, kDefaultButton},
            {IDCANCEL, C::Button, u"Cancel", 140, 18, 34, 12, kPushButton},
            {IDC_DATE, C::DateTimePicker, u"DateTimePicker1", 43, 15, 62, 12,
             DTS_SHORTDATEFORMAT | WS_TABSTOP, 0, u"Date"},
            {IDC_STATIC, C::Static, u"Date", 9, 18, 19, 8, SS_LEFT},
            {IDC_TIME, C::DateTimePicker, u"DateTimePicker1", 43, 29, 62, 12,
             DTS_TIMEFORMAT | WS_TABSTOP, 0, u"Time"},
            {IDC_STATIC, C::Static, u"Time", 9, 32, 20, 8, SS_LEFT},
            {IDC_STATIC, C::Static, u"Fuel(L)", 9, 45, 24, 8, SS_LEFT},
            {IDC_STATIC, C::Static, u"Odo(km)", 9, 58, 32, 8, SS_LEFT},
            {IDC_FUEL, C::Edit, u"", 43, 43, 62, 12, kField, 0, u"Fuel(L)"},
            {IDC_ODO, C::Edit, u"", 43, 57, 62, 12, kField, 0, u"Odo(km)"},
            {IDC_STATIC, C::Button, u"Mileage Data", 5, 5, 103, 67, kGroupBox},
            {IDC_STATIC, C::Static, u"1", 20, 88, 10, 8, SS_LEFT},
            {IDC_ENTRY_VALUE1, C::Edit, u"", 113, 87, 55, 12, kNumberField, 0, u"Reminder data 1"},
            {IDC_TODAY_NOW, C::Button, u"Today Now", 111, 3, 25, 27, kPushButton | BS_MULTILINE},
            {IDC_ENTRY_VALUE2, C::Edit, u"", 113, 100, 55, 12, kNumberField, 0, u"Reminder data 2"},
            {IDC_ENTRY_VALUE3, C::Edit, u"", 113, 113, 55, 12, kNumberField, 0, u"Reminder data 3"},
            {IDC_STATIC, C::Static, u"2", 20, 101, 10, 8, SS_LEFT},
            {IDC_STATIC, C::Static, u"3", 20, 113, 10, 8, SS_LEFT},
            {IDC_STATIC, C::Static, u"Item", 53, 79, 16, 8, SS_LEFT},
            {IDC_ENTRY_LABEL1, C::Edit, u"", 31, 87, 79, 12, kField, 0, u"Reminder item 1"},
            {IDC_ENTRY_LABEL2, C::Edit, u"", 31, 100, 79, 12, kField, 0, u"Reminder item 2"},
            {IDC_ENTRY_LABEL3, C::Edit, u"", 31, 113, 79, 12, kField, 0, u"Reminder item 3"},
            {IDC_STATIC, C::Static, u"Data", 127, 79, 15, 8, SS_LEFT},
            {IDC_STATIC, C::Button, u"Reminder", 5, 72, 170, 58, kGroupBox},
            {IDC_PRICE, C::Edit, u"", 111, 48, 62, 12, kField, 0, u"Price"},
            // The currency mark is the backslash, which the device's font draws as the yen sign.
            {IDC_STATIC, C::Button, u"Price(\\)", 107, 40, 68, 22, kGroupBox},
            {IDC_KIND_FILLUP, C::Button, u"F", 113, 31, 19, 10, kFirstRadio},
            {IDC_KIND_NOTFILLUP, C::Button, u"N  <- Fuel", 133, 31, 47, 10, kRadio},
            {IDC_KIND_MAINTENANCE, C::Button, u"Not Fuel", 113, 63, 42, 10, kRadio},
        },
    };
}
