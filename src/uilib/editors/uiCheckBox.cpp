#include "uilib/editors/uiCheckBox.h"

#include <algorithm>
#include <cctype>
#include <memory>

#include "platform/win/Gdi.h"
#include "platform/win/Messages.h"
#include "platform/win/UxTheme.h"
#include "uilib/base/ubThemeManager.h"
#include "uilib/base/uiLookAndFeels.h"
#include "uilib/editors/uiEditConsts.h"
#include "uilib/editors/uiEditPaintUtils.h"
#include "uilib/editors/uiEditUtils.h"
#include "uilib/editors/uiExtEditConsts.h"
#include "uilib/editors/uiTextEdit.h"

namespace zel {

namespace {

HBITMAP g_checkMask = nullptr;

// The themed button's check-box part and its states: unchecked 1-4, checked 5-8, mixed 9-12, each normal,
// hot, pressed, disabled.
constexpr int kThemeCheckBoxPart = 3;

TPoint ClassicCheckSize() { return TuiCustomLookAndFeelPainter().CheckGlyphSize(); }

}  // namespace

// ------------------------------------------------------------------------------------------------ settings

TuiCustomCheckBoxProperties::TuiCustomCheckBoxProperties(TPersistent* AOwner)
    : TuiCustomEditProperties(AOwner),
      displayChecked_(LoadLibraryString(&uiSEditCheckBoxChecked)),
      displayGrayed_(LoadLibraryString(&uiSEditCheckBoxGrayed)),
      displayUnchecked_(LoadLibraryString(&uiSEditCheckBoxUnchecked)),
      valueChecked_(true),
      valueGrayed_(Variant::Null()),
      valueUnchecked_(false) {}

TuiCustomCheckBoxProperties::~TuiCustomCheckBoxProperties() { delete glyph_; }

TuiCustomEditViewData* TuiCustomCheckBoxProperties::CreateViewData(TuiCustomEditStyle* AStyle, bool AInPlace) {
    return new TuiCustomCheckBoxViewData(this, AStyle, AInPlace);
}

void TuiCustomCheckBoxProperties::Assign(TPersistent* Source) {
    auto* source = dynamic_cast<TuiCustomCheckBoxProperties*>(Source);
    if (source == nullptr) {
        TuiCustomEditProperties::Assign(Source);
        return;
    }
    BeginUpdate();
    TuiCustomEditProperties::Assign(Source);
    alignment_ = source->alignment_;
    allowGrayed_ = source->allowGrayed_;
    caption_ = source->caption_;
    captionAssigned_ = source->captionAssigned_;
    displayChecked_ = source->displayChecked_;
    displayGrayed_ = source->displayGrayed_;
    displayUnchecked_ = source->displayUnchecked_;
    fullFocusRect_ = source->fullFocusRect_;
    SetGlyph(source->glyph_);
    glyphCount_ = source->glyphCount_;
    multiLine_ = source->multiLine_;
    nullStyle_ = source->nullStyle_;
    useAlignmentWhenInplace_ = source->useAlignmentWhenInplace_;
    SetValues(source->valueChecked_, source->valueGrayed_, source->valueUnchecked_);
    Changed();
    EndUpdate();
}

void TuiCustomCheckBoxProperties::SetCaption(const std::string& Value) {
    captionAssigned_ = true;
    Store(caption_, Value);
}

TBitmap* TuiCustomCheckBoxProperties::GetGlyph() {
    if (glyph_ == nullptr) {
        glyph_ = new TBitmap;
        glyph_->OnChange = [this](TObject*) { Changed(); };
    }
    return glyph_;
}

void TuiCustomCheckBoxProperties::SetGlyph(TBitmap* Value) {
    if (Value == nullptr) {
        if (glyph_ == nullptr) return;
        delete glyph_;
        glyph_ = nullptr;
        Changed();
        return;
    }
    GetGlyph()->Assign(Value);  // the glyph's change event reports the change
}

bool TuiCustomCheckBoxProperties::OwnerLoading() const {
    auto* owner = dynamic_cast<TComponent*>(GetOwner());
    return owner != nullptr && owner->ComponentState().Contains(csLoading);
}

bool TuiCustomCheckBoxProperties::IsOneOfTheValues(const Variant& AValue) const {
    return VarEqualsExact(AValue, valueChecked_) || VarEqualsExact(AValue, valueGrayed_) ||
           VarEqualsExact(AValue, valueUnchecked_);
}

void TuiCustomCheckBoxProperties::SetValueChecked(const Variant& Value) {
    if (!OwnerLoading() && (VarIsNull(Value) || IsOneOfTheValues(Value))) return;
    valueChecked_ = Value;
    Changed();
}

void TuiCustomCheckBoxProperties::SetValueGrayed(const Variant& Value) {
    if (!OwnerLoading() && IsOneOfTheValues(Value)) return;
    valueGrayed_ = Value;
    Changed();
}

void TuiCustomCheckBoxProperties::SetValueUnchecked(const Variant& Value) {
    if (!OwnerLoading() && (VarIsNull(Value) || IsOneOfTheValues(Value))) return;
    valueUnchecked_ = Value;
    Changed();
}

void TuiCustomCheckBoxProperties::SetValues(const Variant& AChecked, const Variant& AGrayed,
                                            const Variant& AUnchecked) {
    if (VarIsNull(AChecked) || VarIsNull(AUnchecked) || VarEqualsExact(AChecked, AGrayed) ||
        VarEqualsExact(AChecked, AUnchecked) || VarEqualsExact(AGrayed, AUnchecked))
        return;
    valueChecked_ = AChecked;
    valueGrayed_ = AGrayed;
    valueUnchecked_ = AUnchecked;
    Changed();
}

TuiCheckBoxState TuiCustomCheckBoxProperties::GetState(const Variant& AValue) const {
    if (VarEqualsExact(AValue, valueChecked_)) return cbsChecked;
    if (VarEqualsExact(AValue, valueUnchecked_)) return cbsUnchecked;
    return cbsGrayed;
}

Variant TuiCustomCheckBoxProperties::ValueOfState(TuiCheckBoxState AState) const {
    switch (AState) {
        case cbsChecked: return valueChecked_;
        case cbsUnchecked: return valueUnchecked_;
        default: return valueGrayed_;
    }
}

std::string TuiCustomCheckBoxProperties::GetDisplayText(const Variant& AValue) const {
    switch (GetState(AValue)) {
        case cbsChecked: return displayChecked_;
        case cbsUnchecked: return displayUnchecked_;
        default: return displayGrayed_;
    }
}

bool TuiCustomCheckBoxProperties::IsKnownValue(const Variant& AValue) const { return IsOneOfTheValues(AValue); }

void TuiCustomCheckBoxProperties::PrepareDisplayValue(const Variant& AEditValue, Variant& DisplayValue) const {
    DisplayValue = Variant(static_cast<int>(GetState(AEditValue)));
}

// --------------------------------------------------------------------------------------------- view info

int TuiCustomCheckBoxViewInfo::GlyphIndex(TuiCheckBoxState AState, bool APressed, int AGlyphCount) {
    int index = static_cast<int>(AState) + (APressed ? 3 : 0);
    if (index >= AGlyphCount && index >= 3) index %= 3;
    // A strip of one or two cells has no cell for every state: it shows the cells it has, in turn.
    if (index >= AGlyphCount && AGlyphCount > 0) index %= AGlyphCount;
    return index;
}

void TuiCustomCheckBoxViewInfo::Paint(TCanvas* ACanvas) {
    FillBackground(ACanvas, Bounds, TRect{0, 0, 0, 0});
    DrawBox(ACanvas);
    HDC dc = ACanvas->GetHandle();
    if (Alignment != taCenter && !Text.empty()) {
        if (Font != nullptr) ACanvas->Font()->Assign(Font);
        ACanvas->Font()->SetColor(TextColor);
        SetBkMode(dc, TRANSPARENT);
        SelectObject(dc, ACanvas->Font()->GetHandle());
        SetTextColor(dc, static_cast<COLORREF>(ColorToRGB(TextColor)));
        RECT r = TextRect;
        DrawTextA(dc, Text.c_str(), static_cast<int>(Text.size()), &r, DrawTextFlags);
    }
    if (Focused && !IsRectEmpty(&FocusRect)) {
        SetTextColor(dc, static_cast<COLORREF>(ColorToRGB(clBtnText)));
        SetBkColor(dc, static_cast<COLORREF>(ColorToRGB(BackgroundColor)));
        DrawFocusRect(dc, &FocusRect);
    }
}

void TuiCustomCheckBoxViewInfo::DrawBox(TCanvas* ACanvas) {
    HDC dc = ACanvas->GetHandle();
    TuiCheckBoxState shown = State;
    if (shown == cbsGrayed && NullStyle == nssUnchecked) shown = cbsUnchecked;
    const bool pressed = CheckBoxVisualState == cvsPressed;
    const bool disabled = CheckBoxVisualState == cvsDisabled;
    if (HasGlyph) {
        const int cellWidth = Glyph->GetWidth() / GlyphCount;
        const int index = GlyphIndex(shown, pressed, GlyphCount);
        auto cell = std::make_unique<TBitmap>();
        cell->SetSize(cellWidth, Glyph->GetHeight());
        BitBlt(cell->Canvas()->GetHandle(), 0, 0, cellWidth, Glyph->GetHeight(), Glyph->Canvas()->GetHandle(),
               index * cellWidth, 0, SRCCOPY);
        // The cell's corner colour is its background, left out.
        const COLORREF key = GetPixel(cell->Canvas()->GetHandle(), 0, Glyph->GetHeight() - 1);
        for (int y = 0; y < cell->GetHeight(); ++y)
            for (int x = 0; x < cellWidth; ++x) {
                COLORREF c = GetPixel(cell->Canvas()->GetHandle(), x, y);
                if (c == key) continue;
                if (disabled) c = static_cast<COLORREF>(ColorToRGB(clBtnShadow));
                SetPixel(dc, CheckBoxRect.left + x, CheckBoxRect.top + y, c);
            }
        return;
    }
    if (NativeBox) {
        if (HTHEME theme = OpenThemeForType(thButton); theme != nullptr) {
            const int state = 1 + static_cast<int>(shown) * 4 + static_cast<int>(CheckBoxVisualState);
            DrawThemeBackground(theme, dc, kThemeCheckBoxPart, state, &CheckBoxRect, nullptr);
            return;
        }
    }
    const bool inactiveGrayed = shown == cbsGrayed && NullStyle == nssInactive;
    const bool grayedChecked = shown == cbsGrayed && NullStyle == nssGrayedChecked;
    const bool hotOrPressed = CheckBoxVisualState == cvsHot || pressed;
    RECT r = CheckBoxRect;
    if (CheckBorderStyle == ebsUltraFlat || CheckBorderStyle == ebsOffice11) {
        TColor frame = hotOrPressed ? clHighlight : clBtnShadow;
        if (inactiveGrayed) frame = clBtnText;
        if (CheckBorderStyle == ebsOffice11 && hotOrPressed) frame = GetEditBorderHighlightColor(true);
        FrameRect(dc, &r, uiGetSolidBrush(frame));
        InflateRect(&r, -1, -1);
        TColor fill = inactiveGrayed ? clBtnFace : clWindow;
        if (LookPainter != nullptr && !disabled && hotOrPressed)
            fill = LookPainter->CheckGlyphColor(pressed ? bpsPressed : bpsHot);
        FillRect(dc, &r, uiGetSolidBrush(fill));
        if (shown == cbsChecked || grayedChecked) {
            const TColor mark = grayedChecked || disabled ? clBtnShadow : clBtnText;
            HBITMAP mask = uiCheckBoxCheckMask();
            if (mask == nullptr) return;
            BITMAP info{};
            GetObject(mask, sizeof(info), &info);
            HDC maskDC = CreateCompatibleDC(dc);
            HGDIOBJ old = SelectObject(maskDC, mask);
            const int x0 = (CheckBoxRect.left + CheckBoxRect.right - info.bmWidth) / 2;
            const int y0 = (CheckBoxRect.top + CheckBoxRect.bottom - info.bmHeight) / 2;
            const COLORREF markColor = static_cast<COLORREF>(ColorToRGB(mark));
            for (int y = 0; y < info.bmHeight; ++y)
                for (int x = 0; x < info.bmWidth; ++x)
                    if ((GetPixel(maskDC, x, y) & 0xFFFFFF) == 0) SetPixel(dc, x0 + x, y0 + y, markColor);
            SelectObject(maskDC, old);
            DeleteDC(maskDC);
        }
        return;
    }
    UINT flags = DFCS_BUTTONCHECK;
    if (shown == cbsChecked || grayedChecked) flags |= DFCS_CHECKED;
    if (disabled || inactiveGrayed || grayedChecked) flags |= DFCS_INACTIVE;
    if (pressed) flags |= DFCS_PUSHED;
    if (CheckBorderStyle == ebsFlat || CheckBorderStyle == ebsSingle) flags |= DFCS_FLAT;
    DrawFrameControl(dc, &r, DFC_BUTTON, flags);
}

// ------------------------------------------------------------------------------------------------ control

TuiCustomCheckBox::TuiCustomCheckBox(TComponent* AOwner) : TuiCustomEdit(AOwner) {}

void TuiCustomCheckBox::AfterConstruction() {
    TuiCustomEdit::AfterConstruction();
    ControlStyle.Exclude(csDoubleClicks);
    SetWidth(121);
    SetHeight(21);
    TNotifyEvent applied = Properties()->OnPropertiesChanged;
    Properties()->OnPropertiesChanged = [this, applied](TObject* Sender) {
        PropertiesChangedHere();
        if (applied) applied(Sender);
    };
    SetEditValue(ActiveProperties()->ValueOfState(cbsUnchecked));
    shownState_ = cbsUnchecked;
}

bool TuiCustomCheckBox::CanAcceptRepositoryItem(TuiEditRepositoryItem* AItem) {
    return AItem == nullptr || dynamic_cast<TuiCustomCheckBoxProperties*>(AItem->Properties()) != nullptr;
}

TuiCheckBoxState TuiCustomCheckBox::GetState() const { return ActiveProperties()->GetState(GetEditValue()); }

void TuiCustomCheckBox::SetState(TuiCheckBoxState Value) {
    if (ComponentState().Contains(csLoading)) {
        storedState_ = Value;
        stateStored_ = true;
        return;
    }
    if (Value == GetState()) return;
    SetEditValue(ActiveProperties()->ValueOfState(Value));
}

void TuiCustomCheckBox::SetInternalValue(const Variant& Value, bool AFromUser) {
    TuiCustomEdit::SetInternalValue(Value, AFromUser);
    if (GetState() != shownState_) ValueChangedByEditor(shownState_);
    RefreshFrame();
}

void TuiCustomCheckBox::ValueChangedByEditor(TuiCheckBoxState /*AOldState*/) {
    shownState_ = GetState();
    InvalidateBox();
    if (!ComponentState().Contains(csLoading) && !ComponentState().Contains(csDestroying)) Click();
}

void TuiCustomCheckBox::PropertiesChangedHere() {
    TuiCustomCheckBoxProperties* active = ActiveProperties();
    if (active->IsCaptionAssigned() && !captionApplied_) {
        captionApplied_ = true;
        SetCaption(active->GetCaption());
    }
    if (GetState() != shownState_) ValueChangedByEditor(shownState_);
}

void TuiCustomCheckBox::PropertiesChanged(TuiEditRepositoryItem* Sender) {
    if (Sender == GetRepositoryItem()) PropertiesChangedHere();
    TuiCustomEdit::PropertiesChanged(Sender);
}

std::string TuiCustomCheckBox::GetDisplayText() const { return ActiveProperties()->GetDisplayText(GetEditValue()); }

void TuiCustomCheckBox::Toggle() {
    TuiCheckBoxState next = cbsChecked;
    switch (GetState()) {
        case cbsChecked: next = cbsUnchecked; break;
        case cbsGrayed: next = cbsChecked; break;
        case cbsUnchecked: next = ActiveProperties()->GetAllowGrayed() ? cbsGrayed : cbsChecked; break;
    }
    LockChangeEvents(true);
    SetInternalValue(ActiveProperties()->ValueOfState(next), true);
    LockChangeEvents(false);
    // With ImmediatePost each toggle reaches the store at once, once it passes validation.
    if (ActiveProperties()->GetImmediatePost() && DataBinding()->CanPost() && ValidateEdit(true)) PostEditValue();
}

void TuiCustomCheckBox::Reset() { SetChecked(false); }

bool TuiCustomCheckBox::IsStateStored() const {
    auto* action = dynamic_cast<TCustomAction*>(GetAction());
    return action == nullptr || (action->GetChecked() ? cbsChecked : cbsUnchecked) != GetState();
}

void TuiCustomCheckBox::Loaded() {
    LockChangeEvents(true);
    TuiCustomEdit::Loaded();
    LockChangeEvents(false);
    if (stateStored_) {
        stateStored_ = false;
        SetState(storedState_);
    } else if (!DataBinding()->DefaultValuesProvider()->IsDataStorage()) {
        SetState(cbsUnchecked);
    }
}

void TuiCustomCheckBox::ActionChange(TObject* Sender, bool CheckDefaults) {
    TuiCustomEdit::ActionChange(Sender, CheckDefaults);
    auto* action = dynamic_cast<TCustomAction*>(Sender);
    if (action == nullptr) return;
    if (ComponentState().Contains(csLoading) && stateStored_) return;
    if (!CheckDefaults || !GetChecked()) SetChecked(action->GetChecked());
}

TControlActionLink* TuiCustomCheckBox::CreateActionLink() { return new TuiCheckBoxActionLink(this); }

void TuiCustomCheckBox::InvalidateBox() {
    if (!HandleAllocated()) return;
    RefreshFrame();
    Invalidate();
}

TSize TuiCustomCheckBox::ContentSize(int AMaxWidth) {
    // The box and its caption sit two pixels inside the editor on every side.
    const TSize content = TextContentSize();
    int width = static_cast<int>(content.cx) + 4;
    if (AMaxWidth > 0) width = std::min(width, AMaxWidth);
    return TSize{Constraints()->ConstrainWidth(width),
                 Constraints()->ConstrainHeight(static_cast<int>(content.cy) + 4)};
}

TuiContainerStyleClass TuiCustomCheckBox::StyleObjectClass() {
    return [](TPersistent* AOwner, bool ADirectAccess, TuiContainerStyle* AParent, TuiContainerStyleState AState) {
        return Construct<TuiCheckBoxStyle>(AOwner, ADirectAccess, AParent, AState);
    };
}

TPoint TuiCustomCheckBox::BoxSize() {
    TuiCustomCheckBoxProperties* props = ActiveProperties();
    TBitmap* glyph = props->PeekGlyph();
    const int glyphCount = props->GetGlyphCount();
    if (glyphCount > 0 && glyph != nullptr && !glyph->Empty())
        return TPoint{glyph->GetWidth() / glyphCount, glyph->GetHeight()};
    if (IsNativeStyle()) {
        if (HTHEME theme = OpenThemeForType(thButton); theme != nullptr) {
            SIZE size{};
            if (GetThemePartSize(theme, nullptr, kThemeCheckBoxPart, 1, nullptr, TS_TRUE, &size) == S_OK)
                return TPoint{size.cx, size.cy};
        }
    }
    return ClassicCheckSize();
}

TSize TuiCustomCheckBox::TextContentSize() {
    TuiCustomCheckBoxProperties* props = ActiveProperties();
    if (props == nullptr) return TSize{0, 0};
    // The caption sits three pixels from the box.
    const TPoint box = BoxSize();
    const std::string caption = GetText();
    TSize size{box.x, box.y};
    if (caption.empty() || props->GetAlignment() == taCenter) return size;
    const TSize measured = CaptionExtent(caption, TRect{0, 0, 0, 0}, props->GetMultiLine() ? 0u : DT_SINGLELINE);
    size.cx += 3 + measured.cx;
    size.cy = std::max(size.cy, measured.cy);
    return size;
}

TSize TuiCustomCheckBox::CaptionExtent(const std::string& AText, RECT ABounds, UINT AFlags) {
    Canvas()->Font()->Assign(static_cast<TuiCustomEditStyle*>(ActiveStyle())->GetVisibleFont());
    HDC dc = Canvas()->GetHandle();
    SelectObject(dc, Canvas()->Font()->GetHandle());
    DrawTextA(dc, AText.c_str(), static_cast<int>(AText.size()), &ABounds, AFlags | DT_CALCRECT);
    return TSize{ABounds.right - ABounds.left, ABounds.bottom - ABounds.top};
}

void TuiCustomCheckBox::CalculateViewInfo(TPoint P, bool AHotTrack) {
    TuiCustomEdit::CalculateViewInfo(P, AHotTrack);
    TuiCustomCheckBoxViewInfo& vi = *CheckViewInfo();
    TuiCustomCheckBoxProperties* props = ActiveProperties();
    if (props == nullptr) return;
    auto* style = static_cast<TuiCustomEditStyle*>(ActiveStyle());
    // The check box draws no border of its own: its style's border only chooses how the box looks.
    const TuiContainerBorderStyle styleBorder = Style()->GetBorderStyle();
    vi.BorderStyle = cbsNone;
    vi.BorderWidth = 0;
    vi.Shadow = false;
    vi.BorderRect = vi.Bounds;
    vi.ClientRect = vi.Bounds;
    vi.Text = GetText();
    vi.Font = style->GetVisibleFont();
    vi.TextColor = GetEnabled() ? style->GetVisibleFont()->GetColor() : clGrayText;
    vi.Alignment = props->GetAlignment();
    switch (styleBorder) {
        case cbsUltraFlat: vi.CheckBorderStyle = ebsUltraFlat; break;
        case cbsOffice11: vi.CheckBorderStyle = ebsOffice11; break;
        case cbsFlat:
        case cbsSingle:
        case cbsNone: vi.CheckBorderStyle = style->GetHotTrack() ? ebs3D : ebsFlat; break;
        default: vi.CheckBorderStyle = ebs3D; break;
    }
    vi.Glyph = props->PeekGlyph();
    vi.GlyphCount = props->GetGlyphCount();
    vi.NullStyle = props->GetNullStyle();
    vi.HasGlyph = vi.GlyphCount > 0 && vi.Glyph != nullptr && !vi.Glyph->Empty();
    vi.NativeBox = IsNativeStyle();
    vi.LookPainter = style->GetLookAndFeel()->GetPainter();
    vi.BorderOffset = vi.NativeBox || vi.HasGlyph ? 0 : 2 - ContainerBorderWidth(cbsFlat);
    vi.State = GetState();

    const TPoint box = BoxSize();
    TRect area = vi.ClientRect;
    InflateRect(&area, -2, -2);
    const int top = (area.top + area.bottom - box.y) / 2;
    if (vi.Alignment == taCenter || vi.Text.empty()) {
        const int left = (area.left + area.right - box.x) / 2;
        vi.CheckBoxRect = TRect{left, top, left + box.x, top + box.y};
        vi.TextRect = TRect{0, 0, 0, 0};
    } else if (vi.Alignment == taRightJustify) {
        vi.CheckBoxRect = TRect{area.right - box.x, top, area.right, top + box.y};
        vi.TextRect = TRect{area.left, area.top, vi.CheckBoxRect.left - 3, area.bottom};
    } else {
        vi.CheckBoxRect = TRect{area.left, top, area.left + box.x, top + box.y};
        vi.TextRect = TRect{vi.CheckBoxRect.right + 3, area.top, area.right, area.bottom};
    }
    vi.DrawTextFlags = (props->GetMultiLine() ? DT_WORDBREAK : (DT_SINGLELINE | DT_VCENTER));
    if (vi.Alignment == taRightJustify) vi.DrawTextFlags |= DT_RIGHT;

    // The look of the box.
    const bool over = PtInRect(&vi.ClientRect, P) != 0;
    if (!GetEnabled()) vi.CheckBoxVisualState = cvsDisabled;
    else if (keyboardPressed_) vi.CheckBoxVisualState = cvsPressed;
    else if (IsDesigning()) vi.CheckBoxVisualState = cvsNormal;
    else if (mousePressedOnBox_ && over && MouseShiftState.Contains(ssLeft)) vi.CheckBoxVisualState = cvsPressed;
    else if (over && !MouseShiftState.Contains(ssLeft) && !mousePressedOnBox_) vi.CheckBoxVisualState = cvsHot;
    else vi.CheckBoxVisualState = cvsNormal;

    vi.Focused = IsFocusedOrInner();
    vi.FocusRect = TRect{0, 0, 0, 0};
    if (vi.Focused) {
        if (vi.Alignment == taCenter || vi.Text.empty()) {
            if (vi.Alignment == taCenter) {
                vi.FocusRect = vi.ClientRect;
                InflateRect(&vi.FocusRect, -1, -1);
            }
        } else if (props->GetFullFocusRect()) {
            vi.FocusRect = vi.TextRect;
            InflateRect(&vi.FocusRect, 1, 1);
        } else {
            const TSize measured = CaptionExtent(vi.Text, vi.TextRect, vi.DrawTextFlags & ~DT_VCENTER);
            const int h = static_cast<int>(measured.cy);
            const int w = static_cast<int>(measured.cx);
            const int textTop =
                props->GetMultiLine() ? vi.TextRect.top : (vi.TextRect.top + vi.TextRect.bottom - h) / 2;
            const int textLeft = vi.Alignment == taRightJustify ? vi.TextRect.right - w : vi.TextRect.left;
            vi.FocusRect = TRect{textLeft, textTop, textLeft + w, textTop + h};
            InflateRect(&vi.FocusRect, 1, 1);
        }
    }
}

bool TuiCustomCheckBox::DoKeyDown(WORD& Key, TShiftState Shift) {
    if (Key == VK_SPACE && CheckViewInfo()->CheckBoxVisualState <= cvsHot && !keyboardPressed_) {
        keyboardPressed_ = true;
        InvalidateBox();
        Key = 0;
        return true;
    }
    if (Key == VK_SPACE && keyboardPressed_) {
        Key = 0;  // the key's repeats
        return true;
    }
    return TuiCustomEdit::DoKeyDown(Key, Shift);
}

bool TuiCustomCheckBox::DoKeyUp(WORD& Key, TShiftState Shift) {
    if (Key == VK_SPACE && keyboardPressed_) {
        keyboardPressed_ = false;
        InvalidateBox();
        Key = 0;
        Toggle();
        return true;
    }
    return TuiCustomEdit::DoKeyUp(Key, Shift);
}

void TuiCustomCheckBox::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (Button == mbLeft) mousePressedOnBox_ = PtInRect(&CheckViewInfo()->ClientRect, TPoint{X, Y});
    TuiCustomEdit::MouseDown(Button, Shift, X, Y);
}

