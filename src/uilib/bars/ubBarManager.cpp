#include "uilib/bars/ubBarManager.h"
#include "uilib/bars/ubBarHooks.h"

#include <algorithm>
#include <memory>

#include "platform/rtl/ScopeExit.h"
#include "platform/vcl/FormReader.h"
#include "platform/vcl/ImgList.h"
#include "platform/win/SysInfo.h"
#include "uilib/bars/ubBarCommandItems.h"
#include "uilib/bars/ubBarCompanions.h"
#include "uilib/bars/ubBarConsts.h"
#include "uilib/bars/ubBarControlBase.h"
#include "uilib/bars/ubBarCustForm.h"
#include "uilib/bars/ubBarDesigner.h"
#include "uilib/bars/ubBarDockControl.h"
#include "uilib/bars/ubBarDraw.h"
#include "uilib/bars/ubBarHint.h"
#include "uilib/bars/ubBarItem.h"
#include "uilib/bars/ubBarItemLinks.h"
#include "uilib/bars/ubBarPopupMenu.h"
#include "uilib/bars/ubBarPopupMenuLinks.h"
#include "uilib/bars/ubBarSubItem.h"
#include "uilib/bars/ubBarToolbarControl.h"
#include "uilib/bars/ubBarToolbarsPopup.h"
#include "uilib/bars/ubBarUnit.h"
#include "uilib/bars/ubBars.h"
#include "uilib/base/ubOffice11.h"
#include "uilib/base/ubThemeManager.h"
#include "uilib/base/uiClasses.h"

