#pragma once
// TMaskEdit: an edit on the layer's EDIT class whose text follows an edit mask.
//
// The mask is "<positions>[;<keep literals>[;<blank>]]". Position characters: '0' a digit that must be
// there, '9' a digit that may be left out, '#' a digit or sign that may be left out, 'L'/'l' a letter
// (must / may), 'A'/'a' a letter or digit (must / may), 'C'/'c' any character (must / may); '\' makes the
// next character a literal, and every other character is a literal shown as it stands. A leading '!'
// places the blanks of a part that was given short in front of it (right-aligned) when text is set.
// "1" (the default) keeps the literals in Text, "0" leaves them out; the blank (default '_') is what an
// empty position shows. Text gives each empty position as a blank character ' '.
//
// Typing fills the position under the caret and moves past the literals after it; a character that does
// not fit the position is refused; typing a literal while the caret is on it steps over it. Backspace and
// Delete empty positions instead of removing them, so the literals never move.
#include <string>
#include <vector>

#include "platform/vcl/StdCtrls.h"

namespace zel {

class TCustomMaskEdit : public TCustomEdit {
public:
    explicit TCustomMaskEdit(TComponent* AOwner) : TCustomEdit(AOwner) {}
    std::string ClassName() const override { return "TCustomMaskEdit"; }

    const std::string& GetEditMask() const { return mask_; }
    // Takes a new mask; the text is set again through it.
    void SetEditMask(const std::string& Value);
    // The text as the window shows it, blanks included.
    std::string GetEditText() const;
    void SetEditText(const std::string& Value);
    // The number of positions (literals included).
    int MaskLength() const { return static_cast<int>(positions_.size()); }

protected:
    std::string GetTextImpl() const override;
    void SetTextImpl(const std::string& Value) override;
    void CreateWnd() override;
    void Dispatch(TMessage& Message) override;

private:
    struct TPosition {
        bool literal = false;
        char ch = 0;  // the literal, or the position's mask character
    };
    bool Masked() const { return !positions_.empty(); }
    bool Fits(const TPosition& P, char C) const;
    // The edit text for a value given as Text.
    std::string Format(const std::string& Value) const;
    // Types one character at the caret; false when it was refused.
    bool TypeChar(char C);
    // Empties the editable positions in [From, To).
    void ClearRange(int From, int To);
    void PutEditText(const std::string& Text, int Caret);
    void Selection(int& Start, int& End);

    std::string mask_;
    std::vector<TPosition> positions_;
    bool keepLiterals_ = true;
    bool leadingBlanks_ = false;
    char blank_ = '_';
};

class TMaskEdit : public TCustomMaskEdit {
public:
    using TCustomMaskEdit::TCustomMaskEdit;
    std::string ClassName() const override { return "TMaskEdit"; }
};

// Registers the unit's classes with the form reader (the unit's start-up row).
void RegisterMaskClasses();

}  // namespace zel
