#include "win_app.h"

#include <cstdio>
#include <cstdlib>
#include <utility>

#include <QApplication>

#include "process_heap.h"
#include "qt_text.h"
#include "resource_table.h"

namespace {

CWinApp* g_app = nullptr;

// Without a display Qt would abort deep inside its start-up; say what is wrong instead.
bool DisplayReachable() {
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    if (platform != nullptr && *platform != '\0') {
        return true;
    }
    const char* x11 = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    return (x11 != nullptr && *x11 != '\0') || (wayland != nullptr && *wayland != '\0');
}

}  // namespace

CWinApp::CWinApp(std::u16string appName) : m_appName(std::move(appName)) {
    g_app = this;
}

CWinApp::~CWinApp() {
    if (g_app == this) {
        g_app = nullptr;
    }
}

CWinApp* AfxGetApp() {
    return g_app;
}

CWnd* AfxGetMainWnd() {
    return g_app == nullptr ? nullptr : g_app->m_pMainWnd;
}

int AfxWinMain(int argc, char** argv, const ResourceTable& resources) {
    if (!DisplayReachable()) {
        std::fprintf(stderr,
                     "%s: no display to show the window on (DISPLAY and WAYLAND_DISPLAY are not "
                     "set). Start it from a desktop session, or set QT_QPA_PLATFORM.\n",
                     argc > 0 ? argv[0] : "tarvo");
        return 2;
    }
    PrepareHeap();
    QApplication application(argc, argv);
    if (g_app == nullptr) {
        std::fprintf(stderr, "no application object\n");
        return 1;
    }
    AfxSetResourceTable(&resources);
    const QString name = ToQString(g_app->m_appName);
    QApplication::setApplicationName(name);
    // The desktop entry installed with the program is named after it in lower case; a Wayland
    // compositor matches the window to its entry (and icon) by this name.
    QGuiApplication::setDesktopFileName(name.toLower());
    g_app->InitInstance();
    return 0;
}
