#pragma once
// An editor's behaviour settings, kept apart from the editor so that many editors can share them (through a
// repository item) and an in-place host can paint cells with them. Three values (ReadOnly, MaxValue, MinValue)
// can come from a data source: a default-values provider answers them while they are not set here.
#include <functional>
#include <string>
#include <vector>

#include "platform/rtl/Variants.h"
#include "platform/vcl/Menus.h"
#include "uilib/base/uiClasses.h"
#include "uilib/base/uiShellCommon.h"
#include "uilib/editors/uiEditButtons.h"

namespace zel {

class TuiCustomEditStyle;
class TuiCustomEditViewData;

// The error an editor raises when its value does not pass validation.
class EuiEditValidationError : public EuiEditError {
public:
    using EuiEditError::EuiEditError;
    std::string ClassName() const override { return "EuiEditValidationError"; }
};

class TuiCustomEditProperties;

// What a data source says about the values it holds; the base provider is the one of an editor without a data
// source: everything is allowed and nothing is limited.
class TuiCustomEditDefaultValuesProvider : public TuiInterfacedPersistent {
public:
    explicit TuiCustomEditDefaultValuesProvider(TPersistent* AOwner = nullptr);
    // Every settings object that still uses this provider lets go of it.
    ~TuiCustomEditDefaultValuesProvider() override;
    std::string ClassName() const override { return "TuiCustomEditDefaultValuesProvider"; }

    virtual bool IsDataStorage() { return true; }
    virtual bool CanSetEditMode() { return true; }
    virtual bool DefaultCanModify() { return true; }
    virtual double DefaultMaxValue() { return 0.0; }
    virtual double DefaultMinValue() { return 0.0; }
    virtual int DefaultPrecision() { return 15; }
    virtual bool DefaultReadOnly() { return false; }
    // The mask a standard masked editor uses while its own mask is blank.
    virtual std::string DefaultEditMask() { return {}; }
    // Whether the data formats its values for display itself.
    virtual bool IsDisplayFormatDefined() { return false; }
    virtual bool IsDataAvailable() { return true; }
};

// Which of the provider-backed values were set on the settings object itself.
class TuiCustomEditPropertiesValues : public TPersistent {
public:
    explicit TuiCustomEditPropertiesValues(TuiCustomEditProperties* AOwner) : owner_(AOwner) {}
    std::string ClassName() const override { return "TuiCustomEditPropertiesValues"; }
    TPersistent* GetOwner() const override;
    // All three flags, inside one update of the owner.
    void Assign(TPersistent* Source) override;
    // Clears all three flags, inside one update of the owner.
    void RestoreDefaults();

    bool GetMaxValue() const { return maxValue_; }
    void SetMaxValue(bool Value) { SetFlag(maxValue_, Value); }
    bool GetMinValue() const { return minValue_; }
    void SetMinValue(bool Value) { SetFlag(minValue_, Value); }
    bool GetReadOnly() const { return readOnly_; }
    void SetReadOnly(bool Value) { SetFlag(readOnly_, Value); }

private:
    void SetFlag(bool& AFlag, bool Value);

    TuiCustomEditProperties* owner_;
    bool maxValue_ = false;
    bool minValue_ = false;
    bool readOnly_ = false;
};

using TuiEditValidateEvent =
    std::function<void(TObject* Sender, Variant& DisplayValue, std::string& ErrorText, bool& Error)>;
using TuiEditButtonClickEvent = std::function<void(TObject* Sender, int AButtonIndex)>;

enum TuiEditVertAlignment { taTopJustify, taBottomJustify, taVCenter };

// The horizontal and vertical alignment pair of an editor's settings. Horz counts as set only once it was
// assigned (and is stored only then); Vert is stored when it differs from its default.
class TuiEditAlignment : public TPersistent {
public:
    explicit TuiEditAlignment(TPersistent* AOwner) : owner_(AOwner) {}
    std::string ClassName() const override { return "TuiEditAlignment"; }
    TPersistent* GetOwner() const override { return owner_; }
    // Copies Vert, Horz and whether Horz was assigned.
    void Assign(TPersistent* Source) override;

    TAlignment GetHorz() const { return horz_; }
    // Marks Horz assigned; the same value while already assigned changes nothing.
    void SetHorz(TAlignment Value);
    TuiEditVertAlignment GetVert() const { return vert_; }
    void SetVert(TuiEditVertAlignment Value);
    bool IsHorzAssigned() const { return horzAssigned_; }
    // Forgets the assigned Horz (it takes the default again).
    void Reset();
    bool IsHorzStored() const { return horzAssigned_; }
    bool IsVertStored() const { return vert_ != DefaultVert; }

