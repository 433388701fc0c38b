#pragma once
// MIDI ports for the benchmarks: they take every message and keep only how many came and their bytes.
#include <cstddef>
#include <cstdint>

#include "model/ModelServices.h"

namespace zel {

class TCountingPorts : public IMidiPorts {
public:
    bool OutputOpen() const override { return true; }
    void PutLong(const std::uint8_t*, std::size_t size) override {
        ++Messages;
        Bytes += size;
    }
    void PutShort(std::uint8_t, std::uint8_t, std::uint8_t) override {}
    void CloseDevs() override {}
    void OpenDevs() override {}
    void InstallInputHandler(TNotifyEvent) override {}
    long long Messages = 0;
    std::size_t Bytes = 0;
};

}  // namespace zel
