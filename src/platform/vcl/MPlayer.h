#pragma once
// The media player control: here only the MIDI sequencer device, which plays a standard MIDI file through
// the MIDI services (platform/midi/MmSystem.h) with a reader and player of our own.
//
// Open reads the whole file and refuses a damaged one; Play opens the MIDI output (OutputDevice) and sends
// each event at its time, timed by the clock service's one-shot timers on the main thread (a manual clock
// drives it in tests); Stop sends a note-off for every note still sounding, lets go of a held sustain pedal
// and closes the output, keeping the position, so that the next Play goes on from there. The output is held
// only while the player plays: when the last event has gone out it is closed too. Close stops and forgets
// the file. Every failure is an EMCIDeviceError whose message says what failed.
//
// The output sends a System Exclusive block on a thread of its own, so a message after it could overtake
// it: the events after a block wait until the output reports the block sent.
#include <array>
#include <atomic>
#include <cstdint>
#include <deque>
#include <string>

#include "platform/midi/MidiFile.h"
#include "platform/midi/MmSystem.h"
#include "platform/rtl/Clock.h"
#include "platform/vcl/Controls.h"

namespace zel {

class EMCIDeviceError : public Exception {
public:
    using Exception::Exception;
    std::string ClassName() const override { return "EMCIDeviceError"; }
};

enum TMPDeviceTypes {
    dtAutoSelect,
    dtAVIVideo,
    dtCDAudio,
    dtDAT,
    dtDigitalVideo,
    dtMMMovie,
    dtOther,
    dtOverlay,
    dtScanner,
    dtSequencer,
    dtVCR,
    dtVideodisc,
    dtWaveAudio
};

enum TMPModes { mpNotReady, mpStopped, mpPlaying, mpRecording, mpSeeking, mpPaused, mpOpen };

class TMediaPlayer : public TCustomControl {
public:
    explicit TMediaPlayer(TComponent* AOwner);
    ~TMediaPlayer() override;
    std::string ClassName() const override { return "TMediaPlayer"; }

    // Only the sequencer plays; automatic selection takes the sequencer too.
    TMPDeviceTypes DeviceType = dtAutoSelect;
    std::string FileName;
    // Opens the file when the form has been read.
    bool AutoOpen = false;
    // The MIDI output device the sequencer plays through: a device number of the MIDI services, or
    // MIDI_MAPPER (the first output).
    UINT OutputDevice = MIDI_MAPPER;

    void Open();
    void Play();
    void Stop();
    void Close();
    TMPModes GetMode() const;
    // Where playing goes on from, and the file's length, in milliseconds.
    std::uint64_t GetPosition() const;
    std::uint64_t GetLength() const { return song_.DurationUs / 1000; }
    // The file read by Open.
    const TMidiFile& MidiFile() const { return song_; }

protected:
    void Paint() override;
    void Loaded() override;

private:
    std::uint64_t ElapsedUs() const;
    // Sends every event that is due, then arms the timer for the next one or ends the playing.
    void Run();
    void Send(const TMidiFileEvent& Event);
    void Silence();
    void ReleasePort();
    [[noreturn]] void Fail(const std::string& What, MMRESULT Error);

    TMidiFile song_;
    bool open_ = false;
    bool playing_ = false;
    HMIDIOUT out_ = nullptr;
    int timer_ = 0;
    std::size_t next_ = 0;                                      // the next event to send
    std::uint64_t positionUs_ = 0;                              // where the next Play starts
    TTick startTick_ = 0;                                       // the clock when playing started
    std::array<std::array<std::uint8_t, 128>, 16> sounding_{};  // note-ons not yet ended, by channel and note
    std::array<bool, 16> sustain_{};
    std::deque<MIDIHDR> headers_;  // the System Exclusive blocks sent while the output is open
    // Blocks handed to the output and not yet reported sent; counted down on the output's thread.
    std::atomic<int> blocksInFlight_{0};
};

// Registers the unit's classes with the form reader (the unit's start-up row).
void RegisterMPlayerClasses();

}  // namespace zel
