#pragma once

#include <string>

#include <QObject>
#include <QSocketNotifier>
#include <QTimer>

#include "file_descriptor.h"

// Watches the folder the log lies in and says when the log changed there: another Tarvo window
// saved, a sync tool brought a newer copy, an editor wrote it. Every save renames a new file over
// the log, which would end a watch on the file itself; a watch on the folder sees the rename and
// every write to the file in place. A burst of changes (a program writing the file in pieces) is
// told once, a moment after it ended, so the file is read when it is whole.
//
// The folder is watched through inotify with the path's own bytes: a storage folder whose name is
// not valid UTF-8 (TARVO_STORAGE on an old card) is watched as well as any, where going through
// text would name a folder that does not exist.
class LogWatcher : public QObject {
    Q_OBJECT

public:
    LogWatcher(const std::string& logPath, QObject* parent);

signals:
    void changed();

private:
    void ReadEvents();

    std::string m_name;  // of the log file in the folder watched
    FileDescriptor m_inotify;
    QSocketNotifier* m_notifier = nullptr;
    QTimer m_settle;
};
