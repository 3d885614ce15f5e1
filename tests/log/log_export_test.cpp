#include "log_export.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "log_test_support.h"
#include "recompute.h"

namespace {

TEST(LogExport, WorkedExampleOldestFirstWithBlanksWhereTheListShowsDashes) {
    LogBook book = WorkedExample();
    RecomputeLog(book);
    EXPECT_EQ(ExportLog(book),
              "date,kind,litres,odometer_km,cost_yen,trip_km,km_per_litre,yen_per_litre\r\n"
              "2007-08-04T09:05:00,fill-up,38.5,41230.0,5390,,,140.00\r\n"
              "2007-08-15T18:40:12,partial,12.0,41502.5,1716,,,143.00\r\n"
              "2007-08-26T07:30:45,fill-up,30.2,41890.0,4288,660.0,15.64,141.99\r\n"
              "2007-09-01T12:00:00,maintenance,,41950.0,8400,,,\r\n");
}

TEST(LogExport, AnEmptyLogIsTheHeaderAlone) {
    EXPECT_EQ(ExportLog(LogBook()), std::string(kExportHeader) + "\r\n");
}

TEST(LogExport, WritesTheOneDecimalTheLogFileKeepsAndAnOdometerOfZeroBlank) {
    LogBook book = BookOf({Entry(2024, 1, 2, 3, 4, 5, 0.0, 12.05, NotFillUp, 0),
                           Entry(2024, 1, 1, 0, 0, 0, 100.0, 0.04, FillUp, -300)});
    RecomputeLog(book);
    EXPECT_EQ(ExportLog(book), std::string(kExportHeader) +
                                   "\r\n"
                                   "2024-01-01T00:00:00,fill-up,0.0,100.0,-300,,,-7500.00\r\n"
                                   "2024-01-02T03:04:05,partial,12.1,,0,,,0.00\r\n");
}

struct KindCase {
    const char* name;
    int32_t kind;
    const char* word;
};

void PrintTo(const KindCase& c, std::ostream* out) {
    *out << c.name;
}

class KindWords : public testing::TestWithParam<KindCase> {};

TEST_P(KindWords, AreWrittenAndReadBack) {
    EXPECT_EQ(KindWord(GetParam().kind), GetParam().word);
    int32_t read = 12345;
    ASSERT_TRUE(KindFromWord(GetParam().word, read));
    EXPECT_EQ(read, GetParam().kind);
}

const KindCase kKinds[] = {
    {"FillUp", FillUp, "fill-up"},
    {"NotFillUp", NotFillUp, "partial"},
    {"Maintenance", Maintenance, "maintenance"},
    {"OutsideTheThreeFromAnEditedFile", 7, "kind 7"},
    {"Negative", -3, "kind -3"},
    {"Lowest32Bit", INT32_MIN, "kind -2147483648"},
};

INSTANTIATE_TEST_SUITE_P(Export, KindWords, testing::ValuesIn(kKinds),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(KindWords, ReadInAnyCaseAndRefuseEverythingElse) {
    int32_t kind = -1;
    EXPECT_TRUE(KindFromWord("Fill-Up", kind));
    EXPECT_EQ(kind, FillUp);
    EXPECT_TRUE(KindFromWord("KIND 9", kind));
    EXPECT_EQ(kind, 9);
    for (const char* other : {"", "fill up", "refuel", "kind", "kind ", "kind x", "kind 7x",
                              "kind  7", "kind 2147483648", "kind -2147483649"}) {
        EXPECT_FALSE(KindFromWord(other, kind)) << other;
    }
}

}  // namespace
