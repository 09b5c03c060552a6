// Hostile input to both ways in: the window's convert command and zodziais. Every input ends in
// a defined result or a refusal, and a refusal keeps what was already shown and copied.
#include "formfixture.h"
#include "zodziaisrun.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace {

const QString notANumber = QStringLiteral("Turi būti skaičius");
const QString tooLarge = QStringLiteral("Apsiribokime milijonais !");

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
// as a line of UTF-8. Where rounding puts an amount is tst_present's: here only the top edge.
void tst_Hostile::hostileInputs()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("money");
    QTest::addColumn<Outcome>("outcome");
    QTest::addColumn<QString>("label"); // when shown

    const auto shown = [](const char *name, const QString &typed, const QString &label) {
        QTest::newRow(name) << typed << true << Outcome::Shown << label;
    };
    const auto refused = [](const char *name, const QString &typed, Outcome outcome,
                            bool money = true) {
        QTest::newRow(name) << typed << money << outcome << QString();
    };
    const auto tooBig = Outcome::TooLarge;
    const auto noNumber = Outcome::NotANumber;
    refused("10 MB of digits is too large", QString(10 * megabyte, u'1'), tooBig);
    refused("400 digits is too large", QString(400, u'9'), tooBig);
    shown("10 MB paste of a number and zeros", QStringLiteral("12,5") + QString(10 * megabyte, u'0'),
          QStringLiteral("Dvylika Lt 50 ct"));
    refused("10 MB of letters", QString(10 * megabyte, u'x'), noNumber);
    refused("1 MB of blanks", QString(megabyte, u' '), noNumber);
    shown("a number, then 1 MB of blanks", QStringLiteral("42") + QString(megabyte, u' '),
          QStringLiteral("Keturiasdešimt du Lt"));
    refused("NUL inside", QStringLiteral("12") + QChar(u'\0') + QStringLiteral("3"), noNumber);
    refused("bell and escape", QStringLiteral("1\a2\x1b"), noNumber);
    refused("lone surrogate", QStringLiteral("12") + QChar(char16_t(0xD800)), noNumber);
    refused("Arabic-Indic digits", QStringLiteral("١٢٣"), noNumber);
    refused("1e-400 underflows", QStringLiteral("1e-400"), noNumber);
    refused("1e400 is too large", QStringLiteral("1e400"), tooBig);
    refused("1e308 is too large", QStringLiteral("1e308"), tooBig);
    refused("-1e308 plain", QStringLiteral("-1e308"), tooBig, false);
    refused("-2147483649", QStringLiteral("-2147483649"), tooBig);
    refused("999999999,995 rounds up to too large", QStringLiteral("999999999,995"), tooBig);
    refused("inf", QStringLiteral("inf"), noNumber);
    refused("nan", QStringLiteral("nan"), noNumber);
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

    QStringList arguments{QStringLiteral("--locale"), QStringLiteral("lt_LT")};
    if (!money)
        arguments << QStringLiteral("--plain");
    const ZodziaisRun run = runZodziais(arguments, typed.toUtf8() + "\n7\n");

    const bool refused = outcome != Outcome::Shown;
    QCOMPARE(run.exitCode, refused ? 1 : 0);

    QString out = QString::fromUtf8(run.out);
    QVERIFY2(out.endsWith(u'\n'), "every output line ends");
    out.chop(1);
    const QString seven = money ? QStringLiteral("Septyni Lt") : QStringLiteral("Septyni");
    QCOMPARE(out.split(u'\n'), (QStringList{label, seven}));

    // One short report per refusal, with its reason: a runaway line is not echoed back whole.
    const QString err = QString::fromUtf8(run.err);
    QCOMPARE(err.count(u'\n'), refused ? 1 : 0);
    if (refused)
        QVERIFY2(err.contains(outcome == Outcome::TooLarge ? tooLarge : notANumber),
                 qPrintable(err.left(300)));
    QVERIFY2(err.size() <= 300, qPrintable(err.left(300)));
}

QTEST_MAIN(tst_Hostile)
#include "tst_hostile.moc"
