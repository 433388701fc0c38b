// The editor library's engines where work grows with the input: a classic mask over long input, and the
// tagged variant stream over long arrays.
#include <benchmark/benchmark.h>

#include <string>

#include "platform/rtl/Streams.h"
#include "uilib/editors/uiStandardMask.h"
#include "uilib/editors/uiVariants.h"

namespace {

using namespace zel;

// A mask of N positions: groups of four digits between dashes.
std::string LongMask(int positions) {
    std::string mask;
    for (int i = 0; i < positions; ++i) mask += (i % 5 == 4) ? '-' : '0';
    return mask + ";1;_";
}

void BM_StandardMaskFormat(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    TuiStandardMask mask;
    mask.Compile(LongMask(n));
    std::string digits;
    for (int i = 0; i < n; ++i) digits += static_cast<char>('0' + i % 10);
    for (auto _ : state) {
        std::string text = digits;
        mask.Format(text);
        benchmark::DoNotOptimize(text);
    }
    state.SetComplexityN(n);
}
BENCHMARK(BM_StandardMaskFormat)->Arg(100)->Arg(1000)->Arg(10000)->Complexity();

void BM_StandardMaskIsFullValid(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    TuiStandardMask mask;
    mask.Compile(LongMask(n));
    std::string text;
    for (int i = 0; i < n; ++i) text += (i % 5 == 4) ? '-' : '7';
    mask.Format(text);
    for (auto _ : state) {
        std::string copy = text;
        benchmark::DoNotOptimize(mask.IsFullValid(copy));
    }
    state.SetComplexityN(n);
}
BENCHMARK(BM_StandardMaskIsFullValid)->Arg(100)->Arg(1000)->Arg(10000)->Complexity();

void BM_VariantStreamRoundTrip(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    Variant array = Variant::Array({{0, n}});
    for (int i = 0; i < n; ++i) array.Element(i) = (i % 2 == 0) ? Variant(i * 1000) : Variant("value");
    for (auto _ : state) {
        TMemoryStream s;
        WriteStreamVariant(s, array);
        s.SetPosition(0);
        Variant back;
        ReadStreamVariant(s, back);
        benchmark::DoNotOptimize(back);
    }
    state.SetComplexityN(n);
}
BENCHMARK(BM_VariantStreamRoundTrip)->Arg(100)->Arg(1000)->Arg(10000)->Complexity();

}  // namespace

// ---- the editors' gallery

#include "EditorGallery.h"
#include "platform/vcl/PlatformUnits.h"
#include "platform/win/UxTheme.h"
#include "platform/win/Windows.h"
#include "uilib/editors/uiEditorsUnits.h"

namespace {

// A full repaint of the gallery (every container of every row) with every container in one look: the
// native look through the test theme provider.
void BM_RepaintEditorGallery(benchmark::State& state) {
    const zel::test::TGalleryLook look = zel::test::GalleryLooks()[static_cast<std::size_t>(state.range(0))];
    zel::TTestThemeProvider provider;
    if (look.Native) zel::InstallThemeProvider(&provider);
    {
        zel::TUnitsScope units(zel::uiEditorsUnitList());
        zel::test::TEditorGalleryForm* form = zel::test::NewEditorGallery();
        for (zel::TuiContainer* c : form->Containers) {
            c->Style()->GetLookAndFeel()->SetKind(look.Kind);
            c->Style()->GetLookAndFeel()->SetNativeStyle(look.Native);
        }
        form->Show();
        zel::ProcessPendingMessages();
        for (auto _ : state) {
            zel::RedrawWindow(form->GetHandle(), nullptr, nullptr,
                              zel::RDW_INVALIDATE | zel::RDW_ALLCHILDREN | zel::RDW_UPDATENOW);
            benchmark::DoNotOptimize(form->Containers.front()->ViewInfo()->BorderRect);
        }
        state.SetLabel(look.Name);
        delete form;
        zel::ProcessPendingMessages();
    }
    zel::InstallThemeProvider(nullptr);
}
BENCHMARK(BM_RepaintEditorGallery)->DenseRange(0, 4)->Unit(benchmark::kMillisecond);

}  // namespace
