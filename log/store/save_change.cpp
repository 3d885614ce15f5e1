#include "save_change.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <new>
#include <utility>
#include <vector>

#include "atomic_file.h"
#include "checked_replace.h"
#include "date_order.h"
#include "file_bytes.h"
#include "log_format.h"
#include "recompute.h"
#include "settled_read.h"

namespace {

constexpr char kNotSaved[] = "\nThe change was not saved.";

// Each round that finds the file changed reads it again and makes the change anew; a file that
// changes faster than it can be saved, round after round, is left to whoever keeps writing it.
constexpr int kMostRounds = 20;

using Outcome = CheckedReplace::Outcome;

ChangeSaveResult NotSaved(const std::string& why) {
    ChangeSaveResult result;
    result.message = why + kNotSaved;
    return result;
}

std::string ChangedElsewhere(const std::string& path) {
    return "\"" + path + "\" was changed elsewhere since it was read.";
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

// What the next round saves once a round found the file changed.
struct NextRound {
    std::string bytes;    // the newer file with the change made, or as it is when it cannot be
    FileSnapshot newer;   // of the newer file as read
    std::string refusal;  // why the change cannot be made to the newer file
};

// One command's change saved against a file that others may write at any moment. Each round
// stages the bytes to save and puts them in the log's place only while the log is the file
// expected (ReplaceIfUnchanged). When it is not, the newer file is read and the change made to
// it, and the next round saves that.
class CheckedSave {
public:
    CheckedSave(const std::string& path, const LogChange& change) : path_(path), change_(change) {}

    ChangeSaveResult Run(std::string bytes, FileSnapshot expected);

    // Ends a save that cannot go on. If this save's bytes stand in the log's place, built on a
    // file older than the one they displaced, that file is put back as it is.
    ChangeSaveResult GiveUp(const std::string& why);

private:
    NextRound MakeChangeToNewer(const CheckedReplace& swap);
    ChangeSaveResult Saved(bool changed, const std::string& refusal);

    const std::string& path_;
    const LogChange& change_;
    StagedFile staged_;
    bool oursInPlace_ = false;  // the log holds bytes of this save built on an older file
    // The newer files displaced from the log's place, under their temporary names until what
    // they hold is in place; the last is the newest.
    std::vector<std::string> displaced_;
};

ChangeSaveResult CheckedSave::Run(std::string bytes, FileSnapshot expected) {
    std::string refusal;  // once the change cannot be made, the newer file goes back as it is
    bool changed = false;
    for (int round = 0; round < kMostRounds; ++round) {
        if (const Failure failed = staged_.Stage(path_, bytes)) {
            return GiveUp("Cannot save \"" + path_ + "\": " + failed->why);
        }
        const CheckedReplace swap = ReplaceIfUnchanged(staged_, expected);
        if (swap.outcome == Outcome::Failed) {
            return GiveUp(swap.error.Text());
        }
        if (swap.outcome == Outcome::Replaced) {
            return Saved(changed, refusal);
        }
        changed = true;
        oursInPlace_ = swap.outcome == Outcome::ChangedAfter;
        NextRound next = MakeChangeToNewer(swap);
        refusal = std::move(next.refusal);
        if (!refusal.empty() && (!oursInPlace_ || next.bytes.empty())) {
            return GiveUp(refusal);
        }
        bytes = std::move(next.bytes);
        expected = oursInPlace_ ? staged_.written() : next.newer;
    }
    return GiveUp(ChangedElsewhere(path_) + " It kept changing while the change was saved.");
}

NextRound CheckedSave::MakeChangeToNewer(const CheckedReplace& swap) {
    if (!swap.displacedName.empty()) {
        displaced_.push_back(swap.displacedName);
    }
    NextRound next;
    LogBook book;
    SettledRead read = ReadSettled(swap.outcome == Outcome::ChangedAfter
                                       ? ReaderOfDescriptor(swap.displaced.get(), path_)
                                       : ReaderOfPath(path_),
                                   path_, book);
    next.newer = read.snapshot;
    if (read.error) {
        next.refusal = read.error->Text();
        return next;
    }
    // A file that changed and reads as damaged may be another program's write, half done: it
    // is not saved over, lest the rest of that write be lost.
    if (!read.problems.empty()) {
        next.refusal = ChangedElsewhere(path_) +
                       " It now reads as damaged: another program may still be writing it.";
        next.bytes = std::move(read.bytes);
        return next;
    }
    SortNewestFirst(book);
    RecomputeLog(book);
    const ApplyOutcome outcome = ApplyAndRecompute(book, change_);
    if (outcome != ApplyOutcome::Applied) {
        next.refusal = ChangedElsewhere(path_) + WhyNotApplied(outcome);
        next.bytes = std::move(read.bytes);
        return next;
    }
    read.bytes = {};
    next.bytes = FormatLogFile(book);
    return next;
}

ChangeSaveResult CheckedSave::Saved(bool changed, const std::string& refusal) {
    for (const std::string& name : displaced_) {
        ::unlink(name.c_str());
    }
    if (!refusal.empty()) {
        return NotSaved(refusal);  // the newer file is back in place, as it was
    }
    ChangeSaveResult result;
    result.saved = true;
    result.fileHadChanged = changed;
    result.written = staged_.written();
    if (changed) {
        result.message = ChangedElsewhere(path_) + " Your change was made to what it holds now.";
    }
    return result;
}

ChangeSaveResult CheckedSave::GiveUp(const std::string& why) {
    if (oursInPlace_ && !displaced_.empty() &&
        std::rename(displaced_.back().c_str(), staged_.target().c_str()) == 0) {
        displaced_.pop_back();
    }
    for (const std::string& name : displaced_) {
        ::unlink(name.c_str());
    }
    displaced_.clear();
    return NotSaved(why);
}

}  // namespace

ChangeSaveResult SaveChange(const LogBook& changed, const std::string& path,
                            const FileSnapshot& read, const LogChange& change) {
    CheckedSave save(path, change);
    try {
        return save.Run(FormatLogFile(changed), read);
    } catch (const std::bad_alloc&) {
        return save.GiveUp(SystemError("Cannot save", path, ENOMEM).Text());
    }
}
