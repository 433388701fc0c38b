#include "uilib/editors/uiEditorsUnits.h"

#include "uilib/base/uiBaseUnits.h"
#include "uilib/editors/uiContainer.h"
#include "uilib/editors/uiDWMApi.h"
#include "uilib/editors/uiDataStorage.h"
#include "uilib/editors/uiEdit.h"
#include "uilib/editors/uiEditConsts.h"
#include "uilib/editors/uiEditPaintUtils.h"
#include "uilib/editors/uiFilterControlStrs.h"
#include "uilib/editors/uiFormats.h"
#include "uilib/editors/uiLibraryStrs.h"
#include "uilib/editors/uiMaskEdit.h"
#include "uilib/editors/uiTextEdit.h"

namespace zel {

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
        uiEditUnitRow(),
        {"uiVariants", nullptr, nullptr},
        {"uiFilterControlStrs", uiFilterControlStrsStartup, uiFilterControlStrsShutdown},
        uiTextEditUnitRow(),
        uiMaskEditUnitRow(),
    };
}

TUnitRows uiEditorsUnitList() { return JoinUnitRows({uiBaseUnitList(), uiEditorsUnits()}); }

}  // namespace zel
