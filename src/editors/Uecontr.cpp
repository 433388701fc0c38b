#include "editors/Uecontr.h"

#include "model/CurrentElements.h"
#include "model/Patch.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/vcl/FormReader.h"

namespace zel {

namespace formres {
extern const TFormResource Uecontr;
}

namespace {
const TFormClassRegistration registration("TFormControl", [](TComponent* Owner) -> TCustomForm* {
    return Construct<TFormControl>(Owner);
});

// The tone's data bytes of the control section.
enum : int {
    pCrossFade = 11,
    pVelLow = 12,
    pVelUp = 13,
    pKeyLow = 14,
    pKeyUp = 15,
    pRedamper = 16,
    pVolume = 17,
    pHold1 = 18,
    pBender = 19,
    pPanControl = 20,
    pOutputAssign = 125,
    pOutputLevel = 126,
    pChorusSend = 127,
};

constexpr int ControllerCount = 3;
}  // namespace

const TFormResource* TFormControl::FormResource() const { return &formres::Uecontr; }

int TFormControl::ToneSlot() const { return TTone::teControl; }

void TFormControl::DefineBindings(TFormBindings& B) {
    DefineToneBindings(B);
    B.Field("VelCrossFadeDepth", VelCrossFadeDepth);
    B.Field("VelRangeLow", VelRangeLow);
    B.Field("VelRangeUp", VelRangeUp);
    B.Field("KeyRangeLow", KeyRangeLow);
    B.Field("KeyRangeUp", KeyRangeUp);
    B.Field("RedCtrlSwitch", RedCtrlSwitch);
    B.Field("VolCtrlSwitch", VolCtrlSwitch);
    B.Field("Hold1ctrlswitch", Hold1ctrlswitch);
    B.Field("BendCtrlSwitch", BendCtrlSwitch);
    B.Field("PanCtrlSwitch", PanCtrlSwitch);
    B.Field("Speed1", Speed1);
    B.Field("Speed2", Speed2);
    B.Field("Speed3", Speed3);
    for (std::size_t d = 0; d < Dest.size(); ++d) {
        B.Field("Dest" + std::to_string(d + 1), Dest[d]);
        B.Field("Depth" + std::to_string(d + 1), Depth[d]);
    }
    B.Field("Outputassign", Outputassign);
    B.Field("Outputlevel", Outputlevel);
    B.Field("Chorussendlevel", Chorussendlevel);
    B.Field("ReverbSendLevel", ReverbSendLevel);
    using N = TNotifyEvent;
    B.Handler<N>("VelCrossFadeDepthEndchange", [this](TObject* s) { VelCrossFadeDepthEndchange(s); });
    B.Handler<N>("VelRangeLowEndchange", [this](TObject* s) { VelRangeLowEndchange(s); });
    B.Handler<N>("VelRangeUpEndchange", [this](TObject* s) { VelRangeUpEndchange(s); });
    B.Handler<N>("KeyRangeLowchange", [this](TObject* s) { KeyRangeLowchange(s); });
    B.Handler<N>("KeyRangeUpchange", [this](TObject* s) { KeyRangeUpchange(s); });
    B.Handler<N>("KeyRangeLowEndChange", [this](TObject* s) { KeyRangeLowEndChange(s); });
    B.Handler<N>("KeyRangeUpEndChange", [this](TObject* s) { KeyRangeUpEndChange(s); });
    B.Handler<N>("RedCtrlSwitchClick", [this](TObject* s) { RedCtrlSwitchClick(s); });
    B.Handler<N>("VolCtrlSwitchClick", [this](TObject* s) { VolCtrlSwitchClick(s); });
    B.Handler<N>("Hold1ctrlswitchClick", [this](TObject* s) { Hold1ctrlswitchClick(s); });
    B.Handler<N>("BendCtrlSwitchClick", [this](TObject* s) { BendCtrlSwitchClick(s); });
    B.Handler<N>("PanCtrlSwitchChange", [this](TObject* s) { PanCtrlSwitchChange(s); });
    B.Handler<N>("Speed1Click", [this](TObject* s) { Speed1Click(s); });
    B.Handler<N>("Dest1Change", [this](TObject* s) { Dest1Change(s); });
    B.Handler<N>("Depth1Endchange", [this](TObject* s) { Depth1Endchange(s); });
    B.Handler<N>("OutputassignChange", [this](TObject* s) { OutputassignChange(s); });
    B.Handler<N>("OutputlevelEndchange", [this](TObject* s) { OutputlevelEndchange(s); });
    B.Handler<N>("ChorussendlevelEndchange", [this](TObject* s) { ChorussendlevelEndchange(s); });
    B.Handler<N>("ReverbSendLevelEndchange", [this](TObject* s) { ReverbSendLevelEndchange(s); });
}

void TFormControl::TakeOpenerVariables() { TakeTone(OpeningControlPatch, OpeningControlTone); }

void TFormControl::FormCreate(TObject* Sender) {
    TToneEditor::FormCreate(Sender);
    // Controller 1 is on show at first.
    Controller = 1;
    if (Speed1 != nullptr) Speed1->SetDown(true);
}

void TFormControl::UpdateCtrlPage() {
    const bool filling = InUpdateView != 0;
    InUpdateView = 1;
    TScopeExit filled([this, filling] { InUpdateView = filling ? 1 : 0; });
    for (int d = 1; d <= 4; ++d) {
        ShowItem(Dest[static_cast<std::size_t>(d - 1)], GetParam(DestinationPosition(d)));
        Depth[static_cast<std::size_t>(d - 1)]->SetValue(
            ClampToRange(GetParam(DestinationPosition(d) + 1) - 63, -63, 63));
    }
}

void TFormControl::UpdateView() {
    if (EditElem == nullptr) return;
    InUpdateView = 1;
    TScopeExit filled([this] { InUpdateView = 0; });
    const auto b = [this](int Position) { return static_cast<int>(GetParam(Position)); };
    SetCaption(EditorCaption("Control"));
    VelCrossFadeDepth->SetValue(ClampToRange(b(pCrossFade), 0, 127));
    VelRangeLow->SetValue(ClampToRange(b(pVelLow), 1, 127));
    VelRangeUp->SetValue(ClampToRange(b(pVelUp), 1, 127));
    ShowCode(KeyRangeLow, b(pKeyLow));
    ShowCode(KeyRangeUp, b(pKeyUp));
    RedCtrlSwitch->SetChecked(b(pRedamper) == 1);
    VolCtrlSwitch->SetChecked(b(pVolume) == 1);
    Hold1ctrlswitch->SetChecked(b(pHold1) == 1);
    BendCtrlSwitch->SetChecked(b(pBender) == 1);
    ShowItem(PanCtrlSwitch, b(pPanControl));
    UpdateCtrlPage();
    ShowItem(Outputassign, b(pOutputAssign));
    Outputlevel->SetValue(ClampToRange(b(pOutputLevel), 0, 127));
    Chorussendlevel->SetValue(ClampToRange(b(pChorusSend), 0, 127));
    ReverbSendLevel->SetValue(ClampToRange(b(ReverbSendPosition), 0, 127));
    CheckBtnEnabled();
}

// ------------------------------------------------------------------------------------------- key range

void TFormControl::KeyRangeLowchange(TObject*) {
    // The lower key never passes the upper key; the upper key stays.
    if (KeyRangeLow->GetCode() > KeyRangeUp->GetCode()) KeyRangeLow->SetCode(KeyRangeUp->GetCode());
}

void TFormControl::KeyRangeUpchange(TObject*) {
    if (KeyRangeUp->GetCode() < KeyRangeLow->GetCode()) KeyRangeUp->SetCode(KeyRangeLow->GetCode());
}

void TFormControl::KeyRangeLowEndChange(TObject*) { SendandStore(pKeyLow, KeyRangeLow->GetCode()); }
void TFormControl::KeyRangeUpEndChange(TObject*) { SendandStore(pKeyUp, KeyRangeUp->GetCode()); }

// --------------------------------------------------------------------------------------- controllers

void TFormControl::Speed1Click(TObject* Sender) {
    const int tag = TagOf(Sender);
    if (tag < 1 || tag > ControllerCount) return;
    Controller = tag;
    UpdateCtrlPage();
}

void TFormControl::Dest1Change(TObject* Sender) {
    auto* combo = dynamic_cast<TComboBox*>(Sender);
    const int d = TagOf(Sender);
    if (combo == nullptr || d < 1 || d > 4 || combo->GetItemIndex() < 0) return;
    SendandStore(DestinationPosition(d), combo->GetItemIndex());
}

void TFormControl::Depth1Endchange(TObject* Sender) {
    const int d = TagOf(Sender);
    if (d < 1 || d > 4) return;
    SendandStore(DestinationPosition(d) + 1, Depth[static_cast<std::size_t>(d - 1)]->GetValue() + 63);
}

// ----------------------------------------------------------------------------------------------- values

void TFormControl::VelCrossFadeDepthEndchange(TObject*) { SendandStore(pCrossFade, VelCrossFadeDepth->GetValue()); }
void TFormControl::VelRangeLowEndchange(TObject*) { SendandStore(pVelLow, VelRangeLow->GetValue()); }
void TFormControl::VelRangeUpEndchange(TObject*) { SendandStore(pVelUp, VelRangeUp->GetValue()); }
void TFormControl::RedCtrlSwitchClick(TObject*) { SendandStore(pRedamper, RedCtrlSwitch->GetChecked() ? 1 : 0); }
void TFormControl::VolCtrlSwitchClick(TObject*) { SendandStore(pVolume, VolCtrlSwitch->GetChecked() ? 1 : 0); }
void TFormControl::Hold1ctrlswitchClick(TObject*) { SendandStore(pHold1, Hold1ctrlswitch->GetChecked() ? 1 : 0); }
void TFormControl::BendCtrlSwitchClick(TObject*) { SendandStore(pBender, BendCtrlSwitch->GetChecked() ? 1 : 0); }

void TFormControl::PanCtrlSwitchChange(TObject*) {
    if (PanCtrlSwitch->GetItemIndex() >= 0) SendandStore(pPanControl, PanCtrlSwitch->GetItemIndex());
}

void TFormControl::OutputassignChange(TObject*) {
    if (Outputassign->GetItemIndex() >= 0) SendandStore(pOutputAssign, Outputassign->GetItemIndex());
}

void TFormControl::OutputlevelEndchange(TObject*) { SendandStore(pOutputLevel, Outputlevel->GetValue()); }
void TFormControl::ChorussendlevelEndchange(TObject*) { SendandStore(pChorusSend, Chorussendlevel->GetValue()); }
// Byte 128 goes to offset 01 00 of the tone; its undo record carries that position too.
void TFormControl::ReverbSendLevelEndchange(TObject*) { SendandStore(ReverbSendPosition, ReverbSendLevel->GetValue()); }

}  // namespace zel
