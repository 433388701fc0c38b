#pragma once
// What the customizing dialogs share: the customizing form's font, and a resource text with its one "%s"
// filled in.
#include <string>

#include "platform/vcl/Forms.h"
#include "uilib/base/ubCore.h"

namespace zel {

// The dialog takes the open customizing form's font; nothing when no form is open.
void TakeCustomizingFormFont(TCustomForm* ADialog);
// The resource text with its first "%s" replaced by the argument.
std::string FormatResString(const TResStringRec* AText, const std::string& AArgument);

}  // namespace zel
