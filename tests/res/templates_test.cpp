#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "resource.h"
#include "template_lookup.h"

namespace {

constexpr UINT kAllTemplates[] = {IDD_TARVO_DIALOG, IDD_ENTRY,   IDD_STATS,         IDD_KEYPAD,
                                  IDD_KEYBOARD,     IDD_CONFIRM, IDD_IMPORT_PREVIEW};

std::vector<int> IdsOf(const DialogTemplate& t) {
    std::vector<int> ids;
    for (const ControlTemplate& c : t.controls) {
        ids.push_back(c.id);
    }
    return ids;
}

DWORD ButtonType(const ControlTemplate& c) {
    return c.style & BS_TYPEMASK;
}

class EveryTemplate : public ::testing::TestWithParam<UINT> {};

INSTANTIATE_TEST_SUITE_P(Res, EveryTemplate, ::testing::ValuesIn(kAllTemplates));

TEST_P(EveryTemplate, IsFoundUnderItsOwnIdAndBuiltOnce) {
    const DialogTemplate* t = ProgramResources().FindDialog(GetParam());
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->id, GetParam());
    EXPECT_EQ(ProgramResources().FindDialog(GetParam()), t);
}

TEST_P(EveryTemplate, ControlIdsAreUniqueApartFromStatic) {
    std::set<int> seen;
    for (const ControlTemplate& c : TemplateOf(GetParam()).controls) {
        if (c.id != IDC_STATIC) {
            EXPECT_TRUE(seen.insert(c.id).second) << "duplicate id " << c.id;
        }
    }
}

TEST_P(EveryTemplate, ControlsLieInsideTheDialog) {
    const DialogTemplate& t = TemplateOf(GetParam());
    for (const ControlTemplate& c : t.controls) {
        EXPECT_GE(c.x, 0) << "control " << c.id;
        EXPECT_GE(c.y, 0) << "control " << c.id;
        EXPECT_GT(c.cx, 0) << "control " << c.id;
        EXPECT_GT(c.cy, 0) << "control " << c.id;
        EXPECT_LE(c.x + c.cx, t.cx) << "control " << c.id;
        EXPECT_LE(c.y + c.cy, t.cy) << "control " << c.id;
    }
}

TEST_P(EveryTemplate, ControlsWithoutTextOfTheirOwnHaveAnAccessibleName) {
    for (const ControlTemplate& c : TemplateOf(GetParam()).controls) {
        const bool showsOwnText = c.cls == ControlClass::Button || c.cls == ControlClass::Static;
        if (!showsOwnText) {
            EXPECT_FALSE(c.accessibleName.empty()) << "control " << c.id;
        }
    }
}

TEST_P(EveryTemplate, PushButtonsAreTabStopsAndGroupBoxesAreNot) {
    for (const ControlTemplate& c : TemplateOf(GetParam()).controls) {
        if (c.cls != ControlClass::Button) {
            continue;
        }
        const DWORD type = ButtonType(c);
        if (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON) {
            EXPECT_TRUE(c.style & WS_TABSTOP) << "button " << c.id;
        }
        if (type == BS_GROUPBOX) {
            EXPECT_FALSE(c.style & WS_TABSTOP);
            EXPECT_EQ(c.id, IDC_STATIC);
        }
    }
}

TEST_P(EveryTemplate, OnlyOkIsTheDefaultButton) {
    for (const ControlTemplate& c : TemplateOf(GetParam()).controls) {
        if (c.cls == ControlClass::Button && ButtonType(c) == BS_DEFPUSHBUTTON) {
            EXPECT_EQ(c.id, IDOK);
            // The import's preview names what its OK does.
            EXPECT_EQ(c.text, GetParam() == IDD_IMPORT_PREVIEW ? u"Import" : u"OK");
        }
    }
}

TEST_P(EveryTemplate, UsesTheSystemFont) {
    EXPECT_EQ(TemplateOf(GetParam()).fontName, u"System");
}

TEST(ProgramResources, UnknownTemplateIdsGiveNull) {
    EXPECT_EQ(ProgramResources().FindDialog(0), nullptr);
    EXPECT_EQ(ProgramResources().FindDialog(IDR_MAINFRAME), nullptr);
    EXPECT_EQ(ProgramResources().FindDialog(134), nullptr);
}

