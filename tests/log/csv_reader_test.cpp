#include "csv_reader.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

// Each table is shown as "[section] separator", its header as "h<line>: a|b", each row as
// "<line>: a|b", a flawed row with " (stray)" or " (unclosed)".

namespace {

std::string Shown(const std::vector<CsvTable>& tables) {
    std::string text;
    const auto row = [&text](const CsvRow& r, const char* prefix) {
        text += prefix + std::to_string(r.line) + ":";
        for (std::size_t i = 0; i < r.fields.size(); ++i) {
            text += (i == 0 ? " " : "|") + r.fields[i];
        }
        text += r.flaw == CsvFlaw::StrayQuote      ? " (stray)"
                : r.flaw == CsvFlaw::UnclosedQuote ? " (unclosed)"
                                                   : "";
        text += "\n";
    };
    for (const CsvTable& table : tables) {
        text += "[" + table.section + "] " + table.separator + "\n";
        row(table.header, "h");
        for (const CsvRow& r : table.rows) {
            row(r, "");
        }
    }
    return text;
}

struct CsvCase {
    const char* name;
    std::string bytes;
    std::string tables;
};

void PrintTo(const CsvCase& c, std::ostream* out) {
    *out << c.name;
}

class CsvReads : public testing::TestWithParam<CsvCase> {};

TEST_P(CsvReads, IntoTheseTables) {
    EXPECT_EQ(Shown(ReadCsv(GetParam().bytes)), GetParam().tables);
}

const CsvCase kCases[] = {
    {"PlainCommas", "a,b\n1,2\n", "[] ,\nh1: a|b\n2: 1|2\n"},
    {"QuotedSeparatorAndDoubledQuote", "a,b\n\"x,y\",\"say \"\"hi\"\"\"\n",
     "[] ,\nh1: a|b\n2: x,y|say \"hi\"\n"},
    {"LineBreakInsideQuotesKeepsLineNumbers", "a,b\n\"one\ntwo\",3\n4,5\n",
     "[] ,\nh1: a|b\n2: one\ntwo|3\n4: 4|5\n"},
    {"CrlfAndByteOrderMark",
     "\xEF\xBB\xBF"
     "a,b\r\n1,2\r\n",
     "[] ,\nh1: a|b\n2: 1|2\n"},
    {"LastLineWithoutLineEnd", "a,b\n1,2", "[] ,\nh1: a|b\n2: 1|2\n"},
    {"SemicolonsOutnumberCommas", "Date;Total price;Note\n01.02.2010;45,5;a,b\n",
     "[] ;\nh1: Date|Total price|Note\n2: 01.02.2010|45,5|a,b\n"},
    {"SeparatorsInsideQuotesDoNotCount", "\"a;b;c\",d\n1,2\n", "[] ,\nh1: a;b;c|d\n2: 1|2\n"},
    {"BlankAndEmptyRowsAreLeftOut", "a,b\n\n,\n1,2\n", "[] ,\nh1: a|b\n4: 1|2\n"},
    {"SectionsEachWithTheirHeader",
     "\"## Vehicle\"\n\"Name\",\"DistUnit\"\n\"car\",\"0\"\n\n## Log\nx;y\n1;2\n",
     "[Vehicle] ,\nh2: Name|DistUnit\n3: car|0\n[Log] ;\nh6: x|y\n7: 1|2\n"},
    {"StrayQuoteIsText", "a,b\n12\" wheel,\"x\"y\n", "[] ,\nh1: a|b\n2: 12\" wheel|xy (stray)\n"},
    {"UnclosedQuoteIsReadToItsLineEndAndReadingGoesOn", "a,b\n\"x,1\n2,3\n",
     "[] ,\nh1: a|b\n2: \"x|1 (unclosed)\n3: 2|3\n"},
    {"NulBytesAreKept", std::string("a,b\n1\0,2\n", 9),
     std::string("[] ,\nh1: a|b\n2: 1\0|2\n", 21)},
    {"EmptyFileHasNoTable", "", ""},
    {"OnlyALineEnd", "\r\n", ""},
    {"SectionLineAtTheEndMakesATableWithoutHeader", "a\n1\n\"## Costs\"\n",
     "[] ,\nh1: a\n2: 1\n[Costs] ,\nh0:\n"},
};

INSTANTIATE_TEST_SUITE_P(Csv, CsvReads, testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
