#pragma once
// TFormCommon, the patch common editor: the patch's name, tempo, level, pan, analog feel, bender range,
// key assign, portamento, control sources and their hold/peak modes, velocity range, octave shift,
// stretch tune, voice priority, and the structure and booster of the tone pairs 1-2 and 3-4 with a
// picture of each structure, on two notebook pages with an undo history each.
#include <array>
#include <string>
#include <vector>

#include "controls/Uecomp.h"
#include "editors/EditorForm.h"
#include "platform/vcl/Buttons.h"
#include "platform/vcl/ExtCtrls.h"
#include "platform/vcl/StdCtrls.h"
#include "platform/vcl/TabNotbk.h"

namespace zel {

// A block or box of a structure diagram: where it stands and the text it shows.
struct TStructureBox {
    TRect Bounds;
    std::string Text;
};

// Draws the diagram of a structure type (0..9) on a picture Height pixels high, right of the divider at Left,
// in the picture's own font and colours; answers the boxes it drew. An unknown type draws nothing.
std::vector<TStructureBox> DrawStructureDiagram(TCanvas* Canvas, int Left, int Height, int Type);

class TFormCommon : public TPatchSectionEditor {
public:
    explicit TFormCommon(TComponent* AOwner) : TPatchSectionEditor(AOwner) {}
    std::string ClassName() const override { return "TFormCommon"; }
    const TFormResource* FormResource() const override;
    void DefineBindings(TFormBindings& Bindings) override;

    // ---- components of the form resource
    TTabbedNotebook* TabbedNotebook1 = nullptr;
    TPanel* Panelbtn = nullptr;
    TEdit* EditName = nullptr;
    TMyEdit* DefaultTempo = nullptr;
    TPanSlider* PatchLevel = nullptr;
    TClickEdit* ClickPan = nullptr;
    TPanSlider* AnalogfeelDepth = nullptr;
    TMyEdit* BenderUp = nullptr;
    TMyEdit* BenderDown = nullptr;
    TRadioButton* KeyAssModePoly = nullptr;
    TRadioButton* KeyAssModeSolo = nullptr;
    TCheckBox* SoloLegato = nullptr;
    TCheckBox* PortSwitch = nullptr;
    TRadioButton* PortModeNormal = nullptr;
    TRadioButton* PortModeLegato = nullptr;
    TGroupBox* GroupPortType = nullptr;
    TRadioButton* PortTypeRAte = nullptr;
    TRadioButton* PortTypeTime = nullptr;
    TGroupBox* GroupPortStart = nullptr;
    TRadioButton* PortStartPitch = nullptr;
    TRadioButton* PortStartNote = nullptr;
    TPanSlider* PortTime = nullptr;
    TComboBox* PatchCtrlSource2 = nullptr;
    TComboBox* PatchCtrlSource3 = nullptr;
    TRadioButton* EfxCtrlOff = nullptr;
    TRadioButton* EfxCtrlHold = nullptr;
    TRadioButton* EfxCtrlPeak = nullptr;
    TRadioButton* Ctrl1Off = nullptr;
    TRadioButton* Ctrl1Hold = nullptr;
    TRadioButton* Ctrl1Peak = nullptr;
    TRadioButton* Ctrl2Off = nullptr;
    TRadioButton* Ctrl2Hold = nullptr;
    TRadioButton* Ctrl2Peak = nullptr;
    TRadioButton* Ctrl3Off = nullptr;
    TRadioButton* Ctrl3Hold = nullptr;
    TRadioButton* Ctrl3Peak = nullptr;
    TCheckBox* VelRangeSwitch = nullptr;
    TMyEdit* OctaveShift = nullptr;
    TSpeedButton* Stretch1 = nullptr;
    TSpeedButton* Stretch2 = nullptr;
    TSpeedButton* Stretch3 = nullptr;
    TSpeedButton* Stretch4 = nullptr;
    TRadioButton* VoiceLast = nullptr;
    TRadioButton* VoiceLoudest = nullptr;
    TBitBtn* Precedente = nullptr;
    TBitBtn* Successivo = nullptr;
    TImage* Image12 = nullptr;
    TPanel* PanelN12 = nullptr;
    TLabel* Label12 = nullptr;
    TSpeedButton* Booster121 = nullptr;
    TSpeedButton* Booster122 = nullptr;
    TSpeedButton* Booster123 = nullptr;
    TSpeedButton* Booster124 = nullptr;
    TBitBtn* BitBtn1 = nullptr;
    TBitBtn* BitBtn2 = nullptr;
    TImage* Image34 = nullptr;
    TPanel* PanelN34 = nullptr;
    TLabel* Label34 = nullptr;
    TSpeedButton* Booster341 = nullptr;
    TSpeedButton* Booster342 = nullptr;
    TSpeedButton* Booster343 = nullptr;
    TSpeedButton* Booster344 = nullptr;

