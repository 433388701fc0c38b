#include "app/EditorWindows.h"

#include "app/Main.h"
#include "editors/Uepatch.h"
#include "editors/Uesystem.h"
#include "model/Patch.h"
#include "model/SystemElem.h"

namespace zel {

void RegisterEditorWindows() {
    RegisterElementWindow(etPatch, [](TLibElem& Element) -> TObject* {
        auto* patch = dynamic_cast<TPatch*>(&Element);
        if (patch == nullptr || Formzelmo == nullptr) return nullptr;
        return TFormPatch::Open(Formzelmo, *patch);
    });
    RegisterElementWindow(etSystem, [](TLibElem& Element) -> TObject* {
        auto* system = dynamic_cast<TSystem*>(&Element);
        if (system == nullptr || Formzelmo == nullptr) return nullptr;
        return TFormSystem::Open(Formzelmo, *system);
    });
}

}  // namespace zel
