#include "list_columns.h"

#include <cmath>

#include "date_time_text.h"
#include "number_text.h"
#include "utf8.h"

namespace {

constexpr std::u16string_view kBlank = u"----";

// Where a value means nothing for the record, its cell shows "----": km/L and the trip where
// there is no trip to divide, litres and the price per litre where no fuel was bought, the
// odometer where there is no reading.
bool IsBlank(const LogRecord& r, int column) {
    switch (column) {
        case 1:
        case 2:
            return r.trip == 0.0;
        case 3:
        case 4:
            return r.fuel == 0.0;
        case 7:
            return r.odo == 0.0;
        default:
            return false;
    }
}

// The number a numeric column shows, by the list's column order.
double CellNumber(const LogRecord& r, int index, int column) {
    switch (column) {
        case 1:
            return r.kmPerL;
        case 2:
            return r.trip;
        case 3:
            return r.fuel;
        case 4:
            return r.yenPerL;
        case 6:
            return r.cost;
        case 7:
            return r.odo;
        case kIndexColumn:
            return index;
        default:
            return 0.0;
    }
}

// The printf field width of a numeric column's "%*.1lf" or "%*d".
int CellWidth(int column) {
    switch (column) {
        case 1:
            return 4;
        case 7:
            return 8;
        case kIndexColumn:
            return 0;
        default:
            return 5;
    }
}

char16_t KindMark(int32_t kind) {
    switch (kind) {
        case FillUp:
            return u'F';
        case NotFillUp:
            return u'N';
        case Maintenance:
            return u'M';
        default:
            return u'?';  // a kind no command writes, read from an edited file
    }
}

int Order(bool less, bool greater) {
    return less ? -1 : greater ? 1 : 0;
}

}  // namespace

std::u16string_view FormatListCell(const LogRecord& r, int index, int column,
                                   std::u16string& text) {
    text.clear();
    if (column == 0) {
        AppendDateTimeText(text, r.time, DateTimeText::Display);
    } else if (column == 5) {
        text += KindMark(r.kind);
    } else if (IsBlank(r, column)) {
        text += kBlank;
    } else if (column == 6 || column == kIndexColumn) {
        AppendInt(text, static_cast<int64_t>(CellNumber(r, index, column)), CellWidth(column));
    } else if (column > 0 && column < kIndexColumn) {
        AppendFixed(text, CellNumber(r, index, column), 1, CellWidth(column));
    }
    return text;
}

CellSortKey ListCellSortKey(const LogRecord& r, int index, int column) {
    CellSortKey key;
    if (column == 0) {
        const SYSTEMTIME& t = r.time;
        key.date = uint64_t{t.wYear} << 32 | uint64_t{t.wMonth} << 16 | t.wDay;
        key.time = uint64_t{t.wHour} << 32 | uint64_t{t.wMinute} << 16 | t.wSecond;
    } else if (column == 5) {
        key.number = KindMark(r.kind);
    } else {
        key.number = CellNumber(r, index, column);
        // A NaN has no place in an order; none can come from a recomputed log, but a blank
        // keeps the sort sound whatever the record holds.
        key.blank = IsBlank(r, column) || std::isnan(key.number);
    }
    return key;
}

int CompareCellSortKeys(const CellSortKey& a, const CellSortKey& b, bool ascending) {
    if (a.blank || b.blank) {
        return Order(!a.blank, !b.blank);
    }
    const int order = a.number != b.number ? Order(a.number<b.number, a.number> b.number)
                      : a.date != b.date   ? Order(a.date<b.date, a.date> b.date)
                                           : Order(a.time<b.time, a.time> b.time);
    return ascending ? order : -order;
}

std::u16string ExplainListCell(const LogRecord& r, bool oldest, int column) {
    std::string note;
    const auto litres = [&note](double value) {
        AppendFixed(note, value, 1);
        note += " L";
    };
    switch (column) {
        case 1:
        case 2:
            if (r.trip != 0.0) {
                if (column == 1) {  // the division behind the figure
                    AppendFixed(note, r.trip, 1);
                    note += " km \u00F7 ";
                    litres(r.carriedFuel + r.fuel);
                    if (r.carriedFuel != 0.0) {
                        note += " (";
                        litres(r.fuel);
                        note += " here, ";
                        litres(r.carriedFuel);
                        note += " carried from partial fills)";
                    }
                }
            } else if (oldest) {
                note = "the oldest entry: the first trip starts here";
            } else if (r.kind == FillUp) {
                note = "no distance since the previous fill-up";
            } else if (r.fuel != 0.0) {
                note = r.kind == NotFillUp
                           ? "partial fill: its litres are carried into the next full fill"
                           : "not a fill-up: its litres are carried into the next full fill";
            } else {
                note = "no fuel bought";
            }
            break;
        case 3:
        case 4:
            if (r.fuel == 0.0) {
                note = "no fuel bought";
            }
            break;
        case 7:
            if (r.odo == 0.0) {
                note = "no odometer reading";
            }
            break;
        default:
            break;
    }
    return Utf8ToUtf16(note);
}
