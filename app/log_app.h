#pragma once

#include "win_app.h"

// The application: runs the main dialog and ends when it closes.
class CLogApp : public CWinApp {
public:
    CLogApp() : CWinApp(u"Tarvo") {}
    BOOL InitInstance() override;
};
