#include "key_tables.h"
#include "resource.h"
#include "template_styles.h"
#include "templates.h"

namespace {

// The twelve keys sit in a grid of four rows of three, read like a calculator: 7 8 9, 4 5 6,
// 1 2 3, then 0, the point and Clear. Tab order follows the reading order.
constexpr int kKeySize = 25;
constexpr int kColumnX[] = {7, 31, 57};
constexpr int kRowY[] = {26, 51, 77, 102};
constexpr int kColumns = 3;
constexpr int kDigitsInReadingOrder[] = {7, 8, 9, 4, 5, 6, 1, 2, 3, 0};

// The keys look raised: static edge, client edge and modal frame together.
constexpr DWORD kKeyExStyle = WS_EX_STATICEDGE | WS_EX_CLIENTEDGE | WS_EX_DLGMODALFRAME;

ControlTemplate Key(int cell, int id, std::u16string_view label) {
    return {id,
            ControlClass::Button,
            label,
            kColumnX[cell % kColumns],
            kRowY[cell / kColumns],
            kKeySize,
            kKeySize,
            kPushButton,
            kKeyExStyle};
}

}  // namespace

DialogTemplate BuildKeypadTemplate() {
    DialogTemplate t{
        IDD_KEYPAD,
        kCaptionlessPopup,
        0,
        129,
        134,
        kDialogFont,
        9,
        u"",
        {
            {IDOK, ControlClass::Button, u"OK", 85, 27, 37, 50, kDefaultButton},
            {IDCANCEL, ControlClass::Button, u"Cancel", 85, 85, 37, 15, kPushButton},
            {IDC_KEYPAD_DISPLAY, ControlClass::Edit, u"", 7, 7, 75, 13,
             ES_RIGHT | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 0, u"Keypad display"},
        },
    };
    int cell = 0;
    for (int digit : kDigitsInReadingOrder) {
        const PadKey& key = kKeypadKeys[digit];
        t.controls.push_back(Key(cell++, key.id, {&key.ch, 1}));
    }
    const PadKey& point = kKeypadKeys[kKeypadDigitCount];
    t.controls.push_back(Key(cell++, point.id, {&point.ch, 1}));
    t.controls.push_back(Key(cell++, IDC_KEY_CLEAR, u"Clear"));
    return t;
}
