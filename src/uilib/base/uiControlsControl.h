#pragma once
// The base windowed control of the library. It gives every control of the editor controls in one place: a
// library canvas over its own, a look and feel with its painter, an optional single border drawn by the
// painter, own scroll bars with a size grip in the corner, focus on click, the keys it wants from the dialog
// manager, routing of its context menu, a mouse-capture holder and font listeners.
#include <string>
#include <vector>

#include "platform/vcl/Controls.h"
#include "platform/vcl/StdCtrls.h"
#include "uilib/base/uiClasses.h"
#include "uilib/base/uiControlsDrag.h"
#include "uilib/base/uiControlsInternal.h"
#include "uilib/base/uiGraphics.h"
#include "uilib/base/uiLookAndFeels.h"

namespace zel {

// A key group the control takes from the dialog manager; WM_GETDLGCODE answers the sum of their codes.
enum TuiDialogKeyKind { dkkAll, dkkArrows, dkkChars, dkkTab };
using TuiDialogKeyKinds = TSet<TuiDialogKeyKind>;

// The direction the content scrolls in.
enum TuiDirection { dnNone, dnLeft, dnRight, dnUp, dnDown };

enum TuiDragStage { dsgIdle, dsgPending, dsgDragging };

// The interfaces the control offers.
class IuiHookedControl {
public:
    static constexpr const char* IID = "{2E98333B-1A56-4599-8A85-C2540E182031}";
    virtual void Hook() = 0;

protected:
    ~IuiHookedControl() = default;
};

class IuiLookAndFeelSource {
public:
    static constexpr const char* IID = "{6065B58B-C557-4464-A67D-64183FD13F25}";
    virtual TuiLookAndFeel* LookAndFeelOfSource() = 0;

protected:
    ~IuiLookAndFeelSource() = default;
};

// The interfaces the control asks of others.
class IuiMenuWithShortCuts {
public:
    static constexpr const char* IID = "{61EEDA7D-88CC-45BF-8A00-5C25174D6501}";
    virtual bool IsShortCutKey(TMessage& Message) = 0;
    // Shows the menu at a screen point.
    virtual void PopupAt(int X, int Y) = 0;

protected:
    ~IuiMenuWithShortCuts() = default;
};

class IuiCaptureLossSink {
public:
    static constexpr const char* IID = "{ACB73657-6066-4564-9A3D-D4D0273AA82F}";
    virtual void CaptureReleased() = 0;

protected:
    ~IuiCaptureLossSink() = default;
};

class IuiFontChangeObserver {
public:
    virtual void FontChanged(TObject* Sender, TFont* Font) = 0;

protected:
    ~IuiFontChangeObserver() = default;
};

class TuiControl;

// A non-visual component that belongs to a library control, its parent component: it is read and written
// inside the control's block.
class TuiControlChildComponent : public TuiComponent {
public:
    explicit TuiControlChildComponent(TComponent* AOwner) : TuiComponent(AOwner) {}
    // Owned by the control's own owner when AssignOwner is true, else by nobody; joins the control once
    // made (Construct).
    TuiControlChildComponent(TuiControl* AControl, bool AssignOwner);
    std::string ClassName() const override { return "TuiControlChildComponent"; }
    void AfterConstruction() override;
    // Leaves the control while the overrides still work.
    void BeforeDestruction() override;

    TuiControl* GetControl() const { return control_; }
    TComponent* GetParentComponent() const override;
    bool HasParent() const override { return control_ != nullptr; }
    void SetParentComponent(TComponent* Value) override;

    virtual bool IsDestroying() const { return ComponentState().Contains(csDestroying); }
    virtual void Initialize() {}
    // Stores the control; a control freed first is forgotten.
    virtual void SetControl(TuiControl* AControl);

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    TuiControl* control_ = nullptr;
    TuiControl* joinAtConstruction_ = nullptr;
};

class TuiControl : public TCustomControl, public IuiHookedControl, public IuiLookAndFeelSource {
public:
    explicit TuiControl(TComponent* AOwner);
    ~TuiControl() override;
    std::string ClassName() const override { return "TuiControl"; }

