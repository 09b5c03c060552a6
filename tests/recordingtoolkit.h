#pragma once

#include "toolkit.h"

#include <QList>
#include <QString>

// A toolkit that records what the window asked of it instead of opening boxes or touching the
// system clipboard. Number reading stays the real one.
class RecordingToolkit final : public suma::Toolkit
{
public:
    struct Message
    {
        QString text;
        MessageIcon icon;
    };

    void messageBox(const QString &text, MessageIcon icon = MessageIcon::None) override
    {
        messages.append({text, icon});
    }

    void setClipboardText(const QString &text) override
    {
        clipboard = text;
        ++clipboardWrites;
    }

    QList<Message> messages;
    QString clipboard = QStringLiteral("(untouched)");
    int clipboardWrites = 0;
};
