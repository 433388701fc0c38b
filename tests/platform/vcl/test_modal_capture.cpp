// Every modal loop first takes the mouse back from the window that holds it: the holder hears WM_CANCELMODE,
// and the capture and the pointer grab are gone by the time the loop's window shows, so that the box or
// dialog (and every other window) takes the mouse again.
#include <QWidget>

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "platform/vcl/Buttons.h"
#include "platform/vcl/Dialogs.h"
#include "platform/win/WindowsQt.h"
#include "support/vcl/VclTestSupport.h"

namespace zel::test {
namespace {

// What the loop found when its window came up.
struct TSeen {
    bool ran = false;
    HWND capture = nullptr;
    QWidget* grabber = nullptr;
};

class ModalCapture : public VclTest {
public:
    void SetUp() override {
        VclTest::SetUp();
        form = Keep(Construct<TForm>(nullptr));
        form->SetBounds(50, 50, 300, 200);
        button = Construct<TSpeedButton>(form);
        button->SetParent(form);
        button->SetBounds(20, 20, 80, 25);
        form->Show();
        ProcessPendingMessages();
    }
    // The colour of the button's top left edge as drawn: it differs between up and down.
    COLORREF ButtonEdge() const {
        ProcessPendingMessages();
        RECT window;
        GetWindowRect(form->GetHandle(), &window);
        POINT p{21, 21};
        ClientToScreen(form->GetHandle(), &p);
        return ComposedPixel(form->GetHandle(), p.x - window.left, p.y - window.top);
    }
    void Note() {
        seen.ran = true;
        seen.capture = GetCapture();
        seen.grabber = QWidget::mouseGrabber();
    }
    // A real press on the button, held: the button goes down and its form takes the capture and the grab.
    void PressAndHold() {
        POINT p{60, 32};
        ClientToScreen(form->GetHandle(), &p);
        SetCursorPos(p.x, p.y);
        mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
        ProcessPendingMessages();
    }

    TForm* form = nullptr;
    TSpeedButton* button = nullptr;
    TSeen seen;
};

TEST_F(ModalCapture, EveryModalLoopCancelsAHeldCaptureBeforeItsWindowShows) {
    struct Loop {
        const char* name;
        std::function<void(ModalCapture&)> run;
    };
    const Loop loops[] = {
        {"message box",
         [](ModalCapture& t) {
             SetMessageBoxAnswerer([&t](const TMessageBoxRequest&) {
                 t.Note();
                 return IDOK;
             });
             ShowMessageBox("There is no default printer.", "Zelmovi", MB_OK);
         }},
        {"message dialog",
         [](ModalCapture& t) {
             SetMessageBoxAnswerer([&t](const TMessageBoxRequest&) {
                 t.Note();
                 return IDNO;
             });
             MessageDlg("Are You Sure ?", mtConfirmation, TMsgDlgButtons{mbYes, mbNo}, 0);
         }},
        {"modal form",
         [](ModalCapture& t) {
             auto* modal = Construct<TForm>(t.form);
             modal->SetBounds(100, 100, 200, 100);
             modal->OnShow = [&t, modal](TObject*) {
                 t.Note();
                 modal->ModalResult = mrOk;
             };
             modal->ShowModal();
         }},
        {"open dialog",
         [](ModalCapture& t) {
             TFileDialogAnswerer old = SetFileDialogAnswerer([&t](TOpenDialog&) {
                 t.Note();
                 return false;
             });
             TOpenDialog dialog(nullptr);
             dialog.Execute();
             SetFileDialogAnswerer(std::move(old));
         }},
        {"save dialog",
         [](ModalCapture& t) {
             TFileDialogAnswerer old = SetFileDialogAnswerer([&t](TOpenDialog&) {
                 t.Note();
                 return false;
             });
             TSaveDialog dialog(nullptr);
             dialog.Execute();
             SetFileDialogAnswerer(std::move(old));
         }},
    };
    const COLORREF up = ButtonEdge();
    for (const Loop& loop : loops) {
        SCOPED_TRACE(loop.name);
        seen = TSeen{};
        PressAndHold();
        ASSERT_EQ(GetCapture(), form->GetHandle()) << "the press holds the capture";
        ASSERT_NE(QWidget::mouseGrabber(), nullptr) << "and the pointer grab";
        ASSERT_NE(ButtonEdge(), up) << "the button is drawn down";
        loop.run(*this);
        EXPECT_TRUE(seen.ran);
        EXPECT_EQ(seen.capture, nullptr);
        EXPECT_EQ(seen.grabber, nullptr);
        EXPECT_EQ(ButtonEdge(), up) << "the pressed button came up";
        mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
        ProcessPendingMessages();
    }
}

}  // namespace
}  // namespace zel::test
