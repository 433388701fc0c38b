#pragma once
// The visual styles of the library's controls. A control carries four styles, one per interaction state
// (Normal, Focused, Disabled, Hot); each style value is the style's own when assigned, else the same-state
// style's of its style controller (and that controller's controller), else a default computed from the
// state, the Normal style and the look and feel. A style controller is a component that many controls share
// their look through.
#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/rtl/Classes.h"
#include "platform/rtl/Clock.h"
#include "platform/rtl/Units.h"
#include "platform/vcl/StdCtrls.h"
#include "platform/vcl/VclGraphics.h"
#include "platform/win/FrameScrollBar.h"
#include "platform/win/Graphics.h"
#include "uilib/base/ubThemeManager.h"
#include "uilib/base/uiClasses.h"
#include "uilib/base/uiControls.h"
#include "uilib/base/uiControlsControl.h"
#include "uilib/base/uiControlsPopup.h"
#include "uilib/base/uiGraphics.h"
#include "uilib/base/uiLookAndFeels.h"
#include "uilib/base/uiScrollBar.h"

namespace zel {

class TControl;
class TuiContainerStyle;
class TuiStyleController;

enum TuiContainerBorderStyle { cbsNone, cbsSingle, cbsThick, cbsFlat, cbs3D, cbsUltraFlat, cbsOffice11 };

// The interaction state a style is for; Normal is the base style of a set.
enum TuiContainerStyleState { cssNormal, cssFocused, cssDisabled, cssHot };

// One style value; descendants add values after the container's ten.
using TuiContainerStyleValue = int;
constexpr TuiContainerStyleValue csvBorderColor = 0;
constexpr TuiContainerStyleValue csvBorderStyle = 1;
constexpr TuiContainerStyleValue csvColor = 2;
constexpr TuiContainerStyleValue csvEdges = 3;
constexpr TuiContainerStyleValue csvFont = 4;
constexpr TuiContainerStyleValue csvHotTrack = 5;
constexpr TuiContainerStyleValue csvShadow = 6;
constexpr TuiContainerStyleValue csvTextColor = 7;
constexpr TuiContainerStyleValue csvTextStyle = 8;
constexpr TuiContainerStyleValue csvTransparentBorder = 9;
// A set of style values, one bit per value.
using TuiContainerStyleValues = std::uint32_t;
constexpr TuiContainerStyleValues StyleValueBit(TuiContainerStyleValue AValue) { return 1u << AValue; }

// What a style asks of the control that owns it. The container and the editors implement it; a style whose
// owner does not is a style without a container.
class IuiContainerStyleOwner {
public:
    // The owning control: its ParentColor, ParentFont and parent's colour.
    virtual TControl* StyleOwnerControl() = 0;
    // Whether the control takes its parent's colour by default (check boxes do).
    virtual bool DefaultParentColor() = 0;
    virtual bool IsInPlaceEditor() = 0;
    // Whether the control stores the style property of that name for a Normal style or a state style.
    virtual bool IsStylePropertyStored(const std::string& AName, bool AIsStateStyle) = 0;

protected:
    ~IuiContainerStyleOwner() = default;
};

// Makes a style (owner, direct access, parent style, state); the result has run its AfterConstruction.
using TuiContainerStyleClass =
    std::function<TuiContainerStyle*(TPersistent*, bool, TuiContainerStyle*, TuiContainerStyleState)>;

class TuiContainerStyle : public TuiInterfacedPersistent {
public:
    using TChangedEvent = std::function<void(TuiContainerStyle* Sender)>;

    // A direct-access style is a light value holder for one paint: no notifications, its font a reference.
    TuiContainerStyle(TPersistent* AOwner, bool ADirectAccessMode, TuiContainerStyle* AParentStyle = nullptr,
                      TuiContainerStyleState AState = cssNormal);
    ~TuiContainerStyle() override;
    // Attaches the base style to the default style controller.
    void AfterConstruction() override;
    std::string ClassName() const override { return "TuiContainerStyle"; }

    void Assign(TPersistent* Source) override;
    // "IsFontAssigned": written as True when the font is stored; reading it marks Font assigned.
    void DefineProperties(TFiler* Filer) override;

    void LockChanges();
    void UnlockChanges();

