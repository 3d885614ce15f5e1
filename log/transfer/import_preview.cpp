#include "import_preview.h"

#include "date_time_text.h"
#include "log_export.h"
#include "number_text.h"

namespace {

// "2007-08-26 07:30:45  fill-up       41890.0 km    30.2 L    4288 yen" (the date as the user
// reads dates); no litres without fuel.
void AppendEntryLine(std::string& out, const LogRecord& r) {
    out += "  " + FormatDateTimeText(r.time, DateTimeText::Display) + "  ";
    const std::string kind = KindWord(r.kind);
    constexpr std::size_t kKindWidth = 12;
    out += kind + std::string(kind.size() < kKindWidth ? kKindWidth - kind.size() : 1, ' ');
    AppendFixed(out, r.odo, 1, 9);
    out += " km";
    if (r.fuel != 0.0) {
        AppendFixed(out, r.fuel, 1, 8);
        out += " L";
    } else {
        out += std::string(10, ' ');
    }
    AppendInt(out, r.cost, 8);
    out += " yen\n";
}

}  // namespace

std::string ImportPreview(const ImportPlan& plan) {
    std::string out = plan.format.empty() ? std::string() : plan.format + ": ";
    if (!plan.unusable.empty()) {
        return out + "nothing can be imported.\n" + plan.unusable + "\n";
    }
    if (!plan.questions.empty()) {
        out += "Tarvo needs to know more before it can plan the import.\n";
    } else {
        out += Plural(static_cast<int64_t>(plan.entries.size()), "entry", "entries") + " to add, " +
               Plural(plan.duplicates, "row", "rows") + " already in the log, " +
               Plural(static_cast<int64_t>(plan.unplaced.size()), "row", "rows") + " not placed.\n";
    }
    for (const ImportQuestion& question : plan.questions) {
        out += "Question: " + question.text + "\n";
    }
    if (!plan.entries.empty()) {
        out += "To add:\n";
        for (const LogRecord& r : plan.entries) {
            AppendEntryLine(out, r);
        }
    }
    if (!plan.unplaced.empty()) {
        out += "Not placed:\n";
        for (const UnplacedRow& row : plan.unplaced) {
            out += "  line " + FormatInt(row.line) + ": " + row.reason + "\n";
        }
    }
    if (!plan.notes.empty()) {
        out += "Notes:\n";
        for (const std::string& note : plan.notes) {
            out += "  " + note + "\n";
        }
    }
    return out;
}
