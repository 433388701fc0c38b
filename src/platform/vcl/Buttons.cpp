#include "platform/vcl/Buttons.h"

#include "platform/vcl/FormReader.h"

#include "platform/vcl/Forms.h"

namespace zel {

namespace {

struct TKindInfo {
    const char* caption;
    TModalResult result;
};

const TKindInfo& KindInfo(TBitBtnKind kind) {
    static const TKindInfo info[] = {
        {"", mrNone},        {"OK", mrOk},          {"Cancel", mrCancel}, {"&Help", mrNone},
        {"&Yes", mrYes},     {"&No", mrNo},         {"&Close", mrNone},   {"Abort", mrAbort},
        {"&Retry", mrRetry}, {"&Ignore", mrIgnore}, {"&All", mrAll},
    };
    return info[kind];
}

bool IsKindCaption(const std::string& caption) {
    for (int k = bkOK; k <= bkAll; ++k)
        if (caption == KindInfo(static_cast<TBitBtnKind>(k)).caption) return true;
    return false;
}

}  // namespace

TBitBtn::TBitBtn(TComponent* AOwner) : TButton(AOwner), glyph_(new TBitmap) {}

TBitBtn::~TBitBtn() { delete glyph_; }

void TBitBtn::SetKind(TBitBtnKind Value) {
    if (Value == kind_) return;
    kind_ = Value;
    if (Value == bkCustom) return;
    const TKindInfo& info = KindInfo(Value);
    if (GetText().empty() || IsKindCaption(GetText())) SetCaption(info.caption);
    ModalResult = info.result;
    if (Value == bkOK || Value == bkYes) SetDefault(true);
    if (Value == bkCancel || Value == bkNo) Cancel = true;
    Invalidate();
}

void TBitBtn::Click() {
    if (kind_ == bkClose) {
        if (TCustomForm* form = GetParentForm()) {
            form->Close();
            TButtonControl::Click();
            return;
        }
    }
    TButton::Click();
}

void TBitBtn::PaintGlyph(TCanvas* ACanvas, TRect& Content) {
    const int size = 14;
    int textWidth = MeasureText(Font(), GetText(), DT_SINGLELINE).cx;
    bool hasGlyph = !glyph_->Empty() || (kind_ != bkCustom && kind_ != bkHelp);
    if (!hasGlyph) return;
    int total = size + Spacing + textWidth;
    int x = Margin >= 0 ? Content.left + Margin : Content.left + (Content.Width() - total) / 2;
    int y = Content.top + (Content.Height() - size) / 2;
    if (!glyph_->Empty()) {
        ACanvas->Draw(x, y + (size - glyph_->GetHeight()) / 2, glyph_);
    } else {
        // The kinds' glyphs, drawn: a tick, a cross, a question mark, a door, a stop sign...
        ACanvas->Pen()->SetWidth(2);
        switch (kind_) {
            case bkOK:
            case bkYes:
            case bkAll:
                ACanvas->Pen()->SetColor(GetEnabled() ? clGreen : clGray);
                ACanvas->Polyline({Point(x + 2, y + 7), Point(x + 5, y + 11), Point(x + 12, y + 3)});
                break;
            case bkCancel:
            case bkNo:
            case bkAbort:
                ACanvas->Pen()->SetColor(GetEnabled() ? clRed : clGray);
                ACanvas->MoveTo(x + 3, y + 3);
                ACanvas->LineTo(x + 11, y + 11);
                ACanvas->MoveTo(x + 11, y + 3);
                ACanvas->LineTo(x + 3, y + 11);
                break;
            case bkRetry:
            case bkIgnore:
            case bkClose:
                ACanvas->Pen()->SetColor(GetEnabled() ? clNavy : clGray);
                ACanvas->Rectangle(x + 3, y + 2, x + 11, y + 12);
                break;
            default: break;
        }
        ACanvas->Pen()->SetWidth(1);
    }
    // The caption follows the glyph.
    Content.left = x + size + Spacing;
    Content.right = Content.left + textWidth;
}

// ------------------------------------------------------------------------------------------ TSpeedButton

TSpeedButton::TSpeedButton(TComponent* AOwner) : TGraphicControl(AOwner), glyph_(new TBitmap) {
    width_ = 23;
    height_ = 22;
}

TSpeedButton::~TSpeedButton() { delete glyph_; }

void TSpeedButton::SetDown(bool Value) {
    if (GroupIndex == 0) Value = false;
    if (Value == down_) return;
    if (!Value && !AllowAllUp) {
        // The last button of a group stays down unless the group allows all up.
        bool another = false;
        if (GetParent() != nullptr)
            for (int i = 0; i < GetParent()->ControlCount(); ++i)
                if (auto* b = dynamic_cast<TSpeedButton*>(GetParent()->Controls(i)))
                    if (b != this && b->GroupIndex == GroupIndex && b->down_) another = true;
        if (!another) return;
    }
    down_ = Value;
    if (Value && GetParent() != nullptr)
        for (int i = 0; i < GetParent()->ControlCount(); ++i)
            if (auto* b = dynamic_cast<TSpeedButton*>(GetParent()->Controls(i)))
                if (b != this && b->GroupIndex == GroupIndex && b->down_) {
                    b->down_ = false;
                    b->Invalidate();
                }
    Invalidate();
}

void TSpeedButton::Click() {
    if (GroupIndex != 0) SetDown(!down_ || !AllowAllUp ? true : false);
    TGraphicControl::Click();
}

void TSpeedButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (Button == mbLeft && GetEnabled()) {
        pressed_ = true;
        Invalidate();
    }
    TGraphicControl::MouseDown(Button, Shift, X, Y);
}

void TSpeedButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (pressed_) {
        pressed_ = false;
        Invalidate();
    }
    TGraphicControl::MouseUp(Button, Shift, X, Y);
}

void TSpeedButton::Dispatch(TMessage& Message) {
    // The press is cancelled (a modal window starts from the click): the button comes up.
    if (Message.Msg == CM_CANCELMODE && pressed_) {
        pressed_ = false;
        Invalidate();
    }
    TGraphicControl::Dispatch(Message);
}

void TSpeedButton::Paint() {
    TCanvas* c = Canvas();
    HDC dc = c->GetHandle();
    TRect r = GetClientRect();
    c->Brush()->SetColor(GetColor());
    c->FillRect(r);
    const bool sunk = down_ || pressed_;
    RECT e = r;
    if (sunk) DrawEdge(dc, &e, Flat ? BDR_SUNKENOUTER : EDGE_SUNKEN, BF_RECT);
    else if (!Flat) DrawEdge(dc, &e, EDGE_RAISED, BF_RECT);
    TRect content = r;
    InflateRect(&content, -2, -2);
    if (sunk) OffsetRect(&content, 1, 1);
    if (!glyph_->Empty()) {
        // The glyph's background (its bottom-left pixel's colour) shows the button face.
        c->DrawTransparent(content.left + (content.Width() - glyph_->GetWidth()) / 2,
                           content.top + (content.Height() - glyph_->GetHeight()) / 2, glyph_);
        return;
    }
    std::string text = GetText();
    c->Brush()->SetStyle(bsClear);
    c->MoveTo(0, 0);
    SetTextColor(dc, ColorToCOLORREF(GetEnabled() ? Font()->GetColor() : clGrayText));
    DrawText(dc, text, static_cast<int>(text.size()), &content, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

// ------------------------------------------------------------------------------------------- form classes

void RegisterButtonsClasses() {
    RegisterComponent<TBitBtn>("TBitBtn", "TButton")
        .Enum<TBitBtnKind>("Kind",
                           {{"bkCustom", bkCustom},
                            {"bkOK", bkOK},
                            {"bkCancel", bkCancel},
                            {"bkHelp", bkHelp},
                            {"bkYes", bkYes},
                            {"bkNo", bkNo},
                            {"bkClose", bkClose},
                            {"bkAbort", bkAbort},
                            {"bkRetry", bkRetry},
                            {"bkIgnore", bkIgnore},
                            {"bkAll", bkAll}},
                           [](TBitBtn& c, TBitBtnKind v) { c.SetKind(v); })
        .Enum<TButtonLayout>("Layout",
                             {{"blGlyphLeft", blGlyphLeft},
                              {"blGlyphRight", blGlyphRight},
                              {"blGlyphTop", blGlyphTop},
                              {"blGlyphBottom", blGlyphBottom}},
                             [](TBitBtn& c, TButtonLayout v) { c.Layout = v; })
        .Int("Margin", [](TBitBtn& c, int v) { c.Margin = v; })
        .Int("Spacing", [](TBitBtn& c, int v) { c.Spacing = v; })
        .Int("NumGlyphs", [](TBitBtn& c, int v) { c.NumGlyphs = v; })
        .SubObject("Glyph", "TBitmap", [](TBitBtn& c) { return c.Glyph(); });

    RegisterComponent<TSpeedButton>("TSpeedButton", "TControl")
        .Int("GroupIndex", [](TSpeedButton& c, int v) { c.GroupIndex = v; })
        .Bool("Down", [](TSpeedButton& c, bool v) { c.SetDown(v); })
        .Bool("AllowAllUp", [](TSpeedButton& c, bool v) { c.AllowAllUp = v; })
        .Bool("Flat", [](TSpeedButton& c, bool v) { c.Flat = v; })
        .SubObject("Glyph", "TBitmap", [](TSpeedButton& c) { return c.Glyph(); });
}

}  // namespace zel
