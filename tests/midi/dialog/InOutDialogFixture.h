#pragma once
// The fixture of the port dialog tests: a fresh settings holder and settings folder, and the in-process
// MIDI back end with the instrument simulator on "JV-1080" and a second port pair "Keyboard".
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "midi/dialog/Uemidiio.h"
#include "platform/midi/MidiBackend.h"
#include "support/InstrumentSimulator.h"
#include "support/TempDir.h"
#include "support/vcl/VclTestSupport.h"

namespace zel::test {

class EnvScope {
public:
    EnvScope(const char* name, const std::string& value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old, had_ = true;
        ::setenv(name, value.c_str(), 1);
    }
    ~EnvScope() {
        if (had_) ::setenv(name_, old_.c_str(), 1);
        else ::unsetenv(name_);
    }

private:
    const char* name_;
    std::string old_;
    bool had_ = false;
};

class InOutDialog : public VclTest {
protected:
    void SetUp() override {
        VclTest::SetUp();
        savedHolder_ = ZelmoHolder;
        ZelmoHolder = &Holder;
        savedDefault_ = ModelServices().DefaultMidiInput;
        DevicesOpen = 0;
    }
    void TearDown() override {
        form.reset();
        ProcessPendingMessages();
        SetMidiBackendForTests(nullptr);
        ZelmoHolder = savedHolder_;
        ModelServices().DefaultMidiInput = savedDefault_;
        DevicesOpen = 0;
        VclTest::TearDown();
    }
    // The simulator on "JV-1080" (input and output) and a second pair "Keyboard".
    void TwoPorts() {
        Sim.AttachInProcess(Backend, "JV-1080");
        Backend.AddInput("Keyboard");
        Backend.AddOutput("Keyboard", [this](const BYTE* d, std::size_t n) { KeyboardOut.emplace_back(d, d + n); });
        SetMidiBackendForTests(&Backend);
    }
    TFormInOut* Create() {
        form.reset(Construct<TFormInOut>(nullptr));
        return form.get();
    }
    std::vector<std::string> Lines(TListBox* list) {
        std::vector<std::string> out;
        for (int i = 0; i < list->Items()->Count(); ++i) out.push_back(list->Items()->Strings(i));
        return out;
    }
    std::vector<std::string> BoxTexts() const {
        std::vector<std::string> out;
        for (const auto& b : Boxes) out.push_back(b.Text);
        return out;
    }

    TempDir Dir;
    EnvScope Xdg{"XDG_CONFIG_HOME", Dir.Path().string()};
    TZelmo Holder;
    TInProcessMidiBackend Backend;
    TInstrumentSimulator Sim{0x10};
    std::vector<TBytes> KeyboardOut;
    std::unique_ptr<TFormInOut> form;

private:
    TZelmo* savedHolder_ = nullptr;
    TNotifyEvent savedDefault_;
};

}  // namespace zel::test
