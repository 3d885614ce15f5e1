// The entry dialog driven by a physical keyboard alone: Tab and Shift+Tab reach every control in
// the order the eye reads them without opening a pad, a field reached by Tab takes typing under its
// pad's rules, Enter is OK and Escape is Cancel. And each pad, opened by a tap, is titled with its
// field.

#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <QApplication>
#include <QWidget>

#include "entry_dlg.h"
#include "modal_driver.h"
#include "pads.h"
#include "resource.h"
#include "ui.h"

namespace {

// The controls Tab stops at, from the date where the focus starts: when, what was bought (Price
// one step after Odo), the reminders row by row, the buttons. The kind buttons are one group,
// reached at its checked button.
const std::vector<int> kTabOrder = {
    IDC_DATE,         IDC_TIME,
    IDC_TODAY_NOW,    IDC_FUEL,
    IDC_ODO,          IDC_PRICE,
    IDC_KIND_FILLUP,  IDC_ENTRY_LABEL1,
    IDC_ENTRY_VALUE1, IDC_ENTRY_LABEL2,
    IDC_ENTRY_VALUE2, IDC_ENTRY_LABEL3,
    IDC_ENTRY_VALUE3, IDOK,
    IDCANCEL,
};

// Presses `key` until the focus has gone round once; returns each control it stopped at once
// (a picker is stepped through part by part first, as Qt does).
std::vector<int> Round(CDialog& d, Qt::Key key, Qt::KeyboardModifiers modifiers) {
    std::vector<int> visited = {ui::FocusedId(d)};
    for (int press = 0; press < 60; ++press) {
        ui::Key(d, key, modifiers);
        const int id = ui::FocusedId(d);
        if (id == visited.front() && visited.size() > 1) {
            return visited;
        }
        if (id != visited.back()) {
            visited.push_back(id);
        }
    }
    ADD_FAILURE() << "the focus never came back to where it started";
    return visited;
}

class EntryKeyboardTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetPlatformClock([] { return QDateTime(QDate(2026, 3, 14), QTime(9, 26, 53)); });
    }
    void TearDown() override { SetPlatformClock(nullptr); }
};

}  // namespace

TEST_F(EntryKeyboardTest, TabAndShiftTabVisitEveryControlInReadingOrderWithoutAPad) {
    ModalDriver driver;
    CEntryDlg dlg;
    driver.OnDialog(IDD_ENTRY, [&](CDialog& d) {
        EXPECT_EQ(Round(d, Qt::Key_Tab, Qt::NoModifier), kTabOrder);
        std::vector<int> backwards(kTabOrder.rbegin(), kTabOrder.rend() - 1);
        backwards.insert(backwards.begin(), IDC_DATE);
        EXPECT_EQ(Round(d, Qt::Key_Backtab, Qt::ShiftModifier), backwards);
        ui::Key(d, Qt::Key_Escape);
    });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(driver.DialogsRun(), std::vector<UINT>{IDD_ENTRY}) << "no pad opened";
}

