#include "app/Uelibrar.h"

#include <algorithm>
#include <exception>
#include <functional>
#include <iterator>
#include <memory>
#include <unordered_set>
#include <vector>

#include "app/Main.h"
#include "app/Uebank.h"
#include "app/Uecommen.h"
#include "app/Ueedit.h"
#include "app/Ueglobal.h"
#include "app/Uemorph.h"
#include "app/Uerandom.h"
#include "app/Uesearch.h"
#include "model/Clipboard.h"
#include "model/Global.h"
#include "model/Library.h"
#include "model/Patch.h"
#include "model/SharedRoutines.h"
#include "platform/rtl/DateUtils.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/rtl/SysUtils.h"
#include "platform/vcl/FormReader.h"

namespace zel {

TLibrary* OpeningLibrary = nullptr;

namespace formres {
extern const TFormResource Uelibrar;
}

namespace {
const TFormClassRegistration registration("TFormLibrary", [](TComponent* Owner) -> TCustomForm* {
    return Construct<TFormLibrary>(Owner);
});

TFormLibrary* trashWindow = nullptr;

constexpr int HelpLibrary = 23;
constexpr int HelpTrash = 63;
constexpr int PopupOffsetX = 15;
constexpr int PopupOffsetY = 60;
constexpr WORD VkDelete = 46;

TDragInfo* Drag() { return Formzelmo != nullptr ? Formzelmo->DragInfo.get() : nullptr; }

}  // namespace

void WithXpFormat(const std::function<void()>& Action) {
    XpFormat = 1;
    TScopeExit reset([] { XpFormat = 0; });
    Action();
}

void ShowElementProperties(TLibElem& Element) {
    TFormEdit* edit = FormEdit;
    std::unique_ptr<TFormEdit> own;
    if (edit == nullptr) {
        own.reset(Construct<TFormEdit>(nullptr));
        edit = own.get();
    }
    edit->Element = &Element;
    edit->ShowModal();
}

void PrintElementAlone(TLibElem& Element) {
    BeginPrint();
    int y = 10;
    Element.PrintLine(y, false);
    EndPrint();
}

void ReleaseWindowOf(TLibElem& e) {
    if (e.WindowOpen == 0 && e.Window == nullptr) return;
    TObject* window = e.Window;
    e.Window = nullptr;
    e.WindowOpen = 0;
    if (window == nullptr) return;
    if (IModelWindows* windows = ModelServices().Windows) windows->ReleaseElementWindow(window);
}

// ------------------------------------------------------------------------------------------ TFormLibrary

TFormLibrary::TFormLibrary(TComponent* AOwner) : TForm(AOwner) {}

TFormLibrary::~TFormLibrary() {
    if (trashWindow == this) trashWindow = nullptr;
    if (library_ == nullptr) return;
    // The library no longer has a window; the window owns every library but the trash.
    library_->Window = nullptr;
    library_->WindowOpen = 0;
    if (!trash_) delete library_;
    library_ = nullptr;
}

const TFormResource* TFormLibrary::FormResource() const { return &formres::Uelibrar; }

void TFormLibrary::DefineBindings(TFormBindings& B) {
    B.Field("Panel", Panel);
    B.Field("BevelNew", BevelNew);
    B.Field("LabelNew", LabelNew);
    B.Field("NewPatch", NewPatch);
    B.Field("NewPatchBank", NewPatchBank);
    B.Field("NewPerformance", NewPerformance);
    B.Field("NewPerformanceBank", NewPerformanceBank);
    B.Field("NewRhythm", NewRhythm);
    B.Field("NewRhythmBank", NewRhythmBank);
    B.Field("NewSystem", NewSystem);
    B.Field("Newglobal", Newglobal);
    B.Field("Header", Header);
    B.Field("DrawGrid", DrawGrid);
    B.Field("SpeedNuovo", SpeedNuovo);
    B.Field("Speedcomment", Speedcomment);
    B.Field("SpeedPrint", SpeedPrint);
    B.Field("SpeedDelete", SpeedDelete);
    B.Field("speedtransmet", speedtransmet);
    B.Field("speedreceive", speedreceive);
    B.Field("SpeedSearch", SpeedSearch);
    B.Field("Speeddebug", Speeddebug);
    B.Field("speedMorph", speedMorph);
    B.Field("RandomBtn", RandomBtn);
    B.Field("SpeedHelp", SpeedHelp);
    B.Field("BtnEmpty", BtnEmpty);
    B.Field("Labelmask", Labelmask);
    B.Field("Bevelmask", Bevelmask);
    B.Field("SpeedPatch", SpeedPatch);
    B.Field("SpeedPatchBank", SpeedPatchBank);
    B.Field("speedPerformance", speedPerformance);
    B.Field("speedPerformancebank", speedPerformancebank);
    B.Field("SpeedRhythm", SpeedRhythm);
    B.Field("speedRhythmbank", speedRhythmbank);
    B.Field("Speedsystem", Speedsystem);
    B.Field("speedGlobal", speedGlobal);
    B.Field("BtnUnmask", BtnUnmask);
    B.Field("Labelsort", Labelsort);
    B.Field("BevelSort", BevelSort);
    B.Field("SpeedType", SpeedType);
    B.Field("SpeedName", SpeedName);
    B.Field("SpeedDate", SpeedDate);
    B.Field("btnClose", btnClose);
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
    B.Field("Delete", Delete);

    using N = TNotifyEvent;
    B.Handler<N>("FormCreate", [this](TObject* s) { FormCreate(s); });
    B.Handler<N>("FormShow", [this](TObject* s) { FormShow(s); });
    B.Handler<N>("FormResize", [this](TObject* s) { FormResize(s); });
    B.Handler<TCloseEvent>("FormClose", [this](TObject* s, TCloseAction& a) { FormClose(s, a); });
    B.Handler<TKeyEvent>("FormKeyDown", [this](TObject* s, WORD& k, TShiftState sh) { FormKeyDown(s, k, sh); });
    B.Handler<TDrawCellEvent>("DrawGridDrawCell", [this](TObject* s, int c, int r, TRect R, TGridDrawState st) {
        DrawGridDrawCell(s, c, r, R, st);
    });
    B.Handler<TMouseEvent>("DrawGridMouseDown", [this](TObject* s, TMouseButton b, TShiftState sh, int x, int y) {
        DrawGridMouseDown(s, b, sh, x, y);
    });
    B.Handler<N>("DrawGridDblClick", [this](TObject* s) { DrawGridDblClick(s); });
    B.Handler<N>("PanelClick", [this](TObject* s) { PanelClick(s); });
    B.Handler<TDragOverEvent>("PanelDragOver", [this](TObject* s, TObject* src, int x, int y, TDragState st,
                                                      bool& accept) { PanelDragOver(s, src, x, y, st, accept); });
    B.Handler<TDragOverEvent>("DrawGridDragOver", [this](TObject* s, TObject* src, int x, int y, TDragState st,
                                                         bool& accept) { DrawGridDragOver(s, src, x, y, st, accept); });
    B.Handler<TEndDragEvent>("DrawGridEndDrag",
                             [this](TObject* s, TObject* t, int x, int y) { DrawGridEndDrag(s, t, x, y); });
    const struct {
        const char* name;
        int type;
    } news[] = {{"NewPatchClick", etPatch},
                {"NewPatchBankClick", etPatchBank},
                {"NewPerformanceClick", etPerformance},
                {"NewPerformanceBankClick", etPerformanceBank},
                {"NewRhythmClick", etRhythm},
                {"NewRhythmBankClick", etRhythmBank},
                {"NewSystemClick", etSystem},
                {"NewglobalClick", etGlobal}};
    for (const auto& n : news) B.Handler<N>(n.name, [this, type = n.type](TObject*) { New(type); });
    B.Handler<N>("SpeedPatchClick", [this](TObject* s) { SpeedPatchClick(s); });
    B.Handler<N>("BtnUnmaskClick", [this](TObject* s) { BtnUnmaskClick(s); });
    B.Handler<N>("SpeedTypeClick", [this](TObject* s) { SpeedTypeClick(s); });
    B.Handler<N>("SpeedNuovoClick", [this](TObject* s) { SpeedNuovoClick(s); });
    B.Handler<N>("SpeedcommentClick", [this](TObject* s) { SpeedcommentClick(s); });
    B.Handler<N>("SpeedPrintClick", [this](TObject* s) { SpeedPrintClick(s); });
    B.Handler<N>("SpeedDeleteClick", [this](TObject* s) { SpeedDeleteClick(s); });
    B.Handler<N>("speedtransmetClick", [this](TObject* s) { speedtransmetClick(s); });
    B.Handler<N>("speedreceiveClick", [this](TObject* s) { speedreceiveClick(s); });
    B.Handler<N>("SpeedSearchClick", [this](TObject* s) { SpeedSearchClick(s); });
    B.Handler<N>("SpeeddebugClick", [this](TObject* s) { SpeeddebugClick(s); });
    B.Handler<N>("speedMorphClick", [this](TObject* s) { speedMorphClick(s); });
    B.Handler<N>("RandomBtnClick", [this](TObject* s) { RandomBtnClick(s); });
    B.Handler<N>("SpeedHelpClick", [this](TObject* s) { SpeedHelpClick(s); });
    B.Handler<N>("btnCloseClick", [this](TObject* s) { btnCloseClick(s); });
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
    B.Handler<N>("DeleteClick", [this](TObject* s) { DeleteClick(s); });
}

TFormLibrary* TFormLibrary::OpenLibrary(TComponent* Owner, TLibrary& Library, bool TrashMode) {
    OpeningLibrary = &Library;
    TFormLibrary* form = nullptr;
    {
        TScopeExit done([] { OpeningLibrary = nullptr; });
        form = Construct<TFormLibrary>(Owner);
    }
    form->SetTrashMode(TrashMode);
    if (TrashMode) trashWindow = form;
    form->Updateview();
    form->DisableVisible();
    form->Show();
    // A library read from a file takes the place and size its window was given (none stored, or stored ones
    // the window could not keep: beyond the main window, smaller than a window can be), so that only the
    // user's moving or sizing marks it changed; a new library, never saved, is still asked about when it
    // closes.
    if (CompareText(Library.FileName, UntitledLib) != 0 || Library.HasFile == 1) {
        Library.WindowLeft = static_cast<std::int16_t>(form->GetLeft());
        Library.WindowTop = static_cast<std::int16_t>(form->GetTop());
        Library.WindowWidth = static_cast<std::int16_t>(form->GetWidth());
        Library.WindowHeight = static_cast<std::int16_t>(form->GetHeight());
    }
    return form;
}

TFormLibrary* TFormLibrary::TrashWindow() { return trashWindow; }

// ------------------------------------------------------------------------------------------ creation

void TFormLibrary::FormCreate(TObject*) {
    HelpContext = HelpLibrary;
    // A window made without a library handed over shows a new, empty one.
    library_ = OpeningLibrary != nullptr ? OpeningLibrary : new TLibrary;
    library_->Window = this;
    library_->WindowOpen = 1;
    SetRows();
    SetStoredBounds(GetLeft(), GetTop(), library_->WindowWidth != -1 ? library_->WindowWidth : GetWidth(),
                    library_->WindowHeight != -1 ? library_->WindowHeight : GetHeight());
    PlaceMdiChild(library_->WindowLeft, library_->WindowTop, this);
    DrawGrid->SetColWidths(0, DrawGrid->ClientWidth());
    DrawGrid->Canvas()->Font()->Assign(DrawGrid->Font());
    const int widths[] = {152, 110, 70, 90};
    for (int i = 0; i < 4; ++i) Header->SetSectionWidth(i, widths[i]);
    ImportFrom->Caption = "Import From XP";
    ExportTo->Caption = "Export To XP";
}

void TFormLibrary::FormShow(TObject*) {
    swallow_ = false;
    Updateview();
}

TLibElem* TFormLibrary::ShownElement() { return library_; }

void TFormLibrary::UpdateElementView() {
    Updateview();
    DrawGrid->Repaint();
}

void TFormLibrary::Updateview() {
    if (library_ == nullptr) return;
    SetCaption(trash_ ? std::string("Trash Library") : "Library : " + library_->GetName());
}

// ------------------------------------------------------------------------------------------ layout

void TFormLibrary::FormResize(TObject*) {
    if (Panel == nullptr || DrawGrid == nullptr) return;
    if (GetHeight() < 240) SetHeight(240);
    SetWidth(Panel->GetWidth() + 23);
    Panel->SetHeight(ClientHeight() - 8);
    BevelSort->SetTop(Panel->ClientHeight() - BevelSort->GetHeight() - 6);
    Labelsort->SetTop(BevelSort->GetTop() - Labelsort->GetHeight() - 2);
    for (TSpeedButton* b : {SpeedType, SpeedName, SpeedDate}) b->SetTop(BevelSort->GetTop() + 7);
    btnClose->SetTop(BevelSort->GetTop());
    Header->SetTop(trash_ ? 8 : 42);
    DrawGrid->SetTop(Header->GetTop() + Header->GetHeight());
    const int rowHeight = DrawGrid->GetDefaultRowHeight();
    DrawGrid->SetHeight(rowHeight * ((Labelsort->GetTop() - DrawGrid->GetTop() - 4) / rowHeight) + 4);
}

void TFormLibrary::DisableVisible() {
    for (TControl* c : std::initializer_list<TControl*>{
             NewPatch,   NewPatchBank, NewPerformance, NewPerformanceBank, NewRhythm,   NewRhythmBank, NewSystem,
             Newglobal,  LabelNew,     BevelNew,       Speedcomment,       SpeedPrint,  speedtransmet, speedreceive,
             speedMorph, RandomBtn,    SpeedSearch,    Speeddebug,         SpeedDelete, SpeedNuovo})
        c->SetVisible(!trash_);
    BtnEmpty->SetVisible(trash_);
    if (trash_) SpeedHelp->SetBounds(506, 292, SpeedHelp->GetWidth(), SpeedHelp->GetHeight());
    else SpeedHelp->SetBounds(438, 6, SpeedHelp->GetWidth(), SpeedHelp->GetHeight());
    FormResize(this);
    Labelmask->SetTop(trash_ ? Header->GetTop() : 154);
    Bevelmask->SetTop(trash_ ? DrawGrid->GetTop() : 174);
    SpeedPatch->SetTop(Bevelmask->GetTop() + 6);
    SpeedPatchBank->SetTop(SpeedPatch->GetTop());
    TSpeedButton* above = SpeedPatch;
    for (auto [left, right] : {std::pair{speedPerformance, speedPerformancebank},
                               std::pair{SpeedRhythm, speedRhythmbank}, std::pair{Speedsystem, speedGlobal}}) {
        left->SetTop(above->GetTop() + above->GetHeight() - 1);
        right->SetTop(left->GetTop());
        above = left;
    }
    BtnUnmask->SetTop(Bevelmask->GetTop() + Bevelmask->GetHeight() + 6);
    HelpContext = trash_ ? HelpTrash : HelpLibrary;
}

// ------------------------------------------------------------------------------------------ the list

TSpeedButton* TFormLibrary::MaskButton(int Type) const {
    switch (Type) {
        case etPatch: return SpeedPatch;
        case etPatchBank: return SpeedPatchBank;
        case etPerformance: return speedPerformance;
        case etPerformanceBank: return speedPerformancebank;
        case etRhythm: return SpeedRhythm;
        case etRhythmBank: return speedRhythmbank;
        case etSystem: return Speedsystem;
        case etGlobal: return speedGlobal;
        default: return nullptr;
    }
}

TSpeedButton* TFormLibrary::NewButton(int Type) const {
    switch (Type) {
        case etPatch: return NewPatch;
        case etPatchBank: return NewPatchBank;
        case etPerformance: return NewPerformance;
        case etPerformanceBank: return NewPerformanceBank;
        case etRhythm: return NewRhythm;
        case etRhythmBank: return NewRhythmBank;
        case etSystem: return NewSystem;
        case etGlobal: return Newglobal;
        default: return nullptr;
    }
}

bool TFormLibrary::Visible(const TLibElem& Element) const {
    TSpeedButton* mask = MaskButton(Element.ElemType);
    return mask == nullptr || !mask->GetDown();
}

int TFormLibrary::MaxVis() const {
    if (library_ == nullptr) return -1;
    int count = 0;
    for (const auto& e : library_->Elements)
        if (Visible(*e)) ++count;
    return count - 1;
}

int TFormLibrary::CalcIndex(int Row) const {
    if (library_ == nullptr || Row < 0) return -1;
    int seen = 0;
    const auto& list = library_->Elements;
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (!Visible(*list[i])) continue;
        if (seen == Row) return static_cast<int>(i);
        ++seen;
    }
    return -1;
}

