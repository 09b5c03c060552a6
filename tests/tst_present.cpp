#include "cases/amountcases.h"
#include "numberreading.h"
#include "presentation.h"
#include "utf8conversion.h"
#include "speller.h"

#include <QByteArrayList>
#include <QLocale>
#include <QRandomGenerator>
#include <QTest>

using suma::Refusal;
using suma::ResultSettings;
using suma::ResultText;

namespace {

enum class Case { None, First, All, FirstAndAll };

ResultSettings settingsFor(Case letterCase, bool money)
{
    ResultSettings s;
    s.firstCapital = letterCase == Case::First || letterCase == Case::FirstAndAll;
    s.allCapitals = letterCase == Case::All || letterCase == Case::FirstAndAll;
    s.money = money;
    return s;
}

const char *caseName(Case c)
{
    switch (c) {
    case Case::None:
        return "none";
    case Case::First:
        return "first";
    case Case::All:
        return "all";
    case Case::FirstAndAll:
        return "first+all";
    }
    return "";
}

} // namespace

Q_DECLARE_METATYPE(Case)
Q_DECLARE_METATYPE(suma::Currency)

// From typed text to result text: floor for the words, the typed text for the cents.
class tst_Present : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QLocale::setDefault(QLocale(QLocale::Lithuanian, QLocale::Lithuania));
        speller.fillWordTables();
    }

    void wholeAmount_data();
    void wholeAmount();

    void label_data();
    void label();

    void bytesAsText_data();
    void bytesAsText();

private:
    suma::Conversion convert(const QString &text, const ResultSettings &settings)
    {
        return suma::convertTyped(speller, text, settings, QLocale());
    }

    suma::Speller speller;
};

void tst_Present::wholeAmount_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("money");
    QTest::addColumn<std::optional<Refusal>>("refusal");
    QTest::addColumn<double>("amount"); // the whole amount, when not refused

    const std::optional<Refusal> none;
    const std::optional<Refusal> tooLarge = Refusal::TooLarge;
    const auto row = [](const char *text, bool money, std::optional<Refusal> refusal,
                        double amount) {
        QTest::addRow("%s %s", text, money ? "money" : "plain")
            << QString::fromUtf8(text) << money << refusal << amount;
    };
    row("999999999", true, none, 999999999.0);
    row("999999999,99", true, none, 999999999.0);
    row("999999999,994", true, none, 999999999.0);
    // Money is rounded to the cent before it is split: the cent can carry into the whole.
    row("999999999,995", true, tooLarge, 0);
    row("999999999,995", false, none, 999999999.0);
    row("7,999", true, none, 8.0);
    row("7,999", false, none, 7.0);
    row("1000000000", false, tooLarge, 0);
    row("12a", true, Refusal::NotANumber, 0);
    // A negative number's words are its magnitude's; "minus" is written before them.
    row("-5,75", true, none, 5.0);
    row("-0,5", false, none, 0.0);
    row("-1000000000", true, tooLarge, 0);
    row("-3000000000,5", false, tooLarge, 0);
}

void tst_Present::wholeAmount()
{
    QFETCH(QString, text);
    QFETCH(bool, money);
    QFETCH(std::optional<Refusal>, refusal);
    QFETCH(double, amount);

    const suma::WholeAmount whole = suma::wholeAmountOf(suma::readNumber(text, QLocale()), money);
    QCOMPARE(whole.refusal, refusal);
    if (!refusal)
        QCOMPARE(whole.amount, amount);

    ResultSettings settings;
    settings.money = money;
    const suma::Conversion done = convert(text, settings);
    QCOMPARE(done.refusal, refusal);
    // A refusal has no result at all; everything else has a text and, in money mode, cents.
    QCOMPARE(done.result.label.isEmpty(), refusal.has_value());
    QCOMPARE(done.result.cents.has_value(), !refusal && money);
}

