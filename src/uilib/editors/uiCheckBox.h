#pragma once
// The check-box editor: a box with three states (unchecked, checked, grayed) and a caption. Its edit value
// is any Variant; the settings say which values mean checked, unchecked and grayed, and which texts show
// them as text. The box is a glyph strip cell, a themed part or a classic box whose mark comes from the
// system's check bitmap; the space bar and the mouse toggle it, an action's Checked drives it.
#include <string>

#include "platform/rtl/Units.h"
#include "platform/vcl/ActnList.h"
#include "uilib/base/uiLookAndFeelPainters.h"
#include "uilib/editors/uiDropDownEdit.h"
#include "uilib/editors/uiEditControl.h"
#include "uilib/editors/uiEditViewData.h"
#include "uilib/editors/uiFilterControlUtils.h"

namespace zel {

enum TuiCheckBoxNullValueShowingStyle { nssUnchecked, nssInactive, nssGrayedChecked };

// A check box's layout: never a border, whatever style it is painted with.
class TuiCustomCheckBoxViewData : public TuiCustomEditViewData {
public:
    using TuiCustomEditViewData::TuiCustomEditViewData;
    TuiEditBorderStyle GetBorderStyle() override { return ebsNone; }
};

class TuiCustomCheckBoxProperties : public TuiCustomEditProperties {
public:
    explicit TuiCustomCheckBoxProperties(TPersistent* AOwner);
    ~TuiCustomCheckBoxProperties() override;
    std::string ClassName() const override { return "TuiCustomCheckBoxProperties"; }
    static TClass StaticClass();
    void Assign(TPersistent* Source) override;
    TuiCustomEditViewData* CreateViewData(TuiCustomEditStyle* AStyle, bool AInPlace) override;

    TAlignment GetAlignment() const { return alignment_; }
    void SetAlignment(TAlignment Value) { Store(alignment_, Value); }
    bool GetAllowGrayed() const { return allowGrayed_; }
    void SetAllowGrayed(bool Value) { Store(allowGrayed_, Value); }
    const std::string& GetCaption() const { return caption_; }
    // Marks the caption assigned: the editor shows it as its text.
    void SetCaption(const std::string& Value);
    bool IsCaptionAssigned() const { return captionAssigned_; }
    const std::string& GetDisplayChecked() const { return displayChecked_; }
    void SetDisplayChecked(const std::string& Value) { Store(displayChecked_, Value); }
    const std::string& GetDisplayGrayed() const { return displayGrayed_; }
    void SetDisplayGrayed(const std::string& Value) { Store(displayGrayed_, Value); }
    const std::string& GetDisplayUnchecked() const { return displayUnchecked_; }
    void SetDisplayUnchecked(const std::string& Value) { Store(displayUnchecked_, Value); }
    bool GetFullFocusRect() const { return fullFocusRect_; }
    void SetFullFocusRect(bool Value) { Store(fullFocusRect_, Value); }
    // Made on first read; a change of its picture is a change of the settings.
    TBitmap* GetGlyph();
    TBitmap* PeekGlyph() const { return glyph_; }
    void SetGlyph(TBitmap* Value);
    int GetGlyphCount() const { return glyphCount_; }
    void SetGlyphCount(int Value) { Store(glyphCount_, Value); }
    bool GetMultiLine() const { return multiLine_; }
    void SetMultiLine(bool Value) { Store(multiLine_, Value); }
    TuiCheckBoxNullValueShowingStyle GetNullStyle() const { return nullStyle_; }
    void SetNullStyle(TuiCheckBoxNullValueShowingStyle Value) { Store(nullStyle_, Value); }
    bool GetUseAlignmentWhenInplace() const { return useAlignmentWhenInplace_; }
    void SetUseAlignmentWhenInplace(bool Value) { Store(useAlignmentWhenInplace_, Value); }

    // Checked and unchecked take no Null and no value that is already one of the three; grayed takes any
    // value that is none of the three. While the owner loads, every value is taken.
    const Variant& GetValueChecked() const { return valueChecked_; }
    void SetValueChecked(const Variant& Value);
    const Variant& GetValueGrayed() const { return valueGrayed_; }
    void SetValueGrayed(const Variant& Value);
    const Variant& GetValueUnchecked() const { return valueUnchecked_; }
    void SetValueUnchecked(const Variant& Value);
    // All three at once, only when they are pairwise different and neither checked nor unchecked is Null.
    void SetValues(const Variant& AChecked, const Variant& AGrayed, const Variant& AUnchecked);

    // Checked when the value is ValueChecked, unchecked when it is ValueUnchecked, grayed otherwise.
    TuiCheckBoxState GetState(const Variant& AValue) const;
    Variant ValueOfState(TuiCheckBoxState AState) const;
    std::string GetDisplayText(const Variant& AValue) const;
    bool IsKnownValue(const Variant& AValue) const;
    // Only the space bar activates the box.
    bool IsActivationKey(char AKey) const { return AKey == ' '; }

