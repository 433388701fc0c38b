// The library's scroll bar as a headless window under mouse messages, its timer on the manual clock.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/rtl/Clock.h"
#include "platform/rtl/SysUtils.h"
#include "platform/vcl/FormReader.h"
#include "platform/vcl/Forms.h"
#include "platform/vcl/Menus.h"
#include "platform/win/Messages.h"
#include "platform/win/Windows.h"
#include "support/uilib/LookAndFeelUnits.h"
#include "uilib/base/uiControls.h"
#include "uilib/base/uiGeometry.h"
#include "uilib/base/uiScrollBar.h"

namespace zel::test {
namespace {

class ScrollBar : public ::testing::Test {
protected:
    void SetUp() override {
        uiControlsStartup();
        RegisterScrollBarClass();
        form = Construct<TForm>(nullptr);
        form->SetBounds(40, 40, 300, 300);
        bar = new TuiScrollBar(form);
        bar->SetParent(form);
        bar->SetKind(sbVertical);
        bar->SetBounds(10, 10, 17, 200);
        bar->GetLookAndFeel()->SetKind(lfStandard);
        bar->OnScroll = [this](TObject*, TScrollCode code, int& pos) {
            codes.push_back(code);
            if (onScroll) onScroll(code, pos);
        };
        form->Show();
        ProcessPendingMessages();
    }
    void TearDown() override {
        delete form;
        ProcessPendingMessages();
        uiControlsShutdown();
    }
    void Run(TTick ms) {
        for (TTick done = 0; done < ms; done += 10) {
            clock_->Advance(ms - done < 10 ? ms - done : 10);
            ProcessPendingMessages();
        }
    }
    // Mouse messages at a client point of the bar, with the cursor put there first.
    void Mouse(UINT msg, int x, int y, WPARAM keys) {
        const TPoint screen = bar->ClientToScreen(TPoint{x, y});
        SetCursorPos(screen.x, screen.y);
        SendMessage(bar->GetHandle(), msg, keys, MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)));
    }
    void Down(int x, int y) { Mouse(WM_LBUTTONDOWN, x, y, MK_LBUTTON); }
    void Move(int x, int y) { Mouse(WM_MOUSEMOVE, x, y, MK_LBUTTON); }
    void Hover(int x, int y) { Mouse(WM_MOUSEMOVE, x, y, 0); }
    void Up(int x, int y) { Mouse(WM_LBUTTONUP, x, y, 0); }
    TRect Thumb() const { return bar->GetViewInfo()->ThumbnailRect; }

    TManualClockScope clock_;
    TLookAndFeelUnits units;
    TForm* form = nullptr;
    TuiScrollBar* bar = nullptr;
    std::vector<TScrollCode> codes;
    std::function<void(TScrollCode, int&)> onScroll;
};

TEST_F(ScrollBar, LayoutOfArrowsTrackAndThumb) {
    bar->SetScrollParams(0, 100, 0, 10);
    // 16-pixel arrows leave a 168-pixel track; the thumb is MulDiv(10, 168, 101) = 17 long.
    EXPECT_EQ(bar->GetViewInfo()->TopLeftArrowRect, (TRect{0, 0, 17, 16}));
    EXPECT_EQ(bar->GetViewInfo()->BottomRightArrowRect, (TRect{0, 184, 17, 200}));
    EXPECT_EQ(Thumb(), (TRect{0, 16, 17, 33}));
    bar->SetPosition(50);
    EXPECT_EQ(Thumb().top, 16 + MulDiv(151, 50, 91));
    EXPECT_EQ(bar->GetViewInfo()->PageUpRect, (TRect{0, 16, 17, Thumb().top}));
    struct Row {
        TPoint p;
        TuiScrollBarPart part;
    } rows[] = {{{5, 5}, sbpLineUp},  {{5, 195}, sbpLineDown}, {{5, Thumb().top + 3}, sbpThumbnail},
                {{5, 20}, sbpPageUp}, {{5, 170}, sbpPageDown}, {{20, 100}, sbpNone}};
    for (const Row& row : rows) EXPECT_EQ(bar->HitTest(row.p), row.part) << row.p.y;
    bar->SetEnabled(false);
    bar->SetScrollParams(0, 100, 50, 11);
    EXPECT_TRUE(RectIsEmpty(Thumb()));
}

TEST_F(ScrollBar, OutOfRangeParametersAreRefusedAndPositionsClamped) {
    bar->SetScrollParams(0, 100, 30, 10);
    int changes = 0;
    bar->OnChange = [&](TObject*) { ++changes; };
    EXPECT_THROW(bar->SetScrollParams(10, 5, 0, 0), EInvalidOperation);
    try {
        bar->SetScrollParams(0, 5, 0, 10);
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message, "Scrollbar property out of range");
    }
    EXPECT_EQ(bar->GetMax(), 100);
    bar->SetPosition(500);
    EXPECT_EQ(bar->GetPosition(), 100);
    EXPECT_EQ(changes, 1);
    bar->SetPosition(100);
    EXPECT_EQ(changes, 1);
}

