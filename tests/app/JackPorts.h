#pragma once
// Opens the port dialog's devices on a JACK instrument's ports, as a user picks them: the dialog lists the
// JACK ports, and the configured indexes name the instrument's.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "midi/dialog/Uemidiio.h"
#include "model/Settings.h"
#include "platform/vcl/Dialogs.h"
#include "support/JackTest.h"

namespace zel::test {

inline int IndexOfPort(TListBox* list, const std::string& name) {
    for (int i = 0; i < list->Items()->Count(); ++i)
        if (list->Items()->Strings(i) == name) return i;
    return -1;
}

// Boxes: the message boxes shown, of which the opening's are the only ones afterwards.
inline void OpenPortsOn(const TJackInstrument& instrument, TFormInOut& ports, TConfig& config,
                        std::vector<TMessageBoxRequest>& Boxes) {
    config.InPort = IndexOfPort(ports.InputPort, instrument.OutputPortName());
    config.OutPort = IndexOfPort(ports.OutputPort, instrument.InputPortName());
    ASSERT_GE(config.InPort, 0) << instrument.OutputPortName();
    ASSERT_GE(config.OutPort, 0) << instrument.InputPortName();
    Boxes.clear();  // index 0 at creation may have been any port
    ports.CloseDevs();
    ports.OpenDevs();
    ASSERT_EQ(DevicesOpen, 1) << (Boxes.empty() ? "" : Boxes[0].Text);
}

}  // namespace zel::test
