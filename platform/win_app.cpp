#include "win_app.h"

#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include <QApplication>

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

// Sets the C library's heap up for a program that reads a whole log into memory and lists every
// entry of it, on systems where each page touched for the first time costs far more than the
// instructions that fill it.
void PrepareHeap() {
    // Blocks up to 32 MiB (the file's bytes, the records, the list's rows of a large log) come
    // from the heap rather than from mappings of their own; the heap grows in steps of 64 MiB
    // and keeps that much free at its end. What one load frees, the next reuses, instead of
    // mapping fresh pages, touching them one by one and unmapping them again.
    constexpr int kLargeBlock = 32 << 20;
    constexpr uintptr_t kHeapStep = 64 << 20;
    mallopt(M_MMAP_THRESHOLD, kLargeBlock);
    mallopt(M_TRIM_THRESHOLD, static_cast<int>(kHeapStep));
    mallopt(M_TOP_PAD, static_cast<int>(kHeapStep));

    // The heap past the next 2 MiB boundary is given transparent huge pages, where the system
    // offers them to memory that asks: one fault then provides 2 MiB instead of 4 KiB. A page
    // touched before the advice would keep its 2 MiB to small pages, so the advice comes first.
    // A block that is never freed fills the heap from its unused top to that boundary: taking it
    // makes the heap grow by a step while touching nothing past the boundary (the next block's
    // header, 16 bytes in the C library's layout, lies just below it), and everything given out
    // later lies past it. Where huge pages are not offered the advice fails, and the block only
    // occupies addresses: nothing touches its pages.
    constexpr uintptr_t kHugePage = 2 << 20;
    constexpr uintptr_t kChunkHeader = 2 * sizeof(size_t);
    const auto end = reinterpret_cast<uintptr_t>(sbrk(0));
    const uintptr_t top = end - mallinfo2().keepcost;
    const uintptr_t boundary = (end + 2 * kChunkHeader + kHugePage - 1) / kHugePage * kHugePage;
    static void* const belowBoundary = malloc(boundary - kChunkHeader - top - kChunkHeader);
    const auto grown = reinterpret_cast<uintptr_t>(sbrk(0));
    if (belowBoundary != nullptr && grown > boundary) {
        madvise(reinterpret_cast<void*>(boundary), grown - boundary, MADV_HUGEPAGE);
    }
}

}  // namespace

CWinApp::CWinApp(const char16_t* appName) : m_appName(appName != nullptr ? appName : u"Tarvo") {
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
