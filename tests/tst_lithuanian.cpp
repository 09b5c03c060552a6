// Lithuanian throughout, whatever the user's locale: every text a user meets in the window's
// menus and message boxes, and in zodziais's help and messages, Qt's own words included. The
// window's own captions and tooltips, written in the program, are tst_design's.
//
// Mouse clicks go through the platform window, so that a right click on Text1 opens its menu
// the way the toolkit does.
#define QTEST_QPA_MOUSE_HANDLING

#include "boxcloser.h"
#include "form1.h"
#include "lithuanian.h"
#include "version.h"
#include "zodziaisrun.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <QTranslator>

namespace {

// The entries of a menu as they read, separators left out.
QStringList entries(const QMenu &menu)
{
    QStringList texts;
    for (const QAction *action : menu.actions()) {
        if (!action->isSeparator())
            texts.append(action->text());
    }
    return texts;
}

// What zodziais writes, standard output then standard error, by lines, under English settings.
QStringList zodziaisTexts(const QStringList &arguments)
{
    const ZodziaisRun run = runZodziais(arguments, {}, QStringLiteral("en_US.UTF-8"));
    QString output = QString::fromUtf8(run.out) + QString::fromUtf8(run.err);
    // The usage line names the program as it was started.
    return output.replace(QStringLiteral(ZODZIAIS_PATH), QStringLiteral("zodziais"))
        .split(u'\n', Qt::SkipEmptyParts);
}

} // namespace

class tst_Lithuanian : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void texts_data();
    void texts();

    void missingTranslationIsNoError();

private:
    // The message box that `typed` and Enter open.
    QStringList boxTexts(const QString &typed);
    // Text1's own menu, opened by a right click.
    QStringList text1MenuTexts();

    std::unique_ptr<Form1> form; // over the real toolkit: real message boxes
};

void tst_Lithuanian::initTestCase()
{
    // English settings: the program speaks Lithuanian all the same.
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    QVERIFY2(suma::installLithuanian(*qApp), "Qt's Lithuanian translation is not installed");
}

void tst_Lithuanian::init()
{
    form = std::make_unique<Form1>();
    form->Form_Load();
    form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(form.get()));
}

void tst_Lithuanian::cleanup()
{
    if (QWidget *popup = QApplication::activePopupWidget())
        popup->close();
    form.reset();
}

QStringList tst_Lithuanian::boxTexts(const QString &typed)
{
    BoxCloser closer;
    form->Text1->setText(typed);
    QTest::keyClick(form->Text1, Qt::Key_Return);
    if (closer.seen.size() != 1)
        return {QStringLiteral("(%1 boxes)").arg(closer.seen.size())};
    const SeenBox &box = closer.seen.front();
    return QStringList{box.title, box.text} + box.buttonTexts;
}

QStringList tst_Lithuanian::text1MenuTexts()
{
    form->Text1->setText(QStringLiteral("12"));
    QTest::mouseClick(form->Text1, Qt::RightButton);
    auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
    if (!menu)
        return {QStringLiteral("(no menu)")};
    const QStringList texts = entries(*menu);
    menu->close();
    return texts;
}

