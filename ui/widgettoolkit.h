#pragma once

#include "toolkit.h"

#include <QPointer>
#include <QWidget>

namespace suma {

// The real toolkit: QMessageBox and the system clipboard.
class WidgetToolkit final : public Toolkit
{
public:
    // Message boxes are centred over `owner` while it exists.
    explicit WidgetToolkit(QWidget *owner = nullptr) : m_owner(owner) {}

    void messageBox(const QString &text, MessageIcon icon = MessageIcon::None) override;
    void setClipboardText(const QString &text) override;

private:
    QPointer<QWidget> m_owner;
};

} // namespace suma
