#include "midi/dialog/Uemidiio.h"

#include <algorithm>
#include <string>
#include <vector>

#include "model/SysexFraming.h"
#include "platform/vcl/Dialogs.h"
#include "platform/vcl/FormReader.h"

namespace zel {

namespace formres {
extern const TFormResource Uemidiio;
}

namespace {
const TFormClassRegistration registration("TFormInOut", [](TComponent* Owner) -> TCustomForm* {
    return Construct<TFormInOut>(Owner);
});
}  // namespace

TFormInOut::TFormInOut(TComponent* AOwner) : TForm(AOwner) { ModelServices().MidiPorts = this; }

TFormInOut::~TFormInOut() {
    if (ModelServices().MidiPorts == this) ModelServices().MidiPorts = nullptr;
}

const TFormResource* TFormInOut::FormResource() const { return &formres::Uemidiio; }

void TFormInOut::DefineBindings(TFormBindings& B) {
    B.Field("GroupBox1", GroupBox1);
    B.Field("InputPort", InputPort);
    B.Field("GroupBox2", GroupBox2);
    B.Field("OutputPort", OutputPort);
    B.Field("Label1", Label1);
    B.Field("SpinDeviceID", SpinDeviceID);
    B.Field("MidiThrue", MidiThrue);
    B.Field("OkBtn", OkBtn);
    B.Field("CancelBtn", CancelBtn);
    B.Handler<TNotifyEvent>("FormCreate", [this](TObject* s) { FormCreate(s); });
    B.Handler<TNotifyEvent>("FormShow", [this](TObject* s) { FormShow(s); });
    B.Handler<TNotifyEvent>("FormDestroy", [this](TObject* s) { FormDestroy(s); });
    B.Handler<TNotifyEvent>("OkBtnClick", [this](TObject* s) { OkBtnClick(s); });
    B.Handler<TNotifyEvent>("CancelBtnClick", [this](TObject* s) { CancelBtnClick(s); });
}

TConfig& TFormInOut::Config() {
    if (ZelmoHolder != nullptr) return *ZelmoHolder->Config;
    if (!ownConfig_) ownConfig_ = std::make_unique<TConfig>();
    return *ownConfig_;
}

void TFormInOut::FormCreate(TObject*) {
    HelpContext = 30;
    DevicesOpen = 0;
    MidiInstalled = false;
    try {
        MidiInput1 = new TMidiInput(this);
        MidiOutput1 = new TMidiOutput(this);
        InputPort->Items()->Clear();
        for (int i = 0; i < MidiInput1->NumDevs; ++i) {
            MidiInput1->SetDeviceID(static_cast<WORD>(i));
            InputPort->Items()->Add(MidiInput1->GetProductName());
        }
        InputPort->SetItemIndex(0);
        OutputPort->Items()->Clear();
        for (int i = 0; i < MidiOutput1->NumDevs; ++i) {
            MidiOutput1->SetDeviceID(i);
            OutputPort->Items()->Add(MidiOutput1->GetProductName());
        }
        OutputPort->SetItemIndex(0);
        MidiInstalled = true;
    } catch (const std::exception&) {
        MessageDlg("No midi system installed", mtError, TMsgDlgButtons{mbOK}, 0);
        DevicesOpen = 0;
        return;
    }
    // Only ports that really opened count as usable: a failed first opening leaves MIDI off (the user
    // can pick other ports and press Ok), instead of every send failing on a closed port.
    OpenDevs();
}

namespace {

// The line a stored port stands for: the line of its name when a name is stored (-1 when no line has
// it), else the stored index as it is.
int ConfiguredLine(TListBox* list, int index, const std::string& name) {
    if (name.empty()) return index;
    for (int i = 0; i < list->Items()->Count(); ++i)
        if (list->Items()->Strings(i) == name) return i;
    return -1;
}

std::string LineName(TListBox* list, int index) {
    return index >= 0 && index < list->Items()->Count() ? list->Items()->Strings(index) : std::string();
}

// How the message names a port that did not open: its side and its name (the stored name of a port that
// is not listed, the line number of a stored index beyond the list).
std::string PortLabel(const char* side, TListBox* list, int line, const std::string& storedName) {
    std::string name = storedName;
    if (name.empty()) {
        name = LineName(list, line);
        if (name.empty()) name = "line " + std::to_string(line + 1) + " (not listed)";
    }
    return std::string(side) + ": " + name;
}

}  // namespace

void TFormInOut::OpenDevs() {
    TConfig& cfg = Config();
    // A stored name wins over the stored index. A named port that is not in the list opens nothing on
    // its side, so that nothing goes to a device the user did not pick; the name stays, for the day the
    // device is back.
    const int inLine = InputPort != nullptr ? ConfiguredLine(InputPort, cfg.InPort, cfg.InPortName) : cfg.InPort;
    const int outLine = OutputPort != nullptr ? ConfiguredLine(OutputPort, cfg.OutPort, cfg.OutPortName) : cfg.OutPort;
    const std::string inLabel = PortLabel("Midi Input", InputPort, inLine < 0 ? cfg.InPort : inLine, cfg.InPortName);
    const std::string outLabel =
        PortLabel("Midi Output", OutputPort, outLine < 0 ? cfg.OutPort : outLine, cfg.OutPortName);
    // The ports that did not open, named in the one message that tells the user MIDI is not working.
    std::vector<std::string> failed;
    if (inLine < 0) failed.push_back(inLabel);
    if (outLine < 0) failed.push_back(outLabel);
    bool opened = false;
    const std::string* working = &inLabel;
    try {
        if (MidiInput1 == nullptr || MidiOutput1 == nullptr) throw EMidiInputError("No midi system installed");
        if (inLine >= 0) {
            MidiInput1->SetProductName(InputPort->Items()->Strings(inLine));
            cfg.InPort = inLine;
        }
        working = &outLabel;
        if (outLine >= 0) {
            MidiOutput1->SetProductName(OutputPort->Items()->Strings(outLine));
            cfg.OutPort = outLine;
        }
        working = &inLabel;
        if (inLine >= 0) {
            MidiInput1->Open();
            MidiInput1->Start();
            // The input's own failure to open is silent: without this, no reply would ever arrive and
            // nobody would know why. Sending still works.
            if (MidiInput1->GetState() != misOpen) failed.push_back(inLabel);
        }
        working = &outLabel;
        if (outLine >= 0 && !MidiOutput1->OpenPort())
            throw EmidioutputError(TMidiOutput::MidiOutErrorString(MidiOutput1->GetError()));
        // Usable means something can be sent: an input alone receives, but every send stays off.
        opened = outLine >= 0;
    } catch (const std::exception&) {
        if (MidiOutput1 != nullptr && MidiOutput1->IsOpen()) MidiOutput1->ClosePort();
        if (MidiInput1 != nullptr && MidiInput1->GetState() == misOpen) MidiInput1->Close();
        if (std::find(failed.begin(), failed.end(), *working) == failed.end()) failed.push_back(*working);
        cfg.InPort = 0;
        cfg.OutPort = 0;
    }
    if (!failed.empty()) {
        if (inLine < 0) cfg.InPort = 0;
        if (outLine < 0) cfg.OutPort = 0;
        std::string text = "Invalid Midi Port Settings\n";
        for (const std::string& port : failed) text += "\n" + port;
        MessageDlg(text, mtInformation, TMsgDlgButtons{mbOK}, 0);
    }
    DevicesOpen = opened ? 1 : 0;
    if (MidiInput1 != nullptr) MidiInput1->OnMidiInput = ModelServices().DefaultMidiInput;
}

void TFormInOut::CloseDevs() {
    // Whatever the model still has queued for the instrument leaves before the output closes.
    FlushQueuedSends(*this);
    // An input opened without its output (the output's port missing) is closed too.
    if (MidiOutput1 != nullptr && MidiOutput1->IsOpen()) MidiOutput1->ClosePort();
    if (MidiInput1 != nullptr && MidiInput1->GetState() == misOpen) MidiInput1->Close();
}

void TFormInOut::FormShow(TObject*) {
    TConfig& cfg = Config();
    InputPort->SetItemIndex(cfg.InPort);
    OutputPort->SetItemIndex(cfg.OutPort);
    SpinDeviceID->SetValue(cfg.DeviceID);
    MidiThrue->SetChecked(cfg.Thrue == 1);
}

void TFormInOut::OkBtnClick(TObject*) {
    TConfig& cfg = Config();
    CloseDevs();
    cfg.InPort = InputPort->GetItemIndex();
    cfg.OutPort = OutputPort->GetItemIndex();
    cfg.InPortName = LineName(InputPort, cfg.InPort);
    cfg.OutPortName = LineName(OutputPort, cfg.OutPort);
    cfg.DeviceID = SpinDeviceID->GetValue();
    cfg.Thrue = MidiThrue->GetChecked() ? 1 : 0;
    if (MidiInstalled) OpenDevs();
    cfg.Save();
    if (DevicesOpen != 0) Close();
}

void TFormInOut::CancelBtnClick(TObject*) { Close(); }

void TFormInOut::FormDestroy(TObject*) {
    CloseDevs();
    // The ports are gone with the dialog: nothing may be sent any more.
    DevicesOpen = 0;
}

bool TFormInOut::OutputOpen() const { return MidiOutput1 != nullptr && MidiOutput1->IsOpen(); }

void TFormInOut::PutLong(const std::uint8_t* data, std::size_t size) {
    if (MidiOutput1 == nullptr) return;
    if (size > 0xFFFF) throw EmidioutputError("System Exclusive message too long");
    MidiOutput1->SendSysEx(data, static_cast<WORD>(size));
}

void TFormInOut::PutShort(std::uint8_t status, std::uint8_t data1, std::uint8_t data2) {
    if (MidiOutput1 != nullptr) MidiOutput1->SendShort(status, data1, data2);
}

void TFormInOut::InstallInputHandler(TNotifyEvent handler) {
    if (MidiInput1 != nullptr) MidiInput1->OnMidiInput = std::move(handler);
}

int TFormInOut::PendingEventCount() { return MidiInput1 != nullptr ? MidiInput1->PendingEventCount() : 0; }

std::unique_ptr<TMyMidiEvent> TFormInOut::NextEvent() {
    return MidiInput1 != nullptr ? MidiInput1->NextEvent() : nullptr;
}

}  // namespace zel
