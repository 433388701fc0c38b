#include "model/ModelServices.h"

namespace zel {

std::uint8_t DevicesOpen = 0;

TModelServices& ModelServices() {
    static TModelServices services;
    return services;
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