struct FrameRow {
    const char* name;
    UINT id;
    DWORD style;
    DWORD exStyle;
    int cx, cy, pointSize;
    std::u16string_view title;
};

const FrameRow kFrames[] = {
    // On a desktop the main window can be resized and maximized.
    {"main", IDD_TARVO_DIALOG,
     WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | WS_VISIBLE | WS_THICKFRAME |
         WS_MAXIMIZEBOX,
     WS_EX_CAPTIONOKBTN | WS_EX_APPWINDOW, 180, 125, 12, u"Tarvo V1.10"},
    {"entry", IDD_ENTRY, DS_MODALFRAME | WS_POPUP, 0, 182, 137, 9, u""},
    {"stats", IDD_STATS, DS_MODALFRAME | WS_POPUP, 0, 180, 139, 12, u""},
    {"keypad", IDD_KEYPAD, DS_MODALFRAME | WS_POPUP, 0, 129, 134, 9, u""},
    {"keyboard", IDD_KEYBOARD, DS_MODALFRAME | WS_POPUP, 0, 184, 115, 12, u""},
    {"confirm", IDD_CONFIRM, DS_MODALFRAME | WS_POPUP, 0, 123, 43, 9, u""},
    // The import's preview grows, for a table of many rows.
    {"import preview", IDD_IMPORT_PREVIEW,
     DS_MODALFRAME | WS_POPUP | WS_THICKFRAME | WS_MAXIMIZEBOX, 0, 460, 320, 9, u"Import"},
};

TEST(DialogFrames, MatchTheirTemplates) {
    for (const FrameRow& row : kFrames) {
        SCOPED_TRACE(row.name);
        const DialogTemplate& t = TemplateOf(row.id);
        EXPECT_EQ(t.style, row.style);
        EXPECT_EQ(t.exStyle, row.exStyle);
        EXPECT_EQ(t.cx, row.cx);
        EXPECT_EQ(t.cy, row.cy);
        EXPECT_EQ(t.pointSize, row.pointSize);
        EXPECT_EQ(t.title, row.title);
    }
}

TEST(TabOrder, MainDialog) {
    EXPECT_EQ(IdsOf(TemplateOf(IDD_TARVO_DIALOG)),
              (std::vector<int>{1001, 1002, 1015, 1026, 1027, 1028, 1029, 1030, 1031, -1, 1032,
                                1003, 1005}));
}

TEST(TabOrder, EntryDialog) {
    EXPECT_EQ(IdsOf(TemplateOf(IDD_ENTRY)),
              (std::vector<int>{1,    2,    1002, -1,   1003, -1,   -1,   -1,   1004, 1005,
                                -1,   -1,   1006, 1001, 1007, 1008, -1,   -1,   -1,   1009,
                                1011, 1012, -1,   -1,   1013, -1,   1034, 1035, 1036}));
}

TEST(TabOrder, StatsConfirmAndKeypad) {
    EXPECT_EQ(IdsOf(TemplateOf(IDD_STATS)), (std::vector<int>{1, -1, 1004}));
    EXPECT_EQ(IdsOf(TemplateOf(IDD_CONFIRM)), (std::vector<int>{1, 2, -1}));
    EXPECT_EQ(IdsOf(TemplateOf(IDD_KEYPAD)),
              (std::vector<int>{1, 2, 1004, 1008, 1009, 1010, 1005, 1006, 1007, 1001, 1002, 1003,
                                1014, 1011, 1012}));
}

