// What a change hands to the screen: the area the window that drew covers in its top-level window, or the
// whole top-level window when a window moved, was shown or had its frame changed.
#include <gtest/gtest.h>

#include <QEvent>
#include <QObject>
#include <QPaintEvent>
#include <QWidget>

#include <functional>

#include "platform/vcl/StdCtrls.h"
#include "platform/win/Gdi.h"
#include "platform/win/WindowsQt.h"
#include "support/vcl/VclTestSupport.h"

namespace zel::test {
namespace {

// Collects the areas the toolkit paints on a top-level widget (what it copies to the screen).
class TPaintRecorder : public QObject {
public:
    explicit TPaintRecorder(QWidget* widget) : widget_(widget) { widget_->installEventFilter(this); }
    ~TPaintRecorder() override { widget_->removeEventFilter(this); }
    QRegion Painted;

protected:
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint) Painted += static_cast<QPaintEvent*>(e)->region();
        return false;
    }

private:
    QWidget* widget_;
};

// A shown form with an edit, a button, a label and a hidden button.
struct TStage {
    TForm* Form = nullptr;
    TEdit* Edit = nullptr;
    TButton* Button = nullptr;
    TLabel* Label = nullptr;
    TButton* Hidden = nullptr;
    HDC Held = nullptr;  // a DC the change keeps, released after the check
};

struct UpdateCase {
    const char* Name;
    std::function<void(TStage&)> Change;
    // The area expected on the screen, in the form's window coordinates; none: the whole form.
    std::function<QRect(TStage&)> Area;
};

// A window's client area in its form's window coordinates.
QRect ClientOnForm(TStage& s, HWND hwnd) {
    RECT form;
    GetWindowRect(s.Form->GetHandle(), &form);
    RECT client;
    GetClientRect(hwnd, &client);
    POINT origin{0, 0};
    ClientToScreen(hwnd, &origin);
    return QRect(origin.x - form.left, origin.y - form.top, client.right, client.bottom);
}

class ScreenUpdates : public VclTest, public ::testing::WithParamInterface<UpdateCase> {};

TEST_P(ScreenUpdates, CopyWhatChanged) {
    TStage s;
    s.Form = Keep(Construct<TForm>(nullptr));
    s.Form->SetBounds(40, 40, 400, 300);
    s.Edit = new TEdit(s.Form);
    s.Edit->SetParent(s.Form);
    s.Edit->SetBounds(10, 10, 200, 21);
    s.Edit->SetText("Warm Pad");
    s.Button = new TButton(s.Form);
    s.Button->SetParent(s.Form);
    s.Button->SetBounds(10, 50, 80, 25);
    s.Button->SetCaption("Send");
    s.Label = new TLabel(s.Form);
    s.Label->SetParent(s.Form);
    s.Label->SetAutoSize(false);
    s.Label->SetBounds(10, 90, 100, 13);
    s.Label->SetCaption("Patch");
    s.Hidden = new TButton(s.Form);
    s.Hidden->SetParent(s.Form);
    s.Hidden->SetBounds(120, 50, 80, 25);
    s.Hidden->SetVisible(false);
    s.Form->Show();
    s.Edit->SetFocus();
    for (int i = 0; i < 3; ++i) ProcessPendingMessages();
    QWidget* widget = WindowWidgetForTest(s.Form->GetHandle());
    ASSERT_NE(widget, nullptr);
    ASSERT_TRUE(widget->isVisible());

    TPaintRecorder recorder(widget);
    GetParam().Change(s);
    for (int i = 0; i < 3; ++i) ProcessPendingMessages();

    const QRect expected = GetParam().Area ? GetParam().Area(s) : widget->rect();
    EXPECT_EQ(recorder.Painted, QRegion(expected))
        << "painted " << recorder.Painted.boundingRect().x() << "," << recorder.Painted.boundingRect().y() << " "
        << recorder.Painted.boundingRect().width() << "x" << recorder.Painted.boundingRect().height();
    if (s.Held) ReleaseDC(s.Button->GetHandle(), s.Held);
}

INSTANTIATE_TEST_SUITE_P(
    Forms, ScreenUpdates,
    ::testing::Values(
        UpdateCase{"CaretMoves", [](TStage& s) { SendMessage(s.Edit->GetHandle(), WM_KEYDOWN, VK_LEFT, 0); },
                   [](TStage& s) { return ClientOnForm(s, s.Edit->GetHandle()); }},
        UpdateCase{"Keystroke", [](TStage& s) { SendMessage(s.Edit->GetHandle(), WM_CHAR, 'x', 0); },
                   [](TStage& s) { return ClientOnForm(s, s.Edit->GetHandle()); }},
        UpdateCase{"OneButton", [](TStage& s) { s.Button->SetCaption("Get"); },
                   [](TStage& s) { return ClientOnForm(s, s.Button->GetHandle()); }},
        UpdateCase{"HeldDC",
                   [](TStage& s) {
                       // A canvas keeps its DC across drawings: what it draws still reaches the screen.
                       s.Held = GetDC(s.Button->GetHandle());
                       const RECT r{2, 2, 10, 10};
                       FillRect(s.Held, &r, GetSysColorBrush(COLOR_WINDOWTEXT));
                   },
                   [](TStage& s) { return ClientOnForm(s, s.Button->GetHandle()); }},
        UpdateCase{"GraphicControl", [](TStage& s) { s.Label->SetCaption("Patch 2"); },
                   [](TStage& s) {
                       return QRect(10, 90, 100, 13).translated(ClientOnForm(s, s.Form->GetHandle()).topLeft());
                   }},
        UpdateCase{"MovedWindow", [](TStage& s) { s.Button->SetBounds(30, 50, 80, 25); }, nullptr},
        UpdateCase{"ShownWindow", [](TStage& s) { s.Hidden->SetVisible(true); }, nullptr},
        UpdateCase{"FrameChange",
                   [](TStage& s) {
                       SetWindowPos(s.Edit->GetHandle(), nullptr, 0, 0, 0, 0,
                                    SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
                   },
                   nullptr}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST_F(VclTest, ADCHeldPastItsWindowsEndIsLetGoWithoutItsImage) {
    TForm* form = Construct<TForm>(nullptr);
    form->SetBounds(40, 40, 200, 100);
    auto* button = new TButton(form);
    button->SetParent(form);
    button->SetBounds(10, 10, 80, 25);
    form->Show();
    ProcessPendingMessages();
    HDC dc = GetDC(button->GetHandle());
    const RECT r{0, 0, 4, 4};
    FillRect(dc, &r, GetSysColorBrush(COLOR_WINDOWTEXT));
    delete form;
    ProcessPendingMessages();  // shows what held DCs drew
    EXPECT_EQ(WindowFromDC(dc), nullptr);
    EXPECT_EQ(ReleaseDC(nullptr, dc), 1);
}

}  // namespace
}  // namespace zel::test
