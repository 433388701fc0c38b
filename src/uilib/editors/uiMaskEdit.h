#pragma once
// The masked edit: a text edit whose typing, caret moves, pastes and value conversions go through a mode
// object chosen by the mask kind. The standard mode works over the classic fixed-position mask; the two
// regular-expression modes feed the text to the mask automaton, the extended one also writing the
// characters the mask forces (a date separator after two digits) as the user types.
#include <bitset>
#include <memory>
#include <string>

#include "uilib/editors/uiDataStorage.h"
#include "uilib/editors/uiRegExpr.h"
#include "uilib/editors/uiStandardMask.h"
#include "uilib/editors/uiTextEdit.h"

namespace zel {

enum TuiEditMaskKind { emkStandard, emkRegExpr, emkRegExprEx };
using TuiEditMask = std::string;

// An invalid mask; the text lists the errors of the mask compiler.
class EuiMaskEditError : public EuiEditError {
public:
    using EuiEditError::EuiEditError;
    std::string ClassName() const override { return "EuiMaskEditError"; }
};

class TuiCustomMaskEdit;
class TuiCustomMaskEditProperties;

// ---- Modes ----

// What every mode does. A mode serves one edit (OwnerEdit), or none: then it only converts values and
// checks masks for the properties that own it.
class TuiMaskEditCustomMode : public TObject {
public:
    TuiMaskEditCustomMode(TuiCustomMaskEdit* AEdit, TuiCustomMaskEditProperties* AProperties);
    std::string ClassName() const override { return "TuiMaskEditCustomMode"; }

    virtual TuiEditMaskKind MaskKind() const { return emkStandard; }
    virtual void AfterPaste() = 0;
    virtual void Compile(const std::string& AMask) = 0;
    virtual std::string EmptyEditValue() = 0;
    virtual std::string FormatText(const std::string& AText, bool ATextHasLiterals) = 0;
    virtual void PrepareSelectAll() = 0;
    virtual bool CaretAtStart() = 0;
    virtual bool CaretAtEnd() = 0;
    virtual bool IsFullValid(const std::string& AText) = 0;
    virtual void MouseCaretMoved() = 0;
    virtual void BeforePaste() = 0;
    // Key handlers: false when the mode handled the key (the edit then swallows it).
    virtual bool Backspace() = 0;
    virtual bool DeleteKey() = 0;
    virtual bool EndKey() = 0;
    virtual bool HomeKey() = 0;
    virtual bool LeftKey() = 0;
    virtual bool RightKey() = 0;
    virtual bool TypeChar(char& Ch) = 0;
    virtual void TextReplaced(const std::string& AText) = 0;
    // Recomputes the edit value from the shown text.
    virtual void ResyncValue();
    virtual void UpdateEditValue() = 0;
    // The value shown while the edit is not focused.
    virtual std::string DisplayValue(const std::string& AText, bool ATextHasLiterals) = 0;
    // Follows the case setting of the properties (the regular-expression modes only).
    virtual void UpdateCaseInsensitive() {}

    // An owner edit that is not being destroyed.
    bool IsAttached() const;
    TuiCustomMaskEditProperties* Properties() const;

    TuiCustomMaskEdit* OwnerEdit = nullptr;
    TuiCustomMaskEditProperties* OwnProperties = nullptr;
    int PastedLength = 0;
    bool EmptyValuePending = false;
    std::string ModeMask;

protected:
    void BeepIfAllowed();
    // The edit's selection and text (0 and empty without an attached edit).
    int SelStart() const;
    int SelLength() const;
    void SetSelStart(int Value);
    void SetSelLength(int Value);
    void SetSelection(int AStart, int ALength);
    std::string EditText() const;
    // Writes the whole shown text as the user's change, keeping the selection given.
    void WriteText(const std::string& AText, int ASelStart, int ASelLength);
};

// The classic mask: fixed positions, literals that stay put, blanks the user overwrites.
class TuiMaskEditStandardMode : public TuiMaskEditCustomMode {
public:
    using TuiMaskEditCustomMode::TuiMaskEditCustomMode;
    std::string ClassName() const override { return "TuiMaskEditStandardMode"; }

