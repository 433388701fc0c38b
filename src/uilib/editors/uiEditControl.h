#pragma once
// The abstract editor: a container with a settings object (its own, or a repository item's), an edit value,
// the buttons at its sides, and the keys every editor shares (clear, default button, Enter with validation,
// Escape to take back the typing). Descendants show the value (usually in an inner EDIT) and say which
// characters they accept.
#include <functional>
#include <string>
#include <vector>

#include "platform/rtl/Variants.h"
#include "uilib/base/uiControls.h"
#include "uilib/editors/uiContainer.h"
#include "uilib/editors/uiEdit.h"
#include "uilib/editors/uiEditButtons.h"
#include "uilib/editors/uiEditProperties.h"
#include "uilib/editors/uiEditRepository.h"

namespace zel {

// 0 disabled, 1 normal, 2 pressed, 3 hot.
enum TuiEditButtonState { ebsDisabled, ebsNormal, ebsPressed, ebsSelected };

struct TuiEditButtonViewInfo {
    int ButtonIndex = -1;
    TRect Bounds{0, 0, 0, 0};
    TuiEditButtonState State = ebsNormal;
    TuiEditButtonStyle Style = bts3D;
    TuiEditButtonKind Kind = bkDown;
    std::string VisibleCaption;
    TAlignment ContentAlignment = taCenter;
    TColor TextColor = clBtnText;
    TBitmap* Glyph = nullptr;
    bool LeftAlignment = false;
    bool Transparent = false;
    bool Office11 = false;  // the Office-2003 colours for an ultra-flat button
    bool Gradient = false;  // an Office-2003 button filled with the scheme's gradient
    // The theme part and state a native button is drawn with.
    int NativePart = 1;
    int NativeState = 1;
};

class TuiCustomEdit;
class TuiCustomEditViewData;
struct THintInfo;

// The painting side of an editor: its frame, its background and one view info per visible button.
class TuiCustomEditViewInfo : public TuiContainerViewInfo {
public:
    std::string ClassName() const override { return "TuiCustomEditViewInfo"; }
    void Paint(TCanvas* ACanvas) override;
    // The position in ButtonsInfo of the button under P (client coordinates), -1 over none.
    int ButtonAt(TPoint P) const;
    // The hint of the button under P, up to its first "|", with the button's bounds; empty over none.
    std::string ButtonHintAt(TPoint P, TRect& ACursorRect) const;
    virtual void DrawButton(TCanvas* ACanvas, const TuiEditButtonViewInfo& AButton);
    // The themed frame of a native editor and its background inside it.
    virtual void DrawNativeBackground(TCanvas* ACanvas);
    // Fills R but AExcept with the background colour; a transparent stand-alone editor shows its parent there
    // instead, a transparent in-place one leaves what its host painted.
    void FillBackground(TCanvas* ACanvas, const TRect& R, const TRect& AExcept);
    // The inner control's bounds within the client rectangle; empty without an inner control.
    TRect InnerEditRect() const;
    // The only button is a drop-down one.
    bool IsSingleDropDown() const;

    TuiCustomEdit* Edit = nullptr;
    // A transparent editor leaves its background as it is.
    bool Transparent = false;
    std::vector<TuiEditButtonViewInfo> ButtonsInfo;
    int PressedIndex = -1;  // collection indices; -1 for none
    int HotIndex = -1;
    // The border of the editor's popup, resolved when the style leaves it at the default.
    TuiEditPopupBorderStyle PopupBorderStyle = epbsDefault;

private:
    // Whether that side of the button lies on the border rectangle's edge or against another button.
    bool SideTouchesFrameOrButton(const TuiEditButtonViewInfo& AButton, TuiBorder ASide) const;
};

// Where an editor's value lives. The base binding is the one of an editor without a data source: the editor is
// its own store, and editing is simply having typed since the focus came.
class TuiEditDataBinding : public TPersistent {
public:
    explicit TuiEditDataBinding(TuiCustomEdit* AEdit);
    ~TuiEditDataBinding() override;
    TuiEditDataBinding(const TuiEditDataBinding&) = delete;
    TuiEditDataBinding& operator=(const TuiEditDataBinding&) = delete;
    std::string ClassName() const override { return "TuiEditDataBinding"; }
    TPersistent* GetOwner() const override;

