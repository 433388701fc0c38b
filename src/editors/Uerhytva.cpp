#include "editors/Uerhytva.h"

#include "model/Clipboard.h"
#include "model/CurrentElements.h"
#include "model/Rhythm.h"
#include "platform/vcl/FormReader.h"

namespace zel {

namespace formres {
extern const TFormResource Uerhytva;
}

namespace {
const TFormClassRegistration registration("TFormrhyTva", [](TComponent* Owner) -> TCustomForm* {
    return Construct<TFormrhyTva>(Owner);
});

enum : int { pLevel = 41, pVelSens = 42, pVelTime = 43, pT1 = 44, pPan = 51, pRndPan = 52, pAltPan = 53 };
}  // namespace

const TFormResource* TFormrhyTva::FormResource() const { return &formres::Uerhytva; }

void TFormrhyTva::DefineBindings(TFormBindings& B) {
    DefineKeyEditorBindings(B);
    B.Field("ToneLevel", ToneLevel);
    B.Field("VelocitySens", VelocitySens);
    B.Field("VelTimeSens", VelTimeSens);
    B.Field("Graph", Graph);
    B.Field("ClickPan", ClickPan);
    B.Field("RndPanDepth", RndPanDepth);
    B.Field("AltPanDepth", AltPanDepth);
    using N = TNotifyEvent;
    B.Handler<N>("ToneLevelEndchange", [this](TObject* s) { ToneLevelEndchange(s); });
    B.Handler<N>("VelocitySensEndChange", [this](TObject* s) { VelocitySensEndChange(s); });
    B.Handler<N>("VelTimeSensEndChange", [this](TObject* s) { VelTimeSensEndChange(s); });
    B.Handler<N>("GraphEndchange", [this](TObject* s) { GraphEndchange(s); });
    B.Handler<N>("ClickPanEndchange", [this](TObject* s) { ClickPanEndchange(s); });
    B.Handler<N>("RndPanDepthEndchange", [this](TObject* s) { RndPanDepthEndchange(s); });
    B.Handler<N>("AltPanDepthEndchange", [this](TObject* s) { AltPanDepthEndchange(s); });
}

void TFormrhyTva::TakeOpenerVariables() { EditElem = OpeningRhyTva; }
int TFormrhyTva::SectionKind() const { return skRhyTva; }
int TFormrhyTva::EditorIndex() const { return TRhythm::reTVA; }

void TFormrhyTva::FillControls() {
    const auto b = [this](int Position) { return static_cast<int>(GetParam(Position)); };
    // A stored byte that no control can show is shown as the nearest valid value; nothing is written.
    ToneLevel->SetValue(b(pLevel));
    VelocitySens->SetCode(ClampToRange(b(pVelSens), 0, 125) * 2 - 100);
    VelTimeSens->SetCode(ClampToRange(b(pVelTime), 0, 14));
    ShowGraph(*Graph, pT1, 3);
    ClickPan->SetValue(ClampToRange(b(pPan), 1, 127) - 64);
    RndPanDepth->SetValue(ClampToRange(b(pRndPan), 0, 63));
    AltPanDepth->SetValue(ClampToRange(b(pAltPan), 1, 127) - 64);
}

void TFormrhyTva::ToneLevelEndchange(TObject*) { SendandStore(pLevel, ToneLevel->GetValue()); }
void TFormrhyTva::VelocitySensEndChange(TObject*) { SendandStore(pVelSens, (VelocitySens->GetCode() + 100) / 2); }
void TFormrhyTva::VelTimeSensEndChange(TObject*) { SendandStore(pVelTime, VelTimeSens->GetCode()); }
void TFormrhyTva::GraphEndchange(TObject*) { WriteGraph(*Graph, pT1, 3); }
void TFormrhyTva::ClickPanEndchange(TObject*) { SendandStore(pPan, ClickPan->GetValue() + 64); }
void TFormrhyTva::RndPanDepthEndchange(TObject*) { SendandStore(pRndPan, RndPanDepth->GetValue()); }
void TFormrhyTva::AltPanDepthEndchange(TObject*) { SendandStore(pAltPan, AltPanDepth->GetValue() + 64); }

}  // namespace zel
