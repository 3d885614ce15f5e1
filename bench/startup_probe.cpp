// The program as its main starts it, ended as soon as the main dialog has been painted for the
// first time: what the first paint reports is in first_paint.h. The log is the one on the card
// TARVO_STORAGE names. app_bench starts this program on Qt's offscreen platform, whole_startup on
// a virtual X display, each as a process of its own.

#include <QApplication>
#include <QTreeView>

#include "cdialog.h"
#include "first_paint.h"
#include "log_app.h"
#include "program_resources.h"
#include "resource.h"
#include "win_app.h"

namespace {

QWidget* LogListViewport() {
    auto* dialog = dynamic_cast<CDialog*>(AfxGetMainWnd());
    const auto* list = dialog == nullptr
                           ? nullptr
                           : qobject_cast<QTreeView*>(dialog->GetControlWidget(IDC_LOG_LIST));
    return list == nullptr ? nullptr : list->viewport();
}

// The real application, watched from the moment its start-up routine runs; the first paint ends
// the main dialog as the caption's OK button would, and with it the program.
class ProbeApp : public CLogApp {
public:
    BOOL InitInstance() override {
        FirstPaint watcher(LogListViewport, [] {
            if (auto* dialog = dynamic_cast<CDialog*>(AfxGetMainWnd())) {
                dialog->EndDialog(IDOK);
            }
        });
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