void TFormLibrary::SortElem() {
    if (library_ == nullptr) return;
    if (SpeedType->GetDown()) library_->Sort(skType);
    else if (SpeedDate->GetDown()) library_->Sort(skModified);
    else if (SpeedName->GetDown()) library_->Sort(skName);
    else library_->Sort(skCreated);
}

void TFormLibrary::SetRows() {
    // A list without a visible element keeps one blank row.
    DrawGrid->SetRowCount(std::max(MaxVis() + 1, 1));
}

void TFormLibrary::PosizionaOtt() {
    if (SpeedType->GetDown() || SpeedName->GetDown()) return;
    const int fit = DrawGrid->GetHeight() / DrawGrid->GetDefaultRowHeight();
    const int last = MaxVis();
    DrawGrid->SetTopRow(last < fit ? 0 : last - fit + 1);
}

void TFormLibrary::RefreshList() {
    SetRows();
    DrawGrid->SetColWidths(0, DrawGrid->ClientWidth());
    SortElem();
    DrawGrid->Repaint();
}

TRect TFormLibrary::ListScreenRect() {
    const TPoint topLeft = DrawGrid->GetParent()->ClientToScreen(TPoint{DrawGrid->GetLeft(), DrawGrid->GetTop()});
    return Bounds(topLeft.x, topLeft.y, DrawGrid->GetWidth(), DrawGrid->GetHeight());
}

