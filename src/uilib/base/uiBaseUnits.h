#pragma once
// The component library's rows of the start-up list, in the order the library's units set themselves up.
#include "platform/rtl/Units.h"

namespace zel {

// The library's fifteen rows.
TUnitRows uiBaseUnits();
// The platform's rows, then the library's: what a program or test of this layer starts.
TUnitRows uiBaseUnitList();

}  // namespace zel
