#include "import_table.h"

#include <algorithm>

#include "date_time_text.h"
#include "log_export.h"
#include "money_text.h"
#include "number_text.h"

namespace {

std::string CurrencyName(const Currency& currency) {
    return currency.IsYen() ? "yen" : currency.code;
}

ImportTableRow EntryRow(int line, const char* what, const LogRecord& r, const LogUnits& units) {
    ImportTableRow row;
    row.line = line;
    row.cells[kImportLine] = FormatInt(line);
    row.cells[kImportWhat] = what;
    row.cells[kImportDate] = FormatDateTimeText(r.time, DateTimeText::Display);
    row.cells[kImportKind] = KindWord(r.kind);
    AppendFixed(row.cells[kImportOdometer], r.odo, kOdometerDecimals);
    if (r.fuel != 0.0) {
        AppendQuantity(row.cells[kImportQuantity], r.fuel, units.quantity);
    }
    row.cells[kImportCost] = MajorUnitsText(r.cost, units.currency.digits);
    return row;
}

// A repeat or a row that looks wrong is named on the row of its line (an entry to add, or a row
// left out); only a line that has no row yet gets one of its own.
void Mark(std::vector<ImportTableRow>& rows, const std::vector<UnplacedRow>& marks,
          const char* what) {
    for (const UnplacedRow& mark : marks) {
        auto it = std::find_if(rows.begin(), rows.end(),
                               [&](const ImportTableRow& row) { return row.line == mark.line; });
        if (it == rows.end()) {
            rows.emplace_back();
            it = rows.end() - 1;
            it->line = mark.line;
            it->cells[kImportLine] = FormatInt(mark.line);
            it->cells[kImportWhat] = what;
        } else if (it->cells[kImportWhat] == "to add") {
            it->cells[kImportWhat] += std::string(", ") + what;
        }
        std::string& reason = it->cells[kImportReason];
        if (reason.find(mark.reason) == std::string::npos) {
            reason += (reason.empty() ? "" : "; ") + mark.reason;
        }
    }
}

}  // namespace

std::vector<ImportTableRow> ImportTableRows(const ImportPlan& plan) {
    std::vector<ImportTableRow> rows;
    for (std::size_t i = 0; i < plan.entries.size(); ++i) {
        rows.push_back(EntryRow(plan.entryLines[i], "to add", plan.entries[i], plan.units));
    }
    for (std::size_t i = 0; i < plan.inLog.size(); ++i) {
        rows.push_back(EntryRow(plan.inLogLines[i], "in the log", plan.inLog[i], plan.units));
    }
    for (const UnplacedRow& unplaced : plan.unplaced) {
        ImportTableRow row;
        row.line = unplaced.line;
        row.cells[kImportLine] = FormatInt(unplaced.line);
        row.cells[kImportWhat] = "not placed";
        row.cells[kImportReason] = unplaced.reason;
        rows.push_back(std::move(row));
    }
    Mark(rows, plan.repeats, "repeat");
    Mark(rows, plan.suspect, "looks wrong");
    std::stable_sort(
        rows.begin(), rows.end(),
        [](const ImportTableRow& a, const ImportTableRow& b) { return a.line < b.line; });
    return rows;
}

std::vector<std::string> ImportTableTitles(const LogUnits& units) {
    return {"Line",
            "What",
            "Date",
            "Kind",
            "Odometer (" + std::string(DistanceSymbol(units.distance)) + ")",
            "Quantity (" + std::string(QuantitySymbol(units.quantity)) + ")",
            "Cost (" + CurrencyName(units.currency) + ")",
            "Why"};
}

std::string ImportSummary(const ImportPlan& plan) {
    const std::string format = plan.format.empty() ? std::string() : plan.format + ": ";
    if (!plan.unusable.empty()) {
        return format + "nothing can be imported as the file's columns are placed now.";
    }
    if (!plan.questions.empty()) {
        return format + "Tarvo needs to know more before it can plan the import: " +
               Plural(static_cast<int64_t>(plan.questions.size()), "question", "questions") +
               " to answer.";
    }
    const auto count = [](std::size_t n, const char* one, const char* many) {
        return Plural(static_cast<int64_t>(n), one, many);
    };
    return format + count(plan.entries.size(), "entry", "entries") + " to add, " +
           count(plan.inLog.size(), "row", "rows") + " already in the log, " +
           count(plan.repeats.size(), "repeat", "repeats") + ", " +
           count(plan.suspect.size(), "row looks", "rows look") + " wrong, " +
           count(plan.unplaced.size(), "row", "rows") + " not placed.";
}