    static constexpr TAlignment DefaultHorz = taLeftJustify;
    static constexpr TuiEditVertAlignment DefaultVert = taTopJustify;

    TNotifyEvent OnChanged;

private:
    friend class TuiCustomEditProperties;
    void DoChanged() {
        if (OnChanged) OnChanged(this);
    }
    TPersistent* owner_ = nullptr;
    TAlignment horz_ = DefaultHorz;
    TuiEditVertAlignment vert_ = DefaultVert;
    bool horzAssigned_ = false;
};

class TuiCustomEditProperties : public TuiInterfacedPersistent {
public:
    explicit TuiCustomEditProperties(TPersistent* AOwner);
    ~TuiCustomEditProperties() override;
    TuiCustomEditProperties(const TuiCustomEditProperties&) = delete;
    TuiCustomEditProperties& operator=(const TuiCustomEditProperties&) = delete;
    std::string ClassName() const override { return "TuiCustomEditProperties"; }
    // The class reference that registries (settings classes, filter helpers) keep.
    static TClass StaticClass();

    // Everything, in one update: the plain settings, then each provider-backed value only where the source set
    // it, then the flags and the handlers.
    void Assign(TPersistent* Source) override;

    // Changes inside a bracket (or while the owner loads) are reported once, when the outermost bracket closes.
    void BeginUpdate();
    void EndUpdate(bool AInvokeChanged = true);
    int UpdateCount() const { return updateCount_; }
    // Calls the change handler, or only records the change while bracketed, locked or loading.
    virtual void Changed();
    void LockChanged(bool ALock) { changedLocked_ = ALock; }

    TuiCustomEditPropertiesValues* AssignedValues() const { return assignedValues_; }
    TuiEditButtons* Buttons() const { return buttons_; }

    // The alignment in use; a Horz never assigned reads as the default horizontal alignment.
    TuiEditAlignment* GetAlignment() const;
    void SetAlignment(TuiEditAlignment* Value) { alignment_->Assign(Value); }
    // The provider's horizontal alignment when there is a provider that gives one, else Alignment's Horz.
    virtual TAlignment DefaultHorzAlignment() const { return TuiEditAlignment::DefaultHorz; }

    bool GetAutoSelect() const { return autoSelect_; }
    void SetAutoSelect(bool Value) { Store(autoSelect_, Value); }
    bool GetBeepOnError() const { return beepOnError_; }
    void SetBeepOnError(bool Value) { Store(beepOnError_, Value); }
    // 0 normal, 2 automatic width.
    int GetButtonsLayout() const { return buttonsLayout_; }
    void SetButtonsLayout(int Value) { Store(buttonsLayout_, Value); }
    TShortCut GetClearKey() const { return clearKey_; }
    void SetClearKey(TShortCut Value) { Store(clearKey_, Value); }
    TShortCut GetDefaultButtonKey() const { return defaultButtonKey_; }
    void SetDefaultButtonKey(TShortCut Value) { Store(defaultButtonKey_, Value); }
    bool GetForceTransparent() const { return forceTransparent_; }
    void SetForceTransparent(bool Value) { Store(forceTransparent_, Value); }
    bool GetImmediatePost() const { return immediatePost_; }
    void SetImmediatePost(bool Value) { Store(immediatePost_, Value); }
    bool GetUseLeftAlignmentOnEditing() const { return useLeftAlignmentOnEditing_; }
    void SetUseLeftAlignmentOnEditing(bool Value) { Store(useLeftAlignmentOnEditing_, Value); }
    bool GetValidateOnEnter() const { return validateOnEnter_; }
    void SetValidateOnEnter(bool Value) { Store(validateOnEnter_, Value); }
    bool GetWheelWhenInplace() const { return wheelWhenInplace_; }
    void SetWheelWhenInplace(bool Value) { Store(wheelWhenInplace_, Value); }

    // Provider-backed: this object's value when set here, else the provider's, else false or 0.
    bool GetReadOnly() const;
    void SetReadOnly(bool Value);
    virtual double GetMaxValue() const;
    void SetMaxValue(double Value);
    virtual double GetMinValue() const;
    void SetMinValue(double Value);

    TuiCustomEditDefaultValuesProvider* GetDefaultValuesProvider() const { return provider_; }
    void SetDefaultValuesProvider(TuiCustomEditDefaultValuesProvider* Value);

    // Whether the value may be edited: an explicit ReadOnly of false allows it; read-only forbids it; else the
    // provider decides (modification and edit mode both allowed).
    bool IsEditValueModifiable() const;

