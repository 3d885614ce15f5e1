#include "file_snapshot.h"

#include <cerrno>
#include <cstring>

#include "file_bytes.h"

namespace {

// A 64-bit hash of bytes fed in pieces of any size, the same whatever the pieces. It tells
// whether a file's content changed; it is no defence against someone who crafts collisions.
// Each step is a bijection of the state, so two inputs that differ in one 8-byte word always
// hash differently.
class ContentHasher {
public:
    void Add(std::string_view bytes) {
        length_ += bytes.size();
        while (!bytes.empty() && pendingSize_ > 0) {
            TakeByte(bytes);
        }
        for (; bytes.size() >= sizeof(uint64_t); bytes.remove_prefix(sizeof(uint64_t))) {
            uint64_t word = 0;
            std::memcpy(&word, bytes.data(), sizeof word);
            state_ = Mix(state_, word);
        }
        while (!bytes.empty()) {
            TakeByte(bytes);
        }
    }

    uint64_t Value() const {
        uint64_t word = 0;
        std::memcpy(&word, pending_, pendingSize_);
        uint64_t value = Mix(Mix(state_, word), length_);
        value ^= value >> 29;
        value *= kMultiplier;
        return value ^ (value >> 32);
    }

private:
    static constexpr uint64_t kMultiplier = 0x9E3779B97F4A7C15u;  // odd: a bijection

    static uint64_t Mix(uint64_t state, uint64_t word) {
        state = (state ^ word) * kMultiplier;
        return state ^ (state >> 31);
    }

    void TakeByte(std::string_view& bytes) {
        // Never past the end: a full buffer is mixed in below and emptied. (The bound is written
        // out so that the compiler can see it too.)
        pending_[pendingSize_ % sizeof pending_] = bytes.front();
        ++pendingSize_;
        bytes.remove_prefix(1);
        if (pendingSize_ == sizeof pending_) {
            uint64_t word = 0;
            std::memcpy(&word, pending_, sizeof word);
            state_ = Mix(state_, word);
            pendingSize_ = 0;
        }
    }

    uint64_t state_ = 0x243F6A8885A308D3u;
    uint64_t length_ = 0;
    char pending_[sizeof(uint64_t)] = {};
    std::size_t pendingSize_ = 0;
};

}  // namespace

bool SameIdentity(const struct stat& info, const FileSnapshot& snapshot) {
    return static_cast<uint64_t>(info.st_dev) == snapshot.device &&
           static_cast<uint64_t>(info.st_ino) == snapshot.inode &&
           static_cast<uint64_t>(info.st_size) == snapshot.size &&
           info.st_mtim.tv_sec == snapshot.modifiedSeconds &&
           info.st_mtim.tv_nsec == snapshot.modifiedNanoseconds;
}

int HoldsSnapshotContent(int fd, const FileSnapshot& snapshot, bool& same) {
    // Read in pieces: checking must not need memory for a second copy of a large log.
    ContentHasher hasher;
    char piece[1 << 16];
    uint64_t size = 0;
    for (;;) {
        const ssize_t got = ReadSomeAt(fd, piece, sizeof piece, size);
        if (got < 0) {
            return errno;
        }
        if (got == 0) {
            break;
        }
        hasher.Add(std::string_view(piece, static_cast<std::size_t>(got)));
        size += static_cast<uint64_t>(got);
    }
    same = size == snapshot.size && hasher.Value() == snapshot.contentHash;
    return 0;
}

namespace {

ChangeCheck Changed(const std::string& path) {
    return {ChangeCheck::State::Changed,
            "\"" + path + "\" was changed elsewhere since it was read."};
}

ChangeCheck CannotRead(const std::string& path, int error) {
    return {ChangeCheck::State::Unreadable, SystemError("Cannot read", path, error).Text()};
}

}  // namespace

bool operator==(const FileSnapshot& a, const FileSnapshot& b) {
    return a.device == b.device && a.inode == b.inode && a.size == b.size &&
           a.modifiedSeconds == b.modifiedSeconds &&
           a.modifiedNanoseconds == b.modifiedNanoseconds && a.contentHash == b.contentHash;
}

FileSnapshot SnapshotOf(const struct stat& info, std::string_view bytes) {
    ContentHasher hasher;
    hasher.Add(bytes);
    FileSnapshot snapshot;
    snapshot.device = static_cast<uint64_t>(info.st_dev);
    snapshot.inode = static_cast<uint64_t>(info.st_ino);
    snapshot.size = bytes.size();
    snapshot.modifiedSeconds = info.st_mtim.tv_sec;
    snapshot.modifiedNanoseconds = info.st_mtim.tv_nsec;
    snapshot.contentHash = hasher.Value();
    return snapshot;
}

ChangeCheck FileChangedSince(const std::string& path, const FileSnapshot& snapshot) {
    FileDescriptor file(-1);
    struct stat info {};
    if (const Failure failed = OpenRegularFile(path, file, info)) {
        return {ChangeCheck::State::Unreadable, failed->Text()};
    }
    if (!SameIdentity(info, snapshot)) {
        return Changed(path);
    }
    bool same = false;
    if (const int error = HoldsSnapshotContent(file.get(), snapshot, same); error != 0) {
        return CannotRead(path, error);
    }
    return same ? ChangeCheck{} : Changed(path);
}

bool FileDiffersFrom(const std::string& path, const FileSnapshot& snapshot) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && !SameIdentity(info, snapshot);
}
