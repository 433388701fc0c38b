#pragma once
// TFormeditorAbout, the about window: the product name and its version on a panel, and a Close button.
// Shown modally from the Help menu.
#include "platform/vcl/ExtCtrls.h"
#include "platform/vcl/Forms.h"
#include "platform/vcl/StdCtrls.h"

namespace zel {

class TFormeditorAbout : public TForm {
public:
    explicit TFormeditorAbout(TComponent* AOwner) : TForm(AOwner) {}
    std::string ClassName() const override { return "TFormeditorAbout"; }
    const TFormResource* FormResource() const override;
    void DefineBindings(TFormBindings& Bindings) override;

    // ---- components of the form resource
    TPanel* Panel1 = nullptr;
    TLabel* ProductName = nullptr;
    TLabel* Version = nullptr;
    TButton* OKButton = nullptr;
};

}  // namespace zel
