#include "editors/Uesyspre.h"

#include <string>

#include "model/CurrentElements.h"
#include "model/SystemElem.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/vcl/FormReader.h"

namespace zel {

namespace formres {
extern const TFormResource Uesyspre;
}

namespace {
const TFormClassRegistration registration("TFormSysPreview", [](TComponent* Owner) -> TCustomForm* {
    return Construct<TFormSysPreview>(Owner);
});

constexpr int pSoundMode = 31;
constexpr int PreviewSets = 4;
// The key of set n at 30 + 2n, its velocity right after.
constexpr int KeyPosition(int Set) { return 30 + 2 * Set; }
constexpr int VelocityPosition(int Set) { return 31 + 2 * Set; }
}  // namespace

const TFormResource* TFormSysPreview::FormResource() const { return &formres::Uesyspre; }

void TFormSysPreview::DefineBindings(TFormBindings& B) {
    DefineProtocolBindings(B);
    B.Field("PanelBtn", PanelBtn);
    B.Field("BtnUndo", BtnUndo);
    B.Field("BtnRevert", BtnRevert);
    B.Field("Btnclose", Btnclose);
    B.Field("ModeSingle", ModeSingle);
    B.Field("ModeChord", ModeChord);
    using N = TNotifyEvent;
    B.Handler<N>("ModeSingleClick", [this](TObject* s) { ModeSingleClick(s); });
    B.Handler<N>("ModeChordClick", [this](TObject* s) { ModeChordClick(s); });
    B.Handler<N>("KeySet1EndChange", [this](TObject* s) { KeySet1EndChange(s); });
    B.Handler<N>("VelSet1Endchange", [this](TObject* s) { VelSet1Endchange(s); });
}

void TFormSysPreview::TakeOpenerVariables() { EditElem = OpeningSysPreview; }

TMyEdit* TFormSysPreview::KeySet(int n) const {
    return dynamic_cast<TMyEdit*>(FindComponent("KeySet" + std::to_string(n)));
}

TPanSlider* TFormSysPreview::VelSet(int n) const {
    return dynamic_cast<TPanSlider*>(FindComponent("VelSet" + std::to_string(n)));
}

void TFormSysPreview::UpdateView() {
    if (EditElem == nullptr) return;
    InUpdateView = 1;
    TScopeExit filled([this] { InUpdateView = 0; });
    SetCaption(EditorCaption("Preview"));
    for (int n = 1; n <= PreviewSets; ++n) {
        if (TMyEdit* key = KeySet(n)) key->SetCode(GetParam(KeyPosition(n)));
        if (TPanSlider* velocity = VelSet(n)) velocity->SetValue(GetParam(VelocityPosition(n)));
    }
    ModeSingle->SetChecked(GetParam(pSoundMode) == 0);
    ModeChord->SetChecked(GetParam(pSoundMode) == 1);
    CheckBtnEnabled();
}

void TFormSysPreview::ModeSingleClick(TObject*) {
    if (ModeSingle->GetChecked()) SendandStore(pSoundMode, 0);
}

void TFormSysPreview::ModeChordClick(TObject*) {
    if (ModeChord->GetChecked()) SendandStore(pSoundMode, 1);
}

void TFormSysPreview::KeySet1EndChange(TObject* Sender) {
    const auto* key = dynamic_cast<const TMyEdit*>(Sender);
    if (key != nullptr && key->Tag >= 1 && key->Tag <= PreviewSets)
        SendandStore(KeyPosition(static_cast<int>(key->Tag)), key->GetCode());
}

void TFormSysPreview::VelSet1Endchange(TObject* Sender) {
    const auto* velocity = dynamic_cast<const TPanSlider*>(Sender);
    if (velocity != nullptr && velocity->Tag >= 1 && velocity->Tag <= PreviewSets)
        SendandStore(VelocityPosition(static_cast<int>(velocity->Tag)), velocity->GetValue());
}

}  // namespace zel
