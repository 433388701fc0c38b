// Collections: items know their collection, position and a never reused ID; changes reach Update once per
// change, or once after the last EndUpdate; Assign copies the items.
#include <gtest/gtest.h>

#include <algorithm>

#include "platform/rtl/Collections.h"

namespace zel::test {
namespace {

class TNumberItem : public TCollectionItem {
public:
    using TCollectionItem::TCollectionItem;
    std::string ClassName() const override { return "TNumberItem"; }
    void Assign(TPersistent* Source) override {
        if (auto* s = dynamic_cast<TNumberItem*>(Source)) {
            SetValue(s->Value);
            return;
        }
        TCollectionItem::Assign(Source);
    }
    void SetValue(int v) {
        Value = v;
        Changed(false);
    }
    int Value = 0;
};

class TNumbers : public TCollection {
public:
    TNumbers() : TCollection(CollectionItemClassOf<TNumberItem>()) {}
    TNumberItem* Item(int i) const { return static_cast<TNumberItem*>(GetItem(i)); }
    std::vector<std::string> Log;

protected:
    void Update(TCollectionItem* Item) override {
        Log.push_back(Item == nullptr ? "all" : "item " + std::to_string(static_cast<TNumberItem*>(Item)->Value));
    }
    void Notify(TCollectionItem* Item, TCollectionNotification Action) override {
        static const char* names[] = {"added", "extracting", "deleting"};
        Log.push_back(std::string(names[Action]) + " #" + std::to_string(Item->GetID()));
    }
};

TEST(Collections, ItemsKeepPositionsIdsAndReportChanges) {
    TNumbers c;
    static_cast<TNumberItem*>(c.Add())->SetValue(10);
    static_cast<TNumberItem*>(c.Add())->SetValue(20);
    static_cast<TNumberItem*>(c.Insert(0))->SetValue(5);
    EXPECT_EQ(c.Log, (std::vector<std::string>{"added #0", "all", "item 10", "added #1", "all", "item 20", "added #2",
                                               "all", "item 5"}));
    ASSERT_EQ(c.Count(), 3);
    EXPECT_EQ(c.Item(0)->Value, 5);
    EXPECT_EQ(c.Item(0)->GetIndex(), 0);
    EXPECT_EQ(c.Item(2)->GetID(), 1);
    EXPECT_EQ(c.FindItemID(2), c.Item(0));
    EXPECT_EQ(c.FindItemID(7), nullptr);

    c.Item(0)->SetIndex(2);  // 10, 20, 5
    EXPECT_EQ(c.Item(2)->Value, 5);

    c.Log.clear();
    c.Delete(0);  // a deleted ID is never given again
    EXPECT_EQ(c.Log, (std::vector<std::string>{"deleting #0", "extracting #0", "all"}));
    EXPECT_EQ(c.Add()->GetID(), 3);
    EXPECT_THROW(c.Delete(3), EListError);

    c.Log.clear();
    c.BeginUpdate();
    c.Item(0)->SetValue(1);
    c.Add();
    c.EndUpdate();
    EXPECT_EQ(c.Log, (std::vector<std::string>{"added #4", "all"}));
}

// The collection hears of an item made by Add or Insert once the whole item stands: its listeners can read
// the item as the class it is.
TEST(Collections, ANewItemIsReportedOnceItIsWhole) {
    class TCheckedNumbers : public TNumbers {
    protected:
        void Notify(TCollectionItem* Item, TCollectionNotification Action) override {
            if (Action == cnAdded) Whole.push_back(dynamic_cast<TNumberItem*>(Item) != nullptr);
        }

    public:
        std::vector<bool> Whole;
    };
    TCheckedNumbers c;
    c.Add();
    c.Insert(0);
    EXPECT_EQ(c.Whole, (std::vector<bool>{true, true}));
}

TEST(Collections, AssignCopiesTheItemsAndClearFreesThem) {
    TNumbers a;
    TNumbers b;
    static_cast<TNumberItem*>(a.Add())->SetValue(7);
    static_cast<TNumberItem*>(a.Add())->SetValue(8);
    b.Add();
    b.Log.clear();
    b.Assign(&a);
    ASSERT_EQ(b.Count(), 2);
    EXPECT_EQ(b.Item(1)->Value, 8);
    EXPECT_NE(b.Item(1), a.Item(1));
    // One update for the whole copy.
    EXPECT_EQ(std::count(b.Log.begin(), b.Log.end(), "all"), 1);
    TPersistent other;
    EXPECT_THROW(b.Assign(&other), EConvertError);
    a.Clear();
    EXPECT_EQ(a.Count(), 0);
}

}  // namespace
}  // namespace zel::test