void TFormLibrary::DrawGridDrawCell(TObject*, int, int ARow, TRect Rect, TGridDrawState) {
    TCanvas* c = DrawGrid->Canvas();
    const int i = CalcIndex(ARow);
    if (i < 0) {
        c->Brush()->SetColor(clWhite);
        c->Pen()->SetColor(clWhite);
        c->FillRect(Rect);
        return;
    }
    TLibElem& e = *library_->Elements[static_cast<std::size_t>(i)];
    if (e.Selected != 0) {
        c->Brush()->SetColor(clAqua);
        c->Pen()->SetColor(clAqua);
    } else {
        c->Brush()->SetColor(clWhite);
    }
    c->FillRect(Rect);
    c->Pen()->SetColor(clBlack);
    c->CopyMode = MERGECOPY;
    if (TSpeedButton* button = NewButton(e.ElemType)) {
        const bool bank = e.ElemType % 2 == 1;
        const int width = bank ? 32 : 16;
        const int left = bank ? 10 : 26;
        c->CopyRect(TRect(left, Rect.top, left + width, Rect.top + 16), button->Glyph()->Canvas(),
                    TRect(0, 0, width, 16));
    }
    c->CopyMode = SRCCOPY;
    const int y = Rect.top + 1;
    c->TextOut(47, y, e.TypeName());
    c->TextOut(157, y, e.GetName());
    c->TextOut(267, y, e.LocationText());
    c->TextOut(337, y,
               FormatDateTime(ShortDateFormat, e.ModifiedDate) + "  " + FormatDateTime(LongTimeFormat, e.ModifiedTime));
}

