#pragma once
// TFormPerComm, the performance common editor: the performance's name, default tempo, velocity range
// switch and the voice reserve of its sixteen parts, with the count of voices still available.
#include <array>
#include <span>
#include <string>

#include "controls/Uecomp.h"
#include "editors/EditorForm.h"
#include "editors/NameField.h"
#include "platform/vcl/ExtCtrls.h"
#include "platform/vcl/StdCtrls.h"

namespace zel {

class TPerformance;

// The voices the instrument has for the sixteen reserves together.
inline constexpr int TotalVoiceCount = 64;

class TFormPerComm : public TEditorForm {
public:
    explicit TFormPerComm(TComponent* AOwner) : TEditorForm(AOwner) {}
    std::string ClassName() const override { return "TFormPerComm"; }
    const TFormResource* FormResource() const override;
    void DefineBindings(TFormBindings& Bindings) override;

    TPerformance* EditElem = nullptr;
    // The sum of the sixteen reserve codes.
    int TotalVoices = 0;

    // ---- components of the form resource
    TPanel* Panel1 = nullptr;
    TPanel* Panel8 = nullptr;
    TPanel* PanelBtn = nullptr;
    TPanel* PanelKB = nullptr;
    TPanel* PanelCS = nullptr;
    TEdit* EditName = nullptr;
    TMyEdit* DefaultTempo = nullptr;
    TCheckBox* VelRangeSwitch = nullptr;
    TEdit* EditTotalVoice = nullptr;
    std::array<TMyEdit*, 16> Part{};  // Part1 .. Part16

    // ---- the protocol
    void UpdateView() override;
    // Pushes the old bytes of the run as one undo group whether or not they change (every key release
    // in the name records one), then stores and sends the run as one message.
    void SendAndStoreArray(int Position, std::span<const std::uint8_t> Bytes);
    void CalcTotalVoice();

    // ---- handlers
    void FormCreate(TObject* Sender) override;
    void EditNameKeyUp(TObject* Sender, WORD& Key, TShiftState Shift);
    void EditNameKeyPress(TObject* Sender, char& Key);
    void DefaultTempoEndChange(TObject* Sender);
    void VelRangeSwitchClick(TObject* Sender);
    // While a reserve steps: a total past the instrument's voices steps the field back at once.
    void Part1change(TObject* Sender);
    void Part1EndChange(TObject* Sender);

protected:
    TLibElem* Element() const override;
    void TakeOpenerVariables() override;
    int HelpContextNumber() const override { return 40; }
    TEditorSlot* EditorSlot() const override;
    void MakeCurrent() override;
    void ForgetElement() override { EditElem = nullptr; }
    TControl* ButtonPanel() const override { return PanelBtn; }
    std::uint8_t GetParam(int Position) const override;
    void SetParam(int Position, std::uint8_t Value) override;
    void SetParams(int Position, std::span<const std::uint8_t> Bytes) override;
    void PutParam(int Position, std::uint8_t Value) override;
    void SendBlockToTemp() override;

private:
    void ShowAvailable();
};

}  // namespace zel
