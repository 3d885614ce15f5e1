#include "log_watcher.h"

#include <sys/inotify.h>
#include <unistd.h>

#include <cstdint>

#include "link_target.h"

namespace {

// Long enough for a program that writes the log in pieces to have finished, short enough that
// the screen follows the file within about a second.
constexpr int kSettleMilliseconds = 300;

// What happens to the log in its folder: written in place, renamed over or away, made, removed.
constexpr uint32_t kLogEvents =
    IN_MODIFY | IN_CLOSE_WRITE | IN_ATTRIB | IN_MOVED_TO | IN_MOVED_FROM | IN_CREATE | IN_DELETE;

}  // namespace

LogWatcher::LogWatcher(const std::string& logPath, QObject* parent)
    : QObject(parent), m_inotify(::inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {
    // A log reached through a link is replaced in the folder of the file the link leads to.
    const std::string file = FollowLinks(logPath).path;
    m_name = NameOf(file);
    m_settle.setSingleShot(true);
    m_settle.setInterval(kSettleMilliseconds);
    connect(&m_settle, &QTimer::timeout, this, &LogWatcher::changed);
    // Without a folder to watch (no card, no inotify), the window shows the log as it read it.
    if (m_inotify.get() < 0 ||
        ::inotify_add_watch(m_inotify.get(), FolderOf(file).c_str(), kLogEvents) < 0) {
        return;
    }
    m_notifier = new QSocketNotifier(m_inotify.get(), QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &LogWatcher::ReadEvents);
}

void LogWatcher::ReadEvents() {
    alignas(inotify_event) char events[4096];
    for (;;) {
        const ssize_t got = ::read(m_inotify.get(), events, sizeof events);
        if (got <= 0) {
            return;
        }
        for (ssize_t at = 0; at < got;) {
            const auto* event = reinterpret_cast<const inotify_event*>(events + at);
            // The name is padded with NULs to the event's length; events lost to a full queue
            // may have been the log's.
            if ((event->mask & IN_Q_OVERFLOW) != 0 || (event->len > 0 && m_name == event->name)) {
                m_settle.start();
            }
            at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
        }
    }
}
