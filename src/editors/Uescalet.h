#pragma once
// TFormScaleTune, the editor of the system's 17 scale tunes (one per part and one for patch mode): the
// offset of each of the twelve notes of the octave, one scale tune at a time with a history each, copied
// and pasted through the program's clipboard.
#include <array>
#include <string>

#include "controls/Uecomp.h"
#include "editors/Uesystem.h"
#include "platform/vcl/Buttons.h"
#include "platform/vcl/StdCtrls.h"

namespace zel {

class TFormScaleTune : public TSystemSectionEditor {
public:
    explicit TFormScaleTune(TComponent* AOwner) : TSystemSectionEditor(AOwner) {}
    std::string ClassName() const override { return "TFormScaleTune"; }
    const TFormResource* FormResource() const override;
    void DefineBindings(TFormBindings& Bindings) override;

    static constexpr int NoteCount = 12;

    // ---- components of the form resource
    TPanel* PanelBtn = nullptr;
    TButton* CopyBtn = nullptr;
    TButton* PasteBtn = nullptr;
    TButton* BtnReverAll = nullptr;
    // "1" .. "16" and "Patch Mode": the button of scale tune n is SpeedButtons[n - 1].
    std::array<TSpeedButton*, 17> SpeedButtons{};
    // "Tune For C" .. "Tune For B".
    std::array<TMyEdit*, NoteCount> Tune{};

    // The scale tune on show, 1..17.
    int CurrentScaleTune = 1;

    // ---- the protocol
    void UpdateView() override;

    // ---- handlers
    void FormShow(TObject* Sender) override;
    void SpeedButton1Click(TObject* Sender);
    void Tune1EndChange(TObject* Sender);
    void CopyBtnClick(TObject* Sender);
    void PasteBtnClick(TObject* Sender);
    void BtnReverAllClick(TObject* Sender);

protected:
    void TakeOpenerVariables() override;
    int HelpContextNumber() const override { return 56; }
    int SlotIndex() const override { return TSystem::seScaleTune; }
    int UndoListCount() const override { return 17; }
    int CurrentUndoIndex() const override { return CurrentScaleTune - 1; }
    TControl* ButtonPanel() const override { return PanelBtn; }
    // The scale tune on show.
    std::uint8_t GetParam(int Position) const override;
    void SetParam(int Position, std::uint8_t Value) override;
    void PutParam(int Position, std::uint8_t Value) override;

private:
    // Shows scale tune n with its button down.
    void ShowScaleTune(int n);
};

}  // namespace zel
