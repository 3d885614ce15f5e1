#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "log_record.h"

// The log list's nine columns: title, width in pixels, whether its texts are numbers (set at the
// right edge, so that their decimal points line up), and how a record's cell reads. Column 8
// is hidden (width 0) and holds the record's index, so a row still names its record after the
// rows have been sorted by another column.
struct ListColumn {
    std::u16string_view title;
    int width;
    bool numbers;
};

inline constexpr int kIndexColumn = 8;
inline constexpr std::array<ListColumn, 9> kListColumns = {{
    {u"Date Time", 52, false},
    {u"km/L", 40, true},
    {u"Trip km", 45, true},
    {u"Fuel L", 45, true},
    {u"\\/L", 45, true},
    {u"F", 22, false},
    {u"Cost \\", 55, true},
    {u"Odo km", 65, true},
    {u"Dummy", 0, false},
}};

// The title of `column` in a log in `units` whose economy is shown as `economy`: the table's for
// km, litres and yen in km/L ("Odo km"), the same words in other units ("Odo mi", "Cost €",
// "L/100 km").
std::u16string ListColumnTitle(int column, const LogUnits& units, Economy economy);

// The text of `column` for `record`, the record at `index` of the log, built in `buffer`
// (replacing what it held) and valid until the buffer is used again: one buffer serves a whole
// fill, so filling many rows allocates nothing per cell. Numbers are in `units`, the economy as
// `economy` shows it, the price per unit of fuel and the cost in the currency's major unit.
std::u16string_view FormatListCell(const LogRecord& record, int index, int column,
                                   std::u16string& buffer, const LogUnits& units = LogUnits{},
                                   Economy economy = Economy::DistancePerQuantity);

// Why a cell shows what it shows where its text does not say: for a "----" cell what it stands
// for, and for an economy the trip and the fuel it was divided by. Empty for every other cell.
// `oldest`: the record is the log's oldest, where the first trip starts.
std::u16string ExplainListCell(const LogRecord& record, bool oldest, int column,
                               const LogUnits& units = LogUnits{},
                               Economy economy = Economy::DistancePerQuantity);

// What a cell sorts by: the value behind its text. A date and time is its six fields, year
// first; a number its value; the kind its mark's letter. A blank ("----") has none.
struct CellSortKey {
    bool blank = false;
    double number = 0.0;
    uint64_t date = 0;  // year, month and day, 16 bits each
    uint64_t time = 0;  // hour, minute and second, 16 bits each
};
CellSortKey ListCellSortKey(const LogRecord& record, int index, int column,
                            const LogUnits& units = LogUnits{},
                            Economy economy = Economy::DistancePerQuantity);

// The order of two cells of one column: -1, 0 or 1 as `a` comes before, with or after `b`.
// Blanks come together after every value, in either direction.
int CompareCellSortKeys(const CellSortKey& a, const CellSortKey& b, bool ascending);
