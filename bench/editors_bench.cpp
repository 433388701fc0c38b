// The editor library's engines where work grows with the input: a classic mask over long input, the
// regular-expression mask engine stepping long input character by character and checking it whole, and
// the tagged variant stream over long arrays.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "platform/rtl/Streams.h"
#include "platform/rtl/SysUtils.h"
#include "uilib/editors/uiFormats.h"
#include "uilib/editors/uiRegExpr.h"
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

void Compile(TuiRegExpr& engine, const std::string& mask) {
    TMemoryStream source;
    source.WriteBuffer(mask.data(), static_cast<std::int64_t>(mask.size()));
    engine.Compile(&source);
}

// Steps N characters one at a time, as typing does, from a restart; the time per character is the figure
// (items per second), which must not grow with N.
void StepThrough(benchmark::State& state, const std::string& mask, const std::string& text) {
    TuiRegExpr engine;
    Compile(engine, mask);
    for (auto _ : state) {
        engine.Restart();
        for (char c : text) {
            char ch = c;
            if (!engine.Step(ch)) state.SkipWithError("character refused");
        }
        benchmark::DoNotOptimize(engine.IsAccepting());
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(text.size()));
    state.SetComplexityN(static_cast<std::int64_t>(text.size()));
}

void BM_RegExprStepRepeatedGroup(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    std::string text;
    for (int i = 0; i < n; ++i)
        text += (i % 3 == 0) ? static_cast<char>('a' + i % 26) : static_cast<char>('0' + i % 10);
    StepThrough(state, "(\\w|\\d)+", text);
}
BENCHMARK(BM_RegExprStepRepeatedGroup)->Arg(100)->Arg(1000)->Arg(10000)->Complexity();

// The date mask of the format controller (day-first dates with the smart-date words), repeated with a
// space between dates so that one mask takes any number of characters.
void BM_RegExprStepDateMask(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    const TFormatSettings saved = FormatSettings;
    FormatSettings = TFormatSettings{};
    TuiDateTimeFormatInfo info;
    GetDateTimeFormatInfo(FormatSettings.ShortDateFormat, info);
    const std::string mask = "((" + ExtendMaskWithSmartDateWords(GetRegExprMask(info, false), false) + ")' ')+";
    const char* dates[] = {"25/12/2024 ", "1/2/1999 ", "today+3 ", "31/Jan/2000 "};
    std::string text;
    for (int i = 0; static_cast<int>(text.size()) < n; ++i) text += dates[i % 4];
    text.resize(static_cast<std::size_t>(n));
    StepThrough(state, mask, text);
    FormatSettings = saved;
}
BENCHMARK(BM_RegExprStepDateMask)->Arg(100)->Arg(1000)->Arg(10000)->Complexity();

// A whole-value check of a 1,000-character input: the plain engine (every character stepped, then the end
// state), the engine that inserts the forced characters itself (only the digits are typed), and the filter.
const std::string kGroupsMask = "(\\d\\d\\d\\d-)+";

std::string Groups(int characters, bool withDashes) {
    std::string text;
    for (int i = 0; static_cast<int>(text.size()) < characters; ++i) {
        text += static_cast<char>('0' + i % 10);
        if (withDashes && i % 4 == 3) text += '-';
    }
    return text;
}

// From a restart, every character taken and the end state final.
bool TypeWhole(TuiRegExpr& engine, const std::string& text) {
    engine.Restart();
    for (char c : text) {
        char ch = c;
        if (!engine.Step(ch)) return false;
    }
    return engine.IsAccepting();
}

void BM_RegExprIsFullValid1000(benchmark::State& state) {
    TuiRegExpr engine;
    Compile(engine, kGroupsMask);
    const std::string text = Groups(1000, true);
    for (auto _ : state) benchmark::DoNotOptimize(TypeWhole(engine, text));
}
BENCHMARK(BM_RegExprIsFullValid1000);

void BM_RegExprForcedIsFullValid1000(benchmark::State& state) {
    TuiRegExpr engine;
    int forced = 0;
    engine.OnForcedCharAdded = [&forced](char) { ++forced; };
    engine.SetAutoLiterals(true);
    Compile(engine, kGroupsMask);
    const std::string digits = Groups(800, false);
    for (auto _ : state) benchmark::DoNotOptimize(TypeWhole(engine, digits));
    if (forced / static_cast<int>(state.iterations()) < 199) state.SkipWithError("dashes not inserted");
}
BENCHMARK(BM_RegExprForcedIsFullValid1000);