    TColor GetBorderColor();
    void SetBorderColor(TColor Value);
    TuiContainerBorderStyle GetBorderStyle();
    void SetBorderStyle(TuiContainerBorderStyle Value);
    TColor GetColor() { return ReadColor(); }
    void SetColor(TColor Value);
    TuiBorders GetEdges();
    void SetEdges(TuiBorders Value);
    TFont* GetFont();
    void SetFont(TFont* Value);
    // Copies the font into the base style without touching the Font bit (the control's own font changed).
    void TakeFontKeepingAssigned(TFont* Value);
    bool GetHotTrack();
    void SetHotTrack(bool Value);
    bool GetShadow();
    void SetShadow(bool Value);
    TColor GetTextColor() { return ReadTextColor(); }
    void SetTextColor(TColor Value);
    TFontStyles GetTextStyle() { return ReadTextStyle(); }
    void SetTextStyle(TFontStyles Value);
    bool GetTransparentBorder();
    void SetTransparentBorder(bool Value);

    TuiContainerStyleValues GetAssignedValues() const;
    void SetAssignedValues(TuiContainerStyleValues Value);
    TuiLookAndFeel* GetLookAndFeel() const { return BaseStyle()->lookAndFeel_; }
    // The controller this style follows; nil when it is the default one, so the default is never stored.
    TuiStyleController* GetStyleController() const;
    void SetStyleController(TuiStyleController* Value);
    // The controller actually followed, the default one included.
    TuiStyleController* GetActiveStyleController() const { return BaseStyle()->styleController_; }

    // The resolved font with the resolved text colour and style, recomputed at each request.
    TFont* GetVisibleFont();
    TFont* EffectiveFont() { return GetVisibleFont(); }

    bool FindStyleValue(const std::string& AName, TuiContainerStyleValue& AValue);
    // Whether a property of that name is shown (and stored) on a Focused, Disabled or Hot style.
    bool IsStatePropertyVisible(const std::string& AName);
    bool IsBaseStyle() const { return state_ == cssNormal; }
    bool IsDirectAccessMode() const { return directAccessMode_; }
    TuiContainerStyleState GetState() const { return state_; }
    TuiContainerStyle* GetParentStyle() const { return parentStyle_; }
    // The base style of the set: this one or its parent.
    TuiContainerStyle* BaseStyle() const {
        return parentStyle_ != nullptr ? parentStyle_ : const_cast<TuiContainerStyle*>(this);
    }
    // The owner when it implements the container queries.
    IuiContainerStyleOwner* Container() const;
    // Whether a published property is stored: its assigned bit, and what the owning container says.
    bool IsValueStored(TuiContainerStyleValue AValue);
    bool IsStyleControllerStored() const { return IsBaseStyle() && GetStyleController() != nullptr; }

    TChangedEvent OnChanged;

    // The slot operations in their order.
    virtual void StyleChanged();
    virtual void ControllerStyleChanged(TuiStyleController* AController);
    virtual void ControllerRemoved(TuiStyleController* AController);
    virtual TColor BorderColorDefault();
    virtual TuiContainerBorderStyle BorderStyleDefault();
    virtual TColor ColorDefault();
    virtual TuiBorders EdgesDefault();
    virtual bool HotTrackDefault();
    virtual bool ShadowDefault();
    virtual TColor TextColorDefault();
    virtual TFontStyles TextStyleDefault();
    virtual bool TransparentBorderDefault();
    virtual void FontModified(TObject* Sender);
    virtual TColor ReadColor();
    virtual TuiStyleController* DefaultController();
    virtual TColor PaintColor();
    virtual TColor ReadTextColor();
    virtual TFontStyles ReadTextStyle();
    virtual TuiContainerStyleValues HiddenStateStyleValues();
    virtual int ValueCount();
    virtual bool ValueName(TuiContainerStyleValue AValue, std::string& AName);
    virtual bool ShowsBorder();
    virtual bool IsValueAssigned(TuiContainerStyleValue AValue);
    virtual void ResetToDefaults();

protected:
    // Sets a value's assigned bit (the stored value is set by the caller) and tells of the change.
    void AssignValue(TuiContainerStyleValue AValue);
    bool IsOwnValueAssigned(TuiContainerStyleValue AValue) const {
        return (assignedValues_ & StyleValueBit(AValue)) != 0;
    }
    // The style that a value of this style resolves through: this style for values kept per state, the
    // base style for values shared by the states.
    TuiContainerStyle* StyleOfValue(TuiContainerStyleValue AValue) const;
    // The same-state style of the active controller, nil without one.
    TuiContainerStyle* ControllerStyle() const;
    // Follows own value, then the controller chain; false when no style of the chain assigns the value.
    template <class T>
    bool Resolve(TuiContainerStyleValue AValue, T TuiContainerStyle::*AField, T& AResult) const {
        const TuiContainerStyle* style = StyleOfValue(AValue);
        for (int guard = 0; style != nullptr && guard < 64; ++guard) {
            if (style->IsOwnValueAssigned(AValue)) {
                AResult = style->*AField;
                return true;
            }
            style = style->ControllerStyle();
        }
        return false;
    }
    // The font of the first style of the chain that assigns it, nil when none does.
    TFont* ResolvedFont() const;
    // Re-reads the base style's font from the controller chain, or resets it, when it is not assigned.
    void UpdateFont();
    bool IsDestroying() const { return destroying_; }
    bool IsModified() const { return modified_; }

