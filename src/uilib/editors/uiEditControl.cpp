#include "uilib/editors/uiEditControl.h"

#include <algorithm>
#include <cctype>
#include <memory>

#include "platform/rtl/ScopeExit.h"
#include "platform/rtl/SysUtils.h"
#include "platform/vcl/HintInfo.h"
#include "platform/vcl/Menus.h"
#include "platform/win/Beep.h"
#include "platform/win/SysInfo.h"
#include "uilib/base/ubOffice11.h"
#include "uilib/base/ubThemeManager.h"
#include "uilib/base/ubUxTheme.h"
#include "uilib/base/uiBitmaps.h"
#include "uilib/base/uiGraphics.h"
#include "uilib/editors/uiDWMApi.h"
#include "uilib/editors/uiEditConsts.h"
#include "uilib/editors/uiEditPaintUtils.h"
#include "uilib/editors/uiEditUtils.h"
#include "uilib/editors/uiEditViewData.h"

namespace zel {

namespace {

// Fills R's one-pixel edges (top and left in ATopLeft, bottom and right in ABottomRight) and shrinks it by one.
void BevelFrame(TCanvas* ACanvas, TRect& R, TColor ATopLeft, TColor ABottomRight) {
    if (R.right <= R.left || R.bottom <= R.top) return;
    FillWithColor(ACanvas, TRect{R.left, R.top, R.right, R.top + 1}, ATopLeft);
    FillWithColor(ACanvas, TRect{R.left, R.top, R.left + 1, R.bottom}, ATopLeft);
    FillWithColor(ACanvas, TRect{R.left, R.bottom - 1, R.right, R.bottom}, ABottomRight);
    FillWithColor(ACanvas, TRect{R.right - 1, R.top, R.right, R.bottom}, ABottomRight);
    InflateRect(&R, -1, -1);
}

void VerticalLine(TCanvas* ACanvas, int X, const TRect& R, TColor AColor) {
    FillWithColor(ACanvas, TRect{X, R.top, X + 1, R.bottom}, AColor);
}

// Raises a counter for its lifetime.
class TDepthGuard {
public:
    explicit TDepthGuard(int& ADepth) : depth_(ADepth) { ++depth_; }
    ~TDepthGuard() { --depth_; }
    TDepthGuard(const TDepthGuard&) = delete;
    TDepthGuard& operator=(const TDepthGuard&) = delete;

private:
    int& depth_;
};

void DrawEllipsis(TCanvas* ACanvas, const TRect& R, TColor AColor, bool APressed) {
    const int side = R.right - R.left > 11 ? 2 : 1;
    const int width = side * 3 + 4;
    const int x = R.left + (R.right - R.left - width + (APressed ? 1 : 0)) / 2;
    const int y = R.top + (R.bottom - R.top - side + (APressed ? 1 : 0)) / 2;
    for (int i = 0; i < 3; ++i) {
        const int left = x + i * (side + 2);
        FillWithColor(ACanvas, TRect{left, y, left + side, y + side}, AColor);
    }
}

}  // namespace

// Tells a caller whether the editor was freed while it called out (a handler may free it); nests.
class TuiCustomEdit::TDestroyGuard {
public:
    explicit TDestroyGuard(TuiCustomEdit* AEdit) : edit_(AEdit), outer_(AEdit->destroyedFlag_) {
        edit_->destroyedFlag_ = &destroyed_;
    }
    ~TDestroyGuard() {
        if (!destroyed_) edit_->destroyedFlag_ = outer_;
        else if (outer_ != nullptr) *outer_ = true;
    }
    TDestroyGuard(const TDestroyGuard&) = delete;
    TDestroyGuard& operator=(const TDestroyGuard&) = delete;
    bool Destroyed() const { return destroyed_; }

private:
    TuiCustomEdit* edit_;
    bool* outer_;
    bool destroyed_ = false;
};

// ------------------------------------------------------------------------------------------------ view info

void TuiCustomEditViewInfo::Paint(TCanvas* ACanvas) {
    DrawEditBackground(ACanvas, this);
    HDC dc = ACanvas->GetHandle();
    for (const TuiEditButtonViewInfo& button : ButtonsInfo) {
        // A button that sticks out of the border rectangle is clipped to it.
        TRect visible{};
        if (!IntersectRect(&visible, &button.Bounds, &BorderRect)) continue;
        const int saved = SaveDC(dc);
        IntersectClipRect(dc, visible.left, visible.top, visible.right, visible.bottom);
        DrawButton(ACanvas, button);
        RestoreDC(dc, saved);
    }
}

TRect TuiCustomEditViewInfo::InnerEditRect() const {
    TWinControl* inner = Edit != nullptr ? Edit->GetInnerControl() : nullptr;
    TRect result{0, 0, 0, 0};
    if (inner == nullptr) return result;
    const TRect bounds = inner->BoundsRect();
    if (!IntersectRect(&result, &bounds, &ClientRect)) result = TRect{0, 0, 0, 0};
    return result;
}

bool TuiCustomEditViewInfo::SideTouchesFrameOrButton(const TuiEditButtonViewInfo& AButton, TuiBorder ASide) const {
    const TRect& b = AButton.Bounds;
    switch (ASide) {
        case bTop: return b.top <= BorderRect.top;
        case bBottom: return b.bottom >= BorderRect.bottom;
        case bLeft:
            if (b.left <= BorderRect.left) return true;
            break;
        case bRight:
            if (b.right >= BorderRect.right) return true;
            break;
    }
    for (const TuiEditButtonViewInfo& other : ButtonsInfo) {
        if (other.ButtonIndex == AButton.ButtonIndex) continue;
        if ((ASide == bLeft && other.Bounds.right == b.left) || (ASide == bRight && other.Bounds.left == b.right))
            return true;
    }
    return false;
}

bool TuiCustomEditViewInfo::IsSingleDropDown() const {
    return ButtonsInfo.size() == 1 && ButtonsInfo[0].Kind == bkDown;
}

void TuiCustomEditViewInfo::DrawNativeBackground(TCanvas* ACanvas) {
    const bool inPlace = Edit != nullptr && Edit->IsInPlaceEditor();
    if (inPlace || BorderStyle == cbsNone) {
        FillBackground(ACanvas, Bounds, InnerEditRect());
        return;
    }
    HDC dc = ACanvas->GetHandle();
    const bool glass = IsDesktopCompositionOn();
    // Under desktop composition a single drop-down editor is drawn as a combo box one pixel larger all round
    // (state 0); the other editors take the edit theme's border part there, its text part otherwise.
    const bool comboFrame = glass && IsSingleDropDown();
    TRect r = Bounds;
    int part = glass && !comboFrame ? 6 : 1;
    int state = NativeState;
    if (comboFrame) {
        InflateRect(&r, 1, 1);
        state = 0;
    }
    TRect fill = BorderRect;
    if (HTHEME theme = OpenThemeForType(comboFrame ? thComboBox : thEdit); theme != nullptr) {
        if (IsThemeBackgroundPartiallyTransparent(theme, part, state) && Edit != nullptr)
            PaintParentUnderControl(Edit, ACanvas, Bounds, false);
        DrawThemeBackground(theme, dc, part, state, &r, nullptr);
        TRect content = r;
        GetThemeBackgroundContentRect(theme, dc, part, state, &r, &content);
        if (!IntersectRect(&fill, &content, &BorderRect)) fill = TRect{0, 0, 0, 0};
    }
    FillBackground(ACanvas, fill, InnerEditRect());
}

void TuiCustomEditViewInfo::FillBackground(TCanvas* ACanvas, const TRect& R, const TRect& AExcept) {
    if (!Transparent) {
        FillRectExcept(ACanvas, R, AExcept, uiGetSolidBrush(BackgroundColor));
        return;
    }
    if (Edit == nullptr || Edit->IsInPlaceEditor() || IsRectEmpty(&R)) return;
    HDC dc = ACanvas->GetHandle();
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, R.left, R.top, R.right, R.bottom);
    if (!IsRectEmpty(&AExcept)) ExcludeClipRect(dc, AExcept.left, AExcept.top, AExcept.right, AExcept.bottom);
    PaintParentUnderControl(Edit, ACanvas, R, false);
    RestoreDC(dc, saved);
}

