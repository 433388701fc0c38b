// Every way the program fetches data from the instrument, against every way a bad instrument or cable
// spoils the replies: what the user sees (quiet, or one "not responding" box) and what is stored (the
// instrument's data, nothing, part of it, or, for the effects, the sound's own bytes kept and given to the
// instrument). The whole program runs, with its progress window, editors and name update, over the
// in-process MIDI back end; the boxes are answered Cancel where they offer it, else OK.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

#include "PerformanceFixture.h"
#include "editors/Ueeffect.h"
#include "model/Bank.h"
#include "model/Global.h"
#include "model/SystemElem.h"
#include "platform/vcl/Dialogs.h"
#include "support/model/TransferFakes.h"

namespace zel::test {
namespace {

enum class TPath { SinglePatch, PatchBank, PerformanceBank, RhythmBank, Global, EffectsFetch, RhythmNames, NameUpdate };
constexpr int PathCount = 8;

const char* PathName(TPath p) {
    switch (p) {
        case TPath::SinglePatch: return "SinglePatch";
        case TPath::PatchBank: return "PatchBank";
        case TPath::PerformanceBank: return "PerformanceBank";
        case TPath::RhythmBank: return "RhythmBank";
        case TPath::Global: return "Global";
        case TPath::EffectsFetch: return "EffectsFetch";
        case TPath::RhythmNames: return "RhythmNames";
        case TPath::NameUpdate: return "NameUpdate";
    }
    return "";
}

// The replies a path's instrument sends when all goes well: half of them is where a one-off fault
// strikes and the silent instrument stops.
int RepliesOf(TPath p) {
    switch (p) {
        case TPath::SinglePatch: return 5;
        case TPath::PatchBank: return 640;
        case TPath::PerformanceBank: return 544;
        case TPath::RhythmBank: return 130;
        case TPath::Global: return 640 + 544 + 130 + 18;
        case TPath::EffectsFetch: return 1;
        case TPath::RhythmNames: return 2;
        case TPath::NameUpdate: return 320;
    }
    return 0;
}

// What the user sees.
enum class TSeen { Quiet, NotResponding };
// What is stored: the instrument's data whole, nothing (and nothing marked modified), part of it (the
// members or names that came before the failure), or the effect parameters the sound had, which the
// instrument is given.
enum class TStored { All, Nothing, Part, Kept };

struct TOutcome {
    TSeen Seen;
    TStored Stored;
};

constexpr TOutcome AllQuiet{TSeen::Quiet, TStored::All};
constexpr TOutcome Reported{TSeen::NotResponding, TStored::Nothing};
constexpr TOutcome ReportedPart{TSeen::NotResponding, TStored::Part};
constexpr TOutcome ReportedKept{TSeen::NotResponding, TStored::Kept};
constexpr TOutcome QuietPart{TSeen::Quiet, TStored::Part};

// One fault against every path, in the order of TPath.
struct TFaultRow {
    TReplyFault Fault;
    TOutcome Cells[PathCount];
};

// The input holds sixteen System Exclusive buffers, which the main thread hands back as it takes their
// messages: a 64 KB message leaves the replies after it without a buffer. Those replies are lost, and
// the loss is reported as a silent instrument is, except in a step for the data card, where a missing
// name counts as no card. A name-update step's requests go out from the event loop, which takes each
// reply as it comes, so replies that come twice, or an unterminated message among them, lose nothing.
// clang-format off
const TFaultRow FaultTable[] = {
    //  fault                            single        patch bank    perf bank     rhythm bank   global        effects       rhythm names  name update
    {TReplyFault::None,                {AllQuiet,     AllQuiet,     AllQuiet,     AllQuiet,     AllQuiet,     AllQuiet,     AllQuiet,     AllQuiet}},
    {TReplyFault::BadChecksumOnce,     {AllQuiet,     AllQuiet,     AllQuiet,     AllQuiet,     AllQuiet,     ReportedKept, ReportedPart, QuietPart}},
    {TReplyFault::BadChecksumAlways,   {Reported,     Reported,     Reported,     Reported,     Reported,     ReportedKept, Reported,     Reported}},
    {TReplyFault::OneByteShort,        {Reported,     Reported,     Reported,     Reported,     Reported,     ReportedKept, Reported,     Reported}},
    {TReplyFault::OneByteLongAtEnd,    {Reported,     Reported,     Reported,     Reported,     Reported,     ReportedKept, Reported,     Reported}},
    {TReplyFault::ByteInsertedInData,  {Reported,     Reported,     Reported,     Reported,     Reported,     ReportedKept, Reported,     Reported}},
    {TReplyFault::OtherAddress,        {Reported,     Reported,     Reported,     Reported,     Reported,     ReportedKept, Reported,     Reported}},
    {TReplyFault::EveryReplyTwice,     {AllQuiet,     AllQuiet,     AllQuiet,     AllQuiet,     AllQuiet,     AllQuiet,     AllQuiet,     AllQuiet}},
    {TReplyFault::SilentAfterHalf,     {Reported,     ReportedPart, ReportedPart, ReportedPart, ReportedPart, ReportedKept, ReportedPart, ReportedPart}},
    {TReplyFault::TenTimesSlower,      {AllQuiet,     AllQuiet,     AllQuiet,     AllQuiet,     AllQuiet,     AllQuiet,     AllQuiet,     AllQuiet}},
    {TReplyFault::RealTimeInterleaved, {AllQuiet,     AllQuiet,     AllQuiet,     AllQuiet,     AllQuiet,     AllQuiet,     AllQuiet,     AllQuiet}},
    {TReplyFault::HugeSysex,           {Reported,     ReportedPart, ReportedPart, Reported,     ReportedPart, ReportedKept, Reported,     QuietPart}},
    {TReplyFault::UnterminatedSysex,   {AllQuiet,     AllQuiet,     AllQuiet,     AllQuiet,     AllQuiet,     ReportedKept, AllQuiet,     AllQuiet}},
    {TReplyFault::RandomBytes,         {AllQuiet,     AllQuiet,     AllQuiet,     AllQuiet,     AllQuiet,     ReportedKept, AllQuiet,     AllQuiet}},
};
// clang-format on

using TCell = std::tuple<TPath, TReplyFault>;

TOutcome Expected(TPath path, TReplyFault fault) {
    for (const TFaultRow& row : FaultTable)
        if (row.Fault == fault) return row.Cells[static_cast<int>(path)];
    return AllQuiet;
}

const char* SeenName(TSeen s) { return s == TSeen::Quiet ? "quiet" : "not responding"; }
const char* StoredName(TStored s) {
    switch (s) {
        case TStored::All: return "all";
        case TStored::Nothing: return "nothing";
        case TStored::Part: return "part";
        case TStored::Kept: return "kept";
    }
    return "";
}

// The data sets of an element's .Syx body, each with its address.
std::vector<TBytes> BodyMessages(TLibElem& element) {
    TMemoryStream stream;
    element.WriteSyx(stream);
    const std::string s = stream.DataString();
    std::vector<TBytes> messages;
    for (std::size_t at = 0; at < s.size();) {
        const std::size_t end = s.find('\xF7', at);
        if (end == std::string::npos) break;
        messages.emplace_back(s.begin() + static_cast<long>(at), s.begin() + static_cast<long>(end) + 1);
        at = end + 1;
    }
    return messages;
}

class ReceiveFaults : public PerformanceEditors, public ::testing::WithParamInterface<TCell> {
protected:
    void SetUp() override {
        PerformanceEditors::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        unsigned seed = 1;
        for (const auto& block : TInstrumentSimulator::Blocks()) Sim.Write(block.Address, Pattern(block.Size, seed++));
        // The boxes: Cancel where there is one (a transfer's Retry and Cancel), else OK.
        oldAnswerer_ = SetMessageBoxAnswerer([this](const TMessageBoxRequest& r) {
            seen_.push_back(r.Text);
            return std::count(r.Buttons.begin(), r.Buttons.end(), IDCANCEL) > 0 ? IDCANCEL : IDOK;
        });
    }
    void TearDown() override {
        SetMessageBoxAnswerer(std::move(oldAnswerer_));
        Application->OnIdle = nullptr;
        PerformanceEditors::TearDown();
    }

