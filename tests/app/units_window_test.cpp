// The window in a log's units and money, the economy as the person reads it, and File > Log
// settings... giving a log other units.

#include <fstream>
#include <iterator>

#include <gtest/gtest.h>
#include <QAction>
#include <QLabel>
#include <QTreeView>

#include "app_fixture.h"
#include "entry_script.h"
#include "resource.h"
#include "ui.h"

namespace {

QString Title(CDialog& dlg, int column) {
    return ListView(dlg)->model()->headerData(column, Qt::Horizontal).toString();
}

bool ShowsLabel(CDialog& dialog, const QString& text) {
    for (const QLabel* label : dialog.GetWindowWidget()->findChildren<QLabel*>()) {
        if (label->text() == text) {
            return true;
        }
    }
    return false;
}

// Two fill-ups in miles, US gallons and euros: 301.2 miles on 12.345 gallons.
const char kEuroMilesGallons[] =
    "CHANGE OIL BEFORE\n20600.000000\nCHANGE AIR-F BEFORE\n0.000000\n\n0.000000\n2\n"
    "Year,Month,Day,Hour,Minute,Second,Odo(mi),Fuel(us-gal),0:fillup 1:notFillup "
    "2:Maintenance,Cost(EUR),mi/us-gal,Trip(mi),EUR/us-gal\n"
    "2024,3,10,16,1,0,20350.3,12.345,0,6543,24.4,301.2,5.300\n"
    "2024,3,1,9,0,0,20049.1,11.204,0,5810,0.0,0.0,5.186\n";

}  // namespace

TEST_F(AppTest, EconomyInLitresPer100KmIsShownEverywhereAndKeptNotWritten) {
    WriteLog(kWorkedExampleFile);
    RunProgram([&](CLogDlg& dlg) {
        EXPECT_EQ(Cell(dlg, 1, 1), "15.6");
        ui::Trigger(dlg, "economyPer100Action");
        EXPECT_EQ(Title(dlg, 1), "L/100 km");
        EXPECT_EQ(Cell(dlg, 1, 1), " 6.4");  // 100 / (660 / 42.2)
        EXPECT_EQ(Cell(dlg, 0, 1), "----");
        EXPECT_EQ(ui::Shown(dlg, IDC_SUMMARY),
                  "Av: 6.4L/100 km, Fuel \u00A511394, All \u00A519794");
    });
    RunProgram([&](CLogDlg& dlg) {
        EXPECT_EQ(Cell(dlg, 1, 1), " 6.4") << "the choice is the person's, kept between starts";
        ui::Trigger(dlg, "economyDistanceAction");
        EXPECT_EQ(ui::Shown(dlg, IDC_SUMMARY), "Av:15.6km/L, Fuel \u00A511394, All \u00A519794");
    });
    EXPECT_EQ(ReadLog(), kWorkedExampleFile);
}

TEST_F(AppTest, AEuroLogInMilesAndGallonsShowsItsUnitsAndTakesCents) {
    WriteLog(kEuroMilesGallons);
    RunProgram([&](CLogDlg& dlg) {
        EXPECT_EQ(Title(dlg, 1), "mpg (US)");
        EXPECT_EQ(Title(dlg, 3), "Fuel gal");
        EXPECT_EQ(Title(dlg, 6), "Cost \u20AC");
        EXPECT_EQ(Title(dlg, 7), "Odo mi");
        EXPECT_EQ(Cell(dlg, 0, 1), "24.4");
        EXPECT_EQ(Cell(dlg, 0, 3), " 12.345");
        EXPECT_EQ(Cell(dlg, 0, 4), "  5.300");
        EXPECT_EQ(Cell(dlg, 0, 6), "   65.43");
        EXPECT_EQ(ui::Shown(dlg, IDC_SUMMARY),
                  "Av:24.4mpg (US), Fuel \u20AC123.53, All \u20AC123.53");

        m_driver.OnDialog(IDD_ENTRY, [](CDialog& entry) {
            EXPECT_TRUE(ShowsLabel(entry, "Fuel(gal)"));
            EXPECT_TRUE(ShowsLabel(entry, "Odo(mi)"));
            ui::Click(entry, IDCANCEL);
        });
        ui::Click(dlg, IDC_INPUT);
        RunEntryCommand(m_driver, dlg, IDC_INPUT,
                        EntryScript(QDateTime(QDate(2024, 3, 20), QTime(8, 0, 0)))
                            .Number(IDC_FUEL, "10.5")
                            .Number(IDC_ODO, "20661.7")
                            .Number(IDC_PRICE, "54.99"));
        EXPECT_EQ(ui::Shown(dlg, IDC_SUMMARY),
                  "Av:26.8mpg (US), Fuel \u20AC178.52, All \u20AC178.52");
    });
    EXPECT_NE(ReadLog().find("\n2024,3,20,8,0,0,20661.7,10.5,0,5499,"), std::string::npos)
        << ReadLog();
}

