#include "app/Uemorph.h"

#include <cfenv>
#include <cmath>

#include "app/Uelibrar.h"
#include "model/Bank.h"
#include "model/Library.h"
#include "model/ModelServices.h"
#include "model/Patch.h"
#include "model/SharedRoutines.h"
#include "platform/vcl/FormReader.h"

namespace zel {

namespace formres {
extern const TFormResource Uemorph;
}

TFormMorph* FormMorph = nullptr;

namespace {
const TFormClassRegistration registration("TFormMorph", [](TComponent* Owner) -> TCustomForm* {
    return Construct<TFormMorph>(Owner);
});

constexpr int MaxFactor = 127;
constexpr int EffectTypeByte = 12;

// (1 - f) x a + f x b to the nearest whole number, an exact half to the even neighbour.
std::uint8_t Blend(std::uint8_t a, std::uint8_t b, double f) {
    return static_cast<std::uint8_t>(std::nearbyint((1.0 - f) * a + f * b));
}
}  // namespace

TFormMorph::TFormMorph(TComponent* AOwner) : TForm(AOwner) {
    if (FormMorph == nullptr) FormMorph = this;
}

TFormMorph::~TFormMorph() {
    StopTimers();
    EndOwnAudition();
    if (FormMorph == this) FormMorph = nullptr;
}

const TFormResource* TFormMorph::FormResource() const { return &formres::Uemorph; }

void TFormMorph::AfterConstruction() {
    TForm::AfterConstruction();
    Notelength->SetCode(1000);
    MorphStep->SetCode(1);
    Timer1->SetInterval(1000);
}

void TFormMorph::DefineBindings(TFormBindings& B) {
    B.Field("GroupBox1", GroupBox1);
    B.Field("Common", Common);
    B.Field("Tone1", Tone1);
    B.Field("Tone2", Tone2);
    B.Field("Tone3", Tone3);
    B.Field("Tone4", Tone4);
    B.Field("GroupBox2", GroupBox2);
    B.Field("EfxParam", EfxParam);
    B.Field("EfxOutput", EfxOutput);
    B.Field("ChorusOutput", ChorusOutput);
    B.Field("ReverbType", ReverbType);
    B.Field("OnOff", OnOff);
    B.Field("HoldPeak", HoldPeak);
    B.Field("StretchTune", StretchTune);
    B.Field("StructureType", StructureType);
    B.Field("BoosterLevel", BoosterLevel);
    B.Field("WaveNumber", WaveNumber);
    B.Field("ToneDelay", ToneDelay);
    B.Field("PanCtrl", PanCtrl);
    B.Field("LfoWaveform", LfoWaveform);
    B.Field("LfoFade", LfoFade);
    B.Field("LfoSync", LfoSync);
    B.Field("CoarseTune", CoarseTune);
    B.Field("FineTune", FineTune);
    B.Field("TvfFilter", TvfFilter);
    B.Field("TvaBias", TvaBias);
    B.Field("OutputAssign", OutputAssign);
    B.Field("GroupBox3", GroupBox3);
    B.Field("PatchEdit1", PatchEdit1);
    B.Field("PatchEdit2", PatchEdit2);
    B.Field("Slider", Slider);
    B.Field("GroupBox4", GroupBox4);
    B.Field("Notelength", Notelength);
    B.Field("GroupBox5", GroupBox5);
    B.Field("MorphStep", MorphStep);
    B.Field("Play", Play);
    B.Field("Stop", Stop);
    B.Field("CreateBank", CreateBank);
    B.Field("Btnclose", Btnclose);
    B.Field("Starter", Starter);
    B.Field("Timer1", Timer1);
    using N = TNotifyEvent;
    B.Handler<N>("FormShow", [this](TObject* s) { FormShow(s); });
    B.Handler<TCloseEvent>("FormClose", [this](TObject* s, TCloseAction& a) { FormClose(s, a); });
    B.Handler<N>("BoxClick", [this](TObject* s) { BoxClick(s); });
    B.Handler<N>("SliderEndchange", [this](TObject* s) { SliderEndchange(s); });
    B.Handler<N>("LengthChange", [this](TObject* s) { LengthChange(s); });
    B.Handler<N>("PlayClick", [this](TObject* s) { PlayClick(s); });
    B.Handler<N>("StopClick", [this](TObject* s) { StopClick(s); });
    B.Handler<N>("StarterTimer", [this](TObject* s) { StarterTimer(s); });
    B.Handler<N>("Timer1Timer", [this](TObject* s) { Timer1Timer(s); });
    B.Handler<N>("CreateBankClick", [this](TObject* s) { CreateBankClick(s); });
    B.Handler<N>("BtncloseClick", [this](TObject* s) { BtncloseClick(s); });
}

TPatch* TFormMorph::MorphPatch() const { return static_cast<TPatch*>(morph_.get()); }

// ------------------------------------------------------------------------------------------------ morphing

bool TFormMorph::CommonIncluded(int n) const {
    if (n == EffectTypeByte) return false;
    if (n >= 13 && n <= 24) return EfxParam->GetChecked() && EfxParam->GetEnabled();
    if (n >= 60 && n <= 63) return HoldPeak->GetChecked();
    switch (n) {
        case 25: return EfxOutput->GetChecked();
        case 38: return ChorusOutput->GetChecked();
        case 39: return ReverbType->GetChecked();
        case 51:
        case 54:
        case 55:
        case 56:
        case 64:
        case 67: return OnOff->GetChecked();
        case 66: return StretchTune->GetChecked();
        case 68:
        case 70: return StructureType->GetChecked();
        case 69:
        case 71: return BoosterLevel->GetChecked();
        default: return true;
    }
}

bool TFormMorph::ToneIncluded(int n) const {
    if (n >= 16 && n <= 19) return OnOff->GetChecked();
    switch (n) {
        case 0:
        case 46:
        case 54: return OnOff->GetChecked();
        case 3: return WaveNumber->GetChecked();
        case 9: return ToneDelay->GetChecked();
        case 20: return PanCtrl->GetChecked();
        case 45:
        case 53: return LfoWaveform->GetChecked();
        case 50:
        case 58: return LfoFade->GetChecked();
        case 52:
        case 60: return LfoSync->GetChecked();
        case 61: return CoarseTune->GetChecked();
        case 62: return FineTune->GetChecked();
        case 80: return TvfFilter->GetChecked();
        case 102: return TvaBias->GetChecked();
        case 125: return OutputAssign->GetChecked();
        default: return true;
    }
}

void TFormMorph::Morph(int M) {
    TPatch* morph = MorphPatch();
    if (morph == nullptr || PatchA == nullptr || PatchB == nullptr) return;
    const double f = static_cast<double>(M) / MaxFactor;
    morph->Assign(PatchA);
    // The name (bytes 0-11) is never blended.
    if (Common->GetChecked()) {
        for (int n = 12; n < 72; ++n)
            if (CommonIncluded(n))
                morph->Common->Data()[n] = Blend(PatchA->Common->Data()[n], PatchB->Common->Data()[n], f);
    }
    TCheckBox* const toneBoxes[] = {Tone1, Tone2, Tone3, Tone4};
    for (int k = 1; k <= ToneCount; ++k) {
        if (!toneBoxes[k - 1]->GetChecked()) continue;
        const std::uint8_t* a = PatchA->Tone(k).Data();
        const std::uint8_t* b = PatchB->Tone(k).Data();
        std::uint8_t* to = morph->Tone(k).Data();
        for (int n = 0; n < 129; ++n)
            if (ToneIncluded(n)) to[n] = Blend(a[n], b[n], f);
    }
}

void TFormMorph::MorphSendAndAudition() {
    Morph(Slider->GetValue());
    if (MorphPatch() != nullptr) MorphPatch()->Transmit(true);
    Starter->SetEnabled(false);
    Starter->SetEnabled(true);
}

void TFormMorph::EndOwnAudition() {
    if (!auditioning_) return;
    auditioning_ = false;
    StopPreview();
}

void TFormMorph::EndAudition() {
    auditioning_ = false;
    StopPreview();
}

void TFormMorph::StopTimers() {
    if (Starter != nullptr) Starter->SetEnabled(false);
    if (Timer1 != nullptr) Timer1->SetEnabled(false);
}

// ------------------------------------------------------------------------------------------------ showing

void TFormMorph::FormShow(TObject*) {
    if (PatchA == nullptr || PatchB == nullptr) return;
    morph_ = CreateElementOfType(etPatch, PatchA->Owner);
    playing_ = false;
    EfxParam->SetEnabled(PatchA->Common->Data()[EffectTypeByte] == PatchB->Common->Data()[EffectTypeByte]);
    PatchEdit1->SetText(PatchA->GetName());
    PatchEdit2->SetText(PatchB->GetName());
    Slider->SetValue(0);
    Morph(0);
    MorphPatch()->Transmit(true);
}

void TFormMorph::FormClose(TObject*, TCloseAction&) {
    // However the window closes (its close box, Close, Create Bank), a note it started goes off and a
    // file it plays stops with the ports opened again, as the Close button ends them.
    StopTimers();
    EndOwnAudition();
    playing_ = false;
    morph_.reset();
}

// ----------------------------------------------------------------------------------------------- playback

void TFormMorph::BoxClick(TObject*) {
    if (morph_ == nullptr) return;  // the boxes set while the form is read
    playing_ = false;
    MorphSendAndAudition();
}

void TFormMorph::SliderEndchange(TObject* Sender) { BoxClick(Sender); }

void TFormMorph::LengthChange(TObject*) { Timer1->SetInterval(static_cast<UINT>(std::max(1, Notelength->GetCode()))); }

void TFormMorph::PlayClick(TObject*) {
    if (morph_ == nullptr) return;
    playing_ = true;
    MorphSendAndAudition();
}

void TFormMorph::StopClick(TObject*) {
    Timer1->SetEnabled(false);
    EndAudition();
    playing_ = false;
}

void TFormMorph::StarterTimer(TObject*) {
    auditioning_ = true;
    StartPreview();
    Starter->SetEnabled(false);
    Timer1->SetEnabled(true);
}

void TFormMorph::Timer1Timer(TObject*) {
    EndAudition();
    if (!playing_) {
        Timer1->SetEnabled(false);
        return;
    }
    int next = Slider->GetValue() + MorphStep->GetCode();
    if (next >= MaxFactor + 1) {
        next = MaxFactor;
        playing_ = false;
    }
    Slider->SetValue(next);
    Timer1->SetEnabled(false);
    MorphSendAndAudition();
}

// ------------------------------------------------------------------------------------------ closing, bank

void TFormMorph::CreateBankClick(TObject*) {
    EndAudition();
    StopTimers();
    if (Origin != nullptr && Origin->Library() != nullptr && morph_ != nullptr) {
        TLibrary& library = *Origin->Library();
        bool allIncluded = true;
        for (TWinControl* group : {GroupBox1, GroupBox2})
            for (int i = 0; i < group->ControlCount(); ++i)
                if (auto* box = dynamic_cast<TCheckBox*>(group->Controls(i)); box != nullptr && !box->GetChecked())
                    allIncluded = false;
        // The whole bank is built while the blend still exists; the window closes afterwards.
        std::unique_ptr<TLibElem> owned = CreateElementOfType(etPatchBank, &library);
        auto& bank = static_cast<TBank&>(*owned);
        bank.SetName("MorphBank", false);
        for (int p = 0; p <= MaxFactor; ++p) {
            TLibElem& member = *bank.Members[static_cast<std::size_t>(p)];
            if (p == MaxFactor && allIncluded) {
                member.Assign(PatchB);
            } else {
                Morph(p);
                member.Assign(MorphPatch());
                if (p > 0) member.SetName("Morph" + IntToZeroPadded(p, 3), false);
            }
            member.Selected = 0;
        }
        // The members were copied with the blend's place: they take their places in the bank again.
        bank.PlaceMembers();
        library.Elements.push_back(std::move(owned));
        library.Saved = 0;
        Origin->RefreshList();
        Origin->PosizionaOtt();
        Origin->DrawGrid->Repaint();
        RefreshMainMenus();
    }
    Close();
}

void TFormMorph::BtncloseClick(TObject*) {
    StopTimers();
    EndAudition();
    Close();
}

}  // namespace zel
