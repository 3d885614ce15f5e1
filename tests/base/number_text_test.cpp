#include "number_text.h"
#include "utf8.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <vector>

// Numbers in the log file and on screen must read as printf and scanf read them in the C locale,
// whatever locale the process runs in. This test process never changes its locale (except in
// the test that does so on purpose and restores it), so snprintf here is the C library's own
// "C"-locale reference.

namespace {

std::string PrintfFixed(double value, int precision, int width) {
    char text[512];
    std::snprintf(text, sizeof text, "%*.*f", width, precision, value);
    return text;
}

std::string PrintfShortest(double value) {
    char text[64];
    std::snprintf(text, sizeof text, "%.15g", value);
    return text;
}

struct NamedValue {
    const char* name;
    double value;
};

// Halfway cases (which printf rounds on the exact binary value), extremes and signed zero.
const std::vector<NamedValue> kEdgeValues = {
    {"zero", 0.0},
    {"negative zero", -0.0},
    {"0.05 just below its half", 0.05},
    {"0.25 exact half, to even", 0.25},
    {"0.35 just below", 0.35},
    {"0.45 just above", 0.45},
    {"2.5 exact half", 2.5},
    {"3.5 exact half", 3.5},
    {"-2.5 exact half", -2.5},
    {"1.005", 1.005},
    {"141.98675496688742", 4288.0 / 30.2},
    {"15.639810426540285", 660.0 / 42.2},
    {"9.87", 9.87},
    {"9.95", 9.95},
    {"99.95", 99.95},
    {"1e20", 1e20},
    {"just below 2^53", 9007199254740991.0},
    {"2^53", 9007199254740992.0},
    {"0.0005 at three decimals", 0.0005},
    {"0.0015 at three decimals", 0.0015},
    {"2^-60", 8.673617379884035e-19},
    {"-1e20", -1e20},
    {"1e22", 1e22},
    {"2^53 + 1 rounds", 9007199254740993.0},
    {"largest double", DBL_MAX},
    {"lowest double", -DBL_MAX},
    {"smallest normal", DBL_MIN},
    {"smallest subnormal", std::numeric_limits<double>::denorm_min()},
    {"1e-7", 1e-7},
    {"-1e-7 prints as -0.0", -1e-7},
    {"0.1", 0.1},
    {"41950", 41950.0},
    {"45000", 45000.0},
};

TEST(BaseText, FormatFixedMatchesPrintfOnEdgeValues) {
    for (const NamedValue& row : kEdgeValues) {
        for (int precision : {0, 1, 2, 3, 4, 6, 17, 40}) {
            for (int width : {0, 4, 12, -9}) {
                EXPECT_EQ(FormatFixed(row.value, precision, width),
                          PrintfFixed(row.value, precision, width))
                    << row.name << " precision " << precision << " width " << width;
            }
        }
    }
}

TEST(BaseText, FormatFixedMatchesPrintfOnRandomValues) {
    std::mt19937_64 random(20070826);
    std::uniform_int_distribution<int> tenths(-2'000'000, 2'000'000);
    std::uniform_int_distribution<int> precision(0, 8);
    for (int i = 0; i < 100'000; ++i) {
        // Any bit pattern that is a finite double, and the values of a real log: multiples of
        // 1/10, 1/20 (halfway at one decimal), 1/8 and 1/16 (exact halves) in a wide range.
        double value = 0.0;
        switch (i % 3) {
            case 0: {
                const uint64_t bits = random();
                std::memcpy(&value, &bits, sizeof value);
                if (!std::isfinite(value)) {
                    continue;
                }
                break;
            }
            case 1:
                value = tenths(random) / (i % 2 == 0 ? 10.0 : 20.0);
                break;
            default:
                value = tenths(random) / (i % 4 == 0 ? 8.0 : 16.0);
                break;
        }
        const int digits = precision(random);
        ASSERT_EQ(FormatFixed(value, digits), PrintfFixed(value, digits, 0))
            << "value bits " << std::hexfloat << value;
    }
}

TEST(BaseText, NonFiniteValuesShowAsPrintfShowsThem) {
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(FormatFixed(inf, 1), "inf");
    EXPECT_EQ(FormatFixed(-inf, 1), "-inf");
    EXPECT_EQ(FormatFixed(nan, 1), "nan");
    EXPECT_EQ(FormatFixed(inf, 1, 6), "   inf");
    for (double value : {inf, -inf, nan, -nan}) {
        EXPECT_EQ(FormatFixed(value, 1, 5), PrintfFixed(value, 1, 5));
        EXPECT_EQ(FormatShortest(value), PrintfShortest(value));
    }
}

TEST(BaseText, FormatShortestIsPercentPoint15g) {
    struct Row {
        const char* name;
        double value;
        const char* text;
    } rows[] = {
        {"zero shows as 0", 0.0, "0"},
        {"negative zero", -0.0, "-0"},
        {"two decimals", 12.05, "12.05"},
        {"integral", 41950.0, "41950"},
        {"fifteen digits", 0.1 + 0.2, "0.3"},
        {"large switches to exponent", 1e20, "1e+20"},
        {"small switches to exponent", 0.00001, "1e-05"},
        {"rounded to fifteen digits", 123456789012345678.0, "1.23456789012346e+17"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(FormatShortest(row.value), row.text) << row.name;
        EXPECT_EQ(FormatShortest(row.value), PrintfShortest(row.value)) << row.name;
    }
    std::mt19937_64 random(7);
    for (int i = 0; i < 20'000; ++i) {
        double value = 0.0;
        const uint64_t bits = random();
        std::memcpy(&value, &bits, sizeof value);
        if (std::isfinite(value)) {
            ASSERT_EQ(FormatShortest(value), PrintfShortest(value));
        }
    }
}

TEST(BaseText, FormatIntIsPercentStarLd) {
    for (int64_t value : {int64_t{0}, int64_t{-1}, int64_t{7}, int64_t{19794}, INT64_MIN, INT64_MAX,
                          int64_t{INT32_MAX} * 3}) {
        for (int width : {0, 2, 4, 25, -6}) {
            char text[64];
            std::snprintf(text, sizeof text, "%*lld", width, static_cast<long long>(value));
            EXPECT_EQ(FormatInt(value, width), text) << value << " width " << width;
        }
    }
}

TEST(LogTextFormat, FormatGroupedIntPutsACommaBetweenThousands) {
    struct Row {
        int64_t value;
        const char* text;
    };
    for (const Row& row :
         {Row{0, "0"}, Row{999, "999"}, Row{1000, "1,000"}, Row{11394, "11,394"}, Row{-999, "-999"},
          Row{-1234567, "-1,234,567"}, Row{INT64_MIN, "-9,223,372,036,854,775,808"}}) {
        EXPECT_EQ(FormatGroupedInt(row.value), row.text);
    }
}

struct ScanRow {
    const char* name;
    const char* text;
    ScanOutcome outcome;
    double value;
    std::size_t consumed;
};

TEST(BaseText, ScanDoubleReadsAsPercentLf) {
    const std::string manyNines(400, '9');
    const ScanRow rows[] = {
        {"plain", "45000.000000", ScanOutcome::Number, 45000.0, 12},
        {"trailing junk is left unread", "12abc", ScanOutcome::Number, 12.0, 2},
        {"leading space and plus", " \t+3.5", ScanOutcome::Number, 3.5, 6},
        {"minus", "-41230.5", ScanOutcome::Number, -41230.5, 8},
        {"negative zero", "-0", ScanOutcome::Number, -0.0, 2},
        {"no integer digits", ".5", ScanOutcome::Number, 0.5, 2},
        {"no decimals", "5.", ScanOutcome::Number, 5.0, 2},
        {"exponent", "1.5e3x", ScanOutcome::Number, 1500.0, 5},
        {"stops at the comma", "41890.0,30.2", ScanOutcome::Number, 41890.0, 7},
        {"too small becomes zero", "1e-400", ScanOutcome::Number, 0.0, 6},
        {"tiny with many zeros", "0.0000000000000000000001e-310", ScanOutcome::Number, 0.0, 29},
        {"empty", "", ScanOutcome::NoNumber, 0.0, 0},
        {"letters", "abc", ScanOutcome::NoNumber, 0.0, 0},
        {"a point alone", ".", ScanOutcome::NoNumber, 0.0, 0},
        {"two signs", "+-1", ScanOutcome::NoNumber, 0.0, 0},
        {"double minus", "--1", ScanOutcome::NoNumber, 0.0, 0},
        {"space after the sign", "- 1", ScanOutcome::NoNumber, 0.0, 0},
        {"infinity", "inf", ScanOutcome::OutOfRange, 0.0, 0},
        {"negative infinity", "-infinity", ScanOutcome::OutOfRange, 0.0, 0},
        {"not a number", "nan", ScanOutcome::OutOfRange, 0.0, 0},
        {"too large", "1e400", ScanOutcome::OutOfRange, 0.0, 0},
        {"too many digits", manyNines.c_str(), ScanOutcome::OutOfRange, 0.0, 0},
    };
    for (const ScanRow& row : rows) {
        double value = -99.0;
        std::size_t consumed = 0;
        EXPECT_EQ(ScanDoubleChecked(row.text, value, &consumed), row.outcome) << row.name;
        EXPECT_EQ(ScanDouble(row.text, value), row.outcome == ScanOutcome::Number) << row.name;
        if (row.outcome == ScanOutcome::Number) {
            EXPECT_EQ(value, row.value) << row.name;
            EXPECT_EQ(std::signbit(value), std::signbit(row.value)) << row.name;
            EXPECT_EQ(consumed, row.consumed) << row.name;
            double scanned = 0.0;
            ASSERT_EQ(std::sscanf(row.text, "%lf", &scanned), 1) << row.name;
            EXPECT_EQ(value, scanned) << row.name << ": scanf reads it the same";
        }
    }
}

TEST(BaseText, ScanIntReadsAsPercentD) {
    struct Row {
        const char* name;
        const char* text;
        ScanOutcome outcome;
        int64_t value;
        std::size_t consumed;
    } rows[] = {
        {"plain", "2007", ScanOutcome::Number, 2007, 4},
        {"trailing junk", "12abc", ScanOutcome::Number, 12, 2},
        {"a decimal reads its integer part", "12.5", ScanOutcome::Number, 12, 2},
        {"space and sign", "  -7", ScanOutcome::Number, -7, 4},
        {"plus", "+5", ScanOutcome::Number, 5, 2},
        {"largest", "9223372036854775807", ScanOutcome::Number, INT64_MAX, 19},
        {"smallest", "-9223372036854775808", ScanOutcome::Number, INT64_MIN, 20},
        {"one past the largest", "9223372036854775808", ScanOutcome::OutOfRange, 0, 0},
        {"far too large", "123456789012345678901234567890", ScanOutcome::OutOfRange, 0, 0},
        {"empty", "", ScanOutcome::NoNumber, 0, 0},
        {"sign alone", "-", ScanOutcome::NoNumber, 0, 0},
        {"letters", "x1", ScanOutcome::NoNumber, 0, 0},
        {"point first", ".5", ScanOutcome::NoNumber, 0, 0},
    };
    for (const Row& row : rows) {
        int64_t value = -99;
        std::size_t consumed = 0;
        EXPECT_EQ(ScanIntChecked(row.text, value, &consumed), row.outcome) << row.name;
        EXPECT_EQ(ScanInt(row.text, value), row.outcome == ScanOutcome::Number) << row.name;
        if (row.outcome == ScanOutcome::Number) {
            EXPECT_EQ(value, row.value) << row.name;
            EXPECT_EQ(consumed, row.consumed) << row.name;
        }
    }
}

// Numbers appended after text already there, narrow and UTF-16, at widths around the room the
// quick route pads in place and beyond it, both ways.
TEST(BaseText, AppendedNumbersKeepWhatWasThereAndPadAsPrintf) {
    for (const int width : {0, 1, 7, 47, 48, 49, 80, -1, -48, -49}) {
        for (const double value : {0.0, -0.0, 3.25, -41950.05, 123456.789, 9007199254740991.0}) {
            const std::string printed = PrintfFixed(value, 1, width);
            std::string text = "odo:";
            AppendFixed(text, value, 1, width);
            EXPECT_EQ(text, "odo:" + printed) << value << " width " << width;
            std::u16string wide = u"odo:";
            AppendFixed(wide, value, 1, width);
            EXPECT_EQ(wide, u"odo:" + Utf8ToUtf16(printed)) << value << " width " << width;
        }
        for (const int64_t value : {int64_t{0}, int64_t{-7}, int64_t{8400}, INT64_MIN, INT64_MAX}) {
            char printed[128];
            std::snprintf(printed, sizeof printed, "%*lld", width, static_cast<long long>(value));
            std::string text = "cost:";
            AppendInt(text, value, width);
            EXPECT_EQ(text, std::string("cost:") + printed) << value << " width " << width;
            std::u16string wide = u"cost:";
            AppendInt(wide, value, width);
            EXPECT_EQ(wide, u"cost:" + Utf8ToUtf16(printed)) << value << " width " << width;
        }
    }
    // The general route, for more decimals than the quick one serves, to UTF-16 as well.
    for (const int width : {0, 30, -30}) {
        std::u16string wide = u"=";
        AppendFixed(wide, 1e300, 6, width);
        EXPECT_EQ(wide, u"=" + Utf8ToUtf16(PrintfFixed(1e300, 6, width))) << width;
    }
}

// Plain decimals take a quick route; longer or odder ones the general conversion. Both must read
// every text as strtod does in the C locale: the same double, bit for bit, and the same length.
TEST(BaseText, ScanDoubleMatchesStrtodOnRandomDecimals) {
    std::mt19937_64 random(41890);
    std::uniform_int_distribution<int> digitCount(0, 24);
    std::uniform_int_distribution<int> digit(0, 9);
    const char* const signs[] = {"", "", "-", "+", " "};
    const char* const points[] = {"", ".", "."};
    const char* const endings[] = {"", ",30.2", "abc", "e5", "E-3", ".7", "e", " 1"};
    const auto digits = [&](int count) {
        std::string text;
        for (int i = 0; i < count; ++i) {
            text += static_cast<char>('0' + digit(random));
        }
        return text;
    };
    for (int i = 0; i < 100'000; ++i) {
        const std::string text = std::string(signs[random() % 5]) + digits(digitCount(random) % 8) +
                                 points[random() % 3] + digits(digitCount(random)) +
                                 endings[random() % 8];
        char* end = nullptr;
        const double expected = std::strtod(text.c_str(), &end);
        const auto expectedLength = static_cast<std::size_t>(end - text.c_str());
        double value = -99.0;
        std::size_t consumed = 0;
        const ScanOutcome outcome = ScanDoubleChecked(text, value, &consumed);
        if (expectedLength == 0) {
            ASSERT_EQ(outcome, ScanOutcome::NoNumber) << text;
            continue;
        }
        ASSERT_EQ(outcome, ScanOutcome::Number) << text;
        uint64_t bits = 0;
        uint64_t expectedBits = 0;
        std::memcpy(&bits, &value, sizeof bits);
        std::memcpy(&expectedBits, &expected, sizeof expectedBits);
        ASSERT_EQ(bits, expectedBits) << text;
        ASSERT_EQ(consumed, expectedLength) << text;
    }
}

TEST(BaseText, Utf8DecodesAndReplacesIllFormedSequences) {
    struct Row {
        const char* name;
        std::string utf8;
        std::u16string utf16;
        bool valid;
    } rows[] = {
        {"ascii", "CHANGE OIL", u"CHANGE OIL", true},
        {"two bytes", "\xC3\xA9t\xC3\xA9", u"\u00E9t\u00E9", true},
        {"three bytes", "\xE6\xB2\xB9", u"\u6CB9", true},
        {"four bytes, a surrogate pair", "\xF0\x9F\x9A\x97", u"\U0001F697", true},
        {"a lone continuation byte", "a\x80z", u"a\uFFFDz", false},
        {"an overlong slash", "\xC0\xAF", u"\uFFFD\uFFFD", false},
        {"an encoded surrogate", "\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD", false},
        {"beyond U+10FFFF", "\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD", false},
        {"cut short at the end", "ok\xE6\xB2", u"ok\uFFFD", false},
        {"cut short before ascii", "\xE6\xB2x", u"\uFFFDx", false},
        {"a byte that never starts anything", "\xFF", u"\uFFFD", false},
    };
    for (const Row& row : rows) {
        bool valid = !row.valid;
        EXPECT_EQ(Utf8ToUtf16(row.utf8, &valid), row.utf16) << row.name;
        EXPECT_EQ(valid, row.valid) << row.name;
        if (row.valid) {
            EXPECT_EQ(Utf16ToUtf8(row.utf16), row.utf8) << row.name;
        }
    }
    EXPECT_EQ(Utf16ToUtf8(u"a\xD800z"), "a\xEF\xBF\xBDz") << "a lone surrogate";
}

// The same numbers under a locale whose decimal mark is a comma, where printf would write
// "12,5". Skipped (and so shown as skipped) where the machine has no such locale installed.
TEST(BaseText, NumbersIgnoreTheProcessLocale) {
    const std::string before = std::setlocale(LC_ALL, nullptr);
    const char* commaLocale = nullptr;
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "fr_FR.utf8",
                             "nl_NL.UTF-8", "it_IT.UTF-8", "es_ES.UTF-8"}) {
        if (std::setlocale(LC_ALL, name) != nullptr) {
            commaLocale = name;
            break;
        }
    }
    if (commaLocale == nullptr) {
        GTEST_SKIP() << "no locale with a decimal comma is installed";
    }
    char printed[32];
    std::snprintf(printed, sizeof printed, "%.1f", 12.5);
    const std::string fixed = FormatFixed(12.5, 1);
    const std::string shortest = FormatShortest(12.05);
    double scanned = 0.0;
    const bool scannedOk = ScanDouble("12.5", scanned);
    std::setlocale(LC_ALL, before.c_str());

    EXPECT_STREQ(printed, "12,5") << commaLocale << " really has a decimal comma";
    EXPECT_EQ(fixed, "12.5");
    EXPECT_EQ(shortest, "12.05");
    EXPECT_TRUE(scannedOk);
    EXPECT_EQ(scanned, 12.5);
}

}  // namespace
