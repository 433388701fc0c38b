#include "app/Ueprevse.h"

#include <exception>

#include "app/Main.h"
#include "midi/dialog/Uemidiio.h"
#include "model/Settings.h"
#include "model/SharedRoutines.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/rtl/SysUtils.h"
#include "platform/vcl/FormReader.h"

namespace zel {

namespace formres {
extern const TFormResource Ueprevse;
}

TFormPreviewSetup* FormPreviewSetup = nullptr;

namespace {
const TFormClassRegistration registration("TFormPreviewSetup", [](TComponent* Owner) -> TCustomForm* {
    return Construct<TFormPreviewSetup>(Owner);
});

TConfig* Config() { return ZelmoHolder != nullptr ? ZelmoHolder->Config.get() : nullptr; }
}  // namespace

TFormPreviewSetup::TFormPreviewSetup(TComponent* AOwner) : TForm(AOwner) {
    if (FormPreviewSetup == nullptr) FormPreviewSetup = this;
    ModelServices().MidiFilePlayer = &player_;
}

TFormPreviewSetup::~TFormPreviewSetup() {
    if (ModelServices().MidiFilePlayer == &player_) ModelServices().MidiFilePlayer = nullptr;
    if (FormPreviewSetup == this) FormPreviewSetup = nullptr;
}

const TFormResource* TFormPreviewSetup::FormResource() const { return &formres::Ueprevse; }

void TFormPreviewSetup::DefineBindings(TFormBindings& B) {
    B.Field("GroupBox1", GroupBox1);
    B.Field("RadioSingle", RadioSingle);
    B.Field("RadioMidi", RadioMidi);
    B.Field("PanelNote", PanelNote);
    B.Field("Label1", Label1);
    B.Field("Note", Note);
    B.Field("Label2", Label2);
    B.Field("Velocity", Velocity);
    B.Field("PanelMidi", PanelMidi);
    B.Field("Label3", Label3);
    B.Field("MidiName", MidiName);
    B.Field("Cercabtn", Cercabtn);
    B.Field("BitBtn1", BitBtn1);
    B.Field("BitBtn2", BitBtn2);
    B.Field("BitBtn3", BitBtn3);
    B.Field("MediaPlayer", MediaPlayer);
    B.Handler<TNotifyEvent>("FormShow", [this](TObject* s) { FormShow(s); });
    B.Handler<TNotifyEvent>("RadioClick", [this](TObject* s) { RadioClick(s); });
    B.Handler<TNotifyEvent>("CercabtnClick", [this](TObject* s) { CercabtnClick(s); });
    B.Handler<TMouseEvent>("BitBtn1MouseDown", [this](TObject* s, TMouseButton b, TShiftState sh, int x, int y) {
        BitBtn1MouseDown(s, b, sh, x, y);
    });
    B.Handler<TMouseEvent>("BitBtn1MouseUp", [this](TObject* s, TMouseButton b, TShiftState sh, int x, int y) {
        BitBtn1MouseUp(s, b, sh, x, y);
    });
    B.Handler<TNotifyEvent>("BitBtn2Click", [this](TObject* s) { BitBtn2Click(s); });
}

void TFormPreviewSetup::FormShow(TObject*) {
    const TConfig* config = Config();
    if (config == nullptr) return;
    RadioSingle->SetChecked(config->SingleNote == 1);
    RadioMidi->SetChecked(config->SingleNote != 1);
    MidiName->SetText(config->Midifile);
    Note->SetCode(config->Note);
    Velocity->SetValue(config->Velocity);
    EnablePanels();
}

void TFormPreviewSetup::EnablePanels() {
    PanelNote->SetEnabled(RadioSingle->GetChecked());
    PanelMidi->SetEnabled(RadioMidi->GetChecked());
}

void TFormPreviewSetup::RadioClick(TObject*) { EnablePanels(); }

void TFormPreviewSetup::CercabtnClick(TObject*) {
    try {
        IFileDialogs* dialogs = ModelServices().FileDialogs;
        if (dialogs == nullptr) throw EInOutError("no file dialogs");
        const std::string current = MidiName->GetText();
        TFileDialogRequest request;
        request.Kind = TFileDialogKind::Open;
        request.Title = "Select Midi File";
        request.DefaultExt = "Mid";
        request.Filter = "Mid file|*.Mid";
        request.InitialDir = ExtractFilePath(current);
        if (request.InitialDir.empty()) request.InitialDir = DefaultDataFolder();
        request.FileName = ExtractFileName(current);
        request.PathMustExist = true;
        request.FileMustExist = true;
        if (dialogs->Execute(request)) MidiName->SetText(request.FileName);
    } catch (const std::exception&) {
        throw EInOutError("Out of Resource");
    }
}

TFormPreviewSetup::TPreviewSettings TFormPreviewSetup::Chosen() const {
    return {static_cast<std::uint8_t>(RadioSingle->GetChecked() ? 1 : 0), Note->GetCode(), Velocity->GetValue(),
            MidiName->GetText()};
}

void TFormPreviewSetup::Apply(const TPreviewSettings& Settings) {
    TConfig* config = Config();
    if (config == nullptr) return;
    config->SingleNote = Settings.SingleNote;
    config->Note = Settings.Note;
    config->Velocity = Settings.Velocity;
    config->Midifile = Settings.Midifile;
}

void TFormPreviewSetup::BitBtn1MouseDown(TObject*, TMouseButton, TShiftState, int, int) {
    const TConfig* config = Config();
    if (config == nullptr || testing_) return;
    saved_ = {config->SingleNote, config->Note, config->Velocity, config->Midifile};
    Apply(Chosen());
    try {
        StartPreview();
    } catch (const std::exception&) {
        // The audition has told its failure; the release may never come after its message, so the
        // settings go back now.
        Apply(saved_);
        return;
    }
    testing_ = true;
}

void TFormPreviewSetup::BitBtn1MouseUp(TObject*, TMouseButton, TShiftState, int, int) {
    if (!testing_) return;
    testing_ = false;
    TScopeExit restore([this] { Apply(saved_); });
    StopPreview();
}

void TFormPreviewSetup::BitBtn2Click(TObject*) {
    if (TConfig* config = Config()) {
        Apply(Chosen());
        config->Save();
    }
    ModalResult = mrOk;
}

// ----------------------------------------------------------------------------------------- TPreviewPlayer

void TPreviewPlayer::Play(const std::string& fileName) {
    TMediaPlayer* player = form_.MediaPlayer;
    // The file plays through the output port the user chose for the instrument.
    if (FormInOut != nullptr && FormInOut->MidiOutput1 != nullptr)
        player->OutputDevice = static_cast<UINT>(FormInOut->MidiOutput1->GetDeviceID());
    player->FileName = fileName;
    player->Open();
    player->Play();
}

void TPreviewPlayer::Stop() {
    TMediaPlayer* player = form_.MediaPlayer;
    player->Stop();
    player->Close();
}

}  // namespace zel
