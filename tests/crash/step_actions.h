#pragma once

#include <functional>

// Another program's action at a chosen step of a save, in this test program only: it is linked
// with the core's calls at those steps wrapped (ld --wrap, see CMakeLists.txt), so production code
// carries no hooks, and a race is met on the step itself, never on a timer.

enum class SaveStep {
    Swap,    // renameat2: the exchange of the staged file and the log
    Rename,  // rename: putting a staged file in place where names cannot be exchanged
    Settle,  // nanosleep: the pause before a damaged file is read again (never slept here)
};

// Runs `action` once, just before the next call at `step`.
void BeforeStep(SaveStep step, std::function<void()> action);

// Whether the file system exchanges names; when not, renameat2 with RENAME_EXCHANGE fails with
// EINVAL, as on vfat.
void ExchangeNames(bool can);
