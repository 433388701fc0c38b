#pragma once
// Look-and-feel settings: which painter draws a control. A look and feel holds up to three settings (kind,
// native style, skin name); each one not assigned locally follows its master look and feel and in the end the
// process-wide root, which a controller component on a form can set. A shared hidden window hears
// system-colour changes and passes them to every look and feel and to other listeners.
#include <functional>
#include <string>
#include <vector>

#include "platform/rtl/Classes.h"
#include "platform/rtl/System.h"
#include "platform/win/WinTypes.h"
#include "uilib/base/ubThemeManager.h"
#include "uilib/base/uiClasses.h"

namespace zel {

enum TuiLookAndFeelKind { lfFlat, lfStandard, lfUltraFlat, lfOffice11 };
enum TuiLookAndFeelValue { lfvKind, lfvNativeStyle, lfvSkinName };
using TuiLookAndFeelValues = TSet<TuiLookAndFeelValue>;
using TubSkinName = std::string;

// A painter is referred to by its class: painters hold no data, so the reference is the painter class's one
// shared instance (uiLookAndFeelPainters.h).
class TuiCustomLookAndFeelPainter;
using TuiLookAndFeelPainterClass = const TuiCustomLookAndFeelPainter*;

class TuiLookAndFeel;

// {76659A08-2C4B-48B9-FCE8-AC054A2BFC23}: told when a registered extra painter changes.
class IuiLookAndFeelPainterListener {
public:
    virtual void PainterChanged() = 0;

protected:
    ~IuiLookAndFeelPainterListener() = default;
};

// {205538BF-F19E-4285-B11F-B182D9635881}: a follower of a look and feel.
class IuiLookAndFeelListener {
public:
    virtual TObject* GetObject() = 0;
    virtual void MasterChanged(TuiLookAndFeel* Sender, TuiLookAndFeelValues ChangedValues) = 0;
    virtual void MasterDestroying(TuiLookAndFeel* Sender) = 0;

protected:
    ~IuiLookAndFeelListener() = default;
};

// ---------------------------------------------------------------------------------- system palette changes
class TuiSystemPaletteChangedNotifier;

// The shared hidden window that hears WM_SYSCOLORCHANGE; it lives while it has notifiers and holds the
// Office-2003 palette meanwhile.
class TuiSystemPaletteChangedListener : public TObject {
public:
    TuiSystemPaletteChangedListener();
    ~TuiSystemPaletteChangedListener() override;
    std::string ClassName() const override { return "TuiSystemPaletteChangedListener"; }

    void AddNotifier(TuiSystemPaletteChangedNotifier* ANotifier);
    void RemoveNotifier(TuiSystemPaletteChangedNotifier* ANotifier);
    HWND GetWindowHandle() const { return windowHandle_; }

private:
    void WndProc(TMessage& Message);
    HWND windowHandle_ = nullptr;
    std::vector<TuiSystemPaletteChangedNotifier*> primaryNotifiers_;
    std::vector<TuiSystemPaletteChangedNotifier*> notifiers_;
};

// The shared listener, nullptr when no notifier exists.
TuiSystemPaletteChangedListener* SystemPaletteChangedListener();

class TuiSystemPaletteChangedNotifier : public TObject {
public:
    explicit TuiSystemPaletteChangedNotifier(bool AIsPrimary = false);
    ~TuiSystemPaletteChangedNotifier() override;
    std::string ClassName() const override { return "TuiSystemPaletteChangedNotifier"; }

    virtual void DoChanged();
    bool IsPrimary() const { return isPrimary_; }