namespace zel {

namespace {

// The owner a manager takes: nullptr means the main form; anything but a form, or a form that has a manager
// already, is refused before the manager exists.
TComponent* CheckedOwner(TComponent* AOwner) {
    if (AOwner == nullptr) AOwner = Application->MainForm;
    auto* form = dynamic_cast<TCustomForm*>(AOwner);
    if (form == nullptr) throw Exception(LoadLibraryString(&ubSubBarManagerBadOwner));
    if (ManagerOfForm(form) != nullptr) throw Exception(LoadLibraryString(&ubSubBarManagerMoreThanOne));
    return AOwner;
}

TColor ScaleChannels(TColor AColor, int ANumerator, int ADenominator) {
    const COLORREF c = ColorToRGB(AColor);
    return static_cast<TColor>(RGB(GetRValue(c) * ANumerator / ADenominator, GetGValue(c) * ANumerator / ADenominator,
                                   GetBValue(c) * ANumerator / ADenominator));
}

TColor LightenChannels(TColor AColor, int APercent) {
    const COLORREF c = ColorToRGB(AColor);
    auto lighten = [APercent](int v) { return v + (255 - v) * APercent / 100; };
    return static_cast<TColor>(RGB(lighten(GetRValue(c)), lighten(GetGValue(c)), lighten(GetBValue(c))));
}

}  // namespace

int DerivedFontHeight(int AIconTitleHeight) { return AIconTitleHeight >= -10 ? -11 : AIconTitleHeight; }

// ---- creation and destruction ------------------------------------------------------------------------------

TubBarManager::TubBarManager(TComponent* AOwner) : TComponent(CheckedOwner(AOwner)) {
    form_ = static_cast<TCustomForm*>(GetOwner());
    designing_ = form_->ComponentState().Contains(csDesigning);

    if (TubBarManagerList* list = BarManagerList()) {
        if (list->Count() == 0) PrimeSound();
        list->Add(this);
    }
    if (!designing_) CreateSharedHintWindow();
    InstallBarHooks();

    backgrounds_ = new TubBarBackgrounds(this);
    ComputeLook();
    created_ = true;
    categories_ = new TubBarManagerCategories(this);
    if (!form_->ComponentState().Contains(csLoading)) categories_->Add(LoadLibraryString(&ubSubDefaultCategoryName));
    bars_ = new TubBars(this);
    font_ = new TFont;
    font_->OnChange = [this](TObject* Sender) { FontChanged(Sender); };
    helpButtonGlyph_ = new TBitmap;
    for (int kind = 0; kind < ubBarImageListKindCount; ++kind) {
        imageChangeLinks_[kind] = new TChangeLink;
        imageChangeLinks_[kind]->OnChange = [this, kind](TObject*) {
            ImageListChanged(static_cast<TubBarImageListKind>(kind));
        };
    }
    themeNotificator_ = new TubThemeChangedNotificator;
    themeNotificator_->OnThemeChanged = [this] { StyleChanged(); };

    ComputeRecentUseStep();
    popupMenuLinks_ = new TubBarPopupMenuLinks(this);
    ComputeSizes();
    lookAndFeel_ = new TuiLookAndFeel(this);
    lookAndFeel_->OnChanged = [this](TuiLookAndFeel* Sender, TuiLookAndFeelValues Values) {
        LookAndFeelChanged(Sender, Values);
    };
    SetUseSystemFont(true);
    CreateColorResources();
}

TubBarManager::~TubBarManager() {
    // A drag loop that runs meanwhile stops touching the manager.
    ClearLinksToObject(this);
    // The quick popup kept open last goes while its bars and items are still whole.
    FreeQuickPopupOf(this);
    // A customizing form open for this manager goes with it: nothing is left pointing at the manager.
    if (CustomizingFormOpen) {
        customizing_ = false;
        ShowCustomizingForm(this, false);
    }
    // The popup menus outliving the manager forget it (and the items it frees).
    while (!popupMenus_.empty()) {
        TubBarPopupMenu* menu = popupMenus_.back();
        popupMenus_.pop_back();
        menu->ManagerGone();
    }
    lookAndFeel_->OnChanged = nullptr;
    delete lookAndFeel_;
    lookAndFeel_ = nullptr;
    delete themeNotificator_;
    themeNotificator_ = nullptr;
    StopHintOf(this);
    // Customizing ends with the manager: its customizing form goes first, so that nothing keeps the freed manager.
    if (TubBarCustomizingForm* open = GetCustomizingForm(); open != nullptr && open->BarManager() == this)
        ShowCustomizingForm(this, false);
    customizing_ = false;
    ReleaseColorResources();
    for (TChangeLink*& link : imageChangeLinks_) FreeAndNil(link);
    delete helpButtonGlyph_;
    helpButtonGlyph_ = nullptr;
    while (groups_.Count() > 0) delete groups_.Last();
    font_->OnChange = nullptr;
    delete font_;
    font_ = nullptr;
    if (derivedFont_ != nullptr) DeleteObject(derivedFont_);
    derivedFont_ = nullptr;
    delete bars_;
    bars_ = nullptr;
    while (items_.Count() > 0) delete items_.Last();
    if (TubBarManagerList* list = BarManagerList()) list->Remove(this);
    if (BarManagerList() == nullptr || BarManagerList()->Count() == 0) {
        RemoveBarHooks();
        FreeSharedHintWindow();
    }
    delete categories_;
    categories_ = nullptr;
    delete popupMenuLinks_;
    popupMenuLinks_ = nullptr;
    delete backgrounds_;
    backgrounds_ = nullptr;
    FreeObjectLink(systemMenuItem_);
    FreeObjectLink(mergedManager_);
}

// ---- streaming ---------------------------------------------------------------------------------------------

void TubBarManager::ReadState() { ++readStateCount_; }

void TubBarManager::Loaded() {
    TComponent::Loaded();
    if (updateLock_) return;
    bars_->Loading = true;
    for (TubBarItem* item : std::vector<TubBarItem*>(items_.begin(), items_.end())) {
        if (auto* sub = dynamic_cast<TCustomubBarSubItem*>(item)) sub->GetItemLinks()->ApplyAfterLoading(true);
        item->ApplyLoadedVisible();
    }
    for (int i = 0; i < bars_->Count(); ++i) bars_->Items(i)->ApplyLoadedState();
    bars_->Loading = false;
    // The bar windows placed from their stored rows are laid out together.
    for (int i = 0; i < dockControls_.Count(); ++i) dockControls_.Items(i)->UpdateLayout();
    categories_->ApplyLoadedItemsVisibles();
    RestoreLayout();
}

TubBar* TubBarManager::FindBarByCaption(const std::string& ACaption) const {
    for (int i = 0; i < bars_->Count(); ++i)
        if (bars_->Items(i)->GetCaption() == ACaption) return bars_->Items(i);
    return nullptr;
}

TubBar* TubBarManager::FindBarByName(const std::string& AName) const {
    for (int i = 0; i < bars_->Count(); ++i)
        if (bars_->Items(i)->Name == AName) return bars_->Items(i);
    return nullptr;
}

void TubBarManager::DoBarDockingStyleChange(TubBar* ABar) {
    if (bars_->Loading) return;
    if (OnBarDockingStyleChange) OnBarDockingStyleChange(this, ABar);
    NotifyDesigner();
}

void TubBarManager::DoBarClose(TubBar* ABar) {
    if (OnBarClose) OnBarClose(this, ABar);
}

bool TubBarManager::CanDock(TubBar* ABar, TubBarDockingStyle AStyle, TubDockControl* ADockControl) {
    bool result = !ABar->GetNotDocking().Contains(AStyle);
    if (result) {
        if (ADockControl == nullptr || ADockControl->IsSideDock()) result = !notDocking_.Contains(AStyle);
        else result = ADockControl->AcceptsBar(ABar);
    }
    if (OnDocking) OnDocking(ABar, AStyle, ADockControl, result);
    return result;
}

void TubBarManager::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (popupMenuLinks_ != nullptr) popupMenuLinks_->ComponentRemoved(AComponent);
    for (TCustomImageList*& list : imageLists_)
        if (list == AComponent) list = nullptr;
}

void TubBarManager::SetImageList(TubBarImageListKind Kind, TCustomImageList* Value) {
    TCustomImageList*& list = imageLists_[Kind];
    if (list == Value) return;
    if (list != nullptr) list->UnRegisterChanges(imageChangeLinks_[Kind]);
    list = Value;
    if (list != nullptr) {
        list->RegisterChanges(imageChangeLinks_[Kind]);
        list->FreeNotification(this);
    }
    if (Kind == ilkLargeImages && largeIcons_ && useLargeImagesForLargeIcons_) {
        ComputeSizes();
        NotifyDesigner();
    }
    ImageListChanged(Kind);
}

