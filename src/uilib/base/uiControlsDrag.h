#pragma once
// The library's own drag-and-drop: the object a control creates to drive one drag inside or across library
// controls under its mouse capture. The control's state machine decides when the object begins and ends.
#include <functional>
#include <string>

#include "platform/vcl/Controls.h"
#include "platform/vcl/ImgList.h"
#include "uilib/base/uiGraphics.h"

namespace zel {

class TuiControl;

class TuiDragAndDropObject : public TObject {
public:
    explicit TuiDragAndDropObject(TuiControl* AControl);
    std::string ClassName() const override { return "TuiDragAndDropObject"; }

    TuiControl* GetControl() const { return control_; }
    TuiCanvas* GetCanvas() const { return canvas_; }
    // Stores a change and tells FeedbackInvalidChanged.
    void SetFeedbackInvalid(bool Value);
    // Client points of the mouse now and at the step before; (-1, -1) until the drag begins.
    TPoint MousePoint{-1, -1};
    TPoint PrevMousePoint{-1, -1};

    // Both points become the cursor's place in the control, then BeginDragAndDrop.
    void Init();
    void DoDragAndDrop(const TPoint& P, bool& Accepted);
    void DoEndDragAndDrop(bool Accepted);

    // ---- overridable operations, in slot order
    virtual void FeedbackInvalidChanged() {}
    virtual TCursor CursorForDrop(bool Accepted) { return Accepted ? crDrag : crNoDrop; }
    // False: the drag waits until the mouse leaves the drag threshold.
    virtual bool StartsAtOnce() { return false; }
    virtual void EndDragAndDrop(bool /*Accepted*/) {}
    virtual void BeginDragAndDrop() { FeedbackInvalidChanged(); }
    virtual void DragAndDrop(const TPoint& P, bool& Accepted);
    virtual void AfterDragAndDrop(bool /*Accepted*/) { SetFeedbackInvalid(true); }

private:
    TuiControl* control_ = nullptr;
    TuiCanvas* canvas_ = nullptr;
    bool feedbackInvalid_ = false;
};

// Makes a control's drag-and-drop object; empty means TuiDragAndDropObject.
using TuiDragAndDropObjectClass = std::function<TuiDragAndDropObject*(TuiControl*)>;

// The drag object of a library control dragged between controls. It frees itself once the drag has
// ended; an accepted drop with Ctrl held shows the copy cursor.
class TuiDragControlObject : public TDragControlObject {
public:
    using TDragControlObject::TDragControlObject;
    std::string ClassName() const override { return "TuiDragControlObject"; }
    void Finished(TObject* Target, int X, int Y, bool Accepted) override;
    TCursor GetDragCursor(bool Accepted, int X, int Y) override;
};

// Makes the drag object of a drag between controls; empty means none.
using TuiDragObjectClass = std::function<TDragObject*(TuiControl*)>;

// The drag images a library control paints itself.
class TuiDragImageList : public TDragImageList {
public:
    using TDragImageList::TDragImageList;
    std::string ClassName() const override { return "TuiDragImageList"; }
};

// Makes a control's drag image list.
using TuiDragImagesClass = std::function<TDragImageList*(TuiControl*)>;

// The drag object that a library control last heard of as the source of a drag over it, while that drag
// runs; nullptr otherwise.
TDragObject* uiCurrentDragObject();
void SetuiCurrentDragObject(TDragObject* Value);

}  // namespace zel
