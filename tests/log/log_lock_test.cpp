#include "log_lock.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <climits>
#include <ostream>
#include <string>

#include "log_test_support.h"

// One writer at a time: a second window finds the log taken and learns by whom, and the lock
// comes free however its holder ends, a kill included. Two real processes, kept in step by
// pipes.

namespace {

std::string HostName() {
    char name[HOST_NAME_MAX + 1] = {};
    ::gethostname(name, sizeof name - 1);
    return name;
}

// How the window holding the lock lets it go: 'R' releases it and goes on running, 'X' exits
// without releasing it, 'K' is killed as a crash or "kill -9" would end it.
struct HolderEnd {
    const char* name;
    char how;
};

void PrintTo(const HolderEnd& row, std::ostream* out) {
    *out << row.name;
}

// A child process that takes the lock, answers 'T', and then waits for how to let it go.
class Holder {
public:
    explicit Holder(const std::string& path) {
        int toChild[2];
        int toParent[2];
        if (::pipe(toChild) != 0 || ::pipe(toParent) != 0) {
            ADD_FAILURE() << "pipe";
            return;
        }
        pid_ = ::fork();
        if (pid_ == 0) {
            ::close(toChild[1]);
            ::close(toParent[0]);
            LogLock lock;
            char say = lock.TryTake(path).outcome == LockOutcome::Taken ? 'T' : 'F';
            for (char how = 0; ::write(toParent[1], &say, 1) == 1 &&
                               ::read(toChild[0], &how, 1) == 1 && how == 'R';) {
                lock.Release();
                say = 'R';
            }
            ::_exit(0);  // no destructor runs: only the system lets the lock go
        }
        ::close(toChild[0]);
        ::close(toParent[1]);
        commands_ = toChild[1];
        answers_ = toParent[0];
    }

    ~Holder() {
        ::close(commands_);
        ::close(answers_);
        Reap();
    }

    pid_t pid() const { return pid_; }

    char Answer() {
        char answer = 0;
        return ::read(answers_, &answer, 1) == 1 ? answer : 0;
    }

    // Returns the child's answer: 'R' once it released, 0 once it ended.
    char End(char how) {
        if (how == 'K') {
            ::kill(pid_, SIGKILL);
        } else if (::write(commands_, &how, 1) != 1) {
            return 0;
        }
        const char answer = Answer();
        if (how != 'R') {
            Reap();
        }
        return answer;
    }

private:
    // Only once the child is reaped has the system closed all its files: its pipes may close
    // before its lock file does.
    void Reap() {
        int status = 0;
        if (pid_ > 0 && ::waitpid(pid_, &status, 0) == pid_) {
            pid_ = -1;
        }
    }

