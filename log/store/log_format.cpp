#include "log_format.h"

#include "date_time_text.h"
#include "number_text.h"
#include "utf8.h"

// The file is written by position: three reminder rows (label line, number line), the count,
// the column header, then one line per entry in array order (newest first).

namespace {

// One backslash: the currency mark, shown as the yen sign on the device.
constexpr char kHeader[] =
    "Year,Month,Day,Hour,Minute,Second,Odo,Fuel,0:fillup 1:notFillup 2:Maintenance,Cost,km/L,"
    "Trip,\\/L\n";

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

// "%d,%d,%d,%d,%d,%d,%.1lf,%.1lf,%d,%ld,%.1lf,%.1lf,%.1lf\n"; the derived columns are written
// for spreadsheets and never read back.
void AppendEntry(std::string& out, const LogRecord& r) {
    AppendDateTimeText(out, r.time, DateTimeText::LogFile);
    out += ',';
    AppendFixed(out, r.odo, 1);
    out += ',';
    AppendFixed(out, r.fuel, 1);
    out += ',';
    AppendInt(out, r.kind);
    out += ',';
    AppendInt(out, r.cost);
    out += ',';
    AppendFixed(out, r.kmPerL, 1);
    out += ',';
    AppendFixed(out, r.trip, 1);
    out += ',';
    AppendFixed(out, r.yenPerL, 1);
    out += '\n';
}

}  // namespace

std::string FormatLogFile(const LogBook& book) {
    const std::size_t used = UsedCount(book);
    std::string out;
    constexpr std::size_t kTypicalEntryBytes = 64;
    out.reserve(sizeof kHeader + 256 + used * kTypicalEntryBytes);
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
    out += kHeader;
    for (std::size_t i = 0; i < used; ++i) {
        AppendEntry(out, book.records[i]);
    }
    return out;
}
