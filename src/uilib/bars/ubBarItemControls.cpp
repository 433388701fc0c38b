#include "uilib/bars/ubBarItemControls.h"

#include <memory>

#include <algorithm>

#include "platform/vcl/Menus.h"
#include "platform/vcl/StdCtrls.h"
#include "platform/win/SysInfo.h"
#include "uilib/bars/ubBarCommandItems.h"
#include "uilib/bars/ubBarControlBase.h"
#include "uilib/bars/ubBarManager.h"
#include "uilib/bars/ubBarPopupMenu.h"
#include "uilib/bars/ubBarSubItem.h"
#include "uilib/bars/ubBarSubMenuControl.h"
#include "uilib/bars/ubBarUnit.h"
#include "uilib/bars/ubBars.h"
#include "uilib/base/ubOffice11.h"
#include "uilib/base/uiClasses.h"

namespace zel {

TubBarSubItemControl* PendingSubItem = nullptr;
UINT_PTR PendingTimer = 0;

namespace {

// Whether the pending timer opens (else closes) its sub-item's menu.
bool pendingOpens = false;

}  // namespace

TubBarItemPaintState PaintStateOf(const TubBarItemControl* C) {
    TubBarItemPaintState s = C->CalcDrawingParams();
    TCustomubBarControl* bar = C->Parent;
    if (bar == nullptr) return s;
    s.Rotated = IsRotatedBarControl(bar);
    s.DockingStyle = bar->DockingStyle();
    s.LineHeight = bar->LineHeight();
    s.ArrowSize = bar->TextSpacing();
    TFont* font = bar->Canvas()->Font();
    s.FontHeight = std::abs(font->GetHeight());
    s.LargeFont = font->GetSize() >= 16;
    return s;
}

TubBarGlyph GlyphOf(const TubBarItemControl* C, bool InMenu) {
    TubBarGlyph g;
    const TubBarManager* m = C->Manager();
    g.Large = !InMenu && m != nullptr && m->GetLargeIcons();
    g.HasLargeImages = g.Large && m->GetUseLargeImagesForLargeIcons() && m->GetLargeImages() != nullptr;
    g.Images = C->GetImages(g.Large);
    g.ImageIndex = C->GetImageIndex();
    g.Bitmap = C->GetGlyph();
    g.UseDisabledImages = C->UseDisabledImages();
    g.FadedColor = C->Painter()->GetFadedColor(m);
    return g;
}

HDC BarDC(const TubBarItemControl* C) { return C->Parent->Canvas()->GetHandle(); }

namespace {

// The width of a caption on the bar window's canvas, without its accelerator marks.
int CaptionTextWidth(const TubBarItemControl* C, const std::string& Caption) {
    if (C->Parent == nullptr) return 0;
    return C->Parent->Canvas()->TextWidth(StripAccelerators(Caption));
}

bool NoShiftKeys() { return GetKeyState(VK_SHIFT) >= 0 && GetKeyState(VK_CONTROL) >= 0 && GetKeyState(VK_MENU) >= 0; }

// A bar-window point in screen coordinates.
TPoint ToScreen(TCustomubBarControl* Bar, TPoint P) {
    POINT p{P.x, P.y};
    if (Bar != nullptr && Bar->HandleAllocated()) ClientToScreen(Bar->GetHandle(), &p);
    return TPoint(p.x, p.y);
}

void KillPendingTimer() {
    if (PendingTimer != 0) KillTimer(nullptr, PendingTimer);
    PendingTimer = 0;
    PendingSubItem = nullptr;
}

// The pending sub-item's delay has passed: it opens or closes its menu now. The timer fires once; a failure
// of the call is not passed on.
void SubItemTimerProc(HWND /*Window*/, UINT /*Msg*/, UINT_PTR /*Id*/, DWORD /*Time*/) {
    TubBarSubItemControl* control = PendingSubItem;
    const bool opens = pendingOpens;
    KillPendingTimer();
    if (control == nullptr) return;
    try {
        if (opens) control->ControlActivate(true);
        else control->ControlInactivate(true);
    } catch (...) {
    }
}

void StartPendingTimer(TubBarSubItemControl* AControl, bool Opens) {
    KillPendingTimer();
    PendingSubItem = AControl;
    pendingOpens = Opens;
    PendingTimer = SetTimer(nullptr, 0, ubSubMenuDelay, SubItemTimerProc);
}

template <class TControl>
TubBarItemControl* MakeControl(TubBarItemLink* ALink) {
    return new TControl(ALink);
}

}  // namespace

// ---------------------------------------------------------------------------------------- button control

TClass TubBarButtonControl::StaticClass() {
    static const TClassInfo info{"TubBarButtonControl", TubBarItemControl::StaticClass()};
    return &info;
}

TubBarButtonControl::~TubBarButtonControl() {
    if (DroppedDown) CloseUp();
}

TubBarButton* TubBarButtonControl::ButtonItem() const { return dynamic_cast<TubBarButton*>(Item()); }

TubBarPaintStyle TubBarButtonControl::PaintStyle() const {
    TubBarPaintStyle style = Link != nullptr ? Link->PaintStyle() : psStandard;
    if (!OnSubMenu()) CheckPaintStyle(style);
    return style;
}

void TubBarButtonControl::CheckPaintStyle(TubBarPaintStyle& Style) const {
    if (Style == psStandard && !HasGlyph()) Style = psCaption;
}

int TubBarButtonControl::GetArrowWidth() const {
    if (OnSubMenu()) return Parent != nullptr ? Parent->LineHeight() : 0;
    return Painter()->GetArrowWidth(Manager());
}

bool TubBarButtonControl::OnArrowPart(TPoint P) const {
    TubBarButton* button = ButtonItem();
    if (button == nullptr || button->GetButtonStyle() != bsDropDown) return false;
    const TRect r = ItemRect();
    return P.x >= r.right - GetArrowWidth() && P.x < r.right && P.y >= r.top && P.y < r.bottom;
}

int TubBarButtonControl::GetThickness() const {
    if (Parent == nullptr || Manager() == nullptr) return 0;
    const TubBarManagerSizes sizes = Painter()->ManagerSizes(Manager());
    int thickness = 0;
    if (OnSubMenu()) {
        thickness = Painter()->AdjustMenuLineHeight(Parent->LineHeight());
    } else {
        const TubBarPaintStyle style = PaintStyle();
        if (style == psCaption || style == psCaptionGlyph)
            thickness =
                std::max(Parent->LineHeight(), IsRotatedBarControl(Parent) ? sizes.ButtonWidth : sizes.ButtonHeight);
        else thickness = sizes.ButtonHeight;
    }
    if (ButtonItem() != nullptr && ButtonItem()->GetLowered()) thickness += 2 * Painter()->GetLoweredBorderWidth();
    return thickness;
}

int TubBarButtonControl::GetLength() const {
    if (Parent == nullptr || Manager() == nullptr) return 0;
    const TubBarManagerSizes sizes = Painter()->ManagerSizes(Manager());
    const int captionWidth = CaptionTextWidth(this, GetCaption());
    int length = 0;
    if (OnSubMenu()) {
        const int l = Parent->LineHeight();
        length = captionWidth + 2 * l + 6;
        const std::string shortCut = GetShortCutText();
        if (!shortCut.empty()) length += Parent->Canvas()->TextWidth(shortCut) + l - 6;
        length = Painter()->AdjustMenuLineWidth(length);
    } else {
        switch (PaintStyle()) {
            case psCaption: length = captionWidth + Parent->Canvas()->Font()->GetSize(); break;
            case psCaptionGlyph:
                length = captionWidth + 4 + (IsRotatedBarControl(Parent) ? sizes.ButtonHeight : sizes.ButtonWidth);
                break;
            default: length = sizes.ButtonWidth; break;
        }
    }
    if (ButtonItem() != nullptr && ButtonItem()->GetLowered()) length += 2 * Painter()->GetLoweredBorderWidth();
    return length;
}

namespace {
// A rotated vertical bar lays a caption button along the bar.
bool AlongTheBar(const TubBarButtonControl* C) {
    const TubBarPaintStyle style = C->PaintStyle();
    return !C->OnSubMenu() && IsRotatedBarControl(C->Parent) && (style == psCaption || style == psCaptionGlyph);
}
}  // namespace

int TubBarButtonControl::GetHeight() const { return AlongTheBar(this) ? GetLength() : GetThickness(); }

int TubBarButtonControl::GetWidth() const {
    int width = AlongTheBar(this) ? GetThickness() : GetLength();
    if (ButtonItem() != nullptr && ButtonItem()->GetButtonStyle() == bsDropDown && !OnSubMenu())
        width += GetArrowWidth();
    return width;
}

void TubBarButtonControl::GlyphChanged() {
    if (PaintStyle() != psStandard) Repaint();
    else Changed();
}

void TubBarButtonControl::PrepareClick(bool /*ByMouse*/) {
    TubBarButton* button = ButtonItem();
    if (button != nullptr && button->GetButtonStyle() == bsDropDown && IsPressedByMouse()) {
        POINT p;
        GetCursorPos(&p);
        ScreenToClient(Parent->GetHandle(), &p);
        if (OnArrowPart(TPoint(p.x, p.y))) {
            DropDown(true);
            return;
        }
    }
    if (OnToolbar() || (button != nullptr && button->GetButtonStyle() == bsDropDown)) Repaint();
}

void TubBarButtonControl::ControlClick() {
    if (DroppedDown) return;
    TubBarButton* button = ButtonItem();
    if (button != nullptr && button->GetButtonStyle() == bsChecked) button->SetDown(!button->GetDown());
    ControlInactivate(false);
    TubBarItemControl::ControlClick();
}

void TubBarButtonControl::ControlInactivate(bool Immediate) {
    TubBarItemControl::ControlInactivate(Immediate);
    // The drop-down menu's window closes with the control.
    if (!DroppedDown) return;
    TubBarButton* button = ButtonItem();
    const TAliveCheck alive(this);
    if (button != nullptr && button->GetDropDownMenu() != nullptr) button->GetDropDownMenu()->CloseMenu();
    if (alive.Alive() && DroppedDown) CloseUp();
}

void TubBarButtonControl::MouseDown(TPoint P) {
    TubBarButton* button = ButtonItem();
    if (button != nullptr && button->GetDropDownMenu() != nullptr && OnArrowPart(P) && !OnSubMenu()) Click(true);
}

bool TubBarButtonControl::DrawSelected() const {
    if (Parent != nullptr && Parent->IsCustomizing()) return GetPressed();
    return TubBarItemControl::DrawSelected();
}

void TubBarButtonControl::KeyDown(WORD Key) {
    if (Key == VK_UP || Key == VK_RIGHT || Key == VK_DOWN) DropDown(false);
}

bool TubBarButtonControl::WantsKey(WORD Key) const {
    TubBarButton* button = ButtonItem();
    if (button == nullptr || button->GetButtonStyle() != bsDropDown) return false;
    return OnSubMenu() ? Key == VK_RIGHT : Key == VK_UP || Key == VK_DOWN;
}

TCustomubBarControl* TubBarButtonControl::GetSubMenu() const {
    TubBarButton* button = ButtonItem();
    TubBarItemLinks* links = button != nullptr ? button->DropDownLinks() : nullptr;
    return DroppedDown && links != nullptr ? links->BarControl : nullptr;
}

void TubBarButtonControl::DropDown(bool /*ByMouse*/) {
    TubBarButton* button = ButtonItem();
    if (DroppedDown || !GetEnabled() || button == nullptr || !button->GetDropDownEnabled() ||
        button->GetDropDownMenu() == nullptr)
        return;
    DroppedDown = true;
    if (!GetActive()) ControlActivate(true);
    Repaint();
    // The menu opens right of the control on a sub-menu or a vertical toolbar, else below it; it may jump
    // over the control to its other side when it does not fit the work area.
    const TRect r = ItemRect();
    const bool beside = OnSubMenu() || IsVerticalBarControl(Parent);
    const TPoint at = ToScreen(Parent, beside ? TPoint(r.right, r.top) : TPoint(r.left, r.bottom));
    const TPoint topLeft = ToScreen(Parent, TPoint(r.left, r.top));
    TubBarPopupMenu* menu = button->GetDropDownMenu();
    const TAliveCheck alive(this);
    menu->OwnMessageLoop = true;
    // The arrow is released when the menu closes, unless the control went meanwhile.
    const std::shared_ptr<TuiObjectLink> self = CreateSharedObjectLink(this);
    menu->WhenClosed = [self] {
        if (auto* control = dynamic_cast<TubBarButtonControl*>(self->Ref)) control->CloseUp();
    };
    menu->ShowMenuAtEx(at.x, at.y, Bounds(topLeft.x, topLeft.y, r.right - r.left, r.bottom - r.top), true,
                       beside ? r.right - r.left : 0, beside ? 0 : r.bottom - r.top);
    menu->OwnMessageLoop = false;
    if (!menu->IsOpen() && menu->WhenClosed) {
        // The menu did not open (nothing to show): the arrow comes back up at once.
        std::function<void()> release = std::move(menu->WhenClosed);
        menu->WhenClosed = nullptr;
        release();
    }
    if (!alive.Alive()) return;
    if (Painter()->RepaintAfterDropDown()) Repaint();
}

void TubBarButtonControl::CloseUp() {
    DroppedDown = false;
    Repaint();
}

void TubBarButtonControl::Draw(const TRect& R, bool /*InMenu*/) {
    if (IsRectEmpty(&R) || Parent == nullptr) return;
    TubBarButton* button = ButtonItem();
    TubBarPainterClass p = Painter();
    HDC dc = BarDC(this);
    TubBarItemPaintState s = PaintStateOf(this);
    TRect r = R;
    if (button != nullptr && button->GetLowered()) p->DrawLoweredFrame(dc, r);
    const TubBarPaintStyle style = PaintStyle();
    const bool showGlyph = HasGlyph() && (style == psStandard || style == psCaptionGlyph);
    if (OnSubMenu()) {
        s.Down = button != nullptr && button->GetButtonStyle() == bsChecked && button->GetDown();
        s.HasGlyph = showGlyph;
        p->DrawMenuLine(dc, r, GetCaption(), s);
        if (showGlyph) {
            p->DrawGlyphButton(dc, p->GetGlyphSquare(r), s, GlyphOf(this, true), true);
        }
        const std::string shortCut = GetShortCutText();
        if (!shortCut.empty()) {
            TRect text = r;
            text.right -= (r.bottom - r.top) + 5;
            p->DrawItemText(dc, text, shortCut, s.Enabled, s.Hot, DT_RIGHT, !IsButtonFaceWhite());
        }
        return;
    }
    const bool dropDown = button != nullptr && button->GetButtonStyle() == bsDropDown;
    TRect face = r;
    if (dropDown) face.right -= GetArrowWidth();
    POINT cursor{};
    GetCursorPos(&cursor);
    if (Parent->HandleAllocated()) ScreenToClient(Parent->GetHandle(), &cursor);
    const bool onArrow = OnArrowPart(TPoint(cursor.x, cursor.y));
    const bool mouseDown = GetKeyState(VK_LBUTTON) < 0;
    s.Pressed = (s.Hot && mouseDown && IsPressedByMouse() && !onArrow && !DroppedDown) ||
                (GetPressed() && (button == nullptr || button->GetButtonStyle() != bsChecked));
    s.Down = button != nullptr && button->GetDown();
    s.MenuOpen = DroppedDown;
    s.DropDownFace = dropDown;
    s.HasGlyph = showGlyph;
    const TubBarManagerSizes sizes = p->ManagerSizes(Manager());
    TubBarGlyph glyph = showGlyph ? GlyphOf(this, false) : TubBarGlyph{};
    if (!showGlyph) glyph.Bitmap = nullptr;
    if (style == psCaptionGlyph) {
        // The glyph in its square at the start, the background over the whole face.
        const SIZE size = p->GlyphSize(glyph, s, false);
        const int side = s.Rotated ? sizes.ButtonHeight : sizes.ButtonWidth;
        RECT square = s.Rotated ? RECT{face.left, face.top, face.right, face.top + side}
                                : RECT{face.left, face.top, face.left + side, face.bottom};
        RECT g{square.left + (square.right - square.left - size.cx) / 2,
               square.top + (square.bottom - square.top - size.cy) / 2, 0, 0};
        g.right = g.left + size.cx;
        g.bottom = g.top + size.cy;
        if (s.Pressed) OffsetRect(&g, p->GetPressedGlyphOffsetX(), p->GetPressedGlyphOffsetY());
        p->DrawGlyphButtonParts(dc, face, s, glyph, g);
    } else {
        p->DrawGlyphButton(dc, face, s, glyph, false);
    }
    if (style == psCaption || style == psCaptionGlyph) {
        TRect text = face;
        const int indent = style == psCaption ? Parent->Canvas()->Font()->GetSize() / 2
                                              : (s.Rotated ? sizes.ButtonHeight : sizes.ButtonWidth);
        if (s.Rotated) text.top += indent;
        else text.left += indent;
        p->OffsetPressedItemGlyph(text, s);
        p->DrawItemText(dc, text, GetCaption(), s.Enabled, false, DT_LEFT, true, !s.Rotated);
    }
    if (dropDown) {
        TubBarItemPaintState arrow = s;
        arrow.Pressed = DroppedDown || (s.Hot && mouseDown && IsPressedByMouse() && onArrow);
        p->DrawDropDownArrowPart(dc, TRect(face.right, r.top, r.right, r.bottom), arrow);
    }
}

// ------------------------------------------------------------------------------------------ edit control

TClass TubBarEditControl::StaticClass() {
    static const TClassInfo info{"TubBarEditControl", TubBarWinControl::StaticClass()};
    return &info;
}

TubBarEdit* TubBarEditControl::EditItem() const { return dynamic_cast<TubBarEdit*>(Item()); }

bool TubBarEditControl::ShowsCaption() const {
    return OnSubMenu() || (EditItem() != nullptr && EditItem()->GetShowCaption());
}

int TubBarEditControl::CaptionWidth() const {
    if (!ShowsCaption()) return 0;
    const int glyphColumn = Parent != nullptr ? Parent->LineHeight() : 0;
    return Painter()->GetCaptionPartWidth(CaptionTextWidth(this, GetCaption()), glyphColumn, OnSubMenu());
}

void TubBarEditControl::CreateWindow() {
    if (Handle == nullptr && Parent != nullptr) {
        RegisterStandardClasses();
        Handle = CreateWindowEx(0, "EDIT", "", Painter()->GetEditStyle() | WS_CHILD, 0, 0, 100, 100,
                                Parent->GetHandle(), nullptr, nullptr, nullptr);
        if (Handle == nullptr) return;
        if (TubBarEdit* item = EditItem()) {
            SetWindowText(Handle, item->GetText().c_str());
            SendMessage(Handle, EM_LIMITTEXT, static_cast<WPARAM>(item->GetMaxLength()), 0);
        }
    }
    TubBarWinControl::CreateWindow();
}

void TubBarEditControl::SetFocused(bool Value) {
    if (Value && Handle != nullptr) {
        TubBarEdit* item = EditItem();
        const bool readOnly = item != nullptr && (item->ReadOnly || item->HideEditor);
        SendMessage(Handle, EM_SETREADONLY, readOnly ? 1 : 0, 0);
    }
    TubBarWinControl::SetFocused(Value);
}

void TubBarEditControl::PrepareClick(bool ByMouse) {
    TubBarWinControl::PrepareClick(ByMouse);
    if (Handle != nullptr) SendMessage(Handle, EM_SETSEL, 0, -1);
}

void TubBarEditControl::SetText(const std::string& Value) {
    const bool changed = GetText() != Value;
    // One text-change notice per write: the window's own notice of the new text is held back; the look's
    // (sent by the looks whose window sends none) or else the held one is told.
    heldChanges_ = 0;
    holdingChanges_ = true;
    TubBarWinControl::SetText(Value);
    holdingChanges_ = false;
    passedChanges_ = 0;
    if (Handle != nullptr) Painter()->EditTextSet(Handle, changed);
    if (passedChanges_ == 0 && heldChanges_ > 0) TextChanged();
}

void TubBarEditControl::TextChanged() {
    ++passedChanges_;
    if (!SettingText)
        if (TubBarEdit* item = EditItem()) item->DoCurChange();
}

void TubBarEditControl::WndProc(TMessage& Message) {
    TubBarEdit* item = EditItem();
    if (Message.Msg == WM_KEYDOWN && (Message.WParam == VK_RETURN || Message.WParam == VK_TAB) && item != nullptr) {
        if (Message.WParam == VK_RETURN && Link != nullptr) Link->MarkUsed(true);
        item->SetText(GetText());
        if (Handle == nullptr || !IsWindowVisible(Handle)) return;
    } else if (Message.Msg == WM_COMMAND && HIWORD(static_cast<std::uintptr_t>(Message.WParam)) == EN_CHANGE) {
        if (holdingChanges_) ++heldChanges_;
        else TextChanged();
        return;
    }
    TubBarWinControl::WndProc(Message);
}

int TubBarEditControl::GetHeight() const {
    if (Parent == nullptr) return 0;
    const int height = Parent->EditHeight();
    return OnSubMenu() ? std::max(height, Parent->LineHeight()) : height;
}

int TubBarEditControl::GetWidth() const { return CaptionWidth() + (Link != nullptr ? Link->Width() : 0); }

TRect TubBarEditControl::DrawEditParts(HDC DC, const TRect& R, const TubBarItemPaintState& State) {
    TubBarPainterClass p = Painter();
    const int captionWidth = CaptionWidth();
    if (captionWidth > 0)
        p->DrawEditCaption(DC, TRect(R.left, R.top, R.left + captionWidth, R.bottom), GetCaption(), State);
    TRect box(R.left + captionWidth, R.top, R.right, R.bottom);
    p->DrawEditBox(DC, box, State);
    return box;
}

void TubBarEditControl::PlaceWindow(HDC DC, const TRect& Area, const TubBarItemPaintState& State) {
    if (State.Enabled) SetWindowRect(Area);
    if (!GetFocused() || !State.Enabled)
        Painter()->DrawEditText(DC, Area, EditItem() != nullptr ? EditItem()->GetText() : std::string(), State);
}

void TubBarEditControl::Draw(const TRect& R, bool /*InMenu*/) {
    if (IsRectEmpty(&R) || Parent == nullptr) return;
    HDC dc = BarDC(this);
    const TubBarItemPaintState s = PaintStateOf(this);
    PlaceWindow(dc, DrawEditParts(dc, R, s), s);
}

// ----------------------------------------------------------------------------------------- combo control

TClass TCustomubBarComboControl::StaticClass() {
    static const TClassInfo info{"TCustomubBarComboControl", TubBarEditControl::StaticClass()};
    return &info;
}

TCustomubBarCombo* TCustomubBarComboControl::ComboItem() const { return dynamic_cast<TCustomubBarCombo*>(Item()); }

void TCustomubBarComboControl::SetDroppedDown(bool Value) {
    TCustomubBarCombo* item = ComboItem();
    if (droppedDown_ == Value || item == nullptr || item->ReadOnly) return;
    droppedDown_ = Value;
    Repaint();
    if (!Value) {
        item->CloseUp();
        return;
    }
    item->ActiveLink = Link;
    const TRect r = ItemRect();
    const bool beside = OnSubMenu() || IsVerticalBarControl(Parent);
    const TPoint at = ToScreen(Parent, beside ? TPoint(r.right, r.top) : TPoint(r.left + CaptionWidth(), r.bottom));
    item->DropDown(at.x, at.y);
}

void TCustomubBarComboControl::ControlInactivate(bool Immediate) {
    SetDroppedDown(false);
    TubBarEditControl::ControlInactivate(Immediate);
}

void TCustomubBarComboControl::EnabledChanged() {
    SetDroppedDown(false);
    TubBarEditControl::EnabledChanged();
}

void TCustomubBarComboControl::WndProc(TMessage& Message) {
    TCustomubBarCombo* item = ComboItem();
    const UINT msg = Message.Msg;
    const bool keyMessage = msg == WM_KEYDOWN || msg == WM_KEYUP || msg == WM_CHAR;
    if (msg == WM_KEYDOWN && Message.WParam == VK_F4) {
        SetDroppedDown(!droppedDown_);
        return;
    }
    if (droppedDown_ && keyMessage && item != nullptr) {
        HWND list = item->GetDropDownWindow();
        if (list != nullptr &&
            item->CheckKeyForDropDownWindow(static_cast<WORD>(Message.WParam), KeyboardStateToShiftState())) {
            SendMessage(list, msg, Message.WParam, Message.LParam);
            return;
        }
    }
    if ((msg == WM_SYSKEYDOWN || msg == WM_SYSKEYUP ||
         ((msg == WM_KEYDOWN || msg == WM_KEYUP) && GetKeyState(VK_MENU) < 0)) &&
        (Message.WParam == VK_UP || Message.WParam == VK_DOWN)) {
        if (msg == WM_SYSKEYDOWN || msg == WM_KEYDOWN) SetDroppedDown(!droppedDown_);
        return;
    }
    // A press on the drop-down button (mouse messages reach the inner window while it holds the mouse).
    const bool press = msg == WM_LBUTTONDOWN || msg == WM_LBUTTONDBLCLK;
    if ((press || msg == WM_LBUTTONUP) && Handle != nullptr && IsWindowVisible(Handle) && Parent != nullptr) {
        if (press) WasDroppedDown = droppedDown_;
        POINT p{GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)};
        MapWindowPoints(Handle, Parent->GetHandle(), &p, 1);
        const TRect button = PressRect();
        const bool toggles =
            (msg == WM_LBUTTONDOWN && !WasDroppedDown) || (msg == WM_LBUTTONUP && WasDroppedDown && !pressToggled_);
        if (msg == WM_LBUTTONUP) pressToggled_ = false;
        if (toggles && PtInRect(&button, p)) {
            SetDroppedDown(!droppedDown_);
            return;
        }
    }
    TubBarEditControl::WndProc(Message);
}

