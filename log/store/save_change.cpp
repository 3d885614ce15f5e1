#include "save_change.h"

#include "log_load.h"
#include "log_save.h"

namespace {

constexpr char kNotSaved[] = "\nThe change was not saved.";

ChangeSaveResult NotSaved(const std::string& why) {
    ChangeSaveResult result;
    result.message = why + kNotSaved;
    return result;
}

// Why a change could not be made to the newer file; follows the sentence saying it changed.
std::string WhyNotApplied(ApplyOutcome outcome) {
    if (outcome == ApplyOutcome::UnitsDiffer) {
        return " It now holds entries in other units or another currency.";
    }
    return outcome == ApplyOutcome::EntryGone
               ? " The entry is no longer in it."
               : " The entry is now the oldest in it, the start of the first trip, which is kept.";
}

// The file changed since it was read (`newer` says so): reads it again and makes the change to
// what it holds now.
ChangeSaveResult SaveOnNewerFile(const std::string& path, const std::string& newer,
                                 const LogChange& change) {
    LogBook book;
    const LoadResult loaded = LoadLog(book, path);
    if (!loaded.SafeToReplace()) {
        return NotSaved(loaded.Message(path));
    }
    const std::string damage = loaded.problems.empty() ? "" : loaded.Message(path) + "\n";
    const ApplyOutcome outcome = ApplyAndRecompute(book, change);
    if (outcome != ApplyOutcome::Applied) {
        return NotSaved(damage + newer + WhyNotApplied(outcome));
    }
    const SaveResult saved = SaveLog(book, path);
    if (!saved.ok) {
        return NotSaved(damage + newer + "\n" + saved.error);
    }
    ChangeSaveResult result;
    result.saved = true;
    result.fileHadChanged = true;
    result.message = damage + newer + " Your change was made to what it holds now.";
    result.written = saved.written;
    return result;
}

}  // namespace

ChangeSaveResult SaveChange(const LogBook& changed, const std::string& path,
                            const FileSnapshot& read, const LogChange& change) {
    const ChangeCheck check = FileChangedSince(path, read);
    if (check.state == ChangeCheck::State::Unreadable) {
        return NotSaved(check.reason);
    }
    if (check.state == ChangeCheck::State::Changed) {
        return SaveOnNewerFile(path, check.reason, change);
    }
    const SaveResult saved = SaveLog(changed, path);
    if (!saved.ok) {
        return NotSaved(saved.error);
    }
    ChangeSaveResult result;
    result.saved = true;
    result.written = saved.written;
    return result;
}
