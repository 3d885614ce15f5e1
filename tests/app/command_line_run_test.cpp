#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "command_line.h"
#include "log_export.h"
#include "log_format.h"
#include "log_load.h"
#include "log_lock.h"
#include "log_test_support.h"
#include "recompute.h"

// The built program run as a user runs it, from a shell: in a process of its own, with a scratch
// storage card, no display and no Qt platform named, so that any start of the GUI would fail.
// Each run is awaited to its exit; its output is read from files once it has ended.

namespace {

struct Ran {
    int status = -1;
    std::string out;
    std::string err;
};

const std::string kProgram = TARVO_PROGRAM;

// `text` from the last `marker` on; empty when it holds none.
std::string FromLast(const std::string& text, const std::string& marker) {
    const std::size_t at = text.rfind(marker);
    return at == std::string::npos ? std::string() : text.substr(at);
}

std::string Quote(const std::string& path) {
    return "'" + path + "'";
}

class CommandLineRun : public testing::Test {
protected:
    CommandLineRun() { ::mkdir(Folder().c_str(), 0755); }

    std::string Folder() const { return card_ / "Tarvo"; }
    std::string Log() const { return Folder() + "/Tarvo.csv"; }
    std::string Scratch(const std::string& name) const { return scratch_ / name; }
    std::vector<std::string> Listing() const { return card_.Names("Tarvo"); }

    // The program with `args` as a shell reads them.
    Ran Run(const std::string& args) const {
        const std::string command = "exec " + Quote(kProgram) + " " + args;
        const std::string home = "HOME=" + scratch_.path();
        const std::string storage = "TARVO_STORAGE=" + card_.path();
        const char* argv[] = {"/bin/sh", "-c", command.c_str(), nullptr};
        const char* envp[] = {"PATH=/usr/bin:/bin", "LC_ALL=C.UTF-8", home.c_str(), storage.c_str(),
                              nullptr};
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
        for (const int fd : {1, 2}) {
            posix_spawn_file_actions_addopen(&actions, fd, Scratch(fd == 1 ? "out" : "err").c_str(),
                                             O_WRONLY | O_CREAT | O_TRUNC, 0644);
        }
        pid_t child = 0;
        int status = 0;
        Ran ran;
        if (posix_spawn(&child, argv[0], &actions, nullptr, const_cast<char**>(argv),
                        const_cast<char**>(envp)) == 0 &&
            ::waitpid(child, &status, 0) == child) {
            ran.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        }
        posix_spawn_file_actions_destroy(&actions);
        ran.out = ReadBytes(Scratch("out"));
        ran.err = ReadBytes(Scratch("err"));
        return ran;
    }

    void WriteWorkedExample() const {
        LogBook book = WorkedExample();
        RecomputeLog(book);
        WriteBytes(Log(), FormatLogFile(book));
    }

