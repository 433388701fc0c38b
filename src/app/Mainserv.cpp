#include "app/Mainserv.h"

#include <memory>

#include "platform/vcl/Dialogs.h"
#include "platform/vcl/Forms.h"

namespace zel {

bool TMainFileDialogs::Execute(TFileDialogRequest& request) {
    std::unique_ptr<TOpenDialog> dialog(request.Kind == TFileDialogKind::Save ? new TSaveDialog(owner_)
                                                                              : new TOpenDialog(owner_));
    dialog->Title = request.Title;
    dialog->DefaultExt = request.DefaultExt;
    dialog->Filter = request.Filter;
    dialog->InitialDir = request.InitialDir;
    dialog->FileName = request.FileName;
    if (request.PathMustExist) dialog->Options.Include(ofPathMustExist);
    if (request.FileMustExist) dialog->Options.Include(ofFileMustExist);
    if (!dialog->Execute()) return false;
    request.FileName = dialog->FileName;
    return true;
}

TMessageResult TMainMessageBoxes::Show(const std::string& text, TMessageKind kind, TMessageButtons buttons) {
    const UINT flags = static_cast<UINT>(kind) | static_cast<UINT>(buttons);
    const std::string caption = Application != nullptr ? Application->Title : std::string();
    return static_cast<TMessageResult>(ShowMessageBox(text, caption, flags));
}

}  // namespace zel
