#include "platform/vcl/TabNotbk.h"

#include "platform/vcl/FormReader.h"
#include "platform/vcl/VclGraphics.h"

namespace zel {

// ------------------------------------------------------------------------------------------------ TTabPage

TTabPage::TTabPage(TComponent* AOwner) : TCustomControl(AOwner) {
    ControlStyle.Include(csAcceptsControls);
    SetBounds(0, 0, 200, 150);
}

void TTabPage::Paint() {
    TCanvas* c = Canvas();
    c->Brush()->SetColor(GetColor());
    c->FillRect(GetClientRect());
}

// ----------------------------------------------------------------------------------------- TTabbedNotebook

TTabbedNotebook::TTabbedNotebook(TComponent* AOwner) : TCustomControl(AOwner) {
    ControlStyle.Include(csAcceptsControls);
    SetBounds(0, 0, 300, 250);
}

std::vector<TTabPage*> TTabbedNotebook::Pages() const {
    std::vector<TTabPage*> pages;
    for (int i = 0; i < ControlCount(); ++i)
        if (auto* page = dynamic_cast<TTabPage*>(Controls(i))) pages.push_back(page);
    return pages;
}

TTabPage* TTabbedNotebook::Page(int Index) const {
    const std::vector<TTabPage*> pages = Pages();
    if (Index < 0 || static_cast<std::size_t>(Index) >= pages.size()) return nullptr;
    return pages[static_cast<std::size_t>(Index)];
}

void TTabbedNotebook::SetPageIndex(int Value) {
    if (Value < 0 || Value >= PageCount()) return;
    pageIndex_ = Value;
    ArrangePages();
    Invalidate();
}

void TTabbedNotebook::Loaded() {
    TCustomControl::Loaded();
    if (pageIndex_ >= PageCount()) pageIndex_ = 0;
    ArrangePages();
}

void TTabbedNotebook::Resize() {
    TCustomControl::Resize();
    ArrangePages();
}

void TTabbedNotebook::ArrangePages() {
    const std::vector<TTabPage*> pages = Pages();
    for (std::size_t i = 0; i < pages.size(); ++i) {
        TTabPage* page = pages[i];
        page->SetBounds(4, TabHeight + 4, GetWidth() - 8, GetHeight() - TabHeight - 8);
        page->SetVisible(static_cast<int>(i) == pageIndex_);
    }
}

TRect TTabbedNotebook::TabRect(int Index) {
    TCanvas* c = Canvas();
    c->Font()->Assign(Font());
    int left = 2;
    const std::vector<TTabPage*> pages = Pages();
    for (int i = 0; i < static_cast<int>(pages.size()); ++i) {
        const int width = c->TextWidth(pages[static_cast<std::size_t>(i)]->Caption()) + 20;
        if (i == Index) return TRect{left, 2, left + width, TabHeight + 1};
        left += width;
    }
    return TRect{0, 0, 0, 0};
}

void TTabbedNotebook::Paint() {
    TCanvas* c = Canvas();
    c->Brush()->SetColor(GetColor());
    c->FillRect(GetClientRect());
    // The page frame: light on the top and left, dark on the bottom and right.
    const int top = TabHeight;
    c->Pen()->SetColor(clBtnHighlight);
    c->MoveTo(0, GetHeight() - 1);
    c->LineTo(0, top);
    c->LineTo(GetWidth() - 1, top);
    c->Pen()->SetColor(clBtnShadow);
    c->LineTo(GetWidth() - 1, GetHeight() - 1);
    c->LineTo(0, GetHeight() - 1);
    const std::vector<TTabPage*> pages = Pages();
    for (int i = 0; i < static_cast<int>(pages.size()); ++i) {
        TRect r = TabRect(i);
        const bool current = i == pageIndex_;
        // The current tab stands two pixels higher and opens into its page.
        if (!current) r.top += 2;
        c->Brush()->SetColor(GetColor());
        c->FillRect(TRect{r.left, r.top, r.right, r.bottom + (current ? 1 : 0)});
        c->Pen()->SetColor(clBtnHighlight);
        c->MoveTo(r.left, r.bottom);
        c->LineTo(r.left, r.top);
        c->LineTo(r.right - 1, r.top);
        c->Pen()->SetColor(clBtnShadow);
        c->LineTo(r.right - 1, r.bottom);
        c->Brush()->SetStyle(bsClear);
        c->Font()->Assign(Font());
        const std::string text = pages[static_cast<std::size_t>(i)]->Caption();
        c->TextOut(r.left + 10, r.top + (r.bottom - r.top - c->TextHeight(text)) / 2, text);
        c->Brush()->SetStyle(bsSolid);
    }
}

void TTabbedNotebook::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TCustomControl::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft || Y > TabHeight) return;
    for (int i = 0; i < PageCount(); ++i) {
        const TRect r = TabRect(i);
        if (X < r.left || X >= r.right || Y < r.top || Y > r.bottom) continue;
        if (i == pageIndex_) return;
        bool allow = true;
        if (OnChange) OnChange(this, i, allow);
        if (allow) SetPageIndex(i);
        return;
    }
}

void RegisterTabNotbkClasses() {
    RegisterComponent<TTabPage>("TTabPage", "TWinControl");
    RegisterComponent<TTabbedNotebook>("TTabbedNotebook", "TWinControl")
        .Int("PageIndex", [](TTabbedNotebook& c, int v) { c.SetPageIndex(v); })
        .Custom("TabFont.Charset", [](TTabbedNotebook&, const TFormValue&, TReadContext&) {})
        .Custom("TabFont.Color", [](TTabbedNotebook&, const TFormValue&, TReadContext&) {})
        .Custom("TabFont.Height", [](TTabbedNotebook&, const TFormValue&, TReadContext&) {})
        .Custom("TabFont.Name", [](TTabbedNotebook&, const TFormValue&, TReadContext&) {})
        .Custom("TabFont.Style", [](TTabbedNotebook&, const TFormValue&, TReadContext&) {})
        .Event("OnChange", &TTabbedNotebook::OnChange);
}

}  // namespace zel
