#include "form1.h"

#include "currencynames.h"
#include "version.h"

#include <QAction>
#include <QActionGroup>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QKeySequence>
#include <QMenu>

void Form1::Form_Load()
{
    // The speller reads the tables, and anything below may already deliver events.
    fillWordTables();
    extendWindowMenu();
    show();
    installWindowProc();
}

void Form1::Form_Unload(int &Cancel)
{
    // Cancel stays as the caller gave it. The window procedure goes back only when the unload
    // goes on: a window kept open keeps its "Apie..." working.
    if (Cancel == 0)
        restoreWindowProc();
}

void Form1::closeEvent(QCloseEvent *event)
{
    int Cancel = 0;
    Form_Unload(Cancel);
    if (Cancel != 0)
        event->ignore();
    else
        event->accept();
}

void Form1::Picture1_Click()
{
    close();
}

QString Form1::aboutText()
{
    const QString crlf = QStringLiteral("\r\n");
    const QString authorship = suma::applicationTitle.toString() + u' '
                               + QStringLiteral(SUMA_SHORT_VERSION)
                               + QStringLiteral(" - programos kūrėjai");
    return authorship + crlf + crlf + QStringLiteral("          Freeware") + crlf + crlf
           + QStringLiteral("Naudokitės ir džiaukitės !") + crlf;
}

void Form1::showAbout()
{
    m_toolkit.messageBox(aboutText(), suma::Toolkit::MessageIcon::Information);
}

void Form1::chooseCurrency(suma::Currency currency)
{
    // As with the option buttons, the shown result stays until the next conversion.
    m_currency = currency;
    suma::storeCurrency(currency);
}

// The window menu elsewhere than Windows. The title-bar menu there belongs to the window
// manager and no program can add to it, so the window carries a menu of its own: a right
// click on its free area, the context-menu key or Shift+F10 opens it, and "Apie..." is its
// last entry, after the "Valiuta" submenu.
void Form1::buildOwnWindowMenu()
{
    if (m_windowMenu)
        return;
    m_windowMenu = new QMenu(this);
    m_windowMenu->setObjectName(QStringLiteral("windowMenu"));

    QAction *closeEntry = m_windowMenu->addAction(QStringLiteral("&Užverti"));
    closeEntry->setObjectName(QStringLiteral("closeEntry"));
    connect(closeEntry, &QAction::triggered, this, &QWidget::close);

    m_windowMenu->addSeparator();

    QMenu *currencyMenu = m_windowMenu->addMenu(QStringLiteral("&Valiuta"));
    currencyMenu->setObjectName(QStringLiteral("currencyMenu"));
    auto *currencies = new QActionGroup(currencyMenu); // exclusive: one checked at a time
    for (const suma::CurrencyName &entry : suma::currencyNames) {
        QAction *action = currencyMenu->addAction(entry.menuText.toString());
        action->setObjectName(entry.objectName.toString());
        action->setCheckable(true);
        action->setChecked(entry.currency == m_currency);
        currencies->addAction(action);
        connect(action, &QAction::triggered, this,
                [this, currency = entry.currency] { chooseCurrency(currency); });
    }

    QAction *aboutEntry = m_windowMenu->addAction(QStringLiteral("Apie..."));
    aboutEntry->setObjectName(QStringLiteral("aboutEntry"));
    connect(aboutEntry, &QAction::triggered, this, &Form1::showAbout);

    // A window-wide shortcut wins over the focused control, Text1 included: the keyboard
    // reaches the window menu from anywhere, and Text1's own menu stays on the right button.
    auto *menuKey = new QAction(this);
    menuKey->setObjectName(QStringLiteral("windowMenuKey"));
    // The context-menu key, and the usual alternative for keyboards without one.
    menuKey->setShortcuts({QKeySequence(Qt::Key_Menu), QKeySequence(Qt::SHIFT | Qt::Key_F10)});
    menuKey->setShortcutContext(Qt::WindowShortcut);
    connect(menuKey, &QAction::triggered, this,
            [this] { popUpWindowMenu(mapToGlobal(QPoint(0, 0)), true); });
    addAction(menuKey);
}

void Form1::popUpWindowMenu(const QPoint &globalPos, bool byKeyboard)
{
    if (!m_windowMenu || m_windowMenu->isVisible())
        return;
    m_windowMenu->popup(globalPos);
    // Opened by a key, the menu starts on its first entry, so Enter chooses it at once.
    if (byKeyboard)
        m_windowMenu->setActiveAction(m_windowMenu->actions().constFirst());
}

void Form1::contextMenuEvent(QContextMenuEvent *event)
{
    if (!m_windowMenu) {
        QWidget::contextMenuEvent(event);
        return;
    }
    if (event->reason() == QContextMenuEvent::Mouse) {
        // A control that has no menu of its own passes the click on; it is not the free area.
        if (childAt(event->pos()) != nullptr) {
            event->ignore();
            return;
        }
        popUpWindowMenu(event->globalPos(), false);
    } else {
        popUpWindowMenu(mapToGlobal(QPoint(0, 0)), true);
    }
    event->accept();
}

#ifndef Q_OS_WIN
// No Win32 system menu and no window procedure here: the window's own menu stands in.
void Form1::extendWindowMenu()
{
    buildOwnWindowMenu();
}

void Form1::installWindowProc() {}

void Form1::restoreWindowProc() {}
#endif
