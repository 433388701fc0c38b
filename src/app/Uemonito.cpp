#include "app/Uemonito.h"

#include <exception>

#include "model/Settings.h"
#include "platform/rtl/IniFiles.h"
#include "platform/vcl/FormReader.h"

namespace zel {

namespace formres {
extern const TFormResource Uemonito;
}

namespace {
const TFormClassRegistration registration("TFormMonitor", [](TComponent* Owner) -> TCustomForm* {
    return Construct<TFormMonitor>(Owner);
});

constexpr const char* kSection = "Monitor";
constexpr char kHexDigits[] = "0123456789ABCDEF";

void AppendHex(std::string& line, std::uint8_t byte) {
    line += kHexDigits[byte >> 4];
    line += kHexDigits[byte & 0x0F];
}
}  // namespace

std::string MonitorBytesLine(const std::uint8_t* Data, std::size_t Count) {
    std::string line;
    line.reserve(1 + 3 * Count);
    line += ' ';
    for (std::size_t i = 0; i < Count; ++i) {
        AppendHex(line, Data[i]);
        line += ' ';
    }
    return line;
}

std::string MonitorEventLine(const TMyMidiEvent& Event) {
    std::string line;
    AppendHex(line, Event.status);
    line += ' ';
    AppendHex(line, Event.data1);
    line += ' ';
    AppendHex(line, Event.data2);
    return line;
}

// ------------------------------------------------------------------------------------------- TFormMonitor

TFormMonitor::TFormMonitor(TComponent* AOwner) : TForm(AOwner) {}

TFormMonitor::~TFormMonitor() { Detach(); }

const TFormResource* TFormMonitor::FormResource() const { return &formres::Uemonito; }

void TFormMonitor::DefineBindings(TFormBindings& B) {
    B.Field("PanelIn", PanelIn);
    B.Field("Label1", Label1);
    B.Field("MemoInput", MemoInput);
    B.Field("PanelOut", PanelOut);
    B.Field("Label2", Label2);
    B.Field("MemoOutput", MemoOutput);
    B.Handler<TNotifyEvent>("FormCreate", [this](TObject* s) { FormCreate(s); });
    B.Handler<TNotifyEvent>("FormResize", [this](TObject* s) { FormResize(s); });
    B.Handler<TCloseEvent>("FormClose", [this](TObject* s, TCloseAction& a) { FormClose(s, a); });
}

void TFormMonitor::AddMessage(const std::uint8_t* Data, std::size_t Count, TMemo* Memo) {
    if (Memo == nullptr || (Data == nullptr && Count != 0)) return;
    Memo->Lines()->Add(MonitorBytesLine(Data, Count));
}

void TFormMonitor::AddMessageMidi(const TMyMidiEvent& Event, TMemo* Memo) {
    if (Memo == nullptr) return;
    Memo->Lines()->Add(MonitorEventLine(Event));
}

void TFormMonitor::FormCreate(TObject*) {
    MemoInput->Lines()->Clear();
    MemoOutput->Lines()->Clear();
    if (ZelmoHolder != nullptr) ZelmoHolder->MonitorOpen = 1;
    ModelServices().MidiMonitor = &monitor_;
    try {
        TIniFile ini(SettingsFileName);
        const int width = ini.ReadInteger(kSection, "Width", 378);
        const int height = ini.ReadInteger(kSection, "Height", 278);
        const int left = ini.ReadInteger(kSection, "Left", 0);
        const int top = ini.ReadInteger(kSection, "Top", 0);
        SetStoredBounds(left, top, width, height);
    } catch (const std::exception&) {
        // A settings file that cannot be read leaves the window where the resource put it.
    }
}

void TFormMonitor::FormResize(TObject*) {
    if (PanelIn == nullptr || PanelOut == nullptr) return;
    PanelIn->SetWidth(ClientWidth() - 8);
    PanelOut->SetWidth(ClientWidth() - 8);
    const int h = (ClientHeight() - 12) / 2;
    PanelIn->SetHeight(h);
    PanelOut->SetHeight(h);
    PanelOut->SetTop(PanelIn->GetTop() + h + 4);
    for (auto [panel, memo] : {std::pair{PanelIn, MemoInput}, std::pair{PanelOut, MemoOutput}}) {
        memo->SetWidth(panel->GetWidth() - 18);
        memo->SetHeight(panel->GetHeight() - 28);
    }
}

void TFormMonitor::FormClose(TObject*, TCloseAction& Action) {
    Detach();
    try {
        TIniFile ini(SettingsFileName);
        ini.WriteInteger(kSection, "Width", GetWidth());
        ini.WriteInteger(kSection, "Height", GetHeight());
        ini.WriteInteger(kSection, "Left", GetLeft());
        ini.WriteInteger(kSection, "Top", GetTop());
    } catch (const std::exception&) {
        // A file that cannot be written keeps its old content; nothing is shown.
    }
    RefreshMainMenus();
    Action = caNone;
    Release();
}

// Stops being the model's monitor: the writers test the open flag, the model the registered monitor.
void TFormMonitor::Detach() {
    if (ModelServices().MidiMonitor != &monitor_) return;
    ModelServices().MidiMonitor = nullptr;
    if (ZelmoHolder != nullptr) ZelmoHolder->MonitorOpen = 0;
}

// -------------------------------------------------------------------------------------- TMonitorOutput

void TMonitorOutput::AddOutputMessage(const std::uint8_t* data, std::size_t size) {
    form_.AddMessage(data, size, form_.MemoOutput);
}

}  // namespace zel
