#include "numberreading.h"

#include <QLocale>
#include <QRandomGenerator>
#include <QTest>

#include <limits>

#include <optional>

using suma::readNumber;

namespace {

constexpr double refused = -0.123456789; // marks a row whose text is no number

} // namespace

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
    QTest::addColumn<double>("expected");

    const QString nbsp(QChar(0x00A0));
    const QString minus(QChar(0x2212));
    constexpr double inf = std::numeric_limits<double>::infinity();

    struct Row
    {
        const char *locale;
        QString text;
        double expected;
    };
    const Row rows[] = {
        // Lithuanian settings: decimal comma, groups by a (no-break) space, both minus signs.
        {"lt_LT", "1234,56", 1234.56},
        {"lt_LT", "0", 0.0},
        {"lt_LT", "-5,25", -5.25},
        {"lt_LT", minus + "5,25", -5.25},
        {"lt_LT", "+7", 7.0},
        {"lt_LT", "1 234 567,5", 1234567.5},
        {"lt_LT", "1" + nbsp + "234,5", 1234.5},
        {"lt_LT", ",5", 0.5},
        {"lt_LT", "  12,75\t", 12.75},
        {"lt_LT", nbsp + "12" + nbsp, 12.0},
        {"lt_LT", "999999999,99", 999999999.99},
        // Refused by the locale, read again with a decimal point and no groups.
        {"lt_LT", "1234.56", 1234.56},
        {"lt_LT", "-0.5", -0.5},
        {"lt_LT", "1e5", 100000.0},
        {"lt_LT", "1,234.56", refused},
        {"lt_LT", "1.234,56", refused},
        {"lt_LT", "1 234.5", refused},
        // English settings: decimal point, comma groups.
        {"en_US", "1234.56", 1234.56},
        {"en_US", "1,234.56", 1234.56},
        {"en_US", "1,234", 1234.0}, // a valid group wins over the decimal comma
        {"en_US", "-5.25", -5.25},
        // Refused by the locale, read again with a decimal comma and no groups.
        {"en_US", "1234,56", 1234.56},
        {"en_US", "-5,25", -5.25},
        {"en_US", "12,5", 12.5},
        {"en_US", "1.234,56", refused},
        {"en_US", "1 234,56", refused},
        // Never numbers, under either settings.
        {"lt_LT", "", refused},
        {"lt_LT", "   ", refused},
        {"lt_LT", "abc", refused},
        {"lt_LT", "12a", refused},
        {"lt_LT", "- 5", refused},
        {"lt_LT", "1 2", refused},
        {"lt_LT", "inf", refused},
        {"lt_LT", "-inf", refused},
        {"lt_LT", "nan", refused},
        // More digits than a double holds: a number all the same, too large for any use.
        {"lt_LT", "1e400", inf},
        {"lt_LT", "-1e400", -inf},
        {"lt_LT", QString(400, u'9'), inf},
        {"lt_LT", "-" + QString(400, u'9') + ",5", -inf},
        {"lt_LT", "1" + QString(" 000").repeated(110), inf},
        {"en_US", "1e400", inf},
        {"en_US", "", refused},
        {"en_US", "inf", refused},
        {"en_US", "nan", refused},
        {"en_US", "1,2,3", refused},
    };
    for (const Row &row : rows) {
        QTest::addRow("%s \"%s\"", row.locale, qPrintable(row.text))
            << QString::fromLatin1(row.locale) << row.text << row.expected;
    }
}

void tst_NumberReading::reading()
{
    QFETCH(QString, locale);
    QFETCH(QString, text);
    QFETCH(double, expected);

    const std::optional<double> value = readNumber(text, QLocale(locale));
    if (expected == refused) {
        QVERIFY2(!value, qPrintable(QString::number(value.value_or(0), 'g', 17)));
    } else {
        QVERIFY(value.has_value());
        QCOMPARE(*value, expected);
    }
}

void tst_NumberReading::defaultLocaleIsFollowed()
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    QCOMPARE(readNumber(u"1,000", QLocale()), 1000.0);
    QLocale::setDefault(QLocale(QLocale::Lithuanian, QLocale::Lithuania));
    QCOMPARE(readNumber(u"1,000", QLocale()), 1.0);
}

void tst_NumberReading::plainDigitsReadAsTheLocaleReadsThem_data()
{
    QTest::addColumn<QString>("locale");
    for (const char *name : {"lt_LT", "en_US", "de_DE", "sv_SE", "fr_FR", "C"})
        QTest::newRow(name) << QString::fromLatin1(name);
}

// Digits with a sign and a separator are the bulk of all input; however they are read, the result
// must be exactly what the locale itself reads, rounding of long fractions included.
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
        const double byLocale = l.toDouble(text, &ok);
        const std::optional<double> read = readNumber(text, l);
        if (ok) {
            QVERIFY2(read.has_value(), qPrintable(text));
            QVERIFY2(*read == byLocale, qPrintable(text));
        } else if (read) {
            // Refused by the locale: only the other separator may have read it.
            QString swapped = text;
            for (QChar &c : swapped)
                c = c == u',' ? QChar(u'.') : c == u'.' ? QChar(u',') : c;
            QCOMPARE(*read, l.toDouble(swapped));
        }
    }
}

QTEST_GUILESS_MAIN(tst_NumberReading)
#include "tst_numberreading.moc"
