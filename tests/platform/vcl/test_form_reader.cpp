// Forms as data: a form resource builds the component tree, binds fields and handlers, and reports
// every mistake with the form's name and the line.
#include <gtest/gtest.h>

#include "platform/vcl/Buttons.h"
#include "platform/vcl/ExtCtrls.h"
#include "platform/vcl/FormReader.h"
#include "platform/vcl/Gauges.h"
#include "platform/vcl/Spin.h"
#include "platform/vcl/StdCtrls.h"
#include "support/vcl/VclTestSupport.h"

namespace zel::test {
namespace {

// A form whose resource text is chosen by the test.
class TFormSample : public TForm {
public:
    explicit TFormSample(TComponent* owner, const char* text) : TForm(owner), resource_{"Sample", text} {}
    std::string ClassName() const override { return "TFormSample"; }
    const TFormResource* FormResource() const override { return &resource_; }
    void DefineBindings(TFormBindings& B) override {
        if (!bind_) return;
        B.Field("Panel1", Panel1);
        B.Field("Title", Title);
        B.Field("Names", Names);
        B.Field("OkButton", OkButton);
        B.Handler<TNotifyEvent>("FormCreate", [this](TObject*) { Events.push_back("create"); });
        B.Handler<TNotifyEvent>("OkButtonClick", [this](TObject*) { Events.push_back("ok"); });
        B.Handler<TCloseEvent>("FormClose", [this](TObject*, TCloseAction&) { Events.push_back("close"); });
    }
    static bool bind_;
    TPanel* Panel1 = nullptr;
    TLabel* Title = nullptr;
    TListBox* Names = nullptr;
    TButton* OkButton = nullptr;
    std::vector<std::string> Events;

private:
    TFormResource resource_;
};
bool TFormSample::bind_ = true;

const char* const kSample = R"(object FormSample: TFormSample
  Left = 100
  Top = 80
  BorderStyle = bsDialog
  Caption = 'Sample'
  ClientHeight = 150
  ClientWidth = 200
  OnCreate = FormCreate
  OnClose = FormClose
  object Panel1: TPanel
    Left = 0
    Top = 0
    Height = 30
    Align = alTop
    Caption = 'Top'
    TabOrder = 0
    object Title: TLabel
      Left = 4
      Top = 4
      Caption = 'Hello'
      Font.Style = [fsBold]
      ParentFont = False
    end
  end
  object Names: TListBox
    Left = 8
    Top = 40
    Width = 100
    Height = 60
    Items.Strings = (
      'one'
      'two')
    TabOrder = 1
  end
  object OkButton: TButton
    Left = 120
    Top = 110
    Caption = 'Ok'
    Default = True
    ModalResult = 1
    TabOrder = 2
    OnClick = OkButtonClick
  end
  object Timer1: TTimer
    Enabled = False
    Interval = 250
    Left = 8
    Top = 8
  end
end
)";

using FormReader = VclTest;

TEST_F(FormReader, BuildsTheTreeBindsFieldsAndHandlersThenCreates) {
    auto* form = Keep(Construct<TFormSample>(nullptr, kSample));
    ASSERT_NE(form->Panel1, nullptr);
    ASSERT_NE(form->Title, nullptr);
    ASSERT_NE(form->Names, nullptr);
    ASSERT_NE(form->OkButton, nullptr);
    EXPECT_EQ(form->GetName(), "FormSample");
    EXPECT_EQ(form->Caption(), "Sample");
    EXPECT_EQ(form->ClientWidth(), 200);
    EXPECT_EQ(form->ClientHeight(), 150);
    EXPECT_EQ(form->Title->GetParent(), form->Panel1);
    EXPECT_EQ(form->Title->GetOwner(), form);
    EXPECT_TRUE(form->Title->Font()->GetStyle().Contains(fsBold));
    // Aligned to the top of the client area: as wide as the form.
    EXPECT_EQ(form->Panel1->GetWidth(), 200);
    EXPECT_EQ(form->Names->Items()->Count(), 2);
    EXPECT_EQ(form->Names->Items()->Strings(1), "two");
    EXPECT_TRUE(form->Names->HandleAllocated());
    EXPECT_TRUE(form->OkButton->GetDefault());
    EXPECT_EQ(form->OkButton->ModalResult, mrOk);
    auto* timer = dynamic_cast<TTimer*>(form->FindComponent("Timer1"));
    ASSERT_NE(timer, nullptr);
    EXPECT_FALSE(timer->GetEnabled());
    EXPECT_EQ(timer->GetInterval(), 250u);
    // The label fits its text after Loaded.
    EXPECT_GT(form->Title->GetWidth(), 10);
    EXPECT_EQ(form->Events, (std::vector<std::string>{"create"}));
    form->OkButton->Click();
    EXPECT_EQ(form->Events.back(), "ok");
    EXPECT_EQ(form->ModalResult, mrOk);
}

struct TBadForm {
    const char* name;
    std::string replace;  // a line of kSample
    std::string with;
    int line;           // the line the error must name
    std::string words;  // part of the message
};

class FormReaderErrors : public VclTest, public ::testing::WithParamInterface<TBadForm> {};

TEST_P(FormReaderErrors, NameTheFormAndTheLine) {
    const TBadForm& bad = GetParam();
    std::string text = kSample;
    std::size_t at = text.find(bad.replace);
    ASSERT_NE(at, std::string::npos);
    text.replace(at, bad.replace.size(), bad.with);
    try {
        auto* form = Construct<TFormSample>(nullptr, text.c_str());
        delete form;
        FAIL() << "no error";
    } catch (const Exception& e) {
        EXPECT_NE(e.Message.find("Error reading form Sample, line " + std::to_string(bad.line)), std::string::npos)
            << e.Message;
        EXPECT_NE(e.Message.find(bad.words), std::string::npos) << e.Message;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FormReaderErrors,
    ::testing::Values(
        TBadForm{"UnknownClass", "Names: TListBox", "Names: TListBoks", 25, "Unknown class TListBoks"},
        TBadForm{"UnknownProperty", "    Default = True", "    Defualt = True", 39, "Unknown property Defualt"},
        TBadForm{"UnknownHandler", "OnClick = OkButtonClick", "OnClick = OkButonClick", 42,
                 "Unknown event handler OkButonClick"},
        TBadForm{"HandlerOfAnotherType", "OnClick = OkButtonClick", "OnClick = FormClose", 42, "does not fit OnClick"},
        TBadForm{"WrongValueKind", "  ClientWidth = 200", "  ClientWidth = 'wide'", 7, "Integer value expected"},
        TBadForm{"BadEnumValue", "BorderStyle = bsDialog", "BorderStyle = bsDialogue", 4, "bsDialogue"},
        TBadForm{"FieldOfWrongClass", "OkButton: TButton", "OkButton: TCheckBox", 35, "cannot hold a TCheckBox"},
        TBadForm{"MissingField", "object Title: TLabel", "object Titel: TLabel", 1, "Field Title has no component"},
        TBadForm{"DuplicateName", "object Names: TListBox", "object Panel1: TListBox", 25, "Panel1"},
        TBadForm{"SyntaxError", "    Left = 120", "    Left = = 120", 36, ""}),
    [](const ::testing::TestParamInfo<TBadForm>& info) { return std::string(info.param.name); });

TEST_F(FormReader, FormsOfOneResourceUnderOneOwnerTakeNumberedNames) {
    auto* owner = Keep(new TComponent(nullptr));
    auto* first = Construct<TFormSample>(owner, kSample);
    auto* second = Construct<TFormSample>(owner, kSample);
    auto* third = Construct<TFormSample>(owner, kSample);
    EXPECT_EQ(first->GetName(), "FormSample");
    EXPECT_EQ(second->GetName(), "FormSample_1");
    EXPECT_EQ(third->GetName(), "FormSample_2");
    // Each form's own components keep their names: they belong to their form.
    EXPECT_EQ(second->OkButton->GetName(), "OkButton");
    delete second;
    EXPECT_EQ(Keep(Construct<TFormSample>(owner, kSample))->GetName(), "FormSample_1");
    // A number is taken by its name in any case; names that only start alike take none.
    for (const char* name : {"FORMSAMPLE_3", "FormSample_04", "FormSample_4x", "FormSampleX_4"})
        (new TComponent(owner))->SetName(name);
    EXPECT_EQ(Keep(Construct<TFormSample>(owner, kSample))->GetName(), "FormSample_4");
}

TEST_F(FormReader, EveryStandardClassCanBeRead) {
    const char* text = R"(object FormSample: TFormSample
  Caption = 'All'
  object Panel1: TPanel
    BevelOuter = bvLowered
    object Title: TLabel
      Alignment = taCenter
      Caption = 'x'
    end
  end
  object Names: TListBox
    Sorted = True
  end
  object OkButton: TBitBtn
    Kind = bkOK
  end
  object Box: TGroupBox
    Caption = 'Group'
    object Check: TCheckBox
      Checked = True
      Caption = 'Check'
    end
  end
  object Edit1: TEdit
    Text = 'abc'
    MaxLength = 5
  end
  object Spin1: TSpinEdit
    MaxValue = 32
    MinValue = 17
    Value = 40
  end
  object Gauge1: TGauge
    ForeColor = clAqua
    Progress = 250
  end
  object PaintBox1: TPaintBox
  end
  object Memo1: TMemo
    Lines.Strings = (
      'one'
      'two')
    ScrollBars = ssVertical
  end
  object Radio1: TRadioButton
    Checked = True
  end
  object Speed1: TSpeedButton
    GroupIndex = 1
    Down = True
    Flat = True
  end
  object Bevel1: TBevel
    Shape = bsTopLine
  end
  object Image1: TImage
    Stretch = True
  end
  object Open1: TOpenDialog
    Filter = 'Syx file|*.Syx'
    Options = [ofHideReadOnly, ofFileMustExist]
  end
  object Save1: TSaveDialog
    DefaultExt = 'Syx'
  end
end
)";
    auto* form = Keep(Construct<TFormSample>(nullptr, text));
    EXPECT_EQ(form->OkButton->Caption(), "OK");
    EXPECT_EQ(form->OkButton->ModalResult, mrOk);
    EXPECT_TRUE(dynamic_cast<TCheckBox*>(form->FindComponent("Check"))->GetChecked());
    EXPECT_EQ(dynamic_cast<TEdit*>(form->FindComponent("Edit1"))->GetText(), "abc");
    EXPECT_EQ(dynamic_cast<TSpinEdit*>(form->FindComponent("Spin1"))->GetValue(), 32);
    EXPECT_EQ(dynamic_cast<TGauge*>(form->FindComponent("Gauge1"))->GetProgress(), 100);
    EXPECT_EQ(dynamic_cast<TMemo*>(form->FindComponent("Memo1"))->Lines()->Strings(1), "two");
    EXPECT_TRUE(dynamic_cast<TRadioButton*>(form->FindComponent("Radio1"))->GetChecked());
    EXPECT_TRUE(dynamic_cast<TSpeedButton*>(form->FindComponent("Speed1"))->GetDown());
    EXPECT_EQ(dynamic_cast<TBevel*>(form->FindComponent("Bevel1"))->GetShape(), bsTopLine);
    EXPECT_TRUE(dynamic_cast<TImage*>(form->FindComponent("Image1"))->GetStretch());
    auto* open = dynamic_cast<TOpenDialog*>(form->FindComponent("Open1"));
    ASSERT_NE(open, nullptr);
    EXPECT_TRUE(open->Options.Contains(ofFileMustExist));
    EXPECT_TRUE(dynamic_cast<TSaveDialog*>(form->FindComponent("Save1"))->IsSaveDialog());
}

}  // namespace
}  // namespace zel::test
