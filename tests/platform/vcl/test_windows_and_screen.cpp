// A control with two native windows, the stacking of top-level windows as the screen shows it, and the
// idle-time update of actions.
#include <gtest/gtest.h>

#include "platform/win/Gdi.h"
#include "support/vcl/VclTestSupport.h"

namespace zel::test {
namespace {

// Fills itself with its colour and records the messages that reach its window procedure.
class TPlate : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
    std::string ClassName() const override { return "TPlate"; }
    std::vector<UINT> Seen;

    // The control as a floating pop-up owned by Owner, at a screen point.
    HWND MakeFloating(HWND Owner, int X, int Y) {
        TCreateParams p;
        CreateParams(p);
        p.Style = (p.Style & ~(WS_CHILD | WS_VISIBLE)) | WS_POPUP;
        p.WndParent = Owner;
        p.X = X;
        p.Y = Y;
        return CreateSecondWindow(p);
    }
    using TWinControl::DestroySecondWindow;
    using TWinControl::SecondWindow;
    using TWinControl::SwitchWindows;

protected:
    void WndProc(TMessage& Message) override {
        Seen.push_back(Message.Msg);
        TCustomControl::WndProc(Message);
    }
    void Paint() override {
        Canvas()->Brush()->SetColor(GetColor());
        Canvas()->FillRect(GetClientRect());
    }
};

class TActionCounter : public TPlate {
public:
    explicit TActionCounter(TComponent* AOwner, bool AClient = true) : TPlate(AOwner) {
        if (AClient) ControlStyle.Include(csActionClient);
    }
    int Initiated = 0;
    void InitiateAction() override { ++Initiated; }
};

class VclWindowsAndScreen : public VclTest {
protected:
    TForm* NewForm(TColor Color, int X, int Y) {
        auto* f = Keep(Construct<TForm>(nullptr));
        f->SetBorderStyle(bsNone);
        f->SetBounds(X, Y, 120, 90);
        f->SetColor(Color);
        return f;
    }
};

TEST_F(VclWindowsAndScreen, AControlSwitchesItsHandleToASecondWindowAndBackWithoutRecreatingItsChildren) {
    TForm* form = NewForm(clWhite, 40, 40);
    auto* plate = new TPlate(form);
    plate->SetBounds(5, 5, 60, 30);
    plate->SetColor(clRed);
    plate->SetParent(form);
    auto* inner = new TPlate(form);
    inner->SetBounds(4, 4, 10, 10);
    inner->SetColor(clBlue);
    inner->SetParent(plate);
    form->Show();
    HWND docked = plate->GetHandle();
    HWND innerWindow = inner->GetHandle();

    HWND floating = plate->MakeFloating(form->GetHandle(), 300, 200);
    ASSERT_NE(floating, nullptr);
    EXPECT_EQ(plate->MakeFloating(form->GetHandle(), 0, 0), floating);  // made once
    EXPECT_EQ(plate->GetHandle(), docked);
    EXPECT_EQ(TWinControl::FindControl(floating), plate);
    // The second window's default handling answers for it: it takes its own text, the Handle keeps its.
    plate->SetText("Plate");
    SetWindowText(floating, "Floating plate");
    EXPECT_EQ(plate->GetText(), "Plate");
    char text[32] = {};
    GetWindowText(floating, text, sizeof(text));
    EXPECT_STREQ(text, "Floating plate");
    // Both windows reach the control's window procedure.
    plate->Seen.clear();
    SendMessage(docked, WM_USER + 1, 0, 0);
    SendMessage(floating, WM_USER + 2, 0, 0);
    EXPECT_EQ(plate->Seen, (std::vector<UINT>{WM_USER + 1, WM_USER + 2}));

    ShowWindow(docked, SW_HIDE);
    plate->SwitchWindows();
    ShowWindow(floating, SW_SHOWNOACTIVATE);
    EXPECT_EQ(plate->GetHandle(), floating);
    EXPECT_EQ(plate->SecondWindow(), docked);
    EXPECT_EQ(inner->GetHandle(), innerWindow);
    EXPECT_EQ(GetParent(innerWindow), floating);
    EXPECT_EQ(plate->GetLeft(), 300);
    EXPECT_EQ(plate->GetTop(), 200);
    plate->Repaint();
    EXPECT_EQ(ComposedScreenPixel(300 + 30, 200 + 20), RGB(255, 0, 0));
    EXPECT_EQ(ComposedScreenPixel(300 + 6, 200 + 6), RGB(0, 0, 255));
    // The window not in use is not painted by the control, which paints through its Handle.
    plate->Seen.clear();
    SendMessage(docked, WM_PAINT, 0, 0);
    SendMessage(docked, WM_USER + 3, 0, 0);
    EXPECT_EQ(plate->Seen, (std::vector<UINT>{WM_USER + 3}));

    plate->DestroySecondWindow();
    EXPECT_FALSE(IsWindow(docked));
    EXPECT_EQ(TWinControl::FindControl(docked), nullptr);
    EXPECT_EQ(plate->GetHandle(), floating);

    // Freeing the control frees both of its windows.
    plate->MakeFloating(form->GetHandle(), 10, 10);
    HWND second = plate->SecondWindow();
    delete plate;
    EXPECT_FALSE(IsWindow(floating));
    EXPECT_FALSE(IsWindow(second));
    EXPECT_FALSE(IsWindow(innerWindow));
}

TEST_F(VclWindowsAndScreen, RaisingATopLevelWindowWithoutActivationPutsItOnTopOfTheScreen) {
    TForm* red = NewForm(clRed, 100, 100);
    TForm* blue = NewForm(clBlue, 160, 130);
    red->Show();
    blue->Show();
    ProcessPendingMessages();
    const int x = 170, y = 140;  // where both overlap
    EXPECT_EQ(GetTopWindow(nullptr), blue->GetHandle());
    EXPECT_EQ(ComposedScreenPixel(x, y), RGB(0, 0, 255));

    SetWindowPos(red->GetHandle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    EXPECT_EQ(GetTopWindow(nullptr), red->GetHandle());
    EXPECT_EQ(GetWindow(red->GetHandle(), GW_HWNDNEXT), blue->GetHandle());
    EXPECT_EQ(GetActiveWindow(), blue->GetHandle());
    EXPECT_EQ(ComposedScreenPixel(x, y), RGB(255, 0, 0));
    EXPECT_TRUE(SaveScreenImage(RECT{90, 90, 290, 230}, ScreenshotPath("screen-raised-red")));

    SetWindowPos(red->GetHandle(), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    EXPECT_EQ(ComposedScreenPixel(x, y), RGB(0, 0, 255));
    // Only red shows at its own corner, nothing beyond both windows.
    EXPECT_EQ(ComposedScreenPixel(105, 105), RGB(255, 0, 0));
    EXPECT_EQ(ComposedScreenPixel(5, 5), RGB(255, 255, 255));
    EXPECT_FALSE(SaveScreenImage(RECT{10, 10, 10, 50}, ScreenshotPath("screen-empty")));
}

TEST_F(VclWindowsAndScreen, TheIdleApplicationLetsTheVisibleActionClientsOfEveryShowingFormUpdateTheirActions) {
    TForm* shown = NewForm(clWhite, 0, 0);
    auto* top = new TActionCounter(shown);
    top->SetParent(shown);
    auto* nested = new TActionCounter(shown);
    nested->SetParent(top);
    auto* noClient = new TActionCounter(shown, false);
    noClient->SetParent(shown);
    auto* hidden = new TActionCounter(shown);
    hidden->SetVisible(false);
    hidden->SetParent(shown);
    auto* underHidden = new TActionCounter(shown);
    underHidden->SetParent(hidden);
    shown->Show();
    TForm* notShown = NewForm(clWhite, 0, 0);
    auto* offForm = new TActionCounter(notShown);
    offForm->SetParent(notShown);
    notShown->HandleNeeded();
    ProcessPendingMessages();

    // The idle handler leaves a message behind, so that the wait after the update returns at once.
    Application->OnIdle = [](TObject*, bool&) { PostMessage(nullptr, WM_NULL, 0, 0); };
    Application->HandleMessage();
    EXPECT_EQ(top->Initiated, 1);
    EXPECT_EQ(nested->Initiated, 1);
    EXPECT_EQ(noClient->Initiated, 0);
    EXPECT_EQ(hidden->Initiated, 0);
    EXPECT_EQ(underHidden->Initiated, 0);
    EXPECT_EQ(offForm->Initiated, 0);
    // An idle handler that asks for more idle time holds the update back.
    Application->OnIdle = [](TObject*, bool& Done) { Done = false; };
    Application->HandleMessage();
    Application->HandleMessage();
    EXPECT_EQ(top->Initiated, 1);
}

}  // namespace
}  // namespace zel::test
