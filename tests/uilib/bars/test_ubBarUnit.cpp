// The framework's process-wide services: item-class registry, item names and captions, window look-ups, the
// message pumps, sounds, operating-system flags, cursors and mouse-leave tracking on both roads.
#include <vector>

#include "BarsTestSupport.h"
#include "uilib/base/uiBaseUnits.h"

namespace zel::test {
namespace {

using ubBarUnit = BarsTest;

const TClassInfo kItemBase{"TubBarItem", nullptr};
const TClassInfo kButton{"TubBarButton", &kItemBase};
const TClassInfo kEdit{"TubBarEdit", &kItemBase};
const TClassInfo kQuick{"TubBarQuickCustItem", &kItemBase};
const TClassInfo kButtonControl{"TubBarButtonControl", nullptr};
const TClassInfo kEditControl{"TubBarEditControl", nullptr};

// The framework's unit is one row of the start-up list, after the library's rows.
TEST_F(ubBarUnit, UnitRowFollowsTheLibrarysRows) {
    const TUnitRows all = ubBarUnitList(), library = uiBaseUnitList();
    ASSERT_EQ(all.size(), library.size() + 1);
    for (std::size_t i = 0; i < library.size(); ++i) EXPECT_EQ(all[i].Name, library[i].Name);
    EXPECT_EQ(all.back().Name, "ubBar");
    ASSERT_NE(BarManagerList(), nullptr);
}

TEST_F(ubBarUnit, RegistryOffersOnlyVisibleClassesInRegistrationOrder) {
    // The unit's start-up has registered the framework's own item classes before these.
    const int offered = OfferedItemClassCount();
    const int records = RegItemRecordCount();
    RegisterBarItem(&kButton, &kButtonControl, true);
    RegisterBarItem(&kQuick, &kButtonControl, false);
    RegisterBarItem(&kEdit, &kEditControl, true);
    EXPECT_EQ(OfferedItemClassCount(), offered + 2);
    EXPECT_EQ(OfferedItemClass(offered), &kButton);
    EXPECT_EQ(OfferedItemClass(offered + 1), &kEdit);
    EXPECT_EQ(OfferedItemClass(offered + 2), nullptr);
    EXPECT_EQ(OfferedItemClass(-1), nullptr);
    EXPECT_EQ(ItemControlClassOf(&kEdit), &kEditControl);
    UnregisterBarItem(&kButton);
    EXPECT_EQ(OfferedItemClassCount(), offered + 1);
    EXPECT_EQ(OfferedItemClass(offered), &kEdit);
    UnregisterBarItem(&kButton);  // gone already: nothing happens
    EXPECT_EQ(RegItemRecordCount(), records + 2);
}

TEST_F(ubBarUnit, RegisteredItemClassesAreKnownToTheFormReader) {
    static const TClassInfo streamed{"TStreamedStandIn", &kItemBase};
    RegisterBarItem(&streamed, &kButtonControl, true,
                    [](TComponent* owner) -> TComponent* { return Construct<TStandInItem>(owner); });
    const TComponentClassInfo* info = FindComponentClass("TStreamedStandIn");
    ASSERT_NE(info, nullptr);
    EXPECT_TRUE(static_cast<bool>(info->Create));
}

TEST_F(ubBarUnit, UniqueItemNameSkipsNamesTakenIgnoringCase) {
    TTestForm* form = NewForm();
    auto* manager = new TubBarManager(form);
    EXPECT_EQ(UniqueItemName(manager, &kButton), "ubBarButton1");
    auto* a = new TStandInItem(form);
    a->SetName("ubBarButton1");
    auto* b = new TStandInItem(form);
    b->SetName("UBBARBUTTON2");
    EXPECT_EQ(UniqueItemName(manager, &kButton), "ubBarButton3");
    EXPECT_EQ(UniqueItemName(manager, &kEdit), "ubBarEdit1");
}

TEST_F(ubBarUnit, TemporaryItemsAreFreedOnceNoOpenBarShowsThem) {
    auto* manager = new TubBarManager(NewForm());
    auto* shown = new TStandInItem(nullptr);
    auto* gone = new TStandInItem(nullptr);
    EXPECT_EQ(shown->GetBarManager(), manager);  // no owner form: the first manager
    shown->Showing = true;
    TemporaryItems().Add(shown);
    TemporaryItems().Add(gone);
    FreeTemporaryItems();
    ASSERT_EQ(TemporaryItems().Count(), 1);
    EXPECT_EQ(TemporaryItems()[0], shown);
    EXPECT_EQ(manager->ItemCount(), 1);
    // A temporary item that its manager frees leaves the list too.
    delete manager;
    EXPECT_EQ(TemporaryItems().Count(), 0);
}

TEST_F(ubBarUnit, SmallTextAndValueHelpers) {
    struct TRow {
        const char* text;
        const char* stripped;
    } rows[] = {
        {"&&Save&", "&Save&"}, {"&File", "File"}, {"Save &As...", "Save As..."}, {"", ""}, {"&", "&"}, {"a&&&b", "a&b"},
    };
    for (const TRow& row : rows) EXPECT_EQ(StripAccelerators(row.text), row.stripped) << row.text;

    EXPECT_EQ(ItemVisibleOf(true), ivAlways);
    EXPECT_EQ(ItemVisibleOf(false), ivNever);
    for (auto [in, out] : {std::pair{5, 20}, {20, 20}, {21, 21}, {-3, 20}}) {
        int v = in;
        MinimumTwenty(v);
        EXPECT_EQ(v, out) << in;
    }
}

TEST_F(ubBarUnit, ManagerOfFormFindsTheFormsManagerOnly) {
    TTestForm* form = NewForm();
    TTestForm* other = NewForm();
    auto* manager = new TubBarManager(form);
    EXPECT_EQ(ManagerOfForm(form), manager);
    EXPECT_EQ(ManagerOfForm(other), nullptr);
    EXPECT_EQ(ManagerOfForm(nullptr), nullptr);
    NotifyDesignerOf(nullptr);  // ignored
}

TEST_F(ubBarUnit, WindowLookUpsClimbAndDescend) {
    TTestForm* form = NewForm();
    form->SetBounds(100, 100, 300, 200);
    auto* panel = new TCustomControl(form);
    panel->SetParent(form);
    panel->SetBounds(10, 10, 100, 100);
    auto* inner = new TCustomControl(form);
    inner->SetParent(panel);
    inner->SetBounds(20, 20, 40, 40);
    form->Show();
    inner->HandleNeeded();
    ProcessPendingMessages();

    EXPECT_EQ(ControlOfWindow(inner->GetHandle()), inner);
    EXPECT_TRUE(IsAncestorWindow(inner->GetHandle(), form->GetHandle()));
    EXPECT_FALSE(IsAncestorWindow(form->GetHandle(), inner->GetHandle()));
    EXPECT_FALSE(IsAncestorWindow(inner->GetHandle(), nullptr));
    EXPECT_EQ(DeepestWindowAt(OnScreen(inner, 5, 5)), inner->GetHandle());
    EXPECT_EQ(DeepestWindowAt(OnScreen(panel, 80, 80)), panel->GetHandle());
    inner->SetVisible(false);
    EXPECT_EQ(DeepestWindowAt(OnScreen(panel, 25, 25)), panel->GetHandle());
}

TEST_F(ubBarUnit, MessagePumpsPostAQuitMetOnTheWayAgain) {
    TTestForm* form = NewForm();
    int moves = 0;
    form->WindowProc = [&, old = form->WindowProc](TMessage& m) {
        if (m.Msg == WM_MOUSEMOVE) ++moves;
        old(m);
    };
    for (auto pump : {&ProcessMouseMessages, &ProcessPaintMessages}) {
        PostMessage(form->GetHandle(), WM_MOUSEMOVE, 0, 0);
        PostQuitMessage(7);
        pump();
        int code = 0;
        EXPECT_TRUE(QuitPending(&code));  // taken on the way and posted again
        EXPECT_EQ(code, 7);
        MSG msg;
        while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE))
            if (msg.message != WM_QUIT) DispatchMessage(&msg);
        EXPECT_FALSE(QuitPending());
    }
    EXPECT_EQ(moves, 2);
}

