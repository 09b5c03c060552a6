// Hostile input to both ways in: the window's convert command and zodziais. Every input ends in
// a defined result or a refusal, and a refusal keeps what was already shown and copied.
#include "formfixture.h"

#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>

namespace {

const QString notANumber = QStringLiteral("Turi būti skaičius");
const QString tooLarge = QStringLiteral("Apsiribokime milijonais !");
const QString largestInWords = QStringLiteral(
    "Devyni šimtai devyniasdešimt devyni milijonai devyni šimtai devyniasdešimt devyni "
    "tūkstančiai devyni šimtai devyniasdešimt devyni Lt");

enum class Outcome { Shown, NotANumber, TooLarge };

constexpr qsizetype megabyte = 1024 * 1024;

} // namespace

Q_DECLARE_METATYPE(Outcome)

class tst_Hostile : public FormTestCase
{
    Q_OBJECT

private slots:
    void convertCommand_data() { hostileInputs(); }
    void convertCommand();
    void zodziais_data() { hostileInputs(); }
    void zodziais();

private:
    static void hostileInputs();
};

// One table for both programs: each row typed (pasted) into the window, and given to zodziais
// as a line of UTF-8.
void tst_Hostile::hostileInputs()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("money");
    QTest::addColumn<Outcome>("outcome");
    QTest::addColumn<QString>("label"); // when shown

    const auto shown = Outcome::Shown;
    QTest::newRow("10 MB of digits is too large") << QString(10 * megabyte, u'1') << true
                                                  << Outcome::TooLarge << QString();
    QTest::newRow("400 digits is too large") << QString(400, u'9') << true << Outcome::TooLarge
                                             << QString();
    QTest::newRow("10 MB paste of a number and zeros")
        << QStringLiteral("12,5") + QString(10 * megabyte, u'0') << true << shown
        << QStringLiteral("Dvylika Lt 50 ct");
    QTest::newRow("10 MB of letters") << QString(10 * megabyte, u'x') << true
                                      << Outcome::NotANumber << QString();
    QTest::newRow("1 MB of blanks") << QString(megabyte, u' ') << true << Outcome::NotANumber
                                    << QString();
    QTest::newRow("a number, then 1 MB of blanks") << QStringLiteral("42") + QString(megabyte, u' ')
                                                   << true << shown
                                                   << QStringLiteral("Keturiasdešimt du Lt");
    QTest::newRow("NUL inside") << QStringLiteral("12") + QChar(u'\0') + QStringLiteral("3")
                                << true << Outcome::NotANumber << QString();
    QTest::newRow("NUL alone") << QString(1, QChar(u'\0')) << true << Outcome::NotANumber
                               << QString();
    QTest::newRow("bell and escape") << QStringLiteral("1\a2\x1b") << true << Outcome::NotANumber
                                     << QString();
    QTest::newRow("lone surrogate") << QStringLiteral("12") + QChar(char16_t(0xD800)) << true
                                    << Outcome::NotANumber << QString();
    QTest::newRow("Arabic-Indic digits") << QStringLiteral("١٢٣") << true << Outcome::NotANumber
                                         << QString();
    QTest::newRow("1e-400 underflows") << QStringLiteral("1e-400") << true << Outcome::NotANumber
                                       << QString();
    QTest::newRow("1e400 is too large") << QStringLiteral("1e400") << true << Outcome::TooLarge
                                        << QString();
    QTest::newRow("1e308 is too large") << QStringLiteral("1e308") << true << Outcome::TooLarge
                                        << QString();
    QTest::newRow("-1e308 is too large") << QStringLiteral("-1e308") << true << Outcome::TooLarge
                                         << QString();
    QTest::newRow("-1e308 plain") << QStringLiteral("-1e308") << false << Outcome::TooLarge
                                  << QString();
    QTest::newRow("-2147483649") << QStringLiteral("-2147483649") << true << Outcome::TooLarge
                                 << QString();
    QTest::newRow("-999999999,995 rounds up to too large")
        << QStringLiteral("-999999999,995") << true << Outcome::TooLarge << QString();
    QTest::newRow("999999999,995 rounds up to too large")
        << QStringLiteral("999999999,995") << true << Outcome::TooLarge << QString();
    QTest::newRow("999999999,995 plain")
        << QStringLiteral("999999999,995") << false << shown
        << largestInWords.chopped(QStringLiteral(" Lt").size());
    QTest::newRow("0,005 is zero") << QStringLiteral("0,005") << true << shown
                                   << QStringLiteral("Nulis Lt");
    QTest::newRow("inf") << QStringLiteral("inf") << true << Outcome::NotANumber << QString();
    QTest::newRow("nan") << QStringLiteral("nan") << true << Outcome::NotANumber << QString();
}