TRect TCustomubBarComboControl::PressRect() const {
    TRect button = ButtonRect;
    if (ComboItem() != nullptr && !ComboItem()->GetShowEditor()) button.left = ItemRect().left;
    return button;
}

void TCustomubBarComboControl::MouseDown(TPoint P) {
    WasDroppedDown = droppedDown_;
    const TRect button = PressRect();
    pressToggled_ = PtInRect(&button, P) != FALSE;
    if (pressToggled_) SetDroppedDown(!droppedDown_);
}

void TCustomubBarComboControl::Draw(const TRect& R, bool /*InMenu*/) {
    if (IsRectEmpty(&R) || Parent == nullptr) return;
    HDC dc = BarDC(this);
    TubBarItemPaintState s = PaintStateOf(this);
    TRect area = DrawEditParts(dc, R, s);
    const int buttonWidth = Parent->ComboButtonWidth();
    ButtonRect = TRect(area.right - buttonWidth, area.top, area.right, area.bottom);
    area.right = ButtonRect.left;
    PlaceWindow(dc, area, s);
    s.Pressed = droppedDown_;
    Painter()->DrawComboButton(dc, ButtonRect, droppedDown_, s);
}

TClass TubBarComboControl::StaticClass() {
    static const TClassInfo info{"TubBarComboControl", TCustomubBarComboControl::StaticClass()};
    return &info;
}

