// A screen reader or UI automation finds every control by its text or name, and the list's
// cells by their text.

#include <gtest/gtest.h>
#include <QAccessible>
#include <QAccessibleTableInterface>

#include "app_fixture.h"
#include "resource.h"
#include "resource_table.h"

TEST_F(AppTest, EveryControlOfTheMainDialogHasAnAccessibleName) {
    WriteLog(kWorkedExampleFile);
    RunProgram([&](CLogDlg& dlg) {
        const DialogTemplate* tpl = FindDialogTemplate(IDD_TARVO_DIALOG);
        ASSERT_NE(tpl, nullptr);
        for (const ControlTemplate& item : tpl->controls) {
            if (item.id == IDC_STATIC) {
                continue;
            }
            QAccessibleInterface* control =
                QAccessible::queryAccessibleInterface(dlg.GetControlWidget(item.id));
            ASSERT_NE(control, nullptr) << item.id;
            EXPECT_FALSE(control->text(QAccessible::Name).isEmpty()) << item.id;
        }
        QAccessibleInterface* input =
            QAccessible::queryAccessibleInterface(dlg.GetControlWidget(IDC_INPUT));
        EXPECT_EQ(input->text(QAccessible::Name), "Input");
        EXPECT_EQ(input->role(), QAccessible::PushButton);
    });
}

TEST_F(AppTest, TheListsCellsAreReachableWithTheirTexts) {
    WriteLog(kWorkedExampleFile);
    RunProgram([&](CLogDlg& dlg) {
        QAccessibleInterface* list = QAccessible::queryAccessibleInterface(ListView(dlg));
        ASSERT_NE(list, nullptr);
        QAccessibleTableInterface* table = list->tableInterface();
        ASSERT_NE(table, nullptr);
        EXPECT_EQ(table->rowCount(), 4);
        EXPECT_EQ(table->columnCount(), 9);
        QAccessibleInterface* cell = table->cellAt(1, 4);
        ASSERT_NE(cell, nullptr);
        EXPECT_EQ(cell->text(QAccessible::Name), "142.0");
        EXPECT_EQ(table->columnDescription(0), "Date Time");
    });
}
