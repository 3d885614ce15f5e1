#pragma once

#include <QRect>

class QWidget;

// Windows that open wholly on a screen that is there: a place saved on a monitor since removed, a
// size beyond a smaller screen's, or a window placed by another's position never leaves part of
// it where nobody can reach it.

// `frame` moved, and shrunk where it is larger, so that it lies wholly within `area`.
QRect FitWithin(QRect frame, const QRect& area);

// The available area (the screen less its panels) of the screen that holds the most of `frame`;
// for a frame on no screen at all, the primary screen's.
QRect ScreenAreaFor(const QRect& frame);

// Moves the top-level `window`, and shrinks it where it must, onto the screen that holds the
// most of it.
void KeepOnScreen(QWidget* window);

// Gives the top-level `window` the size of its frame `size` (or less, where the screen is
// smaller) and centres it on the screen that holds the most of `over` (a window's frame).
void CentreOnScreen(QWidget* window, const QSize& size, const QRect& over);
