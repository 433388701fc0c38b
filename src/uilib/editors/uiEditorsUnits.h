#pragma once
// The edit controls library's rows of the start-up list, in the order its units set themselves up.
#include "platform/rtl/Units.h"

namespace zel {

TUnitRows uiEditorsUnits();
// The base layer's list, then the library's rows: what a program or test of this layer starts.
TUnitRows uiEditorsUnitList();

}  // namespace zel
