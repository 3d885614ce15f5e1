#pragma once

#include <string>
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
    // The file name of the vehicle's log shown last, kept by SaveLastVehicle the moment the
    // window switches, so that the next start opens it.
    std::string lastVehicle;
};

// The widths a column sized by hand may be kept at. A width outside them (0 would hide the
// column for good, a huge one push the others out of reach), or one that is no number, is not
// the user's choice but a damaged setting: the column fits its texts instead.
inline constexpr int kLeastKeptColumnWidth = 8;
inline constexpr int kMostKeptColumnWidth = 2000;

ViewSettings LoadViewSettings();
// Keeps everything but `lastVehicle`.
void SaveViewSettings(const ViewSettings& settings);
void SaveLastVehicle(const std::string& logFileName);
