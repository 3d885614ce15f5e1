#include "resource.h"
#include "template_styles.h"
#include "templates.h"

// File > Log settings...: the log's units and currency, beyond the handheld, built from a template
// as the program's other dialogs are.
DialogTemplate BuildLogSettingsTemplate() {
    using C = ControlClass;
    constexpr DWORD kFirstRadio = BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP;
    constexpr DWORD kRadio = BS_AUTORADIOBUTTON;
    constexpr DWORD kCode = ES_LEFT | WS_BORDER | WS_TABSTOP | WS_GROUP;
    return {
        IDD_LOG_SETTINGS,
        kCaptionlessPopup,
        0,
        220,
        150,
        kDialogFont,
        9,
        u"Log settings",
        {
            {IDOK, C::Button, u"OK", 164, 4, 50, 14, kDefaultButton},
            {IDCANCEL, C::Button, u"Cancel", 164, 20, 50, 14, kPushButton},
            {IDC_STATIC, C::Static, u"Odometer in", 6, 6, 80, 8, SS_LEFT},
            {IDC_UNITS_KM, C::Button, u"km", 12, 16, 40, 10, kFirstRadio},
            {IDC_UNITS_MI, C::Button, u"miles", 56, 16, 40, 10, kRadio},
            {IDC_STATIC, C::Static, u"Fuel or energy in", 6, 30, 80, 8, SS_LEFT},
            {IDC_UNITS_LITRES, C::Button, u"litres", 12, 40, 70, 10, kFirstRadio},
            {IDC_UNITS_LITRES + 1, C::Button, u"US gallons", 12, 51, 70, 10, kRadio},
            {IDC_UNITS_LITRES + 2, C::Button, u"imperial gallons", 12, 62, 70, 10, kRadio},
            {IDC_UNITS_LITRES + 3, C::Button, u"kg (gas)", 86, 40, 70, 10, kRadio},
            {IDC_UNITS_KWH, C::Button, u"kWh (electric)", 86, 51, 70, 10, kRadio},
            {IDC_STATIC, C::Static, u"Currency (ISO 4217 code, such as EUR)", 6, 78, 150, 8,
             SS_LEFT},
            {IDC_UNITS_CURRENCY, C::Edit, u"", 12, 88, 40, 12, kCode, 0, u"Currency"},
            {IDC_UNITS_NOTE, C::Static, u"", 6, 106, 208, 40, SS_LEFT, 0, u"What can change"},
        },
    };
}
