#pragma once
// TFormPreviewSetup, "Preview Setup": what an audition plays, a single note or a standard MIDI file. Its
// invisible media player plays the file; it is the model's IMidiFilePlayer.
#include <cstdint>
#include <string>

#include "controls/Uecomp.h"
#include "model/ModelServices.h"
#include "platform/vcl/Buttons.h"
#include "platform/vcl/ExtCtrls.h"
#include "platform/vcl/Forms.h"
#include "platform/vcl/MPlayer.h"
#include "platform/vcl/StdCtrls.h"

namespace zel {

class TFormPreviewSetup;

// The window's media player as the model's audition sees it.
class TPreviewPlayer : public IMidiFilePlayer {
public:
    explicit TPreviewPlayer(TFormPreviewSetup& form) : form_(form) {}
    void Play(const std::string& fileName) override;
    void Stop() override;

private:
    TFormPreviewSetup& form_;
};

class TFormPreviewSetup : public TForm {
public:
    explicit TFormPreviewSetup(TComponent* AOwner);
    ~TFormPreviewSetup() override;
    std::string ClassName() const override { return "TFormPreviewSetup"; }
    const TFormResource* FormResource() const override;
    void DefineBindings(TFormBindings& Bindings) override;

    // ---- components of the form resource
    TGroupBox* GroupBox1 = nullptr;
    TRadioButton* RadioSingle = nullptr;
    TRadioButton* RadioMidi = nullptr;
    TPanel* PanelNote = nullptr;
    TLabel* Label1 = nullptr;
    TMyEdit* Note = nullptr;
    TLabel* Label2 = nullptr;
    TPanSlider* Velocity = nullptr;
    TPanel* PanelMidi = nullptr;
    TLabel* Label3 = nullptr;
    TEdit* MidiName = nullptr;
    TButton* Cercabtn = nullptr;
    TBitBtn* BitBtn1 = nullptr;  // "Test"
    TBitBtn* BitBtn2 = nullptr;  // OK
    TBitBtn* BitBtn3 = nullptr;  // Cancel
    TMediaPlayer* MediaPlayer = nullptr;

    IMidiFilePlayer& Player() { return player_; }

    // ---- handlers
    void FormShow(TObject* Sender);
    void RadioClick(TObject* Sender);
    void CercabtnClick(TObject* Sender);
    void BitBtn1MouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void BitBtn1MouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void BitBtn2Click(TObject* Sender);

private:
    // The preview settings "Test" puts aside while it plays.
    struct TPreviewSettings {
        std::uint8_t SingleNote = 0;
        std::int32_t Note = 0;
        std::int32_t Velocity = 0;
        std::string Midifile;
    };
    // The window's choice, as the settings hold it.
    TPreviewSettings Chosen() const;
    static void Apply(const TPreviewSettings& Settings);
    void EnablePanels();

    TPreviewPlayer player_{*this};
    TPreviewSettings saved_;
    bool testing_ = false;  // between a press of "Test" that started an audition and its release
};

extern TFormPreviewSetup* FormPreviewSetup;

}  // namespace zel
