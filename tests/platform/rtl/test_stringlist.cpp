// TStrings and TStringList: unsorted and sorted lists, duplicates, objects, Text, CommaText, files,
// change events.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/rtl/Streams.h"
#include "platform/rtl/StringList.h"
#include "support/TempDir.h"

namespace zel::test {
namespace {

using Items = std::vector<std::string>;

Items ItemsOf(const TStrings& list) {
    Items r;
    for (int i = 0; i < list.Count(); ++i) r.push_back(list[i]);
    return r;
}

void Fill(TStrings& list, const Items& items) {
    for (const auto& s : items) list.Add(s);
}

// An object that counts its destruction, to follow objects through sorting and ownership.
class TTagObject : public TObject {
public:
    explicit TTagObject(int id, int* freed = nullptr) : Id(id), freed_(freed) {}
    ~TTagObject() override {
        if (freed_ != nullptr) ++*freed_;
    }
    int Id;

private:
    int* freed_;
};

template <class E, class F>
std::string MessageOf(F&& f) {
    try {
        f();
    } catch (const E& e) {
        return e.Message;
    }
    return "(no exception)";
}

// ------------------------------------------------------------------------------------- unsorted

TEST(TStringListUnsorted, KeepsOrderAndFindsIgnoringCase) {
    TStringList list;
    EXPECT_EQ(list.Add("Bravo"), 0);
    EXPECT_EQ(list.Add("alpha"), 1);
    EXPECT_EQ(list.Add("Alpha"), 2);  // an unsorted list takes duplicates whatever Duplicates says
    list.Insert(0, "Charlie");
    EXPECT_EQ(ItemsOf(list), (Items{"Charlie", "Bravo", "alpha", "Alpha"}));
    EXPECT_EQ(list.IndexOf("ALPHA"), 2);  // the first, ignoring case
    EXPECT_EQ(list.IndexOf("bravo"), 1);
    EXPECT_EQ(list.IndexOf("Delta"), -1);

    list.Put(1, "Beta");
    list.Delete(0);
    EXPECT_EQ(ItemsOf(list), (Items{"Beta", "alpha", "Alpha"}));
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
}

TEST(TStringListUnsorted, CaseSensitiveFind) {
    TStringList list;
    Fill(list, {"abc", "ABC"});
    list.SetCaseSensitive(true);
    EXPECT_EQ(list.IndexOf("ABC"), 1);
    EXPECT_EQ(list.IndexOf("Abc"), -1);
}

struct IndexErrorCase {
    const char* label;
    void (*act)(TStringList&);  // on a list of 3 strings
    const char* message;
};

TEST(TStringListUnsorted, IndexErrorTexts) {
    const IndexErrorCase cases[] = {
        {"Get past end", [](TStringList& l) { l.Get(3); }, "List index out of bounds (3)"},
        {"Get negative", [](TStringList& l) { (void)l[-1]; }, "List index out of bounds (-1)"},
        {"Objects", [](TStringList& l) { l.Objects(4); }, "List index out of bounds (4)"},
        {"Put", [](TStringList& l) { l.Put(3, "x"); }, "List index out of bounds (3)"},
        {"PutObject", [](TStringList& l) { l.PutObject(3, nullptr); }, "List index out of bounds (3)"},
        {"Delete", [](TStringList& l) { l.Delete(3); }, "List index out of bounds (3)"},
        {"Insert past end", [](TStringList& l) { l.Insert(4, "x"); }, "List index out of bounds (4)"},
        {"Exchange", [](TStringList& l) { l.Exchange(0, 3); }, "List index out of bounds (3)"},
        {"Names", [](TStringList& l) { l.Names(5); }, "List index out of bounds (5)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        TStringList list;
        Fill(list, {"a", "b", "c"});
        EXPECT_EQ(MessageOf<EStringListError>([&] { c.act(list); }), c.message);
        EXPECT_EQ(ItemsOf(list), (Items{"a", "b", "c"}));
    }
}

TEST(TStringListUnsorted, ObjectsTravelWithTheirStrings) {
    TTagObject o1(1), o2(2), o3(3);
    TStringList list;
    list.AddObject("one", &o1);
    list.AddObject("two", &o2);
    list.InsertObject(0, "three", &o3);
    EXPECT_EQ(list.Objects(0), &o3);
    EXPECT_EQ(list.IndexOfObject(&o2), 2);

    list.Exchange(0, 2);
    EXPECT_EQ(list[0], "two");
    EXPECT_EQ(list.Objects(0), &o2);
    list.Move(0, 2);
    EXPECT_EQ(ItemsOf(list), (Items{"one", "three", "two"}));
    EXPECT_EQ(list.Objects(2), &o2);
    list.Put(2, "deux");  // Put keeps the object
    EXPECT_EQ(list.Objects(2), &o2);
}

// --------------------------------------------------------------------------------------- sorted

TEST(TStringListSorted, AddInsertsInOrderIgnoringCase) {
    TStringList list;
    list.SetSorted(true);
    EXPECT_EQ(list.Add("delta"), 0);
    EXPECT_EQ(list.Add("Alpha"), 0);
    EXPECT_EQ(list.Add("charlie"), 1);
    EXPECT_EQ(list.Add("BRAVO"), 1);
    EXPECT_EQ(ItemsOf(list), (Items{"Alpha", "BRAVO", "charlie", "delta"}));

    int index = -1;
    EXPECT_TRUE(list.Find("CHARLIE", index));
    EXPECT_EQ(index, 2);
    EXPECT_FALSE(list.Find("bz", index));
    EXPECT_EQ(index, 2);  // where "bz" would go
    EXPECT_FALSE(list.Find("zulu", index));
    EXPECT_EQ(index, 4);
    EXPECT_EQ(list.IndexOf("alpha"), 0);
    EXPECT_EQ(list.IndexOf("echo"), -1);
}

TEST(TStringListSorted, InsertAndPutAreRefused) {
    TStringList list;
    list.SetSorted(true);
    Fill(list, {"b", "a"});
    EXPECT_EQ(MessageOf<EStringListError>([&] { list.Insert(0, "c"); }), "Operation not allowed on sorted list");
    EXPECT_EQ(MessageOf<EStringListError>([&] { list.Put(0, "c"); }), "Operation not allowed on sorted list");
    EXPECT_EQ(ItemsOf(list), (Items{"a", "b"}));
}

struct DuplicatesCase {
    const char* label;
    TDuplicates duplicates;
    int expectedIndex;  // of Add("APPLE") into a, apple?, banana
    Items expected;
    const char* error;  // nullptr when none
};

TEST(TStringListSorted, Duplicates) {
    const DuplicatesCase cases[] = {
        {"dupIgnore keeps the first and returns its index", dupIgnore, 0, {"apple", "banana"}, nullptr},
        {"dupAccept adds before the equal one", dupAccept, 0, {"APPLE", "apple", "banana"}, nullptr},
        {"dupError refuses", dupError, -1, {"apple", "banana"}, "String list does not allow duplicates"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        TStringList list;
        list.Duplicates = c.duplicates;
        list.SetSorted(true);
        Fill(list, {"banana", "apple"});
        if (c.error != nullptr) {
            EXPECT_EQ(MessageOf<EStringListError>([&] { list.Add("APPLE"); }), c.error);
        } else {
            EXPECT_EQ(list.Add("APPLE"), c.expectedIndex);
        }
        EXPECT_EQ(ItemsOf(list), c.expected);
    }
}

TEST(TStringListSorted, CaseSensitiveSortsByBytes) {
    TStringList list;
    list.SetCaseSensitive(true);
    list.SetSorted(true);
    Fill(list, {"b", "B", "a", "A"});
    EXPECT_EQ(ItemsOf(list), (Items{"A", "B", "a", "b"}));
    EXPECT_EQ(list.IndexOf("a"), 2);
    list.SetCaseSensitive(false);  // re-sorted ignoring case
    EXPECT_EQ(list.IndexOf("b"), list.IndexOf("B"));
    EXPECT_EQ(CompareText(list[0], "a"), 0);
    EXPECT_EQ(CompareText(list[3], "b"), 0);
}

TEST(TStringListSorted, ObjectsStayWithTheirStringsAfterSorting) {
    TTagObject objs[5] = {TTagObject(0), TTagObject(1), TTagObject(2), TTagObject(3), TTagObject(4)};
    const Items names = {"echo", "Alpha", "delta", "CHARLIE", "bravo"};
    TStringList list;
    for (int i = 0; i < 5; ++i) list.AddObject(names[static_cast<std::size_t>(i)], &objs[i]);

    list.SetSorted(true);

    EXPECT_EQ(ItemsOf(list), (Items{"Alpha", "bravo", "CHARLIE", "delta", "echo"}));
    for (int i = 0; i < 5; ++i) {
        const auto* o = static_cast<TTagObject*>(list.Objects(i));
        EXPECT_EQ(names[static_cast<std::size_t>(o->Id)], list[i]);
    }
}

TEST(TStringListSorted, SortAndCustomSort) {
    TStringList list;
    Fill(list, {"ccc", "a", "BB", "dddd"});
    list.CustomSort([](TStringList* l, int i1, int i2) {
        return static_cast<int>(l->Get(i2).size()) - static_cast<int>(l->Get(i1).size());  // longest first
    });
    EXPECT_EQ(ItemsOf(list), (Items{"dddd", "ccc", "BB", "a"}));
    list.Sort();
    EXPECT_EQ(ItemsOf(list), (Items{"a", "BB", "ccc", "dddd"}));
    EXPECT_FALSE(list.GetSorted());  // Sort sorts once; it does not make the list sorted
}

// ----------------------------------------------------------------------------------------- Text

TEST(TStringsText, GetTextEndsEveryLineWithCrLf) {
    TStringList list;
    EXPECT_EQ(list.GetText(), "");
    Fill(list, {"a", "b"});
    EXPECT_EQ(list.GetText(), "a\r\nb\r\n");
    list.Clear();
    list.Add("");
    EXPECT_EQ(list.GetText(), "\r\n");
}

struct TextCase {
    const char* label;
    std::string text;
    Items items;
};

TEST(TStringsText, SetTextAcceptsCrLfLfAndCr) {
    const TextCase cases[] = {
        {"CR LF", "a\r\nb\r\n", {"a", "b"}},
        {"LF", "a\nb\n", {"a", "b"}},
        {"CR", "a\rb\r", {"a", "b"}},
        {"no end on the last line", "a\r\nb", {"a", "b"}},
        {"empty line", "a\r\n\r\nb", {"a", "", "b"}},
        {"LF CR is two ends", "a\n\rb", {"a", "", "b"}},
        {"only an end", "\r\n", {""}},
        {"empty", "", {}},
        {"blanks kept", " a \t\r\n", {" a \t"}},
        {"stops at NUL", std::string("a\r\nb\0c\r\nd", 9), {"a", "b"}},
        {"high bytes pass", "caf\xE9\r\n\xFF", {"caf\xE9", "\xFF"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        TStringList list;
        list.Add("old");
        list.SetText(c.text);
        EXPECT_EQ(ItemsOf(list), c.items);
    }
}

// ------------------------------------------------------------------------------------ CommaText

struct CommaCase {
    const char* label;
    Items items;
    const char* text;
};

// Both ways: the items give the text, and the text gives the items back.
TEST(TStringsCommaText, RoundTrips) {
    const CommaCase cases[] = {
        {"plain", {"a", "b", "c"}, "a,b,c"},
        {"empty list", {}, ""},
        {"single empty item", {""}, "\"\""},
        {"empty item in the middle", {"a", "", "b"}, "a,,b"},
        {"empty items at the ends", {"", "a", ""}, ",a,"},
        {"two empty items", {"", ""}, ","},
        {"blank inside", {"a b", "c"}, "\"a b\",c"},
        {"leading and trailing blank", {" a", "b "}, "\" a\",\"b \""},
        {"only a blank", {" "}, "\" \""},
        {"comma inside", {"a,b", "c"}, "\"a,b\",c"},
        {"quote inside", {"say \"hi\""}, "\"say \"\"hi\"\"\""},
        {"lone quote", {"\""}, "\"\"\"\""},
        {"tab", {"a\tb"}, "\"a\tb\""},
        {"semicolon needs no quotes", {"a;b"}, "a;b"},
        {"high bytes need no quotes", {"caf\xE9"}, "caf\xE9"},
        {"names and values", {"Patch=Piano 1", "Bank=A"}, "\"Patch=Piano 1\",Bank=A"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        TStringList list;
        Fill(list, c.items);
        EXPECT_EQ(list.GetCommaText(), c.text);

        TStringList back;
        back.SetCommaText(c.text);
        EXPECT_EQ(ItemsOf(back), c.items);
    }
}

struct ParseCase {
    const char* label;
    std::string text;
    Items items;
};

// Texts that a program or a person writes, which GetCommaText would write differently.
TEST(TStringsCommaText, ParsesBlanksAndQuotesAsThePascalLibrary) {
    const ParseCase cases[] = {
        {"blanks separate items", "a b  c", {"a", "b", "c"}},
        {"blanks around commas are skipped", " a , b ", {"a", "b"}},
        {"blank after the last comma adds nothing", "a, ", {"a"}},
        {"comma at the very end adds an empty item", "a,", {"a", ""}},
        {"comma at the start", ",a", {"", "a"}},
        {"quoted then plain", "\"a b\"c,d", {"a b", "c", "d"}},
        {"doubled quotes", "\"a\"\"b\"", {"a\"b"}},
        {"quotes in an unquoted item are kept", "a\"b", {"a\"b"}},
        {"unterminated quote runs to the end", "x,\"abc", {"x", "abc"}},
        {"control characters are blanks", "a\tb\r\nc", {"a", "b", "c"}},
        {"stops at NUL", std::string("a,b\0,c", 6), {"a", "b"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        TStringList list;
        list.Add("old");
        list.SetCommaText(c.text);
        EXPECT_EQ(ItemsOf(list), c.items);
    }
}

TEST(TStringsCommaText, DelimitedTextUsesTheFields) {
    TStringList list;
    list.Delimiter = ';';
    list.QuoteChar = '\'';
    Fill(list, {"a,b", "c;d", "it's"});
    EXPECT_EQ(list.GetDelimitedText(), "a,b;'c;d';'it''s'");
    EXPECT_EQ(list.GetCommaText(), "\"a,b\",c;d,it's");  // CommaText ignores the fields

    TStringList back;
    back.Delimiter = ';';
    back.QuoteChar = '\'';
    back.SetDelimitedText("a,b;'c;d';'it''s'");
    EXPECT_EQ(ItemsOf(back), (Items{"a,b", "c;d", "it's"}));
}

// -------------------------------------------------------------------------------- names, values

TEST(TStringsValues, NamesAndValues) {
    TStringList list;
    Fill(list, {"Device=17", "Thru=1", "comment", "Empty="});
    EXPECT_EQ(list.GetValue("device"), "17");
    EXPECT_EQ(list.GetValue("Missing"), "");
    EXPECT_EQ(list.GetValue("Empty"), "");
    EXPECT_EQ(list.Names(0), "Device");
    EXPECT_EQ(list.Names(2), "");
    EXPECT_EQ(list.IndexOfName("THRU"), 1);
    EXPECT_EQ(list.IndexOfName("comment"), -1);
    EXPECT_EQ(list.GetValueFromIndex(0), "17");
    EXPECT_EQ(list.GetValueFromIndex(2), "");

    list.SetValue("thru", "0");   // replaces, under the name as given
    list.SetValue("Port", "2");   // appends
    list.SetValue("Device", "");  // an empty value deletes the item
    EXPECT_EQ(ItemsOf(list), (Items{"thru=0", "comment", "Empty=", "Port=2"}));
}

// ---------------------------------------------------------------------------------------- files

TEST(TStringsFiles, SaveWritesCrLfBytesAndLoadReadsThemBack) {
    test::TempDir dir;
    const std::string path = dir.File("Names.Txt");
    TStringList list;
    Fill(list, {"JV-1080", "caf\xE9", ""});
    list.SaveToFile(path);
    EXPECT_EQ(test::ReadAll(path), "JV-1080\r\ncaf\xE9\r\n\r\n");

    TStringList back;
    back.LoadFromFile(path);
    EXPECT_EQ(ItemsOf(back), (Items{"JV-1080", "caf\xE9", ""}));
}

TEST(TStringsFiles, LoadAcceptsAnyLineEnd) {
    test::TempDir dir;
    const std::string path = dir.File("UserCard.Txt");
    test::WriteAll(path, "one\ntwo\r\nthree\rfour");
    TStringList list;
    list.LoadFromFile(path);
    EXPECT_EQ(ItemsOf(list), (Items{"one", "two", "three", "four"}));
}

TEST(TStringsFiles, MissingFileRaisesOpenError) {
    test::TempDir dir;
    TStringList list;
    list.Add("kept?");
    EXPECT_THROW(list.LoadFromFile(dir.File("absent.txt")), EFOpenError);
}

TEST(TStringsFiles, StreamsFromThePosition) {
    TMemoryStream stream;
    stream.WriteBuffer("skipa\nb", 7);
    stream.SetPosition(4);
    TStringList list;
    list.LoadFromStream(stream);
    EXPECT_EQ(ItemsOf(list), (Items{"a", "b"}));

    TMemoryStream out;
    list.SaveToStream(out);
    EXPECT_EQ(out.DataString(), "a\r\nb\r\n");
}

// -------------------------------------------------------------------------------------- events

TEST(TStringListEvents, ChangeEventsAndUpdates) {
    TStringList list;
    std::vector<std::string> log;
    list.OnChanging = [&](TObject* sender) {
        EXPECT_EQ(sender, &list);
        log.push_back("changing " + std::to_string(list.Count()));
    };
    list.OnChange = [&](TObject*) { log.push_back("change " + std::to_string(list.Count())); };

    list.Add("a");
    EXPECT_EQ(log, (std::vector<std::string>{"changing 0", "change 1"}));

    log.clear();
    list.BeginUpdate();
    list.BeginUpdate();
    list.Add("b");
    list.Add("c");
    list.EndUpdate();
    EXPECT_EQ(log, (std::vector<std::string>{"changing 1"}));
    list.EndUpdate();
    EXPECT_EQ(log, (std::vector<std::string>{"changing 1", "change 3"}));

    log.clear();
    list.SetText("x\r\ny\r\n");  // one update around the whole replacement
    EXPECT_EQ(log, (std::vector<std::string>{"changing 3", "change 2"}));

    log.clear();
    list.SetCommaText("p,q,r");
    EXPECT_EQ(log, (std::vector<std::string>{"changing 2", "change 3"}));
}

// ------------------------------------------------------------------------- assign and ownership

TEST(TStringsAssign, CopiesStringsObjectsAndSeparators) {
    TTagObject o(1);
    TStringList source;
    source.AddObject("one", &o);
    source.Add("two");
    source.Delimiter = ';';
    TStringList dest;
    dest.Add("old");
    dest.Assign(&source);
    EXPECT_EQ(ItemsOf(dest), (Items{"one", "two"}));
    EXPECT_EQ(dest.Objects(0), &o);
    EXPECT_EQ(dest.Delimiter, ';');
    EXPECT_TRUE(dest.Equals(&source));
    dest.Put(1, "TWO");
    EXPECT_FALSE(dest.Equals(&source));  // Equals compares bytes

    dest.AddStrings(&source);
    EXPECT_EQ(ItemsOf(dest), (Items{"one", "TWO", "one", "two"}));
}

TEST(TStringsAssign, FromAnotherKindRaisesConvertError) {
    TStringList list;
    TComponent comp(nullptr);
    EXPECT_EQ(MessageOf<EConvertError>([&] { list.Assign(&comp); }), "Cannot assign a TComponent to a TStringList");
    EXPECT_EQ(MessageOf<EConvertError>([&] { list.Assign(nullptr); }), "Cannot assign a nil to a TStringList");
}

TEST(TStringListOwnsObjects, FreesObjectsOfDeletedStrings) {
    int freed = 0;
    {
        TStringList list;
        list.OwnsObjects = true;
        for (int i = 0; i < 5; ++i) list.AddObject("s" + std::to_string(i), new TTagObject(i, &freed));
        list.Delete(0);
        EXPECT_EQ(freed, 1);
        list.Move(0, 3);  // moving keeps the object alive
        EXPECT_EQ(freed, 1);
        EXPECT_EQ(static_cast<TTagObject*>(list.Objects(3))->Id, 1);
        list.Clear();
        EXPECT_EQ(freed, 5);
        list.AddObject("last", new TTagObject(9, &freed));
    }
    EXPECT_EQ(freed, 6);  // the list's destruction frees what it still holds
}

TEST(TStringListOwnsObjects, NotOwningLeavesObjectsAlone) {
    int freed = 0;
    TTagObject o(1, &freed);
    {
        TStringList list;
        list.AddObject("a", &o);
        list.Delete(0);
        list.AddObject("b", &o);
    }
    EXPECT_EQ(freed, 0);
}

}  // namespace
}  // namespace zel::test
