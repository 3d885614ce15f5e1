#include "resource.h"
#include "template_styles.h"
#include "templates.h"

// The import is beyond the handheld, but its two dialogs are built as the others are, from
// templates, so that they look like the program's other dialogs and run the same way.

DialogTemplate BuildImportPreviewTemplate() {
    using C = ControlClass;
    // Read-only, scrolled both ways: a preview can run to thousands of lines.
    constexpr DWORD kPreview = ES_MULTILINE | ES_READONLY | ES_AUTOHSCROLL | WS_BORDER |
                               WS_VSCROLL | WS_HSCROLL | WS_TABSTOP;
    return {
        IDD_IMPORT_PREVIEW,
        kCaptionlessPopup,
        0,
        320,
        200,
        kDialogFont,
        9,
        u"Import",
        {
            {IDOK, C::Button, u"Import", 216, 4, 46, 14, kDefaultButton},
            {IDCANCEL, C::Button, u"Cancel", 268, 4, 46, 14, kPushButton},
            {IDC_STATIC, C::Static, u"What the import will do:", 6, 7, 150, 8, SS_LEFT},
            {IDC_IMPORT_PREVIEW, C::Edit, u"", 6, 22, 308, 172, kPreview, 0, u"Import preview"},
        },
    };
}

DialogTemplate BuildImportQuestionTemplate() {
    using C = ControlClass;
    DialogTemplate t{
        IDD_IMPORT_QUESTION,
        kCaptionlessPopup,
        0,
        240,
        116,
        kDialogFont,
        9,
        u"Import",
        {
            {IDOK, C::Button, u"OK", 130, 96, 50, 14, kDefaultButton},
            {IDCANCEL, C::Button, u"Cancel", 184, 96, 50, 14, kPushButton},
            {IDC_IMPORT_QUESTION, C::Static, u"", 6, 6, 228, 26, SS_LEFT, 0, u"Question"},
        },
    };
    for (int k = 0; k < kImportAnswerCount; ++k) {
        const DWORD first = k == 0 ? WS_GROUP | WS_TABSTOP : 0;
        t.controls.push_back({IDC_IMPORT_ANSWER1 + k, C::Button, u"", 12, 36 + 11 * k, 220, 10,
                              BS_AUTORADIOBUTTON | first});
    }
    return t;
}