    virtual Variant GetDisplayValue() const;
    virtual Variant GetStoredValue() const;
    virtual bool IsModified() const;
    virtual bool IsInEditMode() const;
    virtual bool CanPost() const { return IsInEditMode(); }
    virtual bool IsIdle() const;
    virtual bool IsLookup() const { return false; }

    // Takes the value that posting writes; the editor itself keeps it already.
    virtual void SetStoredValue(const Variant& /*Value*/) {}
    // The editor shows the value again (focus enter and exit).
    virtual void UpdateDisplayValue();
    // The store's share in carrying out and updating actions, after the editor's own; none here.
    virtual bool ExecuteAction(TBasicAction* /*Action*/) { return false; }
    virtual bool UpdateAction(TBasicAction* /*Action*/) { return false; }

    TuiCustomEditDefaultValuesProvider* DefaultValuesProvider() const { return provider_; }
    bool IsDataAvailable() const { return provider_->IsDataAvailable(); }

protected:
    TuiCustomEdit* Edit() const { return edit_; }

private:
    TuiCustomEdit* edit_;
    TuiCustomEditDefaultValuesProvider* provider_;
};

using TuiEditEditingEvent = std::function<void(TObject* Sender, bool& CanEdit)>;

// What an in-place host passes to the editors it starts for its cells. It forgets its editor when the editor
// goes.
class TuiCustomEditData : public TObject {
public:
    explicit TuiCustomEditData(TuiCustomEdit* AEdit);
    ~TuiCustomEditData() override;
    TuiCustomEditData(const TuiCustomEditData&) = delete;
    TuiCustomEditData& operator=(const TuiCustomEditData&) = delete;
    std::string ClassName() const override { return "TuiCustomEditData"; }
    TuiCustomEdit* Edit() const { return edit_; }
    bool GetCleared() const { return cleared_; }
    // Marks the data cleared and tells the editor.
    virtual void Clear();

private:
    friend class TuiCustomEdit;
    TuiCustomEdit* edit_;
    bool cleared_ = true;
};

class TuiCustomEdit : public TuiContainer, public IuiEditRepositoryItemListener {
public:
    explicit TuiCustomEdit(TComponent* AOwner);
    // An in-place editor: a host starts it over one of its cells and frees it after deactivating it.
    TuiCustomEdit(TComponent* AOwner, bool AIsInplace);
    ~TuiCustomEdit() override;
    void AfterConstruction() override;
    std::string ClassName() const override { return "TuiCustomEdit"; }

    TuiEditStyle* Style() const { return static_cast<TuiEditStyle*>(TuiContainer::Style()); }
    TuiCustomEditViewInfo* EditViewInfo() const { return static_cast<TuiCustomEditViewInfo*>(ViewInfo()); }

    // The editor's own settings, and the settings it follows (its repository item's when it has one).
    TuiCustomEditProperties* Properties() const { return properties_; }
    TuiEditDataBinding* DataBinding() const { return binding_; }
    // The editor's own handling of an action first, then its store's.
    bool ExecuteAction(TBasicAction* Action) override;
    bool UpdateAction(TBasicAction* Action) override;
    TuiCustomEditProperties* ActiveProperties() const;
    TuiEditRepositoryItem* GetRepositoryItem() const { return repositoryItem_; }
    // Raises EuiEditError "The repository item is not acceptable" for an item whose settings do not suit this
    // editor; the old item stays then.
    void SetRepositoryItem(TuiEditRepositoryItem* Value);

    const Variant& GetEditValue() const { return editValue_; }
    void SetEditValue(const Variant& Value);
    bool GetModifiedSinceEnter() const { return modifiedSinceEnter_; }
    bool GetValueModified() const { return valueModified_; }
    bool GetValidated() const { return validated_; }

    // A transparent editor shows what lies behind it instead of filling its background.
    bool GetTransparent() const { return transparent_; }
    void SetTransparent(bool Value);
    // Transparent, or in place with settings that force transparency.
    virtual bool IsTransparent();

