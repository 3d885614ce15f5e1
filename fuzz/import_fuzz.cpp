// Feeds arbitrary bytes to the import as a CSV file, with every answer a question can get:
// whatever a file holds, planning must not crash, leak or touch undefined behaviour, every entry
// it plans must be one the log can hold, and the entries added to a log must come back the same
// through Tarvo's own export.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "date_order.h"
#include "entry_key.h"
#include "import_preview.h"
#include "log_export.h"
#include "log_import.h"
#include "log_record.h"
#include "recompute.h"

namespace {

void Require(bool holds, const char* what) {
    if (!holds) {
        std::fprintf(stderr, "import_fuzz: %s\n", what);
        std::abort();
    }
}

void RequireHoldable(const ImportPlan& plan) {
    for (const LogRecord& r : plan.entries) {
        Require(r.odo >= 0.0 && r.odo <= 10'000'000.0, "an odometer out of range was planned");
        Require(r.fuel >= 0.0 && r.fuel <= 10'000.0, "litres out of range were planned");
        Require(r.fuel != 0.0 || r.cost != 0, "an entry with neither fuel nor cost was planned");
        Require(r.time.wMonth >= 1 && r.time.wMonth <= 12 && r.time.wDay >= 1 &&
                    r.time.wDay <= 31 && r.time.wHour <= 23 && r.time.wMinute <= 59 &&
                    r.time.wSecond <= 59,
                "a date or time that is not one was planned");
        Require(r.carriedFuel == 0.0 && r.trip == 0.0 && r.kmPerL == 0.0 && r.yenPerL == 0.0,
                "a planned entry has derived values");
    }
    Require(plan.CanProceed() || plan.entries.empty(), "entries were planned with questions open");
}

// The entries added to an empty log, exported and imported again, are the same entries.
void RequireRoundTrip(const ImportPlan& plan) {
    LogBook book;
    book.units = plan.units;
    book.records.resize(1);
    const int32_t added = AddPlannedEntries(book, plan.entries, plan.inLog);
    Require(added >= 0 && static_cast<std::size_t>(added) <= plan.entries.size(),
            "more entries were added than planned");
    Require(book.records.size() == static_cast<std::size_t>(book.count) + 1,
            "the record array lost its spare slot");
    SortNewestFirst(book);
    RecomputeLog(book);
    const ImportPlan again = PlanImport(ExportLog(book), LogBook(), ImportOptions());
    Require(again.CanProceed() && again.unplaced.empty(), "Tarvo's own export did not import");
    Require(again.units == book.units, "Tarvo's own export did not carry the log's units");
    Require(again.entries.size() == static_cast<std::size_t>(book.count),
            "Tarvo's own export imported to another number of entries");
    for (std::size_t i = 0; i < again.entries.size(); ++i) {
        const LogRecord& before = book.records[again.entries.size() - 1 - i];
        const LogRecord& after = again.entries[i];
        Require(EntryKey(before, book.units) == EntryKey(after, again.units) &&
                    before.kind == after.kind,
                "an entry changed through Tarvo's own export");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const LogBook empty;
    for (const DateOrder order :
         {DateOrder::FromFile, DateOrder::DayFirst, DateOrder::MonthFirst}) {
        ImportOptions options;
        options.dateOrder = order;
        options.gallon = order == DateOrder::DayFirst ? Unit::ImperialGallons : Unit::UsGallons;
        const ImportPlan plan = PlanImport(bytes, empty, options);
        RequireHoldable(plan);
        static_cast<void>(ImportPreview(plan));
        if (order == DateOrder::DayFirst) {
            RequireRoundTrip(plan);
        }
    }
    return 0;
}
