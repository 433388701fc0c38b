#pragma once
// TFormRhythm, the container window of one rhythm set: the set's name, edited in place, its main,
// pitch, TVF and TVA sections as panels, and the row of speed buttons with the set's operations. A double
// click on a section opens its key editor; a section dragged onto another set's window is copied into
// all 64 keys of that set.
#include <string>

#include "editors/NameField.h"
#include "editors/SectionContainer.h"
#include "platform/vcl/StdCtrls.h"

namespace zel {

class TRhythm;

class TFormRhythm : public TSectionContainer {
public:
    explicit TFormRhythm(TComponent* AOwner) : TSectionContainer(AOwner) {}
    std::string ClassName() const override { return "TFormRhythm"; }
    const TFormResource* FormResource() const override;
    void DefineBindings(TFormBindings& Bindings) override;

    // Makes and shows the window of Rhythm, a child of the main window (Owner), handing the set over
    // through OpeningRhythm.
    static TFormRhythm* Open(TComponent* Owner, TRhythm& Rhythm);

    TRhythm* EditElem = nullptr;

    TEdit* EditName = nullptr;
    TPanel* PanelRhythm = nullptr;
    TPanel* RhyMain = nullptr;
    TPanel* RhyPitch = nullptr;
    TPanel* RhyTVF = nullptr;
    TPanel* RhyTVA = nullptr;

    void RhyMainDblClick(TObject* Sender);
    void RhyPitchDblClick(TObject* Sender);
    void RhyTVFDblClick(TObject* Sender);
    void RhyTVADblClick(TObject* Sender);
    // Every key release marks the set modified and writes the padded name, without an undo record.
    void EditNameKeyUp(TObject* Sender, WORD& Key, TShiftState Shift);
    void EditNameKeyPress(TObject* Sender, char& Key);

protected:
    TLibElem* Element() const override;
    void TakeOpenerVariables() override;
    int HelpContextNumber() const override { return 48; }
    void MakeCurrent() override;
    void ForgetElement() override { EditElem = nullptr; }
    TPanel* GroupPanel() const override { return PanelRhythm; }
    int FixedWidth() const override { return 434; }
    int FixedHeight() const override { return 194; }
    void FillControls() override;
    // One dragged section into all 64 keys of the target set.
    void CopySection(const TDragElem& Item, TSectionContainer& Target) override;
    void CloseBlockEditors() override;
};

}  // namespace zel
