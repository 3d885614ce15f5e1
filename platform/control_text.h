#pragma once

#include <string>

#include "column_text.h"

class QWidget;

// The text of a control, whatever widget stands for it. A multi-line edit gives and takes its
// line ends as "\r\n", the way the device's edit control holds them.
std::u16string GetControlText(const QWidget* control);
void SetControlText(QWidget* control, const std::u16string& text);
// Shows JoinColumnText(`text`) in the control. A multi-line edit lines its figures up: the gap
// before each figure widens until the figure ends where the widest of its column ends. The edit's
// text stays the joined text, character for character, so that it reads back, copies and takes
// typing as any text does. Returns how many pixels the edit lacks to show its widest line whole.
int SetControlColumns(QWidget* control, const ColumnText& text);
// Replaces an edit's selection (or inserts at its cursor) with `text`, as typing would.
void ReplaceControlSelection(QWidget* control, const std::u16string& text);
