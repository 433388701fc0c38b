#include "uilib/editors/uiStandardMask.h"

#include "platform/rtl/SysUtils.h"

namespace zel {

namespace {

bool IsManyItem(const TuiStandardMaskCustomItem* Item) {
    return dynamic_cast<const TuiStandardMaskManyItem*>(Item) != nullptr;
}

bool IsOptional(const TuiStandardMaskCustomItem* Item) {
    const auto* many = dynamic_cast<const TuiStandardMaskManyItem*>(Item);
    return many != nullptr && many->Optional;
}

bool IsDigit(unsigned char c) { return c >= '0' && c <= '9'; }
bool IsAsciiLetter(unsigned char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

}  // namespace

bool TuiStandardMaskManyItem::Check(char& Ch) const {
    const bool accepted = Accepts(static_cast<unsigned char>(Ch));
    if (CaseConversion == 0 && Ch >= 'a' && Ch <= 'z') Ch = static_cast<char>(Ch - 32);
    else if (CaseConversion == 1 && Ch >= 'A' && Ch <= 'Z') Ch = static_cast<char>(Ch + 32);
    return accepted;
}

bool TuiStandardMaskAlphaItem::Accepts(unsigned char Ch) const { return IsAsciiLetter(Ch); }
bool TuiStandardMaskAlphaNumericItem::Accepts(unsigned char Ch) const { return IsAsciiLetter(Ch) || IsDigit(Ch); }
bool TuiStandardMaskNumericItem::Accepts(unsigned char Ch) const { return IsDigit(Ch); }
bool TuiStandardMaskNumericSymbolItem::Accepts(unsigned char Ch) const { return IsDigit(Ch) || Ch == '+' || Ch == '-'; }

void TuiStandardMask::Clear() {
    BlankChar = '_';
    FillFromRight = false;
    StoreLiterals = true;
    MaskText.clear();
    items_.clear();
}

void TuiStandardMask::Compile(const std::string& AMask) {
    Clear();
    MaskText = AMask;
    std::string mask = AMask;
    if (!mask.empty() && mask[0] == '!') {
        FillFromRight = true;
        mask.erase(0, 1);
    }
    std::uint8_t caseMode = 2;
    auto literal = [&](char c) { items_.push_back(std::make_unique<TuiStandardMaskLiteralItem>(c)); };
    for (std::size_t i = 0; i < mask.size(); ++i) {
        const char c = mask[i];
        switch (c) {
            case 'L': items_.push_back(std::make_unique<TuiStandardMaskAlphaItem>(caseMode, false)); break;
            case 'l': items_.push_back(std::make_unique<TuiStandardMaskAlphaItem>(caseMode, true)); break;
            case 'A': items_.push_back(std::make_unique<TuiStandardMaskAlphaNumericItem>(caseMode, false)); break;
            case 'a': items_.push_back(std::make_unique<TuiStandardMaskAlphaNumericItem>(caseMode, true)); break;
            case 'C': items_.push_back(std::make_unique<TuiStandardMaskASCIIItem>(caseMode, false)); break;
            case 'c': items_.push_back(std::make_unique<TuiStandardMaskASCIIItem>(caseMode, true)); break;
            case '0': items_.push_back(std::make_unique<TuiStandardMaskNumericItem>(caseMode, false)); break;
            case '9': items_.push_back(std::make_unique<TuiStandardMaskNumericItem>(caseMode, true)); break;
            case '#': items_.push_back(std::make_unique<TuiStandardMaskNumericSymbolItem>(caseMode, true)); break;
            case '>': caseMode = 0; break;
            case '<':
                if (i + 1 < mask.size() && mask[i + 1] == '>') {
                    caseMode = 2;
                    ++i;
                } else {
                    caseMode = 1;
                }
                break;
            case '\\':
                if (i + 1 < mask.size()) literal(mask[++i]);
                break;
            case '/': literal(FormatSettings.DateSeparator); break;
            case ':': literal(FormatSettings.TimeSeparator); break;
            case ';': {
                const std::size_t rest = mask.size() - i - 1;
                if (rest == 3 && (mask[i + 1] == '0' || mask[i + 1] == '1') && mask[i + 2] == ';') {
                    StoreLiterals = mask[i + 1] != '0';
                    BlankChar = mask[i + 3];
                    return;
                }
                if (rest == 1 && (mask[i + 1] == '0' || mask[i + 1] == '1')) {
                    StoreLiterals = mask[i + 1] != '0';
                    return;
                }
                literal(c);
                break;
            }
            default: literal(c); break;
        }
    }
}

void TuiStandardMask::Format(std::string& Text, bool UseConverted, bool TextHasLiterals) const {
    std::string result;
    EmptyDisplayText(result);
    const int count = Count();
    const int step = FillFromRight ? -1 : 1;
    int current = FillFromRight ? count - 1 : 0;
    const int length = static_cast<int>(Text.size());
    for (int k = 0; k < length; ++k) {
        const char input = Text[static_cast<std::size_t>(FillFromRight ? length - 1 - k : k)];
        for (int j = current; j >= 0 && j < count; j += step) {
            const TuiStandardMaskCustomItem* item = Items(j);
            const bool many = IsManyItem(item);
            if (!StoreLiterals && !TextHasLiterals && !many) continue;
            char ch = input;
            if (item->Check(ch)) {
                result[static_cast<std::size_t>(j)] = UseConverted ? ch : input;
                current = j + step;
                break;
            }
            if ((input == BlankChar || input == ' ') && many) {
                current = j + step;
                break;
            }
        }
    }
    Text = result;
}

void TuiStandardMask::ToEditValue(std::string& Text) const {
    std::string value;
    for (int i = 0; i < static_cast<int>(Text.size()) && i < Count(); ++i) {
        const char c = Text[static_cast<std::size_t>(i)];
        if (!IsManyItem(Items(i))) {
            if (StoreLiterals) value += c;
        } else {
            value += c == BlankChar ? ' ' : c;
        }
    }
    Text = value;
}

bool TuiStandardMask::IsFullValid(std::string& Text) const {
    if (static_cast<int>(Text.size()) != Count()) return false;
    for (int i = 0; i < Count(); ++i) {
        char& c = Text[static_cast<std::size_t>(i)];
        char ch = c;
        if (Items(i)->Check(ch)) {
            c = ch;
            continue;
        }
        if (IsOptional(Items(i)) && (c == BlankChar || c == ' ')) continue;
        return false;
    }
    return true;
}

void TuiStandardMask::EmptyEditValue(std::string& Text) const {
    Text.clear();
    for (const auto& item : items_) {
        if (IsManyItem(item.get())) Text += ' ';
        else if (StoreLiterals) Text += static_cast<const TuiStandardMaskLiteralItem*>(item.get())->Literal;
    }
}

void TuiStandardMask::EmptyDisplayText(std::string& Text) const {
    Text.clear();
    for (const auto& item : items_) {
        if (IsManyItem(item.get())) Text += BlankChar;
        else Text += static_cast<const TuiStandardMaskLiteralItem*>(item.get())->Literal;
    }
}

}  // namespace zel
