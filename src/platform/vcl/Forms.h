#pragma once
// Forms, the application object and the screen.
//
// A form is a top-level window (or a multiple-document child inside its main form's MDI client window).
// Its component tree is read from its form resource when it is made (AfterConstruction), then OnCreate
// runs. The events come in the original's order: OnCreate; OnShow as it becomes visible; OnActivate;
// OnCloseQuery and OnClose when it closes; OnHide; OnDestroy before it is destroyed.
#include <functional>
#include <string>
#include <vector>

#include "platform/vcl/Controls.h"

namespace zel {

// The program's icon, which every form shows.
HICON ProgramIcon();

class TFormBindings;
struct TFormResource;

enum TFormStyle { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };
enum TPosition {
    poDesigned,
    poDefault,
    poDefaultPosOnly,
    poDefaultSizeOnly,
    poScreenCenter,
    poDesktopCenter,
    poMainFormCenter,
    poOwnerFormCenter
};
enum TWindowState { wsNormal, wsMinimized, wsMaximized };
// Which window owns a form's window: none chosen (pmNone), the active form's (pmAuto) or PopupParent's
// (pmExplicit).
enum TPopupMode { pmNone, pmAuto, pmExplicit };
// The monitor a form is placed on when it is first shown.
enum TDefaultMonitor { dmDesktop, dmPrimary, dmMainForm, dmActiveForm };
enum TBorderIcon { biSystemMenu, biMinimize, biMaximize, biHelp };
using TBorderIcons = TSet<TBorderIcon>;
enum TCloseAction { caNone, caHide, caFree, caMinimize };
enum TFormStateFlag { fsCreating, fsVisible, fsShowing, fsModal, fsCreatedMDIChild, fsActivated };
using TFormState = TSet<TFormStateFlag>;

using TCloseEvent = std::function<void(TObject* Sender, TCloseAction& Action)>;
using TCloseQueryEvent = std::function<void(TObject* Sender, bool& CanClose)>;

class TCustomForm : public TCustomControl {
public:
    explicit TCustomForm(TComponent* AOwner);
    ~TCustomForm() override;
    std::string ClassName() const override { return "TCustomForm"; }
    void AfterConstruction() override;
    void BeforeDestruction() override;

    // ---- showing and closing
    void Show();
    // Shows the form modally: the other forms are disabled until ModalResult is set; answers it.
    virtual int ShowModal();
    virtual void Close();
    virtual bool CloseQuery();
    // Frees the form once the message being handled is done.
    void Release();
    void SetVisible(bool Value) override;
    bool Showing() const override;
    TModalResult ModalResult = mrNone;
    TFormState FormState() const { return formState_; }

    // ---- appearance
    TBorderStyle GetBorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle Value);
    void SetBorderIcons(TBorderIcons Value);
    TFormStyle GetFormStyle() const { return formStyle_; }
    void SetFormStyle(TFormStyle Value);
    TPosition Position = poDesigned;
    TWindowState GetWindowState() const;
    void SetWindowState(TWindowState Value);
    bool KeyPreview = false;
    bool Active() const { return active_; }
    TDefaultMonitor DefaultMonitor = dmActiveForm;
    // The whole window drawn with the opacity AlphaBlendValue (0 clear to 255 opaque) when AlphaBlend is on.
    bool GetAlphaBlend() const { return alphaBlend_; }
    void SetAlphaBlend(bool Value);
    BYTE GetAlphaBlendValue() const { return alphaBlendValue_; }
    void SetAlphaBlendValue(BYTE Value);
    // With TransparentColor on, the pixels of the colour TransparentColorValue are left out of the window:
    // what lies under it shows there.
    bool GetTransparentColor() const { return transparentColor_; }
    void SetTransparentColor(bool Value);
    TColor GetTransparentColorValue() const { return transparentColorValue_; }
    void SetTransparentColorValue(TColor Value);
    // The owner window: see TPopupMode; a change makes the window again.
    TPopupMode GetPopupMode() const { return popupMode_; }
    void SetPopupMode(TPopupMode Value);
    TCustomForm* GetPopupParent() const { return popupParent_; }
    void SetPopupParent(TCustomForm* Value);

