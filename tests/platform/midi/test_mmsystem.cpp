// The winmm-shaped MIDI layer over the in-process back end: devices, short and System Exclusive input into
// the client's buffers, output with done reports, reset and close rules, error texts, global memory.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/midi/MidiBackend.h"
#include "platform/midi/MmSystem.h"
#include "platform/rtl/Clock.h"

namespace zel::test {
namespace {

struct TCall {
    UINT msg = 0;
    DWORD_PTR p1 = 0;
    DWORD_PTR p2 = 0;
};

void Record(void* /*dev*/, UINT msg, DWORD_PTR instance, DWORD_PTR p1, DWORD_PTR p2) {
    reinterpret_cast<std::vector<TCall>*>(instance)->push_back({msg, p1, p2});
}

// A buffer with guard bytes after its usable length, to catch writes past a header's end.
struct TGuardedHeader {
    explicit TGuardedHeader(DWORD length) : bytes(length + 16, 0xEE) {
        hdr.lpData = reinterpret_cast<LPSTR>(bytes.data());
        hdr.dwBufferLength = length;
    }
    bool GuardIntact() const {
        for (std::size_t i = hdr.dwBufferLength; i < bytes.size(); ++i)
            if (bytes[i] != 0xEE) return false;
        return true;
    }
    std::vector<BYTE> bytes;
    MIDIHDR hdr;
};

class MidiLayer : public ::testing::Test {
protected:
    void SetUp() override {
        backend.AddInput("Port A");
        backend.AddInput("A port whose name is longer than thirty-one characters");
        backend.AddOutput("Port A", [this](const BYTE* d, std::size_t n) { sent.emplace_back(d, d + n); });
        SetMidiBackendForTests(&backend);
    }
    void TearDown() override { SetMidiBackendForTests(nullptr); }

    HMIDIIN OpenIn() {
        HMIDIIN h = nullptr;
        EXPECT_EQ(midiInOpen(&h, 0, reinterpret_cast<DWORD_PTR>(&Record), reinterpret_cast<DWORD_PTR>(&calls),
                             CALLBACK_FUNCTION),
                  MMSYSERR_NOERROR);
        return h;
    }
    HMIDIOUT OpenOut() {
        HMIDIOUT h = nullptr;
        EXPECT_EQ(midiOutOpen(&h, 0, reinterpret_cast<DWORD_PTR>(&Record), reinterpret_cast<DWORD_PTR>(&calls),
                              CALLBACK_FUNCTION),
                  MMSYSERR_NOERROR);
        return h;
    }
    std::vector<TCall> CallsOf(UINT msg) const {
        std::vector<TCall> r;
        for (const TCall& c : calls)
            if (c.msg == msg) r.push_back(c);
        return r;
    }

