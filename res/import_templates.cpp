#include "resource.h"
#include "template_styles.h"
#include "templates.h"

// The import is beyond the handheld, but its preview is built as the other dialogs are, from a
// template, so that it looks like the program's other dialogs and runs the same way. It grows
// with its window: the table of rows takes the growth.

DialogTemplate BuildImportPreviewTemplate() {
    using C = ControlClass;
    constexpr DWORD kGrows = WS_THICKFRAME | WS_MAXIMIZEBOX;
    constexpr DWORD kList = CBS_DROPDOWNLIST | WS_TABSTOP;
    constexpr DWORD kCheck = BS_AUTOCHECKBOX | WS_TABSTOP;
    constexpr DWORD kTable = LVS_REPORT | WS_BORDER | WS_TABSTOP;
    constexpr DWORD kNotes = ES_MULTILINE | ES_READONLY | WS_BORDER | WS_VSCROLL | WS_TABSTOP;
    constexpr unsigned kAcross = AnchorLeft | AnchorTop | AnchorRight;
    DialogTemplate t{
        IDD_IMPORT_PREVIEW,
        kCaptionlessPopup | kGrows,
        0,
        460,
        320,
        kDialogFont,
        9,
        u"Import",
        {
            {IDOK, C::Button, u"Import", 354, 4, 46, 14, kDefaultButton, 0, {}, AnchorTopRight},
            {IDCANCEL, C::Button, u"Cancel", 408, 4, 46, 14, kPushButton, 0, {}, AnchorTopRight},
            {IDC_IMPORT_SUMMARY, C::Static, u"", 6, 4, 340, 18, SS_LEFT, 0,
             u"What the import will do", kAcross},
            {IDC_STATIC, C::Static, u"Into:", 6, 28, 24, 8, SS_LEFT},
            {IDC_IMPORT_INTO, C::ComboBox, u"", 32, 26, 150, 12, kList, 0, u"Into"},
            {IDC_IMPORT_SKIP_SUSPECT, C::Button, u"Leave out rows that look wrong", 196, 27, 130,
             10, kCheck},
            {IDC_IMPORT_SKIP_REPEATS, C::Button, u"Leave out repeats", 332, 27, 100, 10, kCheck},
            {IDC_STATIC, C::Static, u"Columns of the file:", 236, 44, 150, 8, SS_LEFT},
        },
    };
    for (int k = 0; k < kImportQuestionSlots; ++k) {
        const int y = 44 + 32 * k;
        t.controls.push_back(
            {IDC_IMPORT_QUESTION1 + k, C::Static, u"", 6, y, 220, 16, SS_LEFT, 0, u"Question"});
        t.controls.push_back(
            {IDC_IMPORT_ANSWER1 + k, C::ComboBox, u"", 6, y + 17, 220, 12, kList, 0, u"Answer"});
    }
    for (int k = 0; k < kImportColumnSlots; ++k) {
        const int y = 56 + 14 * k;
        t.controls.push_back(
            {IDC_IMPORT_COLUMN_LABEL1 + k, C::Static, u"", 236, y + 2, 44, 8, SS_LEFT});
        t.controls.push_back(
            {IDC_IMPORT_COLUMN1 + k, C::ComboBox, u"", 282, y, 172, 12, kList, 0, u"Column"});
    }
    t.controls.push_back({IDC_IMPORT_PROBLEM, C::Static, u"", 6, 184, 448, 18, SS_LEFT, 0,
                          u"Why nothing can be imported", kAcross});
    t.controls.push_back({IDC_IMPORT_TABLE, C::ListView, u"", 6, 204, 448, 80, kTable, 0,
                          u"Rows of the file", AnchorAll});
    t.controls.push_back({IDC_IMPORT_NOTES, C::Edit, u"", 6, 288, 448, 28, kNotes, 0, u"Notes",
                          AnchorLeft | AnchorRight | AnchorBottom});
    return t;
}
