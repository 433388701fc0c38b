#pragma once
// The control classes: TControl (bounds, visibility, font, colour, mouse, messages through a replaceable
// WindowProc), TWinControl (a window of the window manager, created lazily, with child controls, focus
// and alignment), TGraphicControl (drawn by its parent on a canvas) and TCustomControl (a window that
// draws on its canvas, at any time, into its off-screen image).
//
// Messages. Every message of a control goes through WindowProc (by default WndProc), then Dispatch, the
// switch of each class over the messages it handles, which ends in DefaultHandler (for a windowed control
// the window class's own procedure). A message delivery that throws hands the exception to
// Application->HandleException.
#include <functional>
#include <string>
#include <vector>

#include "platform/rtl/Classes.h"
#include "platform/vcl/VclGraphics.h"
#include "platform/win/Windows.h"

namespace zel {

class TWinControl;
class TCustomForm;
class TControl;
class TDragImageList;
class TPopupMenu;
class TBasicAction;
class TControlActionLink;

// alCustom: the parent's alignment leaves the control where it is.
enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom };
enum TAlignment { taLeftJustify, taRightJustify, taCenter };
enum TMouseButton { mbLeft, mbRight, mbMiddle };
enum TShiftStateFlag { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
using TShiftState = TSet<TShiftStateFlag>;
enum TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };
enum TBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
using TFormBorderStyle = TBorderStyle;

using TCursor = int;
constexpr TCursor crDefault = 0, crNone = -1, crArrow = -2, crCross = -3, crIBeam = -4, crSize = -22, crSizeNESW = -6,
                  crSizeNS = -7, crSizeNWSE = -8, crSizeWE = -9, crUpArrow = -10, crHourGlass = -11, crDrag = -12,
                  crNoDrop = -13, crHSplit = -14, crVSplit = -15, crMultiDrag = -16, crSQLWait = -17, crNo = -18,
                  crAppStart = -19, crHelp = -20, crHandPoint = -21, crSizeAll = -22;

using TModalResult = int;
constexpr TModalResult mrNone = 0, mrOk = 1, mrCancel = 2, mrAbort = 3, mrRetry = 4, mrIgnore = 5, mrYes = 6, mrNo = 7,
                       mrAll = 8, mrNoToAll = 9, mrYesToAll = 10;

enum TControlStateFlag {
    csLButtonDown,
    csClicked,
    csPalette,
    csReadingState,
    csAlignmentNeeded,
    csFocusing,
    csCreating,
    csPaintCopy,
    csCustomPaint,
    csDestroyingHandle,
    csDocking
};
using TControlState = TSet<TControlStateFlag>;

// What kind of control a class is. csCaptureMouse: a press captures the mouse until the last button goes up;
// csClickEvents: a press and release over the control is a click; csOpaque: the control paints its whole
// area, so invalidating it does not erase what lies under it. The others are kept for the classes that read
// them.
enum TControlStyleFlag {
    csAcceptsControls,
    csCaptureMouse,
    csDesignInteractive,
    csClickEvents,
    csFramed,
    csSetCaption,
    csOpaque,
    csDoubleClicks,
    csFixedWidth,
    csFixedHeight,
    csNoDesignVisible,
    csReplicatable,
    csNoStdEvents,
    csDisplayDragImage,
    csReflector,
    csActionClient,
    csMenuEvents
};
using TControlStyle = TSet<TControlStyleFlag>;

enum TAnchorKind { akLeft, akTop, akRight, akBottom };
using TAnchors = TSet<TAnchorKind>;
enum TDragKind { dkDrag, dkDock };
enum TDragMode { dmManual, dmAutomatic };
enum TDragState { dsDragEnter, dsDragLeave, dsDragMove };

