#include "speller.h"

#include <QStringView>

#include <algorithm> // clamp, copy_n, transform
#include <array>
#include <cmath>   // floor, isnan
#include <cstdint> // uint8_t
#include <cstring> // memcpy, memmove
#include <limits>  // numeric_limits
#include <span>
#include <stdexcept>   // length_error
#include <type_traits> // is_same_v

namespace suma {

using namespace Qt::StringLiterals;

namespace {

using detail::SlotWord;
using detail::SlotWords;

// The hundreds words bring their own blanks: "šimtas " stands alone for one hundred, the others
// follow a units word.
const QString oneHundred = QStringLiteral("šimtas ");
const QString hundreds = QStringLiteral(" šimtai ");
constexpr char16_t blank = u' ';

const std::array<QString, 3> millions{QStringLiteral(" milijonas"), QStringLiteral(" milijonai"),
                                      QStringLiteral(" milijonų")};
const std::array<QString, 3> thousands{
    QStringLiteral(" tūkstantis"), QStringLiteral(" tūkstančiai"), QStringLiteral(" tūkstančių")};

// One amount copies at most 14 slots (four for each of its three groups, and its two scale
// words) and 5 single blanks (one inside each group, two between groups), and slotWord keeps
// every word within its slot. A buffer with room for all of them whole never runs out while the
// words are copied; append checks that argument in debug builds.
constexpr std::size_t mostSlots = 14;
constexpr std::size_t mostBlanks = 5;
template <typename Char> constexpr std::size_t roomForWords()
{
    return mostSlots * SlotWord<Char>::slotBytes / sizeof(Char) + mostBlanks;
}

// The words of one call are built in a fixed run of characters (UTF-16 or UTF-8) and become a
// QString, or leave as bytes, once at the end: a QString grown piece by piece spends more time
// checking and reallocating than the spelling itself takes.
template <typename Char> class WordBuffer
{
public:
    explicit WordBuffer(std::span<Char> room) : m_chars(room.data()), m_room(qsizetype(room.size()))
    {
    }

    // The word's whole slot is copied; only its own characters count.
    void append(const SlotWord<Char> &word)
    {
        Q_ASSERT(m_length + qsizetype(word.chars.size()) <= m_room);
        std::memcpy(m_chars + m_length, word.chars.data(), sizeof word.chars);
        m_length += word.size;
    }

    void appendBlank()
    {
        Q_ASSERT(m_length < m_room);
        m_chars[m_length++] = Char(blank);
    }
    [[nodiscard]] qsizetype size() const { return m_length; }
    [[nodiscard]] const Char *data() const { return m_chars; }

    // Removes the blanks at both ends of the part that begins at `from`.
    void trimFrom(qsizetype from)
    {
        while (m_length > from && m_chars[m_length - 1] == Char(blank))
            --m_length;
        qsizetype first = from;
        while (first < m_length && m_chars[first] == Char(blank))
            ++first;
        if (first > from) {
            std::memmove(m_chars + from, m_chars + first, (m_length - first) * sizeof(Char));
            m_length -= first - from;
        }
    }

    // Joins the next piece of words on: one blank between it and the words before it, if any.
    // Every piece is a group's words, which are never empty and already trimmed, followed by a
    // scale word that starts with its own blank, so a piece never needs trimming again.
    void separate()
    {
        if (m_length > 0)
            appendBlank();
    }

private:
    Char *m_chars;
    qsizetype m_room;
    qsizetype m_length = 0;
};

// simtai's work, appended to `text` so that versk builds its result in one buffer. Always
// inlined, as is the next: called from versk's three groups, a compiler left to itself calls them
// out of line, the buffer's length goes through memory, and zodziais takes some 7 % longer.
template <typename Char>
Q_ALWAYS_INLINE void appendGroup(WordBuffer<Char> &text, const SlotWords<Char> &words, int kk)
{
    const qsizetype start = text.size();

    const int h = kk / 100;
    if (h > 0) {
        if (h == 1) {
            text.append(words.oneHundred);
        } else {
            text.append(words.vienetai.at(h));
            text.append(words.hundreds);
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
            text.appendBlank();
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

// A group of the millions or the thousands, if above zero, with its scale word in the form it
// calls for.
template <typename Char>
Q_ALWAYS_INLINE void appendScaledGroup(WordBuffer<Char> &text, const SlotWords<Char> &words,
                                       int group, const std::array<SlotWord<Char>, 3> &scaleWords)
{
    if (group == 0)
        return;
    text.separate();
    appendGroup(text, words, group);
    text.append(scaleWords[qToUnderlying(scaleForm(group))]);
}

// versk's work, in either encoding: the groups' words with the scale words chosen for them.
template <typename Char>
void appendAmount(WordBuffer<Char> &text, const SlotWords<Char> &words, const double &sk,
                  qint16 &sk3)
{
    // Below 1 there are no words, nor above the largest amount (which the window refuses before
    // asking), nor for NaN; the millions count is still that of the amount given.
    if (!(sk >= 1 && sk <= Speller::largestAmount)) {
        sk3 = saturatedToInt16(std::floor(sk / 1'000'000.0));
        return;
    }
    // In the range the groups are split on the whole amount as an integer. Its millions are
    // those of the amount itself: a fraction never reaches the next million.
    const auto whole = static_cast<qint32>(sk);
    sk3 = qint16(whole / 1'000'000);
    appendScaledGroup(text, words, sk3, words.millions);
    appendScaledGroup(text, words, whole / 1000 % 1000, words.thousands);
    if (const int units = whole % 1000; units > 0) {
        text.separate();
        appendGroup(text, words, units);
    }
}

// A word in its slot, in the encoding of `Char`, in capitals when asked for.
template <typename Char> SlotWord<Char> slotWord(const QString &word, bool capitals)
{
    const QString text = capitals ? word.toUpper() : word;
    SlotWord<Char> slot;
    const auto store = [&slot](const auto *chars, qsizetype size) {
        if (size > qsizetype(slot.chars.size()))
            throw std::length_error("SlotWord: a word longer than its slot");
        std::copy_n(chars, size, slot.chars.begin());
        slot.size = std::uint8_t(size);
    };
    if constexpr (std::is_same_v<Char, char16_t>) {
        store(reinterpret_cast<const char16_t *>(text.constData()), text.size());
    } else {
        const QByteArray bytes = text.toUtf8();
        store(bytes.constData(), bytes.size());
    }
    return slot;
}

template <typename Char, std::size_t n>
std::array<SlotWord<Char>, n> slotWords(const std::array<QString, n> &words, bool capitals)
{
    std::array<SlotWord<Char>, n> result;
    std::transform(words.begin(), words.end(), result.begin(),
                   [capitals](const QString &word) { return slotWord<Char>(word, capitals); });
    return result;
}

template <typename Char> SlotWords<Char> slotWords(const Speller &tables, bool capitals)
{
    return {slotWords<Char>(tables.vienetai.words(), capitals),
            slotWords<Char>(tables.niolika.words(), capitals),
            slotWords<Char>(tables.desimtys.words(), capitals),
            slotWord<Char>(oneHundred, capitals),
            slotWord<Char>(hundreds, capitals),
            slotWords<Char>(millions, capitals),
            slotWords<Char>(thousands, capitals)};
}

} // namespace

void Speller::fillWordTables()
{
    vienetai.m_words = {QString(),  u"vienas"_s, u"du"_s,      u"trys"_s,    u"keturi"_s,
                        u"penki"_s, u"šeši"_s,   u"septyni"_s, u"aštuoni"_s, u"devyni"_s};
    niolika.m_words = {QString(),         u"vienuolika"_s, u"dvylika"_s,   u"trylika"_s,
                       u"keturiolika"_s,  u"penkiolika"_s, u"šešiolika"_s, u"septyniolika"_s,
                       u"aštuoniolika"_s, u"devyniolika"_s};
    desimtys.m_words = {QString(),          u"dešimt"_s,          u"dvidešimt"_s,
                        u"trisdešimt"_s,    u"keturiasdešimt"_s,  u"penkiasdešimt"_s,
                        u"šešiasdešimt"_s,  u"septyniasdešimt"_s, u"aštuoniasdešimt"_s,
                        u"devyniasdešimt"_s};

    m_utf16 = slotWords<char16_t>(*this, false);
    m_utf8 = {slotWords<char>(*this, false), slotWords<char>(*this, true)};
}

QString Speller::simtai(const qint16 &kk) const
{
    Q_ASSERT(kk >= 0 && kk <= 999);
    std::array<char16_t, roomForWords<char16_t>()> chars;
    WordBuffer<char16_t> text{chars};
    appendGroup(text, m_utf16, kk);
    return QStringView(text.data(), text.size()).toString();
}

QString Speller::versk(const double &sk)
{
    std::array<char16_t, roomForWords<char16_t>()> chars;
    WordBuffer<char16_t> text{chars};
    appendAmount(text, m_utf16, sk, sk3);
    if (text.size() == 0)
        return {};
    // The words go into a QString kept here, whose memory is reused when no caller holds on to
    // the previous result any more: spelling amount after amount then allocates nothing.
    if (!m_words.isDetached() || m_words.capacity() < text.size()) {
        m_words = QString();
        m_words.reserve(qsizetype(chars.size()));
    }
    m_words.resize(text.size());
    std::memcpy(static_cast<void *>(m_words.data()), text.data(), text.size() * sizeof(char16_t));
    return m_words;
}

qsizetype Speller::verskUtf8(const double &sk, bool capitals, std::span<char, utf8Room> out)
{
    static_assert(utf8Room >= roomForWords<char>());
    WordBuffer<char> text{out};
    appendAmount(text, m_utf8[capitals], sk, sk3);
    return text.size();
}

} // namespace suma