int TuiCustomEditViewInfo::ButtonAt(TPoint P) const {
    for (std::size_t i = 0; i < ButtonsInfo.size(); ++i)
        if (PtInRect(&ButtonsInfo[i].Bounds, P)) return static_cast<int>(i);
    return -1;
}

std::string TuiCustomEditViewInfo::ButtonHintAt(TPoint P, TRect& ACursorRect) const {
    const int at = ButtonAt(P);
    if (at < 0 || Edit == nullptr) return {};
    const TuiEditButtonViewInfo& info = ButtonsInfo[static_cast<std::size_t>(at)];
    ACursorRect = info.Bounds;
    const std::string& hint = Edit->ActiveProperties()->Buttons()->GetItem(info.ButtonIndex)->GetHint();
    return hint.substr(0, hint.find('|'));
}

void TuiCustomEditViewInfo::DrawButton(TCanvas* ACanvas, const TuiEditButtonViewInfo& AButton) {
    TRect r = AButton.Bounds;
    if (r.right <= r.left || r.bottom <= r.top) return;
    const bool pressed = AButton.State == ebsPressed;
    const bool hot = AButton.State == ebsSelected;
    TColor face = AButton.Transparent ? BackgroundColor : clBtnFace;
    TColor content = AButton.State == ebsDisabled ? clBtnShadow : AButton.TextColor;
    TuiEditButtonStyle style = AButton.Style;
    if (style == btsSimple && (pressed || hot)) style = btsFlat;
    HTHEME theme = NativeStyle ? OpenThemeForType(IsSingleDropDown() ? thComboBox : thButton) : nullptr;
    if (theme != nullptr) {
        // The theme draws the frame and the face; a combo box's drop-down part draws its arrow too.
        HDC dc = ACanvas->GetHandle();
        DrawThemeBackground(theme, dc, AButton.NativePart, AButton.NativeState, &AButton.Bounds, nullptr);
        if (IsSingleDropDown()) return;
        TRect inner = r;
        GetThemeBackgroundContentRect(theme, dc, AButton.NativePart, AButton.NativeState, &AButton.Bounds, &inner);
        r = inner;
        style = btsDefault;
    }
    switch (style) {
        case bts3D:
            if (pressed) {
                BevelFrame(ACanvas, r, clBtnShadow, clBtnShadow);
                BevelFrame(ACanvas, r, face, face);
            } else {
                BevelFrame(ACanvas, r, clBtnHighlight, cl3DDkShadow);
                BevelFrame(ACanvas, r, clBtnFace, clBtnShadow);
            }
            break;
        case btsFlat:
            VerticalLine(ACanvas, r.left, r, face);
            ++r.left;
            --r.right;
            VerticalLine(ACanvas, r.right, TRect{r.right, r.top, r.right + 1, r.bottom}, face);
            if (pressed) BevelFrame(ACanvas, r, clBtnShadow, clBtnHighlight);
            else BevelFrame(ACanvas, r, clBtnHighlight, clBtnShadow);
            break;
        case btsSimple:
            if (!AButton.Transparent) BevelFrame(ACanvas, r, BackgroundColor, BackgroundColor);
            FillWithColor(ACanvas, TRect{r.left, r.bottom - 1, r.right, r.bottom}, face);
            FillWithColor(ACanvas, TRect{r.right - 1, r.top, r.right, r.bottom}, face);
            --r.right;
            --r.bottom;
            break;
        case btsHotFlat: {
            const TColor frame = pressed ? clBtnText : hot ? clBtnShadow : clBtnFace;
            BevelFrame(ACanvas, r, clBtnShadow, clBtnShadow);
            if (pressed || hot) face = frame;
            if (pressed || hot) content = AButton.Transparent && hot ? clBtnShadow : clWindow;
            break;
        }
        case btsUltraFlat:
        case btsOffice11: {
            const bool office11 = style == btsOffice11;
            if (AButton.State == ebsDisabled) face = clBtnFace;
            else if (pressed || hot) face = GetEditButtonHighlightColor(pressed, office11);
            else face = office11 ? Office11RoleColor(Office11Roles.ButtonFace) : clBtnFace;
            if (AButton.Transparent) face = BackgroundColor;
            const TColor highlight = GetEditBorderHighlightColor(office11);
            if (!pressed && !hot) {
                if (!AButton.Transparent || AButton.State == ebsDisabled) BevelFrame(ACanvas, r, face, face);
            } else if (BorderStyle == cbsNone) {
                BevelFrame(ACanvas, r, highlight, highlight);
            } else {
                // Inside a bordered editor the editor's frame already closes the button wherever it touches
                // it: lines go only on the sides that touch neither the frame nor another button.
                TRect lines = r;
                TuiBorders sides;
                for (TuiBorder side : {bLeft, bTop, bRight, bBottom})
                    if (!SideTouchesFrameOrButton(AButton, side)) sides.Include(side);
                DrawBorderEdges(ACanvas, lines, sides, highlight);
                r = lines;
            }
            break;
        }
        default: break;
    }
    if (theme != nullptr) {
        face = clNone;  // the theme has drawn the face; a glyph leaves it showing
    } else if (AButton.Style == btsOffice11 && AButton.Gradient && !AButton.Transparent &&
               AButton.State != ebsDisabled) {
        // The scheme's gradient of the state, top to bottom; a normal button's reaches one pixel past its top and
        // bottom, so that its first and last rows are not the bare end colours.
        const int first = pressed ? Office11Roles.EditButtonPressedFirst
                          : hot   ? Office11Roles.EditButtonHotFirst
                                  : Office11Roles.EditButtonFirst;
        const int second = pressed ? Office11Roles.EditButtonPressedSecond
                           : hot   ? Office11Roles.EditButtonHotSecond
                                   : Office11Roles.EditButtonSecond;
        TRect gradient = r;
        if (!pressed && !hot) InflateRect(&gradient, 0, 1);
        HDC dc = ACanvas->GetHandle();
        const int saved = SaveDC(dc);
        IntersectClipRect(dc, r.left, r.top, r.right, r.bottom);
        FillLinearGradient(dc, gradient, Office11RoleColor(first), Office11RoleColor(second), false);
        RestoreDC(dc, saved);
        face = clNone;  // a glyph leaves the gradient showing through its transparent pixels
    } else {
        FillWithColor(ACanvas, r, face);
    }
    switch (AButton.Kind) {
        case bkEllipsis:
            if (AButton.State == ebsDisabled) {
                DrawEllipsis(ACanvas, TRect{r.left + 1, r.top + 1, r.right + 1, r.bottom + 1}, clBtnHighlight, false);
                DrawEllipsis(ACanvas, r, clBtnShadow, false);
            } else {
                DrawEllipsis(ACanvas, r, content, pressed);
            }
            break;
        case bkDown: {
            const TSize arrow = CalcArrowSize(TSize{r.right - r.left, r.bottom - r.top}, adDown);
            const int rows = std::max(1, (static_cast<int>(arrow.cx) + 1) / 2);
            if (AButton.State == ebsDisabled) {
                DrawEditArrow(ACanvas, rows, TRect{r.left + 1, r.top + 1, r.right + 1, r.bottom + 1}, clBtnHighlight,
                              false, false, adDown);
                DrawEditArrow(ACanvas, rows, r, clBtnShadow, false, false, adDown);
            } else {
                DrawEditArrow(ACanvas, rows, r, content, pressed, false, adDown);
            }
            break;
        }
        case bkGlyph:
            if (IsGlyphUsable(AButton.Glyph)) {
                const int x = r.left + (r.right - r.left - AButton.Glyph->GetWidth()) / 2;
                const int y = r.top + (r.bottom - r.top - AButton.Glyph->GetHeight()) / 2;
                DrawEditGlyph(ACanvas, x, y, AButton.Glyph, AButton.State != ebsDisabled, face);
            }
            break;
        case bkText: {
            ACanvas->Brush()->SetStyle(bsClear);
            ACanvas->Font()->SetColor(content);
            const TSize size = ACanvas->TextExtent(AButton.VisibleCaption);
            int x = r.left + 1;
            if (AButton.ContentAlignment == taCenter) x = r.left + (r.right - r.left - static_cast<int>(size.cx)) / 2;
            else if (AButton.ContentAlignment == taRightJustify) x = r.right - 2 - static_cast<int>(size.cx);
            int y = r.top + (r.bottom - r.top - static_cast<int>(size.cy)) / 2;
            if (pressed) {
                ++x;
                ++y;
            }
            ACanvas->TextRect(r, x, y, AButton.VisibleCaption);
            ACanvas->Brush()->SetStyle(bsSolid);
            break;
        }
    }
}

