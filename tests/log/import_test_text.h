#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "log_import.h"

// Entries and rows not placed as the import tests expect them, in a line of text each.

// An entry as the tests expect it: "2024-03-10 16:01:00 F odo 12345 fuel 40 cost 6000".
inline std::string Described(const LogRecord& r) {
    const char* marks = "FNM";
    char kind[16];
    if (r.kind >= 0 && r.kind <= 2) {
        std::snprintf(kind, sizeof kind, "%c", marks[r.kind]);
    } else {
        std::snprintf(kind, sizeof kind, "%d", static_cast<int>(r.kind));
    }
    char text[160];
    std::snprintf(text, sizeof text,
                  "%04u-%02u-%02u %02u:%02u:%02u %s odo %.10g fuel %.10g cost %d", r.time.wYear,
                  r.time.wMonth, r.time.wDay, r.time.wHour, r.time.wMinute, r.time.wSecond, kind,
                  r.odo, r.fuel, static_cast<int>(r.cost));
    return text;
}

inline std::vector<std::string> Described(const std::vector<LogRecord>& entries) {
    std::vector<std::string> texts;
    for (const LogRecord& r : entries) {
        texts.push_back(Described(r));
    }
    return texts;
}

// Rows not placed, or that look wrong: "line 3: why".
inline std::vector<std::string> Lines(const std::vector<UnplacedRow>& rows) {
    std::vector<std::string> texts;
    for (const UnplacedRow& row : rows) {
        texts.push_back("line " + std::to_string(row.line) + ": " + row.reason);
    }
    return texts;
}

inline std::vector<std::string> Unplaced(const ImportPlan& plan) {
    return Lines(plan.unplaced);
}