    // IuiHookedControl, IuiLookAndFeelSource
    void Hook() override { InterfaceHook(); }
    TuiLookAndFeel* LookAndFeelOfSource() override { return GetLookAndFeel(); }

    TBorderStyle GetBorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle Value);
    void SetScrollBars(TScrollStyle Value);
    void SetWantedKeys(TuiDialogKeyKinds Value) { wantedKeys_ = Value; }
    bool GetTakeFocusOnClick() const { return takeFocusOnClick_; }
    void SetTakeFocusOnClick(bool Value) { takeFocusOnClick_ = Value; }
    TRect GetDrawBounds() const { return drawBounds_; }
    void SetDrawBounds(const TRect& Value) { drawBounds_ = Value; }
    TuiCanvas* GetDrawCanvas() const { return drawCanvas_; }
    void SetActivePaintCanvas(TuiCanvas* Value);
    TuiDragStage GetDragDropState() const { return dragDropState_; }
    // Stores the state; a change to dsgIdle outside FinishDragAndDrop cancels the mouse operations.
    void SetDragDropState(TuiDragStage Value);
    void SetDragDropObjectClass(TuiDragAndDropObjectClass Value) { dragDropObjectClass_ = std::move(Value); }
    // The drag-and-drop object, made from DragDropObjectClassToUse on first use.
    TuiDragAndDropObject* EnsureDragDropObject();
    // Ends a drag-and-drop (or forgets a pending one) and frees its object; nothing while one is being ended.
    void FinishDragAndDrop(bool Accepted);
    bool GetAutoScrolling() const { return autoScrolling_; }

    TuiControlScrollBar* GetHorzScrollBar() const { return horzScrollBar_; }
    TuiControlScrollBar* GetVertScrollBar() const { return vertScrollBar_; }
    TuiSizeGrip* GetSizeGrip() const { return sizeGrip_; }
    bool IsHScrollBarVisible() const;
    bool IsVScrollBarVisible() const;
    bool IsLoading() const { return ComponentState().Contains(csLoading); }

    // Scroll-bar updates wait while locked and run once when the last lock goes.
    void LockScrollBarsUpdate() { ++scrollUpdateLock_; }
    void UnlockScrollBarsUpdate();

    // The holder of the mouse capture inside the control (may offer IuiCaptureLossSink).
    void SetCaptureHolder(TObject* Obj);

    // nullptr, a TPopupMenu or a component offering IuiMenuWithShortCuts; anything else is taken as nullptr.
    TComponent* GetPopupMenuComponent() const { return popupMenu_; }
    void SetPopupMenu(TComponent* C);
    // The popup menu when it is a TPopupMenu.
    TPopupMenu* GetPopupMenu() override;

    void AddFontListener(IuiFontChangeObserver* Listener);
    void RemoveFontListener(IuiFontChangeObserver* Listener);

    void InvalidateRect(const TRect& R, bool Erase);
    void ScrollContent(TuiDirection Direction);
    void ApplyScrollBarInfo(TScrollBarKind Kind, int Min, int Max, int Step, int Page, int Pos, bool AllowShow,
                            bool AllowHide);
    bool IsShortCutOfPopupMenu(TMessage& Message);

    TNotifyEvent OnFocusChanged;
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;