    TuiContainerStyleValues assignedValues_ = 0;

private:
    void CheckChanges();
    void FontChanged();

    TPersistent* owner_ = nullptr;
    bool directAccessMode_ = false;
    TuiContainerStyle* parentStyle_ = nullptr;
    TuiContainerStyleState state_ = cssNormal;
    TColor borderColor_ = clWindowFrame;
    TuiContainerBorderStyle borderStyle_ = cbsNone;
    TColor color_ = clWindow;
    TuiBorders edges_ = uiBordersAll;
    bool hotTrack_ = true;
    bool shadow_ = false;
    TColor textColor_ = clWindowText;
    TFontStyles textStyle_;
    bool transparentBorder_ = true;
    TFont* font_ = nullptr;
    bool ownsFont_ = false;
    TFont* visibleFont_ = nullptr;
    TuiLookAndFeel* lookAndFeel_ = nullptr;
    TuiStyleController* styleController_ = nullptr;
    int updateCount_ = 0;
    bool modified_ = false;
    bool destroying_ = false;
    int fontAssignedLock_ = 0;
};

// The four styles of a control, indexed by state.
class TuiContainerStyles : public TObject {
public:
    TuiContainerStyles(const TuiContainerStyleClass& AStyleClass, TPersistent* AOwner);
    ~TuiContainerStyles() override;
    std::string ClassName() const override { return "TuiContainerStyles"; }
    TuiContainerStyle* Style(TuiContainerStyleState AState) const { return styles_[static_cast<std::size_t>(AState)]; }

private:
    std::array<TuiContainerStyle*, 4> styles_{};
};

// The style class that makes plain container styles.
TuiContainerStyleClass ContainerStyleClass();

class TuiStyleController : public TComponent {
public:
    explicit TuiStyleController(TComponent* AOwner);
    ~TuiStyleController() override;
    // Makes the four styles of StyleObjectClass.
    void AfterConstruction() override;
    std::string ClassName() const override { return "TuiStyleController"; }
    void Loaded() override;

    virtual void AttachStyle(TuiContainerStyle* AStyle);
    virtual TuiContainerStyleClass StyleObjectClass();
    virtual void DetachStyle(TuiContainerStyle* AStyle);

    TuiContainerStyle* GetStyle(TuiContainerStyleState AState) const {
        return styles_ != nullptr ? styles_->Style(AState) : nullptr;
    }
    // The controller of this controller's Normal style (never stored back: writing does nothing).
    TuiStyleController* GetFakeStyleController() const;
    int ListenerCount() const { return static_cast<int>(listeners_.size()); }
    TuiContainerStyle* Listener(int I) const { return listeners_[static_cast<std::size_t>(I)]; }
    bool IsDestroying() const { return destroying_; }
    // Scales the Normal style's assigned font once in the controller's life; else asks its own controller.
    void ChangeScale(int M, int D);

