#include "reminder_due.h"

#include <cmath>

#include "number_text.h"
#include "utf8.h"

std::optional<double> LatestOdometer(const LogBook& book) {
    const std::size_t used = UsedCount(book);
    for (std::size_t i = 0; i < used; ++i) {
        if (book.records[i].odo != 0.0) {
            return book.records[i].odo;
        }
    }
    return std::nullopt;
}

ReminderDue ReminderDueAt(double due, double odometer) {
    if (!(due > 0.0)) {
        return {};
    }
    const double left = due - odometer;
    if (left > kDueSoonKm) {
        return {};
    }
    return left >= 0.0 ? ReminderDue{DueState::DueSoon, left}
                       : ReminderDue{DueState::Overdue, -left};
}

std::u16string DueNote(const ReminderDue& due) {
    // Odometer readings carry one decimal; a whole number of km shows without one.
    const std::string km = FormatShortest(std::round(due.distance * 10.0) / 10.0) + " km";
    switch (due.state) {
        case DueState::DueSoon:
            return Utf8ToUtf16(due.distance == 0.0 ? "due now" : "due in " + km);
        case DueState::Overdue:
            return Utf8ToUtf16("passed " + km + " ago");
        case DueState::NotDue:
            break;
    }
    return {};
}
