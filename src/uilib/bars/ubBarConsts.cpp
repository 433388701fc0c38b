#include "uilib/bars/ubBarConsts.h"

namespace zel {

const TResStringRec ubSubBarManagerBadOwner{"ubSubBarManagerBadOwner",
                                            "TubBarManager should have as its Owner - TForm (TCustomForm)"};
const TResStringRec ubSubBarManagerMoreThanOne{"ubSubBarManagerMoreThanOne",
                                               "A Form should contain only a single TubBarManager"};
const TResStringRec ubSubCustomizeItem{"ubSubCustomizeItem", "&Customize..."};
const TResStringRec ubSubDefaultCategoryName{"ubSubDefaultCategoryName", "Default"};
const TResStringRec ubSubDragToMakeMenuFloat{"ubSubDragToMakeMenuFloat", "Drag to make this menu float"};
const TResStringRec ubSubExpandMenu{"ubSubExpandMenu", "Expand (Ctrl-Down)"};
const TResStringRec ubSubMoreButtons{"ubSubMoreButtons", "More Buttons"};
const TResStringRec ubSubNoBarManagers{"ubSubNoBarManagers", "There are no TubBarManagers available"};
const TResStringRec ubSubRecursiveGroups{"ubSubRecursiveGroups", "You cannot create recursive groups"};
const TResStringRec ubSubRecursiveSubItems{"ubSubRecursiveSubItems", "You cannot create recursive subitems"};

}  // namespace zel