using TMouseEvent = std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = std::function<void(TObject* Sender, TShiftState Shift, int X, int Y)>;
using TKeyEvent = std::function<void(TObject* Sender, WORD& Key, TShiftState Shift)>;
using TKeyPressEvent = std::function<void(TObject* Sender, char& Key)>;
using TContextPopupEvent = std::function<void(TObject* Sender, TPoint MousePos, bool& Handled)>;
using TDragDropEvent = std::function<void(TObject* Sender, TObject* Source, int X, int Y)>;
using TDragOverEvent =
    std::function<void(TObject* Sender, TObject* Source, int X, int Y, TDragState State, bool& Accept)>;
using TEndDragEvent = std::function<void(TObject* Sender, TObject* Target, int X, int Y)>;
using TStartDragEvent = std::function<void(TObject* Sender, TObject*& DragObject)>;
using TMouseWheelEvent =
    std::function<void(TObject* Sender, TShiftState Shift, int WheelDelta, TPoint MousePos, bool& Handled)>;

// What is being dragged between controls. The drag manager asks it for the cursor and the drag images and
// tells it when the drag has ended; Finished may free the object, after which the manager touches it no
// more. An object the manager made itself (none came from DoStartDrag) is freed by the manager.
class TDragObject : public TObject {
public:
    std::string ClassName() const override { return "TDragObject"; }
    virtual TCursor GetDragCursor(bool Accepted, int /*X*/, int /*Y*/) { return Accepted ? crDrag : crNoDrop; }
    virtual TDragImageList* GetDragImages() { return nullptr; }
    virtual void HideDragImage();
    virtual void ShowDragImage();
    // Target is the control that took the drop, nullptr after a refusal, a cancel or over nothing; X and Y
    // are in its client coordinates (0 without a target).
    virtual void Finished(TObject* /*Target*/, int /*X*/, int /*Y*/, bool /*Accepted*/) {}
    // The screen point of the last step.
    TPoint DragPos;
    // The control under the cursor, or nullptr.
    TControl* DragTarget = nullptr;
};

// A drag object that carries a control: the control is the drag's source in DragOver and DragDrop, and
// hears of the end through DoEndDrag.
class TBaseDragControlObject : public TDragObject {
public:
    explicit TBaseDragControlObject(TControl* AControl) : Control(AControl) {}
    std::string ClassName() const override { return "TBaseDragControlObject"; }
    void Finished(TObject* Target, int X, int Y, bool Accepted) override;
    TControl* Control = nullptr;
};

// The drag object of a control: its drag cursor when accepted, its drag images.
class TDragControlObject : public TBaseDragControlObject {
public:
    using TBaseDragControlObject::TBaseDragControlObject;
    std::string ClassName() const override { return "TDragControlObject"; }
    TCursor GetDragCursor(bool Accepted, int X, int Y) override;
    TDragImageList* GetDragImages() override;
};

// The shift state carried by a mouse message's wParam, and the current keyboard's.
TShiftState KeysToShiftState(WPARAM Keys);
TShiftState KeyboardStateToShiftState();

// What CreateWnd passes to CreateWindowEx; CreateParams fills it.
struct TCreateParams {
    std::string Caption;
    DWORD Style = 0;
    DWORD ExStyle = 0;
    int X = 0, Y = 0, Width = 0, Height = 0;
    HWND WndParent = nullptr;
    void* Param = nullptr;
    WNDCLASS WindowClass;
    std::string WinClassName;
};

// The limits of a control's size, 0 meaning no limit. A minimum above the maximum moves the maximum up
// (and the other way round), so the limits never contradict; a change re-applies the control's bounds.
class TSizeConstraints : public TPersistent {
public:
    explicit TSizeConstraints(TControl* AControl) : control_(AControl) {}
    std::string ClassName() const override { return "TSizeConstraints"; }
    void Assign(TPersistent* Source) override;

    int GetMinWidth() const { return minWidth_; }
    int GetMinHeight() const { return minHeight_; }
    int GetMaxWidth() const { return maxWidth_; }
    void SetMinWidth(int Value);
    void SetMinHeight(int Value);
    void SetMaxWidth(int Value);
    void SetMaxHeight(int Value);

