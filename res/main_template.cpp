#include "resource.h"
#include "template_styles.h"
#include "templates.h"

namespace {

// The reminder panel and the summary line only display; nothing on the main screen is typed in.
constexpr DWORD kShownNumber = ES_READONLY | ES_RIGHT | ES_AUTOHSCROLL;
constexpr DWORD kShownText = ES_READONLY | ES_LEFT | ES_AUTOHSCROLL;
// On a desktop the window can grow: the list takes the growth, the buttons stay by the right
// edge, the reminder panel by the top left; the summary keeps its place and widens, so that
// large totals can be read.
constexpr DWORD kGrows = WS_THICKFRAME | WS_MAXIMIZEBOX;

}  // namespace

DialogTemplate BuildMainTemplate() {
    using C = ControlClass;
    return {
        IDD_TARVO_DIALOG,
        WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | WS_VISIBLE | kGrows,
        WS_EX_CAPTIONOKBTN | WS_EX_APPWINDOW,
        180,
        125,
        kDialogFont,
        12,
        u"Tarvo V1.10",
        {
            {IDC_INPUT,
             C::Button,
             u"Input",
             140,
             2,
             35,
             16,
             kPushButton | BS_MULTILINE,
             0,
             {},
             AnchorTopRight},
            {IDC_ANALYZE,
             C::Button,
             u"Analyze",
             140,
             19,
             35,
             10,
             kPushButton,
             0,
             {},
             AnchorTopRight},
            {IDC_LOG_LIST, C::ListView, u"", 7, 55, 166, 65, LVS_REPORT | WS_BORDER | WS_TABSTOP, 0,
             u"Log", AnchorAll},
            {IDC_REMINDER_VALUE1, C::Edit, u"", 95, 8, 35, 9, kShownNumber, 0, u"Reminder value 1"},
            {IDC_REMINDER_VALUE2, C::Edit, u"", 95, 18, 35, 9, kShownNumber, 0,
             u"Reminder value 2"},
            {IDC_REMINDER_VALUE3, C::Edit, u"", 95, 28, 35, 9, kShownNumber, 0,
             u"Reminder value 3"},
            {IDC_REMINDER_LABEL1, C::Edit, u"", 14, 8, 76, 9, kShownText, 0, u"Reminder label 1"},
            {IDC_REMINDER_LABEL2, C::Edit, u"", 14, 18, 76, 9, kShownText, 0, u"Reminder label 2"},
            {IDC_REMINDER_LABEL3, C::Edit, u"", 14, 28, 76, 9, kShownText, 0, u"Reminder label 3"},
            {IDC_STATIC, C::Button, u"Reminder", 8, 0, 127, 40, BS_GROUPBOX},
            {IDC_SUMMARY, C::Edit, u"", 10, 44, 125, 9, kShownText, 0, u"Summary",
             AnchorLeft | AnchorTop | AnchorRight},
            {IDC_CORRECT,
             C::Button,
             u"Correct",
             140,
             30,
             35,
             10,
             kPushButton,
             0,
             {},
             AnchorTopRight},
            {IDC_DELETE, C::Button, u"Delete", 140, 43, 35, 10, kPushButton, 0, {}, AnchorTopRight},
        },
    };
}
