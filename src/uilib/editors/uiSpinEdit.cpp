// The spin editor: its settings, the stepping arithmetic, keys, wheel and held buttons, and its buttons' layout
// and painting.
#include "uilib/editors/uiSpinEdit.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>
#include <vector>

#include "platform/rtl/Filer.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/rtl/SysUtils.h"
#include "platform/vcl/FormReader.h"
#include "platform/win/UxTheme.h"
#include "platform/win/Windows.h"
#include "uilib/base/ubThemeManager.h"
#include "uilib/editors/uiDWMApi.h"
#include "uilib/editors/uiEditConsts.h"
#include "uilib/editors/uiEditPaintUtils.h"
#include "uilib/editors/uiEditRepository.h"

namespace zel {

namespace {

using Int128 = __int128;

constexpr double kFloatTypeLimit = 1.7E308;
constexpr std::int64_t kIntMax = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t kIntMin = std::numeric_limits<std::int64_t>::min();
// 2^63: the first double above the 64-bit range.
constexpr double kTwoTo63 = 9223372036854775808.0;

// The spin theme's parts: the vertical pair, and the horizontal pair (also the fast buttons).
constexpr int kThemeSpinUp = 1;
constexpr int kThemeSpinDown = 2;
constexpr int kThemeSpinUpHorz = 3;
constexpr int kThemeSpinDownHorz = 4;

// Sets a flag and puts back the value it had when the returned guard ends.
auto SetForScope(bool& AFlag, bool AValue) {
    const bool old = AFlag;
    AFlag = AValue;
    return TScopeExit([&AFlag, old] { AFlag = old; });
}

bool IsIntegerVariant(const Variant& V) { return VarIsOrdinal(V) && V.VType() != varBoolean; }

// Compares two numbers exactly: two integers as integers, anything else in extended precision, which holds
// every 64-bit integer.
int CompareNumbers(const Variant& A, const Variant& B) {
    if (IsIntegerVariant(A) && IsIntegerVariant(B)) {
        const std::int64_t a = VarToInt64(A), b = VarToInt64(B);
        return a < b ? -1 : a > b ? 1 : 0;
    }
    const long double a = IsIntegerVariant(A) ? static_cast<long double>(VarToInt64(A)) : VarToDouble(A);
    const long double b = IsIntegerVariant(B) ? static_cast<long double>(VarToInt64(B)) : VarToDouble(B);
    return a < b ? -1 : a > b ? 1 : 0;
}

// An integer step: the increment rounded to the nearest integer (ties to even), saturated.
std::int64_t IntegerStep(double AIncrement) {
    return VarToInt64(TuiCustomSpinEditProperties::DoubleAsValueType(vtInt, AIncrement));
}

bool IsStepKey(WORD Key) { return Key == VK_UP || Key == VK_DOWN || Key == VK_PRIOR || Key == VK_NEXT; }

int StepOfKey(WORD Key) {
    switch (Key) {
        case VK_UP: return sesUp;
        case VK_DOWN: return sesDown;
        case VK_PRIOR: return sesFastUp;
        default: return sesFastDown;
    }
}

}  // namespace

// ------------------------------------------------------------------------------------------- spin buttons

TPersistent* TuiSpinEditButtons::GetOwner() const { return owner_; }

template <class T>
void TuiSpinEditButtons::Store(T& AField, const T& Value) {
    if (AField == Value) return;
    AField = Value;
    owner_->Changed();
}

void TuiSpinEditButtons::SetPosition(TuiSpinEditButtonsPosition Value) { Store(position_, Value); }
void TuiSpinEditButtons::SetShowFastButtons(bool Value) { Store(showFastButtons_, Value); }
void TuiSpinEditButtons::SetVisible(bool Value) { Store(visible_, Value); }

void TuiSpinEditButtons::Assign(TPersistent* Source) {
    auto* source = dynamic_cast<TuiSpinEditButtons*>(Source);
    if (source == nullptr) {
        TPersistent::Assign(Source);
        return;
    }
    owner_->BeginUpdate();
    SetPosition(source->position_);
    SetShowFastButtons(source->showFastButtons_);
    SetVisible(source->visible_);
    owner_->EndUpdate();
}

TPersistent* TuiSpinEditPropertiesValues::GetOwner() const { return owner_; }

void TuiSpinEditPropertiesValues::Assign(TPersistent* Source) {
    if (auto* source = dynamic_cast<TuiSpinEditPropertiesValues*>(Source)) SetValueType(source->valueType_);
    else TPersistent::Assign(Source);
}

void TuiSpinEditPropertiesValues::SetValueType(bool Value) {
    if (valueType_ == Value) return;
    valueType_ = Value;
    owner_->Changed();
}

// ------------------------------------------------------------------------------------------------ settings

TuiCustomSpinEditProperties::TuiCustomSpinEditProperties(TPersistent* AOwner) : TuiCustomMaskEditProperties(AOwner) {
    spinButtons_ = new TuiSpinEditButtons(this);
    spinValues_ = new TuiSpinEditPropertiesValues(this);
    SyncButtonCount();
}

TuiCustomSpinEditProperties::~TuiCustomSpinEditProperties() {
    delete spinValues_;
    delete spinButtons_;
}

template <class T>
void TuiCustomSpinEditProperties::Store(T& AField, const T& Value) {
    if (AField == Value) return;
    AField = Value;
    Changed();
}

void TuiCustomSpinEditProperties::SetCanEdit(bool Value) { Store(canEdit_, Value); }
void TuiCustomSpinEditProperties::SetWrapAround(bool Value) { Store(wrapAround_, Value); }
void TuiCustomSpinEditProperties::SetExceptionOnInvalidInput(bool Value) { Store(exceptionOnInvalidInput_, Value); }
void TuiCustomSpinEditProperties::SetIncrement(double Value) { Store(increment_, Value); }
void TuiCustomSpinEditProperties::SetLargeIncrement(double Value) { Store(largeIncrement_, Value); }
void TuiCustomSpinEditProperties::SetUseCtrlIncrement(bool Value) { Store(useCtrlIncrement_, Value); }

TuiSpinEditValueType TuiCustomSpinEditProperties::GetValueType() const {
    return spinValues_->GetValueType() ? valueType_ : vtFloat;
}

void TuiCustomSpinEditProperties::SetValueType(TuiSpinEditValueType Value) {
    if (spinValues_->GetValueType() && valueType_ == Value) return;
    BeginUpdate();
    valueType_ = Value;
    spinValues_->SetValueType(true);
    Changed();
    EndUpdate();
}

void TuiCustomSpinEditProperties::SyncButtonCount() {
    TuiEditButtons* buttons = Buttons();
    const int wanted = spinButtons_->Count();
    if (buttons->Count() == wanted) return;
    const auto syncing = SetForScope(syncingButtons_, true);
    BeginUpdate();
    while (buttons->Count() < wanted) buttons->Add();
    while (buttons->Count() > wanted) buttons->Delete(0);
    EndUpdate(false);
}

void TuiCustomSpinEditProperties::Changed() {
    if (!syncingButtons_ && spinButtons_ != nullptr) SyncButtonCount();
    TuiCustomMaskEditProperties::Changed();
}

void TuiCustomSpinEditProperties::Assign(TPersistent* Source) {
    BeginUpdate();
    const TScopeExit cleanup([&] { EndUpdate(); });
    TuiCustomMaskEditProperties::Assign(Source);
    if (auto* source = dynamic_cast<TuiCustomSpinEditProperties*>(Source)) {
        spinButtons_->Assign(source->spinButtons_);
        SetCanEdit(source->canEdit_);
        SetWrapAround(source->wrapAround_);
        SetExceptionOnInvalidInput(source->exceptionOnInvalidInput_);
        SetIncrement(source->increment_);
        SetLargeIncrement(source->largeIncrement_);
        SetUseCtrlIncrement(source->useCtrlIncrement_);
        if (source->spinValues_->GetValueType()) SetValueType(source->valueType_);
        else spinValues_->SetValueType(false);
        OnGetValue = source->OnGetValue;
    }
}

void TuiCustomSpinEditProperties::DefineProperties(TFiler* Filer) {
    TuiCustomMaskEditProperties::DefineProperties(Filer);
    auto* ancestor = dynamic_cast<TuiCustomSpinEditProperties*>(Filer->Ancestor);
    const auto zeroStored = [ancestor](double AValue, double AAncestorValue) {
        return AValue == 0 && (ancestor == nullptr || AAncestorValue != AValue);
    };
    Filer->DefineProperty(
        "ZeroIncrement",
        [this](TReader& Reader) {
            if (Reader.ReadBoolean()) SetIncrement(0);
        },
        [](TWriter& Writer) { Writer.WriteBoolean(true); },
        zeroStored(increment_, ancestor != nullptr ? ancestor->increment_ : 0));
    Filer->DefineProperty(
        "ZeroLargeIncrement",
        [this](TReader& Reader) {
            if (Reader.ReadBoolean()) SetLargeIncrement(0);
        },
        [](TWriter& Writer) { Writer.WriteBoolean(true); },
        zeroStored(largeIncrement_, ancestor != nullptr ? ancestor->largeIncrement_ : 0));
}

double TuiCustomSpinEditProperties::TypeMax() const {
    return GetValueType() == vtInt ? static_cast<double>(kIntMax) : kFloatTypeLimit;
}

double TuiCustomSpinEditProperties::TypeMin() const {
    return GetValueType() == vtInt ? static_cast<double>(kIntMin) : -kFloatTypeLimit;
}

Variant TuiCustomSpinEditProperties::DoubleAsValueType(TuiSpinEditValueType AType, double X) {
    if (AType == vtFloat) return Variant(X);
    if (std::isnan(X)) return Variant(std::int64_t{0});
    // Under the default rounding mode this is to the nearest integer, ties to even.
    const double rounded = std::nearbyint(X);
    // Beyond the 64-bit range the nearest limit, never a wrapped value.
    if (rounded >= kTwoTo63) return Variant(kIntMax);
    if (rounded < -kTwoTo63) return Variant(kIntMin);
    return Variant(static_cast<std::int64_t>(rounded));
}

Variant TuiCustomSpinEditProperties::AsValueType(const Variant& AValue) const {
    if (GetValueType() == vtFloat) {
        if (IsIntegerVariant(AValue)) return Variant(static_cast<double>(VarToInt64(AValue)));
        return Variant(VarToDouble(AValue));
    }
    if (IsIntegerVariant(AValue)) return Variant(VarToInt64(AValue));
    return DoubleAsValueType(vtInt, VarToDouble(AValue));
}

Variant TuiCustomSpinEditProperties::BoundAsValue(int AWhich) const {
    const TuiSpinEditValueType type = GetValueType();
    if (IsMinMaxInForce(AWhich)) return DoubleAsValueType(type, AWhich == 0 ? GetMinValue() : GetMaxValue());
    if (type == vtInt) return Variant(AWhich == 0 ? kIntMin : kIntMax);
    return Variant(AWhich == 0 ? -kFloatTypeLimit : kFloatTypeLimit);
}

Variant TuiCustomSpinEditProperties::MinAsValue() const { return BoundAsValue(0); }
Variant TuiCustomSpinEditProperties::MaxAsValue() const { return BoundAsValue(1); }

Variant TuiCustomSpinEditProperties::ClampToRange(const Variant& AValue) const {
    if (!VarIsNumeric(AValue)) return AValue;
    if (IsMinMaxInForce(0) && CompareNumbers(AValue, MinAsValue()) < 0) return MinAsValue();
    if (IsMinMaxInForce(1) && CompareNumbers(AValue, MaxAsValue()) > 0) return MaxAsValue();
    return AValue;
}

Variant TuiCustomSpinEditProperties::ClampToBounds(const Variant& AValue) const {
    if (!VarIsNumeric(AValue)) return AValue;
    if (CompareNumbers(AValue, MinAsValue()) < 0) return MinAsValue();
    if (CompareNumbers(AValue, MaxAsValue()) > 0) return MaxAsValue();
    return AValue;
}

bool TuiCustomSpinEditProperties::IsOutOfBounds(const Variant& AValue) const {
    return VarIsNumeric(AValue) &&
           (CompareNumbers(AValue, MinAsValue()) < 0 || CompareNumbers(AValue, MaxAsValue()) > 0);
}

bool TuiCustomSpinEditProperties::TextToValue(const std::string& AText, Variant& Value) const {
    if (GetValueType() == vtFloat) {
        double value = 0;
        if (!TryStrToFloat(AText, value) || value > kFloatTypeLimit || value < -kFloatTypeLimit) return false;
        Value = Variant(value);
        return true;
    }
    try {
        Value = Variant(StrToInt64(AText));
    } catch (const EConvertError&) {
        return false;
    }
    return true;
}

Variant TuiCustomSpinEditProperties::PrepareValue(const Variant& AValue) const {
    if (VarIsNull(AValue) || VarIsEmpty(AValue)) return AsValueType(Variant(std::int64_t{0}));
    return AsValueType(AValue);
}

bool TuiCustomSpinEditProperties::CanDisplaySpinValue(Variant& Value) const {
    try {
        if (VarIsStr(Value)) {
            Variant number;
            if (!TextToValue(VarToStr(Value), number)) return false;
            Value = number;
        } else if (!VarIsNumeric(Value) && !VarIsNull(Value) && Value.VType() != varDate) {
            return false;
        }
        if (!VarIsNull(Value)) Value = AsValueType(Value);
    } catch (const Exception&) {
        return false;
    }
    return true;
}

bool TuiCustomSpinEditProperties::IsValidDisplayValue(Variant& Value) const {
    if (!TuiCustomMaskEditProperties::IsValidDisplayValue(Value)) return false;
    const std::string text = VarToStr(Value);
    if (text.empty()) return true;
    Variant number;
    if (!TextToValue(text, number)) return false;
    // A number past the bounds shows as its plain text; the validation limits it later.
    if (IsOutOfBounds(number)) Value = Variant(VarToStr(number));
    return true;
}

std::string TuiCustomSpinEditProperties::PrepareDisplayText(const Variant& AEditValue, bool AEditing) const {
    // The general format's 15 digits would round a large 64-bit value; an integer shows all its digits.
    if (IsIntegerVariant(AEditValue) && GetEditFormat(false).Format.empty() && (AEditing || GetDisplayFormat().empty()))
        return IntToStr(VarToInt64(AEditValue));
    return TuiCustomMaskEditProperties::PrepareDisplayText(AEditValue, AEditing);
}

bool TuiCustomSpinEditProperties::ValidateDisplayValue(Variant& DisplayValue, std::string& ErrorText, bool& Error,
                                                       TObject* AEditor, TuiCustomEditProperties* AOwnProperties,
                                                       const std::string& AEditorText) {
    if (auto* edit = dynamic_cast<TuiCustomSpinEdit*>(AEditor)) edit->ValidateSpinValue(DisplayValue, ErrorText, Error);
    return TuiCustomMaskEditProperties::ValidateDisplayValue(DisplayValue, ErrorText, Error, AEditor, AOwnProperties,
                                                             AEditorText);
}

TClass TuiCustomSpinEditProperties::StaticClass() {
    static const TClassInfo info{"TuiCustomSpinEditProperties", TuiCustomMaskEditProperties::StaticClass()};
    return &info;
}

TClass TuiSpinEditProperties::StaticClass() {
    static const TClassInfo info{"TuiSpinEditProperties", TuiCustomSpinEditProperties::StaticClass()};
    return &info;
}

// ---------------------------------------------------------------------------------------- layout and paint

TuiCustomEditViewData* TuiCustomSpinEditProperties::CreateViewData(TuiCustomEditStyle* AStyle, bool AInPlace) {
    return new TuiSpinEditViewData(this, AStyle, AInPlace);
}

TuiSpinEditViewData::TuiSpinEditViewData(TuiCustomSpinEditProperties* AProperties, TuiCustomEditStyle* AStyle,
                                         bool AInPlace)
    : TuiCustomTextEditViewData(AProperties, AStyle, AInPlace) {}

TuiSpinEditViewData::TSizes TuiSpinEditViewData::Sizes(TCanvas* ACanvas, int AHeight, int ABoundsHeight, bool ANative) {
    TSizes sizes;
    // The content of a button: the scroll-bar button width less its 3-D frame, half the button area high.
    const int contentWidth = std::max(1, GetSystemMetrics(SM_CYHSCROLL) - 4);
    const TSize arrow = CalcArrowSize(TSize{contentWidth + 2, AHeight / 2 + 2}, adUp);
    const int arrowHeight = std::max(1, static_cast<int>(arrow.cy));
    if (ANative) {
        ACanvas->Font()->Assign(Style->GetVisibleFont());
        const int extents = ABoundsHeight - AHeight;
        sizes.Button = (arrowHeight + ACanvas->TextHeight("Zg") + extents - 1 + 1) / 2;
        sizes.Delimiter = 1;
    } else {
        sizes.Button = 4 * arrowHeight - 3 + 4;
    }
    sizes.FastButton = MulDiv(sizes.Button, 3, 2);
    sizes.Column = contentWidth + 4;
    return sizes;
}

void TuiSpinEditViewData::CalculateButtons(TCanvas* ACanvas, TuiCustomEditViewInfo& AViewInfo, TPoint P,
                                           TShiftState AShift) {
    TuiCustomTextEditViewData::CalculateButtons(ACanvas, AViewInfo, P, AShift);
    auto* vi = dynamic_cast<TuiSpinEditViewInfo*>(&AViewInfo);
    if (vi == nullptr || vi->ButtonsInfo.empty()) return;
    vi->Position = static_cast<TuiCustomSpinEditProperties*>(Properties)->SpinButtons()->GetPosition();
    vi->NativeSpin = vi->NativeStyle && OpenThemeForType(thSpin) != nullptr;
    TRect area = vi->BorderRect;
    // On a composited desktop the themed buttons stop a pixel above the bottom.
    if (vi->NativeSpin && IsDesktopCompositionOn()) --area.bottom;
    const TRect room =
        Place(*vi, area, Sizes(ACanvas, area.bottom - area.top, vi->Bounds.bottom - vi->Bounds.top, vi->NativeSpin));
    vi->ClientRect = TRect{room.left, vi->ClientRect.top, room.right, vi->ClientRect.bottom};
}

TRect TuiSpinEditViewData::Place(TuiSpinEditViewInfo& AViewInfo, const TRect& ARect, const TSizes& ASizes) const {
    const auto bounds = [&AViewInfo](int AIndex) -> TRect* {
        for (TuiEditButtonViewInfo& button : AViewInfo.ButtonsInfo)
            if (button.ButtonIndex == AIndex) return &button.Bounds;
        return nullptr;
    };
    const auto set = [&](int AIndex, int ALeft, int ATop, int ARight, int ABottom) {
        if (TRect* r = bounds(AIndex))
            *r = TRect{std::max(ALeft, ARect.left), ATop, std::max(std::min(ARight, ARect.right), ARect.left), ABottom};
    };
    const bool fast = bounds(sesFastUp) != nullptr;
    const TuiSpinEditButtonsPosition position = AViewInfo.Position;
    const int top = ARect.top, bottom = ARect.bottom;
    int right = ARect.right, left = ARect.left;
    if (fast) {
        set(sesFastUp, right - ASizes.FastButton, top, right, bottom);
        right -= ASizes.FastButton;
    }
    if (position == sbpVert) {
        const int middle = top + (bottom - top) / 2;
        set(sesUp, right - ASizes.Column, top, right, middle);
        set(sesDown, right - ASizes.Column, middle + ASizes.Delimiter, right, bottom);
        right -= ASizes.Column;
        if (fast) {
            set(sesFastDown, right - ASizes.FastButton, top, right, bottom);
            right -= ASizes.FastButton;
        }
    } else {
        set(sesUp, right - ASizes.Button, top, right, bottom);
        right -= ASizes.Button;
        if (position == sbpHorzRight) {
            set(sesDown, right - ASizes.Button, top, right, bottom);
            right -= ASizes.Button;
            if (fast) {
                set(sesFastDown, right - ASizes.FastButton, top, right, bottom);
                right -= ASizes.FastButton;
            }
        } else {
            if (fast) {
                set(sesFastDown, left, top, left + ASizes.FastButton, bottom);
                left += ASizes.FastButton;
            }
            set(sesDown, left, top, left + ASizes.Button, bottom);
            left += ASizes.Button;
            left += ASizes.Delimiter;
        }
    }
    right -= ASizes.Delimiter;
    left = std::min(left, ARect.right);
    return TRect{left, top, std::max(left, right), bottom};
}

void TuiSpinEditViewInfo::DrawButton(TCanvas* ACanvas, const TuiEditButtonViewInfo& AButton) {
    const TRect& r = AButton.Bounds;
    if (r.right <= r.left || r.bottom <= r.top) return;
    const int index = AButton.ButtonIndex;
    const bool fast = index >= sesFastDown;
    const bool up = index == sesUp || index == sesFastUp;
    const bool vertical = Position == sbpVert && !fast;
    if (NativeSpin) {
        if (HTHEME theme = OpenThemeForType(thSpin); theme != nullptr) {
            static constexpr int kStates[] = {4, 1, 3, 2};  // disabled, normal, pressed, hot
            const int part =
                vertical ? (up ? kThemeSpinUp : kThemeSpinDown) : (up ? kThemeSpinUpHorz : kThemeSpinDownHorz);
            const RECT bounds = r;
            DrawThemeBackground(theme, ACanvas->GetHandle(), part, kStates[AButton.State], &bounds, nullptr);
            return;
        }
    }
    // The look's frame and face, then the arrows.
    TuiEditButtonViewInfo face = AButton;
    face.Kind = bkText;
    face.VisibleCaption.clear();
    TuiCustomTextEditViewInfo::DrawButton(ACanvas, face);
    const TRect content{r.left + 2, r.top + 2, r.right - 2, r.bottom - 2};
    if (content.right <= content.left || content.bottom <= content.top) return;
    const TuiArrowDirection direction = vertical ? (up ? adUp : adDown) : (up ? adRight : adLeft);
    const TSize arrow = CalcArrowSize(TSize{content.right - content.left, content.bottom - content.top}, direction);
    int rows = (static_cast<int>(std::max(arrow.cx, arrow.cy)) + 1) / 2;
    // A double arrow must fit along the button too.
    const int along = vertical ? content.bottom - content.top : content.right - content.left;
    if (fast) rows = std::max(1, std::min(rows, along / 2));
    const bool pressed = AButton.State == ebsPressed;
    if (AButton.State == ebsDisabled) {
        DrawEditArrow(ACanvas, rows, TRect{content.left + 1, content.top + 1, content.right + 1, content.bottom + 1},
                      clBtnHighlight, false, fast, direction);
        DrawEditArrow(ACanvas, rows, content, clBtnShadow, false, fast, direction);
    } else {
        DrawEditArrow(ACanvas, rows, content, AButton.TextColor, pressed, fast, direction);
    }
}

// ------------------------------------------------------------------------------------------------ editor

TuiCustomSpinEdit::TuiCustomSpinEdit(TComponent* AOwner) : TuiCustomMaskEdit(AOwner) {}

TuiCustomSpinEdit::~TuiCustomSpinEdit() {
    delete repeatTimer_;
    repeatTimer_ = nullptr;
}

void TuiCustomSpinEdit::AfterConstruction() {
    TuiCustomMaskEdit::AfterConstruction();
    LockChangeEvents(true);
    SetEditValue(ActiveProperties()->PrepareValue(Variant::Null()));
    LockChangeEvents(false, false);
    PressedButton = 0;
}

void TuiCustomSpinEdit::CalculateViewInfo(TPoint P, bool AHotTrack) {
    std::vector<std::pair<TRect, TuiEditButtonState>> before;
    for (const TuiEditButtonViewInfo& button : SpinViewInfo()->ButtonsInfo)
        before.emplace_back(button.Bounds, button.State);
    TuiCustomMaskEdit::CalculateViewInfo(P, AHotTrack);
    TuiSpinEditViewInfo& vi = *SpinViewInfo();
    if (vi.ButtonsInfo.empty()) return;
    // The view data placed the buttons; their states follow the editor's own tracking of the pressed one.
    HTHEME theme = vi.NativeSpin ? OpenThemeForType(thSpin) : nullptr;
    const bool leftDown = MouseShiftState.Contains(ssLeft);
    vi.PressedIndex = -1;
    vi.HotIndex = -1;
    for (TuiEditButtonViewInfo& button : vi.ButtonsInfo) {
        if (button.State != ebsDisabled) {
            const bool over = !IsDesigning() && PtInRect(&button.Bounds, P);
            if (PressedButton == button.ButtonIndex + 1) button.State = ebsPressed;
            else if (over && PressedButton == 0 && !leftDown) button.State = ebsSelected;
            else button.State = ebsNormal;
            if (over) vi.HotIndex = button.ButtonIndex;
        }
        if (button.State == ebsPressed) vi.PressedIndex = button.ButtonIndex;
        if (theme != nullptr && button.ButtonIndex >= 0 && button.ButtonIndex < 4) {
            static constexpr int kStates[] = {4, 1, 3, 2};
            const bool vertical = vi.Position == sbpVert && button.ButtonIndex < sesFastDown;
            const bool up = button.ButtonIndex % 2 == 1;
            const int part =
                vertical ? (up ? kThemeSpinUp : kThemeSpinDown) : (up ? kThemeSpinUpHorz : kThemeSpinDownHorz);
            vi.PartiallyTransparent[button.ButtonIndex] =
                IsThemeBackgroundPartiallyTransparent(theme, part, kStates[button.State]) != FALSE;
        }
    }
    // The frame's refresh leaves the buttons out: a button whose look changed is repainted here.
    if (!HandleAllocated()) return;
    for (std::size_t i = 0; i < vi.ButtonsInfo.size(); ++i) {
        const TuiEditButtonViewInfo& button = vi.ButtonsInfo[i];
        if (i < before.size() && before[i].first == button.Bounds && before[i].second == button.State) continue;
        const RECT r = button.Bounds;
        ::zel::InvalidateRect(GetHandle(), &r, FALSE);
    }
}

// ---- values

Variant TuiCustomSpinEdit::GetValue() {
    TuiCustomSpinEditProperties* properties = ActiveProperties();
    const Variant zero = properties->ClampToRange(properties->PrepareValue(Variant::Null()));
    Variant value;
    if (IsFocused()) {
        if (ValueFromText) {
            std::string errorText;
            TextToValueChecked(GetDisplayText(), true, errorText, value);
        } else {
            value = cachedValue_;
        }
        if (!VarIsNumeric(value)) value = zero;
    } else {
        const Variant& edit = GetEditValue();
        const bool parsed = VarIsStr(edit) && !VarToStr(edit).empty() && properties->TextToValue(VarToStr(edit), value);
        if (VarIsNumeric(edit)) value = edit;
        else if (!parsed) value = zero;
    }
    return properties->AsValueType(value);
}

void TuiCustomSpinEdit::SetValue(const Variant& Value) {
    if (!VarIsNumeric(Value)) return;
    Variant value = Value;
    if (!ActiveProperties()->CanDisplaySpinValue(value)) return;
    SetEditValue(value);
}

void TuiCustomSpinEdit::SetInternalValue(const Variant& Value, bool AFromUser) {
    if (AFromUser && !DoEditing()) return;
    Variant value = Value;
    TuiCustomSpinEditProperties* properties = ActiveProperties();
    if (!VarIsNull(value) && !VarIsEmpty(value) && !properties->CanDisplaySpinValue(value)) value = Value;
    cachedValue_ = VarIsNumeric(value) ? value : Variant::Null();
    ValueFromText = false;
    TuiCustomMaskEdit::SetInternalValue(value, AFromUser);
    // The value shows as the settings format it.
    if (InnerEdit() != nullptr && VarIsNumeric(value)) {
        const std::string text = properties->PrepareDisplayText(value, IsFocused());
        if (text != GetDisplayText()) TuiCustomMaskEdit::SetDisplayText(text);
    }
}

void TuiCustomSpinEdit::SetValueFromDisplayText(const std::string& AText) {
    std::string errorText;
    Variant value;
    TextToValueChecked(AText, true, errorText, value);
    SetInternalValue(value, false);
}

void TuiCustomSpinEdit::Reset() {
    const bool modified = GetModifiedSinceEnter();
    TuiCustomMaskEdit::Reset();
    if (!modified) return;
    cachedValue_ = VarIsNumeric(GetEditValue()) ? ActiveProperties()->AsValueType(GetEditValue()) : Variant::Null();
    ValueFromText = false;
}

void TuiCustomSpinEdit::ApplyMinMaxValue() {
    TuiCustomSpinEditProperties* properties = ActiveProperties();
    const Variant& value = GetEditValue();
    if (!VarIsNumeric(value)) return;
    if (CompareNumbers(value, properties->MinAsValue()) < 0) SetEditValue(properties->MinAsValue());
    else if (CompareNumbers(value, properties->MaxAsValue()) > 0) SetEditValue(properties->MaxAsValue());
}

bool TuiCustomSpinEdit::TextToValueChecked(const std::string& AText, bool ARaiseOnError, std::string& ErrorText,
                                           Variant& Value) {
    TuiCustomSpinEditProperties* properties = ActiveProperties();
    if (Trim(AText).empty()) {
        Value = Variant::Null();
        return true;
    }
    if (properties->TextToValue(AText, Value)) {
        Value = properties->AsValueType(Value);
        return true;
    }
    bool failed = true;
    // The handlers convert what the parser refuses: the editor's own settings first, then the item's.
    const auto ask = [&](TuiCustomSpinEditProperties* AProperties) {
        if (!failed || AProperties == nullptr || !AProperties->OnGetValue) return;
        Variant value = Variant::Null();
        std::string errorText;
        bool error = false;
        try {
            AProperties->OnGetValue(this, AText, value, errorText, error);
            if (error) {
                if (!errorText.empty()) ErrorText = errorText;
                return;
            }
            Variant number = value;
            if (VarIsNull(number) || properties->CanDisplaySpinValue(number)) {
                Value = number;
                failed = false;
            }
        } catch (const Exception& E) {
            if (ARaiseOnError) throw;
            ErrorText = E.Message;
        }
    };
    ask(SpinProperties());
    if (GetRepositoryItem() != nullptr && ActiveProperties() != SpinProperties()) ask(ActiveProperties());
    if (!failed) {
        if (!VarIsNull(Value)) Value = properties->AsValueType(Value);
        return true;
    }
    if (ErrorText.empty()) ErrorText = LoadLibraryString(&uiSSpinEditInvalidNumericValue);
    if (ARaiseOnError && properties->GetExceptionOnInvalidInput()) throw EuiEditError(ErrorText);
    Value = cachedValue_;
    return false;
}

void TuiCustomSpinEdit::ValidateSpinValue(Variant& DisplayValue, std::string& ErrorText, bool& Error) {
    TuiCustomSpinEditProperties* properties = ActiveProperties();
    Variant value;
    std::string errorText;
    bool converted = true;
    if (ValueFromText) converted = TextToValueChecked(VarToStr(DisplayValue), false, errorText, value);
    else value = cachedValue_;
    if (!converted) {
        // Refused here, so that the editor keeps the focus with the text selected for correcting.
        if (properties->GetExceptionOnInvalidInput()) {
            Error = true;
            ErrorText = errorText;
        }
        return;
    }
    if (VarIsNull(value) || VarIsEmpty(value))
        value = properties->ClampToRange(properties->PrepareValue(Variant::Null()));
    const bool outOfBounds = properties->IsOutOfBounds(value);
    if (!properties->GetExceptionOnInvalidInput()) value = properties->ClampToBounds(value);
    DisplayValue = Variant(properties->PrepareDisplayText(value, true));
    if (properties->GetExceptionOnInvalidInput() && outOfBounds) {
        Error = true;
        ErrorText = properties->GetValidateErrorTextOf(1);
    }
}

// ---- stepping

bool TuiCustomSpinEdit::ComputeStep(int AKind, Variant& Value) {
    TuiCustomSpinEditProperties* properties = ActiveProperties();
    Value = GetValue();
    const bool up = AKind == sesUp || AKind == sesFastUp;
    const bool wrap = properties->OverflowMode() == somWrap;
    const Variant minimum = properties->MinAsValue(), maximum = properties->MaxAsValue();
    if (CompareNumbers(Value, minimum) < 0) {
        if (!up && !wrap) return false;
        Value = up ? minimum : maximum;
        return true;
    }
    if (CompareNumbers(Value, maximum) > 0) {
        if (up && !wrap) return false;
        Value = up ? minimum : maximum;
        return true;
    }
    const double increment =
        AKind == sesUp || AKind == sesDown ? properties->GetIncrement() : properties->GetLargeIncrement();
    if (properties->GetValueType() == vtInt) {
        // In 128 bits nothing here overflows: the room between a 64-bit value and a bound, a step past it, and
        // the whole range's size all fit.
        const Int128 value = VarToInt64(Value), lo = VarToInt64(minimum), hi = VarToInt64(maximum);
        Int128 step = IntegerStep(increment);
        if (!up) step = -step;
        const Int128 next = value + step;
        Int128 result = next;
        const Int128 period = hi - lo + 1;
        if (next > hi) result = wrap ? lo + (next - hi - 1) % period : hi;
        else if (next < lo) result = wrap ? hi - (lo - next - 1) % period : lo;
        Value = Variant(static_cast<std::int64_t>(result));
        return true;
    }
    const double value = VarToDouble(Value), lo = VarToDouble(minimum), hi = VarToDouble(maximum);
    const double step = up ? increment : -increment;
    const double next = value + step;
    double result = next;
    if (next > hi || next < lo) {
        if (!wrap) {
            result = next > hi ? hi : lo;
        } else {
            // As the integers wrap: one past the maximum is the minimum.
            const double period = hi - lo + 1;
            result = next > hi ? lo + (next - hi - 1) : hi - (lo - next - 1);
            if ((result > hi || result < lo) && std::isfinite(period) && period > 0)
                result = next > hi ? lo + std::fmod(next - hi - 1, period) : hi - std::fmod(lo - next - 1, period);
            result = std::clamp(result, lo, hi);
        }
    }
    Value = Variant(result);
    return true;
}

bool TuiCustomSpinEdit::DoStep(int AKind) {
    const auto stepping = SetForScope(inStep_, true);
    LockChangeEvents(true);
    const TScopeExit unlock([this] { LockChangeEvents(false); });
    if (!DoEditing()) return false;
    Variant value;
    if (!ComputeStep(AKind, value)) return false;
    TuiCustomSpinEditProperties* properties = ActiveProperties();
    const std::string text = properties->PrepareDisplayText(value, IsFocused());
    cachedValue_ = value;
    ValueFromText = false;
    const std::string before = GetDisplayText();
    {
        const bool saved = IsUserChange();
        SetUserChange(true);
        TuiCustomMaskEdit::SetDisplayText(text);
        SetUserChange(saved);
    }
    if (GetDisplayText() == before) return false;
    MarkModified();
    const auto end = static_cast<int>(GetDisplayText().size());
    SetSelStart(end);
    SetSelLength(0);
    if (properties->GetImmediatePost() && ValidateEdit(true)) {
        SetSelStart(static_cast<int>(GetDisplayText().size()));
        SetSelLength(0);
    }
    return true;
}

bool TuiCustomSpinEdit::IsValidChar(char Ch) {
    TuiCustomSpinEditProperties* properties = ActiveProperties();
    const auto code = static_cast<unsigned char>(Ch);
    const bool handler = static_cast<bool>(SpinProperties()->OnGetValue) || static_cast<bool>(properties->OnGetValue);
    if (properties->GetCanEdit() && handler) return true;
    if (!properties->GetCanEdit()) return code < 32 && Ch != 8;
    if (code < 32 || properties->ExtraValidChars().test(code)) return true;
    if ((Ch >= '0' && Ch <= '9') || Ch == '+' || Ch == '-' || Ch == 'e' || Ch == 'E') return true;
    return properties->GetValueType() == vtFloat && Ch == FormatSettings.DecimalSeparator;
}

// ---- keys, wheel and mouse

bool TuiCustomSpinEdit::TextKeyDown(WORD& Key, TShiftState Shift) {
    TuiCustomSpinEditProperties* properties = ActiveProperties();
    TypedSinceValue = false;
    if (IsStepKey(Key) && (!properties->GetUseCtrlIncrement() || Shift.Contains(ssCtrl)) && !HasPopupWindow()) {
        if (!DataBinding()->IsInEditMode() && !DoEditing()) return true;
        const int kind = StepOfKey(Key);
        SetPressedButton(kind + 1);
        if (HandleAllocated() && GetCapture() == GetHandle()) ReleaseCapture();
        DoStep(kind);
        return true;
    }
    StopTracking();
    if (Key != VK_ESCAPE) TypedSinceValue = true;
    // Without CanEdit the keys that change the text do nothing but their key event.
    const bool clipboardEdit = (Key == VK_INSERT && Shift.Contains(ssShift)) || (Key == VK_DELETE);
    if (!properties->GetCanEdit() && clipboardEdit) return true;
    return TuiCustomMaskEdit::TextKeyDown(Key, Shift);
}

bool TuiCustomSpinEdit::InnerControlKeyHook(TMessage& Message) {
    switch (Message.Msg) {
        case WM_KEYUP:
            TypedSinceValue = false;
            if (IsStepKey(static_cast<WORD>(Message.WParam))) StopTracking();
            break;
        case WM_CHAR: {
            // Either decimal key types the locale's separator.
            const char c = static_cast<char>(Message.WParam);
            if (c == '.' || c == ',') Message.WParam = static_cast<unsigned char>(FormatSettings.DecimalSeparator);
            break;
        }
        case WM_MOUSEWHEEL:
            if (HandleWheel(static_cast<short>(HIWORD(Message.WParam)))) {
                Message.Result = 1;
                return true;
            }
            break;
        default: break;
    }
    if (Message.Msg != WM_KEYDOWN && Message.Msg != WM_CHAR) return TuiCustomMaskEdit::InnerControlKeyHook(Message);
    // A key or character that changed the text: the value is read from the text from now on.
    const std::string before = GetDisplayText();
    const bool result = TuiCustomMaskEdit::InnerControlKeyHook(Message);
    if (!inStep_ && GetDisplayText() != before) ValueFromText = true;
    return result;
}

bool TuiCustomSpinEdit::HandleWheel(int ADelta) {
    if (ADelta == 0 || HasPopupWindow() || !IsFocused()) return false;
    if (IsInplace() && !ActiveProperties()->GetWheelWhenInplace()) return false;
    DoStep(ADelta < 0 ? sesDown : sesUp);
    return true;
}

bool TuiCustomSpinEdit::DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) {
    return HandleWheel(WheelDelta) || TuiCustomMaskEdit::DoMouseWheel(Shift, WheelDelta, MousePos);
}

