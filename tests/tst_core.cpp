#include "cases/amountcases.h"
#include "cases/shownnumber.h"
#include "result.h"
#include "typednumber.h"

#include <suma_zodziais.h>

#include <QTest>

#include <array>
#include <cstdint> // INT64_MIN
#include <string>

using suma::core::TypedNumber;

namespace {

// The core's settings for zodziais's options.
suma::core::ResultSettings settingsOf(const QStringList &options)
{
    suma::core::ResultSettings settings;
    for (qsizetype i = 0; i < options.size(); ++i) {
        const QString &option = options[i];
        if (option == u"--plain")
            settings.money = false;
        else if (option == u"--upper")
            settings.allCapitals = true;
        else if (option == u"--lower")
            settings.firstCapital = false;
        else if (option == u"--cents")
            settings.centsForm = options.value(++i) == u"words" ? suma::core::CentsForm::Words
                                                                : suma::core::CentsForm::Digits;
        else if (option == u"--currency")
            settings.currency = options.value(++i) == u"Eur"   ? suma::core::Currency::Eur
                                : options.value(i) == u"eurai" ? suma::core::Currency::EurNoun
                                                               : suma::core::Currency::Lt;
        else
            qFatal("an option the table may not use: %s", qPrintable(option));
    }
    return settings;
}

QString resultOf(const std::optional<TypedNumber> &number,
                 const suma::core::ResultSettings &settings)
{
    std::array<char, suma::core::longestResult> out;
    const suma::core::Written written = suma::core::writeResult(number, settings, out.data());
    if (written.refusal)
        return *written.refusal == suma::core::Refusal::TooLarge ? u"!TOO_LARGE"_qs
                                                                 : u"!NOT_A_NUMBER"_qs;
    return QString::fromUtf8(out.data(), qsizetype(written.size));
}


} // namespace

// The core without any face and through the C interface: the shared table of amounts, its own
// reading of text (the same in every locale), and what the C interface promises of its own.
class tst_Core : public QObject
{
    Q_OBJECT

private slots:
    void amounts_data()
    {
        QTest::addColumn<QString>("amount");
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QString>("expected");
        for (const AmountCase &c : amountCases()) {
            QTest::addRow("%s %s", qPrintable(c.amount), qPrintable(c.options.join(u' ')))
                << c.amount << c.options << c.expected;
        }
    }
    void amounts()
    {
        QFETCH(QString, amount);
        QFETCH(QStringList, options);
        QFETCH(QString, expected);
        const std::string utf8 = amount.toStdString();
        QCOMPARE(resultOf(suma::core::readAmountText(utf8), settingsOf(options)), expected);
    }

    // The same table through the C interface.
    void amountsThroughC_data() { amounts_data(); }
    void amountsThroughC()
    {
        QFETCH(QString, amount);
        QFETCH(QStringList, options);
        QFETCH(QString, expected);
        sz_options c;
        sz_options_init(&c);
        const suma::core::ResultSettings settings = settingsOf(options);
        c.currency = !settings.money                                      ? SZ_CURRENCY_NONE
                     : settings.currency == suma::core::Currency::Eur     ? SZ_CURRENCY_EUR
                     : settings.currency == suma::core::Currency::EurNoun ? SZ_CURRENCY_EUR_NOUN
                                                                          : SZ_CURRENCY_LT;
        c.cents =
            settings.centsForm == suma::core::CentsForm::Words ? SZ_CENTS_WORDS : SZ_CENTS_DIGITS;
        c.letter_case = settings.allCapitals    ? SZ_CASE_UPPER
                        : settings.firstCapital ? SZ_CASE_FIRST
                                                : SZ_CASE_LOWER;
        const QByteArray utf8 = amount.toUtf8();
        char text[SZ_LONGEST_RESULT];
        std::size_t length = 0;
        const sz_status status =
            sz_spell(utf8.constData(), std::size_t(utf8.size()), &c, text, sizeof text, &length);
        QCOMPARE(status == SZ_OK ? QString::fromUtf8(text, qsizetype(length))
                                 : u'!' + QString::fromUtf8(sz_status_name(status)),
                 expected);
        if (status == SZ_OK) {
            // Asked with no room, it tells the room the text needs.
            std::size_t needed = 0;
            QCOMPARE(sz_spell(utf8.constData(), std::size_t(utf8.size()), &c, nullptr, 0, &needed),
                     SZ_BUFFER_TOO_SMALL);
            QCOMPARE(needed, length);
        }
    }