    // ---- overridable operations, in slot order
    /*  1 */ virtual bool DoShowPopupMenu(TComponent* Menu, int X, int Y);
    /*  2 */ virtual void NotifyDesignerModified();
    /*  3 */ virtual void ParentBackgroundChanged() {}
    /*  4 */ virtual void BeforeMouseDown(TMouseButton Button, int X, int Y);
    /*  5 */ virtual bool AllowAutoDragAt(int /*X*/, int /*Y*/, TShiftState /*Shift*/) { return true; }
    /*  6 */ virtual void MouseDownHook(TMouseButton /*Button*/, TShiftState /*Shift*/, int /*X*/, int /*Y*/) {}
    /*  7 */ virtual void RaiseInternalControls();
    /*  8 */ virtual void FinishMouseOperations();
    /*  9 */ virtual bool CanFocusOnClick();
    /* 10 */ virtual bool CanFocusOnClickAt(int /*X*/, int /*Y*/) { return CanFocusOnClick(); }
    /* 11 */ virtual bool AllowFocusFromScrollBar() { return CanFocusOnClick(); }
    /* 12 */ virtual int GetBorderSize();
    /* 13 */ virtual TRect GetBounds();
    /* 14 */ virtual TRect GetClientBounds();
    /* 15 */ virtual TCursor GetCursorAt(int /*X*/, int /*Y*/) { return restingCursor_; }
    /* 16 */ virtual bool IsDesigning() const { return ComponentState().Contains(csDesigning); }
    /* 17 */ virtual bool IsFocused() { return Focused(); }
    /* 18 */ virtual BYTE WheelScrollAxis() { return IsVScrollBarVisible() ? 2 : 0; }
    /* 19 */ virtual bool NeedsEraseBackground() { return false; }
    /* 20 */ virtual void AfterWindowCreated();
    /* 21 */ virtual bool IsInternalControl(TControl* Control) const;
    /* 22 */ virtual TuiLookAndFeel* GetLookAndFeel() { return lookAndFeel_; }
    /* 23 */ virtual TuiLookAndFeelPainterClass GetPainter() { return lookAndFeel_->GetPainter(); }
    /* 24 */ virtual void LookAndFeelChanged(TuiLookAndFeel* /*Sender*/, TuiLookAndFeelValues /*ChangedValues*/) {}
    /* 25 */ virtual bool CanScrollWithoutScrollBars(TuiDirection /*Direction*/) { return false; }
    /* 26 */ virtual TRect GetHScrollBarBounds();
    /* 27 */ virtual TRect GetSizeGripBounds();
    /* 28 */ virtual TRect GetVScrollBarBounds();
    /* 29 */ virtual void PrepareScrollBarParams() {}
    /* 30 */ virtual bool CanCompactScrollBars(TScrollBarKind /*Kind*/) { return false; }
    /* 31 */ virtual bool HasScrollBars() const { return true; }
    /* 32 */ virtual bool NeedsInternalControlsOnTop() const { return !IsDesigning(); }
    /* 33 */ virtual void Scroll(TScrollBarKind /*Kind*/, TScrollCode /*Code*/, int& /*Position*/) {}
    /* 34 */ virtual void PlaceInternalControls();
    /* 35 */ virtual void RefreshInternalControls();
    /* 36 */ virtual void UpdateScrollBars();
    /* 37 */ virtual TuiDragAndDropObjectClass DragDropObjectClassToUse();
    /* 38 */ virtual void DrawDragImage(TuiCanvas* /*Canvas*/, const TRect& /*R*/) {}
    /* 39 */ virtual TuiDragImagesClass DragImagesClassToUse();
    /* 40 */ virtual TPoint GetDragImagesSize() { return TPoint{0, 0}; }
    /* 41 */ virtual bool IsCopyDragDrop();
    /* 42 */ virtual bool HasDragImages() const { return false; }
    /* 43 */ virtual void InitDragImages(TDragImageList* List);
    /* 44 */ virtual bool MayFocus();
    /* 45 */ virtual bool WithinClickArea(int X, int Y);
    /* 46 */ virtual void InterfaceHook() {}

