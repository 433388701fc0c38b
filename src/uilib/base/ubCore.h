#pragma once
// The lowest layer of the component library: the repository in which each product group registers the
// names of its localisable strings, the getter through which library code reads a resource string, and a
// few small conversions.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "platform/rtl/StringList.h"
#include "platform/win/Locale.h"

namespace zel {

// One resource string: its identifier and the text the program's string table holds for it.
struct TResStringRec {
    const char* Identifier = "";
    const char* Text = "";
};

// The text of a resource string (the string table's text); an empty text for no record. Raises nothing.
std::string LoadLibraryString(const TResStringRec* ResStringRecord);

class TubProductResourceStrings;
// Lists a product's resource strings into the product object.
using TubRegisterProductResourceStringsProc = void (*)(TubProductResourceStrings* Product);

// The resource-string names of one product group, each with the record it names.
class TubProductResourceStrings : public TObject {
public:
    TubProductResourceStrings(const std::string& AName, TubRegisterProductResourceStringsProc AInitializeProc);
    ~TubProductResourceStrings() override;
    std::string ClassName() const override { return "TubProductResourceStrings"; }

    // Appends the pair (no duplicate check).
    void Add(const std::string& ResStringName, const TResStringRec* ResStringRecord);

    const std::string& GetName() const { return name_; }
    int ResStringCount() const { return names_->Count(); }
    std::string ResStringName(int Index) const { return names_->Get(Index); }
    const TResStringRec* ResStringRecord(int Index) const;

private:
    std::string name_;
    TStringList* names_ = nullptr;
    TubRegisterProductResourceStringsProc initializeProc_ = nullptr;
};

// Every registered product group, in registration order; it owns the product objects.
class TubResourceStringsRepository : public TObject {
public:
    TubResourceStringsRepository() = default;
    ~TubResourceStringsRepository() override;
    std::string ClassName() const override { return "TubResourceStringsRepository"; }

    // Creates the product and appends it; its registration procedure has run when this returns.
    void AddProduct(const std::string& ProductName, TubRegisterProductResourceStringsProc RegistrationProc);
    // Index of the first product of exactly that name (case counts), -1 when none.
    int IndexOfProduct(const std::string& ProductName) const;
    // Deletes and frees that product; nothing when absent.
    void UnregisterProduct(const std::string& ProductName);
    TubProductResourceStrings* GetProduct(int Index) const;
    int ProductCount() const { return static_cast<int>(products_.size()); }

private:
    std::vector<TubProductResourceStrings*> products_;
};

// The process's one repository, made on the first call.
TubResourceStringsRepository* ubResourceStringsRepository();
// Frees the repository with its products (the library's shutdown); a later request makes a new one.
void ubFreeResourceStringsRepository();

// A resource-string unit's start-up registers its product group; its shutdown unregisters it again (nothing
// when the repository is already gone).
void ubRegisterProduct(const char* ProductName, TubRegisterProductResourceStringsProc Proc);
void ubUnregisterProduct(const char* ProductName);

// Bit N (0..255) of an array of 32-bit words: (word[N div 32] shr (N mod 32)) and 1.
bool TestBit(const std::uint32_t* Bits, int N);

// Wide text of a multi-byte text: code page 65001 decodes UTF-8, every other code page is read as the
// ANSI code page (Windows-1252). A negative length takes the whole text; a length beyond it is cut to it.
std::u16string MultiByteToWideString(std::string_view Text, unsigned CodePage, int Length = -1);
// Plain copies: the code page is not used.
std::string AnsiStringToString(std::string_view Text, unsigned CodePage = 0);
std::string StringToAnsiString(std::string_view Text, unsigned CodePage = 0);
// Bytes of the character at the 1-based position: every ANSI character is one byte; 0 outside the text.
int CharLengthAt(std::string_view Text, int Position);

// The locale's information of that type (GetLocaleInfoA) without its terminating zero; Default when the
// locale answers nothing.
std::string GetLocaleString(LCID Locale, LCTYPE LCType, const std::string& Default);

}  // namespace zel
