// The entry dialog's fields that open a pad: each numeric field the keypad, each reminder label
// the keyboard; where the focus goes when a pad closes; the price's range.

#include <cmath>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>

#include "entry_dlg.h"
#include "modal_driver.h"
#include "pads.h"
#include "resource.h"
#include "ui.h"

namespace {

std::string Shown(CDialog& d, int id) {
    return ui::QText(d, id).toStdString();
}

// Queues a keypad run whose display is typed into directly, then confirmed: the only way to a
// sign or to a number the keys cannot build.
void QueueKeypadDisplay(ModalDriver& driver, const QString& text) {
    driver.OnDialog(IDD_KEYPAD, [text](CDialog& k) {
        auto* display = qobject_cast<QLineEdit*>(ui::Control(k, IDC_KEYPAD_DISPLAY));
        ASSERT_NE(display, nullptr);
        display->setText(text);
        ui::Click(k, IDOK);
    });
}

LogRecord StoredRecord() {
    LogRecord r;
    r.time.wYear = 2007;
    r.time.wMonth = 8;
    r.time.wDay = 15;
    r.time.wHour = 18;
    r.time.wMinute = 40;
    r.time.wSecond = 12;
    r.fuel = 12.0;
    r.kind = NotFillUp;
    r.odo = 41502.5;
    r.cost = 1716;
    return r;
}

ReminderBlock Reminders() {
    ReminderBlock block;
    block.label = {u"CHANGE OIL BEFORE", u"CHANGE AIR-F BEFORE", u"TIRES"};
    block.value = {52000.0, 60000.5, 3.0};
    return block;
}

// The nine fields that open a pad, with what each hands back after OK.
struct Field {
    const char* name;
    int id;
    bool label;
    std::function<double(const CEntryDlg&)> number;
    std::function<std::u16string(const CEntryDlg&)> text;
};

std::vector<Field> NumberFields() {
    return {
        {"fuel", IDC_FUEL, false, [](const CEntryDlg& e) { return e.GetRecord().fuel; }, nullptr},
        {"odometer", IDC_ODO, false, [](const CEntryDlg& e) { return e.GetRecord().odo; }, nullptr},
        {"reminder value 1", IDC_ENTRY_VALUE1, false,
         [](const CEntryDlg& e) { return e.GetReminders().value[0]; }, nullptr},
        {"reminder value 2", IDC_ENTRY_VALUE2, false,
         [](const CEntryDlg& e) { return e.GetReminders().value[1]; }, nullptr},
        {"reminder value 3", IDC_ENTRY_VALUE3, false,
         [](const CEntryDlg& e) { return e.GetReminders().value[2]; }, nullptr},
        {"price", IDC_PRICE, false,
         [](const CEntryDlg& e) { return static_cast<double>(e.GetRecord().cost); }, nullptr},
    };
}

std::vector<Field> LabelFields() {
    return {
        {"reminder label 1", IDC_ENTRY_LABEL1, true, nullptr,
         [](const CEntryDlg& e) { return e.GetReminders().label[0]; }},
        {"reminder label 2", IDC_ENTRY_LABEL2, true, nullptr,
         [](const CEntryDlg& e) { return e.GetReminders().label[1]; }},
        {"reminder label 3", IDC_ENTRY_LABEL3, true, nullptr,
         [](const CEntryDlg& e) { return e.GetReminders().label[2]; }},
    };
}

class EntryPadsTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetPlatformClock([] { return QDateTime(QDate(2026, 3, 14), QTime(9, 26, 53)); });
    }
    void TearDown() override { SetPlatformClock(nullptr); }
};

