// Two Tarvo windows on one log, each a real process driven through the real commands
// (window_process): the second opens the log read-only and says so, follows what the first
// saves, and nothing either window adds is lost; killing the first frees the lock.

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "log_format.h"
#include "log_test_support.h"
#include "vehicle_logs.h"

namespace {

// A window process whose standard input and output are pipes of this test.
class Window {
public:
    explicit Window(const std::string& card) {
        int toChild[2];
        int fromChild[2];
        if (::pipe(toChild) != 0 || ::pipe(fromChild) != 0) {
            ADD_FAILURE() << "no pipe";
            return;
        }
        m_pid = ::fork();
        if (m_pid == 0) {
            ::dup2(toChild[0], 0);
            ::dup2(fromChild[1], 1);
            ::close(toChild[1]);
            ::close(fromChild[0]);
            ::setenv("TARVO_STORAGE", card.c_str(), 1);
            ::setenv("XDG_CONFIG_HOME", card.c_str(), 1);  // never the user's settings
            ::execl(TARVO_WINDOW_PROCESS, TARVO_WINDOW_PROCESS, static_cast<char*>(nullptr));
            ::_exit(127);
        }
        ::close(toChild[0]);
        ::close(fromChild[1]);
        m_to = ::fdopen(toChild[1], "w");
        m_from = ::fdopen(fromChild[0], "r");
    }
    ~Window() {
        if (m_to != nullptr) {
            std::fclose(m_to);  // end of input closes the window
        }
        if (m_from != nullptr) {
            std::fclose(m_from);
        }
        if (m_pid > 0) {
            ::waitpid(m_pid, nullptr, 0);
        }
    }
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    pid_t Pid() const { return m_pid; }

    // Sends a command and returns the lines of its answer; waits for the answer's end, or for
    // the process's end, which closes the pipe.
    std::vector<std::string> Ask(const std::string& command) {
        std::fputs((command + "\n").c_str(), m_to);
        std::fflush(m_to);
        std::vector<std::string> lines;
        char buffer[4096];
        while (std::fgets(buffer, sizeof buffer, m_from) != nullptr) {
            std::string line(buffer);
            if (!line.empty() && line.back() == '\n') {
                line.pop_back();
            }
            if (line == ".") {
                return lines;
            }
            lines.push_back(line);
        }
        ADD_FAILURE() << "the window process ended while answering \"" << command << "\"";
        return lines;
    }

    void Kill() {
        ::kill(m_pid, SIGKILL);
        ::waitpid(m_pid, nullptr, 0);
        m_pid = 0;
    }

private:
    pid_t m_pid = 0;
    std::FILE* m_to = nullptr;
    std::FILE* m_from = nullptr;
};

int EntryLines(const std::string& log) {
    int lines = 0;
    for (char c : log) {
        lines += c == '\n';
    }
    return lines - 8;  // reminder rows, count, header
}

}  // namespace

TEST(TwoWindows, TheSecondIsReadOnlyNothingEitherAddsIsLostAndKillingTheFirstFreesTheLock) {
    TempFolder card;
    std::filesystem::create_directories(card / "Tarvo");
    const std::string log = card / "Tarvo/Tarvo.csv";
    WriteBytes(log, FormatLogFile(WorkedExample()));

    Window first(card.path());
    EXPECT_EQ(first.Ask("messages"), std::vector<std::string>{});
    Window second(card.path());
    const std::vector<std::string> said = second.Ask("messages");
    ASSERT_EQ(said.size(), 1u);
    EXPECT_NE(
        said[0].find("is open in another Tarvo window (process " + std::to_string(first.Pid())),
        std::string::npos)
        << said[0];
    EXPECT_EQ(second.Ask("rows").size(), 4u);

    // The first adds an entry; the second, idle, shows it.
    first.Ask("input 2007 9 5 17 45 30 42100 20 2800");
    EXPECT_EQ(first.Ask("messages"), std::vector<std::string>{});
    EXPECT_EQ(second.Ask("wait-change"), std::vector<std::string>{"changed"});
    EXPECT_EQ(second.Ask("rows").size(), 5u);

    // The second may not change the log while the first has it.
    second.Ask("input 2007 9 6 8 0 0 42200 10 1400");
    const std::vector<std::string> refused = second.Ask("messages");
    ASSERT_EQ(refused.size(), 1u);
    EXPECT_NE(refused[0].find("Close that window"), std::string::npos) << refused[0];
    EXPECT_EQ(EntryLines(ReadBytes(log)), 5);

    // The first is killed; its lock goes with it, and the second adds its entry to what the
    // first wrote.
    first.Kill();
    second.Ask("input 2007 9 7 8 0 0 42300 28 3920");
    EXPECT_EQ(second.Ask("messages"), std::vector<std::string>{});
    const std::string saved = ReadBytes(log);
    EXPECT_EQ(EntryLines(saved), 6);
    EXPECT_NE(saved.find("2007,9,5,17,45,30,42100.0,20.0,0,2800,"), std::string::npos);
    EXPECT_NE(saved.find("2007,9,7,8,0,0,42300.0,28.0,0,3920,"), std::string::npos);
    EXPECT_EQ(second.Ask("rows").size(), 6u);
}

