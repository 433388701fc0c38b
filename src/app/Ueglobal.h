#pragma once
// TFormGlobal, the window of a global set: one row per bank of the set and its system. Without a data card
// the card banks are left out (4 rows: the user patch, performance and rhythm banks and the system); with
// one every member shows (7 rows).
#include <string>
#include <vector>

#include "app/Uebank.h"
#include "app/Ueexpan.h"

namespace zel {

class TGlobal;

// The global handed to a global window while it is being created: set by the maker, read by the window's
// creation.
extern TGlobal* OpeningGlobal;

class TFormGlobal : public TFormMembers, public IDataCardView {
public:
    explicit TFormGlobal(TComponent* AOwner);
    ~TFormGlobal() override;
    std::string ClassName() const override { return "TFormGlobal"; }
    const TFormResource* FormResource() const override;

    // Makes and shows the window of a global, owned by Owner (the main window), handing the global over
    // through OpeningGlobal.
    static TFormGlobal* OpenGlobal(TComponent* Owner, TGlobal& Global);
    // Every global window open now, in the order they were made.
    static std::vector<TFormGlobal*> OpenWindows();

    // The rows for the data-card setting (7 with a card, else 4) and the window's size around them; run on
    // every resize, and to be run on every open global window when the setting changes.
    void SetDimension();
    // The data-card setting changed: the rows follow it at once.
    void DataCardChanged() override;
    int MemberOfRow(int Row) const override;
    // Copies each dragged element onto the first member of the same kind in the same memory (user or
    // card); an element without such a member is left out.
    void ProcCopy();

    // ---- event handlers
    void FormCreate(TObject* Sender) override;
    void FormShow(TObject* Sender) override;
    void FormResize(TObject* Sender) override;
    void DrawGridDrawCell(TObject* Sender, int ACol, int ARow, TRect Rect, TGridDrawState State) override;
    void DrawGridDragOver(TObject* Sender, TObject* Source, int X, int Y, TDragState State, bool& Accept) override;
    void DrawGridEndDrag(TObject* Sender, TObject* Target, int X, int Y) override;

protected:
    void CollectDrag() override;
    bool ImportAllowed(const TLibElem& Member) const override;

private:
    bool sizing_ = false;
};

}  // namespace zel