    void AfterPaste() override;
    void Compile(const std::string& AMask) override;
    std::string EmptyEditValue() override;
    std::string FormatText(const std::string& AText, bool ATextHasLiterals) override;
    void PrepareSelectAll() override {}
    bool CaretAtStart() override;
    bool CaretAtEnd() override;
    bool IsFullValid(const std::string& AText) override;
    void MouseCaretMoved() override;
    void BeforePaste() override;
    bool Backspace() override;
    bool DeleteKey() override;
    bool EndKey() override;
    bool HomeKey() override;
    bool LeftKey() override;
    bool RightKey() override;
    bool TypeChar(char& Ch) override;
    void TextReplaced(const std::string& AText) override;
    void ResyncValue() override;
    void UpdateEditValue() override;
    std::string DisplayValue(const std::string& AText, bool ATextHasLiterals) override;
    virtual char BlankChar() const { return Mask.BlankChar; }

    TuiStandardMask Mask;

private:
    bool IsLiteral(int APos) const;
    int FirstEditablePos() const;
    // Puts the caret at APos with the overwrite block on the character there.
    void PlaceCaret(int APos);
    int pasteStart_ = 0;
};

// The regular-expression mask: the text before the caret is fed to the automaton; what follows the caret
// must still fit after it.
class TuiMaskEditRegExprMode : public TuiMaskEditCustomMode {
public:
    TuiMaskEditRegExprMode(TuiCustomMaskEdit* AEdit, TuiCustomMaskEditProperties* AProperties);
    std::string ClassName() const override { return "TuiMaskEditRegExprMode"; }

    TuiEditMaskKind MaskKind() const override { return emkRegExpr; }
    void AfterPaste() override {}
    void Compile(const std::string& AMask) override;
    std::string EmptyEditValue() override { return ""; }
    std::string FormatText(const std::string& AText, bool ATextHasLiterals) override;
    void PrepareSelectAll() override;
    bool CaretAtStart() override { return SelStart() == 0; }
    bool CaretAtEnd() override { return SelStart() == static_cast<int>(EditText().size()); }
    bool IsFullValid(const std::string& AText) override;
    void MouseCaretMoved() override { MouseMoved = true; }
    void BeforePaste() override {}
    bool Backspace() override;
    bool DeleteKey() override;
    bool EndKey() override;
    bool HomeKey() override;
    bool LeftKey() override;
    bool RightKey() override;
    bool TypeChar(char& Ch) override;
    void TextReplaced(const std::string& AText) override;
    void ResyncValue() override;
    void UpdateEditValue() override {}
    std::string DisplayValue(const std::string& AText, bool) override { return AText; }
    void UpdateCaseInsensitive() override;

    // Moves the selected characters out of the two halves into CutText; false without a selection.
    virtual bool CutSelection();
    // Puts the last cut back where it came from.
    virtual void PutBackCut();

    std::unique_ptr<TuiRegExpr> RegExpr;
    std::string BeforeCaret;
    std::string AfterCaret;
    std::string CutText;
    bool CutAtCaret = false;
    bool MouseMoved = false;

protected:
    bool Compiled() const { return RegExpr->SourceStream() != nullptr; }
    virtual void Resync();
    bool RestFits();
    void DropRest();
    // True when the text after the caret still fits the expression; else drops it and answers false.
    bool KeepRestOrDrop();
    // A second engine compiled from this one's source; nullptr when that fails.
    std::unique_ptr<TuiRegExpr> CompileCopy();
    // Steps Ch back out of the automaton and from the end of BeforeCaret to the start of AfterCaret.
    void MoveLeftOne();
    bool MoveRightOne();
};

// The regular-expression mask that writes the characters it forces by itself.
class TuiMaskEditRegExprExMode : public TuiMaskEditRegExprMode {
public:
    TuiMaskEditRegExprExMode(TuiCustomMaskEdit* AEdit, TuiCustomMaskEditProperties* AProperties);
    std::string ClassName() const override { return "TuiMaskEditRegExprExMode"; }

    TuiEditMaskKind MaskKind() const override { return emkRegExprEx; }
    void AfterPaste() override;
    void Compile(const std::string& AMask) override;
    std::string EmptyEditValue() override;
    std::string FormatText(const std::string& AText, bool ATextHasLiterals) override;
    bool IsFullValid(const std::string& AText) override;
    bool Backspace() override;
    bool DeleteKey() override;
    bool EndKey() override;
    bool HomeKey() override;
    bool LeftKey() override;
    bool RightKey() override;
    bool TypeChar(char& Ch) override;
    void TextReplaced(const std::string& AText) override;
    void UpdateEditValue() override;
    void PrepareSelectAll() override;

