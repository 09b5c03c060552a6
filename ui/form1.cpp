#include "form1.h"

#include "presentation.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace {

constexpr qint16 carriageReturn = 13;

// The character code of a typed key as the key-press handler takes it; 0 for keys that type
// nothing (arrows, function keys). Both Enter keys give a carriage return, but only unmodified:
// Ctrl+Enter or Shift+Enter is not the character 13.
qint16 characterCode(const QKeyEvent &key)
{
    if (key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter)
        return (key.modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier ? carriageReturn : 0;
    const QString text = key.text();
    if (text.size() != 1)
        return 0;
    return static_cast<qint16>(text.front().unicode());
}

} // namespace

Form1::Form1(QWidget *parent) : Form1(m_widgetToolkit, parent) {}

Form1::Form1(suma::Toolkit &toolkit, QWidget *parent) : QWidget(parent), m_toolkit(toolkit)
{
    setupDesign();
    connect(Command1, &QPushButton::clicked, this, &Form1::Command1_Click);
    connect(Check2, &QCheckBox::clicked, this, &Form1::Check2_Click);
    Text1->installEventFilter(this);
}

bool Form1::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == Text1 && event->type() == QEvent::KeyPress) {
        qint16 keyAscii = characterCode(*static_cast<QKeyEvent *>(event));
        if (keyAscii != 0) {
            Text1_KeyPress(keyAscii);
            if (keyAscii == 0)
                return true; // discarded: the text box never sees it
        }
    }
    return QWidget::eventFilter(watched, event);
}

void Form1::Command1_Click()
{
    // Money is rounded to whole cents before it is split, so the mode decides what is too large:
    // 999999999,995 is a thousand million litai, but as a plain number 999,999,999.
    const suma::WholeAmount whole =
        suma::wholeAmountOf(suma::Toolkit::readNumber(Text1->text()), Option1->isChecked());
    if (whole.refusal) {
        m_toolkit.messageBox(suma::messageOf(*whole.refusal));
        // The label and the clipboard stay as they were: the clipboard may hold the user's own
        // text (an account number copied a moment ago), which a typo must not wipe out.
        if (*whole.refusal == suma::Refusal::NotANumber)
            Check2_Click();
        return;
    }
    double amount = whole.amount;
    rodyk(amount, whole);
    Check2_Click();
    Q_ASSERT(!Label1->text().isEmpty()); // an empty text would wipe the user's clipboard
    m_toolkit.setClipboardText(Label1->text());
}

void Form1::Text1_KeyPress(qint16 &KeyAscii)
{
    if (KeyAscii == carriageReturn) {
        KeyAscii = 0;
        Command1_Click();
    }
}

void Form1::Check2_Click()
{
    Check1->setEnabled(Check2->checkState() == Qt::Unchecked);
}

void Form1::rodyk(double &amount, const suma::WholeAmount &typed)
{
    // A box counts as ticked by any value but "unchecked", a greyed one too.
    suma::ResultSettings settings;
    settings.allCapitals = Check2->checkState() != Qt::Unchecked;
    settings.firstCapital = Check1->checkState() != Qt::Unchecked;
    settings.money = Option1->isChecked();
    settings.currency = m_currency;

    const suma::ResultText result = suma::presentResult(versk(amount), settings, typed);
    if (result.cents)
        amount = *result.cents;
    Label1->setText(result.label);
    // Assistive technology reads the result as the label's description; setting it tells them
    // of the new result (an accessibility event), even when it is the same as before.
    Label1->setAccessibleDescription(result.label);
}
