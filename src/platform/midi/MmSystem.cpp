#include "platform/midi/MmSystem.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <deque>
#include <memory>
#include <mutex>
#include <new>
#include <string>
#include <unordered_set>
#include <vector>

#include "platform/midi/MidiBackend.h"
#include "platform/rtl/Clock.h"

namespace zel {

// ------------------------------------------------------------------------------------ error texts

namespace {

const char* ErrorText(MMRESULT err) {
    switch (err) {
        case MMSYSERR_NOERROR: return "The specified command was carried out.";
        case MMSYSERR_ERROR: return "Undefined external error.";
        case MMSYSERR_BADDEVICEID: return "A device ID has been used that is out of range for your system.";
        case MMSYSERR_NOTENABLED: return "The driver was not enabled.";
        case MMSYSERR_ALLOCATED:
            return "The specified device is already in use. Wait until it is free, and then try again.";
        case MMSYSERR_INVALHANDLE: return "The specified device handle is invalid.";
        case MMSYSERR_NODRIVER: return "There is no driver installed on your system.";
        case MMSYSERR_NOMEM:
            return "There is not enough memory available for this task. Quit one or more applications to increase "
                   "available memory, and then try again.";
        case MMSYSERR_NOTSUPPORTED:
            return "This function is not supported. Use the Capabilities function to determine which functions and "
                   "messages the driver supports.";
        case MMSYSERR_BADERRNUM: return "An error number was specified that is not defined in the system.";
        case MMSYSERR_INVALFLAG: return "An invalid flag was passed to a system function.";
        case MMSYSERR_INVALPARAM: return "An invalid parameter was passed to a system function.";
        case MMSYSERR_HANDLEBUSY: return "The handle is being used simultaneously on another thread (eg callback).";
        case MIDIERR_UNPREPARED:
            return "The header was not prepared. Use the Prepare function to prepare the header, and then try again.";
        case MIDIERR_STILLPLAYING:
            return "This operation cannot be performed while the device is still playing. Reset the device, or wait "
                   "until the data is finished playing, and then try again.";
        case MIDIERR_NOMAP:
            return "A MIDI map was not found. There may be a problem with the driver, or the MIDIMAP.CFG file may be "
                   "corrupt or missing.";
        case MIDIERR_NOTREADY:
            return "The port is transmitting data to the device. Wait until the data has been transmitted, and then "
                   "try again.";
        case MIDIERR_NODEVICE:
            return "The current MIDI Mapper setup refers to a MIDI device that is not installed on the system.";
        case MIDIERR_INVALIDSETUP:
            return "The current MIDI setup is damaged. Copy the original MIDIMAP.CFG file to the Windows SYSTEM "
                   "directory, and then try again.";
        case MIDIERR_BADOPENMODE:
            return "A MIDI call was made that is not valid in the current open mode. Reopen the device and try again.";
        case MIDIERR_DONT_CONTINUE: return "The MIDI device is not ready to continue.";
        default: return nullptr;
    }
}

MMRESULT CopyErrorText(MMRESULT err, char* text, UINT cch) {
    const char* s = ErrorText(err);
    if (s == nullptr) return MMSYSERR_BADERRNUM;
    if (text == nullptr || cch == 0) return MMSYSERR_INVALPARAM;
    std::size_t n = std::min<std::size_t>(std::strlen(s), cch - 1);
    std::memcpy(text, s, n);
    text[n] = '\0';
    return MMSYSERR_NOERROR;
}

void CopyName(char* dst, const std::string& name) {
    std::size_t n = std::min<std::size_t>(name.size(), MAXPNAMELEN - 1);
    std::memcpy(dst, name.data(), n);
    dst[n] = '\0';
}

// A device id resolves to the name its port had when the devices were last listed.
bool NameOf(const std::vector<std::string>& names, UINT id, std::string& name) {
    if (id >= names.size()) return false;
    name = names[id];
    return true;
}

}  // namespace

MMRESULT midiInGetErrorTextA(MMRESULT mmrError, char* pszText, UINT cchText) {
    return CopyErrorText(mmrError, pszText, cchText);
}

MMRESULT midiOutGetErrorTextA(MMRESULT mmrError, char* pszText, UINT cchText) {
    return CopyErrorText(mmrError, pszText, cchText);
}

// ------------------------------------------------------------------------------------------- input

struct TMidiInDevice : IMidiInputSink {
    std::uint32_t magic = 0;
    // Held while a message is handed to the client, so that reset and close wait for a running callback.
    std::recursive_mutex lock;
    std::deque<MIDIHDR*> queue;  // buffers added and not yet returned, oldest first
    bool started = false;
    TTick startTick = 0;
    MIDICALLBACK callback = nullptr;
    DWORD_PTR instance = 0;
    std::unique_ptr<IMidiInputPort> port;

