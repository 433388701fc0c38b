#pragma once
// Shared fixture of the parameter-control tests: a shown form to place a control on, mouse input through
// the control's window messages, pixels of the control's image and screenshots.
#include <gtest/gtest.h>

#include <string>

#include "platform/rtl/Clock.h"
#include "support/vcl/VclTestSupport.h"

namespace zel::test {

class ControlsTest : public VclTest {
protected:
    void SetUp() override {
        VclTest::SetUp();
        Form = Keep(Construct<TForm>(nullptr));
        Form->SetBorderStyle(bsSingle);
        Form->SetBounds(40, 40, 620, 260);
    }

    // Places the control on the form at (Left, Top), shows the form and lets every paint run.
    template <class T>
    T* Place(T* Control, int Left = 10, int Top = 10) {
        Control->SetLeft(Left);
        Control->SetTop(Top);
        Control->SetParent(Form);
        Form->Show();
        ProcessPendingMessages();
        return Control;
    }

    static LPARAM At(int X, int Y) { return MAKELPARAM(static_cast<WORD>(X), static_cast<WORD>(Y)); }
    static void Down(TWinControl* C, int X, int Y, UINT Msg = WM_LBUTTONDOWN, WPARAM Keys = MK_LBUTTON) {
        SendMessage(C->GetHandle(), Msg, Keys, At(X, Y));
    }
    static void Move(TWinControl* C, int X, int Y, WPARAM Keys = MK_LBUTTON) {
        SendMessage(C->GetHandle(), WM_MOUSEMOVE, Keys, At(X, Y));
    }
    static void Up(TWinControl* C, int X, int Y, UINT Msg = WM_LBUTTONUP) {
        SendMessage(C->GetHandle(), Msg, 0, At(X, Y));
    }

    // The colour the user sees at a client point of a control.
    static COLORREF PixelAt(TWinControl* C, int X, int Y) {
        ProcessPendingMessages();
        return ComposedPixel(C->GetHandle(), X, Y);
    }

    // Saves the control as the user sees it and checks that the file was written.
    static std::string Shot(TWinControl* C, const std::string& Name) {
        const std::string path = ScreenshotPath(Name);
        EXPECT_TRUE(SaveWindowImage(C->GetHandle(), path)) << path;
        return path;
    }

    // Advances the manual clock in steps, letting the timer messages of each step run.
    static void Advance(TManualClockScope& Clock, TTick Ms) {
        for (TTick t = 0; t < Ms; ++t) {
            Clock->Advance(1);
            ProcessPendingMessages();
        }
    }

    TForm* Form = nullptr;
};

}  // namespace zel::test
