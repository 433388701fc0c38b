#include "platform/vcl/Spin.h"

#include "platform/vcl/FormReader.h"

#include <algorithm>

#include "platform/win/SysInfo.h"

namespace zel {

// ------------------------------------------------------------------------------------------- TSpinButton

TSpinButton::TSpinButton(TComponent* AOwner) : TCustomControl(AOwner) {
    width_ = 15;
    height_ = 21;
}

void TSpinButton::Paint() {
    HDC dc = Canvas()->GetHandle();
    TRect r = GetClientRect();
    int half = r.Height() / 2;
    RECT up{0, 0, r.right, half}, down{0, half, r.right, r.bottom};
    UINT inactive = GetEnabled() ? 0 : DFCS_INACTIVE;
    DrawFrameControl(dc, &up, DFC_SCROLL, DFCS_SCROLLUP | inactive | (pressed_ == 1 ? DFCS_PUSHED : 0));
    DrawFrameControl(dc, &down, DFC_SCROLL, DFCS_SCROLLDOWN | inactive | (pressed_ == -1 ? DFCS_PUSHED : 0));
}

void TSpinButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TCustomControl::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft) return;
    pressed_ = Y < GetHeight() / 2 ? 1 : -1;
    Invalidate();
    if (pressed_ == 1) {
        if (OnUpClick) OnUpClick(this);
    } else if (OnDownClick) {
        OnDownClick(this);
    }
}

void TSpinButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    pressed_ = 0;
    Invalidate();
    TCustomControl::MouseUp(Button, Shift, X, Y);
}

// --------------------------------------------------------------------------------------------- TSpinEdit

TSpinEdit::TSpinEdit(TComponent* AOwner) : TCustomEdit(AOwner) {
    width_ = 121;
    height_ = 22;
    button_ = new TSpinButton(this);
    button_->SetName("");
    button_->TabStop = false;
    button_->OnUpClick = [this](TObject* s) { UpClick(s); };
    button_->OnDownClick = [this](TObject* s) { DownClick(s); };
    text_.push_back('0');
}

int TSpinEdit::CheckValue(int Value) const {
    if (maxValue_ != minValue_) return std::clamp(Value, minValue_, maxValue_);
    return Value;
}

int TSpinEdit::GetValue() const {
    int v = 0;
    if (!TryStrToInt(Trim(GetText()), v)) v = minValue_;
    return CheckValue(v);
}

void TSpinEdit::SetValue(int Value) { SetText(IntToStr(CheckValue(Value))); }

void TSpinEdit::SetMinValue(int Value) {
    minValue_ = Value;
    if (!ComponentState().Contains(csLoading)) SetValue(GetValue());
}

void TSpinEdit::SetMaxValue(int Value) {
    maxValue_ = Value;
    if (!ComponentState().Contains(csLoading)) SetValue(GetValue());
}

void TSpinEdit::UpClick(TObject*) {
    if (GetReadOnly()) return;
    SetValue(GetValue() + Increment);
}

void TSpinEdit::DownClick(TObject*) {
    if (GetReadOnly()) return;
    SetValue(GetValue() - Increment);
}

void TSpinEdit::PlaceButton() {
    if (!HandleAllocated()) return;
    TRect r = GetClientRect();
    button_->SetBounds(r.right - 15, 0, 15, r.bottom);
    SendMessage(GetHandle(), EM_SETMARGINS, EC_RIGHTMARGIN, MAKELPARAM(0, 17));
}

void TSpinEdit::CreateWnd() {
    TCustomEdit::CreateWnd();
    button_->SetParent(this);
    PlaceButton();
}

void TSpinEdit::Resize() {
    PlaceButton();
    TCustomEdit::Resize();
}

bool TSpinEdit::DoKeyDown(WORD& Key, TShiftState Shift) {
    if (TCustomEdit::DoKeyDown(Key, Shift)) return true;
    if (Key == VK_UP) {
        UpClick(this);
        Key = 0;
        return true;
    }
    if (Key == VK_DOWN) {
        DownClick(this);
        Key = 0;
        return true;
    }
    return false;
}

bool TSpinEdit::DoKeyPress(char& Key) {
    if (TCustomEdit::DoKeyPress(Key)) return true;
    const unsigned char k = static_cast<unsigned char>(Key);
    const bool accepted = k < 32 || (k >= '0' && k <= '9') || Key == '-' || Key == '+';
    if (!accepted || (!EditorEnabled && k >= 32)) {
        Key = 0;
        return true;
    }
    return false;
}

void TSpinEdit::DoExit() {
    if (CheckValue(GetValue()) != GetValue() || IntToStr(GetValue()) != Trim(GetText())) SetValue(GetValue());
    TCustomEdit::DoExit();
}

void TSpinEdit::Dispatch(TMessage& Message) {
    if (Message.Msg == WM_GETDLGCODE) {
        DefaultHandler(Message);
        Message.Result |= DLGC_WANTARROWS;
        return;
    }
    TCustomEdit::Dispatch(Message);
}

// ------------------------------------------------------------------------------------------- form classes

void RegisterSpinClasses() {
    RegisterComponent<TSpinEdit>("TSpinEdit", "TEdit")
        .Int("MaxValue", [](TSpinEdit& c, int v) { c.SetMaxValue(v); })
        .Int("MinValue", [](TSpinEdit& c, int v) { c.SetMinValue(v); })
        .Int("Value", [](TSpinEdit& c, int v) { c.SetValue(v); })
        .Int("Increment", [](TSpinEdit& c, int v) { c.Increment = v; })
        .Bool("EditorEnabled", [](TSpinEdit& c, bool v) { c.EditorEnabled = v; });
}

}  // namespace zel