// The result text by the text's way and by the bytes' way alike: letter case, currency, cents.
void tst_Present::label_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("money");
    QTest::addColumn<Case>("letterCase");
    QTest::addColumn<suma::Currency>("currency");
    QTest::addColumn<bool>("centsInWords");
    QTest::addColumn<QString>("expected");

    const auto row = [](const QString &text, bool money, Case c, const QString &expected,
                        suma::Currency currency = suma::Currency::Lt, const char *name = "Lt",
                        bool centsInWords = false) {
        QTest::addRow("%s %s %s %s%s", qPrintable(text), money ? "money" : "plain", caseName(c),
                      name, centsInWords ? " cents in words" : "")
            << text << money << c << currency << centsInWords << expected;
    };
    // The table of amounts every face is held to: here both of the presentation's roads.
    for (const AmountCase &c : amountCases()) {
        if (c.expected.startsWith(u'!'))
            continue; // the refusals are wholeAmount's
        const QStringList &o = c.options;
        const QString currency = o.value(o.indexOf(u"--currency"_qs) + 1, u"Lt"_qs);
        row(c.amount, !o.contains(u"--plain"_qs),
            o.contains(u"--upper"_qs)   ? Case::All
            : o.contains(u"--lower"_qs) ? Case::None
                                        : Case::First,
            c.expected,
            currency == u"Eur"     ? suma::Currency::Eur
            : currency == u"eurai" ? suma::Currency::EurNoun
                                   : suma::Currency::Lt,
            qPrintable(o.join(u' ')), o.contains(u"words"_qs));
    }
    const auto anyCase = [&row](const QString &text, bool money, const QString &expected) {
        for (Case c : {Case::None, Case::First, Case::All, Case::FirstAndAll})
            row(text, money, c, expected);
    };

    row("1234,56", true, Case::None, "vienas tūkstantis du šimtai trisdešimt keturi Lt 56 ct");
    row("1234,56", true, Case::FirstAndAll,
        "VIENAS TŪKSTANTIS DU ŠIMTAI TRISDEŠIMT KETURI Lt 56 ct");
    row("1234,56", false, Case::None, "vienas tūkstantis du šimtai trisdešimt keturi");
    row("1234,56", false, Case::First, "Vienas tūkstantis du šimtai trisdešimt keturi");
    row("1234,56", false, Case::All, "VIENAS TŪKSTANTIS DU ŠIMTAI TRISDEŠIMT KETURI");
    anyCase("0,05", true, "5 ct");
    // Money is rounded to the cent once, from the typed digits (half to even), then split.
    row("7,994", true, Case::None, "septyni Lt 99 ct");
    row("0,1250000000000000000000001", true, Case::None, "13 ct");
    row("3,125", true, Case::None, "trys Lt 12 ct");
    row("999999999,994", true, Case::None,
        QString::fromUtf8(
            "devyni šimtai devyniasdešimt devyni milijonai devyni šimtai devyniasdešimt devyni "
            "tūkstančiai devyni šimtai devyniasdešimt devyni Lt 99 ct"));
    // Zero is a word, never negative (in money mode in every currency and case below).
    row("0,004", true, Case::First, "Nulis Lt");
    row("-0", true, Case::First, "Nulis Lt");
    row("-0,004", true, Case::FirstAndAll, "NULIS Lt");
    row("-0,5", false, Case::First, "Nulis");
    row("-0,01", true, Case::None, "minus 1 ct");
    row("-0,01", true, Case::First, "Minus 1 ct");
    row("-0,01", true, Case::All, "MINUS 1 ct");
    row("21000000,01", true, Case::All, "DVIDEŠIMT VIENAS MILIJONAS Lt 1 ct");

    // Every currency in every letter case. The noun takes the form of a scale word counted by
    // the whole amount (the forms themselves are tst_speller's scaleWordForm).
    struct Amount
    {
        const char *text, *words, *noun, *cents;
    };
    const Amount amounts[] = {
        {"0", "nulis", "eurų", ""},
        {"1", "vienas", "euras", ""},
        {"2", "du", "eurai", ""},
        {"11", "vienuolika", "eurų", ""},
        {"21", "dvidešimt vienas", "euras", ""},
        {"1000", "vienas tūkstantis", "eurų", ""},
        {"1001", "vienas tūkstantis vienas", "euras", ""},
        {"0,56", "", "", "56 ct"},
        {"12,5", "dvylika", "eurų", " 50 ct"},
        {"999999999,99",
         "devyni šimtai devyniasdešimt devyni milijonai devyni šimtai devyniasdešimt devyni "
         "tūkstančiai devyni šimtai devyniasdešimt devyni",
         "eurai", " 99 ct"},
        {"-21,5", "dvidešimt vienas", "euras", " 50 ct"},
    };
    for (const Amount &a : amounts) {
        for (const Case c : {Case::None, Case::First, Case::All}) {
            // The sign is the first word, in the words' letter case.
            QString words = (a.text[0] == '-' ? QStringLiteral("minus ") : QString())
                            + QString::fromUtf8(a.words);
            QString noun = u' ' + QString::fromUtf8(a.noun);
            if (c == Case::All) {
                words = words.toUpper();
                noun = noun.toUpper();
            } else if (c == Case::First && !words.isEmpty()) {
                words[0] = words[0].toUpper();
            }
            const QString cents = QString::fromUtf8(a.cents);
            const auto label = [&](const QString &word) {
                return words.isEmpty() ? cents : words + word + cents;
            };
            const QString text = QString::fromUtf8(a.text);
            row(text, true, c, label(QStringLiteral(" Lt")));
            row(text, true, c, label(QStringLiteral(" Eur")), suma::Currency::Eur, "Eur");
            row(text, true, c, label(noun), suma::Currency::EurNoun, "eurai");
        }
    }
}

