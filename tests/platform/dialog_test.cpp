#include <gtest/gtest.h>
#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>

#include "cdialog.h"
#include "data_exchange.h"
#include "dialog_window.h"
#include "message_box.h"
#include "modal_driver.h"
#include "test_templates.h"
#include "ui.h"

namespace {

// A dialog on the probe template with just enough behaviour to exercise the machinery: the
// keys share one handler, the edit holds a double.
class ProbeDlg : public CDialog {
public:
    explicit ProbeDlg(CWnd* parent = nullptr) : CDialog(kProbeDialog, parent) {}
    double m_value = 0.0;
    std::vector<UINT> m_clicked;
    int m_focusCount = 0;
    std::vector<std::pair<int, char16_t>> m_keys;

protected:
    void DoDataExchange(CDataExchange* dx) override { DDX_Text(dx, kProbeEdit, m_value); }
    bool PreTranslateKey(int focusedId, UINT, char16_t ch) override {
        m_keys.emplace_back(focusedId, ch);
        return false;
    }

private:
    void OnKey(UINT id) { m_clicked.push_back(id); }
    void OnDisplayFocus() { ++m_focusCount; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ProbeDlg, CDialog)
    ON_CONTROL_RANGE(BN_CLICKED, kFirstKey, kLastKey, &ProbeDlg::OnKey)
    ON_EN_SETFOCUS(kProbeEdit, &ProbeDlg::OnDisplayFocus)
END_MESSAGE_MAP()

}  // namespace

TEST(Dialog, ShowsMembersAndEndsWithOkAfterTakingThemBack) {
    ModalDriver driver;
    ProbeDlg dlg;
    dlg.m_value = 12.05;
    driver.OnDialog(kProbeDialog, [](CDialog& d) {
        EXPECT_EQ(ui::QText(d, kProbeEdit), "12.05");
        auto* edit = static_cast<QLineEdit*>(ui::Control(d, kProbeEdit));
        edit->setText("3.5");
        ui::Click(d, IDOK);
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.m_value, 3.5);
}

TEST(Dialog, CancelTakesNothingBack) {
    ModalDriver driver;
    ProbeDlg dlg;
    driver.OnDialog(kProbeDialog, [](CDialog& d) {
        static_cast<QLineEdit*>(ui::Control(d, kProbeEdit))->setText("9");
        ui::Click(d, IDCANCEL);
    });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(dlg.m_value, 0.0);
}

TEST(Dialog, EscapeCancelsAndEnterPressesTheDefaultButton) {
    ModalDriver driver;
    ProbeDlg escaped;
    driver.OnDialog(kProbeDialog, [](CDialog& d) { ui::Key(d, Qt::Key_Escape); });
    EXPECT_EQ(escaped.DoModal(), IDCANCEL);

    ProbeDlg entered;
    driver.OnDialog(kProbeDialog, [](CDialog& d) { ui::Key(d, Qt::Key_Return); });
    EXPECT_EQ(entered.DoModal(), IDOK);
}

TEST(Dialog, TextThatIsNotAFiniteNumberKeepsTheDialogOpenWithAMessage) {
    struct Row {
        const char* name;
        QString text;
    };
    for (const Row& row :
         {Row{"letters", "abc"}, Row{"trailing junk", "1.5x"}, Row{"infinity", "inf"},
          Row{"nan", "nan"}, Row{"overflow", "1e999"}, Row{"empty", ""}}) {
        SCOPED_TRACE(row.name);
        ModalDriver driver;
        ProbeDlg dlg;
        dlg.m_value = 7.0;
        driver.OnMessageBox([&](const std::u16string& text) {
            EXPECT_NE(QString::fromStdU16String(text).indexOf("Please enter a number"), -1);
            return IDOK;
        });
        driver.OnDialog(kProbeDialog, [&](CDialog& d) {
            static_cast<QLineEdit*>(ui::Control(d, kProbeEdit))->setText(row.text);
            ui::Click(d, IDOK);
            EXPECT_TRUE(d.IsOpen());
            ui::Click(d, IDCANCEL);
        });
        EXPECT_EQ(dlg.DoModal(), IDCANCEL);
        EXPECT_EQ(dlg.m_value, 7.0);
        EXPECT_EQ(driver.MessageBoxTexts().size(), 1u);
    }
}

TEST(Dialog, RangeHandlerReceivesTheIdOfTheClickedKey) {
    ModalDriver driver;
    ProbeDlg dlg;
    driver.OnDialog(kProbeDialog, [](CDialog& d) {
        ui::Click(d, 1001);
        ui::Click(d, 1014);
        ui::Click(d, 1008);
        ui::Click(d, IDCANCEL);
    });
    dlg.DoModal();
    EXPECT_EQ(dlg.m_clicked, (std::vector<UINT>{1001, 1014, 1008}));
}

TEST(Dialog, FocusNotificationOnlyWhenTheUserMovesTheFocus) {
    ModalDriver driver;
    ProbeDlg dlg;
    driver.OnDialog(kProbeDialog, [&](CDialog& d) {
        // The first tab stop, OK, has the focus when the dialog opens: no notification.
        EXPECT_EQ(dlg.m_focusCount, 0);
        ui::ClickFocus(d, kProbeEdit);
        EXPECT_EQ(dlg.m_focusCount, 1);
        ui::Click(d, IDCANCEL);
    });
    dlg.DoModal();
}

TEST(Dialog, NestedDialogOpensOverItsOwnerAndGivesTheFocusBack) {
    struct Row {
        const char* name;
        bool explicitParent;  // else the innermost running dialog owns it
    };
    for (const Row& row : {Row{"parent given", true}, Row{"no parent", false}}) {
        SCOPED_TRACE(row.name);
        ModalDriver driver;
        ProbeDlg outer;
        driver.OnDialog(kProbeDialog, [&](CDialog& d) {
            QWidget* window = d.GetWindowWidget();
            window->move(210, 130);
            ui::ClickFocus(d, kProbeEdit);
            ASSERT_EQ(outer.m_focusCount, 1);
            ProbeDlg inner(row.explicitParent ? &outer : nullptr);
            driver.OnDialog(kProbeDialog, [&](CDialog& nested) {
                QWidget* over = nested.GetWindowWidget();
                EXPECT_EQ(over->parentWidget(), window);
                EXPECT_EQ(over->frameGeometry().center(), window->frameGeometry().center());
                EXPECT_EQ(QApplication::activeWindow(), over);
                ui::Click(nested, IDCANCEL);
            });
            inner.DoModal();
            EXPECT_EQ(QApplication::activeWindow(), window);
            EXPECT_EQ(QApplication::focusWidget(), ui::Control(d, kProbeEdit));
            EXPECT_EQ(outer.m_focusCount, 1) << "the focus came back, nobody moved it";
            ui::Click(d, IDCANCEL);
        });
        outer.DoModal();
    }
}

TEST(Dialog, AMessageBoxShowsItsTextAsItIsAndGivesTheFocusBack) {
    const std::u16string text = u"Cannot read \"/media/<b>card</b>/<img src=x.png>Tarvo.csv\".";
    ModalDriver driver;
    ProbeDlg dlg;
    driver.OnMessageBox();
    driver.OnDialog(kProbeDialog, [&](CDialog& d) {
        ui::ClickFocus(d, kProbeEdit);
        EXPECT_EQ(AfxMessageBox(text, MB_OK | MB_ICONERROR), IDOK);
        EXPECT_EQ(QApplication::activeWindow(), d.GetWindowWidget());
        EXPECT_EQ(QApplication::focusWidget(), ui::Control(d, kProbeEdit));
        EXPECT_EQ(dlg.m_focusCount, 1);
        ui::Click(d, IDCANCEL);
    });
    dlg.DoModal();
    EXPECT_EQ(driver.MessageBoxesShown(), std::vector<QString>{QString::fromStdU16String(text)});
}

TEST(Dialog, ADialogWithoutACaptionHasNoMinimizeOrMaximizeButton) {
    ModalDriver driver;
    ProbeDlg dlg;
    dlg.SetTitle(u"Probe");
    driver.OnDialog(kProbeDialog, [](CDialog& d) {
        const QWidget* window = d.GetWindowWidget();
        EXPECT_EQ(window->windowTitle(), "Probe");
        EXPECT_FALSE(window->windowFlags() & Qt::WindowMinimizeButtonHint);
        EXPECT_FALSE(window->windowFlags() & Qt::WindowMaximizeButtonHint);
        EXPECT_EQ(window->minimumSize(), window->maximumSize()) << "its size is the template's";
        ui::Click(d, IDCANCEL);
    });
    dlg.DoModal();
}

TEST(Dialog, ControlsArePlacedInDialogUnitsOfTheTemplateFont) {
    ModalDriver driver;
    ProbeDlg dlg;
    driver.OnDialog(kProbeDialog, [](CDialog& d) {
        const DialogUnits units(d.GetWindowWidget()->font());
        const QWidget* ok = ui::Control(d, IDOK);
        EXPECT_EQ(ok->geometry(), QRect(QPoint(units.X(85), units.Y(27)),
                                        QPoint(units.X(85 + 37) - 1, units.Y(27 + 50) - 1)));
        EXPECT_EQ(d.GetWindowWidget()->size(), QSize(units.X(129), units.Y(134)));
        EXPECT_EQ(d.GetWindowWidget()->font().pointSize(), 9);
        ui::Click(d, IDCANCEL);
    });
    dlg.DoModal();
}

TEST(Dialog, UnknownTemplateDoesNotRun) {
    CDialog dlg(4242);
    EXPECT_EQ(dlg.DoModal(), -1);
}

TEST(Dialog, EveryKeyPressReachesTheDialogOnceWithTheFocusedControl) {
    ModalDriver driver;
    ProbeDlg dlg;
    driver.OnDialog(kProbeDialog, [](CDialog& d) {
        ui::Type(d, "x");  // the OK button has the focus and ignores it
        ui::ClickFocus(d, kProbeEdit);
        ui::Type(d, "y");
        ui::Click(d, IDCANCEL);
    });
    dlg.DoModal();
    EXPECT_EQ(dlg.m_keys,
              (std::vector<std::pair<int, char16_t>>{{IDOK, u'x'}, {kProbeEdit, u'y'}}));
}

namespace {

class RadioProbeDlg : public CDialog {
public:
    RadioProbeDlg() : CDialog(kRadioDialog) {}
    int32_t m_kind = 0;

protected:
    void DoDataExchange(CDataExchange* dx) override { DDX_Radio(dx, kRadioFirst, m_kind); }
};

}  // namespace

TEST(Dialog, RadioGroupExchangesTheIndexAndKeepsAValueOutsideTheGroup) {
    struct Row {
        const char* name;
        int32_t initial;
        int click;  // 0: no click
        int32_t expected;
    };
    for (const Row& row : {Row{"shown and kept", 1, 0, 1}, Row{"clicked", 0, kRadioFirst + 2, 2},
                           Row{"outside the group, untouched", 5, 0, 5},
                           Row{"outside the group, then clicked", 5, kRadioFirst + 1, 1}}) {
        SCOPED_TRACE(row.name);
        ModalDriver driver;
        RadioProbeDlg dlg;
        dlg.m_kind = row.initial;
        driver.OnDialog(kRadioDialog, [&](CDialog& d) {
            for (int id : {kRadioFirst, kRadioFirst + 1, kRadioFirst + 2}) {
                const bool checked = static_cast<QAbstractButton*>(ui::Control(d, id))->isChecked();
                EXPECT_EQ(checked, id - kRadioFirst == row.initial) << id;
            }
            if (row.click != 0) {
                ui::Click(d, row.click);
            }
            ui::Click(d, IDOK);
        });
        EXPECT_EQ(dlg.DoModal(), IDOK);
        EXPECT_EQ(dlg.m_kind, row.expected);
    }
}