    void Notify(UINT msg, DWORD_PTR p1, DWORD_PTR p2) {
        if (callback != nullptr) callback(this, msg, instance, p1, p2);
    }

    void MidiReceived(const BYTE* data, std::size_t length) override;
};

namespace {
constexpr std::uint32_t kInMagic = 0x4D494E44;   // "MIND"
constexpr std::uint32_t kOutMagic = 0x4D4F5544;  // "MOUD"

// The handles now open: a closed or made-up handle is refused without being looked into.
std::mutex gHandleLock;
std::unordered_set<const void*> gHandles;

void AddHandle(const void* h) {
    std::lock_guard<std::mutex> guard(gHandleLock);
    gHandles.insert(h);
}
void RemoveHandle(const void* h) {
    std::lock_guard<std::mutex> guard(gHandleLock);
    gHandles.erase(h);
}
bool IsHandle(const void* h) {
    std::lock_guard<std::mutex> guard(gHandleLock);
    return h != nullptr && gHandles.count(h) != 0;
}

TMidiInDevice* InDevice(HMIDIIN h) { return (IsHandle(h) && h->magic == kInMagic) ? h : nullptr; }

DWORD ElapsedSince(TTick start) {
    TTick now = GetTickCount();
    return static_cast<DWORD>(now >= start ? now - start : 0);
}

}  // namespace

void TMidiInDevice::MidiReceived(const BYTE* data, std::size_t length) {
    if (length == 0) return;
    std::lock_guard<std::recursive_mutex> guard(lock);
    if (!started) return;
    DWORD stamp = ElapsedSince(startTick);
    if (data[0] != 0xF0) {
        DWORD msg = data[0];
        if (length > 1) msg |= static_cast<DWORD>(data[1]) << 8;
        if (length > 2) msg |= static_cast<DWORD>(data[2]) << 16;
        Notify(MIM_DATA, msg, stamp);
        return;
    }
    // System Exclusive: fill the queued buffers in order, each returned as soon as it is full or the
    // message ends; what finds no buffer is reported as a long error without a header.
    std::size_t pos = 0;
    while (pos < length) {
        if (queue.empty()) {
            Notify(MIM_LONGERROR, 0, stamp);
            return;
        }
        MIDIHDR* hdr = queue.front();
        queue.pop_front();
        std::size_t n = std::min<std::size_t>(hdr->dwBufferLength, length - pos);
        std::memcpy(hdr->lpData, data + pos, n);
        pos += n;
        hdr->dwBytesRecorded = static_cast<DWORD>(n);
        hdr->dwFlags = (hdr->dwFlags & ~MHDR_INQUEUE) | MHDR_DONE;
        Notify(MIM_LONGDATA, reinterpret_cast<DWORD_PTR>(hdr), stamp);
    }
}

UINT midiInGetNumDevs() { return static_cast<UINT>(MidiBackend().InputNames().size()); }

MMRESULT midiInGetDevCapsA(UINT uDeviceID, MIDIINCAPSA* pmic, UINT cbmic) {
    if (pmic == nullptr || cbmic < sizeof(MIDIINCAPSA)) return MMSYSERR_INVALPARAM;
    std::string name;
    if (!NameOf(MidiBackend().InputNames(), uDeviceID, name)) return MMSYSERR_BADDEVICEID;
    *pmic = MIDIINCAPSA{};
    pmic->wMid = MM_ZELMOVI_MID;
    pmic->wPid = MM_ZELMOVI_PID;
    pmic->vDriverVersion = MM_ZELMOVI_DRIVER_VERSION;
    CopyName(pmic->szPname, name);
    return MMSYSERR_NOERROR;
}

MMRESULT midiInOpen(HMIDIIN* phmi, UINT uDeviceID, DWORD_PTR dwCallback, DWORD_PTR dwInstance, DWORD fdwOpen) {
    if (phmi == nullptr) return MMSYSERR_INVALPARAM;
    *phmi = nullptr;
    DWORD kind = fdwOpen & CALLBACK_TYPEMASK;
    if (kind != CALLBACK_FUNCTION && kind != CALLBACK_NULL) return MMSYSERR_INVALFLAG;
    std::string name;
    if (!NameOf(MidiBackend().InputNames(), uDeviceID, name)) return MMSYSERR_BADDEVICEID;
    auto dev = std::make_unique<TMidiInDevice>();
    dev->magic = kInMagic;
    if (kind == CALLBACK_FUNCTION) dev->callback = reinterpret_cast<MIDICALLBACK>(dwCallback);
    dev->instance = dwInstance;
    MMRESULT r = MidiBackend().OpenInput(name, *dev, dev->port);
    if (r != MMSYSERR_NOERROR) return r;
    *phmi = dev.release();
    AddHandle(*phmi);
    (*phmi)->Notify(MIM_OPEN, 0, 0);
    return MMSYSERR_NOERROR;
}

MMRESULT midiInStart(HMIDIIN hmi) {
    TMidiInDevice* d = InDevice(hmi);
    if (d == nullptr) return MMSYSERR_INVALHANDLE;
    std::lock_guard<std::recursive_mutex> guard(d->lock);
    if (!d->started) {
        d->started = true;
        d->startTick = GetTickCount();
    }
    return MMSYSERR_NOERROR;
}

MMRESULT midiInReset(HMIDIIN hmi) {
    TMidiInDevice* d = InDevice(hmi);
    if (d == nullptr) return MMSYSERR_INVALHANDLE;
    std::lock_guard<std::recursive_mutex> guard(d->lock);
    d->started = false;
    DWORD stamp = ElapsedSince(d->startTick);
    while (!d->queue.empty()) {
        MIDIHDR* hdr = d->queue.front();
        d->queue.pop_front();
        hdr->dwBytesRecorded = 0;
        hdr->dwFlags = (hdr->dwFlags & ~MHDR_INQUEUE) | MHDR_DONE;
        d->Notify(MIM_LONGDATA, reinterpret_cast<DWORD_PTR>(hdr), stamp);
    }
    return MMSYSERR_NOERROR;
}

MMRESULT midiInClose(HMIDIIN hmi) {
    TMidiInDevice* d = InDevice(hmi);
    if (d == nullptr) return MMSYSERR_INVALHANDLE;
    std::unique_ptr<IMidiInputPort> port;
    {
        std::lock_guard<std::recursive_mutex> guard(d->lock);
        if (!d->queue.empty()) return MIDIERR_STILLPLAYING;
        d->started = false;
        port = std::move(d->port);
    }
    port.reset();  // waits for a delivery in progress; none follows
    RemoveHandle(d);
    d->Notify(MIM_CLOSE, 0, 0);
    d->magic = 0;
    delete d;
    return MMSYSERR_NOERROR;
}

MMRESULT midiInPrepareHeader(HMIDIIN hmi, LPMIDIHDR pmh, UINT cbmh) {
    if (InDevice(hmi) == nullptr) return MMSYSERR_INVALHANDLE;
    if (pmh == nullptr || cbmh < sizeof(MIDIHDR) || pmh->lpData == nullptr || pmh->dwBufferLength == 0)
        return MMSYSERR_INVALPARAM;
    pmh->dwFlags |= MHDR_PREPARED;
    return MMSYSERR_NOERROR;
}

MMRESULT midiInUnprepareHeader(HMIDIIN hmi, LPMIDIHDR pmh, UINT cbmh) {
    if (InDevice(hmi) == nullptr) return MMSYSERR_INVALHANDLE;
    if (pmh == nullptr || cbmh < sizeof(MIDIHDR)) return MMSYSERR_INVALPARAM;
    if ((pmh->dwFlags & MHDR_INQUEUE) != 0) return MIDIERR_STILLPLAYING;
    pmh->dwFlags &= ~MHDR_PREPARED;
    return MMSYSERR_NOERROR;
}

MMRESULT midiInAddBuffer(HMIDIIN hmi, LPMIDIHDR pmh, UINT cbmh) {
    TMidiInDevice* d = InDevice(hmi);
    if (d == nullptr) return MMSYSERR_INVALHANDLE;
    if (pmh == nullptr || cbmh < sizeof(MIDIHDR) || pmh->lpData == nullptr || pmh->dwBufferLength == 0)
        return MMSYSERR_INVALPARAM;
    if ((pmh->dwFlags & MHDR_PREPARED) == 0) return MIDIERR_UNPREPARED;
    std::lock_guard<std::recursive_mutex> guard(d->lock);
    if ((pmh->dwFlags & MHDR_INQUEUE) != 0) return MIDIERR_STILLPLAYING;
    pmh->dwFlags = (pmh->dwFlags | MHDR_INQUEUE) & ~MHDR_DONE;
    pmh->dwBytesRecorded = 0;
    d->queue.push_back(pmh);
    return MMSYSERR_NOERROR;
}

// ------------------------------------------------------------------------------------------ output

struct TMidiOutDevice {
    std::uint32_t magic = 0;
    // Held while a block is reported done, so that close waits for a running callback.
    std::recursive_mutex lock;
    std::vector<MIDIHDR*> pending;  // blocks queued and not yet reported done
    MIDICALLBACK callback = nullptr;
    DWORD_PTR instance = 0;
    std::unique_ptr<IMidiOutputPort> port;