    TNotifyEvent OnStyleChanged;

protected:
    // Fires OnStyleChanged and tells every listener, in list order.
    void Changed();

private:
    std::vector<TuiContainerStyle*> listeners_;
    TuiContainerStyles* styles_ = nullptr;
    bool destroying_ = false;
    bool scaled_ = false;
};

// The controller every style follows when it names none; set by the editors' start-up.
TuiStyleController* uiDefaultStyleController();
void SetuiDefaultStyleController(TuiStyleController* AController);

// The names of the border styles and of the container style values as stored.
const std::vector<std::pair<std::string, TuiContainerBorderStyle>>& ContainerBorderStyleNames();

// ------------------------------------------------------------------------------------------ container control

enum TuiContainerStateItem { cisNormal, cisActive, cisDisabled, cisHotTrack };
using TuiContainerState = TSet<TuiContainerStateItem>;

// The width of the frame each border style draws.
int ContainerBorderWidth(TuiContainerBorderStyle AStyle);

// The computed geometry and colours of a container's frame.
class TuiContainerViewInfo : public TObject {
public:
    TuiContainerViewInfo() = default;
    std::string ClassName() const override { return "TuiContainerViewInfo"; }

    virtual void DrawBorder(TCanvas* ACanvas, TRect R);
    virtual TuiContainerBorderStyle ReadBorderStyle() { return BorderStyle; }
    virtual void PaintFrame(TCanvas* ACanvas);
    virtual void StoreBackgroundColor(TColor AColor) { BackgroundColor = AColor; }
    virtual void Assign(TuiContainerViewInfo* Source) {
        if (Source != nullptr) ClientRect = Source->ClientRect;
    }
    virtual void MoveBy(int DX, int DY);
    virtual void Paint(TCanvas* ACanvas) { PaintFrame(ACanvas); }

    TuiContainerState ContainerState{cisNormal};
    TuiContainerBorderStyle BorderStyle = cbsNone;
    TColor BorderColor = clWindowFrame;
    int BorderWidth = 0;
    TuiBorders Edges = uiBordersAll;
    bool Shadow = false;
    bool NativeStyle = false;
    TubThemeObjectKind ThemedObjectType = thEdit;
    int NativePart = 0;
    int NativeState = 0;
    TuiLookAndFeelPainterClass Painter = nullptr;
    TColor BackgroundColor = clWindow;
    // 0: the style does not hot-track; 1: not hot; 2: hot or focused.
    BYTE HotState = 0;
    TRect Bounds{};
    TRect BorderRect{};
    TRect ClientRect{};

    // The 3-pixel shadow (when there is one), each bar kept out of the clip region after it is filled, and
    // then the border around the border rectangle.
    void PaintBorderAndShadow(TCanvas* ACanvas);

private:
    void PaintNative(TCanvas* ACanvas);
};

// An inner control that leaves the corner between its two scroll bars to its container's size grip.
class IuiContainerInnerSizeGrip {
public:
    // Whether the inner control shows a size grip in that corner.
    virtual bool HasSizeGrip() = 0;

protected:
    ~IuiContainerInnerSizeGrip() = default;
};

// The window of every editor of the library: four state styles, a frame computed from the style of the
// current state, and usually one inner control (an EDIT, a list box) sized into its client area, which it
// forwards keys and focus to.
class TuiContainer : public TuiControl, public IuiContainerStyleOwner, public IuiMouseExitSink {
public:
    explicit TuiContainer(TComponent* AOwner);
    ~TuiContainer() override;
    // Makes the styles and the view info of the classes the overrides name.
    void AfterConstruction() override;
    std::string ClassName() const override { return "TuiContainer"; }

    TuiContainerStyle* Style() const { return styles_->Style(cssNormal); }
    TuiContainerStyle* StyleDisabled() const { return styles_->Style(cssDisabled); }
    TuiContainerStyle* StyleFocused() const { return styles_->Style(cssFocused); }
    TuiContainerStyle* StyleHot() const { return styles_->Style(cssHot); }
    TuiContainerViewInfo* ViewInfo() const { return viewInfo_; }
    TWinControl* GetInnerControl() const { return innerControl_; }
    void SetInnerControl(TWinControl* Value);
    TuiStyleController* GetFakeStyleController() const { return Style()->GetStyleController(); }