void BM_RegExprFilter1000(benchmark::State& state) {
    TuiRegExpr engine;
    Compile(engine, kGroupsMask);
    std::string text = Groups(1000, true);
    for (std::size_t i = 7; i < text.size(); i += 50) text[i] = 'x';  // refused characters along the way
    for (auto _ : state) {
        engine.Restart();
        benchmark::DoNotOptimize(engine.Filter(text));
    }
}
BENCHMARK(BM_RegExprFilter1000);

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

#include "EditButtonGallery.h"
#include "EditorGallery.h"
#include "platform/vcl/PlatformUnits.h"
#include "platform/win/UxTheme.h"
#include "platform/win/Windows.h"
#include "uilib/editors/uiEditControl.h"
#include "uilib/editors/uiEditorsUnits.h"

namespace {

// The editors' units started, with the test theme provider installed first when themed (the native look),
// and both ended in the reverse order.
class TThemedEditorUnits {
public:
    explicit TThemedEditorUnits(bool Themed) {
        if (Themed) zel::InstallThemeProvider(&provider_);
        units_ = std::make_unique<zel::TUnitsScope>(zel::uiEditorsUnitList());
    }
    ~TThemedEditorUnits() {
        units_.reset();
        zel::InstallThemeProvider(nullptr);
    }
    TThemedEditorUnits(const TThemedEditorUnits&) = delete;
    TThemedEditorUnits& operator=(const TThemedEditorUnits&) = delete;

private:
    zel::TTestThemeProvider provider_;
    std::unique_ptr<zel::TUnitsScope> units_;
};

// A full repaint of the gallery (every container of every row) with every container in one look: the
// native look through the test theme provider.
void BM_RepaintEditorGallery(benchmark::State& state) {
    const zel::test::TGalleryLook look = zel::test::GalleryLooks()[static_cast<std::size_t>(state.range(0))];
    const TThemedEditorUnits units(look.Native);
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
BENCHMARK(BM_RepaintEditorGallery)->DenseRange(0, 4)->Unit(benchmark::kMillisecond);

// A full repaint of one 121 x 21 editor with one ellipsis button, in one look.
void BM_RepaintEditorWithButton(benchmark::State& state) {
    const zel::test::TGalleryLook look = zel::test::GalleryLooks()[static_cast<std::size_t>(state.range(0))];
    const TThemedEditorUnits units(look.Native);
    auto* form = zel::Construct<zel::test::TEditorGalleryForm>(nullptr);
    auto* edit = zel::Construct<zel::TuiCustomEdit>(form);
    edit->SetParent(form);
    edit->SetBounds(8, 8, 121, 21);
    edit->Style()->GetLookAndFeel()->SetKind(look.Kind);
    edit->Style()->GetLookAndFeel()->SetNativeStyle(look.Native);
    edit->Properties()->Buttons()->Add()->SetKind(zel::bkEllipsis);
    form->Show();
    zel::ProcessPendingMessages();
    for (auto _ : state) {
        zel::RedrawWindow(edit->GetHandle(), nullptr, nullptr,
                          zel::RDW_INVALIDATE | zel::RDW_ALLCHILDREN | zel::RDW_UPDATENOW);
        benchmark::DoNotOptimize(edit->EditViewInfo()->ButtonsInfo.front().Bounds);
    }
    state.SetLabel(look.Name);
    delete form;
    zel::ProcessPendingMessages();
}
BENCHMARK(BM_RepaintEditorWithButton)->DenseRange(0, 4)->Unit(benchmark::kMicrosecond);

// A full repaint of the button gallery: 30 editors with four buttons each, in every style and look.
// Shows the gallery, repaints the whole of it once per iteration, and frees it.
void RepaintGallery(benchmark::State& state, zel::test::TEditorGalleryForm* form) {
    form->Show();
    zel::ProcessPendingMessages();
    for (auto _ : state) {
        zel::RedrawWindow(form->GetHandle(), nullptr, nullptr,
                          zel::RDW_INVALIDATE | zel::RDW_ALLCHILDREN | zel::RDW_UPDATENOW);
        benchmark::DoNotOptimize(form->Containers.front()->ViewInfo()->BorderRect);
    }
    delete form;
    zel::ProcessPendingMessages();
}

void BM_RepaintEditorButtonGallery(benchmark::State& state) {
    zel::TUnitsScope units(zel::uiEditorsUnitList());
    RepaintGallery(state, zel::test::NewButtonGallery());
}
BENCHMARK(BM_RepaintEditorButtonGallery)->Unit(benchmark::kMillisecond);

}  // namespace

// ---- the text editor under long texts

#include "TextEditGallery.h"
#include "platform/win/Clipboard.h"
#include "uilib/editors/uiTextEdit.h"

namespace {

// A shown form with one focused text editor holding n characters of varied widths.
struct TTextEditStage {
    zel::TUnitsScope units{zel::uiEditorsUnitList()};
    zel::test::TEditorGalleryForm* form = nullptr;
    zel::TuiTextEdit* edit = nullptr;
    HWND inner = nullptr;
    explicit TTextEditStage(int n) {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        form = zel::Construct<zel::test::TEditorGalleryForm>(nullptr);
        form->SetBounds(0, 0, 300, 100);
        edit = zel::Construct<zel::TuiTextEdit>(form);
        edit->SetParent(form);
        edit->SetBounds(10, 10, 200, 21);
        std::string text;
        for (int i = 0; i < n; ++i) text += "F0 41 10 6A Wim "[i % 16];
        edit->SetEditValue(zel::Variant(text));
        form->Show();
        edit->SetFocus();
        zel::ProcessPendingMessages();
        inner = edit->InnerEdit()->GetHandle();
    }
    ~TTextEditStage() {
        delete form;
        zel::ProcessPendingMessages();
    }
    TTextEditStage(const TTextEditStage&) = delete;
    TTextEditStage& operator=(const TTextEditStage&) = delete;
    void PutCaret(int pos) {
        zel::SendMessage(inner, zel::EM_SETSEL, static_cast<zel::WPARAM>(pos), pos);
        zel::UpdateWindow(inner);
    }
};

// One keystroke (key down, character, key up) with the repaint: a character typed, then erased again
// with Backspace, so that the text keeps its length.
void TextEditKeystrokes(benchmark::State& state, bool middle) {
    const int n = static_cast<int>(state.range(0));
    TTextEditStage s(n);
    s.PutCaret(middle ? n / 2 : n);
    bool typed = false;
    for (auto _ : state) {
        const zel::WPARAM key = typed ? zel::VK_BACK : 'X';
        zel::SendMessage(s.inner, zel::WM_KEYDOWN, key, 0);
        zel::SendMessage(s.inner, zel::WM_CHAR, typed ? zel::VK_BACK : 'x', 0);
        zel::SendMessage(s.inner, zel::WM_KEYUP, key, 0);
        zel::UpdateWindow(s.inner);
        typed = !typed;
    }
    if (static_cast<int>(s.edit->GetDisplayText().size()) != n + (typed ? 1 : 0))
        state.SkipWithError("keystrokes lost");
    state.SetItemsProcessed(state.iterations());
}

void BM_TextEditKeystrokeAtEnd(benchmark::State& state) { TextEditKeystrokes(state, false); }
BENCHMARK(BM_TextEditKeystrokeAtEnd)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);

void BM_TextEditKeystrokeInMiddle(benchmark::State& state) { TextEditKeystrokes(state, true); }
BENCHMARK(BM_TextEditKeystrokeInMiddle)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);

