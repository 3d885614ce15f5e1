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
         {"date", "data", "datetime", "date time", "date/time", "date and time", "timestamp",
          "fuelup date", "datum"}},
        {Role::Time, {"time", "time of day"}},
        {Role::Odometer,
         {"odometer", "odo", "mileage", "odometer reading", "odo reading", "km-stand",
          "kilometerstand"}},
        {Role::Fuel,
         {"litres", "liters", "litre", "liter", "quantity", "volume", "fuel quantity",
          "fuel volume", "fuel amount", "amount of fuel", "fuel consumed", "fuelconsumed",
          "gallons", "gallon", "fuel", "spritmenge", "menge"}},
        {Role::Cost,
         {"total price", "total cost", "price paid", "amount paid", "totalprice", "totalcost",
          "cost", "total", "paid", "price", "kosten", "gesamtpreis"}},
        {Role::Kind, {"kind"}},
        {Role::Type, {"type", "tankart"}},
        {Role::Full,
         {"full", "isfilltofull", "is fill to full", "full tank", "fulltank", "full fill",
          "fill to full", "filled up", "filled", "tank full", "isfull", "is full",
          "filled tank completely"}},
        {Role::Partial,
         {"partial", "partial fill", "partial fillup", "partial fill up", "partial refuel",
          "partial tank", "ispartial", "partial fuelup", "partial fill-up?"}},
        {Role::DistanceUnit, {"distance unit", "odometer unit", "mileage unit", "dist unit"}},
        {Role::VolumeUnit, {"fuel unit", "volume unit", "quantity unit"}},
        {Role::AnyUnit, {"unit", "units"}},
        {Role::Currency, {"currency", "w\xC3\xA4hrung"}},  // "Währung"
    };
    return kRoles;
}

bool IsLowerAscii(char c) {
    return c >= 'a' && c <= 'z';
}

bool IsUpperAscii(char c) {
    return c >= 'A' && c <= 'Z';
}

// Lower case, "_" as a space, camel case in words ("FuelAmount" is "fuel amount"), single
// spaces, no spaces at either end. A single letter before a capital is no word of its own: the
// unit "kWh" stays one word.
std::string Normalised(std::string_view header) {
    std::string words;
    const std::string_view trimmed = TrimSpaces(header);
    std::size_t wordLength = 0;
    for (std::size_t i = 0; i < trimmed.size(); ++i) {
        const bool letter = IsLowerAscii(trimmed[i]) || IsUpperAscii(trimmed[i]);
        if (i > 0 && IsLowerAscii(trimmed[i - 1]) && IsUpperAscii(trimmed[i]) && wordLength > 1) {
            words += ' ';
            wordLength = 0;
        }
        words += trimmed[i];
        wordLength = letter ? wordLength + 1 : 0;
    }
    std::string text;
    for (const char c : LowerAscii(words)) {
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
    return IsDistance(unit) || IsQuantity(unit) || CurrencyOfWords(word).has_value();
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
    } else if (match.found && IsQuantity(UnitFromWords(base))) {
        unitWords = base + " " + unitWords;  // "litres", "gallons (US)"
    }
    return match;
}

}  // namespace

namespace {

// Tarvo's own export names its columns after the log's units, in a fixed order.
ColumnLayout ExportLayout(const std::vector<std::string>& header, const LogUnits& units) {
    ColumnLayout layout;
    layout.tarvoExport = true;
    layout.exportUnits = units;
    const auto place = [&layout, &header](Role role, int index, Unit unit, std::string words) {
        Column& column = layout.columns[static_cast<std::size_t>(role)];
        column.index = index;
        column.header = header[static_cast<std::size_t>(index)];
        column.unit = unit;
        column.unitWords = std::move(words);
    };
    place(Role::Date, 0, Unit::None, {});
    place(Role::Kind, 1, Unit::None, {});
    place(Role::Fuel, 2, UnitOfQuantity(units.quantity), std::string(QuantityWord(units.quantity)));
    place(Role::Odometer, 3, UnitOfDistance(units.distance),
          std::string(DistanceWord(units.distance)));
    place(Role::Cost, 4, Unit::None, units.currency.code);
    return layout;
}

}  // namespace

ColumnLayout RecogniseColumns(const std::vector<std::string>& header) {
    if (const std::optional<LogUnits> units = ExportUnits(header)) {
        return ExportLayout(header, *units);
    }
    ColumnLayout layout;
    std::array<std::size_t, kRoleCount> ranks{};
    for (std::size_t i = 0; i < header.size(); ++i) {
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
    return layout;
}

std::optional<Role> RoleOfWord(std::string_view word) {
    static const std::pair<std::string_view, Role> kWords[] = {
        {"date", Role::Date},       {"time", Role::Time}, {"odometer", Role::Odometer},
        {"quantity", Role::Fuel},   {"cost", Role::Cost}, {"full", Role::Full},
        {"partial", Role::Partial}, {"type", Role::Type}, {"currency", Role::Currency},
    };
    const std::string lower = LowerAscii(TrimSpaces(word));
    for (const auto& [name, role] : kWords) {
        if (name == lower) {
            return role;
        }
    }
    return std::nullopt;
}

void PlaceColumn(ColumnLayout& layout, Role role, const std::vector<std::string>& header,
                 std::size_t index) {
    for (Column& column : layout.columns) {
        if (column.index == static_cast<int>(index)) {
            column = Column();
        }
    }
    std::string unitWords;
    Recognise(header[index], unitWords);
    Column& column = layout.columns[static_cast<std::size_t>(role)];
    column.index = static_cast<int>(index);
    column.header = header[index];
    column.unitWords = std::string(TrimSpaces(unitWords));
    column.unit =
        role == Role::Odometer || role == Role::Fuel ? UnitFromWords(column.unitWords) : Unit::None;
    layout.tarvoExport = false;
}

Failure MissingColumns(const ColumnLayout& layout) {
    std::vector<std::string> missing;
    if (!layout.Has(Role::Date)) {
        missing.push_back("no date column (such as Date, Data or Datetime)");
    }
    if (!layout.Has(Role::Odometer)) {
        missing.push_back("no odometer column (such as Odometer, Odo or Mileage)");
    }
    if (!layout.Has(Role::Fuel) && !layout.Has(Role::Cost)) {
        missing.push_back(
            "neither a fuel column (such as Litres, Fuel, Quantity or Volume) nor a cost "
            "column (such as Cost, Total, Total price or Price paid)");
    }
    if (missing.empty()) {
        return {};
    }
    std::string text;
    for (std::size_t i = 0; i < missing.size(); ++i) {
        text += (i == 0 ? "" : " and ") + missing[i];
    }
    return LogError{text, {}, {}};
}
