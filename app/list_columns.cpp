#include "list_columns.h"

#include <algorithm>

#include "date_time_text.h"
#include "number_text.h"
#include "utf8.h"

namespace {

constexpr std::u16string_view kBlank = u"----";

// "%*.1lf", or "----" where the value means nothing for this record.
void AppendFixedOrBlank(std::u16string& text, bool blank, double value, int width) {
    if (blank) {
        text += kBlank;
    } else {
        AppendFixed(text, value, 1, width);
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

std::u16string_view FormatListCell(const LogRecord& r, int index, int column,
                                   std::u16string& text) {
    text.clear();
    switch (column) {
        case 0:
            AppendDateTimeText(text, r.time, DateTimeText::ListCell);
            break;
        case 1:  // km/L is blank where there is no trip to divide
            AppendFixedOrBlank(text, r.trip == 0.0, r.kmPerL, 4);
            break;
        case 2:
            AppendFixedOrBlank(text, r.trip == 0.0, r.trip, 5);
            break;
        case 3:
            AppendFixedOrBlank(text, r.fuel == 0.0, r.fuel, 5);
            break;
        case 4:  // the price per litre is blank where no fuel was bought
            AppendFixedOrBlank(text, r.fuel == 0.0, r.yenPerL, 5);
            break;
        case 5:
            text += KindMark(r.kind);
            break;
        case 6:
            AppendInt(text, r.cost, 5);
            break;
        case 7:
            AppendFixedOrBlank(text, r.odo == 0.0, r.odo, 8);
            break;
        case kIndexColumn:
            AppendInt(text, index);
            break;
        default:
            break;
    }
    return text;
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

int CompareCellText(std::u16string_view a, std::u16string_view b) {
    const int order = a.compare(b);
    return order < 0 ? -1 : order > 0 ? 1 : 0;
}
