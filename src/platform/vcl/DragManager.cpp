// The drag manager: one drag between controls at a time. The source's window holds the mouse while the drag
// waits for the threshold and while it runs; its mouse and key messages come here before the control sees
// them (see ControlWndProc).
#include <cstdlib>

#include "platform/vcl/Controls.h"
#include "platform/vcl/Forms.h"
#include "platform/vcl/ImgList.h"

namespace zel {

namespace {

struct TDragSession {
    TControl* source = nullptr;
    TDragObject* object = nullptr;
    bool ownsObject = false;
    bool started = false;
    bool ending = false;
    TPoint startPos;
    int threshold = 5;
    HWND capture = nullptr;
    TControl* target = nullptr;
    bool accepted = false;
    TDragImageList* images = nullptr;
};

TDragSession* g_drag = nullptr;

// What the target hears as the drag's source: the control of a control's drag object, else the object.
TObject* DragSource(TDragSession& S) {
    if (auto* control = dynamic_cast<TBaseDragControlObject*>(S.object)) return control->Control;
    return S.object;
}

// The control under a screen point that may take a drop: hidden and disabled controls are passed over.
TControl* FindDragTarget(TPoint Pos) {
    TWinControl* window = nullptr;
    for (HWND h = WindowFromPoint(Pos); h != nullptr && window == nullptr; h = GetParent(h))
        if (TWinControl* c = TWinControl::FindControl(h); c != nullptr && c->GetVisible() && c->GetEnabled())
            window = c;
    if (window == nullptr) return nullptr;
    if (TControl* child = window->ControlAtPos(window->ScreenToClient(Pos), false)) return child;
    return window;
}

void MoveTo(TDragSession& S, TPoint Pos) {
    S.object->DragPos = Pos;
    TControl* target = FindDragTarget(Pos);
    TObject* source = DragSource(S);
    if (target != S.target && S.target != nullptr) {
        bool ignored = false;
        const TPoint p = S.target->ScreenToClient(Pos);
        S.target->DragOver(source, p.x, p.y, dsDragLeave, ignored);
    }
    const TDragState state = target != S.target ? dsDragEnter : dsDragMove;
    S.target = target;
    S.object->DragTarget = target;
    S.accepted = false;
    TPoint local = Pos;
    if (target != nullptr) {
        local = target->ScreenToClient(Pos);
        target->DragOver(source, local.x, local.y, state, S.accepted);
    }
    if (g_drag != &S) return;  // the drag was ended from a handler
    if (S.images != nullptr) {
        S.images->DragMove(Pos.x, Pos.y);
        if (target != nullptr && target->ControlStyle.Contains(csDisplayDragImage)) S.images->ShowDragImage();
        else S.images->HideDragImage();
    }
    SetCursor(CursorHandle(S.object->GetDragCursor(S.accepted, local.x, local.y)));
}

void StartDragging(TDragSession& S, TPoint Pos) {
    S.started = true;
    S.images = S.object->GetDragImages();
    if (S.images != nullptr && !S.images->BeginDrag(nullptr, Pos.x, Pos.y)) S.images = nullptr;
    MoveTo(S, Pos);
}

// Ends the drag: dropped on an accepting target when Drop is true, else cancelled.
void DragDone(bool Drop) {
    if (g_drag == nullptr || g_drag->ending) return;
    TDragSession& s = *g_drag;
    s.ending = true;
    if (s.capture != nullptr && GetCapture() == s.capture) ReleaseCapture();
    if (s.images != nullptr) s.images->EndDrag();
    TControl* target = s.started && Drop && s.accepted ? s.target : nullptr;
    const TPoint pos = s.object != nullptr ? s.object->DragPos : s.startPos;
    const TPoint at = target != nullptr ? target->ScreenToClient(pos) : TPoint{0, 0};
    if (target != nullptr) target->DragDrop(DragSource(s), at.x, at.y);
    TDragObject* object = s.object;
    const bool owns = s.ownsObject;
    g_drag = nullptr;
    const bool started = s.started;
    delete &s;
    if (object != nullptr) {
        object->Finished(target, at.x, at.y, target != nullptr);  // may free the object
        if (owns) delete object;
    }
    if (started) SetCursor(CursorHandle(Screen->GetCursor() != crDefault ? Screen->GetCursor() : crArrow));
}

}  // namespace

// ---- drag objects -----------------------------------------------------------------------------------------

void TDragObject::HideDragImage() {
    if (TDragImageList* images = GetDragImages()) images->HideDragImage();
}

void TDragObject::ShowDragImage() {
    if (TDragImageList* images = GetDragImages()) images->ShowDragImage();
}

void TBaseDragControlObject::Finished(TObject* Target, int X, int Y, bool /*Accepted*/) {
    if (Control != nullptr) Control->DoEndDrag(Target, X, Y);
}

TCursor TDragControlObject::GetDragCursor(bool Accepted, int X, int Y) {
    if (Accepted && Control != nullptr) return Control->DragCursor;
    return TDragObject::GetDragCursor(Accepted, X, Y);
}

TDragImageList* TDragControlObject::GetDragImages() { return Control != nullptr ? Control->GetDragImages() : nullptr; }

// ---- the control's side -----------------------------------------------------------------------------------

void TControl::BeginDrag(bool Immediate, int Threshold) {
    if (g_drag != nullptr) return;
    auto* window = dynamic_cast<TWinControl*>(this);
    if (window == nullptr) window = GetParent();
    if (window == nullptr) return;
    auto* session = new TDragSession;
    g_drag = session;
    session->source = this;
    session->threshold = Threshold < 0 ? Mouse->DragThreshold : Threshold;
    POINT cursor{};
    GetCursorPos(&cursor);
    session->startPos = cursor;
    TDragObject* object = nullptr;
    DoStartDrag(object);
    if (g_drag != session) {
        // Cancelled while starting: an object handed over is not the manager's to keep.
        return;
    }
    session->object = object;
    if (object == nullptr) {
        session->object = new TDragControlObject(this);
        session->ownsObject = true;
    }
    session->capture = window->GetHandle();
    SetCapture(session->capture);
    if (Immediate) StartDragging(*session, session->startPos);
}

bool TControl::Dragging() const { return g_drag != nullptr && g_drag->source == this; }

void TControl::EndDrag(bool Drop) {
    if (Dragging()) DragDone(Drop);
}

void TControl::DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept) {
    Accept = static_cast<bool>(OnDragOver);
    if (OnDragOver) OnDragOver(this, Source, X, Y, State, Accept);
}