    // The width and height kept inside the limits that are set.
    int ConstrainWidth(int AWidth) const { return Constrain(AWidth, minWidth_, maxWidth_); }
    int ConstrainHeight(int AHeight) const { return Constrain(AHeight, minHeight_, maxHeight_); }

private:
    static int Constrain(int Value, int AMin, int AMax);
    void Change();

    TControl* control_;
    int minWidth_ = 0;
    int minHeight_ = 0;
    int maxWidth_ = 0;
    int maxHeight_ = 0;
};
class TControl : public TComponent {
public:
    explicit TControl(TComponent* AOwner);
    ~TControl() override;
    std::string ClassName() const override { return "TControl"; }
    void BeforeDestruction() override;

    // ---- messages
    TWndMethod WindowProc;
    virtual void WndProc(TMessage& Message);
    virtual void Dispatch(TMessage& Message);
    virtual void DefaultHandler(TMessage& Message);
    LRESULT Perform(UINT Msg, WPARAM WParam = 0, LPARAM LParam = 0);

    // ---- parent and bounds
    TWinControl* GetParent() const { return parent_; }
    virtual void SetParent(TWinControl* AParent);
    TComponent* GetParentComponent() const override;
    bool HasParent() const override { return true; }
    void SetParentComponent(TComponent* Value) override;
    int GetLeft() const { return left_; }
    int GetTop() const { return top_; }
    int GetWidth() const { return width_; }
    int GetHeight() const { return height_; }
    void SetLeft(int Value) { SetBounds(Value, top_, width_, height_); }
    void SetTop(int Value) { SetBounds(left_, Value, width_, height_); }
    void SetWidth(int Value) { SetBounds(left_, top_, Value, height_); }
    void SetHeight(int Value) { SetBounds(left_, top_, width_, Value); }
    virtual void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);
    TRect BoundsRect() const { return Bounds(left_, top_, width_, height_); }
    void SetBoundsRect(const TRect& R) { SetBounds(R.left, R.top, R.Width(), R.Height()); }
    virtual TRect GetClientRect();
    int ClientWidth() { return GetClientRect().Width(); }
    int ClientHeight() { return GetClientRect().Height(); }
    virtual void SetClientWidth(int Value);
    virtual void SetClientHeight(int Value);
    TPoint ClientOrigin();
    TPoint ClientToScreen(TPoint P);
    TPoint ScreenToClient(TPoint P);
    TAlign GetAlign() const { return align_; }
    void SetAlign(TAlign Value);
    // The size limits that SetBounds keeps the control inside.
    TSizeConstraints* Constraints() const { return constraints_; }

    // ---- state
    bool GetVisible() const { return visible_; }
    virtual void SetVisible(bool Value);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    // Visible with every parent visible and showing (for a windowed control: its window is visible).
    virtual bool Showing() const;
    bool GetEnabled() const { return enabled_; }
    virtual void SetEnabled(bool Value);
    std::string GetText() const { return GetTextImpl(); }
    void SetText(const std::string& Value);
    std::string Caption() const { return GetText(); }
    void SetCaption(const std::string& Value) { SetText(Value); }
    TColor GetColor() const { return color_; }
    void SetColor(TColor Value);
    bool GetParentColor() const { return parentColor_; }
    void SetParentColor(bool Value);
    TFont* Font() const { return font_; }
    void SetFont(TFont* Value) { font_->Assign(Value); }
    bool GetParentFont() const { return parentFont_; }
    void SetParentFont(bool Value);
    TCursor GetCursor() const { return cursor_; }
    // Tells the control by CM_CURSORCHANGED when the cursor changes.
    void SetCursor(TCursor Value) {
        if (cursor_ == Value) return;
        cursor_ = Value;
        Perform(CM_CURSORCHANGED);
    }
    TControlState ControlState() const { return controlState_; }
    void SetControlState(TControlState Value) { controlState_ = Value; }

    std::string Hint;
    bool ShowHint = false;
    int HelpContext = 0;
    TControlStyle ControlStyle{csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
    TAnchors Anchors{akLeft, akTop};
    TCursor DragCursor = crDrag;
    TDragKind DragKind = dkDrag;
    TDragMode DragMode = dmManual;

    // ---- painting
    virtual void Invalidate();
    virtual void Update();
    virtual void Repaint();
    void Refresh() { Repaint(); }
    void BringToFront();

    // The form this control sits on (itself for a form), or nullptr.
    TCustomForm* GetParentForm() const;

    // ---- events
    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;
    TMouseMoveEvent OnMouseMove;
    TNotifyEvent OnResize;
    // WM_CONTEXTMENU: OnContextPopup with the client point ((-1, -1) from the keyboard); unhandled, the
    // popup menu opens at the point (the client origin from the keyboard) when it pops up by itself; else the
    // parent gets the message.
    TContextPopupEvent OnContextPopup;
    // Offers a context popup at a client point ((-1, -1) from the keyboard) to the control's own handling, as
    // WM_CONTEXTMENU does before any popup menu opens; true when handled.
    bool OfferContextPopup(TPoint MousePos) {
        bool handled = false;
        DoContextPopup(MousePos, handled);
        return handled;
    }
    virtual TPopupMenu* GetPopupMenu() { return popupMenu_; }
    void SetPopupMenu(TPopupMenu* Value);
    TDragDropEvent OnDragDrop;
    TDragOverEvent OnDragOver;
    TEndDragEvent OnEndDrag;
    TStartDragEvent OnStartDrag;
    // Stored from the form resources; nothing here docks.
    TEndDragEvent OnEndDock;
    TStartDragEvent OnStartDock;
    // WM_MOUSEWHEEL with the screen point; unhandled, the parent gets the message.
    TMouseWheelEvent OnMouseWheel;

    // OnClick; without one, the action behind the control runs.
    virtual void Click();
    virtual void DblClick();
    void Notification(TComponent* AComponent, TOperation Operation) override;

    // ---- action
    // The action the control follows through its action link: the action's caption, enabled state, hint,
    // visibility and help context become the control's, now and whenever the action changes.
    TBasicAction* GetAction() const;
    void SetAction(TBasicAction* Value);
    TControlActionLink* ActionLink() const { return actionLink_; }
    // The action changed (or was set, with CheckDefaults): its values become the control's; with CheckDefaults
    // only where the control still has its default.
    virtual void ActionChange(TObject* Sender, bool CheckDefaults);
    // Lets the actions behind the control update their state (their OnUpdate). A control here has none of
    // its own; controls that show actions of other objects override it. Run for every visible control with
    // csActionClient on the showing, enabled forms while the application is idle.
    virtual void InitiateAction() {}

    // ---- dragging between controls
    // Starts a drag from this control: at once, or once the mouse has moved Threshold pixels (the mouse's
    // drag threshold when negative) with the left button down; a release before that ends it undragged.
    void BeginDrag(bool Immediate, int Threshold = -1);
    // Whether this control is the source of the drag that runs (or waits for the threshold).
    bool Dragging() const;
    // Ends this control's drag: dropped on the target that accepts it, or cancelled.
    void EndDrag(bool Drop);
    // The drag images the drag object shows; none here.
    virtual TDragImageList* GetDragImages() { return nullptr; }
    // Asks whether Source may be dropped at the client point: OnDragOver, refused without one.
    virtual void DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept);
    virtual void DragDrop(TObject* Source, int X, int Y);

