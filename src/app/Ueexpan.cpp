#include "app/Ueexpan.h"

#include <algorithm>

#include "model/Settings.h"
#include "platform/vcl/FormReader.h"

namespace zel {

namespace formres {
extern const TFormResource Ueexpan;
}

TFormExpansion* FormExpansion = nullptr;

namespace {
const TFormClassRegistration registration("TFormExpansion", [](TComponent* Owner) -> TCustomForm* {
    return Construct<TFormExpansion>(Owner);
});

// The code a list stands at: its item index, none chosen counting as none fitted.
std::int32_t CodeOf(TComboBox* List) { return std::max(0, List->GetItemIndex()); }
}  // namespace

void NotifyDataCardViews() {
    for (int i = 0; i < Screen->FormCount(); ++i)
        if (auto* view = dynamic_cast<IDataCardView*>(Screen->Forms(i))) view->DataCardChanged();
}

TFormExpansion::TFormExpansion(TComponent* AOwner) : TForm(AOwner) {
    if (FormExpansion == nullptr) FormExpansion = this;
}

TFormExpansion::~TFormExpansion() {
    if (FormExpansion == this) FormExpansion = nullptr;
}

const TFormResource* TFormExpansion::FormResource() const { return &formres::Ueexpan; }

void TFormExpansion::DefineBindings(TFormBindings& B) {
    B.Field("Label1", Label1);
    B.Field("Label2", Label2);
    B.Field("Label3", Label3);
    B.Field("Label4", Label4);
    B.Field("Label5", Label5);
    B.Field("ExpA", ExpA);
    B.Field("ExpB", ExpB);
    B.Field("ExpC", ExpC);
    B.Field("ExpD", ExpD);
    B.Field("PcmCard", PcmCard);
    B.Field("DataCard", DataCard);
    B.Field("BitBtn1", BitBtn1);
    B.Field("BitBtn2", BitBtn2);
    B.Handler<TNotifyEvent>("FormShow", [this](TObject* s) { FormShow(s); });
    B.Handler<TNotifyEvent>("BitBtn1Click", [this](TObject* s) { BitBtn1Click(s); });
}

void TFormExpansion::FormShow(TObject*) {
    if (ZelmoHolder == nullptr) return;
    const TConfig& config = *ZelmoHolder->Config;
    ExpA->SetItemIndex(config.ExpA);
    ExpB->SetItemIndex(config.ExpB);
    ExpC->SetItemIndex(config.ExpC);
    ExpD->SetItemIndex(config.ExpD);
    PcmCard->SetItemIndex(config.PCMCard);
    DataCard->SetChecked(config.Installed == 1);
}

void TFormExpansion::BitBtn1Click(TObject*) {
    if (ZelmoHolder != nullptr) {
        TConfig& config = *ZelmoHolder->Config;
        config.ExpA = CodeOf(ExpA);
        config.ExpB = CodeOf(ExpB);
        config.ExpC = CodeOf(ExpC);
        config.ExpD = CodeOf(ExpD);
        config.PCMCard = CodeOf(PcmCard);
        const std::uint8_t installed = DataCard->GetChecked() ? 1 : 0;
        if (installed != config.Installed) {
            config.Installed = installed;
            NotifyDataCardViews();
        }
        config.Save();
    }
    ModalResult = mrOk;
}

}  // namespace zel