void TuiCustomCheckBox::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    const bool release = Button == mbLeft && mousePressedOnBox_;
    mousePressedOnBox_ = false;
    if (release && PtInRect(&CheckViewInfo()->ClientRect, TPoint{X, Y})) Toggle();
    TuiCustomEdit::MouseUp(Button, Shift, X, Y);
}

void TuiCustomCheckBox::WndProc(TMessage& Message) {
    switch (Message.Msg) {
        case WM_LBUTTONUP:
            // The state's change fires the click; the release does not fire another.
            controlState_.Exclude(csClicked);
            break;
        case CM_DIALOGCHAR: {
            const char accel = AcceleratorOf(GetText());
            const char c = static_cast<char>(Message.WParam);
            if (accel != 0 &&
                std::toupper(static_cast<unsigned char>(accel)) == std::toupper(static_cast<unsigned char>(c)) &&
                CanFocus()) {
                SetFocus();
                if (IsFocusedOrInner()) Toggle();
                Message.Result = 1;
                return;
            }
            break;
        }
        case WM_KILLFOCUS:
            if (keyboardPressed_) {
                keyboardPressed_ = false;
                InvalidateBox();
            }
            break;
        default: break;
    }
    TuiCustomEdit::WndProc(Message);
}

// ------------------------------------------------------------------------------------------- action link

