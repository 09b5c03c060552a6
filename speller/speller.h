#pragma once

#include "words.h"

#include <QString>
#include <QtGlobal> // qint16, qsizetype

#include <array>
#include <cstddef> // size_t
#include <span>

namespace suma {

class Speller;

// The forms of a scale word, and their choice by the count, are the core's.
using core::ScaleForm;
using core::scaleForm;

namespace detail {

// A word table as everyone but the speller sees it: read-only. The words are the core's; spelling
// reads them from there, so a table written here would not change what is spelled.
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

// Writes whole amounts from 0 to 999,999,999 out in lower-case Lithuanian words, with the core's
// words and rule.
//
// The members keep the names the rest of the program knows them by: the window derives from
// this class, so `simtai`, `versk`, `sk3` and the word tables are the window's public members.
class Speller
{
public:
    // Fills the three word tables with the core's words; the window's load step calls it first.
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
    static_assert(utf8Room >= core::roomForWords<char>());
    qsizetype verskUtf8(const double &sk, bool capitals, std::span<char, utf8Room> out);

    detail::WordTable vienetai; // 1..9
    detail::WordTable niolika;  // 11..19, at index n - 10
    detail::WordTable desimtys; // 10..90, at index n / 10

    // Millions count of the last amount spelled.
    qint16 sk3 = 0;

    static constexpr qint32 largestAmount = core::largestAmount;

private:
    QString m_words; // the memory of versk's last result, reused once nobody holds that result
};

} // namespace suma
