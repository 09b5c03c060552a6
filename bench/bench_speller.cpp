// Per-amount figures for the speller beside ICU's rule-based spell-out for Lithuanian, on one
// fixed set of amounts, with the ratios printed at the end.
#include "amounts.h"
#include "numberreading.h"
#include "presentation.h"
#include "utf8conversion.h"
#include "speller.h"

#include <benchmark/benchmark.h>
#include <suma_zodziais.h>
#include <unicode/locid.h>
#include <unicode/rbnf.h>

#include <QByteArray>
#include <QLocale>
#include <QString>

#include <algorithm> // sort
#include <cstdint>   // int64_t
#include <cstdio>    // printf
#include <ctime>     // clock
#include <map>
#include <memory>
#include <string>

namespace {

using suma::bench::amountCount;

const std::vector<std::int32_t> &amounts()
{
    static const auto fixed = suma::bench::fixedAmounts();
    return fixed;
}

// versk takes its amount as a double, as the window hands it over.
const std::vector<double> &amountsAsDouble()
{
    static const std::vector<double> converted(amounts().begin(), amounts().end());
    return converted;
}

// The amounts as typed under Lithuanian settings, with cents so that the money suffixes are at
// work.
const std::vector<QString> &typedTexts()
{
    static const std::vector<QString> texts = [] {
        std::vector<QString> t;
        t.reserve(amountCount);
        for (const auto amount : amounts())
            t.push_back(QStringLiteral("%1,%2").arg(amount).arg(amount % 100, 2, 10, QChar(u'0')));
        return t;
    }();
    return texts;
}

suma::Speller &speller()
{
    static suma::Speller filled = [] {
        suma::Speller s;
        s.fillWordTables();
        return s;
    }();
    return filled;
}

icu::RuleBasedNumberFormat &icuSpellout()
{
    static std::unique_ptr<icu::RuleBasedNumberFormat> format = [] {
        UErrorCode status = U_ZERO_ERROR;
        auto f = std::make_unique<icu::RuleBasedNumberFormat>(icu::URBNF_SPELLOUT,
                                                              icu::Locale("lt"), status);
        if (U_FAILURE(status)) {
            std::fprintf(stderr, "ICU spell-out for \"lt\": %s\n", u_errorName(status));
            std::exit(1);
        }
        return f;
    }();
    return *format;
}

void simtai(benchmark::State &state)
{
    const auto &s = speller();
    qint16 kk = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(s.simtai(kk));
        kk = static_cast<qint16>(kk == 999 ? 0 : kk + 1);
    }
    state.SetItemsProcessed(state.iterations());
}

void versk(benchmark::State &state)
{
    auto &s = speller();
    const auto &in = amountsAsDouble();
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(s.versk(in[i]));
        i = i + 1 == in.size() ? 0 : i + 1;
    }
    state.SetItemsProcessed(state.iterations());
}

// ICU formats int32_t and double through different overloads; both are measured.
template <typename Number> void spellWithIcu(benchmark::State &state, const std::vector<Number> &in)
{
    auto &format = icuSpellout();
    std::size_t i = 0;
    for (auto _ : state) {
        icu::UnicodeString text;
        format.format(in[i], text);
        benchmark::DoNotOptimize(text);
        i = i + 1 == in.size() ? 0 : i + 1;
    }
    state.SetItemsProcessed(state.iterations());
}

void icuSpelloutInt32(benchmark::State &state)
{
    spellWithIcu(state, amounts());
}

void icuSpelloutDouble(benchmark::State &state)
{
    spellWithIcu(state, amountsAsDouble());
}

// What zodziais does for one typed text: read the number, spell its floor, apply the letter case
// and the money suffixes.
void labelText(benchmark::State &state)
{
    auto &s = speller();
    const auto &in = typedTexts();
    const QLocale lithuanian(QLocale::Lithuanian, QLocale::Lithuania);
    const suma::ResultSettings settings; // money, first letter capital: the window's start
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(suma::convertTyped(s, in[i], settings, lithuanian));
        i = i + 1 == in.size() ? 0 : i + 1;
    }
    state.SetItemsProcessed(state.iterations());
}

// What zodziais does for one line of its input: the bytes of a whole amount in, its result text
// in UTF-8 out.
void lineBytes(benchmark::State &state)
{
    auto &s = speller();
    static const std::vector<QByteArray> lines = [] {
        std::vector<QByteArray> l;
        l.reserve(amountCount);
        for (const auto amount : amounts())
            l.push_back(QByteArray::number(amount));
        return l;
    }();
    const QLocale lithuanian(QLocale::Lithuanian, QLocale::Lithuania);
    const suma::ResultSettings settings;
    char out[suma::utf8ResultRoom];
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(suma::convertTypedUtf8(lines[i], settings, lithuanian, out));
        i = i + 1 == lines.size() ? 0 : i + 1;
    }
    state.SetItemsProcessed(state.iterations());
}

