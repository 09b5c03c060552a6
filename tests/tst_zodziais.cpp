#include "cases/amountcases.h"
#include "zodziaisrun.h"

#include <QDir>
#include <QTest>

#include <unistd.h> // close

// Runs the built zodziais end to end, as a script would.
class tst_Zodziais : public QObject
{
    Q_OBJECT

private slots:
    void sharedAmounts();

    void arguments_data();
    void arguments();

    void standardInput_data();
    void standardInput();

    void environmentChoosesTheLocale_data();
    void environmentChoosesTheLocale();

    void refusalShowsTheInputSafely_data();
    void refusalShowsTheInputSafely();
    void failedInputOrOutputIsAnError_data();
    void failedInputOrOutputIsAnError();
    void helpAndVersion();
};

// The table every face of the speller is held to, as lines of standard input under Lithuanian
// settings: all the amounts of one set of options in one run, a line out for each.
void tst_Zodziais::sharedAmounts()
{
    QMap<QStringList, QList<AmountCase>> byOptions;
    for (const AmountCase &c : amountCases())
        byOptions[c.options].append(c);
    for (auto each = byOptions.cbegin(); each != byOptions.cend(); ++each) {
        QByteArray input;
        for (const AmountCase &c : each.value())
            input += c.amount.toUtf8() + '\n';
        const ZodziaisRun run =
            runZodziais(QStringList{QStringLiteral("--locale"), QStringLiteral("lt_LT")} + each.key(),
                        input);
        QStringList lines = QString::fromUtf8(run.out).split(u'\n');
        QCOMPARE(lines.takeLast(), QString());
        QCOMPARE(lines.size(), each.value().size());
        QStringList reasons; // of the refusals, in order
        for (qsizetype i = 0; i < lines.size(); ++i) {
            const QString &expected = each.value()[i].expected;
            QCOMPARE(lines[i], expected.startsWith(u'!') ? QString() : expected);
            if (expected.startsWith(u'!')) {
                reasons << (expected == u"!TOO_LARGE" ? QStringLiteral("Apsiribokime milijonais !")
                                                      : QStringLiteral("Turi būti skaičius"));
            }
        }
        QStringList reported = QString::fromUtf8(run.err).split(u'\n', Qt::SkipEmptyParts);
        for (QString &line : reported)
            line = line.section(QStringLiteral("\": "), -1);
        QCOMPARE(reported, reasons);
        QCOMPARE(run.exitCode, reasons.isEmpty() ? 0 : 1);
    }
}

