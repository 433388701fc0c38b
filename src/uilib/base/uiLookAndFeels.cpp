#include "uilib/base/uiLookAndFeels.h"

#include <algorithm>

#include "platform/win/Messages.h"
#include "platform/win/Windows.h"
#include "uilib/base/ubOffice11.h"
#include "uilib/base/uiLookAndFeelPainters.h"

namespace zel {

namespace {

TuiLookAndFeel* g_rootLookAndFeel = nullptr;
TuiSystemPaletteChangedListener* g_paletteListener = nullptr;
int g_paletteListenerUsers = 0;

constexpr TuiLookAndFeelValues kAllValues{lfvKind, lfvNativeStyle, lfvSkinName};

bool Contains(const std::vector<TuiSystemPaletteChangedNotifier*>& list, TuiSystemPaletteChangedNotifier* n) {
    return std::find(list.begin(), list.end(), n) != list.end();
}

}  // namespace

// ---------------------------------------------------------------------------- TuiSystemPaletteChangedListener
TuiSystemPaletteChangedListener::TuiSystemPaletteChangedListener() {
    AcquireOffice11Palette();
    FWindowHandle = AllocateHWnd([this](TMessage& Message) { WndProc(Message); });
}

TuiSystemPaletteChangedListener::~TuiSystemPaletteChangedListener() {
    if (FWindowHandle != nullptr) DeallocateHWnd(FWindowHandle);
    FWindowHandle = nullptr;
    ReleaseOffice11Palette();
}

void TuiSystemPaletteChangedListener::AddNotifier(TuiSystemPaletteChangedNotifier* ANotifier) {
    auto& list = ANotifier->IsPrimary() ? FPrimaryNotifiers : FNotifiers;
    if (!Contains(list, ANotifier)) list.push_back(ANotifier);
}

void TuiSystemPaletteChangedListener::RemoveNotifier(TuiSystemPaletteChangedNotifier* ANotifier) {
    std::erase(FPrimaryNotifiers, ANotifier);
    std::erase(FNotifiers, ANotifier);
}

void TuiSystemPaletteChangedListener::WndProc(TMessage& Message) {
    if (Message.Msg == WM_SYSCOLORCHANGE) {
        RebuildOffice11Palette();
        // Last to first, primary notifiers before the others; a notifier freed by an earlier one's handler is
        // skipped.
        for (auto* list : {&FPrimaryNotifiers, &FNotifiers}) {
            const std::vector<TuiSystemPaletteChangedNotifier*> snapshot = *list;
            for (auto it = snapshot.rbegin(); it != snapshot.rend(); ++it) {
                if (Contains(*list, *it)) (*it)->DoChanged();
            }
        }
    }
    Message.Result = DefWindowProc(FWindowHandle, Message.Msg, Message.WParam, Message.LParam);
}

TuiSystemPaletteChangedListener* SystemPaletteChangedListener() { return g_paletteListener; }

// ---------------------------------------------------------------------------- TuiSystemPaletteChangedNotifier
TuiSystemPaletteChangedNotifier::TuiSystemPaletteChangedNotifier(bool AIsPrimary) : FIsPrimary(AIsPrimary) {
    if (g_paletteListenerUsers++ == 0) g_paletteListener = new TuiSystemPaletteChangedListener();
    g_paletteListener->AddNotifier(this);
}

TuiSystemPaletteChangedNotifier::~TuiSystemPaletteChangedNotifier() {
    if (g_paletteListener == nullptr) return;
    g_paletteListener->RemoveNotifier(this);
    if (--g_paletteListenerUsers == 0) {
        delete g_paletteListener;
        g_paletteListener = nullptr;
    }
}

void TuiSystemPaletteChangedNotifier::DoChanged() {
    if (OnSystemPaletteChanged) OnSystemPaletteChanged();
}

// ------------------------------------------------------------------------------------------- TuiLookAndFeel
// The creation takes its values from the root; the virtual calls here resolve to this class's own versions,
// which is what a new object needs (a descendant's overrides answer from the same fields once it is built).
TuiLookAndFeel::TuiLookAndFeel(TPersistent* AOwner) : TuiInterfacedPersistent(AOwner) {
    FKind = FData.Kind;
    FNativeStyle = FData.NativeStyle;
    FSkinName = FData.SkinName;
    FSystemPaletteChangedNotifier = new TuiSystemPaletteChangedNotifier(false);
    FSystemPaletteChangedNotifier->OnSystemPaletteChanged = [this] { SystemPaletteChanged(); };
    if (g_rootLookAndFeel != nullptr) {
        g_rootLookAndFeel->AddChangeListener(this);
        FKind = g_rootLookAndFeel->GetKind();
        FNativeStyle = g_rootLookAndFeel->GetNativeStyle();
        FSkinName = g_rootLookAndFeel->GetSkinName();
        if (!FNativeStyle) FSkinPainter = g_rootLookAndFeel->GetSkinPainter();
    }
    FPainter = PainterForThemeKinds({});
    // Using an extra painter from the start: hear when it goes, as after any change.
    if (FSkinPainter != nullptr && ExtendedStylePainters() != nullptr) ExtendedStylePainters()->AddListener(this);
}

TuiLookAndFeel::~TuiLookAndFeel() {
    if (ExtendedStylePainters() != nullptr) ExtendedStylePainters()->RemoveListener(this);
    delete FSystemPaletteChangedNotifier;
    FSystemPaletteChangedNotifier = nullptr;
    FIsDestroying = true;
    // The followers let go of this object; the list stays as it is meanwhile.
    const std::vector<IuiLookAndFeelListener*> listeners = FChangeListenerList;
    for (IuiLookAndFeelListener* listener : listeners) listener->MasterDestroying(this);
    FChangeListenerList.clear();
    if (TuiLookAndFeel* source = DefaultSource()) source->RemoveChangeListener(this);
    if (FIsRootLookAndFeel && g_rootLookAndFeel == this) g_rootLookAndFeel = nullptr;
}

TuiLookAndFeel* TuiLookAndFeel::DefaultSource() const {
    if (FIsRootLookAndFeel) return nullptr;
    if (FMasterLookAndFeel != nullptr) return FMasterLookAndFeel;
    return g_rootLookAndFeel != this ? g_rootLookAndFeel : nullptr;
}

void TuiLookAndFeel::Assign(TPersistent* Source) {
    auto* source = dynamic_cast<TuiLookAndFeel*>(Source);
    if (source == nullptr) {
        TuiInterfacedPersistent::Assign(Source);
        return;
    }
    if (source == this) return;
    SaveValues();
    FData = source->FData;
    FAssignedValues = source->FAssignedValues;
    // Follow the source's master: leave the current one, join the new one (the root for none).
    TuiLookAndFeel* master = source->FMasterLookAndFeel == this ? nullptr : source->FMasterLookAndFeel;
    if (!FIsRootLookAndFeel && master != FMasterLookAndFeel) {
        if (TuiLookAndFeel* old = DefaultSource()) old->RemoveChangeListener(this);
        FMasterLookAndFeel = master;
        if (TuiLookAndFeel* now = DefaultSource()) now->AddChangeListener(this);
    }
    CheckValuesChanged();
}

TuiLookAndFeelKind TuiLookAndFeel::GetEffectiveKind() const {
    if (FAssignedValues.Contains(lfvKind)) return FData.Kind;
    const TuiLookAndFeel* source = DefaultSource();
    return source != nullptr ? source->GetKind() : lfUltraFlat;
}

bool TuiLookAndFeel::GetEffectiveNativeStyle() const {
    if (FAssignedValues.Contains(lfvNativeStyle)) return FData.NativeStyle;
    const TuiLookAndFeel* source = DefaultSource();
    return source != nullptr && source->GetNativeStyle();
}

std::string TuiLookAndFeel::GetEffectiveSkinName() const {
    if (FAssignedValues.Contains(lfvSkinName)) return FData.SkinName;
    const TuiLookAndFeel* source = DefaultSource();
    return source != nullptr ? source->GetSkinName() : std::string();
}

TuiLookAndFeelPainterClass TuiLookAndFeel::GetEffectiveSkinPainter() const {
    TuiLookAndFeelPainterClass painter = nullptr;
    if (FAssignedValues.Contains(lfvSkinName)) {
        FindSkinPainter(FData.SkinName, painter);
        return painter;
    }
    const TuiLookAndFeel* source = DefaultSource();
    if (source != nullptr) FindSkinPainter(source->GetSkinName(), painter);
    return painter;
}

bool TuiLookAndFeel::FindSkinPainter(const std::string& AName, TuiLookAndFeelPainterClass& APainter) const {
    if (AName.empty() || ExtendedStylePainters() == nullptr) return false;
    TuiLookAndFeelPainterClass found = nullptr;
    if (!ExtendedStylePainters()->GetPainterByName(AName, found)) return false;
    APainter = found;
    return true;
}

void TuiLookAndFeel::SystemPaletteChanged() { Changed({lfvNativeStyle}); }

void TuiLookAndFeel::SetKind(TuiLookAndFeelKind Value) {
    const TuiLookAndFeelKind previous = FKind;
    FAssignedValues.Include(lfvKind);
    FData.Kind = Value;
    if (GetEffectiveKind() != previous) Changed({lfvKind});
}

void TuiLookAndFeel::SetNativeStyle(bool Value) {
    const bool previous = FNativeStyle;
    FAssignedValues.Include(lfvNativeStyle);
    FData.NativeStyle = Value;
    if (GetEffectiveNativeStyle() != previous) Changed({lfvNativeStyle});
}

void TuiLookAndFeel::SetSkinName(const TubSkinName& Value) {
    const std::string previous = FSkinName;
    FAssignedValues.Include(lfvSkinName);
    FData.SkinName = Value;
    if (GetEffectiveSkinName() != previous) Changed({lfvSkinName});
}

void TuiLookAndFeel::SetAssignedValues(TuiLookAndFeelValues Value) {
    if (Value == FAssignedValues) return;
    SaveValues();
    FAssignedValues = Value;
    CheckValuesChanged();
}

void TuiLookAndFeel::Reset() { SetAssignedValues({}); }

void TuiLookAndFeel::SetMasterLookAndFeel(TuiLookAndFeel* Value) {
    if (FIsRootLookAndFeel || Value == this) return;
    TuiLookAndFeel* current = FMasterLookAndFeel != nullptr ? FMasterLookAndFeel : g_rootLookAndFeel;
    TuiLookAndFeel* wanted = Value != nullptr ? Value : g_rootLookAndFeel;
    if (wanted == current) return;
    SaveValues();
    if (current != nullptr) current->RemoveChangeListener(this);
    FMasterLookAndFeel = Value;
    if (wanted != nullptr) wanted->AddChangeListener(this);
    CheckValuesChanged();
}

TuiLookAndFeelPainterClass TuiLookAndFeel::PainterForThemeKinds(TubThemeObjectKinds ThemedObjectTypes) const {
    if (FNativeStyle && VisualStylesUsable(ThemedObjectTypes)) return PainterClass<TuiWinXPLookAndFeelPainter>();
    if (FSkinPainter != nullptr) return FSkinPainter;
    return LookAndFeelPainterClass(FKind);
}

TuiLookAndFeelPainterClass TuiLookAndFeel::PainterForThemeKind(TubThemeObjectKind ThemedObjectType) const {
    if (FNativeStyle && IsThemeObjectKindAvailable(ThemedObjectType)) return PainterClass<TuiWinXPLookAndFeelPainter>();
    if (FSkinPainter != nullptr) return FSkinPainter;
    return LookAndFeelPainterClass(FKind);
}

void TuiLookAndFeel::AddChangeListener(IuiLookAndFeelListener* AListener) {
    if (AListener == nullptr) return;
    if (std::find(FChangeListenerList.begin(), FChangeListenerList.end(), AListener) != FChangeListenerList.end())
        return;
    if (dynamic_cast<TuiLookAndFeelController*>(AListener->GetObject()) != nullptr) {
        if (!FIsRootLookAndFeel) return;
        ++FControllerCount;
    }
    FChangeListenerList.push_back(AListener);
}

void TuiLookAndFeel::RemoveChangeListener(IuiLookAndFeelListener* AListener) {
    if (FIsDestroying) return;
    const auto it = std::find(FChangeListenerList.begin(), FChangeListenerList.end(), AListener);
    if (it == FChangeListenerList.end()) return;
    FChangeListenerList.erase(it);
    if (FIsRootLookAndFeel && dynamic_cast<TuiLookAndFeelController*>(AListener->GetObject()) != nullptr) {
        if (--FControllerCount == 0) Reset();
    }
}

void TuiLookAndFeel::MasterChanged(TuiLookAndFeel* /*Sender*/, TuiLookAndFeelValues ChangedValues) {
    Changed(ChangedValues - FAssignedValues);
}

void TuiLookAndFeel::MasterDestroying(TuiLookAndFeel* /*Sender*/) { SetMasterLookAndFeel(nullptr); }

void TuiLookAndFeel::PainterChanged() { Changed(kAllValues); }

void TuiLookAndFeel::Changed(TuiLookAndFeelValues AChangedValues) {
    if (AChangedValues.Empty() || FIsDestroying) return;
    FKind = GetEffectiveKind();
    FNativeStyle = GetEffectiveNativeStyle();
    FSkinName = GetEffectiveSkinName();
    FSkinPainter = nullptr;
    if (!FNativeStyle) FSkinPainter = GetEffectiveSkinPainter();
    FPainter = PainterForThemeKinds({});
    if (ExtendedStylePainters() != nullptr) {
        if (FSkinPainter != nullptr) ExtendedStylePainters()->AddListener(this);
        else ExtendedStylePainters()->RemoveListener(this);
    }
    // A listener may leave the list during its call: the index then stays on the next one.
    std::size_t i = 0;
    while (i < FChangeListenerList.size()) {
        IuiLookAndFeelListener* listener = FChangeListenerList[i];
        listener->MasterChanged(this, AChangedValues);
        if (i < FChangeListenerList.size() && FChangeListenerList[i] == listener) ++i;
    }
    if (OnChanged) OnChanged(this, AChangedValues);
}

void TuiLookAndFeel::SaveValues() {
    FPrevValues.Kind = FKind;
    FPrevValues.NativeStyle = FNativeStyle;
    FPrevValues.SkinName = FSkinName;
}

void TuiLookAndFeel::CheckValuesChanged() {
    TuiLookAndFeelValues changed;
    if (GetEffectiveKind() != FPrevValues.Kind) changed.Include(lfvKind);
    if (GetEffectiveNativeStyle() != FPrevValues.NativeStyle) changed.Include(lfvNativeStyle);
    if (GetEffectiveSkinName() != FPrevValues.SkinName) changed.Include(lfvSkinName);
    Changed(changed);
}

TuiLookAndFeel* GlobalRootLookAndFeel() { return g_rootLookAndFeel; }

// -------------------------------------------------------------------------------- TuiLookAndFeelController
TuiLookAndFeelController::TuiLookAndFeelController(TComponent* AOwner) : TComponent(AOwner) {
    if (g_rootLookAndFeel != nullptr) g_rootLookAndFeel->AddChangeListener(this);
}

TuiLookAndFeelController::~TuiLookAndFeelController() {
    if (g_rootLookAndFeel != nullptr) g_rootLookAndFeel->RemoveChangeListener(this);
}

TuiLookAndFeelKind TuiLookAndFeelController::GetKind() const {
    return g_rootLookAndFeel != nullptr ? g_rootLookAndFeel->GetKind() : lfUltraFlat;
}

void TuiLookAndFeelController::SetKind(TuiLookAndFeelKind Value) {
    if (g_rootLookAndFeel != nullptr) g_rootLookAndFeel->SetKind(Value);
}

bool TuiLookAndFeelController::GetNativeStyle() const {
    return g_rootLookAndFeel != nullptr && g_rootLookAndFeel->GetNativeStyle();
}

void TuiLookAndFeelController::SetNativeStyle(bool Value) {
    if (g_rootLookAndFeel != nullptr) g_rootLookAndFeel->SetNativeStyle(Value);
}

std::string TuiLookAndFeelController::GetSkinName() const {
    return g_rootLookAndFeel != nullptr ? g_rootLookAndFeel->GetSkinName() : std::string();
}

void TuiLookAndFeelController::SetSkinName(const TubSkinName& Value) {
    if (g_rootLookAndFeel != nullptr) g_rootLookAndFeel->SetSkinName(Value);
}

void TuiLookAndFeelController::MasterChanged(TuiLookAndFeel* /*Sender*/, TuiLookAndFeelValues /*ChangedValues*/) {}

void TuiLookAndFeelController::MasterDestroying(TuiLookAndFeel* /*Sender*/) {}

// ------------------------------------------------------------------------------------- unit start-up
void uiLookAndFeelsStartup() {
    if (g_rootLookAndFeel != nullptr) return;
    auto* root = new TuiLookAndFeel(nullptr);
    root->MarkAsRoot();
    g_rootLookAndFeel = root;
}

void uiLookAndFeelsShutdown() {
    TuiLookAndFeel* root = g_rootLookAndFeel;
    delete root;
    g_rootLookAndFeel = nullptr;
}

}  // namespace zel
