/* Suma žodžiais: amounts written out in Lithuanian words, as invoices print them.
 *
 * One call writes the whole text: "Vienas tūkstantis du šimtai trisdešimt keturi Eur 56 ct".
 * C99 and any FFI: no callbacks, no allocation, no global state; every function may be called
 * from any thread at any time. Texts are UTF-8. */
#ifndef SUMA_ZODZIAIS_H
#define SUMA_ZODZIAIS_H

#include <stddef.h>
#include <stdint.h>

#if defined(SZ_STATIC)
#define SZ_API
#elif defined(_WIN32) && defined(SZ_BUILDING_LIBRARY)
#define SZ_API __declspec(dllexport)
#elif defined(_WIN32)
#define SZ_API __declspec(dllimport)
#elif defined(__GNUC__)
#define SZ_API __attribute__((visibility("default")))
#else
#define SZ_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* What a call did. Every refusal has its Lithuanian message (sz_message). */
typedef enum sz_status {
    SZ_OK = 0,
    SZ_NOT_A_NUMBER = 1,     /* "Turi būti skaičius" */
    SZ_TOO_LARGE = 2,        /* "Apsiribokime milijonais !": above 999 999 999 */
    SZ_BUFFER_TOO_SMALL = 3, /* *length says how many bytes the text needs */
    SZ_INVALID_ARGUMENT = 4  /* a null pointer, or an option out of its range */
} sz_status;

typedef enum sz_currency {
    SZ_CURRENCY_LT = 0,       /* "Lt" after the words (the default) */
    SZ_CURRENCY_EUR = 1,      /* "Eur" */
    SZ_CURRENCY_EUR_NOUN = 2, /* the noun in the form the amount calls for: euras, eurai, eurų */
    SZ_CURRENCY_NONE = 3      /* a plain number: no currency, no cents */
} sz_currency;

typedef enum sz_cents {
    SZ_CENTS_DIGITS = 0, /* "56 ct" (the default) */
    SZ_CENTS_WORDS = 1   /* "penkiasdešimt šeši centai" */
} sz_cents;

typedef enum sz_case {
    SZ_CASE_FIRST = 0, /* the first letter a capital (the default) */
    SZ_CASE_LOWER = 1,
    SZ_CASE_UPPER = 2 /* "Lt", "Eur" and "ct" keep their spelling */
} sz_case;

/* How the text is written. Set `size` to sizeof(sz_options) (sz_options_init does): later
 * versions add 32-bit fields at the end only, and a library newer than the caller gives the
 * fields the caller's struct lacks their defaults. */
typedef struct sz_options
{
    uint32_t size;
    int32_t currency;    /* sz_currency */
    int32_t cents;       /* sz_cents */
    int32_t letter_case; /* sz_case */
} sz_options;

/* The longest text any call writes, in bytes, its terminating NUL included. */
#define SZ_LONGEST_RESULT 512

/* The defaults: Lt, cents in digits, the first letter a capital. */
SZ_API void sz_options_init(sz_options *options);

/* Writes `amount` (`amount_length` bytes of UTF-8: "1234,56", "1234.56", "1 234,56", "−5",
 * "1e3"; blanks at both ends are ignored) in words into `out`, NUL-terminated, and its length
 * without the NUL into *length. Money is rounded to whole cents (half to even) from the digits
 * exactly, then split: "7,999" is "Aštuoni Lt". `options` may be NULL for the defaults.
 * With SZ_BUFFER_TOO_SMALL nothing is written and *length is the length needed (out may be
 * NULL with out_size 0 to ask); a buffer of SZ_LONGEST_RESULT bytes is always enough. */
SZ_API sz_status sz_spell(const char *amount, size_t amount_length, const sz_options *options,
                          char *out, size_t out_size, size_t *length);

/* The same for an amount in whole cents: 123456 is 1234,56. */
SZ_API sz_status sz_spell_cents(int64_t cents, const sz_options *options, char *out,
                                size_t out_size, size_t *length);

/* The Lithuanian message for a status, in UTF-8 ("Turi būti skaičius"); "" for SZ_OK. */
SZ_API const char *sz_message(sz_status status);

/* The status's short name: "OK", "NOT_A_NUMBER", "TOO_LARGE", "BUFFER_TOO_SMALL",
 * "INVALID_ARGUMENT". */
SZ_API const char *sz_status_name(sz_status status);

#ifdef __cplusplus
}
#endif

#endif /* SUMA_ZODZIAIS_H */