    // True when the container's window or its inner control holds the focus (never while designing).
    bool ContainerFocused();
    void SetFocus() override;
    void Invalidate() override;
    void Update() override;
    // Refreshes the frame from the current state, with the cursor when it is over the control.
    void RefreshFrame();
    // While the inner control is the form's active control it stands in the container's place in the tab
    // order, so that tabbing from it moves past the container rather than back onto it.
    void GetTabOrderList(std::vector<TWinControl*>& List) override;
    // Scales the bounds by M / D and, when the control does not follow its parent's font, its font; then the
    // Normal style's own font (or, while loading, the font of the style controller it follows) once.
    void ChangeScale(int M, int D, bool AScaleFont = true);

    // IuiContainerStyleOwner
    TControl* StyleOwnerControl() override { return this; }
    bool DefaultParentColor() override { return false; }
    bool IsInPlaceEditor() override { return false; }
    bool IsStylePropertyStored(const std::string& AName, bool AIsStateStyle) override;
    // IuiMouseExitSink
    void MouseLeft() override;

    // ---- overridable operations, in slot order
    /*  1 */ virtual bool IsFocusedOrInner() { return ContainerFocused(); }
    /*  2 */ virtual void UpdateInnerControlLook();
    /*  3 */ virtual void CalculateViewInfo(TPoint P, bool AHotTrack);
    /*  4 */ virtual bool CanTabOut() { return true; }
    /*  5 */ virtual bool UsesWindowRegion();
    /*  6 */ virtual bool CanShowContextMenuAt(TPoint /*P*/) { return true; }
    /*  7 */ virtual void StyleChangedHandler(TuiContainerStyle* AStyle);
    /*  8 */ virtual void ContainerHook() {}
    /*  9 */ virtual void ShortRefresh() { RefreshFrame(); }
    /* 10 */  // DefaultParentColor: above
    /* 11 */ virtual void MouseTrackingStop() { StopMouseLeaveTracking(this); }
    /* 12 */ virtual TuiContainerStyle* ActiveStyle();
    /* 13 */ virtual TRect FrameExtent();
    /* 14 */ virtual TRect InnerControlFrame(const TRect& ABounds, TWinControl* AControl);
    /* 15 */ virtual TRect RegionRect();
    /* 16 */ virtual TuiContainerStyleClass StyleObjectClass() { return ContainerStyleClass(); }
    /* 18 */ virtual TuiContainerViewInfo* CreateViewInfo() { return new TuiContainerViewInfo; }
    /* 19 */ virtual bool HasShadow();
    /* 20 */ virtual void CallInnerDefaultProc(TMessage& Message);
    /* 21 */ virtual TuiContainerStyle* StyleForState();
    /* 22 */ virtual TuiContainerStyleValues HiddenStyleValues() { return 0; }
    /* 23 */ virtual bool UsesStandardLayout() { return false; }
    /* 24 */ virtual bool IsReadOnly() { return false; }
    /* 25 */ virtual bool RefreshOnWindowMove() { return false; }
    /* 26 */ virtual void RefreshContainer(TPoint P, TShiftState AShift);
    /* 27 */ virtual void UpdateWindowRegion();
    /* 28 */ virtual void AdjustInnerControlBounds();
    /* 30 */ virtual void ScrollBarsChanged() {}
    /* 31 */ virtual void SyncScrollBar(TuiScrollBar* ABar);
    /* 32 */ virtual TubThemeObjectKind ThemeObjectType() { return thEdit; }
    /* 33 */ virtual int ThemePart();
    /* 34 */ virtual int ThemeState();
    // A rectangle on the screen in the container's coordinates; empty when it lies outside the container.
    /* 35 */ virtual TRect ScrollBarRectOnScreen(const RECT& AScreenRect);
    /* 36 */ virtual bool ScrollBarEnabled(const SCROLLBARINFO& AInfo);
    /* 37 */ virtual bool GetInnerScrollBarInfo(SCROLLBARINFO& AInfo, TScrollBarKind AKind);
    /* 38 */ virtual bool IsScrollBarShown(const SCROLLBARINFO& AInfo);
    /* 39 */ virtual bool IsNativeStyle();
    /* 40 */ virtual void FocusInnerControl();
    /* 42 */ virtual void SetScrollBarVisible(TuiScrollBar* ABar, bool AVisible);
    /* 43 */ virtual void InitDefaults() {}
    /* 44 */ virtual TRect VisibleBounds();
    // Whether the container shows scroll bars of its own look and feel over its inner control's.
    /* 45 */ virtual bool HasInnerScrollBars() { return false; }
    /* 46 */ virtual void InnerControlMessage(TMessage& Message);
    /* 47 */ virtual bool InnerControlKeyHook(TMessage& Message);
    // Matches the own bars to the inner control's: each shown over the inner bar it stands for, with its
    // range, page and position, and the size grip between them when the inner control has one.
    /* 49 */ virtual void SyncInnerScrollBars();
    // An own bar scrolled: the inner control scrolls and the bar reads its position back.
    void Scroll(TScrollBarKind AKind, TScrollCode ACode, int& APosition) override;
    // The own bars are placed over the inner control's, not laid out around the client area.
    void UpdateScrollBars() override;
    // Whether the size grip stands between the own bars.
    bool IsSizeGripShown() const { return sizeGripVisible_; }
    TRect SizeGripRect() const { return sizeGripRect_; }