void TubBarManager::ImageListChanged(TubBarImageListKind Kind) {
    const TComponentState state = ComponentState();
    if (state.Contains(csLoading) || state.Contains(csDestroying)) return;
    TubBarUpdateLock lock(this);
    for (TubBarItem* item : items_) {
        bool shows = false;
        switch (Kind) {
            case ilkImages:
            case ilkDisabledImages: shows = item->GetImageIndex() >= 0; break;
            case ilkHotImages: shows = item->UsesHotImages(); break;
            case ilkLargeImages:
            case ilkDisabledLargeImages: shows = item->UsesLargeImages(); break;
        }
        if (shows) item->RefreshImage();
    }
}

void TubBarManager::FillToolbarsPopup(TubBarItemLinks* ALinks) {
    for (int i = 0; i < bars_->Count(); ++i) {
        TubBar* bar = bars_->Items(i);
        if (bar->GetHidden()) continue;
        auto* entry = new TubBarButton(Form());
        TemporaryItems().Add(entry);
        entry->SetCaption(bar->GetCaption());
        entry->Tag = i;
        entry->SetButtonStyle(bsChecked);
        entry->SetDown(bar->GetVisible());
        // The entry toggles the bar it was made for, found again by a weak link: a bar freed meanwhile (and
        // any bar now at its index) is left alone.
        const std::shared_ptr<TuiObjectLink> target = CreateSharedObjectLink(bar);
        entry->OnClick = [target](TObject*) {
            if (auto* b = dynamic_cast<TubBar*>(target->Ref)) b->SetVisible(!b->GetVisible());
        };
        ALinks->Add()->SetItem(entry);
    }
    AddCustomizeItem(ALinks, true);
    if (OnShowToolbarsPopup) OnShowToolbarsPopup(this, ALinks);
}

void TubBarManager::AddCustomizeItem(TubBarItemLinks* ALinks, bool ABeginGroup, TubBarButtonMaker AMake) {
    if (!CanCustomize) return;
    TubBarButton* entry = AMake != nullptr ? AMake(Form()) : new TubBarButton(Form());
    TemporaryItems().Add(entry);
    entry->SetCaption(LoadLibraryString(&ubSubCustomizeItem));
    entry->SetEnabled(!CustomizingFormOpen);
    entry->Tag = 1000;
    entry->OnClick = [this](TObject*) { SetCustomizing(true); };
    TubBarItemLink* link = ALinks->Add();
    link->SetItem(entry);
    link->BeginGroup = ABeginGroup;
}

void TubBarManager::AddPopupMenu(TubBarPopupMenu* AMenu) {
    if (AMenu != nullptr && std::find(popupMenus_.begin(), popupMenus_.end(), AMenu) == popupMenus_.end())
        popupMenus_.push_back(AMenu);
}

void TubBarManager::RemovePopupMenu(TubBarPopupMenu* AMenu) {
    popupMenus_.erase(std::remove(popupMenus_.begin(), popupMenus_.end(), AMenu), popupMenus_.end());
}

bool TubBarManager::AnyPopupMenuShowing() const {
    return std::any_of(popupMenus_.begin(), popupMenus_.end(), [](const TubBarPopupMenu* m) { return m->IsOpen(); });
}

void TubBarManager::SetPopupMenuLinks(TubBarPopupMenuLinks* Value) { popupMenuLinks_->Assign(Value); }

void TubBarManager::GetChildren(const TGetChildProc& Proc, TComponent* Root) {
    for (TubBarItem* item : items_)
        if (item->GetOwner() == Root && item->GetCategory() >= 0) Proc(item);
    for (TubBarGroup* group : groups_)
        if (group->GetOwner() == Root) Proc(group);
}

void TubBarManager::ChangeName(const std::string& NewName) {
    const std::string oldName = GetName();
    TComponent::ChangeName(NewName);
    if (!designing_ || oldName.empty() || form_ == nullptr) return;
    for (int i = 0; i < form_->ComponentCount(); ++i) {
        auto* item = dynamic_cast<TubBarItem*>(form_->Components(i));
        if (item == nullptr) continue;
        const std::string& name = item->GetName();
        if (name.size() <= oldName.size() || !SameText(name.substr(0, oldName.size()), oldName)) continue;
        try {
            item->SetName(NewName + name.substr(oldName.size()));
        } catch (const Exception&) {
            // A name that is taken stays as it was.
        }
    }
}

void TubBarManager::NotifyDesigner() {
    const TComponentState state = ComponentState();
    if (!created_ || state.Contains(csLoading) || state.Contains(csDestroying)) return;
    ++changeCount_;
    if (designing_ && BarDesigner() != nullptr) BarDesigner()->Modified(this);
}

// ---- properties --------------------------------------------------------------------------------------------

