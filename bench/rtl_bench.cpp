#include <benchmark/benchmark.h>

#include <unistd.h>

#include <filesystem>
#include <string>

#include "platform/rtl/Charset.h"
#include "platform/rtl/IniFiles.h"
#include "platform/rtl/SafeFile.h"
#include "platform/rtl/Streams.h"
#include "platform/rtl/SysUtils.h"

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

// The reads of a start-up (a hundred keys) from a settings file grown to 59 MB of other sections: the file
// is read once, not once per key.
void BM_IniReadsOfALargeFile(benchmark::State& state) {
    const std::string path =
        (std::filesystem::temp_directory_path() / ("zelmovi_bench_" + std::to_string(::getpid()) + ".ini")).string();
    {
        std::string text = "[Midi]\r\nDeviceID=17\r\n";
        for (int i = 0; text.size() < 59'000'000; ++i)
            text += "[Other " + std::to_string(i) + "]\r\nSome Key=some value of a key\r\nLeft=10\r\n";
        text += "[Desktop]\r\nNum Library=0\r\n";
        zel::SafeWriteFile(
            path, [&text](zel::TStream& out) { out.WriteBuffer(text.data(), static_cast<std::int64_t>(text.size())); });
    }
    for (auto _ : state) {
        zel::TIniFile ini(path);
        int sum = 0;
        for (int i = 0; i < 100; ++i) sum += ini.ReadInteger(i % 2 == 0 ? "Midi" : "Desktop", "DeviceID", i);
        benchmark::DoNotOptimize(sum);
    }
    std::filesystem::remove(path);
}
BENCHMARK(BM_IniReadsOfALargeFile)->Unit(benchmark::kMillisecond);

}  // namespace