// -------------------------------------------------------------------------------------------------- binding

TuiEditDataBinding::TuiEditDataBinding(TuiCustomEdit* AEdit)
    : edit_(AEdit), provider_(new TuiCustomEditDefaultValuesProvider(nullptr)) {}

TuiEditDataBinding::~TuiEditDataBinding() { delete provider_; }

TPersistent* TuiEditDataBinding::GetOwner() const { return edit_; }
Variant TuiEditDataBinding::GetDisplayValue() const { return Variant(edit_->GetDisplayText()); }
Variant TuiEditDataBinding::GetStoredValue() const { return edit_->GetEditValue(); }
bool TuiEditDataBinding::IsModified() const { return edit_->GetModifiedSinceEnter(); }
bool TuiEditDataBinding::IsInEditMode() const { return edit_->GetModifiedSinceEnter(); }
bool TuiEditDataBinding::IsIdle() const { return edit_->IsDesigning() || !edit_->GetModifiedSinceEnter(); }
void TuiEditDataBinding::UpdateDisplayValue() { edit_->UpdateDrawValue(); }

// ------------------------------------------------------------------------------------------------ edit data

TuiCustomEditData::TuiCustomEditData(TuiCustomEdit* AEdit) : edit_(AEdit) {}

TuiCustomEditData::~TuiCustomEditData() {
    if (edit_ != nullptr && edit_->editData_ == this) edit_->editData_ = nullptr;
}

void TuiCustomEditData::Clear() {
    cleared_ = true;
    if (edit_ != nullptr) edit_->EditDataCleared();
}

// -------------------------------------------------------------------------------------------------- editor

TuiCustomEdit::TuiCustomEdit(TComponent* AOwner) : TuiContainer(AOwner) {}

TuiCustomEdit::TuiCustomEdit(TComponent* AOwner, bool AIsInplace) : TuiContainer(AOwner), inplaceMode_(AIsInplace) {}

