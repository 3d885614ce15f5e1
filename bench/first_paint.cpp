#include "first_paint.h"

#include <cstdio>
#include <fstream>
#include <string>
#include <utility>

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>

#include "monotonic_clock.h"

namespace {

// Copies the lines "VmRSS:" and "VmHWM:" of /proc/self/status to the output, in kB.
void PrintMemory() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        long long kb = 0;
        if (std::sscanf(line.c_str(), "VmHWM: %lld kB", &kb) == 1) {
            std::printf("vm_hwm_kb %lld\n", kb);
        } else if (std::sscanf(line.c_str(), "VmRSS: %lld kB", &kb) == 1) {
            std::printf("vm_rss_kb %lld\n", kb);
        }
    }
}

}  // namespace

FirstPaint::FirstPaint(std::function<QWidget*()> watched, std::function<void()> end)
    : watched_(std::move(watched)), end_(std::move(end)) {}

bool FirstPaint::eventFilter(QObject* object, QEvent* event) {
    if (seen_ || event->type() != QEvent::Paint) {
        return false;
    }
    QWidget* widget = watched_();
    if (widget == nullptr || object != widget) {
        return false;
    }
    seen_ = true;
    // Queued: a window's widgets are painted and flushed to the screen in one go, and this runs
    // once all of that is done.
    QMetaObject::invokeMethod(
        QCoreApplication::instance(),
        [this, window = widget->window()] {
            std::printf("first_paint_ns %lld\n", MonotonicNanoseconds());
            std::printf("window_width %d\nwindow_height %d\n", window->width(), window->height());
            PrintMemory();
            std::fflush(stdout);
            end_();
        },
        Qt::QueuedConnection);
    return false;
}
