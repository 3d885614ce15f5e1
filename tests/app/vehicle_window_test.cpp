// The window's vehicles: the Vehicle menu lists them and switches between their logs, the title
// names the one shown, the next start opens it again, and removing one puts its log aside.

#include <gtest/gtest.h>
#include <QAction>
#include <QMenu>
#include <QTreeView>

#include "app_fixture.h"
#include "log_lock.h"
#include "log_test_support.h"
#include "resource.h"
#include "ui.h"

namespace {

// One charge of an electric van, 300 km on 45 kWh, its reminder its own.
const char kVanLog[] =
    "SERVICE BEFORE\n9000.000000\n\n0.000000\n\n0.000000\n2\n"
    "Year,Month,Day,Hour,Minute,Second,Odo(km),Fuel(kwh),0:fillup 1:notFillup 2:Maintenance,"
    "Cost(JPY),km/kwh,Trip(km),JPY/kwh,Vehicle(Van)\n"
    "2024,3,10,16,1,0,1300.0,45.000,0,1350,6.7,300.0,30.0\n"
    "2024,3,1,9,0,0,1000.0,40.000,0,1200,0.0,0.0,30.0\n";

// The vehicles the Vehicle menu lists now.
QList<QAction*> Choices(CDialog& dlg) {
    QList<QAction*> choices;
    for (QAction* action :
         dlg.GetWindowWidget()->findChild<QMenu*>(QStringLiteral("vehicleMenu"))->actions()) {
        if (action->objectName() == QLatin1String("vehicleChoice")) {
            choices << action;
        }
    }
    return choices;
}

QStringList VehicleChoices(CDialog& dlg) {
    QStringList names;
    for (const QAction* choice : Choices(dlg)) {
        names << (choice->isChecked() ? "*" : "") + choice->text();
    }
    return names;
}

void Trigger(CDialog& dlg, const char* action) {
    dlg.GetWindowWidget()->findChild<QAction*>(QString::fromLatin1(action))->trigger();
}

bool LockFree(const std::string& log) {
    LogLock lock;
    return lock.TryTake(log).outcome == LockOutcome::Taken;
}

}  // namespace

TEST_F(AppTest, TheVehicleMenuSwitchesLogsAndTheNextStartOpensTheLastShown) {
    WriteLog(kWorkedExampleFile);
    const std::string van = Card() + "/Tarvo/Tarvo.Van.csv";
    WriteBytes(van, kVanLog);
    RunProgram([&](CLogDlg& dlg) {
        EXPECT_EQ(VehicleChoices(dlg), (QStringList{"*Tarvo", "Van"}));
        EXPECT_TRUE(dlg.GetWindowWidget()->windowTitle().endsWith(u" \u2014 Tarvo"));
        Choices(dlg)[1]->trigger();  // the van
        EXPECT_EQ(VehicleChoices(dlg), (QStringList{"Tarvo", "*Van"}));
        EXPECT_TRUE(dlg.GetWindowWidget()->windowTitle().endsWith(u" \u2014 Van"));
        EXPECT_EQ(ListView(dlg)->model()->rowCount(), 2);
        EXPECT_EQ(Cell(dlg, 0, 1), " 6.7");
        EXPECT_EQ(ui::Shown(dlg, IDC_REMINDER_LABEL1), "SERVICE BEFORE");
        EXPECT_TRUE(ui::Shown(dlg, IDC_SUMMARY).startsWith("Av: 6.7km/kWh"))
            << ui::Shown(dlg, IDC_SUMMARY).toStdString();
        // The window holds the van's lock now, and has let the first log's go.
        EXPECT_TRUE(LockFree(LogPath()));
        EXPECT_FALSE(LockFree(van));
    });
    RunProgram([&](CLogDlg& dlg) {
        EXPECT_EQ(VehicleChoices(dlg), (QStringList{"Tarvo", "*Van"}));
        EXPECT_EQ(ListView(dlg)->model()->rowCount(), 2);
        m_driver.OnMessageBox([](const std::u16string&) { return IDOK; });
        Trigger(dlg, "removeVehicleAction");
        EXPECT_EQ(VehicleChoices(dlg), QStringList{"*Tarvo"});
        EXPECT_EQ(ListView(dlg)->model()->rowCount(), 4);
        EXPECT_FALSE(dlg.GetWindowWidget()
                         ->findChild<QAction*>(QStringLiteral("removeVehicleAction"))
                         ->isEnabled());
    });
    EXPECT_EQ(ReadBytes(van + ".removed"), kVanLog);
    EXPECT_EQ(ReadLog(), kWorkedExampleFile);
}

TEST_F(AppTest, AVehicleIsAddedInItsUnitsAndRenamedInItsHeader) {
    WriteLog(kWorkedExampleFile);
    RunProgram([&](CLogDlg& dlg) {
        // A name no log can carry is refused before anything is asked further.
        m_driver.OnTextPrompt("Van, red");
        m_driver.OnMessageBox();
        Trigger(dlg, "addVehicleAction");
        EXPECT_EQ(VehicleChoices(dlg), QStringList{"*Tarvo"});

        m_driver.OnTextPrompt("Bike");
        m_driver.OnDialog(IDD_LOG_SETTINGS, [](CDialog& settings) {
            settings.EndDialog(IDOK);  // the usual units and currency
        });
        Trigger(dlg, "addVehicleAction");
        EXPECT_EQ(VehicleChoices(dlg), (QStringList{"Tarvo", "*Bike"}));
        EXPECT_EQ(ListView(dlg)->model()->rowCount(), 0);

        m_driver.OnTextPrompt("Motorbike");
        Trigger(dlg, "renameVehicleAction");
        EXPECT_EQ(VehicleChoices(dlg), (QStringList{"Tarvo", "*Motorbike"}));
        EXPECT_TRUE(dlg.GetWindowWidget()->windowTitle().endsWith(u" \u2014 Motorbike"));
    });
    const std::string saved = ReadBytes(Card() + "/Tarvo/Tarvo.Bike.csv");
    EXPECT_NE(saved.find(",Vehicle(Motorbike)\n"), std::string::npos) << saved;
    EXPECT_EQ(ReadLog(), kWorkedExampleFile);
}
