#include "resource.h"
#include "template_styles.h"
#include "templates.h"

DialogTemplate BuildStatsTemplate() {
    using C = ControlClass;
    // The report edit is editable on purpose: what the user types there is simply discarded.
    // Where the report's columns need more room than the template gives, the dialog widens: the
    // edit with it, OK keeping its place at the right.
    constexpr DWORD kReport =
        ES_MULTILINE | ES_AUTOHSCROLL | ES_WANTRETURN | WS_BORDER | WS_TABSTOP;
    return {
        IDD_STATS,
        kCaptionlessPopup,
        0,
        180,
        139,
        kDialogFont,
        12,
        u"",
        {
            {IDOK, C::Button, u"OK", 140, 3, 30, 14, kDefaultButton, 0, {}, AnchorTopRight},
            {IDC_STATIC, C::Static, u"Mileage Statistics", 10, 5, 54, 8, SS_LEFT},
            {IDC_REPORT, C::Edit, u"", 0, 20, 180, 119, kReport, 0, u"Report", AnchorAll},
        },
    };
}
