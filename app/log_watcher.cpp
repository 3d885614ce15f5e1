#include "log_watcher.h"

#include "link_target.h"

namespace {

// Long enough for a program that writes the log in pieces to have finished, short enough that
// the screen follows the file within about a second.
constexpr int kSettleMilliseconds = 300;

}  // namespace

LogWatcher::LogWatcher(const std::string& logPath, QObject* parent)
    : QObject(parent),
      m_file(QString::fromStdString(logPath)),
      // A log reached through a link is replaced in the folder of the file the link leads to.
      m_folder(QString::fromStdString(FolderOf(FollowLinks(logPath).path))) {
    m_settle.setSingleShot(true);
    m_settle.setInterval(kSettleMilliseconds);
    connect(&m_settle, &QTimer::timeout, this, &LogWatcher::changed);
    connect(&m_watcher, &QFileSystemWatcher::fileChanged, this, &LogWatcher::Changed);
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this, &LogWatcher::Changed);
    Watch();
}

void LogWatcher::Watch() {
    // Adding a path that is watched already, or one that does not exist (yet), changes nothing.
    for (const QString& path : {m_file, m_folder}) {
        if (!m_watcher.files().contains(path) && !m_watcher.directories().contains(path)) {
            m_watcher.addPath(path);
        }
    }
}

void LogWatcher::Changed() {
    Watch();
    m_settle.start();
}
