#include "editors/Uepitch.h"

#include "model/CurrentElements.h"
#include "model/Patch.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/vcl/FormReader.h"

namespace zel {

namespace formres {
extern const TFormResource Uepitch;
}

namespace {
const TFormClassRegistration registration("TFormPitch", [](TComponent* Owner) -> TCustomForm* {
    return Construct<TFormPitch>(Owner);
});

// The tone's data bytes of the pitch section.
enum : int {
    pCoarse = 61,
    pFine = 62,
    pRandom = 63,
    pKeyfollow = 64,
    pEnvDepth = 65,
    pVelSens = 66,
    pVelTime1 = 67,
    pVelTime4 = 68,
    pTimeKeyfollow = 69,
    pTimes = 70,
    pLevels = 74,
};
}  // namespace

const TFormResource* TFormPitch::FormResource() const { return &formres::Uepitch; }

int TFormPitch::ToneSlot() const { return TTone::tePitch; }

void TFormPitch::DefineBindings(TFormBindings& B) {
    DefineToneBindings(B);
    B.Field("CoarseTune", CoarseTune);
    B.Field("FineTune", FineTune);
    B.Field("PitchenvDepth", PitchenvDepth);
    B.Field("RndPitchDepth", RndPitchDepth);
    B.Field("PitchKeyfollow", PitchKeyfollow);
    B.Field("PitchEnvVelSens", PitchEnvVelSens);
    B.Field("Veltime1sens", Veltime1sens);
    B.Field("veltime4sens", veltime4sens);
    B.Field("timekeyfollow", timekeyfollow);
    B.Field("Graph", Graph);
    using N = TNotifyEvent;
    B.Handler<N>("CoarseTuneEndchange", [this](TObject* s) { CoarseTuneEndchange(s); });
    B.Handler<N>("FineTuneEndchange", [this](TObject* s) { FineTuneEndchange(s); });
    B.Handler<N>("PitchenvDepthEndchange", [this](TObject* s) { PitchenvDepthEndchange(s); });
    B.Handler<N>("RndPitchDepthEndChange", [this](TObject* s) { RndPitchDepthEndChange(s); });
    B.Handler<N>("PitchKeyfollowEndChange", [this](TObject* s) { PitchKeyfollowEndChange(s); });
    B.Handler<N>("PitchEnvVelSensEndChange", [this](TObject* s) { PitchEnvVelSensEndChange(s); });
    B.Handler<N>("Veltime1sensEndChange", [this](TObject* s) { Veltime1sensEndChange(s); });
    B.Handler<N>("veltime4sensEndChange", [this](TObject* s) { veltime4sensEndChange(s); });
    B.Handler<N>("timekeyfollowEndChange", [this](TObject* s) { timekeyfollowEndChange(s); });
    B.Handler<N>("GraphEndchange", [this](TObject* s) { GraphEndchange(s); });
}

void TFormPitch::TakeOpenerVariables() { TakeTone(OpeningPitchPatch, OpeningPitchTone); }

void TFormPitch::UpdateView() {
    if (EditElem == nullptr) return;
    InUpdateView = 1;
    TScopeExit filled([this] { InUpdateView = 0; });
    const auto b = [this](int Position) { return static_cast<int>(GetParam(Position)); };
    SetCaption(EditorCaption("Pitch"));
    CoarseTune->SetValue(ClampToRange(b(pCoarse) - 48, -48, 48));
    FineTune->SetValue(ClampToRange(b(pFine) - 50, -50, 50));
    ShowCode(RndPitchDepth, b(pRandom));
    ShowCode(PitchKeyfollow, b(pKeyfollow));
    PitchenvDepth->SetValue(ClampToRange(b(pEnvDepth) - 12, -12, 12));
    ShowCode(PitchEnvVelSens, b(pVelSens) * 2 - 100);
    ShowCode(Veltime1sens, b(pVelTime1));
    ShowCode(veltime4sens, b(pVelTime4));
    ShowCode(timekeyfollow, b(pTimeKeyfollow));
    Graph->SetPoints(EnvelopeOf(pTimes, pLevels, 4));
    CheckBtnEnabled();
}

void TFormPitch::CoarseTuneEndchange(TObject*) { SendandStore(pCoarse, CoarseTune->GetValue() + 48); }
void TFormPitch::FineTuneEndchange(TObject*) { SendandStore(pFine, FineTune->GetValue() + 50); }
void TFormPitch::PitchenvDepthEndchange(TObject*) { SendandStore(pEnvDepth, PitchenvDepth->GetValue() + 12); }
void TFormPitch::RndPitchDepthEndChange(TObject*) { SendandStore(pRandom, RndPitchDepth->GetCode()); }
void TFormPitch::PitchKeyfollowEndChange(TObject*) { SendandStore(pKeyfollow, PitchKeyfollow->GetCode()); }
void TFormPitch::PitchEnvVelSensEndChange(TObject*) { SendandStore(pVelSens, (PitchEnvVelSens->GetCode() + 100) / 2); }
void TFormPitch::Veltime1sensEndChange(TObject*) { SendandStore(pVelTime1, Veltime1sens->GetCode()); }
void TFormPitch::veltime4sensEndChange(TObject*) { SendandStore(pVelTime4, veltime4sens->GetCode()); }
void TFormPitch::timekeyfollowEndChange(TObject*) { SendandStore(pTimeKeyfollow, timekeyfollow->GetCode()); }
void TFormPitch::GraphEndchange(TObject*) { StoreEnvelope(Graph, pTimes, pLevels, 4); }

}  // namespace zel
