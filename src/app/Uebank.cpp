#include "app/Uebank.h"

#include <algorithm>
#include <exception>
#include <memory>
#include <vector>

#include "app/Main.h"
#include "app/Ueglobal.h"
#include "app/Uelibrar.h"
#include "model/Bank.h"
#include "model/Clipboard.h"
#include "model/Library.h"
#include "model/SharedRoutines.h"
#include "platform/rtl/DateUtils.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/vcl/FormReader.h"

namespace zel {

TBank* OpeningBank = nullptr;

namespace formres {
extern const TFormResource Uebank;
}

namespace {
const TFormClassRegistration registration("TFormBank", [](TComponent* Owner) -> TCustomForm* {
    return Construct<TFormBank>(Owner);
});

// The bank kinds open in a bank window.
const struct TBankWindowMakers {
    TBankWindowMakers() {
        for (ElementType kind : {etPatchBank, etPerformanceBank, etRhythmBank})
            RegisterElementWindow(kind, [](TLibElem& Element) -> TObject* {
                return TFormBank::OpenBank(Formzelmo, static_cast<TBank&>(Element));
            });
    }
} bankWindowMakers;

constexpr int HelpBank = 13;
constexpr int PopupOffsetX = 15;
constexpr int PopupOffsetY = 35;
constexpr int TwoMemberHeight = 114;

TDragInfo* Drag() { return Formzelmo != nullptr ? Formzelmo->DragInfo.get() : nullptr; }

}  // namespace

// ------------------------------------------------------------------------------------------ TFormMembers

TFormMembers::TFormMembers(TComponent* AOwner) : TForm(AOwner) {}

TFormMembers::~TFormMembers() { FormDestroy(this); }

void TFormMembers::DefineBindings(TFormBindings& B) {
    B.Field("Panel", Panel);
    B.Field("Header", Header);
    B.Field("DrawGrid", DrawGrid);
    B.Field("PopupMenu", PopupMenu);
    B.Field("LoadSysex", LoadSysex);
    B.Field("SaveSysex", SaveSysex);
    B.Field("ImportFrom", ImportFrom);
    B.Field("ExportTo", ExportTo);
    B.Field("Send", Send);
    B.Field("Receive", Receive);
    B.Field("Edit", Edit);
    B.Field("Print", Print);
    B.Field("Open", Open);

    using N = TNotifyEvent;
    B.Handler<N>("FormCreate", [this](TObject* s) { FormCreate(s); });
    B.Handler<N>("FormShow", [this](TObject* s) { FormShow(s); });
    B.Handler<N>("FormResize", [this](TObject* s) { FormResize(s); });
    B.Handler<TDrawCellEvent>("DrawGridDrawCell", [this](TObject* s, int c, int r, TRect R, TGridDrawState st) {
        DrawGridDrawCell(s, c, r, R, st);
    });
    B.Handler<TCloseEvent>("FormClose", [this](TObject* s, TCloseAction& a) { FormClose(s, a); });
    B.Handler<N>("FormDestroy", [this](TObject* s) { FormDestroy(s); });
    B.Handler<N>("PanelClick", [this](TObject* s) { PanelClick(s); });
    B.Handler<TDragOverEvent>("PanelDragOver", [this](TObject* s, TObject* src, int x, int y, TDragState st,
                                                      bool& accept) { PanelDragOver(s, src, x, y, st, accept); });
    B.Handler<TMouseEvent>("DrawGridMouseDown", [this](TObject* s, TMouseButton b, TShiftState sh, int x, int y) {
        DrawGridMouseDown(s, b, sh, x, y);
    });
    B.Handler<N>("DrawGridDblClick", [this](TObject* s) { DrawGridDblClick(s); });
    B.Handler<TDragOverEvent>("DrawGridDragOver", [this](TObject* s, TObject* src, int x, int y, TDragState st,
                                                         bool& accept) { DrawGridDragOver(s, src, x, y, st, accept); });
    B.Handler<TEndDragEvent>("DrawGridEndDrag",
                             [this](TObject* s, TObject* t, int x, int y) { DrawGridEndDrag(s, t, x, y); });
    B.Handler<N>("PopupMenuPopup", [this](TObject* s) { PopupMenuPopup(s); });
    B.Handler<N>("LoadSysexClick", [this](TObject* s) { LoadSysexClick(s); });
    B.Handler<N>("SaveSysexClick", [this](TObject* s) { SaveSysexClick(s); });
    B.Handler<N>("ImportFromClick", [this](TObject* s) { ImportFromClick(s); });
    B.Handler<N>("ExportToClick", [this](TObject* s) { ExportToClick(s); });
    B.Handler<N>("SendClick", [this](TObject* s) { SendClick(s); });
    B.Handler<N>("ReceiveClick", [this](TObject* s) { ReceiveClick(s); });
    B.Handler<N>("EditClick", [this](TObject* s) { EditClick(s); });
    B.Handler<N>("PrintClick", [this](TObject* s) { PrintClick(s); });
    B.Handler<N>("OpenClick", [this](TObject* s) { OpenClick(s); });
}

void TFormMembers::TakeElement(TBank* Element, int Help, const int (&Widths)[4]) {
    HelpContext = Help;
    element_ = Element;
    if (element_ != nullptr) element_->WindowOpen = 1;
    DrawGrid->Canvas()->Font()->Assign(DrawGrid->Font());
    for (int i = 0; i < 4; ++i) Header->SetSectionWidth(i, Widths[i]);
    ImportFrom->Caption = "Import From XP";
    ExportTo->Caption = "Export To XP";
}

TLibElem* TFormMembers::ShownElement() { return element_; }

void TFormMembers::UpDateView() {
    if (element_ == nullptr) return;
    SetCaption(element_->TypeName() + " " + element_->GetName() + " [Location : " + OwnerPathText(element_) + "]");
    DrawGrid->Repaint();
}

int TFormMembers::RowAt(int Y) const { return Y / DrawGrid->GetDefaultRowHeight() + DrawGrid->GetTopRow(); }

TRect TFormMembers::ListScreenRect() {
    const TPoint topLeft = DrawGrid->GetParent()->ClientToScreen(TPoint{DrawGrid->GetLeft(), DrawGrid->GetTop()});
    return Bounds(topLeft.x, topLeft.y, DrawGrid->GetWidth(), DrawGrid->GetHeight());
}

void TFormMembers::FitRows(int Rows) {
    // A row cut at the bottom would scroll into view under a click on it, and the press would then name
    // the row below the one clicked.
    const int border = DrawGrid->GetHeight() - DrawGrid->ClientHeight();
    DrawGrid->SetHeight(DrawGrid->GetDefaultRowHeight() * std::max(Rows, 1) + border);
}

TLibElem* TFormMembers::PopupMember() const {
    if (element_ == nullptr || popupIndex_ < 0 || popupIndex_ >= element_->MemberCount()) return nullptr;
    return element_->Members[static_cast<std::size_t>(popupIndex_)].get();
}

TCustomForm* TFormMembers::DropWindow(TObject* Target) const {
    auto* control = dynamic_cast<TControl*>(Target);
    return control != nullptr ? ::zel::GetParentForm(control) : nullptr;
}

// ------------------------------------------------------------------------------------------ closing

void TFormMembers::FormClose(TObject*, TCloseAction& Action) {
    Action = caNone;
    Release();
}

void TFormMembers::FormDestroy(TObject*) {
    if (destroyed_) return;
    destroyed_ = true;
    TBank* element = element_;
    element_ = nullptr;
    if (element == nullptr) return;
    element->StoreWindowPositions();
    element->WindowOpen = 0;
    if (element->Window == this) element->Window = nullptr;
    for (auto& member : element->Members) ReleaseWindowOf(*member);
}

void TFormMembers::ReleaseByElement() {
    FormDestroy(this);
    Release();
}

// ------------------------------------------------------------------------------------------ the list

void TFormMembers::FillRow(TRect Rect, bool Selected) {
    TCanvas* c = DrawGrid->Canvas();
    if (Selected) {
        c->Brush()->SetColor(clAqua);
        c->Pen()->SetColor(clAqua);
    } else {
        c->Brush()->SetColor(clWhite);
    }
    c->FillRect(Rect);
    c->Pen()->SetColor(clBlack);
}

void TFormMembers::DrawPicture(TBitmap* Picture, int Left, int Size, TRect Row) {
    // At most Size square, kept inside its row and inside the picture; the picture's background (the colour
    // of its bottom-left pixel) leaves the row's colour.
    const int width = std::min(Size, Picture->GetWidth());
    const int height = std::min({Size, Row.bottom - Row.top, Picture->GetHeight()});
    if (width <= 0 || height <= 0) return;
    TBitmap part;
    part.SetSize(width, height);
    part.Canvas()->CopyRect(TRect(0, 0, width, height), Picture->Canvas(), TRect(0, 0, width, height));
    DrawGrid->Canvas()->DrawTransparent(Left, Row.top, &part);
}

void TFormMembers::PanelClick(TObject*) {
    if (element_ == nullptr) return;
    ClearSelection(element_->Members);
    DrawGrid->Repaint();
}

void TFormMembers::PanelDragOver(TObject*, TObject*, int, int, TDragState State, bool& Accept) {
    Accept = false;
    if (State == dsDragLeave) return;
    BringToFront();
    if (TDragInfo* d = Drag()) d->Accepted = 0;
}

// ------------------------------------------------------------------------------------------ mouse

void TFormMembers::DrawGridMouseDown(TObject*, TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (SwallowPress()) return;
    if (element_ == nullptr) return;  // the element has gone, the window on its way out
    const int m = MemberOfRow(RowAt(Y));
    lastY_ = Y;
    auto& members = element_->Members;
    if (Button == mbLeft) {
        const int mode = Shift.Contains(ssShift) ? 1 : Shift.Contains(ssCtrl) ? 2 : 0;
        if (m < 0) return;
        if (members[static_cast<std::size_t>(m)]->Selected == 0) {
            SelectInList(members, m, mode);
            DrawGrid->Repaint();
        }
        if (mode != 0) return;
        BeforeDrag();
        DrawGrid->BeginDrag(false);
        if (TDragInfo* d = Drag()) {
            d->Accepted = 0;
            d->Source = this;
        }
        CollectDrag();
        return;
    }
    if (Button != mbRight || m < 0) return;
    if (Shift.Contains(ssShift)) {
        ShiftRightPress(m);
        return;
    }
    SelectInList(members, m, 0);
    DrawGrid->Repaint();
    popupIndex_ = m;
    const TPoint p = ClientToScreen(TPoint{X, Y});
    PopupMenu->Popup(p.x + PopupOffsetX, p.y + PopupOffsetY);
}

void TFormMembers::DrawGridDblClick(TObject*) {
    if (element_ == nullptr) return;
    AfterDoubleClick();
    const int m = MemberOfRow(RowAt(lastY_));
    if (m < 0) return;
    try {
        element_->Members[static_cast<std::size_t>(m)]->OpenEditor();
    } catch (...) {
        // The press that follows a double click does not come after a failure: the next one is the user's.
        CancelSwallow();
        throw;
    }
}

// ------------------------------------------------------------------------------------------ popup menu

void TFormMembers::PopupMenuPopup(TObject*) {
    TLibElem* m = PopupMember();
    ImportFrom->Enabled = m != nullptr && ImportAllowed(*m);
    ExportTo->Enabled = ImportFrom->Enabled;
}

void TFormMembers::LoadSysexClick(TObject*) {
    TLibElem* m = PopupMember();
    if (m == nullptr) return;
    m->LoadSyxDialog();
    DrawGrid->Repaint();
}

void TFormMembers::SaveSysexClick(TObject*) {
    if (TLibElem* m = PopupMember()) m->SaveSyxDialog(true);
}

void TFormMembers::ImportFromClick(TObject* Sender) {
    WithXpFormat([&] { LoadSysexClick(Sender); });
}

void TFormMembers::ExportToClick(TObject* Sender) {
    WithXpFormat([&] { SaveSysexClick(Sender); });
}

void TFormMembers::SendClick(TObject*) {
    if (TLibElem* m = PopupMember()) m->Transmit(false);
}

void TFormMembers::ReceiveClick(TObject*) {
    TLibElem* m = PopupMember();
    if (m == nullptr) return;
    m->Receive(false);
    DrawGrid->Repaint();
}

void TFormMembers::EditClick(TObject*) {
    TLibElem* m = PopupMember();
    if (m == nullptr) return;
    ShowElementProperties(*m);
    DrawGrid->Repaint();
}

void TFormMembers::PrintClick(TObject*) {
    if (TLibElem* m = PopupMember()) PrintElementAlone(*m);
}

void TFormMembers::OpenClick(TObject*) {
    if (TLibElem* m = PopupMember()) m->OpenEditor();
}

// ------------------------------------------------------------------------------------------ TFormBank

TFormBank::TFormBank(TComponent* AOwner) : TFormMembers(AOwner) {}

const TFormResource* TFormBank::FormResource() const { return &formres::Uebank; }

TFormBank* TFormBank::OpenBank(TComponent* Owner, TBank& Bank) { return OpenWith<TFormBank>(Owner, Bank, OpeningBank); }

void TFormBank::FormCreate(TObject*) {
    const int widths[] = {32, 110, 60, 90};
    TakeElement(OpeningBank, HelpBank, widths);
    if (element_ == nullptr) return;
    DrawGrid->SetRowCount(std::max(element_->MemberCount(), 1));
    if (element_->WindowHeight != -1) SetHeight(element_->WindowHeight);
    if (element_->WindowWidth != -1) SetWidth(element_->WindowWidth);
    if (element_->MemberCount() == 2) SetHeight(112);
    PlaceMdiChild(element_->WindowLeft, element_->WindowTop, this);
    DrawGrid->SetColWidths(0, DrawGrid->ClientWidth());
}

void TFormBank::FormShow(TObject*) {
    swallow_ = false;
    UpDateView();
    FormResize(this);
}

void TFormBank::FormResize(TObject*) {
    if (Panel == nullptr || DrawGrid == nullptr) return;
    SetWidth(Panel->GetWidth() + 23);
    if (element_ != nullptr && element_->MemberCount() == 2) SetHeight(TwoMemberHeight);
    Panel->SetHeight(ClientHeight() - 8);
    FitRows((Panel->GetHeight() - Header->GetHeight() - 17) / DrawGrid->GetDefaultRowHeight());
}

int TFormBank::MemberOfRow(int Row) const {
    return element_ != nullptr && Row >= 0 && Row < element_->MemberCount() ? Row : -1;
}

void TFormBank::DrawGridDrawCell(TObject*, int, int ARow, TRect Rect, TGridDrawState) {
    TCanvas* c = DrawGrid->Canvas();
    const int m = MemberOfRow(ARow);
    if (m < 0) {
        c->Brush()->SetColor(clWhite);
        c->Pen()->SetColor(clWhite);
        c->FillRect(Rect);
        return;
    }
    const TLibElem& e = *element_->Members[static_cast<std::size_t>(m)];
    FillRow(Rect, e.Selected != 0);
    TBitBtn* glyph = nullptr;
    if (Formzelmo != nullptr) {
        if (e.ElemType == etPatch) glyph = Formzelmo->Patch;
        else if (e.ElemType == etPerformance) glyph = Formzelmo->Performance;
        else if (e.ElemType == etRhythm) glyph = Formzelmo->Rhythm;
    }
    if (glyph != nullptr) DrawPicture(glyph->Glyph(), 5, 16, Rect);
    const int y = Rect.top + 1;
    c->TextOut(42, y, e.GetName());
    c->TextOut(152, y, "  " + IntToZeroPadded(m + 1, 3));
    c->TextOut(212, y,
               FormatDateTime(ShortDateFormat, e.ModifiedDate) + "  " + FormatDateTime(LongTimeFormat, e.ModifiedTime));
}

void TFormBank::CancelSwallow() { swallow_ = false; }

bool TFormBank::SwallowPress() {
    if (!swallow_) return false;
    swallow_ = false;
    return true;
}

void TFormBank::BeforeDrag() {
    if (Formzelmo != nullptr) Formzelmo->DropSuppress = false;
}

void TFormBank::AfterDoubleClick() {
    swallow_ = true;
    if (Formzelmo != nullptr) Formzelmo->DropSuppress = true;
    PostMessage(DrawGrid->GetHandle(), WM_LBUTTONUP, 0, 0);
}

void TFormBank::CollectDrag() {
    if (TDragInfo* d = Drag()) d->CollectFromBank(element_->Members);
}

void TFormBank::ShiftRightPress(int Member) {
    auto& members = element_->Members;
    SelectInList(members, Member, 0);
    DrawGrid->Repaint();
    members[static_cast<std::size_t>(Member)]->Transmit(true);
    if (Formzelmo != nullptr) Formzelmo->TimerPreview->SetEnabled(true);
    Screen->SetCursor(AuditionCursor);
}

bool TFormBank::ImportAllowed(const TLibElem&) const {
    return element_ != nullptr && element_->ElemType != etRhythmBank;
}

// ------------------------------------------------------------------------------------------ drops

void TFormBank::DrawGridDragOver(TObject*, TObject*, int, int Y, TDragState State, bool& Accept) {
    Accept = false;
    TDragInfo* d = Drag();
    if (d == nullptr || element_ == nullptr || element_->MemberCount() == 0) return;
    const int members = element_->MemberCount();
    const int count = static_cast<int>(d->Items.size());
    if (dynamic_cast<TFormLibrary*>(d->Source) != nullptr) {
        const ElementType kind = element_->Members[0]->ElemType;
        Accept = count <= members && std::all_of(d->Items.begin(), d->Items.end(), [kind](const auto& item) {
                     return item->Element != nullptr && item->Element->ElemType == kind;
                 });
    } else if (auto* bank = dynamic_cast<TFormBank*>(d->Source)) {
        Accept = bank->Element() != nullptr && bank->Element()->ElemType == element_->ElemType;
    }
    Accept = Accept && RowAt(Y) + count - 1 < members;
    if (State == dsDragLeave) return;
    BringToFront();
    d->Accepted = Accept ? 1 : 0;
}

void TFormBank::ProcCopy() {
    TDragInfo* d = Drag();
    if (d == nullptr || element_ == nullptr) return;
    auto& members = element_->Members;
    // Each dragged element as it is now: a drop onto this bank's own rows overwrites members that are still
    // to be copied.
    std::vector<std::unique_ptr<TLibElem>> copies;
    for (const auto& item : d->Items) {
        if (item->Element == nullptr) continue;
        std::unique_ptr<TLibElem> copy = CreateElementOfType(item->Element->ElemType, nullptr);
        copy->Assign(item->Element);
        copies.push_back(std::move(copy));
    }
    ClearSelection(members);
    const int first = std::max(DropRow, 0);
    for (std::size_t k = 0; k < copies.size(); ++k) {
        const std::size_t at = static_cast<std::size_t>(first) + k;
        if (at >= members.size()) break;
        TLibElem& member = *members[at];
        member.Assign(copies[k].get());
        member.Temporary = 0;
        member.User = element_->User != 0 ? 1 : 0;
        member.Number = static_cast<std::int16_t>(at + 1);
    }
    DrawGrid->Repaint();
    RefreshMainMenus();
}

void TFormBank::DrawGridEndDrag(TObject*, TObject* Target, int, int Y) {
    TDragInfo* d = Drag();
    if (d == nullptr || Target == nullptr || d->Accepted == 0 || Formzelmo->DropSuppress) return;
    TCustomForm* window = DropWindow(Target);
    d->Target = window;
    if (auto* library = dynamic_cast<TFormLibrary*>(window)) {
        library->ProcCopy();
    } else if (auto* bank = dynamic_cast<TFormBank*>(window)) {
        bank->DropRow = bank->RowAt(Y);
        bank->ProcCopy();
    }
}

}  // namespace zel
