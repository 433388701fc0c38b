#include "uilib/bars/ubBarDialogs.h"

#include "uilib/bars/ubBarCustForm.h"

namespace zel {

void TakeCustomizingFormFont(TCustomForm* ADialog) {
    if (ADialog == nullptr || GetCustomizingForm() == nullptr) return;
    ADialog->Font()->Assign(GetCustomizingForm()->Font());
}

std::string FormatResString(const TResStringRec* AText, const std::string& AArgument) {
    std::string text = LoadLibraryString(AText);
    if (const std::size_t at = text.find("%s"); at != std::string::npos) text.replace(at, 2, AArgument);
    return text;
}

}  // namespace zel