// A click in the editor, scrolled to the middle of the text, that places the caret, with the repaint.
void BM_TextEditClick(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    TTextEditStage s(n);
    s.PutCaret(n / 2);
    int i = 0;
    for (auto _ : state) {
        const zel::LPARAM at = zel::MAKELPARAM(static_cast<zel::WORD>(40 + (i++ % 100)), 8);
        zel::SendMessage(s.inner, zel::WM_LBUTTONDOWN, zel::MK_LBUTTON, at);
        zel::SendMessage(s.inner, zel::WM_LBUTTONUP, 0, at);
        zel::UpdateWindow(s.inner);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_TextEditClick)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);

// A paste of 100,000 characters over the whole text (Ctrl+V's message), with the repaint.
void BM_TextEditPaste100k(benchmark::State& state) {
    TTextEditStage s(100);
    const std::string clip(100000, 'q');
    zel::OpenClipboard(nullptr);
    zel::EmptyClipboard();
    zel::HGLOBAL mem = zel::GlobalAlloc(zel::GMEM_MOVEABLE, clip.size() + 1);
    auto* p = static_cast<char*>(zel::GlobalLock(mem));
    std::copy(clip.begin(), clip.end(), p);
    p[clip.size()] = '\0';
    zel::GlobalUnlock(mem);
    zel::SetClipboardData(zel::CF_TEXT, mem);
    zel::CloseClipboard();
    for (auto _ : state) {
        zel::SendMessage(s.inner, zel::EM_SETSEL, 0, -1);
        zel::SendMessage(s.inner, zel::WM_PASTE, 0, 0);
        zel::UpdateWindow(s.inner);
    }
    if (s.edit->GetDisplayText().size() != clip.size()) state.SkipWithError("paste lost");
}
BENCHMARK(BM_TextEditPaste100k)->Unit(benchmark::kMillisecond);

