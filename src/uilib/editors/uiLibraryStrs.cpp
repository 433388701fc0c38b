#include "uilib/editors/uiLibraryStrs.h"

namespace zel {

const TResStringRec suiCantCreateRegistryKey{"suiCantCreateRegistryKey", "Can't create the registry key: \\%s"};
const TResStringRec suiCantOpenRegistryKey{"suiCantOpenRegistryKey", "Can't open the registry key: \\%s"};
const TResStringRec suiErrorStoreObject{"suiErrorStoreObject", "Error store %s object"};
const TResStringRec suiConverterCantCreateStyleRepository{"suiConverterCantCreateStyleRepository",
                                                          "Can't create the Style Repository"};
const TResStringRec uiSDateToday{"uiSDateToday", "today"};
const TResStringRec uiSDateYesterday{"uiSDateYesterday", "yesterday"};
const TResStringRec uiSDateTomorrow{"uiSDateTomorrow", "tomorrow"};
const TResStringRec uiSDateSunday{"uiSDateSunday", "Sunday"};
const TResStringRec uiSDateMonday{"uiSDateMonday", "Monday"};
const TResStringRec uiSDateTuesday{"uiSDateTuesday", "Tuesday"};
const TResStringRec uiSDateWednesday{"uiSDateWednesday", "Wednesday"};
const TResStringRec uiSDateThursday{"uiSDateThursday", "Thursday"};
const TResStringRec uiSDateFriday{"uiSDateFriday", "Friday"};
const TResStringRec uiSDateSaturday{"uiSDateSaturday", "Saturday"};
const TResStringRec uiSDateFirst{"uiSDateFirst", "first"};
const TResStringRec uiSDateSecond{"uiSDateSecond", "second"};
const TResStringRec uiSDateThird{"uiSDateThird", "third"};
const TResStringRec uiSDateFourth{"uiSDateFourth", "fourth"};
const TResStringRec uiSDateFifth{"uiSDateFifth", "fifth"};
const TResStringRec uiSDateSixth{"uiSDateSixth", "sixth"};
const TResStringRec uiSDateSeventh{"uiSDateSeventh", "seventh"};
const TResStringRec uiSDateBOM{"uiSDateBOM", "bom"};
const TResStringRec uiSDateEOM{"uiSDateEOM", "eom"};
const TResStringRec uiSDateNow{"uiSDateNow", "now"};

void uiLibraryStrsRegisterResourceStrings(TubProductResourceStrings* Product) {
    Product->Add("suiCantCreateRegistryKey", &suiCantCreateRegistryKey);
    Product->Add("suiCantOpenRegistryKey", &suiCantOpenRegistryKey);
    Product->Add("suiErrorStoreObject", &suiErrorStoreObject);
    Product->Add("suiConverterCantCreateStyleRepository", &suiConverterCantCreateStyleRepository);
    Product->Add("uiSDateToday", &uiSDateToday);
    Product->Add("uiSDateYesterday", &uiSDateYesterday);
    Product->Add("uiSDateTomorrow", &uiSDateTomorrow);
    Product->Add("uiSDateSunday", &uiSDateSunday);
    Product->Add("uiSDateMonday", &uiSDateMonday);
    Product->Add("uiSDateTuesday", &uiSDateTuesday);
    Product->Add("uiSDateWednesday", &uiSDateWednesday);
    Product->Add("uiSDateThursday", &uiSDateThursday);
    Product->Add("uiSDateFriday", &uiSDateFriday);
    Product->Add("uiSDateSaturday", &uiSDateSaturday);
    Product->Add("uiSDateFirst", &uiSDateFirst);
    Product->Add("uiSDateSecond", &uiSDateSecond);
    Product->Add("uiSDateThird", &uiSDateThird);
    Product->Add("uiSDateFourth", &uiSDateFourth);
    Product->Add("uiSDateFifth", &uiSDateFifth);
    Product->Add("uiSDateSixth", &uiSDateSixth);
    Product->Add("uiSDateSeventh", &uiSDateSeventh);
    Product->Add("uiSDateBOM", &uiSDateBOM);
    Product->Add("uiSDateEOM", &uiSDateEOM);
    Product->Add("uiSDateNow", &uiSDateNow);
}

void uiLibraryStrsStartup() { ubRegisterProduct(uiLibraryStrsProductName, uiLibraryStrsRegisterResourceStrings); }

void uiLibraryStrsShutdown() { ubUnregisterProduct(uiLibraryStrsProductName); }

}  // namespace zel
