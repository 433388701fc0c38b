#pragma once
// The spin editor: a numeric text editor with up and down buttons (and optional fast buttons for the large
// step), stepping by keys, the mouse wheel and a held button, over an integer (64-bit) or a floating value,
// clamped or wrapped at its bounds.
#include <cstdint>
#include <functional>
#include <string>

#include "platform/rtl/Variants.h"
#include "uilib/base/uiControls.h"
#include "uilib/editors/uiMaskEdit.h"

namespace zel {

enum TuiSpinEditButtonsPosition { sbpHorzLeftRight, sbpHorzRight, sbpVert };
enum TuiSpinEditValueType { vtInt, vtFloat };

// The button indexes, which are also the step kinds.
enum TuiSpinEditStep { sesDown, sesUp, sesFastDown, sesFastUp };

// How a step that leaves the range ends: no step, at the bound, or continued from the other bound.
enum TuiSpinOverflowMode { somFail, somClamp, somWrap };

class TuiCustomSpinEdit;
class TuiCustomSpinEditProperties;

using TuiSpinEditGetValueEvent = std::function<void(TObject* Sender, const std::string& AText, Variant& AValue,
                                                    std::string& ErrorText, bool& Error)>;

// Where the spin buttons sit and which of them show.
class TuiSpinEditButtons : public TPersistent {
public:
    explicit TuiSpinEditButtons(TuiCustomSpinEditProperties* AOwner) : owner_(AOwner) {}
    std::string ClassName() const override { return "TuiSpinEditButtons"; }
    TPersistent* GetOwner() const override;
    // The three settings, inside one update of the owner.
    void Assign(TPersistent* Source) override;

    TuiSpinEditButtonsPosition GetPosition() const { return position_; }
    void SetPosition(TuiSpinEditButtonsPosition Value);
    bool GetShowFastButtons() const { return showFastButtons_; }
    void SetShowFastButtons(bool Value);
    bool GetVisible() const { return visible_; }
    void SetVisible(bool Value);
    // 0 hidden, 4 with the fast buttons, else 2.
    int Count() const { return !visible_ ? 0 : showFastButtons_ ? 4 : 2; }

private:
    template <class T>
    void Store(T& AField, const T& Value);

    TuiCustomSpinEditProperties* owner_;
    TuiSpinEditButtonsPosition position_ = sbpVert;
    bool showFastButtons_ = false;
    bool visible_ = true;
};

// Whether the value type was set on the settings themselves rather than taken from the data.
class TuiSpinEditPropertiesValues : public TPersistent {
public:
    explicit TuiSpinEditPropertiesValues(TuiCustomSpinEditProperties* AOwner) : owner_(AOwner) {}
    std::string ClassName() const override { return "TuiSpinEditPropertiesValues"; }
    TPersistent* GetOwner() const override;
    void Assign(TPersistent* Source) override;
    bool GetValueType() const { return valueType_; }
    void SetValueType(bool Value);

private:
    TuiCustomSpinEditProperties* owner_;
    bool valueType_ = false;
};

class TuiCustomSpinEditProperties : public TuiCustomMaskEditProperties {
public:
    static TClass StaticClass();
    explicit TuiCustomSpinEditProperties(TPersistent* AOwner);
    ~TuiCustomSpinEditProperties() override;
    std::string ClassName() const override { return "TuiCustomSpinEditProperties"; }
    // The masked settings, then the spin settings, in one update.
    void Assign(TPersistent* Source) override;
    TuiCustomEditViewData* CreateViewData(TuiCustomEditStyle* AStyle, bool AInPlace) override;
    // Brings the edit buttons to the spin button count first.
    void Changed() override;
    // "ZeroIncrement" and "ZeroLargeIncrement": a zero step, which the plain properties never write.
    void DefineProperties(TFiler* Filer) override;

    TuiSpinEditButtons* SpinButtons() const { return spinButtons_; }
    void SetSpinButtons(TuiSpinEditButtons* Value) { spinButtons_->Assign(Value); }
    TuiSpinEditPropertiesValues* SpinAssignedValues() const { return spinValues_; }

    bool GetCanEdit() const { return canEdit_; }
    void SetCanEdit(bool Value);
    bool GetWrapAround() const { return wrapAround_; }
    void SetWrapAround(bool Value);
    bool GetExceptionOnInvalidInput() const { return exceptionOnInvalidInput_; }
    void SetExceptionOnInvalidInput(bool Value);
    double GetIncrement() const { return increment_; }
    void SetIncrement(double Value);
    double GetLargeIncrement() const { return largeIncrement_; }
    void SetLargeIncrement(double Value);
    bool GetUseCtrlIncrement() const { return useCtrlIncrement_; }
    void SetUseCtrlIncrement(bool Value);
    // The assigned type; unassigned, floating (no data here says otherwise).
    TuiSpinEditValueType GetValueType() const;
    void SetValueType(TuiSpinEditValueType Value);

