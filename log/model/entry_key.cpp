#include "entry_key.h"

#include <algorithm>
#include <unordered_map>

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

namespace {

// How many entries of each kind by EntryKey a collection holds. It keeps a pointer to each kind's
// first entry, not its key: a map of key texts would cost a file of millions of entries several
// times its size. The entries must stay where they are while it is in use.
class EntryCounts {
public:
    EntryCounts(std::size_t kinds, const LogUnits& units)
        : counts_(kinds, Hash{&units}, Same{&units}) {}

    // The count of entries the same as `r`, made 0 when none was counted yet.
    int64_t& operator[](const LogRecord& r) { return counts_[&r]; }

private:
    // Not noexcept, so that the map keeps each hash instead of making the key again.
    struct Hash {
        const LogUnits* units;
        std::size_t operator()(const LogRecord* r) const {
            return std::hash<std::string>()(EntryKey(*r, *units));
        }
    };
    struct Same {
        const LogUnits* units;
        bool operator()(const LogRecord* a, const LogRecord* b) const {
            return EntryKey(*a, *units) == EntryKey(*b, *units);
        }
    };
    std::unordered_map<const LogRecord*, int64_t, Hash, Same> counts_;
};

}  // namespace

std::vector<bool> HeldCopies(const LogBook& book, const std::vector<LogRecord>& entries,
                             const std::vector<LogRecord>& inLog) {
    EntryCounts counts(UsedCount(book) + entries.size(), book.units);
    for (std::size_t i = 0; i < UsedCount(book); ++i) {
        ++counts[book.records[i]];
    }
    for (const LogRecord& r : inLog) {
        --counts[r];
    }
    std::vector<bool> held(entries.size());
    for (std::size_t i = 0; i < entries.size(); ++i) {
        int64_t& count = counts[entries[i]];
        held[i] = count > 0;
        count -= held[i] ? 1 : 0;
    }
    return held;
}

std::vector<std::size_t> FirstCopies(const std::vector<LogRecord>& entries,
                                     const std::vector<std::string>& ids, const LogUnits& units) {
    const auto id = [&ids](std::size_t i) { return ids.empty() ? std::string() : ids[i]; };
    const auto key = [&](std::size_t i) { return EntryKey(entries[i], units) + '\n' + id(i); };
    // Indexes stand for the keys, which are made again when needed rather than held.
    const auto hash = [&key](std::size_t i) { return std::hash<std::string>()(key(i)); };
    const auto same = [&key](std::size_t a, std::size_t b) { return key(a) == key(b); };
    std::unordered_map<std::size_t, std::size_t, decltype(hash), decltype(same)> first(
        entries.size(), hash, same);
    std::vector<std::size_t> copies(entries.size());
    for (std::size_t i = 0; i < entries.size(); ++i) {
        copies[i] = first.emplace(i, i).first->second;
    }
    return copies;
}

int32_t AddPlannedEntries(LogBook& book, const std::vector<LogRecord>& entries,
                          const std::vector<LogRecord>& inLog) {
    const std::size_t used = UsedCount(book);
    std::vector<bool> adding = HeldCopies(book, entries, inLog);
    adding.flip();
    const std::size_t added =
        static_cast<std::size_t>(std::count(adding.begin(), adding.end(), true));
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