TEST(Texts, KeepTheirExactCharacters) {
    EXPECT_EQ(ControlOf(IDD_ENTRY, IDC_KIND_NOTFILLUP).text, u"N  <- Fuel");
    EXPECT_EQ(ControlOf(IDD_ENTRY, IDC_KIND_FILLUP).text, u"F");
    EXPECT_EQ(ControlOf(IDD_ENTRY, IDC_KIND_MAINTENANCE).text, u"Not Fuel");
    EXPECT_EQ(ControlOf(IDD_ENTRY, IDC_TODAY_NOW).text, u"Today Now");
    EXPECT_EQ(ControlOf(IDD_TARVO_DIALOG, IDC_INPUT).text, u"Input");
    EXPECT_EQ(ControlOf(IDD_TARVO_DIALOG, IDC_ANALYZE).text, u"Analyze");
    EXPECT_EQ(ControlOf(IDD_TARVO_DIALOG, IDC_CORRECT).text, u"Correct");
    EXPECT_EQ(ControlOf(IDD_TARVO_DIALOG, IDC_DELETE).text, u"Delete");
    EXPECT_EQ(TemplateOf(IDD_CONFIRM).controls.back().text, u"Are you sure?");
    EXPECT_EQ(TemplateOf(IDD_STATS).controls[1].text, u"Mileage Statistics");
}

TEST(Texts, PriceGroupCarriesOneBackslashAsCurrencyMark) {
    const ControlTemplate& priceGroup = TemplateOf(IDD_ENTRY).controls[25];
    EXPECT_EQ(ButtonType(priceGroup), BS_GROUPBOX);
    ASSERT_EQ(priceGroup.text.size(), 8u);
    EXPECT_EQ(priceGroup.text, std::u16string_view(u"Price(\x5C)"));
    EXPECT_EQ(priceGroup.text[6], char16_t{0x5C});
}

TEST(Styles, MainDialogShowsButNeverTakesInput) {
    for (int id : {IDC_REMINDER_VALUE1, IDC_REMINDER_VALUE2, IDC_REMINDER_VALUE3}) {
        EXPECT_EQ(ControlOf(IDD_TARVO_DIALOG, id).style, ES_READONLY | ES_RIGHT | ES_AUTOHSCROLL);
    }
    for (int id : {IDC_REMINDER_LABEL1, IDC_REMINDER_LABEL2, IDC_REMINDER_LABEL3, IDC_SUMMARY}) {
        EXPECT_EQ(ControlOf(IDD_TARVO_DIALOG, id).style, ES_READONLY | ES_LEFT | ES_AUTOHSCROLL);
    }
    EXPECT_EQ(ControlOf(IDD_TARVO_DIALOG, IDC_LOG_LIST).style, LVS_REPORT | WS_BORDER | WS_TABSTOP);
    EXPECT_TRUE(ControlOf(IDD_TARVO_DIALOG, IDC_INPUT).style & BS_MULTILINE);
    // Input is the first tab stop, so it has the focus at start.
    EXPECT_EQ(TemplateOf(IDD_TARVO_DIALOG).controls.front().id, IDC_INPUT);
}

TEST(Styles, EntryEditsAreBorderedAndOnlyReminderNumbersRightAligned) {
    for (int id :
         {IDC_FUEL, IDC_ODO, IDC_PRICE, IDC_ENTRY_LABEL1, IDC_ENTRY_LABEL2, IDC_ENTRY_LABEL3}) {
        const DWORD style = ControlOf(IDD_ENTRY, id).style;
        EXPECT_TRUE(style & WS_BORDER) << id;
        EXPECT_TRUE(style & ES_AUTOHSCROLL) << id;
        EXPECT_FALSE(style & (ES_RIGHT | ES_READONLY)) << id;
    }
    for (int id : {IDC_ENTRY_VALUE1, IDC_ENTRY_VALUE2, IDC_ENTRY_VALUE3}) {
        const DWORD style = ControlOf(IDD_ENTRY, id).style;
        EXPECT_TRUE(style & WS_BORDER) << id;
        EXPECT_TRUE(style & ES_RIGHT) << id;
        EXPECT_FALSE(style & ES_READONLY) << id;
    }
}

TEST(Styles, EntryPickersShowDateAndTime) {
    const ControlTemplate& date = ControlOf(IDD_ENTRY, IDC_DATE);
    const ControlTemplate& time = ControlOf(IDD_ENTRY, IDC_TIME);
    EXPECT_EQ(date.cls, ControlClass::DateTimePicker);
    EXPECT_EQ(time.cls, ControlClass::DateTimePicker);
    EXPECT_EQ(date.style & DTS_TIMEFORMAT, DTS_SHORTDATEFORMAT);
    EXPECT_EQ(time.style & DTS_TIMEFORMAT, DTS_TIMEFORMAT);
    EXPECT_EQ(date.accessibleName, u"Date");
    EXPECT_EQ(time.accessibleName, u"Time");
}