    // The class of the editors these settings belong to (the editor cache matches editors by it).
    virtual std::string EditorClassName() const { return "TuiCustomEdit"; }
    virtual bool CanValidate() const { return false; }
    virtual bool CompareDisplayValues() const { return false; }
    virtual bool KeepsPreviousValue() const { return false; }
    virtual std::string GetValidateErrorText() const;
    // Turns a value into the value shown; a copy by default.
    virtual void PrepareDisplayValue(const Variant& AEditValue, Variant& DisplayValue) const;
    // Whether the two values show differently.
    bool ValuesDiffer(const Variant& AValue1, const Variant& AValue2) const;

    // Checks a shown value against these settings, the ones in force for the editor (a repository item's when it
    // has one). Runs the OnValidate handlers: the editor's own settings' first (AOwnProperties, when they are not
    // these), then these settings'. When a handler reports an error and changed the text of the value, the value
    // becomes AEditorText; answers whether that happened. Nothing runs unless these settings can validate.
    virtual bool ValidateDisplayValue(Variant& DisplayValue, std::string& ErrorText, bool& Error, TObject* AEditor,
                                      TuiCustomEditProperties* AOwnProperties, const std::string& AEditorText);

    // A layout calculator for an editor of these settings in a style (for every editor's layout, and for a host
    // that paints cells without an editor); the caller frees it.
    virtual TuiCustomEditViewData* CreateViewData(TuiCustomEditStyle* AStyle, bool AInPlace);

    // Set by the owning editor.
    TNotifyEvent OnPropertiesChanged;

    TuiEditButtonClickEvent OnEditButtonClick;
    TNotifyEvent OnChange;
    TNotifyEvent OnEditValueChanged;
    TuiEditValidateEvent OnValidate;

    // Every settings object that exists, in the order they were made.
    static const std::vector<TuiCustomEditProperties*>& Instances();

protected:
    // Called when a button changed; reports a change.
    virtual void ButtonsChanged() { Changed(); }
    // Called when the alignment changed; reports a change.
    virtual void AlignmentChanged() { Changed(); }

private:
    template <class T>
    void Store(T& AField, const T& Value) {
        if (AField == Value) return;
        AField = Value;
        Changed();
    }
    bool OwnerIsLoading() const;

    TuiCustomEditPropertiesValues* assignedValues_ = nullptr;
    TuiEditButtons* buttons_ = nullptr;
    TuiEditAlignment* alignment_ = nullptr;
    TuiCustomEditDefaultValuesProvider* provider_ = nullptr;
    bool autoSelect_ = true;
    bool beepOnError_ = false;
    int buttonsLayout_ = 0;
    TShortCut clearKey_ = 0;
    TShortCut defaultButtonKey_ = 16397;  // Ctrl+Enter
    bool forceTransparent_ = false;
    bool immediatePost_ = false;
    bool useLeftAlignmentOnEditing_ = true;
    bool validateOnEnter_ = false;
    bool wheelWhenInplace_ = true;
    bool readOnly_ = false;
    double maxValue_ = 0.0;
    double minValue_ = 0.0;
    int updateCount_ = 0;
    bool changedLocked_ = false;
    bool changedOccurred_ = false;
    int changedEventDepth_ = 0;
};

// Editors kept ready by an in-place host, each holding at most one settings object. A settings object looks up
// the editor that holds it; when it holds none, the first editor of its editor class that holds nothing takes
// it. A settings object that goes leaves every cache, so that its editor is free again.
class TuiEditorCache {
public:
    TuiEditorCache();
    ~TuiEditorCache();
    TuiEditorCache(const TuiEditorCache&) = delete;
    TuiEditorCache& operator=(const TuiEditorCache&) = delete;

    // Adds an editor (not owned) that holds no settings yet.
    void Add(TObject* AEditor);
    int Count() const { return static_cast<int>(entries_.size()); }
    TObject* Editor(int Index) const { return entries_.at(static_cast<std::size_t>(Index)).first; }
    TuiCustomEditProperties* Properties(int Index) const { return entries_.at(static_cast<std::size_t>(Index)).second; }
    // The index of the editor that holds AProperties; when none does and ACreate is set, of the free editor
    // that takes them; -1 when there is none.
    int IndexOf(TuiCustomEditProperties* AProperties, bool ACreate);

private:
    friend class TuiCustomEditProperties;
    // The settings object goes: the editors that held it hold nothing.
    static void PropertiesFreed(TuiCustomEditProperties* AProperties);

    std::vector<std::pair<TObject*, TuiCustomEditProperties*>> entries_;
};

}  // namespace zel
