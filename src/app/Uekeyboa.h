#pragma once
// TFormKeyboard, the on-screen keyboard: a tool window that plays notes on the instrument from a key
// selector, so that sounds can be heard without a keyboard attached. Notes go out on the preview channel
// with the preview velocity; the base octave buttons shift the keys by whole octaves.
#include <array>

#include "controls/Uecomp.h"
#include "platform/vcl/Buttons.h"
#include "platform/vcl/Forms.h"
#include "platform/vcl/StdCtrls.h"

namespace zel {

class TFormKeyboard : public TForm {
public:
    explicit TFormKeyboard(TComponent* AOwner);
    std::string ClassName() const override { return "TFormKeyboard"; }
    const TFormResource* FormResource() const override;
    void DefineBindings(TFormBindings& Bindings) override;

    static constexpr int FixedWidth = 384;
    static constexpr int FixedHeight = 123;

    // ---- components of the form resource
    TKeySelector* KeySelector = nullptr;
    TLabel* Label1 = nullptr;
    TSpeedButton* SpeedButton1 = nullptr;
    TSpeedButton* SpeedButton2 = nullptr;
    TSpeedButton* SpeedButton3 = nullptr;
    TSpeedButton* SpeedButton4 = nullptr;
    TSpeedButton* SpeedButton5 = nullptr;
    TSpeedButton* SpeedButton6 = nullptr;
    TSpeedButton* SpeedButton7 = nullptr;
    TSpeedButton* SpeedButton8 = nullptr;
    TSpeedButton* SpeedButton9 = nullptr;

    int SoundingNote() const { return sounding_; }
    // The base octave as shown (-1 .. 7).
    int BaseOctave() const { return octave_ - 1; }
    // The button of base octave b (-1 .. 7).
    TSpeedButton* OctaveButton(int b) const;

    // ---- event handlers
    void FormCreate(TObject* Sender);
    void FormShow(TObject* Sender);
    void FormResize(TObject* Sender);
    void FormClose(TObject* Sender, TCloseAction& Action);
    void KeySelectorChange(TObject* Sender);
    void KeySelectorEndchange(TObject* Sender);
    void SpeedButtonClick(TObject* Sender);

private:
    void NoteOn(int note);
    void NoteOff(int note);
    int NoteOfKey(int key) const { return key + 12 * octave_; }

    int sounding_ = -1;
    int octave_ = 0;  // 0 .. 8: the base octave + 1
};

}  // namespace zel