void tst_Zodziais::arguments_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("out");
    QTest::addColumn<QStringList>("errors"); // each a line of standard error
    QTest::addColumn<int>("exitCode");

    const QStringList none;
    const QString lt = QStringLiteral("--locale=lt_LT");

    QTest::newRow("money, first capital by default")
        << QStringList{lt, "1234,56"} << "Vienas tūkstantis du šimtai trisdešimt keturi Lt 56 ct\n"
        << none << 0;
    QTest::newRow("plain upper")
        << QStringList{"--plain", "--upper", "2021"} << "DU TŪKSTANČIAI DVIDEŠIMT VIENAS\n" << none
        << 0;
    QTest::newRow("euro") << QStringList{"--locale", "lt_LT", "--currency", "Eur", "100,5"}
                          << "Šimtas Eur 50 ct\n" << none << 0;
    QTest::newRow("euro noun, value in any case")
        << QStringList{lt, "--currency", "Eurai", "21", "2", "1000", "12,5"}
        << "Dvidešimt vienas euras\nDu eurai\nVienas tūkstantis eurų\nDvylika eurų 50 ct\n" << none
        << 0;
    QTest::newRow("lower") << QStringList{lt, "--lower", "--money", "21"} << "dvidešimt vienas Lt\n"
                           << none << 0;
    QTest::newRow("several in order, a negative among them")
        << QStringList{lt, "7", "-1", "0,05", "12,99"}
        << "Septyni Lt\nMinus vienas Lt\n5 ct\nDvylika Lt 99 ct\n" << none << 0;
    QTest::newRow("negative plain is a number, not an option")
        << QStringList{lt, "--plain", "-5,25"} << "Minus penki\n" << none << 0;
    QTest::newRow("negative money") << QStringList{"-5,25", lt} << "Minus penki Lt 25 ct\n"
                                    << none << 0;
    QTest::newRow("byte order marks before a number, as on a line")
        << QStringList{lt, "\uFEFF\uFEFF" "7"} << "Septyni Lt\n" << none << 0;
    QTest::newRow("after --") << QStringList{lt, "--", "-0,5", "--upper"} << "Minus 50 ct\n\n"
                              << QStringList{"zodziais: \"--upper\": Turi būti skaičius"} << 1;
    QTest::newRow("refusals keep their lines")
        << QStringList{lt, "7", "abc", "1000000000", "999999999,99"}
        << "Septyni Lt\n\n\nDevyni šimtai devyniasdešimt devyni milijonai devyni šimtai "
           "devyniasdešimt devyni tūkstančiai devyni šimtai devyniasdešimt devyni Lt 99 ct\n"
        << QStringList{"zodziais: \"abc\": Turi būti skaičius",
                       "zodziais: \"1000000000\": Apsiribokime milijonais !"}
        << 1;
    QTest::newRow("a long argument is shortened in its message")
        << QStringList{lt, QString(400, u'9')} << "\n"
        << QStringList{"zodziais: \"" + QString(60, u'9') + "…\": Apsiribokime milijonais !"}
        << 1;
    QTest::newRow("English groups") << QStringList{"--locale", "en_US", "1,234.5"}
                                    << "Vienas tūkstantis du šimtai trisdešimt keturi Lt 50 ct\n"
                                    << none << 0;

    // Usage errors: nothing converted, nothing on standard output.
    for (const QStringList &wrong :
         {QStringList{"--bogus", "1"}, QStringList{"--plain", "--money", "1"},
          QStringList{"--first", "--upper", "1"}, QStringList{"--currency", "USD", "1"},
          QStringList{"--currency", "euras", "1"}, QStringList{"--currency"},
          QStringList{"--cents", "Words", "1"},
          QStringList{"--locale", "xx_YY", "1"}}) {
        QTest::addRow("usage: %s", qPrintable(wrong.join(u' '))) << wrong << "" << none << 2;
    }
}

void tst_Zodziais::arguments()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, out);
    QFETCH(QStringList, errors);
    QFETCH(int, exitCode);

    const ZodziaisRun result = runZodziais(arguments);
    QCOMPARE(result.exitCode, exitCode);
    QCOMPARE(QString::fromUtf8(result.out), out);
    if (exitCode == 2) {
        QVERIFY(result.err.startsWith("zodziais: "));
        return;
    }
    const QString err = QString::fromUtf8(result.err);
    QCOMPARE(err.split(u'\n', Qt::SkipEmptyParts), errors);
}

