#include "uilib/base/uiControlsDrag.h"

#include "platform/vcl/Forms.h"
#include "uilib/base/uiControls.h"
#include "uilib/base/uiControlsControl.h"

namespace zel {

TuiDragAndDropObject::TuiDragAndDropObject(TuiControl* AControl)
    : control_(AControl), canvas_(AControl->GetDrawCanvas()) {}

void TuiDragAndDropObject::SetFeedbackInvalid(bool Value) {
    if (feedbackInvalid_ == Value) return;
    feedbackInvalid_ = Value;
    FeedbackInvalidChanged();
}

void TuiDragAndDropObject::Init() {
    MousePoint = PrevMousePoint = control_->ScreenToClient(CursorScreenPos());
    BeginDragAndDrop();
}

void TuiDragAndDropObject::DoDragAndDrop(const TPoint& P, bool& Accepted) {
    PrevMousePoint = MousePoint;
    MousePoint = P;
    DragAndDrop(P, Accepted);
}

void TuiDragAndDropObject::DoEndDragAndDrop(bool Accepted) {
    AfterDragAndDrop(Accepted);
    EndDragAndDrop(Accepted);
}

void TuiDragAndDropObject::DragAndDrop(const TPoint& /*P*/, bool& Accepted) {
    SetFeedbackInvalid(false);
    Screen->SetCursor(CursorForDrop(Accepted));
}

// ---- drags between controls ---------------------------------------------------------------------------------

void TuiDragControlObject::Finished(TObject* Target, int X, int Y, bool Accepted) {
    TDragControlObject::Finished(Target, X, Y, Accepted);
    delete this;
}

TCursor TuiDragControlObject::GetDragCursor(bool Accepted, int X, int Y) {
    auto* control = dynamic_cast<TuiControl*>(Control);
    if (Accepted && control != nullptr && control->IsCopyDragDrop()) return cruiDragCopy;
    return TDragControlObject::GetDragCursor(Accepted, X, Y);
}

namespace {
TDragObject* g_currentDragObject = nullptr;
}

// A drag object outlives no drag: once the drag that carried it has ended it may be freed, so it counts only
// while it is still the running drag's.
TDragObject* uiCurrentDragObject() {
    return g_currentDragObject != nullptr && g_currentDragObject == CurrentDragObject() ? g_currentDragObject : nullptr;
}

void SetuiCurrentDragObject(TDragObject* Value) { g_currentDragObject = Value; }

}  // namespace zel
