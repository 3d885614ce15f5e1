#include "control_text.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QWidget>

#include "qt_text.h"

namespace {

// The text the program last put into an edit, as the program holds it. Shown, a "¥" of the
// program's own text and its currency mark look alike; while the edit still shows what the
// program put there, reading it back gives exactly that text, so a field nobody edited never
// changes.
constexpr char kProgramText[] = "tarvoProgramText";

}  // namespace

std::u16string GetControlText(const QWidget* control) {
    if (auto* edit = qobject_cast<const QLineEdit*>(control)) {
        const QVariant program = edit->property(kProgramText);
        if (program.isValid()) {
            const std::u16string text = program.toString().toStdU16String();
            if (edit->text() == ToQString(text)) {
                return text;
            }
        }
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
        edit->setProperty(kProgramText, QString::fromStdU16String(text));
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

void ReplaceControlSelection(QWidget* control, const std::u16string& text) {
    if (auto* edit = qobject_cast<QLineEdit*>(control)) {
        edit->insert(ToQString(text));
    }
}
