#pragma once
// TFormNames, "Select Name": the name picker. It holds the 65 numbered name lists read from "Names.Txt"
// and "UserCard.Txt" in the data folder and shows one of them in a grid of 6 columns; the editors set
// Selected and the list, show it modally and read Selected back.
#include <array>
#include <cstdint>
#include <string>

#include "platform/rtl/StringList.h"
#include "platform/vcl/Buttons.h"
#include "platform/vcl/Forms.h"
#include "platform/vcl/Grids.h"

namespace zel {

class TFormNames : public TForm {
public:
    explicit TFormNames(TComponent* AOwner);
    ~TFormNames() override;
    std::string ClassName() const override { return "TFormNames"; }
    const TFormResource* FormResource() const override;
    void DefineBindings(TFormBindings& Bindings) override;

    static constexpr int ListCount = 65;
    static constexpr int GridColumns = 6;
    static constexpr int GridRows = 43;
    // The rows the grid shows at once: the last top row is GridRows - ShownRows.
    static constexpr int ShownRows = 12;

    // ---- components of the form resource
    TStringGrid* StringGrid1 = nullptr;
    TBitBtn* BitBtn3 = nullptr;  // OK
    TBitBtn* BitBtn1 = nullptr;  // Cancel

    // ---- the lists, numbered 1..65 as the editors ask for them
    std::array<TStringList, ListCount> Lists;
    TStrings& List(int Number) { return Lists[static_cast<std::size_t>(Number - 1)]; }
    int ListType = 0;           // the list on show
    std::int32_t Selected = 0;  // the position picked in that list

    // Clears the lists and reads "Names.Txt", then "UserCard.Txt" from the list after the last one
    // "Names.Txt" opened. A missing or unreadable "Names.Txt" raises EInOutError "Unable to Load File
    // Names.Txt Or UserCard.Txt"; a missing "UserCard.Txt" (a first run) leaves its lists empty.
    void Load();
    // Shows list Number in the grid, name i at column i mod 6, row i div 6, with the cell of Selected
    // chosen and its row scrolled to the top as far as the grid allows.
    void SetType(int Number);

    // ---- handlers
    void FormCreate(TObject* Sender);
    void BitBtn3Click(TObject* Sender);
    void BitBtn1Click(TObject* Sender);
};

extern TFormNames* FormNames;

// Reads every list of the name picker again, when it exists.
void ReloadNamePicker();
// Shows list List of the picker modally with the name at Selected chosen; the index picked with OK, or
// INameLists::NoPick after Cancel or without a picker.
int PickNameFromPicker(int List, int Selected);
// The name at Index of the picker's list List; empty beyond the list, for an unknown list or without a
// picker.
std::string NameInPicker(int List, int Index);

}  // namespace zel