void TuiCustomEdit::AfterConstruction() {
    properties_ = CreateProperties();
    properties_->OnPropertiesChanged = [this](TObject*) { ApplyActiveProperties(); };
    TuiContainer::AfterConstruction();
    EditViewInfo()->Edit = this;
    {
        const std::unique_ptr<TuiCustomEditViewData> data(
            properties_->CreateViewData(static_cast<TuiCustomEditStyle*>(Style()), inplaceMode_));
        contentOffsets_ = data->ContentOffsets;
    }
    editValue_ = Variant::Null();
    binding_ = CreateDataBinding();
    autoSize_ = !inplaceMode_;
    dblClickTimer_ = new TuiTimer(this);
    dblClickTimer_->SetEnabled(false);
    dblClickTimer_->SetInterval(static_cast<UINT>(SystemDoubleClickTime()));
    dblClickTimer_->SetOnTimer([this](TObject*) { dblClickTimer_->SetEnabled(false); });
    if (!inplaceMode_) properties_->SetDefaultValuesProvider(binding_->DefaultValuesProvider());
    TabStop = true;
}

TuiCustomEdit::~TuiCustomEdit() {
    if (destroyedFlag_ != nullptr) *destroyedFlag_ = true;
    delete dblClickTimer_;
    dblClickTimer_ = nullptr;
    if (editData_ != nullptr) editData_->edit_ = nullptr;
    if (repositoryItem_ != nullptr) repositoryItem_->RemoveListener(this);
    if (properties_ != nullptr) {
        properties_->OnPropertiesChanged = nullptr;
        properties_->SetDefaultValuesProvider(nullptr);
    }
    delete binding_;
    delete properties_;
}

TuiCustomEditProperties* TuiCustomEdit::ActiveProperties() const {
    return repositoryItem_ != nullptr ? repositoryItem_->Properties() : properties_;
}

bool TuiCustomEdit::CanAcceptRepositoryItem(TuiEditRepositoryItem* AItem) {
    return AItem == nullptr || AItem->Properties() != nullptr;
}

void TuiCustomEdit::SetRepositoryItem(TuiEditRepositoryItem* Value) {
    if (repositoryItem_ == Value) return;
    if (!CanAcceptRepositoryItem(Value)) throw EuiEditError(LoadLibraryString(&uiSEditInvalidRepositoryItem));
    if (repositoryItem_ != nullptr) repositoryItem_->RemoveListener(this);
    repositoryItem_ = Value;
    if (repositoryItem_ != nullptr) {
        repositoryItem_->AddListener(this);
        // The item's settings rule now: the own ones neither ask the binding nor report their changes.
        properties_->SetDefaultValuesProvider(nullptr);
        properties_->OnPropertiesChanged = nullptr;
    } else {
        FollowOwnProperties();
    }
    ApplyActiveProperties();
}

void TuiCustomEdit::FollowOwnProperties() {
    if (ComponentState().Contains(csDestroying)) return;
    if (!ComponentState().Contains(csLoading))
        properties_->OnPropertiesChanged = [this](TObject*) { ApplyActiveProperties(); };
    if (!inplaceMode_) properties_->SetDefaultValuesProvider(binding_->DefaultValuesProvider());
}

void TuiCustomEdit::ItemRemoved(TuiEditRepositoryItem* Sender) {
    if (Sender != repositoryItem_) return;
    repositoryItem_ = nullptr;
    FollowOwnProperties();
    if (!ComponentState().Contains(csDestroying)) ApplyActiveProperties();
}

void TuiCustomEdit::PropertiesChanged(TuiEditRepositoryItem* Sender) {
    if (Sender == repositoryItem_ && !ComponentState().Contains(csLoading)) ApplyActiveProperties();
}

void TuiCustomEdit::ApplyActiveProperties() {
    validated_ = false;
    if (auto* edit = dynamic_cast<TCustomEdit*>(GetInnerControl()); edit != nullptr)
        edit->SetReadOnly(ActiveProperties()->GetReadOnly());
    if (ActiveProperties()->GetReadOnly()) modifiedSinceEnter_ = false;
    ActivePropertiesApplied();
    AdjustAutoSize();
    RefreshFrame();
    Invalidate();
}

// ---- value and events

void TuiCustomEdit::SetEditValue(const Variant& Value) {
    TDepthGuard programmatic(programmaticChange_);
    SetInternalValue(Value, false);
}

bool TuiCustomEdit::DoEditing() {
    if (!ActiveProperties()->IsEditValueModifiable()) return false;
    if (modifiedSinceEnter_) return true;
    bool canEdit = true;
    if (OnEditing) OnEditing(this, canEdit);
    return canEdit;
}

void TuiCustomEdit::SetInternalValue(const Variant& Value, bool AFromUser) {
    if (AFromUser && !DoEditing()) return;
    const bool changed = !ActiveProperties()->CompareDisplayValues() || !VarEqualsSoft(editValue_, Value);
    editValue_ = Value;
    SetDisplayText(VarToStr(Value));
    modifiedSinceEnter_ = AFromUser;
    valueModified_ = AFromUser;
    if (AFromUser) validated_ = false;
    if (changed) FireChange();
}

void TuiCustomEdit::UserTextChanged() {
    modifiedSinceEnter_ = true;
    valueModified_ = true;
    validated_ = false;
    FireChange();
}

void TuiCustomEdit::LockChangeEvents(bool ALock, bool AInvokeChanges) {
    if (ALock) {
        if (lockCount_++ == 0) changePending_ = valueChangedPending_ = false;
        return;
    }
    if (lockCount_ == 0 || --lockCount_ > 0 || !AInvokeChanges) return;
    const bool change = changePending_, valueChanged = valueChangedPending_;
    changePending_ = valueChangedPending_ = false;
    if (change) FireChange();
    else if (valueChanged) FireEditValueChanged();
}

void TuiCustomEdit::FireChange() {
    if (ComponentState().Contains(csDestroying)) return;
    if (lockCount_ > 0) {
        changePending_ = true;
        valueChangedPending_ = true;
        return;
    }
    TuiCustomEditProperties* shared = repositoryItem_ != nullptr ? repositoryItem_->Properties() : nullptr;
    if (properties_->OnChange) properties_->OnChange(this);
    if (shared != nullptr && shared->OnChange) shared->OnChange(this);
    FireEditValueChanged();
}

