#pragma once
// The platform's rows of the start-up list: the runtime's locale settings, then each windowing unit's form
// classes.
#include "platform/rtl/Units.h"

namespace zel {

TUnitRows PlatformUnits();

}  // namespace zel
