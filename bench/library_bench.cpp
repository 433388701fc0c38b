// Writing and reading a library of 10,000 patches, refusing 200 MB files that are no library or
// global, and sorting a library in no order by each key. Besides the time, the loads report the heap
// they take: the peak above what was in use before, and for the library what it keeps, both against the
// file's size. The heap is measured by counting every allocation of this program.
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <new>
#include <random>
#include <string>

#include "model/Global.h"
#include "model/Library.h"
#include "model/Patch.h"

namespace {

std::atomic<std::int64_t> gHeapInUse{0};
std::atomic<std::int64_t> gHeapPeak{0};

void* CountedAlloc(std::size_t size) {
    void* p = std::malloc(size == 0 ? 1 : size);
    if (p == nullptr) throw std::bad_alloc();
    const std::int64_t now = gHeapInUse += static_cast<std::int64_t>(malloc_usable_size(p));
    std::int64_t peak = gHeapPeak.load();
    while (now > peak && !gHeapPeak.compare_exchange_weak(peak, now)) {
    }
    return p;
}

void CountedFree(void* p) {
    if (p == nullptr) return;
    gHeapInUse -= static_cast<std::int64_t>(malloc_usable_size(p));
    std::free(p);
}

}  // namespace

void* operator new(std::size_t size) { return CountedAlloc(size); }
void* operator new[](std::size_t size) { return CountedAlloc(size); }
void operator delete(void* p) noexcept { CountedFree(p); }
void operator delete[](void* p) noexcept { CountedFree(p); }
void operator delete(void* p, std::size_t) noexcept { CountedFree(p); }
void operator delete[](void* p, std::size_t) noexcept { CountedFree(p); }

