#pragma once

#include <string>
#include <vector>

#include "log_import.h"

// The import's plan as the preview's table shows it: one row a line of the file, in the file's
// order, with what becomes of it, the entry it makes (its date as the window writes dates, in the
// plan's units) and why, where there is a why.

enum ImportTableColumn {
    kImportLine,
    kImportWhat,
    kImportDate,
    kImportKind,
    kImportOdometer,
    kImportQuantity,
    kImportCost,
    kImportReason,
    kImportColumnCount,
};

struct ImportTableRow {
    int line = 0;
    std::string cells[kImportColumnCount];
};

std::vector<ImportTableRow> ImportTableRows(const ImportPlan& plan);

// The titles of the columns, the numbers' with the plan's units ("Odometer (mi)", "Cost (EUR)").
std::vector<std::string> ImportTableTitles(const LogUnits& units);

// What the import will do, in one sentence: the file's format and the counts of each kind of row,
// or that it needs an answer, or that nothing can be imported.
std::string ImportSummary(const ImportPlan& plan);