// What invoicing software does through the C interface: an amount in whole cents (the set's
// amounts with cents added) in, its whole result text out.
void cCents(benchmark::State &state)
{
    const auto &set = amounts();
    sz_options options;
    sz_options_init(&options);
    options.currency = SZ_CURRENCY_EUR;
    char text[SZ_LONGEST_RESULT];
    std::size_t length = 0;
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(sz_spell_cents(std::int64_t(set[i]) * 100 + std::int64_t(i % 100),
                                                &options, text, sizeof text, &length));
        i = i + 1 == set.size() ? 0 : i + 1;
    }
    state.SetItemsProcessed(state.iterations());
}

// Every amount of the set exactly once per repetition, so that both sides see the same amounts.
constexpr auto onePass = static_cast<benchmark::IterationCount>(amountCount);

BENCHMARK(simtai);
BENCHMARK(versk)->Iterations(onePass)->Repetitions(3)->ReportAggregatesOnly(true);
BENCHMARK(icuSpelloutInt32)->Iterations(onePass)->Repetitions(3)->ReportAggregatesOnly(true);
BENCHMARK(icuSpelloutDouble)->Iterations(onePass)->Repetitions(3)->ReportAggregatesOnly(true);
BENCHMARK(labelText)->Iterations(onePass)->Repetitions(3)->ReportAggregatesOnly(true);
BENCHMARK(lineBytes)->Iterations(onePass)->Repetitions(3)->ReportAggregatesOnly(true);
BENCHMARK(cCents)->Iterations(onePass)->Repetitions(3)->ReportAggregatesOnly(true);

// The console table as usual, plus the time of each benchmark kept for the ratios. CPU time,
// not wall time: it is what the spelling costs, and other work on a shared machine moves it less.
class RatioReporter : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run> &runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const auto &run : runs) {
            if (run.error_occurred)
                continue;
            const bool single = run.run_type == Run::RT_Iteration && run.repetitions <= 1;
            const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
            if (single || median)
                nanoseconds[run.run_name.function_name] =
                    run.GetAdjustedCPUTime() / benchmark::GetTimeUnitMultiplier(run.time_unit)
                    * 1e9;
        }
    }

    void printRatio(const char *what, const std::string &slow, const std::string &fast) const
    {
        const auto s = nanoseconds.find(slow);
        const auto f = nanoseconds.find(fast);
        if (s == nanoseconds.end() || f == nanoseconds.end() || f->second <= 0)
            return;
        std::printf("%-44s %8.1f ns / %6.1f ns = %5.1fx\n", what, s->second, f->second,
                    s->second / f->second);
    }

    std::map<std::string, double> nanoseconds;
};

// versk and ICU's spell-out over the whole set in turns, round after round, and the ratio of each
// round: on a shared or virtual machine the speed of everything can change from one second to
// the next, and a ratio of two medians taken seconds apart can catch the two sides in different
// spells. Each round's two sides are a second apart at most.
double pairedRatio(int rounds)
{
    auto &s = speller();
    auto &format = icuSpellout();
    const auto &in = amounts();
    const auto &asDouble = amountsAsDouble();
    const auto cpuSeconds = [] { return double(std::clock()) / CLOCKS_PER_SEC; };
    std::vector<double> ratios;
    for (int round = 0; round < rounds; ++round) {
        double start = cpuSeconds();
        for (const double amount : asDouble)
            benchmark::DoNotOptimize(s.versk(amount));
        const double verskSeconds = cpuSeconds() - start;
        start = cpuSeconds();
        for (const std::int32_t amount : in) {
            icu::UnicodeString text;
            format.format(amount, text);
            benchmark::DoNotOptimize(text);
        }
        ratios.push_back((cpuSeconds() - start) / verskSeconds);
    }
    std::sort(ratios.begin(), ratios.end());
    return ratios[ratios.size() / 2];
}

} // namespace

int main(int argc, char **argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf("\nRatios (median CPU time per amount):\n");
    reporter.printRatio("versk vs ICU spell-out (int32 in)", "icuSpelloutInt32", "versk");
    reporter.printRatio("versk vs ICU spell-out (double in)", "icuSpelloutDouble", "versk");
    reporter.printRatio("whole label text vs ICU spell-out (int32 in)", "icuSpelloutInt32",
                        "labelText");
    reporter.printRatio("line of bytes vs ICU spell-out (int32 in)", "icuSpelloutInt32",
                        "lineBytes");
    reporter.printRatio("C call from cents vs ICU spell-out (int32 in)", "icuSpelloutInt32",
                        "cCents");
    constexpr int rounds = 7;
    std::printf("%-44s %27.1fx\n", "versk vs ICU spell-out, paired (median of 7)",
                pairedRatio(rounds));
    benchmark::Shutdown();
    return 0;
}
