#include "speller.h"

#include <QHash>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTest>

#include <array>
#include <cmath>     // pow
#include <limits>    // numeric_limits
#include <optional>
#include <type_traits> // is_assignable_v
#include <utility>     // declval

using suma::Speller;

namespace {

// An independent reading of Lithuanian number words back into a number, so that the
// invariants below do not have to trust the speller's own tables.
std::optional<qint64> readBack(const QString &words)
{
    static const QHash<QString, int> small = [] {
        QHash<QString, int> h;
        const char *const units[] = {"vienas", "du",     "trys",    "keturi", "penki",
                                     "šeši",   "septyni", "aštuoni", "devyni"};
        const char *const teens[] = {"vienuolika",   "dvylika",      "trylika",
                                     "keturiolika",  "penkiolika",   "šešiolika",
                                     "septyniolika", "aštuoniolika", "devyniolika"};
        const char *const tens[] = {"dešimt",          "dvidešimt",      "trisdešimt",
                                    "keturiasdešimt",  "penkiasdešimt",  "šešiasdešimt",
                                    "septyniasdešimt", "aštuoniasdešimt", "devyniasdešimt"};
        for (int i = 0; i < 9; ++i) {
            h.insert(QString::fromUtf8(units[i]), i + 1);
            h.insert(QString::fromUtf8(teens[i]), i + 11);
            h.insert(QString::fromUtf8(tens[i]), (i + 1) * 10);
        }
        return h;
    }();
    static const QHash<QString, int> scales = {
        {QStringLiteral("milijonas"), 1'000'000},   {QStringLiteral("milijonai"), 1'000'000},
        {QStringLiteral("milijonų"), 1'000'000},    {QStringLiteral("tūkstantis"), 1000},
        {QStringLiteral("tūkstančiai"), 1000},      {QStringLiteral("tūkstančių"), 1000},
    };

    qint64 total = 0;
    qint64 group = 0;
    bool groupHasWords = false;
    for (const QString &word : words.split(u' ')) {
        if (word == QStringLiteral("šimtas") || word == QStringLiteral("šimtai")) {
            group = (group == 0 ? 1 : group) * 100;
            groupHasWords = true;
        } else if (auto s = scales.constFind(word); s != scales.cend()) {
            if (!groupHasWords)
                return std::nullopt;
            total += group * s.value();
            group = 0;
            groupHasWords = false;
        } else if (auto n = small.constFind(word); n != small.cend()) {
            group += n.value();
            groupHasWords = true;
        } else {
            return std::nullopt;
        }
    }
    return total + group;
}

void checkWordText(const QString &words)
{
    QVERIFY2(!words.isEmpty(), "no words");
    QVERIFY2(!words.startsWith(u' ') && !words.endsWith(u' '), qPrintable(words));
    QVERIFY2(!words.contains(QStringLiteral("  ")), qPrintable(words));
    QCOMPARE(words, words.toLower());
}

// Spelling copies the tables once: they must not be writable afterwards.
static_assert(!std::is_assignable_v<decltype((std::declval<Speller &>().vienetai[1])),
                                    QString>);

} // namespace

class TestSpeller : public QObject
{
    Q_OBJECT

private:
    Speller speller;

private slots:
    void initTestCase() { speller.fillWordTables(); }

    void simtai_data()
    {
        QTest::addColumn<int>("kk");
        QTest::addColumn<QString>("expected");
        const QList<QPair<int, const char *>> rows = {
            {0, ""},
            {1, "vienas"},
            {11, "vienuolika"},
            {19, "devyniolika"},
            {21, "dvidešimt vienas"},
            {100, "šimtas"},
            {101, "šimtas vienas"},
            {110, "šimtas dešimt"},
            {111, "šimtas vienuolika"},
            {120, "šimtas dvidešimt"},
            {200, "du šimtai"},
            {999, "devyni šimtai devyniasdešimt devyni"},
        };
        for (const auto &[kk, expected] : rows)
            QTest::addRow("%d", kk) << kk << QString::fromUtf8(expected);
    }

    void simtai()
    {
        QFETCH(int, kk);
        QFETCH(QString, expected);
        QCOMPARE(speller.simtai(static_cast<qint16>(kk)), expected);
    }