    TManualClockScope clock;
    TInProcessMidiBackend backend;
    std::vector<TCall> calls;
    std::vector<std::vector<BYTE>> sent;
};

TEST_F(MidiLayer, DevicesAreTheBackEndPortsWithWinmmCapabilities) {
    EXPECT_EQ(midiInGetNumDevs(), 2u);
    EXPECT_EQ(midiOutGetNumDevs(), 1u);
    MIDIINCAPSA in;
    ASSERT_EQ(midiInGetDevCapsA(0, &in, sizeof(in)), MMSYSERR_NOERROR);
    EXPECT_STREQ(in.szPname, "Port A");
    ASSERT_EQ(midiInGetDevCapsA(1, &in, sizeof(in)), MMSYSERR_NOERROR);
    EXPECT_EQ(std::string(in.szPname),
              std::string("A port whose name is longer than thirty-one characters").substr(0, 31));
    EXPECT_EQ(midiInGetDevCapsA(2, &in, sizeof(in)), MMSYSERR_BADDEVICEID);
    EXPECT_EQ(midiInGetDevCapsA(0, &in, sizeof(in) - 1), MMSYSERR_INVALPARAM);

    MIDIOUTCAPSA out;
    ASSERT_EQ(midiOutGetDevCapsA(MIDI_MAPPER, &out, sizeof(out)), MMSYSERR_NOERROR);
    EXPECT_STREQ(out.szPname, MidiMapperName);
    EXPECT_EQ(out.wTechnology, MOD_MAPPER);
    EXPECT_EQ(midiOutGetDevCapsA(1, &out, sizeof(out)), MMSYSERR_BADDEVICEID);

    HMIDIIN h = nullptr;
    EXPECT_EQ(midiInOpen(&h, 7, 0, 0, CALLBACK_FUNCTION), MMSYSERR_BADDEVICEID);
    EXPECT_EQ(h, nullptr);
}

TEST_F(MidiLayer, NoMidiSystemGivesNoDevices) {
    TInProcessMidiBackend empty;
    SetMidiBackendForTests(&empty);
    EXPECT_EQ(midiInGetNumDevs(), 0u);
    EXPECT_EQ(midiOutGetNumDevs(), 0u);
    HMIDIOUT h = nullptr;
    EXPECT_EQ(midiOutOpen(&h, MIDI_MAPPER, 0, 0, CALLBACK_FUNCTION), MIDIERR_NODEVICE);
}

TEST_F(MidiLayer, ErrorTexts) {
    char text[MAXERRORLENGTH];
    struct Row {
        const char* name;
        MMRESULT code;
        const char* fragment;
    };
    const Row rows[] = {
        {"bad device", MMSYSERR_BADDEVICEID, "device ID"},
        {"invalid handle", MMSYSERR_INVALHANDLE, "handle is invalid"},
        {"unprepared", MIDIERR_UNPREPARED, "not prepared"},
        {"still playing", MIDIERR_STILLPLAYING, "still playing"},
    };
    for (const Row& r : rows) {
        ASSERT_EQ(midiInGetErrorTextA(r.code, text, sizeof(text)), MMSYSERR_NOERROR) << r.name;
        EXPECT_NE(std::string(text).find(r.fragment), std::string::npos) << r.name << ": " << text;
        ASSERT_EQ(midiOutGetErrorTextA(r.code, text, sizeof(text)), MMSYSERR_NOERROR) << r.name;
    }
    EXPECT_EQ(midiInGetErrorTextA(200, text, sizeof(text)), MMSYSERR_BADERRNUM);
    char small[8];
    ASSERT_EQ(midiOutGetErrorTextA(MIDIERR_STILLPLAYING, small, sizeof(small)), MMSYSERR_NOERROR);
    EXPECT_EQ(std::strlen(small), 7u);
}

TEST_F(MidiLayer, ShortMessagesArriveAfterStartWithTheirTime) {
    HMIDIIN h = OpenIn();
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(CallsOf(MIM_OPEN).size(), 1u);
    backend.Inject("Port A", {0x90, 0x3C, 0x40});  // before start: dropped
    ASSERT_EQ(midiInStart(h), MMSYSERR_NOERROR);
    clock->Advance(25);
    backend.Inject("Port A", {0x90, 0x3C, 0x40});
    clock->Advance(5);
    backend.Inject("Port A", {0xC5, 0x07});
    backend.Inject("Port A", {0xFE});
    auto data = CallsOf(MIM_DATA);
    ASSERT_EQ(data.size(), 3u);
    EXPECT_EQ(data[0].p1, 0x403C90u);
    EXPECT_EQ(data[0].p2, 25u);
    EXPECT_EQ(data[1].p1, 0x07C5u);
    EXPECT_EQ(data[1].p2, 30u);
    EXPECT_EQ(data[2].p1, 0xFEu);
    EXPECT_EQ(midiInClose(h), MMSYSERR_NOERROR);
    EXPECT_EQ(CallsOf(MIM_CLOSE).size(), 1u);
    EXPECT_FALSE(backend.InputOpen("Port A"));
}

TEST_F(MidiLayer, SysexFillsTheQueuedBuffersInOrderAndNeverPastOne) {
    struct Row {
        const char* name;
        std::size_t length;
        int buffers;
        std::vector<DWORD> recorded;  // bytes per MIM_LONGDATA, in order
        bool longError;
    };
    const Row rows[] = {
        {"fits one buffer", 4096, 16, {4096}, false},
        {"spans three buffers", 10000, 16, {4096, 4096, 1808}, false},
        {"runs out of buffers", 10000, 2, {4096, 4096}, true},
        {"no buffer at all", 20, 0, {}, true},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        calls.clear();
        HMIDIIN h = OpenIn();
        std::vector<std::unique_ptr<TGuardedHeader>> headers;
        for (int i = 0; i < r.buffers; ++i) {
            headers.push_back(std::make_unique<TGuardedHeader>(4096));
            ASSERT_EQ(midiInPrepareHeader(h, &headers.back()->hdr, sizeof(MIDIHDR)), MMSYSERR_NOERROR);
            ASSERT_EQ(midiInAddBuffer(h, &headers.back()->hdr, sizeof(MIDIHDR)), MMSYSERR_NOERROR);
        }
        midiInStart(h);
        std::vector<BYTE> sysex(r.length);
        sysex.front() = 0xF0;
        for (std::size_t i = 1; i + 1 < r.length; ++i) sysex[i] = static_cast<BYTE>(i % 128);
        sysex.back() = 0xF7;
        backend.Inject("Port A", sysex);

        auto longData = CallsOf(MIM_LONGDATA);
        ASSERT_EQ(longData.size(), r.recorded.size());
        std::vector<BYTE> joined;
        for (std::size_t i = 0; i < longData.size(); ++i) {
            auto* hdr = reinterpret_cast<MIDIHDR*>(longData[i].p1);
            EXPECT_EQ(hdr, &headers[i]->hdr) << "buffers are used in queue order";
            EXPECT_EQ(hdr->dwBytesRecorded, r.recorded[i]);
            EXPECT_EQ(hdr->dwFlags & (MHDR_DONE | MHDR_INQUEUE), MHDR_DONE);
            joined.insert(joined.end(), hdr->lpData, hdr->lpData + hdr->dwBytesRecorded);
        }
        EXPECT_TRUE(std::equal(joined.begin(), joined.end(), sysex.begin()));
        auto errors = CallsOf(MIM_LONGERROR);
        EXPECT_EQ(errors.size(), r.longError ? 1u : 0u);
        if (!errors.empty()) {
            EXPECT_EQ(errors[0].p1, 0u);
        }
        for (auto& g : headers) EXPECT_TRUE(g->GuardIntact());

        midiInReset(h);
        for (auto& g : headers) EXPECT_EQ(midiInUnprepareHeader(h, &g->hdr, sizeof(MIDIHDR)), MMSYSERR_NOERROR);
        EXPECT_EQ(midiInClose(h), MMSYSERR_NOERROR);
    }
}

TEST_F(MidiLayer, InputBuffersFollowTheDriverRules) {
    HMIDIIN h = OpenIn();
    TGuardedHeader a(64), b(64), unprepared(64);
    EXPECT_EQ(midiInAddBuffer(h, &unprepared.hdr, sizeof(MIDIHDR)), MIDIERR_UNPREPARED);
    midiInPrepareHeader(h, &a.hdr, sizeof(MIDIHDR));
    midiInPrepareHeader(h, &b.hdr, sizeof(MIDIHDR));
    midiInAddBuffer(h, &a.hdr, sizeof(MIDIHDR));
    midiInAddBuffer(h, &b.hdr, sizeof(MIDIHDR));
    EXPECT_EQ(midiInAddBuffer(h, &a.hdr, sizeof(MIDIHDR)), MIDIERR_STILLPLAYING);
    EXPECT_EQ(midiInUnprepareHeader(h, &a.hdr, sizeof(MIDIHDR)), MIDIERR_STILLPLAYING);
    EXPECT_EQ(midiInClose(h), MIDIERR_STILLPLAYING);

    ASSERT_EQ(midiInReset(h), MMSYSERR_NOERROR);
    auto returned = CallsOf(MIM_LONGDATA);
    ASSERT_EQ(returned.size(), 2u);
    EXPECT_EQ(returned[0].p1, reinterpret_cast<DWORD_PTR>(&a.hdr));
    EXPECT_EQ(a.hdr.dwBytesRecorded, 0u);
    EXPECT_EQ(a.hdr.dwFlags, MHDR_DONE | MHDR_PREPARED);

    midiInStart(h);
    backend.Inject("Port A", {0x90, 1, 2});
    EXPECT_EQ(CallsOf(MIM_DATA).size(), 1u);
    midiInReset(h);  // a reset also stops the input
    backend.Inject("Port A", {0x90, 1, 2});
    EXPECT_EQ(CallsOf(MIM_DATA).size(), 1u);

    EXPECT_EQ(midiInClose(h), MMSYSERR_NOERROR);
    EXPECT_EQ(midiInClose(h), MMSYSERR_INVALHANDLE);
}

TEST_F(MidiLayer, ShortMessagesGoOutWithTheirLength) {
    HMIDIOUT h = OpenOut();
    struct Row {
        const char* name;
        DWORD msg;
        std::vector<BYTE> bytes;
    };
    const std::vector<Row> rows = {
        {"note on", 0x403C90, {0x90, 0x3C, 0x40}},
        {"program change", 0x0005C3, {0xC3, 0x05}},
        {"song position", 0x020103F2, {0xF2, 0x03, 0x01}},
        {"timing clock", 0xF8, {0xF8}},
    };
    for (const Row& r : rows) {
        sent.clear();
        ASSERT_EQ(midiOutShortMsg(h, r.msg), MMSYSERR_NOERROR) << r.name;
        ASSERT_EQ(sent.size(), 1u) << r.name;
        EXPECT_EQ(sent[0], r.bytes) << r.name;
    }
    EXPECT_EQ(midiOutShortMsg(h, 0x3C), MMSYSERR_INVALPARAM);
    EXPECT_EQ(midiOutClose(h), MMSYSERR_NOERROR);
}

TEST_F(MidiLayer, LongMessagesAreReportedDoneOnceSent) {
    HMIDIOUT h = OpenOut();
    std::vector<BYTE> bytes = {0xF0, 0x41, 0x10, 0x6A, 0x12, 0x03, 0x00, 0x10, 0x05, 0x40, 0x28, 0xF7};
    MIDIHDR hdr;
    hdr.lpData = reinterpret_cast<LPSTR>(bytes.data());
    hdr.dwBufferLength = static_cast<DWORD>(bytes.size());
    EXPECT_EQ(midiOutLongMsg(h, &hdr, sizeof(hdr)), MIDIERR_UNPREPARED);
    ASSERT_EQ(midiOutPrepareHeader(h, &hdr, sizeof(hdr)), MMSYSERR_NOERROR);

    backend.HoldLongMessages(true);
    ASSERT_EQ(midiOutLongMsg(h, &hdr, sizeof(hdr)), MMSYSERR_NOERROR);
    EXPECT_TRUE(CallsOf(MOM_DONE).empty());
    EXPECT_EQ(midiOutLongMsg(h, &hdr, sizeof(hdr)), MIDIERR_STILLPLAYING);
    EXPECT_EQ(midiOutUnprepareHeader(h, &hdr, sizeof(hdr)), MIDIERR_STILLPLAYING);
    EXPECT_EQ(midiOutClose(h), MIDIERR_STILLPLAYING);
    backend.ReleaseHeld();
    ASSERT_EQ(CallsOf(MOM_DONE).size(), 1u);
    EXPECT_EQ(CallsOf(MOM_DONE)[0].p1, reinterpret_cast<DWORD_PTR>(&hdr));
    EXPECT_EQ(hdr.dwFlags, MHDR_DONE | MHDR_PREPARED);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0], bytes);