void tst_Lithuanian::texts_data()
{
    QTest::addColumn<QString>("surface");
    QTest::addColumn<QStringList>("input"); // typed into Text1, or zodziais's arguments
    QTest::addColumn<QStringList>("expected");

    const QString title = QStringLiteral("Suma žodžiais");
    const QString ok = QStringLiteral("Gerai");
    const QString helpHint = QStringLiteral("Pagalba: zodziais --help");

    QTest::newRow("window menu") << "window menu" << QStringList()
                                 << QStringList{"&Užverti", "&Valiuta", "Apie..."};
    QTest::newRow("currency menu") << "currency menu" << QStringList()
                                   << QStringList{"&Litai (Lt)", "&Eurai (Eur)", "Eurai &žodžiu"};
    QTest::newRow("Text1's menu")
        << "Text1 menu" << QStringList()
        << QStringList{"&Atšaukti\tVald+Z", "A&tstatyti\tVald+Y", "Iški&rpti\tVald+X",
                       "&Kopijuoti\tVald+C", "Į&dėti\tVald+V", "Pašalinti",
                       "Pažymėti viską\tVald+A"};
    QTest::newRow("not a number") << "box" << QStringList{"abc"}
                                  << QStringList{title, "Turi būti skaičius", ok};

    // Qt's headings; the program's own lines around them are written in Lithuanian in the code.
    QTest::newRow("zodziais --help")
        << "zodziais help" << QStringList{"--help"}
        << QStringList{"Naudojimas: zodziais [parinktys] [--] [skaičius...]", "Parinktys:",
                       "Argumentai:"};
    QTest::newRow("zodziais --version") << "zodziais" << QStringList{"--version"}
                                        << QStringList{"zodziais " SUMA_VERSION_STRING};
    QTest::newRow("unknown option") << "zodziais" << QStringList{"--bogus", "1"}
                                    << QStringList{"zodziais: nežinoma parinktis \"bogus\"",
                                                   helpHint};
    QTest::newRow("unknown options")
        << "zodziais" << QStringList{"--bogus", "-x", "1"}
        << QStringList{"zodziais: nežinomos parinktys: bogus, x", helpHint};
    QTest::newRow("missing value") << "zodziais" << QStringList{"--currency"}
                                   << QStringList{"zodziais: po \"--currency\" trūksta reikšmės",
                                                  helpHint};
    QTest::newRow("value not wanted")
        << "zodziais" << QStringList{"--plain=yes", "1"}
        << QStringList{"zodziais: parinkčiai \"--plain\" reikšmės nereikia", helpHint};
}

void tst_Lithuanian::texts()
{
    QFETCH(QString, surface);
    QFETCH(QStringList, input);
    QFETCH(QStringList, expected);

    QStringList seen;
    if (surface == u"window menu" || surface == u"currency menu") {
        const auto *menu = form->findChild<QMenu *>(
            surface == u"window menu" ? QStringLiteral("windowMenu") : QStringLiteral("currencyMenu"));
        QVERIFY(menu);
        seen = entries(*menu);
    } else if (surface == u"Text1 menu") {
        seen = text1MenuTexts();
    } else if (surface == u"box") {
        seen = boxTexts(input.constFirst());
    } else {
        seen = zodziaisTexts(input);
    }
    if (surface == u"zodziais help")
        seen = seen.filter(QRegularExpression(QStringLiteral("^(Naudojimas|\\w+:$)")));
    QCOMPARE(seen, expected);
}

// Without Qt's translation the program starts all the same, with Qt's English words and not a
// word said about it; the program's own catalogue, compiled in, is still there.
void tst_Lithuanian::missingTranslationIsNoError()
{
    form.reset();
    // A translator leaves the application as it goes; the others find them back, pass or fail.
    qDeleteAll(qApp->findChildren<QTranslator *>());
    const auto reinstall = qScopeGuard([] {
        qDeleteAll(qApp->findChildren<QTranslator *>());
        suma::installLithuanian(*qApp);
    });
    const QTemporaryDir noTranslations;
    QVERIFY(noTranslations.isValid());

    static int messages = 0;
    const QtMessageHandler previous = qInstallMessageHandler(
        [](QtMsgType, const QMessageLogContext &, const QString &) { ++messages; });
    const bool found = suma::installLithuanian(*qApp, {noTranslations.path()});
    qInstallMessageHandler(previous);
    QVERIFY(!found);
    QCOMPARE(messages, 0);

    init();
    QVERIFY(form->isVisible());

    QCOMPARE(text1MenuTexts().value(0), QStringLiteral("&Undo\tCtrl+Z"));
    QCOMPARE(boxTexts(QStringLiteral("abc")).value(2), QStringLiteral("Gerai"));
}

QTEST_MAIN(tst_Lithuanian)
#include "tst_lithuanian.moc"