void tst_Present::label()
{
    QFETCH(QString, text);
    QFETCH(bool, money);
    QFETCH(Case, letterCase);
    QFETCH(suma::Currency, currency);
    QFETCH(bool, centsInWords);
    QFETCH(QString, expected);

    ResultSettings settings = settingsFor(letterCase, money);
    settings.currency = currency;
    settings.centsForm = centsInWords ? suma::CentsForm::Words : suma::CentsForm::Digits;
    const suma::Conversion done = convert(text, settings);
    QVERIFY(!done.refusal);
    QCOMPARE(done.result.label, expected);
    QCOMPARE(done.result.cents.has_value(), money);
    char out[suma::utf8ResultRoom];
    const suma::Utf8Result bytes = suma::convertTypedUtf8(text.toUtf8(), settings, QLocale(), out);
    QCOMPARE(bytes.refusal, std::nullopt);
    QCOMPARE(QString::fromUtf8(out, qsizetype(bytes.size)), expected);
}

// zodziais converts lines of bytes; whatever way a line takes, the result is exactly the window's
// result text in UTF-8, and a refusal is the same refusal.
void tst_Present::bytesAsText_data()
{
    QTest::addColumn<QByteArrayList>("texts");

    const QByteArrayList plain = {"0",
                                  "1",
                                  "-0",
                                  "-5",
                                  "12",
                                  "100",
                                  "999999999",
                                  "1000000000",
                                  "123456789012345",
                                  "1234567890123456",
                                  "0000000000000000001",
                                  "9999999999999999999999",
                                  "-2147483649"};
    const QByteArrayList decimals = {"12,5",    "12.5",    "12,05",         "0,999", "7,999",
                                     "-5,25",   "-0,001",  "999999999,995", ",5",    "2,675",
                                     "0,004",   "5,",      "-,5",           "1,2,3", "1.2.3",
                                     "1,234.5", "1.234,5", "1e3",           "0,125"};
    const QByteArrayList other = {"",
                                  "-",
                                  "--5",
                                  "+5",
                                  " 12",
                                  "12 ",
                                  "1 234",
                                  "\t7",
                                  "1\xC2\xA0",
                                  "\xEF\xBC\x91\xEF\xBC\x92",
                                  "\xC5\xA1"
                                  "e\xC5\xA1i",
                                  "\xFF",
                                  "1\xFF",
                                  "\xE2\x82",
                                  "inf",
                                  "nan",
                                  QByteArray("1\0", 2)};
    QTest::newRow("plain digits") << plain;
    QTest::newRow("decimal separators") << decimals;
    QTest::newRow("other texts") << other;

    // A fixed mix of digits, separators, signs, blanks and stray bytes.
    QRandomGenerator rng(4242);
    const char pieces[] = "0123456789012345678901234567890123456789,.,.-- \xC5\xA1"
                          "e";
    QByteArrayList mixed;
    for (int i = 0; i < 3000; ++i) {
        QByteArray text;
        for (int n = int(rng.bounded(1, 20)); n > 0; --n)
            text += pieces[rng.bounded(int(sizeof pieces) - 1)];
        mixed << text;
    }
    QTest::newRow("seeded mix") << mixed;
}

void tst_Present::bytesAsText()
{
    QFETCH(QByteArrayList, texts);
    // Money in every currency, and a plain number.
    const std::optional<suma::Currency> currencies[] = {suma::Currency::Lt, suma::Currency::Eur,
                                                        suma::Currency::EurNoun, std::nullopt};

    for (const QLocale &locale : {QLocale(QLocale::Lithuanian, QLocale::Lithuania),
                                  QLocale(QLocale::English, QLocale::UnitedStates)}) {
        for (const Case letterCase : {Case::None, Case::First, Case::All, Case::FirstAndAll}) {
            for (const std::optional<suma::Currency> currency : currencies) {
                ResultSettings settings = settingsFor(letterCase, currency.has_value());
                settings.currency = currency.value_or(suma::Currency::Lt);
                for (const QByteArray &text : texts) {
                    const suma::Conversion expected =
                        suma::convertTyped(speller, QString::fromUtf8(text), settings, locale);
                    char out[suma::utf8ResultRoom];
                    const auto done = suma::convertTypedUtf8(text, settings, locale, out);
                    QCOMPARE(done.refusal, expected.refusal);
                    QCOMPARE(QByteArray(out, qsizetype(done.size)),
                             expected.result.label.toUtf8());
                }
            }
        }
    }
}

QTEST_GUILESS_MAIN(tst_Present)
#include "tst_present.moc"
