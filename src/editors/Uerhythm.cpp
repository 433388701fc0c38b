#include "editors/Uerhythm.h"

#include "editors/Uerhyma.h"
#include "editors/Uerhypi.h"
#include "editors/Uerhytva.h"
#include "editors/Uerhytvf.h"
#include "model/CurrentElements.h"
#include "model/Rhythm.h"
#include "platform/vcl/FormReader.h"

namespace zel {

namespace formres {
extern const TFormResource Uerhythm;
}

namespace {
const TFormClassRegistration registration("TFormRhythm", [](TComponent* Owner) -> TCustomForm* {
    return Construct<TFormRhythm>(Owner);
});
}  // namespace

const TFormResource* TFormRhythm::FormResource() const { return &formres::Uerhythm; }

void TFormRhythm::DefineBindings(TFormBindings& B) {
    DefineContainerBindings(B, "RhyMainMouseDown", "RhyMainDragOver", "RhyMainEndDrag");
    B.Field("EditName", EditName);
    B.Field("PanelRhythm", PanelRhythm);
    B.Field("RhyMain", RhyMain);
    B.Field("RhyPitch", RhyPitch);
    B.Field("RhyTVF", RhyTVF);
    B.Field("RhyTVA", RhyTVA);
    using N = TNotifyEvent;
    B.Handler<N>("RhyMainDblClick", [this](TObject* s) { RhyMainDblClick(s); });
    B.Handler<N>("RhyPitchDblClick", [this](TObject* s) { RhyPitchDblClick(s); });
    B.Handler<N>("RhyTVFDblClick", [this](TObject* s) { RhyTVFDblClick(s); });
    B.Handler<N>("RhyTVADblClick", [this](TObject* s) { RhyTVADblClick(s); });
    B.Handler<TKeyEvent>("EditNameKeyUp", [this](TObject* s, WORD& k, TShiftState sh) { EditNameKeyUp(s, k, sh); });
    B.Handler<TKeyPressEvent>("EditNameKeyPress", [this](TObject* s, char& k) { EditNameKeyPress(s, k); });
}

TFormRhythm* TFormRhythm::Open(TComponent* Owner, TRhythm& Rhythm) {
    OpeningRhythm = &Rhythm;
    TFormRhythm* form = nullptr;
    {
        TScopeExit done([] { OpeningRhythm = nullptr; });
        form = Construct<TFormRhythm>(Owner);
    }
    form->Show();
    return form;
}

TLibElem* TFormRhythm::Element() const { return EditElem; }
void TFormRhythm::TakeOpenerVariables() { EditElem = OpeningRhythm; }
void TFormRhythm::MakeCurrent() { MakeCurrentRhythm(EditElem); }
void TFormRhythm::CloseBlockEditors() { EditElem->CloseEditors(); }

void TFormRhythm::FillControls() {
    // The name without its trailing blanks, so that typing goes on right after it.
    EditName->SetText(EditElem->GetName());
}

void TFormRhythm::EditNameKeyPress(TObject*, char& Key) { FilterNameKey(Key); }

void TFormRhythm::EditNameKeyUp(TObject*, WORD&, TShiftState) {
    if (EditElem == nullptr || Closed()) return;
    TouchElement(EditElem);
    const auto bytes = NameFieldBytes(*EditName);
    EditElem->Common->SetParams(0, bytes);
}

void TFormRhythm::RhyMainDblClick(TObject*) {
    if (EditElem != nullptr)
        OpenSectionEditor<TFormRhyMain>(EditElem->Editors[TRhythm::reMain], OpeningRhyMain, EditElem);
}
void TFormRhythm::RhyPitchDblClick(TObject*) {
    if (EditElem != nullptr)
        OpenSectionEditor<TFormRhyPitch>(EditElem->Editors[TRhythm::rePitch], OpeningRhyPitch, EditElem);
}
void TFormRhythm::RhyTVFDblClick(TObject*) {
    if (EditElem != nullptr) OpenSectionEditor<TFormRhyTVF>(EditElem->Editors[TRhythm::reTVF], OpeningRhyTVF, EditElem);
}
void TFormRhythm::RhyTVADblClick(TObject*) {
    if (EditElem != nullptr) OpenSectionEditor<TFormrhyTva>(EditElem->Editors[TRhythm::reTVA], OpeningRhyTva, EditElem);
}

void TFormRhythm::CopySection(const TDragElem& Item, TSectionContainer& Target) {
    TRhythm* target = dynamic_cast<TFormRhythm&>(Target).EditElem;
    if (EditElem == nullptr || target == nullptr) return;
    const auto ranges = RhythmSectionRanges(Item.SectionKind);
    for (int key = FirstRhythmKey; key <= LastRhythmKey; ++key)
        for (const TByteRange& range : ranges)
            for (int p = range.First; p <= range.Last; ++p) target->Note(key).Data()[p] = EditElem->Note(key).Data()[p];
}

}  // namespace zel
