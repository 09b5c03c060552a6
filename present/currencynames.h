#pragma once

// The currencies' names, written once for everything that spells them: the value the window
// stores, zodziais's --currency, and the entries of the "Valiuta" menus (the window's own and,
// on Windows, the system menu's). Header only, QtCore only: the window and zodziais both read it.

#include "presentation.h" // Currency

#include <QStringView>

#include <array>
#include <cstddef>  // size_t

namespace suma {

struct CurrencyName
{
    Currency currency;
    // The settings value "valiuta"; once written to a user's store it must keep reading the same.
    QStringView stored;
    // zodziais --currency's word, taken in any letter case.
    QStringView option;
    // The menu entry, "&" before its access key.
    QStringView menuText;
    // The window menu entry's object name, by which tests and tools find it.
    QStringView objectName;
};

// In the menus' order.
inline constexpr std::array<CurrencyName, 3> currencyNames{{
    {Currency::Lt, u"Lt", u"Lt", u"&Litai (Lt)", u"currencyLt"},
    {Currency::Eur, u"Eur", u"Eur", u"&Eurai (Eur)", u"currencyEur"},
    {Currency::EurNoun, u"eurai", u"eurai", u"Eurai &žodžiu", u"currencyEurNoun"},
}};

// The position of a currency's row in currencyNames.
[[nodiscard]] constexpr std::size_t positionOf(Currency currency)
{
    std::size_t position = 0;
    while (position + 1 < currencyNames.size() && currencyNames[position].currency != currency)
        ++position;
    return position;
}

} // namespace suma
