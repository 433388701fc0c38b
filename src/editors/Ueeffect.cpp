#include "editors/Ueeffect.h"

#include <algorithm>
#include <array>
#include <vector>

#include "model/CurrentElements.h"
#include "model/LibElem.h"
#include "model/Patch.h"
#include "model/Performance.h"
#include "model/SharedRoutines.h"
#include "model/SysexFraming.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/vcl/Dialogs.h"
#include "platform/vcl/FormReader.h"

namespace zel {

namespace formres {
extern const TFormResource Ueeffect;
}

namespace {
const TFormClassRegistration registration("TFormEffect", [](TComponent* Owner) -> TCustomForm* {
    return Construct<TFormEffect>(Owner);
});

// The effects bytes, by their position in a patch common (a performance common holds each one higher).
enum : int {
    pEfxType = 12,
    pEfxParam1 = 13,
    pOutputAssign = 25,
    pOutputLevel = 26,
    pChorusSend = 27,
    pReverbSend = 28,
    pCtrlSource1 = 29,
    pCtrlDepth1 = 30,
    pCtrlSource2 = 31,
    pCtrlDepth2 = 32,
    pChorusLevel = 33,
    pChorusRate = 34,
    pChorusDepth = 35,
    pChorusPredelay = 36,
    pChorusFeedback = 37,
    pChorusOutput = 38,
    pReverbType = 39,
    pReverbLevel = 40,
    pReverbTime = 41,
    pReverbDamp = 42,
    pReverbFeedback = 43,
};
// The EFX source lies only in a performance common, at its own position.
constexpr int PerformanceEfxSource = 12;
constexpr int DampSteps = 18;

// ------------------------------------------------------------------------------------ the type table

enum TEfxKind : std::uint8_t { ekSlider, ekSpin, ekCombo };

// One control of an EFX type: what is built and how its value becomes the byte it writes:
// byte = (value + Offset) / Divisor, and value = byte * Divisor - Offset.
struct TEfxControl {
    const char* Label = "";
    TEfxKind Kind = ekSlider;
    int Byte = 0;
    TEditType Display = MinMax;
    int Min = 0;
    int Max = 127;
    int Step = 1;
    int Width = 60;
    int Offset = 0;
    int Divisor = 1;
    bool Stereo = false;
    const char* const* Items = nullptr;  // a combo's items, ended by an empty one
};

struct TEfxType {
    std::vector<TEfxControl> Controls;
    const char* Ctrl1 = "";
    const char* Ctrl2 = "";
};

TEfxControl S(const char* Label, int Byte) { return TEfxControl{Label, ekSlider, Byte}; }
TEfxControl L(int Byte) { return S("Level", Byte); }
// A pan slider: with the stereo display, or with the plain one when Stereo is false.
TEfxControl P(const char* Label, int Byte, bool Stereo = true) {
    return TEfxControl{Label, ekSlider, Byte, MinMax, -64, 63, 1, 0, 64, 1, Stereo};
}
TEfxControl G(const char* Label, int Byte) { return TEfxControl{Label, ekSpin, Byte, MinMaxDB, -15, 15, 1, 60, 15}; }
TEfxControl F(const char* Label, int Byte, int Width = 55) {
    return TEfxControl{Label, ekSpin, Byte, MinMaxPerc, -98, 98, 2, Width, 98, 2};
}
TEfxControl B(const char* Label, int Byte) { return TEfxControl{Label, ekSpin, Byte, Balance, 0, 100, 1, 70}; }
// A spin of a display with its fixed code range.
TEfxControl D(const char* Label, TEditType Display, int Byte) {
    int width = 60;
    if (Display == Int005M10HZ || Display == Int005M10HZNote) width = 64;
    if (Display == Int100M8000HZ) width = 66;
    if (Display == BalanceL) width = 70;
    return TEfxControl{Label, ekSpin, Byte, Display, 0, EditTypeHighest(Display, 0), 1, width};
}
// A MinMax or MinMaxS spin with its own range and transform.
TEfxControl M(const char* Label, TEditType Display, int Byte, int Min, int Max, int Step = 1, int Offset = 0,
              int Divisor = 1) {
    return TEfxControl{Label, ekSpin, Byte, Display, Min, Max, Step, 60, Offset, Divisor};
}
TEfxControl C(const char* Label, int Byte, const char* const* Items) {
    TEfxControl c{Label, ekCombo, Byte};
    c.Items = Items;
    return c;
}
// "Phase" 0..180 in steps of 2, stored halved.
TEfxControl Phase(int Byte) { return M("Phase", MinMax, Byte, 0, 180, 2, 0, 2); }
// "Fine" -100..100 in steps of 2, stored as (code + 100) / 2.
TEfxControl Fine(const char* Label, int Byte) { return M(Label, MinMaxS, Byte, -100, 100, 2, 100, 2); }
TEfxControl Coarse(const char* Label, int Byte) { return M(Label, MinMaxS, Byte, -24, 12, 1, 24); }
TEfxControl Mode(int Byte) { return M("Mode", MinMax, Byte, 1, 5, 1, -1); }

const char* const LowFreqs[] = {"200 Hz", "400 Hz", ""};
const char* const HiFreqs[] = {"4 Khz", "8 Khz", ""};
const char* const AmpTypes[] = {"Small", "Built-In", "2-Stack", "3-Stack", ""};
const char* const WahFilters[] = {"LPF", "BPF", ""};
const char* const Speeds[] = {"Slow", "Fast", ""};
const char* const PostGains[] = {"x1", "x2", "x4", "x8", ""};
const char* const Ratios[] = {"1.5:1", "2:1", "4:1", "100:1", ""};
const char* const FilterTypes[] = {"Off", "LPF", "BPF", ""};
const char* const FeedbackModes[] = {"Normal", "Cross", ""};
const char* const Phases[] = {"Normal", "Invert", ""};
const char* const ReverbTypes[] = {"Room 1", "Room 2", "Stage 1", "Stage2", "Hall 1", "Hall 2", ""};
const char* const GateTypes[] = {"Normal", "Revers", "Sweep1", "Sweep2", ""};

TEfxType DriveType() {
    return {{S("Drive", 13), S("Level", 18), G("Low Gain ", 16), G("Hi Gain ", 17), C("Amp Type", 15, AmpTypes),
             P("Pan", 14)},
            "Drive",
            "Pan"};
}
TEfxType DriveChorusType() {
    return {{S("Drive", 13), P("Pan", 14), D("Pre Delay", Int0M500ms, 15), D("Rate", Int005M10HZ, 16), S("Depth", 17),
             B("Balance", 19), L(20)},
            "Pan",
            "Balance"};
}
TEfxType DriveFlangerType() {
    return {{S("Drive", 13), P("Pan", 14), D("Pre Delay", Int0M500ms, 15), D("Rate", Int005M10HZ, 16), S("Depth", 17),
             F("Feedback", 18), B("Balance", 19), L(20)},
            "Pan",
            "Balance"};
}
TEfxType DriveDelayType() {
    return {{S("Drive", 13), P("Pan", 14), D("Delay", Int0M500ms, 15), F("Feedback", 16),
             D("HF Damp", Int200M8000HZBP, 17), B("Balance", 18), L(19)},
            "Pan",
            "Balance"};
}
TEfxType ChorusDelayType() {
    return {{D("Delay", Int0M100ms, 13), D("Chorus Rate", Int005M10HZ, 14), S("Chorus Depth", 15),
             B("Chorus Balance", 17), D("Delay", Int0M500ms, 18), F("Dly Feedback", 19),
             D("HF Damp", Int200M8000HZBP, 20), B("Dly Balance", 21), L(22)},
            "Cho Balance",
            "Dly Balance"};
}
TEfxType FlangerDelayType() {
    return {{D("Flg Pre Dly", Int0M100ms, 13), D("Flg Rate", Int005M10HZ, 14), S("Flg Depth", 15),
             F("Flg Feedback", 16), B("Flg Balance", 17), D("Delay", Int0M500ms, 18), F("Dly Feedback", 19),
             D("HF Damp", Int200M8000HZBP, 20), B("Dly Balance", 21), L(22)},
            "Flg Balance",
            "Dly Balance"};
}
TEfxType ChorusFlangerType() {
    return {{D("Cho Pre Dly", Int0M100ms, 13), D("Cho Rate", Int005M10HZ, 14), S("Cho Depth", 15), B("Cho Bal", 16),
             D("Flg Pre Dly", Int0M100ms, 17), D("Flg Rate", Int005M10HZ, 18), S("Flg Depth", 19),
             F("Flg Feedback", 20), B("Flg Balance", 21), L(22)},
            "Cho Balance",
            "Flg Balance"};
}

// The controls of the 40 types, in creation order (type n at index n - 1).
const std::vector<TEfxType>& EfxTypes() {
    static const std::vector<TEfxType> types = {
        // 1 Stereo Equalizer
        {{C("Low Freq", 13, LowFreqs), G("Low Gain ", 14), C("Hi Freq", 15, HiFreqs), G("Hi Gain ", 16),
          D("P1 Freq", Int200M8000HZ, 17), D("P1 Q", Int05M90, 18), G("P1 Gain ", 19), D("P2 Freq", Int200M8000HZ, 20),
          D("P2 Q", Int05M90, 21), G("P2 Gain ", 22), S("Level Output", 23)},
         "Level",
         "----------"},
        DriveType(),  // 2 Overdrive
        DriveType(),  // 3 Distorsion
        // 4 Phaser
        {{D("Manual", Int100M8000HZ, 13), D("Rate", Int005M10HZ, 14), S("Depth", 15), S("Resonance", 16),
          S("Mix Level", 17), P("Pan", 18), L(19)},
         "Manual",
         "Rate"},
        // 5 Spectrum
        {{G("Band 1", 13), G("Band 2", 14), G("Band 3", 15), G("Band 4", 16), G("Band 5", 17), G("Band 6", 18),
          G("Band 7", 19), G("Band 8", 20), M("Width ", MinMax, 21, 1, 5, 1, -1), P("Pan", 22), L(23)},
         "Pan",
         "Level"},
        // 6 Enhancer
        {{S("Sens", 13), S("Mix Level", 14), G("Low Gain", 15), G("Hi Gain", 16), L(17)}, "Sens", "Mix"},
        // 7 Auto-Waw
        {{C("Filter Type", 13, WahFilters), S("Sens", 16), S("Manual", 17), S("Peak", 18), D("Rate", Int005M10HZ, 14),
          S("Depth", 15), L(19)},
         "Rate",
         "Manual"},
        // 8 Rotary
        {{D("Low Slow", Int005M10HZ, 14), D("Low Fast", Int005M10HZ, 16), M("Low Accel", MinMax, 19, 0, 15),
          S("Low Level", 21), D("Hi Slow Rate", Int005M10HZ, 13), D("Hi Fast Rate", Int005M10HZ, 15),
          M("Hi Accel", MinMax, 18, 0, 15), S("Hi Level", 20), S("Separation", 22), C("Speed", 17, Speeds), L(23)},
         "Speed",
         "Level"},
        // 9 Compressor
        {{S("Attack", 14), S("Sustain", 13), C("Post Gain", 16, PostGains), G("Low Gain", 17), G("Hi Gain", 18),
          P("Pan", 15, false), L(19)},
         "Pan",
         "Level"},
        // 10 Limiter
        {{S("Threshold", 13), C("Ratio", 15, Ratios), S("Release", 14), C("Post Gain", 17, PostGains),
          G("Low Gain", 18), G("Hi Gain", 19), P("Pan", 16, false), L(20)},
         "Pan",
         "Level"},
        // 11 Hexa-Chorus
        {{D("Pre Delay", Int0M100ms, 13), D("Rate", Int005M10HZ, 14), S("Depth", 15), M("Dly Dev", MinMax, 16, 0, 20),
          M("Dpt Dev", MinMaxS, 17, -20, 20, 1, 20), M("Pan Dev", MinMax, 18, 0, 20), B("Balance", 19), L(20)},
         "Rate",
         "Balance"},
        // 12 Tremolo-Chorus
        {{D("Pre Delay", Int0M100ms, 13), D("Chorus Rate", Int005M10HZ, 14), S("Chorus Depth", 15), Phase(18),
          D("Tremolo Rate", Int005M10HZ, 16), S("Tremolo Sep", 17), B("Balance", 19), L(20)},
         "Trm Rate",
         "Balance"},
        // 13 Space-D
        {{D("Pre Delay", Int0M100ms, 13), D("Chorus Rate", Int005M10HZ, 14), S("Chorus Depth", 15), Phase(18),
          G("Low Gain", 16), G("Hi Gain", 17), B("Balance", 19), L(20)},
         "Rate",
         "Balance"},
        // 14 Stereo-Chorus
        {{D("Pre Delay", Int0M100ms, 15), D("Chorus Rate", Int005M10HZ, 16), S("Chorus Depth", 17), Phase(18),
          C("Filter Type", 13, FilterTypes), D("Cutoff", Int200M8000HZ, 14), G("Low Gain", 20), G("Hi Gain", 21),
          B("Balance", 22), L(23)},
         "Rate",
         "Balance"},
        // 15 Stereo-Flanger
        {{D("Pre Delay", Int0M100ms, 15), D("LFO Rate", Int005M10HZ, 16), S("LFO Depth", 17), F("Feedback", 19),
          Phase(18), C("Filter Type", 13, FilterTypes), D("Cutoff", Int200M8000HZ, 14), G("Low Gain", 20),
          G("Hi Gain", 21), B("Balance", 22), L(23)},
         "Rate",
         "Feedback"},
        // 16 Step-Flanger
        {{D("Pre Delay", Int0M100ms, 13), D("LFO Rate", Int005M10HZ, 14), S("LFO Depth", 15), F("Feedback", 16, 60),
          Phase(18), D("Step Rate", Int005M10HZNote, 17), G("Low Gain", 19), G("Hi Gain", 20), B("Balance", 21), L(22)},
         "Step Rate",
         "Feedback"},
        // 17 Stereo-Delay
        {{D("Delay L", Int0M500ms, 14), D("Delay R", Int0M500ms, 15), F("Feedback", 18),
          C("FeedBack Mode", 13, FeedbackModes), C("Phase L", 16, Phases), C("Phase R", 17, Phases),
          D("HF Damp", Int200M8000HZBP, 19), G("Low Gain", 20), G("Hi Gain", 21), B("Balance", 22), L(23)},
         "Feedback",
         "Balance"},
        // 18 Modulation-Delay
        {{D("Delay L", Int0M500ms, 14), D("Delay R", Int0M500ms, 15), F("Feedback", 16),
          C("FeedBack Mode", 13, FeedbackModes), D("Rate", Int005M10HZ, 18), S("Depth", 19), Phase(20),
          D("HF Damp", Int200M8000HZBP, 17), G("Low Gain", 21), G("Hi Gain", 22), B("Balance", 23), L(24)},
         "Rate",
         "Balance"},
        // 19 Triple-Tap-Delay
        {{D("Delay C", Int200M1000msNote, 15), D("Delay L", Int200M1000msNote, 13), D("Delay R", Int200M1000msNote, 14),
          F("Feedback", 16), S("Level C", 20), S("Level L", 18), S("Level R", 19), D("HF Damp", Int200M8000HZBP, 17),
          G("Low Gain", 21), G("Hi Gain", 22), B("Balance", 23), L(24)},
         "FeedBack",
         "Balance"},
        // 20 Quadruple-Tap-Delay
        {{D("Delay 1", Int200M1000msNote, 13), D("Delay 2", Int200M1000msNote, 14), D("Delay 3", Int200M1000msNote, 15),
          D("Delay 4", Int200M1000msNote, 16), S("Level 1", 17), S("Level 2", 18), S("Level 3", 19), S("Level 4", 20),
          F("Feedback", 21), D("HF Damp", Int200M8000HZBP, 22), B("Balance", 23), L(24)},
         "Feedback",
         "Balance"},
        // 21 Time-Control-delay
        {{D("Delay", Int200M1000ms, 13), M("Accel", MinMax, 15, 0, 15), F("Feedback", 14), P("Pan", 17),
          D("HF Damp", Int200M8000HZBP, 16), G("Low Gain", 18), G("Hi Gain", 19), B("Balance", 20), L(21)},
         "Delay",
         "Feedback"},
        // 22 Voice-Pitch-Shifter
        {{Coarse("Coarse A", 14), Fine("Fine A", 16), P("Pan A", 20), D("Pre Delay A", Int0M500ms, 18),
          Coarse("Coarse B", 15), Fine("Fine B", 17), P("Pan B", 21), D("Pre Delay B", Int0M500ms, 19), Mode(13),
          D("Level Bal", BalanceL, 22), B("Balance", 23), L(24)},
         "Coarse A",
         "Coarse B"},
        // 23 FBK-Pitch-Shifter
        {{Coarse("Coarse", 14), Fine("Fine", 15), P("Pan", 18), D("Pre Delay", Int0M500ms, 16), Mode(13),
          F("Feedback", 17), G("Low Gain", 19), G("Hi Gain", 20), B("Balance", 21), L(22)},
         "Coarse",
         "Feedback"},
        // 24 Reverb
        {{C("Rverb Type", 13, ReverbTypes), D("Pre Delay", Int0M500ms, 14), S("Time", 15),
          D("HF Damp", Int200M8000HZBP, 16), G("Low Gain", 17), G("Hi Gain", 18), B("Balance", 19), L(20)},
         "Time",
         "Balance"},
        // 25 Gate-Reverb: the gate time 5..500 ms in steps of 5 travels as its step number 0..99.
        {{C("Rverb Type", 13, GateTypes), D("Pre Delay", Int0M500ms, 14), M("Gate Time", MinMax, 15, 5, 500, 5, -5, 5),
          G("Low Gain", 16), G("Hi Gain", 17), B("Balance", 18), L(19)},
         "Balance",
         "Level"},
        DriveChorusType(),   // 26 Overdrive -> Chorus
        DriveFlangerType(),  // 27 Overdrive -> Flanger
        DriveDelayType(),    // 28 Overdrive -> Delay
        DriveChorusType(),   // 29 Distorsion -> Chorus
        DriveFlangerType(),  // 30 Distorsion -> Flanger
        DriveDelayType(),    // 31 Distorsion -> Delay
        // 32 Enhancer -> Chorus
        {{S("Sens", 13), S("Mix", 14), D("Pre Delay", Int0M100ms, 15), D("Rate", Int005M10HZ, 16), S("Depth", 17),
          B("Balance", 19), L(20)},
         "Sens",
         "Balance"},
        // 33 Enhancer -> Flanger
        {{S("Sens", 13), S("Mix", 14), D("Pre Delay", Int0M500ms, 15), D("Rate", Int005M10HZ, 16), S("Depth", 17),
          F("Feedback", 18), B("Balance", 19), L(20)},
         "Sens",
         "Balance"},
        // 34 Enhancer -> Delay
        {{S("Sens", 13), S("Mix", 14), D("Delay", Int0M500ms, 15), F("Feedback", 16), D("HF Damp", Int200M8000HZBP, 17),
          B("Balance", 19), L(20)},
         "Sens",
         "Balance"},
        ChorusDelayType(),    // 35 Chorus -> Delay
        FlangerDelayType(),   // 36 Flanger -> Delay
        ChorusFlangerType(),  // 37 Chorus -> Flanger
        ChorusDelayType(),    // 38 Chorus / Delay
        FlangerDelayType(),   // 39 Flanger / Delay
        ChorusFlangerType(),  // 40 Chorus / Flanger
    };
    return types;
}

const TEfxType* EfxTypeOf(int Type) {
    if (Type < 1 || Type > EfxTypeCount) return nullptr;
    return &EfxTypes()[static_cast<std::size_t>(Type - 1)];
}

const TEfxControl* EfxControlOf(int Type, int Number) {
    const TEfxType* type = EfxTypeOf(Type);
    if (type == nullptr || Number < 1 || static_cast<std::size_t>(Number) > type->Controls.size()) return nullptr;
    return &type->Controls[static_cast<std::size_t>(Number - 1)];
}

// The byte a control's value writes, and the value a byte shows (kept inside the control's range).
int ByteOfValue(const TEfxControl& C, int Value) { return (Value + C.Offset) / C.Divisor; }
int ValueOfByte(const TEfxControl& C, int Byte) { return ClampToRange(Byte * C.Divisor - C.Offset, C.Min, C.Max); }

// Run-time controls are drawn in the small font.
void SetSmallFont(TFont* Font) {
    Font->SetName("Small Fonts");
    Font->SetHeight(-9);
    Font->SetColor(clBlack);
}

}  // namespace

const TFormResource* TFormEffect::FormResource() const { return &formres::Ueeffect; }

void TFormEffect::DefineBindings(TFormBindings& B) {
    DefineProtocolBindings(B);
    B.Field("TabbedNotebook1", TabbedNotebook1);
    B.Field("Panelbtn", Panelbtn);
    B.Field("BtnUndo", BtnUndo);
    B.Field("BtnRevert", BtnRevert);
    B.Field("Btnclose", Btnclose);
    B.Field("Timer", Timer);
    B.Field("Panel30", Panel30);
    B.Field("Outputassign", Outputassign);
    B.Field("EfxOutputlevel", EfxOutputlevel);
    B.Field("EfxChorusSendLevel", EfxChorusSendLevel);
    B.Field("EfxReverbsendlevel", EfxReverbsendlevel);
    B.Field("LabelCtrl1", LabelCtrl1);
    B.Field("LabelCtrl2", LabelCtrl2);
    B.Field("EFXCtrlSource1", EFXCtrlSource1);
    B.Field("EfxCtrlSource2", EfxCtrlSource2);
    B.Field("EfxCtrlDepth1", EfxCtrlDepth1);
    B.Field("EfxCtrlDepth2", EfxCtrlDepth2);
    B.Field("Panelefxsource", Panelefxsource);
    B.Field("efxsource", efxsource);
    B.Field("Panel3", Panel3);
    B.Field("ChorusLevel", ChorusLevel);
    B.Field("ChorusRate", ChorusRate);
    B.Field("ChorusDepth", ChorusDepth);
    B.Field("ChorusPredelay", ChorusPredelay);
    B.Field("Chorusfeedback", Chorusfeedback);
    B.Field("ChorusOutputassign", ChorusOutputassign);
    B.Field("Panel4", Panel4);
    B.Field("Reverbtype", Reverbtype);
    B.Field("Reverblevel", Reverblevel);
    B.Field("ReverbTime", ReverbTime);
    B.Field("Reverbfeedback", Reverbfeedback);
    B.Field("Panel7", Panel7);
    B.Field("Precedente", Precedente);
    B.Field("Successivo", Successivo);
    B.Field("Image1", Image1);
    B.Field("PanelEFX", PanelEFX);
    B.Field("Panel15", Panel15);
    B.Field("EFXType", EFXType);
    B.Field("Panel23", Panel23);
    B.Field("Image2", Image2);
    using N = TNotifyEvent;
    const auto bind = [&B, this](const char* Name, void (TFormEffect::*Handler)(TObject*)) {
        B.Handler<N>(Name, [this, Handler](TObject* s) { (this->*Handler)(s); });
    };
    bind("EFXTypeChange", &TFormEffect::EFXTypeChange);
    bind("OutputassignChange", &TFormEffect::OutputassignChange);
    bind("EfxOutputlevelEndchange", &TFormEffect::EfxOutputlevelEndchange);
    bind("EfxChorusSendLevelEndchange", &TFormEffect::EfxChorusSendLevelEndchange);
    bind("EfxReverbsendlevelEndchange", &TFormEffect::EfxReverbsendlevelEndchange);
    bind("EFXCtrlSource1Change", &TFormEffect::EFXCtrlSource1Change);
    bind("EfxCtrlSource2Change", &TFormEffect::EfxCtrlSource2Change);
    bind("EfxCtrlDepth1Endchange", &TFormEffect::EfxCtrlDepth1Endchange);
    bind("EfxCtrlDepth2Endchange", &TFormEffect::EfxCtrlDepth2Endchange);
    bind("efxsourceChange", &TFormEffect::efxsourceChange);
    bind("ChorusLevelEndchange", &TFormEffect::ChorusLevelEndchange);
    bind("ChorusRateEndchange", &TFormEffect::ChorusRateEndchange);
    bind("ChorusDepthEndchange", &TFormEffect::ChorusDepthEndchange);
    bind("ChorusPredelayEndchange", &TFormEffect::ChorusPredelayEndchange);
    bind("ChorusfeedbackEndchange", &TFormEffect::ChorusfeedbackEndchange);
    bind("ChorusOutputassignChange", &TFormEffect::ChorusOutputassignChange);
    bind("ReverbtypeChange", &TFormEffect::ReverbtypeChange);
    bind("ReverblevelEndchange", &TFormEffect::ReverblevelEndchange);
    bind("ReverbTimeEndchange", &TFormEffect::ReverbTimeEndchange);
    bind("ReverbfeedbackEndchange", &TFormEffect::ReverbfeedbackEndchange);
    bind("PrecedenteClick", &TFormEffect::PrecedenteClick);
    bind("SuccessivoClick", &TFormEffect::SuccessivoClick);
    bind("TimerTimer", &TFormEffect::TimerTimer);
    B.Handler<TPageChangeEvent>("TabbedNotebook1Change",
                                [this](TObject* s, int tab, bool& allow) { TabbedNotebook1Change(s, tab, allow); });
}

TFormEffect* TFormEffect::Open(TComponent* Owner, TLibElem& Element, int OfPatch) {
    auto* patch = OfPatch != 0 ? dynamic_cast<TPatch*>(&Element) : nullptr;
    auto* performance = OfPatch == 0 ? dynamic_cast<TPerformance*>(&Element) : nullptr;
    if (patch == nullptr && performance == nullptr) return nullptr;
    TEditorSlot& slot = patch != nullptr ? patch->Common->Editors[TCommon::ceEffects]
                                         : performance->Common->Editors[TPerformanceCommon::ceEffects];
    if (slot.EditorOpen != 0) {
        auto* open = dynamic_cast<TFormEffect*>(slot.EditorForm);
        if (open != nullptr) open->BringToFront();
        return open;
    }
    OpeningEffectPatch = patch;
    OpeningEffectPerformance = performance;
    OpeningEffectOfPatch = OfPatch != 0 ? 1 : 0;
    TFormEffect* form = nullptr;
    {
        TScopeExit done([] {
            OpeningEffectPatch = nullptr;
            OpeningEffectPerformance = nullptr;
        });
        form = Construct<TFormEffect>(Owner);
    }
    form->Show();
    return form;
}

// ------------------------------------------------------------------------------------------ the protocol

TLibElem* TFormEffect::Element() const {
    if (EffectOfPatch != 0) return EditPatch;
    return EditPerformance;
}

void TFormEffect::TakeOpenerVariables() {
    EffectOfPatch = OpeningEffectOfPatch != 0 ? 1 : 0;
    EditPatch = EffectOfPatch != 0 ? OpeningEffectPatch : nullptr;
    EditPerformance = EffectOfPatch == 0 ? OpeningEffectPerformance : nullptr;
    HelpContext = HelpContextNumber();
}

TEditorSlot* TFormEffect::EditorSlot() const {
    if (EditPatch != nullptr) return &EditPatch->Common->Editors[TCommon::ceEffects];
    if (EditPerformance != nullptr) return &EditPerformance->Common->Editors[TPerformanceCommon::ceEffects];
    return nullptr;
}

int TFormEffect::CurrentUndoIndex() const { return TabbedNotebook1 != nullptr ? TabbedNotebook1->GetPageIndex() : 0; }

void TFormEffect::CloseSteps() {
    // A fetch that still waits ends with the window: the input goes back to the main window.
    if (Timer != nullptr) Timer->SetEnabled(false);
    GiveBackMidiInput();
    TEditorForm::CloseSteps();
}

void TFormEffect::MakeCurrent() {
    if (EditPatch != nullptr) MakeCurrentPatch(EditPatch);
    else if (EditPerformance != nullptr) MakeCurrentPerformance(EditPerformance);
}

void TFormEffect::ForgetElement() {
    EditPatch = nullptr;
    EditPerformance = nullptr;
}

std::uint8_t TFormEffect::GetParam(int Position) const { return ReadByte(Position); }

void TFormEffect::SetParam(int Position, std::uint8_t Value) { WriteEfxByte(Position, Value); }

void TFormEffect::PutParam(int Position, std::uint8_t Value) {
    if (EditPatch != nullptr) EditPatch->Common->Data()[CommonPosition(Position)] = Value;
    else if (EditPerformance != nullptr) EditPerformance->Common->Data()[CommonPosition(Position)] = Value;
}

void TFormEffect::SendBlockToTemp() {
    if (EditPatch != nullptr) EditPatch->Common->SendToTemp();
    else if (EditPerformance != nullptr) EditPerformance->Common->SendToTemp();
}

std::uint8_t TFormEffect::ReadByte(int Position) const {
    if (EditPatch != nullptr) return EditPatch->Common->GetParam(CommonPosition(Position));
    if (EditPerformance != nullptr) return EditPerformance->Common->GetParam(CommonPosition(Position));
    return 0;
}

void TFormEffect::WriteEfxByte(int Position, std::uint8_t Value) {
    if (EditPatch != nullptr) EditPatch->Common->SetParam(CommonPosition(Position), Value);
    else if (EditPerformance != nullptr) EditPerformance->Common->SetParam(CommonPosition(Position), Value);
}

void TFormEffect::FormCreate(TObject* Sender) {
    TEditorForm::FormCreate(Sender);
    for (TImage* image : {Image1, Image2})
        if (image != nullptr) image->Picture()->SetSize(image->GetWidth(), image->GetHeight());
    FormResize(this);
}

void TFormEffect::FormShow(TObject*) {
    if (Closed() || Element() == nullptr) return;
    HelpContext = HelpContextNumber();
    FirstEfxReply = 1;
    TabbedNotebook1->SetPageIndex(0);
    UpDateView(true);
}

void TFormEffect::UpdateElementView() {
    if (!Closed() && Element() != nullptr) UpDateView(true);
}

void TFormEffect::UpDateView(bool RebuildEFX) {
    if (Element() == nullptr) return;
    InUpdateView = 1;
    TScopeExit filled([this] { InUpdateView = 0; });
    const auto b = [this](int Position) { return static_cast<int>(ReadByte(Position)); };
    const std::string name = EditPatch != nullptr ? EditPatch->GetName() : EditPerformance->Common->GetName();
    SetCaption(name + " [Effects] [Loc : " + OwnerPathText(Element()) + "]");
    const bool performance = EffectOfPatch == 0;
    Panelefxsource->SetVisible(performance);
    EfxReverbsendlevel->SetLeft(performance ? 8 : 78);
    EfxChorusSendLevel->SetLeft(performance ? 152 : 222);
    // A stored byte that no control can show is shown as the nearest valid value; nothing is written.
    Outputassign->SetItemIndex(b(pOutputAssign));
    EFXCtrlSource1->SetItemIndex(b(pCtrlSource1));
    EfxCtrlSource2->SetItemIndex(b(pCtrlSource2));
    Reverbtype->SetItemIndex(b(pReverbType));
    if (performance) efxsource->SetItemIndex(EditPerformance->Common->GetParam(PerformanceEfxSource));
    ChorusOutputassign->SetItemIndex(b(pChorusOutput));
    EfxOutputlevel->SetValue(b(pOutputLevel));
    EfxCtrlDepth1->SetValue(b(pCtrlDepth1) - 63);
    EfxCtrlDepth2->SetValue(b(pCtrlDepth2) - 63);
    EfxReverbsendlevel->SetValue(b(pReverbSend));
    EfxChorusSendLevel->SetValue(b(pChorusSend));
    ChorusLevel->SetValue(b(pChorusLevel));
    ChorusRate->SetValue(b(pChorusRate));
    ChorusDepth->SetValue(b(pChorusDepth));
    ChorusPredelay->SetValue(b(pChorusPredelay));
    Chorusfeedback->SetValue(b(pChorusFeedback));
    Reverblevel->SetValue(b(pReverbLevel));
    ReverbTime->SetValue(b(pReverbTime));
    Reverbfeedback->SetValue(b(pReverbFeedback));
    HFDampIndex = ClampToRange(b(pReverbDamp), 0, DampSteps - 1);
    DrawReverbDamp();
    EFXType->SetItemIndex(b(pEfxType));
    if (RebuildEFX) InsertEFX();
    SetEFXParam();
    CheckBtnEnabled();
}

void TFormEffect::TabbedNotebook1Change(TObject*, int NewTab, bool&) {
    // The buttons follow the history of the page being entered.
    const bool any = NewTab >= 0 && static_cast<std::size_t>(NewTab) < UndoList.size() &&
                     UndoList[static_cast<std::size_t>(NewTab)]->Count() > 0;
    if (BtnUndo != nullptr) BtnUndo->SetEnabled(any);
    if (BtnRevert != nullptr) BtnRevert->SetEnabled(any);
}

// ---------------------------------------------------------------------------------------------- page 1

void TFormEffect::OutputassignChange(TObject*) { SendandStore(pOutputAssign, Outputassign->GetItemIndex()); }
void TFormEffect::EfxOutputlevelEndchange(TObject*) { SendandStore(pOutputLevel, EfxOutputlevel->GetValue()); }
void TFormEffect::EfxChorusSendLevelEndchange(TObject*) { SendandStore(pChorusSend, EfxChorusSendLevel->GetValue()); }
void TFormEffect::EfxReverbsendlevelEndchange(TObject*) { SendandStore(pReverbSend, EfxReverbsendlevel->GetValue()); }
void TFormEffect::EFXCtrlSource1Change(TObject*) { SendandStore(pCtrlSource1, EFXCtrlSource1->GetItemIndex()); }
void TFormEffect::EfxCtrlSource2Change(TObject*) { SendandStore(pCtrlSource2, EfxCtrlSource2->GetItemIndex()); }
void TFormEffect::EfxCtrlDepth1Endchange(TObject*) { SendandStore(pCtrlDepth1, EfxCtrlDepth1->GetValue() + 63); }
void TFormEffect::EfxCtrlDepth2Endchange(TObject*) { SendandStore(pCtrlDepth2, EfxCtrlDepth2->GetValue() + 63); }
void TFormEffect::ChorusLevelEndchange(TObject*) { SendandStore(pChorusLevel, ChorusLevel->GetValue()); }
void TFormEffect::ChorusRateEndchange(TObject*) { SendandStore(pChorusRate, ChorusRate->GetValue()); }
void TFormEffect::ChorusDepthEndchange(TObject*) { SendandStore(pChorusDepth, ChorusDepth->GetValue()); }
void TFormEffect::ChorusPredelayEndchange(TObject*) { SendandStore(pChorusPredelay, ChorusPredelay->GetValue()); }
void TFormEffect::ChorusfeedbackEndchange(TObject*) { SendandStore(pChorusFeedback, Chorusfeedback->GetValue()); }
void TFormEffect::ChorusOutputassignChange(TObject*) {
    SendandStore(pChorusOutput, ChorusOutputassign->GetItemIndex());
}
void TFormEffect::ReverbtypeChange(TObject*) { SendandStore(pReverbType, Reverbtype->GetItemIndex()); }
void TFormEffect::ReverblevelEndchange(TObject*) { SendandStore(pReverbLevel, Reverblevel->GetValue()); }
void TFormEffect::ReverbTimeEndchange(TObject*) { SendandStore(pReverbTime, ReverbTime->GetValue()); }
void TFormEffect::ReverbfeedbackEndchange(TObject*) { SendandStore(pReverbFeedback, Reverbfeedback->GetValue()); }

void TFormEffect::efxsourceChange(TObject*) {
    // The source is stored and sent without an undo record; the performance still counts as changed, so
    // that closing its library offers to save it.
    if (InUpdateView != 0 || Closed() || EditPerformance == nullptr) return;
    const int index = efxsource->GetItemIndex();
    if (index < 0 || index >= 0x80) return;
    EditPerformance->Common->SetParam(PerformanceEfxSource, static_cast<std::uint8_t>(index));
    TouchElement(EditPerformance);
}

void TFormEffect::StepDamp(int Step) {
    const int next = HFDampIndex + Step;
    if (next < 0 || next > DampSteps - 1) return;
    HFDampIndex = next;
    DrawReverbDamp();
    SendandStore(pReverbDamp, HFDampIndex);
}

void TFormEffect::PrecedenteClick(TObject*) { StepDamp(-1); }
void TFormEffect::SuccessivoClick(TObject*) { StepDamp(1); }

// ------------------------------------------------------------------------------------- the EFX panel

void TFormEffect::GetEFXCoord(int N) {
    if (N >= 1 && N <= 5) {
        ParamLeft = 8;
        ParamTop = 57 * N - 49;
    } else if (N >= 6 && N <= 10) {
        ParamLeft = 452;
        ParamTop = 57 * N - 334;
    } else if (N == 11) {
        ParamLeft = 156;
        ParamTop = 236;
    } else if (N == 12) {
        ParamLeft = 304;
        ParamTop = 236;
    }
}

void TFormEffect::RemoveAll() {
    // Freeing a panel frees the controls on it, which the form owns too: the list is searched again after
    // every free, so that nothing is freed twice.
    for (;;) {
        TComponent* tagged = nullptr;
        for (int i = 0; i < ComponentCount() && tagged == nullptr; ++i)
            if (Components(i)->Tag > 0) tagged = Components(i);
        if (tagged == nullptr) break;
        delete tagged;
    }
}

TPanel* TFormEffect::NewParamPanel() {
    GetEFXCoord(NextParamId);
    auto* panel = new TPanel(this);
    panel->Tag = NextParamId;
    panel->SetBounds(ParamLeft, ParamTop, 141, 51);
    panel->SetBorderStyle(bsSingle);
    panel->SetBevelWidth(2);
    panel->SetParent(PanelEFX);
    return panel;
}

void TFormEffect::InsertSlider(const std::string& Label, bool Stereo, int Min, int Max) {
    GetEFXCoord(NextParamId);
    auto* slider = new TPanSlider(this);
    slider->Tag = NextParamId;
    slider->SetName("Param" + std::to_string(NextParamId));
    slider->SetBounds(ParamLeft, ParamTop, 141, 51);
    slider->SetBorderStyle(bsSingle);
    slider->SetBevelWidth(2);
    slider->SetVertical(false);
    slider->SetSLeft(10);
    slider->SetSTop(23);
    slider->SetSWidth(120);
    slider->SetSHeight(20);
    slider->SetELeft(100);
    slider->SetETop(6);
    slider->SetEWidth(28);
    slider->SetEHeight(15);
    slider->SetThumbColor(static_cast<TColor>(0xFF8080));
    slider->SetTrackColor(clAqua);
    slider->SetThumbHeight(9);
    slider->SetTrackWidth(7);
    SetSmallFont(slider->Font());
    slider->SetStereo(Stereo);
    slider->SetMin(Min);
    slider->SetMax(Max);
    slider->OnEndchange = [this](TObject* s) { EFXEndChange(s); };
    slider->SetParent(PanelEFX);
    auto* label = new TLabel(this);
    label->Tag = NextParamId;
    SetSmallFont(label->Font());
    label->SetCaption(Label);
    label->SetLeft(8);
    label->SetTop(7);
    label->SetParent(slider);
    ++NextParamId;
}

void TFormEffect::InsertSpin(const std::string& Label, int Width, TEditType Display, int Step, int Min, int Max) {
    TPanel* panel = NewParamPanel();
    auto* spin = new TMyEdit(this);
    spin->Tag = NextParamId;
    spin->SetName("Param" + std::to_string(NextParamId));
    spin->SetEditType(Display);
    spin->Min = Min;
    spin->Max = Max;
    spin->Step = Step;
    spin->SetCode(Min);
    spin->SetParent(panel);
    const int inner = panel->ClientWidth();
    // Wide enough for the longest value the field can show.
    const int width = std::max(Width, spin->WidthForValues());
    spin->SetBounds(inner - 8 - width, (panel->ClientHeight() - spin->GetHeight()) / 2, width, spin->GetHeight());
    spin->OnEndChange = [this](TObject* s) { EFXEndChange(s); };
    auto* label = new TLabel(this);
    label->Tag = NextParamId;
    SetSmallFont(label->Font());
    label->SetCaption(Label);
    label->SetParent(panel);
    label->SetLeft(8);
    label->SetTop((panel->ClientHeight() - label->GetHeight()) / 2);
    // A name too long to stand beside the field stands above it, as a combo box's name does.
    if (label->GetLeft() + label->GetWidth() + 4 > spin->GetLeft()) {
        label->SetTop(4);
        spin->SetTop(std::max(label->GetTop() + label->GetHeight(), panel->ClientHeight() - spin->GetHeight() - 2));
    }
    ++NextParamId;
}

void TFormEffect::InsertCombo(const std::string& Label, const char* const* Items) {
    TPanel* panel = NewParamPanel();
    auto* combo = new TComboBox(this);
    combo->Tag = NextParamId;
    combo->SetName("Param" + std::to_string(NextParamId));
    combo->SetStyle(csDropDownList);
    combo->SetParent(panel);
    combo->SetBounds(8, 20, panel->GetWidth() - 18, combo->GetHeight());
    for (const char* const* item = Items; item != nullptr && **item != '\0'; ++item) combo->Items()->Add(*item);
    combo->OnChange = [this](TObject* s) { EFXEndChange(s); };
    auto* label = new TLabel(this);
    label->Tag = NextParamId;
    SetSmallFont(label->Font());
    label->SetCaption(Label);
    label->SetParent(panel);
    label->SetLeft(8);
    label->SetTop(4);
    ++NextParamId;
}

void TFormEffect::InsertEFX() {
    RemoveAll();
    NextParamId = 1;
    CurrentEfxType = EFXType->GetItemIndex() + 1;
    DrawEfxDiagram();
    const TEfxType* type = EfxTypeOf(CurrentEfxType);
    if (type == nullptr) return;
    for (const TEfxControl& c : type->Controls) {
        switch (c.Kind) {
            case ekSlider: InsertSlider(c.Label, c.Stereo, c.Min, c.Max); break;
            case ekSpin: InsertSpin(c.Label, c.Width, c.Display, c.Step, c.Min, c.Max); break;
            case ekCombo: InsertCombo(c.Label, c.Items); break;
        }
    }
    LabelCtrl1->SetCaption(type->Ctrl1);
    LabelCtrl2->SetCaption(type->Ctrl2);
}

void TFormEffect::SetEFXParam() {
    const TEfxType* type = EfxTypeOf(CurrentEfxType);
    if (type == nullptr) return;
    const std::uint8_t filling = InUpdateView;
    InUpdateView = 1;
    TScopeExit filled([this, filling] { InUpdateView = filling; });
    for (std::size_t i = 0; i < type->Controls.size(); ++i) {
        const TEfxControl& c = type->Controls[i];
        TComponent* control = FindComponent("Param" + std::to_string(i + 1));
        const int byte = ReadByte(c.Byte);
        if (auto* slider = dynamic_cast<TPanSlider*>(control)) slider->SetValue(ValueOfByte(c, byte));
        else if (auto* spin = dynamic_cast<TMyEdit*>(control)) spin->SetCode(ValueOfByte(c, byte));
        else if (auto* combo = dynamic_cast<TComboBox*>(control)) combo->SetItemIndex(byte);
    }
}

void TFormEffect::EFXEndChange(TObject* Sender) {
    const auto* component = dynamic_cast<const TComponent*>(Sender);
    if (component == nullptr) return;
    const TEfxControl* c = EfxControlOf(CurrentEfxType, component->Tag);
    if (c == nullptr) return;
    int value = 0;
    if (const auto* slider = dynamic_cast<const TPanSlider*>(Sender)) value = ByteOfValue(*c, slider->GetValue());
    else if (const auto* spin = dynamic_cast<const TMyEdit*>(Sender)) value = ByteOfValue(*c, spin->GetCode());
    else if (const auto* combo = dynamic_cast<const TComboBox*>(Sender)) value = combo->GetItemIndex();
    else return;
    if (value < 0) return;
    SendandStore(c->Byte, value);
    // The delay diagrams show the feedback straight or crossed.
    if (c->Items == FeedbackModes) DrawEfxDiagram();
}

// ------------------------------------------------------------------------------------ the type and fetch

void TFormEffect::EFXTypeChange(TObject*) {
    if (Closed() || Element() == nullptr) return;
    if (TUndoList* list = UndoList.size() > 1 ? UndoList[1].get() : nullptr) list->Clear();
    CheckBtnEnabled();
    const int index = EFXType->GetItemIndex();
    if (index < 0 || index >= EfxTypeCount) return;
    WriteEfxByte(pEfxType, static_cast<std::uint8_t>(index));
    if (InUpdateView == 0) TouchElement(Element());
    if (DevicesOpen != 0 && ModelServices().MidiPorts != nullptr) {
        ReceiveEFXParam();
    } else {
        // Nothing is fetched: the panel shows and writes the new type from the stored bytes.
        InsertEFX();
        SetEFXParam();
    }
}

void TFormEffect::ReceiveEFXParam() {
    IMidiPorts* ports = ModelServices().MidiPorts;
    if (DevicesOpen == 0 || ports == nullptr || Closed() || Element() == nullptr) return;
    const std::uint32_t base = EffectOfPatch != 0 ? TempPatchBase : TempPerformanceBase;
    SendDataByte(base, 0, static_cast<std::uint16_t>(CommonPosition(pEfxType)), ReadByte(pEfxType));
    ports->SetInputHandler(nullptr);
    const int waiting = ports->PendingEventCount();
    for (int i = 0; i <= waiting; ++i) ports->NextEvent();
    TakeMidiInput([this](TObject* s) { OnEFXMidiInput(s); });
    // A fetch that replaces one still waiting gets the whole second again.
    Timer->SetEnabled(false);
    Timer->SetInterval(1000);
    Timer->SetEnabled(true);
    SendDataRequest(base, 0, static_cast<std::uint16_t>(CommonPosition(pEfxParam1)), EfxParamCount);
    // A request queued behind a send leaves later: the second counts from its departure.
    if (const std::uint32_t queued = QueuedSendsMs(); queued > 0) {
        Timer->SetEnabled(false);
        Timer->SetInterval(1000 + queued);
        Timer->SetEnabled(true);
    }
}

bool TFormEffect::IsParameterReply(const std::uint8_t* Data, std::size_t Length) const {
    // Exactly the twelve bytes asked for: a byte lost or repeated on the way would shift the others.
    const std::uint32_t base = EffectOfPatch != 0 ? TempPatchBase : TempPerformanceBase;
    return ClassifyReply(Data, Length, base + static_cast<std::uint32_t>(CommonPosition(pEfxParam1)),
                         EfxParamCount + SysexOverhead) == TReplyKind::Good;
}

void TFormEffect::OnEFXMidiInput(TObject*) {
    if (DevicesOpen == 0) return;
    Timer->SetEnabled(false);
    GiveBackMidiInput();
    IMidiPorts* ports = ModelServices().MidiPorts;
    std::unique_ptr<TMyMidiEvent> event = ports != nullptr ? ports->NextEvent() : nullptr;
    if (Closed() || Element() == nullptr) return;
    const std::size_t length = event ? std::min<std::size_t>(event->Sysex.size(), event->SysexLength) : 0;
    // Only the requested data set is stored; anything else ends the wait as a silence does.
    if (!event || !IsParameterReply(event->Sysex.data(), length)) {
        event.reset();
        TimerTimer(this);
        return;
    }
    for (int i = 0; i < EfxParamCount; ++i) PutParam(pEfxParam1 + i, event->Sysex[9 + static_cast<std::size_t>(i)]);
    AfterReceive();
}

void TFormEffect::TimerTimer(TObject*) {
    Timer->SetEnabled(false);
    GiveBackMidiInput();
    if (Closed() || Element() == nullptr) return;
    const int answer = MessageDlg("The instruments is not responding.", mtInformation, {mbOK, mbRetry}, 0);
    if (answer == mrRetry) {
        ReceiveEFXParam();
        return;
    }
    // No value is made up: the sound keeps its parameter bytes, and the instrument is given them, so
    // that it holds what the editor shows.
    std::array<std::uint8_t, EfxParamCount> kept{};
    for (int i = 0; i < EfxParamCount; ++i) kept[static_cast<std::size_t>(i)] = ReadByte(pEfxParam1 + i);
    if (DevicesOpen != 0)
        SendDataSet(EffectOfPatch != 0 ? TempPatchBase : TempPerformanceBase, 0,
                    static_cast<std::uint16_t>(CommonPosition(pEfxParam1)), kept);
    AfterReceive();
}

void TFormEffect::AfterReceive() {
    if (FirstEfxReply != 0) {
        UpDateView(true);
        for (auto& list : UndoList) list->Clear();
        CheckBtnEnabled();
        FirstEfxReply = 0;
    } else {
        InsertEFX();
        SetEFXParam();
    }
}

}  // namespace zel
