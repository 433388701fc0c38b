#include "platform/rtl/SqlTimSt.h"

#include <cmath>

#include "platform/rtl/SysUtils.h"

namespace zel {

bool TrySQLTimeStampToDateTime(const TSQLTimeStamp& ts, TDateTime& result) {
    if (ts.Year == 0 && ts.Month == 0 && ts.Day == 0 && ts.Hour == 0 && ts.Minute == 0 && ts.Second == 0 &&
        ts.Fractions == 0) {
        result = 0;
        return true;
    }
    TDateTime date = 0, time = 0;
    if (!TryEncodeDate(ts.Year, ts.Month, ts.Day, date)) return false;
    if (ts.Fractions > 999 || !TryEncodeTime(ts.Hour, ts.Minute, ts.Second, static_cast<int>(ts.Fractions), time))
        return false;
    result = date >= 0 ? date + time : date - time;
    return true;
}

TDateTime SQLTimeStampToDateTime(const TSQLTimeStamp& ts) {
    TDateTime r = 0;
    if (!TrySQLTimeStampToDateTime(ts, r)) throw EConvertError("Invalid SQL time stamp");
    return r;
}

TSQLTimeStamp DateTimeToSQLTimeStamp(TDateTime dt) {
    int y, m, d, h, n, s, ms;
    DecodeDate(dt, y, m, d);
    DecodeTime(dt, h, n, s, ms);
    TSQLTimeStamp r;
    r.Year = static_cast<std::int16_t>(y);
    r.Month = static_cast<std::uint16_t>(m);
    r.Day = static_cast<std::uint16_t>(d);
    r.Hour = static_cast<std::uint16_t>(h);
    r.Minute = static_cast<std::uint16_t>(n);
    r.Second = static_cast<std::uint16_t>(s);
    r.Fractions = static_cast<std::uint32_t>(ms);
    return r;
}

int SQLTimeStampCompare(const TSQLTimeStamp& a, const TSQLTimeStamp& b) {
    const std::int64_t pairs[7][2] = {{a.Year, b.Year},          {a.Month, b.Month},   {a.Day, b.Day},
                                      {a.Hour, b.Hour},          {a.Minute, b.Minute}, {a.Second, b.Second},
                                      {a.Fractions, b.Fractions}};
    for (const auto& p : pairs)
        if (p[0] != p[1]) return p[0] < p[1] ? -1 : 1;
    return 0;
}

}  // namespace zel