bool TuiCheckBoxActionLink::IsCheckedLinked() {
    auto* action = dynamic_cast<TCustomAction*>(GetAction());
    auto* box = static_cast<TuiCustomCheckBox*>(control_);
    return action != nullptr && action->GetChecked() == box->GetChecked() && box->GetState() != cbsGrayed;
}

void TuiCheckBoxActionLink::SetChecked(bool Value) {
    if (!IsCheckedLinked()) return;
    auto* box = static_cast<TuiCustomCheckBox*>(control_);
    box->LockChangeEvents(true);
    box->SetChecked(Value);
    box->LockChangeEvents(false);
}

// ------------------------------------------------------------------------------------------------- unit

HBITMAP uiCheckBoxCheckMask() { return g_checkMask; }

namespace {

// The mask of the painter's check size: white where the two halves of the system bitmap agree, black where
// they differ (the mark).
HBITMAP BuildCheckMask() {
    const TPoint size = ClassicCheckSize();
    HBITMAP system = LoadBitmap(nullptr, OBM_CHECK);
    if (system == nullptr) return nullptr;
    BITMAP info{};
    GetObject(system, sizeof(info), &info);
    const int half = info.bmWidth / 2;
    HBITMAP mask = CreateBitmap(size.x, size.y, 1, 32, nullptr);
    HDC src = CreateCompatibleDC(nullptr);
    HDC dst = CreateCompatibleDC(nullptr);
    HGDIOBJ oldSrc = SelectObject(src, system);
    HGDIOBJ oldDst = SelectObject(dst, mask);
    for (int y = 0; y < size.y; ++y)
        for (int x = 0; x < size.x; ++x) {
            const int sx = x * half / std::max(1, size.x);
            const int sy = y * info.bmHeight / std::max(1, size.y);
            const bool agree = GetPixel(src, sx, sy) == GetPixel(src, sx + half, sy);
            SetPixel(dst, x, y, agree ? 0xFFFFFF : 0x000000);
        }
    SelectObject(src, oldSrc);
    SelectObject(dst, oldDst);
    DeleteDC(src);
    DeleteDC(dst);
    DeleteObject(system);
    return mask;
}

void uiCheckBoxStartup() {
    GetRegisteredEditProperties()->Register(TuiCheckBoxProperties::StaticClass(), suiSEditRepositoryCheckBoxItem.Text);
    FilterEditsController()->Register(TuiCheckBoxProperties::StaticClass(), TuiFilterCheckBoxHelper::StaticClass());
    uiExtEditConstsRegister();
    g_checkMask = BuildCheckMask();
}

void uiCheckBoxShutdown() {
    if (g_checkMask != nullptr) DeleteObject(g_checkMask);
    g_checkMask = nullptr;
    uiExtEditConstsUnregister();
    FilterEditsController()->Unregister(TuiCheckBoxProperties::StaticClass(), TuiFilterCheckBoxHelper::StaticClass());
    GetRegisteredEditProperties()->Unregister(TuiCheckBoxProperties::StaticClass());
}

}  // namespace

