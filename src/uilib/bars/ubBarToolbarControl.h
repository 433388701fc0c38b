#pragma once
// TubBarControl, the window of one bar: the main window's menu bar and its toolbars. Docked, it is a child
// window of its dock control, which places it in a row; it lays its links out in one or more lines along the
// row and draws its frame (border, grip, size grip) outside its client area. Floating, it is a pop-up owned
// by the manager's form with a frame, a caption band and a close button.
#include <cstdint>
#include <vector>

#include "uilib/bars/ubBarControlBase.h"
#include "uilib/bars/ubBarDockControl.h"
#include "uilib/bars/ubBarFloatingLayout.h"
#include "uilib/bars/ubBarToolbarLayout.h"

namespace zel {

class TubBarControl : public TCustomubBarControl, public IubDockedBarWindow {
public:
    // The window of ABar, owned by the manager; it shows the bar's links.
    TubBarControl(TubBarManager* AManager, TubBar* ABar);
    ~TubBarControl() override;
    std::string ClassName() const override { return "TubBarControl"; }

    TubBar* GetBar() const { return bar_; }
    bool IsToolbar() const override { return true; }
    bool HasMark() const override;
    // Links may be dragged onto and off the bar while customizing: at design time, or as the bar allows.
    bool CanCustomize() const override;
    void Rebuild() override;
    void CalcMetrics() override;
    // Entering menu mode remembers the focused window and brings the form to the top; leaving it gives the
    // focus back and lets hot tracking resume under the pointer.
    void SetMenuMode(bool Value) override;
    // While a menu of the bar is open (or keyboard-open is set), selecting another sub-item opens its menu.
    void SelectByKeyboard(TubBarItemControl* AControl) override;
    // Hovering the mark shows "More Buttons"; a press toggles it.
    void SetMarkState(TubBarMarkState Value) override;
    // A menu-bar sub-item was opened by the keyboard or a click: moving to another one opens its menu too.
    bool KeyboardOpen() const { return keyboardOpen_; }
    void EndKeyboardOpen() override { keyboardOpen_ = false; }
    // The window's opacity: a floating bar's AlphaBlendValue, 255 docked.
    std::uint8_t AlphaValue() const;
    // The main menu bar's close button (client coordinates); empty when it does not show.
    TRect CloseButtonRect() const;
    // The caption buttons at the end of the main menu bar's first line: minimise, restore and close of the
    // form's maximised document child, or the bar's single close button (ShowCloseButton); none otherwise.
    int CaptionButtonCount() const;
    TRect CaptionButtonRect(int Index) const;
    // The maximised document child whose caption buttons the main menu bar shows; nullptr when none.
    HWND MaximizedChild() const;
    void PaintBackground(HDC DC, const TRect& R) override;

    // A floating bar has no dock: its window is a pop-up of its own.
    bool IsFloating() const { return DockingStyle() == dsNone; }
    // The dock control the window sits on (nullptr while floating or once the dock went).
    TubDockControl* DockControl() const { return dockControl_; }
    // Puts the window on a dock (nullptr: off every dock), facing the dock's side.
    void SetDockControl(TubDockControl* ADock);
    // Set while the window is shown from its bar's stored place.
    bool Locked = false;
    // The links did not all fit: the rest stays hidden behind the mark.
    bool Truncated() const { return truncated_; }
    // Whether links stay hidden behind the mark after the last layout.
    bool LinksHidden() const { return linksHidden_; }

    // The frame around the client area: left, top, right and bottom widths (docked: the painter's borders
    // and the grip band before the links).
    TRect FrameSizes() const;
    // The grip band in window coordinates and the mark in client coordinates; empty when there is none.
    TRect GripRect() const;
    TRect MarkRect() const;
    // The size grip in window coordinates (empty when the bar shows none): dragging it sizes the form.
    TRect SizeGripRect() const;
    // Whether the frame holds a size grip, as the last non-client size calculation found.
    bool HasSizeGrip() const { return hasSizeGrip_; }
    // The hit code of the last WM_NCHITTEST: HTCAPTION over the part of a docked bar that moves it.
    LRESULT HitArea() const { return hitArea_; }
    // Lays the links out for the current client area.
    void LayoutLinks();

