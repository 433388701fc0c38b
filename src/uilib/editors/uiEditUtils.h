#pragma once
// Small routines the editors share: character and value tests, region helpers, and sending keys to a window.
#include <string>

#include "platform/rtl/Variants.h"
#include "platform/vcl/Controls.h"
#include "platform/win/Gdi.h"
#include "platform/win/Windows.h"

namespace zel {

// True for NUL, tab, line feed, form feed, carriage return and space only.
bool IsSpaceChar(char C);
// Same Variant type and equal values.
bool VarEqualsExact(const Variant& V1, const Variant& V2);
// As VarEqualsExact, but two numbers of different types compare by value.
bool VarEqualsSoft(const Variant& V1, const Variant& V2);
// The shift-state flag of a mouse button.
TShiftState ButtonToShift(TMouseButton Button);
// The first component in the owner chain of APersistent (itself included), nullptr when none.
TComponent* GetOwnerComponent(TPersistent* APersistent);

bool IsRegionEmpty(HRGN ARegion);
// Adds ASource to ADest.
void AddRegion(HRGN ADest, HRGN ASource);

// The accelerator character of a caption ('&' before it, "&&" is a plain ampersand), 0 without one.
char AcceleratorOf(const std::string& ACaption);

void SendKeyDown(HWND AWindow, WORD AKey);
void SendChar(HWND AWindow, char AChar);

// Sets a flag for its lifetime and puts back the value it had.
class TFlagGuard {
public:
    TFlagGuard(bool& AFlag, bool AValue) : flag_(AFlag), old_(AFlag) { flag_ = AValue; }
    ~TFlagGuard() { flag_ = old_; }
    TFlagGuard(const TFlagGuard&) = delete;
    TFlagGuard& operator=(const TFlagGuard&) = delete;

private:
    bool& flag_;
    bool old_;
};

}  // namespace zel
