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

bool ByLine(const ImportTableRow& a, const ImportTableRow& b) {
    return a.line < b.line;
}

// A repeat or a row that looks wrong is a row placed (to add, or in the log): it is named on the
// row of its line, found among `rows` sorted by line.
void Mark(const std::vector<UnplacedRow>& marks, const char* what,
          std::vector<ImportTableRow>& rows) {
    for (const UnplacedRow& mark : marks) {
        ImportTableRow key;
        key.line = mark.line;
        const auto it = std::lower_bound(rows.begin(), rows.end(), key, ByLine);
        if (it == rows.end() || it->line != mark.line) {
            continue;
        }
        if (it->cells[kImportWhat] == "to add") {
            it->cells[kImportWhat] += std::string(", ") + what;
        }
        std::string& reason = it->cells[kImportReason];
        reason += (reason.empty() ? "" : "; ") + mark.reason;
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
    std::sort(rows.begin(), rows.end(), ByLine);  // a line is one row of the file
    Mark(plan.repeats, "repeat", rows);
    Mark(plan.suspect, "looks wrong", rows);
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
