#include "speller.h"

#include <cmath>  // floor, isnan
#include <limits> // numeric_limits

namespace suma {

namespace {

// The hundreds words bring their own blanks: "šimtas " stands alone for one hundred, the others
// follow a units word.
const QString oneHundred = QStringLiteral("šimtas ");
const QString hundreds = QStringLiteral(" šimtai ");
constexpr QChar blank = u' ';

struct ScaleWords
{
    QString singular;         // ...1, but not ...11
    QString nominativePlural; // ...2 to ...9, but not ...12 to ...19
    QString genitivePlural;   // ...0 and ...10 to ...19
};

const ScaleWords millions{QStringLiteral(" milijonas"), QStringLiteral(" milijonai"),
                          QStringLiteral(" milijonų")};
const ScaleWords thousands{QStringLiteral(" tūkstantis"), QStringLiteral(" tūkstančiai"),
                           QStringLiteral(" tūkstančių")};

const QString &scaleWord(const ScaleWords &words, int n)
{
    const int d = n % 10;
    const int e = n % 100;
    if (d == 1 && e != 11)
        return words.singular;
    if (d == 0 || (e >= 10 && e <= 19))
        return words.genitivePlural;
    return words.nominativePlural;
}

// Removes the blanks at both ends of the part of `text` that begins at `from`.
void trimFrom(QString &text, qsizetype from)
{
    qsizetype end = text.size();
    while (end > from && text.at(end - 1) == blank)
        --end;
    text.truncate(end);
    qsizetype first = from;
    while (first < end && text.at(first) == blank)
        ++first;
    text.remove(from, first - from);
}

// Adds a piece of words to the text, one blank between them when the text already has words.
// `pieceStart` is where the piece was written, right at the end of the text before it.
void joinPiece(QString &text, qsizetype pieceStart)
{
    trimFrom(text, pieceStart);
    if (pieceStart > 0 && text.size() > pieceStart)
        text.insert(pieceStart, blank);
}

qint16 saturatedToInt16(double value)
{
    constexpr auto lowest = std::numeric_limits<qint16>::min();
    constexpr auto highest = std::numeric_limits<qint16>::max();
    if (std::isnan(value))
        return 0;
    if (value <= lowest)
        return lowest;
    if (value >= highest)
        return highest;
    return static_cast<qint16>(value);
}

} // namespace

void Speller::fillWordTables()
{
    vienetai[1] = QStringLiteral("vienas");
    vienetai[2] = QStringLiteral("du");
    vienetai[3] = QStringLiteral("trys");
    vienetai[4] = QStringLiteral("keturi");
    vienetai[5] = QStringLiteral("penki");
    vienetai[6] = QStringLiteral("šeši");
    vienetai[7] = QStringLiteral("septyni");
    vienetai[8] = QStringLiteral("aštuoni");
    vienetai[9] = QStringLiteral("devyni");
    niolika[1] = QStringLiteral("vienuolika");
    niolika[2] = QStringLiteral("dvylika");
    niolika[3] = QStringLiteral("trylika");
    niolika[4] = QStringLiteral("keturiolika");
    niolika[5] = QStringLiteral("penkiolika");
    niolika[6] = QStringLiteral("šešiolika");
    niolika[7] = QStringLiteral("septyniolika");
    niolika[8] = QStringLiteral("aštuoniolika");
    niolika[9] = QStringLiteral("devyniolika");
    desimtys[1] = QStringLiteral("dešimt");
    desimtys[2] = QStringLiteral("dvidešimt");
    desimtys[3] = QStringLiteral("trisdešimt");
    desimtys[4] = QStringLiteral("keturiasdešimt");
    desimtys[5] = QStringLiteral("penkiasdešimt");
    desimtys[6] = QStringLiteral("šešiasdešimt");
    desimtys[7] = QStringLiteral("septyniasdešimt");
    desimtys[8] = QStringLiteral("aštuoniasdešimt");
    desimtys[9] = QStringLiteral("devyniasdešimt");
}

void Speller::appendGroup(QString &text, const qint16 &kk) const
{
    const qsizetype start = text.size();

    const int h = kk / 100;
    if (h > 0) {
        if (h == 1) {
            text += oneHundred;
        } else {
            text += vienetai.at(h);
            text += hundreds;
        }
    }

    const int r = kk % 100;
    if (r < 10) {
        text += vienetai.at(r);
    } else if (r > 10 && r < 20) {
        text += niolika.at(r - 10);
    } else {
        text += desimtys.at(r / 10);
        const int u = r % 10;
        if (u > 0) {
            text += blank;
            text += vienetai.at(u);
        }
    }

    trimFrom(text, start);
}

QString Speller::simtai(const qint16 &kk) const
{
    QString text;
    appendGroup(text, kk);
    return text;
}

QString Speller::versk(const double &sk)
{
    sk3 = saturatedToInt16(std::floor(sk / 1'000'000.0));

    // The groups are split on the amount as a 32-bit integer. Whatever does not fit (and NaN)
    // has no words: below the range it is negative like every amount without words, and the
    // window refuses everything above the largest amount before asking.
    if (!(sk >= std::numeric_limits<qint32>::min() && sk <= largestAmount))
        return {};

    const auto whole = static_cast<qint32>(std::floor(sk));
    const auto t = static_cast<qint16>(std::floor((whole % 1'000'000) / 1000.0));
    const auto u = static_cast<qint16>(whole % 1000);

    QString text;
    text.reserve(160); // the longest amount has 126 characters

    if (sk3 > 0) {
        appendGroup(text, sk3);
        text += scaleWord(millions, sk3);
        trimFrom(text, 0);
    }
    if (t > 0) {
        const qsizetype pieceStart = text.size();
        appendGroup(text, t);
        text += scaleWord(thousands, t);
        joinPiece(text, pieceStart);
    }
    if (u > 0) {
        const qsizetype pieceStart = text.size();
        appendGroup(text, u);
        joinPiece(text, pieceStart);
    }
    return text;
}

} // namespace suma