    // The data sets of the element's body that carry what the instrument holds at their address, and
    // how many there are.
    std::pair<int, int> MatchingMessages(TLibElem& element) const {
        int matching = 0;
        const std::vector<TBytes> messages = BodyMessages(element);
        for (const TBytes& m : messages) {
            const std::uint32_t address = Addr(m[5], m[6], m[7], m[8]);
            const TBytes data(m.begin() + 9, m.end() - 2);
            if (data == Sim.Read(address, data.size())) ++matching;
        }
        return {matching, static_cast<int>(messages.size())};
    }
    // How many of the elements hold the instrument's data whole.
    int WholeElements(const std::vector<TLibElem*>& elements) const {
        int whole = 0;
        for (TLibElem* e : elements) {
            const auto [matching, total] = MatchingMessages(*e);
            if (matching == total) ++whole;
        }
        return whole;
    }
    static TStored OfCount(int whole, int all) {
        return whole == all ? TStored::All : whole == 0 ? TStored::Nothing : TStored::Part;
    }

    // Runs a transfer that shows the progress window, the clock moving on to the next timer whenever the
    // program has nothing left to do.
    void Transfer(const std::function<void()>& act) {
        int idles = 0;
        Application->OnIdle = [&](TObject*, bool& done) {
            done = false;
            if (++idles > 400000 && FormTransmet != nullptr) FormTransmet->Close();  // never hang the test
            if (FormTransmet == nullptr || !FormTransmet->GetVisible()) return;
            const auto due = ClockTimers().NextDue();
            const TTick now = Clock->TickCount();
            Clock->Advance(due && *due > now ? *due - now : 1);
        };
        act();
        Application->OnIdle = nullptr;
        RunQueue();
    }
    // Lets the time pass until the editor has stopped waiting, or ten seconds.
    void WaitForEditor(TEditorForm* editor) {
        for (int i = 0; i < 200 && editor->HoldsMidiInput(); ++i) Wait(50);
        RunQueue();
    }

