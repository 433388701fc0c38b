#include "uilib/bars/ubBarHint.h"

#include "platform/vcl/Forms.h"
#include "platform/win/SysInfo.h"
#include "uilib/bars/ubBarControlBase.h"
#include "uilib/bars/ubBarItem.h"
#include "uilib/bars/ubBarManager.h"
#include "uilib/bars/ubBarUnit.h"
#include "uilib/base/uiClasses.h"
#include "uilib/base/uiGraphics.h"

namespace zel {

namespace {

struct THintState {
    TubBarHintWindow* window = nullptr;
    bool requested = false;
    std::string text;
    bool shown = false;
    TubBarManager* manager = nullptr;
    UINT_PTR timer = 0;  // the show or the hide timer
    UINT_PTR pauseTimer = 0;
    bool inPause = false;
};

THintState& Hint() {
    static THintState state;
    return state;
}

void StopTimer(UINT_PTR& ATimer) {
    if (ATimer != 0) KillTimer(nullptr, ATimer);
    ATimer = 0;
}

bool WindowVisible() {
    TubBarHintWindow* w = Hint().window;
    return w != nullptr && w->HandleAllocated() && IsWindowVisible(w->GetHandle());
}

void HideWindow() {
    if (Hint().window != nullptr) Hint().window->Deactivate();
}

void HideTimerTick(HWND, UINT, UINT_PTR, DWORD) {
    StopTimer(Hint().timer);
    HideWindow();
    Hint().shown = false;
}

void ShowTimerTick(HWND, UINT, UINT_PTR, DWORD) {
    StopTimer(Hint().timer);
    if (Hint().manager != nullptr) ShowHintNow(Hint().manager);
}

void PauseTimerTick(HWND, UINT, UINT_PTR, DWORD) {
    StopTimer(Hint().pauseTimer);
    Hint().inPause = false;
}

// The selected control of the manager when it lies in a bar window that is not the active one (open menus
// and bars in keyboard mode show no hints).
TubBarItemControl* HintControlOf(TubBarManager* AManager) {
    TubBarItemControl* control = AManager->GetSelectedControl();
    if (control == nullptr || control->Parent == nullptr || control->Parent->IsActive()) return nullptr;
    return control;
}

bool HintDue(TubBarManager* AManager) {
    const THintState& h = Hint();
    return !h.text.empty() || (h.requested && HintControlOf(AManager) != nullptr);
}

}  // namespace

// ---- window ------------------------------------------------------------------------------------------------

TubBarHintWindow::TubBarHintWindow(TComponent* AOwner) : TCustomControl(AOwner) {
    SetColor(clInfoBk);
    Canvas()->Brush()->SetStyle(bsClear);
    SetVisible(false);
}

TubBarHintWindow* TubBarHintWindow::CreateDefault() { return Construct<TubBarHintWindow>(nullptr); }

void TubBarHintWindow::CreateParams(TCreateParams& Params) {
    TCustomControl::CreateParams(Params);
    Params.Style = WS_POPUP | WS_DISABLED;
    Params.ExStyle = WS_EX_TOPMOST | WS_EX_TOOLWINDOW;
    Params.WindowClass.style |= CS_SAVEBITS;
    Params.WndParent = nullptr;
}

void TubBarHintWindow::Dispatch(TMessage& Message) {
    if (Message.Msg == WM_NCHITTEST) {
        Message.Result = HTTRANSPARENT;
        return;
    }
    TCustomControl::Dispatch(Message);
}

void TubBarHintWindow::Paint() {
    TRect r = GetClientRect();
    HDC dc = Canvas()->GetHandle();
    Canvas()->Brush()->SetStyle(bsSolid);
    Canvas()->Brush()->SetColor(GetColor());
    Canvas()->FillRect(r);
    DrawEdge(dc, &r, BDR_RAISEDOUTER, BF_RECT);
    Canvas()->Brush()->SetStyle(bsClear);
    InflateRect(&r, -1, -1);
    OffsetRect(&r, 2, 2);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ColorToCOLORREF(Canvas()->Font()->GetColor()));
    HGDIOBJ old = SelectObject(dc, Canvas()->Font()->GetHandle());
    uiDrawText(dc, text_, r, DT_WORDBREAK | DT_NOPREFIX | DT_NOCLIP);
    SelectObject(dc, old);
}

