#pragma once

#include <map>
#include <string>
#include <vector>

// Starts `command` (the program's path, then its arguments) as a process of its own, with this
// process's environment, and waits for it to end. Returns the "name value" pairs it printed on
// its standard output, beside "started_ns" (the monotonic clock just before the process was
// created), "exit_status" (its exit code, or 128 plus the signal that ended it; 127 when it
// could not be started), and what it used up to its end: "cpu_us" (user and system time) and
// "minor_faults" (pages it touched for the first time, each of which the system had to provide).
std::map<std::string, long long> RunProbe(const std::vector<std::string>& command);