    // A library holding one element of each kind the transfers fetch; each starts from its defaults.
    TLibrary& NewLibrary() {
        TFormLibrary* form = OpenLibraryWith(0, 0);
        library_ = form->Library();
        library_->Saved = 1;
        return *library_;
    }
    template <class T>
    T& Add(ElementType kind) {
        auto& e = dynamic_cast<T&>(*library_->Elements.emplace_back(CreateElementOfType(kind, library_)));
        e.Temporary = 0;
        e.User = 1;
        e.Number = 1;
        library_->Saved = 1;
        return e;
    }
    // The library is marked modified exactly when something was stored.
    void ExpectSavedFlagFits(TStored stored) {
        EXPECT_EQ(library_->Saved, stored == TStored::Nothing ? 1 : 0) << "the library's saved flag";
    }

    // ---- the paths: each runs the fetch and answers what was stored

    TStored RunSinglePatch() {
        NewLibrary();
        auto& patch = Add<TPatch>(etPatch);
        Transfer([&] { patch.Receive(false); });
        const auto [matching, total] = MatchingMessages(patch);
        const TStored stored = matching == total ? TStored::All : matching == 0 ? TStored::Nothing : TStored::Part;
        ExpectSavedFlagFits(stored);
        return stored;
    }
    template <class TBankKind>
    TStored RunBank(ElementType kind) {
        NewLibrary();
        auto& bank = Add<TBankKind>(kind);
        const TDateTime stamp = bank.ModifiedDate + bank.ModifiedTime;
        Clock->Advance(2000);  // a stamp of the receive would differ
        Transfer([&] { bank.Receive(false); });
        std::vector<TLibElem*> members;
        for (auto& m : bank.Members) members.push_back(m.get());
        const TStored stored = OfCount(WholeElements(members), static_cast<int>(members.size()));
        ExpectSavedFlagFits(stored);
        if (stored == TStored::Nothing) {
            EXPECT_EQ(bank.ModifiedDate + bank.ModifiedTime, stamp) << "the bank's stamp";
        }
        return stored;
    }
    TStored RunGlobal() {
        NewLibrary();
        auto& global = Add<TGlobal>(etGlobal);
        Transfer([&] { global.Receive(false); });
        // The members that take part without a card: the user banks and the system.
        std::vector<TLibElem*> members;
        for (int i : {0, 2, 4})
            for (auto& m : dynamic_cast<TBank&>(*global.Members[static_cast<std::size_t>(i)]).Members)
                members.push_back(m.get());
        members.push_back(global.Members[6].get());
        const TStored stored = OfCount(WholeElements(members), static_cast<int>(members.size()));
        ExpectSavedFlagFits(stored);
        return stored;
    }
    TStored RunEffectsFetch() {
        TFormLibrary* form = OpenLibraryOf(1);
        TPatch& patch = PatchOf(form, 0);
        TFormPatch* window = OpenPatch(patch);
        if (window == nullptr) return TStored::Nothing;
        DoubleClick(window->Effects);
        auto* editor = dynamic_cast<TFormEffect*>(patch.Common->Editors[TCommon::ceEffects].EditorForm);
        if (editor == nullptr) return TStored::Nothing;
        ShowTab(editor->TabbedNotebook1, 1);
        // The sound's own parameter bytes, and the values the instrument loads for the new type.
        for (int i = 13; i <= 24; ++i) patch.Common->Data()[i] = 7;
        const TBytes loaded = {1, 20, 30, 1, 0, 69, 5, 16, 14, 50, 100, 9};
        constexpr std::uint32_t type = Addr(0x03, 0, 0, 0x0C);
        Sim.AfterDataSet = [this, loaded](std::uint32_t address, const TBytes&) {
            if (address == type) Sim.Write(type + 1, loaded);
        };
        ChooseItem(editor->EFXType, 16);
        WaitForEditor(editor);
        Sim.AfterDataSet = nullptr;
        const TBytes stored(patch.Common->Data() + 13, patch.Common->Data() + 25);
        EXPECT_FALSE(editor->HoldsMidiInput());
        // The instrument holds what the sound holds, whatever happened.
        EXPECT_EQ(Sim.Read(type + 1, 12), stored) << "the instrument and the editor disagree";
        if (stored == loaded) return TStored::All;
        if (stored == TBytes(12, 7)) return TStored::Kept;
        return TStored::Part;
    }
    TStored RunRhythmNames() {
        TFormLibrary* form = OpenLibraryWith(1, 0);
        TFormPerformance* window = OpenPerformance(ElementOf<TPerformance>(form, 0));
        if (window == nullptr) return TStored::Nothing;
        TFormPart* parts = OpenParts(window);
        if (parts == nullptr) return TStored::Nothing;
        WaitForEditor(parts);
        int whole = 0;
        for (int i = 0; i < 2; ++i) {
            const TBytes name = Sim.Read(Addr(0x10, static_cast<std::uint8_t>(0x40 + i), 0, 0), 12);
            if (parts->RhythmNames[static_cast<std::size_t>(i)] == std::string(name.begin(), name.end())) ++whole;
        }
        return OfCount(whole, 2);
    }
    TStored RunNameUpdate() {
        int idles = 0;
        Application->OnIdle = [&](TObject*, bool& done) {
            done = false;
            const auto due = ClockTimers().NextDue();
            const TTick now = Clock->TickCount();
            Clock->Advance(due && *due > now ? *due - now : 1);
            if (++idles > 400000) FormUpdateNames->ModalResult = mrAbort;  // never hang the test
        };
        Program::Click(Formzelmo->SetPatchAndPerf);  // the Names item
        Application->OnIdle = nullptr;
        RunQueue();
        int whole = 0;
        int all = 0;
        const struct {
            TNameListKind List;
            std::uint8_t Area;
            int Count;
        } lists[] = {{TNameListKind::UserPerformances, 0x10, 32},
                     {TNameListKind::CardPerformances, 0x20, 32},
                     {TNameListKind::UserPatches, 0x11, 128},
                     {TNameListKind::CardPatches, 0x21, 128}};
        for (const auto& l : lists) {
            const TStrings& list = FormUpdateNames->List(l.List);
            for (int n = 0; n < l.Count; ++n, ++all) {
                const TBytes name = Sim.Read(Addr(l.Area, static_cast<std::uint8_t>(n), 0, 0), 12);
                if (n < list.GetCount() && list.Get(n) == std::string(name.begin(), name.end())) ++whole;
            }
        }
        return OfCount(whole, all);
    }

