#include "uilib/bars/ubBarQuickCust.h"

#include "uilib/bars/ubBarControlBase.h"
#include "uilib/bars/ubBarItem.h"
#include "uilib/bars/ubBarItemLinks.h"
#include "uilib/bars/ubBarPainters.h"
#include "uilib/bars/ubBarUnit.h"
#include "uilib/base/ubOffice11.h"

namespace zel {

TClass TubBarQuickCustItem::StaticClass() {
    static const TClassInfo info{"TubBarQuickCustItem", TubBarButton::StaticClass()};
    return &info;
}

TClass TubBarQuickCustExtButton::StaticClass() {
    static const TClassInfo info{"TubBarQuickCustExtButton", TubBarButton::StaticClass()};
    return &info;
}

TClass TubBarQuickSubItem::StaticClass() {
    static const TClassInfo info{"TubBarQuickSubItem", TubBarSubItem::StaticClass()};
    return &info;
}

// ---- extension button ----------------------------------------------------------------------------------------

TClass TubBarQuickCustExtButtonControl::StaticClass() {
    static const TClassInfo info{"TubBarQuickCustExtButtonControl", TubBarButtonControl::StaticClass()};
    return &info;
}

int TubBarQuickCustExtButtonControl::CheckAreaWidth() const { return Parent != nullptr ? Parent->LineHeight() : 0; }

int TubBarQuickCustExtButtonControl::CaptionOffset() const { return 2 * CheckAreaWidth() + 8; }

int TubBarQuickCustExtButtonControl::GetWidth() const {
    // A menu line's width with the check area added before it.
    return TubBarButtonControl::GetWidth() + CheckAreaWidth();
}

void TubBarQuickCustExtButtonControl::DrawEntry(const TRect& R, bool Checked) {
    TubBarPainterClass p = Painter();
    HDC dc = BarDC(this);
    TubBarItemPaintState s = PaintStateOf(this);
    // The line without a glyph: its glyph square is the check area, marked while the entry is checked.
    s.HasGlyph = false;
    s.Down = Checked;
    p->DrawMenuLine(dc, R, std::string(), s);
    TRect text = R;
    text.left += CaptionOffset();
    p->DrawItemText(dc, text, GetCaption(), s.Enabled, s.Hot, DT_LEFT, !IsButtonFaceWhite());
    const std::string shortCut = GetShortCutText();
    if (!shortCut.empty()) {
        TRect right = R;
        right.right -= (R.bottom - R.top) + 5;
        p->DrawItemText(dc, right, shortCut, s.Enabled, s.Hot, DT_RIGHT, !IsButtonFaceWhite());
    }
}

void TubBarQuickCustExtButtonControl::Draw(const TRect& R, bool InMenu) {
    if (!OnSubMenu()) {
        TubBarButtonControl::Draw(R, InMenu);
        return;
    }
    if (IsRectEmpty(&R) || Parent == nullptr) return;
    DrawEntry(R, false);
}

// ---- entry standing for a toolbar link ----------------------------------------------------------------------

TClass TubBarQuickCustItemControl::StaticClass() {
    static const TClassInfo info{"TubBarQuickCustItemControl", TubBarQuickCustExtButtonControl::StaticClass()};
    return &info;
}

TubBarItemLink* TubBarQuickCustItemControl::SourceLink() const {
    return Link != nullptr ? Link->SourceLink() : nullptr;
}

std::string TubBarQuickCustItemControl::GetCaption() const {
    TubBarItemLink* source = SourceLink();
    return source != nullptr ? source->Caption() : std::string();
}

TBitmap* TubBarQuickCustItemControl::GetGlyph() const {
    TubBarItemLink* source = SourceLink();
    return source != nullptr ? source->Glyph() : nullptr;
}

int TubBarQuickCustItemControl::GetImageIndex() const {
    TubBarItemLink* source = SourceLink();
    return source != nullptr && source->GetItem() != nullptr ? source->GetItem()->GetImageIndex() : -1;
}

std::string TubBarQuickCustItemControl::GetHint() const {
    TubBarItemLink* source = SourceLink();
    return source != nullptr && source->GetItem() != nullptr ? source->GetItem()->Hint : std::string();
}

TShortCut TubBarQuickCustItemControl::GetShortCut() const {
    TubBarItemLink* source = SourceLink();
    return source != nullptr && source->GetItem() != nullptr ? source->GetItem()->GetShortCut() : 0;
}

void TubBarQuickCustItemControl::ControlClick() {
    // The entry shows or hides the link it stands for; the menus close as after any command.
    TubBarItemLink* source = SourceLink();
    TuiObjectLinkScope sourceAlive(source);
    TubBarItemControl::ControlClick();
    if (source != nullptr && sourceAlive.Alive()) source->SetVisible(!source->GetVisible());
}

void TubBarQuickCustItemControl::Draw(const TRect& R, bool InMenu) {
    if (!OnSubMenu()) {
        TubBarButtonControl::Draw(R, InMenu);
        return;
    }
    if (IsRectEmpty(&R) || Parent == nullptr) return;
    TubBarItemLink* source = SourceLink();
    DrawEntry(R, source != nullptr && source->GetVisible());
    // The glyph square after the check area shows the link's image as the link's paint style allows.
    const TubBarPaintStyle style = source != nullptr ? source->PaintStyle() : psStandard;
    if (!HasGlyph() || (style != psStandard && style != psCaptionGlyph)) return;
    TubBarPainterClass p = Painter();
    TRect line = R;
    line.left += CheckAreaWidth();
    TubBarItemPaintState s = PaintStateOf(this);
    s.HasGlyph = true;
    s.Down = false;
    s.Hot = false;
    p->DrawGlyphButton(BarDC(this), p->GetGlyphSquare(line), s, GlyphOf(this, true), true);
}

// ---- registration --------------------------------------------------------------------------------------------

namespace {
TubBarItemControl* MakeQuickCustItemControl(TubBarItemLink* ALink) { return new TubBarQuickCustItemControl(ALink); }
TubBarItemControl* MakeQuickCustExtButtonControl(TubBarItemLink* ALink) {
    return new TubBarQuickCustExtButtonControl(ALink);
}
}  // namespace

void RegisterQuickCustItems() {
    RegisterItemControlClass(TubBarQuickCustExtButtonControl::StaticClass(), MakeQuickCustExtButtonControl);
    RegisterItemControlClass(TubBarQuickCustItemControl::StaticClass(), MakeQuickCustItemControl);
    RegisterBarItem(TubBarQuickCustExtButton::StaticClass(), TubBarQuickCustExtButtonControl::StaticClass(), false);
    RegisterBarItem(TubBarQuickCustItem::StaticClass(), TubBarQuickCustItemControl::StaticClass(), false);
    RegisterBarItem(TubBarQuickSubItem::StaticClass(), TubBarSubItemControl::StaticClass(), false);
}

void UnregisterQuickCustItems() {
    UnregisterBarItem(TubBarQuickSubItem::StaticClass());
    UnregisterBarItem(TubBarQuickCustItem::StaticClass());
    UnregisterBarItem(TubBarQuickCustExtButton::StaticClass());
    UnregisterItemControlClass(TubBarQuickCustItemControl::StaticClass());
    UnregisterItemControlClass(TubBarQuickCustExtButtonControl::StaticClass());
}

}  // namespace zel