void TuiCustomSpinEdit::SetPressedButton(int Value) {
    if (PressedButton == Value) return;
    PressedButton = Value;
    if (HandleAllocated()) ShortRefresh();
}

void TuiCustomSpinEdit::StopTracking() {
    if (PressedButton == 0 && repeatTimer_ == nullptr) return;
    TuiTimer* timer = repeatTimer_;
    repeatTimer_ = nullptr;
    delete timer;
    SetPressedButton(0);
    if (HandleAllocated() && GetCapture() == GetHandle()) ReleaseCapture();
}

void TuiCustomSpinEdit::RepeatTimerTick(TObject* /*Sender*/) {
    if (repeatTimer_ == nullptr || PressedButton == 0) return;
    // After the first delay the steps come faster.
    repeatTimer_->SetInterval(100);
    POINT cursor{};
    GetCursorPos(&cursor);
    const TPoint p = ScreenToClient(TPoint{cursor.x, cursor.y});
    const int at = SpinViewInfo()->ButtonAt(p);
    if (at >= 0 && SpinViewInfo()->ButtonsInfo[static_cast<std::size_t>(at)].ButtonIndex == PressedButton - 1)
        DoStep(PressedButton - 1);
}

void TuiCustomSpinEdit::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    // The press holds the mouse; focusing the text on the way may have let it go.
    const bool held = HandleAllocated() && GetCapture() == GetHandle();
    TuiCustomMaskEdit::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft) return;
    if (held && HandleAllocated() && GetCapture() == nullptr && (GetKeyState(VK_LBUTTON) & 0x8000) != 0)
        SetCapture(GetHandle());
    const int at = SpinViewInfo()->ButtonAt(TPoint{X, Y});
    if (at < 0) {
        StopTracking();
        return;
    }
    const TuiEditButtonViewInfo& button = SpinViewInfo()->ButtonsInfo[static_cast<std::size_t>(at)];
    if (PressedButton != 0 || !HandleAllocated() || GetCapture() != GetHandle() || button.State == ebsDisabled) return;
    if (ActiveProperties()->GetReadOnly() || !DataBinding()->IsDataAvailable()) return;
    const int kind = button.ButtonIndex;
    SetPressedButton(kind + 1);
    DoStep(kind);
    if (PressedButton == 0) return;
    repeatTimer_ = new TuiTimer(this);
    repeatTimer_->SetInterval(400);
    repeatTimer_->SetOnTimer([this](TObject* Sender) { RepeatTimerTick(Sender); });
}

