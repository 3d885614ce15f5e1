#pragma once

#include <string>

#include <QString>

class QAction;

#include "cdialog.h"

class QWidget;

// What a person does to an open dialog, through its real widgets.
namespace ui {

QWidget* Control(CDialog& dialog, int id);  // fails the test when the control does not exist
// The window's menu action named `name` (its object name); fails the test when there is none.
QAction* Action(CDialog& dialog, const char* name);
void Trigger(CDialog& dialog, const char* name);  // chooses that menu action
void Click(CDialog& dialog, int id);              // a left click in the middle of the control
void ClickFocus(CDialog& dialog, int id);         // gives the control the focus as a tap would
void Key(CDialog& dialog, int qtKey, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
void Type(CDialog& dialog, const QString& text);  // typed into whatever has the focus
// Chooses `text` in the drop-down list `id`, as a pick from it does.
void Choose(CDialog& dialog, int id, const char* text);
std::u16string Text(CDialog& dialog, int id);
QString QText(CDialog& dialog, int id);
// What the control shows on screen (where the program's text is mapped for display).
QString Shown(CDialog& dialog, int id);
bool Enabled(CDialog& dialog, int id);
int FocusedId(CDialog& dialog);       // the control with the keyboard focus, IDC_STATIC for none
void TabTo(CDialog& dialog, int id);  // presses Tab until control `id` has the focus

}  // namespace ui
