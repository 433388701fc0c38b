#include "uilib/bars/ubBars.h"

#include "uilib/bars/ubBarCustForm.h"

#include "uilib/base/uiClasses.h"

#include <algorithm>

#include "platform/rtl/ScopeExit.h"
#include "platform/win/Windows.h"
#include "uilib/bars/ubBarDockControl.h"
#include "uilib/bars/ubBarManager.h"
#include "uilib/bars/ubBarSubItem.h"
#include "uilib/bars/ubBarToolbarControl.h"
#include "uilib/base/uiClasses.h"

namespace zel {

// ---------------------------------------------------------------------------------------------- TubBar

TubBar::TubBar(TCollection* Collection) : TCollectionItem(Collection) {
    backgroundBitmap_ = new TBitmap();
    backgroundBitmap_->OnChange = [this](TObject*) { RepaintWindow(); };
    font_ = new TFont();
    TubBarManager* m = BarManager();
    if (m != nullptr) font_->Assign(m->GetFont());
    font_->OnChange = [this](TObject*) { OwnFontChanged(); };
    itemLinks_ = new TubBarItemLinks(m, this);
    itemLinks_->OnChange = [this] { DesignChanged(); };
    if (OfManager() && !ManagerLoading()) {
        if (m->OnBarAdd) m->OnBarAdd(m, this);
        m->NotifyDesigner();
    }
}

TubBar::~TubBar() {
    destroying_ = true;
    TubBarManager* m = BarManager();
    if (OfManager() && !m->ComponentState().Contains(csDestroying)) {
        m->NotifyDesigner();
        if (m->OnBarDelete) m->OnBarDelete(m, this);
        CustomizingFormBarDeleted(this);
    }
    if (visible_) SetVisible(false);
    while (!subItemUsers_.empty()) subItemUsers_.back()->BarRemoving(this);
    if (m != nullptr && m->GetFormMenuBar() == this) m->SetFormMenuBar(nullptr);
    delete itemLinks_;
    itemLinks_ = nullptr;
    font_->OnChange = nullptr;
    delete font_;
    ClearLinksToObject(this);
    backgroundBitmap_->OnChange = nullptr;
    delete backgroundBitmap_;
}

TubBars* TubBar::Bars() const { return static_cast<TubBars*>(GetCollection()); }

TubBarManager* TubBar::BarManager() const { return Bars() != nullptr ? Bars()->BarManager() : nullptr; }

bool TubBar::ManagerLoading() const {
    return BarManager() != nullptr && BarManager()->ComponentState().Contains(csLoading);
}

void TubBar::DesignChanged() {
    if (OfManager()) BarManager()->NotifyDesigner();
}

bool TubBar::OfManager() const {
    TubBarManager* m = BarManager();
    return m != nullptr && m->GetBars() == Bars();
}

void TubBar::RepaintWindow() {
    if (TubBarControl* w = Control()) w->RepaintBar();
}

void TubBar::RebuildWindow() {
    if (TubBarControl* w = Control()) w->Rebuild();
}

void TubBar::RefreshFloatingCaption() {
    if (TubBarControl* w = Control(); w != nullptr && w->IsFloating()) w->CaptionChanged();
}

void TubBar::SetAllowClose(bool Value) {
    if (Value == allowClose_) return;
    allowClose_ = Value;
    RefreshFloatingCaption();
    CustomizingFormBarChanged(this);
}

void TubBar::SetAllowQuickCustomizing(bool Value) {
    if (Value == allowQuickCustomizing_) return;
    allowQuickCustomizing_ = Value;
    // The mark shows with quick customizing in every style but the standard one.
    TubBarControl* w = Control();
    if (w == nullptr) return;
    if (w->IsFloating()) w->CaptionChanged();
    else if (BarManager() != nullptr && BarManager()->EffectiveStyle() != bmsStandard) w->Rebuild();
}

void TubBar::SetAlphaBlendValue(std::uint8_t Value) {
    if (Value == alphaBlendValue_) return;
    alphaBlendValue_ = Value;
    if (TubBarControl* w = Control()) w->ApplyAlpha();
}

void TubBar::SetBackgroundBitmap(TBitmap* Value) {
    const bool hadPicture = !backgroundBitmap_->Empty();
    {
        // The copy repaints once, below, and only when a picture comes or goes.
        TNotifyEvent handler = std::move(backgroundBitmap_->OnChange);
        backgroundBitmap_->OnChange = nullptr;
        TScopeExit restore([&] { backgroundBitmap_->OnChange = std::move(handler); });
        if (Value != nullptr) backgroundBitmap_->Assign(Value);
        else backgroundBitmap_->SetSize(0, 0);
    }
    if (hadPicture || !backgroundBitmap_->Empty()) RepaintWindow();
}

void TubBar::SetBorderStyle(TubBarBorderStyle Value) {
    if (Value == borderStyle_) return;
    borderStyle_ = Value;
    // The border lies outside the client area: the frame is measured again and the dock re-arranges.
    if (TubBarControl* w = Control()) w->Reframe();
}

void TubBar::SetColor(TColor Value) {
    if (Value == color_) return;
    color_ = Value;
    RepaintWindow();
}

void TubBar::SetCaption(const std::string& Value) {
    if (Value == caption_) return;
    TubBarManager* m = BarManager();
    if (m != nullptr && m->FindBarByCaption(Value) != nullptr) return;
    caption_ = Value;
    if (TubBarControl* w = Control()) w->CaptionChanged();
    if (Name.empty() && !ManagerLoading()) MakeUniqueName();
    CustomizingFormBarChanged(this);
    DesignChanged();
}

void TubBar::MakeUniqueName() {
    TubBarManager* m = BarManager();
    std::string name = caption_;
    for (int n = 1; m != nullptr && m->FindBarByName(name) != nullptr; ++n) name = caption_ + std::to_string(n);
    Name = name;
}

void TubBar::SetDockControl(TubBarDockControl* Value) {
    if (Value != nullptr && Value->GetBarManager() != BarManager()) return;
    if (ManagerLoading()) {
        loadedDockControlSet_ = true;
        loadedDockControl_ = Value;
        return;
    }
    if (Value == dockControl_) return;
    // The window moves to its new dock by being made anew there.
    TubBarControl* w = Control();
    const bool rehide =
        w != nullptr && (static_cast<TubDockControl*>(Value) != w->DockControl() ||
                         (Value == nullptr && w->DockControl() != nullptr && !w->DockControl()->IsSideDock()));
    if (rehide) SetVisible(false);
    dockControl_ = Value;
    itemLinks_->SetRecentItemCount(-1);
    if (Value != nullptr) {
        dockGuard_ = true;
        SetDockingStyle(Value->DockingStyle());
        dockGuard_ = false;
    }
    if (rehide) SetVisible(true);
    if (BarManager() != nullptr) BarManager()->DoBarDockingStyleChange(this);
}

void TubBar::SetDockedDockControl(TubBarDockControl* Value) {
    if (Value == dockedDockControl_ || (Value != nullptr && Value->GetBarManager() != BarManager())) return;
    dockedDockControl_ = Value;
    DesignChanged();
}

void TubBar::SetDockedDockingStyle(TubBarDockingStyle Value) {
    dockedDockingStyle_ = Value;
    hasDockedPlace_ = true;
}

void TubBar::SetDockedLeft(int Value) {
    dockedLeft_ = std::max(Value, 0);
    DesignChanged();
}

void TubBar::SetDockedTop(int Value) {
    dockedTop_ = std::max(Value, 0);
    DesignChanged();
}

void TubBar::SetDockingStyle(TubBarDockingStyle Value) {
    if (ManagerLoading()) {
        loadedDockingStyleSet_ = true;
        loadedDockingStyle_ = Value;
        return;
    }
    if (Value == dockingStyle_) return;
    // A window on another side is made anew there.
    TubBarControl* w = Control();
    const bool rehide = !dockGuard_ && w != nullptr && w->DockingStyle() != Value;
    if (rehide) SetVisible(false);
    dockingStyle_ = Value;
    if (!dockGuard_) {
        dockGuard_ = true;
        dockControl_ = nullptr;
        dockGuard_ = false;
    }
    itemLinks_->SetRecentItemCount(-1);
    if (rehide) SetVisible(true);
    if (!dockGuard_ && BarManager() != nullptr) BarManager()->DoBarDockingStyleChange(this);
}

void TubBar::SetDockingStyleAndControl(TubBarDockingStyle AStyle, TubBarDockControl* ADockControl) {
    // The side docks come with the dock controls; any dock control given here is one of another kind.
    if (AStyle == dockingStyle_ || (ADockControl != nullptr && ADockControl != dockControl_))
        SetDockControl(ADockControl);
    else SetDockingStyle(AStyle);
}

void TubBar::SetFloatLeft(int Value) {
    floatLeft_ = Value;
    DesignChanged();
}

void TubBar::SetFloatTop(int Value) {
    floatTop_ = Value;
    DesignChanged();
}

void TubBar::SetFloatClientWidth(int Value) {
    floatClientWidth_ = Value;
    DesignChanged();
}

void TubBar::SetFloatClientHeight(int Value) {
    floatClientHeight_ = Value;
    DesignChanged();
}

void TubBar::SetHidden(bool Value) {
    if (Value == hidden_) return;
    hidden_ = Value;
    DesignChanged();
}

void TubBar::SetIsMainMenu(bool Value) {
    if (Value == isMainMenu_) return;
    TubBarManager* m = BarManager();
    if (Value) {
        {
            TubBarUpdateLock lock(m);
            if (m != nullptr && m->GetFormMenuBar() != nullptr) m->GetFormMenuBar()->SetIsMainMenu(false);
        }
        isMainMenu_ = true;
        if (m != nullptr) m->SetFormMenuBar(this);
        wholeRow_ = true;
        multiLine_ = true;
    } else {
        isMainMenu_ = false;
        if (m != nullptr && m->GetFormMenuBar() == this) m->SetFormMenuBar(nullptr);
        multiLine_ = false;
        wholeRow_ = false;
    }
    if (ManagerLoading()) return;
    if (TubBarControl* w = Control()) {
        if (w->IsFloating()) w->CaptionChanged();
        else w->Rebuild();
    }
    CustomizingFormBarChanged(this);
}

void TubBar::SetMultiLine(bool Value) {
    if (Value == multiLine_ || (!Value && isMainMenu_)) return;
    multiLine_ = Value;
    // A floating bar wraps its links whatever the setting.
    if (TubBarControl* w = Control(); w != nullptr && !w->IsFloating()) w->Rebuild();
}

void TubBar::SetNotDocking(TubBarDockingStyles Value) {
    if (Value == notDocking_) return;
    notDocking_ = Value;
    RebuildWindow();
}

void TubBar::SetRotateWhenVertical(bool Value) {
    if (Value == rotateWhenVertical_) return;
    rotateWhenVertical_ = Value;
    if (TubBarControl* w = Control()) w->RecalcLayout();
}

void TubBar::SetRow(int Value) { row_ = std::max(Value, 0); }

void TubBar::SetShowMark(bool Value) {
    if (Value == showMark_) return;
    showMark_ = Value;
    RebuildWindow();
}

void TubBar::SetSizeGrip(bool Value) {
    if (Value == sizeGrip_) return;
    sizeGrip_ = Value;
    // The grip lies in the frame: a grip that comes or goes measures the frame again.
    TubBarControl* w = Control();
    if (w == nullptr) return;
    if (w->ShowsSizeGrip() != w->HasSizeGrip()) w->Reframe();
    else if (w->HasSizeGrip()) w->RepaintBar();
}

void TubBar::OwnFontChanged() {
    if (!settingUseOwnFont_) useOwnFont_ = true;
    if (TubBarControl* w = Control()) w->BarFontChanged();
}

void TubBar::SetUseOwnFont(bool Value) {
    if (Value == useOwnFont_) return;
    useOwnFont_ = Value;
    if (!Value && BarManager() != nullptr) {
        settingUseOwnFont_ = true;
        font_->Assign(BarManager()->GetFont());
        settingUseOwnFont_ = false;
    }
    // The window measures and paints in the bar's own font now, or in the manager's again.
    if (TubBarControl* w = Control()) w->BarFontChanged();
}

void TubBar::ManagerFontChanged() {
    if (useOwnFont_ || BarManager() == nullptr) return;
    settingUseOwnFont_ = true;
    font_->Assign(BarManager()->GetFont());
    settingUseOwnFont_ = false;
}

void TubBar::SetUseRecentItems(bool Value) {
    if (Value == useRecentItems_) return;
    useRecentItems_ = Value;
    itemLinks_->UseRecentItems = Value;
    RebuildWindow();
}

void TubBar::SetUseRestSpace(bool Value) {
    if (Value == useRestSpace_) return;
    useRestSpace_ = Value;
    RebuildWindow();
}

void TubBar::SetVisible(bool Value) {
    TubBarManager* m = BarManager();
    const bool managerDestroying = m != nullptr && m->ComponentState().Contains(csDestroying);
    if (Value && managerDestroying) return;
    if (ManagerLoading()) {
        loadedVisibleSet_ = true;
        loadedVisible_ = Value;
        return;
    }
    if (Value == visible_) return;
    // The window is made when the bar shows and freed when it hides; a bar shown before its form has a window
    // gets its own once the form's is made.
    visible_ = Value;
    if (!Value) {
        FreeWindow();
        if (m != nullptr) m->ForgetPendingBar(this);
    }
    if (managerDestroying || m == nullptr) return;
    if (Value && !m->HoldUntilFormCreated(this)) ShowWindow();
    if (m->GetCustomizing()) CustomizingFormBarChanged(this);
    if (m->OnBarVisibleChange) m->OnBarVisibleChange(m, this);
}

void TubBar::SetWholeRow(bool Value) {
    if (Value == wholeRow_) return;
    wholeRow_ = Value;
    // A docked bar is placed anew: hidden and shown again, it takes its row as the setting says.
    TubBarControl* w = Control();
    if (w == nullptr || w->IsFloating()) return;
    SetVisible(false);
    SetVisible(true);
}

TubBarControl* TubBar::Control() const {
    return itemLinks_ != nullptr ? dynamic_cast<TubBarControl*>(itemLinks_->BarControl) : nullptr;
}

void TubBar::FreeWindow() { delete Control(); }

void TubBar::ShowWindow() {
    if (!visible_ || Control() != nullptr) return;
    TubDockControl* dock = dockControl_;
    if (dock == nullptr && dockingStyle_ != dsNone) dock = Bars()->DockControls(dockingStyle_);
    if (dock == nullptr) {
        ShowFloatingWindow();
        return;
    }
    // Docked: placed on its dock at its stored row and place, and shown without activation.
    auto* w = new TubBarControl(BarManager(), this);
    w->Locked = true;
    w->SetDockControl(dock);
    dock->InsertBar(w, dock->ClientToScreen(TPoint{dockedLeft_, dockedTop_}), true);
    w->Locked = false;
    w->SetVisible(true);
}

void TubBar::ShowFloatingWindow() {
    TubBarManager* m = BarManager();
    auto* w = new TubBarControl(m, this);
    w->SetVisible(false);
    w->HandleNeeded();
    const TSize size = w->FloatingSize();
    w->SetBounds(floatLeft_, floatTop_, size.cx, size.cy);
    w->ApplyAlpha();
    // A floating bar shows with its form: while floating bars hide with an inactive form, only beside the
    // active form (or the active child of the active multiple-document form), or while customizing.
    TCustomForm* form = m->Form();
    if (form == nullptr || !form->GetVisible()) return;
    bool show = !m->GetHideFloatingBarsWhenInactive() || m->GetCustomizing();
    if (!show && form->HandleAllocated()) {
        const HWND active = GetActiveWindow();
        show = active == form->GetHandle();
        if (!show && form->GetFormStyle() == fsMDIChild) {
            auto* main = dynamic_cast<TCustomForm*>(zel::GetParentForm(form->GetParent()));
            show = main != nullptr && main->HandleAllocated() && active == main->GetHandle() &&
                   main->ActiveMDIChild() == form;
        }
    }
    if (show) w->SetVisible(true);
}

void TubBar::Assign(TPersistent* Source) {
    auto* src = dynamic_cast<TubBar*>(Source);
    if (src == nullptr) {
        TCollectionItem::Assign(Source);
        return;
    }
    SetAllowClose(src->allowClose_);
    AllowCustomizing = src->AllowCustomizing;
    SetAllowQuickCustomizing(src->allowQuickCustomizing_);
    AllowReset = src->AllowReset;
    SetBorderStyle(src->borderStyle_);
    SetCaption(src->caption_);
    if (BarManager() != nullptr && BarManager()->ComponentState().Contains(csUpdating)) Name = src->Name;
    // A bar reset from the copy of its design takes the dock controls of its own form that have the names of
    // the copy's.
    const auto own = [this](TubBarDockControl* Dock) -> TubBarDockControl* {
        if (Dock == nullptr || !BarResetting() || BarManager() == nullptr || BarManager()->Form() == nullptr)
            return Dock;
        return dynamic_cast<TubBarDockControl*>(BarManager()->Form()->FindComponent(Dock->GetName()));
    };
    SetDockedDockControl(own(src->dockedDockControl_));
    SetDockedDockingStyle(src->dockedDockingStyle_);
    hasDockedPlace_ = src->hasDockedPlace_;
    SetDockedLeft(src->dockedLeft_);
    SetDockedTop(src->dockedTop_);
    SetFloatLeft(src->floatLeft_);
    SetFloatTop(src->floatTop_);
    SetFloatClientWidth(src->floatClientWidth_);
    SetFloatClientHeight(src->floatClientHeight_);
    SetHidden(src->hidden_);
    SetIsMainMenu(src->isMainMenu_);
    SetItemLinks(src->itemLinks_);
    SetNotDocking(src->notDocking_);
    OneOnRow = src->OneOnRow;
    SetRotateWhenVertical(src->rotateWhenVertical_);
    SetRow(src->row_);
    SetShowMark(src->showMark_);
    SetSizeGrip(src->sizeGrip_);
    SetWholeRow(src->wholeRow_);
    SetDockingStyleAndControl(src->dockingStyle_, own(src->dockControl_));
    SetUseRecentItems(src->useRecentItems_);
    SetUseRestSpace(src->useRestSpace_);
    SetColor(src->color_);
    SetFont(src->font_);
    SetUseOwnFont(src->useOwnFont_);
    SetVisible(src->visible_);
}

void TubBar::ApplyLoadedState() {
    predefined_ = true;
    itemLinks_->ApplyAfterLoading(true);
    if (loadedDockControlSet_) SetDockControl(loadedDockControl_);
    if (loadedDockingStyleSet_ && dockControl_ == nullptr) SetDockingStyle(loadedDockingStyle_);
    if (loadedVisibleSet_) SetVisible(loadedVisible_);
    loadedDockControlSet_ = loadedDockingStyleSet_ = loadedVisibleSet_ = false;
}

bool TubBar::CanMove() const {
    auto holdsAll = [](TubBarDockingStyles s) {
        return s.Contains(dsNone) && s.Contains(dsLeft) && s.Contains(dsTop) && s.Contains(dsRight) &&
               s.Contains(dsBottom);
    };
    return !holdsAll(notDocking_) && (BarManager() == nullptr || !holdsAll(BarManager()->GetNotDocking()));
}

bool TubBar::CanUserSwitch() const {
    TubBarControl* w = Control();
    return allowClose_ && !isMainMenu_ && (w == nullptr || w->CanClose());
}

void TubBar::AddSubItemUser(TCustomubBarSubItem* AItem) {
    if (std::find(subItemUsers_.begin(), subItemUsers_.end(), AItem) == subItemUsers_.end())
        subItemUsers_.push_back(AItem);
}

void TubBar::RemoveSubItemUser(TCustomubBarSubItem* AItem) { std::erase(subItemUsers_, AItem); }

// --------------------------------------------------------------------------------------------- TubBars

TubBars::TubBars(TubBarManager* ABarManager, bool ASideDocks)
    : TCollection(CollectionItemClassOf<TubBar>()), barManager_(ABarManager) {
    if (!ASideDocks) return;
    TCustomForm* form = ABarManager != nullptr ? ABarManager->Form() : nullptr;
    for (TubBarDockingStyle side : {dsLeft, dsTop, dsRight, dsBottom}) {
        auto* dock = new TubDockControl(nullptr, side, ABarManager);
        dock->ControlStyle.Include(csNoDesignVisible);
        if (side == dsTop) dock->ControlStyle.Include(csActionClient);
        sideDocks_[side] = dock;
        if (form != nullptr) dock->SetParent(form);
    }
}

TubBars::~TubBars() {
    Clear();
    for (TubDockControl*& dock : sideDocks_) {
        TubDockControl* d = dock;
        dock = nullptr;
        delete d;
    }
}

void TubBars::SideDockGone(TubDockControl* ADock) {
    for (TubDockControl*& dock : sideDocks_)
        if (dock == ADock) dock = nullptr;
}

void TubBars::ApplyDockControlHeights(const std::array<int, 4>& AHeights) {
    if (TubDockControl* d = sideDocks_[dsLeft]) d->SetWidth(AHeights[0]);
    if (TubDockControl* d = sideDocks_[dsRight]) d->SetWidth(AHeights[1]);
    if (TubDockControl* d = sideDocks_[dsTop]) d->SetHeight(AHeights[2]);
    if (TubDockControl* d = sideDocks_[dsBottom]) d->SetHeight(AHeights[3]);
}

TPersistent* TubBars::GetOwner() const { return barManager_; }

// ---- moving a bar with the mouse

namespace {

// The bars whose bar is moving: the docking timer's callback finds them here.
TubBars* BarsInMotion = nullptr;

void DockingTimerProc(HWND /*Window*/, UINT /*Msg*/, UINT_PTR /*Id*/, DWORD /*Time*/) {
    if (BarsInMotion != nullptr) BarsInMotion->DockingTimerFired();
}

TPoint CursorPoint() {
    POINT p;
    GetCursorPos(&p);
    return TPoint{p.x, p.y};
}

// Where the pointer was at the message that started the move (the press on the grip).
TPoint MessagePoint() {
    const DWORD pos = GetMessagePos();
    return TPoint{static_cast<short>(LOWORD(pos)), static_cast<short>(HIWORD(pos))};
}

bool IsKeyMessage(UINT Msg) {
    return Msg == WM_KEYDOWN || Msg == WM_KEYUP || Msg == WM_SYSKEYDOWN || Msg == WM_SYSKEYUP;
}

}  // namespace

HWND TubBars::CaptureWindow() const {
    // The customizing form takes the pointer while it is open; it comes with the customizing form.
    TCustomForm* form = barManager_->Form();
    return form != nullptr && form->HandleAllocated() ? form->GetHandle() : nullptr;
}

TubDockControl* TubBars::DockAt(TubBar* ABar, TPoint P) {
    TubBarManager* m = barManager_;
    for (TubBarDockingStyle side : {dsLeft, dsRight, dsTop, dsBottom})
        for (int i = 0; i < m->DockControlCount(); ++i) {
            TubDockControl* dock = m->DockControls(i);
            if (dock->DockingStyle() != side || !(dock->CanFocus() || m->Designing())) continue;
            if (!m->CanDock(ABar, side, dock)) continue;
            const TRect hit = dock->HitRect();
            if (!PtInRect(&hit, P)) continue;
            // A dock on a container counts only where its container is the window under the point.
            TWinControl* parent = dock->GetParent();
            if (parent != nullptr && parent->GetParent() != nullptr) {
                TWinControl* grand = parent->GetParent();
                POINT q{P.x, P.y};
                ScreenToClient(grand->GetHandle(), &q);
                if (ChildWindowFromPointEx(grand->GetHandle(), q, CWP_SKIPINVISIBLE) != parent->GetHandle()) continue;
            }
            return dock;
        }
    return nullptr;
}

void TubBars::MoveBar(IubDockedBarWindow* AWindow) {
    TubBar* bar = AWindow != nullptr ? AWindow->DockedBar() : nullptr;
    if (moving_ || bar == nullptr || barManager_ == nullptr || !bar->CanMove()) return;
    TubBarManager* m = barManager_;
    TWinControl* window = AWindow->DockedWindow();
    TuiObjectLinkScope alive(window);

    TubDockControl* dock = AWindow->WindowDockControl();
    if (dock != nullptr)
        if (TubDockCol* col = dock->FindCol(AWindow)) col->Position = TPoint{bar->GetDockedLeft(), bar->GetDockedTop()};
    moving_ = true;
    m->MovingWindow = AWindow;
    BarsInMotion = this;
    AWindow->SetMoving(true);
    const HWND capture = CaptureWindow();
    TScopeExit leave([&] {
        StopDockingTimer();
        if (capture != nullptr && GetCapture() == capture) ReleaseCapture();
        if (alive.Alive()) {
            AWindow->SetMoving(false);
            if (TubDockControl* d = AWindow->WindowDockControl()) d->StorePositions();
        }
        moving_ = false;
        m->MovingWindow = nullptr;
        BarsInMotion = nullptr;
    });

    const TPoint cursor = MessagePoint();
    moveStartStyle_ = AWindow->WindowDockingStyle();
    m->MoveCursorOffset = TPoint{0, 0};
    moveStartPoint_ = TPoint{0, 0};
    if (dock != nullptr) {
        // The pointer is offset across the dock so that the bar's drag point sits where its row is hit.
        const TPoint hot = dock->ClientToScreen(dock->HotPointWithout(AWindow, dock->ScreenToClient(cursor)));
        if (dock->Horizontal()) m->MoveCursorOffset.y = hot.y - cursor.y;
        else m->MoveCursorOffset.x = hot.x - cursor.x;
    }
    RECT wr;
    GetWindowRect(window->GetHandle(), &wr);
    moveStartPoint_ = TPoint{cursor.x - wr.left, cursor.y - wr.top};

    if (capture == nullptr) return;
    // The pointer is held before the pending paints run, so that no pointer input is lost meanwhile.
    SetCapture(capture);
    MSG msg;
    for (int n = 0; n < 100 && PeekMessage(&msg, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE); ++n) DispatchMessage(&msg);
    TPoint last = cursor;
    while (GetCapture() == capture && alive.Alive()) {
        if (!GetMessage(&msg, nullptr, 0, 0)) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (!alive.Alive()) break;
        const TPoint offset = m->MoveCursorOffset;
        if (IsKeyMessage(msg.message)) {
            // Ctrl pressed or released decides again at once whether the bar may dock.
            if (msg.wParam == VK_CONTROL) {
                last = CursorPoint();
                MoveStep(TPoint{last.x + offset.x, last.y + offset.y}, false);
            }
            if (msg.wParam == VK_ESCAPE) break;
            continue;
        }
        if (msg.message == WM_MOUSEMOVE) {
            const TPoint p{msg.pt.x, msg.pt.y};
            if (p != last) {
                last = p;
                MoveStep(TPoint{p.x + offset.x, p.y + offset.y}, false);
            }
            continue;
        }
        if (msg.message == WM_LBUTTONUP) break;
        TranslateMessage(&msg);
        DispatchMessage(&msg);
    }
}

void TubBars::StopDockingTimer() {
    if (dockingTimer_ != 0) KillTimer(nullptr, dockingTimer_);
    dockingTimer_ = 0;
}

void TubBars::DockingTimerFired() {
    StopDockingTimer();
    if (!moving_) return;
    const TPoint c = CursorPoint();
    dockingDeferred_ = true;
    TScopeExit clear([this] { dockingDeferred_ = false; });
    MoveStep(TPoint{c.x + barManager_->MoveCursorOffset.x, c.y + barManager_->MoveCursorOffset.y}, true);
}

void TubBars::MoveStep(TPoint P, bool FromDockingTimer) {
    TubBarManager* m = barManager_;
    IubDockedBarWindow* w = m->MovingWindow;
    if (w == nullptr) return;
    TubBar* bar = w->DockedBar();
    const TPoint offset = m->MoveCursorOffset;
    TubDockControl* target = nullptr;
    if (GetKeyState(VK_CONTROL) >= 0) {
        target = DockAt(bar, P);
        if (target == nullptr) target = DockAt(bar, TPoint{P.x - offset.x, P.y - offset.y});
    }
    TubBarDockingStyle style = target != nullptr ? target->DockingStyle() : dsNone;
    if (!m->CanDock(bar, style, target)) return;
    const TubBarDockingStyle current = w->WindowDockingStyle();
    if (current == dsNone && target != nullptr && !FromDockingTimer) {
        // A floating bar docks only once the pointer rests over the dock.
        StopDockingTimer();
        dockingTimer_ = SetTimer(nullptr, 0, static_cast<UINT>(m->GetWaitForDockingTime()), DockingTimerProc);
        target = nullptr;
        style = dsNone;
    }
    if (target == nullptr) P = TPoint{P.x - offset.x, P.y - offset.y};
    TWinControl* window = w->DockedWindow();
    if (style == current && target == w->WindowDockControl()) {
        if (target != nullptr) {
            target->MoveBar(w, P);
        } else {
            const TPoint grab = w->GrabPoint(dsNone);
            window->SetBounds(P.x - grab.x, P.y - grab.y, window->GetWidth(), window->GetHeight());
        }
        return;
    }
    window->SetVisible(false);
    if (TubDockControl* old = w->WindowDockControl()) {
        old->RemoveBar(w, nullptr, true);
        bar->GetItemLinks()->SetRecentItemCount(-1);
    }
    if (target != nullptr) {
        {
            TubBarUpdateLock lock(m);
            w->ChangeDock(style, target);
        }
        target->InsertBar(w, P, true);
    } else {
        w->ChangeDock(dsNone, nullptr);
        const TSize size = w->FloatingSize();
        const TPoint grab = w->GrabPoint(dsNone);
        window->SetBounds(P.x - grab.x, P.y - grab.y, size.cx, size.cy);
    }
    // The change is told to the manager's handlers, which may hide the bar: its window is gone then.
    TuiObjectLinkScope alive(window);
    bar->SetDockingStyleAndControl(style, dynamic_cast<TubBarDockControl*>(target));
    if (!alive.Alive()) {
        m->MovingWindow = nullptr;
        return;
    }
    window->SetVisible(true);
}

}  // namespace zel
