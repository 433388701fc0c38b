// Dock controls with stand-in toolbar windows: the side docks of a manager, where dropped and re-shown
// bars go, the layout of the rows, the dock sized to them, activation, background and border, the update
// lock and the stored dock paths.
#include <gtest/gtest.h>

#include "BarsTestSupport.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/vcl/ActnList.h"
#include "platform/vcl/StdCtrls.h"
#include "platform/win/Gdi.h"
#include "uilib/bars/ubBarCommandItems.h"
#include "uilib/bars/ubBarDockControl.h"
#include "uilib/bars/ubBars.h"

namespace zel::test {
namespace {

// A toolbar window as a dock sees one: fixed content lengths, a thickness, a grab point, painted in its
// colour.
class TStandInBarWindow : public TCustomControl, public IubDockedBarWindow {
public:
    TStandInBarWindow(TComponent* AOwner, TubBar* ABar, int AFull, int AMin)
        : TCustomControl(AOwner), Full(AFull), Min(AMin), bar_(ABar) {
        SetBounds(0, 0, AFull + Border, Thickness);
    }
    std::string ClassName() const override { return "TStandInBarWindow"; }

    TWinControl* DockedWindow() override { return this; }
    TubBar* DockedBar() override { return bar_; }
    bool DockLocked() override { return Locked; }
    int MinContentLength(TubBarDockingStyle) override { return Min; }
    int FullContentLength(TubBarDockingStyle) override { return Full; }
    int BorderAlongRow(TubBarDockingStyle) override { return Border; }
    int ThicknessFor(TubBarDockingStyle, int) override { return Thickness; }
    bool ShowsEndMark() override { return false; }
    bool MarkInsideContent() override { return false; }
    TPoint GrabPoint(TubBarDockingStyle) override { return TPoint{3, 3}; }
    void SetTruncated(bool Value) override { Truncated = Value; }
    void CalcContent(TubBarDockingStyle, int ContentLength) override { Content = ContentLength; }

    int Full = 0, Min = 0, Border = 10, Thickness = 26, Content = 0;
    bool Locked = false, Truncated = false;

protected:
    void Paint() override {
        Canvas()->Brush()->SetColor(GetColor());
        Canvas()->FillRect(GetClientRect());
    }

private:
    TubBar* bar_ = nullptr;
};

class ubBarDockControl : public BarsTest {
protected:
    void SetUp() override {
        BarsTest::SetUp();
        Form = NewForm();
        Form->SetBorderStyle(bsNone);
        Form->SetBounds(100, 100, 400, 300);
        Manager = new TubBarManager(Form);
        Top = Manager->GetBars()->DockControls(dsTop);
        Form->Show();
        ProcessPendingMessages();
    }
    // A bar and its stand-in window, docked on the top dock at a client point of the dock.
    TStandInBarWindow* Dock(int X, int Y, int Full = 100, int Min = 30, TubDockControl* D = nullptr) {
        D = D != nullptr ? D : Top;
        TubBar* bar = Manager->GetBars()->Add();
        auto* w = new TStandInBarWindow(Form, bar, Full, Min);
        w->SetColor(static_cast<TColor>(RGB(40 * (Manager->GetBars()->Count() % 6), 90, 200)));
        w->SetParent(D);
        D->InsertBar(w, OnScreen(D, X, Y), true);
        return w;
    }
    int RowOf(TStandInBarWindow* W, TubDockControl* D = nullptr) {
        int row = -1, col = -1;
        (D != nullptr ? D : Top)->FindPlace(W, row, col);
        return row;
    }
    int ColOf(TStandInBarWindow* W) {
        int row = -1, col = -1;
        Top->FindPlace(W, row, col);
        return col;
    }

