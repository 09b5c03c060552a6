#include "form1.h"
#include "boxcloser.h"
#include "recordingtoolkit.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <memory>
#include <vector>

namespace {

const QString notANumber = QStringLiteral("Turi būti skaičius");
const QString tooLarge = QStringLiteral("Apsiribokime milijonais !");

} // namespace

class tst_Form1 : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Lithuanian, QLocale::Lithuania)); }
    void init()
    {
        toolkit = std::make_unique<RecordingToolkit>();
        form = std::make_unique<Form1>(*toolkit);
        form->Form_Load();
    }
    void cleanup()
    {
        form.reset();
        toolkit.reset();
    }

    void startState();

    void convert_data();
    void convert();

    void enterRunsTheCommand_data();
    void enterRunsTheCommand();
    void otherKeysReachTheBox();

    void allCapitalsDisablesFirstCapital();
    void refusalForSizeTouchesNothing();
    void refusalOfTextStillBringsCheck1UpToDate();
    void settingsTakeEffectOnlyAtTheNextConversion();
    void rodykWritesTheCentsBack_data();
    void rodykWritesTheCentsBack();

    void realMessageBoxAndClipboard();

private:
    void convertText(const QString &text)
    {
        form->Text1->setText(text);
        QTest::mouseClick(form->Command1, Qt::LeftButton);
    }

    std::unique_ptr<RecordingToolkit> toolkit;
    std::unique_ptr<Form1> form;
};

void tst_Form1::startState()
{
    struct Expected
    {
        QWidget *control;
        const char *name;
        QWidget *parent;
    };
    Form1 &f = *form;
    const Expected controls[] = {
        {f.Frame1, "Frame1", &f},   {f.Frame2, "Frame2", &f},     {f.Frame3, "Frame3", &f},
        {f.Option1, "Option1", f.Frame3}, {f.Option2, "Option2", f.Frame3},
        {f.Check1, "Check1", f.Frame2},   {f.Check2, "Check2", f.Frame2},
        {f.Text1, "Text1", &f},     {f.Command1, "Command1", &f}, {f.Label1, "Label1", f.Frame1},
        {f.Picture1, "Picture1", &f}, {f.Picture2, "Picture2", &f},
    };
    for (const Expected &c : controls) {
        QVERIFY2(c.control, c.name);
        QCOMPARE(c.control->objectName(), QLatin1StringView(c.name));
        QCOMPARE(c.control->parentWidget(), c.parent);
    }

    QCOMPARE(f.windowTitle(), QStringLiteral("Suma žodžiais"));
    QCOMPARE(f.Frame1->title(), QStringLiteral("Suma žodžiais"));
    QCOMPARE(f.Frame2->title(), QStringLiteral("Raidės"));
    QCOMPARE(f.Frame3->title(), QStringLiteral("Forma"));
    QCOMPARE(f.Option1->text(), QStringLiteral("Pinigai"));
    QCOMPARE(f.Option2->text(), QStringLiteral("Skaičiai"));
    QCOMPARE(f.Check1->text(), QStringLiteral("Pirma raidė didžioji"));
    QCOMPARE(f.Check2->text(), QStringLiteral("Visos raidės didžiosios"));
    QCOMPARE(f.Command1->text(), QStringLiteral("&Pasakyk"));

    QVERIFY(f.Option1->isChecked());
    QVERIFY(!f.Option2->isChecked());
    QCOMPARE(f.Check1->checkState(), Qt::Checked);
    QVERIFY(f.Check1->isEnabled());
    QCOMPARE(f.Check2->checkState(), Qt::Unchecked);
    QVERIFY(f.Text1->text().isEmpty());
    QVERIFY(f.Label1->text().isEmpty());
    QCOMPARE(f.focusWidget(), f.Text1);
    QVERIFY(!f.Command1->isDefault());
}

