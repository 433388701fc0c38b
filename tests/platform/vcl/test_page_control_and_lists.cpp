// The page control (tabs, the active sheet, hidden tabs), list rows of variable height, the check list box
// and drag detection, driven through the input queue.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/vcl/CheckLst.h"
#include "platform/vcl/ComCtrls.h"
#include "platform/vcl/FormReader.h"
#include "platform/vcl/Screenshot.h"
#include "platform/vcl/StdCtrls.h"
#include "platform/win/Beep.h"
#include "support/vcl/QueuedInput.h"
#include "support/vcl/VclTestSupport.h"

namespace zel::test {
namespace {

class TFormPages : public TForm {
public:
    using TForm::TForm;
    std::string ClassName() const override { return "TFormPages"; }
    const TFormResource* FormResource() const override { return &resource_; }
    void DefineBindings(TFormBindings& B) override {
        B.Field("Pages", Pages);
        B.Field("First", First);
        B.Field("Second", Second);
        B.Field("Third", Third);
        B.Handler<TNotifyEvent>("PagesChange", [this](TObject*) { Changes.push_back(Pages->GetActivePageIndex()); });
    }
    TPageControl* Pages = nullptr;
    TTabSheet* First = nullptr;
    TTabSheet* Second = nullptr;
    TTabSheet* Third = nullptr;
    std::vector<int> Changes;

private:
    TFormResource resource_{"Pages", R"(object FormPages: TFormPages
  Left = 100
  Top = 100
  BorderStyle = bsDialog
  ClientHeight = 160
  ClientWidth = 300
  object Pages: TPageControl
    Left = 0
    Top = 0
    Width = 300
    Height = 160
    ActivePage = Second
    OnChange = PagesChange
    object First: TTabSheet
      Caption = 'One'
    end
    object Second: TTabSheet
      Caption = 'Two'
      TabVisible = False
    end
    object Third: TTabSheet
      Caption = 'Three'
    end
  end
end
)"};
};

class PlatformLists : public VclTest {
protected:
    TForm* NewForm() {
        auto* f = Keep(Construct<TForm>(nullptr));
        f->SetBorderStyle(bsSingle);
        f->SetBounds(60, 60, 260, 220);
        return f;
    }
};

TEST_F(PlatformLists, HiddenTabsLeaveNoTabAndOnlyAUsersClickReportsTheChange) {
    auto* form = Keep(Construct<TFormPages>(nullptr));
    form->Show();
    ProcessPendingMessages();
    // The resource named a sheet without a tab: the first sheet with one shows instead.
    EXPECT_EQ(form->Pages->GetActivePage(), form->First);
    EXPECT_EQ(form->Pages->TabRect(1).right, form->Pages->TabRect(1).left);
    EXPECT_EQ(form->Pages->TabRect(2).left, form->Pages->TabRect(0).right);
    EXPECT_TRUE(form->First->GetVisible());
    EXPECT_FALSE(form->Second->GetVisible());
    const TRect third = form->Pages->TabRect(2);
    zel::test::ClickAt(form->Pages, TPoint((third.left + third.right) / 2, 10));
    EXPECT_EQ(form->Pages->GetActivePage(), form->Third);
    EXPECT_TRUE(form->Third->GetVisible());
    EXPECT_FALSE(form->First->GetVisible());
    EXPECT_EQ(form->Changes, std::vector<int>{2});
    EXPECT_TRUE(SaveWindowImage(form->GetHandle(), ScreenshotPath("page-control")));
    // Set by the program: no report; a sheet without a tab is refused; hiding the active tab moves on.
    form->Pages->SetActivePage(form->First);
    form->Pages->SetActivePage(form->Second);
    EXPECT_EQ(form->Pages->GetActivePage(), form->First);
    form->First->SetTabVisible(false);
    EXPECT_EQ(form->Pages->GetActivePage(), form->Third);
    EXPECT_EQ(form->Changes, std::vector<int>{2});
}

TEST_F(PlatformLists, TheActiveTabsRaisedEdgeLiesOverBothNeighbours) {
    auto* form = Keep(Construct<TFormPages>(nullptr));
    form->Second->SetTabVisible(true);
    form->Show();
    const HWND pages = form->Pages->GetHandle();
    const COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT), dark = GetSysColor(COLOR_3DDKSHADOW);
    for (TTabSheet* sheet : {form->First, form->Second, form->Third}) {
        SCOPED_TRACE(sheet->Caption());
        form->Pages->SetActivePage(sheet);
        form->Pages->Invalidate();
        ProcessPendingMessages();
        // The active tab is two pixels wider on each side; its outer lines stay whole beside the other tabs.
        const TRect r = form->Pages->TabRect(sheet->PageIndex());
        const int y = (r.top + r.bottom) / 2;
        EXPECT_EQ(ComposedPixel(pages, r.left - 2, y), light);
        EXPECT_EQ(ComposedPixel(pages, r.right + 1, y), dark);
    }
    EXPECT_TRUE(SaveWindowImage(form->GetHandle(), ScreenshotPath("page-control-middle-tab")));
}

TEST_F(PlatformLists, VariableHeightRowsAreMeasuredOneByOneAndHitAndScrolledByTheirHeights) {
    TForm* form = NewForm();
    auto* list = NewBorderlessList(form, TRect(10, 10, 130, 110));
    list->SetStyle(lbOwnerDrawVariable);
    std::vector<int> measured;
    // Heights 10, 30, 50, 10, 30, 50 ...
    list->OnMeasureItem = [&](TWinControl*, int index, int& height) {
        measured.push_back(index);
        height = 10 + 20 * (index % 3);
    };
    form->Show();
    for (int i = 0; i < 6; ++i) list->Items()->Add("row " + std::to_string(i));
    EXPECT_EQ(measured, (std::vector<int>{0, 1, 2, 3, 4, 5}));
    const struct {
        int row, top, bottom;
    } rects[] = {{0, 0, 10}, {1, 10, 40}, {2, 40, 90}, {3, 90, 100}, {4, 100, 130}};
    for (const auto& r : rects) {
        SCOPED_TRACE(r.row);
        EXPECT_EQ(list->ItemRect(r.row).top, r.top);
        EXPECT_EQ(list->ItemRect(r.row).bottom, r.bottom);
    }
    EXPECT_EQ(list->ItemAtPos(TPoint(5, 39), true), 1);
    EXPECT_EQ(list->ItemAtPos(TPoint(5, 40), true), 2);
    zel::test::ClickAt(list, TPoint(5, 60));
    EXPECT_EQ(list->GetItemIndex(), 2);
    // Down to the last row scrolls it into view whole: 30 + 50 = 80 pixels fit, with the row above (10) 90.
    for (int i = 0; i < 3; ++i) Tap(VK_DOWN);
    EXPECT_EQ(list->GetItemIndex(), 5);
    EXPECT_EQ(list->GetTopIndex(), 3);
    EXPECT_EQ(list->ItemRect(5).bottom, 90);
    // A row's height set afterwards moves the rows after it.
    SendMessage(list->GetHandle(), LB_SETITEMHEIGHT, 4, MAKELPARAM(5, 0));
    EXPECT_EQ(SendMessage(list->GetHandle(), LB_GETITEMHEIGHT, 4, 0), 5);
    EXPECT_EQ(list->ItemRect(5).top, 15);
}

TEST_F(PlatformLists, AListsOwnerMayAnswerItsEraseMessage) {
    TForm* form = NewForm();
    struct TKeepBackground : TListBox {
        using TListBox::TListBox;
        void Dispatch(TMessage& Message) override {
            if (Message.Msg == WM_ERASEBKGND) {
                RECT r{0, 0, 20, 20};
                FillRect(reinterpret_cast<HDC>(Message.WParam), &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
                Message.Result = 1;
                return;
            }
            TListBox::Dispatch(Message);
        }
    };
    auto* list = new TKeepBackground(form);
    list->SetParent(form);
    list->SetBounds(10, 10, 100, 80);
    list->BorderStyle = bsNone;
    form->Show();
    RedrawWindow(list->GetHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    EXPECT_EQ(ComposedPixel(list->GetHandle(), 5, 5), RGB(0, 0, 0));
}

TEST_F(PlatformLists, CheckListBoxTogglesByItsBoxADoubleClickAndSpaceAndBeepsOnAnInactiveBox) {
    TForm* form = NewForm();
    auto* list = NewBorderlessList<TCheckListBox>(form, TRect(10, 10, 160, 110));
    list->SetItemHeight(18);
    for (const char* s : {"alpha", "beta", "gamma"}) list->Items()->Add(s);
    list->SetItemEnabled(2, false);
    int checks = 0, beeps = 0;
    list->OnClickCheck = [&](TObject*) { ++checks; };
    SetBeepSink([&](UINT) { ++beeps; });
    form->Show();
    ProcessPendingMessages();
    // The box is the row's first 18 pixels: a click there toggles, a click on the text only selects.
    zel::test::ClickAt(list, TPoint(8, 9));
    EXPECT_TRUE(list->GetChecked(0));
    zel::test::ClickAt(list, TPoint(80, 9));
    EXPECT_TRUE(list->GetChecked(0));
    EXPECT_EQ(list->GetItemIndex(), 0);
    Tap(VK_SPACE);
    EXPECT_FALSE(list->GetChecked(0));
    SendMessage(list->GetHandle(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(80, 27));
    EXPECT_TRUE(list->GetChecked(1));
    EXPECT_EQ(checks, 3);
    EXPECT_EQ(beeps, 0);
    zel::test::ClickAt(list, TPoint(8, 45));
    EXPECT_FALSE(list->GetChecked(2));
    EXPECT_EQ(beeps, 1);
    EXPECT_EQ(checks, 3);
    // The box is drawn as the system check box: checked rows show the mark's dark pixels.
    EXPECT_TRUE(SaveWindowImage(form->GetHandle(), ScreenshotPath("check-list-box")));
    SetBeepSink(nullptr);
}

TEST_F(PlatformLists, DragDetectTellsADragFromAClick) {
    TForm* form = NewForm();
    form->Show();
    ProcessPendingMessages();
    HWND h = form->GetHandle();
    const TPoint start = OnScreen(form, 50, 50);
    const int cx = GetSystemMetrics(SM_CXDRAG);
    const struct {
        const char* name;
        int dx;       // the move before the button comes up (0: none)
        bool escape;  // Escape pressed instead of a move
        BOOL expected;
    } rows[] = {{"moved beyond the drag rectangle", cx, false, TRUE},
                {"moved within it, then released", cx / 2 - 1, false, FALSE},
                {"released where pressed", 0, false, FALSE},
                {"Escape", 0, true, FALSE}};
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        SetCursorPos(start.x, start.y);
        ProcessPendingMessages();
        // What the user does after the press is queued before the detection reads it.
        if (r.dx != 0) SetCursorPos(start.x + r.dx, start.y);
        if (r.escape) keybd_event(VK_ESCAPE, 0, 0, 0);
        mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
        EXPECT_EQ(DragDetect(h, POINT{start.x, start.y}), r.expected);
        EXPECT_EQ(GetCapture(), nullptr);
        if (r.escape) keybd_event(VK_ESCAPE, 0, KEYEVENTF_KEYUP, 0);
        ProcessPendingMessages();
    }
}

}  // namespace
}  // namespace zel::test
