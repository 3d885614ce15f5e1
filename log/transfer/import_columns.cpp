#include "import_columns.h"

#include <algorithm>
#include <string_view>

#include "ascii_text.h"
#include "log_export.h"

namespace {

struct RoleNames {
    Role role;
    std::vector<std::string_view> names;  // best first
};

const std::vector<RoleNames>& Roles() {
    static const std::vector<RoleNames> kRoles = {
        {Role::Date,
         {"date", "data", "datetime", "date time", "date/time", "date and time", "timestamp"}},
        {Role::Time, {"time", "time of day"}},
        {Role::Odometer, {"odometer", "odo", "mileage", "odometer reading", "odo reading"}},
        {Role::Fuel,
         {"litres", "liters", "litre", "liter", "quantity", "volume", "fuel quantity",
          "fuel volume", "fuel amount", "amount of fuel", "fuel consumed", "fuelconsumed",
          "gallons", "gallon", "fuel"}},
        {Role::Cost,
         {"total price", "total cost", "price paid", "amount paid", "totalprice", "totalcost",
          "cost", "total", "paid", "price"}},
        {Role::Kind, {"kind"}},
        {Role::Type, {"type"}},
        {Role::Full,
         {"full", "isfilltofull", "is fill to full", "full tank", "fulltank", "full fill",
          "fill to full", "filled up", "tank full", "isfull"}},
        {Role::Partial,
         {"partial", "partial fill", "partial fillup", "partial fill up", "partial refuel",
          "partial tank", "ispartial"}},
        {Role::DistanceUnit, {"distance unit", "odometer unit", "mileage unit", "dist unit"}},
        {Role::VolumeUnit, {"fuel unit", "volume unit", "quantity unit"}},
        {Role::AnyUnit, {"unit", "units"}},
        {Role::Currency, {"currency"}},
    };
    return kRoles;
}

// A cost header may end in its currency ("cost_yen"), which says nothing Tarvo keeps.
constexpr std::string_view kCurrencyWords[] = {"yen", "jpy", "eur", "usd", "gbp", "chf"};

// Lower case, "_" as a space, single spaces, no spaces at either end.
std::string Normalised(std::string_view header) {
    std::string text;
    for (const char c : LowerAscii(TrimSpaces(header))) {
        const char spaced = c == '_' ? ' ' : c;
        if (spaced != ' ' || (!text.empty() && text.back() != ' ')) {
            text += spaced;
        }
    }
    while (!text.empty() && text.back() == ' ') {
        text.pop_back();
    }
    return text;
}

struct Match {
    Role role = Role::Date;
    std::size_t rank = 0;
    bool found = false;
};

Match Find(std::string_view name) {
    for (const RoleNames& role : Roles()) {
        const auto at = std::find(role.names.begin(), role.names.end(), name);
        if (at != role.names.end()) {
            return {role.role, static_cast<std::size_t>(at - role.names.begin()), true};
        }
    }
    return {};
}

bool IsUnitOrCurrencyWord(std::string_view word) {
    const Unit unit = UnitFromWords(word);
    return IsDistance(unit) || IsVolume(unit) ||
           std::find(std::begin(kCurrencyWords), std::end(kCurrencyWords), word) !=
               std::end(kCurrencyWords);
}

// The role of one header and the words in it that name a unit.
Match Recognise(const std::string& header, std::string& unitWords) {
    const std::string text = Normalised(header);
    const std::size_t open = text.find_first_of("([");
    std::string base(TrimSpaces(std::string_view(text).substr(0, open)));
    unitWords.clear();
    if (open != std::string::npos) {
        const std::size_t close = text.find_first_of(")]", open);
        unitWords = text.substr(open + 1, close == std::string::npos ? close : close - open - 1);
    }
    Match match = Find(base);
    const std::size_t lastSpace = base.rfind(' ');
    if (!match.found && lastSpace != std::string::npos &&
        IsUnitOrCurrencyWord(std::string_view(base).substr(lastSpace + 1))) {
        match = Find(std::string_view(base).substr(0, lastSpace));
        unitWords = base.substr(lastSpace + 1) + " " + unitWords;
    } else if (match.found && IsVolume(UnitFromWords(base))) {
        unitWords = base + " " + unitWords;  // "litres", "gallons (US)"
    }
    return match;
}

}  // namespace

ColumnLayout RecogniseColumns(const std::vector<std::string>& header) {
    ColumnLayout layout;
    std::array<std::size_t, kRoleCount> ranks{};
    std::string exportHeader;
    for (std::size_t i = 0; i < header.size(); ++i) {
        exportHeader += (i == 0 ? "" : ",") + LowerAscii(TrimSpaces(header[i]));
        std::string unitWords;
        const Match match = Recognise(header[i], unitWords);
        const auto slot = static_cast<std::size_t>(match.role);
        Column& column = layout.columns[slot];
        if (!match.found || (column.index >= 0 && ranks[slot] <= match.rank)) {
            continue;
        }
        ranks[slot] = match.rank;
        column.index = static_cast<int>(i);
        column.header = header[i];
        column.unitWords = std::string(TrimSpaces(unitWords));
        if (match.role == Role::Odometer || match.role == Role::Fuel) {
            column.unit = UnitFromWords(column.unitWords);
        }
    }
    layout.tarvoExport = exportHeader == kExportHeader;
    return layout;
}

std::string MissingColumns(const ColumnLayout& layout) {
    std::vector<std::string> missing;
    if (!layout.Has(Role::Date)) {
        missing.push_back("no date column (such as Date, Data or Datetime)");
    }
    if (!layout.Has(Role::Odometer)) {
        missing.push_back("no odometer column (such as Odometer, Odo or Mileage)");
    }
    if (!layout.Has(Role::Fuel) && !layout.Has(Role::Cost)) {
        missing.push_back(
            "neither a litres column (such as Litres, Fuel, Quantity or Volume) nor a cost "
            "column (such as Cost, Total, Total price or Price paid)");
    }
    std::string text;
    for (std::size_t i = 0; i < missing.size(); ++i) {
        text += (i == 0 ? "" : " and ") + missing[i];
    }
    return text;
}
