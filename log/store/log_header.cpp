#include "log_header.h"

#include <array>
#include <optional>

#include "number_text.h"

namespace {

constexpr char kUsualHeader[] =
    "Year,Month,Day,Hour,Minute,Second,Odo,Fuel,0:fillup 1:notFillup 2:Maintenance,Cost,km/L,"
    "Trip,\\/L";

// The columns whose titles carry a declaration, counted from 0.
constexpr std::size_t kOdoColumn = 6;
constexpr std::size_t kFuelColumn = 7;
constexpr std::size_t kCostColumn = 9;

// What stands in the brackets of `field` after `title`: "mi" of "Odo(mi)"; nothing when the
// field is not the title with brackets.
std::optional<std::string_view> Declared(std::string_view field, std::string_view title) {
    if (field.size() < title.size() + 2 || field.substr(0, title.size()) != title ||
        field[title.size()] != '(' || field.back() != ')') {
        return std::nullopt;
    }
    return field.substr(title.size() + 1, field.size() - title.size() - 2);
}

std::string Problem(int lineNumber, const std::string& what) {
    return "line " + FormatInt(lineNumber) + ": " + what;
}

// The usual header, or the one that declares `units`.
std::string DeclaredColumns(const LogUnits& units) {
    if (units.IsDefault()) {
        return kUsualHeader;
    }
    const std::string distance(DistanceWord(units.distance));
    const std::string quantity(QuantityWord(units.quantity));
    const std::string& code = units.currency.code;
    return "Year,Month,Day,Hour,Minute,Second,Odo(" + distance + "),Fuel(" + quantity +
           "),0:fillup 1:notFillup 2:Maintenance,Cost(" + code + ")," + distance + "/" + quantity +
           ",Trip(" + distance + ")," + code + "/" + quantity;
}

}  // namespace

std::string LogHeaderLine(const LogUnits& units, const std::string& vehicle) {
    std::string line = DeclaredColumns(units);
    if (!vehicle.empty()) {
        line += ",Vehicle(" + vehicle + ")";
    }
    return line;
}

std::string ReadVehicleName(std::string_view line) {
    const std::size_t comma = line.rfind(',');
    if (comma == std::string_view::npos) {
        return {};
    }
    const auto name = Declared(line.substr(comma + 1), "Vehicle");
    return name ? std::string(*name) : std::string();
}

LogUnits ReadLogHeader(std::string_view line, int lineNumber, std::vector<std::string>& problems) {
    std::array<std::string_view, kCostColumn + 1> fields;
    std::size_t found = 0;
    for (std::string_view rest = line; found < fields.size();) {
        const std::size_t comma = rest.find(',');
        fields[found++] = rest.substr(0, comma);
        if (comma == std::string_view::npos) {
            break;
        }
        rest.remove_prefix(comma + 1);
    }
    LogUnits units;
    if (found < fields.size()) {
        return units;
    }
    // Each declaration read into its field of the units; one Tarvo does not know is said, and
    // the field keeps the unit the log has always had.
    const auto read = [&](std::size_t column, std::string_view title, auto parse, auto& field,
                          const char* what, const char* otherwise) {
        if (const auto word = Declared(fields[column], title)) {
            if (const auto value = parse(*word)) {
                field = *value;
            } else {
                problems.push_back(Problem(lineNumber, std::string(what) + " \"" +
                                                           std::string(*word) + "\" " + otherwise));
            }
        }
    };
    read(kOdoColumn, "Odo", DistanceOfWord, units.distance, "the odometer's unit",
         "is neither km nor mi; read as km");
    read(kFuelColumn, "Fuel", QuantityOfWord, units.quantity, "the fuel's unit",
         "is none of l, us-gal, imp-gal, kg and kwh; read as litres");
    read(kCostColumn, "Cost", CurrencyOfCode, units.currency, "the currency",
         "is no ISO 4217 code Tarvo knows; the costs are read as yen");
    return units;
}
