// The window's design as a user meets it: no control hidden, cut off or covering another, the
// fonts and colours drawn, the keyboard path through the window and its access key, the pictures,
// and that the longest result fits its label. Where each control stands and what it says are
// the design's own literals, not repeated here.
#include "formfixture.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionButton>

namespace {

// Every Lithuanian letter, both cases: each font of the window must have them all.
const QString lithuanianLetters = QStringLiteral("ąčęėįšųūžĄČĘĖĮŠŲŪŽ");

const QString longestResult =
    QStringLiteral("DEVYNI ŠIMTAI DEVYNIASDEŠIMT DEVYNI MILIJONAI DEVYNI ŠIMTAI DEVYNIASDEŠIMT "
                   "DEVYNI TŪKSTANČIAI DEVYNI ŠIMTAI DEVYNIASDEŠIMT DEVYNI Lt 99 ct");

QString missingLetters(const QFont &font)
{
    const QFontMetrics metrics(font);
    QString missing;
    for (QChar c : lithuanianLetters)
        if (!metrics.inFont(c))
            missing += c;
    return missing;
}

// Where a label draws on its background: the smallest rectangle holding every other pixel.
QRect inked(QLabel &label)
{
    const QImage drawn = label.grab().toImage();
    const QRgb background = label.palette().color(QPalette::Window).rgb();
    QRect area;
    for (int y = 0; y < drawn.height(); ++y)
        for (int x = 0; x < drawn.width(); ++x)
            if (drawn.pixel(x, y) != background)
                area |= QRect(x, y, 1, 1);
    return area;
}

} // namespace

class tst_Design : public FormTestCase
{
    Q_OBJECT

private slots:
    void controlsShowWithoutOverlap();
    void framesShowWhole_data();
    void framesShowWhole();
    void window();
    void textsFitTheirControls_data();
    void textsFitTheirControls();
    void fonts_data();
    void fonts();
    void labelLooks();
    void tabOrder_data();
    void tabOrder();
    void altPRunsTheCommand_data();
    void altPRunsTheCommand();
    void enterAndEscape_data();
    void enterAndEscape();
    void pictures_data();
    void pictures();
    void pictureClicks();
    void longResultsWrapInsideTheLabel_data();
    void longResultsWrapInsideTheLabel();

private:
    QWidget *control(const QString &name) const
    {
        return name == u"Form1" ? form.get() : form->findChild<QWidget *>(name);
    }
    // Focus moves for real only in the active window; a key goes where the focus is.
    void key(int k, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QWidget *target = QApplication::focusWidget();
        QVERIFY(target);
        QTest::keyClick(target, Qt::Key(k), modifiers);
    }
};

// Every control shows, inside its container, and covers no other.
void tst_Design::controlsShowWithoutOverlap()
{
    const QList<QWidget *> containers{form.get(), form->Frame1, form->Frame2, form->Frame3};
    for (QWidget *container : containers) {
        QList<QWidget *> children =
            container->findChildren<QWidget *>(Qt::FindDirectChildrenOnly);
        children.removeIf([](const QWidget *w) { return w->isWindow(); }); // menus
        for (qsizetype i = 0; i < children.size(); ++i) {
            QVERIFY2(children[i]->isVisible(), qPrintable(children[i]->objectName()));
            QVERIFY2(container->rect().contains(children[i]->geometry()),
                     qPrintable(children[i]->objectName()));
            for (qsizetype j = i + 1; j < children.size(); ++j)
                QVERIFY2(!children[i]->geometry().intersects(children[j]->geometry()),
                         qPrintable(children[i]->objectName() + QStringLiteral(" and ") + children[j]->objectName()));
        }
    }
}

// Each frame drawn alone under Fusion and Windows (at 200 % too: tst_design_200): its controls
// cover no pixel of its lines or title (all but its middle's colour); Windows draws its own.
void tst_Design::framesShowWhole_data()
{
    QTest::addColumn<QString>("style");
    QTest::addColumn<QString>("frame");
    for (const char *style : {"Fusion", "Windows"})
        for (const char *frame : {"Frame1", "Frame2", "Frame3"})
            QTest::addRow("%s %s", style, frame) << style << frame;
}