void TuiCustomSpinEdit::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TuiCustomMaskEdit::MouseUp(Button, Shift, X, Y);
    StopTracking();
}

void TuiCustomSpinEdit::MouseLeave(TControl* AControl) {
    StopTracking();
    TuiCustomMaskEdit::MouseLeave(AControl);
}

// ---- clipboard

template <class F>
void TuiCustomSpinEdit::AsTyping(F AOperation) {
    if (IsFocused() && !ActiveProperties()->GetCanEdit()) return;
    const auto typing = SetForScope(TypedSinceValue, true);
    const std::string before = GetDisplayText();
    AOperation();
    if (GetDisplayText() != before) ValueFromText = true;
}

void TuiCustomSpinEdit::CutToClipboard() {
    AsTyping([this] { TuiCustomMaskEdit::CutToClipboard(); });
}

void TuiCustomSpinEdit::PasteFromClipboard() {
    AsTyping([this] { TuiCustomMaskEdit::PasteFromClipboard(); });
}

void TuiCustomSpinEdit::ClearSelection() {
    AsTyping([this] { TuiCustomMaskEdit::ClearSelection(); });
}

// ---------------------------------------------------------------------------------------------- filter rows

TClass TuiFilterSpinEditHelper::StaticClass() {
    return MakeHelperClass<TuiFilterSpinEditHelper>("TuiFilterSpinEditHelper", TuiFilterMaskEditHelper::StaticClass());
}

