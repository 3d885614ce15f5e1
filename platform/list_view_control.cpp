#include "list_view_control.h"

#include <algorithm>

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyle>
#include <QStyleOptionViewItem>

#include "cdialog.h"
#include "list_model.h"
#include "qt_text.h"

ListViewControl::ListViewControl(CDialog* dialog, int id, QWidget* parent)
    : QTreeView(parent), m_dialog(dialog), m_id(id), m_model(new ListModel(this)) {
    setModel(m_model);
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
    // Shown, but on no column until a sort: every title is measured with room for the mark, so
    // columns keep their widths when the mark moves.
    header()->setSortIndicatorShown(true);
    header()->setSortIndicator(-1, Qt::AscendingOrder);
    connect(header(), &QHeaderView::sectionClicked, this, [this](int column) {
        NMLISTVIEW nm;
        nm.hdr.idFrom = static_cast<UINT_PTR>(m_id);
        nm.hdr.code = LVN_COLUMNCLICK;
        nm.iSubItem = column;
        m_dialog->SendNotify(WM_NOTIFY, LVN_COLUMNCLICK, m_id, &nm.hdr);
    });
    connect(header(), &QHeaderView::sectionResized, this, [this](int column) {
        if (!m_resizing && column >= 0 && column < static_cast<int>(m_sizedByUser.size())) {
            m_sizedByUser[static_cast<size_t>(column)] = true;
        }
    });
}

int ListViewControl::InsertColumn(int column, std::u16string_view title, int width,
                                  bool alignRight) {
    const int at = Model()->InsertColumn(column, title, alignRight);
    m_leastWidths.insert(m_leastWidths.begin() + at, std::max(width, 0));
    m_sizedByUser.insert(m_sizedByUser.begin() + at, false);
    if (width >= 0) {
        ResizeColumn(at, width);
    }
    return at;
}

void ListViewControl::ResizeColumn(int column, int width) {
    m_resizing = true;
    header()->resizeSection(column, width);
    m_resizing = false;
}

int ListViewControl::CellWidth(const QString& text) {
    // Measured as the view draws a cell: the text with the style's margins around it.
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    option.text = text;
    option.features |= QStyleOptionViewItem::HasDisplay;
    return style()->sizeFromContents(QStyle::CT_ItemViewItem, &option, QSize(), this).width();
}

void ListViewControl::FitColumn(int column, bool withTitle) {
    if (column < 0 || column >= static_cast<int>(m_leastWidths.size()) ||
        m_sizedByUser[static_cast<size_t>(column)]) {
        return;
    }
    int width = m_leastWidths[static_cast<size_t>(column)];
    if (withTitle) {
        width = std::max(width, header()->sectionSizeHint(column));
    }
    for (const std::u16string& text : Model()->LongestTexts(column)) {
        width = std::max(width, CellWidth(ToQString(text)));
    }
    ResizeColumn(column, width);
}

void ListViewControl::SetSortMark(int column, bool ascending) {
    header()->setSortIndicator(column, ascending ? Qt::AscendingOrder : Qt::DescendingOrder);
}

std::vector<int> ListViewControl::UserWidths() const {
    std::vector<int> widths;
    for (size_t c = 0; c < m_sizedByUser.size(); ++c) {
        widths.push_back(m_sizedByUser[c] ? header()->sectionSize(static_cast<int>(c)) : -1);
    }
    return widths;
}

void ListViewControl::SetUserWidths(const std::vector<int>& widths) {
    for (size_t c = 0; c < widths.size() && c < m_sizedByUser.size(); ++c) {
        if (widths[c] >= 0) {
            ResizeColumn(static_cast<int>(c), widths[c]);
            m_sizedByUser[c] = true;
        }
    }
}

bool ListViewControl::Notify(int code) {
    NMHDR nm;
    nm.idFrom = static_cast<UINT_PTR>(m_id);
    nm.code = code;
    return m_dialog->SendNotify(WM_NOTIFY, code, m_id, &nm);
}

void ListViewControl::mouseReleaseEvent(QMouseEvent* event) {
    QTreeView::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton) {
        Notify(NM_CLICK);
    }
}

void ListViewControl::mouseDoubleClickEvent(QMouseEvent* event) {
    QTreeView::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton) {
        Notify(NM_DBLCLK);
    }
}

void ListViewControl::keyPressEvent(QKeyEvent* event) {
    // Enter and Delete act on the selected row; where the dialog has no use for them they go on
    // to the dialog, as any key the list does not take.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->setAccepted(Notify(NM_RETURN));
        return;
    }
    if (event->key() == Qt::Key_Delete) {
        NMLVKEYDOWN nm;
        nm.hdr.idFrom = static_cast<UINT_PTR>(m_id);
        nm.hdr.code = LVN_KEYDOWN;
        nm.wVKey = VK_DELETE;
        event->setAccepted(m_dialog->SendNotify(WM_NOTIFY, LVN_KEYDOWN, m_id, &nm.hdr));
        return;
    }
    const QItemSelection before = selectionModel()->selection();
    QTreeView::keyPressEvent(event);
    if (selectionModel()->selection() != before) {
        Notify(NM_CLICK);
    }
}