void tst_Design::framesShowWhole()
{
    QFETCH(QString, style);
    QFETCH(QString, frame);
    const auto back =
        qScopeGuard([s = QApplication::style()->name()] { QApplication::setStyle(s); });
    QApplication::setStyle(style);
    form = std::make_unique<Form1>(*toolkit); // made under the style, as at a start
    form->Form_Load();
    auto *box = form->findChild<QGroupBox *>(frame);
    QVERIFY(box);
    const qreal scale = form->devicePixelRatio();
    QImage alone(box->size() * scale, QImage::Format_RGB32);
    alone.setDevicePixelRatio(scale);
    box->render(&alone, {}, {}, QWidget::DrawWindowBackground); // without its controls
    const QRgb middle = alone.pixel(alone.width() / 2, alone.height() / 2);
    const QRgb background = box->palette().window().color().rgb();
    for (const QWidget *w : box->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
        for (int y = w->y() * scale; y < (w->y() + w->height()) * scale; ++y)
            for (int x = w->x() * scale; x < (w->x() + w->width()) * scale; ++x)
                if (const QRgb own = alone.pixel(x, y); own != middle && own != background)
                    QFAIL(qPrintable(w->objectName()));
    QGroupBox plain(box->title());
    plain.setFont(box->font());
    plain.resize(box->size());
    if (style == u"Windows")
        QCOMPARE(alone, plain.grab().toImage().convertToFormat(alone.format()));
}

void tst_Design::window()
{
    Form1 &f = *form;
    const QRect screen = f.screen()->availableGeometry();
    QVERIFY(qAbs(f.geometry().center().x() - screen.center().x()) <= 1);
    QVERIFY(qAbs(f.geometry().center().y() - screen.center().y()) <= 1);

    const QList<QSize> iconSizes = f.windowIcon().availableSizes();
    for (int side : {16, 24, 32, 48})
        QVERIFY2(iconSizes.contains(QSize(side, side)), qPrintable(QString::number(side)));
}

void tst_Design::textsFitTheirControls_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("contents");
    QTest::newRow("Option1") << "Option1" << int(QStyle::SE_RadioButtonContents);
    QTest::newRow("Option2") << "Option2" << int(QStyle::SE_RadioButtonContents);
    QTest::newRow("Check1") << "Check1" << int(QStyle::SE_CheckBoxContents);
    QTest::newRow("Check2") << "Check2" << int(QStyle::SE_CheckBoxContents);
    QTest::newRow("Command1") << "Command1" << int(QStyle::SE_PushButtonContents);
}

void tst_Design::textsFitTheirControls()
{
    QFETCH(QString, name);
    QFETCH(int, contents);

    auto *button = qobject_cast<QAbstractButton *>(control(name));
    QVERIFY(button);
    // Where the style draws the caption, and what the caption needs in the control's font.
    QStyleOptionButton option;
    option.initFrom(button);
    option.text = button->text();
    const QRect room =
        button->style()->subElementRect(QStyle::SubElement(contents), &option, button);
    const QSize needed = button->fontMetrics().size(Qt::TextShowMnemonic, button->text());
    QVERIFY2(needed.width() <= room.width() && needed.height() <= room.height(),
             qPrintable(QStringLiteral("needs %1 x %2 px, has %3 x %4")
                            .arg(needed.width()).arg(needed.height())
                            .arg(room.width()).arg(room.height())));
    QVERIFY(button->rect().contains(room));
}

void tst_Design::fonts_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("pixels"); // at 96 dots per inch

    QTest::newRow("Text1") << "Text1" << 18;
    QTest::newRow("Command1") << "Command1" << 15;
    QTest::newRow("Label1") << "Label1" << 13;
    // Every other control has the window's dialog font.
    for (const char *name : {"Form1", "Frame1", "Frame2", "Frame3", "Option1", "Option2",
                             "Check1", "Check2"})
        QTest::newRow(name) << name << 11;
}

void tst_Design::fonts()
{
    QFETCH(QString, name);
    QFETCH(int, pixels);

    QWidget *w = control(name);
    QVERIFY(w);
    // What is really drawn, wherever the named font is missing.
    QCOMPARE(w->logicalDpiY(), 96);
    const QFontInfo drawn(w->font());
    QCOMPARE(drawn.pixelSize(), pixels);
    QCOMPARE(drawn.weight(), int(QFont::Normal));
    QVERIFY(!drawn.italic() && !drawn.underline() && !drawn.strikeOut());
    QCOMPARE(missingLetters(w->font()), QString());
}