    // A reset hands a queued block back as done without sending it.
    sent.clear();
    ASSERT_EQ(midiOutLongMsg(h, &hdr, sizeof(hdr)), MMSYSERR_NOERROR);
    ASSERT_EQ(midiOutReset(h), MMSYSERR_NOERROR);
    EXPECT_EQ(CallsOf(MOM_DONE).size(), 2u);
    EXPECT_TRUE(sent.empty());
    EXPECT_EQ(midiOutUnprepareHeader(h, &hdr, sizeof(hdr)), MMSYSERR_NOERROR);
    EXPECT_EQ(midiOutClose(h), MMSYSERR_NOERROR);
    EXPECT_EQ(CallsOf(MOM_CLOSE).size(), 1u);
}

TEST_F(MidiLayer, MapperPlaysThroughTheFirstOutput) {
    HMIDIOUT h = nullptr;
    ASSERT_EQ(midiOutOpen(&h, MIDI_MAPPER, 0, 0, CALLBACK_NULL), MMSYSERR_NOERROR);
    midiOutShortMsg(h, 0x403C90);
    EXPECT_EQ(sent.size(), 1u);
    midiOutClose(h);
}

TEST(GlobalMemory, MoveableZeroedSharedBlocks) {
    std::size_t before = GlobalBlockCount();
    HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT | GMEM_SHARE, 100);
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(GlobalBlockCount(), before + 1);
    EXPECT_EQ(GlobalSize(h), 100u);
    auto* p = static_cast<BYTE*>(GlobalLock(h));
    ASSERT_NE(p, nullptr);
    for (int i = 0; i < 100; ++i) ASSERT_EQ(p[i], 0);
    EXPECT_EQ(GlobalLock(h), p);
    EXPECT_EQ(GlobalUnlock(h), TRUE);  // still locked once
    EXPECT_EQ(GlobalUnlock(h), FALSE);
    EXPECT_EQ(GlobalFree(h), nullptr);
    EXPECT_EQ(GlobalBlockCount(), before);
    EXPECT_EQ(GlobalLock(nullptr), nullptr);
}

}  // namespace
}  // namespace zel::test
