#include "vehicle_menu.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>

namespace {

constexpr char kVehicleMenu[] = "vehicleMenu";
constexpr char kVehicleChoice[] = "vehicleChoice";  // each vehicle's action
constexpr char kRemoveAction[] = "removeVehicleAction";

QAction* AddCommand(QMenu* menu, const char* name, const QString& text,
                    const std::function<void()>& command) {
    QAction* action = menu->addAction(text);
    action->setObjectName(QString::fromLatin1(name));
    QObject::connect(action, &QAction::triggered, menu, [command] {
        if (command) {
            command();
        }
    });
    return action;
}

}  // namespace

void AddVehicleMenu(QMenuBar* bar, const VehicleMenuCommands& commands) {
    QAction* help = bar->actions().isEmpty() ? nullptr : bar->actions().last();
    auto* menu = new QMenu(QStringLiteral("V&ehicle"), bar);
    menu->setObjectName(QString::fromLatin1(kVehicleMenu));
    bar->insertMenu(help, menu);
    // The vehicles go before this separator, listed afresh whenever they may have changed.
    menu->addSeparator()->setObjectName(QStringLiteral("vehiclesEnd"));
    AddCommand(menu, "addVehicleAction", QStringLiteral("&Add a vehicle\u2026"), commands.add);
    AddCommand(menu, "renameVehicleAction", QStringLiteral("Re&name this vehicle\u2026"),
               commands.rename);
    AddCommand(menu, kRemoveAction, QStringLiteral("&Remove this vehicle\u2026"), commands.remove);
    auto* choices = new QActionGroup(menu);
    choices->setObjectName(QStringLiteral("vehicleChoices"));
    QObject::connect(choices, &QActionGroup::triggered, menu, [show = commands.show](QAction* a) {
        if (show) {
            show(a->data().toString().toStdString());
        }
    });
}

void ShowVehicleChoices(QMenuBar* bar, const std::vector<VehicleLog>& vehicles,
                        const std::string& shownPath) {
    auto* menu = bar->findChild<QMenu*>(QString::fromLatin1(kVehicleMenu));
    auto* choices = bar->findChild<QActionGroup*>(QStringLiteral("vehicleChoices"));
    if (menu == nullptr || choices == nullptr) {
        return;
    }
    // The list may be made afresh while one of its choices is being triggered: the old ones go
    // once that is over.
    for (QAction* old : choices->actions()) {
        menu->removeAction(old);
        choices->removeAction(old);
        old->deleteLater();
    }
    QAction* end = menu->findChild<QAction*>(QStringLiteral("vehiclesEnd"));
    bool furtherShown = false;
    for (const VehicleLog& vehicle : vehicles) {
        auto* choice = new QAction(QString::fromStdString(vehicle.name), choices);
        choice->setObjectName(QString::fromLatin1(kVehicleChoice));
        choice->setData(QString::fromStdString(vehicle.path));
        choice->setCheckable(true);
        choice->setChecked(vehicle.path == shownPath);
        furtherShown = furtherShown || (vehicle.path == shownPath && !vehicle.first);
        menu->insertAction(end, choice);
    }
    if (QAction* remove = menu->findChild<QAction*>(QString::fromLatin1(kRemoveAction))) {
        remove->setEnabled(furtherShown);
    }
}