    pid_t pid_ = -1;
    int commands_ = -1;
    int answers_ = -1;
};

class LogLockShared : public testing::TestWithParam<HolderEnd> {};

TEST_P(LogLockShared, ASecondWindowFindsItTakenUntilTheHolderLetsGo) {
    TempFolder folder;
    const std::string path = folder / "Tarvo.csv";
    Holder holder(path);
    ASSERT_EQ(holder.Answer(), 'T');

    LogLock second;
    const LockAttempt taken = second.TryTake(path);
    EXPECT_EQ(taken.outcome, LockOutcome::HeldByAnother);
    EXPECT_EQ(taken.holder.Text(),
              "process " + std::to_string(holder.pid()) + " on host " + HostName());
    EXPECT_FALSE(second.IsHeld());

    EXPECT_EQ(holder.End(GetParam().how), GetParam().how == 'R' ? 'R' : 0);

    EXPECT_EQ(second.TryTake(path).outcome, LockOutcome::Taken);
    EXPECT_TRUE(second.IsHeld());
    EXPECT_EQ(ReadBytes(path + ".lock"), std::to_string(::getpid()) + " " + HostName() + "\n");
    second.Release();
    EXPECT_EQ(folder.Names(), std::vector<std::string>{}) << "the lock file goes with the lock";
}

const HolderEnd kHolderEnds[] = {
    {"ReleasesIt", 'R'},
    {"ExitsWithoutReleasing", 'X'},
    {"IsKilled", 'K'},
};

INSTANTIATE_TEST_SUITE_P(Log, LogLockShared, testing::ValuesIn(kHolderEnds),
                         [](const auto& info) { return std::string(info.param.name); });

// What the lock file says of its holder, as a window that finds the log taken names it.
struct HolderText {
    const char* name;
    const char* lockFile;
    const char* named;
};

void PrintTo(const HolderText& row, std::ostream* out) {
    *out << row.name;
}

class LogLockHolder : public testing::TestWithParam<HolderText> {};

TEST_P(LogLockHolder, IsNamedOnlyWhenTheLockFileSaysWho) {
    TempFolder folder;
    const std::string path = folder / "Tarvo.csv";
    LogLock first;
    ASSERT_EQ(first.TryTake(path).outcome, LockOutcome::Taken);
    WriteBytes(path + ".lock", GetParam().lockFile);

    LogLock second;
    const LockAttempt attempt = second.TryTake(path);
    EXPECT_EQ(attempt.outcome, LockOutcome::HeldByAnother);
    EXPECT_EQ(attempt.holder.Text(), GetParam().named);
}

const HolderText kHolderTexts[] = {
    {"PidAndHost", "1234 carbox\n", "process 1234 on host carbox"},
    {"PidAlone", "1234\n", "process 1234"},
    {"NotYetWritten", "", ""},
    {"MoreThanAHost", "1234 car box\n", ""},
};

INSTANTIATE_TEST_SUITE_P(Log, LogLockHolder, testing::ValuesIn(kHolderTexts),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(LogLockDetail, ALinkAndTheFileItLeadsToShareOneLockBesideTheFile) {
    TempFolder folder;
    ASSERT_EQ(::mkdir((folder / "card").c_str(), 0755), 0);
    ASSERT_EQ(::symlink("card/log.csv", (folder / "Tarvo.csv").c_str()), 0);
    LogLock viaLink;
    ASSERT_EQ(viaLink.TryTake(folder / "Tarvo.csv").outcome, LockOutcome::Taken);
    EXPECT_EQ(folder.Names("card"), std::vector<std::string>{"log.csv.lock"});

    LogLock direct;
    const LockAttempt attempt = direct.TryTake(folder / "card/log.csv");
    EXPECT_EQ(attempt.outcome, LockOutcome::HeldByAnother);
    EXPECT_EQ(attempt.holder.pid, ::getpid());
}

TEST(LogLockDetail, AFolderWhereNoLockFileCanBeMadeIsNamedWithTheReason) {
    TempFolder folder;
    ASSERT_EQ(::chmod(folder.path().c_str(), 0555), 0);
    const std::string error = AsOrdinaryUser([&] {
        LogLock lock;
        const LockAttempt attempt = lock.TryTake(folder / "Tarvo.csv");
        return attempt.outcome == LockOutcome::Failed ? attempt.error.Text() : "not failed";
    });
    EXPECT_EQ(error, "Cannot create the lock file \"" + folder / "Tarvo.csv.lock" +
                         "\": Permission denied");
}

// Whatever stands at the lock file's name, nothing it leads to is written: taking the lock fails
// with how to mend it, and the log and every other file stay as they were.
struct ForeignLockFile {
    const char* name;
    const char* what;  // at "Tarvo.csv.lock", as MakeAt makes it
    const char* why;
};

void PrintTo(const ForeignLockFile& row, std::ostream* out) {
    *out << row.name;
}

class LogLockForeign : public testing::TestWithParam<ForeignLockFile> {};

TEST_P(LogLockForeign, IsNeverWrittenAndSaysHowToMendIt) {
    TempFolder folder;
    const std::string log = folder / "Tarvo.csv";
    WriteBytes(log, "the log\n");
    WriteBytes(folder / "victim", "precious\n");
    ASSERT_TRUE(MakeAt(log + ".lock", GetParam().what));
    const std::vector<std::string> names = folder.Names();

    LogLock taker;
    const LockAttempt attempt = taker.TryTake(log);
    EXPECT_EQ(attempt.outcome, LockOutcome::Failed);
    EXPECT_EQ(attempt.error.Text(), "Cannot use the lock file \"" + log +
                                        ".lock\": " + GetParam().why +
                                        ". Remove it, and Tarvo makes a lock file of its own.");
    EXPECT_EQ(ReadBytes(log) + ReadBytes(folder / "victim"), "the log\nprecious\n");
    EXPECT_EQ(folder.Names(), names);
}

const ForeignLockFile kForeignLockFiles[] = {
    {"ALinkToAnotherFile", "link:victim", "it is a symbolic link"},
    {"ALinkToTheLog", "link:Tarvo.csv", "it is a symbolic link"},
    {"ALinkLeadingNowhere", "link:gone", "it is a symbolic link"},
    {"AHardLinkToTheLog", "hard link:Tarvo.csv", "it is one file with 2 names (a hard link)"},
    {"APipe", "pipe", "it is not a regular file"},
    {"AFolder", "folder", "it is a folder"},
};

INSTANTIATE_TEST_SUITE_P(Log, LogLockForeign, testing::ValuesIn(kForeignLockFiles),
                         [](const auto& info) { return std::string(info.param.name); });

// A lock file of another user (root's, met by an ordinary user) is taken over when no process
// holds it and the folder lets it be removed; held, it names its holder as any lock file does.
TEST(LogLockDetail, AnotherUsersLockFileIsTakenOverOnlyWhenNoOneHoldsIt) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "only root can leave a lock file of another user";
    }
    const struct {
        mode_t folderMode;
        bool held;
        std::string outcome;
    } rows[] = {
        {0777, false, "mine"},
        {0777, true, "process 1234 on host otherhost"},
        {01777, false,  // sticky: only a file's owner may remove it
         "it belongs to another user, and the folder does not let Tarvo replace it (Operation not "
         "permitted). Ask its owner to remove it."},
    };
    for (const auto& row : rows) {
        TempFolder folder;
        ASSERT_EQ(::chmod(folder.path().c_str(), row.folderMode), 0);
        const std::string lock = folder / "Tarvo.csv.lock";
        WriteBytes(lock, "1234 otherhost\n");
        const FileDescriptor rootsLock(::open(lock.c_str(), O_RDONLY));
        ASSERT_TRUE(!row.held || ::flock(rootsLock.get(), LOCK_EX) == 0);
        EXPECT_EQ(AsOrdinaryUser([&] {
                      LogLock taker;
                      const LockAttempt attempt = taker.TryTake(folder / "Tarvo.csv");
                      struct stat info {};
                      return attempt.outcome == LockOutcome::Taken
                                 ? ::stat(lock.c_str(), &info) == 0 && info.st_uid == ::geteuid()
                                       ? "mine"
                                       : "not mine"
                             : attempt.outcome == LockOutcome::Failed ? attempt.error.why
                                                                      : attempt.holder.Text();
                  }),
                  row.outcome);
    }
}

}  // namespace