TubBarCustomCombo* TubBarComboControl::ListItem() const { return dynamic_cast<TubBarCustomCombo*>(Item()); }

void TubBarComboControl::SetItemIndex(int Value) {
    itemIndex_ = Value;
    TubBarCustomCombo* item = ListItem();
    if (item == nullptr) return;
    TStrings* items = item->GetItems();
    SetText(Value >= 0 && Value < items->GetCount() ? items->Get(Value) : item->GetText());
    if (item->HideEditor) Repaint();
}

void TubBarComboControl::SetFocused(bool Value) {
    TCustomubBarComboControl::SetFocused(Value);
    if (Value && GetFocused() && ListItem() != nullptr) {
        SettingText = true;
        struct TReset {
            bool& flag;
            ~TReset() { flag = false; }
        } reset{SettingText};
        SetItemIndex(ListItem()->GetItemIndex());
        if (Handle != nullptr) SendMessage(Handle, EM_SETSEL, 0, -1);
    }
}

void TubBarComboControl::WndProc(TMessage& Message) {
    TubBarCustomCombo* item = ListItem();
    if (item != nullptr && !item->ReadOnly) {
        const int count = item->GetItems()->GetCount();
        if (Message.Msg == WM_KEYDOWN && (Message.WParam == VK_UP || Message.WParam == VK_DOWN) && NoShiftKeys() &&
            !GetDroppedDown()) {
            const int next = itemIndex_ + (Message.WParam == VK_UP ? -1 : 1);
            // Up at the first entry and Down at the last (or in an empty list) are swallowed.
            if (next >= 0 && next < count && !(Message.WParam == VK_UP && itemIndex_ < 0)) {
                SetItemIndex(next);
                if (Handle != nullptr) SendMessage(Handle, EM_SETSEL, 0, -1);
            }
            return;
        }
        if (Message.Msg == WM_KEYDOWN && (Message.WParam == VK_RETURN || Message.WParam == VK_TAB) &&
            itemIndex_ != -1 && itemIndex_ < count && GetText() == item->GetItems()->Get(itemIndex_))
            item->SetItemIndex(itemIndex_);
        if (Message.Msg == WM_MOUSEWHEEL) {
            const bool down = static_cast<short>(HIWORD(static_cast<std::uintptr_t>(Message.WParam))) < 0;
            HWND list = item->GetDropDownWindow();
            if (GetDroppedDown() && list != nullptr) {
                SendMessage(list, WM_VSCROLL, down ? SB_LINEDOWN : SB_LINEUP, 0);
            } else {
                const int next = itemIndex_ + (down ? 1 : -1);
                if (next >= 0 && next < count) SetItemIndex(next);
            }
            return;
        }
    }
    TCustomubBarComboControl::WndProc(Message);
}

