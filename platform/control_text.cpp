#include "control_text.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QWidget>

#include "qt_text.h"

std::u16string GetControlText(const QWidget* control) {
    if (auto* edit = qobject_cast<const QLineEdit*>(control)) {
        return FromQString(edit->text());
    }
    if (auto* edit = qobject_cast<const QPlainTextEdit*>(control)) {
        QString text = edit->toPlainText();
        text.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
        return FromQString(text);
    }
    if (auto* label = qobject_cast<const QLabel*>(control)) {
        return FromQString(label->text());
    }
    if (auto* button = qobject_cast<const QAbstractButton*>(control)) {
        return FromQString(button->text());
    }
    if (auto* box = qobject_cast<const QGroupBox*>(control)) {
        return FromQString(box->title());
    }
    return control == nullptr ? std::u16string() : FromQString(control->windowTitle());
}

void SetControlText(QWidget* control, const std::u16string& text) {
    if (auto* edit = qobject_cast<QLineEdit*>(control)) {
        edit->setText(ToQString(text));
        edit->setCursorPosition(0);
    } else if (auto* edit = qobject_cast<QPlainTextEdit*>(control)) {
        QString plain = ToQString(text);
        plain.replace(QLatin1String("\r\n"), QLatin1String("\n"));
        edit->setPlainText(plain);
    } else if (auto* label = qobject_cast<QLabel*>(control)) {
        label->setText(ToQString(text));
    } else if (auto* button = qobject_cast<QAbstractButton*>(control)) {
        button->setText(ToQString(text));
    } else if (auto* box = qobject_cast<QGroupBox*>(control)) {
        box->setTitle(ToQString(text));
    } else if (control != nullptr) {
        control->setWindowTitle(ToQString(text));
    }
}
