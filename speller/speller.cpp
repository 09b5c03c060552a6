#include "speller.h"

#include <QStringView>

#include <algorithm> // clamp, transform
#include <array>
#include <cmath>   // floor, isnan
#include <cstring> // memcpy
#include <limits>  // numeric_limits

namespace suma {

namespace {

using core::roomForWords;
using core::WordBuffer;

qint16 saturatedToInt16(double value)
{
    using limits = std::numeric_limits<qint16>;
    return std::isnan(value)
               ? 0
               : static_cast<qint16>(std::clamp<double>(value, limits::min(), limits::max()));
}

// versk's work, in either encoding: the core's words for the amount, and its millions count.
template <typename Char>
void appendAmount(WordBuffer<Char> &text, const core::SlotWords<Char> &words, const double &sk,
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
    core::appendAmount(text, words, whole);
}

std::array<QString, 10> fromUtf8(const std::array<std::string_view, 10> &words)
{
    std::array<QString, 10> result;
    std::transform(words.begin(), words.end(), result.begin(), [](std::string_view word) {
        return QString::fromUtf8(word.data(), qsizetype(word.size()));
    });
    return result;
}

} // namespace

void Speller::fillWordTables()
{
    vienetai.m_words = fromUtf8(core::words::vienetai);
    niolika.m_words = fromUtf8(core::words::niolika);
    desimtys.m_words = fromUtf8(core::words::desimtys);
}

QString Speller::simtai(const qint16 &kk) const
{
    Q_ASSERT(kk >= 0 && kk <= 999);
    std::array<char16_t, roomForWords<char16_t>()> chars;
    WordBuffer<char16_t> text{chars.data(), chars.size()};
    core::appendGroup(text, core::utf16Words, kk);
    return QStringView(text.data(), qsizetype(text.size())).toString();
}

QString Speller::versk(const double &sk)
{
    std::array<char16_t, roomForWords<char16_t>()> chars;
    WordBuffer<char16_t> text{chars.data(), chars.size()};
    appendAmount(text, core::utf16Words, sk, sk3);
    if (text.size() == 0)
        return {};
    // The words go into a QString kept here, whose memory is reused when no caller holds on to
    // the previous result any more: spelling amount after amount then allocates nothing.
    const auto size = qsizetype(text.size());
    if (!m_words.isDetached() || m_words.capacity() < size) {
        m_words = QString();
        m_words.reserve(qsizetype(chars.size()));
    }
    m_words.resize(size);
    std::memcpy(static_cast<void *>(m_words.data()), text.data(), text.size() * sizeof(char16_t));
    return m_words;
}

qsizetype Speller::verskUtf8(const double &sk, bool capitals, std::span<char, utf8Room> out)
{
    WordBuffer<char> text{out.data(), out.size()};
    appendAmount(text, capitals ? core::utf8Capitals : core::utf8Words, sk, sk3);
    return qsizetype(text.size());
}

} // namespace suma
