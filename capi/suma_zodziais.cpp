// The C interface over the core: it converts the caller's arguments to the core's and copies the
// text out. No exception, allocation or state crosses it.
#include "suma_zodziais.h"

#include "result.h"
#include "typednumber.h"

#include <array>
#include <cstddef> // offsetof
#include <cstdint> // int32_t
#include <cstring> // memcpy
#include <optional>
#include <string_view>

static_assert(SZ_LONGEST_RESULT >= suma::core::longestResult,
              "the promised room must hold the core's working room");

namespace {

constexpr sz_options defaults{sizeof(sz_options), SZ_CURRENCY_LT, SZ_CENTS_DIGITS, SZ_CASE_FIRST};

// A field the caller's struct has, by the size it says it has.
template <typename Field> bool has(const sz_options &options, std::size_t offset)
{
    return options.size >= offset + sizeof(Field);
}

std::optional<suma::core::ResultSettings> settingsOf(const sz_options *options)
{
    sz_options given = defaults;
    if (options) {
        if (options->size < sizeof options->size)
            return std::nullopt;
        if (has<std::int32_t>(*options, offsetof(sz_options, currency)))
            given.currency = options->currency;
        if (has<std::int32_t>(*options, offsetof(sz_options, cents)))
            given.cents = options->cents;
        if (has<std::int32_t>(*options, offsetof(sz_options, letter_case)))
            given.letter_case = options->letter_case;
    }
    if (given.currency < SZ_CURRENCY_LT || given.currency > SZ_CURRENCY_NONE
        || given.cents < SZ_CENTS_DIGITS || given.cents > SZ_CENTS_WORDS
        || given.letter_case < SZ_CASE_FIRST || given.letter_case > SZ_CASE_UPPER)
        return std::nullopt;

    return suma::core::settingsByNumbers(given.currency, given.cents, given.letter_case);
}

sz_status write(const std::optional<suma::core::TypedNumber> &number, const sz_options *options,
                char *out, std::size_t outSize, std::size_t *length)
{
    const std::optional<suma::core::ResultSettings> settings = settingsOf(options);
    if (!settings || !length || (!out && outSize > 0))
        return SZ_INVALID_ARGUMENT;
    // Written in place when the caller's buffer holds the longest text; otherwise here first.
    std::array<char, SZ_LONGEST_RESULT> room;
    const bool inPlace = outSize >= room.size();
    char *const text = inPlace ? out : room.data();
    const suma::core::Written written = suma::core::writeResult(number, *settings, text);
    if (written.refusal) {
        *length = 0;
        return *written.refusal == suma::core::Refusal::TooLarge ? SZ_TOO_LARGE : SZ_NOT_A_NUMBER;
    }
    *length = written.size;
    if (outSize <= written.size)
        return SZ_BUFFER_TOO_SMALL;
    if (!inPlace)
        std::memcpy(out, text, written.size);
    out[written.size] = '\0';
    return SZ_OK;
}

} // namespace

extern "C" {

void sz_options_init(sz_options *options)
{
    if (!options)
        return;
    *options = defaults;
}

sz_status sz_spell(const char *amount, size_t amount_length, const sz_options *options, char *out,
                   size_t out_size, size_t *length)
{
    if (!amount && amount_length > 0)
        return SZ_INVALID_ARGUMENT;
    return write(suma::core::readAmountText(std::string_view(amount ? amount : "", amount_length)),
                 options, out, out_size, length);
}

sz_status sz_spell_cents(int64_t cents, const sz_options *options, char *out, size_t out_size,
                         size_t *length)
{
    return write(suma::core::fromCents(cents), options, out, out_size, length);
}

const char *sz_message(sz_status status)
{
    switch (status) {
    case SZ_NOT_A_NUMBER:
        return suma::core::messageOf(suma::core::Refusal::NotANumber).data();
    case SZ_TOO_LARGE:
        return suma::core::messageOf(suma::core::Refusal::TooLarge).data();
    default:
        return "";
    }
}

const char *sz_status_name(sz_status status)
{
    switch (status) {
    case SZ_OK:
        return "OK";
    case SZ_NOT_A_NUMBER:
        return "NOT_A_NUMBER";
    case SZ_TOO_LARGE:
        return "TOO_LARGE";
    case SZ_BUFFER_TOO_SMALL:
        return "BUFFER_TOO_SMALL";
    case SZ_INVALID_ARGUMENT:
        return "INVALID_ARGUMENT";
    }
    return "";
}

} // extern "C"
