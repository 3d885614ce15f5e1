#pragma once

#include <vector>

#include <QByteArray>

#include "log_units.h"

// What Tarvo remembers between starts, kept with QSettings in the user's configuration folder:
// how the window looks, never data (the log file stays the only place for that).
struct ViewSettings {
    bool markDueReminders = true;
    Economy economy = Economy::DistancePerQuantity;  // as the person reads it, whatever the log
    QByteArray windowGeometry;                       // the main window's size and place
    std::vector<int> columnWidths;  // the list's columns the user sized by hand, -1 for others
};

ViewSettings LoadViewSettings();
void SaveViewSettings(const ViewSettings& settings);
