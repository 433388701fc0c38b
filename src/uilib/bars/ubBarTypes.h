#pragma once
// The enumerations shared across the toolbar framework, and the framework's class references.
#include <cstdint>

#include "platform/rtl/System.h"
#include "uilib/base/uiClasses.h"

namespace zel {

class TubBarManager;
class TubBarItem;
class TubBarItemControl;
class TCustomubBarControl;
class TubBarGroup;

// Whether an item shows: never, only while the user customizes, or always.
enum TubBarItemVisible : std::uint8_t { ivNever, ivInCustomizing, ivAlways };
inline constexpr int ubBarItemVisibleCount = 3;

enum TubBarManagerStyle : std::uint8_t { bmsStandard, bmsEnhanced, bmsFlat, bmsXP, bmsOffice11, bmsUseLookAndFeel };

enum TubBarDockingStyle : std::uint8_t { dsNone, dsLeft, dsTop, dsRight, dsBottom };
using TubBarDockingStyles = TSet<TubBarDockingStyle>;

enum TubBarMenuAnimations : std::uint8_t { maNone, maRandom, maUnfold, maSlide, maFade };

}  // namespace zel
