// Short-cuts and their text form; actions and their links.
#include "platform/vcl/ActnList.h"
#include "platform/vcl/Menus.h"
#include "platform/win/Windows.h"

#include <gtest/gtest.h>

namespace zel::test {
namespace {

TEST(ShortCuts, TextAndValueOfTheMainWindowsShortCutsRoundTrip) {
    const struct {
        TShortCut value;
        const char* text;
    } cases[] = {{16463, "Ctrl+O"}, {16467, "Ctrl+S"}, {16449, "Ctrl+A"}, {16472, "Ctrl+X"},
                 {16462, "Ctrl+N"}, {16459, "Ctrl+K"}, {16461, "Ctrl+M"}, {scCtrl | VK_F4, "Ctrl+F4"}};
    for (const auto& c : cases) {
        EXPECT_EQ(ShortCutToText(c.value), c.text);
        EXPECT_EQ(TextToShortCut(c.text), c.value) << c.text;
    }
}

TEST(ShortCuts, KeyNamesModifierOrderAndParsing) {
    EXPECT_EQ(ShortCutToText(scShift | scCtrl | scAlt | VK_DELETE), "Shift+Ctrl+Alt+Del");
    EXPECT_EQ(ShortCutToText(VK_UP), "Up");
    EXPECT_EQ(ShortCutToText(VK_NUMPAD0 + 7), "7");
    EXPECT_EQ(ShortCutToText(VK_F1 + 23), "F24");
    EXPECT_EQ(ShortCutToText(0), "");  // a key without a name gives no text at all
    EXPECT_EQ(TextToShortCut("cTRL+shift+o"), scCtrl | scShift | 'O');
    EXPECT_EQ(TextToShortCut("^O"), scCtrl | 'O');
    EXPECT_EQ(TextToShortCut("Ctrl+"), 0);
    EXPECT_EQ(TextToShortCut("Ctrl+Nothing"), 0);
    EXPECT_EQ(ShortCut('O', TShiftState{ssCtrl}), 16463);
    EXPECT_EQ(ShortCut(0x100, TShiftState{ssCtrl}), 0);
    WORD key = 0;
    TShiftState shift;
    ShortCutToKey(scShift | scAlt | VK_F4, key, shift);
    EXPECT_EQ(key, VK_F4);
    EXPECT_EQ(shift, (TShiftState{ssShift, ssAlt}));
}

TEST(ShortCuts, VkKeyScanFindsTheKeyThatTypesACharacter) {
    const struct {
        char ch;
        SHORT expected;
    } cases[] = {{'a', 'A'},          {'A', 0x100 | 'A'},    {'7', '7'},   {'&', 0x100 | '7'}, {'*', 0x100 | '8'},
                 {'-', VK_OEM_MINUS}, {'\x01', 0x200 | 'A'}, {'\xE9', -1}, {'\0', -1}};
    for (const auto& c : cases) EXPECT_EQ(VkKeyScan(c.ch), c.expected) << int(static_cast<unsigned char>(c.ch));
}

class RecordingLink : public TActionLink {
public:
    using TActionLink::TActionLink;
    void SetCaption(const std::string& Value) override { caption = Value; }
    void SetEnabled(bool Value) override { enabled = Value; }
    std::string caption;
    bool enabled = true;
};

TEST(Actions, ChangesReachTheLinkedClientsUntilTheActionGoes) {
    auto* action = new TCustomAction(nullptr);
    RecordingLink link(nullptr);
    int changes = 0;
    link.OnChange = [&](TObject*) { ++changes; };
    link.SetAction(action);
    EXPECT_TRUE(link.IsCaptionLinked());
    action->SetCaption("&Open");
    action->SetEnabled(false);
    action->SetEnabled(false);  // unchanged: nothing goes out
    EXPECT_EQ(link.caption, "&Open");
    EXPECT_FALSE(link.enabled);
    EXPECT_EQ(changes, 2);
    int runs = 0;
    EXPECT_FALSE(link.Execute());
    action->OnExecute = [&](TObject* s) { runs += s == action; };
    EXPECT_TRUE(link.Execute());
    EXPECT_EQ(runs, 1);
    delete action;
    EXPECT_EQ(link.GetAction(), nullptr);
    EXPECT_FALSE(link.IsCaptionLinked());
}

}  // namespace
}  // namespace zel::test