namespace {

constexpr int PatchCount = 10000;

std::string LibraryPath() {
    return (std::filesystem::temp_directory_path() / ("zelmovi_bench_" + std::to_string(::getpid()) + ".Lib")).string();
}

// A library of PatchCount patches with varied data, names, slots and file names.
void FillLibrary(zel::TLibrary& library) {
    unsigned x = 12345;
    for (int i = 0; i < PatchCount; ++i) {
        auto patch = std::make_unique<zel::TPatch>(&library);
        for (int t = 1; t <= zel::ToneCount; ++t) {
            std::uint8_t* d = patch->Tone(t).Data();
            for (std::size_t k = 0; k < zel::TTone::DataSize; ++k) {
                x = x * 1103515245u + 12345u;
                d[k] = static_cast<std::uint8_t>((x >> 16) & 0x7F);
            }
        }
        patch->SetName("Patch " + std::to_string(i), false);
        patch->Temporary = 0;
        patch->User = static_cast<std::uint8_t>(i % 2);
        patch->Number = static_cast<std::int16_t>(1 + i % 128);
        patch->FileName = "/home/user/Documents/Sounds/Patch " + std::to_string(i) + ".Syx";
        library.Elements.push_back(std::move(patch));
    }
    library.Notes.Add("Ten thousand patches for the benchmark");
}

void BM_WriteLibrary(benchmark::State& state) {
    zel::TLibrary library;
    FillLibrary(library);
    const std::string path = LibraryPath();
    for (auto _ : state) library.SaveToFile(path);
    const auto size = static_cast<std::int64_t>(std::filesystem::file_size(path));
    state.SetBytesProcessed(state.iterations() * size);
    state.counters["file_MB"] = static_cast<double>(size) / 1e6;
    std::filesystem::remove(path);
}
BENCHMARK(BM_WriteLibrary)->Unit(benchmark::kMillisecond);

void BM_LoadLibrary(benchmark::State& state) {
    const std::string path = LibraryPath();
    {
        zel::TLibrary library;
        FillLibrary(library);
        library.SaveToFile(path);
    }
    const auto size = static_cast<std::int64_t>(std::filesystem::file_size(path));
    std::int64_t peak = 0;
    std::int64_t kept = 0;
    for (auto _ : state) {
        zel::TLibrary library;
        const std::int64_t before = gHeapInUse.load();
        gHeapPeak = before;
        library.LoadFromFile(path);
        peak = gHeapPeak.load() - before;
        kept = gHeapInUse.load() - before;
        benchmark::DoNotOptimize(library.Elements.data());
        state.PauseTiming();
        library.Elements.clear();  // freeing is not part of the load
        state.ResumeTiming();
    }
    state.SetBytesProcessed(state.iterations() * size);
    state.counters["file_MB"] = static_cast<double>(size) / 1e6;
    state.counters["peak_MB"] = static_cast<double>(peak) / 1e6;
    state.counters["kept_MB"] = static_cast<double>(kept) / 1e6;
    state.counters["peak_per_file"] = static_cast<double>(peak) / static_cast<double>(size);
    std::filesystem::remove(path);
}
BENCHMARK(BM_LoadLibrary)->Unit(benchmark::kMillisecond);

// A sort of n elements by one key from a shuffled order (the same order each time): names, types and dates
// all varied, with some names and types shared.
void BM_SortShuffled(benchmark::State& state) {
    const int key = static_cast<int>(state.range(0));
    const int n = static_cast<int>(state.range(1));
    zel::TLibrary library;
    std::mt19937 random(26);
    for (int i = 0; i < n; ++i) {
        auto patch = std::make_unique<zel::TPatch>(&library);
        patch->SetName("Patch " + std::to_string(random() % static_cast<unsigned>(n)), false);
        patch->ElemType = static_cast<zel::ElementType>(random() % 8);
        patch->ModifiedDate = 40000 + random() % 1000;
        patch->ModifiedTime = (random() % 86400) / 86400.0;
        patch->CreatedDate = 39000 + random() % 1000;
        patch->CreatedTime = (random() % 86400) / 86400.0;
        library.Elements.push_back(std::move(patch));
    }
    for (auto _ : state) {
        state.PauseTiming();
        std::mt19937 order(7);
        std::shuffle(library.Elements.begin(), library.Elements.end(), order);
        state.ResumeTiming();
        library.Sort(key);
    }
    state.SetItemsProcessed(state.iterations() * n);
}
BENCHMARK(BM_SortShuffled)
    ->ArgNames({"key", "n"})
    ->ArgsProduct({{zel::skModified, zel::skName, zel::skType, zel::skCreated}, {100, 1000, 10000}})
    ->Unit(benchmark::kMillisecond);

// 200 MB that read as zeros (a sparse file: no disk is written), loaded as a library (refused by its
// notes: an empty line per two bytes) and as a global after a valid global's record (refused from its
// size).
enum TRefusedKind { rkLibraryOfZeros, rkGlobalThenZeros };

void BM_RefuseLargeFile(benchmark::State& state) {
    constexpr std::int64_t Size = std::int64_t{200} << 20;
    const auto kind = static_cast<TRefusedKind>(state.range(0));
    const std::string path = LibraryPath();
    {
        zel::TMemoryStream head;
        if (kind == rkGlobalThenZeros) zel::TGlobal(nullptr).WriteLibRecord(head);
        head.SaveToFile(path);
        if (::truncate(path.c_str(), static_cast<off_t>(Size)) != 0) {
            state.SkipWithError("cannot make the file");
            return;
        }
    }
    std::int64_t peak = 0;
    for (auto _ : state) {
        const std::int64_t before = gHeapInUse.load();
        gHeapPeak = before;
        try {
            switch (kind) {
                case rkLibraryOfZeros: zel::TLibrary().LoadFromFile(path); break;
                case rkGlobalThenZeros: zel::TGlobal(nullptr).LoadGlobalFile(path); break;
            }
        } catch (const zel::EInOutError&) {
        }
        peak = gHeapPeak.load() - before;
    }
    state.counters["file_MB"] = static_cast<double>(Size) / 1e6;
    state.counters["peak_MB"] = static_cast<double>(peak) / 1e6;
    std::filesystem::remove(path);
}
BENCHMARK(BM_RefuseLargeFile)
    ->ArgName("kind")
    ->Arg(rkLibraryOfZeros)
    ->Arg(rkGlobalThenZeros)
    ->Unit(benchmark::kMillisecond);

}  // namespace
