#include "control_text.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

#include <QAbstractButton>
#include <QFontMetricsF>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>
#include <QWidget>

#include "qt_text.h"

namespace {

// The text the program last put into an edit, as the program holds it. Shown, a "¥" of the
// program's own text and its currency mark look alike; while the edit still shows what the
// program put there, reading it back gives exactly that text, so a field nobody edited never
// changes.
constexpr char kProgramText[] = "tarvoProgramText";

using PieceWidth = std::function<qreal(const TextPiece&)>;

// Where each figure column ends: at the end of its widest figure, set after the words before it
// and after the ends of the columns it follows in its line.
std::vector<qreal> ColumnEnds(const ColumnText& text, const PieceWidth& width) {
    std::vector<qreal> ends;
    for (int column = 0;; ++column) {
        bool found = false;
        qreal end = 0.0;
        for (const TextLine& line : text) {
            qreal x = 0.0;
            for (const TextPiece& piece : line) {
                if (piece.column >= column) {
                    if (piece.column == column) {
                        found = true;
                        end = std::max(end, x + width(piece));
                    }
                    break;
                }
                x = piece.column == TextPiece::kWords ? x + width(piece) : ends[piece.column];
            }
        }
        if (!found) {
            return ends;
        }
        ends.push_back(end);
    }
}

// Widens the character at `position` by `extra` pixels.
void Widen(QTextDocument* document, int position, qreal extra) {
    QTextCursor cursor(document);
    cursor.setPosition(position);
    cursor.setPosition(position + 1, QTextCursor::KeepAnchor);
    QTextCharFormat format;
    format.setFontLetterSpacingType(QFont::AbsoluteSpacing);
    format.setFontLetterSpacing(extra);
    cursor.mergeCharFormat(format);
}

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

int SetControlColumns(QWidget* control, const ColumnText& text) {
    SetControlText(control, JoinColumnText(text));
    auto* edit = qobject_cast<QPlainTextEdit*>(control);
    if (edit == nullptr) {
        return 0;
    }
    const QFontMetricsF metrics(edit->font());
    const PieceWidth width = [&metrics](const TextPiece& piece) {
        return metrics.horizontalAdvance(ToQString(piece.text));
    };
    const std::vector<qreal> ends = ColumnEnds(text, width);
    QTextDocument* document = edit->document();
    // The widening is how the text looks, not an edit the user could undo.
    document->setUndoRedoEnabled(false);
    qreal widest = 0.0;
    for (size_t i = 0; i < text.size(); ++i) {
        int at = document->findBlockByNumber(static_cast<int>(i)).position();
        qreal x = 0.0;
        for (const TextPiece& piece : text[i]) {
            if (piece.column == TextPiece::kWords) {
                x += width(piece);
            } else {
                // The gap is the last character before the figure: the words' closing space.
                Widen(document, at - 1, ends[piece.column] - x - width(piece));
                x = ends[piece.column];
            }
            at += static_cast<int>(piece.text.size());
        }
        widest = std::max(widest, x);
    }
    document->setUndoRedoEnabled(true);
    const qreal shown = edit->contentsRect().width() - 2 * document->documentMargin();
    return std::max(0, static_cast<int>(std::ceil(widest - shown)));
}