// A full repaint of the text editors' gallery: four states in five looks.
void BM_RepaintTextEditGallery(benchmark::State& state) {
    const TThemedEditorUnits units(true);
    RepaintGallery(state, zel::test::NewTextEditGallery());
}
BENCHMARK(BM_RepaintTextEditGallery)->Unit(benchmark::kMillisecond);

}  // namespace

// ---- the masked editor

#include "MaskEditGallery.h"
#include "support/vcl/ClipboardText.h"
#include "uilib/editors/uiMaskEdit.h"

namespace {

// A shown form with one focused masked editor holding a text, the library started on the manual clock.
struct TMaskEditStage {
    zel::TManualClockScope clock;
    zel::TUnitsScope units{zel::uiEditorsUnitList()};
    zel::test::TEditorGalleryForm* form = nullptr;
    zel::TuiMaskEdit* edit = nullptr;
    zel::HWND inner = nullptr;
    TMaskEditStage(zel::TuiEditMaskKind kind, const std::string& mask, const std::string& value) {
        form = zel::Construct<zel::test::TEditorGalleryForm>(nullptr);
        form->SetBounds(0, 0, 300, 100);
        edit = zel::test::NewMaskEdit(form, 10, 10, kind, mask);
        edit->SetWidth(200);
        edit->SetEditValue(zel::Variant(value));
        form->Show();
        edit->SetFocus();
        zel::ProcessPendingMessages();
        inner = edit->InnerEdit()->GetHandle();
    }
    ~TMaskEditStage() {
        delete form;
        zel::ProcessPendingMessages();
    }
    void PutCaret(int pos) {
        zel::SendMessage(inner, zel::EM_SETSEL, static_cast<zel::WPARAM>(pos), pos);
        // A caret put from outside: the mode takes it as placed by the mouse.
        edit->Mode()->MouseCaretMoved();
        zel::UpdateWindow(inner);
    }
    // One keystroke as the queue delivers it: key down, its character, key up, then the repaint.
    void Key(zel::WORD key, char ch) {
        zel::SendMessage(inner, zel::WM_KEYDOWN, key, 0);
        if (ch != 0) zel::SendMessage(inner, zel::WM_CHAR, static_cast<unsigned char>(ch), 0);
        zel::SendMessage(inner, zel::WM_KEYUP, key, 0);
        zel::UpdateWindow(inner);
    }
};

std::string WordsAndDigits(int n) {
    std::string text;
    for (int i = 0; i < n; ++i)
        text += (i % 3 == 0) ? static_cast<char>('a' + i % 26) : static_cast<char>('0' + i % 10);
    return text;
}

// Each iteration is one keystroke: a character typed, then erased with Backspace, so the text keeps its
// length. Typing in the middle steps the text after the caret to see that it still fits.
void MaskKeystrokes(benchmark::State& state, bool middle) {
    const int n = static_cast<int>(state.range(0));
    TMaskEditStage s(zel::emkRegExpr, "(\\w|\\d)+", WordsAndDigits(n));
    s.PutCaret(middle ? n / 2 : n);
    bool typed = false;
    for (auto _ : state) {
        if (typed) s.Key(zel::VK_BACK, zel::VK_BACK);
        else s.Key('A', 'a');
        typed = !typed;
    }
    if (static_cast<int>(s.edit->GetDisplayText().size()) != n + (typed ? 1 : 0))
        state.SkipWithError("keystrokes lost");
    state.SetItemsProcessed(state.iterations());
}

void BM_MaskEditRegExprKeystrokeAtEnd(benchmark::State& state) { MaskKeystrokes(state, false); }
BENCHMARK(BM_MaskEditRegExprKeystrokeAtEnd)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);

