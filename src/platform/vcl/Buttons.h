#pragma once
// The bitmap button: a push button with a glyph and the standard kinds (OK, Cancel, Yes, No...).
#include "platform/vcl/StdCtrls.h"

namespace zel {

enum TBitBtnKind { bkCustom, bkOK, bkCancel, bkHelp, bkYes, bkNo, bkClose, bkAbort, bkRetry, bkIgnore, bkAll };
enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };

class TBitBtn : public TButton {
public:
    explicit TBitBtn(TComponent* AOwner);
    ~TBitBtn() override;
    std::string ClassName() const override { return "TBitBtn"; }

    TBitBtnKind GetKind() const { return kind_; }
    // Gives the button the kind's caption (unless it has one of its own), modal result, and the
    // Default or Cancel role.
    void SetKind(TBitBtnKind Value);
    TBitmap* Glyph() const { return glyph_; }
    TButtonLayout Layout = blGlyphLeft;
    int Margin = -1;
    int Spacing = 4;
    int NumGlyphs = 1;
    // A Close button closes its form.
    void Click() override;

protected:
    void PaintGlyph(TCanvas* ACanvas, TRect& Content) override;

private:
    TBitBtnKind kind_ = bkCustom;
    TBitmap* glyph_ = nullptr;
};

// A flat or raised button drawn by its parent; with a GroupIndex it stays down, one of its group at a
// time (AllowAllUp lets the last one come up again).
class TSpeedButton : public TGraphicControl {
public:
    explicit TSpeedButton(TComponent* AOwner);
    ~TSpeedButton() override;
    std::string ClassName() const override { return "TSpeedButton"; }
    bool GetDown() const { return down_; }
    void SetDown(bool Value);
    int GroupIndex = 0;
    bool AllowAllUp = false;
    bool Flat = false;
    TBitmap* Glyph() const { return glyph_; }
    void Click() override;

protected:
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void Dispatch(TMessage& Message) override;

private:
    bool down_ = false;
    bool pressed_ = false;
    TBitmap* glyph_ = nullptr;
};

// Registers the unit's classes with the form reader (the unit's start-up row).
void RegisterButtonsClasses();

}  // namespace zel
