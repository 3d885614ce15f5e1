#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "import_preview.h"
#include "import_test_text.h"
#include "log_import.h"

// Files in the encodings and line ends other programs write read to the same entries.

namespace {

const std::string kFile = "Date,Odometer,Litres,Cost,Notes\n2024-05-01,1000,30,4000,Caf\xC3\xA9\n";
const std::vector<std::string> kEntries = {"2024-05-01 00:00:00 F odo 1000 fuel 30 cost 4000"};

std::string Utf16(const std::string& ascii, bool bigEndian) {
    std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (const char c : ascii) {
        bytes += bigEndian ? std::string{'\0', c} : std::string{c, '\0'};
    }
    return bytes;
}

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
    for (std::size_t at = text.find(from); at != std::string::npos;
         at = text.find(from, at + to.size())) {
        text.replace(at, from.size(), to);
    }
    return text;
}

struct EncodingCase {
    const char* name;
    std::string bytes;
    std::string note;  // empty: none about the encoding
};

void PrintTo(const EncodingCase& c, std::ostream* out) {
    *out << c.name;
}

const std::string kAscii = Replaced(kFile, "Caf\xC3\xA9", "Cafe");

const EncodingCase kEncodings[] = {
    {"Utf8WithAByteOrderMark", "\xEF\xBB\xBF" + kFile, ""},
    {"Utf16LittleEndian", Utf16(kAscii, false),
     "The file is in UTF-16 (little-endian) and was read as such."},
    {"Utf16BigEndian", Utf16(kAscii, true),
     "The file is in UTF-16 (big-endian) and was read as such."},
    {"Latin1WhereUtf8Fails", Replaced(kFile, "\xC3\xA9", "\xE9"),
     "The file is not UTF-8: it was read as Latin-1 (ISO 8859-1), as older Windows programs "
     "write. Check that its names and notes read right."},
    {"CarriageReturnLineEnds", Replaced(kFile, "\n", "\r"), ""},
    {"CrlfLineEnds", Replaced(kFile, "\n", "\r\n"), ""},
};

class ImportEncodings : public testing::TestWithParam<EncodingCase> {};

TEST_P(ImportEncodings, ReadToTheSameEntries) {
    const EncodingCase& c = GetParam();
    const ImportPlan plan = PlanImport(c.bytes, LogBook(), ImportOptions());
    EXPECT_EQ(plan.unusable, "");
    EXPECT_EQ(Described(plan.entries), kEntries) << ImportPreview(plan);
    EXPECT_EQ(Unplaced(plan), std::vector<std::string>{});
    const bool noted = !plan.notes.empty() && plan.notes.front() == c.note;
    EXPECT_EQ(noted, !c.note.empty()) << ImportPreview(plan);
}

INSTANTIATE_TEST_SUITE_P(Import, ImportEncodings, testing::ValuesIn(kEncodings),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ImportEncodings, ALoneCarriageReturnCountsALine) {
    const ImportPlan plan =
        PlanImport("Date,Odometer,Litres,Cost\r2024-05-01,1000,30\r2024-05-02,1400,20,30\r",
                   LogBook(), ImportOptions());
    EXPECT_EQ(Unplaced(plan),
              std::vector<std::string>{"line 2: the row has 3 fields where the header has 4"});
}

}  // namespace
