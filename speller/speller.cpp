#include "speller.h"

#include <QStringView>

#include <algorithm> // clamp, copy, copy_n
#include <array>
#include <cmath>     // floor, isnan
#include <cstring>   // memcpy
#include <limits>    // numeric_limits
#include <stdexcept> // length_error

namespace suma {

namespace {

// The hundreds words bring their own blanks: "šimtas " stands alone for one hundred, the others
// follow a units word.
const QString oneHundred = QStringLiteral("šimtas ");
const QString hundreds = QStringLiteral(" šimtai ");
constexpr char16_t blank = u' ';

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

// The words of one call are built here and become a QString once, at the end: a QString grown
// piece by piece spends more time checking and reallocating than the spelling itself takes.
// The longest amount, 777,777,777, has 138 characters; the capacity leaves room to spare.
class WordBuffer
{
public:
    void append(QStringView piece)
    {
        if (piece.size() > capacity - length)
            throw std::length_error("WordBuffer: words longer than any amount");
        std::copy_n(piece.utf16(), piece.size(), chars.begin() + length);
        length += piece.size();
    }

    [[nodiscard]] qsizetype size() const { return length; }

    // Removes the blanks at both ends of the part that begins at `from`.
    void trimFrom(qsizetype from)
    {
        while (length > from && chars[length - 1] == blank)
            --length;
        qsizetype first = from;
        while (first < length && chars[first] == blank)
            ++first;
        if (first > from) {
            std::copy(chars.begin() + first, chars.begin() + length, chars.begin() + from);
            length -= first - from;
        }
    }

    // Joins the next piece of words on: one blank between it and the words before it, if any.
    // Every piece is a group's words, which are never empty and already trimmed, followed by a
    // scale word that starts with its own blank, so a piece never needs trimming again.
    void separate()
    {
        if (length > 0)
            append(QStringView(&blank, 1));
    }

    [[nodiscard]] QString toString() const { return QStringView(chars.data(), length).toString(); }

    // The words as a QString kept in `storage`, whose memory is reused when no caller holds on
    // to the previous result any more: spelling amount after amount then allocates nothing.
    [[nodiscard]] QString toString(QString &storage) const
    {
        if (length == 0)
            return {};
        if (!storage.isDetached() || storage.capacity() < length) {
            storage = QString();
            storage.reserve(capacity);
        }
        storage.resize(length);
        std::memcpy(static_cast<void *>(storage.data()), chars.data(), length * sizeof(char16_t));
        return storage;
    }

private:
    static constexpr qsizetype capacity = 192;
    std::array<char16_t, capacity> chars; // only the first `length` are ever read
    qsizetype length = 0;
};

// simtai's work, appended to `text` so that versk builds its result in one buffer.
void appendGroup(WordBuffer &text, const Speller &words, int kk)
{
    const qsizetype start = text.size();

    const int h = kk / 100;
    if (h > 0) {
        if (h == 1) {
            text.append(oneHundred);
        } else {
            text.append(words.vienetai.at(h));
            text.append(hundreds);
        }
    }

    const int r = kk % 100;
    if (r < 10) {
        text.append(words.vienetai.at(r));
    } else if (r > 10 && r < 20) {
        text.append(words.niolika.at(r - 10));
    } else {
        text.append(words.desimtys.at(r / 10));
        const int u = r % 10;
        if (u > 0) {
            text.append(QStringView(&blank, 1));
            text.append(words.vienetai.at(u));
        }
    }

    text.trimFrom(start);
}

qint16 saturatedToInt16(double value)
{
    using limits = std::numeric_limits<qint16>;
    return std::isnan(value)
               ? 0
               : static_cast<qint16>(std::clamp<double>(value, limits::min(), limits::max()));
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

QString Speller::simtai(const qint16 &kk) const
{
    WordBuffer text;
    appendGroup(text, *this, kk);
    return text.toString();
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

    WordBuffer text;

    if (sk3 > 0) {
        text.separate();
        appendGroup(text, *this, sk3);
        text.append(scaleWord(millions, sk3));
    }
    if (t > 0) {
        text.separate();
        appendGroup(text, *this, t);
        text.append(scaleWord(thousands, t));
    }
    if (u > 0) {
        text.separate();
        appendGroup(text, *this, u);
    }
    return text.toString(m_words);
}

} // namespace suma
