#include "date_order.h"
#include "log_create.h"
#include "log_format.h"
#include "log_load.h"
#include "log_save.h"
#include "recompute.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include "log_test_support.h"

// Reading, writing and creating well-formed log files: every case here reads silently.

namespace {

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

const char kHeader[] =
    "Year,Month,Day,Hour,Minute,Second,Odo,Fuel,0:fillup 1:notFillup 2:Maintenance,Cost,km/L,"
    "Trip,\x5C/L";

const char kReminderLines[] =
    "CHANGE OIL BEFORE\n45000.000000\nCHANGE AIR-F BEFORE\n50000.000000\n\n0.000000\n";

// Loads `path` and expects a clean read.
LogBook LoadClean(const std::string& path) {
    LogBook book;
    const LoadResult result = LoadLog(book, path);
    EXPECT_TRUE(result.ok()) << Said(result.error);
    EXPECT_EQ(result.problems, std::vector<std::string>{});
    EXPECT_EQ(result.backupPath, "");
    EXPECT_EQ(result.Message(path), "");
    return book;
}

LogBook LoadText(const TempFolder& folder, const std::string& text) {
    const std::string path = folder / "Tarvo.csv";
    WriteBytes(path, text);
    LogBook book = LoadClean(path);
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"Tarvo.csv"}) << "no backup, no leftovers";
    return book;
}

TEST(LogFile, WorkedExampleIsSavedLineByLine) {
    LogBook book = WorkedExample();
    RecomputeLog(book);
    EXPECT_EQ(Lines(FormatLogFile(book)),
              (std::vector<std::string>{
                  "CHANGE OIL BEFORE",
                  "45000.000000",
                  "CHANGE AIR-F BEFORE",
                  "50000.000000",
                  "",
                  "0.000000",
                  "4",
                  kHeader,
                  "2007,9,1,12,0,0,41950.0,0.0,2,8400,0.0,0.0,0.0",
                  "2007,8,26,7,30,45,41890.0,30.2,0,4288,15.6,660.0,142.0",
                  "2007,8,15,18,40,12,41502.5,12.0,1,1716,0.0,0.0,143.0",
                  "2007,8,4,9,5,0,41230.0,38.5,0,5390,0.0,0.0,140.0",
              }));
    EXPECT_EQ(FormatLogFile(book).back(), '\n');
    EXPECT_EQ(FormatLogFile(book).find('\r'), std::string::npos);
}

TEST(LogFile, WorkedExampleReadsBackTheSameEntries) {
    TempFolder folder;
    const std::string path = folder / "Tarvo.csv";
    LogBook saved = WorkedExample();
    RecomputeLog(saved);
    ASSERT_TRUE(SaveLog(saved, path).ok());
    EXPECT_EQ(ReadBytes(path), FormatLogFile(saved));

    const LogBook book = LoadClean(path);
    EXPECT_EQ(book.count, 4);
    EXPECT_EQ(book.records.size(), 5u) << "one spare slot";
    EXPECT_EQ(EnteredFields(book), EnteredFields(saved));
    EXPECT_EQ(book.totalCost, 19794);
    EXPECT_EQ(book.fuelCost, 11394);
    EXPECT_EQ(book.reminders.label, saved.reminders.label);
    EXPECT_EQ(book.reminders.value, saved.reminders.value);
    EXPECT_EQ(book.summary, u"Av:15.6km/L, Fuel \\11394, All \\19794");
    EXPECT_DOUBLE_EQ(book.records[1].kmPerL, 660.0 / 42.2) << "recomputed after the read";
}

TEST(LogFile, SaveWritesOnlyTheFirstCountRecordsAndKeepsTheBook) {
    TempFolder folder;
    LogBook book = WorkedExample();
    book.records.back() = Entry(2099, 1, 1, 0, 0, 0, 1, 1, 0, 1);  // the spare slot
    book.count = 2;
    const LogBook before = book;
    ASSERT_TRUE(SaveLog(book, folder / "Tarvo.csv").ok());
    EXPECT_EQ(EnteredFields(book), EnteredFields(before));
    EXPECT_EQ(book.records.size(), before.records.size()) << "nothing released";
    const std::vector<std::string> lines = Lines(ReadBytes(folder / "Tarvo.csv"));
    ASSERT_EQ(lines.size(), 10u);
    EXPECT_EQ(lines[6], "2");
    EXPECT_EQ(LoadClean(folder / "Tarvo.csv").count, 2);
}