    LogBook Read() const {
        LogBook book;
        EXPECT_TRUE(LoadLog(book, Log()).ok());
        return book;
    }

private:
    TempFolder card_;
    TempFolder scratch_;
};

TEST_F(CommandLineRun, HelpVersionAndWrongUsage) {
    const std::string usage = "\n\n" + UsageText();
    const std::string noDisplay = kProgram + ": no display to show the window on";
    const struct {
        std::string args;
        int status;
        std::string out;
        std::string errStart;
    } rows[] = {
        {"--help", 0, UsageText(), ""},
        {"--version", 0, "Tarvo " TARVO_VERSION "\n", ""},
        {"--bogus", 2, "", "tarvo: unknown option --bogus" + usage},
        {"--import", 2, "", "tarvo: --import needs a file name" + usage},
        {"", 2, "", noDisplay},  // the window's road, which needs a display
    };
    for (const auto& row : rows) {
        const Ran ran = Run(row.args);
        EXPECT_EQ(ran.status, row.status) << row.args;
        EXPECT_EQ(ran.out, row.out) << row.args;
        EXPECT_EQ(ran.err.substr(0, row.errStart.size()), row.errStart) << row.args;
        EXPECT_EQ(ran.err.empty(), row.errStart.empty()) << ran.err;
    }
}

TEST_F(CommandLineRun, ExportsTheWorkedExampleAndItImportsBackToTheSameEntries) {
    WriteWorkedExample();
    const std::string log = ReadBytes(Log());
    const LogBook book = Read();
    const std::string table = ExportLog(book);

    const Ran toOutput = Run("--export -");
    EXPECT_EQ(toOutput.status, 0);
    EXPECT_EQ(toOutput.out, table);
    const Ran toFile = Run("--export " + Quote(Scratch("export.csv")));
    EXPECT_EQ(toFile.status, 0);
    EXPECT_EQ(toFile.out, "Exported 4 entries to \"" + Scratch("export.csv") + "\".\n");
    EXPECT_EQ(toOutput.err + toFile.err, "");
    EXPECT_EQ(ReadBytes(Scratch("export.csv")), table);
    EXPECT_EQ(ReadBytes(Log()), log);

    // Into a log that does not exist yet, a driver's first step: the dry run writes nothing,
    // the import makes the log.
    ::unlink(Log().c_str());
    const std::string import = "--import " + Quote(Scratch("export.csv"));
    const Ran dry = Run(import + " --dry-run");
    EXPECT_EQ(dry.status, 0);
    EXPECT_EQ(dry.err, "\"" + Log() + "\" does not exist yet; the import will make it.\n");
    EXPECT_EQ(Listing(), std::vector<std::string>{});
    const Ran made = Run(import);
    EXPECT_EQ(made.status, 0) << made.err;
    EXPECT_EQ(FromLast(made.out, "Added"), "Added 4 entries to \"" + Log() + "\" (a new log).\n");
    EXPECT_EQ(EnteredFields(Read()), EnteredFields(book));
}

TEST_F(CommandLineRun, ANewLogInEurosMilesAndGallonsKeepsAPlainFilesValuesToTheCent) {
    const Ran made = Run("--new-log --currency=EUR --distance=mi --quantity=us-gal");
    EXPECT_EQ(made.status, 0) << made.err;
    EXPECT_EQ(made.out, "Made \"" + Log() + "\": a log in miles, US gallons and EUR.\n");
    const std::string fresh = ReadBytes(Log());
    const Ran again = Run("--new-log");
    EXPECT_EQ(again.status, 1);
    EXPECT_EQ(ReadBytes(Log()), fresh);

    WriteBytes(Scratch("in.csv"),
               "Date,Odometer,Gallons (US),Cost,Full\n"
               "2024-03-01,20049.1,11.204,58.10,1\n"
               "2024-03-10,20350.3,12.345,65.43,1\n"
               "2024-03-20,20661.7,10.5,54.99,0\n");
    const Ran imported = Run("--import " + Quote(Scratch("in.csv")));
    EXPECT_EQ(imported.status, 0) << imported.err;
    const Ran exported = Run("--export -");
    EXPECT_EQ(exported.out,
              "date,kind,us_gallons,odometer_mi,cost_EUR,trip_mi,mi_per_us_gallon,"
              "EUR_per_us_gallon\r\n"
              "2024-03-01T00:00:00,fill-up,11.204,20049.1,58.10,,,5.1856\r\n"
              "2024-03-10T00:00:00,fill-up,12.345,20350.3,65.43,301.2,24.40,5.3001\r\n"
              "2024-03-20T00:00:00,partial,10.5,20661.7,54.99,,,5.2371\r\n");
}

TEST_F(CommandLineRun, ImportsASemicolonFileOnceAndADryRunWritesNothing) {
    WriteWorkedExample();
    WriteBytes(Scratch("in.csv"),
               "Date;Odometer;Litres;Total price;Full\n"
               "13/09/2007 08:15;42300;20,5;3000;yes\n"
               "01/10/2007;42700;25,0;3500;no\n"
               "26/08/2007 07:30:45;41890;30,2;4288;1\n"
               "31/09/2007;42800;10;1400;1\n");
    const std::string import = "--import " + Quote(Scratch("in.csv"));
    const std::string log = ReadBytes(Log());
    const std::vector<std::string> listing = Listing();

    const Ran dry = Run(import + " --dry-run");
    EXPECT_EQ(dry.status, 0);
    EXPECT_NE(dry.out.find("2 entries to add, 1 row already in the log, 1 row not placed.\n"),
              std::string::npos);
    EXPECT_NE(dry.out.find("line 5: the date \"31/09/2007\" is not a calendar date\n"),
              std::string::npos);
    EXPECT_EQ(FromLast(dry.out, "A dry"), "A dry run: nothing was written.\n");
    EXPECT_EQ(ReadBytes(Log()), log);
    EXPECT_EQ(Listing(), listing);

    const Ran first = Run(import);
    EXPECT_EQ(first.status, 0);
    EXPECT_EQ(FromLast(first.out, "Added"),
              "Added 2 entries to \"" + Log() + "\"; 1 row was already in it.\n");
    std::vector<std::string> expected = EnteredFields(WorkedExample());
    expected.insert(expected.begin(),
                    {"2007/10/1 0:0:0 dow 0 ms 0 odo 42700 fuel 25 kind 1 cost 3500",
                     "2007/9/13 8:15:0 dow 0 ms 0 odo 42300 fuel 20.5 kind 0 cost 3000"});
    EXPECT_EQ(EnteredFields(Read()), expected);

    const std::string imported = ReadBytes(Log());
    const Ran again = Run(import);
    EXPECT_EQ(again.status, 0);
    EXPECT_EQ(FromLast(again.out, "Added"),
              "Added nothing to \"" + Log() + "\"; 3 rows were already in it.\n");
    EXPECT_EQ(ReadBytes(Log()), imported);
}

TEST_F(CommandLineRun, AQuestionWritesNothingAndTheSuggestedAnswerImports) {
    const struct {
        std::string file;
        std::string hint;    // what the program suggests
        std::string answer;  // what the user then types
        std::string entry;   // the entry imported with it
    } rows[] = {
        {"Date,Odometer,Litres,Cost\n03/10/2024,42300,20,3000\n",
         "--dates=day-first or --dates=month-first", "--dates=month-first",
         "2024/3/10 0:0:0 dow 0 ms 0 odo 42300 fuel 20 kind 0 cost 3000"},
        {"Date,Odometer,Gallons,Cost\n2024-03-10,42300,10,3000\n",
         "--gallons=us or --gallons=imperial", "--gallons=imperial",
         "2024/3/10 0:0:0 dow 0 ms 0 odo 42300 fuel 45.5 kind 0 cost 3000"},
        {"Date,Odo (o'clock miles),Litres,Cost\n2024-03-10,1000,20,3000\n",
         "--unit='o'\\''clock miles=UNIT', UNIT one of km, miles, litres, us-gallons, "
         "imperial-gallons, kg or kwh",
         "--unit='o'\\''clock miles=miles'",
         "2024/3/10 0:0:0 dow 0 ms 0 odo 1609.3 fuel 20 kind 0 cost 3000"},
    };
    // Without a log, a question left open does not make one.
    WriteBytes(Scratch("in.csv"), rows[0].file);
    EXPECT_EQ(Run("--import " + Quote(Scratch("in.csv"))).status, 1);
    EXPECT_EQ(Listing(), std::vector<std::string>{});
    for (const auto& row : rows) {
        WriteWorkedExample();
        WriteBytes(Scratch("in.csv"), row.file);
        const std::string log = ReadBytes(Log());
        const Ran asked = Run("--import " + Quote(Scratch("in.csv")));
        EXPECT_EQ(asked.status, 1);
        EXPECT_NE(asked.out.find("Question: "), std::string::npos);
        EXPECT_EQ(FromLast(asked.out, "To answer"),
                  "To answer on the command line, run it again with:\n  " + row.hint + "\n");
        EXPECT_EQ(asked.err, "Nothing was imported.\n");
        EXPECT_EQ(ReadBytes(Log()), log);

        const Ran answered = Run("--import " + Quote(Scratch("in.csv")) + " " + row.answer);
        EXPECT_EQ(answered.status, 0) << answered.err;
        EXPECT_EQ(EnteredFields(Read()).front(), row.entry);
    }
}

// The status says what was saved, also when standard output is gone; the summary then goes to
// standard error.
TEST_F(CommandLineRun, AnImportWhoseOutputIsGoneStillSaysWhatItSaved) {
    WriteWorkedExample();
    WriteBytes(Scratch("in.csv"), "Date,Odometer,Litres,Cost\n2024-03-10,42300,20,3000\n");
    const Ran ran = Run("--import " + Quote(Scratch("in.csv")) + " >&-");
    EXPECT_EQ(ran.status, 0);
    EXPECT_EQ(FromLast(ran.err, "Added"), "Added 1 entry to \"" + Log() + "\".\n");
    EXPECT_EQ(Read().count, 5);
}

TEST_F(CommandLineRun, ImportIsRefusedWhileAWindowHoldsTheLogButADryRunIsNot) {
    WriteWorkedExample();
    WriteBytes(Scratch("in.csv"), "Date,Odometer,Litres,Cost\n2024-03-10,42300,20,3000\n");
    const std::string log = ReadBytes(Log());
    LogLock window;
    ASSERT_EQ(window.TryTake(Log()).outcome, LockOutcome::Taken);

    const Ran refused = Run("--import " + Quote(Scratch("in.csv")));
    EXPECT_EQ(refused.status, 1);
    EXPECT_NE(refused.err.find("\"" + Log() + "\" is open in another Tarvo window (process " +
                               std::to_string(::getpid()) + " on host "),
              std::string::npos)
        << refused.err;
    EXPECT_EQ(ReadBytes(Log()), log);
    EXPECT_EQ(Run("--import " + Quote(Scratch("in.csv")) + " --dry-run").status, 0);
}

TEST_F(CommandLineRun, ALogThatCannotBeReadOrWrittenIsNamedWithTheReason) {
    const std::string missing = "Cannot read \"" + Log() + "\": No such file or directory\n";
    const std::string in = Quote(Scratch("in.csv"));
    WriteBytes(Scratch("in.csv"), "Date,Odometer,Litres,Cost\n2024-03-10,42300,20,3000\n");
    const struct {
        std::string args;
        std::string err;
    } rows[] = {
        {"--export -", missing},
        {"--export " + Quote(Scratch("out.csv")), missing},
        {"--import " + Quote(Scratch("none.csv")),
         "Cannot read \"" + Scratch("none.csv") +
             "\": No such file or directory\nNothing was imported.\n"},
    };
    for (const auto& row : rows) {
        const Ran ran = Run(row.args);
        EXPECT_EQ(ran.status, 1) << row.args;
        EXPECT_EQ(ran.out, "") << row.args;
        EXPECT_EQ(ran.err, row.err);
    }
    EXPECT_EQ(Listing(), std::vector<std::string>{}) << "nothing made, no lock file left";

    ASSERT_EQ(::rmdir(Folder().c_str()), 0);
    for (const char* dryRun : {"", " --dry-run"}) {
        const Ran noFolder = Run("--import " + in + dryRun);
        EXPECT_EQ(noFolder.status, 1) << dryRun;
        EXPECT_EQ(noFolder.err, "There is no log: the folder \"" + Folder() +
                                    "\" does not exist.\nNothing was imported.\n")
            << dryRun;
    }
    ASSERT_EQ(::mkdir(Folder().c_str(), 0755), 0);

    WriteWorkedExample();
    const std::string log = ReadBytes(Log());
    const Ran overTheLog = Run("--export " + Quote(Log()));
    EXPECT_EQ(overTheLog.err, "Cannot export to \"" + Log() + "\": it is the log itself\n");
    EXPECT_EQ(overTheLog.status, 1);
    EXPECT_EQ(ReadBytes(Log()), log);

    WriteBytes(Log(), ReadBytes(Log()) + "2007,9,5,8,0,0,42100.0,0.0,2,500\n");
    const Ran damaged = Run("--export " + Quote(Scratch("out.csv")));
    EXPECT_EQ(damaged.status, 1) << "done with a problem";
    EXPECT_EQ(ReadBytes(Scratch("out.csv")), ExportLog(Read())) << "as far as it reads";
    EXPECT_EQ(damaged.err.substr(0, damaged.err.find('\n')),
              "\"" + Log() + "\" is damaged; every entry that could be read was kept.");
}

}  // namespace

