#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <QString>

#include "key_tables.h"
#include "keyboard_dlg.h"
#include "modal_driver.h"
#include "resource.h"
#include "ui.h"

namespace {

// The id of the character key that appends `ch`.
int KeyId(char16_t ch) {
    for (const PadKey& key : kKeyboardKeys) {
        if (key.ch == ch) {
            return key.id;
        }
    }
    ADD_FAILURE() << "no key appends U+" << std::hex << static_cast<int>(ch);
    return IDC_STATIC;
}

// Taps the character keys of `keys`; '\b' stands for "BS".
void Tap(CDialog& d, std::u16string_view keys) {
    for (char16_t ch : keys) {
        ui::Click(d, ch == u'\b' ? IDC_KEY_BACKSPACE : KeyId(ch));
    }
}

// Replaces the display's text the way a person would: tap into it, select all, type.
void TypeIntoDisplay(CDialog& d, const QString& text) {
    ui::ClickFocus(d, IDC_KEYBOARD_DISPLAY);
    ui::Key(d, Qt::Key_A, Qt::ControlModifier);
    ui::Type(d, text);
}

std::u16string Display(CDialog& d) {
    return ui::Text(d, IDC_KEYBOARD_DISPLAY);
}

std::string Utf8(std::u16string_view text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size())).toStdString();
}

}  // namespace

TEST(KeyboardDlg, EveryKeyAppendsItsOwnCharacter) {
    ASSERT_EQ(kKeyboardKeys.size(), 49u);
    for (const PadKey& key : kKeyboardKeys) {
        const std::u16string label = key.id == IDC_KEY_SPACE ? u"SPACE" : std::u16string(1, key.ch);
        SCOPED_TRACE(Utf8(label));
        ModalDriver driver;
        CKeyboardDlg dlg;
        driver.OnDialog(IDD_KEYBOARD, [&](CDialog& d) {
            EXPECT_EQ(ui::Text(d, key.id), label);
            ui::Click(d, key.id);
            EXPECT_EQ(Display(d), std::u16string(1, key.ch));
            ui::Click(d, key.id);
            EXPECT_EQ(Display(d), std::u16string(2, key.ch));
            ui::Click(d, IDOK);
        });
        EXPECT_EQ(dlg.DoModal(), IDOK);
        EXPECT_EQ(dlg.GetText(), std::u16string(2, key.ch));
    }
}

TEST(KeyboardDlg, KeysThenOkGiveTheDisplayedText) {
    struct Row {
        const char* name;
        std::u16string_view keys;  // '\b' is "BS"
        std::u16string_view text;
    };
    const Row rows[] = {
        {"OK at once gives the empty string", u"", u""},
        {"BS on the empty text", u"\b", u""},
        {"BS after A, B", u"AB\b", u"A"},
        {"BS more often than keys", u"A\b\b", u""},
        {"BS then more keys", u"OIL\bF", u"OIF"},
        {"SPACE at the start", u" A", u" A"},
        {"SPACE alone", u" ", u" "},
        {"backslash key appends 0x5C", u"\\", u"\x5C"},
        {"comma key appends a comma", u"A,B", u"A,B"},
        {"a label", u"CHANGE OIL BEFORE", u"CHANGE OIL BEFORE"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        ModalDriver driver;
        CKeyboardDlg dlg;
        driver.OnDialog(IDD_KEYBOARD, [&](CDialog& d) {
            EXPECT_EQ(Display(d), u"");
            Tap(d, row.keys);
            EXPECT_EQ(Display(d), row.text);
            ui::Click(d, IDOK);
        });
        EXPECT_EQ(dlg.DoModal(), IDOK);
        EXPECT_EQ(dlg.GetText(), row.text);
    }
}

TEST(KeyboardDlg, TextTypedIntoTheDisplay) {
    struct Row {
        const char* name;
        std::u16string_view before;  // keys tapped before typing into the display
        QString typed;
        std::u16string_view after;  // keys tapped after it, before OK
        std::u16string_view text;
    };
    const Row rows[] = {
        {"overwritten by the next key", u"AB", "xyz", u"C", u"ABC"},
        {"overwritten by BS", u"AB", "xyz", u"\b", u"A"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        ModalDriver driver;
        CKeyboardDlg dlg;
        driver.OnDialog(IDD_KEYBOARD, [&](CDialog& d) {
            Tap(d, row.before);
            TypeIntoDisplay(d, row.typed);
            EXPECT_EQ(ui::QText(d, IDC_KEYBOARD_DISPLAY), row.typed);
            Tap(d, row.after);
            EXPECT_EQ(Display(d), row.text);
            ui::Click(d, IDOK);
        });
        EXPECT_EQ(dlg.DoModal(), IDOK);
        EXPECT_EQ(dlg.GetText(), row.text);
    }
}

TEST(KeyboardDlg, PhysicalKeysPressTheKeyboardsKeys) {
    struct Row {
        const char* name;
        int focus;  // the control that has the focus when typing starts
        QString typed;
        bool backspace;               // then Backspace once
        std::u16string_view display;  // before Enter
        int result;
    };
    const Row rows[] = {
        {"lower case presses the upper-case keys", IDOK, "oil", false, u"OIL", IDOK},
        {"upper case too", IDOK, "OIL", false, u"OIL", IDOK},
        {"every character that has a key", KeyId(u'Q'), "1^\\-@[;:],./_", false, u"1^\\-@[;:],./_",
         IDOK},
        {"space presses SPACE", KeyId(u'A'), "a b", false, u"A B", IDOK},
        {"characters without a key do nothing", IDOK, "a!{b}", false, u"AB", IDOK},
        {"Backspace presses BS", IDOK, "ab", true, u"A", IDOK},
        {"Backspace on a focused BS", IDC_KEY_BACKSPACE, "ab", true, u"A", IDOK},
        // In the display, typing edits its text and presses no key; Enter is still OK.
        {"into the display", IDC_KEYBOARD_DISPLAY, "oil", false, u"oil", IDOK},
        {"Backspace in the display", IDC_KEYBOARD_DISPLAY, "oil", true, u"oi", IDOK},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        ModalDriver driver;
        CKeyboardDlg dlg;
        driver.OnDialog(IDD_KEYBOARD, [&](CDialog& d) {
            ui::ClickFocus(d, row.focus);
            ui::Type(d, row.typed);
            if (row.backspace) {
                ui::Key(d, Qt::Key_Backspace);
            }
            EXPECT_EQ(Display(d), row.display);
            ui::Key(d, Qt::Key_Return);
        });
        EXPECT_EQ(dlg.DoModal(), row.result);
        if (row.result == IDOK) {
            EXPECT_EQ(dlg.GetText(), row.display);
        }
    }
}
