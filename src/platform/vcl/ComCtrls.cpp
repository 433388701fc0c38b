#include "platform/vcl/ComCtrls.h"

#include "platform/vcl/FormReader.h"
#include "platform/vcl/Forms.h"
#include "platform/vcl/VclGraphics.h"

namespace zel {

// ----------------------------------------------------------------------------------------------- TTabSheet

TTabSheet::TTabSheet(TComponent* AOwner) : TCustomControl(AOwner) {
    ControlStyle.Include(csAcceptsControls);
    SetBounds(0, 0, 200, 150);
}

TPageControl* TTabSheet::PageControl() const { return dynamic_cast<TPageControl*>(GetParent()); }

int TTabSheet::PageIndex() const {
    const TPageControl* owner = PageControl();
    if (owner == nullptr) return -1;
    const std::vector<TTabSheet*> sheets = owner->Sheets();
    for (std::size_t i = 0; i < sheets.size(); ++i)
        if (sheets[i] == this) return static_cast<int>(i);
    return -1;
}

void TTabSheet::SetTabVisible(bool Value) {
    if (Value == tabVisible_) return;
    tabVisible_ = Value;
    if (TPageControl* owner = PageControl()) owner->TabVisibilityChanged(this);
}

void TTabSheet::Paint() {
    TCanvas* c = Canvas();
    c->Brush()->SetColor(GetColor());
    c->FillRect(GetClientRect());
}

// -------------------------------------------------------------------------------------------- TPageControl

TPageControl::TPageControl(TComponent* AOwner) : TCustomControl(AOwner) {
    ControlStyle.Include(csAcceptsControls);
    TabStop = true;
    SetBounds(0, 0, 289, 193);
}

std::vector<TTabSheet*> TPageControl::Sheets() const {
    std::vector<TTabSheet*> sheets;
    for (int i = 0; i < ControlCount(); ++i)
        if (auto* sheet = dynamic_cast<TTabSheet*>(Controls(i))) sheets.push_back(sheet);
    return sheets;
}

TTabSheet* TPageControl::Pages(int Index) const {
    const std::vector<TTabSheet*> sheets = Sheets();
    if (Index < 0 || static_cast<std::size_t>(Index) >= sheets.size()) return nullptr;
    return sheets[static_cast<std::size_t>(Index)];
}

void TPageControl::SetActivePage(TTabSheet* Value) {
    if (Value == activePage_) return;
    if (Value != nullptr && (Value->PageControl() != this || !Value->GetTabVisible())) return;
    if (activePage_ != nullptr) activePage_->RemoveFreeNotification(this);
    activePage_ = Value;
    if (activePage_ != nullptr) activePage_->FreeNotification(this);
    ArrangeSheets();
    Invalidate();
}

TTabSheet* TPageControl::NextWithTab(int Index) const {
    const std::vector<TTabSheet*> sheets = Sheets();
    const int n = static_cast<int>(sheets.size());
    for (int k = 1; k <= n; ++k) {
        TTabSheet* sheet = sheets[static_cast<std::size_t>(((Index + k) % n + n) % n)];
        if (sheet->GetTabVisible()) return sheet;
    }
    return nullptr;
}

void TPageControl::TabVisibilityChanged(TTabSheet* ASheet) {
    if (ASheet == activePage_ && !ASheet->GetTabVisible()) {
        TTabSheet* next = NextWithTab(ASheet->PageIndex());
        SetActivePage(nullptr);
        SetActivePage(next);
    } else if (activePage_ == nullptr && ASheet->GetTabVisible()) {
        SetActivePage(ASheet);
    }
    ArrangeSheets();
    Invalidate();
}

void TPageControl::Notification(TComponent* AComponent, TOperation Operation) {
    TCustomControl::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == activePage_) activePage_ = nullptr;
}

void TPageControl::Loaded() {
    TCustomControl::Loaded();
    if (activePage_ == nullptr) SetActivePage(NextWithTab(-1));
    ArrangeSheets();
}

void TPageControl::Resize() {
    TCustomControl::Resize();
    ArrangeSheets();
}

