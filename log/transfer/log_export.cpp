#include "log_export.h"

#include <array>
#include <limits>

#include "ascii_text.h"
#include "date_time_text.h"
#include "number_text.h"

namespace {

constexpr std::array<std::string_view, 3> kKindWords = {"fill-up", "partial", "maintenance"};
constexpr std::string_view kOtherKind = "kind ";

// A derived or blankable value: empty where the list shows "----".
void AppendUnlessBlank(std::string& out, bool blank, double value, int decimals) {
    if (!blank) {
        AppendFixed(out, value, decimals);
    }
}

void AppendRow(std::string& out, const LogRecord& r) {
    AppendDateTimeText(out, r.time, DateTimeText::Iso8601);
    out += ',';
    out += KindWord(r.kind);
    out += ',';
    AppendUnlessBlank(out, r.fuel == 0.0, r.fuel, 1);
    out += ',';
    AppendUnlessBlank(out, r.odo == 0.0, r.odo, 1);
    out += ',';
    AppendInt(out, r.cost);
    out += ',';
    AppendUnlessBlank(out, r.trip == 0.0, r.trip, 1);
    out += ',';
    AppendUnlessBlank(out, r.trip == 0.0, r.kmPerL, 2);
    out += ',';
    AppendUnlessBlank(out, r.fuel == 0.0, r.yenPerL, 2);
    out += "\r\n";
}

}  // namespace

std::string KindWord(int32_t kind) {
    if (kind >= 0 && static_cast<std::size_t>(kind) < kKindWords.size()) {
        return std::string(kKindWords[static_cast<std::size_t>(kind)]);
    }
    return std::string(kOtherKind) + FormatInt(kind);
}

bool KindFromWord(std::string_view word, int32_t& kind) {
    const std::string lower = LowerAscii(word);
    for (std::size_t i = 0; i < kKindWords.size(); ++i) {
        if (lower == kKindWords[i]) {
            kind = static_cast<int32_t>(i);
            return true;
        }
    }
    if (lower.compare(0, kOtherKind.size(), kOtherKind) != 0) {
        return false;
    }
    const std::string_view number = std::string_view(lower).substr(kOtherKind.size());
    int64_t value = 0;
    std::size_t consumed = 0;
    if (number.empty() || number[0] == ' ' || !ScanInt(number, value, &consumed) ||
        consumed != number.size() || value < std::numeric_limits<int32_t>::min() ||
        value > std::numeric_limits<int32_t>::max()) {
        return false;
    }
    kind = static_cast<int32_t>(value);
    return true;
}

std::string ExportLog(const LogBook& book) {
    const std::size_t used = UsedCount(book);
    std::string out(kExportHeader);
    out += "\r\n";
    constexpr std::size_t kTypicalRowBytes = 64;
    out.reserve(out.size() + used * kTypicalRowBytes);
    for (std::size_t i = used; i-- > 0;) {
        AppendRow(out, book.records[i]);
    }
    return out;
}
