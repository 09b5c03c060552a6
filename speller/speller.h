#pragma once

#include <QString>
#include <QtGlobal> // qint16, qsizetype

#include <array>
#include <cstddef> // size_t
#include <cstdint> // uint8_t
#include <span>

namespace suma {

class Speller;

// The three forms of a scale word, or of a noun counted by an amount, chosen by the count's last
// two digits: "vienas tūkstantis", "du tūkstančiai", "dešimt tūkstančių".
enum class ScaleForm {
    Singular,         // ...1, but not ...11
    NominativePlural, // ...2 to ...9, but not ...12 to ...19
    GenitivePlural,   // ...0 and ...10 to ...19
};
[[nodiscard]] constexpr ScaleForm scaleForm(qint32 count)
{
    const qint32 lastTwo = count % 100;
    if (count % 10 == 0 || (lastTwo >= 10 && lastTwo <= 19))
        return ScaleForm::GenitivePlural;
    return count % 10 == 1 ? ScaleForm::Singular : ScaleForm::NominativePlural;
}

namespace detail {

// One of the speller's words as spelling copies it: in a slot of fixed size, so that it is copied
// as one block of that size, which is much quicker than a copy of its exact length.
template <typename Char> struct SlotWord
{
    static constexpr std::size_t slotBytes = 32;
    std::array<Char, slotBytes / sizeof(Char)> chars{};
    std::uint8_t size = 0;
};

// Every word the speller writes, in one encoding (UTF-16 or UTF-8) and one letter case.
template <typename Char> struct SlotWords
{
    std::array<SlotWord<Char>, 10> vienetai, niolika, desimtys;
    SlotWord<Char> oneHundred, hundreds;
    std::array<SlotWord<Char>, 3> millions, thousands; // in the order of ScaleForm
};

// A word table as everyone but the speller sees it: read-only. Spelling copies the words once,
// so a table written afterwards would no longer say what is spelled.
class WordTable
{
public:
    [[nodiscard]] const QString &operator[](std::size_t i) const { return m_words[i]; }
    [[nodiscard]] const QString &at(std::size_t i) const { return m_words.at(i); }
    [[nodiscard]] const std::array<QString, 10> &words() const { return m_words; }

private:
    friend class suma::Speller;
    std::array<QString, 10> m_words;
};

} // namespace detail

// Writes whole amounts from 0 to 999,999,999 out in lower-case Lithuanian words.
//
// The members keep the names the rest of the program knows them by: the window derives from
// this class, so `simtai`, `versk`, `sk3` and the word tables are the window's public members.
class Speller
{
public:
    // Fills the three word tables, and the copies of them that simtai and versk spell from.
    // Nothing may spell before this has run; the window's load step calls it first.
    void fillWordTables();

    // One three-digit group, 0..999, in words; the empty text for 0. A group outside 0..999 is
    // a caller's error: a debug build stops on an assertion, and a release build promises
    // nothing for it.
    [[nodiscard]] QString simtai(const qint16 &kk) const;

    // The whole amount in words, with the scale words in the form each group calls for; the
    // empty text for 0, for negative amounts and for anything that is not a finite amount of at
    // most 999,999,999. Sets `sk3` to the millions count, saturated to the 16-bit range (0 for
    // NaN).
    [[nodiscard]] QString versk(const double &sk);

    // The same words as versk's, as UTF-8 written straight to the start of `out`, for output
    // that goes out as bytes; in capitals when `capitals` is set, exactly as QString::toUpper
    // would write them. Returns the number of bytes written, which is far less than the room
    // `out` has to offer: the words are copied in blocks of a fixed size. Sets `sk3` as versk
    // does.
    static constexpr std::size_t utf8Room = 512;
    qsizetype verskUtf8(const double &sk, bool capitals, std::span<char, utf8Room> out);

    detail::WordTable vienetai; // 1..9
    detail::WordTable niolika;  // 11..19, at index n - 10
    detail::WordTable desimtys; // 10..90, at index n / 10

    // Millions count of the last amount spelled.
    qint16 sk3 = 0;

    static constexpr qint32 largestAmount = 999'999'999;

private:
    QString m_words; // the memory of versk's last result, reused once nobody holds that result
    detail::SlotWords<char16_t> m_utf16;
    std::array<detail::SlotWords<char>, 2> m_utf8; // lower case, capitals
};

} // namespace suma