    // ---- what the bar's setters ask of its window
    // Draws the whole window again from a fresh background, frame included.
    void RepaintBar();
    // Measures the frame again (border, grip, size grip); the dock re-arranges its bars for the new size.
    void Reframe();
    // The window text and the floating caption show the bar's caption (and its close button as allowed).
    void CaptionChanged();
    // Lays the links out again and lets the dock re-arrange its bars for the new sizes.
    void RecalcLayout();
    // Measures the bar's font again (its own or the manager's) and rebuilds the controls in it.
    void BarFontChanged();
    // Whether the bar shows a size grip now, and whether the frame holds one from its last measure.
    bool ShowsSizeGrip() { return BarShowsSizeGrip(); }
    // The user may close the window unless it is being moved: the move holds it until the button goes up.
    virtual bool CanClose() const { return SecondWindow() == nullptr; }
    // The window measures and paints in the bar's own font when the bar has one.
    TFont* OwnBarFont() const override;
    // The width drag of an edit item while customizing: armed when the pointer rests within 7 pixels of the
    // left or right edge of the selected edit, running from the press until the release.
    bool WidthDragArmed() const { return widthDragArmed_; }
    bool WidthDragActive() const { return widthDragActive_; }
    // The width the edit box would take now (at least 20).
    int WidthDragWidth() const { return widthDragWidth_; }

    // ---- what the dock asks
    TWinControl* DockedWindow() override { return this; }
    TubBar* DockedBar() override { return bar_; }
    bool DockLocked() override { return Locked; }
    int MinContentLength(TubBarDockingStyle Style) override;
    int FullContentLength(TubBarDockingStyle Style) override;
    int BorderAlongRow(TubBarDockingStyle Style) override;
    int ThicknessFor(TubBarDockingStyle Style, int ContentLength) override;
    bool ShowsEndMark() override { return MarkAlwaysShown(); }
    bool MarkInsideContent() override { return MarkAlwaysShown(); }
    TPoint GrabPoint(TubBarDockingStyle Style) override;
    void SetTruncated(bool Value) override { truncated_ = Value; }
    void CalcContent(TubBarDockingStyle Style, int ContentLength) override;
    void DockControlGone() override { dockControl_ = nullptr; }
    TubBarDockingStyle WindowDockingStyle() override { return DockingStyle(); }
    TubDockControl* WindowDockControl() override { return dockControl_; }

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void Dispatch(TMessage& Message) override;
    void Paint() override;
    bool KeyInMenuMode(WORD Key, TShiftState Shift) override;
    void LButtonDown(TMessage& Message) override;
    void LButtonUp(TMessage& Message) override;
    // Outside design and customizing, the list of bars to show or hide opens at the pointer.
    void RButtonDown(TMessage& Message) override;
    void LButtonDblClk(TMessage& Message) override;
    void MouseMoved(TMessage& Message) override;
    // The visible links as the layout sees them, measured along and across the bar's lines.
    std::vector<TubToolbarLink> MeasureLinks();
    // The size the links take on lines of that length (0: all on one line), as a floating bar lays them out.
    TSize FloatingContentSize(int LineLength);
    // The floating window's hit codes and frame; a window with a frame of its own answers for both.
    virtual LRESULT FloatingHitTest(TPoint Screen);
    virtual void PaintFloatingFrame(HDC DC);

private:
    bool Vertical() const { return DockingStyle() == dsLeft || DockingStyle() == dsRight; }
    bool MultiLine() const;
    // The painter draws a mark on every bar that offers quick customizing; otherwise the mark shows only
    // when links are left out.
    bool MarkAlwaysShown() const;
    // The room of the caption buttons at the end of the line: the main menu bar's close button.
    int CaptionBand() const;
    void PlaceLinks(std::vector<TubToolbarLink>& Links, int ClientLength, int ClientThickness);
    TubBarItemPaintState PaintState() const;
    // Draws the window's background into the cache when its size changed; false for an empty window.
    bool FillBackgroundCache();
    // The frame outside the client area: background, border, grip and size grip.
    void PaintFrame();
    void PaintSeparators(HDC DC, HRGN Rest);
    void PaintMark(HDC DC, HRGN Rest);
    // A bar without border, docked at the bottom over the whole row, shows a size grip at its right end while
    // its window lies on the bottom edge of every parent up to the form (and the form is not maximized).
    bool BarShowsSizeGrip();
    // The band at the right of the frame that holds the size grip.
    int SizeGripBand() const;
    // The hit code of a screen point: HTCLIENT over a link or the mark, HTCAPTION over the rest of a docked
    // bar (it moves the bar).
    LRESULT HitTest(TPoint Screen);

