#include "run_command_line.h"

#include <cerrno>
#include <cstdio>
#include <string>

#include "command_line.h"
#include "device_storage.h"
#include "file_bytes.h"
#include "log_location.h"
#include "log_transfer.h"
#include "number_text.h"
#include "run_new_log.h"

namespace {

constexpr int kDone = 0;
constexpr int kFailed = 1;
constexpr int kWrongUsage = 2;

constexpr char kNothingImported[] = "Nothing was imported.";

// `text`, ended by a line end unless it has one; nothing for empty text.
void Print(std::FILE* to, const std::string& text) {
    if (!text.empty()) {
        std::fwrite(text.data(), 1, text.size(), to);
        if (text.back() != '\n') {
            std::fputc('\n', to);
        }
    }
}

// What was printed on standard output must have arrived: a full disk or a closed pipe behind it
// is a failure like any other.
int AfterOutputReached(int status) {
    if (std::fflush(stdout) != 0 || std::ferror(stdout) != 0) {
        Print(stderr, "Cannot write to standard output: " + ErrnoText(errno));
        return kFailed;
    }
    return status;
}

int RunExport(const std::string& destination) {
    const std::string log = MapDevicePath(kLogDevicePath);
    const bool toOutput = destination == "-";
    const ExportOutcome outcome = toOutput ? ExportLogTable(log) : ExportLogTo(log, destination);
    if (toOutput) {
        std::fwrite(outcome.table.data(), 1, outcome.table.size(), stdout);
    } else if (outcome.exported) {
        Print(stdout, "Exported " + Plural(outcome.entries, "entry", "entries") + " to \"" +
                          destination + "\".");
    }
    Print(stderr, outcome.message);
    return AfterOutputReached(outcome.exported && !outcome.damaged ? kDone : kFailed);
}

std::string ImportedText(const ImportOutcome& outcome, const std::string& log) {
    std::string text =
        "Added " +
        (outcome.added == 0 ? std::string("nothing") : Plural(outcome.added, "entry", "entries")) +
        " to \"" + log + "\"" + (outcome.logMade ? " (a new log)" : "");
    if (outcome.alreadyThere > 0) {
        text += "; " + Plural(outcome.alreadyThere, "row", "rows") +
                (outcome.alreadyThere == 1 ? " was" : " were") + " already in it";
    }
    return text + ".";
}

int RunImport(const CommandLine& line) {
    std::string bytes;
    if (const int error = ReadWholeFile(line.file, bytes); error != 0) {
        Print(stderr,
              "Cannot read \"" + line.file + "\": " + ErrnoText(error) + "\n" + kNothingImported);
        return kFailed;
    }
    const std::string log = MapDevicePath(kLogDevicePath);
    LogLock lock;
    const ImportOutcome outcome = ImportIntoLog(lock, log, bytes, line.answers, line.dryRun);
    Print(stdout, outcome.preview);
    std::string message = outcome.message;
    switch (outcome.status) {
        case ImportStatus::Questions: {
            std::string hints = "To answer on the command line, run it again with:";
            for (const ImportQuestion& question : outcome.plan.questions) {
                hints += "\n  " + AnswerHint(question);
            }
            Print(stdout, hints);
            message += (message.empty() ? "" : "\n") + std::string(kNothingImported);
            break;
        }
        case ImportStatus::Unusable:
            message += (message.empty() ? "" : "\n") + std::string(kNothingImported);
            break;
        case ImportStatus::Previewed:
            Print(stdout, "A dry run: nothing was written.");
            break;
        case ImportStatus::Imported:
            Print(stdout, ImportedText(outcome, log));
            break;
        case ImportStatus::Refused:
        case ImportStatus::NotSaved:
            break;
    }
    Print(stderr, message);
    const bool done =
        outcome.status == ImportStatus::Previewed || outcome.status == ImportStatus::Imported;
    return AfterOutputReached(done ? kDone : kFailed);
}

}  // namespace

std::optional<int> RunCommandLine(int argc, const char* const* argv) {
    const CommandLine line = ParseCommandLine(argc, argv);
    switch (line.action) {
        case CommandAction::RunWindow:
            return std::nullopt;
        case CommandAction::Help:
            Print(stdout, UsageText());
            return AfterOutputReached(kDone);
        case CommandAction::Version:
            Print(stdout, VersionText());
            return AfterOutputReached(kDone);
        case CommandAction::UsageError:
            Print(stderr, "tarvo: " + line.error + "\n\n" + UsageText());
            return kWrongUsage;
        case CommandAction::Export:
            return RunExport(line.file);
        case CommandAction::Import:
            return RunImport(line);
        case CommandAction::NewLog:
            return RunNewLog(line.units);
    }
    return std::nullopt;
}
