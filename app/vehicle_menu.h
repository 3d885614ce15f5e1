#pragma once

#include <functional>
#include <string>
#include <vector>

#include "vehicle_logs.h"

class QMenuBar;

// What the Vehicle menu does.
struct VehicleMenuCommands {
    std::function<void(const std::string& path)> show;  // switch to the vehicle whose log it is
    std::function<void()> add;
    std::function<void()> rename;
    std::function<void()> remove;
};

// Adds the Vehicle menu before Help: the vehicles, the one shown checked, then Add a vehicle...,
// Rename this vehicle... and Remove this vehicle....
void AddVehicleMenu(QMenuBar* bar, const VehicleMenuCommands& commands);

// Lists `vehicles` at the top of the Vehicle menu, checking the one whose log is `shownPath`;
// Remove is offered for a further vehicle only.
void ShowVehicleChoices(QMenuBar* bar, const std::vector<VehicleLog>& vehicles,
                        const std::string& shownPath);
