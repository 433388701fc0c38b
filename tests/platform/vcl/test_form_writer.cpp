// Writing forms as data and the extra stream properties: collections, properties an object defines
// itself (values and raw bytes), defaults, stored tests and ancestors.
#include <gtest/gtest.h>

#include "platform/rtl/Filer.h"
#include "platform/vcl/FormReader.h"
#include "platform/vcl/FormWriter.h"
#include "platform/vcl/StdCtrls.h"
#include "support/vcl/VclTestSupport.h"

namespace zel::test {
namespace {

class TSampleItem : public TCollectionItem {
public:
    using TCollectionItem::TCollectionItem;
    std::string ClassName() const override { return "TSampleItem"; }
    std::string Caption;
    int Size = 0;
};

// A component with a collection, a published count, a note stored only while assigned, and raw bytes.
class TSampleHolder : public TComponent {
public:
    explicit TSampleHolder(TComponent* owner) : TComponent(owner), Items(this, CollectionItemClassOf<TSampleItem>()) {}
    std::string ClassName() const override { return "TSampleHolder"; }
    void DefineProperties(TFiler* Filer) override {
        Filer->DefineProperty(
            "Note", [this](TReader& r) { SetNote(r.ReadString()); }, [this](TWriter& w) { w.WriteString(Note); },
            NoteAssigned && (Filer->Ancestor == nullptr || static_cast<TSampleHolder*>(Filer->Ancestor)->Note != Note));
        Filer->DefineBinaryProperty(
            "Data",
            [this](TStream& s) {
                Data.resize(static_cast<std::size_t>(s.GetSize()));
                s.ReadBuffer(Data.data(), s.GetSize());
            },
            [this](TStream& s) { s.WriteBuffer(Data.data(), static_cast<std::int64_t>(Data.size())); },
            !Data.empty() &&
                (Filer->Ancestor == nullptr || static_cast<TSampleHolder*>(Filer->Ancestor)->Data != Data));
    }
    void SetNote(const std::string& v) {
        Note = v;
        NoteAssigned = true;
    }
    TOwnedCollection Items;
    int Count = 0;
    std::string Note;
    bool NoteAssigned = false;
    std::string Data;
};

void RegisterSampleClasses() {
    RegisterPersistent<TSampleItem>("TSampleItem", "")
        .Str(
            "Caption", [](TSampleItem& i, const std::string& v) { i.Caption = v; },
            [](TSampleItem& i) { return i.Caption; })
        .Int(
            "Size", [](TSampleItem& i, int v) { i.Size = v; }, [](TSampleItem& i) { return i.Size; })
        .Default(0);
    RegisterComponent<TSampleHolder>("TSampleHolder", "TComponent")
        .Int(
            "Count", [](TSampleHolder& h, int v) { h.Count = v; }, [](TSampleHolder& h) { return h.Count; })
        .Default(0)
        .Collection("Items", "TSampleItem", [](TSampleHolder& h) -> TCollection& { return h.Items; });
}

class TWriterForm : public TForm {
public:
    TWriterForm(TComponent* owner, std::string text)
        : TForm(owner), text_(std::move(text)), resource_{"Writer", nullptr} {
        resource_.Text = text_.c_str();
    }
    std::string ClassName() const override { return "TWriterForm"; }
    const TFormResource* FormResource() const override { return &resource_; }

private:
    std::string text_;
    TFormResource resource_;
};

const char* const kHolderForm = R"(object WriterForm: TWriterForm
  Left = 10
  Top = 20
  Width = 300
  Height = 200
  Caption = 'Writer'
  object Label1: TLabel
    Left = 4
    Top = 5
    Width = 33
    Height = 14
    Caption = 'Name'
  end
  object Holder: TSampleHolder
    Count = 2
    Items = <
      item
        Caption = 'first'
        Size = 3
      end
      item
        Caption = 'second'
      end>
    Note = ''
    Data = {
      00FF7F}
  end
end
)";

class FormWriter : public VclTest {
protected:
    void SetUp() override {
        VclTest::SetUp();
        RegisterSampleClasses();
    }
    void TearDown() override {
        VclTest::TearDown();
        UnregisterComponentClass("TSampleHolder");
        UnregisterComponentClass("TSampleItem");
    }
    TWriterForm* Load(const std::string& text) { return Keep(Construct<TWriterForm>(nullptr, text)); }
};

TEST_F(FormWriter, ReadsCollectionsDefinedAndBinaryPropertiesAndWritesTheSameTextBack) {
    TWriterForm* form = Load(kHolderForm);
    auto* holder = dynamic_cast<TSampleHolder*>(form->FindComponent("Holder"));
    ASSERT_NE(holder, nullptr);
    EXPECT_EQ(holder->Count, 2);
    ASSERT_EQ(holder->Items.Count(), 2);
    EXPECT_EQ(static_cast<TSampleItem*>(holder->Items.GetItem(0))->Caption, "first");
    EXPECT_EQ(static_cast<TSampleItem*>(holder->Items.GetItem(0))->Size, 3);
    EXPECT_EQ(static_cast<TSampleItem*>(holder->Items.GetItem(1))->Size, 0);
    EXPECT_TRUE(holder->NoteAssigned);
    EXPECT_EQ(holder->Data, std::string("\x00\xFF\x7F", 3));

    const std::string written = WriteComponentText(*form);
    EXPECT_EQ(written, kHolderForm);
    // Read again, it writes the same text once more.
    EXPECT_EQ(WriteComponentText(*Load(written)), written);
}

TEST_F(FormWriter, LeavesOutDefaultsUnstoredDefinedPropertiesAndWhatTheAncestorHas) {
    TWriterForm* plain = Load(R"(object WriterForm: TWriterForm
  object Holder: TSampleHolder
  end
end
)");
    // Count 0 is the default; no note assigned, no bytes: nothing but the form's geometry.
    EXPECT_EQ(WriteComponentText(*plain->FindComponent("Holder")), "object Holder: TSampleHolder\nend\n");

    TWriterForm* ancestor = Load(kHolderForm);
    TWriterForm* changed = Load(kHolderForm);
    auto* holder = static_cast<TSampleHolder*>(changed->FindComponent("Holder"));
    holder->Count = 0;  // the default, yet different from the ancestor's 2
    holder->SetNote("x");
    const std::string delta = WriteComponentText(*changed, ancestor);
    EXPECT_EQ(delta, R"(object WriterForm: TWriterForm
  object Label1: TLabel
  end
  object Holder: TSampleHolder
    Count = 0
    Note = 'x'
  end
end
)");
}

TEST_F(FormWriter, AValueOfTheWrongKindForADefinedPropertyNamesTheLine) {
    std::string text = kHolderForm;
    text.replace(text.find("Note = ''"), 9, "Note = 5");
    try {
        Load(text);
        FAIL() << "no error";
    } catch (const EFormReadError& e) {
        EXPECT_EQ(e.Line, 24);
        EXPECT_NE(e.Message.find("Invalid property value"), std::string::npos) << e.Message;
    }
}

}  // namespace
}  // namespace zel::test