protected:
    friend class TWinControl;
    friend class TBaseDragControlObject;
    virtual std::string GetTextImpl() const { return text_; }
    virtual void SetTextImpl(const std::string& Value);
    virtual void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void MouseMove(TShiftState Shift, int X, int Y);
    // Fires OnContextPopup.
    virtual void DoContextPopup(TPoint MousePos, bool& Handled);
    // Fires OnMouseWheel; true when handled.
    virtual bool DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos);
    // OnStartDrag; a drag object it leaves (a TDragObject) is the drag's.
    virtual void DoStartDrag(TDragObject*& DragObject);
    // OnEndDrag with the target (or nullptr) and the point in its client coordinates.
    virtual void DoEndDrag(TObject* Target, int X, int Y);
    virtual void Resize();
    virtual void FontChanged();
    virtual void ColorChanged();
    // The control's own drawing when its parent paints; nothing here.
    virtual void PaintTo(HDC /*DC*/) {}
    void InvalidateControl(bool IsVisible, bool IsOpaque);
    void RequestAlign();
    // What any mouse press on the control does first: activates its multiple-document form and sends
    // CM_CANCELMODE to the form's active control.
    void NotePress();
    // Sets the visibility without any effect (a form starts hidden).
    void InitVisible(bool Value) { visible_ = Value; }
    // The link made when an action is set (a TControlActionLink here).
    virtual TControlActionLink* CreateActionLink();

    TControlState controlState_;
    int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    std::string text_;