void tst_Form1::convert_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("money");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("message");

    const QString before = QStringLiteral("Septyni Lt"); // from the 7 typed first
    QTest::newRow("start state") << "12" << true << "Dvylika Lt" << "";
    QTest::newRow("largest") << "999999999" << false
                             << "Devyni šimtai devyniasdešimt devyni milijonai devyni šimtai "
                                "devyniasdešimt devyni tūkstančiai devyni šimtai "
                                "devyniasdešimt devyni"
                             << "";
    QTest::newRow("largest with cents")
        << "999999999,99" << true
        << "Devyni šimtai devyniasdešimt devyni milijonai devyni šimtai devyniasdešimt devyni "
           "tūkstančiai devyni šimtai devyniasdešimt devyni Lt 99 ct"
        << "";
    QTest::newRow("plain drops the fraction") << "12,99" << false << "Dvylika" << "";
    QTest::newRow("negative money") << "-5,25" << true << "75 ct" << "";
    QTest::newRow("negative plain") << "-5,25" << false << "" << "";
    QTest::newRow("below the 32-bit range") << "-3000000000,5" << true << "50 ct" << "";
    QTest::newRow("far below") << "-1e300" << false << "" << "";
    QTest::newRow("point under Lithuanian settings") << "1234.5" << true
                                                     << "Vienas tūkstantis du šimtai trisdešimt "
                                                        "keturi Lt 50 ct"
                                                     << "";
    QTest::newRow("empty") << "" << true << before << notANumber;
    QTest::newRow("letters") << "12a" << true << before << notANumber;
    QTest::newRow("inf") << "inf" << true << before << notANumber;
    QTest::newRow("too large") << "1000000000" << true << before << tooLarge;
    QTest::newRow("too large, huge") << "1e300" << true << before << tooLarge;
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
    const bool clipboardTouched = message != tooLarge;
    QCOMPARE(toolkit->clipboardWrites, writesBefore + (clipboardTouched ? 1 : 0));
    QCOMPARE(toolkit->clipboard, label);
    QCOMPARE(form->Text1->text(), text); // the command never changes the input
}

void tst_Form1::enterRunsTheCommand_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::newRow("Return") << int(Qt::Key_Return) << Qt::KeyboardModifiers();
    QTest::newRow("keypad Enter") << int(Qt::Key_Enter)
                                  << Qt::KeyboardModifiers(Qt::KeypadModifier);
}

void tst_Form1::enterRunsTheCommand()
{
    QFETCH(int, key);
    QFETCH(Qt::KeyboardModifiers, modifiers);

    QSignalSpy boxSawEnter(form->Text1, &QLineEdit::returnPressed);
    QTest::keyClicks(form->Text1, QStringLiteral("2021"));
    QTest::keyClick(form->Text1, Qt::Key(key), modifiers);

    QCOMPARE(form->Label1->text(), QStringLiteral("Du tūkstančiai dvidešimt vienas Lt"));
    QCOMPARE(toolkit->clipboard, form->Label1->text());
    QCOMPARE(boxSawEnter.count(), 0);
    QCOMPARE(form->Text1->text(), QStringLiteral("2021"));

    // A text that is no number gives the message, as the button does.
    form->Text1->clear();
    QTest::keyClick(form->Text1, Qt::Key(key), modifiers);
    QCOMPARE(toolkit->messages.size(), 1);
    QCOMPARE(toolkit->messages.front().text, notANumber);
    QCOMPARE(boxSawEnter.count(), 0);
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

void tst_Form1::refusalForSizeTouchesNothing()
{
    convertText(QStringLiteral("3"));
    toolkit->clipboard = QStringLiteral("pasted elsewhere");
    // Ticked without its click: only a command that goes through brings Check1 up to date.
    form->Check2->setChecked(true);

    convertText(QStringLiteral("1000000000"));

    QCOMPARE(toolkit->messages.size(), 1);
    QCOMPARE(toolkit->messages.front().text, tooLarge);
    QCOMPARE(form->Label1->text(), QStringLiteral("Trys Lt"));
    QCOMPARE(toolkit->clipboard, QStringLiteral("pasted elsewhere"));
    QVERIFY(form->Check1->isEnabled());
}

void tst_Form1::refusalOfTextStillBringsCheck1UpToDate()
{
    form->Check2->setChecked(true);
    convertText(QStringLiteral("abc"));
    QVERIFY(!form->Check1->isEnabled());
    QCOMPARE(toolkit->clipboard, QString()); // the label's empty start caption
    QCOMPARE(toolkit->clipboardWrites, 1);
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

void tst_Form1::rodykWritesTheCentsBack_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("money");
    QTest::addColumn<double>("amount");
    QTest::addColumn<double>("afterwards");

    QTest::newRow("money") << "3,125" << true << 3.0 << 12.0;
    QTest::newRow("money, no cents") << "7,999" << true << 7.0 << 0.0;
    QTest::newRow("money, negative") << "-5,25" << true << -6.0 << 75.0;
    QTest::newRow("plain leaves it") << "3,125" << false << 3.0 << 3.0;
}

void tst_Form1::rodykWritesTheCentsBack()
{
    QFETCH(QString, text);
    QFETCH(bool, money);
    QFETCH(double, amount);
    QFETCH(double, afterwards);

    (money ? form->Option1 : form->Option2)->setChecked(true);
    form->Text1->setText(text);
    form->rodyk(amount);
    QCOMPARE(amount, afterwards);
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

    real.Text1->setText(QStringLiteral("x"));
    QTest::keyClick(real.Text1, Qt::Key_Return);
    QCOMPARE(clipboard->text(), QStringLiteral("Vienas Lt 50 ct"));

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