    void ClearPending();
    std::string PendingForced;
    int RemovedCount = 0;

protected:
    void Resync() override;

private:
    // The forced characters at the start of an empty text.
    std::string ForcedStart();
    // One unit forward: the next AfterCaret character and the forced ones it brings; false at the end.
    bool UnitForward();
    // One unit back: the last typed character and the forced ones after it; false at the start.
    bool UnitBack();
    void SendKeys(UINT AMessage, WPARAM AKey, int ACount = 1);
    int pasteCaret_ = -1;
};

// ---- Properties ----

class TuiCustomMaskEditProperties : public TuiCustomTextEditProperties {
public:
    explicit TuiCustomMaskEditProperties(TPersistent* AOwner);
    ~TuiCustomMaskEditProperties() override;
    std::string ClassName() const override { return "TuiCustomMaskEditProperties"; }
    static TClass StaticClass();
    // The text settings, then the mask settings, in one update.
    void Assign(TPersistent* Source) override;
    // Also lets go of the display mode, which the change may have made stale.
    void Changed() override;

    // Empty, or only the bytes 0, 9, 10, 12, 13 and 32.
    static bool IsMaskBlank(const std::string& AMask);
    static std::unique_ptr<TuiMaskEditCustomMode> NewMode(TuiEditMaskKind AKind, TuiCustomMaskEdit* AEdit,
                                                          TuiCustomMaskEditProperties* AProperties);

    // The mask in force: EditMask, or for a standard mask left blank the data's default mask.
    std::string EffectiveMask() const;
    bool IsMasked() const { return !IsMaskBlank(EffectiveMask()); }

    TuiEditMaskKind GetMaskKind() const { return maskKind_; }
    void SetMaskKind(TuiEditMaskKind Value);
    const TuiEditMask& GetEditMask() const { return editMask_; }
    // Compiles a new mask first: an invalid one raises EuiMaskEditError and the old mask stays.
    void SetEditMask(const TuiEditMask& Value);
    bool GetCaseInsensitive() const { return caseInsensitive_; }
    // Stays true while the character case is upper or lower.
    void SetCaseInsensitive(bool Value);
    bool GetIgnoreMaskBlank() const { return ignoreMaskBlank_; }
    void SetIgnoreMaskBlank(bool Value);
    bool GetAlwaysShowBlanksAndLiterals() const { return alwaysShowBlanksAndLiterals_; }
    void SetAlwaysShowBlanksAndLiterals(bool Value);
    void SetCharCase(TEditCharCase Value) override;
    // 0 while masked: the mask sets the length.
    int GetMaxLength() const override;
    bool GetIncrementalSearch() const override;
    int GetDisplayFormatOptions() const override;

    // The text an editor shows for AEditValue, focused or not.
    std::string MaskDisplayText(const std::string& AEditValue, bool AFocused);
    std::string PrepareDisplayText(const Variant& AEditValue, bool AEditing) const override;
    // The handlers' check, then the mask's: a value that does not complete it is refused.
    bool ValidateDisplayValue(Variant& DisplayValue, std::string& ErrorText, bool& Error, TObject* AEditor,
                              TuiCustomEditProperties* AOwnProperties, const std::string& AEditorText) override;
    bool CanValidate() const override { return true; }

    // The empty edit value of the mask in force.
    std::string EmptyValue;

private:
    // The mode that converts values for display; rebuilt when the mask or its kind changed.
    TuiMaskEditCustomMode* DisplayMode();

    TuiEditMaskKind maskKind_ = emkStandard;
    TuiEditMask editMask_;
    bool caseInsensitive_ = true;
    bool ignoreMaskBlank_ = false;
    bool alwaysShowBlanksAndLiterals_ = false;
    std::unique_ptr<TuiMaskEditCustomMode> displayMode_;
};

class TuiMaskEditProperties : public TuiCustomMaskEditProperties {
public:
    using TuiCustomMaskEditProperties::TuiCustomMaskEditProperties;
    std::string ClassName() const override { return "TuiMaskEditProperties"; }
    static TClass StaticClass();
};

// ---- Control ----

class TuiCustomMaskEdit : public TuiCustomTextEdit {
public:
    explicit TuiCustomMaskEdit(TComponent* AOwner);
    ~TuiCustomMaskEdit() override;
    std::string ClassName() const override { return "TuiCustomMaskEdit"; }

