#include "typed_number.h"

#include <gtest/gtest.h>

// A number typed the locale's way comes out as the text ScanDouble reads, or not at all: a
// group separator is never a decimal point, nor the other way round.

namespace {

constexpr NumberMarks kEnglish{u'.', u','};
constexpr NumberMarks kGerman{u',', u'.'};

struct TypedCase {
    const char* name;
    NumberMarks marks;
    std::u16string typed;
    std::optional<std::string> read;
};

}  // namespace

TEST(TypedNumber, ReadsTheLocalesMarks) {
    const TypedCase cases[] = {
        {"German decimal comma", kGerman, u"30,5", "30.5"},
        {"German thousands", kGerman, u"4.000", "4000"},
        {"German both", kGerman, u"1.234.567,25", "1234567.25"},
        {"German point before fewer than three digits", kGerman, u"30.5", std::nullopt},
        {"German separator in the fraction", kGerman, u"1,234.567", std::nullopt},
        {"English point", kEnglish, u"30.5", "30.5"},
        {"English thousands", kEnglish, u"100,000", "100000"},
        {"English comma before two digits", kEnglish, u"30,50", std::nullopt},
        {"leading separator", kEnglish, u",500", std::nullopt},
        {"blanks and sign left for the parse", kGerman, u" -2,5 ", " -2.5 "},
        {"letters left for the parse", kGerman, u"abc", "abc"},
    };
    for (const TypedCase& c : cases) {
        EXPECT_EQ(ReadTypedNumber(c.typed, c.marks), c.read) << c.name;
    }
}

TEST(TypedNumber, ShowsTheLocalesDecimalMark) {
    EXPECT_EQ(WithDecimalMark("30.5", kGerman), u"30,5");
    EXPECT_EQ(WithDecimalMark("4000", kGerman), u"4000");
    EXPECT_EQ(WithDecimalMark("30.5", kEnglish), u"30.5");
}
