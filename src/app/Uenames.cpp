#include "app/Uenames.h"

namespace zel {

void ReloadNamePicker() {}

}  // namespace zel
