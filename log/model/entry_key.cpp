#include "entry_key.h"

#include <unordered_set>

#include "date_time_text.h"
#include "number_text.h"

std::string EntryKey(const LogRecord& r, const LogUnits& units) {
    std::string key = FormatDateTimeText(r.time, DateTimeText::Iso8601);
    key += ' ';
    AppendFixed(key, r.odo, kOdometerDecimals);
    key += ' ';
    AppendFixed(key, r.fuel, QuantityDecimals(units.quantity));
    key += ' ';
    AppendInt(key, r.cost);
    return key;
}

int32_t AddPlannedEntries(LogBook& book, const std::vector<LogRecord>& entries) {
    const std::size_t used = UsedCount(book);
    std::unordered_set<std::string> held;
    for (std::size_t i = 0; i < used; ++i) {
        held.insert(EntryKey(book.records[i], book.units));
    }
    // The new entries go in front, newest first, as Input puts a new entry in slot 0; the sort
    // that follows keeps entries of the same second in this order.
    std::vector<LogRecord> records;
    records.reserve(entries.size() + used + 1);
    for (auto it = entries.rbegin(); it != entries.rend(); ++it) {
        if (held.insert(EntryKey(*it, book.units)).second) {
            records.push_back(*it);
            book.totalCost += it->cost;
            book.fuelCost += it->fuel != 0.0 ? it->cost : 0;
        }
    }
    const auto added = static_cast<int32_t>(records.size());
    records.insert(records.end(), book.records.begin(),
                   book.records.begin() + static_cast<std::ptrdiff_t>(used));
    book.count = static_cast<int32_t>(records.size());
    records.emplace_back();  // the spare slot
    book.records = std::move(records);
    return added;
}
