#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <QLocale>
#include <QString>

#include "key_tables.h"
#include "keypad_dlg.h"
#include "modal_driver.h"
#include "resource.h"
#include "ui.h"

// Reads the keypad's entry state, which only its key handlers change.
class KeypadDlgTestPeer {
public:
    static int32_t Decimals(const CKeypadDlg& dlg) { return dlg.m_decimals; }
    static double LastFraction(const CKeypadDlg& dlg) { return dlg.m_lastFraction; }
};

namespace {

// The id of the key labelled `label`: a digit, "." or "Clear".
int KeyId(const std::string& label) {
    if (label == ".") {
        return IDC_KEY_POINT;
    }
    if (label == "Clear") {
        return IDC_KEY_CLEAR;
    }
    return kKeypadKeys.at(static_cast<size_t>(label.at(0) - '0')).id;
}

void Tap(CDialog& d, const std::vector<std::string>& keys) {
    for (const std::string& key : keys) {
        ui::Click(d, KeyId(key));
    }
}

// Replaces the display's text the way a person would: tap into it, select all, type.
void TypeIntoDisplay(CDialog& d, const QString& text) {
    ui::ClickFocus(d, IDC_KEYPAD_DISPLAY);
    ui::Key(d, Qt::Key_A, Qt::ControlModifier);
    ui::Type(d, text);
}

QString Display(CDialog& d) {
    return ui::QText(d, IDC_KEYPAD_DISPLAY);
}

}  // namespace

