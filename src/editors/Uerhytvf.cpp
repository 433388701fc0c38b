#include "editors/Uerhytvf.h"

#include "editors/FilterDraw.h"
#include "model/Clipboard.h"
#include "model/CurrentElements.h"
#include "model/Rhythm.h"
#include "platform/vcl/FormReader.h"

namespace zel {

namespace formres {
extern const TFormResource Uerhytvf;
}

namespace {
const TFormClassRegistration registration("TFormRhyTVF", [](TComponent* Owner) -> TCustomForm* {
    return Construct<TFormRhyTVF>(Owner);
});

enum : int {
    pFilterType = 26,
    pCutoff = 27,
    pResonance = 28,
    pResVelSens = 29,
    pEnvDepth = 30,
    pVelSens = 31,
    pVelTime = 32,
    pT1 = 33
};
constexpr int LastFilterType = 4;
}  // namespace

const TFormResource* TFormRhyTVF::FormResource() const { return &formres::Uerhytvf; }

void TFormRhyTVF::DefineBindings(TFormBindings& B) {
    DefineKeyEditorBindings(B);
    B.Field("Precedente", Precedente);
    B.Field("Successivo", Successivo);
    B.Field("Image1", Image1);
    B.Field("Labelfilter", Labelfilter);
    B.Field("cutofffrequency", cutofffrequency);
    B.Field("Resonance", Resonance);
    B.Field("ResVelSens", ResVelSens);
    B.Field("EnvDepth", EnvDepth);
    B.Field("VelocitySens", VelocitySens);
    B.Field("VelTimeS", VelTimeS);
    B.Field("Graph", Graph);
    using N = TNotifyEvent;
    B.Handler<N>("PrecedenteClick", [this](TObject* s) { PrecedenteClick(s); });
    B.Handler<N>("SuccessivoClick", [this](TObject* s) { SuccessivoClick(s); });
    B.Handler<N>("cutofffrequencyEndchange", [this](TObject* s) { cutofffrequencyEndchange(s); });
    B.Handler<N>("ResonanceEndchange", [this](TObject* s) { ResonanceEndchange(s); });
    B.Handler<N>("ResVelSensEndChange", [this](TObject* s) { ResVelSensEndChange(s); });
    B.Handler<N>("EnvDepthEndChange", [this](TObject* s) { EnvDepthEndChange(s); });
    B.Handler<N>("VelocitySensEndChange", [this](TObject* s) { VelocitySensEndChange(s); });
    B.Handler<N>("VelTimeSEndChange", [this](TObject* s) { VelTimeSEndChange(s); });
    B.Handler<N>("GraphEndchange", [this](TObject* s) { GraphEndchange(s); });
}

void TFormRhyTVF::TakeOpenerVariables() { EditElem = OpeningRhyTVF; }
int TFormRhyTVF::SectionKind() const { return skRhyTvf; }
int TFormRhyTVF::EditorIndex() const { return TRhythm::reTVF; }

void TFormRhyTVF::FormCreate(TObject* Sender) {
    TRhythmKeyEditor::FormCreate(Sender);
    Image1->Picture()->SetSize(Image1->GetWidth(), Image1->GetHeight());
}

void TFormRhyTVF::FillControls() {
    const auto b = [this](int Position) { return static_cast<int>(GetParam(Position)); };
    // A stored byte that no control can show is shown as the nearest valid value; nothing is written.
    FilterType = ClampToRange(b(pFilterType), 0, LastFilterType);
    DrawFilterPicture(Image1, Labelfilter, FilterType);
    cutofffrequency->SetValue(b(pCutoff));
    Resonance->SetValue(b(pResonance));
    ResVelSens->SetCode(ClampToRange(b(pResVelSens), 0, 125) * 2 - 100);
    EnvDepth->SetCode(ClampToRange(b(pEnvDepth), 0, 126) - 63);
    VelocitySens->SetCode(ClampToRange(b(pVelSens), 0, 125) * 2 - 100);
    VelTimeS->SetCode(ClampToRange(b(pVelTime), 0, 14));
    ShowGraph(*Graph, pT1, 4);
}

void TFormRhyTVF::StepFilter(int Step) {
    const int next = FilterType + Step;
    if (next < 0 || next > LastFilterType || Closed()) return;
    FilterType = next;
    DrawFilterPicture(Image1, Labelfilter, FilterType);
    SendandStore(pFilterType, FilterType);
}

void TFormRhyTVF::PrecedenteClick(TObject*) { StepFilter(-1); }
void TFormRhyTVF::SuccessivoClick(TObject*) { StepFilter(1); }
void TFormRhyTVF::cutofffrequencyEndchange(TObject*) { SendandStore(pCutoff, cutofffrequency->GetValue()); }
void TFormRhyTVF::ResonanceEndchange(TObject*) { SendandStore(pResonance, Resonance->GetValue()); }
void TFormRhyTVF::ResVelSensEndChange(TObject*) { SendandStore(pResVelSens, (ResVelSens->GetCode() + 100) / 2); }
void TFormRhyTVF::EnvDepthEndChange(TObject*) { SendandStore(pEnvDepth, EnvDepth->GetCode() + 63); }
void TFormRhyTVF::VelocitySensEndChange(TObject*) { SendandStore(pVelSens, (VelocitySens->GetCode() + 100) / 2); }
void TFormRhyTVF::VelTimeSEndChange(TObject*) { SendandStore(pVelTime, VelTimeS->GetCode()); }
void TFormRhyTVF::GraphEndchange(TObject*) { WriteGraph(*Graph, pT1, 4); }

}  // namespace zel
