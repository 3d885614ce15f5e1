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

ReminderDue ReminderDueAt(double due, double odometer, DistanceUnit unit) {
    if (!(due > 0.0)) {
        return {};
    }
    const double left = due - odometer;
    if (left > (unit == DistanceUnit::Mi ? kDueSoonMi : kDueSoonKm)) {
        return {};
    }
    return left >= 0.0 ? ReminderDue{DueState::DueSoon, left}
                       : ReminderDue{DueState::Overdue, -left};
}

std::u16string DueNote(const ReminderDue& due, DistanceUnit unit) {
    // Odometer readings carry one decimal; a whole number shows without one.
    const std::string distance = FormatShortest(std::round(due.distance * 10.0) / 10.0) + " " +
                                 std::string(DistanceSymbol(unit));
    switch (due.state) {
        case DueState::DueSoon:
            return Utf8ToUtf16(due.distance == 0.0 ? "due now" : "due in " + distance);
        case DueState::Overdue:
            return Utf8ToUtf16("passed " + distance + " ago");
        case DueState::NotDue:
            break;
    }
    return {};
}