TEST_F(ubBarUnit, SoundsAreAsynchronousAliasesWithoutDefault) {
    PlayBarSound(ubsMenuPopup);
    PlayBarSound(ubsMenuCommand);
    PrimeSound();
    const std::vector<TPlayedSound>& played = PlayedSounds();
    ASSERT_EQ(played.size(), 3u);
    EXPECT_EQ(played[0].Sound, "MenuPopup");
    EXPECT_EQ(played[1].Sound, "MenuCommand");
    EXPECT_EQ(played[2].Sound, "");
    for (const TPlayedSound& s : played) EXPECT_EQ(s.Flags, SND_ALIAS | SND_ASYNC | SND_NODEFAULT | SND_NOWAIT);
}

TEST_F(ubBarUnit, StartUpSetsFlagsEntriesCursorsAndTheDitherBrush) {
    EXPECT_FALSE(IsWin9x);
    EXPECT_FALSE(IsWin95);
    EXPECT_TRUE(HasMenuItemBitmaps);  // NT 5.1
    EXPECT_TRUE(HasTrackMouseEvent());
    EXPECT_TRUE(HasSetLayeredWindowAttributes());
    EXPECT_TRUE(HasUpdateLayeredWindow());  // the off-screen platform composes the windows itself
    EXPECT_FALSE(HasAnimateWindow());
    for (TCursor c : {crubBarDrag, crubBarDragCopy, crubBarDragNoDrop, crubBarEditSizing})
        EXPECT_NE(Screen->Cursors(c), Screen->Cursors(crDefault)) << c;
    EXPECT_EQ(SystemMenuBitmapName(9), "UBBARRESTORE");
    EXPECT_EQ(SystemMenuBitmapName(12), "");

    // The dither brush: button face where x and y are both even or both odd.
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bmp = CreateBitmap(8, 8, 1, 32, nullptr);
    HGDIOBJ old = SelectObject(dc, bmp);
    RECT r{0, 0, 8, 8};
    FillRect(dc, &r, DitherBrush());
    EXPECT_EQ(GetPixel(dc, 0, 0), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(GetPixel(dc, 3, 5), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(GetPixel(dc, 1, 0), GetSysColor(COLOR_BTNHIGHLIGHT));
    SelectObject(dc, old);
    DeleteObject(bmp);
    DeleteDC(dc);
    EXPECT_EQ(ScreenBitsPerPixel(), 32);
}

// The optional user32 entries are looked up once, when the unit starts.
TEST_F(ubBarUnit, OptionalEntriesAreBoundAtStartUp) {
    struct TRow {
        const char* entry;
        bool (*bound)();
    } rows[] = {{"TrackMouseEvent", &HasTrackMouseEvent},
                {"UpdateLayeredWindow", &HasUpdateLayeredWindow},
                {"AnimateWindow", &HasAnimateWindow},
                {"SetLayeredWindowAttributes", &HasSetLayeredWindowAttributes}};
    for (bool available : {true, false})
        for (const TRow& row : rows) {
            ubBarShutdown();
            SetEntryPointAvailable(row.entry, available);
            ubBarStartup();
            EXPECT_EQ(row.bound(), available) << row.entry;
            SetEntryPointAvailable(row.entry, !available);
            EXPECT_EQ(row.bound(), available) << row.entry << " (bound at start-up only)";
            ResetEntryPoints();
        }
}

TEST_F(ubBarUnit, ButtonStateHonoursSwappedButtons) {
    TTestForm* form = NewForm();
    form->SetBounds(10, 10, 100, 100);
    form->Show();
    const TPoint p = OnScreen(form, 20, 20);
    SetCursorPos(p.x, p.y);
    ProcessPendingMessages();
    mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
    ProcessPendingMessages();
    EXPECT_TRUE(IsPrimaryButtonDown());
    EXPECT_FALSE(IsSecondaryButtonDown());
    SwapMouseButton(TRUE);
    EXPECT_FALSE(IsPrimaryButtonDown());
    EXPECT_TRUE(IsSecondaryButtonDown());
    SwapMouseButton(FALSE);
    mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
    ProcessPendingMessages();
    EXPECT_FALSE(IsPrimaryButtonDown());
}

// Mouse-leave tracking delivers one WM_MOUSELEAVE on both roads: through TrackMouseEvent and, without it,
// through the 50 ms look at the deepest window under the cursor.
TEST_F(ubBarUnit, TrackMouseLeaveDeliversOneLeaveOnBothRoads) {
    for (bool withTrackMouseEvent : {true, false}) {
        SCOPED_TRACE(withTrackMouseEvent ? "TrackMouseEvent" : "timer");
        ubBarShutdown();
        SetEntryPointAvailable("TrackMouseEvent", withTrackMouseEvent);
        ubBarStartup();
        TTestForm* form = NewForm();
        form->SetBounds(50, 50, 200, 150);
        auto* area = new TCustomControl(form);
        area->SetParent(form);
        area->SetBounds(10, 10, 80, 80);
        int leaves = 0;
        area->WindowProc = [&, old = area->WindowProc](TMessage& m) {
            if (m.Msg == WM_MOUSELEAVE) ++leaves;
            old(m);
        };
        form->Show();
        const TPoint inside = OnScreen(area, 40, 40);
        SetCursorPos(inside.x, inside.y);
        Run(20);
        TrackMouseLeave(area->GetHandle());
        EXPECT_TRUE(IsTrackingMouseLeave(area->GetHandle()));
        Run(200);
        EXPECT_EQ(leaves, 0);
        const TPoint outside = OnScreen(form, 150, 120);
        SetCursorPos(outside.x, outside.y);
        Run(200);
        EXPECT_EQ(leaves, 1);
        EXPECT_FALSE(IsTrackingMouseLeave(area->GetHandle()));
        Run(200);
        EXPECT_EQ(leaves, 1);

        // Cancelling sends the leave at once.
        SetCursorPos(inside.x, inside.y);
        Run(20);
        TrackMouseLeave(area->GetHandle());
        CancelMouseLeave(area->GetHandle());
        EXPECT_EQ(leaves, 2);
        EXPECT_FALSE(IsTrackingMouseLeave(area->GetHandle()));
        SetCursorPos(outside.x, outside.y);
        Run(200);
        EXPECT_EQ(leaves, 2);
    }
}

}  // namespace
}  // namespace zel::test