// -------------------------------------------------------------------------------------- sub-item control

TClass TubBarSubItemControl::StaticClass() {
    static const TClassInfo info{"TubBarSubItemControl", TubBarItemControl::StaticClass()};
    return &info;
}

TubBarSubItemControl::~TubBarSubItemControl() {
    if (PendingSubItem == this) KillPendingTimer();
    CloseSubMenu();
    SetActive(false);
}

TCustomubBarSubItem* TubBarSubItemControl::SubItem() const { return dynamic_cast<TCustomubBarSubItem*>(Item()); }

TCustomubBarControl* TubBarSubItemControl::GetSubMenuControl() const {
    TCustomubBarSubItem* item = SubItem();
    TubBarItemLinks* links = item != nullptr ? item->GetItemLinks() : nullptr;
    return links != nullptr ? links->BarControl : nullptr;
}

void TubBarSubItemControl::CreateSubMenu() {
    TCustomubBarSubItem* item = SubItem();
    if (item == nullptr || item->GetItemLinks() == nullptr) return;
    auto* menu = new TubBarSubMenuControl(Manager());
    menu->SetItemLinks(item->GetItemLinks());
}

int TubBarSubItemControl::GetItemHeight() const {
    if (Parent == nullptr || Manager() == nullptr) return 0;
    TCustomubBarSubItem* item = SubItem();
    return Painter()->GetSubItemHeight(PaintStateOf(this), Parent->LineHeight(), Painter()->ManagerSizes(Manager()),
                                       item == nullptr || item->GetShowCaption());
}

