#include "currencychoice.h"

#include <QSettings>
#include <QString>

#include <array>
#include <utility> // pair

namespace suma {

namespace {

const QString key = QStringLiteral("valiuta");

// The stored texts; once written to a user's store they must keep reading the same.
constexpr std::array<std::pair<Currency, QStringView>, 3> storedTexts{{
    {Currency::Lt, u"Lt"},
    {Currency::Eur, u"Eur"},
    {Currency::EurNoun, u"eurai"},
}};

// Named explicitly rather than from the application's names, so that the window keeps the same
// store whoever creates it (the program or a test).
QSettings store()
{
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("suma-zodziais"),
                     QStringLiteral("suma-zodziais"));
}

} // namespace

Currency storedCurrency()
{
    const QSettings settings = store();
    if (settings.status() != QSettings::NoError)
        return Currency::Lt;
    const QVariant value = settings.value(key);
    // Only a plain text counts: a list or another type read back from a hand-edited file does not.
    if (value.typeId() != QMetaType::QString)
        return Currency::Lt;
    const QString text = value.toString();
    for (const auto &[currency, stored] : storedTexts) {
        if (text == stored)
            return currency;
    }
    return Currency::Lt;
}

void storeCurrency(Currency currency)
{
    for (const auto &[known, stored] : storedTexts) {
        if (known == currency) {
            QSettings settings = store();
            settings.setValue(key, stored.toString());
            settings.sync(); // now, not at exit: a program ended by force keeps the choice too
            return;
        }
    }
}

} // namespace suma
