#include "widgettoolkit.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMessageBox>

namespace suma {

void WidgetToolkit::messageBox(const QString &text, MessageIcon icon)
{
    QMessageBox box(icon == MessageIcon::Information ? QMessageBox::Information
                                                     : QMessageBox::NoIcon,
                    applicationTitle.toString(), text, QMessageBox::Ok, m_owner);
    // Modal to the whole application: no click or key reaches the window while it is open.
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
}

void WidgetToolkit::setClipboardText(const QString &text)
{
    QClipboard *clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setText(text);
}

} // namespace suma