    bool GetInplaceMode() const { return inplaceMode_; }
    bool IsInPlaceEditor() override { return inplaceMode_; }
    // The frame's theme shows a read-only editor as such.
    bool IsReadOnly() override { return EffectiveReadOnly(); }
    // Stand-alone editors size themselves to their content by default; an in-place editor ignores it.
    bool GetAutoSize() const { return autoSize_; }
    void SetAutoSize(bool Value);
    // Whether the size follows the content, and whether the width does too (automatic button layout).
    virtual bool EffectiveAutoSize() { return !inplaceMode_ && autoSize_; }
    virtual bool AutoWidth() { return ActiveProperties()->GetButtonsLayout() == 2; }
    // A layout calculator for the editor's current style, filled with its state; the caller frees it.
    TuiCustomEditViewData* CreateViewData();
    // Whether the size follows the content now (an editor that measures no text keeps the size it is given).
    bool IsHeightAutomatic();
    bool IsWidthAutomatic();
    // The automatic size wins over the size asked for.
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

    // In place: shows and focuses the editor for a cell (AEditData is made when the host gives none), starts
    // it with a typed character, or with the mouse press that hit the cell (X, Y in the parent's client
    // coordinates; a second press within the double-click time is a double click).
    void Activate(TuiCustomEditData*& AEditData);
    void ActivateByKey(char AKey, TuiCustomEditData*& AEditData);
    void ActivateByMouse(TShiftState Shift, int X, int Y, TuiCustomEditData*& AEditData);
    // Validates (raising on failure) and marks the value validated; false when it did not pass.
    bool Deactivate();
    TuiCustomEditData* EditData() const { return editData_; }
    // Whether the double-click timer runs.
    bool DoubleClickPending() const { return dblClickTimer_ != nullptr && dblClickTimer_->GetEnabled(); }
    // The host cleared the edit data.
    virtual void EditDataCleared() {}
    // Shows the value anew; editors that draw their value refresh it here.
    virtual void UpdateDrawValue() {}

    // Writes the value: an in-place editor fires OnPost, a stand-alone one writes it into its binding.
    // With AValidateFirst the text is validated first and nothing is written when it fails. A failure while
    // writing takes the focus back to the editor and raises again.
    void PostEditValue(bool AValidateFirst = false);
    // An in-place editor's value is to be written.
    TNotifyEvent OnPost;

    // The clipboard messages of the editor's window (and its inner control) come here; cut and paste only
    // when the editor is not read-only.
    virtual void CutToClipboard() {}
    virtual void CopyToClipboard() {}
    virtual void PasteFromClipboard() {}
    // The settings' ReadOnly, or a binding without data.
    virtual bool EffectiveReadOnly();

    // Checks the shown text when it was typed since the focus came; on failure, with ARaise, takes the focus
    // back with all text selected and raises EuiEditValidationError. True when the text passed.
    bool ValidateEdit(bool ARaise);
    // Puts back the value from before the typing.
    virtual void Reset();
    // Presses the button at AIndex of the collection.
    void ClickButton(int AIndex);
    // Locks (and unlocks) the change events: changes while locked fire once each on the last unlock,
    // the change first.
    void LockChangeEvents(bool ALock, bool AInvokeChanges = true);

    // The shown text; descendants with an inner control show and read it there.
    virtual std::string GetDisplayText() const { return VarToStr(editValue_); }
    virtual void SetDisplayText(const std::string& /*Value*/) {}
    virtual void SelectAll() {}

    // IuiEditRepositoryItemListener
    void ItemRemoved(TuiEditRepositoryItem* Sender) override;
    void PropertiesChanged(TuiEditRepositoryItem* Sender) override;

