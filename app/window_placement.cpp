#include "window_placement.h"

#include <algorithm>

#include <QAbstractItemView>
#include <QCoreApplication>
#include <QEvent>
#include <QHeaderView>
#include <QLineEdit>
#include <QStyle>
#include <QTreeView>

#include "screen_fit.h"

namespace {

// How much wider and taller the list must be to show every column and kOpeningRows rows, and
// the summary line to show its whole text.
QSize Growth(QAbstractItemView* list, QLineEdit* summary) {
    const auto* tree = qobject_cast<QTreeView*>(list);
    const int frame = 2 * list->frameWidth();
    const int header = tree != nullptr ? tree->header()->height() : 0;
    const int columns = tree != nullptr ? tree->header()->length() : list->viewport()->width();
    const int row = list->model() != nullptr && list->model()->rowCount() > 0
                        ? list->sizeHintForRow(0)
                        : list->fontMetrics().height() + 4;
    // Room for the vertical scroll bar, which a list of more rows than shown has.
    const int scrollBar = list->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, list);
    const int listWidth = columns + frame + scrollBar;
    const int listHeight = header + kOpeningRows * row + frame;
    // The line's own margins around its text, and a little room after it.
    const int summaryWidth = summary->fontMetrics().horizontalAdvance(summary->text()) +
                             summary->width() - summary->contentsRect().width() +
                             2 * summary->fontMetrics().averageCharWidth();
    return {std::max({0, listWidth - list->width(), summaryWidth - summary->width()}),
            std::max(0, listHeight - list->height())};
}

// Places the window at its first show: the list has been filled and its columns fitted to their
// texts, the controls stand where the window's size puts them, and the window system has said
// how large a frame it puts around the window.
class FirstShowPlacement : public QObject {
public:
    FirstShowPlacement(QWidget* window, QAbstractItemView* list, QLineEdit* summary, bool restored)
        : QObject(window),
          m_window(window),
          m_list(list),
          m_summary(summary),
          m_restored(restored) {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != m_window || event->type() != QEvent::Show) {
            return false;
        }
        m_window->removeEventFilter(this);
        if (m_restored) {
            KeepOnScreen(m_window);
        } else {
            const QSize frame = m_window->frameGeometry().size() + Growth(m_list, m_summary);
            CentreOnScreen(m_window, frame, m_window->frameGeometry());
            // The list decided on its scroll bars at its earlier, narrower width; it hides a bar
            // the new width made needless only on a queued call. Make that call now, so that the
            // window never shows such a bar, not even in its first paint.
            QCoreApplication::sendPostedEvents(m_list, QEvent::MetaCall);
        }
        return false;
    }

private:
    QWidget* m_window;
    QAbstractItemView* m_list;
    QLineEdit* m_summary;
    bool m_restored;
};

}  // namespace

void PlaceMainWindow(QWidget* window, QAbstractItemView* list, QLineEdit* summary,
                     const QByteArray& saved) {
    const bool restored = !saved.isEmpty() && window->restoreGeometry(saved);
    new FirstShowPlacement(window, list, summary, restored);
}
