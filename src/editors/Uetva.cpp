#include "editors/Uetva.h"

#include "model/CurrentElements.h"
#include "model/Patch.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/vcl/FormReader.h"

namespace zel {

namespace formres {
extern const TFormResource Uetva;
}

namespace {
const TFormClassRegistration registration("TFormTVA",
                                          [](TComponent* Owner) -> TCustomForm* { return Construct<TFormTVA>(Owner); });

// The tone's data bytes of the amplifier section.
enum : int {
    pLevel = 101,
    pDirection = 102,
    pBiasPoint = 103,
    pBiasLevel = 104,
    pVelCurve = 105,
    pVelSens = 106,
    pVelTime1 = 107,
    pVelTime4 = 108,
    pTimeKeyfollow = 109,
    pTimes = 110,
    pLevels = 114,
    pPan = 119,
    pPanKeyfollow = 120,
    pRandomPan = 121,
    pAltPan = 122,
};

const char* const DirectionNames[TFormTVA::Directions] = {"Lower", "Upper", "Lower Upper", "All"};
}  // namespace

const TFormResource* TFormTVA::FormResource() const { return &formres::Uetva; }

int TFormTVA::ToneSlot() const { return TTone::teTVA; }

void TFormTVA::DefineBindings(TFormBindings& B) {
    DefineToneBindings(B);
    B.Field("Level", Level);
    B.Field("Precedente", Precedente);
    B.Field("Successivo", Successivo);
    B.Field("Image1", Image1);
    B.Field("LabelDir", LabelDir);
    B.Field("BiasPoint", BiasPoint);
    B.Field("BiasLevel", BiasLevel);
    B.Field("EnvVelCurve", EnvVelCurve);
    B.Field("VelocitySens", VelocitySens);
    B.Field("VelTime1S", VelTime1S);
    B.Field("VelTime4S", VelTime4S);
    B.Field("TimeKeyfollow", TimeKeyfollow);
    B.Field("Graph", Graph);
    B.Field("ClickPan", ClickPan);
    B.Field("PanKeyfollow", PanKeyfollow);
    B.Field("RndPanDepth", RndPanDepth);
    B.Field("AltPanDepth", AltPanDepth);
    using N = TNotifyEvent;
    B.Handler<N>("LevelEndchange", [this](TObject* s) { LevelEndchange(s); });
    B.Handler<N>("PrecedenteClick", [this](TObject* s) { PrecedenteClick(s); });
    B.Handler<N>("SuccessivoClick", [this](TObject* s) { SuccessivoClick(s); });
    B.Handler<N>("BiasPointEndChange", [this](TObject* s) { BiasPointEndChange(s); });
    B.Handler<N>("BiasLevelEndChange", [this](TObject* s) { BiasLevelEndChange(s); });
    B.Handler<N>("EnvVelCurveEndChange", [this](TObject* s) { EnvVelCurveEndChange(s); });
    B.Handler<N>("VelocitySensEndChange", [this](TObject* s) { VelocitySensEndChange(s); });
    B.Handler<N>("VelTime1SEndChange", [this](TObject* s) { VelTime1SEndChange(s); });
    B.Handler<N>("VelTime4SEndChange", [this](TObject* s) { VelTime4SEndChange(s); });
    B.Handler<N>("TimeKeyfollowEndChange", [this](TObject* s) { TimeKeyfollowEndChange(s); });
    B.Handler<N>("GraphEndchange", [this](TObject* s) { GraphEndchange(s); });
    B.Handler<N>("ClickPanEndchange", [this](TObject* s) { ClickPanEndchange(s); });
    B.Handler<N>("PanKeyfollowEndChange", [this](TObject* s) { PanKeyfollowEndChange(s); });
    B.Handler<N>("RndPanDepthEndchange", [this](TObject* s) { RndPanDepthEndchange(s); });
    B.Handler<N>("AltPanDepthEndchange", [this](TObject* s) { AltPanDepthEndchange(s); });
}

void TFormTVA::TakeOpenerVariables() { TakeTone(OpeningTVAPatch, OpeningTVATone); }

void TFormTVA::FormCreate(TObject* Sender) {
    TToneEditor::FormCreate(Sender);
    if (Image1 != nullptr) Image1->Picture()->SetSize(Image1->GetWidth(), Image1->GetHeight());
}

void TFormTVA::UpdateView() {
    if (EditElem == nullptr) return;
    InUpdateView = 1;
    TScopeExit filled([this] { InUpdateView = 0; });
    const auto b = [this](int Position) { return static_cast<int>(GetParam(Position)); };
    SetCaption(EditorCaption("TVA"));
    Level->SetValue(ClampToRange(b(pLevel), 0, 127));
    Direction = ClampToRange(b(pDirection), 0, Directions - 1);
    DrawDirection();
    ShowCode(BiasPoint, b(pBiasPoint));
    ShowCode(BiasLevel, b(pBiasLevel));
    ShowCode(EnvVelCurve, b(pVelCurve) + 1);
    ShowCode(VelocitySens, b(pVelSens) * 2 - 100);
    ShowCode(VelTime1S, b(pVelTime1));
    ShowCode(VelTime4S, b(pVelTime4));
    ShowCode(TimeKeyfollow, b(pTimeKeyfollow));
    Graph->SetPoints(EnvelopeOf(pTimes, pLevels, 3));
    ClickPan->SetValue(ClampToRange(b(pPan) - 64, -64, 63));
    ShowCode(PanKeyfollow, b(pPanKeyfollow));
    RndPanDepth->SetValue(ClampToRange(b(pRandomPan), 0, 63));
    AltPanDepth->SetValue(ClampToRange(b(pAltPan) - 64, -63, 63));
    CheckBtnEnabled();
}

// -------------------------------------------------------------------------------------- bias direction

void TFormTVA::DrawDirection() {
    if (Image1 == nullptr) return;
    TCanvas* c = Image1->ImageCanvas();
    const int w = Image1->Picture()->GetWidth();
    const int h = Image1->Picture()->GetHeight();
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(clAqua);
    c->Pen()->SetColor(clBlack);
    c->Pen()->SetStyle(psSolid);
    c->FillRect(TRect{0, 0, w, h});
    c->Font()->SetName("Small Fonts");
    c->Font()->SetSize(6);
    c->Font()->SetColor(clBlack);
    c->Brush()->SetStyle(bsClear);
    // The axes: level upwards from the key axis, keys C-1 to G9 from left to right, the bias point in the
    // middle; the level line meets the bias point at the zero level. The level axis starts below its name,
    // the key axis leaves a line of text under it.
    const int text = c->TextHeight("0");
    const int left = 24;
    const int right = w - 8;
    const int keys = h - text - 2;
    const int top = text + 2;
    const int zero = (top + keys) / 2;
    const int bias = (left + right) / 2;
    const int fall = (keys - top) / 2 - 4;
    c->TextOut(2, 0, "Level");
    c->MoveTo(left, top);
    c->LineTo(left, keys);
    c->LineTo(right, keys);
    c->MoveTo(left - 3, zero);
    c->LineTo(left, zero);
    c->TextOut(left - 4 - c->TextWidth("0"), zero - c->TextHeight("0") / 2, "0");
    c->TextOut(left - c->TextWidth("C-1") / 2, keys + 2, "C-1");
    c->TextOut(right - c->TextWidth("G9"), keys + 2, "G9");
    c->MoveTo(bias, keys - 2);
    c->LineTo(bias, keys + 3);
    c->TextOut(bias - c->TextWidth("B P") / 2, keys + 2, "B P");
    // The level line of the direction.
    switch (Direction) {
        case 0:  // the level falls below the bias point
            c->MoveTo(left + 1, zero + fall);
            c->LineTo(bias, zero);
            c->LineTo(right, zero);
            break;
        case 1:  // the level falls above it
            c->MoveTo(left + 1, zero);
            c->LineTo(bias, zero);
            c->LineTo(right, zero + fall);
            break;
        case 2: {  // both sides, with the direction of the level marked at both ends
            c->MoveTo(left + 1, zero + fall);
            c->LineTo(bias, zero);
            c->LineTo(right, zero + fall);
            const int sign = c->TextWidth("+");
            for (int x : {left + 3, right - sign - 2}) {
                c->TextOut(x, top - 4, "+");
                c->TextOut(x, zero - c->TextHeight("0") - 1, "0");
                c->TextOut(x, zero + fall - c->TextHeight("-") - 2, "-");  // clear above the line's low end
            }
            break;
        }
        default:  // the whole range
            c->MoveTo(left + 1, zero + fall);
            c->LineTo(right, zero - fall);
            break;
    }
    c->Brush()->SetStyle(bsSolid);
    if (LabelDir != nullptr) LabelDir->SetCaption(DirectionNames[ClampToRange(Direction, 0, Directions - 1)]);
    Image1->Invalidate();
}

void TFormTVA::StepDirection(int Step) {
    const int next = Direction + Step;
    // The arrows stop at the first and the last direction without sending.
    if (next < 0 || next >= Directions) return;
    Direction = next;
    DrawDirection();
    SendandStore(pDirection, Direction);
}

void TFormTVA::PrecedenteClick(TObject*) { StepDirection(-1); }
void TFormTVA::SuccessivoClick(TObject*) { StepDirection(1); }

// ----------------------------------------------------------------------------------------------- values

void TFormTVA::LevelEndchange(TObject*) { SendandStore(pLevel, Level->GetValue()); }
void TFormTVA::BiasPointEndChange(TObject*) { SendandStore(pBiasPoint, BiasPoint->GetCode()); }
void TFormTVA::BiasLevelEndChange(TObject*) { SendandStore(pBiasLevel, BiasLevel->GetCode()); }
void TFormTVA::EnvVelCurveEndChange(TObject*) { SendandStore(pVelCurve, EnvVelCurve->GetCode() - 1); }
void TFormTVA::VelocitySensEndChange(TObject*) { SendandStore(pVelSens, (VelocitySens->GetCode() + 100) / 2); }
void TFormTVA::VelTime1SEndChange(TObject*) { SendandStore(pVelTime1, VelTime1S->GetCode()); }
void TFormTVA::VelTime4SEndChange(TObject*) { SendandStore(pVelTime4, VelTime4S->GetCode()); }
void TFormTVA::TimeKeyfollowEndChange(TObject*) { SendandStore(pTimeKeyfollow, TimeKeyfollow->GetCode()); }
// The last level is fixed by the graph and never stored.
void TFormTVA::GraphEndchange(TObject*) { StoreEnvelope(Graph, pTimes, pLevels, 3); }
void TFormTVA::ClickPanEndchange(TObject*) { SendandStore(pPan, ClickPan->GetValue() + 64); }
void TFormTVA::PanKeyfollowEndChange(TObject*) { SendandStore(pPanKeyfollow, PanKeyfollow->GetCode()); }
void TFormTVA::RndPanDepthEndchange(TObject*) { SendandStore(pRandomPan, RndPanDepth->GetValue()); }
void TFormTVA::AltPanDepthEndchange(TObject*) { SendandStore(pAltPan, AltPanDepth->GetValue() + 64); }

}  // namespace zel
