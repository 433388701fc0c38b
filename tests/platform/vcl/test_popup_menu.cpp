// Popup menus: read from a form, opened at a screen point, driven by real mouse and key input; the chosen
// item's click runs once the menu has closed.
#include <gtest/gtest.h>

#include <functional>

#include "platform/vcl/FormReader.h"
#include "platform/vcl/Menus.h"
#include "platform/vcl/StdCtrls.h"
#include "platform/win/SysInfo.h"
#include "support/vcl/VclTestSupport.h"

namespace zel::test {
namespace {

const char* const kMenuForm = R"(object FormMenu: TFormMenu
  Left = 200
  Top = 150
  Caption = 'Menu'
  ClientHeight = 200
  ClientWidth = 300
  object Edit1: TEdit
    Left = 8
    Top = 8
    Width = 100
    Height = 21
    TabOrder = 0
  end
  object PopupMenu: TPopupMenu
    AutoPopup = False
    HelpContext = 39
    OnPopup = PopupMenuPopup
    object LoadSysex: TMenuItem
      Caption = 'Load Sysex'
      OnClick = ItemClick
    end
    object N1: TMenuItem
      Caption = '-'
    end
    object Send: TMenuItem
      Caption = 'Send'
      OnClick = ItemClick
    end
    object Receive: TMenuItem
      Caption = 'Receive'
      Enabled = False
      OnClick = ItemClick
    end
    object Delete: TMenuItem
      Caption = 'Delete'
      ShortCut = 16452
      OnClick = ItemClick
    end
  end
end
)";

class TFormMenu : public TForm {
public:
    explicit TFormMenu(TComponent* owner) : TForm(owner) {}
    std::string ClassName() const override { return "TFormMenu"; }
    const TFormResource* FormResource() const override { return &resource_; }
    void DefineBindings(TFormBindings& B) override {
        B.Field("Edit1", Edit1);
        B.Field("PopupMenu", PopupMenu);
        B.Field("LoadSysex", LoadSysex);
        B.Field("N1", N1);
        B.Field("Send", Send);
        B.Field("Receive", Receive);
        B.Field("Delete", Delete);
        B.Handler<TNotifyEvent>("PopupMenuPopup", [this](TObject*) {
            Log.push_back(OpenPopupMenuWindow() == nullptr ? "popup before showing" : "popup while showing");
            if (OnPopupExtra) OnPopupExtra();
        });
        B.Handler<TNotifyEvent>("ItemClick", [this](TObject* Sender) {
            Log.push_back("click " + static_cast<TMenuItem*>(Sender)->Caption +
                          (OpenPopupMenuWindow() == nullptr ? " after closing" : " while open"));
        });
    }
    TEdit* Edit1 = nullptr;
    TPopupMenu* PopupMenu = nullptr;
    TMenuItem *LoadSysex = nullptr, *N1 = nullptr, *Send = nullptr, *Receive = nullptr, *Delete = nullptr;
    std::vector<std::string> Log;
    std::function<void()> OnPopupExtra;

private:
    TFormResource resource_{"Menu", kMenuForm};
};

class PopupMenus : public VclTest {
protected:
    void SetUp() override {
        VclTest::SetUp();
        form = Keep(Construct<TFormMenu>(nullptr));
        form->Show();
        form->Edit1->SetFocus();
        ProcessPendingMessages();
    }
    // Opens the menu at (250, 250) and runs the steps, one each time the menu's own loop has nothing to do.
    void PopupWith(std::vector<std::function<void()>> Steps) {
        std::size_t next = 0;
        Application->OnIdle = [&](TObject*, bool& done) {
            done = true;
            if (next < Steps.size() && OpenPopupMenuWindow() != nullptr) Steps[next++]();
        };
        form->PopupMenu->Popup(250, 250);
        Application->OnIdle = nullptr;
        EXPECT_EQ(next, Steps.size());
    }
    void PopupWith(std::function<void()> Input) { PopupWith(std::vector<std::function<void()>>{std::move(Input)}); }
    static POINT CentreOf(const TMenuItem* item) {
        TRect r;
        EXPECT_TRUE(GetPopupMenuItemRect(item, r)) << item->Caption;
        return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    }
    static void ClickAtScreen(POINT p, bool right = false) {
        SetCursorPos(p.x, p.y);
        mouse_event(right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
        mouse_event(right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
    }
    static void Key(BYTE vk) {
        keybd_event(vk, 0, 0, 0);
        keybd_event(vk, 0, KEYEVENTF_KEYUP, 0);
    }
    TFormMenu* form = nullptr;
};

TEST_F(PopupMenus, AFormResourceBuildsTheMenuWithItsSeparatorAndHandlers) {
    TPopupMenu* menu = form->PopupMenu;
    EXPECT_FALSE(menu->AutoPopup);
    EXPECT_EQ(menu->HelpContext, 39);
    ASSERT_EQ(menu->Items()->Count(), 5);
    EXPECT_EQ(menu->Items()->Items(0), form->LoadSysex);
    EXPECT_TRUE(form->N1->IsLine());
    EXPECT_FALSE(form->Receive->Enabled);
    EXPECT_EQ(form->Delete->ShortCut, scCtrl | 'D');
    EXPECT_EQ(form->Send->GetParentMenu(), menu);
    EXPECT_EQ(form->Send->GetParentComponent(), menu);
    // An item freed by its owner leaves the menu; the menu freed first frees its items.
    delete form->LoadSysex;
    EXPECT_EQ(menu->Items()->Count(), 4);
    EXPECT_EQ(menu->Items()->IndexOf(form->Send), 1);
}

TEST_F(PopupMenus, ARealClickOnAnItemRunsItsCurrentHandlerOnceAfterTheMenuHasClosed) {
    int replaced = 0;
    form->OnPopupExtra = [&] {
        // The handler may be exchanged at run time; the one in place when the choice is carried out runs.
        form->Send->OnClick = [&](TObject*) { replaced += OpenPopupMenuWindow() == nullptr ? 1 : 100; };
    };
    bool shownAtPoint = false;
    PopupWith([&] {
        RECT r;
        GetWindowRect(OpenPopupMenuWindow(), &r);
        shownAtPoint = r.left == 250 && r.top == 250 && IsWindowVisible(OpenPopupMenuWindow());
        // The window does not take the focus: the edit keeps it while the menu is open.
        EXPECT_EQ(GetFocus(), form->Edit1->GetHandle());
        ClickAtScreen(CentreOf(form->Send));
    });
    EXPECT_TRUE(shownAtPoint);
    EXPECT_EQ(OpenPopupMenuWindow(), nullptr);
    EXPECT_EQ(replaced, 0);  // not yet: the choice is carried out from the queue
    ProcessPendingMessages();
    EXPECT_EQ(replaced, 1);
    EXPECT_EQ(form->Log, (std::vector<std::string>{"popup before showing"}));
    ProcessPendingMessages();
    EXPECT_EQ(replaced, 1);
}

TEST_F(PopupMenus, KeysAndClicksChooseOrCloseWithoutAChoice) {
    struct Row {
        const char* name;
        std::function<void(TFormMenu*)> input;
        std::vector<std::string> expected;
    };
    const std::vector<Row> rows = {
        {"Esc", [](TFormMenu*) { Key(VK_ESCAPE); }, {}},
        {"left click outside",
         [](TFormMenu*) {
             ClickAtScreen(POINT{100, 100});
         },
         {}},
        {"right click outside",
         [](TFormMenu*) {
             ClickAtScreen(POINT{600, 500}, true);
         },
         {}},
        {"click on the separator, then Esc",
         [](TFormMenu* f) {
             ClickAtScreen(CentreOf(f->N1));
             Key(VK_ESCAPE);
         },
         {}},
        {"click on a disabled item, then Esc",
         [](TFormMenu* f) {
             ClickAtScreen(CentreOf(f->Receive));
             Key(VK_ESCAPE);
         },
         {}},
        {"Enter on a disabled item, then Esc",
         [](TFormMenu*) {
             for (int i = 0; i < 3; ++i) Key(VK_DOWN);  // Load Sysex, Send, Receive: the separator is skipped
             Key(VK_RETURN);
             Key(VK_ESCAPE);
         },
         {}},
        {"Down twice and Enter",
         [](TFormMenu*) {
             Key(VK_DOWN);
             Key(VK_DOWN);
             Key(VK_RETURN);
         },
         {"click Send after closing"}},
        {"Up wraps to the last item",
         [](TFormMenu*) {
             Key(VK_UP);
             Key(VK_RETURN);
         },
         {"click Delete after closing"}},
        {"right button click on an item",
         [](TFormMenu* f) { ClickAtScreen(CentreOf(f->LoadSysex), true); },
         {"click Load Sysex after closing"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        form->Log.clear();
        PopupWith([&] { row.input(form); });
        EXPECT_EQ(OpenPopupMenuWindow(), nullptr);
        ProcessPendingMessages();
        std::vector<std::string> clicks(form->Log.begin() + 1, form->Log.end());
        EXPECT_EQ(clicks, row.expected);
        // The keys went to the menu, not to the edit that has the focus.
        EXPECT_EQ(form->Edit1->GetText(), "");
    }
}

TEST_F(PopupMenus, InputBeforeTheMenuClosesReachesNoOtherWindow) {
    int editClicks = 0;
    form->Edit1->OnClick = [&](TObject*) { ++editClicks; };
    PopupWith([&] {
        POINT p = form->Edit1->ClientToScreen(TPoint{5, 5});
        ClickAtScreen(p);  // closes the menu, goes nowhere else
    });
    ProcessPendingMessages();
    EXPECT_EQ(editClicks, 0);
}

TEST_F(PopupMenus, ShortCutsOfEnabledItemsAreFoundAndClicked) {
    BYTE keys[256] = {};
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    TMessage m{WM_KEYDOWN, 'D', 0, 0};
    EXPECT_TRUE(form->PopupMenu->IsShortCut(m));
    EXPECT_EQ(form->Log, (std::vector<std::string>{"click Delete after closing"}));
    form->Delete->Enabled = false;
    EXPECT_FALSE(form->PopupMenu->IsShortCut(m));
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
    form->Delete->Enabled = true;
    EXPECT_FALSE(form->PopupMenu->IsShortCut(m));  // plain D is not Ctrl+D
}

TEST_F(PopupMenus, TheOpenMenuDrawsItsHighlightAndDisabledLines) {
    COLORREF hotPixel = 0, plainPixel = 0;
    PopupWith({[&] { SetCursorPos(CentreOf(form->Send).x, CentreOf(form->Send).y); },
               [&] {
                   HWND w = OpenPopupMenuWindow();
                   EXPECT_TRUE(SaveWindowImage(w, ScreenshotPath("popup-menu")));
                   RECT wr;
                   GetWindowRect(w, &wr);
                   TRect send, load;
                   GetPopupMenuItemRect(form->Send, send);
                   GetPopupMenuItemRect(form->LoadSysex, load);
                   hotPixel = ComposedPixel(w, send.right - wr.left - 3, send.top - wr.top + 1);
                   plainPixel = ComposedPixel(w, load.right - wr.left - 3, load.top - wr.top + 1);
                   Key(VK_ESCAPE);
               }});
    EXPECT_EQ(hotPixel, GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(plainPixel, GetSysColor(COLOR_MENU));
}

}  // namespace
}  // namespace zel::test
