// The shared services of the windows: activation re-sends, auditions, note names, the place of a new
// child window, the library behind a window, owner paths, the printed listings, the filter pictogram,
// the data folder, the string and file helpers and the start-up set-up.
#include <gtest/gtest.h>

#include <optional>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "model/CurrentElements.h"
#include "model/Global.h"
#include "model/Library.h"
#include "model/Patch.h"
#include "model/Performance.h"
#include "model/Rhythm.h"
#include "model/SharedRoutines.h"
#include "model/SystemElem.h"
#include "platform/rtl/DateUtils.h"
#include "support/TempDir.h"
#include "support/model/ModelFakes.h"

namespace zel::test {
namespace {

// The windows of the main window as the shared routines see them.
class TShellWindows : public TFakeWindows {
public:
    bool GetMainClientSize(int& width, int& height) override {
        width = ClientWidth;
        height = ClientHeight;
        return true;
    }
    void MoveWindow(TObject* window, int left, int top) override {
        Moves.push_back({left, top});
        if (auto* w = dynamic_cast<TFakeWindow*>(window)) {
            w->Left = left;
            w->Top = top;
        }
    }
    TLibElem* ElementOfWindow(TObject* window) override {
        auto it = Shows.find(window);
        return it != Shows.end() ? it->second : nullptr;
    }
    void SetScreenCursor(int cursor) override { Cursors.push_back(cursor); }
    std::optional<int> ActiveRhythmKeyIndex() override { return RhythmKey; }