private:
    void ParentFontChanged();
    void ParentColorChanged();

    TWinControl* parent_ = nullptr;
    bool visible_ = true;
    bool enabled_ = true;
    TColor color_ = clBtnFace;
    bool parentColor_ = false;
    TFont* font_ = nullptr;
    bool parentFont_ = true;
    bool settingParentFont_ = false;
    TAlign align_ = alNone;
    TSizeConstraints* constraints_ = nullptr;
    TCursor cursor_ = crDefault;
    TPopupMenu* popupMenu_ = nullptr;
    TControlActionLink* actionLink_ = nullptr;
};

// A control drawn by its parent window on a canvas.
class TGraphicControl : public TControl {
public:
    explicit TGraphicControl(TComponent* AOwner);
    ~TGraphicControl() override;
    std::string ClassName() const override { return "TGraphicControl"; }
    TCanvas* Canvas() const { return canvas_; }
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

protected:
    virtual void Paint() {}
    void PaintTo(HDC DC) override;
    void Dispatch(TMessage& Message) override;

private:
    TCanvas* canvas_ = nullptr;
};

class TWinControl : public TControl {
public:
    explicit TWinControl(TComponent* AOwner);
    ~TWinControl() override;
    std::string ClassName() const override { return "TWinControl"; }
    void BeforeDestruction() override;

    // ---- the window
    HWND GetHandle();
    HWND Handle() { return GetHandle(); }
    bool HandleAllocated() const { return handle_ != nullptr; }
    void HandleNeeded();
    void RecreateWnd();
    // Moves the control to another parent (or to none) with its window: the window is re-parented (a
    // parent's window takes it when it has one), not made anew. A popup
    // borrows a control this way and gives it back.
    void SetParentKeepingWindow(TWinControl* AParent);

    void DestroyHandle();
    // The parent window for a control placed on no control (a form's owner window, or a foreign window).
    HWND ParentWindow = nullptr;

    // ---- children
    int ControlCount() const { return static_cast<int>(controls_.size()); }
    TControl* Controls(int Index) const { return controls_.at(static_cast<std::size_t>(Index)); }
    void InsertControl(TControl* AControl);
    void RemoveControl(TControl* AControl);
    // Told to the top-level window while a control is still a child of the window that removes it: the
    // control (and its children with it) leaves the window's tree, usually because it is being freed.
    virtual void ControlLeaving(TControl* AControl) { (void)AControl; }
    // The visible, enabled child at a client point (graphic controls and windows), or nullptr.
    TControl* ControlAtPos(TPoint Pos, bool AllowDisabled, bool AllowWinControls = false) const;
    void Realign();
    virtual void AlignControls(TControl* AControl, TRect& Rect);
    void DisableAlign() { ++alignDisabled_; }
    void EnableAlign();

