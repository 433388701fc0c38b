#pragma once
// TStrings, the abstract list of strings with an object per string, and TStringList, its stored,
// optionally sorted form. Strings are byte strings (Windows-1252); case is folded for ASCII letters only.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/rtl/Classes.h"

namespace zel {

class TStream;

inline constexpr const char* SDuplicateString = "String list does not allow duplicates";
inline constexpr const char* SSortedListError = "Operation not allowed on sorted list";
// SListIndexError ("List index out of bounds (%d)") is shared with TList (Classes.h).

// The abstract list. Descendants supply Get, GetCount, Clear, Delete and Insert; the rest is built on
// those. Failures raise EStringListError.
class TStrings : public TPersistent {
public:
    std::string ClassName() const override { return "TStrings"; }

    // ---- the primitives
    virtual std::string Get(int Index) const = 0;
    virtual int GetCount() const = 0;
    virtual void Clear() = 0;
    virtual void Delete(int Index) = 0;
    virtual void Insert(int Index, const std::string& S) = 0;
    virtual TObject* GetObject(int Index) const;          // nullptr by default
    virtual void Put(int Index, const std::string& S);    // default: delete and insert, object kept
    virtual void PutObject(int Index, TObject* AObject);  // ignored by default

    int Count() const { return GetCount(); }
    std::string Strings(int Index) const { return Get(Index); }
    std::string operator[](int Index) const { return Get(Index); }
    TObject* Objects(int Index) const { return GetObject(Index); }

    virtual int Add(const std::string& S);  // returns the index it got
    virtual int AddObject(const std::string& S, TObject* AObject);
    virtual void InsertObject(int Index, const std::string& S, TObject* AObject);
    virtual void AddStrings(TStrings* Strings);  // strings with their objects
    virtual void Exchange(int Index1, int Index2);
    virtual void Move(int CurIndex, int NewIndex);  // the object moves along

    // Searching ignores ASCII case unless a TStringList is CaseSensitive (CompareStrings).
    virtual int IndexOf(const std::string& S) const;
    int IndexOfName(const std::string& Name) const;
    int IndexOfObject(TObject* AObject) const;

    // "name=value" items (NameValueSeparator '=' by default).
    std::string Names(int Index) const;                   // the text before the first separator; empty when none
    std::string GetValue(const std::string& Name) const;  // the text after "Name="; empty when absent
    // Replaces the value of Name (appending "Name=Value" when absent); an empty Value deletes the item.
    void SetValue(const std::string& Name, const std::string& Value);
    std::string GetValueFromIndex(int Index) const;

    // Text: every string followed by CR LF. Setting it splits at CR LF, LF or CR (a lone CR or LF
    // ends a line; CR LF counts once) and stops at a NUL byte; a last line without an end counts.
    virtual std::string GetText() const;
    virtual void SetText(const std::string& Value);

    // Delimited text: items joined by Delimiter; an item holding a byte <= ' ', the QuoteChar or the
    // Delimiter is quoted with QuoteChar, inner quote characters doubled; a lone empty item gives two
    // quote characters. Setting it splits at the Delimiter and at unquoted blanks (bytes 1..' '),
    // skipping blanks around items, and undoubles quoted items.
    std::string GetDelimitedText() const;
    void SetDelimitedText(const std::string& Value);
    // The same with Delimiter ',' and QuoteChar '"', whatever those fields hold.
    std::string GetCommaText() const;
    void SetCommaText(const std::string& Value);

    // Files hold Text's bytes as they are. Loading replaces the strings (EFOpenError when the file
    // cannot be opened); saving writes through the safe file writer, so a failure keeps the old file.
    virtual void LoadFromFile(const std::string& FileName);
    virtual void SaveToFile(const std::string& FileName);
    virtual void LoadFromStream(TStream& Stream);  // from the position to the end
    virtual void SaveToStream(TStream& Stream);

    // Change events of a TStringList fire once per outermost BeginUpdate/EndUpdate pair.
    void BeginUpdate();
    void EndUpdate();
    int UpdateCount() const { return updateCount_; }

