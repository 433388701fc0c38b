#pragma once
// The winmm-shaped MIDI services: device lists and capabilities, input with a callback on a foreign
// thread and System Exclusive buffers, output of short messages and System Exclusive blocks, the
// error texts, and the global-memory allocator that the driver buffers come from.
//
// The devices are the ports of a MIDI back end (MidiBackend.h): RtMidi over the ALSA sequencer or JACK
// in the program, an in-process back end in tests. With no MIDI system at all both device counts are 0.
#include <cstddef>
#include <cstdint>

#include "platform/rtl/GlobalMemory.h"
#include "platform/win/WinTypes.h"

namespace zel {

using DWORD_PTR = std::uintptr_t;
using MMRESULT = UINT;
using LPSTR = char*;

// ------------------------------------------------------------------------------------ result codes
constexpr MMRESULT MMSYSERR_NOERROR = 0;
constexpr MMRESULT MMSYSERR_BASE = 0;
constexpr MMRESULT MMSYSERR_ERROR = 1;
constexpr MMRESULT MMSYSERR_BADDEVICEID = 2;
constexpr MMRESULT MMSYSERR_NOTENABLED = 3;
constexpr MMRESULT MMSYSERR_ALLOCATED = 4;
constexpr MMRESULT MMSYSERR_INVALHANDLE = 5;
constexpr MMRESULT MMSYSERR_NODRIVER = 6;
constexpr MMRESULT MMSYSERR_NOMEM = 7;
constexpr MMRESULT MMSYSERR_NOTSUPPORTED = 8;
constexpr MMRESULT MMSYSERR_BADERRNUM = 9;
constexpr MMRESULT MMSYSERR_INVALFLAG = 10;
constexpr MMRESULT MMSYSERR_INVALPARAM = 11;
constexpr MMRESULT MMSYSERR_HANDLEBUSY = 12;
constexpr MMRESULT MMSYSERR_LASTERROR = 12;
constexpr MMRESULT MIDIERR_BASE = 64;
constexpr MMRESULT MIDIERR_UNPREPARED = 64;
constexpr MMRESULT MIDIERR_STILLPLAYING = 65;
constexpr MMRESULT MIDIERR_NOMAP = 66;
constexpr MMRESULT MIDIERR_NOTREADY = 67;
constexpr MMRESULT MIDIERR_NODEVICE = 68;
constexpr MMRESULT MIDIERR_INVALIDSETUP = 69;
constexpr MMRESULT MIDIERR_BADOPENMODE = 70;
constexpr MMRESULT MIDIERR_DONT_CONTINUE = 71;
constexpr MMRESULT MIDIERR_LASTERROR = 71;

// Length of the error-text buffers the callers pass, and of a device name with its terminating zero.
constexpr UINT MAXERRORLENGTH = 128;
constexpr UINT MAXPNAMELEN = 32;

// ---------------------------------------------------------------------------- callback messages
constexpr UINT MIM_OPEN = 0x3C1;
constexpr UINT MIM_CLOSE = 0x3C2;
constexpr UINT MIM_DATA = 0x3C3;
constexpr UINT MIM_LONGDATA = 0x3C4;
constexpr UINT MIM_ERROR = 0x3C5;
constexpr UINT MIM_LONGERROR = 0x3C6;
constexpr UINT MOM_OPEN = 0x3C7;
constexpr UINT MOM_CLOSE = 0x3C8;
constexpr UINT MOM_DONE = 0x3C9;

// Open flags: how the device reports to its client. Only the callback function is supported.
constexpr DWORD CALLBACK_NULL = 0x00000000;
constexpr DWORD CALLBACK_FUNCTION = 0x00030000;
constexpr DWORD CALLBACK_TYPEMASK = 0x00070000;

// The MIDI mapper: output device -1, which plays through output device 0.
constexpr UINT MIDI_MAPPER = 0xFFFFFFFFu;
inline constexpr const char* MidiMapperName = "MIDI Mapper";

// Header flags.
constexpr DWORD MHDR_DONE = 0x00000001;
constexpr DWORD MHDR_PREPARED = 0x00000002;
constexpr DWORD MHDR_INQUEUE = 0x00000004;

// ------------------------------------------------------------------------------------ structures
// A System Exclusive buffer handed to the driver. The driver owns it from AddBuffer / LongMsg until it
// reports it done.
struct MIDIHDR {
    LPSTR lpData = nullptr;
    DWORD dwBufferLength = 0;
    DWORD dwBytesRecorded = 0;
    DWORD_PTR dwUser = 0;
    DWORD dwFlags = 0;
    MIDIHDR* lpNext = nullptr;
    DWORD_PTR reserved = 0;
    DWORD dwOffset = 0;
    DWORD_PTR dwReserved[8] = {};
};
using LPMIDIHDR = MIDIHDR*;

struct MIDIINCAPSA {
    WORD wMid = 0;
    WORD wPid = 0;
    DWORD vDriverVersion = 0;
    char szPname[MAXPNAMELEN] = {};
    DWORD dwSupport = 0;
};

// wTechnology values.
constexpr WORD MOD_MIDIPORT = 1;
constexpr WORD MOD_SYNTH = 2;
constexpr WORD MOD_MAPPER = 5;

struct MIDIOUTCAPSA {
    WORD wMid = 0;
    WORD wPid = 0;
    DWORD vDriverVersion = 0;
    char szPname[MAXPNAMELEN] = {};
    WORD wTechnology = 0;
    WORD wVoices = 0;
    WORD wNotes = 0;
    WORD wChannelMask = 0;
    DWORD dwSupport = 0;
};

// Manufacturer and product identifiers and the driver version that this layer reports.
constexpr WORD MM_ZELMOVI_MID = 0xFF;
constexpr WORD MM_ZELMOVI_PID = 1;
constexpr DWORD MM_ZELMOVI_DRIVER_VERSION = 0x0500;

struct TMidiInDevice;
struct TMidiOutDevice;
using HMIDIIN = TMidiInDevice*;
using HMIDIOUT = TMidiOutDevice*;

// The client's callback: runs on the driver's thread (for an in-process test back end, on the thread
// that delivered the bytes). dwParam1 and dwParam2 as the message says: MIM_DATA the packed short
// message and the time in ms since midiInStart; MIM_LONGDATA / MIM_LONGERROR the header (0 when no
// buffer was free) and the time; MOM_DONE the header.
using MIDICALLBACK = void (*)(void* hDevice, UINT wMsg, DWORD_PTR dwInstance, DWORD_PTR dwParam1, DWORD_PTR dwParam2);

// ---------------------------------------------------------------------------------------- input
UINT midiInGetNumDevs();
MMRESULT midiInGetDevCapsA(UINT uDeviceID, MIDIINCAPSA* pmic, UINT cbmic);
MMRESULT midiInOpen(HMIDIIN* phmi, UINT uDeviceID, DWORD_PTR dwCallback, DWORD_PTR dwInstance, DWORD fdwOpen);
MMRESULT midiInClose(HMIDIIN hmi);
MMRESULT midiInStart(HMIDIIN hmi);
// Stops input and returns every queued buffer as done (MIM_LONGDATA with no bytes recorded). When it
// returns no callback for this device is running or will run until the next midiInStart.
MMRESULT midiInReset(HMIDIIN hmi);
MMRESULT midiInPrepareHeader(HMIDIIN hmi, LPMIDIHDR pmh, UINT cbmh);
MMRESULT midiInUnprepareHeader(HMIDIIN hmi, LPMIDIHDR pmh, UINT cbmh);
MMRESULT midiInAddBuffer(HMIDIIN hmi, LPMIDIHDR pmh, UINT cbmh);
MMRESULT midiInGetErrorTextA(MMRESULT mmrError, char* pszText, UINT cchText);

// --------------------------------------------------------------------------------------- output
UINT midiOutGetNumDevs();
MMRESULT midiOutGetDevCapsA(UINT uDeviceID, MIDIOUTCAPSA* pmoc, UINT cbmoc);
MMRESULT midiOutOpen(HMIDIOUT* phmo, UINT uDeviceID, DWORD_PTR dwCallback, DWORD_PTR dwInstance, DWORD fdwOpen);
// Refused with MIDIERR_STILLPLAYING while System Exclusive blocks are queued: reset first.
MMRESULT midiOutClose(HMIDIOUT hmo);
// Returns every queued block not yet sent as done (MOM_DONE); when it returns no callback runs.
MMRESULT midiOutReset(HMIDIOUT hmo);
MMRESULT midiOutShortMsg(HMIDIOUT hmo, DWORD dwMsg);
MMRESULT midiOutPrepareHeader(HMIDIOUT hmo, LPMIDIHDR pmh, UINT cbmh);
MMRESULT midiOutUnprepareHeader(HMIDIOUT hmo, LPMIDIHDR pmh, UINT cbmh);
// Queues a block and returns at once; MOM_DONE reports it sent.
MMRESULT midiOutLongMsg(HMIDIOUT hmo, LPMIDIHDR pmh, UINT cbmh);
MMRESULT midiOutGetErrorTextA(MMRESULT mmrError, char* pszText, UINT cchText);

}  // namespace zel