void TPageControl::ArrangeSheets() {
    for (TTabSheet* sheet : Sheets()) {
        sheet->SetBounds(4, TabHeight + 4, GetWidth() - 8, GetHeight() - TabHeight - 8);
        sheet->SetVisible(sheet == activePage_);
    }
}

TRect TPageControl::TabRect(int Index) {
    TCanvas* c = Canvas();
    c->Font()->Assign(Font());
    int left = 2;
    const std::vector<TTabSheet*> sheets = Sheets();
    for (int i = 0; i < static_cast<int>(sheets.size()); ++i) {
        const TTabSheet* sheet = sheets[static_cast<std::size_t>(i)];
        if (!sheet->GetTabVisible()) continue;
        const int width = c->TextWidth(sheet->Caption()) + 12;
        if (i == Index) return TRect{left, 2, left + width, TabHeight + 1};
        left += width;
    }
    return TRect{0, 0, 0, 0};
}

int TPageControl::IndexOfTabAt(int X, int Y) {
    for (int i = 0; i < PageCount(); ++i) {
        const TRect r = TabRect(i);
        if (X >= r.left && X < r.right && Y >= r.top && Y <= r.bottom) return i;
    }
    return -1;
}

void TPageControl::Paint() {
    TCanvas* c = Canvas();
    const TRect client = GetClientRect();
    c->Brush()->SetColor(GetColor());
    c->FillRect(client);
    // The frame of the sheets: raised, open under the active tab.
    RECT frame{0, TabHeight, client.right, client.bottom};
    DrawEdge(c->GetHandle(), &frame, EDGE_RAISED, BF_RECT);
    const int active = GetActivePageIndex();
    const auto drawTab = [&](int i) {
        TRect r = TabRect(i);
        if (r.right <= r.left) return;
        // The active tab stands two pixels higher and wider, over the frame's top line.
        if (i == active) r = TRect{r.left - 2, r.top - 2, r.right + 2, r.bottom + 1};
        RECT tab{r.left, r.top, r.right, r.bottom + 1};
        c->Brush()->SetColor(GetColor());
        c->FillRect(TRect{tab.left, tab.top, tab.right, tab.bottom});
        DrawEdge(c->GetHandle(), &tab, EDGE_RAISED, BF_LEFT | BF_TOP | BF_RIGHT | BF_SOFT);
        c->Brush()->SetStyle(bsClear);
        c->Font()->Assign(Font());
        const std::string text = Pages(i)->Caption();
        c->TextOut((r.left + r.right - c->TextWidth(text)) / 2, (r.top + r.bottom - c->TextHeight(text)) / 2, text);
        c->Brush()->SetStyle(bsSolid);
    };
    // The active tab comes last: it overlaps its neighbours, never they it.
    for (int i = 0; i < PageCount(); ++i)
        if (i != active) drawTab(i);
    if (active >= 0) drawTab(active);
}

void TPageControl::UserSelect(TTabSheet* ASheet) {
    if (ASheet == nullptr || ASheet == activePage_) return;
    SetActivePage(ASheet);
    if (OnChange) OnChange(this);
}

void TPageControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TCustomControl::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft || Y > TabHeight) return;
    UserSelect(Pages(IndexOfTabAt(X, Y)));
}

void RegisterComCtrlsClasses() {
    RegisterComponent<TTabSheet>("TTabSheet", "TWinControl")
        .Bool("TabVisible", [](TTabSheet& c, bool v) { c.SetTabVisible(v); })
        .Ignore("ImageIndex");
    RegisterComponent<TPageControl>("TPageControl", "TWinControl")
        .Custom("ActivePage",
                [](TPageControl& c, const TFormValue& v, TReadContext& ctx) {
                    const std::string name = ctx.Ident(v);
                    TReadContext* context = &ctx;
                    const int line = ctx.Line;
                    ctx.Fixups.push_back([&c, name, context, line] {
                        auto* sheet = dynamic_cast<TTabSheet*>(context->Root->FindComponent(name));
                        context->Line = line;
                        if (sheet == nullptr) context->Error("Invalid property value " + name + " for ActivePage");
                        c.SetActivePage(sheet);
                    });
                })
        .Int("TabHeight", [](TPageControl& c, int v) { c.TabHeight = v; })
        .Event("OnChange", &TPageControl::OnChange);
}

}  // namespace zel