void TuiCustomEdit::FireEditValueChanged() {
    if (ComponentState().Contains(csDestroying)) return;
    if (lockCount_ > 0) {
        valueChangedPending_ = true;
        return;
    }
    TuiCustomEditProperties* shared = repositoryItem_ != nullptr ? repositoryItem_->Properties() : nullptr;
    if (properties_->OnEditValueChanged) properties_->OnEditValueChanged(this);
    if (shared != nullptr && shared->OnEditValueChanged) shared->OnEditValueChanged(this);
}

// ---- validation

bool TuiCustomEdit::ValidateEdit(bool ARaise) {
    if (!modifiedSinceEnter_ || validated_ || inValidation_) return true;
    inValidation_ = true;
    const std::string text = GetDisplayText();
    Variant display(text);
    std::string errorText;
    bool error = false;
    {
        const TScopeExit cleanup([&] { inValidation_ = false; });
        // The settings in force check the text (a repository item's mask and range); the editor's own
        // OnValidate still runs first.
        TuiCustomEditProperties* active = ActiveProperties();
        active->ValidateDisplayValue(display, errorText, error, this, active != properties_ ? properties_ : nullptr,
                                     text);
    }
    if (error) {
        if (!ARaise) return false;
        if (VarToStr(display) != text) SetDisplayText(VarToStr(display));
        HandleValidationError(errorText, true);
    }
    const bool modified = modifiedSinceEnter_;
    SetValueFromDisplayText(VarToStr(display));
    modifiedSinceEnter_ = modified && ContainerFocused();
    valueModified_ = true;
    validated_ = true;
    return true;
}

void TuiCustomEdit::HandleValidationError(const std::string& AErrorText, bool AAbort) {
    if (!CanFocus()) {
        validated_ = true;
    } else if (GetVisible()) {
        // Back to the editor as it was: coming back is no new entry, so the typing stays the typing.
        TFlagGuard suppressed(focusEnterSuppressed_, true);
        SetFocus();
        SelectAll();
    }
    if (ActiveProperties()->GetBeepOnError()) MessageBeep(0);
    if (!AErrorText.empty()) throw EuiEditValidationError(AErrorText);
    if (AAbort) throw EAbort("");
}

void TuiCustomEdit::Reset() {
    if (!modifiedSinceEnter_) return;
    LockChangeEvents(true);
    modifiedSinceEnter_ = false;
    if (ActiveProperties()->KeepsPreviousValue()) editValue_ = previousValue_;
    SetDisplayText(VarToStr(editValue_));
    valueModified_ = true;
    validated_ = true;
    SelectAll();
    LockChangeEvents(false);
    if (ActiveProperties()->GetImmediatePost() && binding_->CanPost()) PostEditValue();
}

void TuiCustomEdit::PostEditValue(bool AValidateFirst) {
    if (AValidateFirst && !ValidateEdit(true)) return;
    if (inplaceMode_) {
        TDestroyGuard guard(this);
        if (OnPost) OnPost(this);
        if (!guard.Destroyed()) valueModified_ = false;
        return;
    }
    if (!binding_->CanPost()) return;
    try {
        binding_->SetStoredValue(editValue_);
    } catch (...) {
        // The value stays unposted and the focus stays here, so that the user can mend it or take it back.
        HandleValidationError({}, false);
        throw;
    }
    valueModified_ = false;
}

bool TuiCustomEdit::EffectiveReadOnly() {
    // Asked by the frame's theme state too, which may come before the settings and the binding exist.
    TuiCustomEditProperties* properties = ActiveProperties();
    return (properties != nullptr && properties->GetReadOnly()) ||
           (binding_ != nullptr && !binding_->IsDataAvailable());
}

bool TuiCustomEdit::IsOwnWindow(HWND AWindow) {
    if (AWindow == nullptr) return false;
    if (HandleAllocated() && AWindow == GetHandle()) return true;
    TWinControl* inner = GetInnerControl();
    return inner != nullptr && inner->HandleAllocated() && AWindow == inner->GetHandle();
}

void TuiCustomEdit::FocusEntered(HWND AFrom) {
    if (IsOwnWindow(AFrom) || focusEnterSuppressed_ || ComponentState().Contains(csDestroying)) return;
    binding_->UpdateDisplayValue();
    previousValue_ = editValue_;
    modifiedSinceEnter_ = false;
}

void TuiCustomEdit::FocusLeft(HWND ATo) {
    if (IsOwnWindow(ATo) || ComponentState().Contains(csDestroying)) return;
    dblClickTimer_->SetEnabled(false);
    LockChangeEvents(true);
    {
        const TScopeExit cleanup([&] { LockChangeEvents(false); });
        if (ValidateEdit(true)) {
            if (!inplaceMode_ && binding_->CanPost()) PostEditValue();
            valueModified_ = false;
        }
    }
    binding_->UpdateDisplayValue();
    modifiedSinceEnter_ = false;
}

// ---- buttons

void TuiCustomEdit::ClickButton(int AIndex) {
    TuiCustomEditProperties* active = ActiveProperties();
    if (AIndex < 0 || AIndex >= active->Buttons()->Count() || !active->Buttons()->GetItem(AIndex)->GetEnabled()) return;
    if (active->OnEditButtonClick) active->OnEditButtonClick(this, AIndex);
}

TuiContainerViewInfo* TuiCustomEdit::CreateViewInfo() { return new TuiCustomEditViewInfo; }

TuiCustomEditViewData* TuiCustomEdit::CreateViewData() {
    TuiCustomEditViewData* data =
        ActiveProperties()->CreateViewData(static_cast<TuiCustomEditStyle*>(ActiveStyle()), inplaceMode_);
    data->Edit = this;
    if (inplaceMode_) data->ContentOffsets = contentOffsets_;
    data->Enabled = GetEnabled();
    data->Focused = ContainerFocused();
    data->IsDesigning = IsDesigning();
    data->ReadOnly = IsReadOnly();
    data->CapturedButton = capturedButton_;
    data->PreviousPressed = EditViewInfo()->PressedIndex;
    return data;
}