void tst_Design::labelLooks()
{
    // Drawn for real: pure blue letters on the window's colour, edge to edge, from the top left.
    QLabel *label = form->Label1;
    label->setText(QStringLiteral("IIIII"));
    const QImage drawn = label->grab().toImage();
    const QRgb window = form->palette().color(QPalette::Window).rgb();
    QCOMPARE(drawn.pixel(drawn.width() - 1, drawn.height() - 1), window);
    QCOMPARE(drawn.pixel(0, drawn.height() - 1), window);
    bool pureBlue = false;
    for (int y = 0; y < drawn.height() && !pureBlue; ++y)
        for (int x = 0; x < drawn.width() && !pureBlue; ++x)
            pureBlue = (drawn.pixel(x, y) & 0xFFFFFF) == 0x0000FF;
    QVERIFY(pureBlue);
    const QRect letters = inked(*label);
    QVERIFY2(letters.left() < 4 && letters.top() < label->fontMetrics().height(),
             qPrintable(QStringLiteral("letters from %1,%2").arg(letters.x()).arg(letters.y())));
}

// Forward: Shift+Tab walks the same chain back, which is Qt's.
void tst_Design::tabOrder_data()
{
    QTest::addColumn<bool>("plainNumbers");
    QTest::addColumn<bool>("allCapitals");
    QTest::addColumn<QStringList>("stops"); // from Text1 round to Text1

    QTest::newRow("at start") << false << false
                              << QStringList{"Command1", "Option1", "Check1", "Check2", "Text1"};
    // The option group is one stop, at the selected button.
    QTest::newRow("plain numbers") << true << false
                                   << QStringList{"Command1", "Option2", "Check1", "Check2", "Text1"};
    // A disabled box is passed over.
    QTest::newRow("all capitals") << false << true
                                  << QStringList{"Command1", "Option1", "Check2", "Text1"};
}

void tst_Design::tabOrder()
{
    QFETCH(bool, plainNumbers);
    QFETCH(bool, allCapitals);
    QFETCH(QStringList, stops);

    QCOMPARE(QApplication::focusWidget(), form->Text1);
    if (plainNumbers)
        form->Option2->setChecked(true); // not by a click: the stop must move all the same
    if (allCapitals)
        QTest::mouseClick(form->Check2, Qt::LeftButton);
    form->Text1->setFocus();

    QStringList visited;
    for (qsizetype i = 0; i < stops.size(); ++i) {
        key(Qt::Key_Tab);
        visited << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(visited, stops);
}

void tst_Design::altPRunsTheCommand_data()
{
    QTest::addColumn<QString>("from");
    for (const char *name : {"Text1", "Command1", "Option1", "Check1", "Check2"})
        QTest::newRow(name) << QString::fromLatin1(name);
}

void tst_Design::altPRunsTheCommand()
{
    QFETCH(QString, from);

    form->Text1->setText(QStringLiteral("12"));
    control(from)->setFocus();
    QCOMPARE(QApplication::focusWidget(), control(from));
    key(Qt::Key_P, Qt::AltModifier);

    // An access key shows the button pressed for a moment, then clicks it.
    QTRY_COMPARE(form->Label1->text(), QStringLiteral("Dvylika Lt"));
    QCOMPARE(toolkit->clipboardWrites, 1);
    QCOMPARE(toolkit->clipboard, QStringLiteral("Dvylika Lt"));
    QCOMPARE(form->Text1->text(), QStringLiteral("12")); // no "p" typed anywhere
    QCOMPARE(form->Check1->checkState(), Qt::Checked);
    QCOMPARE(form->Check2->checkState(), Qt::Unchecked);
}

void tst_Design::enterAndEscape_data()
{
    QTest::addColumn<QString>("from");
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("converts");

    QTest::newRow("Enter on the button") << "Command1" << int(Qt::Key_Return) << true;
    QTest::newRow("keypad Enter on the button") << "Command1" << int(Qt::Key_Enter) << true;
    // The window has no default button: Enter elsewhere than the box and the button is idle.
    QTest::newRow("Enter on an option") << "Option1" << int(Qt::Key_Return) << false;
    QTest::newRow("Enter on a check box") << "Check2" << int(Qt::Key_Return) << false;
    // The box's handler sees Escape, and lets it be; elsewhere it is the controls' own, Qt's.
    QTest::newRow("Escape on the box") << "Text1" << int(Qt::Key_Escape) << false;
}

void tst_Design::enterAndEscape()
{
    QFETCH(QString, from);
    QFETCH(int, key);
    QFETCH(bool, converts);

    form->Text1->setText(QStringLiteral("3"));
    control(from)->setFocus();
    this->key(key);

    QCOMPARE(form->Label1->text(), converts ? QStringLiteral("Trys Lt") : QString());
    QCOMPARE(toolkit->clipboardWrites, converts ? 1 : 0);
    QVERIFY(toolkit->messages.isEmpty());
    QVERIFY(form->isVisible());
    QCOMPARE(QApplication::focusWidget(), control(from));
    QCOMPARE(form->Text1->text(), QStringLiteral("3"));
}

void tst_Design::pictures_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("Picture1") << "Picture1";
    QTest::newRow("Picture2") << "Picture2";
}

