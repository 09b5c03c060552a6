// The core for JavaScript, compiled to WebAssembly: nothing imported from the host, no
// exceptions, and no allocator but the one below.
//
// JavaScript writes the amount's UTF-8 where `input` says and calls `spell`. The result comes
// back not as text but as the numbers of its pieces: the core's text cut after each run of
// blanks ("Keturi ", "šimtai ", "Lt ", "56 ", "ct"), each piece numbered the first time it is
// seen. Making a JavaScript string out of UTF-8 costs more than the whole spelling, so
// JavaScript asks for a piece's bytes once, the first time its number comes back, and from then
// on joins its own strings. The pieces are the core's words in their letter cases, the
// currencies and the cents in digits: a few hundred in all, learned from the core's own texts,
// never listed anywhere.
#include "result.h"
#include "typednumber.h"

#include <cstddef> // size_t
#include <cstdint> // uint16_t, uint32_t, uint64_t
#include <cstring> // memcpy, memset
#include <new>
#include <optional>
#include <string_view>

extern "C" unsigned char __heap_base; // the first byte after the stack, from the linker

namespace {

constexpr std::size_t pageBytes = 65536;

// The amount's text lives at the start of the heap; the core's one allocation (readAmountText's
// copy of the text, never longer than it) comes right after it and is let go with the call.
std::size_t inputAt()
{
    return (reinterpret_cast<std::size_t>(&__heap_base) + 15) & ~std::size_t(15);
}
std::size_t inputRoom = 0; // the bytes of text that the memory has room for, with the copy
std::size_t arenaTop = 0;

std::size_t memoryBytes()
{
    return __builtin_wasm_memory_size(0) * pageBytes;
}

// The pieces seen so far: their bytes in `pool` (each from an 8-byte boundary, so that they are
// compared 8 bytes at a time), found through an open-addressing table of their numbers plus one.
constexpr std::size_t maxPieces = 2048;
constexpr std::size_t tableSlots = 2 * maxPieces;
constexpr std::size_t poolBytes = 32768;
struct Piece
{
    std::uint32_t at;
    std::uint32_t size;
};
Piece pieces[maxPieces];
std::uint16_t table[tableSlots];
alignas(8) char pool[poolBytes + 8];
std::size_t pieceCount = 0;
std::size_t poolUsed = 0;

// The result text, with room for 8 bytes of blanks after it that end every search for a blank,
// and its pieces' numbers.
alignas(8) char text[suma::core::longestResult + 8];
std::uint16_t numbers[suma::core::longestResult];

std::uint64_t load8(const char *at)
{
    std::uint64_t v;
    std::memcpy(&v, at, sizeof v);
    return v;
}

// The first `size` bytes of a word of 8.
std::uint64_t firstBytes(std::size_t size)
{
    return size >= 8 ? ~std::uint64_t(0) : (std::uint64_t(1) << (8 * size)) - 1;
}

bool samePiece(const char *a, const char *b, std::size_t size)
{
    for (; size > 8; size -= 8, a += 8, b += 8) {
        if (load8(a) != load8(b))
            return false;
    }
    return ((load8(a) ^ load8(b)) & firstBytes(size)) == 0;
}

std::uint16_t numberOf(const char *piece, std::size_t size)
{
    std::uint64_t hash = (load8(piece) & firstBytes(size)) * 0x9E3779B97F4A7C15u ^ size;
    hash = (hash ^ hash >> 29) * 0xBF58476D1CE4E5B9u;
    for (std::size_t slot = (hash >> 40) % tableSlots;; slot = (slot + 1) % tableSlots) {
        if (const std::uint16_t entry = table[slot]) {
            const Piece &known = pieces[entry - 1];
            if (known.size == size && samePiece(pool + known.at, piece, size))
                return std::uint16_t(entry - 1);
            continue;
        }
        std::memcpy(pool + poolUsed, piece, size);
        pieces[pieceCount] = {std::uint32_t(poolUsed), std::uint32_t(size)};
        poolUsed += (size + 7) & ~std::size_t(7);
        table[slot] = std::uint16_t(++pieceCount);
        return std::uint16_t(pieceCount - 1);
    }
}

suma::core::ResultSettings settingsOf(int options)
{
    // The same numbers as the C interface's: currency (Lt, Eur, the noun, none), then cents
    // (digits, words), then letter case (first capital, lower, upper).
    const int currency = options & 3;
    const int cents = options >> 2 & 1;
    const int letterCase = options >> 3 & 3;
    suma::core::ResultSettings settings;
    settings.money = currency != 3;
    settings.currency = currency == 1   ? suma::core::Currency::Eur
                        : currency == 2 ? suma::core::Currency::EurNoun
                                        : suma::core::Currency::Lt;
    settings.centsForm = cents == 1 ? suma::core::CentsForm::Words : suma::core::CentsForm::Digits;
    settings.allCapitals = letterCase == 2;
    settings.firstCapital = letterCase == 0;
    return settings;
}

} // namespace

