#pragma once
// TFormPerformance, the container window of one performance: its common, effects and parts sections as
// panels, and the row of speed buttons with the performance's operations. A double click on a section
// opens its editor; a section dragged onto another performance's window is copied into it.
#include <string>

#include "editors/SectionContainer.h"

namespace zel {

class TPerformance;

class TFormPerformance : public TSectionContainer {
public:
    explicit TFormPerformance(TComponent* AOwner) : TSectionContainer(AOwner) {}
    std::string ClassName() const override { return "TFormPerformance"; }
    const TFormResource* FormResource() const override;
    void DefineBindings(TFormBindings& Bindings) override;

    // Makes and shows the window of Performance, a child of the main window (Owner), handing the
    // performance over through OpeningPerformance.
    static TFormPerformance* Open(TComponent* Owner, TPerformance& Performance);

    TPerformance* EditElem = nullptr;

    TPanel* PanelPerComm = nullptr;
    TPanel* PerCom = nullptr;
    TPanel* PerEff = nullptr;
    TPanel* PerParts = nullptr;

    void PerComDblClick(TObject* Sender);
    // The effects editor is opened from here once it is part of the program; until then the double
    // click only keeps this window behind.
    void PerEffDblClick(TObject* Sender);
    void PerPartsDblClick(TObject* Sender);

protected:
    TLibElem* Element() const override;
    void TakeOpenerVariables() override;
    int HelpContextNumber() const override { return 42; }
    void MakeCurrent() override;
    void ForgetElement() override { EditElem = nullptr; }
    TPanel* GroupPanel() const override { return PanelPerComm; }
    int FixedWidth() const override { return 392; }
    int FixedHeight() const override { return 150; }
    // One dragged section into the target performance: the common's name and bytes 45-63, the
    // effects bytes 12-44, or all sixteen parts.
    void CopySection(const TDragElem& Item, TSectionContainer& Target) override;
    void CloseBlockEditors() override;
};

}  // namespace zel