TEST(LogFile, CreateWritesTheFreshSevenLineFile) {
    TempFolder folder;
    const std::string path = folder / "Tarvo.csv";
    const CreateResult result = CreateLogIfMissing(path);
    EXPECT_EQ(result.outcome, CreateOutcome::Created);
    EXPECT_EQ(Said(result.error), "");
    EXPECT_EQ(ReadBytes(path),
              "CHANGE OIL BEFORE\n0.000000\nCHANGE AIR-F BEFORE\n0.000000\n\n0.000000\n0\n");
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"Tarvo.csv"});

    struct stat info {};
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    const mode_t mask = ::umask(0);
    ::umask(mask);
    EXPECT_EQ(info.st_mode & 0777, 0644 & ~mask);

    const LogBook book = LoadClean(path);
    EXPECT_EQ(book.count, 0);
    EXPECT_EQ(book.records.size(), 1u);
    EXPECT_EQ(book.reminders.label,
              (std::array<std::u16string, 3>{u"CHANGE OIL BEFORE", u"CHANGE AIR-F BEFORE", u""}));
    EXPECT_EQ(book.reminders.value, (std::array<double, 3>{0.0, 0.0, 0.0}));
    EXPECT_EQ(book.summary, u"");
    // What a dry run plans against in place of a log not yet made is what it would hold.
    EXPECT_EQ(FormatLogFile(FreshLog()), FormatLogFile(book));
}

TEST(LogFile, CreateLeavesAnExistingFileUntouched) {
    TempFolder folder;
    const std::string path = folder / "Tarvo.csv";
    WriteBytes(path, "not even a log");
    EXPECT_EQ(CreateLogIfMissing(path).outcome, CreateOutcome::Existed);
    EXPECT_EQ(ReadBytes(path), "not even a log");
}

TEST(LogFile, ReadingLeavesTheFileUntouched) {
    TempFolder folder;
    const std::string path = folder / "Tarvo.csv";
    const std::string text = FormatLogFile(WorkedExample());
    WriteBytes(path, text);
    LoadClean(path);
    EXPECT_EQ(ReadBytes(path), text);
}

TEST(LogFile, SaveKeepsTheFilePermissions) {
    TempFolder folder;
    const std::string path = folder / "Tarvo.csv";
    WriteBytes(path, "old");
    ASSERT_EQ(::chmod(path.c_str(), 0600), 0);
    ASSERT_TRUE(SaveLog(WorkedExample(), path).ok());
    struct stat info {};
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0600u);
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"Tarvo.csv"}) << "no temporary left";
}

// Files as they come from elsewhere: the device, an editor, a spreadsheet. Each row reads
// silently into the worked example's entries.
struct ReadRow {
    const char* name;
    std::string text;
};

// Rows are named in test output by their name alone.
void PrintTo(const ReadRow& row, std::ostream* out) {
    *out << row.name;
}

class LogFileReads : public testing::TestWithParam<ReadRow> {};

TEST_P(LogFileReads, AsTheWorkedExample) {
    TempFolder folder;
    const LogBook book = LoadText(folder, GetParam().text);
    EXPECT_EQ(EnteredFields(book), EnteredFields(WorkedExample()));
    EXPECT_EQ(book.totalCost, 19794);
    EXPECT_EQ(book.fuelCost, 11394);
    EXPECT_EQ(book.reminders.label, WorkedExample().reminders.label);
    EXPECT_EQ(book.reminders.value, WorkedExample().reminders.value);
}

std::string WithCrlf(const std::string& text) {
    std::string out;
    for (char c : text) {
        out += c == '\n' ? std::string("\r\n") : std::string(1, c);
    }
    return out;
}