    // Whether the control lies on its form's glass surface (the frame extended into the client area). The
    // layer's forms have no glass surface: false, unless a descendant places itself there.
    virtual bool IsOnGlass() { return false; }
    // On glass with desktop composition on: painted through a buffered paint that keeps its pixels opaque.
    bool PaintsOnGlass();

    // The shift state mouse presses leave for the editors.
    static TShiftState MouseShiftState;
    // Set while a press or a release on the inner control is handed to the container.
    bool InnerControlMouseDown = false;

protected:
    void WndProc(TMessage& Message) override;
    void Paint() override;
    void Resize() override;
    void CreateWnd() override;
    void Loaded() override;
    void ColorChanged() override;
    void FontChanged() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    bool DoKeyDown(WORD& Key, TShiftState Shift) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    // A press handed on by the inner control finds the focus already where it belongs.
    bool CanFocusOnClickAt(int X, int Y) override {
        return !InnerControlMouseDown && TuiControl::CanFocusOnClickAt(X, Y);
    }
    void MouseEnter(TControl* AControl) override;
    void MouseLeave(TControl* AControl) override;
    void DoContextPopup(TPoint MousePos, bool& Handled) override;
    void AlignControls(TControl* AControl, TRect& Rect) override;

    bool IsCreating() const { return creating_; }
    bool IsContainerDestroying() const { return destroying_; }

private:
    friend class TuiCustomInnerListBox;  // hands its keys, mouse and clicks to the container
    void InnerWndProc(TMessage& Message);
    void EnabledChanged();
    void ParentLookChanged(TMessage& Message);

    TuiContainerStyles* styles_ = nullptr;
    TuiContainerViewInfo* viewInfo_ = nullptr;
    TWinControl* innerControl_ = nullptr;
    TWndMethod innerSavedWndProc_;
    TuiContainerStyle* activeStyle_ = nullptr;
    TuiContainerState activeStyleState_;
    bool creating_ = true;
    bool destroying_ = false;
    bool internalSetting_ = false;
    bool viewInfoCalculated_ = false;
    bool refreshLock_ = false;
    bool refreshing_ = false;
    // Repaints on glass pending, of the container and of its inner control.
    bool repaintOnGlass_ = false;
    bool innerRepaintOnGlass_ = false;
    bool scrollBarsCalculating_ = false;
    TRect sizeGripRect_{};
    bool sizeGripVisible_ = false;
};

// Removes queued messages of the window in [First, Last] (all of them, or one); a WM_QUIT met on the way is
// posted again and ends the removal. True when something was removed.
bool PurgeMessages(HWND Window, UINT First, UINT Last, bool All = true);
TRect ControlBoundsRect(TControl* Control);
// Invalidates Outer without Inner (all of Outer when Inner is empty).
void InvalidateFrameRing(HWND Window, const TRect& Outer, const TRect& Inner, bool Erase);
bool IsControlShowing(TWinControl* Control);
TShiftState CurrentShiftState();
// Paints a window's client area on the glass surface of a composited desktop: a buffered paint of R that starts
// cleared, WM_PRINTCLIENT into it, then every pixel made opaque. Without buffered painting the window prints
// straight into DC; false then.
bool PaintWindowOnGlass(HWND Window, HDC DC, const TRect& R);
// The same for the whole client area, outside a paint.
void RepaintWindowOnGlass(HWND Window);
// Sets the window region to R (none with ANone) with an optional excluded rectangle and, with AShadow, its
// copy offset by (3, 3); only when it differs from the region the window has.
void SetRegionIfChanged(HWND Window, const TRect& R, bool ANone, const TRect& AExcluded, bool AShadow);

// ------------------------------------------------------------------------------------------------ popups

// Why a popup closed.
enum TuiCloseUpReason { crUnknown, crTab, crClose, crCancel, crEnter };
class TuiCustomPopupWindow;
using TuiPopupClosingEvent = std::function<void(TuiCustomPopupWindow* Sender, TuiCloseUpReason AReason)>;

// A borderless popup next to its owner control (the editor that opened it). Shown popups are listed in the
// order they showed; three thread hooks close them when the user clicks, activates or moves elsewhere. A
// popup that captures focus in modal mode runs its own message loop until it closes.
class TuiCustomPopupWindow : public TuiPopupWindow {
public:
    explicit TuiCustomPopupWindow(TWinControl* AOwnerControl);
    ~TuiCustomPopupWindow() override;
    void AfterConstruction() override;
    std::string ClassName() const override { return "TuiCustomPopupWindow"; }