    TStored Run(TPath path) {
        switch (path) {
            case TPath::SinglePatch: return RunSinglePatch();
            case TPath::PatchBank: return RunBank<TPatchBank>(etPatchBank);
            case TPath::PerformanceBank: return RunBank<TPerformanceBank>(etPerformanceBank);
            case TPath::RhythmBank: return RunBank<TRhythmBank>(etRhythmBank);
            case TPath::Global: return RunGlobal();
            case TPath::EffectsFetch: return RunEffectsFetch();
            case TPath::RhythmNames: return RunRhythmNames();
            case TPath::NameUpdate: return RunNameUpdate();
        }
        return TStored::Nothing;
    }

    std::vector<std::string> seen_;  // the texts of the boxes shown
    TLibrary* library_ = nullptr;

private:
    TMessageBoxAnswerer oldAnswerer_;
};

TEST_P(ReceiveFaults, TheUserSeesAndTheLibraryStoresWhatTheTableSays) {
    const auto [path, fault] = GetParam();
    const TOutcome expected = Expected(path, fault);
    const int half = RepliesOf(path) / 2;
    Sim.SetReplyFault(fault, fault == TReplyFault::SilentAfterHalf ? half : std::max(half, 1));

    const TStored stored = Run(path);

    const bool editor = path == TPath::EffectsFetch || path == TPath::RhythmNames;
    const std::string notResponding =
        editor ? "The instruments is not responding." : "The Instrument Is Not Responding.";
    const std::vector<std::string> seen =
        expected.Seen == TSeen::Quiet ? std::vector<std::string>{} : std::vector<std::string>{notResponding};
    EXPECT_EQ(seen_, seen) << "expected the user to see: " << SeenName(expected.Seen);
    EXPECT_EQ(StoredName(stored), std::string(StoredName(expected.Stored)));
}

std::vector<TCell> AllCells() {
    std::vector<TCell> cells;
    for (const TFaultRow& row : FaultTable)
        for (int p = 0; p < PathCount; ++p) cells.emplace_back(static_cast<TPath>(p), row.Fault);
    return cells;
}

INSTANTIATE_TEST_SUITE_P(Cells, ReceiveFaults, ::testing::ValuesIn(AllCells()),
                         [](const ::testing::TestParamInfo<TCell>& info) {
                             return std::string(PathName(std::get<0>(info.param))) + "_" +
                                    ReplyFaultName(std::get<1>(info.param));
                         });

}  // namespace
}  // namespace zel::test