    // ---- focus
    TWinControl* GetActiveControl() const { return activeControl_; }
    void SetActiveControl(TWinControl* Control);
    void FocusControl(TWinControl* Control);
    void SetFocus() override;
    // Called when a control of the form took the focus.
    void SetActiveControlFromFocus(TWinControl* Control);
    // A control that leaves the form while it (or a control on it) has the focus takes nothing with it:
    // the form forgets it and takes the focus itself.
    void ControlLeaving(TControl* AControl) override;

    // ---- actions
    // The form, then each visible control on it that shows actions (csActionClient), depth first, let their
    // actions update (InitiateAction).
    virtual void UpdateActions();

    // A place and size read back from the settings or a file, brought inside what the window can be before
    // the form takes them: no larger than the desktop's work area with the form's frame, no smaller than its
    // least tracking size, and with at least a caption's height of it on the area it shows in (the work
    // area; for a multiple-document child its main form's client window).
    void SetStoredBounds(long long ALeft, long long ATop, long long AWidth, long long AHeight);

    // ---- multiple documents
    HWND ClientHandle() const { return clientHandle_; }
    int MDIChildCount() const;
    TCustomForm* MDIChildren(int Index) const;
    TCustomForm* ActiveMDIChild() const;
    void Cascade();
    void Tile();
    void ArrangeIcons();
    void Next();
    void Previous();

    // ---- events
    TNotifyEvent OnCreate;
    TNotifyEvent OnDestroy;
    TNotifyEvent OnShow;
    TNotifyEvent OnHide;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;
    TNotifyEvent OnPaint;
    TCloseEvent OnClose;
    TCloseQueryEvent OnCloseQuery;

    // The names the form resource uses: component fields and event handlers of this form class.
    virtual void DefineBindings(TFormBindings& Bindings);
    // The form resource that describes the form: by default the one registered for its class name;
    // nullptr for a form made without one.
    virtual const TFormResource* FormResource() const;

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    void Dispatch(TMessage& Message) override;
    void Paint() override;
    void AlignControls(TControl* AControl, TRect& Rect) override;
    void Loaded() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    virtual void DoCreate();
    virtual void DoDestroy();
    virtual void DoShow();
    virtual void DoHide();
    virtual void DoClose(TCloseAction& Action);
    virtual void Activate();
    virtual void Deactivate();
    void CloseModal();
    void WMHelp(TMessage& Message);

private:
    // Shows or hides the window and its form events (SetVisible wraps it to report the showing change).
    void ShowOrHide(bool Value);
    void PlaceOnShow();
    void ClientWindowMessage(UINT msg, WPARAM wp, LPARAM lp);
    const std::vector<TCustomForm*>& MDIChildList() const;

    TFormState formState_;
    TBorderStyle borderStyle_ = bsSizeable;
    TBorderIcons borderIcons_{biSystemMenu, biMinimize, biMaximize};
    TFormStyle formStyle_ = fsNormal;
    TWindowState windowState_ = wsNormal;
    TWinControl* activeControl_ = nullptr;
    HWND clientHandle_ = nullptr;
    // The multiple-document children in the client window's order, and the versions of that order and of
    // the windows' bindings it was made at.
    mutable std::vector<TCustomForm*> mdiChildren_;
    mutable std::uint64_t mdiChildrenVersion_ = ~std::uint64_t{0};
    mutable std::uint64_t mdiBindingsVersion_ = ~std::uint64_t{0};
    bool active_ = false;
    bool destroyFired_ = false;
    // The last WM_SIZE said minimised: the controls were aligned in no room meanwhile, if at all.
    bool minimized_ = false;
    bool alphaBlend_ = false;
    BYTE alphaBlendValue_ = 255;
    bool transparentColor_ = false;
    TColor transparentColorValue_ = 0;
    TPopupMode popupMode_ = pmNone;
    TCustomForm* popupParent_ = nullptr;

    void ApplyLayered();
};

class TForm : public TCustomForm {
public:
    using TCustomForm::TCustomForm;
    std::string ClassName() const override { return "TForm"; }
};

// ---------------------------------------------------------------------------------------------- TApplication

