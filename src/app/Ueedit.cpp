#include "app/Ueedit.h"

#include <algorithm>

#include "editors/NameField.h"
#include "model/Bank.h"
#include "model/Library.h"
#include "model/Settings.h"
#include "platform/vcl/FormReader.h"

namespace zel {

namespace formres {
extern const TFormResource Ueedit;
}

TFormEdit* FormEdit = nullptr;

namespace {
const TFormClassRegistration registration("TFormEdit", [](TComponent* Owner) -> TCustomForm* {
    return Construct<TFormEdit>(Owner);
});

bool IsSingleKind(ElementType t) { return t == etPatch || t == etPerformance || t == etRhythm; }

bool IsContainerKind(ElementType t) {
    return t == etPatchBank || t == etPerformanceBank || t == etRhythmBank || t == etGlobal;
}
}  // namespace

const TFormResource* TFormEdit::FormResource() const { return &formres::Ueedit; }

void TFormEdit::DefineBindings(TFormBindings& B) {
    B.Field("LabelName", LabelName);
    B.Field("Editname", Editname);
    B.Field("GroupBox1", GroupBox1);
    B.Field("User", User);
    B.Field("Card", Card);
    B.Field("Temp", Temp);
    B.Field("LabelPosition", LabelPosition);
    B.Field("Position", Position);
    B.Field("OKBtn", OKBtn);
    B.Field("CancelBtn", CancelBtn);
    B.Handler<TNotifyEvent>("FormShow", [this](TObject* s) { FormShow(s); });
    B.Handler<TNotifyEvent>("LocationClick", [this](TObject* s) { LocationClick(s); });
    B.Handler<TNotifyEvent>("EditChange", [this](TObject* s) { EditChange(s); });
    B.Handler<TNotifyEvent>("OKBtnClick", [this](TObject* s) { OKBtnClick(s); });
}

void TFormEdit::ShowPosition() {
    const bool shown = IsSingleKind(Element->ElemType) && !Temp->GetChecked() && !FixedLocation;
    Position->SetVisible(shown);
    LabelPosition->SetVisible(shown);
}

void TFormEdit::FormShow(TObject*) {
    if (Element == nullptr) return;
    const ElementType type = Element->ElemType;
    const TLibElem* owner = Element->Owner;
    const bool inContainer =
        owner != nullptr && dynamic_cast<const TLibrary*>(owner) == nullptr && IsContainerKind(owner->ElemType);
    FixedLocation = inContainer || type == etSystem || type == etGlobal;
    SetCaption("Edit property of : " + Element->GetName());
    User->SetEnabled(type != etSystem && type != etGlobal && !FixedLocation);
    Card->SetEnabled(User->GetEnabled() && ZelmoHolder != nullptr && ZelmoHolder->Config->Installed != 0);
    Temp->SetEnabled(IsSingleKind(type) && !FixedLocation);
    LabelName->SetCaption(Element->TypeName() + " Name");
    Editname->SetMaxLength(12);
    acceptedName_ = Element->GetName();
    Editname->SetText(acceptedName_);
    // One button of the group is checked: a temporary element shows as temporary whatever its memory flag
    // says, so that OK does not move it out of the temporary area unasked.
    const bool temporary = Element->Temporary != 0, user = Element->User != 0;
    Temp->SetChecked(temporary);
    User->SetChecked(user && !temporary);
    Card->SetChecked(!temporary && !user);
    ShowPosition();
    Position->SetMaxValue(type == etPerformance ? 32 : type == etRhythm ? 2 : 128);
    Position->SetValue(Element->Number);
    Changed = false;
    SetActiveControl(Editname);
}

void TFormEdit::LocationClick(TObject*) {
    if (Element == nullptr) return;
    ShowPosition();
    Changed = true;
}

void TFormEdit::EditChange(TObject* Sender) {
    if (Sender == Editname) {
        // The instrument's names hold only characters below 80H: an accented letter (typed or pasted) becomes
        // its plain letter, another character is left out. The field then changes again, to what is stored.
        const std::string text = Editname->GetText();
        if (const std::string name = NameText(text); name != text) {
            const int caret = Editname->GetSelStart() - static_cast<int>(text.size() - name.size());
            Editname->SetText(name);
            Editname->SetSelStart(std::clamp(caret, 0, static_cast<int>(name.size())));
            return;
        }
        if (text == acceptedName_) return;
        acceptedName_ = text;
    }
    Changed = true;
}

void TFormEdit::OKBtnClick(TObject*) {
    if (Element == nullptr) return;
    Element->SetName(Editname->GetText(), false);
    const std::uint8_t userBefore = Element->User;
    if (Temp->GetEnabled()) Element->Temporary = Temp->GetChecked() ? 1 : 0;
    if (User->GetEnabled()) Element->User = User->GetChecked() ? 1 : 0;
    if (Position->GetVisible()) Element->Number = static_cast<std::int16_t>(Position->GetValue());
    // A bank's members are addressed in their bank's memory: they move with it.
    if (auto* bank = dynamic_cast<TBank*>(Element); bank != nullptr && Element->User != userBefore)
        bank->PlaceMembers();
    ModalResult = mrOk;
    if (Changed) {
        TouchElement(Element);
        Element->UpdateViews();
    }
}

}  // namespace zel
