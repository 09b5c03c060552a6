#pragma once

#include "numberreading.h"

#include <QLocale>
#include <QString>
#include <QStringView>

#include <optional>

namespace suma {

// The application's title: the window's caption and the caption of every message box.
inline constexpr QStringView applicationTitle = u"Suma žodžiais";

// The toolkit operations the window's procedures rest on. The two with effects outside the
// window are virtual, so that tests can record what a command did instead of opening boxes
// and touching the clipboard; the real ones are in WidgetToolkit.
class Toolkit
{
public:
    enum class MessageIcon { None, Information };

    virtual ~Toolkit() = default;

    // A modal message box with an OK button only; returns when the user has closed it.
    virtual void messageBox(const QString &text, MessageIcon icon = MessageIcon::None) = 0;

    // Empties the clipboard, then puts `text` on it as plain text.
    virtual void setClipboardText(const QString &text) = 0;

    // The numeric test and the conversion in one, under the user's regional settings.
    [[nodiscard]] static std::optional<TypedNumber> readNumber(QStringView text)
    {
        return suma::readNumber(text, QLocale());
    }
};

} // namespace suma