void BM_MaskEditRegExprKeystrokeInMiddle(benchmark::State& state) { MaskKeystrokes(state, true); }
BENCHMARK(BM_MaskEditRegExprKeystrokeInMiddle)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);

// A standard mask of 1,000 positions (groups of four digits between dashes): a digit typed over a blank,
// then Backspace blanks it again.
void StandardKeystrokes(benchmark::State& state, bool middle) {
    std::string mask;
    for (int i = 0; i < 1000; ++i) mask += (i % 5 == 4) ? '-' : '0';
    TMaskEditStage s(zel::emkStandard, mask, "");
    const int pos = middle ? 500 : 995;
    s.PutCaret(pos);
    bool typed = false;
    for (auto _ : state) {
        if (typed) s.Key(zel::VK_BACK, zel::VK_BACK);
        else s.Key('7', '7');
        typed = !typed;
    }
    if (s.edit->GetDisplayText().size() != 1000) state.SkipWithError("the mask lost its length");
    state.SetItemsProcessed(state.iterations());
}

void BM_MaskEditStandardKeystrokeAtEnd(benchmark::State& state) { StandardKeystrokes(state, false); }
BENCHMARK(BM_MaskEditStandardKeystrokeAtEnd)->Unit(benchmark::kMicrosecond);

void BM_MaskEditStandardKeystrokeInMiddle(benchmark::State& state) { StandardKeystrokes(state, true); }
BENCHMARK(BM_MaskEditStandardKeystrokeInMiddle)->Unit(benchmark::kMicrosecond);

// A click in the expression mode, then the Right arrow that re-steps the text before the new caret.
void BM_MaskEditRegExprClickThenKey(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    TMaskEditStage s(zel::emkRegExpr, "(\\w|\\d)+", WordsAndDigits(n));
    s.PutCaret(n / 2);
    int i = 0;
    for (auto _ : state) {
        const zel::LPARAM at = zel::MAKELPARAM(static_cast<zel::WORD>(40 + (i++ % 100)), 10);
        zel::SendMessage(s.inner, zel::WM_LBUTTONDOWN, zel::MK_LBUTTON, at);
        zel::SendMessage(s.inner, zel::WM_LBUTTONUP, 0, at);
        s.Key(zel::VK_RIGHT, 0);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_MaskEditRegExprClickThenKey)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);

// A paste of 100,000 characters over the whole text, through the clipboard, in each mask kind.
void BM_MaskEditPaste100000(benchmark::State& state) {
    const auto kind = static_cast<zel::TuiEditMaskKind>(state.range(0));
    std::string mask;
    if (kind == zel::emkStandard) {
        for (int i = 0; i < 1000; ++i) mask += (i % 5 == 4) ? '-' : '0';
    } else {
        mask = "(\\w|\\d)+";
    }
    TMaskEditStage s(kind, mask, "");
    const std::string text = WordsAndDigits(100000);
    zel::test::PutClipboardText(text);
    for (auto _ : state) {
        s.edit->SelectAll();
        zel::SendMessage(s.inner, zel::WM_PASTE, 0, 0);
        zel::UpdateWindow(s.inner);
    }
    const std::size_t expected = kind == zel::emkStandard ? 1000 : text.size();
    if (s.edit->GetDisplayText().size() != expected) state.SkipWithError("paste lost");
    state.SetLabel(kind == zel::emkStandard ? "standard" : kind == zel::emkRegExpr ? "expression" : "extended");
}
BENCHMARK(BM_MaskEditPaste100000)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

// A full repaint of the masked editors' gallery: blank, half-filled and full numbers in every look.
void BM_RepaintMaskEditGallery(benchmark::State& state) {
    const TThemedEditorUnits units(true);
    RepaintGallery(state, zel::test::NewMaskEditGallery());
}
BENCHMARK(BM_RepaintMaskEditGallery)->Unit(benchmark::kMillisecond);

}  // namespace

// ---- the spin editor

#include "uilib/editors/uiSpinEdit.h"