// ------------------------------------------------------------------------------------------ mouse and keys

void TFormLibrary::DrawGridMouseDown(TObject*, TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (swallow_) {
        swallow_ = false;
        return;
    }
    if (library_ == nullptr) return;  // closed, the window on its way out
    const int row = Y / DrawGrid->GetDefaultRowHeight() + DrawGrid->GetTopRow();
    const int i = CalcIndex(row);
    lastY_ = Y;
    auto& list = library_->Elements;
    if (Button == mbLeft) {
        const int mode = Shift.Contains(ssShift) ? 1 : Shift.Contains(ssCtrl) ? 2 : 0;
        if (i < 0) return;
        if (list[static_cast<std::size_t>(i)]->Selected == 0) {
            SelectInList(list, i, mode);
            DrawGrid->Repaint();
        }
        if (mode != 0) return;
        // A plain press on a selected element: the drag of the selection starts once the mouse moves.
        if (Formzelmo != nullptr) Formzelmo->DropSuppress = false;
        DrawGrid->BeginDrag(false);
        if (TDragInfo* d = Drag()) {
            d->Accepted = 0;
            d->Source = this;
            d->CollectFromLibrary(*library_, [this](const TLibElem& e) { return Visible(e); });
        }
        return;
    }
    if (Button != mbRight) return;
    if (Shift.Contains(ssShift)) {
        if (i >= 0 && list[static_cast<std::size_t>(i)]->ElemType == etPatch) {
            SelectInList(list, i, 0);
            DrawGrid->Repaint();
            list[static_cast<std::size_t>(i)]->Transmit(true);
            if (Formzelmo != nullptr) Formzelmo->TimerPreview->SetEnabled(true);
            Screen->SetCursor(AuditionCursor);
        } else {
            // A failing audition has told the user already; the cursor goes back, as for the main window's.
            try {
                StartPreview();
            } catch (const std::exception&) {
                Screen->SetCursor(crDefault);
            }
        }
        return;
    }
    if (i < 0) return;
    SelectInList(list, i, 0);
    DrawGrid->Repaint();
    popupElem_ = list[static_cast<std::size_t>(i)].get();
    popupIndex_ = i;
    const TPoint p = ClientToScreen(TPoint{X, Y});
    PopupMenu->Popup(p.x + PopupOffsetX, p.y + PopupOffsetY);
}

