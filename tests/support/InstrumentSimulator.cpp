#include "support/InstrumentSimulator.h"

#include <algorithm>

#include "platform/rtl/Clock.h"

namespace zel::test {

std::uint32_t AddressToLinear(std::uint32_t a) {
    return (((a >> 24) & 0x7F) << 21) | (((a >> 16) & 0x7F) << 14) | (((a >> 8) & 0x7F) << 7) | (a & 0x7F);
}

std::uint32_t LinearToAddress(std::uint32_t l) {
    return (((l >> 21) & 0x7F) << 24) | (((l >> 14) & 0x7F) << 16) | (((l >> 7) & 0x7F) << 8) | (l & 0x7F);
}

std::uint8_t RolandChecksumOf(const std::uint8_t* bytes, std::size_t count) {
    unsigned sum = 0;
    for (std::size_t i = 0; i < count; ++i) sum += bytes[i];
    return static_cast<std::uint8_t>((128 - (sum % 128)) % 128);
}

TBytes MakeRolandMessage(std::uint8_t device, std::uint8_t command, std::uint32_t address, const TBytes& data) {
    TBytes m;
    m.reserve(data.size() + 11);
    for (std::uint8_t b : {std::uint8_t{0xF0}, std::uint8_t{0x41}, device, std::uint8_t{0x6A}, command,
                           static_cast<std::uint8_t>(address >> 24), static_cast<std::uint8_t>(address >> 16),
                           static_cast<std::uint8_t>(address >> 8), static_cast<std::uint8_t>(address)})
        m.push_back(b);
    for (std::uint8_t b : data) m.push_back(b);
    m.push_back(RolandChecksumOf(m.data() + 5, m.size() - 5));
    m.push_back(0xF7);
    return m;
}

TBytes MakeDataRequest(std::uint8_t device, std::uint32_t address, std::uint32_t size) {
    return MakeRolandMessage(device, 0x11, address,
                             {static_cast<std::uint8_t>(size >> 24), static_cast<std::uint8_t>(size >> 16),
                              static_cast<std::uint8_t>(size >> 8), static_cast<std::uint8_t>(size)});
}

namespace {

using TBlock = TInstrumentSimulator::TBlock;

// The sub-blocks of one element at its base address.
void AddPatch(std::vector<TBlock>& v, std::uint32_t base) {
    v.push_back({base, 72});
    for (std::uint32_t t = 0; t < 4; ++t) v.push_back({base + 0x1000 + t * 0x0200, 129});
}
void AddPerformance(std::vector<TBlock>& v, std::uint32_t base) {
    v.push_back({base, 64});
    for (std::uint32_t p = 1; p <= 16; ++p) v.push_back({base + ((0x0F + p) << 8), 19});
}
void AddRhythm(std::vector<TBlock>& v, std::uint32_t base) {
    v.push_back({base, 12});
    for (std::uint32_t k = 35; k <= 98; ++k) v.push_back({base + (k << 8), 58});
}

std::vector<TBlock> MakeMap() {
    std::vector<TBlock> v;
    v.push_back({Addr(0x00, 0x00, 0x00, 0x00), 40});  // system common
    for (std::uint32_t i = 1; i <= 17; ++i) v.push_back({Addr(0x00, 0x00, static_cast<std::uint8_t>(0x0F + i), 0), 12});
    AddPerformance(v, Addr(0x01, 0x00, 0x00, 0x00));
    AddRhythm(v, Addr(0x02, 0x09, 0x00, 0x00));
    AddPatch(v, Addr(0x03, 0x00, 0x00, 0x00));
    for (std::uint8_t area : {std::uint8_t{0x10}, std::uint8_t{0x20}}) {  // user, card
        for (std::uint8_t n = 0; n < 32; ++n) AddPerformance(v, Addr(area, n, 0, 0));
        for (std::uint8_t n = 0; n < 2; ++n) AddRhythm(v, Addr(area, static_cast<std::uint8_t>(0x40 + n), 0, 0));
        for (std::uint8_t n = 0; n < 128; ++n) AddPatch(v, Addr(static_cast<std::uint8_t>(area + 1), n, 0, 0));
    }
    std::sort(v.begin(), v.end(),
              [](const TBlock& a, const TBlock& b) { return AddressToLinear(a.Address) < AddressToLinear(b.Address); });
    return v;
}

}  // namespace

const std::vector<TInstrumentSimulator::TBlock>& TInstrumentSimulator::Blocks() {
    static const std::vector<TBlock> blocks = MakeMap();
    return blocks;
}

TInstrumentSimulator::TInstrumentSimulator(std::uint8_t deviceByte) : DeviceByte(deviceByte) {
    for (const TBlock& b : Blocks()) memory_[AddressToLinear(b.Address)] = TBytes(b.Size, 0);
    Schedule = [](std::uint32_t ms, std::function<void()> fn) { ClockTimers().Add(ms, false, std::move(fn)); };
}

std::uint8_t* TInstrumentSimulator::Locate(std::uint32_t linear) {
    auto it = memory_.upper_bound(linear);
    if (it == memory_.begin()) return nullptr;
    --it;
    std::uint32_t offset = linear - it->first;
    return offset < it->second.size() ? it->second.data() + offset : nullptr;
}

const std::uint8_t* TInstrumentSimulator::Locate(std::uint32_t linear) const {
    return const_cast<TInstrumentSimulator*>(this)->Locate(linear);
}

bool TInstrumentSimulator::IsMapped(std::uint32_t address) {
    static const TInstrumentSimulator probe;
    return probe.Locate(AddressToLinear(address)) != nullptr;
}

std::uint8_t TInstrumentSimulator::Peek(std::uint32_t address) const {
    std::lock_guard<std::recursive_mutex> guard(lock_);
    const std::uint8_t* p = Locate(AddressToLinear(address));
    return p != nullptr ? *p : 0;
}

void TInstrumentSimulator::Poke(std::uint32_t address, std::uint8_t value) {
    std::lock_guard<std::recursive_mutex> guard(lock_);
    if (std::uint8_t* p = Locate(AddressToLinear(address))) *p = value;
}

TBytes TInstrumentSimulator::Read(std::uint32_t address, std::size_t count) const {
    std::lock_guard<std::recursive_mutex> guard(lock_);
    TBytes out;
    std::uint32_t linear = AddressToLinear(address);
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint8_t* p = Locate(linear + static_cast<std::uint32_t>(i));
        out.push_back(p != nullptr ? *p : 0);
    }
    return out;
}

