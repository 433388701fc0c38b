// The MIDI layer over RtMidi on a real JACK server, against a JACK client standing in for the instrument.
// Under CI (ZELMOVI_REQUIRE_JACK=1) a missing server is a failure; elsewhere the tests skip themselves.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <mutex>

#include "platform/midi/JackMidi.h"
#include "platform/midi/MidiBackend.h"
#include "platform/midi/MmSystem.h"
#include "support/JackTest.h"

namespace zel::test {
namespace {

using namespace std::chrono_literals;

struct TCall {
    UINT msg = 0;
    DWORD_PTR p1 = 0;
    DWORD_PTR p2 = 0;
    TBytes bytes;  // a long message's recorded bytes, copied on the callback thread
};

struct TRecorder {
    std::mutex lock;
    std::vector<TCall> calls;
    static void Callback(void*, UINT msg, DWORD_PTR inst, DWORD_PTR p1, DWORD_PTR p2) {
        auto* self = reinterpret_cast<TRecorder*>(inst);
        TCall c{msg, p1, p2, {}};
        if ((msg == MIM_LONGDATA || msg == MOM_DONE) && p1 != 0) {
            auto* h = reinterpret_cast<MIDIHDR*>(p1);
            c.bytes.assign(h->lpData, h->lpData + (msg == MOM_DONE ? h->dwBufferLength : h->dwBytesRecorded));
        }
        std::lock_guard<std::mutex> g(self->lock);
        self->calls.push_back(std::move(c));
    }
    std::vector<TCall> Of(UINT msg) {
        std::lock_guard<std::mutex> g(lock);
        std::vector<TCall> r;
        for (auto& c : calls)
            if (c.msg == msg) r.push_back(c);
        return r;
    }
};

// Finds a device by the name its capabilities report (names are cut to 31 characters).
template <class TCaps, class TGet>
int FindDevice(UINT count, TGet get, const std::string& name) {
    for (UINT i = 0; i < count; ++i) {
        TCaps caps;
        if (get(i, &caps, sizeof(caps)) == MMSYSERR_NOERROR && name.substr(0, MAXPNAMELEN - 1) == caps.szPname)
            return static_cast<int>(i);
    }
    return -1;
}

class MidiLayerOnJack : public ::testing::Test {
protected:
    void SetUp() override {
        if (!OpenOnJack(instrument)) return;
        ASSERT_EQ(RtMidiApiName(), "jack");
    }
    TJackInstrument instrument{"zelmovi-layer-sim"};
    TRecorder rec;
};

TEST_F(MidiLayerOnJack, SysexAndShortMessagesTravelBothWays) {
    int inId = FindDevice<MIDIINCAPSA>(midiInGetNumDevs(), midiInGetDevCapsA, instrument.OutputPortName());
    int outId = FindDevice<MIDIOUTCAPSA>(midiOutGetNumDevs(), midiOutGetDevCapsA, instrument.InputPortName());
    ASSERT_GE(inId, 0) << instrument.OutputPortName();
    ASSERT_GE(outId, 0) << instrument.InputPortName();

    HMIDIIN in = nullptr;
    HMIDIOUT out = nullptr;
    ASSERT_EQ(midiInOpen(&in, static_cast<UINT>(inId), reinterpret_cast<DWORD_PTR>(&TRecorder::Callback),
                         reinterpret_cast<DWORD_PTR>(&rec), CALLBACK_FUNCTION),
              MMSYSERR_NOERROR);
    ASSERT_EQ(midiOutOpen(&out, static_cast<UINT>(outId), reinterpret_cast<DWORD_PTR>(&TRecorder::Callback),
                          reinterpret_cast<DWORD_PTR>(&rec), CALLBACK_FUNCTION),
              MMSYSERR_NOERROR);
    // The program's ports carry stable names and never show up as devices themselves.
    const std::string ownIn = JackOwnPortName(true), ownOut = JackOwnPortName(false);
    EXPECT_EQ(ownIn, "Zelmovi:MIDI In");
    EXPECT_EQ(ownOut, "Zelmovi:MIDI Out");
    EXPECT_EQ(instrument.OutputConnections(), std::vector<std::string>{ownIn});
    EXPECT_EQ(instrument.InputConnections(), std::vector<std::string>{ownOut});
    for (const std::string& name : JackMidiPortNames(true)) EXPECT_NE(name.rfind("Zelmovi:", 0), 0u) << name;
    for (const std::string& name : JackMidiPortNames(false)) EXPECT_NE(name.rfind("Zelmovi:", 0), 0u) << name;
    // One input device at a time: the program has one input port.
    HMIDIIN second = nullptr;
    EXPECT_EQ(midiInOpen(&second, static_cast<UINT>(inId), 0, 0, CALLBACK_NULL), MMSYSERR_ALLOCATED);

    std::vector<std::vector<BYTE>> buffers(8, std::vector<BYTE>(4096));
    std::vector<MIDIHDR> headers(8);
    for (std::size_t i = 0; i < headers.size(); ++i) {
        headers[i].lpData = reinterpret_cast<LPSTR>(buffers[i].data());
        headers[i].dwBufferLength = 4096;
        midiInPrepareHeader(in, &headers[i], sizeof(MIDIHDR));
        midiInAddBuffer(in, &headers[i], sizeof(MIDIHDR));
    }
    midiInStart(in);

    TBytes sysex(10000);
    sysex.front() = 0xF0;
    for (std::size_t i = 1; i + 1 < sysex.size(); ++i) sysex[i] = static_cast<BYTE>(i * 7 % 128);
    sysex.back() = 0xF7;
    instrument.Send({0x90, 0x3C, 0x40});
    instrument.Send(sysex);
    instrument.Send({0x80, 0x3C, 0x00});
    ASSERT_TRUE(TJackInstrument::WaitFor([&] { return rec.Of(MIM_DATA).size() == 2; }, 5s));
    auto longData = rec.Of(MIM_LONGDATA);
    ASSERT_EQ(longData.size(), 3u);
    TBytes joined;
    for (auto& c : longData) joined.insert(joined.end(), c.bytes.begin(), c.bytes.end());
    EXPECT_EQ(joined, sysex);
    EXPECT_EQ(longData[0].bytes.size(), 4096u);
    auto data = rec.Of(MIM_DATA);
    EXPECT_EQ(data[0].p1, 0x403C90u);
    EXPECT_EQ(data[1].p1, 0x003C80u);
    EXPECT_LE(data[0].p2, data[1].p2);

    MIDIHDR hdr;
    hdr.lpData = reinterpret_cast<LPSTR>(sysex.data());
    hdr.dwBufferLength = static_cast<DWORD>(sysex.size());
    midiOutPrepareHeader(out, &hdr, sizeof(hdr));
    ASSERT_EQ(midiOutLongMsg(out, &hdr, sizeof(hdr)), MMSYSERR_NOERROR);
    ASSERT_EQ(midiOutShortMsg(out, 0x7F3C90), MMSYSERR_NOERROR);
    ASSERT_TRUE(TJackInstrument::WaitFor([&] { return instrument.ReceivedCount() == 2; }, 5s));
    EXPECT_EQ(rec.Of(MOM_DONE).size(), 1u);
    auto got = instrument.Received();
    // The short message may overtake the queued block; both arrive whole.
    bool sysexFirst = got[0].size() == sysex.size();
    EXPECT_EQ(got[sysexFirst ? 0 : 1], sysex);
    EXPECT_EQ(got[sysexFirst ? 1 : 0], (TBytes{0x90, 0x3C, 0x7F}));

    midiInReset(in);
    for (auto& h : headers) midiInUnprepareHeader(in, &h, sizeof(MIDIHDR));
    EXPECT_EQ(midiInClose(in), MMSYSERR_NOERROR);
    midiOutReset(out);
    EXPECT_EQ(midiOutClose(out), MMSYSERR_NOERROR);
    // Closed devices leave the program's ports connected to nothing.
    EXPECT_TRUE(instrument.OutputConnections().empty());
    EXPECT_TRUE(instrument.InputConnections().empty());
}

}  // namespace
}  // namespace zel::test