void TubBarManager::SetAutoDockColor(bool Value) {
    if (autoDockColor_ == Value) return;
    autoDockColor_ = Value;
    RepaintDockControls();
}

void TubBarManager::SetAutoHideEmptyBars(bool Value) {
    if (autoHideEmptyBars_ == Value) return;
    autoHideEmptyBars_ = Value;
    if (!Value)
        for (int i = 0; i < bars_->Count(); ++i) bars_->Items(i)->AutoHidden = false;
}

void TubBarManager::SetScaled(bool Value) {
    if (scaled_ == Value) return;
    scaled_ = Value;
    if (scaled_ && !useSystemFont_) ReadSystemFont();
    else RebuildDerivedFont();
}

void TubBarManager::SetButtonArrowWidth(int Value) {
    if (Value < 2 || buttonArrowWidth_ == Value) return;
    buttonArrowWidth_ = Value;
    ComputeSizes();
    RebuildBarControls();
}

TColor TubBarManager::GetDockColor() const { return autoDockColor_ ? form_->GetColor() : dockColor_; }

void TubBarManager::SetDockColor(TColor Value) {
    if (!autoDockColor_ && dockColor_ == Value) return;
    dockColor_ = Value;
    autoDockColor_ = false;
    RepaintDockControls();
}

void TubBarManager::SetFlatCloseButton(bool Value) {
    if (flatCloseButton_ == Value) return;
    flatCloseButton_ = Value;
    RebuildMainMenuBar();
}

void TubBarManager::RebuildMainMenuBar() {
    if (formMenuBar_ != nullptr && formMenuBar_->GetItemLinks()->BarControl != nullptr)
        formMenuBar_->GetItemLinks()->BarControl->Rebuild();
}

void TubBarManager::SetHideFloatingBarsWhenInactive(bool Value) {
    if (hideFloatingBarsWhenInactive_ == Value) return;
    hideFloatingBarsWhenInactive_ = Value;
    // The floating bars show again beside an inactive form, or hide now when it is inactive.
    if (!IsLoading() && !IsDestroying() && form_ != nullptr && form_->GetVisible())
        UpdateFloatingBars(FormActive || !Value, false, nullptr);
}

void TubBarManager::SetImageListBkColor(TColor Value) {
    if (imageListBkColor_ == Value) return;
    imageListBkColor_ = Value;
    RepaintBarControls();
}

void TubBarManager::SetLargeButtonArrowWidth(int Value) {
    if (Value < 2 || largeButtonArrowWidth_ == Value) return;
    largeButtonArrowWidth_ = Value;
    RebuildBarControls();
}

void TubBarManager::SetLargeIcons(bool Value) {
    if (largeIcons_ == Value) return;
    largeIcons_ = Value;
    ComputeSizes();
    NotifyDesigner();
    if (CustomizingFormOpen) CustomizingFormOptionsChanged();
    RebuildBarControls();
}

void TubBarManager::SetMakeDisabledImagesFaded(bool Value) {
    if (makeDisabledImagesFaded_ == Value) return;
    makeDisabledImagesFaded_ = Value;
    RebuildBarControls();
}

void TubBarManager::SetMenuAnimations(TubBarMenuAnimations Value) {
    if (menuAnimations_ == Value) return;
    menuAnimations_ = Value;
    NotifyDesigner();
    if (CustomizingFormOpen) CustomizingFormOptionsChanged();
}

void TubBarManager::SetMenusShowRecentItemsFirst(bool Value) {
    if (menusShowRecentItemsFirst_ == Value) return;
    menusShowRecentItemsFirst_ = Value;
    NotifyDesigner();
    if (CustomizingFormOpen) CustomizingFormOptionsChanged();
}

void TubBarManager::SetMostRecentItemsPercents(int Value) {
    Value = std::clamp(Value, 0, 100);
    if (mostRecentItemsPercents_ == Value) return;
    mostRecentItemsPercents_ = Value;
    ComputeRecentUseStep();
    NotifyDesigner();
}

void TubBarManager::ComputeRecentUseStep() {
    if (mostRecentItemsPercents_ == 100) {
        recentUseStep_ = 0;
        return;
    }
    int n = 1;
    while (n * (100 - mostRecentItemsPercents_) / 100 <= 0) ++n;
    recentUseStep_ = n;
}

void TubBarManager::SetNotDocking(TubBarDockingStyles Value) {
    if (notDocking_ == Value) return;
    notDocking_ = Value;
    StyleChanged();
}

void TubBarManager::SetShowCloseButton(bool Value) {
    if (showCloseButton_ == Value) return;
    showCloseButton_ = Value;
    RebuildMainMenuBar();
}

void TubBarManager::SetShowFullMenusAfterDelay(bool Value) {
    if (showFullMenusAfterDelay_ == Value) return;
    showFullMenusAfterDelay_ = Value;
    NotifyDesigner();
    if (CustomizingFormOpen) CustomizingFormOptionsChanged();
}

void TubBarManager::SetShowHelpButton(bool Value) {
    showHelpButton_ = Value;
    if (CustomizingFormOpen) CustomizingFormUpdateHelpButton();
}

