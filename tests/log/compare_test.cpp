#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <cstring>
#include <random>
#include <vector>

#include "date_order.h"
#include "log_record.h"
#include "log_test_support.h"
#include "recompute.h"

// The order of the log is the order of the texts "%4d/%2d/%2d %2d:%2d:%2d", later first, for
// every value a 16-bit field can hold. The comparator takes a shortcut through the numbers; these
// tests hold it to the text rule.

namespace {

using Fields = std::array<uint16_t, 6>;  // year, month, day, hour, minute, second

LogRecord At(const Fields& f) {
    return Entry(f[0], f[1], f[2], f[3], f[4], f[5], 0, 0, 0, 0);
}

// The rule itself: format both times and compare the texts as unsigned characters.
int ByText(const Fields& a, const Fields& b) {
    char textA[80];
    char textB[80];
    std::snprintf(textA, sizeof textA, "%4d/%2d/%2d %2d:%2d:%2d", a[0], a[1], a[2], a[3], a[4],
                  a[5]);
    std::snprintf(textB, sizeof textB, "%4d/%2d/%2d %2d:%2d:%2d", b[0], b[1], b[2], b[3], b[4],
                  b[5]);
    const int order = std::strcmp(textA, textB);  // compares as unsigned char
    return order > 0 ? -1 : (order < 0 ? 1 : 0);
}

void ExpectSameAsText(const Fields& a, const Fields& b) {
    ASSERT_EQ(CompareNewestFirst(At(a), At(b)), ByText(a, b))
        << a[0] << "/" << a[1] << "/" << a[2] << " " << a[3] << ":" << a[4] << ":" << a[5]
        << " against " << b[0] << "/" << b[1] << "/" << b[2] << " " << b[3] << ":" << b[4] << ":"
        << b[5];
}

constexpr uint16_t kBoundaries[] = {0, 9, 10, 99, 100, 999, 1000, 9999, 10000, 65535};

TEST(LogCompare, WorkedExampleComesOutNewestFirst) {
    const LogRecord newer = Entry(2007, 9, 1, 12, 0, 0, 0, 0, 0, 0);
    const LogRecord older = Entry(2007, 8, 26, 7, 30, 45, 0, 0, 0, 0);
    EXPECT_EQ(CompareNewestFirst(newer, older), -1);
    EXPECT_EQ(CompareNewestFirst(older, newer), 1);
    EXPECT_EQ(CompareNewestFirst(older, older), 0);
}

TEST(LogCompare, DayOfWeekAndMillisecondsTakeNoPart) {
    LogRecord a = Entry(2007, 8, 4, 9, 5, 0, 0, 0, 0, 0);
    LogRecord b = a;
    a.time.wDayOfWeek = 6;
    a.time.wMilliseconds = 999;
    EXPECT_EQ(CompareNewestFirst(a, b), 0);
}

// Every boundary value in each field of either record, the other fields being equal values
// that fit (the shortcut), equal values that do not (the texts), or fitting on one side only.
TEST(LogCompare, BoundaryValuesInEveryFieldOrderAsTheirTexts) {
    const Fields bases[] = {
        {2007, 8, 26, 7, 30, 45},
        {65535, 65535, 65535, 65535, 65535, 65535},
        {9999, 99, 99, 99, 99, 99},
        {10000, 100, 0, 9, 10, 99},
    };
    for (const Fields& baseA : bases) {
        for (const Fields& baseB : bases) {
            for (std::size_t field = 0; field < 6; ++field) {
                for (uint16_t valueA : kBoundaries) {
                    for (uint16_t valueB : kBoundaries) {
                        Fields a = baseA;
                        Fields b = baseB;
                        a[field] = valueA;
                        b[field] = valueB;
                        ExpectSameAsText(a, b);
                    }
                }
            }
        }
    }
}

// Two fields varied at once, so that a difference in one column meets a different width in
// another (a year of 10000 against a month of 10, say).
TEST(LogCompare, BoundaryValuesInPairsOfFieldsOrderAsTheirTexts) {
    const Fields base = {2007, 8, 26, 7, 30, 45};
    for (std::size_t first = 0; first < 6; ++first) {
        for (std::size_t second = first + 1; second < 6; ++second) {
            for (uint16_t a1 : kBoundaries) {
                for (uint16_t a2 : kBoundaries) {
                    for (uint16_t b1 : {uint16_t{0}, uint16_t{99}, uint16_t{10000}}) {
                        for (uint16_t b2 : kBoundaries) {
                            Fields a = base;
                            Fields b = base;
                            a[first] = a1;
                            a[second] = a2;
                            b[first] = b1;
                            b[second] = b2;
                            ExpectSameAsText(a, b);
                        }
                    }
                }
            }
        }
    }
}

TEST(LogCompare, RandomValuesOrderAsTheirTexts) {
    std::mt19937 random(1001);
    std::uniform_int_distribution<int> any(0, 65535);
    std::uniform_int_distribution<int> boundary(0, std::size(kBoundaries) - 1);
    std::uniform_int_distribution<int> kind(0, 3);
    // Mostly values that fit, some wide ones, and many near-equal pairs, where the fields after
    // the first difference decide nothing and the widths of the earlier ones decide everything.
    const auto draw = [&](std::size_t field) -> uint16_t {
        switch (kind(random)) {
            case 0:
                return static_cast<uint16_t>(any(random));
            case 1:
                return kBoundaries[boundary(random)];
            default:
                return static_cast<uint16_t>(field == 0 ? 1990 + any(random) % 40
                                                        : any(random) % 13);
        }
    };
    for (int i = 0; i < 200'000; ++i) {
        Fields a{};
        Fields b{};
        for (std::size_t f = 0; f < 6; ++f) {
            a[f] = draw(f);
            b[f] = i % 2 == 0 ? draw(f) : a[f];
        }
        if (i % 2 == 1) {
            const std::size_t f = static_cast<std::size_t>(any(random) % 6);
            b[f] = draw(f);
        }
        ExpectSameAsText(a, b);
    }
}

TEST(LogCompare, SortPutsTheFirstCountRecordsNewestFirstKeepingTies) {
    LogBook book = BookOf({
        Entry(2007, 8, 4, 9, 5, 0, 1, 0, 0, 0),
        Entry(2007, 9, 1, 12, 0, 0, 2, 0, 0, 0),
        Entry(2007, 8, 4, 9, 5, 0, 3, 0, 0, 0),  // ties with the first
        Entry(2007, 8, 26, 7, 30, 45, 4, 0, 0, 0),
    });
    book.records.back() = Entry(2099, 1, 1, 0, 0, 0, 5, 0, 0, 0);  // the spare slot
    SortNewestFirst(book);
    std::vector<double> order;
    for (const LogRecord& r : book.records) {
        order.push_back(r.odo);
    }
    EXPECT_EQ(order, (std::vector<double>{2, 4, 1, 3, 5}));
}

TEST(LogCompare, SortAndRecomputeStayInsideTheArrayWhateverTheCount) {
    LogBook book = BookOf({Entry(2007, 8, 4, 9, 5, 0, 1, 0, 0, 0)});
    book.count = 5;  // more than the array holds
    SortNewestFirst(book);
    RecomputeLog(book);
    book.count = -3;
    SortNewestFirst(book);
    RecomputeLog(book);
    EXPECT_EQ(book.summary, u"");
}

}  // namespace
