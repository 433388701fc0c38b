#include "model/CurrentElements.h"

namespace zel {

TPatch* CurrentPatch = nullptr;
TPerformance* CurrentPerformance = nullptr;
TRhythm* CurrentRhythm = nullptr;
TSystem* CurrentSystem = nullptr;
int PreviewChannel = 1;

}  // namespace zel
