#include "app/Uesearch.h"

#include <cmath>
#include <unordered_map>

#include "app/Main.h"
#include "model/Bank.h"
#include "model/Global.h"
#include "model/Library.h"
#include "model/ModelServices.h"
#include "model/Settings.h"
#include "model/SharedRoutines.h"
#include "platform/rtl/SafeFile.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/vcl/Dialogs.h"
#include "platform/vcl/FormReader.h"

namespace zel {

namespace formres {
extern const TFormResource Uesearch;
}

TFormSearch* FormSearch = nullptr;

namespace {
const TFormClassRegistration registration("TFormSearch", [](TComponent* Owner) -> TCustomForm* {
    return Construct<TFormSearch>(Owner);
});

// The text padded with blanks to Width; a longer text stays whole.
std::string Padded(const std::string& Text, std::size_t Width) {
    return Text.size() >= Width ? Text : Text + std::string(Width - Text.size(), ' ');
}

std::string DateAndTime(const TLibElem& E) {
    return FormatDateTime(ShortDateFormat, E.ModifiedDate) + "  " + FormatDateTime(LongTimeFormat, E.ModifiedTime);
}
}  // namespace

struct TFormSearch::TNameIndex {
    std::unordered_map<std::string, TDebElem*> Records;
};

// What a search-mode test checks, read from the window once per search.
struct TFormSearch::TCriteria {
    bool NameTest = false;
    std::string Text;  // upper-cased unless " Case Sensitive"
    bool CaseSensitive = false;
    bool Substring = false;
    bool DateTest = false;
    TDateTime FromDate = 0, ToDate = 0;
    bool TimeTest = false;
    TDateTime FromTime = 0, ToTime = 0;
};

TFormSearch::TFormSearch(TComponent* AOwner) : TForm(AOwner), debIndex_(std::make_unique<TNameIndex>()) {
    if (FormSearch == nullptr) FormSearch = this;
}

TFormSearch::~TFormSearch() {
    if (FormSearch == this) FormSearch = nullptr;
}

const TFormResource* TFormSearch::FormResource() const { return &formres::Uesearch; }

void TFormSearch::DefineBindings(TFormBindings& B) {
    B.Field("Panel", Panel);
    B.Field("LabelName", LabelName);
    B.Field("SearchString", SearchString);
    B.Field("GroupBoxFor", GroupBoxFor);
    B.Field("Patch", Patch);
    B.Field("Performance", Performance);
    B.Field("Rhythm", Rhythm);
    B.Field("system", system);
    B.Field("GroupBoxVari", GroupBoxVari);
    B.Field("CaseSens", CaseSens);
    B.Field("substring", substring);
    B.Field("Date", Date);
    B.Field("Time", Time);
    B.Field("Selected", Selected);
    B.Field("GroupDate", GroupDate);
    B.Field("FromDate", FromDate);
    B.Field("Todate", Todate);
    B.Field("GroupTime", GroupTime);
    B.Field("Fromtime", Fromtime);
    B.Field("Totime", Totime);
    B.Field("GroupCaseDeb", GroupCaseDeb);
    B.Field("DebCaseSens", DebCaseSens);
    B.Field("SelectedDebug", SelectedDebug);
    B.Field("Btnsearch", Btnsearch);
    B.Field("Gauge", Gauge);
    B.Field("Label5", Label5);
    B.Field("Header", Header);
    B.Field("DrawGrid", DrawGrid);
    B.Field("BitBtn1", BitBtn1);
    B.Field("StampaBtn", StampaBtn);
    B.Field("Savetodisk", Savetodisk);
    using N = TNotifyEvent;
    B.Handler<N>("FormShow", [this](TObject* s) { FormShow(s); });
    B.Handler<TCloseEvent>("FormClose", [this](TObject* s, TCloseAction& a) { FormClose(s, a); });
    B.Handler<N>("DateClick", [this](TObject* s) { DateClick(s); });
    B.Handler<N>("BtnsearchClick", [this](TObject* s) { BtnsearchClick(s); });
    B.Handler<TDrawCellEvent>("DrawGridDrawCell", [this](TObject* s, int c, int r, TRect R, TGridDrawState st) {
        DrawGridDrawCell(s, c, r, R, st);
    });
    B.Handler<N>("StampaBtnClick", [this](TObject* s) { StampaBtnClick(s); });
    B.Handler<N>("SavetodiskClick", [this](TObject* s) { SavetodiskClick(s); });
    B.Handler<N>("BitBtn1Click", [this](TObject* s) { BitBtn1Click(s); });
}

// ---------------------------------------------------------------------------------------------- showing

void TFormSearch::FormShow(TObject*) {
    Searched = false;
    const bool search = !DuplicateMode;
    SetCaption(search ? "Search Items" : "Find Duplicate Items");
    HelpContext = search ? 57 : 12;
    GroupCaseDeb->SetVisible(!search);
    for (TControl* c : std::initializer_list<TControl*>{GroupDate, GroupTime, GroupBoxVari, LabelName, SearchString})
        c->SetVisible(search);
    Btnsearch->SetLeft(search ? 204 : 144);
    Btnsearch->SetTop(8);
    GroupBoxFor->SetTop(search ? 40 : 8);
    Header->SetSectionWidth(0, 96);
    Header->SetSectionWidth(1, 100);
    Header->SetSectionWidth(2, 110);
    Header->SetTop(GroupBoxFor->GetTop() + GroupBoxFor->GetHeight() + 8);
    DrawGrid->SetTop(Header->GetTop() + Header->GetHeight());
    DrawGrid->SetHeight(Panel->ClientHeight() - DrawGrid->GetTop() - 10);
    DrawGrid->SetDefaultColWidth(DrawGrid->ClientWidth());
    DateClick(this);
    results_.clear();
    ShowRows();
    SearchString->SetText("");
    Gauge->SetProgress(0);
}

void TFormSearch::DateClick(TObject*) {
    FromDate->SetEnabled(Date->GetChecked());
    Todate->SetEnabled(Date->GetChecked());
    Fromtime->SetEnabled(Time->GetChecked());
    Totime->SetEnabled(Time->GetChecked());
}

void TFormSearch::ShowRows() {
    // An empty list keeps one row, where "No Items Found" shows after a search.
    DrawGrid->SetRowCount(std::max<int>(1, static_cast<int>(results_.size())));
    DrawGrid->Repaint();
}

// -------------------------------------------------------------------------------------------- searching

bool TFormSearch::KindChecked(const TLibElem& Element, bool Other) const {
    switch (Element.ElemType) {
        case etPatch:
        case etPatchBank: return Patch->GetChecked();
        case etPerformance:
        case etPerformanceBank: return Performance->GetChecked();
        case etRhythm:
        case etRhythmBank: return Rhythm->GetChecked();
        case etSystem: return system->GetChecked();
        default: return Other;
    }
}

void TFormSearch::TestElement(TLibElem& Element, const TCriteria& C) {
    if (DuplicateMode) {
        TestDuplicate(Element);
        return;
    }
    if (!KindChecked(Element, true)) return;
    if (C.NameTest) {
        std::string name = TrimTrailingBlanks(Element.GetName());
        if (!C.CaseSensitive) name = UpperCase(name);
        const bool match = C.Substring ? name.find(C.Text) != std::string::npos : name == C.Text;
        if (!match) return;
    }
    if (C.DateTest && (Element.ModifiedDate < C.FromDate || Element.ModifiedDate > C.ToDate)) return;
    if (C.TimeTest && (Element.ModifiedTime < C.FromTime || Element.ModifiedTime > C.ToTime)) return;
    results_.push_back(&Element);
}

void TFormSearch::TestDuplicate(TLibElem& Element) {
    std::string name = TrimTrailingBlanks(Element.GetName());
    if (name.empty() || !KindChecked(Element, false)) return;
    if (!DebCaseSens->GetChecked()) name = UpperCase(name);
    // The records are looked up by name, so that each element costs the same however many came before.
    auto [at, added] = debIndex_->Records.try_emplace(name, nullptr);
    if (added) {
        debList_.push_back(std::make_unique<TDebElem>(&Element));
        at->second = debList_.back().get();
        return;
    }
    TDebElem& first = *at->second;
    if (!first.Reported) {
        results_.push_back(first.Element);
        first.Reported = true;
    }
    results_.push_back(&Element);
}

void TFormSearch::SortDuplicates() {
    // An exchange sort by upper-cased name, each name upper-cased once.
    std::vector<std::string> keys;
    keys.reserve(results_.size());
    for (const TLibElem* e : results_) keys.push_back(UpperCase(e->GetName()));
    for (std::size_t i = 0; i + 1 < results_.size(); ++i)
        for (std::size_t j = i + 1; j < results_.size(); ++j)
            if (keys[j] < keys[i]) {
                std::swap(keys[i], keys[j]);
                std::swap(results_[i], results_[j]);
            }
}

void TFormSearch::Search() {
    Searched = true;
    results_.clear();
    debList_.clear();
    debIndex_->Records.clear();
    Screen->SetCursor(crHourGlass);
    const TScopeExit normalCursor([] { Screen->SetCursor(crDefault); });

    TCriteria criteria;
    if (!DuplicateMode) {
        criteria.CaseSensitive = CaseSens->GetChecked();
        criteria.Substring = substring->GetChecked();
        criteria.Text = TrimTrailingBlanks(SearchString->GetText());
        if (!criteria.CaseSensitive) criteria.Text = UpperCase(criteria.Text);
        criteria.NameTest = !criteria.Text.empty();
        criteria.DateTest = Date->GetChecked();
        if (criteria.DateTest && (!TryStrToDate(FromDate->GetText(), criteria.FromDate) ||
                                  !TryStrToDate(Todate->GetText(), criteria.ToDate))) {
            ShowMessageBox("Incorrect Date Format.", TMessageKind::Information, TMessageButtons::OK);
            FromDate->SetFocus();
            return;
        }
        criteria.TimeTest = Time->GetChecked();
        if (criteria.TimeTest && (!TryStrToTime(Fromtime->GetText(), criteria.FromTime) ||
                                  !TryStrToTime(Totime->GetText(), criteria.ToTime))) {
            ShowMessageBox("Incorrect Time Format.", TMessageKind::Information, TMessageButtons::OK);
            Fromtime->SetFocus();
            return;
        }
    }
    const bool onlySelected = DuplicateMode ? SelectedDebug->GetChecked() : Selected->GetChecked();
    const bool card = ZelmoHolder != nullptr && ZelmoHolder->Config->Installed != 0;
    const auto walkBank = [&](TLibElem& bank) {
        for (auto& member : static_cast<TBank&>(bank).Members) TestElement(*member, criteria);
    };

    int shown = -1;
    const std::size_t count = Library != nullptr ? Library->Elements.size() : 0;
    for (std::size_t i = 0; i < count; ++i) {
        const int percent = static_cast<int>(std::trunc(static_cast<double>(i) / static_cast<double>(count) * 100));
        if (percent != shown) {
            shown = percent;
            Gauge->SetProgress(percent);
            Gauge->Update();
        }
        TLibElem& e = *Library->Elements[i];
        if (onlySelected && e.Selected == 0) continue;
        switch (e.ElemType) {
            case etPatchBank:
            case etPerformanceBank:
            case etRhythmBank:
                if (KindChecked(e, false)) walkBank(e);
                break;
            case etGlobal: {
                // The user banks, and the card banks with a data card installed; never the system.
                auto& members = static_cast<TGlobal&>(e).Members;
                for (std::size_t m = 0; m < 6 && m < members.size(); ++m) {
                    if (m % 2 == 1 && !card) continue;
                    if (KindChecked(*members[m], false)) walkBank(*members[m]);
                }
                break;
            }
            default: TestElement(e, criteria);
        }
    }
    Gauge->SetProgress(100);
    if (DuplicateMode) SortDuplicates();
    ShowRows();
}

void TFormSearch::BtnsearchClick(TObject*) { Search(); }

// ------------------------------------------------------------------------------------------------ rows

void TFormSearch::DrawGridDrawCell(TObject*, int, int ARow, TRect Rect, TGridDrawState) {
    TCanvas* c = DrawGrid->Canvas();
    c->Brush()->SetColor(clWhite);
    c->FillRect(Rect);
    c->Font()->SetColor(clBlack);
    const int y = Rect.top + 1;
    if (ARow < 0 || ARow >= static_cast<int>(results_.size())) {
        if (Searched && results_.empty() && ARow == 0) c->TextOut(26, y, "No Items Found");
        return;
    }
    const TLibElem& e = *results_[static_cast<std::size_t>(ARow)];
    TBitBtn* glyph = nullptr;
    if (Formzelmo != nullptr) {
        switch (e.ElemType) {
            case etPatch: glyph = Formzelmo->Patch; break;
            case etPerformance: glyph = Formzelmo->Performance; break;
            case etRhythm: glyph = Formzelmo->Rhythm; break;
            case etSystem: glyph = Formzelmo->System; break;
            default: break;
        }
    }
    if (glyph != nullptr && !glyph->Glyph()->Empty()) {
        // The glyph's first 16 x 16 pixels, its background (the colour of its bottom-left pixel) left out
        // so that the row's white shows around the picture.
        TBitmap picture;
        picture.SetWidth(16);
        picture.SetHeight(16);
        picture.Canvas()->CopyRect(TRect(0, 0, 16, 16), glyph->Glyph()->Canvas(), TRect(0, 0, 16, 16));
        c->DrawTransparent(5, Rect.top, &picture);
    }
    c->TextOut(26, y, e.TypeName());
    c->TextOut(101, y, e.GetName());
    c->TextOut(201, y, DateAndTime(e));
    c->TextOut(311, y, OwnerPathText(&e));
}

// ------------------------------------------------------------------------------------ printing and saving

void TFormSearch::StampaBtnClick(TObject*) {
    BeginPrint();
    int y = 10;
    for (TLibElem* e : results_) e->PrintLine(y, true);
    EndPrint();
}

std::string TFormSearch::ResultText() const {
    std::string text;
    for (const TLibElem* e : results_) {
        text += Padded(e->TypeName(), 20) + Padded(e->GetName(), 20) + Padded(e->LocationText(), 15) +
                Padded(DateAndTime(*e), 25) + "Loc : " + OwnerPathText(e) + "\r\n";
    }
    return text;
}

void TFormSearch::SaveResults(const std::string& FileName) const {
    try {
        const std::string text = ResultText();
        SafeWriteFile(FileName,
                      [&](TStream& F) { F.WriteBuffer(text.data(), static_cast<std::int64_t>(text.size())); });
    } catch (const std::exception&) {
        throw EInOutError("Error Saving text file");
    }
}

void TFormSearch::SavetodiskClick(TObject*) {
    std::unique_ptr<TSaveDialog> dialog(Construct<TSaveDialog>(static_cast<TComponent*>(Formzelmo)));
    dialog->Title = "Save as Text";
    dialog->DefaultExt = "Txt";
    dialog->Filter = "Txt file|*.Txt";
    dialog->Options.Include(ofPathMustExist);
    dialog->FileName = "Result.Txt";
    dialog->InitialDir = DefaultDataFolder();
    if (dialog->Execute()) SaveResults(dialog->FileName);
}

// ---------------------------------------------------------------------------------------------- closing

void TFormSearch::BitBtn1Click(TObject*) {
    results_.clear();
    Close();
}

void TFormSearch::FormClose(TObject*, TCloseAction&) {
    results_.clear();
    debList_.clear();
    debIndex_->Records.clear();
}

}  // namespace zel
