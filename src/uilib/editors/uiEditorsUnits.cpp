#include "uilib/editors/uiEditorsUnits.h"

#include "uilib/base/uiBaseUnits.h"
#include "uilib/editors/uiCheckBox.h"
#include "uilib/editors/uiContainer.h"
#include "uilib/editors/uiDWMApi.h"
#include "uilib/editors/uiDataStorage.h"
#include "uilib/editors/uiDropDownEdit.h"
#include "uilib/editors/uiEdit.h"
#include "uilib/editors/uiEditConsts.h"
#include "uilib/editors/uiEditPaintUtils.h"
#include "uilib/editors/uiExtEditConsts.h"
#include "uilib/editors/uiFilterControlStrs.h"
#include "uilib/editors/uiFormats.h"
#include "uilib/editors/uiLibraryStrs.h"
#include "uilib/editors/uiMaskEdit.h"
#include "uilib/editors/uiSpinEdit.h"
#include "uilib/editors/uiTextEdit.h"

namespace zel {

// The library's eighteen start-up steps, in order; they stop in the reverse order. A unit that is not in
// the library yet keeps its place with a row that does nothing, so that the order stays the same when it
// comes.
TUnitRows uiEditorsUnits() {
    return {
        {"uiDWMApi", uiDWMApiStartup, uiDWMApiShutdown},
        uiContainerUnitRow(),
        {"uiDataStorage", uiDataStorageStartup, uiDataStorageShutdown},
        {"uiEditPaintUtils", uiEditPaintUtilsStartup, uiEditPaintUtilsShutdown},
        {"uiFormats", nullptr, uiFormatsShutdown},
        {"uiLibraryStrs", uiLibraryStrsStartup, uiLibraryStrsShutdown},
        {"uiDateUtils", nullptr, nullptr},
        {"uiEditConsts", uiEditConstsStartup, uiEditConstsShutdown},
        // Place of the drawing utilities' painter table.
        {"uiEditUtils", nullptr, nullptr},
        uiEditUnitRow(),
        {"uiVariants", nullptr, nullptr},
        {"uiFilterControlStrs", uiFilterControlStrsStartup, uiFilterControlStrsShutdown},
        uiTextEditUnitRow(),
        uiMaskEditUnitRow(),
        uiSpinEditUnitRow(),
        uiDropDownEditUnitRow(),
        {"uiExtEditConsts", uiExtEditConstsRegister, uiExtEditConstsUnregister},
        uiCheckBoxUnitRow(),
    };
}

TUnitRows uiEditorsUnitList() { return JoinUnitRows({uiBaseUnitList(), uiEditorsUnits()}); }

}  // namespace zel
