#pragma once

#include <optional>
#include <string>

#include "log_record.h"

// A reminder row whose number is above 0 is read as the odometer reading at which something is
// due (the next oil change at 45000 km), in the log's distance; it is due soon once the log's
// latest reading is within kDueSoonKm of it (kDueSoonMi in a log in miles, the round figure
// nearest to it), and overdue once the reading has passed it. Nothing of this is stored.
inline constexpr double kDueSoonKm = 500.0;
inline constexpr double kDueSoonMi = 300.0;

enum class DueState { NotDue, DueSoon, Overdue };

struct ReminderDue {
    DueState state = DueState::NotDue;
    double distance = 0.0;  // still to go (due soon), or past it (overdue)
};

// The odometer reading of the newest entry that has one (an entry at 0.0 km has none).
std::optional<double> LatestOdometer(const LogBook& book);

// How the reminder at the reading `due` stands at the reading `odometer`, both in `unit`. A
// reminder of 0 or below is no odometer reading and is never due.
ReminderDue ReminderDueAt(double due, double odometer, DistanceUnit unit = DistanceUnit::Km);

// "due in 300 km", "due now", "passed 120 mi ago"; empty when not due.
std::u16string DueNote(const ReminderDue& due, DistanceUnit unit = DistanceUnit::Km);
