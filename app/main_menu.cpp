#include "main_menu.h"

#include <QAction>
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

}  // namespace

QMenuBar* BuildMainMenu(const MainMenuCommands& commands, bool markDue) {
    auto* bar = new QMenuBar;
    QMenu* file = bar->addMenu(QStringLiteral("&File"));
    AddCommand(file, "exportAction", QStringLiteral("&Export\u2026"),
               QKeySequence(Qt::CTRL | Qt::Key_E), commands.exportLog);
    AddCommand(file, "importAction", QStringLiteral("&Import\u2026"),
               QKeySequence(Qt::CTRL | Qt::Key_I), commands.importLog);
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

    QMenu* help = bar->addMenu(QStringLiteral("&Help"));
    AddCommand(help, "aboutAction", QStringLiteral("&About Tarvo"), QKeySequence::HelpContents,
               commands.about);
    return bar;
}
