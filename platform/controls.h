#pragma once

#include <QDateTimeEdit>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTreeView>

#include "win_types.h"

class CDialog;

// The Qt widgets that stand in for the device's controls. Each knows its dialog and id and sends
// the notifications the device's control would send.

// Sends EN_SETFOCUS when the user (or code) moves the focus into it, but not when the focus
// merely comes back with its window: a pad that closes must not reopen by itself.
class EditControl : public QLineEdit {
public:
    EditControl(CDialog* dialog, int id, QWidget* parent);

protected:
    void focusInEvent(QFocusEvent* event) override;

private:
    CDialog* m_dialog;
    int m_id;
};

// A multi-line edit. Its text is exchanged with "\r\n" line ends, as the device's edit keeps it.
class MultiLineEditControl : public QPlainTextEdit {
public:
    MultiLineEditControl(CDialog* dialog, int id, QWidget* parent);

protected:
    void focusInEvent(QFocusEvent* event) override;

private:
    CDialog* m_dialog;
    int m_id;
};

// A report-mode list: NM_CLICK after every left click (on a row or on empty space, once the
// click has changed the selection), LVN_COLUMNCLICK for header clicks. A keyboard user moves
// the selection with the keys; such a move counts as a click too, so that what the commands
// act on is always the row the user sees selected.
class ListViewControl : public QTreeView {
public:
    ListViewControl(CDialog* dialog, int id, QWidget* parent);

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void NotifyClick();
    CDialog* m_dialog;
    int m_id;
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
