#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "log_format.h"
#include "log_header.h"
#include "log_lock.h"
#include "log_parse.h"
#include "log_test_support.h"
#include "recompute.h"
#include "vehicle_logs.h"

// Several vehicles' logs in one folder: the name in the header, the file names, the listing, and
// adding and removing a vehicle (renaming is the window's, tested there through the file).

namespace {

const LogUnits kKwh{DistanceUnit::Km, QuantityUnit::Kwh, *CurrencyOfCode("JPY")};

// The name through the header line and the whole file; an unnamed log's header stays the usual
// one (the units' tests hold it byte for byte).
TEST(VehicleHeader, IsWrittenAndReadBackThroughTheFile) {
    const struct {
        LogUnits units;
        std::string vehicle;
        std::string header;
    } rows[] = {
        {LogUnits{}, "Van",
         "Year,Month,Day,Hour,Minute,Second,Odo,Fuel,0:fillup 1:notFillup 2:Maintenance,Cost,"
         "km/L,Trip,\\/L,Vehicle(Van)"},
        {kKwh, "Mökki car 2",
         "Year,Month,Day,Hour,Minute,Second,Odo(km),Fuel(kwh),0:fillup 1:notFillup "
         "2:Maintenance,Cost(JPY),km/kwh,Trip(km),JPY/kwh,Vehicle(Mökki car 2)"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(LogHeaderLine(row.units, row.vehicle), row.header);
        LogBook book = WorkedExample();
        book.units = row.units;
        book.vehicle = row.vehicle;
        RecomputeLog(book);
        LogBook read;
        std::vector<std::string> problems;
        ParseLog(FormatLogFile(book), read, problems);
        EXPECT_EQ(problems, std::vector<std::string>{});
        EXPECT_EQ(read.vehicle, row.vehicle);
        EXPECT_EQ(read.units, row.units);
        EXPECT_EQ(EnteredFields(read), EnteredFields(book));
    }
}

TEST(VehicleNames, AreCheckedAndMadeSafeForAFileName) {
    std::vector<VehicleLog> vehicles(2);
    vehicles[0].name = "Tarvo";
    vehicles[1].name = "Van";
    const struct {
        const char* name;
        bool fine;
        const char* safe;
    } rows[] = {
        {"Motorbike", true, "Motorbike"},
        {"Pick-up truck", true, "Pick-up_truck"},
        {"Mökki", true, "M__kki"},
        {"0123456789012345678901234567890123456789", true, "01234567890123456789012345678901"},
        {"van", false, "van"},  // "Van" is there already, whatever the case
        {"", false, ""},
        {" Van2", false, "_Van2"},
        {"Van, red", false, "Van__red"},
        {"Van (red)", false, "Van__red_"},
        {"Line\nbreak", false, "Line_break"},
        {"01234567890123456789012345678901234567890", false, "01234567890123456789012345678901"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(!VehicleNameProblem(row.name, vehicles), row.fine) << row.name;
        EXPECT_EQ(SafeFilePart(row.name), row.safe) << row.name;
    }
}

class VehicleFolder : public testing::Test {
protected:
    std::string First() const { return folder_ / "Tarvo.csv"; }
    std::string In(const std::string& name) const { return folder_ / name; }
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const VehicleLog& vehicle : ListVehicleLogs(First())) {
            names.push_back(vehicle.name);
        }
        return names;
    }

private:
    TempFolder folder_;
};

TEST_F(VehicleFolder, ListsTheLogsOfVehiclesAndNothingElse) {
    // Before the first log is made, it is the one vehicle.
    EXPECT_EQ(Names(), std::vector<std::string>{"Tarvo"});
    LogBook book = WorkedExample();
    RecomputeLog(book);
    WriteBytes(First(), FormatLogFile(book));
    for (const char* other : {"Tarvo-export.csv", "Tarvo.csv.bak", "Tarvo.Van.csv.lock",
                              "Tarvo.Old.csv.removed", "Tarvo.a b.csv", "Tarvo..csv"}) {
        WriteBytes(In(other), FormatLogFile(book));
    }
    ASSERT_EQ(AddVehicleLog(First(), "Van", kKwh).path, In("Tarvo.Van.csv"));
    // A log put in the folder by hand, naming no vehicle, shows by its file name.
    WriteBytes(In("Tarvo.Bike.csv"), FormatLogFile(book));
    const std::vector<VehicleLog> vehicles = ListVehicleLogs(First());
    ASSERT_EQ(vehicles.size(), 3u);
    EXPECT_EQ(Names(), (std::vector<std::string>{"Tarvo", "Bike", "Van"}));
    EXPECT_TRUE(vehicles[0].first);
    EXPECT_EQ(vehicles[0].entries, 4u);
    EXPECT_EQ(vehicles[2].units, kKwh);
    EXPECT_EQ(vehicles[2].entries, 0u);
    EXPECT_EQ(FindVehicle(vehicles, "VAN")->path, In("Tarvo.Van.csv"));
    EXPECT_FALSE(FindVehicle(vehicles, "Truck"));
}

TEST_F(VehicleFolder, AddingTakesAFreeFileNameAndRefusesANameTaken) {
    ASSERT_EQ(AddVehicleLog(First(), "Van", kKwh).path, In("Tarvo.Van.csv"));
    // Another name that makes the same file name gets a number.
    ASSERT_EQ(AddVehicleLog(First(), "Van?", LogUnits{}).path, In("Tarvo.Van_.csv"));
    ASSERT_EQ(AddVehicleLog(First(), "Van!", LogUnits{}).path, In("Tarvo.Van_-2.csv"));
    EXPECT_EQ(Said(AddVehicleLog(First(), "van", LogUnits{}).error),
              "There is a vehicle named \"van\" already.");
    EXPECT_EQ(Names(), (std::vector<std::string>{"Tarvo", "Van", "Van!", "Van?"}));
}

TEST_F(VehicleFolder, RemovingPutsTheLogAsideUnlessItIsTheFirstOrOpen) {
    WriteBytes(First(), "");
    const std::string van = AddVehicleLog(First(), "Van", kKwh).path;
    EXPECT_TRUE(RemoveVehicleLog(First(), First()).error);
    {
        LogLock window;
        ASSERT_EQ(window.TryTake(van).outcome, LockOutcome::Taken);
        EXPECT_TRUE(RemoveVehicleLog(First(), van).heldBy);
    }
    const std::string fresh = ReadBytes(van);
    EXPECT_EQ(RemoveVehicleLog(First(), van).movedTo, van + ".removed");
    EXPECT_EQ(ReadBytes(van + ".removed"), fresh);
    EXPECT_EQ(Names(), std::vector<std::string>{"Tarvo"});
    // A vehicle of the same name, added and removed again, keeps the first removal.
    ASSERT_EQ(AddVehicleLog(First(), "Van", kKwh).path, van);
    EXPECT_EQ(RemoveVehicleLog(First(), van).movedTo, van + ".removed2");
}

}  // namespace