void tst_Design::pictures()
{
    QFETCH(QString, name);
    auto *box = qobject_cast<QLabel *>(control(name));
    QVERIFY(box);
    const QPixmap picture = box->pixmap();
    QVERIFY(!picture.isNull());
    // Drawn at natural size from the corner, in a box of its size: the box shows the picture
    // pixel for pixel.
    QCOMPARE(box->grab().toImage().convertToFormat(QImage::Format_RGB32),
             picture.toImage().convertToFormat(QImage::Format_RGB32));
}

// Only a left click on Picture1 does anything: it closes (tst_lifecycle's).
void tst_Design::pictureClicks()
{
    form->Text1->setText(QStringLiteral("4"));
    form->Command1->click();

    QTest::mouseClick(form->Picture2, Qt::LeftButton);
    QTest::mouseClick(form->Picture1, Qt::RightButton);
    // Pressed over the picture, released elsewhere: no click.
    QTest::mousePress(form->Picture1, Qt::LeftButton);
    QTest::mouseRelease(form->Picture1, Qt::LeftButton, {}, QPoint(40, 40));
    QVERIFY(form->isVisible());
    QCOMPARE(form->Label1->text(), QStringLiteral("Keturi Lt"));
    QCOMPARE(toolkit->clipboardWrites, 1);
    QVERIFY(toolkit->messages.isEmpty());
}

// The widest results, in capitals: every other one is narrower in each word or a part of one of
// these.
void tst_Design::longResultsWrapInsideTheLabel_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("expected");

    QTest::newRow("largest") << "999999999,99" << longestResult;
    QTest::newRow("widest")
        << "777777777,77"
        << QStringLiteral("SEPTYNI ŠIMTAI SEPTYNIASDEŠIMT SEPTYNI MILIJONAI SEPTYNI ŠIMTAI "
                          "SEPTYNIASDEŠIMT SEPTYNI TŪKSTANČIAI SEPTYNI ŠIMTAI SEPTYNIASDEŠIMT "
                          "SEPTYNI Lt 77 ct");
}

void tst_Design::longResultsWrapInsideTheLabel()
{
    QFETCH(QString, typed);
    QFETCH(QString, expected);

    QLabel *label = form->Label1;
    const QRect before = label->geometry();
    form->Check2->click();
    form->Text1->setText(typed);
    form->Command1->click();
    QCOMPARE(label->text(), expected);
    QCOMPARE(label->geometry(), before);

    // Wrapped at word boundaries in the label's area, every line must be there in full.
    const QRect area = label->contentsRect();
    const QFontMetrics metrics(label->font());
    const QRect needed =
        metrics.boundingRect(area, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, expected);
    QVERIFY2(area.contains(needed),
             qPrintable(QStringLiteral("needs %1 x %2 px from %3,%4; has %5 x %6")
                            .arg(needed.width()).arg(needed.height())
                            .arg(needed.x()).arg(needed.y())
                            .arg(area.width()).arg(area.height())));
    // The label itself wraps: its letters reach the lines below the first.
    QVERIFY(inked(*label).bottom() >= 2 * metrics.lineSpacing());
}

QTEST_MAIN(tst_Design)
#include "tst_design.moc"
