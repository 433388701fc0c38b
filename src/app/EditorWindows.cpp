#include "app/EditorWindows.h"

#include "app/Main.h"
#include "editors/Uepatch.h"
#include "model/Patch.h"

namespace zel {

void RegisterEditorWindows() {
    RegisterElementWindow(etPatch, [](TLibElem& Element) -> TObject* {
        auto* patch = dynamic_cast<TPatch*>(&Element);
        if (patch == nullptr || Formzelmo == nullptr) return nullptr;
        return TFormPatch::Open(Formzelmo, *patch);
    });
}

}  // namespace zel
