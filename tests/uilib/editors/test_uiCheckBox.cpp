// The check box under real input: its value rules, the toggle cycle by mouse, space bar and accelerator, an
// action's Checked, glyph strips of every length, the classic box's mark, and screenshots of the three states
// in the five looks.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "EditorGallery.h"
#include "platform/vcl/ActnList.h"
#include "platform/vcl/Forms.h"
#include "platform/vcl/Screenshot.h"
#include "platform/win/Gdi.h"
#include "platform/win/Messages.h"
#include "platform/win/Windows.h"
#include "support/vcl/QueuedInput.h"
#include "support/vcl/VclTestSupport.h"
#include "uilib/base/uiGraphics.h"
#include "uilib/base/uiLookAndFeelPainters.h"
#include "uilib/editors/uiCheckBox.h"
#include "uilib/editors/uiEditUtils.h"

namespace zel::test {
namespace {

class CheckBox : public EditorWindowTest {
protected:
    TuiCheckBox* NewBox(const std::string& ACaption = "&Power") {
        form = Keep(Construct<TEditorGalleryForm>(nullptr));
        form->SetBounds(100, 100, 260, 120);
        box = Construct<TuiCheckBox>(form);
        box->SetParent(form);
        box->SetBounds(10, 10, 121, 21);
        box->SetCaption(ACaption);
        box->OnClick = [this](TObject*) { ++clicks; };
        form->Show();
        ProcessPendingMessages();
        box->SetFocus();
        ProcessPendingMessages();
        return box;
    }
    void ClickBox() { ClickAt(box, TPoint{8, 10}); }
    // The colour at a client point of the box, as shown.
    COLORREF PixelAt(int X, int Y) {
        const TPoint s = OnScreen(box, X, Y);
        return ComposedScreenPixel(s.x, s.y);
    }

