// What a bar's window does when a setting of its bar or of its manager changes: it paints again, makes its
// controls anew, shows the new caption on its floating frame, or is placed anew; and a floating toolbar
// renamed from the customizing form shows its new title at once.
#include <functional>
#include <map>
#include <string>

#include "CustFormSupport.h"
#include "platform/vcl/Screenshot.h"
#include "uilib/bars/ubBarDockControl.h"
#include "uilib/bars/ubBarPainters.h"
#include "uilib/bars/ubBarToolbarControl.h"

namespace zel::test {
namespace {

// Counts the messages a window receives while it lives.
class TMessageTally {
public:
    explicit TMessageTally(TWinControl* AWindow) : window_(AWindow), alive_(AWindow), old_(AWindow->WindowProc) {
        AWindow->WindowProc = [this](TMessage& M) {
            ++counts_[M.Msg];
            old_(M);
        };
    }
    ~TMessageTally() {
        if (alive_.Alive()) window_->WindowProc = old_;
    }
    int operator[](UINT Msg) const {
        const auto it = counts_.find(Msg);
        return it != counts_.end() ? it->second : 0;
    }

private:
    TWinControl* window_;
    TuiObjectLinkScope alive_;
    TWndMethod old_;
    std::map<UINT, int> counts_;
};

// How a window answers a change.
enum TEffect {
    efRepaint,   // the same window and controls, painted again
    efReframe,   // the same window and controls, its frame measured and painted again
    efRelayout,  // the same window and controls, laid out and painted again
    efRebuild,   // the same window, its item controls made anew, painted again
    efCaption,   // the same window and controls, its floating frame drawn again with the bar's caption
    efReplace,   // the window freed and a new one placed on the dock
};

class ubBarSetters : public CustFormTest {
protected:
    TubBar* ToolBar() const { return Manager->GetBars()->Items(1); }
    TubBar* MenuBar() const { return Manager->GetBars()->Items(0); }
    void Float(TubBar* Bar) {
        Bar->SetFloatLeft(120);
        Bar->SetFloatTop(500);
        Bar->SetDockingStyle(dsNone);
        ProcessPendingMessages();
        ASSERT_NE(Bar->Control(), nullptr);
        ASSERT_TRUE(Bar->Control()->IsFloating());
    }
};

TEST_F(ubBarSetters, EachSettingReachesTheBarsWindow) {
    const auto bitmap = [](TColor Color) {
        auto picture = std::make_shared<TBitmap>();
        picture->SetSize(8, 8);
        picture->Canvas()->Brush()->SetColor(Color);
        picture->Canvas()->FillRect(TRect{0, 0, 8, 8});
        return picture;
    };
    // The colour of the bar's client area just right of its last link.
    const auto backgroundPixel = [](TubBarControl* W) {
        TRect last{};
        for (TubBarItemLink* link : W->GetItemLinks()->VisibleItems())
            if (!IsRectEmpty(&link->ItemRect)) last = link->ItemRect;
        const TPoint p = OnScreen(W, last.right + 3, (last.top + last.bottom) / 2);
        return ComposedScreenPixel(p.x, p.y);
    };
    struct Row {
        const char* Name;
        std::function<void()> Setup;  // before the change; nothing for the docked toolbar
        std::function<void()> Change;
        TEffect Effect;
        // What the user sees afterwards, beyond the effect; W is the bar's window then.
        std::function<void(TubBarControl* W)> Check;
    };
    const auto floating = [this]() { Float(ToolBar()); };
    const Row rows[] = {
        {"Caption of a floating bar", floating, [this]() { ToolBar()->SetCaption("Tools"); }, efCaption,
         [](TubBarControl* W) { EXPECT_EQ(W->GetText(), "Tools"); }},
        {"AllowClose off on a floating bar", floating, [this]() { ToolBar()->SetAllowClose(false); }, efCaption,
         [](TubBarControl* W) {
             const TRect close = W->FloatingCloseButtonRect();
             EXPECT_TRUE(IsRectEmpty(&close));
         }},
        {"AllowQuickCustomizing off on a floating bar", floating,
         [this]() { ToolBar()->SetAllowQuickCustomizing(false); }, efCaption, nullptr},
        {"AllowQuickCustomizing off on a docked bar", nullptr, [this]() { ToolBar()->SetAllowQuickCustomizing(false); },
         efRebuild, [](TubBarControl* W) { EXPECT_FALSE(W->HasMark()); }},
        {"BackgroundBitmap", nullptr, [&, this]() { ToolBar()->SetBackgroundBitmap(bitmap(clRed).get()); }, efRepaint,
         [&](TubBarControl* W) { EXPECT_EQ(backgroundPixel(W), RGB(255, 0, 0)); }},
        {"the background bitmap drawn on", nullptr,
         [this]() {
             TBitmap* picture = ToolBar()->GetBackgroundBitmap();
             picture->SetSize(4, 4);
             picture->Canvas()->Brush()->SetColor(clBlue);
             picture->Canvas()->FillRect(TRect{0, 0, 4, 4});
         },
         efRepaint, [&](TubBarControl* W) { EXPECT_EQ(backgroundPixel(W), RGB(0, 0, 255)); }},
        {"Color", nullptr, [this]() { ToolBar()->SetColor(clLime); }, efRepaint,
         [&](TubBarControl* W) { EXPECT_EQ(backgroundPixel(W), RGB(0, 255, 0)); }},
        {"BorderStyle none", nullptr, [this]() { ToolBar()->SetBorderStyle(bbsNone); }, efReframe,
         [](TubBarControl* W) {
             EXPECT_EQ(W->FrameSizes(), (TRect{0, 0, 0, 0}));
         }},
        {"IsMainMenu on a docked bar", nullptr, [this]() { ToolBar()->SetIsMainMenu(true); }, efRebuild,
         [this](TubBarControl* W) {
             EXPECT_EQ(Manager->GetFormMenuBar(), ToolBar());
             EXPECT_EQ(W->GetWidth(), Manager->GetBars()->DockControls(dsTop)->ClientWidth());
         }},
        {"IsMainMenu on a floating bar", floating, [this]() { ToolBar()->SetIsMainMenu(true); }, efCaption, nullptr},
        {"MultiLine", nullptr, [this]() { ToolBar()->SetMultiLine(true); }, efRebuild, nullptr},
        {"NotDocking", nullptr, [this]() { ToolBar()->SetNotDocking(TubBarDockingStyles{dsLeft}); }, efRebuild,
         nullptr},
        {"ShowMark off", nullptr, [this]() { ToolBar()->SetShowMark(false); }, efRebuild,
         [](TubBarControl* W) {
             const TRect mark = W->MarkRect();
             EXPECT_TRUE(IsRectEmpty(&mark));
         }},
        {"UseRestSpace", nullptr, [this]() { ToolBar()->SetUseRestSpace(true); }, efRebuild, nullptr},
        {"UseRecentItems off", nullptr, [this]() { ToolBar()->SetUseRecentItems(false); }, efRebuild,
         [this](TubBarControl*) { EXPECT_FALSE(ToolBar()->GetItemLinks()->UseRecentItems); }},
        {"RotateWhenVertical off", [this]() { ToolBar()->SetDockingStyle(dsLeft); },
         [this]() { ToolBar()->SetRotateWhenVertical(false); }, efRelayout, nullptr},
        {"UseOwnFont with a larger font", nullptr,
         [this]() {
             ToolBar()->GetFont()->SetSize(20);
             ToolBar()->SetUseOwnFont(true);
         },
         efRebuild,
         [this](TubBarControl* W) {
             EXPECT_TRUE(ToolBar()->GetUseOwnFont());
             EXPECT_EQ(W->Canvas()->Font()->GetSize(), 20);
         }},
        {"WholeRow", nullptr, [this]() { ToolBar()->SetWholeRow(true); }, efReplace,
         [this](TubBarControl* W) {
             EXPECT_EQ(W->GetWidth(), Manager->GetBars()->DockControls(dsTop)->ClientWidth());
         }},
        {"manager: Style", nullptr, [this]() { Manager->SetStyle(bmsStandard); }, efRebuild, nullptr},
        {"manager: LargeIcons", nullptr, [this]() { Manager->SetLargeIcons(true); }, efRebuild,
         [](TubBarControl* W) { EXPECT_GT(W->ClientHeight(), 32); }},
        {"manager: ButtonArrowWidth", nullptr, [this]() { Manager->SetButtonArrowWidth(20); }, efRebuild, nullptr},
        {"manager: LargeButtonArrowWidth", nullptr, [this]() { Manager->SetLargeButtonArrowWidth(20); }, efRebuild,
         nullptr},
        {"manager: MakeDisabledImagesFaded", nullptr, [this]() { Manager->SetMakeDisabledImagesFaded(true); },
         efRebuild, nullptr},
        {"manager: ImageListBkColor", nullptr, [this]() { Manager->SetImageListBkColor(clWhite); }, efRepaint, nullptr},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.Name);
        Sample->SetBounds(300, 120, 640, 420);
        if (r.Setup) r.Setup();
        ProcessPendingMessages();
        TubBarControl* before = ToolBar()->Control();
        ASSERT_NE(before, nullptr);
        const TRect frameBefore = before->FrameSizes();
        TubBarItemControl* control = ToolBar()->GetItemLinks()->VisibleItems()[0]->Control;
        TuiObjectLinkScope windowAlive(before), controlAlive(control);
        TMessageTally tally(before);

        r.Change();
        ProcessPendingMessages();

        TubBarControl* after = ToolBar()->Control();
        ASSERT_NE(after, nullptr);
        if (r.Effect == efReplace) {
            EXPECT_FALSE(windowAlive.Alive());
            EXPECT_TRUE(IsWindowVisible(after->GetHandle()));
            EXPECT_EQ(after->DockControl(), Manager->GetBars()->DockControls(dsTop));
        } else {
            EXPECT_TRUE(windowAlive.Alive());
            EXPECT_EQ(after, before);
            EXPECT_GT(tally[WM_PAINT], 0);
            EXPECT_EQ(controlAlive.Alive(), r.Effect != efRebuild);
        }
        if (r.Effect == efRebuild) {
            EXPECT_NE(ToolBar()->GetItemLinks()->VisibleItems()[0]->Control, nullptr);
        }
        if (r.Effect == efReframe) {
            EXPECT_GT(tally[WM_NCCALCSIZE], 0);
            EXPECT_NE(after->FrameSizes(), frameBefore);
        }
        if (r.Effect == efCaption) {
            EXPECT_GT(tally[WM_NCPAINT], 0);
            EXPECT_EQ(after->GetText(), ToolBar()->GetCaption());
        }
        if (r.Check) r.Check(after);
        if (HasFailure()) SaveWindowImage(Sample->GetHandle(), ScreenshotPath(std::string("setter-") + r.Name));

        // The next row starts from the design again.
        delete Sample;
        Sample = Construct<TFormBarsSample>(nullptr);
        Sample->SetBounds(300, 120, 640, 420);
        Sample->Show();
        ProcessPendingMessages();
        Manager = Sample->Manager;
    }
}

TEST_F(ubBarSetters, DockSettingsReachEveryDock) {
    TubDockControl* top = Manager->GetBars()->DockControls(dsTop);
    {
        TMessageTally tally(top);
        Manager->SetDockColor(clAqua);
        ProcessPendingMessages();
        EXPECT_FALSE(Manager->GetAutoDockColor());
        EXPECT_EQ(top->GetColor(), clAqua);
        EXPECT_GT(tally[WM_PAINT] + tally[WM_ERASEBKGND], 0);
    }
    {
        // Back to the form's colour.
        TMessageTally tally(top);
        Manager->SetAutoDockColor(true);
        ProcessPendingMessages();
        EXPECT_EQ(top->GetColor(), Sample->GetColor());
        EXPECT_GT(tally[WM_PAINT] + tally[WM_ERASEBKGND], 0);
    }
    {
        TMessageTally tally(top);
        const int height = top->GetHeight();
        Manager->SetSunkenBorder(true);
        ProcessPendingMessages();
        EXPECT_GT(tally[WM_NCCALCSIZE], 0);
        EXPECT_EQ(top->GetHeight(), height + 2);
    }
}

TEST_F(ubBarSetters, ADockOfAnotherManagerAndAMovingWindowAreRefused) {
    // Another form's dock control: the bar keeps no dock of another manager.
    TTestForm* other = NewForm();
    auto* foreign = new TubBarDockControl(other);
    foreign->SetParent(other);
    foreign->SetBarManager(new TubBarManager(other));
    auto* own = new TubBarDockControl(Sample);
    own->SetParent(Sample);
    own->SetBarManager(Manager);
    ToolBar()->SetDockedDockControl(foreign);
    EXPECT_EQ(ToolBar()->GetDockedDockControl(), nullptr);
    ToolBar()->SetDockedDockControl(own);
    EXPECT_EQ(ToolBar()->GetDockedDockControl(), own);
    ToolBar()->SetDockedDockControl(nullptr);
    EXPECT_EQ(ToolBar()->GetDockedDockControl(), nullptr);

    // While its window is being moved the bar cannot be switched off from the toolbar lists.
    EXPECT_TRUE(ToolBar()->CanUserSwitch());
    bool during = true;
    Manager->OnBarDockingStyleChange = [&](TubBarManager*, TubBar* Bar) {
        during = Bar->CanUserSwitch();
        mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
    };
    TubBarControl* tools = ToolBar()->Control();
    RECT w;
    GetWindowRect(tools->GetHandle(), &w);
    const TRect grip = tools->GripRect();
    SetCursorPos(w.left + (grip.left + grip.right) / 2, w.top + (grip.top + grip.bottom) / 2);
    ProcessPendingMessages();
    mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
    SetCursorPos(w.left + 100, w.bottom + 300);
    ProcessPendingMessages();
    if (GetAsyncKeyState(VK_LBUTTON) < 0) mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
    ProcessPendingMessages();
    Manager->OnBarDockingStyleChange = nullptr;
    EXPECT_FALSE(during);
    EXPECT_TRUE(ToolBar()->CanUserSwitch());
}

TEST_F(ubBarSetters, RenamingAFloatingToolbarRetitlesItsWindowAtOnce) {
    TubBarCustomizingForm* form = Open();
    ASSERT_NE(form, nullptr);
    // A new bar floats; Rename is offered for it (bars of the design keep their names).
    WhileModal(
        [&] {
            auto* dialog = dynamic_cast<TubBarNameEd*>(Screen->ActiveForm());
            ASSERT_NE(dialog, nullptr);
            Press(dialog->BOK);
        },
        [&] { Press(form->BBarNew); });
    ASSERT_EQ(Manager->GetBars()->Count(), 3);
    TubBar* custom = Manager->GetBars()->Items(2);
    // A few commands give the floating window room for its title.
    for (TubBarItem* item : std::vector<TubBarItem*>{Sample->FileOpenItem, Sample->FileSaveItem, Sample->FileImportFrom,
                                                     Sample->FileOpenItem})
        custom->GetItemLinks()->Add()->SetItem(item);
    custom->SetVisible(false);
    custom->SetFloatClientWidth(0);
    custom->SetVisible(true);
    ProcessPendingMessages();
    ASSERT_NE(custom->Control(), nullptr);
    ASSERT_TRUE(custom->Control()->IsFloating());
    TubBarControl* window = custom->Control();
    TMessageTally tally(window);
    WhileModal(
        [&] {
            auto* dialog = dynamic_cast<TubBarNameEd*>(Screen->ActiveForm());
            ASSERT_NE(dialog, nullptr);
            dialog->EName->SetText("My Tools");
            Press(dialog->BOK);
        },
        [&] { Press(form->BBarRename); });
    ProcessPendingMessages();
    EXPECT_EQ(custom->GetCaption(), "My Tools");
    EXPECT_EQ(custom->Control(), window);
    EXPECT_EQ(window->GetText(), "My Tools");
    EXPECT_GT(tally[WM_NCPAINT], 0);
    RECT r;
    GetWindowRect(window->GetHandle(), &r);
    EXPECT_TRUE(SaveScreenImage(r, ScreenshotPath("floating-toolbar-renamed")));
}

}  // namespace
}  // namespace zel::test
