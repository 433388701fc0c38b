#include "platform/rtl/FormText.h"

#include <gtest/gtest.h>

namespace zel::test {

namespace {

const char* kForm = R"(object FormInOut: TFormInOut
  Left = 192
  Caption = 'Midi Settings'
  Font.Height = -11
  Scale = 1.5
  BorderIcons = [biSystemMenu, biMinimize]
  Visible = False
  Hint = 'It''s'#13#10'two lines' +
    ' and more'
  Items.Strings = (
    'One'
    'Two')
  Categories = <
    item
      Name = 'Default'
      Visible = True
    end
    item
      Name = 'File'
    end>
  Picture = {0A1bFF}
  OnCreate = FormCreate
  object OkBtn: TButton
    Caption = 'Ok'
  end
  object TLabel
  end
end
)";

TEST(FormText, ReadsEveryKindOfValue) {
    auto root = ParseFormText(kForm, "FormInOut");
    EXPECT_EQ(root->Name, "FormInOut");
    EXPECT_EQ(root->ClassName, "TFormInOut");
    EXPECT_EQ(root->Find("left")->Value.Int, 192);
    EXPECT_EQ(root->Find("Caption")->Value.Text, "Midi Settings");
    EXPECT_EQ(root->Find("Font.Height")->Value.Int, -11);
    EXPECT_DOUBLE_EQ(root->Find("Scale")->Value.Float, 1.5);
    EXPECT_EQ(root->Find("BorderIcons")->Value.Items, (std::vector<std::string>{"biSystemMenu", "biMinimize"}));
    EXPECT_TRUE(root->Find("Visible")->Value.IsIdent("false"));
    EXPECT_EQ(root->Find("Hint")->Value.Text, "It's\r\ntwo lines and more");
    ASSERT_EQ(root->Find("Items.Strings")->Value.List.size(), 2u);
    EXPECT_EQ(root->Find("Items.Strings")->Value.List[1].Text, "Two");
    const auto& coll = root->Find("Categories")->Value.Collection;
    ASSERT_EQ(coll.size(), 2u);
    EXPECT_EQ(coll[0].Properties[1].first, "Visible");
    EXPECT_EQ(coll[1].Properties[0].second.Text, "File");
    EXPECT_EQ(root->Find("Picture")->Value.Text, std::string("\x0A\x1B\xFF", 3));
    EXPECT_EQ(root->Find("OnCreate")->Value.Text, "FormCreate");
    ASSERT_EQ(root->Children.size(), 2u);
    EXPECT_EQ(root->Children[0]->Find("Caption")->Value.Text, "Ok");
    EXPECT_EQ(root->Children[1]->Name, "");
    EXPECT_EQ(root->Children[1]->ClassName, "TLabel");
    EXPECT_EQ(root->Children[0]->Line, 23);
}

TEST(FormText, WritesWhatItReads) {
    auto root = ParseFormText(kForm, "FormInOut");
    const std::string written = WriteFormText(*root);
    auto again = ParseFormText(written, "again");
    EXPECT_EQ(WriteFormText(*again), written);
    EXPECT_EQ(again->Find("Hint")->Value.Text, "It's\r\ntwo lines and more");
    EXPECT_EQ(again->Find("Picture")->Value.Text, std::string("\x0A\x1B\xFF", 3));
}

struct BadCase {
    const char* name;
    const char* text;
    int line;
    const char* fragment;
};

void PrintTo(const BadCase& c, std::ostream* os) { *os << c.name; }

class FormTextErrors : public ::testing::TestWithParam<BadCase> {};

TEST_P(FormTextErrors, NameTheFormAndTheLine) {
    const BadCase& c = GetParam();
    try {
        ParseFormText(c.text, "FormMain");
        FAIL() << "no error";
    } catch (const EFormTextError& e) {
        EXPECT_EQ(e.Line, c.line);
        EXPECT_NE(e.Message.find("FormMain, line " + std::to_string(c.line)), std::string::npos) << e.Message;
        EXPECT_NE(e.Message.find(c.fragment), std::string::npos) << e.Message;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, FormTextErrors,
    ::testing::Values(BadCase{"MissingEnd", "object A: TForm\n  Left = 1\n", 3, "'end' expected"},
                      BadCase{"UnterminatedString", "object A: TForm\n  Caption = 'abc\nend", 2, "unterminated string"},
                      BadCase{"NoEquals", "object A: TForm\n  Left 1\nend", 2, "'=' expected"},
                      BadCase{"OddHex", "object A: TForm\n  Data = {ABC}\nend", 2, "odd number"},
                      BadCase{"NotAnObject", "form A: TForm\nend", 1, "'object' expected"},
                      BadCase{"Trailing", "object A: TForm\nend\nextra", 3, "after the end"},
                      BadCase{"BigCharCode", "object A: TForm\n  Caption = #300\nend", 2, "out of range"}),
    [](const auto& info) { return info.param.name; });

}  // namespace

}  // namespace zel::test
