// The element classes of the program by type code. Each class's unit adds its line here, so that the
// factory (and every library and global file read through it) reaches every kind without the unit
// having to be referenced elsewhere:
//
//   RegisterElementType(etPatch, [](TLibElem* owner) { return std::make_unique<TPatch>(owner); });
#include "model/LibElem.h"
#include "model/Patch.h"

namespace zel {

void RegisterStandardElementTypes() {
    RegisterElementType(etPatch, [](TLibElem* owner) { return std::make_unique<TPatch>(owner); });
}

}  // namespace zel
