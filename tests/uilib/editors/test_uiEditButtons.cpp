#include "uilib/editors/uiEditButtons.h"

#include <gtest/gtest.h>

namespace zel::test {

namespace {

struct Buttons : ::testing::Test {
    TuiEditButtons buttons{nullptr};
    int changes = 0;
    void SetUp() override {
        buttons.OnChange = [this](TObject*) { ++changes; };
    }
};

TEST_F(Buttons, DefaultIsExclusiveAndReportedOnce) {
    TuiEditButton* a = buttons.Add();
    TuiEditButton* b = buttons.Add();
    TuiEditButton* c = buttons.Add();
    a->SetDefault(true);
    changes = 0;
    c->SetDefault(true);
    EXPECT_FALSE(a->GetDefault());
    EXPECT_FALSE(b->GetDefault());
    EXPECT_TRUE(c->GetDefault());
    EXPECT_EQ(changes, 1);
    c->SetDefault(true);
    EXPECT_EQ(changes, 1) << "setting the same value is no change";
}

TEST_F(Buttons, VisibleCaptionLosesAccelerators) {
    TuiEditButton* b = buttons.Add();
    b->SetCaption("&Open && go");
    EXPECT_EQ(b->GetCaption(), "&Open && go");
    EXPECT_EQ(b->GetVisibleCaption(), "Open & go");
}

TEST_F(Buttons, NegativeWidthIsRefusedAndZeroIsAutomatic) {
    TuiEditButton* b = buttons.Add();
    b->SetWidth(17);
    changes = 0;
    b->SetWidth(-4);
    EXPECT_EQ(b->GetWidth(), 17);
    EXPECT_EQ(changes, 0);
    b->SetWidth(0);
    EXPECT_EQ(b->GetWidth(), 0);
    EXPECT_EQ(changes, 1);
}

TEST_F(Buttons, DefaultsOfANewButton) {
    TuiEditButton* b = buttons.Add();
    EXPECT_EQ(b->GetKind(), bkDown);
    EXPECT_EQ(b->GetContentAlignment(), taCenter);
    EXPECT_TRUE(b->GetEnabled());
    EXPECT_TRUE(b->GetVisible());
    EXPECT_TRUE(b->GetStretchable());
    EXPECT_EQ(b->GetTextColor(), clBtnText);
    EXPECT_FALSE(b->HasGlyph());
}

TEST_F(Buttons, GlyphIsMadeOnFirstReadAndItsChangesAreTheButtons) {
    TuiEditButton* b = buttons.Add();
    TBitmap* glyph = b->GetGlyph();
    ASSERT_NE(glyph, nullptr);
    EXPECT_EQ(b->GetGlyph(), glyph);
    changes = 0;
    glyph->SetSize(8, 8);
    EXPECT_GE(changes, 1);
    EXPECT_TRUE(b->HasGlyph());
    b->SetGlyph(nullptr);
    EXPECT_FALSE(b->HasGlyph());
}

TEST_F(Buttons, AssignCopiesEverySettingInOneUpdate) {
    TuiEditButtons others{nullptr};
    TuiEditButton* source = others.Add();
    source->SetCaption("&Go");
    source->SetContentAlignment(taLeftJustify);
    source->SetEnabled(false);
    source->SetHint("Go|Goes there");
    source->SetKind(bkText);
    source->SetLeftAlignment(true);
    source->SetStretchable(false);
    source->SetTag(7);
    source->SetVisible(false);
    source->SetWidth(30);
    source->GetGlyph()->SetSize(4, 5);

    TuiEditButton* target = buttons.Add();
    changes = 0;
    target->Assign(source);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(target->GetVisibleCaption(), "Go");
    EXPECT_EQ(target->GetContentAlignment(), taLeftJustify);
    EXPECT_FALSE(target->GetEnabled());
    EXPECT_EQ(target->GetHint(), "Go|Goes there");
    EXPECT_EQ(target->GetKind(), bkText);
    EXPECT_TRUE(target->GetLeftAlignment());
    EXPECT_FALSE(target->GetStretchable());
    EXPECT_EQ(target->GetTag(), 7);
    EXPECT_FALSE(target->GetVisible());
    EXPECT_EQ(target->GetWidth(), 30);
    ASSERT_TRUE(target->HasGlyph());
    EXPECT_EQ(target->GetGlyph()->GetHeight(), 5);
    EXPECT_EQ(buttons.VisibleCount(), 0);
}

TEST_F(Buttons, CollectionAssignKeepsTheButtons) {
    TuiEditButton* a = buttons.Add();
    a->SetKind(bkEllipsis);
    buttons.Add()->SetVisible(false);
    TuiEditButtons copy{nullptr};
    copy.Assign(&buttons);
    ASSERT_EQ(copy.Count(), 2);
    EXPECT_EQ(copy.GetItem(0)->GetKind(), bkEllipsis);
    EXPECT_EQ(copy.VisibleCount(), 1);
}

}  // namespace

}  // namespace zel::test
