#include "uilib/base/uiLookAndFeels.h"

#include <algorithm>

#include "platform/rtl/Filer.h"
#include "platform/vcl/FormReader.h"
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
    windowHandle_ = AllocateHWnd([this](TMessage& Message) { WndProc(Message); });
}

TuiSystemPaletteChangedListener::~TuiSystemPaletteChangedListener() {
    if (windowHandle_ != nullptr) DeallocateHWnd(windowHandle_);
    windowHandle_ = nullptr;
    ReleaseOffice11Palette();
}

void TuiSystemPaletteChangedListener::AddNotifier(TuiSystemPaletteChangedNotifier* ANotifier) {
    auto& list = ANotifier->IsPrimary() ? primaryNotifiers_ : notifiers_;
    if (!Contains(list, ANotifier)) list.push_back(ANotifier);
}

void TuiSystemPaletteChangedListener::RemoveNotifier(TuiSystemPaletteChangedNotifier* ANotifier) {
    std::erase(primaryNotifiers_, ANotifier);
    std::erase(notifiers_, ANotifier);
}

void TuiSystemPaletteChangedListener::WndProc(TMessage& Message) {
    if (Message.Msg == WM_SYSCOLORCHANGE) {
        RebuildOffice11Palette();
        // Last to first, primary notifiers before the others; a notifier freed by an earlier one's handler is
        // skipped.
        for (auto* list : {&primaryNotifiers_, &notifiers_}) {
            const std::vector<TuiSystemPaletteChangedNotifier*> snapshot = *list;
            for (auto it = snapshot.rbegin(); it != snapshot.rend(); ++it) {
                if (Contains(*list, *it)) (*it)->DoChanged();
            }
        }
    }
    Message.Result = DefWindowProc(windowHandle_, Message.Msg, Message.WParam, Message.LParam);
}

TuiSystemPaletteChangedListener* SystemPaletteChangedListener() { return g_paletteListener; }

// ---------------------------------------------------------------------------- TuiSystemPaletteChangedNotifier
TuiSystemPaletteChangedNotifier::TuiSystemPaletteChangedNotifier(bool AIsPrimary) : isPrimary_(AIsPrimary) {
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
    kind_ = data_.Kind;
    nativeStyle_ = data_.NativeStyle;
    skinName_ = data_.SkinName;
    systemPaletteChangedNotifier_ = new TuiSystemPaletteChangedNotifier(false);
    systemPaletteChangedNotifier_->OnSystemPaletteChanged = [this] { SystemPaletteChanged(); };
    if (g_rootLookAndFeel != nullptr) {
        g_rootLookAndFeel->AddChangeListener(this);
        kind_ = g_rootLookAndFeel->GetKind();
        nativeStyle_ = g_rootLookAndFeel->GetNativeStyle();
        skinName_ = g_rootLookAndFeel->GetSkinName();
        if (!nativeStyle_) skinPainter_ = g_rootLookAndFeel->GetSkinPainter();
    }
    painter_ = PainterForThemeKinds({});
    // Using an extra painter from the start: hear when it goes, as after any change.
    if (skinPainter_ != nullptr && ExtendedStylePainters() != nullptr) ExtendedStylePainters()->AddListener(this);
}

TuiLookAndFeel::~TuiLookAndFeel() {
    if (ExtendedStylePainters() != nullptr) ExtendedStylePainters()->RemoveListener(this);
    delete systemPaletteChangedNotifier_;
    systemPaletteChangedNotifier_ = nullptr;
    isDestroying_ = true;
    // The followers let go of this object; the list stays as it is meanwhile.
    const std::vector<IuiLookAndFeelListener*> listeners = changeListenerList_;
    for (IuiLookAndFeelListener* listener : listeners) listener->MasterDestroying(this);
    changeListenerList_.clear();
    if (TuiLookAndFeel* source = DefaultSource()) source->RemoveChangeListener(this);
    if (isRootLookAndFeel_ && g_rootLookAndFeel == this) g_rootLookAndFeel = nullptr;
}

TuiLookAndFeel* TuiLookAndFeel::DefaultSource() const {
    if (isRootLookAndFeel_) return nullptr;
    if (masterLookAndFeel_ != nullptr) return masterLookAndFeel_;
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
    data_ = source->data_;
    assignedValues_ = source->assignedValues_;
    // Follow the source's master: leave the current one, join the new one (the root for none).
    TuiLookAndFeel* master = source->masterLookAndFeel_ == this ? nullptr : source->masterLookAndFeel_;
    if (!isRootLookAndFeel_ && master != masterLookAndFeel_) {
        if (TuiLookAndFeel* old = DefaultSource()) old->RemoveChangeListener(this);
        masterLookAndFeel_ = master;
        if (TuiLookAndFeel* now = DefaultSource()) now->AddChangeListener(this);
    }
    CheckValuesChanged();
}

