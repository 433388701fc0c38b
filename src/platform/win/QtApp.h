#pragma once
// Private: makes sure a Qt application object exists (tests and tools that draw text or make windows
// before the program's application object would).

namespace zel {

void EnsureQtApplication();

}  // namespace zel
