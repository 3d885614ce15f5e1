// The program as its main starts it, ended as soon as the main dialog has been painted for the
// first time. It prints, one "name value" pair a line: the monotonic clock at that first paint
// (comparable with the clock of the process that started this one), and the resident memory at
// that moment and its peak, from /proc/self/status. The log is the one on the card TARVO_STORAGE
// names; app_bench starts this program and reads the figures.

#include <time.h>

#include <cstdio>
#include <fstream>
#include <string>

#include <QApplication>
#include <QEvent>
#include <QTreeView>

#include "log_app.h"
#include "log_dlg.h"
#include "program_resources.h"
#include "resource.h"
#include "win_app.h"

namespace {

long long MonotonicNanoseconds() {
    timespec now{};
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1'000'000'000LL + now.tv_nsec;
}

// Copies the named lines ("VmHWM:", "VmRSS:") of /proc/self/status to the output, in kB.
void PrintMemory() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        long long kb = 0;
        if (std::sscanf(line.c_str(), "VmHWM: %lld kB", &kb) == 1) {
            std::printf("vm_hwm_kb %lld\n", kb);
        } else if (std::sscanf(line.c_str(), "VmRSS: %lld kB", &kb) == 1) {
            std::printf("vm_rss_kb %lld\n", kb);
        }
    }
}

// Watches for the first paint of the log list; once that paint is done, reports and closes the
// main dialog, which ends the program as the caption's OK button would.
class FirstPaint : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (done_ || event->type() != QEvent::Paint) {
            return false;
        }
        auto* dialog = dynamic_cast<CDialog*>(AfxGetMainWnd());
        const auto* list = dialog == nullptr
                               ? nullptr
                               : qobject_cast<QTreeView*>(dialog->GetControlWidget(IDC_LOG_LIST));
        if (list == nullptr || watched != list->viewport()) {
            return false;
        }
        done_ = true;
        // Queued: runs after the whole window's paint has finished.
        QMetaObject::invokeMethod(
            qApp,
            [dialog] {
                std::printf("first_paint_ns %lld\n", MonotonicNanoseconds());
                PrintMemory();
                std::fflush(stdout);
                dialog->EndDialog(IDOK);
            },
            Qt::QueuedConnection);
        return false;
    }

private:
    bool done_ = false;
};

class ProbeApp : public CLogApp {
public:
    BOOL InitInstance() override {
        FirstPaint watcher;
        qApp->installEventFilter(&watcher);
        const BOOL result = CLogApp::InitInstance();
        qApp->removeEventFilter(&watcher);
        return result;
    }
};

ProbeApp theApp;

}  // namespace

int main(int argc, char** argv) {
    return AfxWinMain(argc, argv, ProgramResources());
}