    TWinControl* OwnerControl() const { return ownerControl_; }
    bool GetCaptureFocus() const { return captureFocus_; }
    void SetCaptureFocus(bool Value);
    bool ModalMode = true;
    bool GetTopMost() const { return topMost_; }
    void SetTopMost(bool Value);
    // Set when a click on the owner closed the popup and the owner handles that click: the owner then
    // does not open it again.
    bool ClosedByOwnerClick = false;
    int DeactivateLockCount = 0;
    TWinControl* FocusedControl() const { return focusedControl_; }
    TuiContainerStyle* Style() const { return style_; }
    TuiContainerViewInfo* ViewInfo() const { return viewInfo_; }
    // In the list of shown popups.
    bool IsShown() const;
    // Shown, capturing focus, and the focus is in the popup.
    bool PopupFocused();
    bool CanFocus() const override { return GetVisible(); }

    TNotifyEvent OnShowing;
    TNotifyEvent OnShowed;
    TuiPopupClosingEvent OnClosing;
    TuiPopupClosingEvent OnClosed;

    // ---- overridable operations, in slot order
    TRect GetOwnerScreenBounds() override;
    virtual void PopupHook() {}
    void ClosePopup() override;
    virtual bool IsSizeAdjustable() { return false; }
    virtual void DoClosed();
    virtual void DoClosing();
    virtual void DoShowed();
    virtual void DoShowing();
    virtual bool EraseBackground() { return false; }
    virtual bool IsPopupKey(WORD Key);
    virtual void CloseOnModalResult() { ClosePopup(); }
    virtual bool OwnerHandlesClick(HWND /*Window*/, UINT /*Msg*/, TPoint /*P*/, TShiftState /*Shift*/) { return false; }
    virtual void StyleChangedHandler() {}
    virtual TuiContainerStyleClass StyleObjectClass() { return ContainerStyleClass(); }
    virtual TuiContainerViewInfo* CreateViewInfo() { return new TuiContainerViewInfo; }
    // Shows the popup beside its owner and focuses AFocusedControl (or the first control that takes it);
    // capturing focus in modal mode, returns when the popup has closed.
    virtual void ShowPopup(TWinControl* AFocusedControl);

    // Moves P right and down into the work area of its monitor and limits the size to what fits there; the
    // size never goes below zero.
    void AdjustToWorkArea(TPoint& P);

protected:
    void CreateParams(TCreateParams& Params) override;
    void Deactivate() override;
    void Dispatch(TMessage& Message) override;
    bool DoKeyDown(WORD& Key, TShiftState Shift) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    TWinControl* ownerControl_ = nullptr;
    bool captureFocus_ = true;
    bool topMost_ = false;
    TWinControl* focusedControl_ = nullptr;
    TuiContainerStyle* style_ = nullptr;
    TuiContainerViewInfo* viewInfo_ = nullptr;
};

// The shown popups, the first shown first.
int VisiblePopupCount();
TuiCustomPopupWindow* VisiblePopup(int Index);
// The owner's window for a window inside a popup, else the window itself.
HWND ContainerPopupOwnerLookup(HWND Window);

// The list box inside an editor: it reports focus changes, keys and the mouse to its container, finds items as
// they are typed (type-ahead: keys typed within the delay of each other make one prefix to look for), and
// shows two scroll bars of its own look and feel over its native ones, in its parent, each matched to the
// native bar it covers.
class TuiCustomInnerListBox : public TListBox {
public:
    explicit TuiCustomInnerListBox(TComponent* AOwner);
    ~TuiCustomInnerListBox() override;
    std::string ClassName() const override { return "TuiCustomInnerListBox"; }

