#include "uilib/base/uiDataConsts.h"

namespace zel {

const TResStringRec uiSDataReadError{"uiSDataReadError", "Stream read error"};
const TResStringRec uiSDataWriteError{"uiSDataWriteError", "Stream write error"};
const TResStringRec uiSDataItemExistError{"uiSDataItemExistError", "Item already exists"};
const TResStringRec uiSDataRecordIndexError{"uiSDataRecordIndexError", "RecordIndex out of range"};
const TResStringRec uiSDataItemIndexError{"uiSDataItemIndexError", "ItemIndex out of range"};
const TResStringRec uiSDataProviderModeError{"uiSDataProviderModeError",
                                             "This operation is not supported in provider mode"};
const TResStringRec uiSDataInvalidStreamFormat{"uiSDataInvalidStreamFormat", "Invalid stream format"};
const TResStringRec uiSDataRowIndexError{"uiSDataRowIndexError", "RowIndex out of range"};
const TResStringRec uiSDataCustomDataSourceInvalidCompare{"uiSDataCustomDataSourceInvalidCompare",
                                                          "GetInfoForCompare not implemented"};
const TResStringRec uiSDBDetailFilterControllerNotFound{"uiSDBDetailFilterControllerNotFound",
                                                        "DetailFilterController not found"};
const TResStringRec uiSDBNotInGridMode{"uiSDBNotInGridMode", "DataController not in GridMode"};
const TResStringRec uiSDBKeyFieldNotFound{"uiSDBKeyFieldNotFound", "Key Field not found"};

void uiDataConstsRegisterResourceStrings(TubProductResourceStrings* Product) {
    Product->Add("uiSDataReadError", &uiSDataReadError);
    Product->Add("uiSDataWriteError", &uiSDataWriteError);
    Product->Add("uiSDataItemExistError", &uiSDataItemExistError);
    Product->Add("uiSDataRecordIndexError", &uiSDataRecordIndexError);
    Product->Add("uiSDataItemIndexError", &uiSDataItemIndexError);
    Product->Add("uiSDataProviderModeError", &uiSDataProviderModeError);
    Product->Add("uiSDataInvalidStreamFormat", &uiSDataInvalidStreamFormat);
    Product->Add("uiSDataRowIndexError", &uiSDataRowIndexError);
    Product->Add("uiSDataCustomDataSourceInvalidCompare", &uiSDataCustomDataSourceInvalidCompare);
    Product->Add("uiSDBDetailFilterControllerNotFound", &uiSDBDetailFilterControllerNotFound);
    Product->Add("uiSDBNotInGridMode", &uiSDBNotInGridMode);
    Product->Add("uiSDBKeyFieldNotFound", &uiSDBKeyFieldNotFound);
}

void uiDataConstsStartup() { ubRegisterProduct(uiDataConstsProductName, uiDataConstsRegisterResourceStrings); }

void uiDataConstsShutdown() { ubUnregisterProduct(uiDataConstsProductName); }

}  // namespace zel
