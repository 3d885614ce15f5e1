#pragma once

#include <string>

#include "cmd_target.h"

class CWnd;
struct ResourceTable;

// The application object. Exactly one exists, as a static object of the program; the platform's
// entry point creates the GUI, calls InitInstance, and ends the program when it returns.
class CWinApp : public CCmdTarget {
public:
    // `appName` names the program: the title of its message boxes and of untitled dialogs.
    explicit CWinApp(std::u16string appName);
    ~CWinApp() override;

    virtual BOOL InitInstance() { return FALSE; }

    std::u16string m_appName;
    CWnd* m_pMainWnd = nullptr;
};

CWinApp* AfxGetApp();
CWnd* AfxGetMainWnd();

// The program's entry: checks that a display can be reached, starts Qt, makes `resources` the
// table the platform finds templates and icons in, runs InitInstance. Returns the process exit
// code.
int AfxWinMain(int argc, char** argv, const ResourceTable& resources);
