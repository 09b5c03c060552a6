#pragma once

// A number as the reading tables write it: its sign, whole part and three decimals, "+" when more
// decimals follow; "huge" for a whole part too large for any use; "refused" for no number.

#include "typednumber.h"

#include <QString>

#include <optional>

inline QString shown(const std::optional<suma::core::TypedNumber> &n)
{
    if (!n)
        return QStringLiteral("refused");
    const QString sign = n->negative ? QStringLiteral("-") : QString();
    if (n->whole == suma::core::TypedNumber::beyond)
        return sign + QStringLiteral("huge");
    return sign + QString::number(n->whole) + u'.'
           + QString::number(n->thousandths).rightJustified(3, u'0')
           + (n->moreDecimals ? QStringLiteral("+") : QString());
}
