#pragma once

#include <functional>

#include "log_units.h"

class QMenuBar;

// What the main window's menus do.
struct MainMenuCommands {
    std::function<void()> exportLog;
    std::function<void()> importLog;
    std::function<void()> openLogFolder;
    std::function<void()> quit;
    std::function<void()> charts;
    std::function<void(bool)> markDueReminders;
    std::function<void(Economy)> economy;
    std::function<void()> logSettings;
    std::function<void()> about;
};

// The menu bar above the main window's controls: File (Export..., Import..., Log settings...,
// Open the log's folder, Quit), View (Charts..., Mark reminders that are due, Economy: distance
// per quantity or quantity per 100 of the distance), Help (About Tarvo), with their mnemonics and
// shortcuts. `markDue` is the View toggle's state to start with, `economy` the economy chosen.
QMenuBar* BuildMainMenu(const MainMenuCommands& commands, bool markDue, Economy economy);

// Names the two economies of View > Economy in the log's units ("km/L", "L/100 km"; "mpg (US)",
// "gal/100 mi") and checks the one shown.
void ShowEconomyChoices(QMenuBar* bar, const LogUnits& units, Economy economy);