void TubBarHintWindow::ShowHintAt(TPoint APoint, const std::string& AText, TubBarManager* AManager) {
    text_ = AText;
    TFont* font = Canvas()->Font();
    if (AManager != nullptr && AManager->GetUseSystemFont()) {
        NONCLIENTMETRICS metrics;
        if (SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) {
            font->SetName(metrics.lfStatusFont.lfFaceName);
            font->SetHeight(metrics.lfStatusFont.lfHeight);
            font->SetCharset(metrics.lfStatusFont.lfCharSet);
            font->SetStyle(TFontStyles{});
        } else font->SetSize(8);
    } else if (AManager != nullptr) font->Assign(AManager->GetFont());
    font->SetColor(Screen->HintFont()->GetColor());
    SetColor(Application->HintColor);

    const TRect work = WorkAreaAt(APoint);
    TRect textRect(0, 0, work.Width(), 0);
    HDC screen = GetDC(nullptr);
    HGDIOBJ old = SelectObject(screen, font->GetHandle());
    uiDrawText(screen, text_, textRect, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    SelectObject(screen, old);
    ReleaseDC(nullptr, screen);
    const int width = textRect.Width() + 6, height = textRect.Height() + 6;

    int left = APoint.x, top = APoint.y;
    if (left + width > work.right) left = work.right - width;
    if (top + height > work.bottom) top = APoint.y - height - ubHintCursorOffset;
    if (left < work.left) left = work.left;
    if (top < work.top) top = work.top;
    SetBounds(left, top, width, height);
    SetWindowPos(GetHandle(), HWND_TOPMOST, left, top, width, height, SWP_NOACTIVATE | SWP_SHOWWINDOW);
    Invalidate();
}

void TubBarHintWindow::Deactivate() {
    if (HandleAllocated()) ShowWindow(GetHandle(), SW_HIDE);
}

// ---- shared window and timing ------------------------------------------------------------------------------

TubBarHintWindow* HintWindow() { return Hint().window; }

void CreateSharedHintWindow() {
    if (Hint().window == nullptr && HintWindowClass != nullptr) Hint().window = HintWindowClass();
}

void FreeSharedHintWindow() {
    TubBarHintWindow* w = Hint().window;
    Hint().window = nullptr;
    delete w;
}

void UpdateHint(TubBarManager* AManager, bool AShow, const std::string& AText) {
    THintState& h = Hint();
    if (AManager == nullptr || AManager->GetCustomizing() || AManager->Designing() || !AManager->GetShowHint()) return;
    if (!AShow && !h.requested) return;
    h.requested = AShow;
    h.text = AText;
    h.shown = false;
    h.manager = AManager;
    StopTimer(h.timer);
    if (AShow && HintDue(AManager)) {
        if (WindowVisible() || h.inPause) ShowHintNow(AManager);
        else h.timer = SetTimer(nullptr, 0, ubHintDelay, &ShowTimerTick);
        return;
    }
    if (WindowVisible()) {
        HideWindow();
        // The next hint within the pause shows without delay.
        StopTimer(h.pauseTimer);
        h.inPause = true;
        h.pauseTimer = SetTimer(nullptr, 0, ubHintPause, &PauseTimerTick);
    }
}

void ShowHintNow(TubBarManager* AManager) {
    THintState& h = Hint();
    if (AManager == nullptr || h.window == nullptr || !HintDue(AManager)) return;
    POINT cursor;
    GetCursorPos(&cursor);
    std::string text = h.text;
    if (text.empty()) {
        TubBarItemControl* control = HintControlOf(AManager);
        POINT p = cursor;
        ScreenToClient(control->Parent->GetHandle(), &p);
        if (control->Parent->ItemAtPos(p) != control) return;
        if (!control->GetEnabled() && !AManager->ShowHintForDisabledItems) return;
        text = TextBeforeSeparator(control->GetHint());
        const std::string shortCut = control->GetShortCutText();
        if (!text.empty() && !shortCut.empty() && (AManager->GetShowShortCutInHint() || Application->HintShortCuts))
            text += " (" + shortCut + ")";
    }
    if (text.empty()) return;
    h.window->ShowHintAt(TPoint(cursor.x, cursor.y + ubHintCursorOffset), text, AManager);
    h.shown = true;
    StopTimer(h.timer);
    h.timer = SetTimer(nullptr, 0, ubHintDisplayTime, &HideTimerTick);
}

void StopHintOf(TubBarManager* AManager) {
    THintState& h = Hint();
    if (h.manager != AManager) return;
    if (h.timer != 0) {
        StopTimer(h.timer);
        HideWindow();
    }
    StopTimer(h.pauseTimer);
    h.inPause = false;
    h.requested = false;
    h.shown = false;
    h.manager = nullptr;
}

bool HintShown() { return Hint().shown; }
bool InHintPause() { return Hint().inPause; }

void ClearPendingHint() {
    THintState& h = Hint();
    StopTimer(h.timer);
    StopTimer(h.pauseTimer);
    TubBarHintWindow* window = h.window;
    h = THintState{};
    h.window = window;
}

}  // namespace zel