    // The C interface's own promises: a caller's older, shorter options, options out of range,
    // whole cents, the messages.
    void cInterface()
    {
        char text[SZ_LONGEST_RESULT];
        std::size_t length = 0;
        struct Older
        {
            std::uint32_t size;
            std::int32_t currency;
        } older = {sizeof(Older), SZ_CURRENCY_EUR_NOUN};
        QCOMPARE(sz_spell_cents(2100, reinterpret_cast<const sz_options *>(&older), text,
                                sizeof text, &length),
                 SZ_OK);
        QCOMPARE(QString::fromUtf8(text), u"Dvidešimt vienas euras"_qs);
        QCOMPARE(sz_spell_cents(-5, nullptr, text, sizeof text, &length), SZ_OK);
        QCOMPARE(QString::fromUtf8(text), u"Minus 5 ct"_qs);
        QCOMPARE(sz_spell_cents(INT64_MIN, nullptr, text, sizeof text, &length), SZ_TOO_LARGE);

        sz_options wrong;
        sz_options_init(&wrong);
        wrong.cents = 7;
        QCOMPARE(sz_spell("1", 1, &wrong, text, sizeof text, &length), SZ_INVALID_ARGUMENT);
        QCOMPARE(sz_spell("1", 1, nullptr, text, sizeof text, nullptr), SZ_INVALID_ARGUMENT);
        QCOMPARE(sz_spell("1", 1, nullptr, text, 2, &length), SZ_BUFFER_TOO_SMALL);
        QCOMPARE(length, std::size_t(9)); // "Vienas Lt": the room, not counting the NUL

        QCOMPARE(QString::fromUtf8(sz_message(SZ_NOT_A_NUMBER)), u"Turi būti skaičius"_qs);
        QCOMPARE(QString::fromUtf8(sz_message(SZ_TOO_LARGE)), u"Apsiribokime milijonais !"_qs);
    }

    void reading_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        const QString nbsp(QChar(0x00A0)), thin(QChar(0x2009)), narrow(QChar(0x202F));
        const struct
        {
            QString text;
            const char *expected;
        } rows[] = {
            {"1234,56", "1234.560"},
            {"1234.56", "1234.560"},
            {"1 234,56", "1234.560"},
            {"1" + nbsp + "234" + nbsp + "567.5", "1234567.500"},
            {"1" + thin + "234,5", "1234.500"},
            {"1" + narrow + "234,5", "1234.500"},
            {" " + nbsp + "12 ", "12.000"},
            {"+7", "7.000"},
            {QChar(0x2212) + u"0,5"_qs, "-0.500"},
            {"1e3", "1000.000"},
            {"1.5E-2", "0.015"},
            {",5", "0.500"},
            {"2,6750000000000000000001", "2.675+"},
            {QString(400, u'9'), "huge"},
            {"1,234.56", "refused"}, // one decimal separator only
            {"1  234", "refused"},   // one blank between groups
            {"- 5", "refused"},
            {"1 ,5", "refused"},
            {"12 e3", "refused"},
            {"1_000", "refused"},
            {"inf", "refused"},
            {"", "refused"},
            {"\u00A0", "refused"},
        };
        for (const auto &row : rows)
            QTest::addRow("%s", qPrintable(row.text))
                << row.text << QString::fromUtf8(row.expected);
    }
    void reading()
    {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QCOMPARE(shown(suma::core::readAmountText(text.toStdString())), expected);
    }
};

QTEST_GUILESS_MAIN(tst_Core)
#include "tst_core.moc"