void TubBarManager::SetShowHint(bool Value) {
    if (showHint_ == Value) return;
    showHint_ = Value;
    NotifyDesigner();
    if (CustomizingFormOpen) CustomizingFormOptionsChanged();
}

void TubBarManager::SetShowShortCutInHint(bool Value) {
    if (showShortCutInHint_ == Value) return;
    showShortCutInHint_ = Value;
    NotifyDesigner();
    if (CustomizingFormOpen) CustomizingFormOptionsChanged();
}

void TubBarManager::SetStyle(TubBarManagerStyle Value) {
    if (style_ == Value) return;
    style_ = Value;
    StyleChanged();
}

void TubBarManager::SetSunkenBorder(bool Value) {
    if (sunkenBorder_ == Value) return;
    sunkenBorder_ = Value;
    RefreshDockControls();
}

void TubBarManager::SetUseLargeImagesForLargeIcons(bool Value) {
    if (useLargeImagesForLargeIcons_ == Value) return;
    useLargeImagesForLargeIcons_ = Value;
    ComputeSizes();
    NotifyDesigner();
    if (CustomizingFormOpen) CustomizingFormOptionsChanged();
    RebuildBarControls();
}

void TubBarManager::SetWaitForDockingTime(int Value) {
    if (Value >= 0) waitForDockingTime_ = Value;
}

// ---- fonts -------------------------------------------------------------------------------------------------

void TubBarManager::SetUseSystemFont(bool Value) {
    useSystemFont_ = Value;
    if (Value) ReadSystemFont();
}

void TubBarManager::ReadSystemFont() {
    NONCLIENTMETRICS metrics;
    if (!SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) return;
    ApplyMenuFont(metrics.lfMenuFont);
}

void TubBarManager::ApplyMenuFont(const LOGFONT& MenuFont) {
    if (!useSystemFont_ && !scaled_) return;
    applyingSystemFont_ = true;
    TScopeExit reset([this] { applyingSystemFont_ = false; });
    if (useSystemFont_) {
        TFont menuFont;
        menuFont.SetName(MenuFont.lfFaceName);
        menuFont.SetHeight(MenuFont.lfHeight);
        menuFont.SetCharset(MenuFont.lfCharSet);
        TFontStyles styles;
        if (MenuFont.lfWeight >= FW_BOLD) styles.Include(fsBold);
        if (MenuFont.lfItalic != 0) styles.Include(fsItalic);
        menuFont.SetStyle(styles);
        menuFont.SetColor(font_->GetColor());
        font_->Assign(&menuFont);
        if (font_->GetHeight() == MenuFont.lfHeight) RebuildDerivedFont();  // nothing changed: no change event
    } else font_->SetHeight(MenuFont.lfHeight);
}

void TubBarManager::FontChanged(TObject* /*Sender*/) {
    if (!applyingSystemFont_) {
        useSystemFont_ = false;
        if (scaled_) {
            NONCLIENTMETRICS metrics;
            if (SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) {
                auto handler = std::move(font_->OnChange);
                font_->OnChange = nullptr;
                font_->SetHeight(metrics.lfMenuFont.lfHeight);
                font_->OnChange = std::move(handler);
            }
        }
    }
    RebuildDerivedFont();
    if (bars_ != nullptr)
        for (int i = 0; i < bars_->Count(); ++i) bars_->Items(i)->ManagerFontChanged();
}

void TubBarManager::RebuildDerivedFont() {
    if (derivedFont_ != nullptr) DeleteObject(derivedFont_);
    LOGFONT lf;
    GetObject(font_->GetHandle(), sizeof(lf), &lf);
    if (scaled_) {
        LOGFONT iconTitle;
        if (SystemParametersInfo(SPI_GETICONTITLELOGFONT, sizeof(iconTitle), &iconTitle, 0))
            lf.lfHeight = DerivedFontHeight(iconTitle.lfHeight);
    }
    derivedFont_ = CreateFontIndirect(&lf);
}

// ---- look --------------------------------------------------------------------------------------------------

TubBarManagerStyle TubBarManager::EffectiveStyle() const {
    if (style_ != bmsUseLookAndFeel) return style_;
    if (lookAndFeel_ == nullptr) return bmsEnhanced;
    if (lookAndFeel_->GetNativeStyle() && themesAvailable_) return bmsXP;
    switch (lookAndFeel_->GetKind()) {
        case lfFlat: return bmsEnhanced;
        case lfStandard: return bmsStandard;
        case lfUltraFlat: return bmsFlat;
        case lfOffice11: return bmsOffice11;
    }
    return bmsEnhanced;
}

void TubBarManager::ComputeLook() {
    themesAvailable_ = VisualStylesUsable(TubThemeObjectKinds{thComboBox, thEdit, thProgress, thRebar, thScrollBar,
                                                              thSpin, thStatus, thToolBar, thWindow});
    switch (EffectiveStyle()) {
        case bmsStandard: painterKind_ = bpkStandard; break;
        case bmsFlat: painterKind_ = bpkFlat; break;
        case bmsXP: painterKind_ = themesAvailable_ ? bpkXP : bpkEnhanced; break;
        case bmsOffice11: painterKind_ = bpkOffice11; break;
        default: painterKind_ = bpkEnhanced; break;
    }
}

