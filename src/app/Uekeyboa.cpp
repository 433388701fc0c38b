#include "app/Uekeyboa.h"

#include <algorithm>
#include <cstdint>

#include "model/CurrentElements.h"
#include "model/ModelServices.h"
#include "model/Settings.h"
#include "model/SharedRoutines.h"
#include "model/SysexFraming.h"
#include "platform/rtl/IniFiles.h"
#include "platform/vcl/FormReader.h"

namespace zel {

namespace formres {
extern const TFormResource Uekeyboa;
}

namespace {
const TFormClassRegistration registration("TFormKeyboard", [](TComponent* Owner) -> TCustomForm* {
    return Construct<TFormKeyboard>(Owner);
});

constexpr const char* Section = "Keyboard";
constexpr int LowestOctave = -1;
constexpr int HighestOctave = 7;
constexpr int MaxNote = 127;
}  // namespace

TFormKeyboard::TFormKeyboard(TComponent* AOwner) : TForm(AOwner) {}

const TFormResource* TFormKeyboard::FormResource() const { return &formres::Uekeyboa; }

void TFormKeyboard::DefineBindings(TFormBindings& B) {
    B.Field("KeySelector", KeySelector);
    B.Field("Label1", Label1);
    B.Field("SpeedButton1", SpeedButton1);
    B.Field("SpeedButton2", SpeedButton2);
    B.Field("SpeedButton3", SpeedButton3);
    B.Field("SpeedButton4", SpeedButton4);
    B.Field("SpeedButton5", SpeedButton5);
    B.Field("SpeedButton6", SpeedButton6);
    B.Field("SpeedButton7", SpeedButton7);
    B.Field("SpeedButton8", SpeedButton8);
    B.Field("SpeedButton9", SpeedButton9);
    B.Handler<TNotifyEvent>("FormCreate", [this](TObject* s) { FormCreate(s); });
    B.Handler<TNotifyEvent>("FormShow", [this](TObject* s) { FormShow(s); });
    B.Handler<TNotifyEvent>("FormResize", [this](TObject* s) { FormResize(s); });
    B.Handler<TCloseEvent>("FormClose", [this](TObject* s, TCloseAction& a) { FormClose(s, a); });
    B.Handler<TNotifyEvent>("KeySelectorChange", [this](TObject* s) { KeySelectorChange(s); });
    B.Handler<TNotifyEvent>("KeySelectorEndchange", [this](TObject* s) { KeySelectorEndchange(s); });
    B.Handler<TNotifyEvent>("SpeedButtonClick", [this](TObject* s) { SpeedButtonClick(s); });
}

TSpeedButton* TFormKeyboard::OctaveButton(int b) const {
    const std::array<TSpeedButton*, 9> buttons{SpeedButton1, SpeedButton2, SpeedButton3, SpeedButton4, SpeedButton5,
                                               SpeedButton6, SpeedButton7, SpeedButton8, SpeedButton9};
    if (b < LowestOctave || b > HighestOctave) return nullptr;
    return buttons[static_cast<std::size_t>(b + 1)];
}

void TFormKeyboard::FormCreate(TObject*) {
    HelpContext = 21;
    if (ZelmoHolder != nullptr) ZelmoHolder->KeyboardOpen = 1;
    sounding_ = -1;
    int b = LowestOctave;
    try {
        TIniFile ini(SettingsFileName);
        // The window keeps its one size whatever the stored width says: its place is fitted to that size.
        const int left = ini.ReadInteger(Section, "Left", 0);
        const int top = ini.ReadInteger(Section, "Top", 0);
        SetStoredBounds(left, top, FixedWidth, FixedHeight);
        b = ini.ReadInteger(Section, "BaseOctave", LowestOctave);
    } catch (const std::exception&) {
        // A settings file that cannot be read leaves the defaults.
    }
    // A hand-edited base octave outside the buttons' range reads as the lowest one.
    if (b < LowestOctave || b > HighestOctave) b = LowestOctave;
    octave_ = b + 1;
    OctaveButton(b)->SetDown(true);
    // The window keeps its one size whatever the stored width says.
    FormResize(this);
}

void TFormKeyboard::FormShow(TObject*) { SetCaption("Keyboard"); }

void TFormKeyboard::FormResize(TObject*) {
    if (GetWidth() != FixedWidth || GetHeight() != FixedHeight) SetBounds(GetLeft(), GetTop(), FixedWidth, FixedHeight);
}

void TFormKeyboard::FormClose(TObject*, TCloseAction& Action) {
    if (ZelmoHolder != nullptr) ZelmoHolder->KeyboardOpen = 0;
    try {
        TIniFile ini(SettingsFileName);
        ini.WriteInteger(Section, "Width", GetWidth());
        ini.WriteInteger(Section, "Left", GetLeft());
        ini.WriteInteger(Section, "Top", GetTop());
        ini.WriteInteger(Section, "BaseOctave", octave_ - 1);
    } catch (const std::exception&) {
        // A settings file that cannot be written keeps what it had.
    }
    if (IModelWindows* windows = ModelServices().Windows) windows->EnableMenuItems();
    Action = caNone;
    Release();
}

void TFormKeyboard::NoteOn(int note) {
    if (ModelServices().MidiPorts != nullptr)
        SendShortMessage(ChannelStatus(0x90), static_cast<std::uint8_t>(note), PreviewVelocity());
}

void TFormKeyboard::NoteOff(int note) {
    if (ModelServices().MidiPorts != nullptr) SendShortMessage(ChannelStatus(0x80), static_cast<std::uint8_t>(note), 0);
}

void TFormKeyboard::KeySelectorChange(TObject*) {
    const int key = KeySelector->GetKeySelected();
    if (key == -1) return;
    if (sounding_ != -1) {
        NoteOff(sounding_);
        sounding_ = -1;
    }
    const int note = NoteOfKey(key);
    // The upper keys of the highest base octaves lie above the last note number; they play nothing
    // rather than send a data byte the instrument would read as a status byte.
    if (note > MaxNote) return;
    sounding_ = note;
    NoteOn(note);
    SetCaption("Keyboard ( Play note : " + NoteToText(note) + " )");
}

void TFormKeyboard::KeySelectorEndchange(TObject* Sender) {
    const int key = KeySelector->GetKeySelected();
    // A release on the leftmost key (no key) stops the sounding note too, so that none is left hanging.
    if (sounding_ != -1 && (key == -1 || NoteOfKey(key) == sounding_)) {
        NoteOff(sounding_);
        sounding_ = -1;
        KeySelector->SetKeySelected(-1);
    } else {
        KeySelectorChange(Sender);
    }
    SetCaption("Keyboard");
}

void TFormKeyboard::SpeedButtonClick(TObject* Sender) {
    if (auto* button = dynamic_cast<TSpeedButton*>(Sender)) octave_ = static_cast<int>(button->Tag) + 1;
}

}  // namespace zel
