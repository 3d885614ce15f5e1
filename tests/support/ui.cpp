#include "ui.h"

#include <gtest/gtest.h>
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <QWidget>

#include "control_text.h"
#include "dialog_window.h"

namespace ui {

QWidget* Control(CDialog& dialog, int id) {
    QWidget* control = dialog.GetControlWidget(id);
    EXPECT_NE(control, nullptr) << "no control " << id << " in dialog " << dialog.GetTemplateId();
    return control;
}

QAction* Action(CDialog& dialog, const char* name) {
    QAction* action = dialog.GetWindowWidget()->findChild<QAction*>(QString::fromLatin1(name));
    EXPECT_NE(action, nullptr) << "no action " << name;
    return action;
}

void Trigger(CDialog& dialog, const char* name) {
    if (QAction* action = Action(dialog, name)) {
        action->trigger();
    }
}

void Choose(CDialog& dialog, int id, const char* text) {
    ClickFocus(dialog, id);
    auto* box = qobject_cast<QComboBox*>(Control(dialog, id));
    ASSERT_NE(box, nullptr) << "no drop-down list " << id;
    const int index = box->findText(QString::fromUtf8(text));
    ASSERT_GE(index, 0) << text;
    box->setCurrentIndex(index);
    emit box->activated(index);
}

void Click(CDialog& dialog, int id) {
    if (QWidget* control = Control(dialog, id)) {
        QTest::mouseClick(control, Qt::LeftButton);
    }
}

void ClickFocus(CDialog& dialog, int id) {
    if (QWidget* control = Control(dialog, id)) {
        control->setFocus(Qt::MouseFocusReason);
    }
}

void Key(CDialog& dialog, int qtKey, Qt::KeyboardModifiers modifiers) {
    QWidget* target = QApplication::focusWidget();
    if (target == nullptr) {
        target = dialog.GetWindowWidget();
    }
    QTest::keyClick(target, static_cast<Qt::Key>(qtKey), modifiers);
}

void Type(CDialog& dialog, const QString& text) {
    QWidget* target = QApplication::focusWidget();
    if (target == nullptr) {
        target = dialog.GetWindowWidget();
    }
    QTest::keyClicks(target, text);
}

std::u16string Text(CDialog& dialog, int id) {
    return GetControlText(Control(dialog, id));
}

QString QText(CDialog& dialog, int id) {
    return QString::fromStdU16String(Text(dialog, id));
}

QString Shown(CDialog& dialog, int id) {
    QWidget* control = Control(dialog, id);
    if (auto* edit = qobject_cast<QLineEdit*>(control)) {
        return edit->text();
    }
    if (auto* button = qobject_cast<QAbstractButton*>(control)) {
        return button->text();
    }
    return control == nullptr ? QString() : control->windowTitle();
}

bool Enabled(CDialog& dialog, int id) {
    QWidget* control = Control(dialog, id);
    return control != nullptr && control->isEnabled();
}

int FocusedId(CDialog& dialog) {
    return static_cast<DialogWindow*>(dialog.GetWindowWidget())->FocusedControlId();
}

void TabTo(CDialog& dialog, int id) {
    // Bounded, so that a control Tab never reaches fails the test instead of hanging it.
    for (int press = 0; press < 60 && FocusedId(dialog) != id; ++press) {
        Key(dialog, Qt::Key_Tab);
    }
    ASSERT_EQ(FocusedId(dialog), id) << "Tab never reached control " << id;
}

}  // namespace ui
