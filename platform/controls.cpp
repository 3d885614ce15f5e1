#include "controls.h"

#include <QCalendarWidget>
#include <QFocusEvent>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QMouseEvent>

#include "cdialog.h"

namespace {

// Focus that returns with its window (after a nested dialog closed, or on switching windows) is
// not a request of the user's.
bool IsUserFocus(const QFocusEvent* event) {
    return event->reason() != Qt::ActiveWindowFocusReason &&
           event->reason() != Qt::PopupFocusReason;
}

}  // namespace

EditControl::EditControl(CDialog* dialog, int id, QWidget* parent)
    : QLineEdit(parent), m_dialog(dialog), m_id(id) {}

void EditControl::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    if (IsUserFocus(event)) {
        m_dialog->SendNotify(WM_COMMAND, EN_SETFOCUS, m_id);
    }
}

MultiLineEditControl::MultiLineEditControl(CDialog* dialog, int id, QWidget* parent)
    : QPlainTextEdit(parent), m_dialog(dialog), m_id(id) {}

void MultiLineEditControl::focusInEvent(QFocusEvent* event) {
    QPlainTextEdit::focusInEvent(event);
    if (IsUserFocus(event)) {
        m_dialog->SendNotify(WM_COMMAND, EN_SETFOCUS, m_id);
    }
}

ListViewControl::ListViewControl(CDialog* dialog, int id, QWidget* parent)
    : QTreeView(parent), m_dialog(dialog), m_id(id) {
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSortingEnabled(false);
    header()->setSectionsClickable(true);
    header()->setSectionsMovable(false);
    header()->setStretchLastSection(false);
    // The hidden index column has width 0, below the header's default minimum.
    header()->setMinimumSectionSize(0);
    connect(header(), &QHeaderView::sectionClicked, this, [this](int column) {
        NMLISTVIEW nm;
        nm.hdr.idFrom = static_cast<UINT_PTR>(m_id);
        nm.hdr.code = LVN_COLUMNCLICK;
        nm.iSubItem = column;
        m_dialog->SendNotify(WM_NOTIFY, LVN_COLUMNCLICK, m_id, &nm.hdr);
    });
}

void ListViewControl::mouseReleaseEvent(QMouseEvent* event) {
    QTreeView::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton) {
        NotifyClick();
    }
}

void ListViewControl::keyPressEvent(QKeyEvent* event) {
    const QItemSelection before = selectionModel()->selection();
    QTreeView::keyPressEvent(event);
    if (selectionModel()->selection() != before) {
        NotifyClick();
    }
}

void ListViewControl::NotifyClick() {
    NMHDR nm;
    nm.idFrom = static_cast<UINT_PTR>(m_id);
    nm.code = NM_CLICK;
    m_dialog->SendNotify(WM_NOTIFY, NM_CLICK, m_id, &nm);
}

DateTimePickerControl::DateTimePickerControl(CDialog* dialog, int id, DWORD style, QWidget* parent)
    : QDateTimeEdit(parent), m_dialog(dialog), m_id(id) {
    setDateRange(QDate(100, 1, 1), QDate(9999, 12, 31));
    if ((style & DTS_TIMEFORMAT) == DTS_TIMEFORMAT) {
        setDisplayFormat(QStringLiteral("H:mm:ss"));
    } else {
        setDisplayFormat(QStringLiteral("yyyy/MM/dd"));
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
