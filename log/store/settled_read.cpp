#include "settled_read.h"

#include <time.h>

#include <cerrno>
#include <new>

#include "file_bytes.h"
#include "log_parse.h"

namespace {

// A writer that puts the file down in a few pieces is done within a few tens of milliseconds; a
// quarter of a second in all is still a pause no one minds before a save.
constexpr int kMostRereads = 5;
constexpr long kSettleNanoseconds = 50'000'000;

void WaitToSettle() {
    timespec wait{0, kSettleNanoseconds};
    while (::nanosleep(&wait, &wait) != 0 && errno == EINTR) {
    }
}

void Parse(SettledRead& result, LogBook& book, const std::array<double, 3>& values) {
    result.problems.clear();
    book.records = {};  // the bytes are in memory: a large log is never held twice
    book.reminders.value = values;
    ParseLog(result.bytes, book, result.problems);
}

}  // namespace

SettledRead ReadSettled(const WholeFileReader& read, const std::string& name, LogBook& book) {
    SettledRead result;
    struct stat info {};
    result.error = read(result.bytes, info);
    if (result.error) {
        return result;
    }
    // A reminder number that cannot be read keeps the value the book held before the first read,
    // not one a half-written file gave.
    const std::array<double, 3> values = book.reminders.value;
    try {
        result.snapshot = SnapshotOf(info, result.bytes);
        Parse(result, book, values);
        for (int reread = 0; !result.problems.empty(); ++reread) {
            if (reread == kMostRereads) {
                result.error = LogError{"Cannot read", name,
                                        "It keeps changing: another program is writing it"};
                break;
            }
            WaitToSettle();
            std::string again;
            result.error = read(again, info);
            if (result.error) {
                break;
            }
            const FileSnapshot next = SnapshotOf(info, again);
            const bool settled = next.size == result.snapshot.size &&
                                 next.contentHash == result.snapshot.contentHash;
            result.snapshot = next;
            if (settled) {
                break;  // the damage is the file's own
            }
            result.bytes = std::move(again);
            Parse(result, book, values);
        }
    } catch (const std::bad_alloc&) {
        result.error = SystemError("Cannot read", name, ENOMEM);
    }
    if (result.error) {
        book = LogBook{};
    }
    return result;
}

WholeFileReader ReaderOfPath(const std::string& path) {
    return
        [path](std::string& bytes, struct stat& info) { return ReadWholeFile(path, bytes, &info); };
}

WholeFileReader ReaderOfDescriptor(int fd, const std::string& name) {
    return [fd, name](std::string& bytes, struct stat& info) {
        return ReadWholeDescriptor(fd, name, bytes, &info);
    };
}
