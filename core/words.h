#pragma once

// The words and the way whole amounts are spelled with them: plain C++17, no Qt. Every table is
// a constant, built when the program is compiled; spelling keeps no state.

#include <array>
#include <cassert>
#include <cstddef> // ptrdiff_t, size_t
#include <cstdint> // int32_t, uint8_t
#include <cstring> // memcpy, memmove
#include <string_view>

namespace suma::core {

inline constexpr std::int32_t largestAmount = 999'999'999;

// The three forms of a scale word, or of a noun counted by an amount, chosen by the count's last
// two digits: "vienas tūkstantis", "du tūkstančiai", "dešimt tūkstančių".
enum class ScaleForm {
    Singular,         // ...1, but not ...11
    NominativePlural, // ...2 to ...9, but not ...12 to ...19
    GenitivePlural,   // ...0 and ...10 to ...19
};
[[nodiscard]] constexpr ScaleForm scaleForm(std::int32_t count)
{
    const std::int32_t lastTwo = count % 100;
    if (count % 10 == 0 || (lastTwo >= 10 && lastTwo <= 19))
        return ScaleForm::GenitivePlural;
    return count % 10 == 1 ? ScaleForm::Singular : ScaleForm::NominativePlural;
}

// The words, in lower case and UTF-8. Index 0 of the three tables is empty.
namespace words {
inline constexpr std::array<std::string_view, 10> vienetai = {
    "", "vienas", "du", "trys", "keturi", "penki", "šeši", "septyni", "aštuoni", "devyni"};
inline constexpr std::array<std::string_view, 10> niolika = {
    "",           "vienuolika", "dvylika",      "trylika",      "keturiolika",
    "penkiolika", "šešiolika",  "septyniolika", "aštuoniolika", "devyniolika"};
inline constexpr std::array<std::string_view, 10> desimtys = {"",
                                                              "dešimt",
                                                              "dvidešimt",
                                                              "trisdešimt",
                                                              "keturiasdešimt",
                                                              "penkiasdešimt",
                                                              "šešiasdešimt",
                                                              "septyniasdešimt",
                                                              "aštuoniasdešimt",
                                                              "devyniasdešimt"};
// The hundreds words bring their own blanks: "šimtas " stands alone for one hundred, the others
// follow a units word.
inline constexpr std::string_view oneHundred = "šimtas ";
inline constexpr std::string_view hundreds = " šimtai ";
// The scale words and the counted nouns, each after a blank, in the order of ScaleForm.
inline constexpr std::array<std::string_view, 3> millions = {" milijonas", " milijonai",
                                                             " milijonų"};
inline constexpr std::array<std::string_view, 3> thousands = {" tūkstantis", " tūkstančiai",
                                                              " tūkstančių"};
inline constexpr std::array<std::string_view, 3> euros = {" euras", " eurai", " eurų"};
inline constexpr std::array<std::string_view, 3> cents = {" centas", " centai", " centų"};
} // namespace words

namespace detail {

// The capital of a letter of the words, in UTF-8: ASCII, and the Lithuanian letters, whose
// capitals stand just before them (č Č, š Š, ū Ū, ų Ų, ą Ą, ę Ę, ė Ė, į Į). Each capital is as
// long as its letter.
constexpr char32_t capitalOf(char32_t c)
{
    if (c >= 'a' && c <= 'z')
        return c - 'a' + 'A';
    const bool evenIsCapital = (c >= 0x100 && c <= 0x137) || (c >= 0x14A && c <= 0x177);
    return evenIsCapital && c % 2 == 1 ? c - 1 : c;
}

// Decodes the UTF-8 character at `at` (one or two bytes: every letter of the words is below
// U+0800) and moves past it.
constexpr char32_t decodeUtf8(std::string_view text, std::size_t &at)
{
    const auto lead = static_cast<unsigned char>(text[at++]);
    if (lead < 0x80)
        return lead;
    return char32_t(lead & 0x1F) << 6 | (static_cast<unsigned char>(text[at++]) & 0x3F);
}

template <typename Char> constexpr std::size_t encode(char32_t c, Char *out)
{
    if constexpr (sizeof(Char) == 1) {
        if (c < 0x80) {
            out[0] = Char(c);
            return 1;
        }
        out[0] = Char(0xC0 | c >> 6);
        out[1] = Char(0x80 | (c & 0x3F));
        return 2;
    } else {
        out[0] = Char(c);
        return 1;
    }
}

} // namespace detail

// One word as spelling copies it: in a slot of fixed size, so that it is copied as one block of
// that size, which is much quicker than a copy of its exact length.
template <typename Char> struct SlotWord
{
    static constexpr std::size_t slotBytes = 32;
    std::array<Char, slotBytes / sizeof(Char)> chars{};
    std::uint8_t size = 0;

    // `utf8` in the encoding of Char (UTF-8 or UTF-16), in capitals when asked for.
    constexpr SlotWord(std::string_view utf8 = {}, bool capitals = false)
    {
        std::size_t at = 0;
        while (at < utf8.size()) {
            const char32_t c = detail::decodeUtf8(utf8, at);
            Char encoded[2] = {};
            const std::size_t n = detail::encode(capitals ? detail::capitalOf(c) : c, encoded);
            for (std::size_t i = 0; i < n; ++i)
                chars[size++] = encoded[i]; // a word longer than its slot does not compile
        }
    }
};

// Every word the speller writes, in one encoding (UTF-8 or UTF-16) and one letter case.
template <typename Char> struct SlotWords
{
    std::array<SlotWord<Char>, 10> vienetai, niolika, desimtys;
    SlotWord<Char> oneHundred, hundreds;
    std::array<SlotWord<Char>, 3> millions, thousands; // in the order of ScaleForm

    explicit constexpr SlotWords(bool capitals)
        : oneHundred(words::oneHundred, capitals), hundreds(words::hundreds, capitals)
    {
        for (std::size_t i = 0; i < 10; ++i) {
            vienetai[i] = SlotWord<Char>(words::vienetai[i], capitals);
            niolika[i] = SlotWord<Char>(words::niolika[i], capitals);
            desimtys[i] = SlotWord<Char>(words::desimtys[i], capitals);
        }
        for (std::size_t i = 0; i < 3; ++i) {
            millions[i] = SlotWord<Char>(words::millions[i], capitals);
            thousands[i] = SlotWord<Char>(words::thousands[i], capitals);
        }
    }
};

// The slots of every word: UTF-8 in lower case and in capitals, and UTF-16 in lower case.
inline constexpr SlotWords<char> utf8Words(false);
inline constexpr SlotWords<char> utf8Capitals(true);
inline constexpr SlotWords<char16_t> utf16Words(false);

// One amount copies at most 14 slots (four for each of its three groups, and its two scale
// words) and 5 single blanks (one inside each group, two between groups). A buffer with room for
// all of them whole never runs out while the words are copied.
template <typename Char> constexpr std::size_t roomForWords()
{
    return 14 * SlotWord<Char>::slotBytes / sizeof(Char) + 5;
}

// The words of one amount are built in a fixed run of characters and leave it once, at the end.
template <typename Char> class WordBuffer
{
public:
    WordBuffer(Char *room, std::size_t size) : m_chars(room), m_room(size) {}

    // The word's whole slot is copied; only its own characters count.
    void append(const SlotWord<Char> &word)
    {
        assert(m_length + word.chars.size() <= m_room);
        std::memcpy(m_chars + m_length, word.chars.data(), sizeof word.chars);
        m_length += word.size;
    }

    void appendBlank()
    {
        assert(m_length < m_room);
        m_chars[m_length++] = Char(' ');
    }
    [[nodiscard]] std::size_t size() const { return m_length; }
    [[nodiscard]] const Char *data() const { return m_chars; }

    // Removes the blanks at both ends of the part that begins at `from`.
    void trimFrom(std::size_t from)
    {
        while (m_length > from && m_chars[m_length - 1] == Char(' '))
            --m_length;
        std::size_t first = from;
        while (first < m_length && m_chars[first] == Char(' '))
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
    std::size_t m_room;
    std::size_t m_length = 0;
};

// Always inlined, as are the next two: called from an amount's three groups, a compiler left to
// itself calls them out of line, the buffer's length goes through memory, and batch spelling
// takes some 7 % longer.
#if defined(__GNUC__)
#define SUMA_ALWAYS_INLINE inline __attribute__((always_inline))
#else
#define SUMA_ALWAYS_INLINE inline
#endif

// One three-digit group, 0..999, in words (nothing for 0), appended to `text`.
template <typename Char>
SUMA_ALWAYS_INLINE void appendGroup(WordBuffer<Char> &text, const SlotWords<Char> &words, int kk)
{
    assert(kk >= 0 && kk <= 999);
    const std::size_t start = text.size();

    const int h = kk / 100;
    if (h > 0) {
        if (h == 1) {
            text.append(words.oneHundred);
        } else {
            text.append(words.vienetai[std::size_t(h)]);
            text.append(words.hundreds);
        }
    }

    const int r = kk % 100;
    if (r < 10) {
        text.append(words.vienetai[std::size_t(r)]);
    } else if (r > 10 && r < 20) {
        text.append(words.niolika[std::size_t(r - 10)]);
    } else {
        text.append(words.desimtys[std::size_t(r / 10)]);
        const int u = r % 10;
        if (u > 0) {
            text.appendBlank();
            text.append(words.vienetai[std::size_t(u)]);
        }
    }

    text.trimFrom(start);
}

// A group of the millions or the thousands, if above zero, with its scale word in the form it
// calls for.
template <typename Char>
SUMA_ALWAYS_INLINE void appendScaledGroup(WordBuffer<Char> &text, const SlotWords<Char> &words,
                                          int group,
                                          const std::array<SlotWord<Char>, 3> &scaleWords)
{
    if (group == 0)
        return;
    text.separate();
    appendGroup(text, words, group);
    text.append(scaleWords[std::size_t(scaleForm(group))]);
}

// A whole amount, 0..999,999,999, in words (nothing for 0), appended to `text`: the millions,
// the thousands, each with its scale word in the form its last digits call for, then the units.
template <typename Char>
SUMA_ALWAYS_INLINE void appendAmount(WordBuffer<Char> &text, const SlotWords<Char> &words,
                                     std::int32_t whole)
{
    assert(whole >= 0 && whole <= largestAmount);
    appendScaledGroup(text, words, whole / 1'000'000, words.millions);
    appendScaledGroup(text, words, whole / 1000 % 1000, words.thousands);
    if (const int units = whole % 1000; units > 0) {
        text.separate();
        appendGroup(text, words, units);
    }
}

} // namespace suma::core
