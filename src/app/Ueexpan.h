#pragma once
// TFormExpansion, "Expansion Setup": which wave expansion boards sit in the instrument's slots A to D,
// which PCM card is inserted and whether a data card is installed. The name lists, the global window and
// the editors' wave and patch selectors follow these settings.
#include <string>

#include "platform/vcl/Buttons.h"
#include "platform/vcl/Forms.h"
#include "platform/vcl/StdCtrls.h"

namespace zel {

// A window whose layout follows the data-card setting (the global window: 7 rows with a card, 4
// without). When the setting changes, every open window that is one is told at once.
class IDataCardView {
public:
    virtual ~IDataCardView() = default;
    // Recomputes what depends on the data-card setting (the global window: its rows) and repaints.
    virtual void DataCardChanged() = 0;
};

// Tells every open window that follows the data-card setting that it changed.
void NotifyDataCardViews();

class TFormExpansion : public TForm {
public:
    explicit TFormExpansion(TComponent* AOwner);
    ~TFormExpansion() override;
    std::string ClassName() const override { return "TFormExpansion"; }
    const TFormResource* FormResource() const override;
    void DefineBindings(TFormBindings& Bindings) override;

    // ---- components of the form resource
    TLabel* Label1 = nullptr;
    TLabel* Label2 = nullptr;
    TLabel* Label3 = nullptr;
    TLabel* Label4 = nullptr;
    TLabel* Label5 = nullptr;
    TComboBox* ExpA = nullptr;
    TComboBox* ExpB = nullptr;
    TComboBox* ExpC = nullptr;
    TComboBox* ExpD = nullptr;
    TComboBox* PcmCard = nullptr;
    TCheckBox* DataCard = nullptr;
    TBitBtn* BitBtn1 = nullptr;  // OK
    TBitBtn* BitBtn2 = nullptr;  // Cancel

    // ---- handlers
    void FormShow(TObject* Sender);
    void BitBtn1Click(TObject* Sender);
};

extern TFormExpansion* FormExpansion;

}  // namespace zel