TEST_F(AppTest, LogSettingsConvertTheEntriesOnceWithACopyKeptAndKeepTheirCurrency) {
    WriteLog(kWorkedExampleFile);
    RunProgram([&](CLogDlg& dlg) {
        m_driver.OnDialog(IDD_LOG_SETTINGS, [](CDialog& settings) {
            EXPECT_FALSE(ui::Enabled(settings, IDC_UNITS_CURRENCY)) << "the log holds entries";
            EXPECT_TRUE(ui::QText(settings, IDC_UNITS_NOTE).contains("The log holds 4 entries."));
            ui::Click(settings, IDC_UNITS_MI);
            ui::Click(settings, IDC_UNITS_LITRES + 1);  // US gallons
            ui::Click(settings, IDOK);
        });
        m_driver.OnMessageBox([](const std::u16string& text) {
            EXPECT_NE(text.find(u"from km, litres and JPY to miles, US gallons and JPY"),
                      std::u16string::npos);
            return IDOK;
        });
        m_driver.OnMessageBox();
        ui::Trigger(dlg, "logSettingsAction");
        EXPECT_EQ(Title(dlg, 7), "Odo mi");
        EXPECT_EQ(Cell(dlg, 0, 7), " 26066.5");
    });
    EXPECT_NE(ReadLog().find("\n4\nYear,Month,Day,Hour,Minute,Second,Odo(mi),Fuel(us-gal),"),
              std::string::npos);
    std::ifstream copy(LogPath() + ".bak", std::ios::binary);
    const std::string kept((std::istreambuf_iterator<char>(copy)),
                           std::istreambuf_iterator<char>());
    EXPECT_EQ(kept, kWorkedExampleFile);
}

TEST_F(AppTest, AnEmptyLogTakesAnyCurrencyAndAnUnknownCodeKeepsTheDialogOpen) {
    m_driver.OnMessageBox();  // the first start makes the log
    RunProgram([&](CLogDlg& dlg) {
        m_driver.OnDialog(IDD_LOG_SETTINGS, [&](CDialog& settings) {
            ui::TabTo(settings, IDC_UNITS_CURRENCY);
            ui::Key(settings, Qt::Key_A, Qt::ControlModifier);
            ui::Type(settings, "EURO");
            m_driver.OnMessageBox([](const std::u16string& text) {
                EXPECT_EQ(text.substr(0, 40), u"\"EURO\" is no ISO 4217 currency code. Ple");
                return IDOK;
            });
            ui::Click(settings, IDOK);
            ASSERT_TRUE(settings.IsOpen());
            ui::TabTo(settings, IDC_UNITS_CURRENCY);
            ui::Key(settings, Qt::Key_End);
            ui::Key(settings, Qt::Key_Backspace);
            ui::Click(settings, IDOK);
        });
        ui::Trigger(dlg, "logSettingsAction");
        EXPECT_EQ(Title(dlg, 6), "Cost \u20AC");
    });
    EXPECT_NE(ReadLog().find(",Cost(EUR),"), std::string::npos) << ReadLog();
}
