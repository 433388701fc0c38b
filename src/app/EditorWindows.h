#pragma once
// The element window factory's makers of the sound editors' container windows.

namespace zel {

// Registers the windows of the element kinds that have one (the patch window) with the main window's
// element window factory. Called as the main window registers its services.
void RegisterEditorWindows();

}  // namespace zel
