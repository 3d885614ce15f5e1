#include "log_format.h"

#include "date_time_text.h"
#include "log_header.h"
#include "money_text.h"
#include "number_text.h"
#include "utf8.h"

// The file is written by position: three reminder rows (label line, number line), the count,
// the column header, then one line per entry in array order (newest first).

namespace {

constexpr char kByteOrderMark[] = "\xEF\xBB\xBF";

// A label is one line of the file: a line break inside it would shift every following line and
// make the rest of the log unreadable, so it is written as a space.
void AppendLabel(std::string& out, const std::u16string& label) {
    const std::size_t start = out.size();
    out += Utf16ToUtf8(label);
    for (std::size_t i = start; i < out.size(); ++i) {
        if (out[i] == '\n' || out[i] == '\r') {
            out[i] = ' ';
        }
    }
}

// "%d,%d,%d,%d,%d,%d,%.1lf,%.1lf,%d,%ld,%.1lf,%.1lf,%.1lf\n" for a log in km, litres and yen; the
// derived columns are written for spreadsheets and never read back. The price per unit of fuel is
// in the major unit of the currency, as its title names it.
void AppendEntry(std::string& out, const LogRecord& r, const LogUnits& units) {
    AppendDateTimeText(out, r.time, DateTimeText::LogFile);
    out += ',';
    AppendFixed(out, r.odo, kOdometerDecimals);
    out += ',';
    AppendQuantity(out, r.fuel, units.quantity);
    out += ',';
    AppendInt(out, r.kind);
    out += ',';
    AppendInt(out, r.cost);
    out += ',';
    AppendFixed(out, r.kmPerL, 1);
    out += ',';
    AppendFixed(out, r.trip, 1);
    out += ',';
    AppendFixed(out, PriceInMajorUnits(r.yenPerL, units.currency), PriceDecimals(units.currency));
    out += '\n';
}

}  // namespace

std::string FormatLogFile(const LogBook& book) {
    const std::size_t used = UsedCount(book);
    std::string out;
    constexpr std::size_t kTypicalEntryBytes = 64;
    const std::string header = LogHeaderLine(book.units, book.vehicle);
    out.reserve(header.size() + 256 + used * kTypicalEntryBytes);
    // The reader takes a byte-order mark at the start of the file for the encoding's mark, not for
    // text. A first label that begins with U+FEFF would therefore lose it on the next read; a mark
    // written first is the one the reader takes away, and the label comes back whole.
    if (!book.reminders.label[0].empty() && book.reminders.label[0].front() == u'\uFEFF') {
        out += kByteOrderMark;
    }
    for (std::size_t row = 0; row < book.reminders.label.size(); ++row) {
        AppendLabel(out, book.reminders.label[row]);
        out += '\n';
        AppendFixed(out, book.reminders.value[row], 6);
        out += '\n';
    }
    AppendInt(out, static_cast<int64_t>(used));
    out += '\n';
    out += header;
    out += '\n';
    for (std::size_t i = 0; i < used; ++i) {
        AppendEntry(out, book.records[i], book.units);
    }
    return out;
}
