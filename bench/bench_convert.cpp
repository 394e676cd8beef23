// Conversions per second of the integer and real rules on short typical texts.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <string_view>

#include "io/number/convert.h"

namespace {

constexpr std::string_view kRealTexts[] = {"12345.678", "-0.001", "1.5E-3"};
constexpr std::string_view kIntegerTexts[] = {"12345", "-1000", "16#7FFF"};

void convertRealSingle(benchmark::State& state) {
    const std::string_view text = kRealTexts[state.range(0)];
    float item = 0;
    for (auto _ : state) {
        io::convertReal(text, 0, 0, io::ItemKind::Real4, &item);
        benchmark::DoNotOptimize(item);
    }
    state.SetLabel(std::string(text));
    state.counters["conversions/s"] = benchmark::Counter(static_cast<double>(state.iterations()),
                                                         benchmark::Counter::kIsRate);
}
BENCHMARK(convertRealSingle)->DenseRange(0, 2);

void convertRealDouble(benchmark::State& state) {
    const std::string_view text = kRealTexts[state.range(0)];
    double item = 0;
    for (auto _ : state) {
        io::convertReal(text, 0, 0, io::ItemKind::Real8, &item);
        benchmark::DoNotOptimize(item);
    }
    state.SetLabel(std::string(text));
    state.counters["conversions/s"] = benchmark::Counter(static_cast<double>(state.iterations()),
                                                         benchmark::Counter::kIsRate);
}
BENCHMARK(convertRealDouble)->DenseRange(0, 2);

void convertInteger(benchmark::State& state) {
    const std::string_view text = kIntegerTexts[state.range(0)];
    std::int32_t item = 0;
    for (auto _ : state) {
        io::storeInteger(io::convertInteger(text), io::ItemKind::Integer4, &item);
        benchmark::DoNotOptimize(item);
    }
    state.SetLabel(std::string(text));
    state.counters["conversions/s"] = benchmark::Counter(static_cast<double>(state.iterations()),
                                                         benchmark::Counter::kIsRate);
}
BENCHMARK(convertInteger)->DenseRange(0, 2);

}  // namespace