TEST_F(ScrollBar, APageAsLargeAsTheRangeFillsTheTrackAtTheFirstPosition) {
    bar->SetScrollParams(10, 19, 15, 10);
    EXPECT_EQ(Thumb(), (TRect{0, 16, 17, 184}));
    EXPECT_EQ(bar->GetViewInfo()->PositionFromThumb(), 10);
    Down(5, 100);
    Move(5, 120);
    Up(5, 120);
    EXPECT_EQ(bar->GetPosition(), 10);
    EXPECT_EQ(Thumb(), (TRect{0, 16, 17, 184}));
}

TEST_F(ScrollBar, DraggingTheThumbTracksAndSnapsBackWhenThePointerStraysTooFar) {
    bar->SetScrollParams(0, 100, 0, 10);
    Down(8, 20);
    EXPECT_EQ(bar->GetPressedPart(), sbpThumbnail);
    Move(8 + 40, 70);  // 40 pixels sideways still tracks
    const int tracked = bar->GetPosition();
    EXPECT_GT(tracked, 0);
    EXPECT_EQ(Thumb().top, 16 + 50);
    Move(8 + 150, 70);  // too far: back where the drag started
    EXPECT_EQ(bar->GetPosition(), 0);
    Move(8, 90);
    Up(8, 90);
    EXPECT_EQ(bar->GetPressedPart(), sbpNone);
    EXPECT_EQ(codes.back(), scEndScroll);
    EXPECT_EQ(codes[codes.size() - 2], scPosition);
    EXPECT_EQ(bar->GetPosition(), MulDiv(91, 70, 151));
    EXPECT_EQ(GetCapture(), nullptr);

    bar->UnlimitedTracking = true;
    Down(8, Thumb().top + 2);
    Move(400, Thumb().top + 12);
    EXPECT_NE(bar->GetPosition(), MulDiv(91, 70, 151));
    Up(400, Thumb().top + 2);
}

// A window that opens while the thumb is dragged takes the mouse: the drag ends where the thumb stands, as a
// release would end it, and the pointer moving on no longer drags the thumb.
TEST_F(ScrollBar, AThumbDragEndsWhenADialogOrAPopupMenuOpens) {
    struct Row {
        const char* name;
        std::function<void(TForm*)> open;
    };
    const Row rows[] = {
        {"modal form",
         [](TForm* Owner) {
             auto* modal = Construct<TForm>(Owner);
             modal->SetBounds(100, 100, 200, 100);
             modal->OnShow = [modal](TObject*) { modal->ModalResult = mrOk; };
             modal->ShowModal();
             delete modal;
         }},
        {"popup menu",
         [](TForm* Owner) {
             auto* menu = new TPopupMenu(Owner);
             auto* item = new TMenuItem(menu);
             item->Caption = "Item";
             menu->Items()->Add(item);
             bool closing = false;
             Application->OnIdle = [&closing](TObject*, bool& Done) {
                 Done = true;
                 if (closing || OpenPopupMenuWindow() == nullptr) return;
                 closing = true;
                 keybd_event(VK_ESCAPE, 0, 0, 0);
                 keybd_event(VK_ESCAPE, 0, KEYEVENTF_KEYUP, 0);
             };
             menu->Popup(250, 250);
             Application->OnIdle = nullptr;
             delete menu;
         }},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        bar->SetScrollParams(0, 100, 0, 10);
        codes.clear();
        Down(8, 20);
        Move(8, 70);
        const int tracked = bar->GetPosition();
        ASSERT_GT(tracked, 0);
        ASSERT_EQ(bar->GetPressedPart(), sbpThumbnail);
        row.open(form);
        ProcessPendingMessages();
        EXPECT_EQ(bar->GetPressedPart(), sbpNone);
        ASSERT_GE(codes.size(), 2u);
        EXPECT_EQ(codes.back(), scEndScroll);
        EXPECT_EQ(codes[codes.size() - 2], scPosition);
        EXPECT_EQ(bar->GetPosition(), tracked);
        const TRect thumb = Thumb();
        Move(8, 150);
        EXPECT_EQ(bar->GetPosition(), tracked) << "the pointer no longer drags the thumb";
        EXPECT_EQ(Thumb(), thumb);
        Up(8, 150);
    }
}

TEST_F(ScrollBar, HoldingThePageAreaRepeatsAfter400ThenEvery60UntilTheThumbReachesThePointer) {
    bar->SetScrollParams(0, 100, 0, 10);
    bar->LargeChange = 10;
    Down(8, 120);
    EXPECT_EQ(bar->GetPosition(), 10);
    Run(390);
    EXPECT_EQ(bar->GetPosition(), 10);
    Run(10);
    EXPECT_EQ(bar->GetPosition(), 20);
    Run(60);
    EXPECT_EQ(bar->GetPosition(), 30);
    Run(2000);
    const int stopped = bar->GetPosition();
    EXPECT_LT(stopped, 100);
    EXPECT_EQ(bar->HitTest(TPoint{8, 120}), sbpThumbnail);
    Up(8, 120);
    Run(500);
    EXPECT_EQ(bar->GetPosition(), stopped);
}

