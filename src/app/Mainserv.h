#pragma once
// The model's file dialogs and message boxes as the main window shows them.
#include "model/ModelServices.h"
#include "platform/rtl/Classes.h"

namespace zel {

// The platform's open and save dialogs, owned by the main window. The model asks its own question before
// a file is overwritten, so the dialogs ask none.
class TMainFileDialogs : public IFileDialogs {
public:
    explicit TMainFileDialogs(TComponent* Owner) : owner_(Owner) {}
    bool Execute(TFileDialogRequest& request) override;

private:
    TComponent* owner_;
};

// The platform's message boxes under the application's title.
class TMainMessageBoxes : public IMessageBoxes {
public:
    TMessageResult Show(const std::string& text, TMessageKind kind, TMessageButtons buttons) override;
};

}  // namespace zel
