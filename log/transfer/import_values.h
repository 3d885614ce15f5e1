#pragma once

#include <string>
#include <string_view>

#include <optional>

#include "log_error.h"
#include "log_units.h"
#include "system_time.h"

// Reading the cells of other programs' CSV exports: numbers, yes/no flags, dates and times, and
// the words that name units. Each reader says in plain words what is wrong with a cell.

// A cell's text as a message quotes it: at most 40 characters, control characters (C0, DEL and
// C1) escaped as a backslash, "u" and four hex digits, and
// invalid UTF-8 replaced, so that no byte of a file can garble a message.
std::string Quoted(std::string_view cell);

enum class CellNumber { Empty, Number, NotANumber };

// A decimal number (sign and exponent allowed, surrounding spaces ignored, nothing else in the
// cell). With `decimalComma`, as in a semicolon-separated file, "45,67" reads as 45.67; a cell
// holding both a comma and a point is then not a number. The other mark separates thousands
// where it parts the whole number in groups of three: "1.234,5" with a decimal comma, "106,421"
// with a decimal point; where it does not, it is the decimal mark all the same ("45.5" with a
// decimal comma). A leading currency mark ($, €, £) is passed over.
CellNumber ReadNumberCell(std::string_view cell, bool decimalComma, double& value);

// What a number cell shows of its file's decimal mark: a point or a comma that can only be the
// decimal mark ("45.5", "0,123", "1.234,5", "1.234.567" showing a comma), one that reads both
// ways ("1.234", "106,421"), or no mark.
enum class MarkShown { None, Point, Comma, Either };
MarkShown DecimalMarkShown(std::string_view cell);

// 1/0, true/false, yes/no, y/n in any case; an empty cell is "no". False for any other text.
bool ReadFlagCell(std::string_view cell, bool& yes);

enum class DateOrder { FromFile, DayFirst, MonthFirst };

// For a date whose first two numbers may be day and month either way round (03/10/2024,
// 03-10-2024): the two numbers. False for any other cell.
bool TwoWayDateParts(std::string_view cell, int& first, int& second);

// Reads a date, with or without a time of day after it ("T" or spaces between):
// 2024-03-10, 2024/03/10, 10.03.2024 (day first), and 03/10/2024 in `order` (with FromFile only
// when both readings are the same day). Times: 16:01, 16:01:05, 16:01:05.250, 4:01 PM.
// Sets year to second of `time` (0:00:00 when there is no time; `hasTime` tells) or returns
// fails saying why the cell is not a date.
Failure ReadDateCell(std::string_view cell, DateOrder order, SYSTEMTIME& time, bool& hasTime);

// A time of day alone, as a date cell's time; sets hour, minute and second of `time` or returns
// fails saying why the cell is not a time.
Failure ReadTimeCell(std::string_view cell, SYSTEMTIME& time);

enum class Unit {
    None,
    Kilometres,
    Miles,
    Litres,
    Gallons,
    UsGallons,
    ImperialGallons,
    Kilograms,
    KilowattHours,
    Unknown
};

// The unit some words name, as headers and unit columns write them: "km", "mi", "miles", "L",
// "litres", "gal", "US gal", "gallons (imperial)", "Imp. gal.", "kg", "kWh"... Gallons without a
// kind are Gallons. Empty text and "optional" (a header's remark) are None; anything else Unknown.
Unit UnitFromWords(std::string_view words);

bool IsDistance(Unit unit);
bool IsQuantity(Unit unit);  // of fuel or energy: litres, gallons of a known kind or none, kg, kWh

// The log's unit a known unit is; nothing for gallons of unknown kind, None and Unknown.
std::optional<DistanceUnit> DistanceOfUnit(Unit unit);
std::optional<QuantityUnit> QuantityOfUnit(Unit unit);
Unit UnitOfDistance(DistanceUnit unit);
Unit UnitOfQuantity(QuantityUnit unit);

// The currency some words name: an ISO 4217 code in any case, "yen", "¥", "€" or "£"; nothing for
// any other text ("$" is the dollar of too many countries).
std::optional<Currency> CurrencyOfWords(std::string_view words);

// "miles", "US gallons"...: the unit's name in a note or question.
std::string_view UnitName(Unit unit);