TEST_F(ScrollBar, OnScrollMayMoveThePositionButItStaysInRange) {
    bar->SetScrollParams(0, 100, 50, 0);
    onScroll = [](TScrollCode code, int& pos) {
        if (code == scLineDown) pos = 1000;
    };
    Down(5, 195);
    Up(5, 195);
    EXPECT_EQ(bar->GetPosition(), 100);
    SendMessage(bar->GetHandle(), CN_VSCROLL, scTop, 0);
    EXPECT_EQ(bar->GetPosition(), 0);
}

TEST_F(ScrollBar, AHoverRepaintsOnlyWithAHotTrackingPainter) {
    bar->SetScrollParams(0, 100, 50, 10);
    for (const TuiLookAndFeelKind kind : {lfStandard, lfUltraFlat}) {
        bar->GetLookAndFeel()->SetKind(kind);
        Hover(5, 100);
        ProcessPendingMessages();
        ValidateRect(bar->GetHandle(), nullptr);
        Hover(5, 5);
        TRect update;
        const bool repaint = GetUpdateRect(bar->GetHandle(), &update, FALSE) != 0;
        EXPECT_EQ(repaint, kind == lfUltraFlat) << kind;
        EXPECT_EQ(bar->GetHotPart(), sbpLineUp);
    }
}

TEST_F(ScrollBar, PaintsItsPartsThroughThePainterInOneBlock) {
    bar->SetScrollParams(0, 100, 0, 10);
    bar->Repaint();
    ProcessPendingMessages();
    TBitmap* image = bar->GetBitmap();
    // The Standard thumb's raised edges, then the page pattern below it.
    EXPECT_EQ(ColorToCOLORREF(image->Canvas()->GetPixel(0, 20)), ColorToCOLORREF(clBtnHighlight));
    EXPECT_EQ(ColorToCOLORREF(image->Canvas()->GetPixel(16, 20)), ColorToCOLORREF(cl3DDkShadow));
    const COLORREF page = ColorToCOLORREF(image->Canvas()->GetPixel(4, 101));
    EXPECT_EQ(page, ColorToCOLORREF((4 + 101) % 2 ? clBtnHighlight : clBtnFace));
    // A system-colour change redraws the page patterns.
    SetSysColor(COLOR_BTNHIGHLIGHT, RGB(9, 8, 7));
    SendMessage(bar->GetHandle(), WM_SYSCOLORCHANGE, 0, 0);
    EXPECT_EQ(ColorToCOLORREF(ScrollBarPattern(0)->Canvas()->GetPixel(1, 0)), RGB(9, 8, 7));
}

class TScrollForm : public TForm {
public:
    TScrollForm(TComponent* owner, const char* text) : TForm(owner), resource_{"ScrollForm", text} {}
    std::string ClassName() const override { return "TScrollForm"; }
    const TFormResource* FormResource() const override { return &resource_; }
    void DefineBindings(TFormBindings& B) override {
        B.Field("Bar", Bar);
        B.Handler<TScrollEvent>("BarScroll", [](TObject*, TScrollCode, int&) {});
        B.Handler<TDragDropEvent>("BarDragDrop", [](TObject*, TObject*, int, int) {});
    }
    TuiScrollBar* Bar = nullptr;

private:
    TFormResource resource_;
};

TEST_F(ScrollBar, AFormHoldingOneLoads) {
    const char* text = R"(object ScrollForm: TScrollForm
  Left = 0
  Top = 0
  ClientHeight = 100
  ClientWidth = 200
  object Bar: TuiScrollBar
    Left = 4
    Top = 8
    Width = 180
    Height = 17
    Anchors = [akLeft, akTop, akRight]
    Ctl3D = False
    DragKind = dkDock
    Max = 50
    Min = 5
    PageSize = 5
    Position = 20
    LargeChange = 5
    UnlimitedTracking = True
    LookAndFeel.Kind = lfOffice11
    ParentCtl3D = False
    TabOrder = 0
    OnDragDrop = BarDragDrop
    OnScroll = BarScroll
  end
end
)";
    auto* f = Construct<TScrollForm>(nullptr, text);
    ASSERT_NE(f->Bar, nullptr);
    EXPECT_EQ(f->Bar->GetKind(), sbHorizontal);
    EXPECT_EQ(f->Bar->GetMin(), 5);
    EXPECT_EQ(f->Bar->GetMax(), 50);
    EXPECT_EQ(f->Bar->GetPosition(), 20);
    EXPECT_EQ(f->Bar->LargeChange, 5);
    EXPECT_TRUE(f->Bar->UnlimitedTracking);
    EXPECT_EQ(f->Bar->GetLookAndFeel()->GetKind(), lfOffice11);
    EXPECT_EQ(f->Bar->Anchors, (TAnchors{akLeft, akTop, akRight}));
    EXPECT_TRUE(static_cast<bool>(f->Bar->OnDragDrop));
    delete f;
}

}  // namespace
}  // namespace zel::test
