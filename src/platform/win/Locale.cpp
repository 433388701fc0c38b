// Regional settings over Qt's locale and collation.
#include "platform/win/Locale.h"

#include <QCollator>
#include <QLocale>
#include <QString>

#include <cctype>
#include <cstring>

#include "platform/rtl/Charset.h"
#include "platform/rtl/SysUtils.h"

namespace zel {

namespace {

std::string& UserLocaleName() {
    static std::string name;
    return name;
}

QLocale EnglishForC(const QLocale& locale) {
    return locale.language() == QLocale::C ? QLocale(QLocale::English, QLocale::UnitedStates) : locale;
}

QLocale UserLocale() {
    const std::string& name = UserLocaleName();
    return EnglishForC(name.empty() ? QLocale::system() : QLocale(QString::fromStdString(name)));
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

// Qt's date picture in the d, M and y letters of the locale information; two-digit years show four.
std::string DatePicture(const QString& qt) {
    std::string out;
    const std::string text = ToAnsi(qt);
    for (std::size_t i = 0; i < text.size();) {
        if (text[i] == '\'') {
            const std::size_t end = text.find('\'', i + 1);
            const std::size_t stop = end == std::string::npos ? text.size() : end + 1;
            out += text.substr(i, stop - i);
            i = stop;
            continue;
        }
        std::size_t n = 1;
        while (i + n < text.size() && text[i + n] == text[i]) ++n;
        if (text[i] == 'y') out += n <= 2 ? "yyyy" : std::string(n, 'y');
        else out += text.substr(i, n);
        i += n;
    }
    return out;
}

bool TwelveHour(const QLocale& locale) {
    return locale.timeFormat(QLocale::LongFormat).contains(QLatin1Char('a'), Qt::CaseInsensitive);
}

bool HourLeadingZero(const QLocale& locale) {
    const QString f = locale.timeFormat(QLocale::ShortFormat);
    return f.contains(QStringLiteral("hh"), Qt::CaseInsensitive);
}

char FirstSeparator(const std::string& picture, char fallback) {
    for (char c : picture)
        if (!std::isalpha(static_cast<unsigned char>(c)) && c != '\'' && c != ' ') return c;
    return fallback;
}

// The positive (0-3) and negative (0-15) currency forms, found by how the locale writes 1 and -1.
int CurrencyForm(const QLocale& locale, bool negative) {
    static const char* const positive[] = {"$1", "1$", "$ 1", "1 $"};
    static const char* const negatives[] = {"($1)", "-$1",  "$-1",  "$1-",  "(1$)", "-1$",  "1-$",   "1$-",
                                            "-1 $", "-$ 1", "1 $-", "$ 1-", "$ -1", "1- $", "($ 1)", "(1 $)"};
    QString text = locale.toCurrencyString(negative ? -1.0 : 1.0);
    text.replace(locale.currencySymbol(), QStringLiteral("$"));
    QString shape;
    bool inNumber = false;
    for (const QChar c : text) {
        const bool numberChar = c.isDigit() || c == locale.decimalPoint().at(0) || c == locale.groupSeparator().at(0);
        if (numberChar) {
            if (!inNumber) shape += QLatin1Char('1');
            inNumber = true;
            continue;
        }
        inNumber = false;
        if (c.isSpace()) shape += QLatin1Char(' ');
        else if (c == QLatin1Char('-') || c == QChar(0x2212)) shape += QLatin1Char('-');
        else shape += c;
    }
    const std::string s = shape.toStdString();
    if (negative) {
        for (int i = 0; i < 16; ++i)
            if (s == negatives[i]) return i;
        return 1;
    }
    for (int i = 0; i < 4; ++i)
        if (s == positive[i]) return i;
    return 0;
}

std::string TimePicture(const QLocale& locale) {
    const std::string hour =
        TwelveHour(locale) ? (HourLeadingZero(locale) ? "hh" : "h") : (HourLeadingZero(locale) ? "HH" : "H");
    const std::string t = ToAnsi(locale.timeFormat(QLocale::LongFormat));
    const char sep = FirstSeparator(t, ':');
    return hour + sep + "mm" + sep + "ss" + (TwelveHour(locale) ? " tt" : "");
}

}  // namespace

std::string GetLocaleStr(LCID Locale, LCTYPE LCType, const std::string& Default) {
    const int size = GetLocaleInfoA(Locale, LCType, nullptr, 0);
    if (size <= 0) return Default;
    std::string text(static_cast<std::size_t>(size), '\0');
    if (GetLocaleInfoA(Locale, LCType, text.data(), size) != size) return Default;
    text.pop_back();
    return text;
}

void GetFormatSettingsFromLocale() {
    TFormatSettings& fs = FormatSettings;
    auto one = [](LCTYPE type, char fallback) {
        const std::string s = GetLocaleStr(LOCALE_USER_DEFAULT, type);
        return s.size() == 1 ? s[0] : fallback;
    };
    fs.DecimalSeparator = one(LOCALE_SDECIMAL, '.');
    fs.ThousandSeparator = one(LOCALE_STHOUSAND, ',');
    fs.ListSeparator = one(LOCALE_SLIST, ',');
    fs.DateSeparator = one(LOCALE_SDATE, '/');
    fs.TimeSeparator = one(LOCALE_STIME, ':');
    fs.CurrencyString = GetLocaleStr(LOCALE_USER_DEFAULT, LOCALE_SCURRENCY, "$");
    fs.CurrencyFormat = static_cast<std::uint8_t>(StrToIntDef(GetLocaleStr(LOCALE_USER_DEFAULT, LOCALE_ICURRENCY), 0));
    fs.NegCurrFormat = static_cast<std::uint8_t>(StrToIntDef(GetLocaleStr(LOCALE_USER_DEFAULT, LOCALE_INEGCURR), 0));
    fs.CurrencyDecimals =
        static_cast<std::uint8_t>(StrToIntDef(GetLocaleStr(LOCALE_USER_DEFAULT, LOCALE_ICURRDIGITS), 2));
    // Pictures use the letters of the runtime's formats: minutes are "nn", the day period "AMPM".
    std::string shortDate = GetLocaleStr(LOCALE_USER_DEFAULT, LOCALE_SSHORTDATE, "M/d/yyyy");
    for (char& c : shortDate)
        if (c == fs.DateSeparator) c = '/';
    fs.ShortDateFormat = shortDate;
    fs.LongDateFormat = GetLocaleStr(LOCALE_USER_DEFAULT, LOCALE_SLONGDATE, fs.LongDateFormat);
    fs.TimeAMString = GetLocaleStr(LOCALE_USER_DEFAULT, LOCALE_S1159, "AM");
    fs.TimePMString = GetLocaleStr(LOCALE_USER_DEFAULT, LOCALE_S2359, "PM");
    const bool twelve = GetLocaleStr(LOCALE_USER_DEFAULT, LOCALE_ITIME, "0") == "0";
    const std::string hour = GetLocaleStr(LOCALE_USER_DEFAULT, LOCALE_ITLZERO, "0") == "1" ? "hh" : "h";
    const std::string period = twelve ? " AMPM" : "";
    fs.ShortTimeFormat = hour + ":mm" + period;
    fs.LongTimeFormat = hour + ":mm:ss" + period;
    for (int i = 0; i < 12; ++i) {
        fs.LongMonthNames[i] = GetLocaleStr(LOCALE_USER_DEFAULT, LOCALE_SMONTHNAME1 + static_cast<LCTYPE>(i));
        fs.ShortMonthNames[i] = GetLocaleStr(LOCALE_USER_DEFAULT, LOCALE_SABBREVMONTHNAME1 + static_cast<LCTYPE>(i));
    }
    for (int i = 0; i < 7; ++i) {
        // The runtime's days start on Sunday, the locale's on Monday.
        const auto locale = static_cast<LCTYPE>((i + 6) % 7);
        fs.LongDayNames[i] = GetLocaleStr(LOCALE_USER_DEFAULT, LOCALE_SDAYNAME1 + locale);
        fs.ShortDayNames[i] = GetLocaleStr(LOCALE_USER_DEFAULT, LOCALE_SABBREVDAYNAME1 + locale);
    }
}

int GetLocaleInfoA(LCID Locale, LCTYPE LCType, char* Data, int DataSize) {
    if (Locale != LOCALE_USER_DEFAULT && Locale != LOCALE_SYSTEM_DEFAULT) return 0;
    const QLocale locale = Locale == LOCALE_SYSTEM_DEFAULT ? EnglishForC(QLocale::system()) : UserLocale();
    std::string value;
    switch (LCType & ~LOCALE_NOUSEROVERRIDE) {
        case LOCALE_SDECIMAL: value = ToAnsi(locale.decimalPoint()); break;
        case LOCALE_STHOUSAND: value = ToAnsi(locale.groupSeparator()); break;
        case LOCALE_SNEGATIVESIGN: value = ToAnsi(locale.negativeSign()); break;
        case LOCALE_IFIRSTDAYOFWEEK:
            value = std::to_string(static_cast<int>(locale.firstDayOfWeek()) - static_cast<int>(Qt::Monday));
            break;
        case LOCALE_SLIST: value = locale.decimalPoint() == QStringLiteral(",") ? ";" : ","; break;
        case LOCALE_SCURRENCY: value = ToAnsi(locale.currencySymbol()); break;
        case LOCALE_ICURRDIGITS: value = "2"; break;
        case LOCALE_ICURRENCY: value = std::to_string(CurrencyForm(locale, false)); break;
        case LOCALE_INEGCURR: value = std::to_string(CurrencyForm(locale, true)); break;
        case LOCALE_SSHORTDATE: value = DatePicture(locale.dateFormat(QLocale::ShortFormat)); break;
        case LOCALE_SLONGDATE: value = DatePicture(locale.dateFormat(QLocale::LongFormat)); break;
        case LOCALE_SDATE:
            value = std::string(1, FirstSeparator(DatePicture(locale.dateFormat(QLocale::ShortFormat)), '/'));
            break;
        case LOCALE_STIME:
            value = std::string(1, FirstSeparator(ToAnsi(locale.timeFormat(QLocale::LongFormat)), ':'));
            break;
        case LOCALE_STIMEFORMAT: value = TimePicture(locale); break;
        case LOCALE_ITIME: value = TwelveHour(locale) ? "0" : "1"; break;
        case LOCALE_ITLZERO: value = HourLeadingZero(locale) ? "1" : "0"; break;
        case LOCALE_S1159: value = TwelveHour(locale) ? ToAnsi(locale.amText()) : ""; break;
        case LOCALE_S2359: value = TwelveHour(locale) ? ToAnsi(locale.pmText()) : ""; break;
        case LOCALE_IFIRSTWEEKOFYEAR: value = "0"; break;
        default: {
            const LCTYPE type = LCType & ~LOCALE_NOUSEROVERRIDE;
            if (type >= LOCALE_SDAYNAME1 && type < LOCALE_SDAYNAME1 + 7)
                value = ToAnsi(locale.dayName(static_cast<int>(type - LOCALE_SDAYNAME1) + 1, QLocale::LongFormat));
            else if (type >= LOCALE_SABBREVDAYNAME1 && type < LOCALE_SABBREVDAYNAME1 + 7)
                value =
                    ToAnsi(locale.dayName(static_cast<int>(type - LOCALE_SABBREVDAYNAME1) + 1, QLocale::ShortFormat));
            else if (type >= LOCALE_SMONTHNAME1 && type < LOCALE_SMONTHNAME1 + 12)
                value = ToAnsi(
                    locale.standaloneMonthName(static_cast<int>(type - LOCALE_SMONTHNAME1) + 1, QLocale::LongFormat));
            else if (type >= LOCALE_SABBREVMONTHNAME1 && type < LOCALE_SABBREVMONTHNAME1 + 12)
                value = ToAnsi(locale.standaloneMonthName(static_cast<int>(type - LOCALE_SABBREVMONTHNAME1) + 1,
                                                          QLocale::ShortFormat));
            else return 0;
        }
    }
    const int needed = static_cast<int>(value.size()) + 1;
    if (DataSize == 0) return needed;
    if (Data == nullptr || DataSize < needed) return 0;
    std::memcpy(Data, value.c_str(), static_cast<std::size_t>(needed));
    return needed;
}

int AnsiCompareText(std::string_view S1, std::string_view S2) { return Compare(S1, S2, Qt::CaseInsensitive); }

int AnsiCompareStr(std::string_view S1, std::string_view S2) { return Compare(S1, S2, Qt::CaseSensitive); }

namespace {
std::function<void()>& LocaleChangedHandler() {
    static std::function<void()> handler;
    return handler;
}
}  // namespace

void SetLocaleChangedHandler(std::function<void()> Handler) { LocaleChangedHandler() = std::move(Handler); }

void NotifyLocaleChanged() {
    if (LocaleChangedHandler()) LocaleChangedHandler()();
}

void SetUserLocaleName(const std::string& Name) { UserLocaleName() = Name; }

namespace {
std::vector<std::pair<BYTE, BYTE>>& LeadByteRanges() {
    static std::vector<std::pair<BYTE, BYTE>> ranges;
    return ranges;
}
}  // namespace

BOOL IsDBCSLeadByte(BYTE TestChar) {
    for (const auto& [first, last] : LeadByteRanges())
        if (TestChar >= first && TestChar <= last) return TRUE;
    return FALSE;
}

void SetTestLeadByteRanges(std::vector<std::pair<BYTE, BYTE>> Ranges) { LeadByteRanges() = std::move(Ranges); }

}  // namespace zel
