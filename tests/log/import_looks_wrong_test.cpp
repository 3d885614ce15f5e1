#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "import_preview.h"
#include "import_test_text.h"
#include "log_import.h"

// Rows that look wrong are named in the preview and added as they are, or left out on request;
// rows that cannot be are named as not placed. Nothing is mended in silence.

namespace {

const std::string kHeader = "Date,Odometer,Litres,Cost\n";
const std::string kUsual =
    "2024-05-01,1000,30,4000\n2024-05-08,1400,31,4100\n2024-05-15,1800,29,3900\n"
    "2024-05-22,2200,30,4000\n";

struct SuspectCase {
    const char* name;
    std::string row;  // after kUsual, on line 6
    std::vector<std::string> suspect;
};

void PrintTo(const SuspectCase& c, std::ostream* out) {
    *out << c.name;
}

class ImportSuspect : public testing::TestWithParam<SuspectCase> {};

TEST_P(ImportSuspect, IsNamedAndAddedOrLeftOut) {
    const SuspectCase& c = GetParam();
    const std::string file = kHeader + kUsual + c.row + "\n";
    ImportOptions options;
    options.now = SYSTEMTIME{2024, 6, 0, 1, 12, 0, 0, 0};
    const ImportPlan added = PlanImport(file, LogBook(), options);
    EXPECT_EQ(Lines(added.suspect), c.suspect) << ImportPreview(added);
    EXPECT_EQ(added.entries.size(), 5u);
    EXPECT_NE(ImportPreview(added).find("Looks wrong"), std::string::npos);

    options.skipSuspect = true;
    const ImportPlan skipped = PlanImport(file, LogBook(), options);
    EXPECT_TRUE(skipped.suspect.empty());
    EXPECT_EQ(skipped.entries.size(), 4u);
    EXPECT_EQ(Unplaced(skipped), std::vector<std::string>{"line 6: left out as it looks wrong: " +
                                                          c.suspect[0].substr(8)});
}

const SuspectCase kSuspects[] = {
    {"OdometerGoingBack",
     "2024-05-29,2100,30,4000",
     {"line 6: the odometer 2100.0 is below the entry before it (line 5, 2200.0)"}},
    {"DateInTheFuture",
     "2024-06-02,2600,30,4000",
     {"line 6: its date 2024-06-02 00:00:00 is in the future"}},
    {"CostBelowZero", "2024-05-29,2600,30,-4000", {"line 6: its cost is below zero"}},
    {"FuelFarBeyondTheUsual",
     "2024-05-29,2600,300,4000",
     {"line 6: its fuel is more than four times the file's usual fill-up (30.0 L)"}},
};

INSTANTIATE_TEST_SUITE_P(Import, ImportSuspect, testing::ValuesIn(kSuspects),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ImportSuspect, ImpossibleDatesAndEmptyRowsAreNamed) {
    const ImportPlan plan = PlanImport(kHeader +
                                           "0000-01-01,1000,30,4000\n2023-02-30,1000,30,4000\n"
                                           "2024-13-01,1000,30,4000\n2024-05-01,1000,0,0\n",
                                       LogBook(), ImportOptions());
    EXPECT_EQ(Unplaced(plan), (std::vector<std::string>{
                                  "line 2: the date \"0000-01-01\" is not a calendar date",
                                  "line 3: the date \"2023-02-30\" is not a calendar date",
                                  "line 4: the date \"2024-13-01\" is not a calendar date",
                                  "line 5: the row has neither fuel nor a cost",
                              }));
}

}  // namespace
