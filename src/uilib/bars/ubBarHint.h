#pragma once
// The hint window that all managers share, and the hint timing: a hint shows 1000 ms after it is asked for,
// hides after 10000 ms, and a hint asked for within 400 ms after the last one hid shows at once.
#include <string>

#include "platform/vcl/Controls.h"
#include "uilib/bars/ubBarTypes.h"

namespace zel {

constexpr UINT ubHintDelay = 1000, ubHintDisplayTime = 10000, ubHintPause = 400;
// How far below the cursor a hint opens.
constexpr int ubHintCursorOffset = 20;

// A borderless, disabled, top-most tool window that is never activated and lets the mouse through.
class TubBarHintWindow : public TCustomControl {
public:
    explicit TubBarHintWindow(TComponent* AOwner);
    std::string ClassName() const override { return "TubBarHintWindow"; }
    static TubBarHintWindow* CreateDefault();

    // Shows the text at the point (moved to stay inside the work area there), top-most, without activation.
    virtual void ShowHintAt(TPoint APoint, const std::string& AText, TubBarManager* AManager);
    // Hides the window.
    void Deactivate();
    const std::string& HintText() const { return text_; }

protected:
    void CreateParams(TCreateParams& Params) override;
    void Dispatch(TMessage& Message) override;
    void Paint() override;

private:
    std::string text_;
};

// The shared hint window; nullptr while none exists.
TubBarHintWindow* HintWindow();
// Made by the first manager that is not designing, freed by the last manager.
void CreateSharedHintWindow();
void FreeSharedHintWindow();

// Asks for a hint (Show) or withdraws it; with AText that text is shown, else the selected control's hint.
void UpdateHint(TubBarManager* AManager, bool AShow, const std::string& AText);
// Shows the hint of the moment now.
void ShowHintNow(TubBarManager* AManager);
// Stops the hint timers of the manager and hides its hint (the manager is being destroyed).
void StopHintOf(TubBarManager* AManager);
bool HintShown();
bool InHintPause();
// Forgets the pending hint text (unit shutdown).
void ClearPendingHint();

}  // namespace zel
