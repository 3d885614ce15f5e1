#include "run_command_line.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <string>

#include "command_line.h"
#include "file_bytes.h"
#include "import_preview.h"
#include "log_export.h"
#include "log_location.h"
#include "log_transfer.h"
#include "number_text.h"
#include "ole_date_time.h"
#include "run_new_log.h"
#include "run_vehicles.h"

namespace {

constexpr int kDone = 0;
constexpr int kFailed = 1;
constexpr int kWrongUsage = 2;

constexpr char kNothingImported[] = "Nothing was imported.";

// Whether standard output was open when the program started; see HoldStandardDescriptors.
bool g_outputOpen = true;

// A standard descriptor the program was started without (`tarvo --import f >&-`) would be the
// number the next file opened gets: the lock file, the log, a save's temporary file, and what
// is printed would land in it. Each one closed is held on /dev/null instead; standard output
// held that way counts as output that cannot be written.
void HoldStandardDescriptors() {
    for (int fd = STDIN_FILENO; fd <= STDERR_FILENO; ++fd) {
        if (::fcntl(fd, F_GETFD) == -1 && errno == EBADF) {
            const int held = ::open("/dev/null", fd == STDIN_FILENO ? O_RDONLY : O_WRONLY);
            if (held != fd && held >= 0) {
                ::close(held);
            }
            g_outputOpen = g_outputOpen && fd != STDOUT_FILENO;
        }
    }
}

void AddLine(std::string& text, const std::string& line) {
    if (!line.empty()) {
        text += (text.empty() ? "" : "\n") + line;
    }
}

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
    if (!g_outputOpen) {
        Print(stderr, "Cannot write to standard output: " + ErrnoText(EBADF));
        return kFailed;
    }
    if (std::fflush(stdout) != 0 || std::ferror(stdout) != 0) {
        Print(stderr, "Cannot write to standard output: " + ErrnoText(errno));
        return kFailed;
    }
    return status;
}

int RunExport(const std::string& log, const std::string& destination) {
    LogBook book;
    LogSession session(log, book);
    const LogOpening opening = session.Open({LockUse::None, MissingLog::Fail});
    const LoadResult& read = opening.read;
    bool exported = read.ok();
    if (read.ok() && destination == "-") {
        const std::string table = ExportLog(book);
        std::fwrite(table.data(), 1, table.size(), stdout);
    } else if (read.ok()) {
        if (const Failure failed = ExportTo(session, destination)) {
            exported = false;
            Print(stderr, failed->Text());
        } else {
            Print(stdout, "Exported " +
                              Plural(static_cast<int64_t>(UsedCount(book)), "entry", "entries") +
                              " to \"" + destination + "\".");
        }
    }
    Print(stderr, read.Message(session.Path()));
    // The table holds every entry that could be read; a damaged log still makes it a failure.
    return AfterOutputReached(exported && read.problems.empty() ? kDone : kFailed);
}

std::string ImportedText(int32_t added, int32_t alreadyThere, bool logMade,
                         const std::string& log) {
    std::string text = "Added " +
                       (added == 0 ? std::string("nothing") : Plural(added, "entry", "entries")) +
                       " to \"" + log + "\"" + (logMade ? " (a new log)" : "");
    if (alreadyThere > 0) {
        text += "; " + Plural(alreadyThere, "row", "rows") +
                (alreadyThere == 1 ? " was" : " were") + " already in it";
    }
    return text + ".";
}

// Why the import cannot change the log, or empty when it can; the log is read by then.
std::string ImportRefusal(const LogOpening& opening, LogSession& session, bool dryRun) {
    const std::string& log = session.Path();
    if (opening.missing) {
        return opening.missing->Text();
    }
    if (opening.readOnly) {
        return opening.lockError ? opening.lockError->Text()
                                 : OpenElsewhere(log, opening.holder) +
                                       " Import from that window's File menu, or close it first.";
    }
    if (!opening.read.ok()) {
        return opening.read.error->Text();
    }
    if (!opening.read.SafeToReplace()) {
        return opening.read.Message(log);
    }
    if (!dryRun) {
        const ChangeReadiness ready = session.PrepareChange();
        if (!ready.Ready()) {
            return ready.error ? ready.error->Text() : "\"" + log + "\" cannot be changed now.";
        }
    }
    return {};
}

