#include "app/Uenames.h"

#include <algorithm>
#include <exception>
#include <vector>

#include "app/NameFiles.h"
#include "model/ModelServices.h"
#include "model/SharedRoutines.h"
#include "platform/vcl/FormReader.h"

namespace zel {

namespace formres {
extern const TFormResource Uenames;
}

TFormNames* FormNames = nullptr;

namespace {
const TFormClassRegistration registration("TFormNames", [](TComponent* Owner) -> TCustomForm* {
    return Construct<TFormNames>(Owner);
});
}  // namespace

void ReloadNamePicker() {
    if (FormNames != nullptr) FormNames->Load();
}

int PickNameFromPicker(int List, int Selected) {
    if (FormNames == nullptr) return INameLists::NoPick;
    FormNames->Selected = Selected;
    FormNames->SetType(List);
    if (FormNames->ShowModal() != mrOk) return INameLists::NoPick;
    return FormNames->Selected;
}

std::string NameInPicker(int List, int Index) {
    if (FormNames == nullptr || List < 1 || List > TFormNames::ListCount || Index < 0) return {};
    const TStrings& list = FormNames->List(List);
    return Index < list.GetCount() ? list.Get(Index) : std::string();
}

TFormNames::TFormNames(TComponent* AOwner) : TForm(AOwner) {
    if (FormNames == nullptr) FormNames = this;
}

TFormNames::~TFormNames() {
    if (FormNames == this) FormNames = nullptr;
}

const TFormResource* TFormNames::FormResource() const { return &formres::Uenames; }

void TFormNames::DefineBindings(TFormBindings& B) {
    B.Field("StringGrid1", StringGrid1);
    B.Field("BitBtn3", BitBtn3);
    B.Field("BitBtn1", BitBtn1);
    B.Handler<TNotifyEvent>("FormCreate", [this](TObject* s) { FormCreate(s); });
    B.Handler<TNotifyEvent>("BitBtn3Click", [this](TObject* s) { BitBtn3Click(s); });
    B.Handler<TNotifyEvent>("BitBtn1Click", [this](TObject* s) { BitBtn1Click(s); });
}

void TFormNames::FormCreate(TObject*) {
    // A first start finds no name file in the data folder: the one delivered with the program goes there.
    try {
        InstallNamesFile(ProgramFolder, DefaultDataFolder());
    } catch (const std::exception&) {
        // No data folder: the reading below says what is missing.
    }
    try {
        Load();
    } catch (const std::exception& e) {
        // The program starts all the same, with the lists it could read.
        Application->ShowException(e);
    }
}

void TFormNames::Load() {
    for (TStringList& list : Lists) list.Clear();
    std::vector<TStrings*> lists;
    for (TStringList& list : Lists) lists.push_back(&list);
    const std::string folder = DefaultDataFolder();
    const int last = ReadNameFile(NameFilePath(folder, NamesFileName), lists, 0);
    const std::string userCard = NameFilePath(folder, UserCardFileName);
    // A first run has no "UserCard.Txt" yet: the next update or bank transfer writes it.
    if (!NameFileMissing(userCard)) ReadNameFile(userCard, lists, last + 1);
}

void TFormNames::SetType(int Number) {
    for (int row = 0; row < GridRows; ++row)
        for (int col = 0; col < GridColumns; ++col) StringGrid1->SetCells(col, row, "");
    ListType = Number;
    if (Number >= 1 && Number <= ListCount) {
        // A list longer than the grid shows the names that fit.
        const TStrings& list = List(Number);
        const int count = std::min(list.GetCount(), GridColumns * GridRows);
        for (int i = 0; i < count; ++i) StringGrid1->SetCells(i % GridColumns, i / GridColumns, list.Get(i));
    }
    if (Selected < 0 || Selected >= GridColumns * GridRows) return;
    StringGrid1->SetCol(Selected % GridColumns);
    StringGrid1->SetRow(Selected / GridColumns);
    StringGrid1->SetTopRow(std::min(Selected / GridColumns, GridRows - ShownRows));
}

void TFormNames::BitBtn3Click(TObject*) {
    const int index = StringGrid1->GetRow() * GridColumns + StringGrid1->GetCol();
    if (ListType < 1 || ListType > ListCount || index >= List(ListType).GetCount()) return;
    Selected = index;
    ModalResult = mrOk;
}

void TFormNames::BitBtn1Click(TObject*) { ModalResult = mrCancel; }

}  // namespace zel
