#pragma once

#include <functional>

#include <QObject>

class QWidget;

// Watches, as an application-wide event filter, for the first paint of one widget. Once the whole
// window's paint that includes it is done, prints one "name value" pair a line on the standard
// output: the monotonic clock then (first_paint_ns), the size of the widget's window in pixels
// (window_width, window_height) and the resident memory with its peak from /proc/self/status
// (vm_rss_kb, vm_hwm_kb); then calls `end`, which is to end the program.
class FirstPaint : public QObject {
public:
    // `watched` names the widget, or nullptr while it does not exist yet; it is asked at every
    // paint until the first one of that widget.
    FirstPaint(std::function<QWidget*()> watched, std::function<void()> end);

    bool eventFilter(QObject* object, QEvent* event) override;

private:
    std::function<QWidget*()> watched_;
    std::function<void()> end_;
    bool seen_ = false;
};