    TuiContainer* GetContainer() const { return container_; }
    // The list follows its container's look and feel.
    void SetContainer(TuiContainer* Value);
    bool TypeAhead = true;
    // Milliseconds after which a key starts a new prefix.
    TTick TypeAheadDelay = 500;
    const std::string& TypeAheadText() const { return typeAheadText_; }
    TuiLookAndFeel* GetLookAndFeel() const { return lookAndFeel_; }
    TuiCanvas* GetuiCanvas() const { return uiCanvas_; }
    TuiScrollBar* HScrollBar() const { return hScrollBar_; }
    TuiScrollBar* VScrollBar() const { return vScrollBar_; }
    // Own bars are matched to the native ones only while no lock is held.
    void LockScrollBars() { ++scrollBarsLockCount_; }
    void UnlockScrollBars();
    // Matches each own bar to the native bar it covers: shown over it in the parent with its range, page
    // and position, or hidden.
    void SyncScrollBars();
    // Dragging over the list and dropping on it are the container's, at the container's points.
    void DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept) override;
    void DragDrop(TObject* Source, int X, int Y) override;

protected:
    void WndProc(TMessage& Message) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    bool DoKeyDown(WORD& Key, TShiftState Shift) override;
    bool DoKeyUp(WORD& Key, TShiftState Shift) override;
    bool DoKeyPress(char& Key) override;
    // The mouse and the clicks go to the container too, the points in the container's coordinates.
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void Click() override;
    void DblClick() override;
    // A multi-select list keeps its selection, its caret and its first item shown across a new window.
    void CreateWnd() override;
    void DestroyWnd() override;
    // Its context popup and the mouse wheel are the container's.
    void DoContextPopup(TPoint MousePos, bool& Handled) override;
    bool DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) override;

private:
    // A press while the container drags automatically: the list selects, then the container begins dragging
    // (at once for a press on the selection of a multi-select list).
    void PressWithContainerDrag(TMessage& Message);
    // Adds the key to the prefix (or starts it anew) and selects the first item it begins; true when the key
    // is consumed.
    bool TypeAheadStep(char Key);
    // A point of the list in the container's coordinates.
    TPoint ToContainer(int X, int Y);
    void SyncScrollBar(TuiScrollBar* ABar, LONG AObject, int ABarKind);
    // An own bar scrolled: the native window scrolls and the bar reads its position back.
    void OwnBarScrolled(TuiScrollBar* ABar, TScrollCode ACode, int& APosition);
    // The rectangle between two shown own bars, in the list's client coordinates; empty otherwise.
    TRect CornerRect();
    void FillCorner(HDC DC, const TRect& R);
    void DrawItemThroughCanvas(TMessage& Message);

    TuiContainer* container_ = nullptr;
    TuiCanvas* uiCanvas_ = nullptr;
    TuiLookAndFeel* lookAndFeel_ = nullptr;
    TuiScrollBar* hScrollBar_ = nullptr;
    TuiScrollBar* vScrollBar_ = nullptr;
    bool scrollBarsCalculating_ = false;
    int scrollBarsLockCount_ = 0;
    bool redrawLocked_ = false;
    bool destroying_ = false;
    TTick lastKeyTime_ = 0;
    std::string typeAheadText_;
    std::vector<int> savedSelection_;
    int savedCaret_ = -1;
    int savedTop_ = -1;
};

// Whether the start-up found GetScrollBarInfo: own scroll bars follow the native ones only then.
bool uiScrollBarInfoBound();

// The unit's start-up row: binds GetScrollBarInfo, registers TuiStyleController with the form reader, creates the list
// of shown popups, installs the popup-closing hooks and the popup-owner lookup; shutdown undoes it.
TUnitRow uiContainerUnitRow();

}  // namespace zel
