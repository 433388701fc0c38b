#include "model/ModelServices.h"

#include "model/Settings.h"
#include "model/SysexFraming.h"

namespace zel {

std::uint8_t DevicesOpen = 0;

TModelServices& ModelServices() {
    static TModelServices services;
    return services;
}

void ModelDefaultMidiInput(TObject* Sender) {
    (void)Sender;
    IMidiPorts* ports = ModelServices().MidiPorts;
    if (DevicesOpen == 0 || ports == nullptr) return;
    std::unique_ptr<TMyMidiEvent> event = ports->NextEvent();
    if (!event || event->SysexLength != 0) return;
    if (ZelmoHolder != nullptr && ZelmoHolder->Config->Thrue == 1 && ports->OutputOpen())
        SendShortMessage(event->status, event->data1, event->data2);
}

TMessageResult ShowMessageBox(const std::string& text, TMessageKind kind, TMessageButtons buttons) {
    IMessageBoxes* boxes = ModelServices().MessageBoxes;
    return boxes != nullptr ? boxes->Show(text, kind, buttons) : TMessageResult::None;
}

std::string DefaultDataFolder() {
    const auto& provider = ModelServices().DataFolder;
    return provider ? provider() : std::string();
}

void RefreshMainMenus() {
    if (IModelWindows* windows = ModelServices().Windows) windows->EnableMenuItems();
}

}  // namespace zel