    TuiSpinEditGetValueEvent OnGetValue;

    // Answers of the class.
    bool HasValueType() const override { return true; }
    TuiSpinOverflowMode OverflowMode() const { return wrapAround_ ? somWrap : somClamp; }

    // The value type's limits.
    double TypeMax() const;
    double TypeMin() const;
    // The bound in force (an integer for vtInt), else the type's limit; typed as the value type.
    Variant MaxAsValue() const;
    Variant MinAsValue() const;
    // vtInt: the nearest integer (ties to even), saturated to the 64-bit range (NaN gives 0); vtFloat: X.
    static Variant DoubleAsValueType(TuiSpinEditValueType AType, double X);
    // A number of the value type from any variant that holds one (an integer keeps all 64 bits).
    Variant AsValueType(const Variant& AValue) const;
    // A number below the minimum in force becomes the minimum, above the maximum the maximum.
    Variant ClampToRange(const Variant& AValue) const;
    // A number limited to [MinAsValue, MaxAsValue].
    Variant ClampToBounds(const Variant& AValue) const;
    bool IsOutOfBounds(const Variant& AValue) const;
    // The text as a number of the value type; false when it does not parse or leaves the type's range.
    bool TextToValue(const std::string& AText, Variant& Value) const;
    // Null becomes 0; the value gets the value type.
    Variant PrepareValue(const Variant& AValue) const;
    // Strings and numbers must parse; null and dates pass; the result has the value type.
    bool CanDisplaySpinValue(Variant& Value) const;
    bool IsValidDisplayValue(Variant& Value) const override;
    // An integer of the value type shows all its digits.
    std::string PrepareDisplayText(const Variant& AEditValue, bool AEditing) const override;
    // The editor's own check of the typed number first, then the masked settings' validation.
    bool ValidateDisplayValue(Variant& DisplayValue, std::string& ErrorText, bool& Error, TObject* AEditor,
                              TuiCustomEditProperties* AOwnProperties, const std::string& AEditorText) override;

private:
    template <class T>
    void Store(T& AField, const T& Value);
    void SyncButtonCount();
    Variant BoundAsValue(int AWhich) const;

    TuiSpinEditButtons* spinButtons_ = nullptr;
    TuiSpinEditPropertiesValues* spinValues_ = nullptr;
    bool canEdit_ = true;
    bool wrapAround_ = false;
    bool exceptionOnInvalidInput_ = false;
    double increment_ = 1.0;
    double largeIncrement_ = 10.0;
    bool useCtrlIncrement_ = false;
    TuiSpinEditValueType valueType_ = vtFloat;
    bool syncingButtons_ = false;
};

class TuiSpinEditProperties : public TuiCustomSpinEditProperties {
public:
    using TuiCustomSpinEditProperties::TuiCustomSpinEditProperties;
    std::string ClassName() const override { return "TuiSpinEditProperties"; }
    static TClass StaticClass();
};

// The spin buttons drawn with arrows (double on the fast ones), themed or by the look's button frame.
class TuiSpinEditViewInfo : public TuiCustomTextEditViewInfo {
public:
    std::string ClassName() const override { return "TuiSpinEditViewInfo"; }
    void DrawButton(TCanvas* ACanvas, const TuiEditButtonViewInfo& AButton) override;

    TuiSpinEditButtonsPosition Position = sbpVert;
    bool NativeSpin = false;
    // Per button index: whether the theme's background is partly transparent there.
    bool PartiallyTransparent[4] = {false, false, false, false};
};

// The spin editor's view data: the text editor's, with the spin buttons placed by their position and sizes, so
// that a cell painted without an editor shows them where the editor does.
class TuiSpinEditViewData : public TuiCustomTextEditViewData {
public:
    TuiSpinEditViewData(TuiCustomSpinEditProperties* AProperties, TuiCustomEditStyle* AStyle, bool AInPlace);
    // Widths of a small and a fast horizontal button, and of the vertical column, for a button area of
    // AHeight pixels in an editor ABoundsHeight high.
    struct TSizes {
        int Button = 0;
        int FastButton = 0;
        int Column = 0;
        int Delimiter = 0;
    };
    TSizes Sizes(TCanvas* ACanvas, int AHeight, int ABoundsHeight, bool ANative);
    // Places the buttons (by index) inside ARect and returns the room left for the text.
    TRect Place(TuiSpinEditViewInfo& AViewInfo, const TRect& ARect, const TSizes& ASizes) const;
    // The base buttons with their states, then placed as spin buttons; the client rectangle is the room left.
    void CalculateButtons(TCanvas* ACanvas, TuiCustomEditViewInfo& AViewInfo, TPoint P, TShiftState AShift) override;
};

class TuiCustomSpinEdit : public TuiCustomMaskEdit {
public:
    explicit TuiCustomSpinEdit(TComponent* AOwner);
    ~TuiCustomSpinEdit() override;
    void AfterConstruction() override;
    std::string ClassName() const override { return "TuiCustomSpinEdit"; }

