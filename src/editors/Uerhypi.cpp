#include "editors/Uerhypi.h"

#include "model/Clipboard.h"
#include "model/CurrentElements.h"
#include "model/Rhythm.h"
#include "platform/vcl/FormReader.h"

namespace zel {

namespace formres {
extern const TFormResource Uerhypi;
}

namespace {
const TFormClassRegistration registration("TFormRhyPitch", [](TComponent* Owner) -> TCustomForm* {
    return Construct<TFormRhyPitch>(Owner);
});

enum : int { pSourceKey = 12, pFine = 13, pRandom = 14, pEnvDepth = 15, pVelSens = 16, pVelTime = 17, pT1 = 18 };
}  // namespace

const TFormResource* TFormRhyPitch::FormResource() const { return &formres::Uerhypi; }

void TFormRhyPitch::DefineBindings(TFormBindings& B) {
    DefineKeyEditorBindings(B);
    B.Field("SourceKey", SourceKey);
    B.Field("FineTune", FineTune);
    B.Field("RndPitchDepth", RndPitchDepth);
    B.Field("PitchenvDepth", PitchenvDepth);
    B.Field("VelSens", VelSens);
    B.Field("VeltimeSens", VeltimeSens);
    B.Field("Graph", Graph);
    using N = TNotifyEvent;
    B.Handler<N>("SourceKeyEndChange", [this](TObject* s) { SourceKeyEndChange(s); });
    B.Handler<N>("FineTuneEndchange", [this](TObject* s) { FineTuneEndchange(s); });
    B.Handler<N>("RndPitchDepthEndChange", [this](TObject* s) { RndPitchDepthEndChange(s); });
    B.Handler<N>("PitchenvDepthEndchange", [this](TObject* s) { PitchenvDepthEndchange(s); });
    B.Handler<N>("VelSensEndChange", [this](TObject* s) { VelSensEndChange(s); });
    B.Handler<N>("VeltimeSensEndChange", [this](TObject* s) { VeltimeSensEndChange(s); });
    B.Handler<N>("GraphEndchange", [this](TObject* s) { GraphEndchange(s); });
}

void TFormRhyPitch::TakeOpenerVariables() { EditElem = OpeningRhyPitch; }
int TFormRhyPitch::SectionKind() const { return skRhyPitch; }
int TFormRhyPitch::EditorIndex() const { return TRhythm::rePitch; }

void TFormRhyPitch::FillControls() {
    const auto b = [this](int Position) { return static_cast<int>(GetParam(Position)); };
    // A stored byte that no control can show is shown as the nearest valid value; nothing is written.
    SourceKey->SetCode(b(pSourceKey));
    FineTune->SetValue(ClampToRange(b(pFine), 0, 100) - 50);
    RndPitchDepth->SetCode(ClampToRange(b(pRandom), 0, 30));
    PitchenvDepth->SetValue(ClampToRange(b(pEnvDepth), 0, 24) - 12);
    VelSens->SetCode(ClampToRange(b(pVelSens), 0, 125) * 2 - 100);
    VeltimeSens->SetCode(ClampToRange(b(pVelTime), 0, 14));
    ShowGraph(*Graph, pT1, 4);
}

void TFormRhyPitch::SourceKeyEndChange(TObject*) { SendandStore(pSourceKey, SourceKey->GetCode()); }
void TFormRhyPitch::FineTuneEndchange(TObject*) { SendandStore(pFine, FineTune->GetValue() + 50); }
void TFormRhyPitch::RndPitchDepthEndChange(TObject*) { SendandStore(pRandom, RndPitchDepth->GetCode()); }
void TFormRhyPitch::PitchenvDepthEndchange(TObject*) { SendandStore(pEnvDepth, PitchenvDepth->GetValue() + 12); }
void TFormRhyPitch::VelSensEndChange(TObject*) { SendandStore(pVelSens, (VelSens->GetCode() + 100) / 2); }
void TFormRhyPitch::VeltimeSensEndChange(TObject*) { SendandStore(pVelTime, VeltimeSens->GetCode()); }
void TFormRhyPitch::GraphEndchange(TObject*) { WriteGraph(*Graph, pT1, 4); }

}  // namespace zel
