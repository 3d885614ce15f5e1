#include "import_preview.h"

#include "date_time_text.h"
#include "log_export.h"
#include "money_text.h"
#include "number_text.h"

namespace {

// "26 Aug 2007 07:30:45  fill-up       41890.0 km    30.2 L    4288 yen" (the date as the user
// reads dates), in the plan's units ("20350.0 mi  12.345 gal     65.43 EUR"); no quantity
// without fuel.
void AppendEntryLine(std::string& out, const LogRecord& r, const LogUnits& units) {
    out += "  " + FormatDateTimeText(r.time, DateTimeText::Display) + "  ";
    const std::string kind = KindWord(r.kind);
    constexpr std::size_t kKindWidth = 12;
    out += kind + std::string(kind.size() < kKindWidth ? kKindWidth - kind.size() : 1, ' ');
    AppendFixed(out, r.odo, kOdometerDecimals, 9);
    out += " " + std::string(DistanceSymbol(units.distance));
    const std::string quantitySymbol(QuantitySymbol(units.quantity));
    constexpr std::size_t kQuantityWidth = 8;
    std::string quantity;
    if (r.fuel != 0.0) {
        AppendQuantity(quantity, r.fuel, units.quantity);
        quantity += " " + quantitySymbol;
    }
    const std::size_t width = kQuantityWidth + 1 + quantitySymbol.size();
    out += std::string(quantity.size() < width ? width - quantity.size() : 1, ' ') + quantity;
    const std::string cost = MajorUnitsText(r.cost, units.currency.digits);
    out += std::string(cost.size() < 8 ? 8 - cost.size() : 0, ' ') + cost;
    out += units.currency.IsYen() ? " yen\n" : " " + units.currency.code + "\n";
}

// "line 12 repeats line 11", "line 7: its cost is below zero".
void AppendRows(std::string& out, const char* title, const std::vector<UnplacedRow>& rows,
                const char* between) {
    if (rows.empty()) {
        return;
    }
    out += std::string(title) + "\n";
    for (const UnplacedRow& row : rows) {
        out += "  line " + FormatInt(row.line) + between + row.reason + "\n";
    }
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
               Plural(static_cast<int64_t>(plan.inLog.size()), "row", "rows") +
               " already in the log, " +
               Plural(static_cast<int64_t>(plan.unplaced.size()), "row", "rows") + " not placed.\n";
    }
    for (const ImportQuestion& question : plan.questions) {
        out += "Question: " + question.text + "\n";
    }
    if (!plan.entries.empty()) {
        out += "To add:\n";
        for (const LogRecord& r : plan.entries) {
            AppendEntryLine(out, r, plan.units);
        }
    }
    AppendRows(out, "Repeats, added as often as the file holds them (or leave repeats out):",
               plan.repeats, " ");
    AppendRows(out, "Looks wrong, added as it is (check it, or leave such rows out):", plan.suspect,
               ": ");
    AppendRows(out, "Not placed:", plan.unplaced, ": ");
    if (!plan.notes.empty()) {
        out += "Notes:\n";
        for (const std::string& note : plan.notes) {
            out += "  " + note + "\n";
        }
    }
    return out;
}
