#include "uilib/base/uiBaseUnits.h"

#include "platform/vcl/FormReader.h"
#include "platform/vcl/PlatformUnits.h"
#include "uilib/base/ubCore.h"
#include "uilib/base/ubOffice11.h"
#include "uilib/base/ubThemeManager.h"
#include "uilib/base/ubUxTheme.h"
#include "uilib/base/uiBitmaps.h"
#include "uilib/base/uiClasses.h"
#include "uilib/base/uiControls.h"
#include "uilib/base/uiControlsControl.h"
#include "uilib/base/uiDataConsts.h"
#include "uilib/base/uiDrawTextUtils.h"
#include "uilib/base/uiFilterConsts.h"
#include "uilib/base/uiGeometry.h"
#include "uilib/base/uiGraphics.h"
#include "uilib/base/uiImageList.h"
#include "uilib/base/uiLookAndFeelPainters.h"
#include "uilib/base/uiLookAndFeels.h"
#include "uilib/base/uiShellCommon.h"
#include "uilib/base/uiShellSpecialFolders.h"

namespace zel {

TUnitRows uiBaseUnits() {
    return {
        {"ubCore", nullptr, ubFreeResourceStringsRepository},
        FormClassesRow("uiClasses", RegisteruiClassesClasses),
        {"ubUxTheme", ubUxThemeStartup, ubUxThemeShutdown},
        {"ubThemeManager", ubThemeManagerStartup, ubThemeManagerShutdown},
        FormClassesRow("uiGeometry", RegisteruiGeometryClasses),
        {"ubOffice11", ubOffice11Startup, ubOffice11Shutdown},
        {"uiDrawTextUtils", uiDrawTextUtilsStartup, uiDrawTextUtilsShutdown},
        FormClassesRow(
            "uiGraphics", RegisterUiImageListClasses,
            [] {
                CreatePredefinedBrushes();
                uiBitmapsStartup();  // binds "AlphaBlend"
            },
            [] {
                uiBitmapsShutdown();  // frees RenderImage's scratch bitmaps
                FreeScreenCanvas();
                FreePredefinedBrushes();
            }),
        {"uiLookAndFeelPainters", uiLookAndFeelPaintersStartup, uiLookAndFeelPaintersShutdown},
        FormClassesRow("uiLookAndFeels", RegisteruiLookAndFeelsClasses, uiLookAndFeelsStartup, uiLookAndFeelsShutdown),
        FormClassesRow("uiControls", RegisteruiControlsClasses, uiControlsRowStartup, uiControlsShutdown),
        {"uiDataConsts", uiDataConstsStartup, uiDataConstsShutdown},
        {"uiFilterConsts", uiFilterConstsStartup, uiFilterConstsShutdown},
        {"uiShellCommon", uiShellCommonStartup, uiShellCommonShutdown},
        {"uiShellSpecialFolders", uiRefillShellSpecialFolders, uiFreeShellSpecialFolders},
    };
}

TUnitRows uiBaseUnitList() { return JoinUnitRows({PlatformUnits(), uiBaseUnits()}); }

}  // namespace zel