    void Notify(UINT msg, DWORD_PTR p1, DWORD_PTR p2) {
        if (callback != nullptr) callback(this, msg, instance, p1, p2);
    }

    void Done(std::uint64_t token) {
        std::lock_guard<std::recursive_mutex> guard(lock);
        auto* hdr = reinterpret_cast<MIDIHDR*>(static_cast<std::uintptr_t>(token));
        auto it = std::find(pending.begin(), pending.end(), hdr);
        if (it == pending.end()) return;
        pending.erase(it);
        hdr->dwFlags = (hdr->dwFlags & ~MHDR_INQUEUE) | MHDR_DONE;
        Notify(MOM_DONE, reinterpret_cast<DWORD_PTR>(hdr), 0);
    }
};

namespace {
TMidiOutDevice* OutDevice(HMIDIOUT h) { return (IsHandle(h) && h->magic == kOutMagic) ? h : nullptr; }
}  // namespace

UINT midiOutGetNumDevs() { return static_cast<UINT>(MidiBackend().OutputNames().size()); }

MMRESULT midiOutGetDevCapsA(UINT uDeviceID, MIDIOUTCAPSA* pmoc, UINT cbmoc) {
    if (pmoc == nullptr || cbmoc < sizeof(MIDIOUTCAPSA)) return MMSYSERR_INVALPARAM;
    *pmoc = MIDIOUTCAPSA{};
    pmoc->wMid = MM_ZELMOVI_MID;
    pmoc->wPid = MM_ZELMOVI_PID;
    pmoc->vDriverVersion = MM_ZELMOVI_DRIVER_VERSION;
    pmoc->wChannelMask = 0xFFFF;
    if (uDeviceID == MIDI_MAPPER) {
        CopyName(pmoc->szPname, MidiMapperName);
        pmoc->wTechnology = MOD_MAPPER;
        return MMSYSERR_NOERROR;
    }
    std::string name;
    if (!NameOf(MidiBackend().OutputNames(), uDeviceID, name)) return MMSYSERR_BADDEVICEID;
    CopyName(pmoc->szPname, name);
    pmoc->wTechnology = MOD_MIDIPORT;
    return MMSYSERR_NOERROR;
}

MMRESULT midiOutOpen(HMIDIOUT* phmo, UINT uDeviceID, DWORD_PTR dwCallback, DWORD_PTR dwInstance, DWORD fdwOpen) {
    if (phmo == nullptr) return MMSYSERR_INVALPARAM;
    *phmo = nullptr;
    DWORD kind = fdwOpen & CALLBACK_TYPEMASK;
    if (kind != CALLBACK_FUNCTION && kind != CALLBACK_NULL) return MMSYSERR_INVALFLAG;
    std::vector<std::string> names = MidiBackend().OutputNames();
    std::string name;
    if (uDeviceID == MIDI_MAPPER) {
        // The mapper plays through the first output device.
        if (names.empty()) return MIDIERR_NODEVICE;
        name = names[0];
    } else if (!NameOf(names, uDeviceID, name)) {
        return MMSYSERR_BADDEVICEID;
    }
    auto dev = std::make_unique<TMidiOutDevice>();
    dev->magic = kOutMagic;
    if (kind == CALLBACK_FUNCTION) dev->callback = reinterpret_cast<MIDICALLBACK>(dwCallback);
    dev->instance = dwInstance;
    MMRESULT r = MidiBackend().OpenOutput(name, dev->port);
    if (r != MMSYSERR_NOERROR) return r;
    *phmo = dev.release();
    AddHandle(*phmo);
    (*phmo)->Notify(MOM_OPEN, 0, 0);
    return MMSYSERR_NOERROR;
}

MMRESULT midiOutReset(HMIDIOUT hmo) {
    TMidiOutDevice* d = OutDevice(hmo);
    if (d == nullptr) return MMSYSERR_INVALHANDLE;
    // Not under the device lock: the port's sender may be reporting a block done right now.
    d->port->CancelPending();
    return MMSYSERR_NOERROR;
}

MMRESULT midiOutClose(HMIDIOUT hmo) {
    TMidiOutDevice* d = OutDevice(hmo);
    if (d == nullptr) return MMSYSERR_INVALHANDLE;
    std::unique_ptr<IMidiOutputPort> port;
    {
        std::lock_guard<std::recursive_mutex> guard(d->lock);
        if (!d->pending.empty()) return MIDIERR_STILLPLAYING;
        port = std::move(d->port);
    }
    port.reset();
    RemoveHandle(d);
    d->Notify(MOM_CLOSE, 0, 0);
    d->magic = 0;
    delete d;
    return MMSYSERR_NOERROR;
}

MMRESULT midiOutShortMsg(HMIDIOUT hmo, DWORD dwMsg) {
    TMidiOutDevice* d = OutDevice(hmo);
    if (d == nullptr) return MMSYSERR_INVALHANDLE;
    BYTE bytes[3] = {static_cast<BYTE>(dwMsg & 0xFF), static_cast<BYTE>((dwMsg >> 8) & 0xFF),
                     static_cast<BYTE>((dwMsg >> 16) & 0xFF)};
    BYTE status = bytes[0];
    if (status < 0x80 || status == 0xF0 || status == 0xF7) return MMSYSERR_INVALPARAM;
    std::size_t length = 3;
    if ((status >= 0xC0 && status <= 0xDF) || status == 0xF1 || status == 0xF3) length = 2;
    else if (status >= 0xF4) length = 1;  // tune request and the real-time messages (F2 has 3)
    if (status == 0xF2) length = 3;
    return d->port->SendShort(bytes, length);
}

MMRESULT midiOutPrepareHeader(HMIDIOUT hmo, LPMIDIHDR pmh, UINT cbmh) {
    if (OutDevice(hmo) == nullptr) return MMSYSERR_INVALHANDLE;
    if (pmh == nullptr || cbmh < sizeof(MIDIHDR) || pmh->lpData == nullptr) return MMSYSERR_INVALPARAM;
    pmh->dwFlags |= MHDR_PREPARED;
    return MMSYSERR_NOERROR;
}

MMRESULT midiOutUnprepareHeader(HMIDIOUT hmo, LPMIDIHDR pmh, UINT cbmh) {
    if (OutDevice(hmo) == nullptr) return MMSYSERR_INVALHANDLE;
    if (pmh == nullptr || cbmh < sizeof(MIDIHDR)) return MMSYSERR_INVALPARAM;
    if ((pmh->dwFlags & MHDR_INQUEUE) != 0) return MIDIERR_STILLPLAYING;
    pmh->dwFlags &= ~MHDR_PREPARED;
    return MMSYSERR_NOERROR;
}

MMRESULT midiOutLongMsg(HMIDIOUT hmo, LPMIDIHDR pmh, UINT cbmh) {
    TMidiOutDevice* d = OutDevice(hmo);
    if (d == nullptr) return MMSYSERR_INVALHANDLE;
    if (pmh == nullptr || cbmh < sizeof(MIDIHDR) || pmh->lpData == nullptr) return MMSYSERR_INVALPARAM;
    if ((pmh->dwFlags & MHDR_PREPARED) == 0) return MIDIERR_UNPREPARED;
    {
        std::lock_guard<std::recursive_mutex> guard(d->lock);
        if ((pmh->dwFlags & MHDR_INQUEUE) != 0) return MIDIERR_STILLPLAYING;
        pmh->dwFlags = (pmh->dwFlags | MHDR_INQUEUE) & ~MHDR_DONE;
        d->pending.push_back(pmh);
    }
    auto token = static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(pmh));
    MMRESULT r = d->port->SendLong(reinterpret_cast<const BYTE*>(pmh->lpData), pmh->dwBufferLength, token,
                                   [d](std::uint64_t t) { d->Done(t); });
    if (r != MMSYSERR_NOERROR) {
        std::lock_guard<std::recursive_mutex> guard(d->lock);
        auto it = std::find(d->pending.begin(), d->pending.end(), pmh);
        if (it != d->pending.end()) d->pending.erase(it);
        pmh->dwFlags &= ~MHDR_INQUEUE;
    }
    return r;
}

}  // namespace zel