int RunImport(const CommandLine& line, const std::string& logPath) {
    // A reader of standard output that has gone must not end the import half way: what was
    // saved is said on standard error instead.
    std::signal(SIGPIPE, SIG_IGN);
    std::string bytes;
    if (const Failure failed = ReadWholeFile(line.file, bytes)) {
        Print(stderr, failed->Text() + "\n" + kNothingImported);
        return kFailed;
    }
    // A log that does not exist yet is planned as a fresh one and made only when entries are
    // saved to it: a dry run or a question left open writes nothing.
    LogBook book;
    LogSession session(logPath, book);
    const LogOpening opening =
        session.Open({line.dryRun ? LockUse::None : LockUse::Take, MissingLog::MakeWhenFirst});
    const std::string& log = session.Path();
    if (const std::string refusal = ImportRefusal(opening, session, line.dryRun);
        !refusal.empty()) {
        Print(stderr, refusal + "\n" + kNothingImported);
        return kFailed;
    }
    std::string message = opening.read.Message(log);
    if (opening.willBeMade && line.dryRun) {
        message = "\"" + log + "\" does not exist yet; the import will make it.";
    }
    ImportOptions options = line.answers;
    SYSTEMTIME now;
    if (COleDateTime::GetCurrentTime().GetAsSystemTime(now)) {
        options.now = now;
    }
    const ImportPlan plan = PlanImportInto(session, bytes, options);
    Print(stdout, ImportPreview(plan));
    if (!plan.unusable.empty() || !plan.questions.empty()) {
        if (!plan.questions.empty()) {
            std::string hints = "To answer on the command line, run it again with:";
            for (const ImportQuestion& question : plan.questions) {
                hints += "\n  " + AnswerHint(question);
            }
            Print(stdout, hints);
        }
        Print(stderr, message + (message.empty() ? "" : "\n") + kNothingImported);
        return AfterOutputReached(kFailed);
    }
    if (line.dryRun) {
        Print(stdout, "A dry run: nothing was written.");
        Print(stderr, message);
        return AfterOutputReached(kDone);
    }
    int32_t added = 0;
    if (!plan.entries.empty()) {
        const ImportResult done = ImportPlanned(session, plan);
        AddLine(message, done.change.message);
        AddLine(message, done.change.readBack.Message(log));
        if (done.change.result != ChangeResult::Saved) {
            Print(stderr, message);
            return AfterOutputReached(kFailed);
        }
        added = done.added;
    }
    Print(stderr, message);
    // The entries are saved: the status says so even when standard output is gone, and the
    // summary then goes to standard error.
    const std::string summary = ImportedText(added, static_cast<int32_t>(plan.inLog.size()),
                                             opening.willBeMade && added > 0, log);
    Print(stdout, summary);
    if (AfterOutputReached(kDone) != kDone) {
        Print(stderr, summary);
    }
    return kDone;
}

}  // namespace

std::optional<int> RunCommandLine(int argc, const char* const* argv) {
    const CommandLine line = ParseCommandLine(argc, argv);
    if (line.action != CommandAction::RunWindow) {
        HoldStandardDescriptors();
    }
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
        case CommandAction::Import:
            break;
        case CommandAction::NewLog:
            return RunNewLog(line.units, line.vehicle);
        case CommandAction::ListVehicles:
            return AfterOutputReached(RunListVehicles());
    }
    std::string noVehicle;
    const std::optional<std::string> log = VehicleLogPath(line.vehicle, noVehicle);
    if (!log) {
        Print(stderr, noVehicle);
        return kFailed;
    }
    return line.action == CommandAction::Export ? RunExport(*log, line.file)
                                                : RunImport(line, *log);
}
