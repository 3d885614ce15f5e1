#include "controls.h"

#include <QCalendarWidget>
#include <QFocusEvent>
#include <QMouseEvent>

#include "cdialog.h"
#include "desktop_locale.h"

EditControl::EditControl(CDialog* dialog, int id, QWidget* parent)
    : QLineEdit(parent), m_dialog(dialog), m_id(id) {
    connect(this, &QLineEdit::textEdited, this,
            [this] { m_dialog->SendNotify(WM_COMMAND, EN_CHANGE, m_id); });
}

void EditControl::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    if (event->reason() == Qt::MouseFocusReason) {
        m_focusedByPointer = true;
        m_dialog->SendNotify(WM_COMMAND, EN_SETFOCUS, m_id);
    }
}

void EditControl::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    // Leaving for another control ends the tap that gave the focus; leaving for a nested
    // dialog (the pad the tap opened) does not.
    if (event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason) {
        m_focusedByPointer = false;
    }
}

void EditControl::mousePressEvent(QMouseEvent* event) {
    const bool tappedAgain = hasFocus() && !m_focusedByPointer;
    m_focusedByPointer = false;
    QLineEdit::mousePressEvent(event);
    if (tappedAgain && event->button() == Qt::LeftButton) {
        m_dialog->SendNotify(WM_COMMAND, EN_SETFOCUS, m_id);
    }
}

DateTimePickerControl::DateTimePickerControl(CDialog* dialog, int id, DWORD style, QWidget* parent)
    : QDateTimeEdit(parent), m_dialog(dialog), m_id(id) {
    setDateRange(QDate(100, 1, 1), QDate(9999, 12, 31));
    if ((style & DTS_TIMEFORMAT) == DTS_TIMEFORMAT) {
        setDisplayFormat(DesktopTimeFormat(QLocale()));
    } else {
        setDisplayFormat(DesktopDateFormat(QLocale()));
        setCalendarPopup(true);
        // The calendar's window hiding is the drop-down closing.
        calendarWidget()->window()->installEventFilter(this);
    }
    connect(this, &QDateTimeEdit::dateTimeChanged, this, [this] {
        if (!m_settingValue) {
            NMHDR nm;
            nm.idFrom = static_cast<UINT_PTR>(m_id);
            nm.code = DTN_DATETIMECHANGE;
            m_dialog->SendNotify(WM_NOTIFY, DTN_DATETIMECHANGE, m_id, &nm);
        }
    });
}

void DateTimePickerControl::SetValue(const QDateTime& value) {
    m_settingValue = true;
    setDateTime(value);
    m_settingValue = false;
}

bool DateTimePickerControl::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Hide && watched == calendarWidget()->window()) {
        NMHDR nm;
        nm.idFrom = static_cast<UINT_PTR>(m_id);
        nm.code = DTN_CLOSEUP;
        m_dialog->SendNotify(WM_NOTIFY, DTN_CLOSEUP, m_id, &nm);
    }
    return QDateTimeEdit::eventFilter(watched, event);
}
