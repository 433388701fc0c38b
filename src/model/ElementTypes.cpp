// The element classes of the program by type code. Each class's unit adds its line here, so that the
// factory (and every library and global file read through it) reaches every kind without the unit
// having to be referenced elsewhere:
//
//   RegisterElementType(etPatch, [](TLibElem* owner) { return std::make_unique<TPatch>(owner); });
#include "model/Bank.h"
#include "model/Global.h"
#include "model/LibElem.h"
#include "model/Patch.h"
#include "model/Performance.h"
#include "model/Rhythm.h"
#include "model/SystemElem.h"

namespace zel {

void RegisterStandardElementTypes() {
    RegisterElementType(etPatch, [](TLibElem* owner) { return std::make_unique<TPatch>(owner); });
    RegisterElementType(etPerformance, [](TLibElem* owner) { return std::make_unique<TPerformance>(owner); });
    RegisterElementType(etRhythm, [](TLibElem* owner) { return std::make_unique<TRhythm>(owner); });
    RegisterElementType(etSystem, [](TLibElem* owner) { return std::make_unique<TSystem>(owner); });
    RegisterElementType(etPatchBank, [](TLibElem* owner) { return std::make_unique<TPatchBank>(owner); });
    RegisterElementType(etPerformanceBank, [](TLibElem* owner) { return std::make_unique<TPerformanceBank>(owner); });
    RegisterElementType(etRhythmBank, [](TLibElem* owner) { return std::make_unique<TRhythmBank>(owner); });
    RegisterElementType(etGlobal, [](TLibElem* owner) { return std::make_unique<TGlobal>(owner); });
}

}  // namespace zel
