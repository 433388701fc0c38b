#pragma once
// The optional spell checker the text editors and the control base consult. Nothing in the system installs
// one; while none is installed every call below is skipped and answers as if there were no checker.
#include "platform/win/WinTypes.h"

namespace zel {

class TWinControl;

class IuiSpellChecker {
public:
    virtual ~IuiSpellChecker() = default;
    // The editor's inner control painted: the checker marks its misspellings again.
    virtual void RedrawMisspellings(TWinControl* innerControl) = 0;
    virtual void InnerControlScrolled(TWinControl* innerControl) = 0;
    virtual void SelectionChanged(TWinControl* innerControl) = 0;
    virtual void TextChanged(TWinControl* innerControl) = 0;
    // Whether the window is one of the checker's own (its suggestion list) that belongs to the editor.
    virtual bool IsChildWindow(HWND wnd) = 0;
    // Offers the context popup at a screen point to the checker first; true when it showed its own.
    virtual bool ContextPopup(TWinControl* innerControl, POINT screenPos) = 0;
};

// The installed checker, or nullptr. It is cleared when the control library shuts down; the checker stays
// its installer's to free.
IuiSpellChecker*& SpellCheckerHook();

void SpellCheckerRedrawMisspellings(TWinControl* innerControl);
void SpellCheckerInnerControlScrolled(TWinControl* innerControl);
void SpellCheckerSelectionChanged(TWinControl* innerControl);
void SpellCheckerTextChanged(TWinControl* innerControl);
bool SpellCheckerIsChildWindow(HWND wnd);
bool SpellCheckerContextPopup(TWinControl* innerControl, POINT screenPos);

}  // namespace zel