int TubBarSubItemControl::GetItemWidth() const {
    if (Parent == nullptr || Manager() == nullptr) return 0;
    const TubBarItemPaintState s = PaintStateOf(this);
    TCustomubBarSubItem* item = SubItem();
    return Painter()->GetSubItemWidth(s, CaptionTextWidth(this, GetCaption()), Parent->LineHeight(),
                                      Painter()->ManagerSizes(Manager()), s.FontHeight,
                                      item == nullptr || item->GetShowCaption());
}

int TubBarSubItemControl::GetHeight() const { return IsRotatedBarControl(Parent) ? GetItemWidth() : GetItemHeight(); }

int TubBarSubItemControl::GetWidth() const { return IsRotatedBarControl(Parent) ? GetItemHeight() : GetItemWidth(); }

TPoint TubBarSubItemControl::SubMenuOrigin() const {
    const TRect r = ItemRect();
    const bool beside = OnSubMenu() || IsVerticalBarControl(Parent);
    return ToScreen(Parent, beside ? TPoint(r.right, r.top) : TPoint(r.left, r.bottom));
}

void TubBarSubItemControl::ControlActivate(bool Immediate) {
    if (!CanOpen()) return;
    if (PendingSubItem == this) {
        // Back before its menu closed: the menu stays open. Already waiting to open: the wait goes on.
        if (!pendingOpens) KillPendingTimer();
        if (!pendingOpens || !Immediate) return;
    }
    SetActive(true);
    TubBarManager* m = Manager();
    const bool customizing = m != nullptr && m->GetCustomizing();
    if (!GetEnabled() && !customizing) return;
    if (OnToolbar()) {
        if (!customizing && !(Parent != nullptr && Parent->MenuMode())) return;
        Immediate = true;
    }
    if (!Immediate && !customizing) {
        // A sub-menu waiting to close closes now, unless it is this bar window's own child menu.
        if (PendingSubItem != nullptr && PendingSubItem != this) {
            TubBarSubItemControl* other = PendingSubItem;
            const bool otherCloses = !pendingOpens;
            KillPendingTimer();
            if (otherCloses && (Parent == nullptr || other->GetSubMenuControl() != Parent->ChildMenu))
                other->ControlInactivate(true);
        }
        StartPendingTimer(this, true);
        return;
    }
    OpenSubMenu();
}