void tst_Hostile::convertCommand()
{
    QFETCH(QString, typed);
    QFETCH(bool, money);
    QFETCH(Outcome, outcome);
    QFETCH(QString, label);

    (money ? form->Option1 : form->Option2)->setChecked(true);

    // Something already shown and copied, which a refusal must keep.
    form->Text1->setText(QStringLiteral("21"));
    form->Command1->click();
    const QString before = money ? QStringLiteral("Dvidešimt vienas Lt")
                                 : QStringLiteral("Dvidešimt vienas");
    QCOMPARE(form->Label1->text(), before);
    QCOMPARE(toolkit->clipboard, before);
    const int writesBefore = toolkit->clipboardWrites;

    // As a paste puts it into the box, which keeps at most Qt's default 32,767 characters.
    form->Text1->clear();
    form->Text1->insert(typed);
    QCOMPARE(form->Text1->text(), typed.first(std::min(typed.size(), qsizetype(32767))));
    form->Command1->click();

    if (outcome == Outcome::Shown) {
        QVERIFY(toolkit->messages.isEmpty());
        QCOMPARE(form->Label1->text(), label);
        QCOMPARE(toolkit->clipboard, label);
        return;
    }
    // A refusal leaves the label and the clipboard alone.
    QCOMPARE(toolkit->messages.size(), 1);
    QCOMPARE(toolkit->messages.front().text,
             outcome == Outcome::TooLarge ? tooLarge : notANumber);
    QCOMPARE(form->Label1->text(), before);
    QCOMPARE(toolkit->clipboardWrites, writesBefore);
}

// The same rows through zodziais, each followed by a line it must still convert; how it cuts
// and decodes its input is tst_inputlines's, and what it makes of odd lines tst_zodziais's.
void tst_Hostile::zodziais()
{
    QFETCH(QString, typed);
    QFETCH(bool, money);
    QFETCH(Outcome, outcome);
    QFETCH(QString, label);

    QProcess process;
    QStringList arguments{QStringLiteral("--locale"), QStringLiteral("lt_LT")};
    if (!money)
        arguments << QStringLiteral("--plain");
    process.start(QStringLiteral(ZODZIAIS_PATH), arguments);
    QVERIFY2(process.waitForStarted(), qPrintable(process.errorString()));
    process.write(typed.toUtf8() + "\n7\n");
    process.closeWriteChannel();
    QVERIFY2(process.waitForFinished(120'000), "zodziais did not finish");

    const bool refused = outcome != Outcome::Shown;
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), refused ? 1 : 0);

    QString out = QString::fromUtf8(process.readAllStandardOutput());
    QVERIFY2(out.endsWith(u'\n'), "every output line ends");
    out.chop(1);
    const QString seven = money ? QStringLiteral("Septyni Lt") : QStringLiteral("Septyni");
    QCOMPARE(out.split(u'\n'), (QStringList{label, seven}));

    // One short report per refusal, with its reason: a runaway line is not echoed back whole.
    const QString err = QString::fromUtf8(process.readAllStandardError());
    QCOMPARE(err.count(u'\n'), refused ? 1 : 0);
    if (refused)
        QVERIFY2(err.contains(outcome == Outcome::TooLarge ? tooLarge : notANumber),
                 qPrintable(err.left(300)));
    QVERIFY2(err.size() <= 300, qPrintable(err.left(300)));
}

QTEST_MAIN(tst_Hostile)
#include "tst_hostile.moc"
