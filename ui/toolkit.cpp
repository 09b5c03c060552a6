#include "toolkit.h"

#include "numberreading.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLocale>
#include <QMessageBox>

namespace suma {

QString Toolkit::title()
{
    return QStringLiteral("Suma žodžiais");
}

std::optional<double> Toolkit::readNumber(QStringView text) const
{
    return suma::readNumber(text, QLocale());
}

void WidgetToolkit::messageBox(const QString &text, MessageIcon icon)
{
    QMessageBox box(icon == MessageIcon::Information ? QMessageBox::Information
                                                     : QMessageBox::NoIcon,
                    title(), text, QMessageBox::Ok, m_owner);
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
