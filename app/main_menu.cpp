#include "main_menu.h"

#include <QAction>
#include <QActionGroup>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>

namespace {

QAction* AddCommand(QMenu* menu, const char* name, const QString& text, const QKeySequence& keys,
                    const std::function<void()>& command) {
    QAction* action = menu->addAction(text);
    action->setObjectName(QString::fromLatin1(name));
    action->setShortcut(keys);
    action->setEnabled(static_cast<bool>(command));
    QObject::connect(action, &QAction::triggered, menu, [command] {
        if (command) {
            command();
        }
    });
    return action;
}

// The object names of the economy choices, in the order of Economy.
constexpr const char* kEconomyActions[] = {"economyDistanceAction", "economyPer100Action"};

}  // namespace

QMenuBar* BuildMainMenu(const MainMenuCommands& commands, bool markDue, Economy economy) {
    auto* bar = new QMenuBar;
    QMenu* file = bar->addMenu(QStringLiteral("&File"));
    AddCommand(file, "exportAction", QStringLiteral("&Export\u2026"),
               QKeySequence(Qt::CTRL | Qt::Key_E), commands.exportLog);
    AddCommand(file, "importAction", QStringLiteral("&Import\u2026"),
               QKeySequence(Qt::CTRL | Qt::Key_I), commands.importLog);
    AddCommand(file, "logSettingsAction", QStringLiteral("&Log settings\u2026"), QKeySequence(),
               commands.logSettings);
    AddCommand(file, "openFolderAction", QStringLiteral("&Open the log's folder"), QKeySequence(),
               commands.openLogFolder);
    file->addSeparator();
    AddCommand(file, "quitAction", QStringLiteral("&Quit"), QKeySequence::Quit, commands.quit);

    QMenu* view = bar->addMenu(QStringLiteral("&View"));
    AddCommand(view, "chartsAction", QStringLiteral("&Charts\u2026"),
               QKeySequence(Qt::CTRL | Qt::Key_G), commands.charts);
    QAction* due = view->addAction(QStringLiteral("&Mark reminders that are due"));
    due->setObjectName(QStringLiteral("markDueAction"));
    due->setCheckable(true);
    due->setChecked(markDue);
    QObject::connect(due, &QAction::toggled, view,
                     [toggled = commands.markDueReminders](bool on) { toggled(on); });
    QMenu* economyMenu = view->addMenu(QStringLiteral("&Economy"));
    auto* choices = new QActionGroup(economyMenu);
    for (const Economy shown : {Economy::DistancePerQuantity, Economy::QuantityPer100Distance}) {
        QAction* choice = economyMenu->addAction(QString());
        choice->setObjectName(QString::fromLatin1(kEconomyActions[static_cast<int>(shown)]));
        choice->setCheckable(true);
        choice->setActionGroup(choices);
        QObject::connect(choice, &QAction::triggered, economyMenu,
                         [chosen = commands.economy, shown] {
                             if (chosen) {
                                 chosen(shown);
                             }
                         });
    }
    ShowEconomyChoices(bar, LogUnits{}, economy);

    QMenu* help = bar->addMenu(QStringLiteral("&Help"));
    AddCommand(help, "aboutAction", QStringLiteral("&About Tarvo"), QKeySequence::HelpContents,
               commands.about);
    return bar;
}

void ShowEconomyChoices(QMenuBar* bar, const LogUnits& units, Economy economy) {
    for (const Economy shown : {Economy::DistancePerQuantity, Economy::QuantityPer100Distance}) {
        auto* choice =
            bar->findChild<QAction*>(QString::fromLatin1(kEconomyActions[static_cast<int>(shown)]));
        if (choice != nullptr) {
            choice->setText(QString::fromStdString(EconomyUnit(units, shown)));
            choice->setChecked(shown == economy);
        }
    }
}
