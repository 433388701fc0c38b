#pragma once
// TFormSearch, the search window: finds the elements of one library by kind, name and modification date
// and time, or ("Find Duplicate") the elements whose names are equal. Bank members take part through
// their banks, the banks of a global through the global. The results can be printed or saved as text.
#include <memory>
#include <string>
#include <vector>

#include "model/LibElem.h"
#include "platform/vcl/Buttons.h"
#include "platform/vcl/ExtCtrls.h"
#include "platform/vcl/Forms.h"
#include "platform/vcl/Gauges.h"
#include "platform/vcl/Grids.h"
#include "platform/vcl/Mask.h"
#include "platform/vcl/StdCtrls.h"

namespace zel {

class TLibrary;

// One distinct name seen by Find Duplicate: the first element that carried it, and whether that
// element is in the results already.
class TDebElem : public TObject {
public:
    explicit TDebElem(TLibElem* AElement) : Element(AElement) {}
    std::string ClassName() const override { return "TDebElem"; }
    TLibElem* Element = nullptr;
    bool Reported = false;
};

class TFormSearch : public TForm {
public:
    explicit TFormSearch(TComponent* AOwner);
    ~TFormSearch() override;
    std::string ClassName() const override { return "TFormSearch"; }
    const TFormResource* FormResource() const override;
    void DefineBindings(TFormBindings& Bindings) override;

    // Set by the caller before showing: the library searched and the mode.
    TLibrary* Library = nullptr;
    bool DuplicateMode = false;
    // Set by a search, cleared on show.
    bool Searched = false;
    // The elements found, in the order found (sorted by name after Find Duplicate).
    const std::vector<TLibElem*>& Results() const { return results_; }

    // Runs the search of the mode over the library (the Search button).
    void Search();
    // The lines of "Save To Disk", CR LF after each.
    std::string ResultText() const;
    // Writes them to the file; any failure raises EInOutError "Error Saving text file", the old file kept.
    void SaveResults(const std::string& FileName) const;

    // ---- components of the form resource
    TPanel* Panel = nullptr;
    TLabel* LabelName = nullptr;
    TEdit* SearchString = nullptr;
    TGroupBox* GroupBoxFor = nullptr;
    TCheckBox* Patch = nullptr;
    TCheckBox* Performance = nullptr;
    TCheckBox* Rhythm = nullptr;
    TCheckBox* system = nullptr;
    TGroupBox* GroupBoxVari = nullptr;
    TCheckBox* CaseSens = nullptr;
    TCheckBox* substring = nullptr;
    TCheckBox* Date = nullptr;
    TCheckBox* Time = nullptr;
    TCheckBox* Selected = nullptr;
    TGroupBox* GroupDate = nullptr;
    TMaskEdit* FromDate = nullptr;
    TMaskEdit* Todate = nullptr;
    TGroupBox* GroupTime = nullptr;
    TMaskEdit* Fromtime = nullptr;
    TMaskEdit* Totime = nullptr;
    TGroupBox* GroupCaseDeb = nullptr;
    TCheckBox* DebCaseSens = nullptr;
    TCheckBox* SelectedDebug = nullptr;
    TButton* Btnsearch = nullptr;
    TGauge* Gauge = nullptr;
    TLabel* Label5 = nullptr;
    THeader* Header = nullptr;
    TDrawGrid* DrawGrid = nullptr;
    TBitBtn* BitBtn1 = nullptr;
    TButton* StampaBtn = nullptr;
    TButton* Savetodisk = nullptr;

    // ---- event handlers
    void FormShow(TObject* Sender);
    void FormClose(TObject* Sender, TCloseAction& Action);
    void DateClick(TObject* Sender);
    void BtnsearchClick(TObject* Sender);
    void DrawGridDrawCell(TObject* Sender, int ACol, int ARow, TRect Rect, TGridDrawState State);
    void StampaBtnClick(TObject* Sender);
    void SavetodiskClick(TObject* Sender);
    void BitBtn1Click(TObject* Sender);

private:
    struct TCriteria;
    // Whether the kind box of the element's type is checked; Other answers for the types without one.
    bool KindChecked(const TLibElem& Element, bool Other) const;
    // The test of the mode for one element (bank members included).
    void TestElement(TLibElem& Element, const TCriteria& Criteria);
    void TestDuplicate(TLibElem& Element);
    void SortDuplicates();
    void ShowRows();

    std::vector<TLibElem*> results_;
    std::vector<std::unique_ptr<TDebElem>> debList_;
    // The duplicate records by the name they stand for (upper-cased unless " Case Sensitive").
    struct TNameIndex;
    std::unique_ptr<TNameIndex> debIndex_;
};

// The search window, made once at start-up; none before.
extern TFormSearch* FormSearch;

}  // namespace zel
