#pragma once

#include <QDateTimeEdit>
#include <QLineEdit>

#include "win_types.h"

class CDialog;

// The Qt widgets that stand in for the device's controls. Each knows its dialog and id and sends
// the notifications the device's control would send.

// A single-line edit. It sends EN_SETFOCUS when the pointer (mouse, touch, stylus) gives it the
// focus, and when the pointer presses it again while it has the focus: a tap on a field, as on
// the device. Focus that comes by the keyboard (Tab), by code, or back with its window (after a
// nested dialog closed) sends nothing, so such a field simply takes typing. EN_CHANGE follows
// every change the user makes to its text (not the program's own).
class EditControl : public QLineEdit {
public:
    EditControl(CDialog* dialog, int id, QWidget* parent);

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    CDialog* m_dialog;
    int m_id;
    // The pointer gave the focus; the press that did so is not a second tap.
    bool m_focusedByPointer = false;
};

// A date-time picker holding a full date and time. The short-date style shows the date with a
// drop-down calendar whose closing sends DTN_CLOSEUP; the time style shows hours, minutes and
// seconds with spin buttons. Every change made in the control sends DTN_DATETIMECHANGE; values
// set by the program (SetValue) send nothing.
class DateTimePickerControl : public QDateTimeEdit {
public:
    DateTimePickerControl(CDialog* dialog, int id, DWORD style, QWidget* parent);
    void SetValue(const QDateTime& value);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    CDialog* m_dialog;
    int m_id;
    bool m_settingValue = false;
};