    TuiCustomMaskEditProperties* MaskProperties() const {
        return static_cast<TuiCustomMaskEditProperties*>(TuiCustomEdit::ActiveProperties());
    }
    TuiMaskEditCustomMode* Mode() const { return mode_.get(); }
    bool IsMasked() const;

    // Copies, then blanks or removes the selection as the mask allows.
    void CutToClipboard() override;
    void PasteFromClipboard() override;
    // Pastes AText (up to its first line break) through the mode, as a paste from the clipboard would.
    void PasteText(const std::string& AText);
    void SelectAll() override;
    // Masked, the text given is a value: the editor shows it as the mask formats it (with its blanks and
    // literals while focused) and the mode takes the new text.
    void SetDisplayText(const std::string& Value) override;
    void InnerMessageHandled(TMessage& Message) override;

    // What the modes move and write.
    void SetModeSelection(int AStart, int ALength);
    // A selection from AAnchor to the caret at ACaret (either way round).
    void SetModeSelectionFromTo(int AAnchor, int ACaret);
    // The whole shown text as the user's change, with a selection.
    void WriteModeText(const std::string& AText, int ASelStart, int ASelLength);
    // AText shown and taken as the value, without change events.
    void ApplyModeValue(const std::string& AText);
    // Keys sent to the inner edit as if typed, past this edit's own key handling.
    void SendInternalKeys(UINT AMessage, WPARAM AKey, int ACount);
    // The character as the edit would type it, or 0 when the edit refuses it.
    char FilterChar(char Ch);

    bool ShiftSelecting = false;
    bool InternalKey = false;
    bool InternalCaret = false;
    // The text shown while not focused.
    std::string DisplayText;

protected:
    TuiCustomEditProperties* CreateProperties() override { return new TuiCustomMaskEditProperties(this); }
    bool CanAcceptRepositoryItem(TuiEditRepositoryItem* AItem) override {
        return ItemPropertiesAre<TuiCustomMaskEditProperties>(AItem);
    }
    // Masked, the value read with the form is shown again through the mask read with it.
    void Loaded() override;
    bool TextKeyDown(WORD& Key, TShiftState Shift) override;
    bool TextKeyPress(char& Key) override;
    void PropertiesChanged() override;
    void SetValueFromDisplayText(const std::string& AText) override;

private:
    // Whether the user may change the text now.
    bool CanEditText();
    // The value shown as the focus (just come or gone) wants it, unless the user is typing.
    void ShowValueForFocus();
    std::unique_ptr<TuiMaskEditCustomMode> mode_;
};

class TuiMaskEdit : public TuiCustomMaskEdit {
public:
    using TuiCustomMaskEdit::TuiCustomMaskEdit;
    std::string ClassName() const override { return "TuiMaskEdit"; }
    TuiMaskEditProperties* Properties() const {
        return static_cast<TuiMaskEditProperties*>(TuiCustomEdit::Properties());
    }
    void SetProperties(TuiMaskEditProperties* Value) { Properties()->Assign(Value); }

protected:
    TuiCustomEditProperties* CreateProperties() override { return new TuiMaskEditProperties(this); }
};

// The masked editor of filter rows.
class TuiFilterMaskEditHelper : public TuiFilterTextEditHelper {
public:
    static TClass StaticClass();
    std::string GetFilterEditClassName() const override { return "TuiMaskEdit"; }
    // The base sets, with 7 and 8 (the text patterns) for an unmasked editor of text values.
    TuiFilterOperators GetSupportedFilterOperators(TuiCustomEditProperties* AProperties,
                                                   TuiValueTypeClass AValueTypeClass, bool AExtendedSet) const override;
    // The text editor's filter settings; an expression mask becomes the extended kind, and only an unmasked
    // editor selects all on entry.
    void InitializeProperties(TuiCustomEditProperties* AProperties, TuiCustomEditProperties* AEditProperties,
                              bool AHasButtons) const override;
};

TUnitRow uiMaskEditUnitRow();

}  // namespace zel