using TMessageEvent = std::function<void(MSG& Msg, bool& Handled)>;
using TIdleEvent = std::function<void(TObject* Sender, bool& Done)>;
using TExceptionEvent = std::function<void(TObject* Sender, const std::exception& E)>;
using THelpEvent = std::function<bool(WORD Command, LONG_PTR Data, bool& CallHelp)>;

class TApplication : public TComponent {
public:
    explicit TApplication(TComponent* AOwner);
    ~TApplication() override;
    std::string ClassName() const override { return "TApplication"; }

    void Initialize() {}
    // Creates a form owned by the application; the first one becomes the main form.
    template <class T>
    void CreateForm(T*& Reference) {
        Reference = Construct<T>(this);
        if (MainForm == nullptr) MainForm = Reference;
    }
    // Runs the message loop until Terminate (or the main form closes).
    void Run();
    void Terminate();
    bool Terminated() const { return terminated_; }
    // Handles one message, or idles (OnIdle, then waits for a message) when none is waiting.
    void HandleMessage();
    // Handles every waiting message, then returns.
    void ProcessMessages();
    // Runs OnIdle, then waits for a message unless OnIdle asked for more idle time (modal loops of their own
    // call this when their queue is empty).
    void Idle();
    // Shows the failure in a message box (OnException when set); an EAbort is silent.
    void HandleException(const std::exception& E);
    void ShowException(const std::exception& E);
    int MessageBox(const std::string& Text, const std::string& Caption, UINT Flags);
    // Shows the help topic of a context number: OnHelp first (it may answer and keep the help system out),
    // then the help system with the current help file. True when OnHelp or a help viewer took it. The
    // context is recorded in LastHelpContext.
    bool HelpContext(int Context);
    // The help file requests name: the application's.
    std::string CurrentHelpFile() const { return HelpFile; }
    HWND Handle();

    TCustomForm* MainForm = nullptr;
    std::string Title = "Zelmovi";
    std::string HelpFile;
    // The hint being shown (its long part), the hint window's colour, and whether hints name shortcuts.
    std::string Hint;
    TColor HintColor = clInfoBk;
    bool HintShortCuts = true;
    int LastHelpContext = 0;
    int ModalLevel = 0;
    TMessageEvent OnMessage;
    TIdleEvent OnIdle;
    TExceptionEvent OnException;
    THelpEvent OnHelp;

protected:
    // A freed main form is forgotten, so that nothing reaches it afterwards.
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    bool ProcessMessage(MSG& Msg);
    // Every showing, enabled form lets its actions update (after OnIdle, when it leaves the idle done).
    void UpdateActions();
    bool terminated_ = false;
    HWND handle_ = nullptr;
};

// ---------------------------------------------------------------------------------------------- TScreen

class TScreen : public TComponent {
public:
    explicit TScreen(TComponent* AOwner) : TComponent(AOwner) {}
    ~TScreen() override;
    std::string ClassName() const override { return "TScreen"; }

    // The font of hints: the system's status font in the info-text colour (made on first use).
    TFont* HintFont();

    int FormCount() const { return static_cast<int>(forms_.size()); }
    TCustomForm* Forms(int Index) const { return forms_.at(static_cast<std::size_t>(Index)); }
    TCustomForm* ActiveForm() const { return activeForm_; }
    TCursor GetCursor() const { return cursor_; }
    void SetCursor(TCursor Value);
    HCURSOR Cursors(TCursor Index) const { return CursorHandle(Index); }
    void SetCursors(TCursor Index, HCURSOR Handle) { SetCustomCursor(Index, Handle); }
    int Width() const;
    int Height() const;
    TNotifyEvent OnActiveFormChange;
    TNotifyEvent OnActiveControlChange;

    // Kept by the forms themselves.
    void AddForm(TCustomForm* Form);
    void RemoveForm(TCustomForm* Form);
    void SetActiveForm(TCustomForm* Form);

private:
    std::vector<TCustomForm*> forms_;
    TCustomForm* activeForm_ = nullptr;
    TCursor cursor_ = crDefault;
    TFont* hintFont_ = nullptr;
};

extern TApplication* Application;
extern TScreen* Screen;

}  // namespace zel