    std::function<void()> OnSystemPaletteChanged;

private:
    bool isPrimary_ = false;
};

// --------------------------------------------------------------------------------------------- look and feel
class TuiLookAndFeel : public TuiInterfacedPersistent,
                       public IuiLookAndFeelListener,
                       public IuiLookAndFeelPainterListener {
public:
    using TChangedEvent = std::function<void(TuiLookAndFeel* Sender, TuiLookAndFeelValues ChangedValues)>;

    explicit TuiLookAndFeel(TPersistent* AOwner);
    ~TuiLookAndFeel() override;
    std::string ClassName() const override { return "TuiLookAndFeel"; }

    void Assign(TPersistent* Source) override;
    // Stores "SkinName" also when an empty name is assigned (it overrides the master's).
    void DefineProperties(TFiler* Filer) override;

    // The effective values.
    TuiLookAndFeelKind GetKind() const { return kind_; }
    bool GetNativeStyle() const { return nativeStyle_; }
    const std::string& GetSkinName() const { return skinName_; }
    TuiLookAndFeelPainterClass GetSkinPainter() const { return skinPainter_; }
    // Assigning a value makes it local (added to AssignedValues) and reports it when the effective value
    // changed.
    void SetKind(TuiLookAndFeelKind Value);
    void SetNativeStyle(bool Value);
    void SetSkinName(const TubSkinName& Value);
    TuiLookAndFeelValues GetAssignedValues() const { return assignedValues_; }
    void SetAssignedValues(TuiLookAndFeelValues Value);
    // Every value follows the master again.
    void Reset();

    TuiLookAndFeel* GetMasterLookAndFeel() const { return masterLookAndFeel_; }
    // nullptr means the root. Ignored for the root itself, for this object and for the current master.
    void SetMasterLookAndFeel(TuiLookAndFeel* Value);
    bool IsRootLookAndFeel() const { return isRootLookAndFeel_; }

    TuiLookAndFeelPainterClass GetPainter() const { return painter_; }
    // The native (WinXP) painter when native style is on and the theme types are usable, else the skin
    // painter, else the kind's painter.
    TuiLookAndFeelPainterClass PainterForThemeKinds(TubThemeObjectKinds ThemedObjectTypes) const;
    TuiLookAndFeelPainterClass PainterForThemeKind(TubThemeObjectKind ThemedObjectType) const;

    // Change listeners: nil and duplicates are ignored; a controller is accepted only by the root.
    void AddChangeListener(IuiLookAndFeelListener* AListener);
    void RemoveChangeListener(IuiLookAndFeelListener* AListener);
    int ChangeListenerCount() const { return static_cast<int>(changeListenerList_.size()); }

    // IuiLookAndFeelListener
    TObject* GetObject() override { return this; }
    void MasterChanged(TuiLookAndFeel* Sender, TuiLookAndFeelValues ChangedValues) override;
    void MasterDestroying(TuiLookAndFeel* Sender) override;
    // IuiLookAndFeelPainterListener
    void PainterChanged() override;

    TChangedEvent OnChanged;

    // Makes this object the root (unit start-up).
    void MarkAsRoot() { isRootLookAndFeel_ = true; }

protected:
    virtual TuiLookAndFeelKind GetEffectiveKind() const;
    virtual bool GetEffectiveNativeStyle() const;
    virtual std::string GetEffectiveSkinName() const;
    virtual TuiLookAndFeelPainterClass GetEffectiveSkinPainter() const;
    virtual bool FindSkinPainter(const std::string& AName, TuiLookAndFeelPainterClass& APainter) const;
    virtual void SystemPaletteChanged();

    void Changed(TuiLookAndFeelValues AChangedValues);

private:
    struct TValues {
        TuiLookAndFeelKind Kind = lfUltraFlat;
        bool NativeStyle = false;
        std::string SkinName;
    };
    // The master whose values this one follows by default: its master, else the root (nullptr for the root).
    TuiLookAndFeel* DefaultSource() const;
    void SaveValues();
    void CheckValuesChanged();

    TuiLookAndFeelValues assignedValues_;
    std::vector<IuiLookAndFeelListener*> changeListenerList_;
    TuiLookAndFeelKind kind_ = lfUltraFlat;
    bool nativeStyle_ = false;
    std::string skinName_;
    TuiLookAndFeelPainterClass skinPainter_ = nullptr;
    TuiLookAndFeelPainterClass painter_ = nullptr;
    TValues data_;
    bool isDestroying_ = false;
    bool isRootLookAndFeel_ = false;
    TuiLookAndFeel* masterLookAndFeel_ = nullptr;
    TValues prevValues_;
    int controllerCount_ = 0;
    TuiSystemPaletteChangedNotifier* systemPaletteChangedNotifier_ = nullptr;
};

TuiLookAndFeel* GlobalRootLookAndFeel();

// ------------------------------------------------------------------------------------------------ controller
// A component on a form that sets the root look and feel; the root's values go back to the defaults when its
// last controller goes.
class TuiLookAndFeelController : public TComponent, public IuiLookAndFeelListener {
public:
    explicit TuiLookAndFeelController(TComponent* AOwner);
    ~TuiLookAndFeelController() override;
    std::string ClassName() const override { return "TuiLookAndFeelController"; }

    // Through the root; without one lfUltraFlat, false and empty, and writes do nothing.
    TuiLookAndFeelKind GetKind() const;
    void SetKind(TuiLookAndFeelKind Value);
    bool GetNativeStyle() const;
    void SetNativeStyle(bool Value);
    std::string GetSkinName() const;
    void SetSkinName(const TubSkinName& Value);

    TObject* GetObject() override { return this; }
    // The designer would mark the form modified; at run time nothing happens.
    void MasterChanged(TuiLookAndFeel* Sender, TuiLookAndFeelValues ChangedValues) override;
    void MasterDestroying(TuiLookAndFeel* Sender) override;
};

// Unit start-up: creates the root look and feel; shutdown frees it.
void uiLookAndFeelsStartup();
void uiLookAndFeelsShutdown();

// The unit's form classes: TuiLookAndFeel (stored inside the classes that own one, under "LookAndFeel") and
// TuiLookAndFeelController. A registered class owning a look and feel adds
//   .SubObject("LookAndFeel", "TuiLookAndFeel", [](C& c) -> TPersistent* { return c.LookAndFeel; })
// to its property table.
void RegisteruiLookAndFeelsClasses();

}  // namespace zel
