#include "step_actions.h"

#include <stdio.h>
#include <time.h>

#include <cerrno>
#include <map>
#include <utility>

extern "C" {
int __real_renameat2(int fromFolder, const char* from, int toFolder, const char* to,
                     unsigned int flags);
int __real_rename(const char* from, const char* to);
}

namespace {

std::map<SaveStep, std::function<void()>> g_actions;
bool g_exchange = true;

void Reach(SaveStep step) {
    const auto found = g_actions.find(step);
    if (found != g_actions.end()) {
        const std::function<void()> action = std::move(found->second);
        g_actions.erase(found);  // taken first: the action may reach the step itself
        action();
    }
}

}  // namespace

void BeforeStep(SaveStep step, std::function<void()> action) {
    g_actions[step] = std::move(action);
}

void ExchangeNames(bool can) {
    g_exchange = can;
}

extern "C" {

int __wrap_renameat2(int fromFolder, const char* from, int toFolder, const char* to,
                     unsigned int flags) {
    Reach(SaveStep::Swap);
    if (!g_exchange && (flags & RENAME_EXCHANGE) != 0) {
        errno = EINVAL;
        return -1;
    }
    return __real_renameat2(fromFolder, from, toFolder, to, flags);
}

int __wrap_rename(const char* from, const char* to) {
    Reach(SaveStep::Rename);
    return __real_rename(from, to);
}

int __wrap_nanosleep(const timespec*, timespec*) {
    Reach(SaveStep::Settle);
    return 0;
}

}  // extern "C"
