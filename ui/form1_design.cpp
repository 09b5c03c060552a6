#include "form1.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

// The controls and their start state. Positions are in pixels at 96 dots per inch; controls
// inside a frame are placed relative to it.
void Form1::setupDesign()
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Suma žodžiais"));
    setFixedSize(334, 238);

    const auto name = [](QWidget *w, const char *objectName) {
        w->setObjectName(QLatin1StringView(objectName));
    };

    // Created in tab order: the input box first, so that it has the focus at start.
    Text1 = new QLineEdit(this);
    name(Text1, "Text1");
    Text1->setGeometry(40, 88, 121, 33);

    Command1 = new QPushButton(QStringLiteral("&Pasakyk"), this);
    name(Command1, "Command1");
    Command1->setGeometry(189, 87, 89, 41);
    Command1->setAutoDefault(false);
    Command1->setDefault(false);

    Frame3 = new QGroupBox(QStringLiteral("Forma"), this);
    name(Frame3, "Frame3");
    Frame3->setGeometry(32, 8, 105, 65);
    Option1 = new QRadioButton(QStringLiteral("Pinigai"), Frame3);
    name(Option1, "Option1");
    Option1->setGeometry(16, 15, 81, 17);
    Option1->setChecked(true);
    Option2 = new QRadioButton(QStringLiteral("Skaičiai"), Frame3);
    name(Option2, "Option2");
    Option2->setGeometry(16, 37, 65, 17);

    Frame2 = new QGroupBox(QStringLiteral("Raidės"), this);
    name(Frame2, "Frame2");
    Frame2->setGeometry(144, 8, 161, 65);
    Check1 = new QCheckBox(QStringLiteral("Pirma raidė didžioji"), Frame2);
    name(Check1, "Check1");
    Check1->setGeometry(16, 15, 121, 17);
    Check1->setChecked(true);
    Check2 = new QCheckBox(QStringLiteral("Visos raidės didžiosios"), Frame2);
    name(Check2, "Check2");
    Check2->setGeometry(16, 37, 133, 17);

    Frame1 = new QGroupBox(QStringLiteral("Suma žodžiais"), this);
    name(Frame1, "Frame1");
    Frame1->setGeometry(32, 131, 273, 97);
    Label1 = new QLabel(Frame1);
    name(Label1, "Label1");
    Label1->setGeometry(4, 16, 263, 77);
    Label1->setWordWrap(true);
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Label1->setTextFormat(Qt::PlainText);

    Picture1 = new QLabel(this);
    name(Picture1, "Picture1");
    Picture1->setGeometry(312, 216, 21, 21);
    Picture2 = new QLabel(this);
    name(Picture2, "Picture2");
    Picture2->setGeometry(2, 216, 21, 21);

    Text1->setFocus();
}