void TuiCustomEdit::CalculateViewInfo(TPoint P, bool AHotTrack) {
    TuiCustomEditViewInfo& vi = *EditViewInfo();
    const int oldPressed = vi.PressedIndex;
    const std::vector<TuiEditButtonViewInfo> old = vi.ButtonsInfo;
    TScopeExit repaint([&] { RepaintChangedButtons(old); });
    if (properties_ == nullptr) {
        TuiContainer::CalculateViewInfo(P, AHotTrack);
        vi.ButtonsInfo.clear();
        vi.PressedIndex = vi.HotIndex = -1;
        return;
    }
    // State, frame, colours and buttons come from the view data alone, so that a cell a host paints from the
    // same settings and style looks as this window does. The view data tells hot from the mouse and the shift
    // state itself.
    const std::unique_ptr<TuiCustomEditViewData> data(CreateViewData());
    data->Calculate(Canvas(), ControlBoundsRect(this), P, MouseShiftState, vi);
    vi.Transparent = IsTransparent();
    ButtonStatesChanged(oldPressed, vi.HotIndex);
}

TRect TuiCustomEdit::FrameExtent() {
    if (properties_ == nullptr) return TuiContainer::FrameExtent();
    // The frame's room comes from the view data, as a cell painted without an editor gets it.
    const std::unique_ptr<TuiCustomEditViewData> data(CreateViewData());
    return data->GetBorderExtent();
}

void TuiCustomEdit::RepaintChangedButtons(const std::vector<TuiEditButtonViewInfo>& AOld) {
    if (!HandleAllocated()) return;
    const std::vector<TuiEditButtonViewInfo>& now = EditViewInfo()->ButtonsInfo;
    auto same = [](const TuiEditButtonViewInfo& A, const TuiEditButtonViewInfo& B) {
        return A.ButtonIndex == B.ButtonIndex && A.State == B.State && A.Style == B.Style &&
               A.Transparent == B.Transparent && EqualRect(&A.Bounds, &B.Bounds);
    };
    // A button whose look changed is drawn again; one that went leaves its place to the background.
    for (std::size_t i = 0; i < std::max(now.size(), AOld.size()); ++i) {
        const bool changed = i >= now.size() || i >= AOld.size() || !same(now[i], AOld[i]);
        if (!changed) continue;
        if (i < now.size()) ::zel::InvalidateRect(GetHandle(), &now[i].Bounds, FALSE);
        if (i < AOld.size()) ::zel::InvalidateRect(GetHandle(), &AOld[i].Bounds, FALSE);
    }
}

void TuiCustomEdit::ButtonStatesChanged(int AOldPressed, int ANewHot) {
    const int pressed = EditViewInfo()->PressedIndex;
    if (AOldPressed >= 0 && pressed != AOldPressed) {
        ButtonUp(AOldPressed);
        // A button released with the mouse over it is clicked once the mouse handling is done.
        if (ANewHot == AOldPressed && !MouseShiftState.Contains(ssLeft)) pendingClick_ = AOldPressed;
    }
    if (pressed >= 0 && pressed != AOldPressed) ButtonDown(pressed);
}

void TuiCustomEdit::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (Button == mbLeft) {
        const int at = EditViewInfo()->ButtonAt(TPoint{X, Y});
        capturedButton_ = at >= 0 ? EditViewInfo()->ButtonsInfo[static_cast<std::size_t>(at)].ButtonIndex : -1;
    }
    TuiContainer::MouseDown(Button, Shift, X, Y);
}

void TuiCustomEdit::MouseMove(TShiftState Shift, int X, int Y) {
    MouseShiftState = Shift;
    TuiContainer::MouseMove(Shift, X, Y);
}

void TuiCustomEdit::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    pendingClick_ = -1;
    TuiContainer::MouseUp(Button, Shift, X, Y);
    capturedButton_ = -1;
    const int click = pendingClick_;
    pendingClick_ = -1;
    if (click < 0) {
        RefreshFrame();
        return;
    }
    TDestroyGuard guard(this);
    ClickButton(click);
    if (guard.Destroyed()) return;
    RefreshFrame();
}

bool TuiCustomEdit::ShowButtonHint(THintInfo& AInfo) {
    TuiCustomEditViewInfo* vi = EditViewInfo();
    if (!PtInRect(&vi->BorderRect, AInfo.CursorPos)) return false;
    TRect buttonRect{0, 0, 0, 0};
    const std::string hint = vi->ButtonHintAt(AInfo.CursorPos, buttonRect);
    if (vi->ButtonAt(AInfo.CursorPos) >= 0) {
        if (!hint.empty()) AInfo.HintStr = hint;
        AInfo.CursorRect = buttonRect;
    } else {
        AInfo.CursorRect = vi->BorderRect;
        for (const TuiEditButtonViewInfo& button : vi->ButtonsInfo)
            if (!button.LeftAlignment) AInfo.CursorRect.right = std::min(AInfo.CursorRect.right, button.Bounds.left);
    }
    // Below the cursor, clear of its picture.
    AInfo.HintPos = ClientToScreen(TPoint{AInfo.CursorPos.x, AInfo.CursorPos.y + MeasureMouseCursor().cy});
    return true;
}

// ---- keys

bool TuiCustomEdit::HandleKeyDown(WORD& Key, TShiftState Shift) {
    TuiCustomEditProperties* active = ActiveProperties();
    const TShortCut shortCut = ShortCut(Key, Shift);
    if (active->GetClearKey() != 0 && shortCut == active->GetClearKey()) {
        Key = 0;
        LockChangeEvents(true);
        if (DoEditing()) {
            SetInternalValue(Variant::Null(), true);
            validated_ = true;
        }
        LockChangeEvents(false);
        return true;
    }
    if (active->GetDefaultButtonKey() != 0 && shortCut == active->GetDefaultButtonKey()) {
        for (int i = 0; i < active->Buttons()->Count(); ++i) {
            if (!active->Buttons()->GetItem(i)->GetDefault()) continue;
            Key = 0;
            if (GetInnerControl() != nullptr && GetInnerControl()->HandleAllocated())
                PurgeMessages(GetInnerControl()->GetHandle(), WM_CHAR, WM_CHAR);
            if (HandleAllocated()) PurgeMessages(GetHandle(), WM_CHAR, WM_CHAR);
            ClickButton(i);
            return true;
        }
    }
    if (Key == VK_RETURN && active->GetValidateOnEnter()) {
        Key = 0;
        bool valid = false;
        LockChangeEvents(true);
        {
            const TScopeExit cleanup([&] { LockChangeEvents(false); });
            valid = ValidateEdit(true);
        }
        if (valid) {
            TDestroyGuard guard(this);
            if (binding_->CanPost()) PostEditValue();
            if (!guard.Destroyed()) valueModified_ = false;
        }
        return true;
    }
    if (Key == VK_ESCAPE && modifiedSinceEnter_) {
        Key = 0;
        Reset();
        escapeHandled_ = true;
        return true;
    }
    return false;
}