void TInstrumentSimulator::Write(std::uint32_t address, const TBytes& bytes) {
    std::lock_guard<std::recursive_mutex> guard(lock_);
    std::uint32_t linear = AddressToLinear(address);
    for (std::size_t i = 0; i < bytes.size(); ++i)
        if (std::uint8_t* p = Locate(linear + static_cast<std::uint32_t>(i))) *p = bytes[i];
}

void TInstrumentSimulator::Receive(const std::uint8_t* data, std::size_t length) {
    std::lock_guard<std::recursive_mutex> guard(lock_);
    received_.emplace_back(data, data + length);
    // A Roland message for this model and device: F0 41 dev 6A cmd a3 a2 a1 a0 ... sum F7.
    bool roland = length >= 12 && data[0] == 0xF0 && data[1] == 0x41 && data[3] == 0x6A && data[length - 1] == 0xF7;
    if (!roland || data[2] != DeviceByte || RolandChecksumOf(data + 5, length - 7) != data[length - 2]) {
        ++ignored_;
        return;
    }
    if (data[4] == 0x12) HandleDataSet(data, length);
    else if (data[4] == 0x11 && length == 15) HandleRequest(data, length);
    else ++ignored_;
}

void TInstrumentSimulator::HandleDataSet(const std::uint8_t* data, std::size_t length) {
    std::uint32_t address = Addr(data[5], data[6], data[7], data[8]);
    TBytes bytes(data + 9, data + length - 2);
    Write(address, bytes);
    ++dataSets_;
    if (AfterDataSet) AfterDataSet(address, bytes);
}

