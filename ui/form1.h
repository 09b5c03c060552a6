#pragma once

#include "currencychoice.h"
#include "presentation.h"
#include "speller.h"
#include "widgettoolkit.h"

#include <QWidget>
#include <QtGlobal> // qint16

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QRadioButton;

// The one window of the program. It is the speller, too, so that the speller's tables and
// methods are the window's own public members.
class Form1 : public QWidget, public suma::Speller
{
    Q_OBJECT

public:
    // The window with the real toolkit: message boxes and the system clipboard.
    explicit Form1(QWidget *parent = nullptr);
    // The window over another toolkit, which must outlive it (tests record through it).
    explicit Form1(suma::Toolkit &toolkit, QWidget *parent = nullptr);

    // The load step, in this order: fills the word tables, extends the window menu with
    // "Valiuta" and "Apie...", shows the window, and on Windows puts WindowProc in front of its
    // procedure.
    void Form_Load();
    // The unload step, run once for each close of the window. It leaves Cancel as it is; a
    // Cancel other than 0 keeps the window open, with its window procedure in place.
    void Form_Unload(int &Cancel);

    // The about message, line breaks as CR LF.
    [[nodiscard]] static QString aboutText();

    // The controls, named as the rest of the program knows them. The window owns them.
    QGroupBox *Frame1 = nullptr; // "Suma žodžiais": the result
    QGroupBox *Frame2 = nullptr; // "Raidės": the letter case
    QGroupBox *Frame3 = nullptr; // "Forma": money or plain number
    QRadioButton *Option1 = nullptr;
    QRadioButton *Option2 = nullptr;
    QCheckBox *Check1 = nullptr;
    QCheckBox *Check2 = nullptr;
    QLineEdit *Text1 = nullptr;
    QPushButton *Command1 = nullptr;
    QLabel *Label1 = nullptr;
    QLabel *Picture1 = nullptr;
    QLabel *Picture2 = nullptr;

protected:
    // Hands the keys typed into Text1 to Text1_KeyPress first.
    bool eventFilter(QObject *watched, QEvent *event) override;
    // Every close (close box, window menu, Picture1) goes through the unload step.
    void closeEvent(QCloseEvent *event) override;
    // A right click on the window's free area opens the window menu.
    void contextMenuEvent(QContextMenuEvent *event) override;
#ifdef Q_OS_WIN
    // "Apie..." that reaches Qt's own window procedure past WindowProc (Alt+Space).
    bool nativeEvent(const QByteArray &eventType, void *message, qintptr *result) override;
#endif

private:
    // Creates the controls in their start state; the window's whole design lives here.
    void setupDesign();

    // The convert command: test the typed text, refuse it or show its result, then bring
    // Check1 up to date and copy the result to the clipboard.
    void Command1_Click();
    // A plain Enter key (code 13) is swallowed and runs the convert command; setting KeyAscii to 0
    // discards the key.
    void Text1_KeyPress(qint16 &KeyAscii);
    // Check1 is enabled exactly while Check2 is not ticked; its tick is kept either way.
    void Check2_Click();
    // Shows the result for the whole amount in Label1, by the settings of the moment, with the
    // sign and the cents of the number typed as the convert command rounded it; in money mode
    // the amount is replaced by the cents.
    void rodyk(double &amount, const suma::WholeAmount &typed);

    // Unloads the window, exactly as its close box does.
    void Picture1_Click();

    // Start-up and shutdown (form1_lifecycle.cpp; the Windows part in form1_win32.cpp).
    void showAbout();
    // Takes the currency for the next conversions (it converts nothing now) and stores it.
    void chooseCurrency(suma::Currency currency);
    void extendWindowMenu();
    void buildOwnWindowMenu();
    void popUpWindowMenu(const QPoint &globalPos, bool byKeyboard);
    void installWindowProc();
    void restoreWindowProc();

    // The currency of the result, chosen in the window menu; as stored by the last run.
    suma::Currency m_currency = suma::storedCurrency();

    // The window's own menu where the platform gives no Win32 system menu; null on Windows.
    QMenu *m_windowMenu = nullptr;

    suma::WidgetToolkit m_widgetToolkit{this}; // the real toolkit, unless another is handed in
    suma::Toolkit &m_toolkit;
};