TEST_F(EntryPadsTest, EachNumberFieldTakesTheKeypadValue) {
    struct Row {
        const char* name;
        int id;
        std::string keys;
        std::string shown;
        std::function<double(const CEntryDlg&)> value;
        double expected;
    };
    const Row rows[] = {
        {"fuel", IDC_FUEL, "38.5", "38.5", NumberFields()[0].number, 38.5},
        {"odometer", IDC_ODO, "41230.7", "41230.7", NumberFields()[1].number, 41230.7},
        {"reminder value 1", IDC_ENTRY_VALUE1, "55000", "55000", NumberFields()[2].number, 55000.0},
        {"reminder value 2", IDC_ENTRY_VALUE2, "2.007", "2.007", NumberFields()[3].number, 2.007},
        {"reminder value 3", IDC_ENTRY_VALUE3, "", "0", NumberFields()[4].number, 0.0},
        {"price", IDC_PRICE, "4288", "4288", NumberFields()[5].number, 4288.0},
        {"price with a fraction", IDC_PRICE, "1234.9", "1234", NumberFields()[5].number, 1234.0},
        {"price below one yen", IDC_PRICE, "0.5", "0", NumberFields()[5].number, 0.0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        ModalDriver driver;
        CEntryDlg dlg;
        dlg.SetReminders(Reminders());
        dlg.SetRecord(StoredRecord());
        pads::QueueKeypad(driver, row.keys);
        driver.OnDialog(IDD_ENTRY, [&](CDialog& d) {
            ui::ClickFocus(d, row.id);
            EXPECT_EQ(Shown(d, row.id), row.shown);
            ui::Click(d, IDOK);
        });
        ASSERT_EQ(dlg.DoModal(), IDOK);
        EXPECT_EQ(driver.DialogsRun(), (std::vector<UINT>{IDD_ENTRY, IDD_KEYPAD}));
        EXPECT_EQ(row.value(dlg), row.expected);
    }
}

TEST_F(EntryPadsTest, EachLabelTakesTheKeyboardText) {
    struct Row {
        const char* name;
        std::size_t field;
        std::u16string typed;
    };
    const Row rows[] = {
        {"label 1", 0, u"CHANGE OIL 58000"},
        {"label 2", 1, u"WIPER, 2007/9"},
        {"label 3", 2, u"\\5000 TAX"},
        {"label emptied by OK at once", 0, u""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const Field field = LabelFields()[row.field];
        ModalDriver driver;
        CEntryDlg dlg;
        dlg.SetReminders(Reminders());
        pads::QueueKeyboard(driver, row.typed);
        driver.OnDialog(IDD_ENTRY, [&](CDialog& d) {
            ui::ClickFocus(d, field.id);
            EXPECT_EQ(ui::Text(d, field.id), row.typed);
            ui::Click(d, IDOK);
        });
        ASSERT_EQ(dlg.DoModal(), IDOK);
        EXPECT_EQ(driver.DialogsRun(), (std::vector<UINT>{IDD_ENTRY, IDD_KEYBOARD}));
        EXPECT_EQ(field.text(dlg), row.typed);
        // The other rows are as they came.
        for (std::size_t k = 0; k < 3; ++k) {
            if (k != row.field) {
                EXPECT_EQ(dlg.GetReminders().label[k], Reminders().label[k]);
            }
        }
    }
}

TEST_F(EntryPadsTest, CancelOnAPadKeepsTheField) {
    std::vector<Field> fields = NumberFields();
    for (const Field& f : LabelFields()) {
        fields.push_back(f);
    }
    const std::vector<double> numbers = {12.0, 41502.5, 52000.0, 60000.5, 3.0, 1716.0};
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const Field& field = fields[i];
        SCOPED_TRACE(field.name);
        ModalDriver driver;
        CEntryDlg dlg;
        dlg.SetReminders(Reminders());
        dlg.SetRecord(StoredRecord());
        if (field.label) {
            pads::QueueKeyboard(driver, u"XYZ", IDCANCEL);
        } else {
            pads::QueueKeypad(driver, "987", IDCANCEL);
        }
        std::string before;
        driver.OnDialog(IDD_ENTRY, [&](CDialog& d) {
            before = Shown(d, field.id);
            ui::ClickFocus(d, field.id);
            EXPECT_EQ(Shown(d, field.id), before);
            ui::Click(d, IDOK);
        });
        ASSERT_EQ(dlg.DoModal(), IDOK);
        if (field.label) {
            EXPECT_EQ(field.text(dlg), Reminders().label[i - NumberFields().size()]);
        } else {
            EXPECT_EQ(field.number(dlg), numbers[i]);
        }
    }
}

// The pad does not read the controls before it opens, and every control shows its member again
// after it closes: here the kind clicked before, and an odometer text the user never confirmed.
TEST_F(EntryPadsTest, APadReadsNoControlAndRefreshesThemAll) {
    ModalDriver driver;
    CEntryDlg dlg;
    dlg.SetRecord(StoredRecord());
    pads::QueueKeypad(driver, "5");
    driver.OnDialog(IDD_ENTRY, [&](CDialog& d) {
        ui::Click(d, IDC_KIND_MAINTENANCE);
        qobject_cast<QLineEdit*>(ui::Control(d, IDC_ODO))->setText("abc");
        // No "not a number" message: the driver fails the test on any message box.
        ui::ClickFocus(d, IDC_FUEL);
        EXPECT_EQ(Shown(d, IDC_FUEL), "5");
        EXPECT_EQ(Shown(d, IDC_ODO), "41502.5");
        EXPECT_TRUE(
            qobject_cast<QAbstractButton*>(ui::Control(d, IDC_KIND_MAINTENANCE))->isChecked());
        ui::Click(d, IDOK);
    });
    ASSERT_EQ(dlg.DoModal(), IDOK);
    const LogRecord r = dlg.GetRecord();
    EXPECT_EQ(r.fuel, 5.0);
    EXPECT_EQ(r.odo, 41502.5);
    EXPECT_EQ(r.kind, Maintenance);
}

// After a pad, the focus is on OK: the pad does not come back when the dialog is active again,
// and a second tap on the same field opens it anew.
TEST_F(EntryPadsTest, AfterAPadTheFocusIsBackInTheFieldAndATapOpensThePadAgain) {
    std::vector<Field> fields = NumberFields();
    for (const Field& f : LabelFields()) {
        fields.push_back(f);
    }
    for (const Field& field : fields) {
        SCOPED_TRACE(field.name);
        ModalDriver driver;
        CEntryDlg dlg;
        dlg.SetReminders(Reminders());
        const UINT pad = field.label ? IDD_KEYBOARD : IDD_KEYPAD;
        if (field.label) {
            pads::QueueKeyboard(driver, u"A");
            pads::QueueKeyboard(driver, u"B");
        } else {
            pads::QueueKeypad(driver, "7");
            pads::QueueKeypad(driver, "8");
        }
        driver.OnDialog(IDD_ENTRY, [&](CDialog& d) {
            QWidget* control = ui::Control(d, field.id);
            ui::Click(d, field.id);
            EXPECT_EQ(QApplication::focusWidget(), control);
            // The window loses and regains the activation (another window came and went): the
            // focus returns to the field, and no pad opens by itself.
            QApplication::setActiveWindow(nullptr);
            QApplication::setActiveWindow(d.GetWindowWidget());
            EXPECT_EQ(QApplication::focusWidget(), control);
            EXPECT_EQ(driver.DialogsRun(), (std::vector<UINT>{IDD_ENTRY, pad}));

            // A second tap on the field that has the focus is a new request.
            ui::Click(d, field.id);
            EXPECT_EQ(driver.DialogsRun(), (std::vector<UINT>{IDD_ENTRY, pad, pad}));
            EXPECT_EQ(QApplication::focusWidget(), control);
            ui::Click(d, IDOK);
        });
        ASSERT_EQ(dlg.DoModal(), IDOK);
        if (field.label) {
            EXPECT_EQ(field.text(dlg), u"B");
        } else {
            EXPECT_EQ(field.number(dlg), 8.0);
        }
    }
}

TEST_F(EntryPadsTest, PriceOutsideThirtyTwoBitsIsRefusedWithAMessage) {
    struct Row {
        const char* name;
        std::function<void(ModalDriver&)> queue;
    };
    const Row rows[] = {
        {"3e9 from the keys", [](ModalDriver& d) { pads::QueueKeypad(d, "3000000000"); }},
        {"one above the largest", [](ModalDriver& d) { pads::QueueKeypad(d, "2147483648"); }},
        {"-3e9 typed into the display",
         [](ModalDriver& d) { QueueKeypadDisplay(d, "-3000000000"); }},
        {"one below the smallest", [](ModalDriver& d) { QueueKeypadDisplay(d, "-2147483649"); }},
        {"far beyond", [](ModalDriver& d) { QueueKeypadDisplay(d, "1e300"); }},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        ModalDriver driver;
        CEntryDlg dlg;
        dlg.SetRecord(StoredRecord());
        row.queue(driver);
        driver.OnMessageBox();
        driver.OnDialog(IDD_ENTRY, [&](CDialog& d) {
            ui::ClickFocus(d, IDC_PRICE);
            EXPECT_EQ(Shown(d, IDC_PRICE), "1716");
            EXPECT_EQ(QApplication::focusWidget(), ui::Control(d, IDC_PRICE));
            ui::Click(d, IDOK);
        });
        ASSERT_EQ(dlg.DoModal(), IDOK);
        EXPECT_EQ(dlg.GetRecord().cost, 1716);
        EXPECT_EQ(driver.MessageBoxTexts(),
                  (std::vector<std::u16string>{std::u16string(kPriceOutOfRangeMessage)}));
    }
}

TEST_F(EntryPadsTest, PriceAtTheEdgesOfThirtyTwoBitsIsTaken) {
    struct Row {
        const char* name;
        std::function<void(ModalDriver&)> queue;
        int32_t expected;
    };
    const Row rows[] = {
        {"the largest", [](ModalDriver& d) { pads::QueueKeypad(d, "2147483647"); }, 2147483647},
        {"the largest and a fraction", [](ModalDriver& d) { pads::QueueKeypad(d, "2147483647.9"); },
         2147483647},
        {"the smallest", [](ModalDriver& d) { QueueKeypadDisplay(d, "-2147483648"); },
         std::numeric_limits<int32_t>::min()},
        {"a negative fraction toward zero", [](ModalDriver& d) { QueueKeypadDisplay(d, "-7.9"); },
         -7},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        ModalDriver driver;
        CEntryDlg dlg;
        dlg.SetRecord(StoredRecord());
        row.queue(driver);
        driver.OnDialog(IDD_ENTRY, [&](CDialog& d) {
            ui::ClickFocus(d, IDC_PRICE);
            ui::Click(d, IDOK);
        });
        ASSERT_EQ(dlg.DoModal(), IDOK);
        EXPECT_EQ(dlg.GetRecord().cost, row.expected);
        EXPECT_TRUE(driver.MessageBoxTexts().empty());
    }
}

TEST(PriceFromKeypadValue, TruncatesTowardZeroWithinThirtyTwoBits) {
    struct Row {
        const char* name;
        double value;
        bool taken;
        int32_t price;
    };
    const double inf = std::numeric_limits<double>::infinity();
    const Row rows[] = {
        {"whole", 4288.0, true, 4288},
        {"fraction dropped", 1234.9, true, 1234},
        {"below one", 0.5, true, 0},
        {"negative toward zero", -1234.9, true, -1234},
        {"negative below one", -0.5, true, 0},
        {"largest with a fraction", 2147483647.9, true, 2147483647},
        {"smallest with a fraction", -2147483648.9, true, std::numeric_limits<int32_t>::min()},
        {"one above", 2147483648.0, false, 99},
        {"one below", -2147483649.0, false, 99},
        {"3e9", 3e9, false, 99},
        {"-3e9", -3e9, false, 99},
        {"infinity", inf, false, 99},
        {"minus infinity", -inf, false, 99},
        {"not a number", std::nan(""), false, 99},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        int32_t price = 99;
        EXPECT_EQ(PriceFromKeypadValue(row.value, price), row.taken);
        EXPECT_EQ(price, row.price);
    }
}

}  // namespace