namespace {

// The commands run on the first vehicle, on a further one in kWh, and on one that is not there.
TEST_F(CommandLineRun, EachCommandWorksOnTheVehicleItNames) {
    WriteWorkedExample();
    const std::string first = ReadBytes(Log());
    const std::string van = Folder() + "/Tarvo.Van.csv";
    const Ran made = Run("--new-log --vehicle Van --quantity=kwh");
    EXPECT_EQ(made.status, 0) << made.err;
    EXPECT_EQ(made.out, "Made \"" + van + "\": a log in " +
                            std::string(DistanceName(DistanceUnit::Km)) + ", " +
                            std::string(QuantityName(QuantityUnit::Kwh)) +
                            " and JPY for the vehicle \"Van\".\n");
    WriteBytes(Scratch("van.csv"),
               "Date,Odometer,Fuel (kWh),Cost,Full\n"
               "2024-03-01,1000,40.5,1200,1\n"
               "2024-03-10,1300,45.25,1350,1\n");
    const Ran imported = Run("--import " + Quote(Scratch("van.csv")) + " --vehicle Van");
    EXPECT_EQ(imported.status, 0) << imported.out << imported.err;
    const std::string vanTable =
        "date,kind,kwh,odometer_km,cost_yen,trip_km,km_per_kwh,yen_per_kwh\r\n"
        "2024-03-01T00:00:00,fill-up,40.5,1000.0,1200,,,29.63\r\n"
        "2024-03-10T00:00:00,fill-up,45.25,1300.0,1350,300.0,6.63,29.83\r\n";
    const struct {
        const char* name;
        std::string args;
        int status;
        std::string out;
        std::string errStart;
    } rows[] = {
        {"ExportFirst", "--export -", 0, ExportLog(Read()), ""},
        {"ExportFirstByName", "--export - --vehicle tarvo", 0, ExportLog(Read()), ""},
        {"ExportVan", "--export - --vehicle Van", 0, vanTable, ""},
        {"ExportMissing", "--export - --vehicle Truck", 1, "",
         "There is no vehicle named \"Truck\". The vehicles are: \"Tarvo\" \"Van\"."},
        {"ImportMissing", "--import " + Quote(Scratch("van.csv")) + " --vehicle Truck", 1, "",
         "There is no vehicle named \"Truck\"."},
        {"NewLogTaken", "--new-log --vehicle VAN", 1, "", "\"" + van + "\" exists already"},
        {"NewLogBadName", "--new-log --vehicle 'a,b'", 1, "", "A vehicle's name cannot hold"},
        {"List", "--list-vehicles", 0,
         "Tarvo\tkm, l, JPY\t4 entries\nVan\tkm, kwh, JPY\t2 entries\n", ""},
        {"VehicleAlone", "--vehicle Van", 2, "",
         "tarvo: --vehicle goes with --export, --import or --new-log"},
        {"ListWithVehicle", "--list-vehicles --vehicle Van", 2, "", "tarvo: --vehicle goes with"},
    };
    for (const auto& row : rows) {
        const Ran ran = Run(row.args);
        EXPECT_EQ(ran.status, row.status) << row.name << ran.err;
        EXPECT_EQ(ran.out, row.out) << row.name;
        EXPECT_EQ(ran.err.substr(0, row.errStart.size()), row.errStart) << row.name;
    }
    // Nothing done to the van touched the first vehicle's log.
    EXPECT_EQ(ReadBytes(Log()), first);
}

}  // namespace