bool TuiCustomEdit::InnerControlKeyHook(TMessage& Message) {
    if (TuiContainer::InnerControlKeyHook(Message)) return true;
    if (Message.Msg == WM_SETFOCUS || Message.Msg == WM_KILLFOCUS) {
        CallInnerDefaultProc(Message);
        ShortRefresh();
        if (Message.Msg == WM_SETFOCUS) FocusEntered(reinterpret_cast<HWND>(Message.WParam));
        else FocusLeft(reinterpret_cast<HWND>(Message.WParam));
        return true;
    }
    if (Message.Msg == WM_KEYDOWN) {
        escapeHandled_ = false;
        WORD key = static_cast<WORD>(Message.WParam);
        TDestroyGuard guard(this);
        const bool taken = HandleKeyDown(key, KeyboardStateToShiftState());
        if (guard.Destroyed()) return true;
        if (taken) {
            Message.Result = 0;
            return true;
        }
        // Delete and the like change the text without a character.
        const std::string before = GetDisplayText();
        CallInnerDefaultProc(Message);
        if (GetDisplayText() != before) UserTextChanged();
        return true;
    }
    if (Message.Msg == WM_CHAR) {
        const char c = static_cast<char>(Message.WParam);
        // An editor's text never holds an Escape: the one that reset the value, or any other.
        if (c == 27) {
            escapeHandled_ = false;
            Message.Result = 0;
            return true;
        }
        const bool printable = static_cast<unsigned char>(c) >= 32 || c == 8;
        if (printable && (!CanTypeChar(c) || !DoEditing())) {
            MessageBeep(0);
            Message.Result = 0;
            return true;
        }
        const std::string before = GetDisplayText();
        CallInnerDefaultProc(Message);
        if (GetDisplayText() != before) UserTextChanged();
        return true;
    }
    return false;
}

void TuiCustomEdit::WndProc(TMessage& Message) {
    switch (Message.Msg) {
        case WM_COPY:
            CopyToClipboard();
            Message.Result = 0;
            return;
        case WM_CUT:
            if (EffectiveReadOnly()) CopyToClipboard();
            else CutToClipboard();
            Message.Result = 0;
            return;
        case WM_PASTE:
            if (!EffectiveReadOnly()) PasteFromClipboard();
            Message.Result = 0;
            return;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK: {
            const TPoint p{GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)};
            const bool onButton = EditViewInfo()->ButtonAt(p) >= 0;
            if (Message.Msg == WM_LBUTTONDOWN && dblClickTimer_->GetEnabled()) {
                // The second press of a double click whose first press started the editor.
                dblClickTimer_->SetEnabled(false);
                if (!onButton) {
                    Message.Msg = WM_LBUTTONDBLCLK;
                    TuiContainer::WndProc(Message);
                    Message.Msg = WM_LBUTTONDOWN;
                    return;
                }
            }
            if (Message.Msg == WM_LBUTTONDBLCLK && onButton) {
                // A button pressed twice quickly is pressed twice.
                TDestroyGuard guard(this);
                Message.Msg = WM_LBUTTONDOWN;
                TuiContainer::WndProc(Message);
                Message.Msg = WM_LBUTTONDBLCLK;
                if (!guard.Destroyed()) Click();
                return;
            }
            break;
        }
        default: break;
    }
    if (Message.Msg == CM_DIALOGCHAR) {
        const char c = static_cast<char>(Message.WParam);
        TuiEditButtons* buttons = ActiveProperties()->Buttons();
        for (int i = 0; i < buttons->Count(); ++i) {
            TuiEditButton* button = buttons->GetItem(i);
            const char accel = AcceleratorOf(button->GetCaption());
            if (button->GetVisible() && button->GetEnabled() && button->GetKind() == bkText && accel != 0 &&
                std::toupper(static_cast<unsigned char>(accel)) == std::toupper(static_cast<unsigned char>(c))) {
                Message.Result = 1;
                ClickButton(i);
                return;
            }
        }
    }
    if (Message.Msg == CM_HINTSHOW) {
        Message.Result = ShowButtonHint(*reinterpret_cast<THintInfo*>(Message.LParam)) ? 0 : 1;
        return;
    }
    TuiContainer::WndProc(Message);
    if (Message.Msg == WM_SETFOCUS) FocusEntered(reinterpret_cast<HWND>(Message.WParam));
    else if (Message.Msg == WM_KILLFOCUS) FocusLeft(reinterpret_cast<HWND>(Message.WParam));
    else if (Message.Msg == CM_SHOWINGCHANGED && Showing()) AdjustAutoSize();
}

void TuiCustomEdit::Click() {
    // Clicks that the program's own changes cause are no clicks of the user.
    if (ComponentState().Contains(csDestroying) || ComponentState().Contains(csLoading) || programmaticChange_ > 0)
        return;
    TuiContainer::Click();
}

void TuiCustomEdit::DblClick() {
    if (ComponentState().Contains(csDestroying)) return;
    TuiContainer::DblClick();
}

// ---- in place

void TuiCustomEdit::Activate(TuiCustomEditData*& AEditData) {
    if (AEditData == nullptr) AEditData = CreateEditData();
    editData_ = AEditData;
    if (editData_ != nullptr) {
        editData_->edit_ = this;
        editData_->cleared_ = false;
    }
    SetVisible(true);
    if (CanFocus()) {
        SetFocus();
        if (ActiveProperties()->GetAutoSelect()) SelectAll();
    }
    UpdateDrawValue();
    valueModified_ = false;
    modifiedSinceEnter_ = false;
}

void TuiCustomEdit::ActivateByKey(char AKey, TuiCustomEditData*& AEditData) {
    Activate(AEditData);
    if (!SendActivationKey(AKey)) return;
    // The key goes where the typing goes: the inner control when there is one.
    TWinControl* target = GetInnerControl() != nullptr ? GetInnerControl() : this;
    SendChar(target->GetHandle(), AKey);
}