    TuiCustomSpinEditProperties* ActiveProperties() const {
        return static_cast<TuiCustomSpinEditProperties*>(TuiCustomEdit::ActiveProperties());
    }
    TuiCustomSpinEditProperties* SpinProperties() const {
        return static_cast<TuiCustomSpinEditProperties*>(TuiCustomEdit::Properties());
    }
    TuiSpinEditViewInfo* SpinViewInfo() const { return static_cast<TuiSpinEditViewInfo*>(ViewInfo()); }

    // The number the editor holds: the typed text while focused, else the edit value; typed as the value type.
    Variant GetValue();
    // Ignores non-numbers and values the settings cannot show.
    void SetValue(const Variant& Value);
    // Steps once; true when the text changed.
    bool DoStep(int AKind);
    // The stepped value; false when no step is possible.
    bool ComputeStep(int AKind, Variant& Value);
    bool IsValidChar(char Ch);
    // The text as a value: an empty text is null (0 limited to the range when the data needs a value); an
    // unparsable one asks OnGetValue, then fails with ErrorText (by default "Invalid numeric value") and the
    // cached value, raising EuiEditError when asked and ExceptionOnInvalidInput is set.
    bool TextToValueChecked(const std::string& AText, bool ARaiseOnError, std::string& ErrorText, Variant& Value);
    // The spin check of the text being validated: parsed, limited to the bounds (or out of bounds refused with
    // ExceptionOnInvalidInput), and shown as the value's text.
    void ValidateSpinValue(Variant& DisplayValue, std::string& ErrorText, bool& Error);

    void CutToClipboard() override;
    void PasteFromClipboard() override;
    void ClearSelection() override;
    void Reset() override;

    int PressedButton = 0;  // 0 none, else the button index + 1
    bool TypedSinceValue = false;
    // The text was changed by the user since the value was cached: the value is read from the text.
    bool ValueFromText = false;
    TuiTimer* RepeatTimer() const { return repeatTimer_; }
    const Variant& CachedValue() const { return cachedValue_; }

protected:
    TuiCustomEditProperties* CreateProperties() override { return new TuiCustomSpinEditProperties(this); }
    bool CanAcceptRepositoryItem(TuiEditRepositoryItem* AItem) override {
        return ItemPropertiesAre<TuiCustomSpinEditProperties>(AItem);
    }
    TuiContainerViewInfo* CreateViewInfo() override { return new TuiSpinEditViewInfo; }
    void CalculateViewInfo(TPoint P, bool AHotTrack) override;
    bool CanTypeChar(char C) override { return IsValidChar(C); }
    bool TextKeyDown(WORD& Key, TShiftState Shift) override;
    bool InnerControlKeyHook(TMessage& Message) override;
    void SetInternalValue(const Variant& Value, bool AFromUser) override;
    void SetValueFromDisplayText(const std::string& AText) override;
    void ApplyMinMaxValue() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseLeave(TControl* AControl) override;
    bool DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) override;

private:
    void SetPressedButton(int Value);
    // Ends button tracking: no button pressed, no timer, no capture.
    void StopTracking();
    void RepeatTimerTick(TObject* Sender);
    bool HandleWheel(int ADelta);
    // Runs a clipboard operation as the user's change of the text.
    template <class F>
    void AsTyping(F AOperation);

    Variant cachedValue_;
    TuiTimer* repeatTimer_ = nullptr;
    bool inStep_ = false;
};

class TuiSpinEdit : public TuiCustomSpinEdit {
public:
    using TuiCustomSpinEdit::TuiCustomSpinEdit;
    std::string ClassName() const override { return "TuiSpinEdit"; }
    TuiSpinEditProperties* Properties() const {
        return static_cast<TuiSpinEditProperties*>(TuiCustomEdit::Properties());
    }
    void SetProperties(TuiSpinEditProperties* Value) { Properties()->Assign(Value); }

protected:
    TuiCustomEditProperties* CreateProperties() override { return new TuiSpinEditProperties(this); }
};

// The spin editor of filter rows.
class TuiFilterSpinEditHelper : public TuiFilterMaskEditHelper {
public:
    static TClass StaticClass();
    std::string GetFilterEditClassName() const override { return "TuiSpinEdit"; }
    // Codes 1-6, 9 and 10; 11-14 when the extended operators are asked for.
    TuiFilterOperators GetSupportedFilterOperators(TuiCustomEditProperties* AProperties,
                                                   TuiValueTypeClass AValueTypeClass, bool AExtendedSet) const override;
    // The masked editor's filter settings, which can always be typed into.
    void InitializeProperties(TuiCustomEditProperties* AProperties, TuiCustomEditProperties* AEditProperties,
                              bool AHasButtons) const override;
};

TUnitRow uiSpinEditUnitRow();

}  // namespace zel