TuiLookAndFeelKind TuiLookAndFeel::GetEffectiveKind() const {
    if (assignedValues_.Contains(lfvKind)) return data_.Kind;
    const TuiLookAndFeel* source = DefaultSource();
    return source != nullptr ? source->GetKind() : lfUltraFlat;
}

bool TuiLookAndFeel::GetEffectiveNativeStyle() const {
    if (assignedValues_.Contains(lfvNativeStyle)) return data_.NativeStyle;
    const TuiLookAndFeel* source = DefaultSource();
    return source != nullptr && source->GetNativeStyle();
}

std::string TuiLookAndFeel::GetEffectiveSkinName() const {
    if (assignedValues_.Contains(lfvSkinName)) return data_.SkinName;
    const TuiLookAndFeel* source = DefaultSource();
    return source != nullptr ? source->GetSkinName() : std::string();
}

TuiLookAndFeelPainterClass TuiLookAndFeel::GetEffectiveSkinPainter() const {
    TuiLookAndFeelPainterClass painter = nullptr;
    if (assignedValues_.Contains(lfvSkinName)) {
        FindSkinPainter(data_.SkinName, painter);
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
    const TuiLookAndFeelKind previous = kind_;
    assignedValues_.Include(lfvKind);
    data_.Kind = Value;
    if (GetEffectiveKind() != previous) Changed({lfvKind});
}

void TuiLookAndFeel::SetNativeStyle(bool Value) {
    const bool previous = nativeStyle_;
    assignedValues_.Include(lfvNativeStyle);
    data_.NativeStyle = Value;
    if (GetEffectiveNativeStyle() != previous) Changed({lfvNativeStyle});
}

void TuiLookAndFeel::SetSkinName(const TubSkinName& Value) {
    const std::string previous = skinName_;
    assignedValues_.Include(lfvSkinName);
    data_.SkinName = Value;
    if (GetEffectiveSkinName() != previous) Changed({lfvSkinName});
}

void TuiLookAndFeel::SetAssignedValues(TuiLookAndFeelValues Value) {
    if (Value == assignedValues_) return;
    SaveValues();
    assignedValues_ = Value;
    CheckValuesChanged();
}

void TuiLookAndFeel::Reset() { SetAssignedValues({}); }

void TuiLookAndFeel::SetMasterLookAndFeel(TuiLookAndFeel* Value) {
    if (isRootLookAndFeel_ || Value == this) return;
    TuiLookAndFeel* current = masterLookAndFeel_ != nullptr ? masterLookAndFeel_ : g_rootLookAndFeel;
    TuiLookAndFeel* wanted = Value != nullptr ? Value : g_rootLookAndFeel;
    if (wanted == current) return;
    SaveValues();
    if (current != nullptr) current->RemoveChangeListener(this);
    masterLookAndFeel_ = Value;
    if (wanted != nullptr) wanted->AddChangeListener(this);
    CheckValuesChanged();
}

TuiLookAndFeelPainterClass TuiLookAndFeel::PainterForThemeKinds(TubThemeObjectKinds ThemedObjectTypes) const {
    if (nativeStyle_ && VisualStylesUsable(ThemedObjectTypes)) return PainterClass<TuiWinXPLookAndFeelPainter>();
    if (skinPainter_ != nullptr) return skinPainter_;
    return LookAndFeelPainterClass(kind_);
}

TuiLookAndFeelPainterClass TuiLookAndFeel::PainterForThemeKind(TubThemeObjectKind ThemedObjectType) const {
    if (nativeStyle_ && IsThemeObjectKindAvailable(ThemedObjectType)) return PainterClass<TuiWinXPLookAndFeelPainter>();
    if (skinPainter_ != nullptr) return skinPainter_;
    return LookAndFeelPainterClass(kind_);
}

void TuiLookAndFeel::AddChangeListener(IuiLookAndFeelListener* AListener) {
    if (AListener == nullptr) return;
    if (std::find(changeListenerList_.begin(), changeListenerList_.end(), AListener) != changeListenerList_.end())
        return;
    if (dynamic_cast<TuiLookAndFeelController*>(AListener->GetObject()) != nullptr) {
        if (!isRootLookAndFeel_) return;
        ++controllerCount_;
    }
    changeListenerList_.push_back(AListener);
}

void TuiLookAndFeel::RemoveChangeListener(IuiLookAndFeelListener* AListener) {
    if (isDestroying_) return;
    const auto it = std::find(changeListenerList_.begin(), changeListenerList_.end(), AListener);
    if (it == changeListenerList_.end()) return;
    changeListenerList_.erase(it);
    if (isRootLookAndFeel_ && dynamic_cast<TuiLookAndFeelController*>(AListener->GetObject()) != nullptr) {
        if (--controllerCount_ == 0) Reset();
    }
}

void TuiLookAndFeel::MasterChanged(TuiLookAndFeel* /*Sender*/, TuiLookAndFeelValues ChangedValues) {
    Changed(ChangedValues - assignedValues_);
}

void TuiLookAndFeel::MasterDestroying(TuiLookAndFeel* /*Sender*/) { SetMasterLookAndFeel(nullptr); }

void TuiLookAndFeel::PainterChanged() { Changed(kAllValues); }

void TuiLookAndFeel::Changed(TuiLookAndFeelValues AChangedValues) {
    if (AChangedValues.Empty() || isDestroying_) return;
    kind_ = GetEffectiveKind();
    nativeStyle_ = GetEffectiveNativeStyle();
    skinName_ = GetEffectiveSkinName();
    skinPainter_ = nullptr;
    if (!nativeStyle_) skinPainter_ = GetEffectiveSkinPainter();
    painter_ = PainterForThemeKinds({});
    if (ExtendedStylePainters() != nullptr) {
        if (skinPainter_ != nullptr) ExtendedStylePainters()->AddListener(this);
        else ExtendedStylePainters()->RemoveListener(this);
    }
    // A listener may leave the list during its call: the index then stays on the next one.
    std::size_t i = 0;
    while (i < changeListenerList_.size()) {
        IuiLookAndFeelListener* listener = changeListenerList_[i];
        listener->MasterChanged(this, AChangedValues);
        if (i < changeListenerList_.size() && changeListenerList_[i] == listener) ++i;
    }
    if (OnChanged) OnChanged(this, AChangedValues);
}

void TuiLookAndFeel::SaveValues() {
    prevValues_.Kind = kind_;
    prevValues_.NativeStyle = nativeStyle_;
    prevValues_.SkinName = skinName_;
}

void TuiLookAndFeel::CheckValuesChanged() {
    TuiLookAndFeelValues changed;
    if (GetEffectiveKind() != prevValues_.Kind) changed.Include(lfvKind);
    if (GetEffectiveNativeStyle() != prevValues_.NativeStyle) changed.Include(lfvNativeStyle);
    if (GetEffectiveSkinName() != prevValues_.SkinName) changed.Include(lfvSkinName);
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

// ------------------------------------------------------------------------------------------------ streaming

void TuiLookAndFeel::DefineProperties(TFiler* Filer) {
    Filer->DefineProperty(
        "SkinName", [this](TReader& Reader) { SetSkinName(Reader.ReadString()); },
        [this](TWriter& Writer) { Writer.WriteString(GetSkinName()); },
        assignedValues_.Contains(lfvSkinName) && GetSkinName().empty());
}

namespace {

const std::vector<std::pair<std::string, TuiLookAndFeelKind>> kKindNames = {
    {"lfFlat", lfFlat}, {"lfStandard", lfStandard}, {"lfUltraFlat", lfUltraFlat}, {"lfOffice11", lfOffice11}};
const std::vector<std::pair<std::string, TuiLookAndFeelValue>> kValueNames = {
    {"lfvKind", lfvKind}, {"lfvNativeStyle", lfvNativeStyle}, {"lfvSkinName", lfvSkinName}};

}  // namespace

void RegisteruiLookAndFeelsClasses() {
    using L = TuiLookAndFeel;
    RegisterPersistent<L>("TuiLookAndFeel", "")
        .Custom(
            "AssignedValues",
            [](L& l, const TFormValue& v, TReadContext& ctx) { l.SetAssignedValues(ReadSet(v, ctx, kValueNames)); },
            [](L& l) {
                std::vector<std::string> items;
                for (const auto& [name, value] : kValueNames)
                    if (l.GetAssignedValues().Contains(value)) items.push_back(name);
                return SetValue(items);
            })
        .Default(SetValue({}))
        .Enum<TuiLookAndFeelKind>(
            "Kind", kKindNames, [](L& l, TuiLookAndFeelKind v) { l.SetKind(v); }, [](L& l) { return l.GetKind(); })
        .Stored([](L& l) { return l.GetAssignedValues().Contains(lfvKind); })
        .Bool(
            "NativeStyle", [](L& l, bool v) { l.SetNativeStyle(v); }, [](L& l) { return l.GetNativeStyle(); })
        .Stored([](L& l) { return l.GetAssignedValues().Contains(lfvNativeStyle); })
        .Str(
            "SkinName", [](L& l, const std::string& v) { l.SetSkinName(v); }, [](L& l) { return l.GetSkinName(); })
        .DefaultText("")
        .Stored([](L& l) { return l.GetAssignedValues().Contains(lfvSkinName); });

    using C = TuiLookAndFeelController;
    RegisterComponent<C>("TuiLookAndFeelController", "TComponent")
        .Enum<TuiLookAndFeelKind>(
            "Kind", kKindNames, [](C& c, TuiLookAndFeelKind v) { c.SetKind(v); }, [](C& c) { return c.GetKind(); })
        .DefaultIdent("lfUltraFlat")
        .Bool(
            "NativeStyle", [](C& c, bool v) { c.SetNativeStyle(v); }, [](C& c) { return c.GetNativeStyle(); })
        .Default(false)
        .Str(
            "SkinName", [](C& c, const std::string& v) { c.SetSkinName(v); }, [](C& c) { return c.GetSkinName(); })
        .DefaultText("");
}

}  // namespace zel
