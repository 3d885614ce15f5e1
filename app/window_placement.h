#pragma once

#include <QByteArray>

class QAbstractItemView;
class QLineEdit;
class QWidget;

// Where and how large the main window opens. On later starts it takes the geometry saved at the
// last (`saved`), moved wholly onto a screen that is there. At the first start, or when what was
// saved cannot be read, it opens when first shown wide enough for every column of `list` and the
// whole `summary` line, tall enough for about twenty rows, centred on its screen and never
// larger than that screen.
void PlaceMainWindow(QWidget* window, QAbstractItemView* list, QLineEdit* summary,
                     const QByteArray& saved);

// The rows of the list a first start makes room for: a season of fill-ups at a glance.
inline constexpr int kOpeningRows = 20;
