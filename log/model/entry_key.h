#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <unordered_set>
#include <vector>

#include "log_record.h"

// What makes two entries the same for the import: date and time to the second, odometer and
// quantity as the log file writes them in `units` (one decimal, or the quantity's up to three),
// and cost.
std::string EntryKey(const LogRecord& r, const LogUnits& units);

// A set of entries by the rule above that holds a pointer to each, not its key: a set of key texts
// would cost a file of millions of entries several times its size. The entries must stay where
// they are while the set is in use.
class EntrySet {
public:
    // Room for `entries` entries of a log in `units`, made at once.
    EntrySet(std::size_t entries, const LogUnits& units)
        : entries_(entries, Hash{&units}, Same{&units}) {}

    // Adds `r` unless an entry the same is held; returns whether it was added.
    bool Insert(const LogRecord& r) { return entries_.insert(&r).second; }
    bool Contains(const LogRecord& r) const { return entries_.count(&r) != 0; }

private:
    // Not noexcept, so that the set keeps each hash instead of making the key again.
    struct Hash {
        const LogUnits* units;
        std::size_t operator()(const LogRecord* r) const;
    };
    struct Same {
        const LogUnits* units;
        bool operator()(const LogRecord* a, const LogRecord* b) const;
    };
    std::unordered_set<const LogRecord*, Hash, Same> entries_;
};

// Adds the planned entries the book does not already hold (by the rule above) in front of its
// records, keeping one spare slot and the cost totals; returns how many it added. The caller then
// sorts, recomputes and saves, as every command does.
int32_t AddPlannedEntries(LogBook& book, const std::vector<LogRecord>& entries);
