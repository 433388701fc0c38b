// Scroll bars of the editors' look and feel over native ones: a container's own pair over its inner control's
// (with the size grip between them), and an inner list box's own pair over its native bars; each scrolled by a
// real press on it and by the wheel. Also the inner list box's keys, which its container hears first, and
// type-ahead over double-byte text.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "EditorGallery.h"
#include "platform/vcl/Screenshot.h"
#include "platform/vcl/StdCtrls.h"
#include "platform/win/FrameScrollBar.h"
#include "platform/win/Locale.h"
#include "platform/win/Messages.h"
#include "platform/win/SysInfo.h"
#include "support/vcl/QueuedInput.h"
#include "support/vcl/VclTestSupport.h"
#include "uilib/base/uiControlsInternal.h"
#include "uilib/editors/uiContainer.h"
#include "uilib/editors/uiDropDownEdit.h"

namespace zel::test {
namespace {

class OwnScrollBars : public EditorWindowTest {
protected:
    TEditorGalleryForm* NewForm() {
        auto* form = Keep(Construct<TEditorGalleryForm>(nullptr));
        form->SetBounds(100, 100, 320, 260);
        return form;
    }
    // The native bar's rectangle in Parent's client coordinates, and its scroll state.
    static TRect NativeBar(HWND Inner, LONG Object, TWinControl* Parent) {
        SCROLLBARINFO info;
        EXPECT_TRUE(GetScrollBarInfo(Inner, Object, &info));
        const TPoint p = Parent->ScreenToClient(TPoint{info.rcScrollBar.left, info.rcScrollBar.top});
        return TRect{p.x, p.y, p.x + info.rcScrollBar.right - info.rcScrollBar.left,
                     p.y + info.rcScrollBar.bottom - info.rcScrollBar.top};
    }
    static SCROLLINFO Info(HWND Inner, int Bar) {
        SCROLLINFO si;
        si.fMask = SIF_ALL;
        EXPECT_TRUE(GetScrollInfo(Inner, Bar, &si));
        return si;
    }
    // An own bar lies over the native one and stands for the same range, page and position.
    static void ExpectMatches(TuiScrollBar* Own, HWND Inner, int Bar, TWinControl* Parent) {
        ASSERT_TRUE(Own->GetVisible());
        EXPECT_EQ(Own->GetParent(), Parent);
        EXPECT_EQ(Own->BoundsRect(), NativeBar(Inner, Bar == SB_VERT ? OBJID_VSCROLL : OBJID_HSCROLL, Parent));
        const SCROLLINFO si = Info(Inner, Bar);
        EXPECT_EQ(Own->GetMin(), si.nMin);
        EXPECT_EQ(Own->GetMax(), si.nMax);
        EXPECT_EQ(Own->GetPageSize(), static_cast<int>(si.nPage));
        EXPECT_EQ(Own->GetPosition(), si.nPos);
    }
    // A left click at a client point of a bar, through the input queue.
    static void ClickBar(TuiScrollBar* Bar, int X, int Y) { ClickAt(Bar, TPoint{X, Y}); }
    // The wheel turned towards the user over a control, as the control hears it.
    static void Wheel(TWinControl* Over, int Notches) {
        const TPoint p = OnScreen(Over, 10, 10);
        SetCursorPos(p.x, p.y);
        SendMessage(Over->GetHandle(), WM_MOUSEWHEEL,
                    MAKEWPARAM(0, static_cast<WORD>(static_cast<SHORT>(-120 * Notches))),
                    MAKELPARAM(static_cast<WORD>(p.x), static_cast<WORD>(p.y)));
        ProcessPendingMessages();
    }
};

TEST_F(OwnScrollBars, TheInnerListBoxsBarsCoverItsNativeOnesAndScrollItByPress) {
    TEditorGalleryForm* form = NewForm();
    TuiContainer* container = NewInnerListContainer(form, TRect{10, 10, 150, 110}, 40);
    container->Style()->GetLookAndFeel()->SetKind(lfUltraFlat);
    form->Show();
    ProcessPendingMessages();
    auto* list = static_cast<TuiCustomInnerListBox*>(container->GetInnerControl());
    const HWND h = list->GetHandle();
    ExpectMatches(list->VScrollBar(), h, SB_VERT, container);
    ExpectMatches(list->HScrollBar(), h, SB_HORZ, container);
    EXPECT_EQ(list->VScrollBar()->GetLookAndFeel()->GetKind(), lfUltraFlat) << "the bars follow the container's look";
    // The corner between the two bars takes the container's painter colour over the native corner.
    const TRect v = list->VScrollBar()->BoundsRect(), hr = list->HScrollBar()->BoundsRect();
    EXPECT_EQ(ComposedPixel(h, v.left - list->GetLeft() + 3, hr.top - list->GetTop() + 3),
              static_cast<COLORREF>(ColorToRGB(container->GetPainter()->ScrollBarCornerColor())));

    const int rows = static_cast<int>(list->VScrollBar()->GetPageSize());
    TuiScrollBar* bar = list->VScrollBar();
    struct TPress {
        const char* name;
        std::function<TPoint()> at;
        int top;
    } presses[] = {
        {"DownArrow",
         [&] {
             return TPoint{bar->GetWidth() / 2, bar->GetHeight() - 3};
         },
         1},
        {"PageBelowTheThumb",
         [&] {
             return TPoint{bar->GetWidth() / 2, bar->GetViewInfo()->ThumbnailRect.bottom + 2};
         },
         1 + rows},
        {"UpArrow",
         [&] {
             return TPoint{bar->GetWidth() / 2, 3};
         },
         rows},
    };
    for (const TPress& press : presses) {
        SCOPED_TRACE(press.name);
        ClickBar(bar, press.at().x, press.at().y);
        EXPECT_EQ(list->GetTopIndex(), press.top);
        EXPECT_EQ(bar->GetPosition(), press.top);
        ExpectMatches(bar, h, SB_VERT, container);
    }
    // The thumb dragged to the bottom shows the last rows.
    const TRect thumb = bar->GetViewInfo()->ThumbnailRect;
    const TPoint grip = OnScreen(bar, bar->GetWidth() / 2, thumb.top + 2);
    SetCursorPos(grip.x, grip.y);
    mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
    ProcessPendingMessages();
    SetCursorPos(grip.x, grip.y + bar->GetHeight());
    ProcessPendingMessages();
    mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
    ProcessPendingMessages();
    EXPECT_EQ(list->GetTopIndex(), 40 - rows);
    ExpectMatches(bar, h, SB_VERT, container);
    // Sideways: the horizontal bar's right arrow.
    TuiScrollBar* side = list->HScrollBar();
    ClickBar(side, side->GetWidth() - 3, side->GetHeight() / 2);
    EXPECT_GT(GetScrollPos(h, SB_HORZ), 0);
    ExpectMatches(side, h, SB_HORZ, container);
    // Emptied, the list needs no bars: both go.
    list->Items()->Clear();
    ProcessPendingMessages();
    EXPECT_FALSE(list->VScrollBar()->GetVisible());
}

TEST_F(OwnScrollBars, TheComboBoxsLongListScrollsByItsOwnBarAndByTheWheel) {
    TEditorGalleryForm* form = NewForm();
    auto* combo = Construct<TuiComboBox>(form);
    combo->SetParent(form);
    combo->SetBounds(10, 10, 140, 21);
    combo->Style()->GetLookAndFeel()->SetKind(lfUltraFlat);
    for (int i = 0; i < 30; ++i) combo->Properties()->Items()->Add("Patch " + std::to_string(i + 1));
    form->Show();
    combo->SetFocus();
    ProcessPendingMessages();
    Tap(VK_F4);
    ASSERT_TRUE(combo->HasPopupWindow());
    auto* list = static_cast<TuiCustomInnerListBox*>(combo->PopupList());
    EXPECT_EQ(list->GetContainer(), combo);
    TuiScrollBar* bar = list->VScrollBar();
    ExpectMatches(bar, list->GetHandle(), SB_VERT, list->GetParent());
    EXPECT_EQ(bar->GetPageSize(), 8) << "eight rows shown";
    EXPECT_FALSE(list->HScrollBar()->GetVisible());
    EXPECT_EQ(bar->GetLookAndFeel()->GetKind(), lfUltraFlat) << "the list's bars follow the combo box's look";
    EXPECT_TRUE(SaveWindowImage(list->GetParent()->GetHandle(), ScreenshotPath("editors_combo_long_list_ultraflat")));

    ClickBar(bar, bar->GetWidth() / 2, bar->GetHeight() - 3);
    EXPECT_EQ(list->GetTopIndex(), 1) << "the down arrow";
    ASSERT_TRUE(combo->HasPopupWindow()) << "a press on the bar keeps the list open";
    Wheel(list, 1);
    const int lines = std::max(1, Mouse->GetWheelScrollLines());
    EXPECT_EQ(list->GetTopIndex(), 1 + lines) << "the wheel";
    EXPECT_EQ(bar->GetPosition(), 1 + lines);
    ExpectMatches(bar, list->GetHandle(), SB_VERT, list->GetParent());
}

TEST_F(OwnScrollBars, TheContainersOwnBarsCoverItsInnerControlsWithTheSizeGripBetween) {
    TEditorGalleryForm* form = NewForm();
    TScrollingContainer* container = NewGripListContainer(form, TRect{10, 10, 150, 110}, 30);
    form->Show();
    ProcessPendingMessages();
    HWND inner = container->GetInnerControl()->GetHandle();
    TuiScrollBar* vert = container->GetVertScrollBar();
    TuiScrollBar* horz = container->GetHorzScrollBar();
    ExpectMatches(vert, inner, SB_VERT, container);
    ExpectMatches(horz, inner, SB_HORZ, container);
    EXPECT_TRUE(container->IsSizeGripShown());
    EXPECT_TRUE(container->GetSizeGrip()->GetVisible());
    EXPECT_EQ(container->GetSizeGrip()->BoundsRect(),
              (TRect{vert->GetLeft(), horz->GetTop(), vert->BoundsRect().right, horz->BoundsRect().bottom}));

    ClickBar(vert, vert->GetWidth() / 2, vert->GetHeight() - 3);
    EXPECT_EQ(SendMessage(inner, LB_GETTOPINDEX, 0, 0), 1) << "the own bar scrolls the inner control";
    ExpectMatches(vert, inner, SB_VERT, container);
    Wheel(container->GetInnerControl(), 1);
    EXPECT_GT(SendMessage(inner, LB_GETTOPINDEX, 0, 0), 1) << "the wheel";
    ExpectMatches(vert, inner, SB_VERT, container);

    container->SetEnabled(false);
    EXPECT_FALSE(vert->GetEnabled());
    EXPECT_FALSE(horz->GetEnabled());
    container->SetEnabled(true);
    EXPECT_TRUE(vert->GetEnabled());

    // Nothing left to scroll: the bars and the grip go.
    SendMessage(inner, LB_RESETCONTENT, 0, 0);
    SendMessage(inner, LB_SETHORIZONTALEXTENT, 0, 0);
    ProcessPendingMessages();
    EXPECT_FALSE(vert->GetVisible());
    EXPECT_FALSE(horz->GetVisible());
    EXPECT_FALSE(container->IsSizeGripShown());
    EXPECT_FALSE(container->GetSizeGrip()->GetVisible());
}

// The own bars follow the native ones only when the start-up found GetScrollBarInfo.
class OwnScrollBarsWithoutBarInfo : public OwnScrollBars {
protected:
    void SetUp() override {
        SetEntryPointAvailable("GetScrollBarInfo", false);
        OwnScrollBars::SetUp();
    }
    void TearDown() override {
        OwnScrollBars::TearDown();
        ResetEntryPoints();
    }
};

TEST_F(OwnScrollBarsWithoutBarInfo, NoOwnBarIsShown) {
    EXPECT_FALSE(uiScrollBarInfoBound());
    TEditorGalleryForm* form = NewForm();
    TScrollingContainer* container = NewGripListContainer(form, TRect{10, 10, 150, 110}, 30);
    TuiContainer* lists = NewInnerListContainer(form, TRect{160, 10, 300, 110}, 30);
    form->Show();
    ProcessPendingMessages();
    EXPECT_FALSE(container->GetVertScrollBar()->GetVisible());
    EXPECT_FALSE(static_cast<TuiCustomInnerListBox*>(lists->GetInnerControl())->VScrollBar()->GetVisible());
}

// ---- keys

class InnerListKeys : public EditorWindowTest {};

TEST_F(InnerListKeys, TheContainerHearsKeysFirstAndWhatItTakesStopsThere) {
    auto* form = Keep(Construct<TEditorGalleryForm>(nullptr));
    form->SetBounds(100, 100, 240, 200);
    TuiContainer* container = NewInnerListContainer(form, TRect{10, 10, 150, 120}, 0);
    auto* list = static_cast<TuiCustomInnerListBox*>(container->GetInnerControl());
    for (const char* item : {"apple", "banana", "cherry", "date"}) list->Items()->Add(item);
    WORD takeDown = 0;
    char takePress = 0;
    std::vector<std::string> heard;
    container->OnKeyDown = [&](TObject*, WORD& Key, TShiftState) {
        heard.push_back("down " + std::to_string(Key));
        if (Key == takeDown) Key = 0;
    };
    container->OnKeyUp = [&](TObject*, WORD& Key, TShiftState) { heard.push_back("up " + std::to_string(Key)); };
    container->OnKeyPress = [&](TObject*, char& Key) {
        heard.push_back(std::string("press ") + Key);
        if (Key == takePress) Key = 0;
    };
    form->Show();
    list->SetFocus();
    ProcessPendingMessages();
    list->SetItemIndex(0);
    struct TRow {
        const char* name;
        WORD key;
        WORD takenDown;
        char takenPress;
        int index;
        std::vector<std::string> heard;
    } rows[] = {
        {"ArrowMovesTheList", VK_DOWN, 0, 0, 1, {"down 40", "up 40"}},
        {"ArrowTakenByTheContainer", VK_DOWN, VK_DOWN, 0, 1, {"down 40", "up 40"}},
        {"LetterTypesAhead", 'C', 0, 0, 2, {"down 67", "press c", "up 67"}},
        {"LetterTakenByTheContainer", 'D', 0, 'd', 2, {"down 68", "press d", "up 68"}},
    };
    for (const TRow& row : rows) {
        SCOPED_TRACE(row.name);
        Run(600);  // a new type-ahead prefix each time
        heard.clear();
        takeDown = row.takenDown;
        takePress = row.takenPress;
        Tap(row.key);
        EXPECT_EQ(list->GetItemIndex(), row.index);
        EXPECT_EQ(heard, row.heard);
    }
}

TEST_F(InnerListKeys, TypeAheadTakesADoubleByteCharacterWhole) {
    // A double-byte code page whose lead bytes are 81H to 9FH.
    SetTestLeadByteRanges({{0x81, 0x9F}});
    auto* form = Keep(Construct<TEditorGalleryForm>(nullptr));
    form->SetBounds(100, 100, 240, 200);
    TuiContainer* container = NewInnerListContainer(form, TRect{10, 10, 150, 120}, 0);
    auto* list = static_cast<TuiCustomInnerListBox*>(container->GetInnerControl());
    for (const char* item : {"\x82\xA0 one", "\x82\xA1 two", "\x83\x41 three"}) list->Items()->Add(item);
    form->Show();
    list->SetFocus();
    ProcessPendingMessages();
    const HWND h = list->GetHandle();
    const auto type = [h](std::initializer_list<BYTE> Bytes) {
        for (BYTE b : Bytes) PostMessage(h, WM_CHAR, b, 1);
        ProcessPendingMessages();
    };
    type({0x82, 0xA1});
    EXPECT_EQ(list->TypeAheadText(), "\x82\xA1") << "the trail byte joins its lead byte";
    EXPECT_EQ(list->GetItemIndex(), 1);
    type({0x83, 0x41});
    EXPECT_EQ(list->TypeAheadText(), "\x82\xA1\x83\x41");
    type({VK_BACK});
    EXPECT_EQ(list->TypeAheadText(), "\x82\xA1") << "Backspace takes both bytes";
    type({VK_BACK});
    EXPECT_EQ(list->TypeAheadText(), "");
    EXPECT_EQ(list->GetItemIndex(), 0);
    SetTestLeadByteRanges({});
}

// Owner-drawn items without a draw handler of their own: the selection on the highlight, the rest on the list's
// colour, and the item text in the list's font.
TEST_F(InnerListKeys, OwnerDrawnItemsDrawWithoutAHandler) {
    auto* form = Keep(Construct<TEditorGalleryForm>(nullptr));
    form->SetBounds(100, 100, 240, 200);
    TuiContainer* container = NewInnerListContainer(form, TRect{10, 10, 150, 120}, 0);
    auto* list = static_cast<TuiCustomInnerListBox*>(container->GetInnerControl());
    list->SetStyle(lbOwnerDrawFixed);
    list->SetItemHeight(18);
    for (const char* item : {"apple", "banana", "cherry"}) list->Items()->Add(item);
    form->Show();
    ProcessPendingMessages();
    list->SetItemIndex(1);
    ProcessPendingMessages();
    const HWND h = list->GetHandle();
    const int right = list->ClientWidth() - GetSystemMetrics(SM_CXVSCROLL) - 4;
    EXPECT_EQ(ComposedPixel(h, right, 18 + 9), GetSysColor(COLOR_HIGHLIGHT)) << "the selected item";
    EXPECT_EQ(ComposedPixel(h, right, 9), static_cast<COLORREF>(ColorToRGB(list->GetColor()))) << "another item";
    bool text = false;
    for (int x = 2; x < 30 && !text; ++x)
        for (int y = 1; y < 17 && !text; ++y) text = ComposedPixel(h, x, y) != ComposedPixel(h, right, 9);
    EXPECT_TRUE(text) << "the first item's text";
}

// ---- pictures

class OwnScrollBarsThemed : public OwnScrollBars {
protected:
    OwnScrollBarsThemed() { themed_ = true; }
};

TEST_F(OwnScrollBarsThemed, GalleryRowsShowTheOwnBarsInEveryLook) {
    TEditorGalleryForm* form = Keep(NewEditorGallery());
    form->SetBounds(0, 0, form->GetWidth(), form->GetHeight());
    form->Show();
    ProcessPendingMessages();
    std::vector<TuiContainer*> scrolling;
    for (TuiContainer* c : form->Containers)
        if (dynamic_cast<TScrollingContainer*>(c) != nullptr ||
            dynamic_cast<TuiCustomInnerListBox*>(c->GetInnerControl()) != nullptr)
            scrolling.push_back(c);
    ASSERT_EQ(scrolling.size(), GalleryLooks().size() * 3);
    for (std::size_t i = 0; i < scrolling.size(); ++i) {
        TuiContainer* c = scrolling[i];
        const TGalleryLook& look = GalleryLooks()[i % GalleryLooks().size()];
        SCOPED_TRACE(std::string(look.Name) + " row " + std::to_string(i / GalleryLooks().size()));
        auto* list = dynamic_cast<TuiCustomInnerListBox*>(c->GetInnerControl());
        TuiScrollBar* vert = list != nullptr ? list->VScrollBar() : c->GetVertScrollBar();
        ASSERT_TRUE(vert->GetVisible());
        EXPECT_EQ(vert->GetLookAndFeel()->GetKind(), look.Kind);
        EXPECT_EQ(vert->GetLookAndFeel()->GetNativeStyle(), look.Native);
        // Scrolled halfway by the own bar's thumb, for the picture.
        vert->SetPosition(vert->GetMax() / 2);
        int position = vert->GetPosition();
        vert->OnScroll(vert, scPosition, position);
    }
    ProcessPendingMessages();
    EXPECT_TRUE(SaveWindowImage(form->GetHandle(), ScreenshotPath("editors_gallery_scroll_bars")));
}

}  // namespace
}  // namespace zel::test
