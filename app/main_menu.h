#pragma once

#include <functional>

class QMenuBar;

// What the main window's menus do.
struct MainMenuCommands {
    std::function<void()> exportLog;
    std::function<void()> importLog;
    std::function<void()> openLogFolder;
    std::function<void()> quit;
    std::function<void()> charts;
    std::function<void(bool)> markDueReminders;
    std::function<void()> about;
};

// The menu bar above the main window's controls: File (Export..., Import..., Open the log's
// folder, Quit), View (Charts..., Mark reminders that are due), Help (About Tarvo), with their
// mnemonics and shortcuts. `markDue` is the View toggle's state to start with.
QMenuBar* BuildMainMenu(const MainMenuCommands& commands, bool markDue);