void *operator new(std::size_t size)
{
    const std::size_t at = (arenaTop + 15) & ~std::size_t(15);
    if (at + size > memoryBytes())
        __builtin_trap(); // never: `input` made room for a copy of the text
    arenaTop = at + size;
    return reinterpret_cast<void *>(at);
}
void operator delete(void *) noexcept {}
void operator delete(void *, std::size_t) noexcept {}

extern "C" {

// Where to write a text of `length` bytes: the memory grows to hold it and the core's copy of
// it. 0 when it cannot grow so far; such a text is not read as a number.
__attribute__((export_name("input"))) std::size_t input(std::size_t length)
{
    if (length > inputRoom) {
        if (length > (std::size_t(-1) - inputAt() - 64) / 2) // beyond the address space
            return 0;
        const std::size_t need = inputAt() + 2 * length + 64;
        if (need > memoryBytes()) {
            const std::size_t pages = (need - memoryBytes() + pageBytes - 1) / pageBytes;
            if (__builtin_wasm_memory_grow(0, pages) == std::size_t(-1))
                return 0;
        }
        inputRoom = length;
    }
    return inputAt();
}

// Spells the `length` bytes at `input` with `options` (currency | cents << 2 | case << 3).
// Returns how many piece numbers `numbers` holds, plus 0x8000 when the pieces known so far were
// forgotten first (their numbers are given anew); or -1 for "not a number", -2 for "too large".
__attribute__((export_name("spell"))) int spell(std::size_t length, int options)
{
    if (length > inputRoom)
        __builtin_trap(); // the caller asked `input` for less room
    arenaTop = inputAt() + length;
    const suma::core::Written written = suma::core::writeResult(
        suma::core::readAmountText(std::string_view(reinterpret_cast<const char *>(inputAt()), length)),
        settingsOf(options), text);
    if (written.refusal)
        return *written.refusal == suma::core::Refusal::NotANumber ? -1 : -2;

    // A text of n bytes has at most n pieces taking at most 8n bytes of the pool: if the rest
    // may not hold them, start again (which only a far larger set of words than the core's
    // could ever need).
    int forgotten = 0;
    if (maxPieces - pieceCount < written.size || poolBytes - poolUsed < 8 * written.size) {
        std::memset(table, 0, sizeof table);
        pieceCount = 0;
        poolUsed = 0;
        forgotten = 0x8000;
    }

    // Each piece runs to the next blank (found 8 bytes at a time), and takes the blanks after it.
    std::memset(text + written.size, ' ', 8);
    constexpr std::uint64_t ones = 0x0101010101010101u;
    constexpr std::uint64_t blanks = 0x2020202020202020u;
    int count = 0;
    for (std::size_t begin = 0; begin < written.size;) {
        std::size_t end = begin;
        for (;; end += 8) {
            const std::uint64_t x = load8(text + end) ^ blanks; // a zero byte where a blank is
            if (const std::uint64_t zeros = (x - ones) & ~x & (ones << 7)) {
                end += std::size_t(__builtin_ctzll(zeros)) / 8;
                break;
            }
        }
        while (end < written.size && text[end] == ' ')
            ++end;
        if (end > written.size)
            end = written.size;
        numbers[count++] = numberOf(text + begin, end - begin);
        begin = end;
    }
    return count | forgotten;
}

__attribute__((export_name("numbers"))) const std::uint16_t *numbersAt()
{
    return numbers;
}

// A piece's bytes, for its number.
__attribute__((export_name("piece"))) const char *piece(std::size_t number)
{
    return pool + pieces[number].at;
}
__attribute__((export_name("pieceSize"))) std::size_t pieceSize(std::size_t number)
{
    return pieces[number].size;
}

// The message of a refusal, by the number `spell` gave for it (-1, -2).
__attribute__((export_name("message"))) const char *message(int refusal)
{
    return suma::core::messageOf(refusal == -2 ? suma::core::Refusal::TooLarge
                                               : suma::core::Refusal::NotANumber)
        .data();
}
__attribute__((export_name("messageSize"))) std::size_t messageSize(int refusal)
{
    return suma::core::messageOf(refusal == -2 ? suma::core::Refusal::TooLarge
                                               : suma::core::Refusal::NotANumber)
        .size();
}

} // extern "C"
