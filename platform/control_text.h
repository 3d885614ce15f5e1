#pragma once

#include <string>

class QWidget;

// The text of a control, whatever widget stands for it. A multi-line edit gives and takes its
// line ends as "\r\n", the way the device's edit control holds them.
std::u16string GetControlText(const QWidget* control);
void SetControlText(QWidget* control, const std::u16string& text);
// Replaces an edit's selection (or inserts at its cursor) with `text`, as typing would.
void ReplaceControlSelection(QWidget* control, const std::u16string& text);
