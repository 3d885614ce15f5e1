#pragma once

#include <string>

#include <QFileSystemWatcher>
#include <QObject>
#include <QTimer>

// Watches the log file and the folder it lies in, and says when either changed: another Tarvo
// window saved, a sync tool brought a newer copy, an editor wrote it. Every save renames a new
// file over the log, which ends a watch on the file itself; the folder's watch sees the rename,
// and the file is watched again after each change. A burst of changes (a program writing the
// file in pieces) is told once, a moment after it ended, so the file is read when it is whole.
class LogWatcher : public QObject {
    Q_OBJECT

public:
    LogWatcher(const std::string& logPath, QObject* parent);

signals:
    void changed();

private:
    void Watch();
    void Changed();

    QString m_file;
    QString m_folder;
    QFileSystemWatcher m_watcher;
    QTimer m_settle;
};