    void everyGroupReadsBack()
    {
        for (qint16 kk = 1; kk <= 999; ++kk) {
            const QString words = speller.simtai(kk);
            checkWordText(words);
            QCOMPARE(readBack(words), std::optional<qint64>(kk));
        }
    }

    // The groups joined; each scale word's form is scaleWordForm's.
    void versk_data()
    {
        QTest::addColumn<double>("sk");
        QTest::addColumn<QString>("expected");
        const QList<QPair<double, const char *>> rows = {
            {0, ""},
            {1, "vienas"},
            {111, "šimtas vienuolika"},
            {1001, "vienas tūkstantis vienas"},
            {1'000'001, "vienas milijonas vienas"},
            {1'001'000, "vienas milijonas vienas tūkstantis"},
            {1'234'567, "vienas milijonas du šimtai trisdešimt keturi tūkstančiai penki šimtai "
                        "šešiasdešimt septyni"},
            {999'999'999, "devyni šimtai devyniasdešimt devyni milijonai devyni šimtai "
                          "devyniasdešimt devyni tūkstančiai devyni šimtai devyniasdešimt devyni"},
        };
        for (const auto &[sk, expected] : rows)
            QTest::addRow("%.0f", sk) << sk << QString::fromUtf8(expected);
    }

    void versk()
    {
        QFETCH(double, sk);
        QFETCH(QString, expected);
        QCOMPARE(speller.versk(sk), expected);
    }

    // The form of the scale word depends on the group's last two digits alone, the same way
    // in the thousands and in the millions.
    void scaleWordForm_data()
    {
        QTest::addColumn<int>("group");
        QTest::addColumn<QString>("thousands");
        QTest::addColumn<QString>("millions");
        const QString singular[] = {QStringLiteral("tūkstantis"), QStringLiteral("milijonas")};
        const QString nominative[] = {QStringLiteral("tūkstančiai"), QStringLiteral("milijonai")};
        const QString genitive[] = {QStringLiteral("tūkstančių"), QStringLiteral("milijonų")};
        for (int n : {1, 21, 31, 91, 101, 121, 201, 991})
            QTest::addRow("%d singular", n) << n << singular[0] << singular[1];
        for (int n : {2, 5, 9, 22, 39, 92, 99, 102, 234, 999})
            QTest::addRow("%d nominative plural", n) << n << nominative[0] << nominative[1];
        for (int n : {10, 11, 12, 15, 19, 20, 30, 90, 100, 110, 111, 211, 300, 919})
            QTest::addRow("%d genitive plural", n) << n << genitive[0] << genitive[1];
    }

    void scaleWordForm()
    {
        QFETCH(int, group);
        QFETCH(QString, thousands);
        QFETCH(QString, millions);
        const QString groupWords = speller.simtai(static_cast<qint16>(group));
        QCOMPARE(speller.versk(group * 1000.0), groupWords + u' ' + thousands);
        QCOMPARE(speller.versk(group * 1'000'000.0), groupWords + u' ' + millions);
        QCOMPARE(speller.versk(group * 1'000'000.0 + group * 1000.0 + group),
                 groupWords + u' ' + millions + u' ' + groupWords + u' ' + thousands + u' ' +
                     groupWords);
    }

    // Within the range sk3 is amountsReadBack's; outside it the count is still the amount's own
    // millions, rounded down and saturated to 16 bits.
    void millionsCount_data()
    {
        QTest::addColumn<double>("sk");
        QTest::addColumn<int>("sk3");
        QTest::newRow("-1,000,001") << -1'000'001.0 << -2;
        QTest::newRow("-1e15") << -1e15 << -32768;
        QTest::newRow("nan") << std::numeric_limits<double>::quiet_NaN() << 0;
    }

    void millionsCount()
    {
        QFETCH(double, sk);
        QFETCH(int, sk3);
        speller.sk3 = 77; // overwritten by every call
        (void)speller.versk(sk);
        QCOMPARE(int(speller.sk3), sk3);
    }