namespace {

// A full repaint of one 121 x 21 spin editor with fast buttons, in one look and one button position.
void BM_RepaintSpinEditWithFastButtons(benchmark::State& state) {
    const zel::test::TGalleryLook look = zel::test::GalleryLooks()[static_cast<std::size_t>(state.range(0))];
    const auto position = static_cast<zel::TuiSpinEditButtonsPosition>(state.range(1));
    const TThemedEditorUnits units(look.Native);
    auto* form = zel::Construct<zel::test::TEditorGalleryForm>(nullptr);
    auto* edit = zel::Construct<zel::TuiSpinEdit>(form);
    edit->SetParent(form);
    edit->SetBounds(8, 8, 121, 21);
    edit->Style()->GetLookAndFeel()->SetKind(look.Kind);
    edit->Style()->GetLookAndFeel()->SetNativeStyle(look.Native);
    edit->Properties()->SpinButtons()->SetPosition(position);
    edit->Properties()->SpinButtons()->SetShowFastButtons(true);
    edit->SetValue(zel::Variant(42));
    form->Show();
    zel::ProcessPendingMessages();
    for (auto _ : state) {
        zel::RedrawWindow(edit->GetHandle(), nullptr, nullptr,
                          zel::RDW_INVALIDATE | zel::RDW_ALLCHILDREN | zel::RDW_UPDATENOW);
        benchmark::DoNotOptimize(edit->SpinViewInfo()->ButtonsInfo.front().Bounds);
    }
    if (edit->SpinViewInfo()->ButtonsInfo.size() != 4) state.SkipWithError("fast buttons missing");
    static const char* const positions[] = {"HorzLeftRight", "HorzRight", "Vert"};
    state.SetLabel(std::string(look.Name) + " " + positions[state.range(1)]);
    delete form;
    zel::ProcessPendingMessages();
}
BENCHMARK(BM_RepaintSpinEditWithFastButtons)->ArgsProduct({{0, 1, 2, 3, 4}, {0, 1, 2}})->Unit(benchmark::kMicrosecond);

}  // namespace

// ---- the combo box

#include "uilib/editors/uiDropDownEdit.h"

namespace {

// A shown form with a focused combo box of 1,000 items, "Item 0" to "Item 999".
struct TComboStage {
    TComboStage() : units(zel::uiEditorsUnitList()) {
        form = zel::Construct<zel::test::TEditorGalleryForm>(nullptr);
        form->SetBounds(100, 100, 300, 80);
        combo = zel::Construct<zel::TuiComboBox>(form);
        combo->SetParent(form);
        combo->SetBounds(10, 10, 150, 21);
        zel::TStringList* items = combo->Properties()->Items();
        items->BeginUpdate();
        for (int i = 0; i < 1000; ++i) items->Add("Item " + std::to_string(i));
        items->EndUpdate();
        form->Show();
        zel::ProcessPendingMessages();
        combo->SetFocus();
        zel::ProcessPendingMessages();
    }
    ~TComboStage() {
        delete form;
        zel::ProcessPendingMessages();
    }
    TComboStage(const TComboStage&) = delete;
    TComboStage& operator=(const TComboStage&) = delete;
    void Open() {
        combo->SetDroppedDown(true);
        zel::ProcessPendingMessages();
    }

    zel::TManualClockScope clock;
    zel::TUnitsScope units;
    zel::test::TEditorGalleryForm* form = nullptr;
    zel::TuiComboBox* combo = nullptr;
};

// A full repaint of the dropped list (eight rows of the 1,000 items).
void BM_RepaintDroppedComboList1000(benchmark::State& state) {
    TComboStage s;
    s.Open();
    if (!s.combo->GetDroppedDown()) state.SkipWithError("not dropped");
    const zel::HWND list = s.combo->PopupList()->GetHandle();
    for (auto _ : state) {
        zel::RedrawWindow(list, nullptr, nullptr, zel::RDW_INVALIDATE | zel::RDW_UPDATENOW);
        benchmark::DoNotOptimize(s.combo->PopupList()->GetHeight());
    }
}
BENCHMARK(BM_RepaintDroppedComboList1000)->Unit(benchmark::kMicrosecond);

// Dropping the list of 1,000 items (the popup shown and painted) and closing it again.
void BM_OpenAndCloseCombo1000(benchmark::State& state) {
    TComboStage s;
    for (auto _ : state) {
        s.Open();
        zel::UpdateWindow(s.combo->PopupWindow()->GetHandle());
        s.combo->CloseUp(zel::crCancel);
    }
    if (s.combo->GetDroppedDown()) state.SkipWithError("still open");
}
BENCHMARK(BM_OpenAndCloseCombo1000)->Unit(benchmark::kMillisecond);

}  // namespace
