#pragma once

#include <QString>
#include <QtGlobal> // qint16

#include <array>

namespace suma {

// Writes whole amounts from 0 to 999,999,999 out in lower-case Lithuanian words.
//
// The members keep the names the rest of the program knows them by: the window derives from
// this class, so `simtai`, `versk`, `sk3` and the word tables are the window's public members.
class Speller
{
public:
    // Fills the three word tables. Nothing may read them before this has run; the window's load
    // step calls it first.
    void fillWordTables();

    // One three-digit group, 0..999, in words; the empty text for 0. A group outside 0..999 is
    // outside the contract: most look up a table index outside 0..9 and throw
    // std::out_of_range, but the negative multiples of 100 (-100, -200 ...) find no digit to
    // look up and give the empty text.
    [[nodiscard]] QString simtai(const qint16 &kk) const;

    // The whole amount in words, with the scale words in the form each group calls for; the
    // empty text for 0, for negative amounts and for anything that is not a finite amount of at
    // most 999,999,999. Sets `sk3` to the millions count, saturated to the 16-bit range (0 for
    // NaN).
    [[nodiscard]] QString versk(const double &sk);

    std::array<QString, 10> vienetai; // 1..9
    std::array<QString, 10> niolika;  // 11..19, at index n - 10
    std::array<QString, 10> desimtys; // 10..90, at index n / 10

    // Millions count of the last amount spelled.
    qint16 sk3 = 0;

    static constexpr qint32 largestAmount = 999'999'999;

private:
    QString m_words; // the memory of versk's last result, reused once nobody holds that result
};

} // namespace suma
