#pragma once
// The parameter controls' rows of the start-up list: each unit registers its controls with the form reader,
// with their published properties and events.
#include "platform/rtl/Units.h"

namespace zel {

void RegisterUecompClasses();
void RegisterShaderClasses();
TUnitRows ControlsUnits();

}  // namespace zel
