#include <benchmark/benchmark.h>

#include "platform/rtl/Charset.h"
#include "platform/rtl/SysUtils.h"

#include <string>

namespace {

void BM_AnsiToUtf8(benchmark::State& state) {
    std::string text;
    for (int i = 0; i < 4096; ++i) text += static_cast<char>(32 + i % 224);
    for (auto _ : state) benchmark::DoNotOptimize(zel::AnsiToUtf8(text));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_AnsiToUtf8);

void BM_CompareText(benchmark::State& state) {
    const std::string a = "Fantasia JV 1080", b = "FANTASIA jv 1081";
    for (auto _ : state) benchmark::DoNotOptimize(zel::CompareText(a, b));
}
BENCHMARK(BM_CompareText);

}  // namespace
