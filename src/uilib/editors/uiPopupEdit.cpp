// The popup edit: a control of the application lent to the drop-down window while it is open.
#include "platform/vcl/Forms.h"
#include "platform/win/Gdi.h"
#include "uilib/base/uiGraphics.h"
#include "uilib/editors/uiDropDownEdit.h"
#include "uilib/editors/uiEditConsts.h"
#include "uilib/editors/uiEditPaintUtils.h"

namespace zel {

// ---------------------------------------------------------------------------------------------- watcher

TuiFreeWatcher::~TuiFreeWatcher() { OnFreed = nullptr; }

void TuiFreeWatcher::Watch(TComponent* AOld, TComponent* ANew) {
    if (AOld != nullptr && AOld != ANew) AOld->RemoveFreeNotification(this);
    if (ANew != nullptr) ANew->FreeNotification(this);
}

void TuiFreeWatcher::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && OnFreed) OnFreed(AComponent);
}

// ------------------------------------------------------------------------------------------- properties

TuiCustomPopupEditProperties::TuiCustomPopupEditProperties(TPersistent* AOwner)
    : TuiCustomDropDownEditProperties(AOwner) {
    PopupAutoSize = true;
    SetPopupMinWidth(100);
    SetPopupMinHeight(100);
    SetPopupWidth(250);
    SetPopupHeight(200);
    PopupSizeable = true;
    watcher_.OnFreed = [this](TComponent* AComponent) {
        if (AComponent != popupControl_) return;
        popupControl_ = nullptr;
        Changed();
    };
}

TuiCustomPopupEditProperties::~TuiCustomPopupEditProperties() { watcher_.Watch(popupControl_, nullptr); }

void TuiCustomPopupEditProperties::SetPopupControl(TControl* Value) {
    if (popupControl_ == Value) return;
    watcher_.Watch(popupControl_, Value);
    popupControl_ = Value;
    Changed();
}

void TuiCustomPopupEditProperties::Assign(TPersistent* Source) {
    BeginUpdate();
    TuiCustomDropDownEditProperties::Assign(Source);
    if (auto* source = dynamic_cast<TuiCustomPopupEditProperties*>(Source); source != nullptr)
        SetPopupControl(source->GetPopupControl());
    EndUpdate();
}

TuiCustomEditPopupWindow* TuiCustomPopupEditProperties::CreatePopupWindow(TuiCustomDropDownEdit* AEditor) {
    return Construct<TuiPopupEditPopupWindow>(AEditor);
}

TuiPopupEditProperties::TuiPopupEditProperties(TPersistent* AOwner) : TuiCustomPopupEditProperties(AOwner) {
    ImmediateDropDown = true;
    ImmediatePopup = true;
}

TClass TuiCustomPopupEditProperties::StaticClass() {
    static const TClassInfo info{"TuiCustomPopupEditProperties", TuiCustomDropDownEditProperties::StaticClass()};
    return &info;
}

TClass TuiPopupEditProperties::StaticClass() {
    static const TClassInfo info{"TuiPopupEditProperties", TuiCustomPopupEditProperties::StaticClass()};
    return &info;
}

// ------------------------------------------------------------------------------------------------ window

void TuiPopupEditPopupWindowViewInfo::DrawBorder(TCanvas* ACanvas, TRect R) {
    if (NativeStyle || PopupBorderStyle != epbsFrame3D || OnDrawCustomBorder) {
        TuiCustomEditPopupWindowViewInfo::DrawBorder(ACanvas, R);
        return;
    }
    HDC dc = ACanvas->GetHandle();
    RECT r = R;
    DrawEdge(dc, &r, EDGE_RAISED, BF_RECT | BF_ADJUST);
    DrawEdge(dc, &r, EDGE_RAISED, BF_RECT | BF_ADJUST);
    FrameRect(dc, &r, uiGetSolidBrush(clBtnHighlight));
    InflateRect(&r, -1, -1);
    FrameRect(dc, &r, uiGetSolidBrush(clBtnFace));
}

TPoint TuiPopupEditPopupWindow::ContentSize() {
    auto* editor = dynamic_cast<TuiCustomPopupEdit*>(Editor());
    TControl* control = editor != nullptr ? editor->PopupEditProperties()->GetPopupControl() : nullptr;
    return control != nullptr ? TPoint{control->GetWidth(), control->GetHeight()} : TPoint{0, 0};
}

