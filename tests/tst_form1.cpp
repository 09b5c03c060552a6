#include "boxcloser.h"
#include "formfixture.h"

#include <QCheckBox>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>

namespace {

const QString notANumber = QStringLiteral("Turi būti skaičius");
const QString tooLarge = QStringLiteral("Apsiribokime milijonais !");

} // namespace

class tst_Form1 : public FormTestCase
{
    Q_OBJECT

private slots:
    void startState();

    void convert_data();
    void convert();

    void onlyPlainEnterConverts_data();
    void onlyPlainEnterConverts();
    void otherKeysReachTheBox();

    void allCapitalsDisablesFirstCapital();
    void check1FollowsACommandThatGoesOn_data();
    void check1FollowsACommandThatGoesOn();
    void settingsTakeEffectOnlyAtTheNextConversion();

    void realMessageBoxAndClipboard();

private:
    void convertText(const QString &text)
    {
        form->Text1->setText(text);
        QTest::mouseClick(form->Command1, Qt::LeftButton);
    }
};

// The start of the choices: what the controls hold and which are enabled.
void tst_Form1::startState()
{
    Form1 &f = *form;
    QVERIFY(f.Option1->isChecked());
    QVERIFY(!f.Option2->isChecked());
    QCOMPARE(f.Check1->checkState(), Qt::Checked);
    QVERIFY(f.Check1->isEnabled());
    QCOMPARE(f.Check2->checkState(), Qt::Unchecked);
    QVERIFY(f.Text1->text().isEmpty());
    QVERIFY(f.Label1->text().isEmpty());
    QCOMPARE(f.focusWidget(), f.Text1);
}

void tst_Form1::convert_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("money");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("message");

    const QString before = QStringLiteral("Septyni Lt"); // from the 7 typed first
    // The window's own joining of the rule's pieces; the rule's rows are tst_present's.
    QTest::newRow("start state") << "12" << true << "Dvylika Lt" << "";
    QTest::newRow("negative money") << "-5,25" << true << "Minus penki Lt 25 ct" << "";
    QTest::newRow("negative plain") << "-5,25" << false << "Minus penki" << "";
    QTest::newRow("negative cents") << "-0,01" << true << "Minus 1 ct" << "";
    QTest::newRow("a cent that carries") << "7,999" << true << "Aštuoni Lt" << "";
    QTest::newRow("plain: no cent to carry") << "7,999" << false << "Septyni" << "";
    QTest::newRow("zero, on the clipboard too") << "-0,004" << true << "Nulis Lt" << "";
    QTest::newRow("too small") << "-1000000000" << true << before << tooLarge;
    QTest::newRow("empty") << "" << true << before << notANumber;
    QTest::newRow("letters") << "12a" << true << before << notANumber;
    QTest::newRow("too large") << "1000000000" << true << before << tooLarge;
}

void tst_Form1::convert()
{
    QFETCH(QString, text);
    QFETCH(bool, money);
    QFETCH(QString, label);
    QFETCH(QString, message);

    convertText(QStringLiteral("7"));
    QCOMPARE(form->Label1->text(), QStringLiteral("Septyni Lt"));
    const int writesBefore = toolkit->clipboardWrites;

    (money ? form->Option1 : form->Option2)->click();
    convertText(text);

    QCOMPARE(form->Label1->text(), label);
    if (message.isEmpty()) {
        QVERIFY(toolkit->messages.isEmpty());
    } else {
        QCOMPARE(toolkit->messages.size(), 1);
        QCOMPARE(toolkit->messages.front().text, message);
        QCOMPARE(toolkit->messages.front().icon, suma::Toolkit::MessageIcon::None);
    }
    // A refusal leaves the clipboard alone; a result is always copied.
    QCOMPARE(toolkit->clipboardWrites, writesBefore + (message.isEmpty() ? 1 : 0));
    QCOMPARE(toolkit->clipboard, label);
    QCOMPARE(form->Text1->text(), text); // the command never changes the input
}

void tst_Form1::onlyPlainEnterConverts_data()
{
    QTest::addColumn<QKeyCombination>("key");
    QTest::addColumn<bool>("converts");

    QTest::newRow("Return") << QKeyCombination(Qt::Key_Return) << true;
    QTest::newRow("keypad Enter") << (Qt::KeypadModifier | Qt::Key_Enter) << true;
    QTest::newRow("Ctrl+Return") << (Qt::CTRL | Qt::Key_Return) << false;
    QTest::newRow("Shift+Return") << (Qt::SHIFT | Qt::Key_Return) << false;
    QTest::newRow("Alt+Return") << (Qt::ALT | Qt::Key_Return) << false;
    QTest::newRow("Ctrl+keypad Enter")
        << (Qt::ControlModifier | Qt::KeypadModifier | Qt::Key_Enter) << false;
}

