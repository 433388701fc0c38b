// Regional settings over Qt's locale and collation.
#include "platform/win/Locale.h"

#include <QCollator>
#include <QLocale>
#include <QString>

#include <cstring>

#include "platform/rtl/Charset.h"

namespace zel {

namespace {

std::string& UserLocaleName() {
    static std::string name;
    return name;
}

QLocale UserLocale() {
    const std::string& name = UserLocaleName();
    return name.empty() ? QLocale::system() : QLocale(QString::fromStdString(name));
}

// Windows-1252 has no narrow no-break space (the French thousands separator): it becomes the no-break space.
std::string ToAnsi(QString text) { return Utf8ToAnsi(text.replace(QChar(0x202F), QChar(0x00A0)).toStdString()); }

QString FromAnsi(std::string_view text) { return QString::fromStdString(AnsiToUtf8(text)); }

int Compare(std::string_view S1, std::string_view S2, Qt::CaseSensitivity Case) {
    QCollator collator(UserLocale());
    collator.setCaseSensitivity(Case);
    const int r = collator.compare(FromAnsi(S1), FromAnsi(S2));
    return r < 0 ? -1 : r > 0 ? 1 : 0;
}

}  // namespace

int GetLocaleInfoA(LCID Locale, LCTYPE LCType, char* Data, int DataSize) {
    if (Locale != LOCALE_USER_DEFAULT && Locale != LOCALE_SYSTEM_DEFAULT) return 0;
    const QLocale locale = Locale == LOCALE_SYSTEM_DEFAULT ? QLocale::system() : UserLocale();
    std::string value;
    switch (LCType & ~LOCALE_NOUSEROVERRIDE) {
        case LOCALE_SDECIMAL: value = ToAnsi(locale.decimalPoint()); break;
        case LOCALE_STHOUSAND: value = ToAnsi(locale.groupSeparator()); break;
        case LOCALE_SNEGATIVESIGN: value = ToAnsi(locale.negativeSign()); break;
        case LOCALE_IFIRSTDAYOFWEEK:
            value = std::to_string(static_cast<int>(locale.firstDayOfWeek()) - static_cast<int>(Qt::Monday));
            break;
        default: return 0;
    }
    const int needed = static_cast<int>(value.size()) + 1;
    if (DataSize == 0) return needed;
    if (Data == nullptr || DataSize < needed) return 0;
    std::memcpy(Data, value.c_str(), static_cast<std::size_t>(needed));
    return needed;
}

int AnsiCompareText(std::string_view S1, std::string_view S2) { return Compare(S1, S2, Qt::CaseInsensitive); }

int AnsiCompareStr(std::string_view S1, std::string_view S2) { return Compare(S1, S2, Qt::CaseSensitive); }

void SetUserLocaleName(const std::string& Name) { UserLocaleName() = Name; }

}  // namespace zel
