#pragma once

// The rows of tests/cases/amounts.tsv (SUMA_AMOUNT_CASES), the one table of amounts that every
// face of the speller is held to.

#include <QFile>
#include <QList>
#include <QString>
#include <QStringList>

struct AmountCase
{
    QString amount;
    QStringList options; // as zodziais takes them
    QString expected;    // the result, or "!" and the refusal's name
};

inline QList<AmountCase> amountCases()
{
    QFile file(QStringLiteral(SUMA_AMOUNT_CASES));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("cannot read %s", SUMA_AMOUNT_CASES);
    QList<AmountCase> cases;
    for (const QByteArray &line : file.readAll().split('\n')) {
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        const QStringList columns = QString::fromUtf8(line).split(u'\t');
        if (columns.size() != 3)
            qFatal("not three columns: %s", line.constData());
        cases.append({columns[0], columns[1].split(u' ', Qt::SkipEmptyParts), columns[2]});
    }
    return cases;
}