// ------------------------------------------------------------------------------------------------ editor

TuiCustomPopupEdit::TuiCustomPopupEdit(TComponent* AOwner) : TuiCustomDropDownEdit(AOwner) {
    watcher_.OnFreed = [this](TComponent* AComponent) {
        if (AComponent == previousParent_) previousParent_ = nullptr;
        if (AComponent == borrowed_) {
            borrowed_ = nullptr;
            previousParent_ = nullptr;
        }
    };
}

TuiCustomPopupEdit::~TuiCustomPopupEdit() { RestoreControl(); }

void TuiCustomPopupEdit::BeforeDestruction() {
    TuiCustomDropDownEdit::BeforeDestruction();
    RestoreControl();
}

void TuiCustomPopupEdit::InitPopup() {
    TControl* control = PopupEditProperties()->GetPopupControl();
    bool circular = control != nullptr && (control == PopupWindow() || control == this);
    for (TWinControl* p = GetParent(); p != nullptr && !circular; p = p->GetParent()) circular = control == p;
    if (circular) throw EuiEditError(LoadLibraryString(&uiSEditPopupCircularReferencingError));
    TuiCustomDropDownEdit::InitPopup();
}

void TuiCustomPopupEdit::Moved(TControl* AControl, TWinControl* AParent) {
    if (auto* windowed = dynamic_cast<TWinControl*>(AControl); windowed != nullptr)
        windowed->SetParentKeepingWindow(AParent);
    else AControl->SetParent(AParent);
}

void TuiCustomPopupEdit::SetupPopupWindow() {
    TControl* control = PopupEditProperties()->GetPopupControl();
    if (borrowed_ == nullptr) {
        borrowed_ = control;
        previousAlign_ = control->GetAlign();
        previousBounds_ = control->BoundsRect();
        previousParent_ = control->GetParent();
        previousVisible_ = control->GetVisible();
        watcher_.Watch(nullptr, control);
        watcher_.Watch(nullptr, previousParent_);
        if (auto* form = dynamic_cast<TCustomForm*>(control); form != nullptr) form->SetBorderStyle(bsNone);
        // The popup's window first, so that the control's window moves into it rather than staying where it was.
        PopupWindow()->HandleNeeded();
        Moved(control, PopupWindow());
        control->SetVisible(true);
    }
    TuiCustomDropDownEdit::SetupPopupWindow();
    control->SetAlign(alClient);
}

TPoint TuiCustomPopupEdit::PopupContentSize() {
    TControl* control = PopupEditProperties()->GetPopupControl();
    return control != nullptr ? TPoint{control->GetWidth(), control->GetHeight()} : TPoint{0, 0};
}

void TuiCustomPopupEdit::PositionPopupContent(const TRect& AClientRect) {
    if (borrowed_ != nullptr) borrowed_->SetBoundsRect(AClientRect);
}

TWinControl* TuiCustomPopupEdit::PopupFocusedControl() {
    return dynamic_cast<TWinControl*>(PopupEditProperties()->GetPopupControl());
}

void TuiCustomPopupEdit::ClosePopup(TuiCloseUpReason AReason) {
    CloseUpReason = AReason;
    PopupWindow()->CloseUp(AReason);
}

void TuiCustomPopupEdit::RestoreControl() {
    TControl* control = borrowed_;
    if (control == nullptr) return;
    borrowed_ = nullptr;
    watcher_.Watch(control, nullptr);
    TWinControl* parent = previousParent_;
    previousParent_ = nullptr;
    if (parent != nullptr) watcher_.Watch(parent, nullptr);
    control->SetVisible(false);
    // A parent freed while the control was lent is not there to take it back: it stays hidden, on none.
    Moved(control, parent);
    control->SetAlign(previousAlign_);
    control->SetBoundsRect(previousBounds_);
    if (parent != nullptr) control->SetVisible(previousVisible_);
}

void TuiCustomPopupEdit::PopupWindowClosed(TuiCloseUpReason AReason) {
    RestoreControl();
    TuiCustomDropDownEdit::PopupWindowClosed(AReason);
}

}  // namespace zel
