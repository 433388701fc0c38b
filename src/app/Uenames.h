#pragma once
// TFormNames, "Select Name": the name picker, holding the 65 numbered name lists read from "Names.Txt"
// and "UserCard.Txt".
#include <string>

namespace zel {

// Reads every list of the name picker again, when it exists.
void ReloadNamePicker();

}  // namespace zel