    // ---- focus
    virtual bool CanFocus() const;
    bool Focused() const;
    virtual void SetFocus();
    bool TabStop = false;
    int TabOrder = -1;
    // Every windowed child that can take the focus by tabbing, in tab order, depth first. A control may
    // rearrange its own part of the list (after its own entry).
    virtual void GetTabOrderList(std::vector<TWinControl*>& List);
    TWinControl* FindNextControl(TWinControl* CurControl, bool GoForward, bool CheckTabStop, bool CheckParent);
    void SelectNext(TWinControl* CurControl, bool GoForward, bool CheckTabStop);

    bool Showing() const override;
    void SetVisible(bool Value) override;
    void SetEnabled(bool Value) override;
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    TRect GetClientRect() override;
    void SetClientWidth(int Value) override;
    void SetClientHeight(int Value) override;
    void Invalidate() override;
    void Update() override;
    void Repaint() override;
    void DefaultHandler(TMessage& Message) override;

    // A three-dimensional look; with ParentCtl3D the parent's value is followed. Changes are told by
    // CM_CTL3DCHANGED, and to the windowed children by CM_PARENTCTL3DCHANGED.
    virtual bool GetCtl3D() const { return ctl3D_; }
    virtual void SetCtl3D(bool Value);
    bool GetParentCtl3D() const { return parentCtl3D_; }
    void SetParentCtl3D(bool Value);
    // The control paints through an off-screen image of its own (its parent's background is then painted
    // into it rather than drawn through the theme).
    bool DoubleBuffered = false;
    // The parent's background shows through where the control does not paint; a change repaints it.
    bool GetParentBackground() const { return parentBackground_; }
    virtual void SetParentBackground(bool Value);

    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;
    TKeyEvent OnKeyDown;
    TKeyEvent OnKeyUp;
    TKeyPressEvent OnKeyPress;

    // The control bound to a window of this layer, or nullptr.
    static TWinControl* FindControl(HWND Handle);
    // Counts the changes of what FindControl answers (a window bound to its control or let go of), so that a
    // list of controls found by their windows can tell that it is still current.
    static std::uint64_t BindingsVersion();

protected:
    // A windowed control's link also takes the action's help context.
    TControlActionLink* CreateActionLink() override;
    virtual void CreateParams(TCreateParams& Params);
    // Fills the class of Params from an existing window class whose procedure answers what this control
    // does not handle (EDIT, LISTBOX).
    void CreateSubClass(TCreateParams& Params, const char* ControlClassName);
    virtual void CreateWnd();
    virtual void CreateWindowHandle(const TCreateParams& Params);
    virtual void DestroyWnd();
    // A second native window of the control beside its Handle (a floating pop-up beside a docked child, for
    // one): made from Params like the first, its messages reach this control's WindowProc too. Made once;
    // the Handle is made first when missing. Freed with the control's window.
    HWND CreateSecondWindow(const TCreateParams& Params);
    HWND SecondWindow() const { return secondHandle_; }
    // Makes the second window the Handle and keeps the one before as the second window. The windows of the
    // child controls move into the new Handle; nothing is re-created. Bounds are read from the new Handle.
    void SwitchWindows();
    // Destroys the second window (the one not in use).
    void DestroySecondWindow();
    // Told after SwitchWindows: drawing resources bound to the old Handle are given up.
    virtual void WindowsSwitched() {}
    virtual void CreateHandle();
    void Dispatch(TMessage& Message) override;
    void WndProc(TMessage& Message) override;
    void Loaded() override;
    virtual void PaintWindow(HDC DC);
    void PaintControls(HDC DC, TControl* First);
    void PaintHandler(TMessage& Message);
    virtual void DoEnter();
    virtual void DoExit();
    virtual bool DoKeyDown(WORD& Key, TShiftState Shift);
    virtual bool DoKeyPress(char& Key);
    virtual bool DoKeyUp(WORD& Key, TShiftState Shift);
    // Whether the control takes a key itself instead of the dialog keys of its form (Tab, Enter, Esc...).
    virtual bool WantsKey(WORD Key);
    void UpdateBounds();
    void FontChanged() override;
    void ColorChanged() override;
    std::string GetTextImpl() const override;
    void SetTextImpl(const std::string& Value) override;
    TBrush* Brush() const { return brush_; }
    // Runs AChange (a change of visibility) and then sends CM_SHOWINGCHANGED to this control and each
    // windowed control inside it whose showing state the change turned, parents before their children.
    void ChangeShowing(const std::function<void()>& AChange);
    WNDPROC defWndProc_ = nullptr;
    int pendingClientWidth_ = -1;
    int pendingClientHeight_ = -1;

private:
    friend class TControl;
    friend LRESULT ControlWndProc(HWND, UINT, WPARAM, LPARAM);
    void MainWndProc(TMessage& Message);
    bool IsControlMouseMsg(TMessage& Message);
    void RegisterControlClass(const TCreateParams& Params);
    void CollectShowing(std::vector<std::pair<TWinControl*, bool>>& AList);