    TTestForm* Form = nullptr;
    TubBarManager* Manager = nullptr;
    TubDockControl* Top = nullptr;
};

TEST_F(ubBarDockControl, AManagerHasFourSideDocksAlongItsFormThatGoWithTheFormOrWithTheManager) {
    const TAlign aligns[] = {alNone, alLeft, alTop, alRight, alBottom};
    for (TubBarDockingStyle side : {dsLeft, dsTop, dsRight, dsBottom}) {
        TubDockControl* d = Manager->GetBars()->DockControls(side);
        ASSERT_NE(d, nullptr);
        EXPECT_EQ(d->GetAlign(), aligns[side]);
        EXPECT_EQ(d->DockingStyle(), side);
        EXPECT_EQ(d->GetParent(), Form);
        EXPECT_TRUE(d->IsSideDock());
        EXPECT_EQ(d->ControlStyle.Contains(csActionClient), side == dsTop);
    }
    EXPECT_EQ(Manager->DockControlCount(), 4);
    // Freeing the manager frees its docks; a form freed with its manager (and docks) is silent as well.
    delete Manager;
    EXPECT_EQ(Form->ControlCount(), 0);
    TTestForm* other = NewForm();
    auto* m = new TubBarManager(other);
    EXPECT_EQ(other->ControlCount(), 4);
    EXPECT_EQ(m->GetBars()->DockControls(dsLeft)->GetParent(), other);
}

TEST_F(ubBarDockControl, ADroppedBarJoinsOrOpensTheRowItsBandsGive) {
    struct Case {
        const char* name;
        int y;  // below the top of row 0 (two rows of 26 pixels)
        int rows;
        int row;
        int cols;
    };
    const Case cases[] = {
        {"10 below the top of row 0 opens a row after it", 10, 3, 1, 1},
        {"16 below the top of row 0 joins row 1", 16, 2, 1, 2},
        {"3 into row 0 joins it", 3, 2, 0, 2},
        {"far below the rows opens a last row", 200, 3, 2, 1},
    };
    for (const Case& c : cases) {
        TStandInBarWindow* a = Dock(0, 0);
        TStandInBarWindow* b = Dock(0, 40);
        ASSERT_EQ(Top->RowCount(), 2) << c.name;
        ASSERT_EQ(Top->GetHeight(), 52) << c.name;
        TStandInBarWindow* dropped = Dock(200, c.y);
        EXPECT_EQ(Top->RowCount(), c.rows) << c.name;
        EXPECT_EQ(RowOf(dropped), c.row) << c.name;
        EXPECT_EQ(Top->Rows(RowOf(dropped))->ColCount(), c.cols) << c.name;
        EXPECT_EQ(Top->GetHeight(), 26 * c.rows) << c.name;
        for (TStandInBarWindow* w : {a, b, dropped}) {
            Top->RemoveBar(w, nullptr, true);
            delete w;
        }
        EXPECT_EQ(Top->RowCount(), 0) << c.name;
        EXPECT_EQ(Top->GetHeight(), 0) << c.name;
    }
}

TEST_F(ubBarDockControl, AJoiningBarTakesItsColumnByPositionAndAWholeRowBarNeverShares) {
    TStandInBarWindow* a = Dock(0, 0);
    TStandInBarWindow* b = Dock(250, 3);
    a->DockedBar()->SetDockedLeft(0);
    b->DockedBar()->SetDockedLeft(250);
    TStandInBarWindow* c = Dock(120, 3);
    EXPECT_EQ(ColOf(a), 0);
    EXPECT_EQ(ColOf(c), 1);
    EXPECT_EQ(ColOf(b), 2);
    // The stored position is the drop point less the grab point, at the dock's left edge at least.
    EXPECT_EQ(Top->FindCol(c)->Position.x, 117);

    TubBar* whole = Manager->GetBars()->Add();
    whole->SetWholeRow(true);
    auto* w = new TStandInBarWindow(Form, whole, 100, 30);
    w->SetParent(Top);
    Top->InsertBar(w, OnScreen(Top, 50, 3), true);
    EXPECT_EQ(Top->RowCount(), 2);
    EXPECT_EQ(Top->Rows(RowOf(w))->ColCount(), 1);
    EXPECT_EQ(w->GetWidth(), Top->ClientWidth());
    TStandInBarWindow* d = Dock(300, RowOf(w) * 26 + 16);
    EXPECT_EQ(Top->Rows(RowOf(w))->ColCount(), 1);
    EXPECT_NE(RowOf(d), RowOf(w));
}

TEST_F(ubBarDockControl, ABarShownFromItsStoredRowIsPlacedThereAndStoredRowsCreateNoMoreRowsThanThereAreBars) {
    struct Case {
        const char* name;
        int storedRow;
        bool oneOnRow;
        bool placingAfterLoading;
        int extraBars;  // bars of the manager beyond the three docked
        int rows;
        int row;
    };
    const Case cases[] = {
        {"row 5 of two, alone", 5, true, false, 0, 3, 2},
        {"row 5 of two, sharing", 5, false, false, 0, 2, 1},
        {"row 5 while placing after loading", 5, true, true, 3, 6, 5},
        {"row 5 while placing, sharing", 5, false, true, 3, 6, 5},
        {"a huge row while placing is bound by the bar count", 1000000, true, true, 0, 4, 3},
        {"row 1 while placing joins it", 1, false, true, 0, 2, 1},
    };
    for (const Case& c : cases) {
        TTestForm* form = NewForm();
        form->SetBounds(0, 0, 400, 300);
        auto* m = new TubBarManager(form);
        TubDockControl* top = m->GetBars()->DockControls(dsTop);
        auto dock = [&](int Y) {
            auto* w = new TStandInBarWindow(form, m->GetBars()->Add(), 100, 30);
            w->SetParent(top);
            top->InsertBar(w, OnScreen(top, 0, Y), true);
            return w;
        };
        dock(0);
        dock(40);
        for (int i = 0; i < c.extraBars; ++i) m->GetBars()->Add();
        TubBar* bar = m->GetBars()->Add();
        bar->SetRow(c.storedRow);
        bar->OneOnRow = c.oneOnRow;
        auto* w = new TStandInBarWindow(form, bar, 100, 30);
        w->Locked = true;
        w->SetParent(top);
        m->GetBars()->Loading = c.placingAfterLoading;
        top->InsertBar(w, OnScreen(top, 0, 0), true);
        m->GetBars()->Loading = false;
        EXPECT_EQ(top->RowCount(), c.rows) << c.name;
        int row = -1, col = -1;
        top->FindPlace(w, row, col);
        EXPECT_EQ(row, c.row) << c.name;
    }
}

TEST_F(ubBarDockControl, ATooLongRowIsCutFromTheRightAndTheFirstBarGrowsIntoTheFreeLength) {
    // Three bars of 200 (content 190) with a minimum content of 20 on a dock 400 wide.
    TStandInBarWindow* a = Dock(0, 0, 190, 20);
    TStandInBarWindow* b = Dock(200, 3, 190, 20);
    TStandInBarWindow* c = Dock(399, 3, 190, 20);
    ASSERT_EQ(Top->RowCount(), 1);
    // c: minimum 20 + 10 border + 11 for the mark = 41.
    EXPECT_EQ(c->GetWidth(), 41);
    EXPECT_EQ(c->GetLeft(), 359);
    EXPECT_TRUE(c->Truncated);
    EXPECT_EQ(c->Content, 41 - 10 - 11);
    EXPECT_EQ(b->GetLeft(), 200);
    EXPECT_EQ(b->GetWidth(), 159);
    EXPECT_TRUE(b->Truncated);
    EXPECT_EQ(a->GetLeft(), 0);
    EXPECT_EQ(a->GetWidth(), 200);
    EXPECT_FALSE(a->Truncated);
    EXPECT_EQ(a->Content, 190);
    EXPECT_TRUE(SaveWindowImage(Form->GetHandle(), ScreenshotPath("dock-row-cut")));
}

TEST_F(ubBarDockControl, TheDockIsSizedToItsRowsWithTheSunkenBorderAndKeepsItsFarEdgeOnTheBottom) {
    TStandInBarWindow* a = Dock(0, 0);
    EXPECT_EQ(Top->GetHeight(), 26);
    Manager->SetSunkenBorder(true);
    Top->RefreshDock();
    EXPECT_EQ(Top->GetHeight(), 28);
    EXPECT_EQ(Top->ClientHeight(), 26);
    // The sunken edge: shadow above, highlight below.
    ProcessPendingMessages();
    RECT wr;
    GetWindowRect(Top->GetHandle(), &wr);
    EXPECT_EQ(ComposedScreenPixel(wr.left + 50, wr.top), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(ComposedScreenPixel(wr.left + 50, wr.bottom - 1), GetSysColor(COLOR_BTNHIGHLIGHT));
    Manager->SetSunkenBorder(false);
    Top->RefreshDock();

    TubDockControl* bottom = Manager->GetBars()->DockControls(dsBottom);
    TStandInBarWindow* b = Dock(0, 0, 100, 30, bottom);
    EXPECT_EQ(bottom->GetHeight(), 26);
    EXPECT_EQ(bottom->GetTop() + bottom->GetHeight(), Form->ClientHeight());
    EXPECT_EQ(RowOf(b, bottom), 0);
    (void)a;
}

TEST_F(ubBarDockControl, APressOnADockActivatesNothingAndRaisesItsForm) {
    Dock(0, 0);
    TTestForm* other = NewForm();
    other->SetBounds(50, 50, 300, 300);
    other->Show();
    ProcessPendingMessages();
    ASSERT_EQ(GetTopWindow(nullptr), other->GetHandle());
    HWND active = GetActiveWindow();
    LRESULT r = SendMessage(Top->GetHandle(), WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(Form->GetHandle()),
                            MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN));
    EXPECT_EQ(r, MA_NOACTIVATE);
    EXPECT_EQ(GetTopWindow(nullptr), Form->GetHandle());
    EXPECT_EQ(GetActiveWindow(), active);
}

TEST_F(ubBarDockControl, ABackgroundPictureIsTiledFromTheCacheAndMakesTheDockDoubleBuffered) {
    Dock(0, 0, 100, 30);
    EXPECT_FALSE(Top->IsBackgroundComplex());
    TBitmap picture;
    picture.SetSize(4, 4);
    picture.Canvas()->Brush()->SetColor(clRed);
    picture.Canvas()->FillRect(TRect(0, 0, 4, 4));
    picture.Canvas()->Brush()->SetColor(clBlue);
    picture.Canvas()->FillRect(TRect(0, 0, 2, 2));
    Top->SetBackgroundBitmap(&picture);
    EXPECT_TRUE(Top->IsBackgroundComplex());
    EXPECT_TRUE(Top->DoubleBuffered);
    Top->Repaint();
    // Right of the bar the picture shows, tiled from the dock's origin.
    EXPECT_EQ(ComposedPixel(Form->GetHandle(), 200, 0), RGB(0, 0, 255));
    EXPECT_EQ(ComposedPixel(Form->GetHandle(), 203, 3), RGB(255, 0, 0));
    EXPECT_EQ(ComposedPixel(Form->GetHandle(), 205, 5), RGB(0, 0, 255));
    // A wider dock paints its new part from a new cache.
    Form->SetBounds(100, 100, 500, 300);
    Top->Repaint();
    EXPECT_EQ(ComposedPixel(Form->GetHandle(), 481, 1), RGB(0, 0, 255));
    EXPECT_EQ(ComposedPixel(Form->GetHandle(), 483, 3), RGB(255, 0, 0));
    TBitmap none;
    Top->SetBackgroundBitmap(&none);
    EXPECT_FALSE(Top->DoubleBuffered);
}

TEST_F(ubBarDockControl, TheUpdateLockStopsTheDrawingOfTheDocksUntilItEnds) {
    std::vector<WPARAM> redraws;
    TWndMethod old = Top->WindowProc;
    Top->WindowProc = [&](TMessage& M) {
        if (M.Msg == WM_SETREDRAW) redraws.push_back(M.WParam);
        old(M);
    };
    Manager->SetUpdateLock(true);
    Manager->SetUpdateLock(true);
    Manager->SetUpdateLock(false);
    Top->WindowProc = old;
    EXPECT_EQ(redraws, (std::vector<WPARAM>{0, 1}));
}

TEST_F(ubBarDockControl, TheIdleFormLetsTheActionsOfTheItemsOnVisibleBarsUpdateOnce) {
    auto* action = new TCustomAction(Form);
    int updates = 0;
    action->OnUpdate = [&](TObject*) { ++updates; };
    auto* button = Construct<TubBarButton>(Form);
    button->SetAction(action);
    TubBar* bar = Manager->GetBars()->Add();
    bar->GetItemLinks()->Add()->SetItem(button);
    bar->SetVisible(true);
    TubBar* hidden = Manager->GetBars()->Add();
    hidden->GetItemLinks()->Add()->SetItem(button);
    ProcessPendingMessages();  // the floating bar's window is made and laid out: the queue is idle after it
    Application->OnIdle = [](TObject*, bool&) { PostMessage(nullptr, WM_NULL, 0, 0); };
    TScopeExit reset([] { Application->OnIdle = nullptr; });
    Application->HandleMessage();
    EXPECT_EQ(updates, 1);
}

TEST_F(ubBarDockControl, AStoredPathNamesADockControlOfTheFormOrOfAComponentNestedInAnotherForm) {
    Form->SetName("MainForm");
    auto* own = new TubBarDockControl(Form);
    own->SetName("OwnDock");
    own->SetParent(Form);
    auto* holder = new TComponent(Form);
    holder->SetName("Holder");
    auto* nested = new TubBarDockControl(holder);
    nested->SetName("NestedDock");
    nested->SetParent(Form);
    auto* button = new TButton(Form);
    button->SetName("Button1");

    EXPECT_EQ(Manager->DockControlPath(own), "OwnDock");
    EXPECT_EQ(Manager->DockControlPath(nested), "MainForm.Holder.NestedDock");
    EXPECT_EQ(Manager->DockControlOfPath("OwnDock"), own);
    EXPECT_EQ(Manager->DockControlOfPath("MainForm.Holder.NestedDock"), nested);
    EXPECT_EQ(Manager->DockControlOfPath("MainForm.OwnDock"), own);
    EXPECT_EQ(Manager->DockControlOfPath("Missing"), nullptr);
    EXPECT_EQ(Manager->DockControlOfPath("NoSuchForm.OwnDock"), nullptr);
    EXPECT_THROW(Manager->DockControlOfPath("Button1"), EInvalidCast);
}

TEST(ubBarDockRows, ARowFreesItsColumnsAndAColumnStoresItsWindowsPlace) {
    auto* row = new TubDockRow(nullptr);
    for (int i = 0; i < 3; ++i) row->AddCol(nullptr);
    EXPECT_EQ(row->ColCount(), 3);
    EXPECT_EQ(row->Cols(1)->Row, row);
    EXPECT_EQ(row->Cols(2)->Position.x, 0);
    delete row;  // the columns go with it (the leak checker would tell)
}

}  // namespace
}  // namespace zel::test
