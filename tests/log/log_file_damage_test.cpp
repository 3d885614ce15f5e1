#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "log_load.h"
#include "log_test_support.h"

// A damaged file must never cost the user data: every entry that can be read is kept, every
// problem is reported with its line, and the original bytes are kept beside the file before
// any save could replace them.

namespace {

const std::string kReminders =
    "CHANGE OIL BEFORE\n45000.000000\nCHANGE AIR-F BEFORE\n50000.000000\n\n0.000000\n";
const std::string kHeader =
    "Year,Month,Day,Hour,Minute,Second,Odo,Fuel,0:fillup 1:notFillup 2:Maintenance,Cost,km/L,"
    "Trip,\\/L\n";
const std::string kNewest = "2007,9,1,12,0,0,41950.0,0.0,2,8400,0.0,0.0,0.0\n";
const std::string kOldest = "2007,8,4,9,5,0,41230.0,38.5,0,5390,0.0,0.0,140.0\n";

struct DamageRow {
    const char* name;
    std::string text;
    std::vector<double> keptOdometers;  // newest first
    std::vector<std::string> problems;
};

// Rows are named in test output by their name alone.
void PrintTo(const DamageRow& row, std::ostream* out) {
    *out << row.name;
}

class LogFileDamage : public testing::TestWithParam<DamageRow> {};

TEST_P(LogFileDamage, KeepsWhatCanBeReadReportsAndBacksUp) {
    const DamageRow& row = GetParam();
    TempFolder folder;
    const std::string path = folder / "Tarvo.csv";
    WriteBytes(path, row.text);

    LogBook book;
    const LoadResult result = LoadLog(book, path);

    ASSERT_TRUE(result.ok()) << Said(result.error);
    std::vector<double> kept;
    for (int32_t i = 0; i < book.count; ++i) {
        kept.push_back(book.records[static_cast<std::size_t>(i)].odo);
    }
    EXPECT_EQ(kept, row.keptOdometers);
    EXPECT_EQ(book.records.size(), static_cast<std::size_t>(book.count) + 1);
    EXPECT_EQ(result.problems, row.problems);
    EXPECT_EQ(result.backupPath, path + ".bak");
    EXPECT_EQ(Said(result.backupError), "");
    EXPECT_EQ(ReadBytes(path + ".bak"), row.text) << "the original bytes, exactly";
    EXPECT_EQ(ReadBytes(path), row.text) << "reading changes nothing";
}

const DamageRow kDamageRows[] = {
    {"NegativeCountReadsTheLinesPresent",
     kReminders + "-3\n" + kHeader + kNewest + kOldest,
     {41950.0, 41230.0},
     {"line 7: the entry count -3 is negative"}},
    {"CountWithoutANumberReadsTheLinesPresent",
     kReminders + "four\n" + kHeader + kNewest + kOldest,
     {41950.0, 41230.0},
     {"line 7: the entry count holds no number"}},
    {"AbsurdlyLargeCountReadsTheLinesPresent",
     kReminders + "2147483647\n" + kHeader + kNewest + kOldest,
     {41950.0, 41230.0},
     {"line 7: the entry count is 2147483647, but the file holds only 2 entry lines"}},
    {"CountBeyond32BitsReadsTheLinesPresent",
     kReminders + "99999999999999999999999\n" + kHeader + kNewest,
     {41950.0},
     {"line 7: the entry count is too large"}},
    {"FewerEntryLinesThanAnnounced",
     kReminders + "3\n" + kHeader + kNewest + kOldest,
     {41950.0, 41230.0},
     {"line 7: the entry count is 3, but the file holds only 2 entry lines"}},
    {"MoreEntryLinesThanAnnouncedAreKept",
     kReminders + "1\n" + kHeader + kNewest + kOldest,
     {41950.0, 41230.0},
     {"line 7: the entry count is 1, but the file holds 2 entry lines"}},
    {"BeyondTheCountAnEmptyLineBetweenEntriesIsABrokenEntry",
     kReminders + "1\n" + kHeader + kNewest + "\n" + kOldest + "\n\n",
     {41950.0, 41230.0},
     {"line 10: an entry needs 10 fields, the line has 1; the line was skipped",
      "line 7: the entry count is 1, but the file holds 3 entry lines"}},
    {"BeyondTheCountALineThatIsNoEntryIsNamed",
     kReminders + "2\n" + kHeader + kNewest + kOldest + "a line that is no entry\n",
     {41950.0, 41230.0},
     {"line 11: an entry needs 10 fields, the line has 1; the line was skipped",
      "line 7: the entry count is 2, but the file holds 3 entry lines"}},
    {"CountButNoHeaderNorEntries",
     kReminders + "2\n",
     {},
     {"line 7: the entry count is 2, but the file holds only 0 entry lines"}},
    {"EntryLineWithFewerThanTenFields",
     kReminders + "3\n" + kHeader + kNewest + "2007,8,26,7,30,45,41890.0,30.2,0\n" + kOldest,
     {41950.0, 41230.0},
     {"line 10: an entry needs 10 fields, the line has 9; the line was skipped"}},
    {"EmptyEntryLine",
     kReminders + "3\n" + kHeader + kNewest + "\n" + kOldest,
     {41950.0, 41230.0},
     {"line 10: an entry needs 10 fields, the line has 1; the line was skipped"}},
    {"FieldWithoutANumber",
     kReminders + "3\n" + kHeader + kNewest + "2007,8,26,7,30,45,odo,30.2,0,4288\n" + kOldest,
     {41950.0, 41230.0},
     {"line 10: the Odo field holds no number; the line was skipped"}},
    {"EmptyDateField",
     kReminders + "3\n" + kHeader + kNewest + "2007,,26,7,30,45,41890.0,30.2,0,4288\n" + kOldest,
     {41950.0, 41230.0},
     {"line 10: the Month field holds no number; the line was skipped"}},
    {"InfiniteFuel",
     kReminders + "3\n" + kHeader + kNewest + "2007,8,26,7,30,45,41890.0,inf,0,4288\n" + kOldest,
     {41950.0, 41230.0},
     {"line 10: the Fuel field holds no finite number; the line was skipped"}},
    {"NanOdometer",
     kReminders + "3\n" + kHeader + kNewest + "2007,8,26,7,30,45,nan,30.2,0,4288\n" + kOldest,
     {41950.0, 41230.0},
     {"line 10: the Odo field holds no finite number; the line was skipped"}},
    {"OverflowingOdometer",
     kReminders + "3\n" + kHeader + kNewest + "2007,8,26,7,30,45,1e999,30.2,0,4288\n" + kOldest,
     {41950.0, 41230.0},
     {"line 10: the Odo field holds no finite number; the line was skipped"}},
    {"CostBeyond32Bits",
     kReminders + "3\n" + kHeader + kNewest + "2007,8,26,7,30,45,41890.0,30.2,0,2147483648\n" +
         kOldest,
     {41950.0, 41230.0},
     {"line 10: the Cost field is outside the 32-bit range; the line was skipped"}},
    {"NegativeCostBeyond32Bits",
     kReminders + "3\n" + kHeader + kNewest + "2007,8,26,7,30,45,41890.0,30.2,0,-2147483649\n" +
         kOldest,
     {41950.0, 41230.0},
     {"line 10: the Cost field is outside the 32-bit range; the line was skipped"}},
    {"KindBeyond32Bits",
     kReminders + "3\n" + kHeader + kNewest + "2007,8,26,7,30,45,41890.0,30.2,4294967296,4288\n" +
         kOldest,
     {41950.0, 41230.0},
     {"line 10: the kind field is outside the 32-bit range; the line was skipped"}},
    {"DateFieldBeyond16Bits",
     kReminders + "3\n" + kHeader + kNewest + "2007,8,65536,7,30,45,41890.0,30.2,0,4288\n" +
         kOldest,
     {41950.0, 41230.0},
     {"line 10: the Day field is outside 0..65535; the line was skipped"}},
    {"NegativeDateField",
     kReminders + "3\n" + kHeader + kNewest + "2007,8,26,7,30,-1,41890.0,30.2,0,4288\n" + kOldest,
     {41950.0, 41230.0},
     {"line 10: the Second field is outside 0..65535; the line was skipped"}},
    {"SeveralProblemsEachReported",
     kReminders + "5\n" + kHeader + "x\n" + kNewest + "2007,8,26,7,30,45,41890.0,30.2,0,z\n" +
         kOldest,
     {41950.0, 41230.0},
     {"line 9: an entry needs 10 fields, the line has 1; the line was skipped",
      "line 11: the Cost field holds no number; the line was skipped",
      "line 7: the entry count is 5, but the file holds only 4 entry lines"}},
    {"ReminderNumberWithoutANumberKeepsThePreviousValue",
     "CHANGE OIL BEFORE\nsoon\nCHANGE AIR-F BEFORE\n50000.000000\n\ninf\n1\n" + kHeader + kNewest,
     {41950.0},
     {"line 2: the reminder number holds no number; the previous value was kept",
      "line 6: the reminder number is not finite; the previous value was kept"}},
    {"InvalidUtf8InALabel",
     "CHANGE \xFF OIL\n45000.000000\nCHANGE AIR-F BEFORE\n50000.000000\n\n0.000000\n1\n" + kHeader +
         kNewest,
     {41950.0},
     {"line 1: the label is not valid UTF-8; U+FFFD replaces what could not be decoded"}},
    {"FileEndsBeforeTheCount",
     "CHANGE OIL BEFORE\n45000.000000\nCHANGE AIR-F",
     {},
     {"line 4: the file ends before the entry count"}},
    {"FileEndsJustBeforeTheCount",
     kReminders,
     {},
     {"line 7: the file ends before the entry count"}},
    {"EmptyFile", "", {}, {"line 1: the file ends before the entry count"}},
};

INSTANTIATE_TEST_SUITE_P(Log, LogFileDamage, testing::ValuesIn(kDamageRows),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(LogFileDamageDetail, KeptEntriesAreSortedSummedAndRecomputed) {
    TempFolder folder;
    const std::string path = folder / "Tarvo.csv";
    WriteBytes(path, kReminders + "6\n" + kHeader + kOldest +
                         "2007,8,15,18,40,12,41502.5,12.0,1,1716\n" + "2007,8,20,0,0,0\n" +
                         kNewest + "2007,8,26,7,30,45,41890.0,30.2,0,4288\n");
    LogBook book;
    const LoadResult result = LoadLog(book, path);
    EXPECT_EQ(result.problems.size(), 2u);
    std::vector<std::string> expected = EnteredFields(WorkedExample());
    EXPECT_EQ(EnteredFields(book), expected);
    EXPECT_EQ(book.totalCost, 19794);
    EXPECT_EQ(book.fuelCost, 11394);
    EXPECT_EQ(book.summary, u"Av:15.6km/L, Fuel \\11394, All \\19794");
}

TEST(LogFileDamageDetail, ReminderValuesKeepWhatTheBookHeldAndLabelsAreDecoded) {
    TempFolder folder;
    const std::string path = folder / "Tarvo.csv";
    WriteBytes(path, "A\xE6\xB2\n???\nB\n2.5\nC\n\n0\n");
    LogBook book;
    book.reminders.value = {11.0, 22.0, 33.0};
    const LoadResult result = LoadLog(book, path);
    EXPECT_EQ(book.reminders.label, (std::array<std::u16string, 3>{u"A\uFFFD", u"B", u"C"}));
    EXPECT_EQ(book.reminders.value, (std::array<double, 3>{11.0, 2.5, 33.0}));
    EXPECT_EQ(result.problems.size(), 3u);
}

// The first sentence and where the original went come first, so that they stay in sight above
// a long list of damaged lines.
TEST(LogFileDamageDetail, MessageNamesTheFileAndTheBackupThenEveryProblem) {
    LoadResult result;
    result.problems = {"line 7: the entry count -3 is negative", "line 9: x"};
    result.backupPath = "/cards/Tarvo.csv.bak";
    EXPECT_EQ(result.Message("/cards/Tarvo.csv"),
              "\"/cards/Tarvo.csv\" is damaged; every entry that could be read was kept.\n"
              "The original file was kept as \"/cards/Tarvo.csv.bak\".\n"
              "line 7: the entry count -3 is negative\n"
              "line 9: x");
    result.backupPath.clear();
    result.backupError =
        LogError{"The original file could not be kept as \"b\": File too large.", {}, {}};
    EXPECT_EQ(result.Message("/cards/Tarvo.csv"),
              "\"/cards/Tarvo.csv\" is damaged; every entry that could be read was kept.\n"
              "The original file could not be kept as \"b\": File too large.\n"
              "line 7: the entry count -3 is negative\n"
              "line 9: x");
}

const std::string kDamaged = kReminders + "-1\n" + kHeader + kNewest;

TEST(LogFileDamageDetail, AnOccupiedBackupNameMovesOnToTheFirstFreeNumber) {
    TempFolder folder;
    const std::string path = folder / "Tarvo.csv";
    WriteBytes(path + ".bak", "someone else's");
    WriteBytes(path + ".bak1", "another one");
    WriteBytes(path, kDamaged);
    LogBook book;
    const LoadResult result = LoadLog(book, path);
    EXPECT_EQ(result.backupPath, path + ".bak2");
    EXPECT_EQ(ReadBytes(path + ".bak2"), kDamaged);
    EXPECT_EQ(ReadBytes(path + ".bak"), "someone else's");
    EXPECT_EQ(ReadBytes(path + ".bak1"), "another one");
}

TEST(LogFileDamageDetail, ABackupWithTheSameBytesIsReused) {
    TempFolder folder;
    const std::string path = folder / "Tarvo.csv";
    WriteBytes(path, kDamaged);
    LogBook book;
    EXPECT_EQ(LoadLog(book, path).backupPath, path + ".bak");
    EXPECT_EQ(LoadLog(book, path).backupPath, path + ".bak");
    WriteBytes(path, kDamaged + "more");
    EXPECT_EQ(LoadLog(book, path).backupPath, path + ".bak1");
    WriteBytes(path, kDamaged);
    EXPECT_EQ(LoadLog(book, path).backupPath, path + ".bak");
    EXPECT_EQ(folder.Names(),
              (std::vector<std::string>{"Tarvo.csv", "Tarvo.csv.bak", "Tarvo.csv.bak1"}));
}

TEST(LogFileDamageDetail, ABackupThatCannotBeWrittenIsReportedAndTheEntriesAreKept) {
    TempFolder folder;
    const std::string path = folder / "Tarvo.csv";
    WriteBytes(path, kDamaged);
    LogBook book;
    LoadResult result;
    {
        const FileSizeLimit limit(16);
        result = LoadLog(book, path);
    }
    ASSERT_TRUE(result.ok());
    EXPECT_EQ(book.count, 1);
    EXPECT_EQ(result.backupPath, "");
    EXPECT_EQ(Said(result.backupError),
              "The original file could not be kept as \"" + path + ".bak\": File too large.");
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"Tarvo.csv"}) << "no partial backup";
    EXPECT_EQ(ReadBytes(path), kDamaged);
}

}  // namespace