void TubBarSubItemControl::OpenSubMenu() {
    if (PendingSubItem == this) KillPendingTimer();
    TCustomubBarSubItem* item = SubItem();
    if (item != nullptr) {
        item->DoPopup();
        item->Click();
    }
    if (GetSubMenuControl() == nullptr) CreateSubMenu();
    if (auto* menu = dynamic_cast<TubBarSubMenuControl*>(GetSubMenuControl()); menu != nullptr && Parent != nullptr) {
        SubItem()->GetItemLinks()->OpeningLink = Link;
        menu->ParentBar = Parent;
        menu->ParentControl = this;
        Parent->ChildMenu = menu;
        const TRect r = ItemRect();
        const bool beside = OnSubMenu() || IsVerticalBarControl(Parent);
        menu->ExclusionWidth = beside ? r.right - r.left : 0;
        menu->ExclusionHeight = beside ? 0 : r.bottom - r.top;
        const TPoint topLeft = ToScreen(Parent, TPoint(r.left, r.top));
        menu->ShadowExclusion = Bounds(topLeft.x, topLeft.y, r.right - r.left, r.bottom - r.top);
        const TPoint at = SubMenuOrigin();
        const TAliveCheck alive(this);
        menu->Popup(at.x, at.y);
        if (!alive.Alive()) return;
        if (OpenedByKey && GetSubMenuControl() == menu) menu->SelectFirst();
    }
    OpenedByKey = false;
    if (OnToolbar()) Repaint();
}

