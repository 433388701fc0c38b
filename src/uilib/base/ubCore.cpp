#include "uilib/base/ubCore.h"

#include <algorithm>
#include <cstring>

#include "platform/rtl/Charset.h"

namespace zel {

std::string LoadLibraryString(const TResStringRec* ResStringRecord) {
    if (ResStringRecord == nullptr || ResStringRecord->Text == nullptr) return {};
    return ResStringRecord->Text;
}

// ------------------------------------------------------------------------------------------ products

TubProductResourceStrings::TubProductResourceStrings(const std::string& AName,
                                                     TubRegisterProductResourceStringsProc AInitializeProc)
    : name_(AName), names_(new TStringList), initializeProc_(AInitializeProc) {
    if (initializeProc_ != nullptr) initializeProc_(this);
}

TubProductResourceStrings::~TubProductResourceStrings() { delete names_; }

void TubProductResourceStrings::Add(const std::string& ResStringName, const TResStringRec* ResStringRecord) {
    // The record is only pointed at; the list never frees it.
    names_->AddObject(ResStringName, reinterpret_cast<TObject*>(const_cast<TResStringRec*>(ResStringRecord)));
}

const TResStringRec* TubProductResourceStrings::ResStringRecord(int Index) const {
    return reinterpret_cast<const TResStringRec*>(names_->GetObject(Index));
}

// ---------------------------------------------------------------------------------------- repository

TubResourceStringsRepository::~TubResourceStringsRepository() {
    for (TubProductResourceStrings* p : products_) delete p;
}

void TubResourceStringsRepository::AddProduct(const std::string& ProductName,
                                              TubRegisterProductResourceStringsProc RegistrationProc) {
    products_.push_back(new TubProductResourceStrings(ProductName, RegistrationProc));
}

int TubResourceStringsRepository::IndexOfProduct(const std::string& ProductName) const {
    for (int i = 0; i < ProductCount(); ++i)
        if (products_[static_cast<std::size_t>(i)]->GetName() == ProductName) return i;
    return -1;
}

void TubResourceStringsRepository::UnregisterProduct(const std::string& ProductName) {
    int i = IndexOfProduct(ProductName);
    if (i < 0) return;
    TubProductResourceStrings* p = products_[static_cast<std::size_t>(i)];
    products_.erase(products_.begin() + i);
    delete p;
}

TubProductResourceStrings* TubResourceStringsRepository::GetProduct(int Index) const {
    if (Index < 0 || Index >= ProductCount()) TList::Error(SListIndexError, Index);
    return products_[static_cast<std::size_t>(Index)];
}

namespace {
TubResourceStringsRepository*& RepositoryInstance() {
    static TubResourceStringsRepository* instance = nullptr;
    return instance;
}
}  // namespace

TubResourceStringsRepository* ubResourceStringsRepository() {
    TubResourceStringsRepository*& r = RepositoryInstance();
    if (r == nullptr) r = new TubResourceStringsRepository;
    return r;
}

void ubFreeResourceStringsRepository() {
    TubResourceStringsRepository*& r = RepositoryInstance();
    delete r;
    r = nullptr;
}

void ubRegisterProduct(const char* ProductName, TubRegisterProductResourceStringsProc Proc) {
    ubResourceStringsRepository()->AddProduct(ProductName, Proc);
}

void ubUnregisterProduct(const char* ProductName) {
    if (RepositoryInstance() != nullptr) RepositoryInstance()->UnregisterProduct(ProductName);
}

// ------------------------------------------------------------------------------------ small routines

bool TestBit(const std::uint32_t* Bits, int N) {
    if (Bits == nullptr || N < 0 || N > 255) return false;
    return ((Bits[N / 32] >> (N % 32)) & 1u) != 0;
}

std::u16string MultiByteToWideString(std::string_view Text, unsigned CodePage, int Length) {
    if (Length >= 0 && static_cast<std::size_t>(Length) < Text.size())
        Text = Text.substr(0, static_cast<std::size_t>(Length));
    std::u16string out;
    if (Text.empty()) return out;
    if (CodePage != 65001) {
        out.reserve(Text.size());
        for (char c : Text) out.push_back(static_cast<char16_t>(AnsiCharToUnicode(static_cast<unsigned char>(c))));
        return out;
    }
    // UTF-8: malformed sequences become U+FFFD; code points above U+FFFF become surrogate pairs.
    std::size_t i = 0;
    while (i < Text.size()) {
        unsigned char b = static_cast<unsigned char>(Text[i]);
        char32_t cp = 0xFFFD;
        int extra = 0;
        if (b < 0x80) {
            cp = b;
        } else if ((b & 0xE0) == 0xC0) {
            cp = b & 0x1F;
            extra = 1;
        } else if ((b & 0xF0) == 0xE0) {
            cp = b & 0x0F;
            extra = 2;
        } else if ((b & 0xF8) == 0xF0) {
            cp = b & 0x07;
            extra = 3;
        } else {
            extra = -1;
        }
        ++i;
        if (extra > 0) {
            // A broken sequence is one U+FFFD together with the continuation bytes it holds.
            int k = 0;
            while (k < extra && i < Text.size() && (static_cast<unsigned char>(Text[i]) & 0xC0) == 0x80) {
                cp = (cp << 6) | (static_cast<unsigned char>(Text[i]) & 0x3F);
                ++i;
                ++k;
            }
            if (k < extra) cp = 0xFFFD;
        } else if (extra < 0) {
            cp = 0xFFFD;
        }
        if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) cp = 0xFFFD;
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
        } else {
            out.push_back(static_cast<char16_t>(cp));
        }
    }
    return out;
}

std::string AnsiStringToString(std::string_view Text, unsigned /*CodePage*/) { return std::string(Text); }
std::string StringToAnsiString(std::string_view Text, unsigned /*CodePage*/) { return std::string(Text); }

int CharLengthAt(std::string_view Text, int Position) {
    return Position >= 1 && static_cast<std::size_t>(Position) <= Text.size() ? 1 : 0;
}

std::string GetLocaleString(LCID Locale, LCTYPE LCType, const std::string& Default) {
    const int size = GetLocaleInfoA(Locale, LCType, nullptr, 0);
    if (size <= 0) return Default;
    std::string text(static_cast<std::size_t>(size), '\0');
    if (GetLocaleInfoA(Locale, LCType, text.data(), size) <= 0) return Default;
    text.resize(static_cast<std::size_t>(size - 1));
    return text;
}

}  // namespace zel