    // The structure types of tones 1-2 and 3-4 (0..9), as the arrows step them.
    int Struct12 = 0;
    int Struct34 = 0;
    // The boxes of each picture (Image12, Image34) as last drawn.
    std::array<std::vector<TStructureBox>, 2> StructureBoxes;

    // ---- the protocol
    void UpdateView() override;
    // Draws the structure of the pair of Image (Image12: tones 1 and 2; Image34: tones 3 and 4).
    void DrawStruct(TImage* Image);

    // ---- handlers
    void FormCreate(TObject* Sender) override;
    void EditNameKeyUp(TObject* Sender, WORD& Key, TShiftState Shift);
    void EditNameKeyPress(TObject* Sender, char& Key);
    void DefaultTempoEndChange(TObject* Sender);
    void PatchLevelEndchange(TObject* Sender);
    void ClickPanEndchange(TObject* Sender);
    void AnalogfeelDepthEndchange(TObject* Sender);
    void BenderUpEndChange(TObject* Sender);
    void BenderDownEndChange(TObject* Sender);
    void KeyAssModePolyClick(TObject* Sender);
    void SoloLegatoClick(TObject* Sender);
    void PortSwitchClick(TObject* Sender);
    void PortModeNormalClick(TObject* Sender);
    void PortTypeRAteClick(TObject* Sender);
    void PortStartPitchClick(TObject* Sender);
    void PortTimeEndchange(TObject* Sender);
    void PatchCtrlSource2Change(TObject* Sender);
    void PatchCtrlSource3Change(TObject* Sender);
    void EfxCtrlOffClick(TObject* Sender);
    void Ctrl1OffClick(TObject* Sender);
    void Ctrl2OffClick(TObject* Sender);
    void Ctrl3OffClick(TObject* Sender);
    void VelRangeSwitchClick(TObject* Sender);
    void OctaveShiftEndChange(TObject* Sender);
    void Stretch1Click(TObject* Sender);
    void VoiceLastClick(TObject* Sender);
    void PrecedenteClick(TObject* Sender);
    void SuccessivoClick(TObject* Sender);
    void BitBtn1Click(TObject* Sender);
    void BitBtn2Click(TObject* Sender);
    void Booster121Click(TObject* Sender);
    void Booster341Click(TObject* Sender);
    void TabbedNotebook1Change(TObject* Sender, int NewTab, bool& AllowChange);

protected:
    void TakeOpenerVariables() override;
    int HelpContextNumber() const override { return 2; }
    int UndoListCount() const override { return 2; }
    int CurrentUndoIndex() const override;
    TEditorSlot& Slot() const override;
    TControl* ButtonPanel() const override { return Panelbtn; }

private:
    // Selects the button of a group whose number is the byte (the nearest one for a byte beyond them).
    template <std::size_t N>
    static void SelectByByte(const std::array<TRadioButton*, N>& Buttons, int Byte);
    template <std::size_t N>
    static void DownByByte(const std::array<TSpeedButton*, N>& Buttons, int Byte);
    // The hold/peak byte of a group: Off 0, Hold 1, Peak 2.
    static int HoldPeakValue(TRadioButton* Off, TRadioButton* Hold, TRadioButton* Peak);
    void StepStructure(int& Type, int Step, int Position, TImage* Image);
};

}  // namespace zel