void TFormLibrary::DrawGridDblClick(TObject*) {
    if (library_ == nullptr) return;
    if (Formzelmo != nullptr) Formzelmo->DropSuppress = true;
    swallow_ = true;
    const int i = CalcIndex(lastY_ / DrawGrid->GetDefaultRowHeight() + DrawGrid->GetTopRow());
    if (i < 0) return;
    try {
        library_->Elements[static_cast<std::size_t>(i)]->OpenEditor();
    } catch (...) {
        // The press that follows a double click does not come after a failure: the next one is the user's.
        swallow_ = false;
        throw;
    }
    PostMessage(DrawGrid->GetHandle(), WM_LBUTTONUP, 0, 0);
}

void TFormLibrary::FormKeyDown(TObject*, WORD& Key, TShiftState) {
    if (Key == VkDelete) DeleteSelected();
}

void TFormLibrary::PanelClick(TObject*) {
    if (library_ == nullptr) return;
    ClearSelection(library_->Elements);
    DrawGrid->Repaint();
}

void TFormLibrary::PanelDragOver(TObject*, TObject*, int, int, TDragState State, bool& Accept) {
    Accept = false;
    if (State == dsDragLeave) return;
    BringToFront();
    if (TDragInfo* d = Drag()) d->Accepted = 0;
}

// ------------------------------------------------------------------------------------------ drags

void TFormLibrary::DrawGridDragOver(TObject*, TObject*, int, int, TDragState State, bool& Accept) {
    Accept = false;
    TDragInfo* d = Drag();
    if (d == nullptr || library_ == nullptr) return;
    if (auto* source = dynamic_cast<TFormLibrary*>(d->Source)) Accept = source != this;
    else
        Accept = !trash_ &&
                 (dynamic_cast<TFormBank*>(d->Source) != nullptr || dynamic_cast<TFormGlobal*>(d->Source) != nullptr);
    if (State == dsDragLeave) return;
    BringToFront();
    d->Accepted = Accept ? 1 : 0;
}