void TInstrumentSimulator::HandleRequest(const std::uint8_t* data, std::size_t /*length*/) {
    std::uint32_t start = AddressToLinear(Addr(data[5], data[6], data[7], data[8]));
    std::uint32_t size = AddressToLinear(Addr(data[9], data[10], data[11], data[12]));
    std::uint32_t end = start + size;
    std::vector<TBytes> replies;
    for (const auto& [blockStart, bytes] : memory_) {
        std::uint32_t blockEnd = blockStart + static_cast<std::uint32_t>(bytes.size());
        std::uint32_t from = std::max(start, blockStart), to = std::min(end, blockEnd);
        if (from >= to) continue;
        replies.push_back(MakeDataSet(DeviceByte, LinearToAddress(from),
                                      TBytes(bytes.begin() + (from - blockStart), bytes.begin() + (to - blockStart))));
    }
    ++requests_;
    const bool cardMemory = data[5] >= 0x20;
    if (Silent || replies.empty() || (NoCard && cardMemory)) return;
    if (AnswerTwice) {
        std::size_t n = replies.size();
        for (std::size_t i = 0; i < n; ++i) replies.push_back(replies[i]);
    }
    if (ReplyDelayMs > 0 && Schedule) {
        Schedule(ReplyDelayMs, [this, replies]() mutable { SendReplies(std::move(replies)); });
    } else {
        SendReplies(std::move(replies));
    }
}

void TInstrumentSimulator::SendReplies(std::vector<TBytes> replies) {
    std::lock_guard<std::recursive_mutex> guard(lock_);
    if (fault_ == TReplyFault::TenTimesSlower && Schedule) {
        // Each reply leaves once the slow wire has carried it, after the one before.
        const std::uint32_t now = static_cast<std::uint32_t>(GetTickCount());
        std::uint32_t at = std::max(now, slowUntilMs_);
        for (TBytes& reply : replies) {
            at += 10 * WireMs(reply.size());
            Schedule(at - now, [this, reply]() {
                std::lock_guard<std::recursive_mutex> inner(lock_);
                SendFaulty(reply);
            });
        }
        slowUntilMs_ = at;
        return;
    }
    for (TBytes& reply : replies) {
        if (corruptCountdown_ > 0 && --corruptCountdown_ == 0)
            reply[reply.size() - 2] = static_cast<std::uint8_t>((reply[reply.size() - 2] + 1) & 0x7F);
        SendFaulty(std::move(reply));
        if (interjectCountdown_ > 0 && --interjectCountdown_ == 0) Emit(interject_);
    }
}

const char* ReplyFaultName(TReplyFault fault) {
    switch (fault) {
        case TReplyFault::None: return "Sound";
        case TReplyFault::BadChecksumOnce: return "BadChecksumOnce";
        case TReplyFault::BadChecksumAlways: return "BadChecksumAlways";
        case TReplyFault::OneByteShort: return "OneByteShort";
        case TReplyFault::OneByteLongAtEnd: return "OneByteLongAtEnd";
        case TReplyFault::ByteInsertedInData: return "ByteInsertedInData";
        case TReplyFault::OtherAddress: return "OtherAddress";
        case TReplyFault::EveryReplyTwice: return "EveryReplyTwice";
        case TReplyFault::SilentAfterHalf: return "SilentAfterHalf";
        case TReplyFault::TenTimesSlower: return "TenTimesSlower";
        case TReplyFault::RealTimeInterleaved: return "RealTimeInterleaved";
        case TReplyFault::HugeSysex: return "HugeSysex";
        case TReplyFault::UnterminatedSysex: return "UnterminatedSysex";
        case TReplyFault::RandomBytes: return "RandomBytes";
    }
    return "";
}

namespace {

// The checksum of a data set made to fit its address and data bytes again.
void RefreshChecksum(TBytes& m) { m[m.size() - 2] = RolandChecksumOf(m.data() + 5, m.size() - 7); }

}  // namespace

