#include "test_templates.h"

#include "resource_table.h"
#include "test_resources.h"

namespace {

using C = ControlClass;
constexpr DWORD kButton = BS_PUSHBUTTON | WS_TABSTOP;

DialogTemplate ProbeTemplate() {
    DialogTemplate t{kProbeDialog,
                     DS_MODALFRAME | WS_POPUP,
                     0,
                     129,
                     134,
                     u"System",
                     9,
                     u"",
                     {
                         {IDOK, C::Button, u"OK", 85, 27, 37, 50, BS_DEFPUSHBUTTON | WS_TABSTOP},
                         {IDCANCEL, C::Button, u"Cancel", 85, 85, 37, 15, kButton},
                         {kProbeEdit, C::Edit, u"", 7, 7, 75, 13,
                          ES_RIGHT | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP},
                     }};
    static const char16_t kLabels[] = u"ABCDEFGHIJKLMN";
    for (int id = kFirstKey; id <= kLastKey; ++id) {
        if (id >= 1004 && id <= 1007) {
            continue;  // the edit's id, and a gap as the device's ids have them
        }
        const int k = id - kFirstKey;
        t.controls.push_back({id,
                              C::Button,
                              {&kLabels[k], 1},
                              7 + 25 * (k % 3),
                              26 + 19 * (k / 3),
                              20,
                              18,
                              kButton});
    }
    return t;
}

DialogTemplate RadioTemplate() {
    constexpr DWORD kRadio = BS_AUTORADIOBUTTON;
    return {kRadioDialog,
            DS_MODALFRAME | WS_POPUP,
            0,
            100,
            60,
            u"System",
            9,
            u"",
            {
                {kRadioFirst, C::Button, u"one", 5, 5, 40, 10, kRadio | WS_GROUP | WS_TABSTOP},
                {kRadioFirst + 1, C::Button, u"two", 5, 17, 40, 10, kRadio},
                {kRadioFirst + 2, C::Button, u"three", 5, 29, 40, 10, kRadio},
                {IDOK, C::Button, u"OK", 55, 5, 40, 14, BS_DEFPUSHBUTTON | WS_TABSTOP},
            }};
}

DialogTemplate ListTemplate() {
    return {kListDialog,
            WS_POPUP | WS_CAPTION | DS_MODALFRAME,
            0,
            180,
            125,
            u"System",
            12,
            u"List",
            {
                {kList, C::ListView, u"", 7, 7, 166, 95, LVS_REPORT | WS_BORDER | WS_TABSTOP},
                {IDOK, C::Button, u"OK", 135, 105, 38, 14, kButton},
            }};
}

}  // namespace

const ResourceTable& TestResources() {
    static const ResourceTable kResources = {{ProbeTemplate(), RadioTemplate(), ListTemplate()},
                                             {}};
    return kResources;
}
