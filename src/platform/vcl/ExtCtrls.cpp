#include "platform/vcl/ExtCtrls.h"

#include "platform/vcl/FormReader.h"

#include <algorithm>

namespace zel {

// ------------------------------------------------------------------------------------------ TCustomPanel

TCustomPanel::TCustomPanel(TComponent* AOwner) : TCustomControl(AOwner) {
    width_ = 185;
    height_ = 41;
}

void TCustomPanel::SetBevelOuter(TBevelCut Value) {
    bevelOuter_ = Value;
    Realign();
    Invalidate();
}

void TCustomPanel::SetBevelInner(TBevelCut Value) {
    bevelInner_ = Value;
    Realign();
    Invalidate();
}

void TCustomPanel::SetBevelWidth(int Value) {
    bevelWidth_ = std::max(1, Value);
    Realign();
    Invalidate();
}

void TCustomPanel::SetBorderWidth(int Value) {
    borderWidth_ = std::max(0, Value);
    Realign();
    Invalidate();
}

void TCustomPanel::SetAlignment(TAlignment Value) {
    alignment_ = Value;
    Invalidate();
}

void TCustomPanel::SetBorderStyle(TBorderStyle Value) {
    if (borderStyle_ == Value) return;
    borderStyle_ = Value;
    if (HandleAllocated()) RecreateWnd();
}

void TCustomPanel::CreateParams(TCreateParams& Params) {
    TCustomControl::CreateParams(Params);
    if (borderStyle_ != bsSingle) return;
    if (GetCtl3D()) Params.ExStyle |= WS_EX_CLIENTEDGE;
    else Params.Style |= WS_BORDER;
}

void TCustomPanel::AlignControls(TControl* AControl, TRect& Rect) {
    int inset = borderWidth_;
    if (bevelOuter_ != bvNone) inset += bevelWidth_;
    if (bevelInner_ != bvNone) inset += bevelWidth_;
    InflateRect(&Rect, -inset, -inset);
    TCustomControl::AlignControls(AControl, Rect);
}

namespace {

void Frame3D(TCanvas* c, TRect& r, TColor topLeft, TColor bottomRight, int width) {
    for (int i = 0; i < width; ++i) {
        c->Pen()->SetColor(topLeft);
        c->MoveTo(r.left, r.bottom - 1);
        c->LineTo(r.left, r.top);
        c->LineTo(r.right - 1, r.top);
        c->Pen()->SetColor(bottomRight);
        c->LineTo(r.right - 1, r.bottom - 1);
        c->LineTo(r.left - 1, r.bottom - 1);
        InflateRect(&r, -1, -1);
    }
}

TColor BevelTop(TBevelCut cut) { return cut == bvLowered ? clBtnShadow : clBtnHighlight; }
TColor BevelBottom(TBevelCut cut) { return cut == bvLowered ? clBtnHighlight : clBtnShadow; }

}  // namespace

void TCustomPanel::Paint() {
    TCanvas* c = Canvas();
    TRect r = GetClientRect();
    c->Brush()->SetColor(GetColor());
    c->FillRect(r);
    if (bevelOuter_ != bvNone && bevelOuter_ != bvSpace)
        Frame3D(c, r, BevelTop(bevelOuter_), BevelBottom(bevelOuter_), bevelWidth_);
    else if (bevelOuter_ == bvSpace) InflateRect(&r, -bevelWidth_, -bevelWidth_);
    InflateRect(&r, -borderWidth_, -borderWidth_);
    if (bevelInner_ != bvNone && bevelInner_ != bvSpace)
        Frame3D(c, r, BevelTop(bevelInner_), BevelBottom(bevelInner_), bevelWidth_);
    std::string text = GetText();
    if (text.empty()) return;
    c->Brush()->SetStyle(bsClear);
    c->MoveTo(0, 0);
    HDC dc = c->GetHandle();
    SetTextColor(dc, ColorToCOLORREF(GetEnabled() ? Font()->GetColor() : clGrayText));
    UINT align = alignment_ == taLeftJustify ? DT_LEFT : alignment_ == taRightJustify ? DT_RIGHT : DT_CENTER;
    DrawText(dc, text, static_cast<int>(text.size()), &r, align | DT_VCENTER | DT_SINGLELINE);
}

// --------------------------------------------------------------------------------------------- TPaintBox

TPaintBox::TPaintBox(TComponent* AOwner) : TGraphicControl(AOwner) {
    width_ = 105;
    height_ = 105;
}

void TPaintBox::Paint() {
    if (OnPaint) OnPaint(this);
}

// ------------------------------------------------------------------------------------------------ TBevel

TBevel::TBevel(TComponent* AOwner) : TGraphicControl(AOwner) {
    width_ = 50;
    height_ = 50;
}

void TBevel::SetShape(TBevelShape Value) {
    shape_ = Value;
    Invalidate();
}

void TBevel::SetStyle(TBevelStyle Value) {
    style_ = Value;
    Invalidate();
}

void TBevel::Paint() {
    if (shape_ == bsSpacer) return;
    TCanvas* c = Canvas();
    const TColor first = style_ == bsLowered ? clBtnShadow : clBtnHighlight;
    const TColor second = style_ == bsLowered ? clBtnHighlight : clBtnShadow;
    TRect r = GetClientRect();
    auto line = [c](TColor color, int x1, int y1, int x2, int y2) {
        c->Pen()->SetColor(color);
        c->MoveTo(x1, y1);
        c->LineTo(x2, y2);
    };
    switch (shape_) {
        case bsBox: Frame3D(c, r, first, second, 1); break;
        case bsFrame: {
            TRect outer = r;
            outer.right -= 1;
            outer.bottom -= 1;
            TRect inner = Rect(r.left + 1, r.top + 1, r.right, r.bottom);
            Frame3D(c, outer, first, first, 1);
            Frame3D(c, inner, second, second, 1);
            break;
        }
        case bsTopLine:
            line(first, 0, 0, r.right, 0);
            line(second, 0, 1, r.right, 1);
            break;
        case bsBottomLine:
            line(first, 0, r.bottom - 2, r.right, r.bottom - 2);
            line(second, 0, r.bottom - 1, r.right, r.bottom - 1);
            break;
        case bsLeftLine:
            line(first, 0, 0, 0, r.bottom);
            line(second, 1, 0, 1, r.bottom);
            break;
        case bsRightLine:
            line(first, r.right - 2, 0, r.right - 2, r.bottom);
            line(second, r.right - 1, 0, r.right - 1, r.bottom);
            break;
        default: break;
    }
}

// ------------------------------------------------------------------------------------------------ TImage

TImage::TImage(TComponent* AOwner) : TGraphicControl(AOwner), picture_(new TBitmap) {
    width_ = 105;
    height_ = 105;
    picture_->Canvas()->OnChange = [this](TObject*) { Invalidate(); };
}

TImage::~TImage() { delete picture_; }

TCanvas* TImage::ImageCanvas() {
    if (picture_->Empty()) picture_->SetSize(GetWidth(), GetHeight());
    return picture_->Canvas();
}

void TImage::SetStretch(bool Value) {
    stretch_ = Value;
    Invalidate();
}

void TImage::SetCenter(bool Value) {
    center_ = Value;
    Invalidate();
}

void TImage::Paint() {
    if (picture_->Empty()) return;
    TCanvas* c = Canvas();
    if (stretch_) {
        c->StretchDraw(GetClientRect(), picture_);
        return;
    }
    int x = center_ ? (GetWidth() - picture_->GetWidth()) / 2 : 0;
    int y = center_ ? (GetHeight() - picture_->GetHeight()) / 2 : 0;
    // A transparent picture leaves the background wherever it has the colour of its bottom-left pixel.
    if (Transparent) c->DrawTransparent(x, y, picture_);
    else c->Draw(x, y, picture_);
}

// ------------------------------------------------------------------------------------------------ TTimer

TTimer::TTimer(TComponent* AOwner) : TComponent(AOwner) {
    window_ = AllocateHWnd([this](TMessage& m) { WndProc(m); });
}

TTimer::~TTimer() {
    if (running_) KillTimer(window_, 1);
    running_ = false;
    DeallocateHWnd(window_);
}

void TTimer::WndProc(TMessage& Msg) {
    if (Msg.Msg == WM_TIMER) {
        try {
            Timer();
        } catch (const std::exception& e) {
            HandleApplicationException(e);
        }
        return;
    }
    Msg.Result = DefWindowProc(window_, Msg.Msg, Msg.WParam, Msg.LParam);
}

void TTimer::UpdateTimer() {
    if (running_) KillTimer(window_, 1);
    running_ = false;
    if (ComponentState().Contains(csLoading)) return;
    if (enabled_ && interval_ != 0 && onTimer_) running_ = SetTimer(window_, 1, interval_, nullptr) != 0;
}

void TTimer::SetEnabled(bool Value) {
    if (Value == enabled_ && running_ == (Value && interval_ != 0 && onTimer_)) return;
    enabled_ = Value;
    UpdateTimer();
}

void TTimer::SetInterval(UINT Value) {
    if (Value == interval_) return;
    interval_ = Value;
    UpdateTimer();
}

void TTimer::SetOnTimer(TNotifyEvent Value) {
    onTimer_ = std::move(Value);
    UpdateTimer();
}

void TTimer::Loaded() {
    TComponent::Loaded();
    UpdateTimer();
}

void TTimer::Timer() {
    if (enabled_ && onTimer_) {
        TNotifyEvent handler = onTimer_;  // the handler may replace itself
        handler(this);
    }
}

// ------------------------------------------------------------------------------------------------ THeader

namespace {
constexpr int kDefaultSectionWidth = 100;
}  // namespace

THeader::THeader(TComponent* AOwner) : TCustomControl(AOwner), sections_(new TStringList) {
    width_ = 250;
    height_ = 25;
    sections_->OnChange = [this](TObject*) { SectionsChanged(); };
}

THeader::~THeader() { delete sections_; }

void THeader::SectionsChanged() {
    widths_.resize(static_cast<std::size_t>(sections_->GetCount()), kDefaultSectionWidth);
    Invalidate();
}

int THeader::GetSectionWidth(int Index) const {
    if (Index < 0 || Index >= static_cast<int>(widths_.size())) return 0;
    return widths_[static_cast<std::size_t>(Index)];
}

void THeader::SetSectionWidth(int Index, int Value) {
    if (Index < 0 || Index >= static_cast<int>(widths_.size())) return;
    widths_[static_cast<std::size_t>(Index)] = std::max(0, Value);
    Invalidate();
}

void THeader::SetBorderStyle(TBorderStyle Value) {
    if (borderStyle_ == Value) return;
    borderStyle_ = Value;
    if (HandleAllocated()) RecreateWnd();
}

void THeader::CreateParams(TCreateParams& Params) {
    TCustomControl::CreateParams(Params);
    if (borderStyle_ == bsSingle) Params.Style |= WS_BORDER;
}

void THeader::Paint() {
    TCanvas* c = Canvas();
    const TRect client = GetClientRect();
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(clBtnFace);
    c->FillRect(client);
    int left = 0;
    const int count = sections_->GetCount();
    for (int i = 0; i < count && left < client.right; ++i) {
        TRect r{left, 0,
                i == count - 1 ? std::max(static_cast<int>(client.right), left + GetSectionWidth(i))
                               : left + GetSectionWidth(i),
                client.bottom};
        left = r.right;
        c->Brush()->SetStyle(bsSolid);
        c->Brush()->SetColor(clBtnFace);
        c->FillRect(r);
        DrawEdge(c->GetHandle(), &r, EDGE_RAISED, BF_RECT);
        TRect text = r;
        InflateRect(&text, -4, -2);
        c->Brush()->SetStyle(bsClear);
        HDC dc = c->GetHandle();
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, ColorToCOLORREF(GetEnabled() ? Font()->GetColor() : clGrayText));
        const std::string title = sections_->Get(i);
        DrawText(dc, title, -1, &text, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
    if (left < client.right) {
        TRect rest{left, 0, client.right, client.bottom};
        DrawEdge(c->GetHandle(), &rest, EDGE_RAISED, BF_RECT);
    }
}

// ------------------------------------------------------------------------------------------- form classes

namespace {
const std::vector<std::pair<std::string, TBevelCut>> kBevels = {
    {"bvNone", bvNone}, {"bvLowered", bvLowered}, {"bvRaised", bvRaised}, {"bvSpace", bvSpace}};
}  // namespace

void RegisterExtCtrlsClasses() {
    RegisterComponent<TBevel>("TBevel", "TControl")
        .Enum<TBevelShape>("Shape",
                           {{"bsBox", bsBox},
                            {"bsFrame", bsFrame},
                            {"bsTopLine", bsTopLine},
                            {"bsBottomLine", bsBottomLine},
                            {"bsLeftLine", bsLeftLine},
                            {"bsRightLine", bsRightLine},
                            {"bsSpacer", bsSpacer}},
                           [](TBevel& c, TBevelShape v) { c.SetShape(v); })
        .Enum<TBevelStyle>("Style", {{"bsLowered", bsLowered}, {"bsRaised", bsRaised}},
                           [](TBevel& c, TBevelStyle v) { c.SetStyle(v); });

    RegisterComponent<TImage>("TImage", "TControl")
        .Bool("Stretch", [](TImage& c, bool v) { c.SetStretch(v); })
        .Bool("Center", [](TImage& c, bool v) { c.SetCenter(v); })
        .Bool("Transparent", [](TImage& c, bool v) { c.Transparent = v; })
        .SubObject("Picture", "TBitmap", [](TImage& c) { return c.Picture(); });

    RegisterComponent<TPanel>("TPanel", "TWinControl")
        .Enum<TBevelCut>("BevelOuter", kBevels, [](TPanel& c, TBevelCut v) { c.SetBevelOuter(v); })
        .Enum<TBevelCut>("BevelInner", kBevels, [](TPanel& c, TBevelCut v) { c.SetBevelInner(v); })
        .Int("BevelWidth", [](TPanel& c, int v) { c.SetBevelWidth(v); })
        .Int("BorderWidth", [](TPanel& c, int v) { c.SetBorderWidth(v); })
        .Enum<TBorderStyle>("BorderStyle", BorderStyleNames(), [](TPanel& c, TBorderStyle v) { c.SetBorderStyle(v); })
        .Enum<TAlignment>("Alignment", AlignmentNames(), [](TPanel& c, TAlignment v) { c.SetAlignment(v); });

    RegisterComponent<TPaintBox>("TPaintBox", "TControl").Event("OnPaint", &TPaintBox::OnPaint);

    RegisterComponent<THeader>("THeader", "TWinControl")
        .Custom("Sections.Strings",
                [](THeader& c, const TFormValue& v, TReadContext& ctx) { ReadStrings(*c.Sections(), v, ctx); })
        .Bool("AllowResize", [](THeader& c, bool v) { c.AllowResize = v; })
        .Enum<TBorderStyle>("BorderStyle", BorderStyleNames(), [](THeader& c, TBorderStyle v) { c.SetBorderStyle(v); });

    RegisterComponent<TTimer>("TTimer", "TComponent")
        .Bool("Enabled", [](TTimer& c, bool v) { c.SetEnabled(v); })
        .Int("Interval", [](TTimer& c, int v) { c.SetInterval(static_cast<UINT>(v)); })
        .Custom("OnTimer", [](TTimer& c, const TFormValue& v, TReadContext& ctx) {
            c.SetOnTimer(ctx.Handler<TNotifyEvent>(v, "OnTimer"));
        });
}

}  // namespace zel
