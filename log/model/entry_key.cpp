#include "entry_key.h"

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

std::size_t EntrySet::Hash::operator()(const LogRecord* r) const {
    return std::hash<std::string>()(EntryKey(*r, *units));
}

bool EntrySet::Same::operator()(const LogRecord* a, const LogRecord* b) const {
    return EntryKey(*a, *units) == EntryKey(*b, *units);
}

int32_t AddPlannedEntries(LogBook& book, const std::vector<LogRecord>& entries) {
    const std::size_t used = UsedCount(book);
    std::vector<bool> adding(entries.size());
    std::size_t added = 0;
    {
        EntrySet held(used + entries.size(), book.units);
        for (std::size_t i = 0; i < used; ++i) {
            held.Insert(book.records[i]);
        }
        for (std::size_t i = entries.size(); i-- > 0;) {
            adding[i] = held.Insert(entries[i]);
            added += adding[i] ? 1 : 0;
        }
    }
    // The new entries go in front, newest first, as Input puts a new entry in slot 0; the sort
    // that follows keeps entries of the same second in this order.
    std::vector<LogRecord>& records = book.records;
    records.resize(used);
    records.reserve(used + added + 1);
    records.insert(records.begin(), added, LogRecord());
    std::size_t slot = 0;
    for (std::size_t i = entries.size(); i-- > 0;) {
        if (adding[i]) {
            records[slot++] = entries[i];
            book.totalCost += entries[i].cost;
            book.fuelCost += entries[i].fuel != 0.0 ? entries[i].cost : 0;
        }
    }
    book.count = static_cast<int32_t>(records.size());
    records.emplace_back();  // the spare slot
    return static_cast<int32_t>(added);
}
