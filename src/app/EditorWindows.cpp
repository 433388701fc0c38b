#include "app/EditorWindows.h"

#include "app/Main.h"
#include "editors/Uepatch.h"
#include "editors/Ueperfor.h"
#include "editors/Uerhythm.h"
#include "editors/Uesystem.h"
#include "model/Patch.h"
#include "model/Performance.h"
#include "model/Rhythm.h"
#include "model/SystemElem.h"

namespace zel {

namespace {
// The maker of the container window of one element kind, a child of the main window.
template <class TWindow, class TElem>
void RegisterContainer(ElementType Kind) {
    RegisterElementWindow(Kind, [](TLibElem& Element) -> TObject* {
        auto* element = dynamic_cast<TElem*>(&Element);
        if (element == nullptr || Formzelmo == nullptr) return nullptr;
        return TWindow::Open(Formzelmo, *element);
    });
}
}  // namespace

void RegisterEditorWindows() {
    RegisterContainer<TFormPatch, TPatch>(etPatch);
    RegisterContainer<TFormPerformance, TPerformance>(etPerformance);
    RegisterContainer<TFormRhythm, TRhythm>(etRhythm);
    RegisterContainer<TFormSystem, TSystem>(etSystem);
}

}  // namespace zel