// ------------------------------------------------------------------------------------------- filter rows

TClass TuiCustomCheckBoxProperties::StaticClass() {
    static const TClassInfo info{"TuiCustomCheckBoxProperties", TuiCustomEditProperties::StaticClass()};
    return &info;
}

TClass TuiCheckBoxProperties::StaticClass() {
    static const TClassInfo info{"TuiCheckBoxProperties", TuiCustomCheckBoxProperties::StaticClass()};
    return &info;
}

namespace {

// The two items of the filter list: the texts of ValueChecked and ValueUnchecked.
std::string FilterItemText(const TuiCustomCheckBoxProperties* AProperties, int AIndex) {
    return AProperties->GetDisplayText(AIndex == 0 ? AProperties->GetValueChecked() : AProperties->GetValueUnchecked());
}

}  // namespace

TClass TuiFilterCheckBoxHelper::StaticClass() {
    return MakeHelperClass<TuiFilterCheckBoxHelper>("TuiFilterCheckBoxHelper", TuiFilterComboBoxHelper::StaticClass());
}

void TuiFilterCheckBoxHelper::GetFilterValue(TuiCustomEdit* AEdit, TuiCustomEditProperties* AEditProperties, Variant& V,
                                             std::string& S) const {
    auto* properties = dynamic_cast<TuiCustomCheckBoxProperties*>(AEditProperties);
    if (properties == nullptr) {
        TuiCustomFilterEditHelper::GetFilterValue(AEdit, AEditProperties, V, S);
        return;
    }
    V = Variant::Null();
    S.clear();
    if (VarIsNull(AEdit->GetEditValue())) return;
    const std::string shown = VarToStr(AEdit->GetEditValue());
    for (int item = 0; item < 2; ++item)
        if (shown == FilterItemText(properties, item)) {
            V = item == 0 ? properties->GetValueChecked() : properties->GetValueUnchecked();
            S = shown;
            return;
        }
}