    // Copies strings, objects, Delimiter, QuoteChar and NameValueSeparator from another TStrings.
    void Assign(TPersistent* Source) override;
    // Same count and the same strings, byte for byte.
    bool Equals(const TStrings* Strings) const;

    char Delimiter = ',';
    char QuoteChar = '"';
    char NameValueSeparator = '=';

protected:
    // Compares two strings as searches and sorting do; ASCII case ignored here.
    virtual int CompareStrings(std::string_view S1, std::string_view S2) const;
    // Told when the first BeginUpdate starts (true) and the last EndUpdate ends (false).
    virtual void SetUpdateState(bool /*Updating*/) {}
    [[noreturn]] static void Error(const char* Msg, int Data);

private:
    int updateCount_ = 0;
};

enum TDuplicates { dupIgnore, dupAccept, dupError };

class TStringList;
// Compares the items at Index1 and Index2 of List: < 0, 0 or > 0.
using TStringListSortCompare = std::function<int(TStringList* List, int Index1, int Index2)>;

// A stored list of strings with an object each. A Sorted list keeps its strings in CompareStrings order
// (ASCII case ignored unless CaseSensitive); Add puts a string where it belongs, Duplicates says what
// adding an equal string does (only a sorted list checks), and Insert/Put are refused
// (EStringListError "Operation not allowed on sorted list").
class TStringList : public TStrings {
public:
    TStringList() = default;
    ~TStringList() override;
    std::string ClassName() const override { return "TStringList"; }

    std::string Get(int Index) const override;
    int GetCount() const override { return static_cast<int>(list_.size()); }
    void Clear() override;
    void Delete(int Index) override;
    void Insert(int Index, const std::string& S) override;
    void InsertObject(int Index, const std::string& S, TObject* AObject) override;
    TObject* GetObject(int Index) const override;
    void Put(int Index, const std::string& S) override;
    void PutObject(int Index, TObject* AObject) override;

    int Add(const std::string& S) override;
    // Sorted: inserted in order; an equal string present gives dupIgnore: that string's index and
    // nothing added, dupError: EStringListError "String list does not allow duplicates".
    int AddObject(const std::string& S, TObject* AObject) override;
    void Exchange(int Index1, int Index2) override;
    int IndexOf(const std::string& S) const override;  // binary search when sorted

    // Binary search, for a sorted list only: true when found. Index is the found string's index (the
    // first of several equal ones with dupAccept), or where S would be inserted.
    virtual bool Find(const std::string& S, int& Index) const;
    // Sorts an unsorted list (a sorted one is already in order); objects stay with their strings.
    virtual void Sort();
    virtual void CustomSort(const TStringListSortCompare& Compare);

    bool GetSorted() const { return sorted_; }
    void SetSorted(bool Value);         // sorting on: the strings are sorted first
    void SetCaseSensitive(bool Value);  // re-sorts a sorted list
    void SetCapacity(int NewCapacity);  // below Count: EStringListError "List capacity out of bounds (N)"

    TDuplicates Duplicates = dupIgnore;
    // When set, the list frees the objects of deleted strings (Delete, Clear, its own destruction).
    bool OwnsObjects = false;

    TNotifyEvent OnChange;    // after a change (once at the end of an update)
    TNotifyEvent OnChanging;  // before a change (once at the start of an update)

protected:
    int CompareStrings(std::string_view S1, std::string_view S2) const override;
    void SetUpdateState(bool Updating) override;
    virtual void Changed();
    virtual void Changing();
    virtual void InsertItem(int Index, const std::string& S, TObject* AObject);
    void ExchangeItems(int Index1, int Index2);

private:
    struct TStringItem {
        std::string string_;
        TObject* object_ = nullptr;
    };
    void CheckIndex(int Index) const;
    void QuickSort(int L, int R, const TStringListSortCompare& Compare);

    std::vector<TStringItem> list_;
    bool sorted_ = false;
    bool caseSensitive_ = false;
};

}  // namespace zel