void TuiCustomEdit::ActivateByMouse(TShiftState Shift, int X, int Y, TuiCustomEditData*& AEditData) {
    Activate(AEditData);
    TPoint p{X, Y};
    if (GetParent() != nullptr) p = ScreenToClient(GetParent()->ClientToScreen(p));
    WPARAM keys = 0;
    if (Shift.Contains(ssShift)) keys |= MK_SHIFT;
    if (Shift.Contains(ssCtrl)) keys |= MK_CONTROL;
    if (Shift.Contains(ssLeft)) keys |= MK_LBUTTON;
    if (Shift.Contains(ssRight)) keys |= MK_RBUTTON;
    if (Shift.Contains(ssMiddle)) keys |= MK_MBUTTON;
    const LPARAM at = MAKELPARAM(static_cast<WORD>(p.x), static_cast<WORD>(p.y));
    TDestroyGuard guard(this);
    if (Shift.Contains(ssLeft)) {
        SendMessage(GetHandle(), WM_LBUTTONDOWN, keys, at);
        if (guard.Destroyed()) return;
        // The press that started the editor may be over already: then no capture is left behind.
        if (GetAsyncKeyState(VK_LBUTTON) >= 0 && GetCapture() == GetHandle()) ReleaseCapture();
    } else {
        SendMessage(GetHandle(), WM_LBUTTONUP, keys, at);
        if (guard.Destroyed()) return;
    }
    dblClickTimer_->SetEnabled(true);
}

bool TuiCustomEdit::Deactivate() {
    dblClickTimer_->SetEnabled(false);
    if (!ValidateEdit(true)) return false;
    UpdateDrawValue();
    validated_ = true;
    return true;
}

// ---- actions

bool TuiCustomEdit::ExecuteAction(TBasicAction* Action) {
    return TuiContainer::ExecuteAction(Action) || binding_->ExecuteAction(Action);
}

bool TuiCustomEdit::UpdateAction(TBasicAction* Action) {
    return TuiContainer::UpdateAction(Action) || binding_->UpdateAction(Action);
}

// ---- size

void TuiCustomEdit::SetTransparent(bool Value) {
    if (transparent_ == Value) return;
    transparent_ = Value;
    RefreshFrame();
    Invalidate();
}

bool TuiCustomEdit::IsTransparent() {
    return transparent_ || (inplaceMode_ && properties_ != nullptr && ActiveProperties()->GetForceTransparent());
}

void TuiCustomEdit::SetAutoSize(bool Value) {
    if (inplaceMode_ || autoSize_ == Value) return;
    autoSize_ = Value;
    AdjustAutoSize();
}

bool TuiCustomEdit::MeasuresContent() { return TextContentSize().cy > 0; }

bool TuiCustomEdit::IsHeightAutomatic() {
    const TAlign align = GetAlign();
    return EffectiveAutoSize() && align != alLeft && align != alRight && align != alClient && align != alCustom &&
           MeasuresContent();
}

bool TuiCustomEdit::IsWidthAutomatic() {
    const TAlign align = GetAlign();
    return EffectiveAutoSize() && AutoWidth() && align != alTop && align != alBottom && align != alClient &&
           align != alCustom && MeasuresContent();
}

TSize TuiCustomEdit::ContentSize(int AMaxWidth) {
    const TRect frame = FrameExtent();
    const std::unique_ptr<TuiCustomEditViewData> data(CreateViewData());
    // The text sits inside the content offsets (one pixel on each side, three below for the caret's descent).
    const TRect& offsets = data->ContentOffsets;
    const int frameWidth = frame.left + frame.right + offsets.left + offsets.right;
    const int frameHeight = frame.top + frame.bottom + offsets.top + offsets.bottom;
    int buttonsWidth = 0;
    int buttonHeight = 0;
    const int buttonFrame = EditButtonFrameWidth(data->GetButtonStyle());
    TuiEditButtons* buttons = ActiveProperties()->Buttons();
    for (int i = 0; i < buttons->Count(); ++i) {
        TuiEditButton* button = buttons->GetItem(i);
        if (!button->GetVisible()) continue;
        buttonsWidth += data->ButtonWidth(Canvas(), i, buttonFrame);
        if (button->GetKind() == bkGlyph && button->HasGlyph())
            buttonHeight = std::max(buttonHeight, button->GetGlyph()->GetHeight() + buttonFrame);
    }
    const TSize text = TextContentSize();
    int width = frameWidth + buttonsWidth + static_cast<int>(text.cx);
    if (AMaxWidth > 0) width = std::min(width, AMaxWidth);
    const int height = std::max(static_cast<int>(text.cy) + frameHeight, buttonHeight + frame.top + frame.bottom);
    return TSize{Constraints()->ConstrainWidth(width), Constraints()->ConstrainHeight(height)};
}

void TuiCustomEdit::AdjustAutoSize() { SetBounds(GetLeft(), GetTop(), GetWidth(), GetHeight()); }

void TuiCustomEdit::StyleChangedHandler(TuiContainerStyle* AStyle) {
    TuiContainer::StyleChangedHandler(AStyle);
    AdjustAutoSize();
}

void TuiCustomEdit::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    // The automatic size wins over the size asked for (an editor that measures no text keeps what it is given).
    if (!adjustingSize_ && binding_ != nullptr && EffectiveAutoSize() && !ComponentState().Contains(csLoading) &&
        !ComponentState().Contains(csDestroying) && MeasuresContent()) {
        TFlagGuard adjusting(adjustingSize_, true);
        const bool autoWidth = IsWidthAutomatic();
        const TSize size = ContentSize(autoWidth ? 0 : AWidth);
        if (autoWidth) {
            if (KeepRightEdgeOnAutoSize()) ALeft += AWidth - static_cast<int>(size.cx);
            AWidth = static_cast<int>(size.cx);
        }
        if (IsHeightAutomatic()) AHeight = static_cast<int>(size.cy);
    }
    TuiContainer::SetBounds(ALeft, ATop, AWidth, AHeight);
}

void TuiCustomEdit::Loaded() {
    LockChangeEvents(true);
    {
        TDepthGuard programmatic(programmaticChange_);
        TuiContainer::Loaded();
        if (repositoryItem_ == nullptr) FollowOwnProperties();
        ApplyActiveProperties();
    }
    LockChangeEvents(false);
    AdjustAutoSize();
}

}  // namespace zel