    bool CanValidate() const override { return true; }
    bool CompareDisplayValues() const override { return true; }
    bool KeepsPreviousValue() const override { return true; }
    // The state, as a small integer: values of one state show alike.
    void PrepareDisplayValue(const Variant& AEditValue, Variant& DisplayValue) const override;

private:
    template <class T>
    void Store(T& AField, const T& Value) {
        if (AField == Value) return;
        AField = Value;
        Changed();
    }
    bool IsOneOfTheValues(const Variant& AValue) const;
    bool OwnerLoading() const;

    TAlignment alignment_ = taLeftJustify;
    bool allowGrayed_ = false;
    std::string caption_;
    bool captionAssigned_ = false;
    std::string displayChecked_;
    std::string displayGrayed_;
    std::string displayUnchecked_;
    bool fullFocusRect_ = false;
    TBitmap* glyph_ = nullptr;
    int glyphCount_ = 6;
    bool multiLine_ = false;
    TuiCheckBoxNullValueShowingStyle nullStyle_ = nssGrayedChecked;
    bool useAlignmentWhenInplace_ = false;
    Variant valueChecked_;
    Variant valueGrayed_;
    Variant valueUnchecked_;
};

class TuiCheckBoxProperties : public TuiCustomCheckBoxProperties {
public:
    using TuiCustomCheckBoxProperties::TuiCustomCheckBoxProperties;
    std::string ClassName() const override { return "TuiCheckBoxProperties"; }
    static TClass StaticClass();
};

// The box's look: 0 normal, 1 hot, 2 pressed, 3 disabled.
enum TuiCheckBoxVisualState { cvsNormal, cvsHot, cvsPressed, cvsDisabled };

class TuiCustomCheckBoxViewInfo : public TuiCustomEditViewInfo {
public:
    std::string ClassName() const override { return "TuiCustomCheckBoxViewInfo"; }
    void Paint(TCanvas* ACanvas) override;
    // The cell of the glyph strip a state shows: 0 unchecked, 1 checked, 2 grayed, 3 more when pressed; past
    // the strip, modulo 3, and modulo the strip's count when that is still past it.
    static int GlyphIndex(TuiCheckBoxState AState, bool APressed, int AGlyphCount);
    void DrawBox(TCanvas* ACanvas);

    TRect CheckBoxRect{};
    TRect FocusRect{};
    TRect TextRect{};
    TuiCheckBoxVisualState CheckBoxVisualState = cvsNormal;
    TuiCheckBoxState State = cbsUnchecked;
    TAlignment Alignment = taLeftJustify;
    TuiEditBorderStyle CheckBorderStyle = ebs3D;
    int BorderOffset = 0;
    TBitmap* Glyph = nullptr;
    int GlyphCount = 0;
    TuiCheckBoxNullValueShowingStyle NullStyle = nssGrayedChecked;
    bool HasGlyph = false;
    bool NativeBox = false;
    bool Focused = false;
    std::string Text;
    UINT DrawTextFlags = 0;
    TColor TextColor = clBtnText;
    TFont* Font = nullptr;
    TuiLookAndFeelPainterClass LookPainter = nullptr;
};

class TuiCheckBoxActionLink;

// The check box's style: its border style chooses the look of the box, and the editor itself has no frame.
class TuiCheckBoxStyle : public TuiEditStyle {
public:
    using TuiEditStyle::TuiEditStyle;
    std::string ClassName() const override { return "TuiCheckBoxStyle"; }
    bool ShowsBorder() override { return false; }
};

class TuiCustomCheckBox : public TuiCustomEdit {
public:
    explicit TuiCustomCheckBox(TComponent* AOwner);
    void AfterConstruction() override;
    std::string ClassName() const override { return "TuiCustomCheckBox"; }

    TuiCustomCheckBoxProperties* Properties() const {
        return static_cast<TuiCustomCheckBoxProperties*>(TuiCustomEdit::Properties());
    }
    TuiCustomCheckBoxProperties* ActiveProperties() const {
        return static_cast<TuiCustomCheckBoxProperties*>(TuiCustomEdit::ActiveProperties());
    }
    TuiCustomCheckBoxViewInfo* CheckViewInfo() const { return static_cast<TuiCustomCheckBoxViewInfo*>(ViewInfo()); }

