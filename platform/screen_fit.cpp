#include "screen_fit.h"

#include <algorithm>

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace {

int Overlap(const QRect& a, const QRect& b) {
    const QRect common = a.intersected(b);
    return common.isEmpty() ? 0 : common.width() * common.height();
}

// What the window system adds around the window (its title bar and borders): known once the
// window has been shown, none before.
QSize FrameExtra(const QWidget* window) {
    return window->frameGeometry().size() - window->geometry().size();
}

void SetFrame(QWidget* window, const QRect& frame) {
    window->resize(frame.size() - FrameExtra(window));
    window->move(frame.topLeft());
}

}  // namespace

QRect FitWithin(QRect frame, const QRect& area) {
    frame.setWidth(std::min(frame.width(), area.width()));
    frame.setHeight(std::min(frame.height(), area.height()));
    frame.moveLeft(std::clamp(frame.left(), area.left(), area.right() - frame.width() + 1));
    frame.moveTop(std::clamp(frame.top(), area.top(), area.bottom() - frame.height() + 1));
    return frame;
}

QRect ScreenAreaFor(const QRect& frame) {
    const QScreen* best = QGuiApplication::primaryScreen();
    int most = 0;
    for (const QScreen* screen : QGuiApplication::screens()) {
        const int overlap = Overlap(frame, screen->geometry());
        if (overlap > most) {
            most = overlap;
            best = screen;
        }
    }
    return best == nullptr ? frame : best->availableGeometry();
}

void KeepOnScreen(QWidget* window) {
    const QRect frame = window->frameGeometry();
    SetFrame(window, FitWithin(frame, ScreenAreaFor(frame)));
}

void CentreOnScreen(QWidget* window, const QSize& size, const QRect& over) {
    const QRect area = ScreenAreaFor(over);
    QRect frame(QPoint(0, 0), size);
    frame.moveCenter(area.center());
    SetFrame(window, FitWithin(frame, area));
}
