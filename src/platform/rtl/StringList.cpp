#include "platform/rtl/StringList.h"

#include <algorithm>

#include "platform/rtl/SafeFile.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/rtl/Streams.h"

namespace zel {

namespace {

// BeginUpdate/EndUpdate for a scope: the Pascal try/finally. EndUpdate fires OnChange, whose failure leaves
// the scope only when no other exception does.
auto UpdateScope(TStrings& s) {
    s.BeginUpdate();
    return TScopeExit([&s] { s.EndUpdate(); });
}

// The part of s before its first NUL byte: the Pascal text routines stop there.
std::string_view UpToNul(std::string_view s) {
    const auto p = s.find('\0');
    return p == std::string_view::npos ? s : s.substr(0, p);
}

bool IsBlank(char c) { return c >= '\x01' && c <= ' '; }

std::string QuotedStr(std::string_view s, char quote) {
    std::string r;
    r.reserve(s.size() + 2);
    r += quote;
    for (char c : s) {
        r += c;
        if (c == quote) r += quote;
    }
    r += quote;
    return r;
}

std::string DelimitedText(const TStrings& list, char delimiter, char quote) {
    const int count = list.GetCount();
    if (count == 1 && list.Get(0).empty()) return std::string(2, quote);
    std::string result;
    for (int i = 0; i < count; ++i) {
        const std::string s = list.Get(i);
        bool needsQuotes = false;
        for (char c : s) {
            if (c == '\0') break;  // the Pascal scan stops at a NUL byte
            if (static_cast<unsigned char>(c) <= ' ' || c == quote || c == delimiter) {
                needsQuotes = true;
                break;
            }
        }
        if (i > 0) result += delimiter;
        result += needsQuotes ? QuotedStr(s, quote) : s;
    }
    return result;
}

// Reads a quoted item starting at the opening quote text[pos]; pos ends past the closing quote.
// Doubled quotes stand for one; an item without its closing quote runs to the end of the text.
std::string ExtractQuoted(std::string_view text, std::size_t& pos, char quote) {
    std::string r;
    ++pos;
    while (pos < text.size()) {
        const char c = text[pos++];
        if (c == quote) {
            if (pos < text.size() && text[pos] == quote) {
                r += quote;
                ++pos;
            } else {
                return r;
            }
        } else {
            r += c;
        }
    }
    return r;
}

void SetDelimited(TStrings& list, std::string_view value, char delimiter, char quote) {
    auto guard = UpdateScope(list);
    list.Clear();
    const std::string_view text = UpToNul(value);
    std::size_t p = 0;
    const std::size_t n = text.size();
    while (p < n && IsBlank(text[p])) ++p;
    while (p < n) {
        if (text[p] == quote) {
            list.Add(ExtractQuoted(text, p, quote));
        } else {
            const std::size_t start = p;
            while (p<n&& static_cast<unsigned char>(text[p])> ' ' && text[p] != delimiter) ++p;
            list.Add(std::string(text.substr(start, p - start)));
        }
        while (p < n && IsBlank(text[p])) ++p;
        if (p < n && text[p] == delimiter) {
            if (p + 1 == n) list.Add(std::string());  // a delimiter at the very end: one more empty item
            do ++p;
            while (p < n && IsBlank(text[p]));
        }
    }
}

int CompareBytes(std::string_view a, std::string_view b) {
    const int c = a.compare(b);  // char_traits<char> compares as unsigned char
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

}  // namespace

// =========================================================================================== TStrings

void TStrings::Error(const char* Msg, int Data) {
    std::string m(Msg);
    const auto p = m.find("%d");
    if (p != std::string::npos) m.replace(p, 2, IntToStr(Data));
    throw EStringListError(m);
}

TObject* TStrings::GetObject(int /*Index*/) const { return nullptr; }

void TStrings::PutObject(int /*Index*/, TObject* /*AObject*/) {}

void TStrings::Put(int Index, const std::string& S) {
    TObject* tempObject = GetObject(Index);
    Delete(Index);
    InsertObject(Index, S, tempObject);
}

int TStrings::Add(const std::string& S) {
    const int result = GetCount();
    Insert(result, S);
    return result;
}

int TStrings::AddObject(const std::string& S, TObject* AObject) {
    const int result = Add(S);
    PutObject(result, AObject);
    return result;
}

void TStrings::InsertObject(int Index, const std::string& S, TObject* AObject) {
    Insert(Index, S);
    PutObject(Index, AObject);
}

void TStrings::AddStrings(TStrings* Strings) {
    if (Strings == nullptr) return;
    auto guard = UpdateScope(*this);
    const int count = Strings->GetCount();  // fixed first: adding a list to itself doubles it once
    for (int i = 0; i < count; ++i) AddObject(Strings->Get(i), Strings->GetObject(i));
}

void TStrings::Exchange(int Index1, int Index2) {
    auto guard = UpdateScope(*this);
    TObject* tempObject = GetObject(Index1);
    const std::string tempString = Get(Index1);
    Put(Index1, Get(Index2));
    PutObject(Index1, GetObject(Index2));
    Put(Index2, tempString);
    PutObject(Index2, tempObject);
}

void TStrings::Move(int CurIndex, int NewIndex) {
    if (CurIndex == NewIndex) return;
    auto guard = UpdateScope(*this);
    const std::string tempString = Get(CurIndex);
    TObject* tempObject = GetObject(CurIndex);
    PutObject(CurIndex, nullptr);  // a list that owns its objects must not free the one that moves
    Delete(CurIndex);
    InsertObject(NewIndex, tempString, tempObject);
}

int TStrings::CompareStrings(std::string_view S1, std::string_view S2) const { return CompareText(S1, S2); }

int TStrings::IndexOf(const std::string& S) const {
    const int count = GetCount();
    for (int i = 0; i < count; ++i)
        if (CompareStrings(Get(i), S) == 0) return i;
    return -1;
}

int TStrings::IndexOfName(const std::string& Name) const {
    const int count = GetCount();
    for (int i = 0; i < count; ++i) {
        const std::string s = Get(i);
        const auto p = s.find(NameValueSeparator);
        if (p != std::string::npos && CompareStrings(std::string_view(s).substr(0, p), Name) == 0) return i;
    }
    return -1;
}

int TStrings::IndexOfObject(TObject* AObject) const {
    const int count = GetCount();
    for (int i = 0; i < count; ++i)
        if (GetObject(i) == AObject) return i;
    return -1;
}

std::string TStrings::Names(int Index) const {
    const std::string s = Get(Index);
    const auto p = s.find(NameValueSeparator);
    return p == std::string::npos ? std::string() : s.substr(0, p);
}

std::string TStrings::GetValue(const std::string& Name) const {
    const int i = IndexOfName(Name);
    return i >= 0 ? Get(i).substr(Name.size() + 1) : std::string();
}

void TStrings::SetValue(const std::string& Name, const std::string& Value) {
    int i = IndexOfName(Name);
    if (!Value.empty()) {
        if (i < 0) i = Add(std::string());
        Put(i, Name + NameValueSeparator + Value);
    } else if (i >= 0) {
        Delete(i);
    }
}

std::string TStrings::GetValueFromIndex(int Index) const {
    if (Index < 0) return std::string();
    const std::string s = Get(Index);
    const auto p = s.find(NameValueSeparator);
    return p == std::string::npos ? std::string() : s.substr(p + 1);
}

std::string TStrings::GetText() const {
    std::string result;
    const int count = GetCount();
    for (int i = 0; i < count; ++i) {
        result += Get(i);
        result += "\r\n";
    }
    return result;
}

void TStrings::SetText(const std::string& Value) {
    auto guard = UpdateScope(*this);
    Clear();
    const std::string_view text = UpToNul(Value);
    std::size_t p = 0;
    const std::size_t n = text.size();
    while (p < n) {
        const std::size_t start = p;
        while (p < n && text[p] != '\n' && text[p] != '\r') ++p;
        Add(std::string(text.substr(start, p - start)));
        if (p < n && text[p] == '\r') ++p;
        if (p < n && text[p] == '\n') ++p;
    }
}

std::string TStrings::GetDelimitedText() const { return DelimitedText(*this, Delimiter, QuoteChar); }

void TStrings::SetDelimitedText(const std::string& Value) { SetDelimited(*this, Value, Delimiter, QuoteChar); }

std::string TStrings::GetCommaText() const { return DelimitedText(*this, ',', '"'); }

void TStrings::SetCommaText(const std::string& Value) { SetDelimited(*this, Value, ',', '"'); }

void TStrings::LoadFromFile(const std::string& FileName) {
    TFileStream stream(FileName, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(stream);
}

void TStrings::SaveToFile(const std::string& FileName) {
    SafeWriteFile(FileName, [this](TStream& stream) { SaveToStream(stream); });
}

void TStrings::LoadFromStream(TStream& Stream) {
    auto guard = UpdateScope(*this);
    const std::int64_t size = Stream.GetSize() - Stream.GetPosition();
    std::string s(static_cast<std::size_t>(std::max<std::int64_t>(size, 0)), '\0');
    if (!s.empty()) Stream.ReadBuffer(s.data(), static_cast<std::int64_t>(s.size()));
    SetText(s);
}

void TStrings::SaveToStream(TStream& Stream) {
    const std::string s = GetText();
    if (!s.empty()) Stream.WriteBuffer(s.data(), static_cast<std::int64_t>(s.size()));
}

void TStrings::BeginUpdate() {
    if (updateCount_ == 0) SetUpdateState(true);
    ++updateCount_;
}

void TStrings::EndUpdate() {
    if (updateCount_ == 0) return;  // unbalanced: ignored
    --updateCount_;
    if (updateCount_ == 0) SetUpdateState(false);
}

void TStrings::Assign(TPersistent* Source) {
    if (auto* source = dynamic_cast<TStrings*>(Source)) {
        if (source == this) return;
        auto guard = UpdateScope(*this);
        Clear();
        Delimiter = source->Delimiter;
        QuoteChar = source->QuoteChar;
        NameValueSeparator = source->NameValueSeparator;
        AddStrings(source);
        return;
    }
    TPersistent::Assign(Source);
}

bool TStrings::Equals(const TStrings* Strings) const {
    if (Strings == nullptr) return false;
    const int count = GetCount();
    if (count != Strings->GetCount()) return false;
    for (int i = 0; i < count; ++i)
        if (Get(i) != Strings->Get(i)) return false;
    return true;
}

// ======================================================================================== TStringList

TStringList::~TStringList() {
    OnChange = nullptr;
    OnChanging = nullptr;
    if (OwnsObjects)
        for (TStringItem& item : list_) FreeAndNil(item.object_);
}

void TStringList::CheckIndex(int Index) const {
    if (Index < 0 || Index >= GetCount()) Error(SListIndexError, Index);
}

void TStringList::Changed() {
    if (UpdateCount() == 0 && OnChange) OnChange(this);
}

void TStringList::Changing() {
    if (UpdateCount() == 0 && OnChanging) OnChanging(this);
}

void TStringList::SetUpdateState(bool Updating) {
    if (Updating) Changing();
    else Changed();
}

int TStringList::CompareStrings(std::string_view S1, std::string_view S2) const {
    return caseSensitive_ ? CompareBytes(S1, S2) : CompareText(S1, S2);
}

std::string TStringList::Get(int Index) const {
    CheckIndex(Index);
    return list_[static_cast<std::size_t>(Index)].string_;
}

TObject* TStringList::GetObject(int Index) const {
    CheckIndex(Index);
    return list_[static_cast<std::size_t>(Index)].object_;
}

void TStringList::Clear() {
    if (list_.empty()) return;
    Changing();
    std::vector<TStringItem> old;
    old.swap(list_);
    if (OwnsObjects)
        for (TStringItem& item : old) FreeAndNil(item.object_);
    Changed();
}

void TStringList::Delete(int Index) {
    CheckIndex(Index);
    Changing();
    TObject* obj = list_[static_cast<std::size_t>(Index)].object_;
    list_.erase(list_.begin() + Index);
    if (OwnsObjects) delete obj;
    Changed();
}

void TStringList::Insert(int Index, const std::string& S) { InsertObject(Index, S, nullptr); }

void TStringList::InsertObject(int Index, const std::string& S, TObject* AObject) {
    if (sorted_) Error(SSortedListError, 0);
    if (Index < 0 || Index > GetCount()) Error(SListIndexError, Index);
    InsertItem(Index, S, AObject);
}

void TStringList::InsertItem(int Index, const std::string& S, TObject* AObject) {
    Changing();
    list_.insert(list_.begin() + Index, TStringItem{S, AObject});
    Changed();
}

void TStringList::Put(int Index, const std::string& S) {
    if (sorted_) Error(SSortedListError, 0);
    CheckIndex(Index);
    Changing();
    list_[static_cast<std::size_t>(Index)].string_ = S;
    Changed();
}

void TStringList::PutObject(int Index, TObject* AObject) {
    CheckIndex(Index);
    Changing();
    list_[static_cast<std::size_t>(Index)].object_ = AObject;
    Changed();
}

int TStringList::Add(const std::string& S) { return AddObject(S, nullptr); }

int TStringList::AddObject(const std::string& S, TObject* AObject) {
    int result;
    if (!sorted_) {
        result = GetCount();
    } else if (Find(S, result)) {
        switch (Duplicates) {
            case dupIgnore: return result;
            case dupError: Error(SDuplicateString, 0);
            case dupAccept: break;
        }
    }
    InsertItem(result, S, AObject);
    return result;
}

void TStringList::ExchangeItems(int Index1, int Index2) {
    std::swap(list_[static_cast<std::size_t>(Index1)], list_[static_cast<std::size_t>(Index2)]);
}

void TStringList::Exchange(int Index1, int Index2) {
    CheckIndex(Index1);
    CheckIndex(Index2);
    Changing();
    ExchangeItems(Index1, Index2);
    Changed();
}

bool TStringList::Find(const std::string& S, int& Index) const {
    bool result = false;
    int l = 0;
    int h = GetCount() - 1;
    while (l <= h) {
        const int i = (l + h) >> 1;
        const int c = CompareStrings(list_[static_cast<std::size_t>(i)].string_, S);
        if (c < 0) {
            l = i + 1;
        } else {
            h = i - 1;
            if (c == 0) {
                result = true;
                if (Duplicates != dupAccept) l = i;
            }
        }
    }
    Index = l;
    return result;
}

int TStringList::IndexOf(const std::string& S) const {
    if (!sorted_) return TStrings::IndexOf(S);
    int result;
    return Find(S, result) ? result : -1;
}

// The Pascal library's quick sort, so that equal strings end in the same order as there.
void TStringList::QuickSort(int L, int R, const TStringListSortCompare& Compare) {
    int i, j;
    do {
        i = L;
        j = R;
        int p = (L + R) >> 1;
        do {
            while (Compare(this, i, p) < 0) ++i;
            while (Compare(this, j, p) > 0) --j;
            if (i <= j) {
                ExchangeItems(i, j);
                if (p == i) p = j;
                else if (p == j) p = i;
                ++i;
                --j;
            }
        } while (i <= j);
        if (L < j) QuickSort(L, j, Compare);
        L = i;
    } while (i < R);
}

void TStringList::CustomSort(const TStringListSortCompare& Compare) {
    if (sorted_ || GetCount() <= 1 || !Compare) return;
    Changing();
    QuickSort(0, GetCount() - 1, Compare);
    Changed();
}

void TStringList::Sort() {
    CustomSort([](TStringList* list, int index1, int index2) {
        return list->CompareStrings(list->list_[static_cast<std::size_t>(index1)].string_,
                                    list->list_[static_cast<std::size_t>(index2)].string_);
    });
}

void TStringList::SetSorted(bool Value) {
    if (sorted_ == Value) return;
    if (Value) Sort();
    sorted_ = Value;
}

void TStringList::SetCaseSensitive(bool Value) {
    if (caseSensitive_ == Value) return;
    caseSensitive_ = Value;
    if (sorted_) {
        sorted_ = false;
        Sort();
        sorted_ = true;
    }
}

void TStringList::SetCapacity(int NewCapacity) {
    if (NewCapacity < GetCount()) Error(SListCapacityError, NewCapacity);
    if (NewCapacity > static_cast<int>(list_.capacity())) list_.reserve(static_cast<std::size_t>(NewCapacity));
    else list_.shrink_to_fit();
}

}  // namespace zel