const std::string kExampleFile = std::string(kReminderLines) + "4\n" + kHeader +
                                 "\n"
                                 "2007,9,1,12,0,0,41950.0,0.0,2,8400,0.0,0.0,0.0\n"
                                 "2007,8,26,7,30,45,41890.0,30.2,0,4288,15.6,660.0,142.0\n"
                                 "2007,8,15,18,40,12,41502.5,12.0,1,1716,0.0,0.0,143.0\n"
                                 "2007,8,4,9,5,0,41230.0,38.5,0,5390,0.0,0.0,140.0\n";

const ReadRow kReadRows[] = {
    {"AsSaved", kExampleFile},
    {"CrlfLineEndsAsTheDeviceWrites", WithCrlf(kExampleFile)},
    {"ByteOrderMark", "\xEF\xBB\xBF" + kExampleFile},
    {"ByteOrderMarkAndCrlf", "\xEF\xBB\xBF" + WithCrlf(kExampleFile)},
    {"LastLineWithoutLineFeed", kExampleFile.substr(0, kExampleFile.size() - 1)},
    {"HeaderSkippedByPositionWhateverItHolds",
     std::string(kReminderLines) + "4\n1,2,3,4,5,6,7,8,9,10\n"
                                   "2007,9,1,12,0,0,41950.0,0.0,2,8400,0.0,0.0,0.0\n"
                                   "2007,8,26,7,30,45,41890.0,30.2,0,4288,15.6,660.0,142.0\n"
                                   "2007,8,15,18,40,12,41502.5,12.0,1,1716,0.0,0.0,143.0\n"
                                   "2007,8,4,9,5,0,41230.0,38.5,0,5390,0.0,0.0,140.0\n"},
    {"OnlyTheTenEnteredColumns", std::string(kReminderLines) + "4\n" + kHeader +
                                     "\n"
                                     "2007,9,1,12,0,0,41950.0,0.0,2,8400\n"
                                     "2007,8,26,7,30,45,41890.0,30.2,0,4288\n"
                                     "2007,8,15,18,40,12,41502.5,12.0,1,1716\n"
                                     "2007,8,4,9,5,0,41230.0,38.5,0,5390\n"},
    {"ExtraColumnsIgnored", std::string(kReminderLines) + "4\n" + kHeader +
                                "\n"
                                "2007,9,1,12,0,0,41950.0,0.0,2,8400,0.0,0.0,0.0,extra,,\n"
                                "2007,8,26,7,30,45,41890.0,30.2,0,4288,99.9,1.0,1.0,x\n"
                                "2007,8,15,18,40,12,41502.5,12.0,1,1716,junk\n"
                                "2007,8,4,9,5,0,41230.0,38.5,0,5390,0.0,0.0,140.0\n"},
    {"EmptyLinesAfterTheLastEntryCarryNothing", kExampleFile + "\n\r\n\n"},
    {"EntryLinesInAnyOrder", std::string(kReminderLines) + "4\n" + kHeader +
                                 "\n"
                                 "2007,8,15,18,40,12,41502.5,12.0,1,1716,0.0,0.0,143.0\n"
                                 "2007,8,4,9,5,0,41230.0,38.5,0,5390,0.0,0.0,140.0\n"
                                 "2007,9,1,12,0,0,41950.0,0.0,2,8400,0.0,0.0,0.0\n"
                                 "2007,8,26,7,30,45,41890.0,30.2,0,4288,15.6,660.0,142.0\n"},
    {"NumbersWithTrailingJunkReadAsScanfReadsThem",
     "CHANGE OIL BEFORE\n45000.000000xyz\nCHANGE AIR-F BEFORE\n50000.0 km\n\n0\n4 entries\n" +
         std::string(kHeader) +
         "\n"
         "2007,9,1,12,0,0,41950.0,0.0,2,8400,0.0,0.0,0.0\n"
         "2007,8,26,7,30,45.9,41890.0km,30.2,0,4288yen,15.6,660.0,142.0\n"
         "2007,8,15,18,40,12, 41502.5,12.0,1,1716,0.0,0.0,143.0\n"
         "2007,8,4,9,5,0,41230.0,38.5,0,5390\n"},
    {"SignsBlanksAndLeadingZerosReadAsScanfReadsThem",
     std::string(kReminderLines) + "4\n" + kHeader +
         "\n"
         "+2007, 9,0001,12,-0,0,41950.,0,2,000000000000000000008400,0.0,0.0,0.0\n"
         "2007,8,26,7,30,45,4.189e4,30.20000000000000000000001,0,4288,15.6,660.0,142.0\n"
         "2007,8,15,18,40,12,41502.5,.12e2,1,1716,\n"
         "2007,8,4,9,5,0,+41230.0,38.5,0,5390,\n"},
};

