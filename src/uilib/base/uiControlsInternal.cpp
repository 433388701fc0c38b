#include "uilib/base/uiControlsInternal.h"

#include <algorithm>

#include "platform/vcl/Forms.h"
#include "uilib/base/uiClasses.h"
#include "uilib/base/uiControlsControl.h"
#include "uilib/base/uiLookAndFeelPainters.h"

namespace zel {

// ---- scroll bar ----------------------------------------------------------------------------------------------

TuiControlScrollBar::TuiControlScrollBar() : TuiScrollBar(nullptr) {
    SetColor(clBtnFace);
    ControlStyle -= TControlStyle{csFramed};
    ControlStyle += TControlStyle{csNoDesignVisible, csReplicatable};
    TabStop = false;
    SetVisible(false);
}

void TuiControlScrollBar::ApplyData() {
    if (Data.Visible) {
        SetScrollParams(Data.Min, Data.Max, Data.Position, Data.PageSize);
        SmallChange = Data.SmallChange;
        LargeChange = Data.LargeChange;
    }
    SetEnabled(Data.Enabled);
    if (Data.Visible != GetVisible()) {
        SetVisible(Data.Visible);
        Perform(CM_SHOWINGCHANGED);
    }
}

void TuiControlScrollBar::WndProc(TMessage& Message) {
    if (Message.Msg == CM_DESIGNHITTEST) {
        Message.Result = 1;
        return;
    }
    if (Message.Msg == WM_LBUTTONDOWN) {
        // A press focuses the control first; the focus change may free the bar.
        TuiObjectLink* link = CreateObjectLink(this);
        TWinControl* parent = GetParent();
        if (auto* control = dynamic_cast<TuiControl*>(parent)) {
            if (control->AllowFocusFromScrollBar()) control->SetFocus();
        } else if (parent != nullptr && parent->CanFocus()) {
            parent->SetFocus();
        }
        const bool alive = link->Ref != nullptr;
        FreeObjectLink(link);
        if (!alive) return;
    }
    TuiScrollBar::WndProc(Message);
}

// ---- size grip -----------------------------------------------------------------------------------------------

TuiSizeGrip::TuiSizeGrip(TuiLookAndFeel* AMaster) : TCustomControl(nullptr) {
    SetColor(clBtnFace);
    ControlStyle += TControlStyle{csNoDesignVisible, csReplicatable};
    lookAndFeel_ = new TuiLookAndFeel(this);
    lookAndFeel_->SetMasterLookAndFeel(AMaster);
    lookAndFeel_->OnChanged = [this](TuiLookAndFeel*, TuiLookAndFeelValues) { Invalidate(); };
    SetVisible(false);
}

TuiSizeGrip::~TuiSizeGrip() { delete lookAndFeel_; }

void TuiSizeGrip::Paint() {
    Canvas()->Brush()->SetColor(lookAndFeel_->GetPainter()->ScrollBarCornerColor());
    Canvas()->FillRect(GetClientRect());
}

void TuiSizeGrip::Dispatch(TMessage& Message) {
    if (Message.Msg == WM_ERASEBKGND) {
        Message.Result = 1;
        return;
    }
    TCustomControl::Dispatch(Message);
}

// ---- settings controller -------------------------------------------------------------------------------------

namespace {
TuiSettingsController* settingsController = nullptr;
}

TuiSettingsController* uiSettingsController() {
    if (settingsController == nullptr) settingsController = new TuiSettingsController();
    return settingsController;
}

void FreeSettingsController() {
    delete settingsController;
    settingsController = nullptr;
}

TuiSettingsController::~TuiSettingsController() {
    if (window_ != nullptr) DeallocateHWnd(window_);
}

void TuiSettingsController::AddControl(TuiControl* AControl) {
    if (std::find(controls_.begin(), controls_.end(), AControl) != controls_.end()) return;
    controls_.push_back(AControl);
    if (window_ == nullptr) window_ = AllocateHWnd([this](TMessage& M) { WndProc(M); });
}

void TuiSettingsController::RemoveControl(TuiControl* AControl) {
    auto it = std::find(controls_.begin(), controls_.end(), AControl);
    if (it == controls_.end()) return;
    controls_.erase(it);
    if (controls_.empty() && window_ != nullptr) {
        DeallocateHWnd(window_);
        window_ = nullptr;
    }
}

void TuiSettingsController::WndProc(TMessage& Message) {
    try {
        if (Message.Msg == WM_SETTINGCHANGE && Message.WParam == SPI_SETNONCLIENTMETRICS) {
            // A control may leave the list while it hears the message.
            const std::vector<TuiControl*> controls = controls_;
            for (TuiControl* control : controls)
                if (std::find(controls_.begin(), controls_.end(), control) != controls_.end() &&
                    control->HandleAllocated())
                    SendMessage(control->GetHandle(), UM_SCROLLBARMETRICSCHANGED, 0, 0);
            Message.Result = 0;
            return;
        }
        Message.Result = DefWindowProc(window_, Message.Msg, Message.WParam, Message.LParam);
    } catch (const std::exception& E) {
        if (Application != nullptr) Application->HandleException(E);
    }
}

}  // namespace zel
