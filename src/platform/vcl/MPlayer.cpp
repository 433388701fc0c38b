#include "platform/vcl/MPlayer.h"

#include <algorithm>

#include "platform/rtl/ScopeExit.h"
#include "platform/vcl/FormReader.h"

namespace zel {

namespace {

// The output's report of a System Exclusive block sent (or taken back by a reset), on the output's thread.
void BlockDone(void* /*Device*/, UINT Msg, DWORD_PTR Instance, DWORD_PTR /*Header*/, DWORD_PTR /*Unused*/) {
    if (Msg == MOM_DONE) reinterpret_cast<std::atomic<int>*>(Instance)->fetch_sub(1);
}

}  // namespace

TMediaPlayer::TMediaPlayer(TComponent* AOwner) : TCustomControl(AOwner) {
    width_ = 253;
    height_ = 30;
}

TMediaPlayer::~TMediaPlayer() {
    try {
        Close();
    } catch (const Exception&) {
        // A destructor cannot report; the output is closed either way.
    }
}

void TMediaPlayer::Loaded() {
    TCustomControl::Loaded();
    if (AutoOpen) Open();
}

void TMediaPlayer::Paint() {
    TCanvas* c = Canvas();
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(clBtnFace);
    c->FillRect(GetClientRect());
}

TMPModes TMediaPlayer::GetMode() const { return playing_ ? mpPlaying : open_ ? mpStopped : mpNotReady; }

std::uint64_t TMediaPlayer::ElapsedUs() const {
    if (!playing_) return positionUs_;
    return positionUs_ + (GetTickCount() - startTick_) * 1000;
}

std::uint64_t TMediaPlayer::GetPosition() const { return std::min(ElapsedUs(), song_.DurationUs) / 1000; }

void TMediaPlayer::Fail(const std::string& What, MMRESULT Error) {
    char text[MAXERRORLENGTH] = {};
    midiOutGetErrorTextA(Error, text, MAXERRORLENGTH);
    throw EMCIDeviceError(What + ": " + text);
}

void TMediaPlayer::Open() {
    Close();
    if (DeviceType != dtAutoSelect && DeviceType != dtSequencer)
        throw EMCIDeviceError("Unable to open the media player: only the MIDI sequencer is available");
    if (FileName.empty()) throw EMCIDeviceError("Unable to open the media player: no file name is given");
    try {
        song_.LoadFromFile(FileName);
    } catch (const EMidiFileError& e) {
        throw EMCIDeviceError("Unable to open " + FileName + ": " + e.Message);
    }
    open_ = true;
}

void TMediaPlayer::Play() {
    if (!open_) throw EMCIDeviceError("Unable to play: no MIDI file is open");
    if (playing_) return;
    // A file played to its end starts again.
    if (next_ >= song_.Events.size()) {
        next_ = 0;
        positionUs_ = 0;
    }
    blocksInFlight_ = 0;
    const MMRESULT r = midiOutOpen(&out_, OutputDevice, reinterpret_cast<DWORD_PTR>(&BlockDone),
                                   reinterpret_cast<DWORD_PTR>(&blocksInFlight_), CALLBACK_FUNCTION);
    if (r != MMSYSERR_NOERROR) {
        out_ = nullptr;
        Fail("Unable to play " + FileName + " through the MIDI output", r);
    }
    for (auto& channel : sounding_) channel.fill(0);
    sustain_.fill(false);
    startTick_ = GetTickCount();
    playing_ = true;
    Run();
}

void TMediaPlayer::Run() {
    try {
        const std::uint64_t now = ElapsedUs();
        while (next_ < song_.Events.size() && song_.Events[next_].TimeUs <= now && blocksInFlight_ == 0)
            Send(song_.Events[next_++]);
    } catch (const Exception&) {
        // The output failed: playing ends, and the output is let go of.
        Stop();
        throw;
    }
    std::uint32_t ms = 1;  // while a block is still on its way, the next look comes a millisecond later
    if (blocksInFlight_ == 0) {
        if (next_ >= song_.Events.size()) {
            // The last event is out: the output is given back at once.
            Stop();
            return;
        }
        const std::uint64_t wait = song_.Events[next_].TimeUs - ElapsedUs();
        ms = static_cast<std::uint32_t>(std::clamp<std::uint64_t>((wait + 999) / 1000, 1, 0x7FFFFFFF));
    }
    timer_ = ClockTimers().Add(ms, false, [this] {
        timer_ = 0;
        Run();
    });
}

void TMediaPlayer::Send(const TMidiFileEvent& Event) {
    const std::uint8_t* data = song_.EventData(Event);
    if (Event.Long) {
        MIDIHDR& hdr = headers_.emplace_back();
        hdr.lpData = reinterpret_cast<LPSTR>(const_cast<std::uint8_t*>(data));
        hdr.dwBufferLength = Event.Size;
        hdr.dwBytesRecorded = Event.Size;
        MMRESULT r = midiOutPrepareHeader(out_, &hdr, sizeof(MIDIHDR));
        if (r == MMSYSERR_NOERROR) {
            ++blocksInFlight_;
            r = midiOutLongMsg(out_, &hdr, sizeof(MIDIHDR));
            if (r != MMSYSERR_NOERROR) --blocksInFlight_;
        }
        if (r != MMSYSERR_NOERROR) Fail("Unable to send a System Exclusive message of " + FileName, r);
        return;
    }
    const DWORD message = data[0] | (Event.Size > 1 ? data[1] << 8 : 0) | (Event.Size > 2 ? data[2] << 16 : 0);
    const MMRESULT r = midiOutShortMsg(out_, message);
    if (r != MMSYSERR_NOERROR) Fail("Unable to send a message of " + FileName, r);
    // What still sounds, so that a stop can end it.
    const int channel = data[0] & 0x0F;
    switch (data[0] & 0xF0) {
        case 0x90:
            if (data[2] != 0) {
                std::uint8_t& n = sounding_[channel][data[1]];
                if (n < 0xFF) ++n;
                break;
            }
            [[fallthrough]];
        case 0x80: {
            std::uint8_t& n = sounding_[channel][data[1]];
            if (n > 0) --n;
            break;
        }
        case 0xB0:
            if (data[1] == 0x40) sustain_[channel] = data[2] >= 0x40;
            // All sound off and all notes off end every note of the channel.
            if (data[1] == 0x78 || data[1] == 0x7B) sounding_[channel].fill(0);
            break;
        default: break;
    }
}

void TMediaPlayer::Silence() {
    for (int channel = 0; channel < 16; ++channel) {
        for (int note = 0; note < 128; ++note)
            for (std::uint8_t& n = sounding_[channel][note]; n > 0; --n)
                midiOutShortMsg(out_, static_cast<DWORD>((0x80 | channel) | note << 8));
        if (sustain_[channel]) midiOutShortMsg(out_, static_cast<DWORD>((0xB0 | channel) | 0x40 << 8));
        sustain_[channel] = false;
    }
}

void TMediaPlayer::ReleasePort() {
    if (out_ == nullptr) return;
    // Blocks still queued are taken back first: the output cannot close while it holds any.
    midiOutReset(out_);
    midiOutClose(out_);
    out_ = nullptr;
    headers_.clear();
}

void TMediaPlayer::Stop() {
    if (!playing_) return;
    if (timer_ != 0) ClockTimers().Remove(timer_);
    timer_ = 0;
    positionUs_ = std::min(ElapsedUs(), song_.DurationUs);
    playing_ = false;
    TScopeExit release([this] { ReleasePort(); });
    Silence();
}

void TMediaPlayer::Close() {
    Stop();
    song_.Clear();
    open_ = false;
    next_ = 0;
    positionUs_ = 0;
}

// ------------------------------------------------------------------------------------------- form classes

void RegisterMPlayerClasses() {
    RegisterComponent<TMediaPlayer>("TMediaPlayer", "TWinControl")
        .Enum<TMPDeviceTypes>("DeviceType",
                              {{"dtAutoSelect", dtAutoSelect},
                               {"dtAVIVideo", dtAVIVideo},
                               {"dtCDAudio", dtCDAudio},
                               {"dtDAT", dtDAT},
                               {"dtDigitalVideo", dtDigitalVideo},
                               {"dtMMMovie", dtMMMovie},
                               {"dtOther", dtOther},
                               {"dtOverlay", dtOverlay},
                               {"dtScanner", dtScanner},
                               {"dtSequencer", dtSequencer},
                               {"dtVCR", dtVCR},
                               {"dtVideodisc", dtVideodisc},
                               {"dtWaveAudio", dtWaveAudio}},
                              [](TMediaPlayer& c, TMPDeviceTypes v) { c.DeviceType = v; })
        .Str("FileName", [](TMediaPlayer& c, const std::string& v) { c.FileName = v; })
        .Bool("AutoOpen", [](TMediaPlayer& c, bool v) { c.AutoOpen = v; })
        .Ignore("AutoEnable")
        .Ignore("AutoRewind")
        .Ignore("ColoredButtons")
        .Ignore("EnabledButtons")
        .Ignore("VisibleButtons")
        .Ignore("Shareable")
        .Ignore("Wait");
}

}  // namespace zel
