#include "app/Uerandom.h"

#include <algorithm>
#include <cctype>

#include "app/Uelibrar.h"
#include "model/Bank.h"
#include "model/Library.h"
#include "model/ModelServices.h"
#include "model/Patch.h"
#include "model/SharedRoutines.h"
#include "platform/rtl/Random.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/vcl/FormReader.h"

namespace zel {

namespace formres {
extern const TFormResource Uerandom;
}

TFormRandom* FormRandom = nullptr;

namespace {
const TFormClassRegistration registration("TFormRandom", [](TComponent* Owner) -> TCustomForm* {
    return Construct<TFormRandom>(Owner);
});

constexpr int BankSize = 128;
constexpr const char* Vowels = "aeiou";
constexpr const char* Consonants = "pytrwqsdfghjklmnbvcxz";

// A run of data bytes, both ends included.
struct TRun {
    int First, Last;
};

// The groups of a tone's parameters that Group Oriented draws from one donor each.
const std::vector<std::vector<TRun>>& ToneGroups() {
    static const std::vector<std::vector<TRun>> groups = {
        {{0, 10}},
        {{11, 44}, {125, 128}},
        {{45, 52}, {123, 123}, {117, 117}, {99, 99}, {78, 78}},
        {{53, 60}, {124, 124}, {118, 118}, {100, 100}, {79, 79}},
        {{61, 77}},
        {{80, 98}},
        {{101, 116}, {119, 122}},
    };
    return groups;
}

template <class Block>
void CopyRuns(Block& To, const Block& From, std::initializer_list<TRun> Runs) {
    for (const TRun& r : Runs) std::copy(From.Data() + r.First, From.Data() + r.Last + 1, To.Data() + r.First);
}

template <class Block>
void CopyData(Block& To, const Block& From) {
    std::copy(From.Data(), From.Data() + From.DataSpan().size(), To.Data());
}
}  // namespace

std::string RandomName(const std::string& Name) {
    std::string out = Name;
    for (char& c : out) {
        const char lower = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        char replacement = 0;
        if (std::string_view(Vowels).find(lower) != std::string_view::npos) replacement = Vowels[Random(5)];
        else if (std::string_view(Consonants).find(lower) != std::string_view::npos)
            replacement = Consonants[Random(21)];
        if (replacement == 0) continue;
        const bool wasLower = c >= 'a' && c <= 'z';
        c = wasLower ? replacement : static_cast<char>(std::toupper(static_cast<unsigned char>(replacement)));
    }
    return out;
}

TFormRandom::TFormRandom(TComponent* AOwner) : TForm(AOwner) {
    if (FormRandom == nullptr) FormRandom = this;
}

TFormRandom::~TFormRandom() {
    if (FormRandom == this) FormRandom = nullptr;
}

const TFormResource* TFormRandom::FormResource() const { return &formres::Uerandom; }

void TFormRandom::DefineBindings(TFormBindings& B) {
    B.Field("GroupBox1", GroupBox1);
    B.Field("Common", Common);
    B.Field("Tone1", Tone1);
    B.Field("Tone2", Tone2);
    B.Field("Tone3", Tone3);
    B.Field("Tone4", Tone4);
    B.Field("PatchName", PatchName);
    B.Field("GroupBox2", GroupBox2);
    B.Field("ToneComm", ToneComm);
    B.Field("RadioButton2", RadioButton2);
    B.Field("GroupBox3", GroupBox3);
    B.Field("Label1", Label1);
    B.Field("CurrPatch", CurrPatch);
    B.Field("Precedente", Precedente);
    B.Field("Successivo", Successivo);
    B.Field("BitBtn1", BitBtn1);
    B.Field("BitBtn2", BitBtn2);
    B.Field("BitBtn4", BitBtn4);
    B.Field("CreateBank", CreateBank);
    B.Field("CreatePatch", CreatePatch);
    B.Field("Btnclose", Btnclose);
    using N = TNotifyEvent;
    B.Handler<N>("FormShow", [this](TObject* s) { FormShow(s); });
    B.Handler<TCloseEvent>("FormClose", [this](TObject* s, TCloseAction& a) { FormClose(s, a); });
    B.Handler<N>("BitBtn1Click", [this](TObject* s) { BitBtn1Click(s); });
    B.Handler<N>("BitBtn2Click", [this](TObject* s) { BitBtn2Click(s); });
    B.Handler<N>("PrecedenteClick", [this](TObject* s) { PrecedenteClick(s); });
    B.Handler<N>("SuccessivoClick", [this](TObject* s) { SuccessivoClick(s); });
    B.Handler<TMouseEvent>("BitBtn4MouseDown", [this](TObject* s, TMouseButton b, TShiftState sh, int x, int y) {
        BitBtn4MouseDown(s, b, sh, x, y);
    });
    B.Handler<TMouseEvent>("BitBtn4MouseUp", [this](TObject* s, TMouseButton b, TShiftState sh, int x, int y) {
        BitBtn4MouseUp(s, b, sh, x, y);
    });
    B.Handler<N>("CreateBankClick", [this](TObject* s) { CreateBankClick(s); });
    B.Handler<N>("CreatePatchClick", [this](TObject* s) { CreatePatchClick(s); });
    B.Handler<N>("BtncloseClick", [this](TObject* s) { BtncloseClick(s); });
}

TBank* TFormRandom::ResultBank() const { return static_cast<TBank*>(result_.get()); }

TPatch& TFormRandom::Source(int Index) const {
    return static_cast<TPatch&>(*SourceBank->Members[static_cast<std::size_t>(Index)]);
}

TPatch& TFormRandom::Result(int Index) const {
    return static_cast<TPatch&>(*ResultBank()->Members[static_cast<std::size_t>(Index)]);
}

// ------------------------------------------------------------------------------------------ randomizing

void TFormRandom::RandomizePatch(int Index) {
    if (SourceBank == nullptr || ResultBank() == nullptr) return;
    struct TDonor {
        TPatch* Patch;
        int Tone;
    };
    // A donor is drawn anew for every block or group: one of the source bank's patches and one of its
    // tones.
    const auto donor = [this]() -> TDonor {
        const int patch = Random(BankSize);
        const int tone = Random(ToneCount) + 1;
        return {&Source(patch), tone};
    };
    const bool groups = RadioButton2->GetChecked();
    TPatch& target = Result(Index);
    const TPatch& source = Source(Index);

    if (!Common->GetChecked()) {
        CopyData(*target.Common, *source.Common);
    } else if (!groups) {
        CopyData(*target.Common, *donor().Patch->Common);
    } else {
        const TDonor first = donor();
        CopyRuns(*target.Common, *first.Patch->Common, {{0, 11}, {44, 71}});
        const TDonor second = donor();
        CopyRuns(*target.Common, *second.Patch->Common, {{12, 43}});
    }

    TCheckBox* const toneBoxes[] = {Tone1, Tone2, Tone3, Tone4};
    for (int k = 1; k <= ToneCount; ++k) {
        TTone& tone = target.Tone(k);
        if (!toneBoxes[k - 1]->GetChecked()) {
            CopyData(tone, source.Tone(k));
        } else if (!groups) {
            const TDonor d = donor();
            CopyData(tone, d.Patch->Tone(d.Tone));
        } else {
            for (const std::vector<TRun>& group : ToneGroups()) {
                const TDonor d = donor();
                const TTone& from = d.Patch->Tone(d.Tone);
                for (const TRun& r : group)
                    std::copy(from.Data() + r.First, from.Data() + r.Last + 1, tone.Data() + r.First);
            }
        }
    }
    if (PatchName->GetChecked()) target.SetName(RandomName(source.GetName()), false);
}

void TFormRandom::RandomizeBank() {
    Screen->SetCursor(crHourGlass);
    const TScopeExit normalCursor([] { Screen->SetCursor(crDefault); });
    Randomize();
    for (int i = 0; i < BankSize; ++i) RandomizePatch(i);
}

void TFormRandom::ShowAndSend() {
    CurrPatch->SetCaption((position_ < 10 ? " " : "") + std::to_string(position_));
    if (ResultBank() != nullptr) Result(position_).Transmit(true);
}

// --------------------------------------------------------------------------------------------- showing

void TFormRandom::FormShow(TObject*) {
    if (SourceBank == nullptr) return;
    result_ = CreateElementOfType(etPatchBank, SourceBank->Owner);
    position_ = 1;
    CurrPatch->SetCaption(" 1");
    RandomizeBank();
    ShowAndSend();
}

void TFormRandom::FormClose(TObject*, TCloseAction&) { result_.reset(); }

void TFormRandom::BitBtn1Click(TObject*) {
    RandomizeBank();
    position_ = 1;
    ShowAndSend();
}

void TFormRandom::BitBtn2Click(TObject*) {
    RandomizePatch(position_);
    ShowAndSend();
}

void TFormRandom::PrecedenteClick(TObject*) {
    if (position_ < 1) return;
    --position_;
    ShowAndSend();
}

void TFormRandom::SuccessivoClick(TObject*) {
    if (position_ > BankSize - 2) return;
    ++position_;
    ShowAndSend();
}

void TFormRandom::BitBtn4MouseDown(TObject*, TMouseButton, TShiftState, int, int) { StartPreview(); }

void TFormRandom::BitBtn4MouseUp(TObject*, TMouseButton, TShiftState, int, int) { StopPreview(); }

// ------------------------------------------------------------------------------------------- storing

void TFormRandom::LibraryChanged() {
    if (Origin == nullptr || Origin->Library() == nullptr) return;
    Origin->Library()->Saved = 0;
    Origin->RefreshList();
    Origin->PosizionaOtt();
    Origin->DrawGrid->Repaint();
    RefreshMainMenus();
}

void TFormRandom::CreatePatchClick(TObject*) {
    if (Origin == nullptr || Origin->Library() == nullptr || ResultBank() == nullptr) return;
    TLibrary& library = *Origin->Library();
    std::unique_ptr<TLibElem> patch = CreateElementOfType(etPatch, &library);
    patch->Assign(&Result(position_));
    patch->SetName("Rnd Patch" + std::to_string(position_), false);
    patch->Temporary = 1;
    library.Elements.push_back(std::move(patch));
    LibraryChanged();
}

void TFormRandom::CreateBankClick(TObject*) {
    if (Origin == nullptr || Origin->Library() == nullptr || ResultBank() == nullptr) return;
    TLibrary& library = *Origin->Library();
    std::unique_ptr<TLibElem> bank = CreateElementOfType(etPatchBank, &library);
    bank->Assign(ResultBank());
    bank->SetName("RandomBank", false);
    library.Elements.push_back(std::move(bank));
    LibraryChanged();
}

void TFormRandom::BtncloseClick(TObject*) { Close(); }

}  // namespace zel
