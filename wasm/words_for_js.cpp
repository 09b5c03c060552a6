// The core for JavaScript, compiled to WebAssembly: nothing imported from the host, no
// exceptions, and no allocator but the one below. JavaScript writes the amount's UTF-8 where
// `input` says, calls `spell`, and reads the result's UTF-8 at `result`.
#include "result.h"
#include "typednumber.h"

#include <cstddef> // size_t
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

char result[suma::core::longestResult];

// The options as one number: currency | cents << 2 | case << 3, each as the C interface numbers it.
suma::core::ResultSettings settingsOf(int options)
{
    return suma::core::settingsByNumbers(options & 3, options >> 2 & 1, options >> 3 & 3);
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

// Spells the `length` bytes at `input` with `options` (currency | cents << 2 | case << 3) into
// `result`. Returns the result's length in bytes, or -1 for "not a number", -2 for "too large".
__attribute__((export_name("spell"))) int spell(std::size_t length, int options)
{
    if (length > inputRoom)
        __builtin_trap(); // the caller asked `input` for less room
    arenaTop = inputAt() + length;
    const suma::core::Written written = suma::core::writeResult(
        suma::core::readAmountText(std::string_view(reinterpret_cast<const char *>(inputAt()), length)),
        settingsOf(options), result);
    if (written.refusal)
        return *written.refusal == suma::core::Refusal::NotANumber ? -1 : -2;
    return int(written.size);
}

__attribute__((export_name("result"))) const char *resultAt()
{
    return result;
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
