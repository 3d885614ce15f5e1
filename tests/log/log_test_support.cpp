#include "log_test_support.h"

#include <grp.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include <gtest/gtest.h>

namespace fs = std::filesystem;

TempFolder::TempFolder() {
    std::string pattern = (fs::temp_directory_path() / "tarvo-log-test-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        ADD_FAILURE() << "cannot make a temporary folder";
    }
    path_ = pattern;
}

TempFolder::~TempFolder() {
    // Tests take rights away from files and folders; give them back so everything can go.
    std::error_code ignored;
    for (auto it = fs::recursive_directory_iterator(path_, ignored);
         it != fs::recursive_directory_iterator(); it.increment(ignored)) {
        fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ignored);
    }
    fs::remove_all(path_, ignored);
}

std::vector<std::string> TempFolder::Names(const std::string& sub) const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(sub.empty() ? path_ : path_ + "/" + sub)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::string Said(const Failure& failure) {
    return failure ? failure->Text() : std::string();
}

void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
    ASSERT_TRUE(out.good()) << path;
}

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

LogRecord Entry(uint16_t year, uint16_t month, uint16_t day, uint16_t hour, uint16_t minute,
                uint16_t second, double odo, double fuel, int32_t kind, int32_t cost) {
    LogRecord r;
    r.time.wYear = year;
    r.time.wMonth = month;
    r.time.wDay = day;
    r.time.wHour = hour;
    r.time.wMinute = minute;
    r.time.wSecond = second;
    r.odo = odo;
    r.fuel = fuel;
    r.kind = kind;
    r.cost = cost;
    return r;
}

LogBook BookOf(const std::vector<LogRecord>& entries) {
    LogBook book;
    book.records = entries;
    book.records.emplace_back();
    book.count = static_cast<int32_t>(entries.size());
    for (const LogRecord& r : entries) {
        book.totalCost += r.cost;
        book.fuelCost += r.fuel != 0.0 ? r.cost : 0;
    }
    return book;
}

LogBook WorkedExample() {
    LogBook book = BookOf({
        Entry(2007, 9, 1, 12, 0, 0, 41950.0, 0.0, Maintenance, 8400),
        Entry(2007, 8, 26, 7, 30, 45, 41890.0, 30.2, FillUp, 4288),
        Entry(2007, 8, 15, 18, 40, 12, 41502.5, 12.0, NotFillUp, 1716),
        Entry(2007, 8, 4, 9, 5, 0, 41230.0, 38.5, FillUp, 5390),
    });
    book.reminders.label = {u"CHANGE OIL BEFORE", u"CHANGE AIR-F BEFORE", u""};
    book.reminders.value = {45000.0, 50000.0, 0.0};
    return book;
}

std::vector<std::string> EnteredFields(const LogBook& book) {
    std::vector<std::string> texts;
    for (int32_t i = 0; i < book.count; ++i) {
        const LogRecord& r = book.records[static_cast<std::size_t>(i)];
        std::ostringstream text;
        text.precision(17);
        text << r.time.wYear << '/' << r.time.wMonth << '/' << r.time.wDay << ' ' << r.time.wHour
             << ':' << r.time.wMinute << ':' << r.time.wSecond << " dow " << r.time.wDayOfWeek
             << " ms " << r.time.wMilliseconds << " odo " << r.odo << " fuel " << r.fuel << " kind "
             << r.kind << " cost " << r.cost;
        texts.push_back(text.str());
    }
    return texts;
}

bool MakeAt(const std::string& path, const std::string& what) {
    const std::size_t colon = what.find(':');
    const std::string kind = what.substr(0, colon);
    const std::string rest = colon == std::string::npos ? "" : what.substr(colon + 1);
    const std::string beside = path.substr(0, path.rfind('/') + 1) + rest;
    if (kind == "file" || kind == "read-only") {
        WriteBytes(path, rest);
        return kind == "file" || ::chmod(path.c_str(), 0444) == 0;
    }
    return kind == "folder"      ? ::mkdir(path.c_str(), 0755) == 0
           : kind == "pipe"      ? ::mkfifo(path.c_str(), 0666) == 0
           : kind == "device"    ? ::mknod(path.c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0
           : kind == "link"      ? ::symlink(rest.c_str(), path.c_str()) == 0
           : kind == "hard link" ? ::link(beside.c_str(), path.c_str()) == 0
                                 : false;
}

std::string InChildProcess(const std::function<std::string()>& run) {
    int pipeEnds[2];
    if (::pipe(pipeEnds) != 0) {
        ADD_FAILURE() << "pipe";
        return {};
    }
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(pipeEnds[0]);
        const std::string answer = run();
        const ssize_t written = ::write(pipeEnds[1], answer.data(), answer.size());
        ::_exit(written == static_cast<ssize_t>(answer.size()) ? 0 : 1);
    }
    ::close(pipeEnds[1]);
    std::string answer;
    char chunk[512];
    for (ssize_t got; (got = ::read(pipeEnds[0], chunk, sizeof chunk)) > 0;) {
        answer.append(chunk, static_cast<std::size_t>(got));
    }
    ::close(pipeEnds[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the child did not end well";
    return answer;
}

std::string AsOrdinaryUser(const std::function<std::string()>& run) {
    if (::geteuid() != 0) {
        return run();
    }
    return InChildProcess([&] {
        constexpr uid_t kNobody = 65534;
        const bool dropped = ::setgroups(0, nullptr) == 0 && ::setgid(kNobody) == 0 &&
                             ::setuid(kNobody) == 0 && ::geteuid() == kNobody;
        return dropped ? run() : std::string("(the child could not drop to an ordinary user)");
    });
}

FileSizeLimit::FileSizeLimit(rlim_t bytes) : oldHandler_(::signal(SIGXFSZ, SIG_IGN)) {
    ::getrlimit(RLIMIT_FSIZE, &saved_);
    const rlimit limit{bytes, saved_.rlim_max};
    EXPECT_EQ(::setrlimit(RLIMIT_FSIZE, &limit), 0);
}

FileSizeLimit::~FileSizeLimit() {
    ::setrlimit(RLIMIT_FSIZE, &saved_);
    ::signal(SIGXFSZ, oldHandler_);
}