    int ClientWidth = 1000;
    int ClientHeight = 700;
    std::vector<std::pair<int, int>> Moves;
    std::map<TObject*, TLibElem*> Shows;
    std::vector<int> Cursors;
    std::optional<int> RhythmKey;
};

// A test scope with the shell windows registered in place of the plain fakes.
struct ShellScope {
    ShellScope() {
        ModelServices().Windows = &Shell;
        SectionDragActive = 0;
        ResetCurrentElements();
    }
    ~ShellScope() {
        SectionDragActive = 0;
        ResetCurrentElements();
    }
    TModelTestScope Model;
    TShellWindows Shell;
};

// --------------------------------------------------------------------------------------------- activation

TEST(CurrentElements, ActivationSendsOnlyAPatchThatIsNotCurrent) {
    ShellScope s;
    TManualClockScope clock;
    s.Model.Ports.Manual = &clock.Clock();
    TLibrary library;
    TPatch a(&library);
    TPatch b(&library);
    a.Transmit(true);
    SendQueuedMessages(clock.Clock());
    ASSERT_EQ(CurrentPatch, &a);
    s.Model.Ports.ClearSent();
    s.Model.Ports.WaitedAtSend.clear();
    clock->ClearWaits();

    MakeCurrentPatch(&a);  // already current
    MakeCurrentPatch(nullptr);
    EXPECT_TRUE(s.Model.Ports.Sent.empty());

    PreviewChannel = 10;
    MakeCurrentPatch(&b);
    SendQueuedMessages(clock.Clock());
    ASSERT_EQ(s.Model.Ports.Sent.size(), 5u);
    std::vector<std::string> addresses;
    std::vector<std::size_t> sizes;
    for (const Bytes& m : s.Model.Ports.Sent) {
        addresses.push_back(AddressOf(m));
        sizes.push_back(m.size());
    }
    EXPECT_EQ(addresses,
              (std::vector<std::string>{"03 00 00 00", "03 00 10 00", "03 00 12 00", "03 00 14 00", "03 00 16 00"}));
    EXPECT_EQ(sizes, (std::vector<std::size_t>{83, 140, 140, 140, 140}));
    // Paced behind the last message of the earlier send, from the event loop: nothing holds the thread.
    EXPECT_TRUE(clock->Waits().empty());
    EXPECT_EQ(s.Model.Ports.Departures(), (std::vector<TTick>{0, 50, 100, 150, 200}));
    EXPECT_EQ(CurrentPatch, &b);
    EXPECT_EQ(PreviewChannel, 1);

    // The same through the kind-independent entry.
    s.Model.Ports.Sent.clear();
    MakeCurrentElement(&a);
    SendQueuedMessages(clock.Clock());
    EXPECT_EQ(s.Model.Ports.Sent.size(), 5u);
    EXPECT_EQ(CurrentPatch, &a);
}

TEST(CurrentElements, EachKindIsSentWholeOnlyWhenItIsNotCurrent) {
    struct Row {
        const char* name;
        std::function<std::unique_ptr<TLibElem>(TLibElem*)> make;
        std::function<void(TLibElem*)> activate;
        std::function<TLibElem*()> current;
        std::size_t messages;
        const char* firstAddress;
        int channel;
    };
    const Row rows[] = {
        {"performance", [](TLibElem* o) { return std::make_unique<TPerformance>(o); },
         [](TLibElem* e) { MakeCurrentPerformance(dynamic_cast<TPerformance*>(e)); },
         [] { return static_cast<TLibElem*>(CurrentPerformance); }, 17, "01 00 00 00", 1},
        {"rhythm set", [](TLibElem* o) { return std::make_unique<TRhythm>(o); },
         [](TLibElem* e) { MakeCurrentRhythm(dynamic_cast<TRhythm*>(e)); },
         [] { return static_cast<TLibElem*>(CurrentRhythm); }, 65, "02 09 00 00", 10},
        {"system", [](TLibElem* o) { return std::make_unique<TSystem>(o); },
         [](TLibElem* e) { MakeCurrentSystem(dynamic_cast<TSystem*>(e)); },
         [] { return static_cast<TLibElem*>(CurrentSystem); }, 18, "00 00 00 00", 1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        ShellScope s;
        ModelServices().Progress = nullptr;  // a rhythm set then sends its messages through the queue
        TManualClockScope clock;
        TLibrary library;
        auto a = row.make(&library);
        auto b = row.make(&library);
        a->Transmit(true);
        SendQueuedMessages(clock.Clock());
        ASSERT_EQ(row.current(), a.get());
        s.Model.Ports.Sent.clear();

        row.activate(a.get());
        SectionDragActive = 1;
        row.activate(b.get());
        SectionDragActive = 0;
        EXPECT_TRUE(s.Model.Ports.Sent.empty());

        PreviewChannel = 5;
        row.activate(b.get());
        SendQueuedMessages(clock.Clock());
        ASSERT_EQ(s.Model.Ports.Sent.size(), row.messages);
        EXPECT_EQ(AddressOf(s.Model.Ports.Sent[0]), row.firstAddress);
        EXPECT_EQ(row.current(), b.get());
        EXPECT_EQ(PreviewChannel, row.channel);

        s.Model.Ports.Sent.clear();
        MakeCurrentElement(a.get());
        SendQueuedMessages(clock.Clock());
        EXPECT_EQ(s.Model.Ports.Sent.size(), row.messages);
        EXPECT_EQ(row.current(), a.get());
    }
}

TEST(CurrentElements, NothingIsSentWhileASectionIsDraggedOrThePortsAreClosed) {
    ShellScope s;
    TManualClockScope clock;
    TLibrary library;
    TPatch a(&library);

    SectionDragActive = 1;
    MakeCurrentPatch(&a);
    EXPECT_TRUE(s.Model.Ports.Sent.empty());
    EXPECT_EQ(CurrentPatch, nullptr);

    SectionDragActive = 0;
    DevicesOpen = 0;
    MakeCurrentPatch(&a);
    EXPECT_TRUE(s.Model.Ports.Sent.empty());
    EXPECT_EQ(CurrentPatch, nullptr);
}

// ---------------------------------------------------------------------------------------------- audition

class TFakePlayer : public IMidiFilePlayer {
public:
    explicit TFakePlayer(std::vector<std::string>& log) : Log(log) {}
    void Play(const std::string& fileName) override {
        Log.push_back("Play " + fileName);
        if (Fail) throw EInOutError("cannot open");
    }
    void Stop() override { Log.push_back("Stop"); }
    std::vector<std::string>& Log;
    bool Fail = false;
};

struct PreviewScope : ShellScope {
    PreviewScope() : Player(Model.Ports.Calls) {
        ModelServices().MidiFilePlayer = &Player;
        TConfig& c = *Model.Holder.Config;
        c.SingleNote = 1;
        c.Note = 52;
        c.Velocity = 70;
        c.Midifile = "/music/Song.mid";
    }
    TFakePlayer Player;
};

TEST(Preview, SingleNoteSoundsOnThePreviewChannel) {
    struct Row {
        const char* name;
        int channel;
        std::optional<int> rhythmKey;
        int velocity;
        Bytes on, off;
    };
    const Row rows[] = {
        {"patch window, channel 1", 1, std::nullopt, 70, {0x90, 52, 70}, {0x80, 52, 0}},
        {"rhythm set, channel 10", 10, std::nullopt, 70, {0x99, 52, 70}, {0x89, 52, 0}},
        {"rhythm key editor on index 4", 10, 4, 70, {0x99, 40, 70}, {0x89, 40, 0}},
        {"rhythm key editor on key 35 (index -1)", 10, -1, 70, {0x99, 35, 70}, {0x89, 35, 0}},
        {"velocity beyond seven bits held at 127", 1, std::nullopt, 200, {0x90, 52, 127}, {0x80, 52, 0}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        PreviewScope s;
        PreviewChannel = row.channel;
        s.Shell.RhythmKey = row.rhythmKey;
        s.Model.Holder.Config->Velocity = row.velocity;
        EXPECT_EQ(PreviewNote(), row.on[1]);
        StartPreview();
        StopPreview();
        ASSERT_EQ(s.Model.Ports.Shorts.size(), 2u);
        EXPECT_EQ(Hex(s.Model.Ports.Shorts[0]), Hex(row.on));
        EXPECT_EQ(Hex(s.Model.Ports.Shorts[1]), Hex(row.off));
        EXPECT_EQ(s.Shell.Cursors, (std::vector<int>{AuditionCursor, DefaultCursor}));
        EXPECT_TRUE(s.Model.Ports.Calls.empty());
    }
}

TEST(Preview, ClosedPortsOnlyChangeTheCursor) {
    PreviewScope s;
    DevicesOpen = 0;
    StartPreview();
    StopPreview();
    s.Model.Holder.Config->SingleNote = 0;
    StartPreview();
    StopPreview();
    EXPECT_TRUE(s.Model.Ports.Shorts.empty());
    EXPECT_TRUE(s.Model.Ports.Calls.empty());
    EXPECT_EQ(s.Shell.Cursors, (std::vector<int>{AuditionCursor, DefaultCursor, AuditionCursor, DefaultCursor}));
}

TEST(Preview, MidiFilePlaysWithThePortsClosed) {
    PreviewScope s;
    s.Model.Holder.Config->SingleNote = 0;
    StartPreview();
    EXPECT_EQ(s.Model.Ports.Calls, (std::vector<std::string>{"CloseDevs", "Play /music/Song.mid"}));
    StopPreview();
    EXPECT_EQ(s.Model.Ports.Calls, (std::vector<std::string>{"CloseDevs", "Play /music/Song.mid", "Stop", "OpenDevs"}));
    EXPECT_TRUE(s.Model.Ports.Shorts.empty());
    EXPECT_TRUE(s.Model.Messages.Shown.empty());
}

TEST(Preview, AFileThatCannotPlayIsReportedAndThePortsReopened) {
    PreviewScope s;
    s.Model.Holder.Config->SingleNote = 0;
    s.Player.Fail = true;
    EXPECT_THROW(StartPreview(), EInOutError);
    EXPECT_EQ(s.Model.Ports.Calls, (std::vector<std::string>{"CloseDevs", "Play /music/Song.mid", "OpenDevs"}));
    ASSERT_EQ(s.Model.Messages.Shown.size(), 1u);
    EXPECT_EQ(s.Model.Messages.Shown[0].Text, "Unable to Open Midi File.");
    EXPECT_EQ(s.Model.Messages.Shown[0].Kind, TMessageKind::Information);
    EXPECT_EQ(s.Model.Messages.Shown[0].Buttons, TMessageButtons::OK);
    EXPECT_EQ(s.Shell.Cursors, (std::vector<int>{AuditionCursor, DefaultCursor}));
}

// The end of an audition undoes what its start did, and only that: ports the start never closed are not
// opened again (opening open ports fails and switches MIDI off), a note goes off as it went on whatever
// changed meanwhile, and a second end does nothing more.
TEST(Preview, AnEndUndoesOnlyWhatItsStartDid) {
    struct Row {
        const char* name;
        std::function<void(PreviewScope&)> act;
        std::vector<std::string> calls;
        std::vector<Bytes> shorts;
    };
    const auto fileMode = [](PreviewScope& s) { s.Model.Holder.Config->SingleNote = 0; };
    const Row rows[] = {
        {"a file audition ended before it started",
         [&](PreviewScope& s) {
             fileMode(s);
             StopPreview();
         },
         {},
         {}},
        {"a file audition ended twice",
         [&](PreviewScope& s) {
             fileMode(s);
             StartPreview();
             StopPreview();
             StopPreview();
         },
         {"CloseDevs", "Play /music/Song.mid", "Stop", "OpenDevs"},
         {}},
        {"a file started twice closes and opens the ports once",
         [&](PreviewScope& s) {
             fileMode(s);
             StartPreview();
             StartPreview();
             StopPreview();
         },
         {"CloseDevs", "Play /music/Song.mid", "Play /music/Song.mid", "Stop", "OpenDevs"},
         {}},
        {"a file started, the mode changed to a note before the end",
         [&](PreviewScope& s) {
             fileMode(s);
             StartPreview();
             s.Model.Holder.Config->SingleNote = 1;
             StopPreview();
         },
         {"CloseDevs", "Play /music/Song.mid", "Stop", "OpenDevs"},
         {}},
        {"a note started, the note and channel changed before the end",
         [&](PreviewScope&) {
             StartPreview();
             PreviewChannel = 10;
             StopPreview();
         },
         {},
         {{0x90, 52, 70}, {0x80, 52, 0}}},
        {"a note started, the mode changed to a file before the end",
         [&](PreviewScope& s) {
             StartPreview();
             fileMode(s);
             StopPreview();
         },
         {},
         {{0x90, 52, 70}, {0x80, 52, 0}}},
        {"a note started twice: the first goes off before the second",
         [&](PreviewScope& s) {
             StartPreview();
             s.Model.Holder.Config->Note = 60;
             StartPreview();
             StopPreview();
         },
         {},
         {{0x90, 52, 70}, {0x80, 52, 0}, {0x90, 60, 70}, {0x80, 60, 0}}},
        {"a note ended with nothing started: the configured note-off alone",
         [&](PreviewScope&) { StopPreview(); },
         {},
         {{0x80, 52, 0}}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        PreviewScope s;
        PreviewChannel = 1;
        row.act(s);
        EXPECT_EQ(s.Model.Ports.Calls, row.calls);
        std::vector<std::string> shorts, expected;
        for (const Bytes& b : s.Model.Ports.Shorts) shorts.push_back(Hex(b));
        for (const Bytes& b : row.shorts) expected.push_back(Hex(b));
        EXPECT_EQ(shorts, expected);
        EXPECT_TRUE(s.Model.Messages.Shown.empty());
        EXPECT_FALSE(AuditionRunning());
    }
}

// -------------------------------------------------------------------------------------------- note names

TEST(NoteToText, NamesAndOctaves) {
    const std::pair<int, const char*> rows[] = {
        {0, "C -1"}, {1, "C# -1"}, {11, "B -1"}, {12, "C 0"},  {36, "C 2"},  {40, "E 2"},
        {60, "C 4"}, {61, "C# 4"}, {69, "A 4"},  {70, "A# 4"}, {127, "G 9"}, {-1, "B -2"},
    };
    for (const auto& [note, text] : rows) EXPECT_EQ(NoteToText(note), text) << note;
}

// -------------------------------------------------------------------------------------- window services

TEST(PlaceMdiChild, ChoosesAPlaceInsideTheClientAreaOnlyOnce) {
    struct Row {
        const char* name;
        int left, top, width, height;
        int wantLeft, wantTop;
    };
    const Row rows[] = {
        {"low window moves up", 10, 500, 200, 300, 10, 354},
        {"window that fits stays", 10, 100, 200, 300, 10, 100},
        {"bottom exactly 45 above the edge moves", 10, 355, 200, 300, 10, 354},
        {"wide window moves left", 700, 10, 400, 200, 599, 10},
        {"window that fits across stays", 500, 10, 400, 200, 500, 10},
        {"right edge on the client edge moves", 600, 10, 400, 200, 599, 10},
        {"window larger than the client stops at 0", 50, 50, 1200, 900, 0, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        ShellScope s;
        TFakeWindow window;
        window.Left = row.left;
        window.Top = row.top;
        window.Width = row.width;
        window.Height = row.height;
        std::int16_t storedLeft = -1;
        std::int16_t storedTop = -1;
        PlaceMdiChild(storedLeft, storedTop, &window);
        EXPECT_EQ(storedLeft, row.wantLeft);
        EXPECT_EQ(storedTop, row.wantTop);
        EXPECT_EQ(s.Shell.Moves, (std::vector<std::pair<int, int>>{{row.wantLeft, row.wantTop}}));
    }
}

TEST(PlaceMdiChild, AStoredPlaceIsUsedAsItIs) {
    ShellScope s;
    TFakeWindow window;
    window.Top = 600;
    window.Height = 300;
    std::int16_t storedLeft = 900;
    std::int16_t storedTop = 650;
    PlaceMdiChild(storedLeft, storedTop, &window);
    EXPECT_EQ(storedLeft, 900);
    EXPECT_EQ(storedTop, 650);
    EXPECT_EQ(s.Shell.Moves, (std::vector<std::pair<int, int>>{{900, 650}}));
}

// A library holding a patch, a bank with a patch, and a global with a bank with a patch.
struct Tree {
    Tree() {
        library.FileName = "/songs/Live Set.Lib";
        bank.Name = "Pads";
        global.Name = "Studio";
        globalBank.Name = "Leads";
    }
    TLibrary library;
    TFakeElem patch{&library, etPatch};
    TFakeElem bank{&library, etPatchBank};
    TFakeElem bankPatch{&bank, etPatch};
    TFakeElem global{&library, etGlobal};
    TFakeElem globalSystem{&global, etSystem};
    TFakeElem globalBank{&global, etPatchBank};
    TFakeElem deepPatch{&globalBank, etPatch};
};

TEST(OwnerPathText, NamesTheOwnerOrTheGlobalAndItsBank) {
    Tree t;
    EXPECT_EQ(OwnerPathText(&t.patch), "Live Set.Lib");
    EXPECT_EQ(OwnerPathText(&t.bank), "Live Set.Lib");
    EXPECT_EQ(OwnerPathText(&t.bankPatch), "Pads");
    EXPECT_EQ(OwnerPathText(&t.globalSystem), "Studio");
    EXPECT_EQ(OwnerPathText(&t.globalBank), "Studio");
    EXPECT_EQ(OwnerPathText(&t.deepPatch), "Studio\\Leads");
    EXPECT_EQ(OwnerPathText(&t.library), "");
}

TEST(LibraryOfForm, TheRootLibraryOfTheShownElement) {
    ShellScope s;
    Tree t;
    TObject libraryWindow, patchWindow, deepWindow, otherWindow, orphanWindow;
    TFakeElem orphan(nullptr, etPatch);
    s.Shell.Shows = {
        {&libraryWindow, &t.library}, {&patchWindow, &t.patch}, {&deepWindow, &t.deepPatch}, {&orphanWindow, &orphan}};
    EXPECT_EQ(LibraryOfForm(&libraryWindow), &t.library);
    EXPECT_EQ(LibraryOfForm(&patchWindow), &t.library);
    EXPECT_EQ(LibraryOfForm(&deepWindow), &t.library);
    EXPECT_EQ(LibraryOfForm(&otherWindow), nullptr);
    EXPECT_EQ(LibraryOfForm(&orphanWindow), nullptr);  // an element outside any library has none
    EXPECT_EQ(LibraryOfForm(nullptr), nullptr);
}

// -------------------------------------------------------------------------------------------- printing

// Records what is drawn: "T x,y text", "L x1,y1 x2,y2", "NewPage", ...; texts are 30 pixels high and
// As many pixels wide per character as the font has points (10 at the listing's size), three times that high.
class TRecordingPrinter : public IPrinter {
public:
    void SetTitle(const std::string& title) override { Log.push_back("Title " + title); }
    void BeginDoc() override { Log.push_back("BeginDoc"); }
    void EndDoc() override { Log.push_back("EndDoc"); }
    void NewPage() override { Log.push_back("NewPage"); }
    int PageWidth() override { return 1060; }
    int PageHeight() override { return 1500; }
    void SetFont(const std::string& name, int size) override {
        Log.push_back("Font " + name + " " + std::to_string(size));
        size_ = size;
    }
    int TextWidth(const std::string& text) override { return size_ * static_cast<int>(text.size()); }
    int TextHeight(const std::string&) override { return 3 * size_; }
    void TextOut(int x, int y, const std::string& text) override {
        Log.push_back("T " + std::to_string(x) + "," + std::to_string(y) + " " + text);
    }
    void Line(int x1, int y1, int x2, int y2) override {
        Log.push_back("L " + std::to_string(x1) + "," + std::to_string(y1) + " " + std::to_string(x2) + "," +
                      std::to_string(y2));
    }
    std::vector<std::string> Log;

private:
    int size_ = 10;
};

struct PrintScope : ShellScope {
    PrintScope() { ModelServices().Printer = &Printer; }
    TRecordingPrinter Printer;
};

void Stamp(TLibElem& e) {
    e.ModifiedDate = EncodeDate(2024, 3, 5);
    e.ModifiedTime = EncodeTime(14, 7, 9, 0);
}

TEST(Printing, AJobHasTitleFontAndNumberedFooters) {
    PrintScope s;
    EXPECT_EQ(PrintLineHeight(), 40);
    BeginPrint();
    PrintPageFooter();
    EndPrint();
    // Footer: centred at (1060 - (90 + 20)) / 2, y = 1500 - 40 - 70.
    EXPECT_EQ(s.Printer.Log,
              (std::vector<std::string>{"Title Zelmovi", "BeginDoc", "Font Courier New 10", "T 475,1390 Page N\xBA 1",
                                        "T 475,1390 Page N\xBA 2", "EndDoc"}));
    EXPECT_EQ(PageNumber, 3);
}

TEST(Printing, ElementRowColumnsWithAndWithoutLocation) {
    PrintScope s;
    Tree t;
    t.deepPatch.Name = "Piano";
    t.deepPatch.Temporary = 0;
    t.deepPatch.User = 1;
    t.deepPatch.Number = 12;
    Stamp(t.deepPatch);
    const std::string when = DateToStr(t.deepPatch.ModifiedDate) + "  " + TimeToStr(t.deepPatch.ModifiedTime);

    // Page width 1060: W = 1000; with location c = 200, s = 66. The date and time (20 characters, 200 pixels)
    // have 180 pixels inside their cell: they are printed at 9 points, a pixel lower to keep their line.
    ASSERT_EQ(when.size(), 20u);
    PrintElementRow(100, t.deepPatch, true);
    EXPECT_EQ(s.Printer.Log,
              (std::vector<std::string>{"L 30,100 30,140", "L 230,100 230,140", "L 430,100 430,140",
                                        "L 564,100 564,140", "L 764,100 764,140", "L 970,100 970,140", "T 40,105 Patch",
                                        "T 240,105 Piano", "T 440,105 User : 12", "Font Courier New 9",
                                        "T 574,106 " + when, "Font Courier New 10", "T 774,105 Loc : Studio\\Leads"}));

    // Without location: c = 250, no fifth column; the date and time have 170 pixels: 8 points.
    s.Printer.Log.clear();
    PrintElementRow(100, t.deepPatch, false);
    EXPECT_EQ(s.Printer.Log,
              (std::vector<std::string>{"L 30,100 30,140", "L 280,100 280,140", "L 530,100 530,140",
                                        "L 780,100 780,140", "L 970,100 970,140", "T 40,105 Patch", "T 290,105 Piano",
                                        "T 540,105 User : 12", "Font Courier New 9", "Font Courier New 8",
                                        "T 790,108 " + when, "Font Courier New 10"}));
}

// Only the rules (horizontal lines from x 30), page breaks and centred texts of a log.
std::vector<std::string> Outline(const std::vector<std::string>& log) {
    std::vector<std::string> out;
    for (const std::string& l : log) {
        const bool rule = l.rfind("L 30,", 0) == 0 && l.find(" 970,") != std::string::npos &&
                          l.substr(5, l.find(' ', 2) - 5) == l.substr(l.rfind(',') + 1);
        if (rule || l == "NewPage" || l.find("Page N") != std::string::npos || l.find("Bank") != std::string::npos)
            out.push_back(l);
    }
    return out;
}

TEST(Printing, AnElementThatDoesNotFitStartsANewPage) {
    PrintScope s;
    Tree t;
    BeginPrint();
    s.Printer.Log.clear();
    int y = 1300;  // 2 * 40 + 1300 + 70 = 1450 fits
    PrintElementLines(t.patch, y, false);
    EXPECT_EQ(y, 1410);
    EXPECT_EQ(Outline(s.Printer.Log), (std::vector<std::string>{"L 30,1299 970,1299", "L 30,1341 970,1341"}));

    s.Printer.Log.clear();
    PrintElementLines(t.patch, y, false);  // 1560 > 1500: a new page first
    EXPECT_EQ(y, 120);
    EXPECT_EQ(Outline(s.Printer.Log),
              (std::vector<std::string>{"T 475,1390 Page N\xBA 1", "NewPage", "L 30,9 970,9", "L 30,51 970,51"}));
    EXPECT_EQ(PageNumber, 2);
}

TEST(Printing, ABankInsideAGlobalListsItsMembersAcrossPages) {
    PrintScope s;
    Tree t;
    TFakeElem m1(&t.globalBank, etPatch), m2(&t.globalBank, etPatch), m3(&t.globalBank, etPatch);
    const std::vector<const TLibElem*> members = {&m1, &m2, &m3};
    t.globalBank.User = 1;
    BeginPrint();
    s.Printer.Log.clear();

    int y = 1270;
    PrintBankLines(t.globalBank, members, y, true);
    // Heading at 1270, first row at 1320 (fits: 1470 <= 1500), second at 1360 breaks the page.
    const std::string heading = "Patch Bank Leads [ Global : Studio ]";
    const int headingX = (1060 - (10 * static_cast<int>(heading.size()) + 20)) / 2;
    EXPECT_EQ(Outline(s.Printer.Log),
              (std::vector<std::string>{"T " + std::to_string(headingX) + ",1270 " + heading, "L 30,1319 970,1319",
                                        "L 30,1361 970,1361", "T 475,1390 Page N\xBA 1", "NewPage", "L 30,9 970,9",
                                        "L 30,91 970,91"}));
    EXPECT_EQ(y, 90 + 40 + 70);

    // A bank directly in a library has no global in its heading.
    s.Printer.Log.clear();
    y = 100;
    PrintBankLines(t.bank, {}, y, false);
    EXPECT_EQ(Outline(s.Printer.Log)[0], "T 445,100 Patch Bank Pads");
}

TEST(Printing, ElementsBanksAndGlobalsPrintThroughTheirPrintLine) {
    PrintScope s;
    TGlobal global(nullptr);
    global.SetName("Studio", false);
    BeginPrint();

    // Without a data card only the user banks print, then the system under its own heading.
    s.Printer.Log.clear();
    int y = 10;
    global.PrintLine(y, true);
    std::vector<std::string> headings;
    for (const std::string& l : s.Printer.Log)
        if (l.find("[ Global : Studio ]") != std::string::npos) headings.push_back(l.substr(l.find(' ', 2) + 1));
    EXPECT_EQ(headings, (std::vector<std::string>{
                            "Patch Bank Untitled [ Global : Studio ]", "Performance Bank Untitled [ Global : Studio ]",
                            "Rhythm Bank Untitled [ Global : Studio ]", "System  [ Global : Studio ]"}));
    // The system row is printed without its location column (four columns, five vertical lines).
    const auto last = std::find_if(s.Printer.Log.rbegin(), s.Printer.Log.rend(),
                                   [](const std::string& l) { return l.rfind("T 40,", 0) == 0; });
    ASSERT_NE(last, s.Printer.Log.rend());
    EXPECT_NE(last->find("System"), std::string::npos);

    // A single element prints one row between two rules.
    TPatch patch(nullptr);
    s.Printer.Log.clear();
    y = 100;
    patch.PrintLine(y, false);
    EXPECT_EQ(y, 100 + 40 + 70);
    EXPECT_EQ(Outline(s.Printer.Log), (std::vector<std::string>{"L 30,99 970,99", "L 30,141 970,141"}));
}

TEST(Printing, WithoutAPrinterNothingIsDrawn) {
    ShellScope s;
    EXPECT_THROW(BeginPrint(), EInvalidOperation);
}

// ---------------------------------------------------------------------------------------- pictogram

TEST(FilterPicture, ShapesAndCaptionsByType) {
    const int W = 60, H = 40, c = 30;
    const TPictureShape frame{TPictureShapeKind::Polygon, {{0, 0}, {59, 0}, {59, 39}, {0, 39}}, {}};

    const TFilterPicture off = FilterPicture(W, H, 0);
    ASSERT_EQ(off.Shapes.size(), 2u);
    EXPECT_EQ(off.Shapes[0], frame);
    EXPECT_EQ(off.Shapes[1], (TPictureShape{TPictureShapeKind::Text, {{20, 12}}, "OFF"}));
    EXPECT_EQ(off.Caption, "No Filter");

    const TFilterPicture band = FilterPicture(W, H, 2);
    ASSERT_EQ(band.Shapes.size(), 6u);  // frame, two axes with their marks, the arc
    EXPECT_EQ(band.Shapes[1], (TPictureShape{TPictureShapeKind::Line, {{4, H - 4}, {W - 4, H - 4}}, {}}));
    EXPECT_EQ(band.Shapes[4], (TPictureShape{TPictureShapeKind::Line, {{3, 5}, {6, 5}}, {}}));
    EXPECT_EQ(band.Shapes[5],
              (TPictureShape{
                  TPictureShapeKind::Arc, {{c - 9, H - 14}, {c + 9, H + 16}, {c + 9, H - 4}, {c - 9, H - 4}}, {}}));
    EXPECT_EQ(band.Caption, "Band Pass");

    const std::pair<int, const char*> captions[] = {{1, "Low Pass"}, {3, "High Pass"}, {4, "Peaking"}};
    for (const auto& [type, caption] : captions) EXPECT_EQ(FilterPicture(W, H, type).Caption, caption);
    EXPECT_EQ(FilterPicture(W, H, 4).Shapes.size(), 8u);

    const TFilterPicture other = FilterPicture(W, H, 7);
    EXPECT_FALSE(other.Caption.has_value());
    EXPECT_EQ(other.Shapes.size(), 5u);  // frame and axes only
}

// ------------------------------------------------------------------------------------------ data folder

TEST(DataFolder, IsMadeInsideTheMakersFolder) {
    TempDir dir;
    const std::string maker = dir.File("Maker");
    const std::string folder = MakeDataFolder(maker);
    EXPECT_EQ(folder, maker + "/ZelmoviXP");
    EXPECT_TRUE(std::filesystem::is_directory(folder));
    EXPECT_EQ(MakeDataFolder(maker + "/"), folder);  // already there

    WriteAll(dir.File("file"), "x");
    EXPECT_THROW(MakeDataFolder(dir.File("file")), EInOutError);
}

// ------------------------------------------------------------------------------------ strings and files

TEST(SharedStrings, Helpers) {
    EXPECT_EQ(Spaces(3), "   ");
    EXPECT_EQ(Spaces(0), "");
    EXPECT_EQ(Spaces(-2), "");
    EXPECT_EQ(IntToZeroPadded(7, 3), "007");
    EXPECT_EQ(IntToZeroPadded(1234, 3), "1234");
    EXPECT_EQ(IntToZeroPadded(-5, 3), "-05");
    EXPECT_EQ(TrimTrailingBlanks("Piano 1   "), "Piano 1");
    EXPECT_EQ(TrimTrailingBlanks("   "), "");
    EXPECT_EQ(TrimTrailingBlanks("  a"), "  a");
    EXPECT_EQ(RemoveBlanks(" A B  C "), "ABC");
    std::uint8_t buffer[4] = {1, 2, 3, 4};
    ClearBytes(buffer, 3);
    EXPECT_EQ(Hex(Bytes(buffer, buffer + 4)), "00 00 00 04");
}

TEST(SharedFiles, ReadAndWriteReportWhetherEveryByteMoved) {
    TMemoryStream stream;
    const std::uint8_t out[5] = {1, 2, 3, 4, 5};
    EXPECT_TRUE(FileWriteBytes(stream, out, 5));
    stream.SetPosition(0);
    std::uint8_t in[8] = {};
    EXPECT_TRUE(FileReadBytes(stream, in, 3));
    EXPECT_FALSE(FileReadBytes(stream, in, 3));  // only two left
}

// --------------------------------------------------------------------------------------------- start-up

TEST(SharedStartUp, ClearsCurrentElementsAndEntersTheProgramFolder) {
    TempDir dir;
    const std::filesystem::path before = std::filesystem::current_path();
    TFakeLibrary library;
    TPatch patch(&library);
    CurrentPatch = &patch;
    PreviewChannel = 10;
    XpFormat = 1;

    InitSharedRoutines(dir.File("zelmovi"));
    EXPECT_EQ(CurrentPatch, nullptr);
    EXPECT_EQ(PreviewChannel, 1);
    EXPECT_EQ(XpFormat, 0);
    EXPECT_EQ(ProgramFolder, dir.Path().string());
    EXPECT_EQ(std::filesystem::current_path(), std::filesystem::canonical(dir.Path()));
    std::filesystem::current_path(before);
}

}  // namespace
}  // namespace zel::test