void TubBarSubItemControl::CloseSubMenu() {
    auto* menu = dynamic_cast<TubBarSubMenuControl*>(GetSubMenuControl());
    if (menu == nullptr || menu->ParentControl != this) return;
    // The list forgets its window first, so that a close reached again while this one runs finds none.
    TubBarItemLinks* links = menu->GetItemLinks();
    links->BarControl = nullptr;
    const TAliveCheck alive(this);
    menu->CloseUp();
    links->OpeningLink = nullptr;
    delete menu;
    if (alive.Alive() && Parent != nullptr && Parent->ChildMenu == menu) Parent->ChildMenu = nullptr;
}

void TubBarSubItemControl::ControlInactivate(bool Immediate) {
    TubBarManager* m = Manager();
    const bool customizing = m != nullptr && m->GetCustomizing();
    if (OnSubMenu() && !Immediate && PendingSubItem == nullptr && GetActive() &&
        !(Parent != nullptr && Parent->IsLocked()) && !customizing) {
        StartPendingTimer(this, false);
        return;
    }
    const bool wasOpen = GetSubMenuControl() != nullptr;
    TubBarItemControl::ControlInactivate(Immediate);
    if (PendingSubItem == this) KillPendingTimer();
    CloseSubMenu();
    if (OnToolbar()) Repaint();
    if (wasOpen && SubItem() != nullptr) SubItem()->DoCloseUp();
}