void TubBarManager::ComputeSizes() {
    if (!largeIcons_) imageSize_ = 16;
    else if (useLargeImagesForLargeIcons_ && imageLists_[ilkLargeImages] != nullptr)
        imageSize_ = imageLists_[ilkLargeImages]->GetWidth();
    else imageSize_ = 32;
}

void TubBarManager::StyleChanged() {
    if (styleChanging_) return;
    styleChanging_ = true;
    TScopeExit reset([this] { styleChanging_ = false; });
    ComputeLook();
    ComputeSizes();
    // Every bar window takes the new painter's state and makes its controls anew; the docks follow.
    for (TCustomubBarControl* window : OwnBarControls()) {
        if (!IsLiveBarControl(window)) continue;
        window->SetDoubleBufferedFromPainter();
        window->FetchBackgroundBrush();
        window->ClearBackgroundCache();
        if (window->HandleAllocated()) window->CalcMetrics();
    }
    if (CustomizingFormOpen) CustomizingFormUpdateAll();
    RefreshDockControls();
    RebuildBarControls();
}

std::vector<TCustomubBarControl*> TubBarManager::OwnBarControls() const {
    // The bars' windows, and the menus that show now: a closed menu is measured anew when it opens.
    std::vector<TCustomubBarControl*> windows;
    for (TCustomubBarControl* window : LiveBarControls())
        if (window->BarManager() == this && window->HandleAllocated() &&
            (!window->IsSubMenu() || IsWindowVisible(window->GetHandle())))
            windows.push_back(window);
    return windows;
}

void TubBarManager::RebuildBarControls() {
    if (IsLoading() || IsDestroying()) return;
    // A rebuild may close a menu: each window is asked only while it still lives.
    for (TCustomubBarControl* window : OwnBarControls())
        if (IsLiveBarControl(window) && window->HandleAllocated()) {
            window->Rebuild();
            RedrawWindow(window->GetHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ERASE);
        }
}

void TubBarManager::RepaintBarControls() {
    if (IsLoading() || IsDestroying()) return;
    for (TCustomubBarControl* window : OwnBarControls())
        if (window->HandleAllocated()) {
            window->ClearBackgroundCache();
            RedrawWindow(window->GetHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ERASE);
        }
}

void TubBarManager::RepaintDockControls() {
    if (IsLoading() || IsDestroying()) return;
    for (TubDockControl* dock : std::vector<TubDockControl*>(dockControls_.begin(), dockControls_.end())) {
        dock->UpdateColor();
        dock->ClearBackgroundCache();
        dock->Invalidate();
        dock->RepaintBars();
    }
}

void TubBarManager::RefreshDockControls() {
    if (IsLoading() || IsDestroying()) return;
    for (TubDockControl* dock : std::vector<TubDockControl*>(dockControls_.begin(), dockControls_.end())) {
        dock->ClearBackgroundCache();
        dock->RefreshDock();
        dock->Invalidate();
    }
}

void TubBarManager::LookAndFeelChanged(TuiLookAndFeel* /*Sender*/, TuiLookAndFeelValues /*Values*/) {
    if (!ComponentState().Contains(csDestroying)) StyleChanged();
}

void TubBarManager::CreateColorResources() {
    flatColors_[0] = NearestColor(ScaleChannels(clBtnShadow, 8, 10));
    flatColors_[1] = NearestColor(LightenChannels(clBtnFace, 16));
    flatColors_[2] = NearestColor(BlendSystemLightColor(11, 9, 73));
    flatColors_[3] = NearestColor(BlendSystemLightColor(14, 44, 40));
    flatColors_[4] = NearestColor(BlendSystemLightColor(-2, 30, 72));
    for (std::size_t i = 0; i < flatBrushes_.size(); ++i)
        flatBrushes_[i] = CreateSolidBrush(ColorToRGB(flatColors_[i]));
    if (themesAvailable_) themeToolbarBrush_ = CreateSolidBrush(ColorToRGB(ToolbarThemeColor()));
    if (!paletteAcquired_) {
        AcquireOffice11Palette();
        paletteAcquired_ = true;
    }
}

void TubBarManager::ReleaseColorResources() {
    for (HBRUSH& brush : flatBrushes_) {
        if (brush != nullptr) DeleteObject(brush);
        brush = nullptr;
    }
    if (themeToolbarBrush_ != nullptr) DeleteObject(themeToolbarBrush_);
    themeToolbarBrush_ = nullptr;
    if (paletteAcquired_) ReleaseOffice11Palette();
    paletteAcquired_ = false;
}

void TubBarManager::SystemColorsChanged() {
    for (HBRUSH& brush : flatBrushes_) {
        if (brush != nullptr) DeleteObject(brush);
        brush = nullptr;
    }
    if (themeToolbarBrush_ != nullptr) DeleteObject(themeToolbarBrush_);
    themeToolbarBrush_ = nullptr;
    CreateColorResources();
    RebuildOffice11Palette();
}

