#pragma once
// The SQL time stamp of stored values: a 16-byte record of date and time fields.
#include <cstdint>

#include "platform/rtl/DateUtils.h"

namespace zel {

#pragma pack(push, 1)
struct TSQLTimeStamp {
    std::int16_t Year = 0;
    std::uint16_t Month = 0;
    std::uint16_t Day = 0;
    std::uint16_t Hour = 0;
    std::uint16_t Minute = 0;
    std::uint16_t Second = 0;
    std::uint32_t Fractions = 0;  // milliseconds
};
#pragma pack(pop)
static_assert(sizeof(TSQLTimeStamp) == 16);

// A stamp of a date or time that cannot exist (30 February, hour 24, fractions of 1000 ms or more) raises
// EConvertError "Invalid SQL time stamp"; the all-zero stamp is the date-time 0.
TDateTime SQLTimeStampToDateTime(const TSQLTimeStamp& ts);
bool TrySQLTimeStampToDateTime(const TSQLTimeStamp& ts, TDateTime& result);
TSQLTimeStamp DateTimeToSQLTimeStamp(TDateTime dt);
int SQLTimeStampCompare(const TSQLTimeStamp& a, const TSQLTimeStamp& b);  // field by field: -1, 0, 1

}  // namespace zel
