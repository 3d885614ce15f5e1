#include "list_columns.h"

#include <algorithm>

#include "text_format.h"

namespace {

constexpr std::u16string_view kBlank = u"----";

// Widened in place: append() from a range of another character type would build a temporary
// string first, for every cell of every row of a fill.
void Append(std::u16string& cell, std::string_view ascii) {
    const std::size_t at = cell.size();
    cell.resize(at + ascii.size());
    std::copy(ascii.begin(), ascii.end(), cell.begin() + static_cast<std::ptrdiff_t>(at));
}

void AppendInt(std::u16string& cell, int64_t value, int width) {
    Append(cell, FormatInt(value, width));
}

// "%*.1lf", or "----" where the value means nothing for this record.
void AppendFixedOrBlank(std::u16string& cell, bool blank, double value, int width) {
    if (blank) {
        cell.append(kBlank);
    } else {
        Append(cell, FormatFixed(value, 1, width));
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

}  // namespace

void FormatListCell(const LogRecord& r, int index, int column, std::u16string& cell) {
    cell.clear();
    switch (column) {
        case 0:  // "%2d/%2d/%4d %2d:%2d:%2d"
            AppendInt(cell, r.time.wMonth, 2);
            cell += u'/';
            AppendInt(cell, r.time.wDay, 2);
            cell += u'/';
            AppendInt(cell, r.time.wYear, 4);
            cell += u' ';
            AppendInt(cell, r.time.wHour, 2);
            cell += u':';
            AppendInt(cell, r.time.wMinute, 2);
            cell += u':';
            AppendInt(cell, r.time.wSecond, 2);
            break;
        case 1:  // km/L is blank where there is no trip to divide
            AppendFixedOrBlank(cell, r.trip == 0.0, r.kmPerL, 4);
            break;
        case 2:
            AppendFixedOrBlank(cell, r.trip == 0.0, r.trip, 5);
            break;
        case 3:
            AppendFixedOrBlank(cell, r.fuel == 0.0, r.fuel, 5);
            break;
        case 4:  // the price per litre is blank where no fuel was bought
            AppendFixedOrBlank(cell, r.fuel == 0.0, r.yenPerL, 5);
            break;
        case 5:
            cell += KindMark(r.kind);
            break;
        case 6:
            AppendInt(cell, r.cost, 5);
            break;
        case 7:
            AppendFixedOrBlank(cell, r.odo == 0.0, r.odo, 8);
            break;
        case kIndexColumn:
            AppendInt(cell, index, 0);
            break;
        default:
            break;
    }
}

int CompareCellText(std::u16string_view a, std::u16string_view b) {
    const int order = a.compare(b);
    return order < 0 ? -1 : order > 0 ? 1 : 0;
}
