#pragma once
// The desktop window manager: bound only on systems newer than major version 5. The layer reports
// Windows XP (NT 5.1), so nothing is bound and composition reads off; tests can turn composition on to
// reach the branches that depend on it.
namespace zel {

bool IsDwmLoaded();
// DwmIsCompositionEnabled's answer when the manager is bound, else false.
bool IsDesktopCompositionOn();

// The unit's start-up (binds the manager where the system has one) and shutdown (releases it).
void uiDWMApiStartup();
void uiDWMApiShutdown();

// For tests: makes the manager count as bound with composition on (or restores the system's answer).
void SetDesktopCompositionForTesting(bool On);

}  // namespace zel
