#pragma once

#include <cstddef> // size_t
#include <cstdint> // int32_t, uint64_t
#include <random>  // mt19937_64
#include <vector>

namespace suma::bench {

inline constexpr std::size_t amountCount = 1'000'000;
inline constexpr std::int32_t largestAmount = 999'999'999;

// The same amounts in every run and on every machine: the engine's output is fixed by the
// language standard, the distribution classes are not, so the mapping to 1..999,999,999 is ours.
// (The modulo bias is far below anything a timing could show.)
inline std::vector<std::int32_t> fixedAmounts()
{
    std::mt19937_64 engine(0x53'75'6d'61ull); // any fixed seed
    std::vector<std::int32_t> amounts(amountCount);
    for (auto &amount : amounts)
        amount = static_cast<std::int32_t>(1 + engine() % largestAmount);
    return amounts;
}

} // namespace suma::bench
