#include "result.h"

#include <cstdint> // uint64_t

namespace suma::core {

WholeAmount wholeAmountOf(const std::optional<TypedNumber> &typed, bool money)
{
    if (!typed)
        return {0, 0, false, Refusal::NotANumber};
    std::uint64_t whole = typed->whole;
    std::uint64_t cents = 0;
    if (money) {
        const std::uint64_t rounded = typed->roundedCents();
        whole = rounded / 100;
        cents = rounded % 100;
    }
    if (whole > std::uint64_t(largestAmount))
        return {0, 0, false, Refusal::TooLarge};
    return {double(whole), std::int32_t(cents), typed->negative && (whole > 0 || cents > 0),
            std::nullopt};
}

Written writeResult(const std::optional<TypedNumber> &typed, const ResultSettings &settings,
                    char *out)
{
    const WholeAmount amount = wholeAmountOf(typed, settings.money);
    if (amount.refusal)
        return {0, amount.refusal};
    const SlotWords<char> &slots = settings.allCapitals ? utf8Capitals : utf8Words;
    WordBuffer<char> text(out, roomForWords<char>());
    appendAmount(text, slots, static_cast<std::int32_t>(amount.amount));

    // The cents' words, when they are asked for.
    char centsRoom[roomForWords<char>()];
    WordBuffer<char> cents(centsRoom, sizeof centsRoom);
    if (settings.centsForm == CentsForm::Words)
        appendAmount(cents, slots, amount.cents);

    char *const end = finishResult(out, out + text.size(), settings, amount,
                                   std::string_view(cents.data(), cents.size()));
    return {std::size_t(end - out), std::nullopt};
}

} // namespace suma::core
