// The plain way a script would spell numbers without zodziais: read whole numbers line by line
// and spell each with ICU's rule-based spell-out for Lithuanian. The batch benchmark runs it
// beside zodziais on the same lines.
#include <unicode/locid.h>
#include <unicode/rbnf.h>

#include <cstdint> // int64_t
#include <cstdio>  // fprintf
#include <cstdlib> // strtoll
#include <iostream>
#include <string>

int main()
{
    std::ios::sync_with_stdio(false);
    UErrorCode status = U_ZERO_ERROR;
    icu::RuleBasedNumberFormat spellout(icu::URBNF_SPELLOUT, icu::Locale("lt"), status);
    if (U_FAILURE(status)) {
        std::fprintf(stderr, "icu_loop: %s\n", u_errorName(status));
        return 1;
    }
    std::string line;
    std::string words;
    while (std::getline(std::cin, line)) {
        icu::UnicodeString text;
        spellout.format(static_cast<std::int64_t>(std::strtoll(line.c_str(), nullptr, 10)), text);
        words.clear();
        text.toUTF8String(words);
        std::cout << words << '\n';
    }
    return 0;
}
