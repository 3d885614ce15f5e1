#pragma once

#include <string>

#include "log_import.h"
#include "log_units.h"

// What the program's arguments ask for. Our options are long ones with two dashes; their values
// follow as the next argument or after "=". Qt's options keep their one dash (-platform xcb,
// -style Fusion, -reverse...) and reach Qt untouched when the window runs: they are recognised
// from a table of Qt's documented options rather than passed on blindly, because Qt silently
// ignores what it does not know, and a mistyped option must be refused, never ignored.
enum class CommandAction {
    RunWindow,
    Export,
    Import,
    NewLog,
    ListVehicles,
    Help,
    Version,
    UsageError
};

struct CommandLine {
    CommandAction action = CommandAction::RunWindow;
    // Export: where the table goes, "-" for standard output. Import: the file to read.
    std::string file;
    bool dryRun = false;    // Import: plan and show, write nothing
    ImportOptions answers;  // Import: the answers to the import's questions
    LogUnits units;         // NewLog: the units and currency of the log to make
    std::string vehicle;    // Export, Import, NewLog: the vehicle whose log it is; empty: the first
    std::string error;      // UsageError: what is wrong, in one sentence
};

CommandLine ParseCommandLine(int argc, const char* const* argv);

// The options, the exit statuses and where the log is, for --help and after a usage error.
std::string UsageText();

// "Tarvo 1.10", the project's version.
std::string VersionText();

// How to answer an open question of an import on the command line, such as
// "--dates=day-first or --dates=month-first".
std::string AnswerHint(const ImportQuestion& question);
