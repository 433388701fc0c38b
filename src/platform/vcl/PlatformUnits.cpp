#include "platform/vcl/PlatformUnits.h"

#include "platform/rtl/SysUtils.h"
#include "platform/rtl/Variants.h"
#include "platform/vcl/Buttons.h"
#include "platform/vcl/ComCtrls.h"
#include "platform/vcl/Dialogs.h"
#include "platform/vcl/ExtCtrls.h"
#include "platform/vcl/FormReader.h"
#include "platform/vcl/Gauges.h"
#include "platform/vcl/Grids.h"
#include "platform/vcl/ImgList.h"
#include "platform/vcl/MPlayer.h"
#include "platform/vcl/Mask.h"
#include "platform/vcl/Menus.h"
#include "platform/vcl/Spin.h"
#include "platform/vcl/StdCtrls.h"
#include "platform/vcl/TabNotbk.h"
#include "platform/win/Locale.h"

namespace zel {

namespace {

// The runtime takes its format settings from the user's locale (a separator of more than one byte, which
// Windows-1252 cannot hold in one character, keeps its default), and re-reads them when the locale changes;
// variants compare strings in the locale's order.
void SysUtilsStartup() {
    GetFormatSettingsFromLocale();
    SetVariantStringComparer([](std::string_view a, std::string_view b) { return AnsiCompareStr(a, b); });
    SetLocaleChangedHandler(GetFormatSettingsFromLocale);
}

void SysUtilsShutdown() {
    SetLocaleChangedHandler(nullptr);
    SetVariantStringComparer(nullptr);
    FormatSettings = TFormatSettings{};
}

}  // namespace

TUnitRows PlatformUnits() {
    return {
        {"SysUtils", SysUtilsStartup, SysUtilsShutdown},
        FormClassesRow("Forms", RegisterFormReaderClasses),
        FormClassesRow("StdCtrls", RegisterStdCtrlsClasses),
        FormClassesRow("Buttons", RegisterButtonsClasses),
        FormClassesRow("ExtCtrls", RegisterExtCtrlsClasses),
        FormClassesRow("Spin", RegisterSpinClasses),
        FormClassesRow("Gauges", RegisterGaugesClasses),
        FormClassesRow("Dialogs", RegisterDialogsClasses),
        FormClassesRow("ImgList", RegisterImageListClasses),
        FormClassesRow("Menus", RegisterMenusClasses, {}, MenusShutdown),
        FormClassesRow("Grids", RegisterGridsClasses),
        FormClassesRow("MPlayer", RegisterMPlayerClasses),
        FormClassesRow("Mask", RegisterMaskClasses),
        FormClassesRow("TabNotbk", RegisterTabNotbkClasses),
        FormClassesRow("ComCtrls", RegisterComCtrlsClasses),
    };
}

}  // namespace zel
