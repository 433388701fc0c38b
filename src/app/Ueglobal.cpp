#include "app/Ueglobal.h"

#include <algorithm>

#include "app/Main.h"
#include "app/Uelibrar.h"
#include "model/Clipboard.h"
#include "model/Global.h"
#include "model/Library.h"
#include "model/Settings.h"
#include "model/SharedRoutines.h"
#include "platform/rtl/DateUtils.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/vcl/FormReader.h"

namespace zel {

TGlobal* OpeningGlobal = nullptr;

namespace formres {
extern const TFormResource Ueglobal;
}

namespace {
const TFormClassRegistration registration("TFormGlobal", [](TComponent* Owner) -> TCustomForm* {
    return Construct<TFormGlobal>(Owner);
});

const struct TGlobalWindowMaker {
    TGlobalWindowMaker() {
        RegisterElementWindow(etGlobal, [](TLibElem& Element) -> TObject* {
            return TFormGlobal::OpenGlobal(Formzelmo, static_cast<TGlobal&>(Element));
        });
    }
} globalWindowMaker;

constexpr int HelpGlobal = 14;

std::vector<TFormGlobal*>& openWindows() {
    static std::vector<TFormGlobal*> windows;
    return windows;
}

bool CardInstalled() { return ZelmoHolder != nullptr && ZelmoHolder->Config && ZelmoHolder->Config->Installed != 0; }

TDragInfo* Drag() { return Formzelmo != nullptr ? Formzelmo->DragInfo.get() : nullptr; }

}  // namespace

TFormGlobal::TFormGlobal(TComponent* AOwner) : TFormMembers(AOwner) { openWindows().push_back(this); }

TFormGlobal::~TFormGlobal() { std::erase(openWindows(), this); }

std::vector<TFormGlobal*> TFormGlobal::OpenWindows() { return openWindows(); }

const TFormResource* TFormGlobal::FormResource() const { return &formres::Ueglobal; }

TFormGlobal* TFormGlobal::OpenGlobal(TComponent* Owner, TGlobal& Global) {
    return OpenWith<TFormGlobal>(Owner, Global, OpeningGlobal);
}

void TFormGlobal::FormCreate(TObject*) {
    const int widths[] = {147, 110, 70, 90};
    TakeElement(OpeningGlobal, HelpGlobal, widths);
    SetDimension();
    if (element_ != nullptr) PlaceMdiChild(element_->WindowLeft, element_->WindowTop, this);
}

void TFormGlobal::FormShow(TObject*) { UpDateView(); }

void TFormGlobal::FormResize(TObject*) { SetDimension(); }

void TFormGlobal::DataCardChanged() {
    SetDimension();
    DrawGrid->Invalidate();
}

void TFormGlobal::SetDimension() {
    if (Panel == nullptr || DrawGrid == nullptr || sizing_) return;
    // Setting the window's size resizes it again: one pass is enough.
    TScopeExit done([this] { sizing_ = false; });
    sizing_ = true;
    const int rows = CardInstalled() ? GlobalMemberCount : 4;
    DrawGrid->SetRowCount(rows);
    FitRows(rows);
    Panel->SetHeight(DrawGrid->GetHeight() + Header->GetHeight() + 18);
    // The panel with a margin of 4 above and below it: the frame's own height is added to that.
    SetClientHeight(Panel->GetHeight() + 8);
    SetWidth(Panel->GetWidth() + 23);
    DrawGrid->SetColWidths(0, DrawGrid->ClientWidth());
    DrawGrid->Repaint();
}

int TFormGlobal::MemberOfRow(int Row) const {
    if (element_ == nullptr || Row < 0) return -1;
    const int m = CardInstalled() ? Row : 2 * Row;
    return Row < DrawGrid->GetRowCount() && m < element_->MemberCount() ? m : -1;
}

void TFormGlobal::DrawGridDrawCell(TObject*, int, int ARow, TRect Rect, TGridDrawState) {
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
        if (e.ElemType == etPatchBank) glyph = Formzelmo->PatchBank;
        else if (e.ElemType == etPerformanceBank) glyph = Formzelmo->PerformanceBank;
        else if (e.ElemType == etRhythmBank) glyph = Formzelmo->RhythmBank;
        else if (e.ElemType == etSystem) glyph = Formzelmo->System;
    }
    if (glyph != nullptr) DrawPicture(glyph->Glyph(), 10, 32, Rect);
    const int y = Rect.top + 1;
    // The longest type name ("Performance Bank") stops at the name's column.
    c->TextRect(TRect(47, Rect.top, 150, Rect.bottom), 47, y, e.TypeName());
    c->TextOut(152, y, e.GetName());
    c->TextOut(262, y, e.LocationText());
    c->TextOut(332, y,
               FormatDateTime(ShortDateFormat, e.ModifiedDate) + "  " + FormatDateTime(LongTimeFormat, e.ModifiedTime));
}

void TFormGlobal::CollectDrag() {
    if (TDragInfo* d = Drag()) d->CollectFromGlobal(element_->Members);
}

bool TFormGlobal::ImportAllowed(const TLibElem& Member) const { return Member.ElemType != etRhythmBank; }

// ------------------------------------------------------------------------------------------ drops

void TFormGlobal::DrawGridDragOver(TObject*, TObject*, int, int, TDragState State, bool& Accept) {
    Accept = false;
    TDragInfo* d = Drag();
    if (d == nullptr || element_ == nullptr) return;
    if (dynamic_cast<TFormLibrary*>(d->Source) != nullptr) {
        const TLibElem* e = d->Items.size() == 1 ? d->Items[0]->Element : nullptr;
        Accept = e != nullptr && (e->ElemType == etPatchBank || e->ElemType == etPerformanceBank ||
                                  e->ElemType == etRhythmBank || e->ElemType == etSystem);
    } else {
        Accept = dynamic_cast<TFormGlobal*>(d->Source) != nullptr;
    }
    if (State == dsDragLeave) return;
    BringToFront();
    d->Accepted = Accept ? 1 : 0;
}

void TFormGlobal::ProcCopy() {
    TDragInfo* d = Drag();
    if (d == nullptr || element_ == nullptr) return;
    ClearSelection(element_->Members);
    for (const auto& item : d->Items) {
        TLibElem* dragged = item->Element;
        if (dragged == nullptr) continue;
        auto it = std::find_if(element_->Members.begin(), element_->Members.end(), [dragged](const auto& m) {
            return m->ElemType == dragged->ElemType && m->User == dragged->User;
        });
        // A member dropped on its own global stays as it is.
        if (it != element_->Members.end() && it->get() != dragged) (*it)->Assign(dragged);
    }
    DrawGrid->Repaint();
    RefreshMainMenus();
}

void TFormGlobal::DrawGridEndDrag(TObject*, TObject* Target, int, int) {
    TDragInfo* d = Drag();
    if (d == nullptr || Target == nullptr || d->Accepted == 0) return;
    TCustomForm* window = DropWindow(Target);
    d->Target = window;
    if (auto* library = dynamic_cast<TFormLibrary*>(window)) library->ProcCopy();
    else if (auto* global = dynamic_cast<TFormGlobal*>(window)) global->ProcCopy();
}

}  // namespace zel