void tst_Form1::onlyPlainEnterConverts()
{
    QFETCH(QKeyCombination, key);
    QFETCH(bool, converts);

    QSignalSpy boxSawEnter(form->Text1, &QLineEdit::returnPressed);
    QTest::keyClicks(form->Text1, QStringLiteral("2021"));
    QTest::keyClick(form->Text1, key.key(), key.keyboardModifiers());

    const QString words = QStringLiteral("Du tūkstančiai dvidešimt vienas Lt");
    QCOMPARE(toolkit->clipboardWrites, converts ? 1 : 0);
    QCOMPARE(form->Label1->text(), converts ? words : QString());
    QCOMPARE(form->Text1->text(), QStringLiteral("2021"));
    if (converts)
        QCOMPARE(boxSawEnter.count(), 0); // the Enter that converts is swallowed
}

void tst_Form1::otherKeysReachTheBox()
{
    // The handler filters nothing but Enter: letters and signs are typed as usual.
    QTest::keyClicks(form->Text1, QStringLiteral("-1a, b."));
    QCOMPARE(form->Text1->text(), QStringLiteral("-1a, b."));
    QCOMPARE(toolkit->clipboardWrites, 0);
    QVERIFY(toolkit->messages.isEmpty());
}

void tst_Form1::allCapitalsDisablesFirstCapital()
{
    form->Check2->click();
    QVERIFY(!form->Check1->isEnabled());
    QCOMPARE(form->Check1->checkState(), Qt::Checked);
    QCOMPARE(toolkit->clipboardWrites, 0); // a click on a box converts nothing

    convertText(QStringLiteral("100"));
    QCOMPARE(form->Label1->text(), QStringLiteral("ŠIMTAS Lt"));

    form->Check2->click();
    QVERIFY(form->Check1->isEnabled());
    QCOMPARE(form->Check1->checkState(), Qt::Checked);
    convertText(QStringLiteral("100"));
    QCOMPARE(form->Label1->text(), QStringLiteral("Šimtas Lt"));

    form->Check1->click();
    convertText(QStringLiteral("100"));
    QCOMPARE(form->Label1->text(), QStringLiteral("šimtas Lt"));
}

void tst_Form1::check1FollowsACommandThatGoesOn_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("goesOn");
    QTest::newRow("a number") << "3" << true;
    QTest::newRow("not a number") << "abc" << true;
    QTest::newRow("too large") << "1000000000" << false;
}

void tst_Form1::check1FollowsACommandThatGoesOn()
{
    QFETCH(QString, text);
    QFETCH(bool, goesOn);

    // Ticked without its click: only the command brings Check1 up to date, unless it stops.
    form->Check2->setChecked(true);
    convertText(text);
    QCOMPARE(form->Check1->isEnabled(), !goesOn);
}

void tst_Form1::settingsTakeEffectOnlyAtTheNextConversion()
{
    convertText(QStringLiteral("12,5"));
    QCOMPARE(form->Label1->text(), QStringLiteral("Dvylika Lt 50 ct"));
    form->Option2->click();
    QVERIFY(!form->Option1->isChecked());
    form->Check1->click();
    QCOMPARE(form->Label1->text(), QStringLiteral("Dvylika Lt 50 ct"));
    QTest::keyClick(form->Text1, Qt::Key_Return);
    QCOMPARE(form->Label1->text(), QStringLiteral("dvylika"));
}

void tst_Form1::realMessageBoxAndClipboard()
{
    Form1 real; // over the real toolkit
    real.Form_Load();
    QClipboard *clipboard = QGuiApplication::clipboard();

    BoxCloser closer;
    clipboard->setText(QStringLiteral("before"));
    real.Text1->setText(QStringLiteral("1000000000"));
    QTest::mouseClick(real.Command1, Qt::LeftButton);
    QCOMPARE(clipboard->text(), QStringLiteral("before"));

    real.Text1->setText(QStringLiteral("1,5"));
    QTest::keyClick(real.Text1, Qt::Key_Return);
    QCOMPARE(clipboard->text(), QStringLiteral("Vienas Lt 50 ct"));

    // A text that is no number leaves the clipboard as the user had it.
    clipboard->setText(QStringLiteral("LT12 1000 0111 0100 1000"));
    real.Text1->setText(QStringLiteral("x"));
    QTest::keyClick(real.Text1, Qt::Key_Return);
    QCOMPARE(clipboard->text(), QStringLiteral("LT12 1000 0111 0100 1000"));

    QCOMPARE(closer.seen.size(), size_t(2));
    QCOMPARE(closer.seen[0].text, tooLarge);
    QCOMPARE(closer.seen[1].text, notANumber);
    for (const SeenBox &box : closer.seen) {
        QCOMPARE(box.title, QStringLiteral("Suma žodžiais"));
        QCOMPARE(box.icon, QMessageBox::NoIcon);
        QCOMPARE(box.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    }
}

QTEST_MAIN(tst_Form1)
#include "tst_form1.moc"