// ---- modes -------------------------------------------------------------------------------------------------

void TubBarManager::SetUpdateLock(bool Value) {
    if (updateLock_ == Value) return;
    updateLock_ = Value;
    std::vector<TubDockControl*> docks(dockControls_.begin(), dockControls_.end());
    for (TubDockControl* dock : docks)
        if (dock->GetVisible() && dock->HandleAllocated()) SendMessage(dock->GetHandle(), WM_SETREDRAW, !Value, 0);
    // The docked bars keep their stored places meanwhile.
    std::vector<TubBarControl*> docked;
    for (int i = 0; i < bars_->Count(); ++i)
        if (TubBarControl* window = bars_->Items(i)->Control(); window != nullptr && !window->IsFloating()) {
            window->Locked = Value;
            docked.push_back(window);
        }
    if (Value) return;
    for (TubDockControl* dock : docks)
        if (dock->GetVisible() && dock->HandleAllocated()) {
            dock->Realign();
            RedrawWindow(dock->GetHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
        }
    for (TubBarControl* window : docked) window->Rebuild();
}

void TubBarManager::AddDockControl(TubDockControl* ADockControl) {
    if (dockControls_.IndexOf(ADockControl) < 0) dockControls_.Add(ADockControl);
}

void TubBarManager::RemoveDockControl(TubDockControl* ADockControl) { dockControls_.Remove(ADockControl); }

TubBarDockControl* TubBarManager::DockControlOfPath(const std::string& APath) const {
    std::string rest = APath;
    const TComponent* root = form_;
    if (auto dot = rest.find('.'); dot != std::string::npos) {
        const std::string global = rest.substr(0, dot);
        rest = rest.substr(dot + 1);
        root = nullptr;
        for (int i = 0; Screen != nullptr && i < Screen->FormCount() && root == nullptr; ++i)
            if (SameText(Screen->Forms(i)->GetName(), global)) root = Screen->Forms(i);
    }
    TComponent* found = nullptr;
    while (root != nullptr && !rest.empty()) {
        const auto dot = rest.find('.');
        found = root->FindComponent(rest.substr(0, dot));
        rest = dot == std::string::npos ? std::string() : rest.substr(dot + 1);
        root = found;
    }
    if (found == nullptr) return nullptr;
    auto* dock = dynamic_cast<TubBarDockControl*>(found);
    if (dock == nullptr) throw EInvalidCast("Invalid class typecast");
    return dock;
}

std::string TubBarManager::DockControlPath(TubDockControl* ADockControl) const {
    if (ADockControl == nullptr) return std::string();
    std::string path = ADockControl->GetName();
    if (ADockControl->GetOwner() == form_) return path;
    for (TComponent* o = ADockControl->GetOwner(); o != nullptr; o = o->GetOwner())
        if (!o->GetName().empty()) path = o->GetName() + "." + path;
    return path;
}

void TubBarManager::SetSelectedControl(TubBarItemControl* AControl) {
    if (selectedControl_ == AControl) return;
    TubBarItemControl* old = selectedControl_;
    // While customizing, the toolbar that showed the old selection drops it when the new one lies elsewhere
    // (or there is none); a sub-menu counts as the toolbar it was opened from.
    if ((customizing_ || designing_) && old != nullptr && IsLiveBarControl(old->Parent)) {
        TCustomubBarControl* oldRoot = RootToolbarControl(old);
        TCustomubBarControl* newRoot =
            AControl != nullptr && IsLiveBarControl(AControl->Parent) ? RootToolbarControl(AControl) : nullptr;
        if (oldRoot != nullptr && oldRoot != newRoot && IsLiveBarControl(oldRoot)) oldRoot->SetSelected(nullptr);
    }
    selectedControl_ = AControl;
    if (old != nullptr && IsLiveBarControl(old->Parent)) old->Repaint();
    if (designing_ && AControl != nullptr && AControl->Item() != nullptr)
        if (IubBarDesigner* designer = BarDesigner()) designer->SelectComponent(AControl->Item());
}

void TubBarManager::ForgetSelectedControl(TubBarItemControl* AControl) {
    if (selectedControl_ == AControl) selectedControl_ = nullptr;
}

void TubBarManager::SetCustomizing(bool Value) {
    if (customizing_ == Value || (Value && GetCustomizingForm() != nullptr)) return;
    // The bar windows close their menus first: no menu stays open across the change.
    CloseOpenMenus();
    customizing_ = Value;
    // Items shown only while customizing come and go with it.
    for (int i = 0; i < bars_->Count(); ++i) bars_->Items(i)->GetItemLinks()->RebuildLists();
    for (TubBarItem* item : items_)
        if (auto* sub = dynamic_cast<TCustomubBarSubItem*>(item)) sub->GetItemLinks()->RebuildLists();
    for (TubBarPopupMenu* menu : popupMenus_) menu->GetItemLinks()->RebuildLists();
    ShowCustomizingForm(this, Value);
    if (!Value) SetSelectedControl(nullptr);
    for (int i = 0; i < bars_->Count(); ++i)
        if (TubBarControl* window = bars_->Items(i)->Control()) window->Rebuild();
}

void TubBarManager::ClickItem(TubBarItem* AItem) {
    if (OnClickItem) OnClickItem(this, AItem);
}

// ---- items -------------------------------------------------------------------------------------------------

TubBarItem* TubBarManager::Items(int Index) const {
    if (Index < 0 || Index >= items_.Count()) return nullptr;
    return items_[Index];
}

void TubBarManager::AddItem(TubBarItem* AItem) {
    items_.Add(AItem);
    if (CustomizingFormOpen) CustomizingFormItemsChanged();
}

void TubBarManager::RemoveItem(TubBarItem* AItem) {
    items_.Remove(AItem);
    if (selectedControl_ != nullptr && selectedControl_->Item() == AItem) selectedControl_ = nullptr;
    // The command list holds no row of a freed item.
    if (CustomizingFormOpen) CustomizingFormItemsChanged();
}

TubBarItem* TubBarManager::FindItemByName(const std::string& AName) const {
    for (TubBarItem* item : items_)
        if (SameText(item->GetName(), AName)) return item;
    return nullptr;
}

void TubBarManager::MoveItemInList(int FromIndex, int ToIndex) {
    if (FromIndex < 0 || FromIndex >= items_.Count() || ToIndex < 0 || ToIndex >= items_.Count()) return;
    items_.Move(FromIndex, ToIndex);
    NotifyDesigner();
}

void TubBarManager::ExchangeItemsInList(int Index1, int Index2) {
    if (Index1 < 0 || Index1 >= items_.Count() || Index2 < 0 || Index2 >= items_.Count()) return;
    items_.Exchange(Index1, Index2);
    NotifyDesigner();
}

void TubBarManager::CollectCategoryItems(int ACategory, TListOf<TubBarItem>& AList) const {
    AList.Clear();
    if (ACategory < 0 || ACategory >= categories_->GetCount()) return;
    for (TubBarItem* item : items_)
        if (item->GetCategory() == ACategory) AList.Add(item);
}

void TubBarManager::CollectVisibleCategoryItems(int ACategory, TListOf<TubBarItem>& AList) const {
    CollectCategoryItems(ACategory, AList);
    if (designing_) return;
    for (int i = AList.Count() - 1; i >= 0; --i) {
        const TubBarItem* item = AList[i];
        const bool shows = (item->GetVisible() == ivAlways && item->VisibleForUser()) ||
                           (item->GetVisible() == ivInCustomizing && customizing_);
        if (!shows || item->HiddenInCategoryLists()) AList.Delete(i);
    }
}

// ---- categories --------------------------------------------------------------------------------------------

TubBarItemVisible TubBarManager::GetItemsVisibleOfCategory(int Index) const {
    return categories_->ItemsVisibleOf(Index);
}

void TubBarManager::SetItemsVisibleOfCategory(int Index, TubBarItemVisible Value) {
    categories_->SetItemsVisibleOf(Index, Value);
}

bool TubBarManager::GetVisibleOfCategory(int Index) const { return categories_->VisibleOf(Index); }

void TubBarManager::SetVisibleOfCategory(int Index, bool Value) { categories_->SetVisibleOf(Index, Value); }

int TubBarManager::CategoryIndexOfVisible(int N) const {
    if (designing_) return N;
    for (int i = 0; i < categories_->GetCount(); ++i)
        if (categories_->VisibleOf(i) && N-- == 0) return i;
    return -1;
}

// ---- groups ------------------------------------------------------------------------------------------------

TubBarGroup* TubBarManager::Groups(int Index) const {
    if (Index < 0 || Index >= groups_.Count()) return nullptr;
    return groups_[Index];
}

TubBarGroup* TubBarManager::AddGroup() {
    auto* group = Construct<TubBarGroup>(form_);
    group->SetManager(this);
    return group;
}

void TubBarManager::AddGroupToList(TubBarGroup* AGroup) {
    if (groups_.IndexOf(AGroup) < 0) groups_.Add(AGroup);
}

void TubBarManager::RemoveGroupFromList(TubBarGroup* AGroup) { groups_.Remove(AGroup); }

void TubBarManager::MoveGroupInList(TubBarGroup* AGroup, int NewIndex) {
    const int from = groups_.IndexOf(AGroup);
    if (from < 0) return;
    groups_.Move(from, std::clamp(NewIndex, 0, groups_.Count() - 1));
}

// ---- manager list ------------------------------------------------------------------------------------------

TubBarManagerList::~TubBarManagerList() {
    while (list_.Count() > 0) {
        TubBarManager* manager = list_.First();
        delete manager;
        list_.Remove(manager);  // in case the manager could not find its way out
    }
}

TubBarManager* TubBarManagerList::Managers(int Index) const {
    if (Index < 0 || Index >= list_.Count()) return nullptr;
    return list_[Index];
}

TubBarManager* TubBarManagerList::FirstCustomizing() const {
    for (TubBarManager* manager : list_)
        if (manager->GetCustomizing() || manager->Designing()) return manager;
    return nullptr;
}

}  // namespace zel
