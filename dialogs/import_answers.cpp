#include "import_answers.h"

#include <array>
#include <utility>

#include <QLocale>

namespace {

constexpr std::array<std::pair<const char16_t*, DateOrder>, 2> kDateOrders = {{
    {u"Day first: 03/10/2024 is 3 October 2024", DateOrder::DayFirst},
    {u"Month first: 03/10/2024 is 10 March 2024", DateOrder::MonthFirst},
}};

constexpr std::array<std::pair<const char16_t*, DecimalMark>, 2> kDecimalMarks = {{
    {u"A point: 1.234 is one and 234 thousandths, 1,234 is 1234", DecimalMark::Point},
    {u"A comma: 1,234 is one and 234 thousandths, 1.234 is 1234", DecimalMark::Comma},
}};

constexpr std::array<std::pair<const char16_t*, Unit>, 2> kGallons = {{
    {u"US gallons (3.785 litres)", Unit::UsGallons},
    {u"Imperial gallons (4.546 litres)", Unit::ImperialGallons},
}};

constexpr std::array<std::pair<const char16_t*, Unit>, 7> kUnits = {{
    {u"kilometres", Unit::Kilometres},
    {u"miles", Unit::Miles},
    {u"litres", Unit::Litres},
    {u"US gallons", Unit::UsGallons},
    {u"imperial gallons", Unit::ImperialGallons},
    {u"kg (gas)", Unit::Kilograms},
    {u"kWh (electric)", Unit::KilowattHours},
}};

constexpr std::array<std::pair<const char16_t*, int>, 2> kTanks = {{
    {u"Tank 1", 1},
    {u"Tank 2", 2},
}};

struct CurrencyChoice {
    std::string code;
    std::u16string label;
};

// The currencies a new log's costs are most likely in: the locale's own first, then the ones
// most trackers are kept in. The yen rounds costs to whole yen, as the log always did.
std::vector<CurrencyChoice> CurrencyChoices() {
    std::vector<CurrencyChoice> choices;
    const QLocale locale;
    const std::string own = locale.currencySymbol(QLocale::CurrencyIsoCode).toStdString();
    if (CurrencyOfCode(own)) {
        choices.push_back(
            {own, (QString::fromStdString(own) + QStringLiteral(" (") +
                   locale.currencySymbol(QLocale::CurrencyDisplayName) + QStringLiteral(")"))
                      .toStdU16String()});
    }
    const std::pair<const char*, const char16_t*> kUsual[] = {
        {"EUR", u"EUR (euros)"},
        {"USD", u"USD (US dollars)"},
        {"GBP", u"GBP (pounds sterling)"},
        {"JPY", u"JPY (yen: fractions rounded to whole yen)"},
    };
    for (const auto& [code, label] : kUsual) {
        if (code != own) {
            choices.push_back({code, label});
        }
    }
    return choices;
}

template <typename Table>
std::vector<std::u16string> Labels(const Table& table) {
    std::vector<std::u16string> labels;
    for (const auto& [label, value] : table) {
        labels.emplace_back(label);
    }
    return labels;
}

template <typename Table>
auto Chosen(const Table& table, int answer) {
    return table[static_cast<size_t>(answer) < table.size() ? static_cast<size_t>(answer) : 0]
        .second;
}

}  // namespace

std::vector<std::u16string> AnswersTo(const ImportQuestion& question) {
    switch (question.kind) {
        case QuestionKind::DateOrder:
            return Labels(kDateOrders);
        case QuestionKind::GallonKind:
            return Labels(kGallons);
        case QuestionKind::Tank:
            return Labels(kTanks);
        case QuestionKind::DecimalMark:
            return Labels(kDecimalMarks);
        case QuestionKind::Currency: {
            std::vector<std::u16string> labels;
            for (const CurrencyChoice& choice : CurrencyChoices()) {
                labels.push_back(choice.label);
            }
            return labels;
        }
        case QuestionKind::Vehicle: {
            std::vector<std::u16string> labels;
            for (const std::string& name : question.choices) {
                labels.push_back(QString::fromStdString(name).toStdU16String());
            }
            return labels;
        }
        case QuestionKind::UnknownUnit:
            break;
    }
    return Labels(kUnits);
}

void Answer(const ImportQuestion& question, int answer, ImportOptions& options) {
    switch (question.kind) {
        case QuestionKind::DateOrder:
            options.dateOrder = Chosen(kDateOrders, answer);
            return;
        case QuestionKind::GallonKind:
            options.gallon = Chosen(kGallons, answer);
            return;
        case QuestionKind::Tank:
            options.tank = Chosen(kTanks, answer);
            return;
        case QuestionKind::DecimalMark:
            options.decimalMark = Chosen(kDecimalMarks, answer);
            return;
        case QuestionKind::UnknownUnit:
            options.unitAnswers[question.subject] = Chosen(kUnits, answer);
            return;
        case QuestionKind::Vehicle:
            if (static_cast<std::size_t>(answer) < question.choices.size()) {
                options.vehicle = question.choices[static_cast<std::size_t>(answer)];
            }
            return;
        case QuestionKind::Currency: {
            const std::vector<CurrencyChoice> choices = CurrencyChoices();
            const std::size_t index = static_cast<std::size_t>(answer) < choices.size()
                                          ? static_cast<std::size_t>(answer)
                                          : 0;
            options.currency = CurrencyOfCode(choices[index].code);
            return;
        }
    }
}
