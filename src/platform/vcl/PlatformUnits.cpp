#include "platform/vcl/PlatformUnits.h"

#include "platform/rtl/SysUtils.h"
#include "platform/vcl/Buttons.h"
#include "platform/vcl/Dialogs.h"
#include "platform/vcl/ExtCtrls.h"
#include "platform/vcl/FormReader.h"
#include "platform/vcl/Gauges.h"
#include "platform/vcl/Grids.h"
#include "platform/vcl/ImgList.h"
#include "platform/vcl/Menus.h"
#include "platform/vcl/Spin.h"
#include "platform/vcl/StdCtrls.h"
#include "platform/vcl/TabNotbk.h"
#include "platform/win/Locale.h"

namespace zel {

namespace {

// The runtime takes its decimal separator from the user's locale (a separator of more than one byte, which
// Windows-1252 cannot hold in one character, leaves '.').
void SysUtilsStartup() {
    char text[8] = {};
    if (GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, text, sizeof text) == 2) DecimalSeparator = text[0];
}

void SysUtilsShutdown() { DecimalSeparator = '.'; }

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
        FormClassesRow("TabNotbk", RegisterTabNotbkClasses),
    };
}

}  // namespace zel
