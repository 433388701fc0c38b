// The text editors' completion data, the list that shows the items, and the view that paints the text.
#include <algorithm>

#include "platform/rtl/SysUtils.h"
#include "platform/win/Gdi.h"
#include "platform/win/SysInfo.h"
#include "uilib/editors/uiEditPaintUtils.h"
#include "uilib/editors/uiTextEdit.h"

namespace zel {

namespace {

// The last of the list box messages (LB_GETLISTBOXINFO).
constexpr UINT kLastListBoxMessage = 0x01B2;

// The two texts equal after the locale's upper-casing.
bool SameIgnoringCase(const std::string& A, const std::string& B) { return AnsiUpperCase(A) == AnsiUpperCase(B); }

}  // namespace

// ------------------------------------------------------------------------------------------- lookup data

TuiCustomTextEditLookupData::TuiCustomTextEditLookupData(TuiCustomTextEdit* AOwner)
    : TuiInterfacedPersistent(AOwner), owner_(AOwner) {}

TuiCustomTextEditLookupData::~TuiCustomTextEditLookupData() { delete list_; }

std::string TuiCustomTextEditLookupData::GetItem(int AIndex) const {
    return owner_->ActiveProperties()->LookupItems()->Get(AIndex);
}

int TuiCustomTextEditLookupData::GetItemCount() const { return owner_->ActiveProperties()->LookupItems()->Count(); }

int TuiCustomTextEditLookupData::IndexOf(const std::string& AText) const {
    const int count = GetItemCount();
    for (int i = 0; i < count; ++i)
        if (SameIgnoringCase(GetItem(i), AText)) return i;
    return -1;
}

std::string TuiCustomTextEditLookupData::GetDisplayText(int AKey) const {
    return AKey >= 0 && AKey < GetItemCount() ? GetItem(AKey) : std::string();
}

void TuiCustomTextEditLookupData::SetCurrentKeyInternal(int AKey) {
    if (AKey < -1 || AKey >= GetItemCount()) return;
    currentKey_ = AKey;
    SetListIndex(AKey);
}

void TuiCustomTextEditLookupData::SetListIndex(int AIndex) {
    if (AIndex < -1 || AIndex >= GetItemCount() || (AIndex == itemIndex_ && AIndex != -1)) return;
    if (list_ != nullptr && list_->Items()->Count() > 0) {
        // Through the first row, so that "none" also scrolls the list to its top.
        if (AIndex == -1) list_->SetItemIndex(0);
        list_->SetItemIndex(AIndex);
    }
    itemIndex_ = AIndex;
}

void TuiCustomTextEditLookupData::SetCurrentKey(int AKey) {
    if (!owner_->SettingTextFromLookup) {
        SetCurrentKeyInternal(AKey);
        return;
    }
    const int old = currentKey_;
    SetCurrentKeyInternal(AKey);
    if (currentKey_ != old) {
        if (OnSelectItem) OnSelectItem(this);
    } else if (owner_->GetDisplayText() != GetDisplayText(currentKey_)) {
        if (OnSelectItem) OnSelectItem(this);
    }
}

bool TuiCustomTextEditLookupData::Locate(std::string& AText, std::string& ATail, bool AFromTextChange, bool ANext) {
    const int count = GetItemCount();
    bool found = false;
    if (count > 0) {
        if (AFromTextChange && owner_->ActiveProperties()->GetExactMatchOnTextChange()) {
            const int at = IndexOf(AText);
            SetCurrentKeyInternal(at);
            return at != -1;
        }
        if (!AText.empty()) {
            const std::string wanted = AnsiUpperCase(AText);
            for (int i = ANext ? itemIndex_ + 1 : 0; i < count; ++i) {
                const std::string item = GetItem(i);
                if (item.size() < AText.size() || AnsiUpperCase(item.substr(0, AText.size())) != wanted) continue;
                AText = item.substr(0, AText.size());
                ATail = item.substr(AText.size());
                SetCurrentKeyInternal(i);
                found = true;
                break;
            }
        }
    }
    if (found) return true;
    // Not found: whether the previous item stays depends on the style.
    bool clear = false;
    switch (owner_->EditingStyle()) {
        case tesFreeText:
        case tesNoTyping: clear = true; break;
        case tesListCompletion: clear = AFromTextChange || AText.empty(); break;
        case tesListOnly: clear = AFromTextChange; break;
    }
    if (clear) SetCurrentKeyInternal(-1);
    return false;
}

void TuiCustomTextEditLookupData::Go(TuiEditLookupDirection ADirection, bool ACircular) {
    const int count = GetItemCount();
    if (count == 0) return;
    const int start = itemIndex_ != -1 ? itemIndex_ : currentKey_;
    const int page = owner_->ActiveProperties()->GetDropDownRows();
    int target = start;
    switch (ADirection) {
        case egdFirst: target = 0; break;
        case egdLast: target = count - 1; break;
        case egdNext:
            target = start + 1;
            if (target >= count) target = ACircular ? 0 : count - 1;
            break;
        case egdPrior:
            target = start - 1;
            if (target < 0) target = ACircular ? count - 1 : std::max(start, 0);
            break;
        case egdPageUp:
            if (start == -1) target = ACircular ? count - 1 : -1;
            else if (start == 0 && ACircular) target = count - 1;
            else target = std::max(start - page + 1, 0);
            break;
        case egdPageDown:
            if (start == -1) target = page - 1;
            else if (start == count - 1 && ACircular) target = 0;
            else target = start + page - 1;
            if (target >= count) target = count - 1;
            break;
    }
    const bool listShown = list_ != nullptr && list_->GetVisible();
    if (!listShown || owner_->ActiveProperties()->GetImmediateUpdateText()) SetCurrentKey(target);
    else SetListIndex(target);
}

void TuiCustomTextEditLookupData::SelectItem() {
    if (itemIndex_ == -1) return;
    const int old = currentKey_;
    SetCurrentKey(itemIndex_);
    if (currentKey_ == old && OnSelectItem) OnSelectItem(this);
}

void TuiCustomTextEditLookupData::TextChanged() {
    const std::string text = owner_->GetDisplayText();
    if (itemIndex_ >= 0 && itemIndex_ < GetItemCount() && GetItem(itemIndex_) == text) return;
    std::string copy = text, tail;
    Locate(copy, tail, true, false);
}

void TuiCustomTextEditLookupData::SyncSelected() { SetListIndex(currentKey_); }

void TuiCustomTextEditLookupData::Initialize(TWinControl* AParent) {
    if (!UsesList()) return;
    if (list_ == nullptr) {
        list_ = CreateList();
        list_->Edit = owner_;
        list_->SetContainer(owner_);
        list_->OnIndexChanged = [this] { ListIndexChanged(); };
    }
    list_->SetColor(owner_->Style()->GetColor());
    list_->Font()->Assign(owner_->Style()->GetVisibleFont());
    list_->SetParent(AParent);
    ListChanged();
    list_->SetItemIndex(itemIndex_);
    TextChanged();
}

TuiCustomEditListBox* TuiCustomTextEditLookupData::CreateList() { return new TuiCustomEditListBox(nullptr); }

void TuiCustomTextEditLookupData::PositionVisualArea(const TRect& R) {
    if (list_ == nullptr) return;
    list_->SetBounds(R.left, R.top, R.right - R.left, R.bottom - R.top);
}

void TuiCustomTextEditLookupData::ListChanged() {
    if (list_ == nullptr) return;
    const int count = GetItemCount();
    TStrings* items = list_->Items();
    if (items->Count() == count) return;
    items->BeginUpdate();
    while (items->Count() < count) items->Add("");
    while (items->Count() > count) items->Delete(items->Count() - 1);
    items->EndUpdate();
}

bool TuiCustomTextEditLookupData::IsMouseOverList(TPoint AScreenPoint) const {
    if (list_ == nullptr || !list_->HandleAllocated()) return false;
    TRect r{0, 0, 0, 0};
    GetWindowRect(list_->GetHandle(), &r);
    return PtInRect(&r, AScreenPoint) != FALSE;
}

void TuiCustomTextEditLookupData::ListIndexChanged() {
    if (list_ != nullptr) itemIndex_ = list_->GetItemIndex();
}

// ------------------------------------------------------------------------------------------------ list box

TuiCustomEditListBox::TuiCustomEditListBox(TComponent* AOwner) : TuiCustomInnerListBox(AOwner) {
    BorderStyle = bsNone;
    SetStyle(lbOwnerDrawFixed);
    OnMeasureItem = [this](TWinControl*, int, int& AHeight) { AHeight = GetItemHeight(); };
    OnDrawItem = [this](TWinControl*, int AIndex, TRect R, TOwnerDrawState AState) {
        TCanvas* canvas = Canvas();
        const bool selected = AState.Contains(odSelected);
        canvas->Brush()->SetColor(selected ? clHighlight : GetColor());
        canvas->Font()->SetColor(selected ? clHighlightText : Font()->GetColor());
        canvas->FillRect(R);
        TRect text = R;
        text.left += 2;
        const std::string item = Edit != nullptr && Edit->LookupData() != nullptr
                                     ? Edit->LookupData()->GetDisplayText(AIndex)
                                     : Items()->Get(AIndex);
        canvas->Brush()->SetStyle(bsClear);
        DrawText(canvas->GetHandle(), item, -1, &text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
        canvas->Brush()->SetStyle(bsSolid);
    };
}

int TuiCustomEditListBox::GetItemHeight() {
    Canvas()->Font()->Assign(Font());
    return Canvas()->TextHeight("Wg");
}

int TuiCustomEditListBox::GetItemWidth(int AIndex) {
    Canvas()->Font()->Assign(Font());
    const std::string item = Edit != nullptr && Edit->LookupData() != nullptr
                                 ? Edit->LookupData()->GetDisplayText(AIndex)
                                 : Items()->Get(AIndex);
    return Canvas()->TextWidth(item);
}

void TuiCustomEditListBox::WndProc(TMessage& Message) {
    if (Message.Msg == WM_MOUSEWHEEL) {
        const short delta = static_cast<short>(HIWORD(Message.WParam));
        const int lines = std::max(1, Mouse->GetWheelScrollLines());
        for (int i = 0; i < lines; ++i) SendMessage(GetHandle(), WM_VSCROLL, delta > 0 ? SB_LINEUP : SB_LINEDOWN, 0);
        Message.Result = 1;
        return;
    }
    // The list's own requests (the index read below among them) change no choice of the user's.
    if (Message.Msg >= LB_ADDSTRING && Message.Msg <= kLastListBoxMessage) {
        TuiCustomInnerListBox::WndProc(Message);
        return;
    }
    const int before = HandleAllocated() ? GetItemIndex() : -1;
    TuiCustomInnerListBox::WndProc(Message);
    if (HandleAllocated() && GetItemIndex() != before && OnIndexChanged) OnIndexChanged();
}

void TuiCustomEditListBox::MouseMove(TShiftState Shift, int X, int Y) {
    TuiCustomInnerListBox::MouseMove(Shift, X, Y);
    if (!HotTrack || GetCapture() == GetHandle()) return;
    const int at = ItemAtPos(TPoint{X, Y}, true);
    if (at != -1 && at != GetItemIndex()) {
        SetItemIndex(at);
        if (OnIndexChanged) OnIndexChanged();
    }
}

void TuiCustomEditListBox::Click() {
    TuiCustomInnerListBox::Click();
    if (OnIndexChanged) OnIndexChanged();
}

// ------------------------------------------------------------------------------------------- view data

UINT TuiCustomTextEditViewData::DrawTextFlagsOf(const TuiEditAlignment* AAlignment) {
    static constexpr UINT kHorz[] = {0, 2, 1};        // left, right, centre
    static constexpr UINT kVert[] = {0, 0x20, 0x10};  // top, bottom, centre
    return kHorz[AAlignment->GetHorz()] | kVert[AAlignment->GetVert()] | 0xC0200;
}

void TuiCustomTextEditViewData::SelectionColors(TColor AGivenText, TColor AGivenBackground, TColor AStyleColor,
                                                TColor& AText, TColor& ABackground) {
    const auto inverse = [](TColor C) { return static_cast<TColor>(~ColorToRGB(C) & 0xFFFFFF); };
    if (AGivenBackground == clNone && AGivenText == clNone) {
        if (AStyleColor == clHighlight) {
            ABackground = clBlack;
            AText = clWhite;
        } else {
            ABackground = clHighlight;
            AText = clHighlightText;
        }
    } else if (AGivenBackground == clNone) {
        AText = AGivenText;
        ABackground = inverse(AGivenText);
    } else {
        ABackground = AGivenBackground;
        AText = AGivenText != clNone ? AGivenText : inverse(AGivenBackground);
    }
}

TuiCustomEditViewData* TuiCustomTextEditProperties::CreateViewData(TuiCustomEditStyle* AStyle, bool AInPlace) {
    return new TuiCustomTextEditViewData(this, AStyle, AInPlace);
}

TuiCustomTextEdit* TuiCustomTextEditViewData::TextEdit() const { return dynamic_cast<TuiCustomTextEdit*>(Edit); }

void TuiCustomTextEditViewData::Calculate(TCanvas* ACanvas, const TRect& ABounds, TPoint P, TShiftState AShift,
                                          TuiCustomEditViewInfo& AViewInfo) {
    TuiCustomEditViewData::Calculate(ACanvas, ABounds, P, AShift, AViewInfo);
    if (auto* text = dynamic_cast<TuiCustomTextEditViewInfo*>(&AViewInfo)) CalculateText(ACanvas, *text);
}

void TuiCustomTextEditViewData::CalculateText(TCanvas* ACanvas, TuiCustomTextEditViewInfo& AViewInfo) {
    auto* properties = static_cast<TuiCustomTextEditProperties*>(Properties);
    TuiCustomTextEdit* edit = TextEdit();
    AViewInfo.DrawSelectionBar = false;
    AViewInfo.EditingStyle = properties->GetEditingStyle();
    AViewInfo.IsEditClass = edit != nullptr && edit->InnerEdit() != nullptr;
    AViewInfo.HasPopupWindow = edit != nullptr && edit->HasPopupWindow();
    AViewInfo.IsStandalone = !InPlace;
    AViewInfo.Focused = edit != nullptr ? edit->IsFocused() : Focused;
    ACanvas->Font()->Assign(Style->GetVisibleFont());
    // The line sits where the editor's inner EDIT goes, so that a painted cell and the editor agree.
    TRect r = TextBounds(AViewInfo.ClientRect, ACanvas->TextHeight("Wg"));
    const bool listStyle = AViewInfo.EditingStyle == tesListOnly || AViewInfo.EditingStyle == tesNoTyping;
    if (AViewInfo.IsStandalone && listStyle) {
        if (properties->GetAlignment()->GetHorz() == taRightJustify) --r.right;
        else ++r.left;
    }
    AViewInfo.TextRect = r;
    AViewInfo.MaxLineCount = 1;
    AViewInfo.DrawTextFlags = DrawTextFlagsOf(properties->GetAlignment());
    AViewInfo.SelStart = edit != nullptr ? edit->GetSelStart() : 0;
    AViewInfo.SelLength = edit != nullptr ? edit->GetSelLength() : 0;
    SelectionColors(clNone, clNone, AViewInfo.BackgroundColor, AViewInfo.SelTextColor, AViewInfo.SelBackgroundColor);
    AViewInfo.TextColor = GetTextColor();
    AViewInfo.Font = Style->GetVisibleFont();
    std::string text;
    try {
        text = properties->GetDisplayText(edit != nullptr ? edit->GetEditValue() : EditValue, false);
    } catch (const EVariantError&) {
        text.clear();
    }
    if (OnValuePrepared) OnValuePrepared(text);
    AViewInfo.Text = text;
}

// ------------------------------------------------------------------------------------------- view info

void TuiCustomTextEditViewInfo::Paint(TCanvas* ACanvas) {
    TuiCustomEditViewInfo::Paint(ACanvas);
    TRect r = ClientRect;
    if (IsStandalone && EditingStyle != tesNoTyping) {
        if (DrawSelectionBar) FillWithColor(ACanvas, r, clHighlight);
        else FillBackground(ACanvas, r, TRect{0, 0, 0, 0});
        InflateRect(&r, -1, -1);
    }
    const bool showsText = IsPaintCopy || !IsEditClass;
    if (showsText && !Text.empty()) {
        if (Font != nullptr) ACanvas->Font()->Assign(Font);
        ACanvas->Font()->SetColor(DrawSelectionBar ? clHighlightText : TextColor);
        ACanvas->Brush()->SetStyle(bsClear);
        // One line in the text rectangle, which is as high as the line, placed as the inner EDIT places it:
        // from the left, against the right or in the middle of its width less the one pixel it keeps at its right.
        const TRect& t = TextRect;
        const int room = t.right - t.left - 1;
        const int width = ACanvas->TextWidth(Text);
        int x = t.left;
        if (width < room) {
            const UINT horizontal = DrawTextFlags & 3;
            if (horizontal == 2) x = t.left + room - width;
            else if (horizontal == 1) x = t.left + (room - width) / 2;
        }
        ACanvas->TextRect(TRect{t.left, t.top, t.left + std::max(room, 0), t.bottom}, x, t.top, Text);
        ACanvas->Brush()->SetStyle(bsSolid);
    }
    if (IsStandalone && Focused && showsText && !HasPopupWindow) {
        ACanvas->Brush()->SetColor(DrawSelectionBar ? clHighlight : BackgroundColor);
        ACanvas->Font()->SetColor(DrawSelectionBar ? clHighlightText : clBtnText);
        ACanvas->DrawFocusRect(r);
    }
}

}  // namespace zel
