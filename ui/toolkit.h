#pragma once

#include <QPointer>
#include <QString>
#include <QStringView>
#include <QWidget>

#include <optional>

namespace suma {

// The toolkit operations the window's procedures rest on, behind one small interface so that
// tests can record what a command did instead of opening boxes and touching the clipboard.
class Toolkit
{
public:
    enum class MessageIcon { None, Information };

    // The application's title: the caption of every message box.
    static QString title();

    virtual ~Toolkit() = default;

    // A modal message box with an OK button only; returns when the user has closed it.
    virtual void messageBox(const QString &text, MessageIcon icon = MessageIcon::None) = 0;

    // Empties the clipboard, then puts `text` on it as plain text.
    virtual void setClipboardText(const QString &text) = 0;

    // The numeric test and the conversion in one, under the user's regional settings.
    [[nodiscard]] virtual std::optional<double> readNumber(QStringView text) const;
};

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