void TFormLibrary::DrawGridEndDrag(TObject*, TObject* Target, int X, int Y) {
    TDragInfo* d = Drag();
    if (d == nullptr || Target == nullptr || d->Accepted == 0 || Formzelmo->DropSuppress) return;
    if (dynamic_cast<TImage*>(Target) != nullptr) {
        DeleteSelected();
        return;
    }
    auto* control = dynamic_cast<TControl*>(Target);
    TCustomForm* window = control != nullptr ? ::zel::GetParentForm(control) : nullptr;
    d->Target = window;
    if (auto* library = dynamic_cast<TFormLibrary*>(window)) {
        if (library->TrashMode()) ProcMove();
        else
            Formzelmo->ShowPopUpCopyMove(
                X, Y, [this](TObject*) { ProcCopy(); }, [this](TObject*) { ProcMove(); });
    } else if (auto* bank = dynamic_cast<TFormBank*>(window)) {
        bank->DropRow = bank->RowAt(Y);
        Formzelmo->ShowPopUpCopyMove(
            X, Y - 40, [bank](TObject*) { bank->ProcCopy(); }, [this](TObject*) { ProcMove(); });
    } else if (auto* global = dynamic_cast<TFormGlobal*>(window)) {
        Formzelmo->ShowPopUpCopyMove(
            X, Y - 40, [global](TObject*) { global->ProcCopy(); }, [this](TObject*) { ProcMove(); });
    }
}

void TFormLibrary::ProcCopy() {
    TDragInfo* d = Drag();
    auto* target = d != nullptr ? dynamic_cast<TFormLibrary*>(d->Target) : nullptr;
    if (target == nullptr || target->library_ == nullptr) return;
    TLibrary& into = *target->library_;
    ClearSelection(into.Elements);
    into.Elements.reserve(into.Elements.size() + d->Items.size());
    for (const auto& item : d->Items) {
        if (item->Element == nullptr) continue;
        std::unique_ptr<TLibElem> copy = CreateElementOfType(item->Element->ElemType, &into);
        copy->Assign(item->Element);
        into.Elements.push_back(std::move(copy));
    }
    into.Saved = 0;
    target->RefreshList();
    target->PosizionaOtt();
    target->DrawGrid->Repaint();
    RefreshMainMenus();
}

void TFormLibrary::ProcMove() {
    TDragInfo* d = Drag();
    if (d == nullptr || library_ == nullptr) return;
    if (dynamic_cast<TFormLibrary*>(d->Target) != nullptr) ProcCopy();
    else if (auto* bank = dynamic_cast<TFormBank*>(d->Target)) bank->ProcCopy();
    else if (auto* global = dynamic_cast<TFormGlobal*>(d->Target)) global->ProcCopy();
    else return;
    // One pass over the list, however many elements were dragged.
    std::unordered_set<const TLibElem*> dragged;
    for (const auto& item : d->Items)
        if (item->Element != nullptr) dragged.insert(item->Element);
    // The dragged elements are gone with the move: the drag no longer names them.
    d->Clear();
    auto& list = library_->Elements;
    std::vector<std::unique_ptr<TLibElem>> removed;
    auto keep = std::stable_partition(list.begin(), list.end(),
                                      [&dragged](const auto& e) { return dragged.count(e.get()) == 0; });
    if (keep != list.end()) library_->Saved = 0;
    std::move(keep, list.end(), std::back_inserter(removed));
    list.erase(keep, list.end());
    // Destroyed out of the list: an element's window may look at the library as it goes.
    removed.clear();
    RefreshList();
    RefreshMainMenus();
}

// ------------------------------------------------------------------------------------------ buttons

void TFormLibrary::New(int Type) {
    if (library_ == nullptr) return;
    library_->Elements.push_back(CreateElementOfType(Type, library_));
    library_->Saved = 0;
    SetRows();
    DrawGrid->SetColWidths(0, DrawGrid->ClientWidth());
    SortElem();
    PosizionaOtt();
    DrawGrid->Repaint();
    RefreshMainMenus();
}

void TFormLibrary::SpeedPatchClick(TObject*) {
    SetRows();
    DrawGrid->Repaint();
}

void TFormLibrary::BtnUnmaskClick(TObject* Sender) {
    for (int t = 0; t < ElementTypeCount; ++t) MaskButton(t)->SetDown(false);
    SpeedPatchClick(Sender);
}

void TFormLibrary::SpeedTypeClick(TObject*) {
    SortElem();
    DrawGrid->Repaint();
}

void TFormLibrary::SpeedNuovoClick(TObject*) {
    if (library_ == nullptr) return;
    if (ShowMessageBox("Are You Sure ?", TMessageKind::Information, TMessageButtons::YesNo) != TMessageResult::Yes)
        return;
    library_->Elements.clear();
    library_->Saved = 0;
    library_->Notes.Clear();
    SetRows();
    DrawGrid->Repaint();
    RefreshMainMenus();
}

void TFormLibrary::SpeedcommentClick(TObject*) {
    if (library_ == nullptr) return;
    const bool wasSaved = library_->Saved != 0;
    TFormcomment* comment = Formcomment;
    std::unique_ptr<TFormcomment> own;
    if (comment == nullptr) {
        own.reset(Construct<TFormcomment>(nullptr));
        comment = own.get();
    }
    comment->SeTStringList(&library_->Notes);
    comment->ShowModal();
    library_->Saved = wasSaved && !comment->Changed ? 1 : 0;
    RefreshMainMenus();
}