void TubBarSubItemControl::PrepareClick(bool ByMouse) {
    if (GetSubMenuControl() != nullptr) {
        TubBarManager* m = Manager();
        if ((Parent != nullptr && Parent->IsCustomizing()) || (m != nullptr && m->GetStyle() == bmsStandard))
            ControlInactivate(true);
        return;
    }
    OpenedByKey = !ByMouse;
    ControlActivate(true);
    // Opened by key, the menu selects its first link once it exists.
}

void TubBarSubItemControl::KeyDown(WORD Key) {
    if (Key == VK_RIGHT) Click(false);
}

bool TubBarSubItemControl::WantsKey(WORD Key) const { return OnSubMenu() && Key == VK_RIGHT; }

void TubBarSubItemControl::Draw(const TRect& R, bool /*InMenu*/) {
    if (IsRectEmpty(&R) || Parent == nullptr) return;
    TubBarItemPaintState s = PaintStateOf(this);
    s.MenuOpen = GetActive() && GetSubMenuControl() != nullptr;
    TCustomubBarSubItem* item = SubItem();
    Painter()->DrawSubItem(BarDC(this), R, GetCaption(), item == nullptr || item->GetShowCaption(), s,
                           GlyphOf(this, OnSubMenu()));
}

// -------------------------------------------------------------------------------- container item control

TClass TubBarContainerItemControl::StaticClass() {
    static const TClassInfo info{"TubBarContainerItemControl", TubBarSubItemControl::StaticClass()};
    return &info;
}

std::string TubBarContainerItemControl::GetCaption() const {
    const std::string caption = TubBarSubItemControl::GetCaption();
    auto* item = dynamic_cast<TCustomubBarContainerItem*>(Item());
    // In a menu the container's own link stands in for its contents.
    if (OnSubMenu() && item != nullptr && item->ReplacesPlaceholder()) return "(" + caption + ")";
    return caption;
}

bool TubBarContainerItemControl::HasSubMenuArrow() const {
    return Manager() == nullptr || !Manager()->GetCustomizing();
}

void TubBarContainerItemControl::CreateSubMenu() {
    TubBarManager* m = Manager();
    auto* item = dynamic_cast<TCustomubBarContainerItem*>(Item());
    if (item == nullptr || (m != nullptr && m->GetCustomizing())) return;
    auto* menu = new TContainerItemSubMenuControl(m);
    menu->SetItemLinks(item->GetItemLinks());
    menu->ContainerItem = item;
    item->Fill(item->GetItemLinks(), 0, Link, true);
}

// -------------------------------------------------------------------------------------------- registry

void RegisterItemControlClasses() {
    RegisterItemControlClass(TubBarButtonControl::StaticClass(), MakeControl<TubBarButtonControl>);
    RegisterItemControlClass(TubBarEditControl::StaticClass(), MakeControl<TubBarEditControl>);
    RegisterItemControlClass(TCustomubBarComboControl::StaticClass(), MakeControl<TCustomubBarComboControl>);
    RegisterItemControlClass(TubBarComboControl::StaticClass(), MakeControl<TubBarComboControl>);
    RegisterItemControlClass(TubBarSubItemControl::StaticClass(), MakeControl<TubBarSubItemControl>);
    RegisterItemControlClass(TubBarContainerItemControl::StaticClass(), MakeControl<TubBarContainerItemControl>);
}

void UnregisterItemControlClasses() {
    for (TClass c : {TubBarContainerItemControl::StaticClass(), TubBarSubItemControl::StaticClass(),
                     TubBarComboControl::StaticClass(), TCustomubBarComboControl::StaticClass(),
                     TubBarEditControl::StaticClass(), TubBarButtonControl::StaticClass()})
        UnregisterItemControlClass(c);
    KillPendingTimer();
}

}  // namespace zel