    TuiEditEditingEvent OnEditing;
    // Where a key goes that no editor rule took.
    TKeyEvent OnKeyDownUnhandled;

protected:
    virtual TuiCustomEditProperties* CreateProperties() { return new TuiCustomEditProperties(this); }
    virtual TuiEditDataBinding* CreateDataBinding() { return new TuiEditDataBinding(this); }
    // The edit data an activation makes when the host gives none; none by default.
    virtual TuiCustomEditData* CreateEditData() { return nullptr; }
    // Whether an activation by key passes the key on as a character.
    virtual bool SendActivationKey(char /*AKey*/) { return true; }
    // The size of the shown text for automatic sizing; the base editor shows none.
    virtual TSize TextContentSize() { return TSize{0, 0}; }
    bool MeasuresContent();
    // Whether automatic sizing keeps the right edge in place.
    virtual bool KeepRightEdgeOnAutoSize() { return false; }
    // The size the content asks for (borders included); the width is AMaxWidth at most when it is above 0.
    virtual TSize ContentSize(int AMaxWidth);
    // Applies the automatic size.
    void AdjustAutoSize();
    // A new font or border sizes the editor again.
    void StyleChangedHandler(TuiContainerStyle* AStyle) override;
    // A button became pressed, or was released.
    virtual void ButtonDown(int /*AIndex*/) {}
    virtual void ButtonUp(int /*AIndex*/) {}
    void Click() override;
    void DblClick() override;
    void Loaded() override;
    // Whether the item's settings suit this editor: they must be of its settings class or descend from it,
    // as every editor reads them through that class.
    virtual bool CanAcceptRepositoryItem(TuiEditRepositoryItem* AItem);
    template <class TProperties>
    static bool ItemPropertiesAre(TuiEditRepositoryItem* AItem) {
        return AItem == nullptr || dynamic_cast<TProperties*>(AItem->Properties()) != nullptr;
    }
    virtual bool CanTypeChar(char /*C*/) { return true; }
    // Told after the active settings were applied (changed, or another repository item).
    virtual void ActivePropertiesApplied() {}
    // Editing permission for a change the user makes.
    bool DoEditing();
    // Sets the value from the shown text (after validation).
    virtual void SetValueFromDisplayText(const std::string& AText) { SetInternalValue(Variant(AText), false); }
    // Every change of the value comes here, the user's (AFromUser, only when editing is allowed) and the
    // program's.
    virtual void SetInternalValue(const Variant& Value, bool AFromUser);
    // Marks a change the user made in the shown text.
    void UserTextChanged();
    // Handles an editor key; true when it was taken.
    virtual bool HandleKeyDown(WORD& Key, TShiftState Shift);

    TuiContainerStyleClass StyleObjectClass() override { return EditStyleClass(); }
    TuiContainerViewInfo* CreateViewInfo() override;
    void CalculateViewInfo(TPoint P, bool AHotTrack) override;
    // An editor that is thick in any state keeps the thick frame's room in every state.
    TRect FrameExtent() override;
    bool InnerControlKeyHook(TMessage& Message) override;
    void WndProc(TMessage& Message) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;

private:
    friend class TuiCustomEditData;
    class TDestroyGuard;
    void ApplyActiveProperties();
    // Fills a CM_HINTSHOW record: the hint of the button under the cursor and its bounds; false outside the border.
    bool ShowButtonHint(THintInfo& AInfo);
    bool IsOwnWindow(HWND AWindow);
    // The focus came into the editor (its window or its inner control) from elsewhere, or left it.
    void FocusEntered(HWND AFrom);
    void FocusLeft(HWND ATo);
    void FireChange();
    void FireEditValueChanged();
    void ButtonStatesChanged(int AOldPressed, int ANewHot);
    // Gives the own settings back their change handler and the binding's provider.
    void FollowOwnProperties();
    // Invalidates the buttons whose look changed since AOld.
    void RepaintChangedButtons(const std::vector<TuiEditButtonViewInfo>& AOld);
    // Takes the focus back to the editor with all text selected; raises EuiEditValidationError with the text,
    // EAbort with AAbort, else nothing.
    void HandleValidationError(const std::string& AErrorText, bool AAbort);

    TuiCustomEditProperties* properties_ = nullptr;
    TuiEditRepositoryItem* repositoryItem_ = nullptr;
    TuiEditDataBinding* binding_ = nullptr;
    Variant editValue_;
    Variant previousValue_;
    bool modifiedSinceEnter_ = false;
    bool valueModified_ = false;
    bool validated_ = true;
    bool escapeHandled_ = false;
    bool inValidation_ = false;
    int capturedButton_ = -1;
    // Where the content goes in this editor's layout, worked out once when it is made; each view data of an
    // in-place editor starts from it, so that the cells of one host never differ.
    TRect contentOffsets_{0, 0, 0, 0};
    int pendingClick_ = -1;
    int lockCount_ = 0;
    bool changePending_ = false;
    bool valueChangedPending_ = false;
    bool* destroyedFlag_ = nullptr;
    bool inplaceMode_ = false;
    bool transparent_ = false;
    bool autoSize_ = true;
    bool adjustingSize_ = false;
    bool focusEnterSuppressed_ = false;
    int programmaticChange_ = 0;
    TuiTimer* dblClickTimer_ = nullptr;
    TuiCustomEditData* editData_ = nullptr;
};

}  // namespace zel
