// One Tarvo window run as a process of its own, driven line by line on its standard input, for
// the tests of two windows on one log. It is the real program (application object, main dialog,
// entry dialog, confirmation, message boxes) on Qt's offscreen platform; the commands stand in
// for the person at it. Each answer ends with a line holding only ".".
//
//   input Y M D h m s ODO FUEL PRICE   Input, the entry typed into its fields
//   delete ROW                         Delete on the row, confirmed
//   rows                               one line per row: its date and cost cells
//   messages                           the message boxes shown since last asked, one a line
//   wait-change                        returns once the window has followed a change on disk
//   vehicle NAME                       shows the vehicle NAME, chosen from the Vehicle menu
//   vehicles                           one line per vehicle the menu lists, "*" before the shown
//   remove                             Vehicle > Remove this vehicle, confirmed
//   quit                               closes the window, ending the process

#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include <QAction>
#include <QApplication>
#include <QEventLoop>
#include <QLineEdit>
#include <QMenu>
#include <QSignalSpy>
#include <QSocketNotifier>
#include <QTest>
#include <QTreeView>

#include "cdialog.h"
#include "log_app.h"
#include "log_watcher.h"
#include "modal_hook.h"
#include "ole_date_time.h"
#include "program_resources.h"
#include "resource.h"
#include "resource_table.h"
#include "utf8.h"

namespace {

class WindowProcess : public ModalHook {
public:
    void RunModal(CDialog& dialog) override {
        switch (dialog.GetTemplateId()) {
            case IDD_TARVO_DIALOG:
                RunMainWindow(dialog);
                break;
            case IDD_ENTRY:
                TypeEntry(dialog);
                break;
            default:
                Click(dialog, IDOK);  // the confirmation
                break;
        }
    }

    int RunMessageBox(QMessageBox&, const std::u16string& text, UINT) override {
        m_messages.push_back(Utf16ToUtf8(text));
        return IDOK;
    }

    std::string ChooseFile(bool, const std::u16string&) override { return {}; }

private:
    static void Click(CDialog& dialog, int id) {
        QTest::mouseClick(dialog.GetControlWidget(id), Qt::LeftButton);
    }

    void RunMainWindow(CDialog& main) {
        m_main = &main;
        QEventLoop loop;
        QSocketNotifier input(0, QSocketNotifier::Read);
        QObject::connect(&input, &QSocketNotifier::activated, [&] {
            std::string line;
            if (!std::getline(std::cin, line) || line == "quit") {
                input.setEnabled(false);
                loop.quit();
                return;
            }
            Answer(line);
            std::cout << ".\n" << std::flush;
        });
        // Idle, the window follows changes on disk as it would for a person.
        loop.exec();
        main.EndDialog(IDOK);
    }

    void Answer(const std::string& line) {
        std::istringstream words(line);
        std::string command;
        words >> command;
        if (command == "input") {
            int y, mo, d, h, mi, s;
            words >> y >> mo >> d >> h >> mi >> s >> m_odo >> m_fuel >> m_price;
            const QDateTime at(QDate(y, mo, d), QTime(h, mi, s));
            SetPlatformClock([at] { return at; });
            Click(*m_main, IDC_INPUT);
            SetPlatformClock(nullptr);
        } else if (command == "delete") {
            int row = 0;
            words >> row;
            auto* list = static_cast<QTreeView*>(m_main->GetControlWidget(IDC_LOG_LIST));
            const QRect cell = list->visualRect(list->model()->index(row, 0));
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, cell.center());
            Click(*m_main, IDC_DELETE);
        } else if (command == "rows") {
            const QAbstractItemModel* rows =
                static_cast<QTreeView*>(m_main->GetControlWidget(IDC_LOG_LIST))->model();
            for (int r = 0; r < rows->rowCount(); ++r) {
                std::cout << rows->index(r, 0).data().toString().toStdString() << "|"
                          << rows->index(r, 6).data().toString().toStdString() << "\n";
            }
        } else if (command == "messages") {
            for (const std::string& text : m_messages) {
                std::string oneLine = text;
                std::replace(oneLine.begin(), oneLine.end(), '\n', ' ');
                std::cout << oneLine << "\n";
            }
            m_messages.clear();
        } else if (command == "vehicle" || command == "vehicles" || command == "remove") {
            std::string name;
            words >> name;
            for (QAction* action :
                 m_main->GetWindowWidget()->findChild<QMenu*>("vehicleMenu")->actions()) {
                const bool choice = action->objectName() == QLatin1String("vehicleChoice");
                if (command == "vehicles" && choice) {
                    std::cout << (action->isChecked() ? "*" : "") << action->text().toStdString()
                              << "\n";
                }
                if ((command == "vehicle" && choice &&
                     action->text() == QString::fromStdString(name)) ||
                    (command == "remove" &&
                     action->objectName() == QLatin1String("removeVehicleAction"))) {
                    action->trigger();
                }
            }
        } else if (command == "wait-change") {
            QSignalSpy changed(m_main->GetWindowWidget()->findChild<LogWatcher*>(),
                               &LogWatcher::changed);
            std::cout << (changed.wait(20000) ? "changed" : "no change") << "\n";
        }
    }

    void TypeEntry(CDialog& entry) {
        const std::pair<int, std::string> fields[] = {
            {IDC_ODO, m_odo}, {IDC_FUEL, m_fuel}, {IDC_PRICE, m_price}};
        for (const auto& [id, text] : fields) {
            auto* edit = static_cast<QLineEdit*>(entry.GetControlWidget(id));
            edit->setFocus(Qt::TabFocusReason);
            edit->selectAll();
            QTest::keyClicks(edit, QString::fromStdString(text));
        }
        Click(entry, IDOK);
    }

    CDialog* m_main = nullptr;
    std::string m_odo, m_fuel, m_price;
    std::vector<std::string> m_messages;
};

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    AfxSetResourceTable(&ProgramResources());
    WindowProcess window;
    SetModalHook(&window);
    CLogApp app;
    app.InitInstance();
    return 0;
}