    // ---- notifications
    virtual void AfterColorChange() {}
    virtual void VisibleChanged() {}
    virtual void AddChildComponent(TuiControlChildComponent* C) { C->SetControl(this); }
    virtual void RemoveChildComponent(TuiControlChildComponent* C) { C->SetControl(nullptr); }
    virtual bool CanMouseDownUnfocused() { return false; }
    // Runs UpdateScrollBars; also after every resize.
    virtual void BoundsChanged();
    virtual bool CanDrag(int /*X*/, int /*Y*/) { return dragDropState_ == dsgIdle; }
    virtual void CursorChanged() { restingCursor_ = GetCursor(); }
    virtual void CancelMouseOperations();
    virtual void FocusChanged();
    virtual bool GetDesignHitTest(int X, int Y, TShiftState Shift);
    virtual bool IsFocusable() { return true; }
    // The drag object a drag between controls gets when OnStartDrag gave none.
    virtual TuiDragObjectClass GetDragObjectClass();
    // Whether the drag between controls that DoStartDrag prepares may go on.
    virtual bool AllowVclDrag(TDragObject* /*DragObject*/) { return true; }
    virtual void MouseEnter(TControl* AControl);
    virtual void MouseLeave(TControl* AControl);
    virtual void TextChanged() {}
    // ---- the library's drag-and-drop steps
    // Whether a left press at P may begin a drag-and-drop.
    virtual bool StartDragAndDrop(const TPoint& /*P*/) { return false; }
    virtual void BeginDragAndDrop();
    virtual void DragAndDrop(const TPoint& P, bool& Accepted);
    virtual void EndDragAndDrop(bool Accepted);

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void WndProc(TMessage& Message) override;
    void Dispatch(TMessage& Message) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void Paint() override;
    void Resize() override;
    // Tells the font listeners, in the order they came, then repaints.
    void FontChanged() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    // Esc ends a drag-and-drop as not accepted before the key goes on.
    bool DoKeyDown(WORD& Key, TShiftState Shift) override;
    // The context menu at a client point ((-1, -1) from the keyboard: the client origin).
    void DoContextPopup(TPoint MousePos, bool& Handled) override;
    // Unhandled, the wheel scrolls the content by the system's lines per notch.
    bool DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) override;
    void DoStartDrag(TDragObject*& DragObject) override;
    void DoEndDrag(TObject* Target, int X, int Y) override;

public:
    TDragImageList* GetDragImages() override;
    void DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept) override;

protected:
private:
    enum TDragDetectResult { ddrCancelled, ddrMoved, ddrReleased };
    // A modal loop until the mouse leaves the drag threshold around where it was, a button is released or
    // Esc is pressed.
    TDragDetectResult DragDetect();
    // The middle-button auto-scroll mode: modal until a click, Esc, the wheel, or a middle release after
    // the mouse left the neutral zone.
    void AutoScroll();
    void CreateInternalControls();
    void DestroyInternalControls();
    void ParentInternalControls();
    void ComputeScrollBarParams();
    LRESULT DialogCode() const;
    void ScrollBarMetricsChanged();
    TuiControlScrollBar* BarOf(TScrollBarKind Kind) const {
        return Kind == sbHorizontal ? horzScrollBar_ : vertScrollBar_;
    }

    TuiCanvas* activePaintCanvas_ = nullptr;
    TBorderStyle borderStyle_ = bsNone;
    bool scrollCalcInProgress_ = false;
    TuiCanvas* drawCanvas_ = nullptr;
    bool windowBeingCreated_ = false;
    TCursor restingCursor_ = crDefault;
    TuiDragAndDropObject* dragDropObject_ = nullptr;
    TuiDragAndDropObjectClass dragDropObjectClass_;
    TCursor cursorBeforeDragDrop_ = crDefault;
    TuiDragStage dragDropState_ = dsgIdle;
    TDragImageList* dragImageList_ = nullptr;
    bool dragDropFinishing_ = false;
    bool takeFocusOnClick_ = true;
    std::vector<IuiFontChangeObserver*> fontListeners_;
    TuiControlScrollBar* horzScrollBar_ = nullptr;
    bool horzShownAtUpdateStart_ = false;
    bool vertShownAtUpdateStart_ = false;
    bool scrollParamsSettled_ = false;
    TuiDialogKeyKinds wantedKeys_;
    TuiLookAndFeel* lookAndFeel_ = nullptr;
    bool mouseButtonHeld_ = false;
    TObject* captureHolder_ = nullptr;
    TPoint mouseDownPoint_;
    bool rightButtonUpInProgress_ = false;
    TComponent* popupMenu_ = nullptr;
    TScrollStyle scrollBars_ = ssBoth;
    int scrollUpdateLock_ = 0;
    bool scrollUpdatePending_ = false;
    TuiSizeGrip* sizeGrip_ = nullptr;
    bool inScrollBarsUpdate_ = false;
    TuiControlScrollBar* vertScrollBar_ = nullptr;
    bool autoScrolling_ = false;
    bool parentBackgroundSeen_ = true;
    TRect drawBounds_;
};

// The control unit's start-up row: the unit's start-up, then the cursors.
void uiControlsRowStartup();
// The classes the control unit makes known to the form reader.
void RegisteruiControlsClasses();

}  // namespace zel
