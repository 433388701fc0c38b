// The name update: the 20 steps of requests to the instrument simulator, "UserCard.Txt" as it writes it,
// a card that is not there, a silent user step and its retry, foreign traffic in the middle of a step,
// Cancel, a failing write, and the lists the bank transfers keep through the model's name service.
#include <gtest/gtest.h>

#include <set>

#include "NameUpdateFixture.h"
#include "app/Uenames.h"
#include "app/Uetransm.h"
#include "model/Bank.h"
#include "model/SysexFraming.h"
#include "platform/rtl/SafeFile.h"

namespace zel::test {
namespace {

TEST_F(NameUpdate, AsksForEveryNameInOrderAndWritesUserCardTxt) {
    MakeWindows();
    RunUpdate();
    const std::vector<TBytes> requests = Requests();
    ASSERT_EQ(requests.size(), 320u);
    EXPECT_EQ(requests.front(),
              (TBytes{0xF0, 0x41, 0x10, 0x6A, 0x11, 0x20, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x0C, 0x54, 0xF7}));
    EXPECT_EQ(requests.back(),
              (TBytes{0xF0, 0x41, 0x10, 0x6A, 0x11, 0x11, 0x7F, 0x00, 0x00, 0x00, 0x00, 0x00, 0x0C, 0x64, 0xF7}));
    // Card performances, user performances, card patches, user patches; each name's own address.
    struct TRow {
        int request;
        std::uint32_t address;
    } rows[] = {{0, Addr(0x20, 0, 0, 0)},   {31, Addr(0x20, 31, 0, 0)}, {32, Addr(0x10, 0, 0, 0)},
                {63, Addr(0x10, 31, 0, 0)}, {64, Addr(0x21, 0, 0, 0)},  {191, Addr(0x21, 127, 0, 0)},
                {192, Addr(0x11, 0, 0, 0)}, {200, Addr(0x11, 8, 0, 0)}};
    for (const TRow& r : rows) EXPECT_EQ(requests[r.request], MakeDataRequest(0x10, r.address, 12)) << r.request;
    EXPECT_EQ(ReadAll(UserCardPath()), ExpectedUserCard(true));
    EXPECT_EQ(form->Gauge1->GetProgress(), 100);
    EXPECT_FALSE(form->GetVisible());
    EXPECT_TRUE(Boxes.empty());
    // The input is the default handler's again.
    Backend.Inject("JV-1080", TBytes{0x90, 0x40, 0x40});
    ProcessPendingMessages();
    EXPECT_EQ(DefaultInputs, 1);
}

TEST_F(NameUpdate, WithoutADataCardTheCardListsStayEmptyAndNothingIsAsked) {
    Sim.NoCard = true;
    MakeWindows();
    std::string screenshot;
    RunUpdate([&] {
        // The window while it waits for the card's patch names.
        if (form->Step != 5 || !screenshot.empty()) return;
        screenshot = ScreenshotPath("updating_names");
        EXPECT_TRUE(SaveWindowImage(form->GetHandle(), screenshot));
        std::printf("screenshot: %s\n", screenshot.c_str());
    });
    EXPECT_FALSE(screenshot.empty());
    EXPECT_EQ(Requests().size(), 320u);
    EXPECT_EQ(ReadAll(UserCardPath()), ExpectedUserCard(false));
    EXPECT_TRUE(Boxes.empty());
    EXPECT_EQ(form->Gauge1->GetProgress(), 100);
}

TEST_F(NameUpdate, APartlyAnsweredCardStepKeepsItsNamesInPlace) {
    // The card answers the first 5 names of its second patch step (names 16-20), then nothing more.
    MakeWindows();
    const TInstrumentSimulator::TTransmit transmit = Sim.Transmit;
    Sim.Transmit = [&](const TBytes& m) {
        const bool cardPatch = m.size() > 6 && m[5] == 0x21;
        if (!cardPatch || (m[6] >= 16 && m[6] < 21)) transmit(m);
    };
    int gaugeAtStepSix = -1;
    RunUpdate([&] {
        if (form->Step == 6 && gaugeAtStepSix < 0) gaugeAtStepSix = form->Gauge1->GetProgress();
    });
    const TStrings& cardPatches = form->List(TNameListKind::CardPatches);
    ASSERT_EQ(cardPatches.GetCount(), 21);
    EXPECT_EQ(cardPatches.Get(0), "");
    EXPECT_EQ(cardPatches.Get(16), "Card Pat 017");
    EXPECT_EQ(cardPatches.Get(20), "Card Pat 021");
    // Two card steps counted whole from their start: 64 + 16 + 16 names of 320.
    EXPECT_EQ(gaugeAtStepSix, 30);
    // The 16 names never answered keep their lines as blanks, so that the answered ones stay at 17-21.
    std::string cardList;
    for (int n = 0; n < 16; ++n) cardList += std::string(12, ' ') + "\r\n";
    for (int n = 16; n < 21; ++n) cardList += SimulatedName(true, true, n) + "\r\n";
    const std::string full = ExpectedUserCard(true);
    const std::size_t cardStart = full.size() - (128 * 14 + 3);
    EXPECT_EQ(ReadAll(UserCardPath()), full.substr(0, cardStart) + cardList + "\xC7\r\n");
}

TEST_F(NameUpdate, ASilentUserStepAsksAndARetryStoresEachNameOnce) {
    // The first attempt at the user patches 17-32 answers 6 names, then the instrument falls silent.
    MakeWindows();
    const TInstrumentSimulator::TTransmit transmit = Sim.Transmit;
    Sim.Transmit = [&](const TBytes& m) {
        const bool failing = Boxes.empty();
        const bool stepThirteen = m.size() > 6 && m[5] == 0x11 && m[6] >= 16 && m[6] < 32;
        if (!failing || !stepThirteen || m[6] < 22) transmit(m);
    };
    BoxAnswer = IDRETRY;
    RunUpdate();
    ASSERT_EQ(Boxes.size(), 1u);
    EXPECT_EQ(Boxes[0].Text, "The Instrument Is Not Responding.");
    EXPECT_EQ(Boxes[0].Flags & MB_ICONMASK, MB_ICONINFORMATION);
    EXPECT_EQ(Requests().size(), 336u);  // step 13 twice
    EXPECT_EQ(ReadAll(UserCardPath()), ExpectedUserCard(true));
}

TEST_F(NameUpdate, RefusingTheRetryClosesTheWindowAndKeepsTheFile) {
    WriteAll(UserCardPath(), "old\r\n\xC7\r\n");
    Sim.Silent = true;
    MakeWindows();
    BoxAnswer = IDCANCEL;
    RunUpdate();
    ASSERT_EQ(Boxes.size(), 1u);  // the card steps passed without a question
    EXPECT_EQ(form->Step, 2);
    EXPECT_EQ(form->NamesReceived, 32);
    EXPECT_EQ(ReadAll(UserCardPath()), "old\r\n\xC7\r\n");
    EXPECT_FALSE(form->Timer1->GetEnabled());
    Backend.Inject("JV-1080", TBytes{0x90, 0x40, 0x40});
    ProcessPendingMessages();
    EXPECT_EQ(DefaultInputs, 1);
}

TEST_F(NameUpdate, ForeignTrafficMidStepIsDroppedAndEveryNameStaysInPlace) {
    // A step's requests go out from the event loop, which takes each message as it comes: a note, a
    // foreign, a misplaced, a short and a spoilt System Exclusive message among the replies are dropped,
    // and no reply is lost for want of an input buffer, so nothing needs asking again.
    MakeWindows();
    const TInstrumentSimulator::TTransmit transmit = Sim.Transmit;
    std::set<std::uint32_t> interjected;
    // After the first reply from an address, once.
    const auto after = [&](const TBytes& m, std::uint32_t address) {
        return m.size() > 8 && Addr(m[5], m[6], m[7], m[8]) == address && interjected.insert(address).second;
    };
    Sim.Transmit = [&](const TBytes& m) {
        transmit(m);
        if (after(m, Addr(0x20, 2, 0, 0))) transmit({0x90, 0x3C, 0x40});              // a note played meanwhile
        if (after(m, Addr(0x10, 7, 0, 0))) transmit({0xF0, 0x41, 0x10, 0x6A, 0xF7});  // a short SysEx
        if (after(m, Addr(0x11, 8, 0, 0))) {
            transmit(MakeDataSet(0x10, Addr(0x10, 5, 0, 0), TBytes(12, 'X')));  // not this step's
            transmit(MakeDataSet(0x10, Addr(0x11, 6, 0, 0), TBytes(11, 'Y')));  // too short
            TBytes spoilt = MakeDataSet(0x10, Addr(0x11, 7, 0, 0), TBytes(12, 'Z'));
            spoilt[spoilt.size() - 2] ^= 1;
            transmit(spoilt);
        }
    };
    BoxAnswer = IDRETRY;
    RunUpdate();
    EXPECT_TRUE(BoxTexts().empty());
    EXPECT_EQ(ReadAll(UserCardPath()), ExpectedUserCard(true));
}

TEST_F(NameUpdate, ARealClickOnCancelMidStepClosesTheWindow) {
    // A press in the middle of a step's replies, and one that waits while the next step would be sent.
    for (int clickAfterReply : {20, 32}) {
        SCOPED_TRACE(clickAfterReply);
        if (!form) MakeWindows();
        Sim.ClearLog();
        const TInstrumentSimulator::TTransmit transmit = Sim.Transmit;
        int replies = 0;
        Sim.Transmit = [&](const TBytes& m) {
            transmit(m);
            if (++replies != clickAfterReply) return;
            const HWND button = form->cancelBtn->GetHandle();
            PostMessage(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
            PostMessage(button, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
        };
        RunUpdate();
        Sim.Transmit = transmit;
        EXPECT_EQ(form->ModalResult, mrCancel);
        // The window closed at once; what the step under way had queued still goes out, and no step after it.
        // Their replies reach the default input handler.
        SendQueuedMessages(Clock.Clock());
        ProcessPendingMessages();
        EXPECT_EQ(Requests().size(), 32u);
        EXPECT_FALSE(form->GetVisible());
        EXPECT_FALSE(form->Timer1->GetEnabled());
        EXPECT_FALSE(std::filesystem::exists(UserCardPath()));
        const int before = DefaultInputs;
        Backend.Inject("JV-1080", TBytes{0x90, 0x40, 0x40});
        ProcessPendingMessages();
        EXPECT_EQ(DefaultInputs, before + 1);
    }
}

TEST_F(NameUpdate, WithoutUsablePortsNothingIsSentAndTheWindowWaitsForCancel) {
    // A MIDI system without the instrument's ports: nothing opens.
    SetMidiBackendForTests(&Backend);
    ports.reset(Construct<TFormInOut>(nullptr));
    ASSERT_EQ(DevicesOpen, 0);
    form.reset(Construct<TFormUpdateNames>(nullptr));
    Boxes.clear();
    int idles = 0;
    RunUpdate([&] {
        if (++idles == 50) ClickAt(form->cancelBtn->GetHandle(), 5, 5);
    });
    EXPECT_GE(idles, 50);
    EXPECT_TRUE(Requests().empty());
    EXPECT_TRUE(Boxes.empty());
    EXPECT_EQ(form->ModalResult, mrCancel);
}

TEST_F(NameUpdate, AFailingWriteSaysSoKeepsTheOldFileAndTheWindowOpen) {
    WriteAll(UserCardPath(), "old\r\n\xC7\r\n");
    MakeWindows();
    TSafeFileFaultsGuard faults({-1, false, true});
    bool openAfterTheMessage = false;
    RunUpdate([&] {
        if (Boxes.empty()) return;
        openAfterTheMessage = form->GetVisible();
        form->Close();
    });
    ASSERT_EQ(Boxes.size(), 1u);
    EXPECT_EQ(Boxes[0].Text, "Unable to Write UserCard.Txt.");
    EXPECT_TRUE(openAfterTheMessage);
    EXPECT_EQ(ReadAll(UserCardPath()), "old\r\n\xC7\r\n");
}

// ------------------------------------------------------------------------- the lists of the bank transfers

TEST_F(NameUpdate, TheModelsNameServiceLoadsAndSavesUserCardTxt) {
    MakeWindows();
    INameLists* lists = ModelServices().NameLists;
    ASSERT_EQ(lists, &form->NameLists());
    // A first run has no file: four empty lists, no message.
    lists->LoadUpdateNames();
    for (TNameListKind kind : {TNameListKind::UserPerformances, TNameListKind::CardPerformances,
                               TNameListKind::UserPatches, TNameListKind::CardPatches})
        EXPECT_EQ(lists->UpdateNames(kind).GetCount(), 0);
    // A bank transfer's names: trimmed, blank, with control bytes, too long.
    TStrings& patches = lists->UpdateNames(TNameListKind::UserPatches);
    for (const char* name : {"Piano", "", "Tab\tBell", "Twelve Chars", "Thirteen Char"}) patches.Add(name);
    // Saving closes the window, hidden as it is: the input goes back to the default handler.
    ModelServices().MidiPorts->SetInputHandler([](TObject*) {});
    lists->SaveUpdateNames();
    Backend.Inject("JV-1080", TBytes{0x90, 0x40, 0x40});
    ProcessPendingMessages();
    EXPECT_EQ(DefaultInputs, 1);
    EXPECT_EQ(ReadAll(UserCardPath()),
              "\xC7\r\n\xC7\r\nPiano       \r\n            \r\nTab Bell    \r\n"
              "Twelve Chars\r\nThirteen Cha\r\n\xC7\r\n\xC7\r\n");
    // Read back, every name keeps its place.
    lists->LoadUpdateNames();
    ASSERT_EQ(patches.GetCount(), 5);
    EXPECT_EQ(patches.Get(1), std::string(12, ' '));
    EXPECT_EQ(patches.Get(2), "Tab Bell    ");
    EXPECT_TRUE(Boxes.empty());
}

TEST_F(NameUpdate, APatchBankReceivedRewritesTheUserPatchNames) {
    Sim.Write(Addr(0x11, 3, 0, 0), TBytes(12, ' '));  // a patch whose name is all blanks
    WriteAll(UserCardPath(), "Old Perf\r\n\xC7\r\n\xC7\r\nOld Patch\r\n\xC7\r\nCard\r\n\xC7\r\n");
    std::string names;
    for (int list = 1; list <= 58; ++list) names += (list > 1 ? "\xC7\r\nName\r\n" : "Name\r\n");
    WriteAll(Data.File("Names.Txt"), names);
    MakeWindows();
    std::unique_ptr<TFormNames> picker(Construct<TFormNames>(nullptr));
    std::unique_ptr<TFormTransmet> transmet(Construct<TFormTransmet>(nullptr));
    TPatchBank bank(nullptr);
    bank.User = 1;
    int idles = 0;
    Application->OnIdle = [&](TObject*, bool& done) {
        done = false;
        Clock->Advance(50);
        if (++idles > 100000) transmet->ModalResult = mrAbort;  // never hang the test
    };
    bank.Receive(false);
    Application->OnIdle = nullptr;
    ASSERT_TRUE(transmet->Progress().GetCompleted());
    std::string patches;
    for (int n = 0; n < 128; ++n) patches += (n == 3 ? std::string(12, ' ') : SimulatedName(false, true, n)) + "\r\n";
    EXPECT_EQ(ReadAll(UserCardPath()),
              "Old Perf    \r\n\xC7\r\n\xC7\r\n" + patches + "\xC7\r\nCard        \r\n\xC7\r\n");
    // The picker has read the file again: its user patch list is the bank's.
    ASSERT_EQ(picker->List(61).GetCount(), 128);
    EXPECT_EQ(picker->List(61).Get(0), "User Pat 001");
    EXPECT_EQ(picker->List(61).Get(3), std::string(12, ' '));
    EXPECT_EQ(picker->List(59).Get(0), "Old Perf    ");
    EXPECT_TRUE(Boxes.empty());
}

}  // namespace
}  // namespace zel::test
