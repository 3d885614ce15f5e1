#include "probe_run.h"

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>

#include "monotonic_clock.h"

namespace {

std::map<std::string, long long> ParseFigures(const std::string& text) {
    std::map<std::string, long long> figures;
    char name[64];
    long long value = 0;
    for (const char* line = text.c_str(); std::sscanf(line, "%63s %lld", name, &value) == 2;) {
        figures[name] = value;
        line = std::strchr(line, '\n');
        if (line == nullptr) {
            break;
        }
        ++line;
    }
    return figures;
}

}  // namespace

std::map<std::string, long long> RunProbe(const std::vector<std::string>& command) {
    std::vector<char*> argv;
    for (const std::string& word : command) {
        argv.push_back(const_cast<char*>(word.c_str()));
    }
    argv.push_back(nullptr);
    int out[2];
    if (command.empty() || ::pipe(out) != 0) {
        return {{"exit_status", 127}};
    }
    const long long started = MonotonicNanoseconds();
    const pid_t child = ::fork();
    if (child == 0) {
        ::dup2(out[1], STDOUT_FILENO);
        ::close(out[0]);
        ::close(out[1]);
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    ::close(out[1]);
    std::string text;
    char buffer[256];
    ssize_t got = 0;
    while (child > 0 && (got = ::read(out[0], buffer, sizeof buffer)) > 0) {
        text.append(buffer, static_cast<std::size_t>(got));
    }
    ::close(out[0]);
    int status = 0;
    rusage usage{};
    if (child < 0 || ::wait4(child, &status, 0, &usage) != child) {
        return {{"exit_status", 127}};
    }
    std::map<std::string, long long> figures = ParseFigures(text);
    figures["started_ns"] = started;
    figures["exit_status"] = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    figures["cpu_us"] = (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1'000'000LL +
                        usage.ru_utime.tv_usec + usage.ru_stime.tv_usec;
    figures["minor_faults"] = usage.ru_minflt;
    return figures;
}