    void noWords_data()
    {
        QTest::addColumn<double>("sk");
        QTest::newRow("-0") << -0.0;
        QTest::newRow("0.5") << 0.5;
        QTest::newRow("-1") << -1.0;
        QTest::newRow("-999,999,999") << -999'999'999.0;
        QTest::newRow("-2,147,483,648") << -2'147'483'648.0;
        QTest::newRow("-2,147,483,649") << -2'147'483'649.0;
        QTest::newRow("-1e15") << -1e15;
        QTest::newRow("-inf") << -std::numeric_limits<double>::infinity();
        QTest::newRow("inf") << std::numeric_limits<double>::infinity();
        QTest::newRow("nan") << std::numeric_limits<double>::quiet_NaN();
        QTest::newRow("1,000,000,000") << 1e9;
        QTest::newRow("1e300") << 1e300;
    }

    void noWords()
    {
        QFETCH(double, sk);
        QCOMPARE(speller.versk(sk), QString());
    }

    // versk reuses the memory of its last result once no caller holds it; a result that a
    // caller keeps must never change under it.
    void keptResultsStayIntact()
    {
        const QString first = speller.versk(1.0);
        QString second = speller.versk(2'000.0);
        const QString third = speller.versk(345'678'901.0);
        second = speller.versk(999'999'999.0);
        (void)speller.versk(7.0);
        QCOMPARE(first, QStringLiteral("vienas"));
        QCOMPARE(third, QStringLiteral("trys šimtai keturiasdešimt penki milijonai šeši šimtai "
                                       "septyniasdešimt aštuoni tūkstančiai devyni šimtai vienas"));
        Speller fresh;
        fresh.fillWordTables();
        QCOMPARE(second, fresh.versk(999'999'999.0));
        QCOMPARE(speller.versk(12.0), QStringLiteral("dvylika"));
        QCOMPARE(speller.versk(0.0), QString());
    }

    // A fixed pseudo-random sample across the whole range, plus the edges of every group.
    void amountsReadBack()
    {
        QRandomGenerator rng(20211);
        QList<qint64> amounts = {1, 999, 1000, 1001, 999'999, 1'000'000, 999'999'999};
        for (int i = 0; i < 200'000; ++i)
            amounts.append(rng.bounded(1, 1'000'000'000));
        for (int digits = 1; digits <= 9; ++digits)
            amounts.append(qint64(std::pow(10, digits)) - 1);
        qsizetype longest = 0;
        for (const qint64 amount : amounts) {
            const double sk = double(amount);
            const QString words = speller.versk(sk);
            checkWordText(words);
            QCOMPARE(readBack(words), std::optional<qint64>(amount));
            QCOMPARE(int(speller.sk3), int(amount / 1'000'000));
            longest = std::max(longest, words.size());
        }
        QVERIFY(longest <= 160);
    }

    // The bytes that zodziais writes are versk's words, in UTF-8 and in capitals as
    // QString::toUpper writes them; the millions count is versk's too.
    void bytesAreTheWords_data()
    {
        QTest::addColumn<QList<double>>("amounts");
        QTest::newRow("edges") << QList<double>{0.0,  1.0,  100.0, 200.0, 1000.0, 100'000.0,
                                                777'777'777.0, 999'999'999.0, -5.0, 1e9, 12.5,
                                                qInf(), qQNaN()};
        // Every group in every place, and a sample of the whole range.
        QList<double> sample;
        QRandomGenerator rng(1357);
        for (int i = 0; i < 100'000; ++i)
            sample << (i < 1000 ? i * 1'001'001.0 : double(rng.bounded(1, 1'000'000'000)));
        QTest::newRow("every group, and a sample") << sample;
    }

    void bytesAreTheWords()
    {
        QFETCH(QList<double>, amounts);
        std::array<char, Speller::utf8Room> room;
        for (const double sk : amounts) {
            for (const bool capitals : {false, true}) {
                const QString words = speller.versk(sk);
                const qint16 millions = speller.sk3;
                speller.sk3 = 77;
                const qsizetype size = speller.verskUtf8(sk, capitals, room);
                QCOMPARE(QByteArray(room.data(), size),
                         (capitals ? words.toUpper() : words).toUtf8());
                QCOMPARE(speller.sk3, millions);
            }
        }
    }
};

QTEST_APPLESS_MAIN(TestSpeller)
#include "tst_speller.moc"