TEST(TwoWindows, OnTwoVehiclesBothAddEntriesAndNeitherLosesOne) {
    TempFolder card;
    std::filesystem::create_directories(card / "Tarvo");
    const std::string log = card / "Tarvo/Tarvo.csv";
    WriteBytes(log, FormatLogFile(WorkedExample()));
    const std::string van = AddVehicleLog(log, "Van", LogUnits{}).path;
    ASSERT_FALSE(van.empty());

    Window first(card.path());
    EXPECT_EQ(first.Ask("messages"), std::vector<std::string>{});  // it has the log open now
    Window second(card.path());
    EXPECT_EQ(second.Ask("messages").size(), 1u);  // so the second only reads it
    // The first goes to the van, letting the first log go: the second may change that one now.
    first.Ask("vehicle Van");
    EXPECT_EQ(first.Ask("rows").size(), 0u);
    for (int round = 0; round < 2; ++round) {
        const std::string day = std::to_string(10 + round);
        first.Ask("input 2024 3 " + day + " 8 0 0 " + std::to_string(1000 + round * 300) +
                  " 40 150");
        second.Ask("input 2007 9 " + day + " 17 45 30 " + std::to_string(42100 + round * 300) +
                   " 20 140");
    }
    EXPECT_EQ(first.Ask("messages"), std::vector<std::string>{});
    EXPECT_EQ(EntryLines(ReadBytes(van)), 2);
    EXPECT_EQ(EntryLines(ReadBytes(log)), 6);
    EXPECT_EQ(first.Ask("rows").size(), 2u);
    EXPECT_EQ(second.Ask("rows").size(), 6u);
}

TEST(TwoWindows, AVehicleShownInAnotherWindowIsRemovedOnlyOnceThatWindowLetsItGo) {
    TempFolder card;
    std::filesystem::create_directories(card / "Tarvo");
    const std::string log = card / "Tarvo/Tarvo.csv";
    WriteBytes(log, FormatLogFile(WorkedExample()));
    const std::string van = AddVehicleLog(log, "Van", LogUnits{}).path;

    Window first(card.path());
    first.Ask("vehicle Van");
    Window second(card.path());
    second.Ask("vehicle Van");
    EXPECT_EQ(second.Ask("messages").size(), 1u);  // the van is open in the first, read-only here
    second.Ask("remove");
    // The question, the refusal, and the van shown read-only again.
    const std::vector<std::string> refused = second.Ask("messages");
    ASSERT_EQ(refused.size(), 3u);
    EXPECT_NE(refused[1].find("Close it there first. The vehicle was not removed."),
              std::string::npos)
        << refused[1];
    EXPECT_TRUE(std::filesystem::exists(van));
    EXPECT_EQ(second.Ask("vehicles"), (std::vector<std::string>{"Tarvo", "*Van"}))
        << "the refused window still shows the van";

    first.Ask("vehicle Tarvo");
    second.Ask("remove");
    // The question, and the first vehicle it then shows being open in the first window.
    EXPECT_EQ(second.Ask("messages").size(), 2u);
    EXPECT_FALSE(std::filesystem::exists(van));
    EXPECT_TRUE(std::filesystem::exists(van + ".removed"));
    EXPECT_EQ(second.Ask("vehicles"), std::vector<std::string>{"*Tarvo"});
}