void tst_Zodziais::standardInput_data()
{
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QString>("out");
    QTest::addColumn<QStringList>("reasons"); // of the refusals, in their order
    QTest::addColumn<int>("exitCode");

    const QStringList none;
    const QString notANumber = QStringLiteral("Turi būti skaičius");
    const QString tooLarge = QStringLiteral("Apsiribokime milijonais !");
    QTest::newRow("LF") << QByteArray("12,5\n7\n") << "Dvylika Lt 50 ct\nSeptyni Lt\n" << none
                        << 0;
    QTest::newRow("empty lines are refused") << QByteArray("\n1\n\n") << "\nVienas Lt\n\n"
                                             << QStringList{notANumber, notANumber} << 1;
    QTest::newRow("blanks around") << QByteArray(" 3 \n\t4,5\xC2\xA0\n")
                                   << "Trys Lt\nKeturi Lt 50 ct\n" << none << 0;
    QTest::newRow("invalid UTF-8") << QByteArray("\xc3\x28\n5\n\xed\xa0\x80\n\x80\n")
                                   << "\nPenki Lt\n\n\n"
                                   << QStringList{notANumber, notANumber, notANumber} << 1;
    QTest::newRow("UTF-16") << QByteArray("\xFF\xFE" "1\0" "2\0\n\0" "\xFF\xFE" "3\0", 12)
                            << "Dvylika Lt\nTrys Lt\n" << none << 0;
    // A line longer than any number is refused unread: digits are too large, as a shorter run of
    // them is, and anything else is no number.
    const QByteArray longDigits(100'000, '9');
    QTest::newRow("lines past the longest")
        << " -" + longDigits + " \r\n7\n" + longDigits + "x\n" + longDigits
        << "\nSeptyni Lt\n\n\n" << QStringList{tooLarge, notANumber, tooLarge} << 1;
}

void tst_Zodziais::standardInput()
{
    QFETCH(QByteArray, input);
    QFETCH(QString, out);
    QFETCH(QStringList, reasons);
    QFETCH(int, exitCode);

    const ZodziaisRun result = runZodziais({QStringLiteral("--locale"), QStringLiteral("lt_LT")}, input);
    QCOMPARE(result.exitCode, exitCode);
    QCOMPARE(QString::fromUtf8(result.out), out);
    QStringList given;
    for (const QString &line : QString::fromUtf8(result.err).split(u'\n', Qt::SkipEmptyParts))
        given.append(line.section(QStringLiteral("\": "), -1));
    QCOMPARE(given, reasons);
}

void tst_Zodziais::environmentChoosesTheLocale_data()
{
    QTest::addColumn<QString>("variable");
    QTest::addColumn<QString>("out");

    // "1,000" is one under Lithuanian settings and a thousand under English ones.
    QTest::newRow("lt_LT") << "lt_LT.UTF-8" << "Vienas Lt\n";
    QTest::newRow("en_US") << "en_US.UTF-8" << "Vienas tūkstantis Lt\n";
}

void tst_Zodziais::environmentChoosesTheLocale()
{
    QFETCH(QString, variable);
    QFETCH(QString, out);

    const ZodziaisRun result = runZodziais({QStringLiteral("1,000")}, {}, variable);
    QCOMPARE(result.exitCode, 0);
    QCOMPARE(QString::fromUtf8(result.out), out);

    // --locale wins over the environment.
    const ZodziaisRun pinned = runZodziais({QStringLiteral("--locale=lt_LT"), QStringLiteral("1,000")}, {}, variable);
    QCOMPARE(QString::fromUtf8(pinned.out), QStringLiteral("Vienas Lt\n"));
}

void tst_Zodziais::refusalShowsTheInputSafely_data()
{
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QString>("shown");

    const QString a59(59, u'a');
    QTest::newRow("Lithuanian letters as they are") << QByteArray("žodis\n") << "žodis";
    // A terminal would retitle its window on this: no escape or bell reaches it.
    QTest::newRow("escape sequence") << QByteArray("\x1b]0;x\x07\n") << "\uFFFD]0;x\uFFFD";
    QTest::newRow("tab and NUL") << QByteArray("1\t\0" "2\n", 5) << "1\uFFFD\uFFFD2";
    QTest::newRow("right-to-left override") << QByteArray("1\u202E2\n") << "1\uFFFD2";
    QTest::newRow("emoji kept whole") << QByteArray("\xF0\x9F\x98\x80x\n") << "😀x";
    QTest::newRow("runaway line cut at 60") << QByteArray(70, 'b') + '\n' << QString(60, u'b') + u'…';
    QTest::newRow("line past the longest") << QByteArray(100'000, 'b') << QString(60, u'b') + u'…';
    // 59 characters, then a pair that straddles the cut: the pair is kept, not halved.
    QTest::newRow("cut never halves a pair")
        << (a59 + QStringLiteral("😀bbbbbbbbbb\n")).toUtf8() << a59 + QStringLiteral("😀…");
    QTest::newRow("UTF-16, a unit cut off at the end")
        << QByteArray("\xFF\xFE" "1\0" "2\0" " ", 7) << QStringLiteral("12\uFFFD");
}

void tst_Zodziais::refusalShowsTheInputSafely()
{
    QFETCH(QByteArray, input);
    QFETCH(QString, shown);

    const ZodziaisRun result = runZodziais({QStringLiteral("--locale=lt_LT")}, input);
    QCOMPARE(result.exitCode, 1);
    QCOMPARE(QString::fromUtf8(result.err),
             QStringLiteral("zodziais: \"%1\": Turi būti skaičius\n").arg(shown));
}

void tst_Zodziais::failedInputOrOutputIsAnError_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QString>("inputFile");
    QTest::addColumn<QString>("outputFile");
    QTest::addColumn<int>("closed"); // the standard stream closed at start, or -1
    QTest::addColumn<QString>("message");

    const QString full = QStringLiteral("/dev/full");
    const QString unwritten = QStringLiteral("nepavyko rašyti į standartinę išvestį");
    const QString unread = QStringLiteral("nepavyko skaityti standartinės įvesties");
    const QStringList five{"--locale=lt_LT", "5"};
    QTest::newRow("arguments") << five << QByteArray() << QString() << full << -1 << unwritten;
    QTest::newRow("standard input") << QStringList{"--locale=lt_LT"} << QByteArray("5\n")
                                    << QString() << full << -1 << unwritten;
    QTest::newRow("help") << QStringList{"--help"} << QByteArray() << QString() << full << -1
                          << unwritten;
    QTest::newRow("closed output") << five << QByteArray() << QString() << QString() << 1
                                   << unwritten;
    QTest::newRow("closed output, help") << QStringList{"--help"} << QByteArray() << QString()
                                         << QString() << 1 << unwritten;
    QTest::newRow("unreadable input") << QStringList{"--locale=lt_LT"} << QByteArray()
                                      << QDir::rootPath() << QString() << -1 << unread;
    QTest::newRow("closed input") << QStringList{"--locale=lt_LT"} << QByteArray() << QString()
                                  << QString() << 0 << unread;
}

// A full disk, a closed stream, or input that cannot be read, must not look like success to the
// script that runs zodziais.
void tst_Zodziais::failedInputOrOutputIsAnError()
{
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, input);
    QFETCH(QString, inputFile);
    QFETCH(QString, outputFile);
    QFETCH(int, closed);
    QFETCH(QString, message);

    // Started with a standard stream closed, as `>&-` does in a shell, or redirected to a file.
    const ZodziaisRun result = runZodziais(arguments, input, QStringLiteral("C.UTF-8"), [&](QProcess &p) {
        if (closed >= 0)
            p.setChildProcessModifier([closed] { ::close(closed); });
        if (!outputFile.isEmpty())
            p.setStandardOutputFile(outputFile);
        if (!inputFile.isEmpty())
            p.setStandardInputFile(inputFile);
    });
    QCOMPARE(result.exitCode, 1);
    QCOMPARE(QString::fromUtf8(result.err), QStringLiteral("zodziais: ") + message + u'\n');
}

// The version line itself is tst_lithuanian's.
void tst_Zodziais::helpAndVersion()
{
    QCOMPARE(runZodziais({QStringLiteral("--version")}).exitCode, 0);
    const ZodziaisRun help = runZodziais({QStringLiteral("--help")});
    QCOMPARE(help.exitCode, 0);
    for (const char *option : {"--plain", "--money", "--lower", "--first", "--upper",
                               "--currency", "--cents", "--locale"}) {
        QVERIFY2(help.out.contains(option), option);
    }
    QVERIFY(help.out.contains("Visos raidės didžiosios."));
}

QTEST_GUILESS_MAIN(tst_Zodziais)
#include "tst_zodziais.moc"
