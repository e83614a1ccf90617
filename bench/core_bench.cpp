// The core's conversions against the standard library's, over the same data:
// TextToNumber over every text of the shared peer data against
// std::from_chars, and NumberToText over a million doubles against
// std::to_chars (general, 15 digits) and snprintf("%.15G").
#include "core/discharge.h"

#include <benchmark/benchmark.h>

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <random>
#include <string>
#include <vector>

namespace {

const std::vector<std::string>& PeerTexts()
{
    static const std::vector<std::string> texts = [] {
        std::vector<std::string> all;
        for (const char* file : {"freetype-2-7.txt", "google-wuffs.txt", "lemire-fast-float.txt",
                                 "more-test-cases.txt", "tencent-rapidjson.txt"}) {
            std::ifstream in(std::string(SHARED_TESTDATA "/parse-number-fxx/") + file);
            for (std::string line; std::getline(in, line);)
                if (line.size() > 31)
                    all.push_back(line.substr(31));
        }
        return all;
    }();
    return texts;
}

const std::vector<double>& Doubles()
{
    static const std::vector<double> values = [] {
        std::mt19937_64 random(1000000);
        std::vector<double> all;
        while (all.size() < 1000000) {
            const double v = std::bit_cast<double>(random());
            if (std::isfinite(v))
                all.push_back(v);
        }
        return all;
    }();
    return values;
}

void FromChars(benchmark::State& state)
{
    for (auto _ : state)
        for (const std::string& text : PeerTexts()) {
            double value = 0;
            std::from_chars(text.data(), text.data() + text.size(), value);
            benchmark::DoNotOptimize(value);
        }
    state.SetItemsProcessed(state.iterations() * PeerTexts().size());
}

void TextToNumber(benchmark::State& state)
{
    for (auto _ : state)
        for (const std::string& text : PeerTexts())
            benchmark::DoNotOptimize(core::TextToNumber(text));
    state.SetItemsProcessed(state.iterations() * PeerTexts().size());
}

void ToChars15(benchmark::State& state)
{
    char buffer[32];
    for (auto _ : state)
        for (const double value : Doubles()) {
            auto result = std::to_chars(buffer, buffer + sizeof buffer, value,
                                        std::chars_format::general, 15);
            benchmark::DoNotOptimize(result);
            benchmark::ClobberMemory();
        }
    state.SetItemsProcessed(state.iterations() * Doubles().size());
}

void NumberToText(benchmark::State& state)
{
    for (auto _ : state)
        for (const double value : Doubles())
            benchmark::DoNotOptimize(core::NumberToText(value));
    state.SetItemsProcessed(state.iterations() * Doubles().size());
}

void Snprintf15G(benchmark::State& state)
{
    char buffer[32];
    for (auto _ : state)
        for (const double value : Doubles()) {
            benchmark::DoNotOptimize(std::snprintf(buffer, sizeof buffer, "%.15G", value));
            benchmark::ClobberMemory();
        }
    state.SetItemsProcessed(state.iterations() * Doubles().size());
}

} // namespace

BENCHMARK(FromChars)->Unit(benchmark::kMillisecond);
BENCHMARK(TextToNumber)->Unit(benchmark::kMillisecond);
BENCHMARK(ToChars15)->Unit(benchmark::kMillisecond);
BENCHMARK(NumberToText)->Unit(benchmark::kMillisecond);
BENCHMARK(Snprintf15G)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
