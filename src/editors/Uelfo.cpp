#include "editors/Uelfo.h"

#include <array>
#include <cmath>
#include <vector>

#include "model/CurrentElements.h"
#include "model/Patch.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/vcl/FormReader.h"

namespace zel {

namespace formres {
extern const TFormResource Uelfo;
}

namespace {
const TFormClassRegistration registration("TFormLFO",
                                          [](TComponent* Owner) -> TCustomForm* { return Construct<TFormLFO>(Owner); });

// The LFO's parameters from its first data byte.
enum : int {
    oWaveform = 0,
    oKeyTrigger = 1,
    oRate = 2,
    oOffset = 3,
    oDelay = 4,
    oFadeMode = 5,
    oFadeTime = 6,
    oSync = 7,
};

// The first of the two depth bytes (LFO 1, LFO 2) of each destination.
enum : int {
    pPitchDepth = 78,
    pTvfDepth = 99,
    pTvaDepth = 117,
    pPanDepth = 123,
};

const char* const WaveformNames[TFormLFO::Waveforms] = {"Triangolar",  "Sinuisoidal", "SAW",    "Square",
                                                        "Trapeziodal", "Sample",      "Random", "Caos"};

void Polyline(TCanvas* c, const std::vector<TPoint>& Points) {
    if (!Points.empty()) c->Polyline(Points);
}
}  // namespace

const TFormResource* TFormLFO::FormResource() const { return &formres::Uelfo; }

int TFormLFO::ToneSlot() const { return LfoNumber == 2 ? TTone::teLFO2 : TTone::teLFO1; }

void TFormLFO::DefineBindings(TFormBindings& B) {
    DefineToneBindings(B);
    B.Field("Precedente", Precedente);
    B.Field("Successivo", Successivo);
    B.Field("Image1", Image1);
    B.Field("LabelWave", LabelWave);
    B.Field("KeyTrigger", KeyTrigger);
    B.Field("LFORate", LFORate);
    B.Field("OffsetLevel", OffsetLevel);
    B.Field("ExternalSync", ExternalSync);
    B.Field("FadeMode", FadeMode);
    B.Field("FadeGraph", FadeGraph);
    B.Field("PitchLFODepth", PitchLFODepth);
    B.Field("TVFLfoDepth", TVFLfoDepth);
    B.Field("TVALfoDepth", TVALfoDepth);
    B.Field("PanDepth", PanDepth);
    using N = TNotifyEvent;
    B.Handler<N>("PrecedenteClick", [this](TObject* s) { PrecedenteClick(s); });
    B.Handler<N>("SuccessivoClick", [this](TObject* s) { SuccessivoClick(s); });
    B.Handler<N>("KeyTriggerClick", [this](TObject* s) { KeyTriggerClick(s); });
    B.Handler<N>("LFORateEndChange", [this](TObject* s) { LFORateEndChange(s); });
    B.Handler<N>("OffsetLevelEndChange", [this](TObject* s) { OffsetLevelEndChange(s); });
    B.Handler<N>("ExternalSyncChange", [this](TObject* s) { ExternalSyncChange(s); });
    B.Handler<N>("FadeModeChange", [this](TObject* s) { FadeModeChange(s); });
    B.Handler<N>("FadeGraphEndchange", [this](TObject* s) { FadeGraphEndchange(s); });
    B.Handler<N>("PitchLFODepthEndchange", [this](TObject* s) { PitchLFODepthEndchange(s); });
    B.Handler<N>("TVFLfoDepthEndchange", [this](TObject* s) { TVFLfoDepthEndchange(s); });
    B.Handler<N>("TVALfoDepthEndchange", [this](TObject* s) { TVALfoDepthEndchange(s); });
    B.Handler<N>("PanDepthEndchange", [this](TObject* s) { PanDepthEndchange(s); });
}

void TFormLFO::TakeOpenerVariables() {
    if (OpeningLFONumber != 1 && OpeningLFONumber != 2) return;
    LfoNumber = OpeningLFONumber;
    TakeTone(OpeningLFOPatch, OpeningLFOTone);
}

void TFormLFO::FormCreate(TObject* Sender) {
    TToneEditor::FormCreate(Sender);
    if (Image1 != nullptr) Image1->Picture()->SetSize(Image1->GetWidth(), Image1->GetHeight());
}

void TFormLFO::UpdateView() {
    if (EditElem == nullptr) return;
    InUpdateView = 1;
    TScopeExit filled([this] { InUpdateView = 0; });
    const auto b = [this](int Position) { return static_cast<int>(GetParam(Position)); };
    SetCaption(EditorCaption("LFO " + std::to_string(LfoNumber)));
    Waveform = ClampToRange(b(Position(oWaveform)), 0, Waveforms - 1);
    DrawWaveForm();
    KeyTrigger->SetChecked(b(Position(oKeyTrigger)) == 1);
    ShowCode(LFORate, b(Position(oRate)));
    ShowCode(OffsetLevel, b(Position(oOffset)) * 50 - 100);
    ShowItem(FadeMode, b(Position(oFadeMode)));
    ShowItem(ExternalSync, b(Position(oSync)));
    FadeGraph->SetFadeMode(static_cast<TFadeMode>(ClampToRange(b(Position(oFadeMode)), ON_IN, OFF_OUT)));
    FadeGraph->SetFadeDelay(ClampToRange(b(Position(oDelay)), 0, 127));
    FadeGraph->SetFadeTime(ClampToRange(b(Position(oFadeTime)), 0, 127));
    PitchLFODepth->SetValue(ClampToRange(b(pPitchDepth + LfoNumber - 1) - 63, -63, 63));
    TVFLfoDepth->SetValue(ClampToRange(b(pTvfDepth + LfoNumber - 1) - 63, -63, 63));
    TVALfoDepth->SetValue(ClampToRange(b(pTvaDepth + LfoNumber - 1) - 63, -63, 63));
    PanDepth->SetValue(ClampToRange(b(pPanDepth + LfoNumber - 1) - 63, -63, 63));
    CheckBtnEnabled();
}

// -------------------------------------------------------------------------------------------- waveform

int TFormLFO::RandomUpTo(int High) { return std::uniform_int_distribution<int>(0, High)(Random); }

void TFormLFO::DrawWaveForm() {
    if (Image1 == nullptr) return;
    TCanvas* c = Image1->ImageCanvas();
    const int w = Image1->Picture()->GetWidth();
    const int h = Image1->Picture()->GetHeight();
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(clAqua);
    c->Pen()->SetColor(clBlack);
    c->Pen()->SetStyle(psSolid);
    c->FillRect(TRect{0, 0, w, h});
    const int mid = h / 2;
    const int top = 6;
    const int bottom = h - 6;
    const int left = 4;
    const int right = w - 4;
    const int span = right - left;
    switch (Waveform) {
        case 0: {  // triangle: up, down, up, back to the middle
            const int q = span / 6;
            Polyline(c,
                     {{left, mid}, {left + q, top}, {left + 3 * q, bottom}, {left + 5 * q, top}, {left + 6 * q, mid}});
            break;
        }
        case 1: {
            bool first = true;
            for (double x = 0; x <= 9.42; x += 0.08) {
                const int px = static_cast<int>(std::lround(6 * x)) + 4;
                const int py = mid - static_cast<int>(std::lround(18 * std::sin(x)));
                if (first) c->MoveTo(px, py);
                else c->LineTo(px, py);
                first = false;
            }
            break;
        }
        case 2: {  // sawtooth: two ramps up, each falling straight back
            const int p = span / 2;
            Polyline(
                c, {{left, bottom}, {left + p, top}, {left + p, bottom}, {left + 2 * p, top}, {left + 2 * p, bottom}});
            break;
        }
        case 3: {  // square: two periods
            const int p = span / 4;
            std::vector<TPoint> points{{left, mid}, {left, top}};
            for (int k = 1; k <= 4; ++k) {
                const int y = k % 2 == 1 ? top : bottom;
                points.push_back({left + k * p, y});
                points.push_back({left + k * p, k % 2 == 1 ? bottom : top});
            }
            points.back().y = mid;
            Polyline(c, points);
            break;
        }
        case 4: {  // trapezoid: rise, hold, fall, hold, twice
            const int p = span / 2;
            std::vector<TPoint> points;
            for (int k = 0; k < 2; ++k) {
                const int x = left + k * p;
                points.push_back({x, bottom});
                points.push_back({x + p / 4, top});
                points.push_back({x + p / 2, top});
                points.push_back({x + 3 * p / 4, bottom});
            }
            points.push_back({left + 2 * p, bottom});
            Polyline(c, points);
            break;
        }
        case 5: {  // sample and hold: a staircase of held levels
            static const std::array<int, 8> levels = {30, 80, 50, 10, 90, 60, 20, 70};
            const int s = span / 8;
            std::vector<TPoint> points;
            for (std::size_t k = 0; k < levels.size(); ++k) {
                const int y = bottom - (bottom - top) * levels[k] / 100;
                const int x = left + static_cast<int>(k) * s;
                points.push_back({x, y});
                points.push_back({x + s, y});
            }
            Polyline(c, points);
            break;
        }
        case 6: {
            int a = 10;
            bool first = true;
            for (double x = 0; x <= 18.84; x += 0.08) {
                const double s = std::sin(x);
                if (std::fabs(s) < 0.1) a = 6 + RandomUpTo(11);
                const int px = static_cast<int>(std::lround(3 * x)) + 4;
                const int py = mid - static_cast<int>(std::lround(a * s));
                if (first) c->MoveTo(px, py);
                else c->LineTo(px, py);
                first = false;
            }
            break;
        }
        default: {  // chaos: jumps between the top and the bottom at random steps
            int x = 4;
            c->MoveTo(x, h - 4);
            for (int step = 1; step <= 30; ++step) {
                x += 2 + RandomUpTo(3);
                const int y = step % 2 == 1 ? 4 + RandomUpTo(5) : h - 4 - RandomUpTo(5);
                if (x > w - 4) break;
                c->LineTo(x, y);
            }
            break;
        }
    }
    if (LabelWave != nullptr) LabelWave->SetCaption(WaveformNames[ClampToRange(Waveform, 0, Waveforms - 1)]);
    Image1->Invalidate();
}

void TFormLFO::StepWaveform(int Step) {
    const int next = Waveform + Step;
    // The arrows stop at the first and the last waveform without sending.
    if (next < 0 || next >= Waveforms) return;
    Waveform = next;
    DrawWaveForm();
    SendandStore(Position(oWaveform), Waveform);
}

void TFormLFO::PrecedenteClick(TObject*) { StepWaveform(-1); }
void TFormLFO::SuccessivoClick(TObject*) { StepWaveform(1); }

// ----------------------------------------------------------------------------------------------- values

void TFormLFO::KeyTriggerClick(TObject*) { SendandStore(Position(oKeyTrigger), KeyTrigger->GetChecked() ? 1 : 0); }
void TFormLFO::LFORateEndChange(TObject*) { SendandStore(Position(oRate), LFORate->GetCode()); }
void TFormLFO::OffsetLevelEndChange(TObject*) { SendandStore(Position(oOffset), (OffsetLevel->GetCode() + 100) / 50); }

void TFormLFO::ExternalSyncChange(TObject*) {
    if (ExternalSync->GetItemIndex() >= 0) SendandStore(Position(oSync), ExternalSync->GetItemIndex());
}

void TFormLFO::FadeModeChange(TObject*) {
    const int mode = FadeMode->GetItemIndex();
    if (mode < 0) return;
    SendandStore(Position(oFadeMode), mode);
    FadeGraph->SetFadeMode(static_cast<TFadeMode>(mode));
}

void TFormLFO::FadeGraphEndchange(TObject*) {
    SendandStore(Position(oDelay), FadeGraph->GetFadeDelay());
    SendandStore(Position(oFadeTime), FadeGraph->GetFadeTime());
}

void TFormLFO::PitchLFODepthEndchange(TObject*) {
    SendandStore(pPitchDepth + LfoNumber - 1, PitchLFODepth->GetValue() + 63);
}
void TFormLFO::TVFLfoDepthEndchange(TObject*) { SendandStore(pTvfDepth + LfoNumber - 1, TVFLfoDepth->GetValue() + 63); }
void TFormLFO::TVALfoDepthEndchange(TObject*) { SendandStore(pTvaDepth + LfoNumber - 1, TVALfoDepth->GetValue() + 63); }
void TFormLFO::PanDepthEndchange(TObject*) { SendandStore(pPanDepth + LfoNumber - 1, PanDepth->GetValue() + 63); }

}  // namespace zel