TuiFilterOperators TuiFilterCheckBoxHelper::GetSupportedFilterOperators(TuiCustomEditProperties* /*AProperties*/,
                                                                        TuiValueTypeClass /*AValueTypeClass*/,
                                                                        bool /*AExtendedSet*/) const {
    return TuiFilterOperators(1542);
}

void TuiFilterCheckBoxHelper::InitializeProperties(TuiCustomEditProperties* AProperties,
                                                   TuiCustomEditProperties* AEditProperties, bool AHasButtons) const {
    TUpdateBracket update(AProperties);
    TuiFilterComboBoxHelper::InitializeProperties(AProperties, AEditProperties, AHasButtons);
    if (auto* combo = dynamic_cast<TuiCustomComboBoxProperties*>(AProperties)) combo->SetDropDownListStyle(lsFixedList);
    auto* source = dynamic_cast<TuiCustomCheckBoxProperties*>(AEditProperties);
    auto* list = dynamic_cast<TuiCustomTextEditProperties*>(AProperties);
    if (source == nullptr || list == nullptr) return;
    TStringList* items = list->LookupItems();
    items->BeginUpdate();
    items->Clear();
    items->Add(FilterItemText(source, 0));
    items->Add(FilterItemText(source, 1));
    items->EndUpdate();
}

void TuiFilterCheckBoxHelper::SetFilterValue(TuiCustomEdit* AEdit, TuiCustomEditProperties* AEditProperties,
                                             const Variant& AValue) const {
    auto* properties = dynamic_cast<TuiCustomCheckBoxProperties*>(AEditProperties);
    if (properties == nullptr) return;
    switch (properties->GetState(AValue)) {
        case cbsChecked: AEdit->SetEditValue(Variant(FilterItemText(properties, 0))); break;
        case cbsUnchecked: AEdit->SetEditValue(Variant(FilterItemText(properties, 1))); break;
        default: AEdit->SetEditValue(Variant::Null()); break;
    }
}

TUnitRow uiCheckBoxUnitRow() { return {"uiCheckBox", uiCheckBoxStartup, uiCheckBoxShutdown}; }

}  // namespace zel