void TFormLibrary::DeleteSelected() {
    if (trash_ || library_ == nullptr || Formzelmo == nullptr || Formzelmo->TrashLibrary == nullptr) return;
    TLibrary& trash = *Formzelmo->TrashLibrary;
    auto& list = library_->Elements;
    for (std::size_t i = 0; i < list.size();) {
        TLibElem& e = *list[i];
        if (e.Selected == 0 || !Visible(e)) {
            ++i;
            continue;
        }
        ReleaseWindowOf(e);
        trash.MoveElementFrom(*library_, static_cast<int>(i));
        Formzelmo->SecchioPieno();
        library_->Saved = 0;
    }
    RefreshList();
    if (TFormLibrary* trashForm = TrashWindow()) trashForm->RefreshList();
    RefreshMainMenus();
}

void TFormLibrary::SpeedDeleteClick(TObject*) { DeleteSelected(); }

void TFormLibrary::SendSelected() {
    if (library_ == nullptr) return;
    for (std::size_t i = 0; i < library_->Elements.size(); ++i) {
        TLibElem& e = *library_->Elements[i];
        if (e.Selected != 0 && Visible(e)) e.Transmit(false);
    }
}

void TFormLibrary::speedtransmetClick(TObject*) { SendSelected(); }

void TFormLibrary::ReceiveSelected() {
    if (library_ == nullptr) return;
    for (std::size_t i = 0; i < library_->Elements.size(); ++i) {
        TLibElem& e = *library_->Elements[i];
        if (e.Selected == 0 || !Visible(e)) continue;
        e.Receive(false);
        DrawGrid->Repaint();
        ITransferProgress* progress = ModelServices().Progress;
        if (progress == nullptr || !progress->GetCompleted()) return;
    }
}

void TFormLibrary::speedreceiveClick(TObject*) { ReceiveSelected(); }

void TFormLibrary::PrintSelected() {
    if (library_ == nullptr) return;
    BeginPrint();
    int y = 10;
    for (std::size_t i = 0; i < library_->Elements.size(); ++i) {
        TLibElem& e = *library_->Elements[i];
        if (e.Selected != 0 && Visible(e)) e.PrintLine(y, false);
    }
    EndPrint();
}

void TFormLibrary::SpeedPrintClick(TObject*) { PrintSelected(); }

void TFormLibrary::SpeedHelpClick(TObject*) { Application->HelpContext(HelpLibrary); }

void TFormLibrary::btnCloseClick(TObject*) { Close(); }

// ------------------------------------------------------------------------------------------ popup menu

TLibElem* TFormLibrary::PopupElement() const {
    if (library_ == nullptr || popupIndex_ < 0 || popupIndex_ >= static_cast<int>(library_->Elements.size()))
        return nullptr;
    TLibElem* e = library_->Elements[static_cast<std::size_t>(popupIndex_)].get();
    return e == popupElem_ ? e : nullptr;
}

void TFormLibrary::PopupMenuPopup(TObject*) {
    TLibElem* e = PopupElement();
    const bool global = e != nullptr && e->ElemType == etGlobal;
    LoadSysex->Caption = global ? "Load Global" : "Load SysEx";
    SaveSysex->Caption = global ? "Save Global" : "Save SysEx";
    ImportFrom->Enabled = e != nullptr && e->ElemType != etRhythm && e->ElemType != etRhythmBank;
    ExportTo->Enabled = ImportFrom->Enabled;
}

void TFormLibrary::LoadSysexClick(TObject*) {
    TLibElem* e = PopupElement();
    if (e == nullptr) return;
    if (auto* global = dynamic_cast<TGlobal*>(e)) global->LoadGlobalDialog();
    else e->LoadSyxDialog();
    SortElem();
    DrawGrid->Repaint();
}

void TFormLibrary::SaveSysexClick(TObject*) {
    TLibElem* e = PopupElement();
    if (e == nullptr) return;
    if (auto* global = dynamic_cast<TGlobal*>(e)) global->SaveGlobalDialog(true);
    else e->SaveSyxDialog(true);
}

void TFormLibrary::ImportFromClick(TObject* Sender) {
    WithXpFormat([&] { LoadSysexClick(Sender); });
}

void TFormLibrary::ExportToClick(TObject* Sender) {
    WithXpFormat([&] { SaveSysexClick(Sender); });
}

void TFormLibrary::SendClick(TObject*) {
    if (TLibElem* e = PopupElement()) e->Transmit(false);
}

void TFormLibrary::ReceiveClick(TObject*) {
    TLibElem* e = PopupElement();
    if (e == nullptr) return;
    e->Receive(false);
    DrawGrid->Repaint();
}

// ------------------------------------------------------------------------------------------- the tools