    TEditorGalleryForm* form = nullptr;
    TuiCheckBox* box = nullptr;
    int clicks = 0;
};

TEST(CheckBoxValues, EachValueTakesOnlyWhatKeepsTheThreeApart) {
    TuiCheckBoxProperties p(nullptr);
    EXPECT_TRUE(VarEqualsExact(p.GetValueChecked(), Variant(true)));
    EXPECT_TRUE(VarIsNull(p.GetValueGrayed()));
    EXPECT_TRUE(VarEqualsExact(p.GetValueUnchecked(), Variant(false)));
    struct Row {
        const char* Name;
        void (TuiCustomCheckBoxProperties::*Set)(const Variant&);
        const Variant& (TuiCustomCheckBoxProperties::*Get)() const;
        Variant Value;
        bool Taken;
    };
    const Row rows[] = {
        {"checked to Null", &TuiCustomCheckBoxProperties::SetValueChecked,
         &TuiCustomCheckBoxProperties::GetValueChecked, Variant::Null(), false},
        {"checked to the unchecked value", &TuiCustomCheckBoxProperties::SetValueChecked,
         &TuiCustomCheckBoxProperties::GetValueChecked, Variant(false), false},
        {"checked to 'Y'", &TuiCustomCheckBoxProperties::SetValueChecked, &TuiCustomCheckBoxProperties::GetValueChecked,
         Variant("Y"), true},
        {"unchecked to the checked value", &TuiCustomCheckBoxProperties::SetValueUnchecked,
         &TuiCustomCheckBoxProperties::GetValueUnchecked, Variant("Y"), false},
        {"unchecked to Null", &TuiCustomCheckBoxProperties::SetValueUnchecked,
         &TuiCustomCheckBoxProperties::GetValueUnchecked, Variant::Null(), false},
        {"unchecked to 'N'", &TuiCustomCheckBoxProperties::SetValueUnchecked,
         &TuiCustomCheckBoxProperties::GetValueUnchecked, Variant("N"), true},
        {"grayed to 'N'", &TuiCustomCheckBoxProperties::SetValueGrayed, &TuiCustomCheckBoxProperties::GetValueGrayed,
         Variant("N"), false},
        {"grayed to '?'", &TuiCustomCheckBoxProperties::SetValueGrayed, &TuiCustomCheckBoxProperties::GetValueGrayed,
         Variant("?"), true},
        {"grayed back to Null", &TuiCustomCheckBoxProperties::SetValueGrayed,
         &TuiCustomCheckBoxProperties::GetValueGrayed, Variant::Null(), true},
    };
    for (const Row& row : rows) {
        const Variant before = (p.*row.Get)();
        (p.*row.Set)(row.Value);
        EXPECT_TRUE(VarEqualsExact((p.*row.Get)(), row.Taken ? row.Value : before)) << row.Name;
    }
    // States and texts of values: exact equality, and anything else is grayed.
    EXPECT_EQ(p.GetState(Variant("Y")), cbsChecked);
    EXPECT_EQ(p.GetState(Variant("N")), cbsUnchecked);
    EXPECT_EQ(p.GetState(Variant("y")), cbsGrayed);
    EXPECT_EQ(p.GetState(Variant(1)), cbsGrayed);
    EXPECT_EQ(p.GetDisplayText(Variant("Y")), "True");
    EXPECT_EQ(p.GetDisplayText(Variant("N")), "False");
    EXPECT_EQ(p.GetDisplayText(Variant("x")), "");
    EXPECT_FALSE(p.IsKnownValue(Variant("x")));
    Variant shown;
    p.PrepareDisplayValue(Variant("Y"), shown);
    EXPECT_TRUE(VarEqualsExact(shown, Variant(1)));
    // The three together only when they stay apart.
    p.SetValues(Variant(1), Variant(1), Variant(0));
    EXPECT_TRUE(VarEqualsExact(p.GetValueChecked(), Variant("Y")));
    p.SetValues(Variant(1), Variant(2), Variant(0));
    EXPECT_TRUE(VarEqualsExact(p.GetValueGrayed(), Variant(2)));
}

TEST_F(CheckBox, ClicksRunTheToggleCycleWithAndWithoutGrayed) {
    NewBox();
    EXPECT_EQ(box->GetState(), cbsUnchecked);
    EXPECT_EQ(box->GetWidth(), 121);
    const std::vector<TuiCheckBoxState> plain = {cbsChecked, cbsUnchecked, cbsChecked};
    for (TuiCheckBoxState want : plain) {
        ClickBox();
        EXPECT_EQ(box->GetState(), want);
    }
    EXPECT_EQ(clicks, 3) << "one click event per change";
    box->Properties()->SetAllowGrayed(true);
    box->SetState(cbsUnchecked);
    clicks = 0;
    const std::vector<TuiCheckBoxState> cycle = {cbsGrayed, cbsChecked, cbsUnchecked, cbsGrayed};
    for (TuiCheckBoxState want : cycle) {
        ClickBox();
        EXPECT_EQ(box->GetState(), want);
    }
    EXPECT_EQ(clicks, 4);
    // A press on the box released outside it changes nothing.
    const TPoint in = OnScreen(box, 8, 10);
    SetCursorPos(in.x, in.y);
    mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
    ProcessPendingMessages();
    const TPoint out = OnScreen(box, 8, 60);
    SetCursorPos(out.x, out.y);
    ProcessPendingMessages();
    mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
    ProcessPendingMessages();
    EXPECT_EQ(box->GetState(), cbsGrayed);
}

TEST_F(CheckBox, HeldSpaceShowsTheBoxPressedAndItsReleaseTogglesOnce) {
    NewBox();
    keybd_event(VK_SPACE, 0, 0, 0);
    ProcessPendingMessages();
    keybd_event(VK_SPACE, 0, 0, 0);  // the key's repeat
    ProcessPendingMessages();
    EXPECT_EQ(box->CheckViewInfo()->CheckBoxVisualState, cvsPressed);
    EXPECT_EQ(box->GetState(), cbsUnchecked) << "nothing before the release";
    keybd_event(VK_SPACE, 0, KEYEVENTF_KEYUP, 0);
    ProcessPendingMessages();
    EXPECT_EQ(box->GetState(), cbsChecked);
    EXPECT_EQ(clicks, 1);
    EXPECT_NE(box->CheckViewInfo()->CheckBoxVisualState, cvsPressed);
    // The focus leaving validates the toggled value and keeps it.
    auto* other = new TEdit(form);
    other->SetParent(form);
    other->SetBounds(10, 50, 100, 22);
    other->SetFocus();
    ProcessPendingMessages();
    EXPECT_EQ(box->GetState(), cbsChecked);
    EXPECT_TRUE(VarEqualsExact(box->GetEditValue(), Variant(true)));
}

TEST_F(CheckBox, TheCaptionsAcceleratorFocusesAndToggles) {
    NewBox("&Power");
    auto* other = new TEdit(form);
    other->SetParent(form);
    other->SetBounds(10, 50, 100, 22);
    other->SetFocus();
    ProcessPendingMessages();
    EXPECT_EQ(box->Perform(CM_DIALOGCHAR, 'p', 0), 1);
    ProcessPendingMessages();
    EXPECT_EQ(GetFocus(), box->GetHandle());
    EXPECT_EQ(box->GetState(), cbsChecked);
    EXPECT_EQ(box->Perform(CM_DIALOGCHAR, 'q', 0), 0) << "another letter is not the box's";
    EXPECT_EQ(box->GetState(), cbsChecked);
    // A box that cannot take the focus lets its accelerator go.
    box->SetEnabled(false);
    EXPECT_EQ(box->Perform(CM_DIALOGCHAR, 'p', 0), 0);
    EXPECT_EQ(box->GetState(), cbsChecked);
}

TEST_F(CheckBox, AnActionsCheckedDrivesTheBox) {
    NewBox();
    auto* action = new TCustomAction(form);
    action->SetCaption("&Mute");
    action->SetChecked(true);
    box->SetAction(action);
    EXPECT_EQ(box->ActionLink()->ClassName(), "TuiCheckBoxActionLink");
    EXPECT_TRUE(box->GetChecked());
    EXPECT_EQ(box->Caption(), "&Mute");
    EXPECT_FALSE(box->IsStateStored()) << "the action gives the same state";
    action->SetChecked(false);
    EXPECT_EQ(box->GetState(), cbsUnchecked);
    action->SetChecked(true);
    EXPECT_EQ(box->GetState(), cbsChecked);
    // A grayed box is not linked: the action's change leaves it grayed.
    box->Properties()->SetAllowGrayed(true);
    box->SetState(cbsGrayed);
    EXPECT_FALSE(box->ActionLink()->IsCheckedLinked());
    EXPECT_TRUE(box->IsStateStored());
}

TEST_F(CheckBox, AutomaticSizeFitsTheBoxAndItsCaption) {
    NewBox("Portamento");
    TCanvas* canvas = uiScreenCanvas()->GetCanvas();
    const auto measure = [&] {
        canvas->Font()->Assign(box->Style()->GetVisibleFont());
        return TSize{canvas->TextWidth("Portamento"), canvas->TextHeight("Portamento")};
    };
    const TPoint mark = TuiCustomLookAndFeelPainter().CheckGlyphSize();
    TSize text = measure();
    EXPECT_EQ(box->GetHeight(), std::max<int>(mark.y, text.cy) + 4) << "two pixels around the taller of the two";
    EXPECT_EQ(box->GetWidth(), 121) << "the width stays the one given";

    box->Properties()->SetButtonsLayout(2);
    EXPECT_EQ(box->GetWidth(), mark.x + 3 + text.cx + 4) << "box, gap and caption";
    box->Font()->SetSize(box->Font()->GetSize() * 2);
    text = measure();
    EXPECT_EQ(box->GetWidth(), mark.x + 3 + text.cx + 4);
    EXPECT_EQ(box->GetHeight(), std::max<int>(mark.y, text.cy) + 4);

    // A centred box shows no caption and measures the box alone.
    box->Properties()->SetAlignment(taCenter);
    EXPECT_EQ(box->GetWidth(), mark.x + 4);
    const TuiCustomCheckBoxViewInfo& vi = *box->CheckViewInfo();
    EXPECT_EQ(vi.CheckBoxRect.left, 2) << "the box fits its editor";
}

TEST(CheckBoxGlyphs, TheCellOfAStateStaysInsideEveryStrip) {
    struct Row {
        TuiCheckBoxState State;
        bool Pressed;
        int Count;
        int Cell;
    };
    const Row rows[] = {
        {cbsChecked, true, 6, 4}, {cbsGrayed, true, 6, 5},   {cbsUnchecked, false, 6, 0}, {cbsChecked, true, 3, 1},
        {cbsGrayed, false, 3, 2}, {cbsChecked, false, 2, 1}, {cbsGrayed, false, 2, 0},    {cbsGrayed, true, 2, 0},
        {cbsChecked, true, 2, 1}, {cbsChecked, false, 1, 0}, {cbsGrayed, true, 1, 0},     {cbsUnchecked, true, 4, 3},
    };
    for (const Row& row : rows) {
        const int cell = TuiCustomCheckBoxViewInfo::GlyphIndex(row.State, row.Pressed, row.Count);
        EXPECT_EQ(cell, row.Cell) << row.State << (row.Pressed ? " pressed" : "") << " of " << row.Count;
        EXPECT_LT(cell, row.Count);
    }
}

TEST_F(CheckBox, AShortGlyphStripShowsItsOwnCells) {
    NewBox("");
    // Two cells of 12 x 12: red for unchecked, blue for checked; the corner pixel white as background.
    TBitmap* glyph = box->Properties()->GetGlyph();
    glyph->SetSize(24, 12);
    HDC dc = glyph->Canvas()->GetHandle();
    RECT all{0, 0, 24, 12};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    RECT red{1, 1, 11, 11}, blue{13, 1, 23, 11};
    HBRUSH r = CreateSolidBrush(RGB(255, 0, 0)), b = CreateSolidBrush(RGB(0, 0, 255));
    FillRect(dc, &red, r);
    FillRect(dc, &blue, b);
    DeleteObject(r);
    DeleteObject(b);
    box->Properties()->SetGlyphCount(2);
    box->Properties()->SetAllowGrayed(true);
    ProcessPendingMessages();
    const TRect cell = box->CheckViewInfo()->CheckBoxRect;
    ASSERT_EQ(cell.Width(), 12);
    const int cx = cell.left + 6, cy = cell.top + 6;
    EXPECT_EQ(PixelAt(cx, cy), static_cast<COLORREF>(0x0000FF));
    box->SetState(cbsChecked);
    EXPECT_EQ(PixelAt(cx, cy), static_cast<COLORREF>(0xFF0000));
    box->SetState(cbsGrayed);
    EXPECT_EQ(PixelAt(cx, cy), static_cast<COLORREF>(0x0000FF)) << "grayed wraps to the first cell";
}

TEST_F(CheckBox, TheClassicMarkComesFromTheCheckBitmapsMask) {
    ASSERT_NE(uiCheckBoxCheckMask(), nullptr);
    NewBox("");
    box->Style()->SetBorderStyle(cbsUltraFlat);
    box->SetChecked(true);
    ProcessPendingMessages();
    const TRect r = box->CheckViewInfo()->CheckBoxRect;
    ASSERT_EQ(r.Width(), 13);
    const COLORREF text = static_cast<COLORREF>(ColorToRGB(clBtnText));
    const COLORREF window = static_cast<COLORREF>(ColorToRGB(clWindow));
    // The mask's tick, at the place the system bitmap has it, and nothing else.
    int marked = 0;
    for (int y = 1; y < 12; ++y)
        for (int x = 1; x < 12; ++x) {
            const COLORREF c = PixelAt(r.left + x, r.top + y);
            if (c == text) ++marked;
            else EXPECT_EQ(c, window) << x << "," << y;
        }
    EXPECT_EQ(marked, 21);
    EXPECT_EQ(PixelAt(r.left + 5, r.top + 9), text);
    // Grayed shown as checked greys the mark; with nssUnchecked it looks unchecked.
    box->Properties()->SetAllowGrayed(true);
    box->SetState(cbsGrayed);
    EXPECT_EQ(PixelAt(r.left + 5, r.top + 9), static_cast<COLORREF>(ColorToRGB(clBtnShadow)));
    box->Properties()->SetNullStyle(nssUnchecked);
    ProcessPendingMessages();
    EXPECT_EQ(PixelAt(r.left + 5, r.top + 9), window);
}

class CheckBoxThemed : public CheckBox {
protected:
    void SetUp() override {
        themed_ = true;
        CheckBox::SetUp();
    }
};

TEST_F(CheckBoxThemed, TheNativeBoxDrawsTheButtonThemesCheckPartByState) {
    NewBox("Native");
    box->Style()->GetLookAndFeel()->SetNativeStyle(true);
    box->Properties()->SetAllowGrayed(true);
    struct Row {
        TuiCheckBoxState State;
        bool Enabled;
        int ThemeState;
    };
    const Row rows[] = {{cbsUnchecked, true, 1}, {cbsChecked, true, 5}, {cbsGrayed, true, 9}, {cbsChecked, false, 8}};
    for (const Row& row : rows) {
        box->SetEnabled(row.Enabled);
        box->SetState(row.State);
        provider_.Calls.clear();
        box->Repaint();
        bool drawn = false;
        for (const auto& call : provider_.Calls)
            if (call.Function == "DrawThemeBackground" && call.Part == 3) {
                EXPECT_EQ(call.State, row.ThemeState) << row.State;
                drawn = true;
            }
        EXPECT_TRUE(drawn) << row.State;
    }
}

// The check boxes in their three states, in every look, normal, focused and disabled.
TEST_F(CheckBoxThemed, Screenshot) {
    auto* gallery = Keep(Construct<TEditorGalleryForm>(nullptr));
    gallery->SetCaption("Check boxes");
    const int rows = 9;
    gallery->SetClientWidth(8 + kGalleryCellWidth * static_cast<int>(GalleryLooks().size()));
    gallery->SetClientHeight(8 + kGalleryCellHeight * rows);
    TuiCheckBox* focused = nullptr;
    int row = 0;
    for (const char* mode : {"normal", "focused", "disabled"})
        for (TuiCheckBoxState state : {cbsUnchecked, cbsChecked, cbsGrayed}) {
            int column = 0;
            for (const TGalleryLook& look : GalleryLooks()) {
                auto* b = Construct<TuiCheckBox>(gallery);
                b->SetParent(gallery);
                b->SetBounds(8 + column * kGalleryCellWidth, 6 + row * kGalleryCellHeight, kGalleryControlWidth,
                             kGalleryControlHeight);
                b->Style()->GetLookAndFeel()->SetKind(look.Kind);
                b->Style()->GetLookAndFeel()->SetNativeStyle(look.Native);
                b->Properties()->SetAllowGrayed(true);
                b->SetState(state);
                b->SetCaption(std::string(look.Name));
                b->SetEnabled(std::string(mode) != "disabled");
                if (std::string(mode) == "focused" && column == 0 && state == cbsChecked) focused = b;
                ++column;
            }
            ++row;
        }
    gallery->Show();
    ProcessPendingMessages();
    focused->SetFocus();
    ProcessPendingMessages();
    EXPECT_TRUE(SaveWindowImage(gallery->GetHandle(), ScreenshotPath("uiCheckBox_gallery")));
}

// A store that keeps what is posted to it, as a data source would.
class TRecordingBinding : public TuiEditDataBinding {
public:
    using TuiEditDataBinding::TuiEditDataBinding;
    bool CanPost() const override { return Edit()->GetValueModified(); }
    void SetStoredValue(const Variant& Value) override { Stored.push_back(VarToStr(Value)); }
    std::vector<std::string> Stored;
};

class TBoundCheckBox : public TuiCheckBox {
public:
    using TuiCheckBox::TuiCheckBox;
    std::string ClassName() const override { return "TBoundCheckBox"; }
    TRecordingBinding* Store() const { return static_cast<TRecordingBinding*>(DataBinding()); }

protected:
    TuiEditDataBinding* CreateDataBinding() override { return new TRecordingBinding(this); }
};

// With ImmediatePost every toggle, by the mouse or by the space bar, reaches the store at once; without it the
// value waits for the focus to leave.
TEST_F(CheckBox, ImmediatePostPostsEachToggle) {
    struct Row {
        const char* Name;
        bool Immediate;
        bool BySpace;
        std::vector<std::string> AfterToggles;  // stored after checking and unchecking
    };
    const std::vector<Row> rows = {{"ClickedWithImmediatePost", true, false, {"True", "False"}},
                                   {"SpaceWithImmediatePost", true, true, {"True", "False"}},
                                   {"ClickedWaitsForTheFocusToLeave", false, false, {}}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.Name);
        form = Keep(Construct<TEditorGalleryForm>(nullptr));
        form->SetBounds(100, 100, 260, 120);
        auto* bound = Construct<TBoundCheckBox>(form);
        box = bound;
        box->SetParent(form);
        box->SetBounds(10, 10, 121, 21);
        box->SetCaption("Power");
        box->Properties()->SetImmediatePost(row.Immediate);
        auto* other = NewEditAfter(form);
        form->Show();
        ProcessPendingMessages();
        box->SetFocus();
        ProcessPendingMessages();
        for (int i = 0; i < 2; ++i) {
            if (row.BySpace) Tap(VK_SPACE);
            else ClickBox();
        }
        EXPECT_EQ(box->GetState(), cbsUnchecked);
        EXPECT_EQ(bound->Store()->Stored, row.AfterToggles);
        ClickBox();
        other->SetFocus();
        ProcessPendingMessages();
        ASSERT_FALSE(bound->Store()->Stored.empty()) << "leaving posts the last toggle";
        EXPECT_EQ(bound->Store()->Stored.back(), "True");
        form->Hide();
    }
}

// A transparent check box shows its parent's colour around its box and caption; an opaque one its own.
TEST_F(CheckBox, TransparentShowsTheParentBehindTheBox) {
    const COLORREF parentColour = RGB(255, 230, 0);
    for (bool transparent : {false, true}) {
        SCOPED_TRACE(transparent ? "transparent" : "opaque");
        NewBox("Power");
        form->SetColor(static_cast<TColor>(parentColour));
        box->Style()->SetColor(clWindow);
        box->SetTransparent(transparent);
        EXPECT_EQ(box->GetTransparent(), transparent);
        box->Invalidate();
        ProcessPendingMessages();
        // Right of the caption, halfway down.
        const COLORREF shown = PixelAt(box->GetWidth() - 3, box->GetHeight() / 2);
        EXPECT_TRUE(SaveWindowImage(form->GetHandle(),
                                    ScreenshotPath(transparent ? "uiCheckBox_transparent" : "uiCheckBox_opaque")));
        EXPECT_EQ(shown, transparent ? parentColour : static_cast<COLORREF>(ColorToRGB(clWindow)));
        form->Hide();
    }
}

}  // namespace
}  // namespace zel::test
