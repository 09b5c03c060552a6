#include "cases/shownnumber.h"
#include "numberreading.h"

#include <QLocale>
#include <QRandomGenerator>
#include <QTest>

#include <optional>

using suma::readNumber;
using suma::TypedNumber;

class tst_NumberReading : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Lithuanian, QLocale::Lithuania)); }

    void reading_data();
    void reading();

    void defaultLocaleIsFollowed();

    void plainDigitsReadAsTheLocaleReadsThem_data();
    void plainDigitsReadAsTheLocaleReadsThem();
};

void tst_NumberReading::reading_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");

    const QString nbsp(QChar(0x00A0));
    const QString minus(QChar(0x2212));

    struct Row
    {
        const char *locale;
        QString text;
        const char *expected;
    };
    const Row rows[] = {
        // Lithuanian settings: decimal comma, groups by a (no-break) space, both minus signs.
        {"lt_LT", "1234,56", "1234.560"},
        {"lt_LT", "0", "0.000"},
        {"lt_LT", "-5,25", "-5.250"},
        {"lt_LT", minus + "5,25", "-5.250"},
        {"lt_LT", "+7", "7.000"},
        {"lt_LT", "1 234 567,5", "1234567.500"},
        {"lt_LT", "1" + nbsp + "234,5", "1234.500"},
        {"lt_LT", ",5", "0.500"},
        {"lt_LT", "  12,75\t", "12.750"},
        {"lt_LT", nbsp + "12" + nbsp, "12.000"},
        {"lt_LT", "999999999,99", "999999999.990"},
        // The value is the digits', exactly: no binary double in between.
        {"lt_LT", "2,675", "2.675"},
        {"lt_LT", "1,015", "1.015"},
        {"lt_LT", "0,1250000000000000000000001", "0.125+"},
        {"lt_LT", "7,9990", "7.999"},
        {"lt_LT", "1 000 000,00500000000000000000000000000000000000001", "1000000.005+"},
        {"lt_LT", "999999999999999,5", "999999999999999.500"},
        {"lt_LT", "1000000000000000,5", "huge"},
        {"lt_LT", "1,5E3", "1500.000"},
        {"lt_LT", "1,5E-2", "0.015"},
        {"lt_LT", "-2675e-3", "-2.675"},
        // Refused by the locale, read again with a decimal point and no groups.
        {"lt_LT", "1234.56", "1234.560"},
        {"lt_LT", "-0.5", "-0.500"},
        {"lt_LT", "1e5", "100000.000"},
        {"lt_LT", "2.675", "2.675"},
        {"lt_LT", "1,234.56", "refused"},
        {"lt_LT", "1.234,56", "refused"},
        {"lt_LT", "1 234.5", "refused"},
        // English settings: decimal point, comma groups.
        {"en_US", "1234.56", "1234.560"},
        {"en_US", "1,234.56", "1234.560"},
        {"en_US", "1,234", "1234.000"}, // a valid group wins over the decimal comma
        // Refused by the locale, read again with a decimal comma and no groups.
        {"en_US", "1234,56", "1234.560"},
        {"en_US", "-5,25", "-5.250"},
        {"en_US", "1.234,56", "refused"},
        {"en_US", "1 234,56", "refused"},
        // German settings: the point groups, the comma separates.
        {"de_DE", "1.234,565", "1234.565"},
        // Never numbers, under either settings (inf and nan with the hostile inputs).
        {"lt_LT", "", "refused"},
        {"lt_LT", "   ", "refused"},
        {"lt_LT", "abc", "refused"},
        {"lt_LT", "12a", "refused"},
        {"lt_LT", "- 5", "refused"},
        {"lt_LT", "1 2", "refused"},
        {"en_US", "1,2,3", "refused"},
        // More digits than a double holds: a number all the same, too large for any use.
        {"lt_LT", "-1" + QString(" 000").repeated(110) + ",5", "-huge"},
    };
    for (const Row &row : rows) {
        QTest::addRow("%s \"%s\"", row.locale, qPrintable(row.text))
            << QString::fromLatin1(row.locale) << row.text << QString::fromLatin1(row.expected);
    }
}

void tst_NumberReading::reading()
{
    QFETCH(QString, locale);
    QFETCH(QString, text);
    QFETCH(QString, expected);

    QCOMPARE(shown(readNumber(text, QLocale(locale))), expected);
}

void tst_NumberReading::defaultLocaleIsFollowed()
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    QCOMPARE(shown(readNumber(u"1,000", QLocale())), u"1000.000");
    QLocale::setDefault(QLocale(QLocale::Lithuanian, QLocale::Lithuania));
    QCOMPARE(shown(readNumber(u"1,000", QLocale())), u"1.000");
}

void tst_NumberReading::plainDigitsReadAsTheLocaleReadsThem_data()
{
    QTest::addColumn<QString>("locale");
    for (const char *name : {"lt_LT", "en_US", "de_DE", "sv_SE", "fr_FR", "C"})
        QTest::newRow(name) << QString::fromLatin1(name);
}

// Digits with a sign and a separator are the bulk of all input; however they are read (short ones
// by a shortcut, long ones through the locale), the locale decides which are numbers, and the
// value is the digits' own.
void tst_NumberReading::plainDigitsReadAsTheLocaleReadsThem()
{
    QFETCH(QString, locale);
    const QLocale l(locale);
    QRandomGenerator random(20240229);
    const QChar separators[] = {u',', u'.'};

    for (int n = 0; n < 20000; ++n) {
        QString text;
        if (random.bounded(3) == 0)
            text += u'-';
        const int whole = random.bounded(0, 25);
        for (int i = 0; i < whole; ++i)
            text += QChar(u'0' + random.bounded(10));
        if (random.bounded(2) == 0) {
            text += separators[random.bounded(2)];
            const int fraction = random.bounded(0, 25);
            for (int i = 0; i < fraction; ++i)
                text += QChar(u'0' + random.bounded(10));
        }

        bool ok = false;
        l.toDouble(text, &ok);
        const std::optional<TypedNumber> read = readNumber(text, l);
        QVERIFY2(read.has_value() || !ok, qPrintable(text));
        if (!read)
            continue;
        // The same digits in ASCII: by the locale's separators when it reads the text, else by
        // the other decimal separator without groups.
        QString ascii = text;
        if (ok) {
            ascii.remove(l.groupSeparator()).replace(l.decimalPoint(), QStringLiteral("."));
        } else {
            QVERIFY2(!text.contains(l.decimalPoint()), qPrintable(text));
            ascii.replace(u',', u'.');
        }
        QCOMPARE(shown(read), shown(suma::readDecimal(ascii.toStdString())));
    }
}

QTEST_GUILESS_MAIN(tst_NumberReading)
#include "tst_numberreading.moc"