namespace {
// The window made at start-up, or one made for this use alone while there is none.
template <class F>
F* LastingOrOwn(F* Lasting, std::unique_ptr<F>& Own) {
    if (Lasting != nullptr) return Lasting;
    Own.reset(Construct<F>(nullptr));
    return Own.get();
}
}  // namespace

// Hands the library to the search window in the mode and shows it modally.
void TFormLibrary::ShowSearch(bool Duplicates) {
    if (library_ == nullptr) return;
    std::unique_ptr<TFormSearch> own;
    TFormSearch* search = LastingOrOwn(FormSearch, own);
    search->Library = library_;
    search->DuplicateMode = Duplicates;
    search->ShowModal();
}

void TFormLibrary::SpeedSearchClick(TObject*) { ShowSearch(false); }

void TFormLibrary::SpeeddebugClick(TObject*) { ShowSearch(true); }

std::vector<TLibElem*> TFormLibrary::SelectedOfType(int Type, std::size_t Most) const {
    std::vector<TLibElem*> found;
    if (library_ == nullptr) return found;
    for (const auto& e : library_->Elements) {
        if (found.size() >= Most) break;
        if (e->ElemType == Type && e->Selected != 0 && Visible(*e)) found.push_back(e.get());
    }
    return found;
}

void TFormLibrary::speedMorphClick(TObject*) {
    const std::vector<TLibElem*> patches = SelectedOfType(etPatch, 3);
    if (patches.size() != 2) {
        ShowMessageBox("You Must Select two Patch.", TMessageKind::Error, TMessageButtons::OK);
        return;
    }
    std::unique_ptr<TFormMorph> own;
    TFormMorph* morph = LastingOrOwn(FormMorph, own);
    morph->PatchA = static_cast<TPatch*>(patches[0]);
    morph->PatchB = static_cast<TPatch*>(patches[1]);
    morph->Origin = this;
    morph->ShowModal();
}

void TFormLibrary::RandomBtnClick(TObject*) {
    const std::vector<TLibElem*> banks = SelectedOfType(etPatchBank, 2);
    if (banks.size() != 1) {
        ShowMessageBox("You Must Select One Patch Bank.", TMessageKind::Error, TMessageButtons::OK);
        return;
    }
    std::unique_ptr<TFormRandom> own;
    TFormRandom* random = LastingOrOwn(FormRandom, own);
    random->SourceBank = static_cast<TBank*>(banks[0]);
    random->Origin = this;
    random->ShowModal();
}

void TFormLibrary::EditClick(TObject*) {
    TLibElem* e = PopupElement();
    if (e == nullptr) return;
    ShowElementProperties(*e);
    DrawGrid->Repaint();
}

void TFormLibrary::PrintClick(TObject*) {
    if (TLibElem* e = PopupElement()) PrintElementAlone(*e);
}

void TFormLibrary::OpenClick(TObject*) {
    if (TLibElem* e = PopupElement()) e->OpenEditor();
}

void TFormLibrary::DeleteClick(TObject*) {
    if (PopupElement() == nullptr) return;
    auto& list = library_->Elements;
    list.erase(list.begin() + popupIndex_);
    popupElem_ = nullptr;
    popupIndex_ = -1;
    // The deletion is a change to offer for saving, as Delete Selected is.
    library_->Saved = 0;
    RefreshList();
    RefreshMainMenus();
}

// ------------------------------------------------------------------------------------------ closing

void TFormLibrary::FormClose(TObject*, TCloseAction& Action) {
    Action = caNone;
    if (library_ == nullptr) return;  // closed already, the window on its way out
    library_->StoreWindowPositions();
    if (trash_) {
        Release();
        if (trashWindow == this) trashWindow = nullptr;
        if (Formzelmo != nullptr) {
            Formzelmo->PanelTrash->SetVisible(true);
            if (library_->Elements.empty()) Formzelmo->SvuotaSecchio();
            else Formzelmo->SecchioPieno();
        }
        return;
    }
    if (library_->Saved == 0) {
        const TMessageResult answer = ShowMessageBox(library_->GetName() + " Was Not Saved, Save It ?",
                                                     TMessageKind::Information, TMessageButtons::YesNoCancel);
        if (answer == TMessageResult::Yes) {
            try {
                library_->SaveDialog(false);
            } catch (const std::exception& E) {
                ShowMessageBox(E.what(), TMessageKind::Error, TMessageButtons::OK);
            }
        }
        // A library that is still unsaved after Yes (the dialog cancelled, the overwrite refused, the save
        // failed) stays open with its changes.
        if (answer == TMessageResult::Cancel || (answer == TMessageResult::Yes && library_->Saved == 0)) {
            if (Formzelmo != nullptr) Formzelmo->CancelClose = true;
            return;
        }
    }
    ClosedFileName = library_->FileName;
    TLibrary* library = library_;
    library_ = nullptr;
    library->Window = nullptr;
    library->WindowOpen = 0;
    delete library;
    Release();
}

}  // namespace zel