void TInstrumentSimulator::SendFaulty(TBytes reply) {
    const int number = ++repliesAnswered_;
    const bool strikesNow = number == faultAt_;
    const std::size_t dataSize = reply.size() - 11;
    switch (fault_) {
        case TReplyFault::BadChecksumOnce:
            if (strikesNow) reply[reply.size() - 2] = static_cast<std::uint8_t>((reply[reply.size() - 2] + 1) & 0x7F);
            break;
        case TReplyFault::BadChecksumAlways:
            reply[reply.size() - 2] = static_cast<std::uint8_t>((reply[reply.size() - 2] + 1) & 0x7F);
            break;
        case TReplyFault::OneByteShort:
            reply.erase(reply.end() - 3);
            RefreshChecksum(reply);
            break;
        case TReplyFault::OneByteLongAtEnd: reply.insert(reply.end() - 2, std::uint8_t{0}); break;
        case TReplyFault::ByteInsertedInData:
            reply.insert(reply.begin() + static_cast<long>(9 + dataSize / 2), std::uint8_t{0});
            break;
        case TReplyFault::OtherAddress:
            reply[8] = static_cast<std::uint8_t>((reply[8] + 1) & 0x7F);
            RefreshChecksum(reply);
            break;
        case TReplyFault::SilentAfterHalf:
            if (number > faultAt_) return;
            break;
        case TReplyFault::HugeSysex:
            if (strikesNow) {
                TBytes huge(65536, 0x55);
                huge[0] = 0xF0;
                huge[1] = 0x7D;  // for non-commercial use: no maker's
                huge.back() = 0xF7;
                Emit(huge);
            }
            break;
        case TReplyFault::UnterminatedSysex:
            if (strikesNow) Emit(TBytes(reply.begin(), reply.begin() + static_cast<long>(reply.size() / 2)));
            break;
        case TReplyFault::RandomBytes:
            if (strikesNow) {
                TBytes noise;
                unsigned x = 0x2545F491u;
                for (int i = 0; i < 40; ++i) {
                    x = x * 1103515245u + 12345u;
                    noise.push_back(static_cast<std::uint8_t>(x >> 16));
                }
                Emit(noise);
            }
            break;
        default: break;
    }
    Emit(reply);
    if (fault_ == TReplyFault::EveryReplyTwice) Emit(reply);
    if (fault_ == TReplyFault::RealTimeInterleaved)
        for (const TBytes& m : {TBytes{0x90, 0x3C, 0x40}, TBytes{0xFE}, TBytes{0xF8}, TBytes{0x80, 0x3C, 0x40}})
            Emit(m);
}

void TInstrumentSimulator::Emit(const TBytes& message) {
    sent_.push_back(message);
    if (Transmit) Transmit(message);
}

std::vector<TBytes> TInstrumentSimulator::ReceivedMessages() const {
    std::lock_guard<std::recursive_mutex> guard(lock_);
    return received_;
}
std::vector<TBytes> TInstrumentSimulator::SentMessages() const {
    std::lock_guard<std::recursive_mutex> guard(lock_);
    return sent_;
}
int TInstrumentSimulator::DataSetsApplied() const {
    std::lock_guard<std::recursive_mutex> guard(lock_);
    return dataSets_;
}
int TInstrumentSimulator::RequestsReceived() const {
    std::lock_guard<std::recursive_mutex> guard(lock_);
    return requests_;
}
int TInstrumentSimulator::IgnoredMessages() const {
    std::lock_guard<std::recursive_mutex> guard(lock_);
    return ignored_;
}
void TInstrumentSimulator::ClearLog() {
    std::lock_guard<std::recursive_mutex> guard(lock_);
    received_.clear();
    sent_.clear();
    dataSets_ = requests_ = ignored_ = 0;
}

void TInstrumentSimulator::AttachInProcess(TInProcessMidiBackend& backend, const std::string& portName) {
    backend.AddInput(portName);
    backend.AddOutput(portName, [this](const std::uint8_t* data, std::size_t length) { Receive(data, length); });
    Transmit = [&backend, portName](const TBytes& message) { backend.Inject(portName, message); };
}

}  // namespace zel::test