TEST_F(EntryKeyboardTest, AFieldReachedByTabTakesTypingUnderItsPadsRules) {
    struct Row {
        const char* name;
        int field;
        QString typed;
        const char16_t* refusal;  // the message OK shows, or nullptr when OK takes it
        LogRecord record;         // fuel, odo and cost expected after OK
        std::u16string label1;
    };
    auto record = [](double fuel, double odo, int32_t cost) {
        LogRecord r;
        r.fuel = fuel;
        r.odo = odo;
        r.cost = cost;
        return r;
    };
    const Row rows[] = {
        {"litres", IDC_FUEL, "38.5", nullptr, record(38.5, 0, 0), u""},
        {"odometer", IDC_ODO, "41230.7", nullptr, record(0, 41230.7, 0), u""},
        {"price truncated as the keypad's", IDC_PRICE, "1234.9", nullptr, record(0, 0, 1234), u""},
        {"price beyond 32 bits", IDC_PRICE, "3e9", kPriceOutOfRangeMessage, record(0, 0, 0), u""},
        {"litres that are no number", IDC_FUEL, "1.5x",
         u"\"1.5x\" is not a number. Please enter a number.", record(0, 0, 0), u""},
        {"litres not finite", IDC_FUEL, "inf", u"\"inf\" is not a number. Please enter a number.",
         record(0, 0, 0), u""},
        // Lower case as the keyboard's upper-case keys; characters it has no key for are not
        // typed; the yen sign is its yen key, the currency mark.
        {"a label", IDC_ENTRY_LABEL1, QString::fromUtf8("oil {new}! \u00A5,"), nullptr,
         record(0, 0, 0), u"OIL NEW \\,"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        ModalDriver driver;
        CEntryDlg dlg;
        if (row.refusal != nullptr) {
            driver.OnMessageBox();
        }
        driver.OnDialog(IDD_ENTRY, [&](CDialog& d) {
            ui::TabTo(d, row.field);
            ui::Type(d, row.typed);
            ui::Key(d, Qt::Key_Return);
            if (row.refusal != nullptr) {
                ASSERT_TRUE(d.IsOpen());
                ui::Key(d, Qt::Key_Escape);
            }
        });
        const int result = dlg.DoModal();
        EXPECT_EQ(driver.DialogsRun(), std::vector<UINT>{IDD_ENTRY}) << "no pad opened";
        if (row.refusal != nullptr) {
            EXPECT_EQ(result, IDCANCEL);
            EXPECT_EQ(driver.MessageBoxTexts(), std::vector<std::u16string>{row.refusal});
            continue;
        }
        ASSERT_EQ(result, IDOK);
        EXPECT_EQ(dlg.GetRecord().fuel, row.record.fuel);
        EXPECT_EQ(dlg.GetRecord().odo, row.record.odo);
        EXPECT_EQ(dlg.GetRecord().cost, row.record.cost);
        EXPECT_EQ(dlg.GetReminders().label[0], row.label1);
    }
}

TEST_F(EntryKeyboardTest, WhatIsTypedSurvivesAPadOpenedOnAnotherField) {
    ModalDriver driver;
    CEntryDlg dlg;
    pads::QueueKeypad(driver, "41230");
    driver.OnDialog(IDD_ENTRY, [&](CDialog& d) {
        ui::TabTo(d, IDC_FUEL);
        ui::Type(d, "38.5");
        ui::Click(d, IDC_ODO);  // the keypad's refresh shows every member again
        EXPECT_EQ(ui::QText(d, IDC_FUEL), "38.5");
        ui::Click(d, IDOK);
    });
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.GetRecord().fuel, 38.5);
    EXPECT_EQ(dlg.GetRecord().odo, 41230.0);
}

TEST_F(EntryKeyboardTest, EachPadIsTitledWithItsFieldAndHasNoMinimizeOrMaximize) {
    struct Row {
        int field;
        UINT pad;
        const char* title;
    };
    const Row rows[] = {
        {IDC_FUEL, IDD_KEYPAD, "Fuel(L)"},
        {IDC_ODO, IDD_KEYPAD, "Odo(km)"},
        {IDC_PRICE, IDD_KEYPAD, "Price"},
        {IDC_ENTRY_VALUE1, IDD_KEYPAD, "Reminder 1"},
        {IDC_ENTRY_VALUE2, IDD_KEYPAD, "Reminder 2"},
        {IDC_ENTRY_VALUE3, IDD_KEYPAD, "Reminder 3"},
        {IDC_ENTRY_LABEL1, IDD_KEYBOARD, "Reminder 1 item"},
        {IDC_ENTRY_LABEL2, IDD_KEYBOARD, "Reminder 2 item"},
        {IDC_ENTRY_LABEL3, IDD_KEYBOARD, "Reminder 3 item"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.title);
        ModalDriver driver;
        CEntryDlg dlg;
        driver.OnDialog(row.pad, [&](CDialog& pad) {
            const QWidget* window = pad.GetWindowWidget();
            EXPECT_EQ(window->windowTitle(), row.title);
            EXPECT_FALSE(window->windowFlags() & Qt::WindowMinimizeButtonHint);
            EXPECT_FALSE(window->windowFlags() & Qt::WindowMaximizeButtonHint);
            ui::Click(pad, IDCANCEL);
        });
        driver.OnDialog(IDD_ENTRY, [&](CDialog& d) {
            ui::Click(d, row.field);
            ui::Click(d, IDCANCEL);
        });
        dlg.DoModal();
    }
}