    // The form the bar belongs to is the active window (hot tracking waits for it).
    bool FormActive() const;
    // The press on the grip: the bar moves with the mouse.
    void StartMove(TPoint ClientPoint);
    // After a move the bar keeps where its window is.
    void RememberPosition();
    void PaintCaptionButtons(HDC DC, HRGN Rest);
    // The button under the pointer (-1: none) drawn hot, and the held one pressed.
    void SetCaptionButton(int Hot, int Pressed);
    // The index of the caption button at a client point; -1 for none.
    int CaptionButtonAt(TPoint P) const;
    // Whether a caption button can be pressed: the close and minimise buttons of a child follow its system
    // menu.
    bool CaptionButtonEnabled(int Index) const;
    void StopMarkTimer();
    // The window goes while its bar shows: the bar is hidden.
    void WindowDestroyed();

    // ---- the floating side: a pop-up frame with a caption band and a close button
    void FloatingCreateParams(TCreateParams& Params);
    void FloatingNcCalcSize(RECT& R);
    void RememberFloatingPosition();

    // ---- the floating side, moves and the switch between docked and floating (ubBarToolbarControlFloating.cpp)
public:
    void SetMoving(bool Value) override;
    void ChangeDock(TubBarDockingStyle Style, TubDockControl* Dock) override;
    TSize FloatingSize() override;
    // The frame of the floating window, its caption band and its close button (window coordinates; the
    // button is empty when the bar cannot be closed).
    virtual TubFloatingFrame FloatingFrame() const;
    TRect FloatingCaptionRect() const;
    TRect FloatingCloseButtonRect() const;
    // The floating close button: 0 normal, 1 hot, 2 pressed.
    int FloatingCloseState() const { return closeButtonState_; }
    // A double click on the grip: a floating bar docks where it was docked last, a docked one floats.
    void ToggleDocking();
    // The floating window (or the one being moved) takes the bar's opacity, a docked one is opaque.
    void ApplyAlpha();

private:
    // The floating window's own messages; true when handled.
    bool FloatingMessage(TMessage& Message);
    void FloatingSizing(int Edge, RECT& R);
    void KeepOnWorkArea(WINDOWPOS& Pos);
    void TrackFloatingCloseButton();
    // A press on a floating bar activates the manager's form first, unless floating bars hide with it.
    void PressFloating();
    void SetFloatingCloseState(int Value);
    // How the window is made docked or floating (hidden).
    TCreateParams WindowParams(bool Floating);

protected:
    void WindowsSwitched() override;

private:
    int closeButtonState_ = 0;

    // ---- the width drag of an edit item
    // Arms the drag when the pointer (client point) is near an edge of the selected edit while customizing.
    void ArmWidthDrag(TPoint P);
    void StartWidthDrag();
    void TrackWidthDrag(TPoint P);
    void EndWidthDrag(bool Apply);
    // The frame of the edit at the dragged width (client coordinates).
    TRect WidthDragFrame() const;
    void InvertWidthDragFrame();
    bool widthDragArmed_ = false;
    bool widthDragActive_ = false;
    bool widthDragFromLeft_ = false;
    bool widthDragFrameShown_ = false;
    int widthDragWidth_ = 0;
    TubBarItemControl* widthDragControl_ = nullptr;

    TubBar* bar_ = nullptr;
    TubDockControl* dockControl_ = nullptr;
    bool truncated_ = false;
    bool linksHidden_ = false;
    bool linksAfterAligned_ = false;
    int contentLength_ = -1;  // the length the dock gave; -1 before it placed the window
    LRESULT hitArea_ = HTCLIENT;
    bool hasSizeGrip_ = false;
    bool keyboardOpen_ = false;
    HWND focusBefore_ = nullptr;  // the focused window when menu mode began
    int hotCaptionButton_ = -1;
    int pressedCaptionButton_ = -1;
    int trackedCaptionButton_ = -1;  // the button held since its press
    UINT_PTR markTimer_ = 0;
    TSize sizeAtPress_{0, 0};  // the window's size when a move began
    // The separators' rectangles of the last layout (client coordinates), with whether they run across.
    std::vector<std::pair<TRect, bool>> separators_;
};

}  // namespace zel
