#include "editors/Ueperfor.h"

#include <exception>

#include "editors/Ueeffect.h"
#include "editors/Uepart.h"
#include "editors/Uepecom.h"
#include "model/CurrentElements.h"
#include "model/Performance.h"
#include "platform/rtl/SysUtils.h"
#include "platform/vcl/FormReader.h"

namespace zel {

namespace formres {
extern const TFormResource Ueperfor;
}

namespace {
const TFormClassRegistration registration("TFormPerformance", [](TComponent* Owner) -> TCustomForm* {
    return Construct<TFormPerformance>(Owner);
});

void CopyRun(const std::uint8_t* From, std::uint8_t* To, int First, int Last) {
    for (int p = First; p <= Last; ++p) To[p] = From[p];
}
}  // namespace

const TFormResource* TFormPerformance::FormResource() const { return &formres::Ueperfor; }

void TFormPerformance::DefineBindings(TFormBindings& B) {
    DefineContainerBindings(B, "PerComMouseDown", "PerComDragOver", "PerComEndDrag");
    B.Field("PanelPerComm", PanelPerComm);
    B.Field("PerCom", PerCom);
    B.Field("PerEff", PerEff);
    B.Field("PerParts", PerParts);
    using N = TNotifyEvent;
    B.Handler<N>("PerComDblClick", [this](TObject* s) { PerComDblClick(s); });
    B.Handler<N>("PerEffDblClick", [this](TObject* s) { PerEffDblClick(s); });
    B.Handler<N>("PerPartsDblClick", [this](TObject* s) { PerPartsDblClick(s); });
}

TFormPerformance* TFormPerformance::Open(TComponent* Owner, TPerformance& Performance) {
    OpeningPerformance = &Performance;
    TFormPerformance* form = nullptr;
    {
        TScopeExit done([] { OpeningPerformance = nullptr; });
        form = Construct<TFormPerformance>(Owner);
    }
    form->Show();
    return form;
}

TLibElem* TFormPerformance::Element() const { return EditElem; }
void TFormPerformance::TakeOpenerVariables() { EditElem = OpeningPerformance; }
void TFormPerformance::MakeCurrent() { MakeCurrentPerformance(EditElem); }

void TFormPerformance::CloseBlockEditors() {
    EditElem->Common->CloseEditors();
    EditElem->ClosePartEditor();
}

void TFormPerformance::PerComDblClick(TObject*) {
    if (EditElem == nullptr) return;
    OpenSectionEditor<TFormPerComm>(EditElem->Common->Editors[TPerformanceCommon::ceCommon], OpeningPerComm, EditElem);
}

void TFormPerformance::PerEffDblClick(TObject*) {
    OpenedByDblClick = 1;
    if (EditElem == nullptr) return;
    try {
        TFormEffect::Open(this, *EditElem, 0);
    } catch (const std::exception&) {
        throw EInOutError("Out of Resource");
    }
}

void TFormPerformance::PerPartsDblClick(TObject*) {
    if (EditElem == nullptr) return;
    OpenSectionEditor<TFormPart>(EditElem->PartEditor, OpeningPart, EditElem);
}

void TFormPerformance::CopySection(const TDragElem& Item, TSectionContainer& Target) {
    auto* target = dynamic_cast<TFormPerformance&>(Target).EditElem;
    if (EditElem == nullptr || target == nullptr) return;
    const std::uint8_t* from = EditElem->Common->Data();
    std::uint8_t* to = target->Common->Data();
    switch (Item.SectionKind) {
        case skPerCom:
            CopyRun(from, to, 0, 11);
            CopyRun(from, to, 45, 63);
            break;
        case skPerEff: CopyRun(from, to, 12, 44); break;
        case skPerParts:
            for (int p = 1; p <= PartCount; ++p)
                CopyRun(EditElem->Part(p).Data(), target->Part(p).Data(), 0, TPerformancePart::DataSize - 1);
            break;
        default: break;
    }
}

}  // namespace zel
