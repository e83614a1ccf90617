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
            std::ifstream in(std::string(PEER_DATA "/") + file);
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

// Runs `convert` on every item of `items`, once an iteration.
template <typename Items, typename Convert>
void Over(benchmark::State& state, const Items& items, Convert convert)
{
    for (auto _ : state)
        for (const auto& item : items) {
            benchmark::DoNotOptimize(convert(item));
            benchmark::ClobberMemory();
        }
    state.SetItemsProcessed(state.iterations() * items.size());
}

void FromChars(benchmark::State& state)
{
    Over(state, PeerTexts(), [](const std::string& text) {
        double value = 0;
        std::from_chars(text.data(), text.data() + text.size(), value);
        return value;
    });
}

void TextToNumber(benchmark::State& state)
{
    Over(state, PeerTexts(), [](const std::string& text) { return core::TextToNumber(text); });
}

char buffer[32];

void ToChars15(benchmark::State& state)
{
    Over(state, Doubles(), [](double value) {
        return std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15)
            .ptr;
    });
}

void NumberToText(benchmark::State& state)
{
    Over(state, Doubles(), [](double value) { return core::NumberToText(value); });
}

void Snprintf15G(benchmark::State& state)
{
    Over(state, Doubles(),
         [](double value) { return std::snprintf(buffer, sizeof buffer, "%.15G", value); });
}

} // namespace

BENCHMARK(FromChars)->Unit(benchmark::kMillisecond);
BENCHMARK(TextToNumber)->Unit(benchmark::kMillisecond);
BENCHMARK(ToChars15)->Unit(benchmark::kMillisecond);
BENCHMARK(NumberToText)->Unit(benchmark::kMillisecond);
BENCHMARK(Snprintf15G)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
