#include "resource.h"
#include "template_styles.h"
#include "templates.h"

DialogTemplate BuildConfirmTemplate() {
    using C = ControlClass;
    return {
        IDD_CONFIRM,
        kCaptionlessPopup,
        0,
        123,
        43,
        kDialogFont,
        9,
        u"",
        {
            {IDOK, C::Button, u"OK", 5, 25, 50, 14, kDefaultButton},
            {IDCANCEL, C::Button, u"Cancel", 65, 25, 50, 14, kPushButton},
            {IDC_STATIC, C::Static, u"Are you sure?", 33, 5, 55, 15,
             SS_CENTER | SS_CENTERIMAGE | SS_SUNKEN},
        },
    };
}