INSTANTIATE_TEST_SUITE_P(Log, LogFileReads, testing::ValuesIn(kReadRows),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(LogFile, ACountOfZeroReadsAsAnEmptyLog) {
    for (const std::string& tail :
         std::vector<std::string>{"0\n", "0\n" + std::string(kHeader) + "\n", "0"}) {
        TempFolder folder;
        const LogBook book = LoadText(folder, kReminderLines + tail);
        EXPECT_EQ(book.count, 0) << tail;
        EXPECT_EQ(book.records.size(), 1u) << tail;
        EXPECT_EQ(book.totalCost, 0) << tail;
        EXPECT_EQ(book.summary, u"") << tail;
    }
}

TEST(LogFile, ACommaInALabelCutsItAfterTheRoundTrip) {
    TempFolder folder;
    const std::string path = folder / "Tarvo.csv";
    LogBook book = WorkedExample();
    book.reminders.label[0] = u"OIL, FILTER";
    book.reminders.value[1] = 123.4567891;
    ASSERT_TRUE(SaveLog(book, path).ok());
    EXPECT_EQ(Lines(ReadBytes(path))[0], "OIL, FILTER") << "written whole";
    EXPECT_EQ(Lines(ReadBytes(path))[3], "123.456789");
    const LogBook read = LoadClean(path);
    EXPECT_EQ(read.reminders.label[0], u"OIL");
    EXPECT_EQ(read.reminders.value[1], 123.456789) << "six decimals";
}

TEST(LogFile, ValuesComeBackRoundedToOneDecimal) {
    TempFolder folder;
    const std::string path = folder / "Tarvo.csv";
    LogBook book = BookOf({Entry(2007, 8, 20, 9, 0, 0, 1500.06, 25.04, FillUp, 3500),
                           Entry(2007, 8, 4, 9, 0, 0, 1000.25, 30.35, FillUp, 4200)});
    RecomputeLog(book);
    ASSERT_TRUE(SaveLog(book, path).ok());
    // The derived columns were computed from the unrounded values: 499.81 km / 25.04 L.
    EXPECT_EQ(Lines(ReadBytes(path))[8], "2007,8,20,9,0,0,1500.1,25.0,0,3500,20.0,499.8,139.8");
    EXPECT_EQ(Lines(ReadBytes(path))[9], "2007,8,4,9,0,0,1000.2,30.4,0,4200,0.0,0.0,138.4")
        << "1000.25 is an exact half and rounds to even; 30.35 lies just above its half";
    const LogBook read = LoadClean(path);
    EXPECT_EQ(read.records[0].odo, 1500.1);
    EXPECT_EQ(read.records[0].fuel, 25.0);
    EXPECT_EQ(read.records[1].odo, 1000.2);
    EXPECT_EQ(read.records[1].fuel, 30.4);
}

TEST(LogFile, RoundTripKeepsEveryEnteredValue) {
    TempFolder folder;
    const std::string path = folder / "Tarvo.csv";
    LogBook book = BookOf({
        Entry(65535, 65535, 65535, 65535, 65535, 65535, 999999.9, 0.1, -5, INT32_MIN),
        Entry(2007, 12, 31, 23, 59, 59, -12.5, -0.5, 70000, -1),
        Entry(0, 0, 0, 0, 0, 0, 0.0, 0.0, Maintenance, 0),
    });
    book.reminders.label = {u"\u6CB9 \U0001F697 \x5C", u"", u"OIL FILTER"};
    book.reminders.value = {-1.5, 1e15, 0.000001};
    SortNewestFirst(book);
    RecomputeLog(book);
    ASSERT_TRUE(SaveLog(book, path).ok());
    const LogBook read = LoadClean(path);
    EXPECT_EQ(EnteredFields(read), EnteredFields(book));
    EXPECT_EQ(read.reminders.label, book.reminders.label);
    EXPECT_EQ(read.reminders.value, book.reminders.value);
    EXPECT_EQ(read.summary, book.summary);
    EXPECT_EQ(read.totalCost, int64_t{INT32_MIN} - 1);
}

TEST(LogFile, ALongLabelIsWrittenAndReadWhole) {
    TempFolder folder;
    const std::string path = folder / "Tarvo.csv";
    LogBook book = WorkedExample();
    std::u16string label;
    for (int i = 0; i < 10'000; ++i) {
        label += static_cast<char16_t>(u'A' + i % 26);
    }
    book.reminders.label[2] = label;
    ASSERT_TRUE(SaveLog(book, path).ok());
    const LogBook read = LoadClean(path);
    EXPECT_EQ(read.reminders.label[2], label);
    EXPECT_EQ(EnteredFields(read), EnteredFields(book));
}

TEST(LogFile, ALineBreakInALabelCannotShiftTheFile) {
    TempFolder folder;
    const std::string path = folder / "Tarvo.csv";
    LogBook book = WorkedExample();
    book.reminders.label[0] = u"OIL\nFILTER\r";
    ASSERT_TRUE(SaveLog(book, path).ok());
    const LogBook read = LoadClean(path);
    EXPECT_EQ(read.reminders.label[0], u"OIL FILTER ");
    EXPECT_EQ(EnteredFields(read), EnteredFields(book));
}

TEST(LogFile, AFirstLabelThatBeginsWithAByteOrderMarkComesBackWhole) {
    TempFolder folder;
    const std::string path = folder / "Tarvo.csv";
    LogBook book = WorkedExample();
    book.reminders.label[0] = u"\uFEFF\uFEFFOIL";
    ASSERT_TRUE(SaveLog(book, path).ok());
    EXPECT_EQ(ReadBytes(path).substr(0, 12), "\xEF\xBB\xBF\xEF\xBB\xBF\xEF\xBB\xBFOIL")
        << "a mark for the reader to take, then the label";
    const LogBook read = LoadClean(path);
    EXPECT_EQ(read.reminders.label[0], book.reminders.label[0]);
    EXPECT_EQ(EnteredFields(read), EnteredFields(book));
}

TEST(LogFile, CostTotalsAreSummedIn64Bits) {
    TempFolder folder;
    std::string text = std::string(kReminderLines) + "3\n" + kHeader + "\n";
    text += "2007,8,26,0,0,0,2000.0,30.0,0,2147483647\n";
    text += "2007,8,25,0,0,0,1500.0,0.0,2,2147483647\n";
    text += "2007,8,24,0,0,0,1000.0,30.0,0,2147483646\n";
    const LogBook book = LoadText(folder, text);
    EXPECT_EQ(book.totalCost, int64_t{2147483647} * 3 - 1);
    EXPECT_EQ(book.fuelCost, int64_t{2147483647} * 2 - 1);
    EXPECT_EQ(book.summary, u"Av:33.3km/L, Fuel \\4294967293, All \\6442450940");
}

TEST(LogFile, ReadReplacesEverythingTheBookHeld) {
    TempFolder folder;
    const std::string path = folder / "Tarvo.csv";
    WriteBytes(path, kExampleFile);
    LogBook book =
        BookOf({Entry(1999, 1, 1, 0, 0, 0, 5, 5, 0, 5), Entry(1998, 1, 1, 0, 0, 0, 1, 1, 0, 1)});
    book.reminders.label = {u"old", u"old", u"old"};
    book.summary = u"old";
    ASSERT_TRUE(LoadLog(book, path).ok());
    EXPECT_EQ(EnteredFields(book), EnteredFields(WorkedExample()));
    EXPECT_EQ(book.totalCost, 19794);
    EXPECT_EQ(book.reminders.label, WorkedExample().reminders.label);
    EXPECT_EQ(book.summary, u"Av:15.6km/L, Fuel \\11394, All \\19794");
}

}  // namespace
