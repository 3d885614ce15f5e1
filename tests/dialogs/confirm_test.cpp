#include <gtest/gtest.h>
#include <QLabel>

#include "confirm_dlg.h"
#include "modal_driver.h"
#include "resource.h"
#include "ui.h"

TEST(ConfirmDlg, AsksAndAnswersOkOrCancel) {
    struct Row {
        const char* name;
        int button;
        int expected;
    };
    for (const Row& row : {Row{"ok", IDOK, IDOK}, Row{"cancel", IDCANCEL, IDCANCEL}}) {
        SCOPED_TRACE(row.name);
        ModalDriver driver;
        driver.OnDialog(IDD_CONFIRM, [&](CDialog& d) {
            const auto labels = d.GetWindowWidget()->findChildren<QLabel*>();
            ASSERT_EQ(labels.size(), 1);
            EXPECT_EQ(labels[0]->text(), "Are you sure?");
            ui::Click(d, row.button);
        });
        CConfirmDlg dlg;
        EXPECT_EQ(dlg.DoModal(), row.expected);
    }
}

TEST(ConfirmDlg, EnterConfirmsAndEscapeCancels) {
    ModalDriver driver;
    driver.OnDialog(IDD_CONFIRM, [](CDialog& d) { ui::Key(d, Qt::Key_Return); });
    driver.OnDialog(IDD_CONFIRM, [](CDialog& d) { ui::Key(d, Qt::Key_Escape); });
    CConfirmDlg first;
    EXPECT_EQ(first.DoModal(), IDOK);
    CConfirmDlg second;
    EXPECT_EQ(second.DoModal(), IDCANCEL);
}
