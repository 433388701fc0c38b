// The search window and the random bank over large inputs. A library of 10,000 elements, patches and
// performances in turn with 100 patch banks among them (22,700 names): Search with " Substring", Find
// Duplicate with every name distinct, and Find Duplicate with 1,000 pairs of equal names (2,000 results
// through the sort by name). Randomize Bank: 128 patches, Group Oriented, every box checked.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>

#include "app/Uerandom.h"
#include "app/Uesearch.h"
#include "model/Bank.h"
#include "model/Library.h"
#include "platform/rtl/Units.h"
#include "platform/vcl/PlatformUnits.h"
#include "platform/win/Windows.h"

namespace {

using namespace zel;

constexpr int Elements = 10000;
constexpr int Banks = 100;

// The library; with Pairs > 0 the first 2 x Pairs single elements carry Pairs names, each twice.
std::unique_ptr<TLibrary> LargeLibrary(int Pairs) {
    auto library = std::make_unique<TLibrary>();
    int singles = 0;
    for (int i = 0; i < Elements; ++i) {
        const bool bank = i % (Elements / Banks) == 50;
        const int type = bank ? etPatchBank : i % 2 == 0 ? etPatch : etPerformance;
        library->Elements.push_back(CreateElementOfType(type, library.get()));
        TLibElem& e = *library->Elements.back();
        if (bank) {
            auto& members = static_cast<TBank&>(e).Members;
            for (std::size_t m = 0; m < members.size(); ++m)
                members[m]->SetName("B" + std::to_string(i / 100) + "M" + std::to_string(m), false);
            e.SetName("Bank " + std::to_string(i), false);
            continue;
        }
        const int n = singles++;
        e.SetName(n < 2 * Pairs ? "Pair " + std::to_string(n / 2) : "E" + std::to_string(i), false);
    }
    return library;
}

class TSearchFixture {
public:
    explicit TSearchFixture(int Pairs) : library_(LargeLibrary(Pairs)) {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        Form.reset(Construct<TFormSearch>(nullptr));
    }
    void Run(bool Duplicates, const std::string& Text) {
        Form->Library = library_.get();
        Form->DuplicateMode = Duplicates;
        Form->FormShow(Form.get());
        Form->SearchString->SetText(Text);
        Form->Search();
    }
    std::unique_ptr<TFormSearch> Form;

private:
    std::unique_ptr<TLibrary> library_;
};

void BM_SearchSubstring(benchmark::State& state) {
    TUnitsScope units(PlatformUnits());
    TSearchFixture f(0);
    for (auto _ : state) f.Run(false, "M12");
    state.counters["results"] = static_cast<double>(f.Form->Results().size());
}
BENCHMARK(BM_SearchSubstring)->Unit(benchmark::kMillisecond);

void BM_FindDuplicateDistinctNames(benchmark::State& state) {
    TUnitsScope units(PlatformUnits());
    TSearchFixture f(0);
    for (auto _ : state) f.Run(true, "");
    state.counters["results"] = static_cast<double>(f.Form->Results().size());
}
BENCHMARK(BM_FindDuplicateDistinctNames)->Unit(benchmark::kMillisecond);

void BM_FindDuplicateThousandPairs(benchmark::State& state) {
    TUnitsScope units(PlatformUnits());
    TSearchFixture f(1000);
    for (auto _ : state) f.Run(true, "");
    state.counters["results"] = static_cast<double>(f.Form->Results().size());
}
BENCHMARK(BM_FindDuplicateThousandPairs)->Unit(benchmark::kMillisecond);

void BM_RandomizeBank(benchmark::State& state) {
    TUnitsScope units(PlatformUnits());
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    TLibrary library;
    library.Elements.push_back(CreateElementOfType(etPatchBank, &library));
    std::unique_ptr<TFormRandom> form(Construct<TFormRandom>(nullptr));
    form->SourceBank = static_cast<TBank*>(library.Elements.back().get());
    form->FormShow(form.get());
    for (auto _ : state) form->RandomizeBank();
}
BENCHMARK(BM_RandomizeBank)->Unit(benchmark::kMillisecond);

}  // namespace