void TControl::DragDrop(TObject* Source, int X, int Y) {
    if (OnDragDrop) OnDragDrop(this, Source, X, Y);
}

void TControl::DoStartDrag(TDragObject*& DragObject) {
    if (!OnStartDrag) return;
    TObject* given = DragObject;
    OnStartDrag(this, given);
    DragObject = dynamic_cast<TDragObject*>(given);
}

void TControl::DoEndDrag(TObject* Target, int X, int Y) {
    if (OnEndDrag) OnEndDrag(this, Target, X, Y);
}

void CancelDrag() {
    if (g_drag != nullptr) {
        if (g_drag->object == nullptr) {
            // Still starting: nothing was dragged and nobody is told.
            if (g_drag->capture != nullptr && GetCapture() == g_drag->capture) ReleaseCapture();
            delete g_drag;
            g_drag = nullptr;
            return;
        }
        DragDone(false);
    }
}

TDragObject* CurrentDragObject() { return g_drag != nullptr ? g_drag->object : nullptr; }

// Forgets a control that is freed while a drag knows it; a freed source ends the drag unannounced.
void ForgetDragControl(TControl* AControl) {
    if (g_drag == nullptr) return;
    if (g_drag->target == AControl) g_drag->target = nullptr;
    if (g_drag->source != AControl || g_drag->ending) return;
    TDragSession* s = g_drag;
    g_drag = nullptr;
    if (s->images != nullptr) s->images->EndDrag();
    if (s->ownsObject) delete s->object;
    if (s->capture != nullptr && GetCapture() == s->capture) ReleaseCapture();
    delete s;
}

// The drag's share of a window's messages; true when the message is taken.
bool DragMessage(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) {
    if (g_drag == nullptr || g_drag->ending || g_drag->object == nullptr) return false;
    TDragSession& s = *g_drag;
    switch (Msg) {
        case WM_CAPTURECHANGED:
            if (Wnd == s.capture) DragDone(false);
            return false;
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
        case WM_KEYUP:
        case WM_SYSKEYUP:
            if (WParam == VK_ESCAPE) {
                if (Msg == WM_KEYDOWN || Msg == WM_SYSKEYDOWN) DragDone(false);
                return true;
            }
            // Ctrl and Shift may change what a drop would do: the cursor is asked again.
            if (s.started && (WParam == VK_CONTROL || WParam == VK_SHIFT)) MoveTo(s, s.object->DragPos);
            return false;
        default: break;
    }
    if (Wnd != s.capture || Msg < WM_MOUSEMOVE || Msg > WM_MBUTTONDBLCLK || Msg == WM_MOUSEWHEEL) return false;
    POINT pos{GET_X_LPARAM(LParam), GET_Y_LPARAM(LParam)};
    ClientToScreen(Wnd, &pos);
    if (Msg == WM_MOUSEMOVE) {
        if (s.started) MoveTo(s, pos);
        else if ((WParam & MK_LBUTTON) != 0 &&
                 (std::abs(pos.x - s.startPos.x) >= s.threshold || std::abs(pos.y - s.startPos.y) >= s.threshold))
            StartDragging(s, pos);
    } else if (Msg == WM_LBUTTONUP) {
        if (s.started) s.object->DragPos = pos;
        DragDone(s.started);
    }
    return true;
}

}  // namespace zel
