#pragma once
// The resource strings of the data controller, registered as the product group "UIDataController".
#include "uilib/base/ubCore.h"

namespace zel {

inline constexpr const char* uiDataConstsProductName = "UIDataController";

extern const TResStringRec uiSDataReadError;
extern const TResStringRec uiSDataWriteError;
extern const TResStringRec uiSDataItemExistError;
extern const TResStringRec uiSDataRecordIndexError;
extern const TResStringRec uiSDataItemIndexError;
extern const TResStringRec uiSDataProviderModeError;
extern const TResStringRec uiSDataInvalidStreamFormat;
extern const TResStringRec uiSDataRowIndexError;
extern const TResStringRec uiSDataCustomDataSourceInvalidCompare;
extern const TResStringRec uiSDBDetailFilterControllerNotFound;
extern const TResStringRec uiSDBNotInGridMode;
extern const TResStringRec uiSDBKeyFieldNotFound;

// Lists the group's names in their fixed order.
void uiDataConstsRegisterResourceStrings(TubProductResourceStrings* Product);

// The unit's start-up registers its product group; its shutdown unregisters it.
void uiDataConstsStartup();
void uiDataConstsShutdown();

}  // namespace zel
