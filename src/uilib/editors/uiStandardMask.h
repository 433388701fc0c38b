#pragma once
// The classic edit mask: compiled into one item per display position, it places typed or pasted
// characters into its slots, builds the empty display text and edit value, turns display text into the
// stored edit value and tells whether a text fills it completely.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace zel {

class TuiStandardMaskCustomItem {
public:
    virtual ~TuiStandardMaskCustomItem() = default;
    // Whether the item takes Ch; may rewrite Ch (case conversion).
    virtual bool Check(char& Ch) const = 0;
};

class TuiStandardMaskLiteralItem : public TuiStandardMaskCustomItem {
public:
    explicit TuiStandardMaskLiteralItem(char ALiteral) : Literal(ALiteral) {}
    bool Check(char& Ch) const override { return Ch == Literal; }
    char Literal = 0;
};

class TuiStandardMaskManyItem : public TuiStandardMaskCustomItem {
public:
    TuiStandardMaskManyItem(std::uint8_t ACaseConversion, bool AOptional)
        : CaseConversion(ACaseConversion), Optional(AOptional) {}
    // Decides on the character as typed, then converts its case (0 upper, 1 lower, 2 none; ASCII only).
    bool Check(char& Ch) const override;
    std::uint8_t CaseConversion = 2;
    bool Optional = false;

protected:
    virtual bool Accepts(unsigned char Ch) const = 0;
};

class TuiStandardMaskAlphaItem : public TuiStandardMaskManyItem {
public:
    using TuiStandardMaskManyItem::TuiStandardMaskManyItem;

protected:
    bool Accepts(unsigned char Ch) const override;
};

class TuiStandardMaskAlphaNumericItem : public TuiStandardMaskManyItem {
public:
    using TuiStandardMaskManyItem::TuiStandardMaskManyItem;

protected:
    bool Accepts(unsigned char Ch) const override;
};

class TuiStandardMaskASCIIItem : public TuiStandardMaskManyItem {
public:
    using TuiStandardMaskManyItem::TuiStandardMaskManyItem;

protected:
    bool Accepts(unsigned char) const override { return true; }
};

class TuiStandardMaskNumericItem : public TuiStandardMaskManyItem {
public:
    using TuiStandardMaskManyItem::TuiStandardMaskManyItem;

protected:
    bool Accepts(unsigned char Ch) const override;
};

class TuiStandardMaskNumericSymbolItem : public TuiStandardMaskManyItem {
public:
    using TuiStandardMaskManyItem::TuiStandardMaskManyItem;

protected:
    bool Accepts(unsigned char Ch) const override;
};

class TuiStandardMask {
public:
    TuiStandardMask() = default;
    ~TuiStandardMask() { Clear(); }
    TuiStandardMask(const TuiStandardMask&) = delete;
    TuiStandardMask& operator=(const TuiStandardMask&) = delete;

    // Compiles a mask: a leading "!" fills from the right; a trailing ";1;_" (or ";0") section sets the
    // literal storage and the blank character. The date and time separators are read now.
    void Compile(const std::string& AMask);
    void Clear();
    int Count() const { return static_cast<int>(items_.size()); }
    TuiStandardMaskCustomItem* Items(int Index) const { return items_.at(static_cast<std::size_t>(Index)).get(); }

    // Places the characters of Text into the mask; Text becomes the display text (Count characters).
    void Format(std::string& Text, bool UseConverted = true, bool TextHasLiterals = true) const;
    void ToEditValue(std::string& Text) const;
    bool IsFullValid(std::string& Text) const;
    void EmptyEditValue(std::string& Text) const;
    void EmptyDisplayText(std::string& Text) const;

    std::string MaskText;
    char BlankChar = '_';
    bool FillFromRight = false;
    bool StoreLiterals = true;

private:
    std::vector<std::unique_ptr<TuiStandardMaskCustomItem>> items_;
};

}  // namespace zel