    TuiCheckBoxState GetState() const;
    // While loading the state waits until loading ends.
    void SetState(TuiCheckBoxState Value);
    bool GetChecked() const { return GetState() == cbsChecked; }
    void SetChecked(bool Value) { SetState(Value ? cbsChecked : cbsUnchecked); }
    // Checked to unchecked, grayed to checked, unchecked to grayed (with AllowGrayed) or checked.
    virtual void Toggle();
    void Reset() override;
    std::string GetDisplayText() const override;
    // The State is stored unless a linked action gives the same.
    bool IsStateStored() const;

    // What the check box does with a value set on it: the state's change reaches the click event.
    void Loaded() override;
    void ActionChange(TObject* Sender, bool CheckDefaults) override;

protected:
    TuiCustomEditProperties* CreateProperties() override { return new TuiCheckBoxProperties(this); }
    bool CanAcceptRepositoryItem(TuiEditRepositoryItem* AItem) override;
    TuiContainerViewInfo* CreateViewInfo() override { return new TuiCustomCheckBoxViewInfo; }
    void CalculateViewInfo(TPoint P, bool AHotTrack) override;
    // The box beside its caption in the style's font.
    TSize TextContentSize() override;
    TSize ContentSize(int AMaxWidth) override;
    TuiContainerStyleClass StyleObjectClass() override;
    TControlActionLink* CreateActionLink() override;
    bool DoKeyDown(WORD& Key, TShiftState Shift) override;
    bool DoKeyUp(WORD& Key, TShiftState Shift) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void WndProc(TMessage& Message) override;
    void SetInternalValue(const Variant& Value, bool AFromUser) override;
    // The value of a check box is never typed: validating it when the focus leaves keeps it as it is.
    void SetValueFromDisplayText(const std::string& /*AText*/) override {}

public:
    void PropertiesChanged(TuiEditRepositoryItem* Sender) override;

private:
    friend class TuiCheckBoxActionLink;
    void ValueChangedByEditor(TuiCheckBoxState AOldState);
    void PropertiesChangedHere();
    void InvalidateBox();
    // The size of the box: one picture of the glyph, the themed box or the classic one.
    TPoint BoxSize();
    // The size the caption takes in the style's font, drawn with AFlags into ABounds.
    TSize CaptionExtent(const std::string& AText, RECT ABounds, UINT AFlags);

    bool keyboardPressed_ = false;
    bool mousePressedOnBox_ = false;
    bool stateStored_ = false;
    TuiCheckBoxState storedState_ = cbsUnchecked;
    TuiCheckBoxState shownState_ = cbsUnchecked;
    bool captionApplied_ = false;
};

class TuiCheckBox : public TuiCustomCheckBox {
public:
    using TuiCustomCheckBox::TuiCustomCheckBox;
    std::string ClassName() const override { return "TuiCheckBox"; }
};

// An action's Checked drives the box, with the change events held back while it does.
class TuiCheckBoxActionLink : public TWinControlActionLink {
public:
    explicit TuiCheckBoxActionLink(TuiCustomCheckBox* AClient) : TWinControlActionLink(AClient) {}
    std::string ClassName() const override { return "TuiCheckBoxActionLink"; }
    bool IsCheckedLinked() override;
    void SetChecked(bool Value) override;
};

// The check box of filter rows: a fixed-list combo box of two items, the texts of ValueChecked and ValueUnchecked
// in that order. Item 0 stands for ValueChecked, item 1 for ValueUnchecked, no item for Null; conditions compare
// the displayed value.
class TuiFilterCheckBoxHelper : public TuiFilterComboBoxHelper {
public:
    static TClass StaticClass();
    std::string GetFilterEditClassName() const override { return "TuiComboBox"; }
    // The item the filter editor shows, as the value it stands for and its text.
    void GetFilterValue(TuiCustomEdit* AEdit, TuiCustomEditProperties* AEditProperties, Variant& V,
                        std::string& S) const override;
    // Codes 1, 2, 9 and 10.
    TuiFilterOperators GetSupportedFilterOperators(TuiCustomEditProperties* AProperties,
                                                   TuiValueTypeClass AValueTypeClass, bool AExtendedSet) const override;
    void InitializeProperties(TuiCustomEditProperties* AProperties, TuiCustomEditProperties* AEditProperties,
                              bool AHasButtons) const override;
    // Shows the item of the value: the checked text, the unchecked text, or nothing for any other value.
    void SetFilterValue(TuiCustomEdit* AEdit, TuiCustomEditProperties* AEditProperties,
                        const Variant& AValue) const override;
    bool UseDisplayValue() const override { return true; }
};

// The mark of the classic box as a mask of the look-and-feel's check size: black where the system's check
// bitmap has its mark, white elsewhere. Made when the unit starts, nullptr otherwise.
HBITMAP uiCheckBoxCheckMask();

// The unit's row: the mark's mask and the shared texts while it runs.
TUnitRow uiCheckBoxUnitRow();

}  // namespace zel
