#include "key_tables.h"
#include "resource.h"
#include "template_styles.h"
#include "templates.h"

namespace {

constexpr int kKeyWidth = 13;
constexpr int kKeyHeight = 14;

// One key row: its keys are the next `count` entries of kKeyboardKeys. They stand every key
// width from `firstX`, except the row's last key, which stands at `lastX`: the top row's last
// key is pulled one unit to the left, so it overlaps its neighbour's edge.
struct KeyRow {
    int count;
    int y;
    int firstX;
    int lastX;
};

constexpr KeyRow kRows[] = {
    {13, 42, 5, 160},
    {12, 55, 11, 154},
    {12, 69, 19, 162},
    {11, 82, 25, 155},
};

constexpr int RowKeyCount() {
    int n = 0;
    for (const KeyRow& row : kRows) {
        n += row.count;
    }
    return n;
}
static_assert(RowKeyCount() == kKeyboardRowKeyCount, "every row key has a place in a row");

void AddRowKeys(std::vector<ControlTemplate>& controls) {
    const PadKey* key = kKeyboardKeys.data();
    for (const KeyRow& row : kRows) {
        for (int i = 0; i < row.count; ++i, ++key) {
            const int x = i + 1 < row.count ? row.firstX + kKeyWidth * i : row.lastX;
            controls.push_back({key->id,
                                ControlClass::Button,
                                {&key->ch, 1},
                                x,
                                row.y,
                                kKeyWidth,
                                kKeyHeight,
                                kPushButton});
        }
    }
}

}  // namespace

DialogTemplate BuildKeyboardTemplate() {
    const PadKey& space = kKeyboardKeys[kKeyboardRowKeyCount];
    DialogTemplate t{
        IDD_KEYBOARD,
        kCaptionlessPopup,
        0,
        184,
        115,
        kDialogFont,
        12,
        u"",
        {
            {IDOK, ControlClass::Button, u"OK", 130, 6, 50, 14, kDefaultButton},
            {IDCANCEL, ControlClass::Button, u"Cancel", 130, 23, 50, 14, kPushButton},
            {IDC_KEYBOARD_DISPLAY, ControlClass::Edit, u"", 14, 12, 105, 17,
             ES_LEFT | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 0, u"Keyboard display"},
            {space.id, ControlClass::Button, u"SPACE", 63, 96, 65, 14, kPushButton},
            {IDC_KEY_BACKSPACE, ControlClass::Button, u"BS", 142, 96, 26, 14, kPushButton},
        },
    };
    AddRowKeys(t.controls);
    return t;
}
