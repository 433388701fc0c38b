#pragma once
// What the six editors of one tone of a patch share (wave, pitch, TVF, TVA, LFO and control): the tone
// taken from the opener variables, the tone's editor slot, the caption, the button row, the writing of an
// envelope graph's points, and the showing of stored bytes that a control cannot show.
#include <array>
#include <cstddef>
#include <string>

#include "controls/Uecomp.h"
#include "editors/EditorForm.h"
#include "platform/vcl/Buttons.h"
#include "platform/vcl/ExtCtrls.h"
#include "platform/vcl/StdCtrls.h"

namespace zel {

class TToneEditor : public TPatchSectionEditor {
public:
    using TPatchSectionEditor::TPatchSectionEditor;
    std::string ClassName() const override { return "TToneEditor"; }

    TPanel* Panelbtn = nullptr;

    // The tone's editor slot of this window (TTone::teWave ... TTone::teControl).
    virtual int ToneSlot() const = 0;

protected:
    // Binds the protocol's handlers and the button row.
    void DefineToneBindings(TFormBindings& B);
    // Takes the patch and the tone (1..4) handed over; a tone outside 1..4 takes no patch.
    void TakeTone(TPatch* Patch, int Tone);
    TEditorSlot& Slot() const override;
    TControl* ButtonPanel() const override { return Panelbtn; }

    // Writes the times of points 1..4 to TimePosition.., then the levels of points 1..Levels to
    // LevelPosition.., each as its own byte with its own record; unchanged bytes send nothing.
    void StoreEnvelope(const TPanGraph* Graph, int TimePosition, int LevelPosition, int Levels);
    // The points 1..4 of an envelope from its stored times and levels (Levels of them; the others 0).
    TGraphPoints EnvelopeOf(int TimePosition, int LevelPosition, int Levels) const;

    // A field shows the code nearest to Code that it can show.
    static void ShowCode(TMyEdit* Field, int Code);
    // A combo shows the item of the byte; a byte beyond the items shows none.
    static void ShowItem(TComboBox* Combo, int Byte);
    // The button of the byte is down (the last one for a byte beyond them).
    template <std::size_t N>
    static void DownByByte(const std::array<TSpeedButton*, N>& Buttons, int Byte) {
        Buttons[static_cast<std::size_t>(ClampToRange(Byte, 0, static_cast<int>(N) - 1))]->SetDown(true);
    }
    // The tag of the control that sent an event; -1 for none.
    static int TagOf(TObject* Sender);
};

}  // namespace zel