TEST(KeypadDlg, ExampleRunKeyByKey) {
    struct Row {
        const char* key;  // nullptr: the keypad has just opened
        double value;
        int32_t decimals;
        double lastFraction;
        const char* display;
    };
    const Row rows[] = {
        {nullptr, 0.0, 0, 0.0, "0"},    {"1", 1.0, 0, 0.0, "1"},
        {"2", 12.0, 0, 0.0, "12"},      {".", 12.0, 1, 0.0, "12"},
        {"0", 12.0, 2, 0.0, "12"},      {"5", 12.05, 3, 0.05, "12.05"},
        {".", 12.05, 3, 0.05, "12.05"}, {"3", 12.053, 4, 0.003, "12.053"},
        {"Clear", 0.0, 0, 0.0, "0"},    {"7", 7.0, 0, 0.0, "7"},
    };
    ModalDriver driver;
    CKeypadDlg dlg;
    driver.OnDialog(IDD_KEYPAD, [&](CDialog& d) {
        for (const Row& row : rows) {
            SCOPED_TRACE(row.key == nullptr ? "open" : row.key);
            if (row.key != nullptr) {
                ui::Click(d, KeyId(row.key));
            }
            EXPECT_EQ(dlg.GetValue(), row.value);
            EXPECT_EQ(KeypadDlgTestPeer::Decimals(dlg), row.decimals);
            // pow(0.1, k) * d lands a unit or so in the last place off the decimal literal.
            EXPECT_DOUBLE_EQ(KeypadDlgTestPeer::LastFraction(dlg), row.lastFraction);
            EXPECT_EQ(Display(d), row.display);
        }
        ui::Click(d, IDOK);
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.GetValue(), 7.0);
}

TEST(KeypadDlg, KeysThenOkGiveTheDisplayedNumber) {
    struct Row {
        const char* name;
        std::vector<std::string> keys;
        const char* display;
        double value;
    };
    const Row rows[] = {
        {"OK at once", {}, "0", 0.0},
        {"0 first", {"0"}, "0", 0.0},
        {"0 first, then a digit", {"0", "4"}, "4", 4.0},
        {"point alone", {"."}, "0", 0.0},
        {"point then 5", {".", "5"}, "0.5", 0.5},
        {"second point ignored", {"1", ".", ".", "5"}, "1.5", 1.5},
        {"0 after the point moves on a place", {"1", ".", "0", "5"}, "1.05", 1.05},
        {"Clear returns to the integer part", {"1", ".", "2", "Clear", "3"}, "3", 3.0},
        {"two zeros after the point", {"2", ".", "0", "0", "7"}, "2.007", 2.007},
        {"Clear alone", {"Clear"}, "0", 0.0},
        // The sum 0.1 * 3 is 0.30000000000000004; the caller gets 0.3, read back from the display.
        {"value parsed back from the display", {".", "3"}, "0.3", 0.3},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        ModalDriver driver;
        CKeypadDlg dlg;
        driver.OnDialog(IDD_KEYPAD, [&](CDialog& d) {
            Tap(d, row.keys);
            EXPECT_EQ(Display(d), row.display);
            ui::Click(d, IDOK);
        });
        EXPECT_EQ(dlg.DoModal(), IDOK);
        EXPECT_EQ(dlg.GetValue(), row.value);
    }
}

TEST(KeypadDlg, TextTypedIntoTheDisplay) {
    struct Row {
        const char* name;
        std::vector<std::string> before;  // keys tapped before typing into the display
        QString typed;
        std::vector<std::string> after;  // keys tapped after it, before OK
        const char* display;             // what OK parses
        double value;
    };
    const Row rows[] = {
        {"overwritten by the next digit", {"4"}, "99", {"5"}, "45", 45.0},
        {"overwritten by Clear", {"4"}, "99", {"Clear"}, "0", 0.0},
        {"left in place by the point", {"4"}, "99", {"."}, "99", 99.0},
        {"not read by the point", {"4"}, "99", {".", "5"}, "4.5", 4.5},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        ModalDriver driver;
        CKeypadDlg dlg;
        driver.OnDialog(IDD_KEYPAD, [&](CDialog& d) {
            Tap(d, row.before);
            TypeIntoDisplay(d, row.typed);
            EXPECT_EQ(Display(d), row.typed);
            Tap(d, row.after);
            EXPECT_EQ(Display(d), row.display);
            ui::Click(d, IDOK);
        });
        EXPECT_EQ(dlg.DoModal(), IDOK);
        EXPECT_EQ(dlg.GetValue(), row.value);
    }
}

TEST(KeypadDlg, DisplayThatIsNotAFiniteNumberKeepsTheKeypadOpen) {
    struct Row {
        const char* name;
        QString typed;    // typed into the display; empty: the keys alone get there
        QString pressed;  // physical digit keys pressed on the keypad's keys
        const char* display;
    };
    const Row rows[] = {
        {"letters typed into the display", "abc", "", "abc"},
        {"infinity typed into the display", "inf", "", "inf"},
        {"hundreds of digits overflow", "", QString(400, QLatin1Char('9')), "inf"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        ModalDriver driver;
        CKeypadDlg dlg;
        driver.OnMessageBox();
        driver.OnDialog(IDD_KEYPAD, [&](CDialog& d) {
            ui::Type(d, row.pressed);
            if (!row.typed.isEmpty()) {
                TypeIntoDisplay(d, row.typed);
            }
            EXPECT_EQ(Display(d), row.display);
            const double before = dlg.GetValue();
            ui::Click(d, IDOK);
            ASSERT_TRUE(d.IsOpen());
            EXPECT_EQ(dlg.GetValue(), before);
            ASSERT_EQ(driver.MessageBoxTexts().size(), 1u);
            const QString message = QString::fromStdU16String(driver.MessageBoxTexts()[0]);
            EXPECT_TRUE(message.contains("not a number")) << message.toStdString();
            // Still usable: a number typed over the bad text is taken.
            TypeIntoDisplay(d, "8.5");
            ui::Click(d, IDOK);
        });
        EXPECT_EQ(dlg.DoModal(), IDOK);
        EXPECT_EQ(dlg.GetValue(), 8.5);
    }
}

TEST(KeypadDlg, PhysicalKeysPressTheKeypadsKeys) {
    struct Row {
        const char* name;
        int focus;  // the control that has the focus when typing starts
        QString typed;
        const char* display;  // before Enter
        int result;
        double value;
        const char* desktop = "C";  // the locale whose way numbers are typed
    };
    const Row rows[] = {
        {"digits and point, OK focused", IDOK, "12.05", "12.05", IDOK, 12.05},
        {"on a focused digit key", kKeypadKeys[1].id, "7.5", "7.5", IDOK, 7.5},
        {"on the focused point key", IDC_KEY_POINT, "1..5", "1.5", IDOK, 1.5},
        {"keys without a key on the pad do nothing", IDOK, "3a,-+4", "34", IDOK, 34.0},
        // In the display, typing edits its text and presses no key (the refresh left the cursor
        // at the start, before the 0); Enter is still OK.
        {"into the display", IDC_KEYPAD_DISPLAY, "3.5", "3.50", IDOK, 3.5},
        // A German desktop's decimal comma is the point; its group separator is never one.
        {"German decimal comma", IDOK, "30,5", "30,5", IDOK, 30.5, "de_DE"},
        {"German thousands", IDOK, "4.000", "4000", IDOK, 4000.0, "de_DE"},
    };
    const QLocale desktop;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        QLocale::setDefault(QLocale(row.desktop));
        ModalDriver driver;
        CKeypadDlg dlg;
        driver.OnDialog(IDD_KEYPAD, [&](CDialog& d) {
            ui::ClickFocus(d, row.focus);
            ui::Type(d, row.typed);
            EXPECT_EQ(Display(d), row.display);
            ui::Key(d, Qt::Key_Return);
        });
        EXPECT_EQ(dlg.DoModal(), row.result);
        if (row.result == IDOK) {
            EXPECT_EQ(dlg.GetValue(), row.value);
        }
    }
    QLocale::setDefault(desktop);
}