TEST(Styles, EntryKindIsOneRadioGroupClosingTheTemplate) {
    const std::vector<ControlTemplate>& controls = TemplateOf(IDD_ENTRY).controls;
    ASSERT_GE(controls.size(), 3u);
    const ControlTemplate* radios = &controls[controls.size() - 3];
    EXPECT_EQ(radios[0].id, IDC_KIND_FILLUP);
    EXPECT_TRUE(radios[0].style & WS_GROUP);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(radios[i].cls, ControlClass::Button);
        EXPECT_EQ(ButtonType(radios[i]), BS_AUTORADIOBUTTON);
        EXPECT_EQ(bool(radios[i].style & WS_GROUP), i == 0);
    }
    // Nothing before the group is a radio button that would join it.
    for (size_t i = 0; i + 3 < controls.size(); ++i) {
        const bool radio = controls[i].cls == ControlClass::Button &&
                           ButtonType(controls[i]) == BS_AUTORADIOBUTTON;
        EXPECT_FALSE(radio) << "control " << i;
    }
}

TEST(Styles, EntryOkIsTheFirstTabStop) {
    for (const ControlTemplate& c : TemplateOf(IDD_ENTRY).controls) {
        if (c.style & WS_TABSTOP) {
            EXPECT_EQ(c.id, IDOK);
            break;
        }
    }
}

TEST(Styles, ReportIsAnEditableMultiLineEditWithoutScrollBars) {
    const ControlTemplate& report = ControlOf(IDD_STATS, IDC_REPORT);
    EXPECT_EQ(report.style & (ES_MULTILINE | ES_WANTRETURN | ES_AUTOHSCROLL | WS_BORDER),
              ES_MULTILINE | ES_WANTRETURN | ES_AUTOHSCROLL | WS_BORDER);
    EXPECT_FALSE(report.style & (ES_READONLY | WS_VSCROLL | WS_HSCROLL));
    EXPECT_EQ(report.x, 0);
    EXPECT_EQ(report.cx, 180);
}

TEST(Styles, ConfirmQuestionIsCentredAndSunken) {
    const ControlTemplate& question = TemplateOf(IDD_CONFIRM).controls.back();
    EXPECT_EQ(question.cls, ControlClass::Static);
    EXPECT_EQ(question.style, SS_CENTER | SS_CENTERIMAGE | SS_SUNKEN);
}

struct RectRow {
    UINT dialog;
    int id;
    int x, y, cx, cy;
};

TEST(Rectangles, SpotChecks) {
    const RectRow rows[] = {
        {IDD_TARVO_DIALOG, IDC_LOG_LIST, 7, 55, 166, 65},
        {IDD_TARVO_DIALOG, IDC_SUMMARY, 10, 44, 125, 9},
        {IDD_TARVO_DIALOG, IDC_DELETE, 140, 43, 35, 10},
        {IDD_ENTRY, IDC_TODAY_NOW, 111, 3, 25, 27},
        {IDD_ENTRY, IDC_KIND_NOTFILLUP, 133, 31, 47, 10},
        {IDD_ENTRY, IDC_ENTRY_LABEL2, 31, 100, 79, 12},
        {IDD_STATS, IDC_REPORT, 0, 20, 180, 119},
        {IDD_CONFIRM, IDCANCEL, 65, 25, 50, 14},
        {IDD_KEYPAD, IDOK, 85, 27, 37, 50},
        {IDD_KEYBOARD, IDC_KEY_SPACE, 63, 96, 65, 14},
        {IDD_KEYBOARD, IDC_KEY_BACKSPACE, 142, 96, 26, 14},
    };
    for (const RectRow& row : rows) {
        const ControlTemplate& c = ControlOf(row.dialog, row.id);
        EXPECT_EQ(c.x, row.x) << row.dialog << "/" << row.id;
        EXPECT_EQ(c.y, row.y) << row.dialog << "/" << row.id;
        EXPECT_EQ(c.cx, row.cx) << row.dialog << "/" << row.id;
        EXPECT_EQ(c.cy, row.cy) << row.dialog << "/" << row.id;
    }
}

}  // namespace
