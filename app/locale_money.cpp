#include "locale_money.h"

#include <map>
#include <string>

#include <QLocale>

#include "money_text.h"

namespace {

QLocale MoneyLocale() {
    const QLocale locale;
    return locale.language() == QLocale::C ? QLocale(QLocale::English, QLocale::UnitedStates)
                                           : locale;
}

// The symbol the locales of the world write for the currency `code`: that of a locale of the
// user's own language that uses it ("$" for USD in English), else of the first locale that does
// ("€"), else the code itself. Looked up once per currency.
QString SymbolOf(const std::string& code) {
    static std::map<std::string, QString> known;
    const auto found = known.find(code);
    if (found != known.end()) {
        return found->second;
    }
    const QString iso = QString::fromStdString(code);
    const QLocale::Language language = MoneyLocale().language();
    QString symbol;
    for (const QLocale& locale : QLocale::matchingLocales(QLocale::AnyLanguage, QLocale::AnyScript,
                                                          QLocale::AnyTerritory)) {
        if (locale.currencySymbol(QLocale::CurrencyIsoCode) != iso) {
            continue;
        }
        if (symbol.isEmpty() || locale.language() == language) {
            symbol = locale.currencySymbol(QLocale::CurrencySymbol);
        }
        if (locale.language() == language) {
            break;
        }
    }
    return known.emplace(code, symbol.isEmpty() ? iso : symbol).first->second;
}

std::u16string Amount(double major, const Currency& currency) {
    return MoneyLocale()
        .toCurrencyString(major, SymbolOf(currency.code), currency.digits)
        .toStdU16String();
}

std::u16string Symbol(const Currency& currency) {
    return SymbolOf(currency.code).toStdU16String();
}

}  // namespace

void UseLocaleMoney() {
    SetMoneyStyle({&Amount, &Symbol});
}
