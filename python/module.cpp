// The Python module's native part: a thin layer over the core that takes the amount as text (or
// whole cents) and the options as small integers, and gives back the status and the text. The
// Python part (suma_zodziais/__init__.py) turns Python's types and names into these.
#include "result.h"
#include "typednumber.h"

#include <pybind11/pybind11.h>

#include <array>
#include <cstdint> // int64_t
#include <string_view>
#include <utility> // pair

namespace py = pybind11;

namespace {

// 0 for a result, 1 "not a number", 2 "too large", and the text.
using Answer = std::pair<int, py::str>;

Answer answer(const std::optional<suma::core::TypedNumber> &number, int currency, int cents,
              int letterCase)
{
    const suma::core::ResultSettings settings =
        suma::core::settingsByNumbers(currency, cents, letterCase);
    std::array<char, suma::core::longestResult> text;
    const suma::core::Written written = suma::core::writeResult(number, settings, text.data());
    if (written.refusal) {
        const std::string_view message = suma::core::messageOf(*written.refusal);
        return {*written.refusal == suma::core::Refusal::NotANumber ? 1 : 2,
                py::str(message.data(), message.size())};
    }
    return {0, py::str(text.data(), written.size)};
}

} // namespace

PYBIND11_MODULE(_core, m)
{
    m.doc() = "Amounts in Lithuanian words: the native part of suma_zodziais.";
    m.def(
        "spell",
        [](std::string_view amount, int currency, int cents, int letterCase) {
            return answer(suma::core::readAmountText(amount), currency, cents, letterCase);
        },
        py::arg("amount"), py::arg("currency"), py::arg("cents"), py::arg("letter_case"));
    m.def(
        "spell_cents",
        [](std::int64_t amount, int currency, int cents, int letterCase) {
            return answer(suma::core::fromCents(amount), currency, cents, letterCase);
        },
        py::arg("cents_amount"), py::arg("currency"), py::arg("cents"), py::arg("letter_case"));
}
