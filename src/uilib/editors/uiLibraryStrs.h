#pragma once
// The library-wide texts and the smart-date words, registered as the product "UILibrary".
#include "uilib/base/ubCore.h"

namespace zel {

inline constexpr const char* uiLibraryStrsProductName = "UILibrary";

extern const TResStringRec suiCantCreateRegistryKey;
extern const TResStringRec suiCantOpenRegistryKey;
extern const TResStringRec suiErrorStoreObject;
extern const TResStringRec suiConverterCantCreateStyleRepository;
extern const TResStringRec uiSDateToday;
extern const TResStringRec uiSDateYesterday;
extern const TResStringRec uiSDateTomorrow;
extern const TResStringRec uiSDateSunday;
extern const TResStringRec uiSDateMonday;
extern const TResStringRec uiSDateTuesday;
extern const TResStringRec uiSDateWednesday;
extern const TResStringRec uiSDateThursday;
extern const TResStringRec uiSDateFriday;
extern const TResStringRec uiSDateSaturday;
extern const TResStringRec uiSDateFirst;
extern const TResStringRec uiSDateSecond;
extern const TResStringRec uiSDateThird;
extern const TResStringRec uiSDateFourth;
extern const TResStringRec uiSDateFifth;
extern const TResStringRec uiSDateSixth;
extern const TResStringRec uiSDateSeventh;
extern const TResStringRec uiSDateBOM;
extern const TResStringRec uiSDateEOM;
extern const TResStringRec uiSDateNow;

// Lists the strings into the product, in their fixed order.
void uiLibraryStrsRegisterResourceStrings(TubProductResourceStrings* Product);
// The unit's start-up registers the product; its shutdown unregisters it.
void uiLibraryStrsStartup();
void uiLibraryStrsShutdown();

}  // namespace zel