TuiFilterOperators TuiFilterSpinEditHelper::GetSupportedFilterOperators(TuiCustomEditProperties* AProperties,
                                                                        TuiValueTypeClass AValueTypeClass,
                                                                        bool AExtendedSet) const {
    // The base sets: never the text patterns that the masked editor adds.
    return TuiCustomFilterEditHelper::GetSupportedFilterOperators(AProperties, AValueTypeClass, AExtendedSet);
}

void TuiFilterSpinEditHelper::InitializeProperties(TuiCustomEditProperties* AProperties,
                                                   TuiCustomEditProperties* AEditProperties, bool AHasButtons) const {
    TUpdateBracket update(AProperties);
    TuiFilterMaskEditHelper::InitializeProperties(AProperties, AEditProperties, AHasButtons);
    if (auto* properties = dynamic_cast<TuiCustomSpinEditProperties*>(AProperties)) properties->SetCanEdit(true);
}

// ------------------------------------------------------------------------------------------------- the unit

namespace {

TFormValue FloatValue(double Value) {
    TFormValue value;
    value.Kind = TFormValue::TKind::Float;
    value.Float = Value;
    return value;
}

double ReadFloat(const TFormValue& Value, TReadContext& Context) {
    if (Value.Kind == TFormValue::TKind::Float) return Value.Float;
    return static_cast<double>(Context.Int(Value));
}

// The stored properties of the spin editor and its settings, as forms hold them.
void RegisterSpinEditClasses() {
    using B = TuiSpinEditButtons;
    RegisterPersistent<B>("TuiSpinEditButtons", "")
        .Enum<TuiSpinEditButtonsPosition>(
            "Position", {{"sbpHorzLeftRight", sbpHorzLeftRight}, {"sbpHorzRight", sbpHorzRight}, {"sbpVert", sbpVert}},
            [](B& b, TuiSpinEditButtonsPosition v) { b.SetPosition(v); }, [](B& b) { return b.GetPosition(); })
        .DefaultIdent("sbpVert")
        .Bool(
            "ShowFastButtons", [](B& b, bool v) { b.SetShowFastButtons(v); },
            [](B& b) { return b.GetShowFastButtons(); })
        .Default(false)
        .Bool(
            "Visible", [](B& b, bool v) { b.SetVisible(v); }, [](B& b) { return b.GetVisible(); })
        .Default(true);

    using P = TuiSpinEditProperties;
    RegisterPersistent<P>("TuiSpinEditProperties", "")
        .Bool(
            "AutoSelect", [](P& p, bool v) { p.SetAutoSelect(v); }, [](P& p) { return p.GetAutoSelect(); })
        .Default(true)
        .Bool(
            "CanEdit", [](P& p, bool v) { p.SetCanEdit(v); }, [](P& p) { return p.GetCanEdit(); })
        .Default(true)
        .Bool(
            "ExceptionOnInvalidInput", [](P& p, bool v) { p.SetExceptionOnInvalidInput(v); },
            [](P& p) { return p.GetExceptionOnInvalidInput(); })
        .Default(false)
        .Bool(
            "ImmediatePost", [](P& p, bool v) { p.SetImmediatePost(v); }, [](P& p) { return p.GetImmediatePost(); })
        .Default(false)
        .Custom(
            "Increment", [](P& p, const TFormValue& v, TReadContext& ctx) { p.SetIncrement(ReadFloat(v, ctx)); },
            [](P& p) { return FloatValue(p.GetIncrement()); })
        .Stored([](P& p) { return p.GetIncrement() != 1.0 && p.GetIncrement() != 0; })
        .Custom(
            "LargeIncrement",
            [](P& p, const TFormValue& v, TReadContext& ctx) { p.SetLargeIncrement(ReadFloat(v, ctx)); },
            [](P& p) { return FloatValue(p.GetLargeIncrement()); })
        .Stored([](P& p) { return p.GetLargeIncrement() != 10.0 && p.GetLargeIncrement() != 0; })
        .Custom(
            "MaxValue", [](P& p, const TFormValue& v, TReadContext& ctx) { p.SetMaxValue(ReadFloat(v, ctx)); },
            [](P& p) { return FloatValue(p.GetMaxValue()); })
        .Stored([](P& p) { return p.AssignedValues()->GetMaxValue(); })
        .Custom(
            "MinValue", [](P& p, const TFormValue& v, TReadContext& ctx) { p.SetMinValue(ReadFloat(v, ctx)); },
            [](P& p) { return FloatValue(p.GetMinValue()); })
        .Stored([](P& p) { return p.AssignedValues()->GetMinValue(); })
        .Bool("ReadOnly", [](P& p, bool v) { p.SetReadOnly(v); })
        .SubObject("SpinButtons", "TuiSpinEditButtons", [](P& p) -> TPersistent* { return p.SpinButtons(); })
        .Bool(
            "UseCtrlIncrement", [](P& p, bool v) { p.SetUseCtrlIncrement(v); },
            [](P& p) { return p.GetUseCtrlIncrement(); })
        .Default(false)
        .Bool(
            "ValidateOnEnter", [](P& p, bool v) { p.SetValidateOnEnter(v); },
            [](P& p) { return p.GetValidateOnEnter(); })
        .Default(true)
        .Enum<TuiSpinEditValueType>(
            "ValueType", {{"vtInt", vtInt}, {"vtFloat", vtFloat}},
            [](P& p, TuiSpinEditValueType v) { p.SetValueType(v); }, [](P& p) { return p.GetValueType(); })
        .Stored([](P& p) { return p.SpinAssignedValues()->GetValueType(); })
        .Event("OnChange", &P::OnChange)
        .Event("OnEditValueChanged", &P::OnEditValueChanged)
        .Event("OnGetValue", &P::OnGetValue)
        .Event("OnValidate", &P::OnValidate);

    using E = TuiSpinEdit;
    RegisterComponent<E>("TuiSpinEdit", "TWinControl")
        .Custom(
            "Value",
            [](E& e, const TFormValue& v, TReadContext& ctx) {
                if (v.Kind == TFormValue::TKind::Float) e.SetValue(Variant(v.Float));
                else e.SetValue(Variant(ctx.Int(v)));
            },
            [](E& e) {
                const Variant value = e.GetValue();
                return IsIntegerVariant(value) ? IntValue(VarToInt64(value)) : FloatValue(VarToDouble(value));
            })
        .Stored([](E& e) { return VarToDouble(e.GetValue()) != 0; })
        .SubObject("Properties", "TuiSpinEditProperties", [](E& e) -> TPersistent* { return e.Properties(); })
        .SubObject("Style", "TuiEditStyle", [](E& e) -> TPersistent* { return e.Style(); })
        .Event("OnEditing", &E::OnEditing);
}

void uiSpinEditStartup() {
    GetRegisteredEditProperties()->Register(TuiSpinEditProperties::StaticClass(), suiSEditRepositorySpinItem.Text);
    FilterEditsController()->Register(TuiSpinEditProperties::StaticClass(), TuiFilterSpinEditHelper::StaticClass());
}

void uiSpinEditShutdown() {
    FilterEditsController()->Unregister(TuiSpinEditProperties::StaticClass(), TuiFilterSpinEditHelper::StaticClass());
    GetRegisteredEditProperties()->Unregister(TuiSpinEditProperties::StaticClass());
}

}  // namespace

TUnitRow uiSpinEditUnitRow() {
    return FormClassesRow("uiSpinEdit", RegisterSpinEditClasses, uiSpinEditStartup, uiSpinEditShutdown);
}

}  // namespace zel