    HWND handle_ = nullptr;
    HWND secondHandle_ = nullptr;
    std::vector<TControl*> controls_;  // children in z-order, bottom first
    TBrush* brush_ = nullptr;
    int alignDisabled_ = 0;
    bool ctl3D_ = true;
    bool parentCtl3D_ = true;
    bool alignPending_ = false;
    bool realigning_ = false;
    bool parentBackground_ = false;
    bool keepWindow_ = false;  // the window stays while the control leaves its parent
};

// A window that draws itself in Paint on its Canvas; the canvas draws into the window's image at any
// time, not only while painting.
class TCustomControl : public TWinControl {
public:
    explicit TCustomControl(TComponent* AOwner);
    ~TCustomControl() override;
    std::string ClassName() const override { return "TCustomControl"; }
    TCanvas* Canvas() const { return canvas_; }

protected:
    virtual void Paint() {}
    void PaintWindow(HDC DC) override;
    void DestroyWnd() override;
    void WindowsSwitched() override;

private:
    TCanvas* canvas_ = nullptr;
};

// The canvas of a control: over the window's DC (for a graphic control: the parent's, shifted and clipped
// to the control) when used outside painting.
class TControlCanvas : public TCanvas {
public:
    explicit TControlCanvas(TControl* Control) : control_(Control) {}
    ~TControlCanvas() override { FreeHandle(); }
    std::string ClassName() const override { return "TControlCanvas"; }
    void FreeHandle();

protected:
    void CreateHandle() override;

private:
    TControl* control_ = nullptr;
    HWND window_ = nullptr;
    HDC own_ = nullptr;
};

// The control's form when it sits on one.
TCustomForm* GetParentForm(TControl* Control);

// Cursor of the layer for a cursor number; SetCustomCursor gives a number its own cursor (the screen's
// Cursors list).
HCURSOR CursorHandle(TCursor Cursor);
void SetCustomCursor(TCursor Cursor, HCURSOR Handle);

// The mouse: how far it must move before a drag starts, and how many lines a wheel notch scrolls (the
// system's setting, read when asked).
class TMouse {
public:
    int DragThreshold = 5;
    int GetWheelScrollLines() const;
};
extern TMouse* Mouse;

// Registers the window classes that the layer draws itself (EDIT, LISTBOX, MDICLIENT, STATIC); idempotent.
void RegisterStandardClasses();

// Ends the drag that runs, as cancelled; nothing when none runs.
void CancelDrag();
// At idle time: when the pointer is over no window of the program, the control it was over hears
// CM_MOUSELEAVE.
void CheckMouseControlAtIdle();
// The drag object of the drag that runs, or nullptr.
TDragObject* CurrentDragObject();

}  // namespace zel
