// Writes the fixed amounts, one a line, as input for the batch benchmark. An optional argument
// limits how many.
#include "amounts.h"

#include <algorithm> // min
#include <cstdio>    // printf
#include <cstdlib>   // strtoul

int main(int argc, char *argv[])
{
    const auto amounts = suma::bench::fixedAmounts();
    std::size_t count = amounts.size();
    if (argc > 1)
        count = std::min<std::size_t>(count, std::strtoul(argv[1], nullptr, 10));
    for (std::size_t i = 0; i < count; ++i)
        std::printf("%d\n", amounts[i]);
    return 0;
}
