#include "editors/Uetvf.h"

#include "editors/FilterDraw.h"
#include "model/CurrentElements.h"
#include "model/Patch.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/vcl/FormReader.h"

namespace zel {

namespace formres {
extern const TFormResource Uetvf;
}

namespace {
const TFormClassRegistration registration("TFormTVF",
                                          [](TComponent* Owner) -> TCustomForm* { return Construct<TFormTVF>(Owner); });

// The tone's data bytes of the filter section.
enum : int {
    pType = 80,
    pCutoff = 81,
    pCutoffKeyfollow = 82,
    pResonance = 83,
    pVelRes = 84,
    pEnvDepth = 85,
    pVelCurve = 86,
    pVelSens = 87,
    pVelTime1 = 88,
    pVelTime4 = 89,
    pTimeKeyfollow = 90,
    pTimes = 91,
    pLevels = 95,
};
}  // namespace

const TFormResource* TFormTVF::FormResource() const { return &formres::Uetvf; }

int TFormTVF::ToneSlot() const { return TTone::teTVF; }

void TFormTVF::DefineBindings(TFormBindings& B) {
    DefineToneBindings(B);
    B.Field("Precedente", Precedente);
    B.Field("Successivo", Successivo);
    B.Field("Image1", Image1);
    B.Field("Labelfilter", Labelfilter);
    B.Field("cutofffrequency", cutofffrequency);
    B.Field("Resonance", Resonance);
    B.Field("EnvDepth", EnvDepth);
    B.Field("CutoffKeyfollow", CutoffKeyfollow);
    B.Field("VelocityRes", VelocityRes);
    B.Field("VelocityCurve", VelocityCurve);
    B.Field("VelocitySens", VelocitySens);
    B.Field("VelTime1S", VelTime1S);
    B.Field("VelTime4S", VelTime4S);
    B.Field("TimeKeyfollow", TimeKeyfollow);
    B.Field("Graph", Graph);
    using N = TNotifyEvent;
    B.Handler<N>("PrecedenteClick", [this](TObject* s) { PrecedenteClick(s); });
    B.Handler<N>("SuccessivoClick", [this](TObject* s) { SuccessivoClick(s); });
    B.Handler<N>("cutofffrequencyEndchange", [this](TObject* s) { cutofffrequencyEndchange(s); });
    B.Handler<N>("ResonanceEndchange", [this](TObject* s) { ResonanceEndchange(s); });
    B.Handler<N>("EnvDepthEndchange", [this](TObject* s) { EnvDepthEndchange(s); });
    B.Handler<N>("CutoffKeyfollowEndChange", [this](TObject* s) { CutoffKeyfollowEndChange(s); });
    B.Handler<N>("VelocityResEndChange", [this](TObject* s) { VelocityResEndChange(s); });
    B.Handler<N>("VelocityCurveEndChange", [this](TObject* s) { VelocityCurveEndChange(s); });
    B.Handler<N>("VelocitySensEndChange", [this](TObject* s) { VelocitySensEndChange(s); });
    B.Handler<N>("VelTime1SEndChange", [this](TObject* s) { VelTime1SEndChange(s); });
    B.Handler<N>("VelTime4SEndChange", [this](TObject* s) { VelTime4SEndChange(s); });
    B.Handler<N>("TimeKeyfollowEndChange", [this](TObject* s) { TimeKeyfollowEndChange(s); });
    B.Handler<N>("GraphEndchange", [this](TObject* s) { GraphEndchange(s); });
}

void TFormTVF::TakeOpenerVariables() { TakeTone(OpeningTVFPatch, OpeningTVFTone); }

void TFormTVF::FormCreate(TObject* Sender) {
    TToneEditor::FormCreate(Sender);
    if (Image1 != nullptr) Image1->Picture()->SetSize(Image1->GetWidth(), Image1->GetHeight());
}

void TFormTVF::UpdateView() {
    if (EditElem == nullptr) return;
    InUpdateView = 1;
    TScopeExit filled([this] { InUpdateView = 0; });
    const auto b = [this](int Position) { return static_cast<int>(GetParam(Position)); };
    SetCaption(EditorCaption("TVF"));
    FilterType = ClampToRange(b(pType), 0, FilterTypes - 1);
    DrawFilterPicture(Image1, Labelfilter, FilterType);
    cutofffrequency->SetValue(ClampToRange(b(pCutoff), 0, 127));
    ShowCode(CutoffKeyfollow, b(pCutoffKeyfollow));
    Resonance->SetValue(ClampToRange(b(pResonance), 0, 127));
    ShowCode(VelocityRes, b(pVelRes) * 2 - 100);
    EnvDepth->SetValue(ClampToRange(b(pEnvDepth) - 63, -63, 63));
    ShowCode(VelocityCurve, b(pVelCurve) + 1);
    ShowCode(VelocitySens, b(pVelSens) * 2 - 100);
    ShowCode(VelTime1S, b(pVelTime1));
    ShowCode(VelTime4S, b(pVelTime4));
    ShowCode(TimeKeyfollow, b(pTimeKeyfollow));
    Graph->SetPoints(EnvelopeOf(pTimes, pLevels, 4));
    CheckBtnEnabled();
}

void TFormTVF::StepFilter(int Step) {
    const int next = FilterType + Step;
    // The arrows stop at "No Filter" and "Peaking" without sending.
    if (next < 0 || next >= FilterTypes) return;
    FilterType = next;
    DrawFilterPicture(Image1, Labelfilter, FilterType);
    SendandStore(pType, FilterType);
}

void TFormTVF::PrecedenteClick(TObject*) { StepFilter(-1); }
void TFormTVF::SuccessivoClick(TObject*) { StepFilter(1); }

void TFormTVF::cutofffrequencyEndchange(TObject*) { SendandStore(pCutoff, cutofffrequency->GetValue()); }
void TFormTVF::ResonanceEndchange(TObject*) { SendandStore(pResonance, Resonance->GetValue()); }
void TFormTVF::EnvDepthEndchange(TObject*) { SendandStore(pEnvDepth, EnvDepth->GetValue() + 63); }
void TFormTVF::CutoffKeyfollowEndChange(TObject*) { SendandStore(pCutoffKeyfollow, CutoffKeyfollow->GetCode()); }
void TFormTVF::VelocityResEndChange(TObject*) { SendandStore(pVelRes, (VelocityRes->GetCode() + 100) / 2); }
void TFormTVF::VelocityCurveEndChange(TObject*) { SendandStore(pVelCurve, VelocityCurve->GetCode() - 1); }
void TFormTVF::VelocitySensEndChange(TObject*) { SendandStore(pVelSens, (VelocitySens->GetCode() + 100) / 2); }
void TFormTVF::VelTime1SEndChange(TObject*) { SendandStore(pVelTime1, VelTime1S->GetCode()); }
void TFormTVF::VelTime4SEndChange(TObject*) { SendandStore(pVelTime4, VelTime4S->GetCode()); }
void TFormTVF::TimeKeyfollowEndChange(TObject*) { SendandStore(pTimeKeyfollow, TimeKeyfollow->GetCode()); }
void TFormTVF::GraphEndchange(TObject*) { StoreEnvelope(Graph, pTimes, pLevels, 4); }

}  // namespace zel
