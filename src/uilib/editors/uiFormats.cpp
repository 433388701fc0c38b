#include "uilib/editors/uiFormats.h"

#include <algorithm>
#include <cctype>

#include "platform/rtl/SysUtils.h"
#include "platform/vcl/Forms.h"
#include "platform/win/Locale.h"
#include "platform/win/Windows.h"
#include "uilib/base/ubCore.h"
#include "uilib/editors/uiLibraryStrs.h"

namespace zel {

namespace {

TuiFormatController* g_controller = nullptr;

char Upper(char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); }

bool StartsWithNoCase(const std::string& s, std::size_t i, const char* word) {
    const std::size_t n = std::char_traits<char>::length(word);
    return s.size() - i >= n && SameText(std::string_view(s).substr(i, n), word);
}

// The tokeniser's state over one top-level format and its nested formats.
struct TTokenizer {
    TuiDateTimeFormatInfo& Info;
    bool TwelveHour = false;
    char PreviousLetter = 0;

    void Add(TuiDateTimeFormatItemKind Kind, const std::string& Data) {
        if (Kind == dtikString) {
            if (!Info.Items.empty() && Info.Items.back().Kind == dtikString) {
                Info.Items.back().Data += Data;
                return;
            }
        } else if (Kind != dtikDateSeparator && Kind != dtikTimeSeparator) {
            if (Info.DefinedItems[Kind]) return;
        }
        Info.DefinedItems[Kind] = true;
        Info.Items.push_back({Kind, Data});
    }

    bool Parse(std::string Format, int Depth) {
        if (Depth > 2) return true;
        if (Format.empty()) Format = "C";
        const TFormatSettings& fs = FormatSettings;
        std::size_t i = 0;
        while (i < Format.size()) {
            const char raw = Format[i];
            if (raw == '\'' || raw == '"') {
                const std::size_t end = Format.find(raw, i + 1);
                const std::size_t stop = end == std::string::npos ? Format.size() : end;
                Add(dtikString, Format.substr(i + 1, stop - i - 1));
                i = stop + 1;
                continue;
            }
            if (raw == '/') {
                Add(dtikDateSeparator, std::string(1, fs.DateSeparator));
                ++i;
                continue;
            }
            if (raw == ':') {
                Add(dtikTimeSeparator, std::string(1, fs.TimeSeparator));
                ++i;
                continue;
            }
            bool suffix = false;
            for (const char* word : {"AM/PM", "A/P", "AMPM"}) {
                if (StartsWithNoCase(Format, i, word)) {
                    const std::size_t n = std::char_traits<char>::length(word);
                    Add(dtikTimeSuffix, Format.substr(i, n));
                    TwelveHour = true;
                    i += n;
                    suffix = true;
                    break;
                }
            }
            if (suffix) continue;
            char c = Upper(raw);
            if (!std::isalpha(static_cast<unsigned char>(c))) {
                Add(dtikString, std::string(1, raw));
                ++i;
                continue;
            }
            if (c == 'M' && PreviousLetter == 'H') c = 'N';
            std::size_t n = 1;
            while (i + n < Format.size() && Upper(Format[i + n]) == Upper(raw)) ++n;
            i += n;
            PreviousLetter = c;
            switch (c) {
                case 'A':
                    if (n == 3 || n == 4) Add(dtikDay, std::string(n, 'D'));
                    else Add(dtikString, std::string(n, raw));
                    break;
                case 'C':
                    if (!Parse(fs.ShortDateFormat, Depth + 1)) return false;
                    Add(dtikString, " ");
                    if (!Parse(fs.LongTimeFormat, Depth + 1)) return false;
                    break;
                case 'D':
                    if (n <= 4) Add(dtikDay, std::string(n, 'D'));
                    else if (!Parse(n == 5 ? fs.ShortDateFormat : fs.LongDateFormat, Depth + 1)) return false;
                    break;
                case 'E':
                case 'Y': Add(dtikYear, n > 2 ? "YYYY" : "YY"); break;
                case 'G': return false;
                case 'H': Add(dtikHour, std::string(std::min<std::size_t>(n, 2), 'H')); break;
                case 'M': Add(dtikMonth, std::string(std::min<std::size_t>(n, 4), 'M')); break;
                case 'N': Add(dtikMin, std::string(std::min<std::size_t>(n, 2), 'N')); break;
                case 'S': Add(dtikSec, std::string(std::min<std::size_t>(n, 2), 'S')); break;
                case 'Z': Add(dtikMSec, std::string(std::min<std::size_t>(n, 3), 'Z')); break;
                case 'T':
                    if (!Parse(n == 1 ? fs.ShortTimeFormat : fs.LongTimeFormat, Depth + 1)) return false;
                    break;
                default: Add(dtikString, std::string(n, raw)); break;
            }
        }
        return true;
    }
};

std::string Quoted(const std::string& Text) { return "'" + Text + "'"; }

// A smart-date word in the regular-expression language: runs of characters in single quotes, each
// apostrophe as \'.
std::string QuotedWord(const std::string& Word) {
    std::string out, run;
    auto flush = [&] {
        if (!run.empty()) out += Quoted(run);
        run.clear();
    };
    for (char c : Word) {
        if (c == '\'') {
            flush();
            out += "\\'";
        } else {
            run += c;
        }
    }
    flush();
    return out;
}

std::string Repeat(char c, std::size_t n) { return std::string(n, c); }

}  // namespace

bool GetDateTimeFormatInfo(const std::string& AFormat, TuiDateTimeFormatInfo& AFormatInfo) {
    AFormatInfo = TuiDateTimeFormatInfo{};
    TTokenizer t{AFormatInfo};
    if (!t.Parse(AFormat, 0)) {
        AFormatInfo = TuiDateTimeFormatInfo{};
        return false;
    }
    auto& items = AFormatInfo.Items;
    if (AFormatInfo.DefinedItems[dtikHour]) {
        for (auto& item : items)
            if (item.Kind == dtikHour) item.Data = (t.TwelveHour ? "12" : "24") + item.Data;
    } else if (AFormatInfo.DefinedItems[dtikTimeSuffix]) {
        items.erase(std::remove_if(items.begin(), items.end(),
                                   [](const TuiDateTimeFormatItem& i) { return i.Kind == dtikTimeSuffix; }),
                    items.end());
        AFormatInfo.DefinedItems[dtikTimeSuffix] = false;
    }
    return true;
}

std::string GetStandardMask(const TuiDateTimeFormatInfo& AFormatInfo, TuiStandardMaskKind AKind) {
    if (AFormatInfo.Items.empty()) return "";
    const bool time = AKind == smkTime;
    std::string mask = time ? "" : "!";
    for (const TuiDateTimeFormatItem& item : AFormatInfo.Items) {
        switch (item.Kind) {
            case dtikString:
                for (char c : item.Data) mask += std::string("\\") + c;
                break;
            case dtikYear: mask += item.Data.size() > 2 ? "9999" : "99"; break;
            case dtikMonth:
            case dtikDay: mask += item.Data.size() > 2 ? "lll" : "99"; break;
            case dtikHour:
            case dtikMin:
            case dtikSec: mask += time ? "00" : "99"; break;
            case dtikTimeSuffix:
                if (AnsiSameText(item.Data, "A/P")) mask += "c";
                else if (AnsiSameText(item.Data, "AM/PM")) mask += "cc";
                else
                    mask +=
                        Repeat('c', std::max(FormatSettings.TimeAMString.size(), FormatSettings.TimePMString.size()));
                break;
            case dtikDateSeparator: mask += "/"; break;
            case dtikTimeSeparator: mask += ":"; break;
            case dtikMSec: break;
        }
    }
    return mask + (time ? ";1;0" : ";1; ");
}

std::string GetRegExprMask(const TuiDateTimeFormatInfo& AFormatInfo, bool IsTime) {
    (void)IsTime;
    const TFormatSettings& fs = FormatSettings;
    std::string mask;
    for (const TuiDateTimeFormatItem& item : AFormatInfo.Items) {
        switch (item.Kind) {
            case dtikString: mask += Quoted(item.Data); break;
            case dtikYear: mask += item.Data.size() > 2 ? "\\d\\d\\d\\d" : "\\d\\d"; break;
            case dtikMonth: {
                mask += "((0?[1-9]|1[012])|(";
                const bool longNames = item.Data.size() == 4;
                for (int m = 0; m < 12; ++m) {
                    if (m > 0) mask += "|";
                    mask += Quoted(longNames ? fs.LongMonthNames[m] : fs.ShortMonthNames[m]);
                }
                mask += "))";
                break;
            }
            case dtikDay: mask += "([012]?[1-9]|[123]0|31)"; break;
            case dtikHour: mask += item.Data.rfind("12", 0) == 0 ? "(0?[1-9]|1[012])" : "([01]?\\d|2[0-3])"; break;
            case dtikMin:
            case dtikSec: mask += "[0-5]?\\d"; break;
            case dtikTimeSuffix:
                if (AnsiSameText(item.Data, "A/P")) {
                    mask += "(A|P)?";
                } else if (AnsiSameText(item.Data, "AM/PM")) {
                    mask += "(AM|PM)?";
                } else {
                    std::vector<std::string> forms;
                    for (const std::string& s : {fs.TimeAMString, fs.TimePMString})
                        if (!s.empty()) forms.push_back(Quoted(s));
                    if (forms.size() == 2) mask += "(" + forms[0] + "|" + forms[1] + ")?";
                    else if (forms.size() == 1) mask += "(" + forms[0] + ")?";
                }
                break;
            case dtikDateSeparator:
            case dtikTimeSeparator:
                for (char c : item.Data) mask += c == ' ' ? std::string("' '") : std::string("\\") + c;
                break;
            case dtikMSec: break;
        }
    }
    return mask;
}

std::string GetMaskedDisplayFormat(const TuiDateTimeFormatInfo& AFormatInfo) {
    std::string format;
    for (const TuiDateTimeFormatItem& item : AFormatInfo.Items) {
        switch (item.Kind) {
            case dtikString: format += Quoted(item.Data); break;
            case dtikYear: format += AnsiLowerCase(item.Data); break;
            case dtikMonth: format += item.Data.size() > 2 ? "mmm" : "mm"; break;
            case dtikDay: format += item.Data.size() > 2 ? "ddd" : "dd"; break;
            case dtikHour: format += "hh"; break;
            case dtikMin: format += "nn"; break;
            case dtikSec: format += "ss"; break;
            case dtikTimeSuffix: format += AnsiLowerCase(item.Data); break;
            case dtikDateSeparator: format += "/"; break;
            case dtikTimeSeparator: format += ":"; break;
            case dtikMSec: break;
        }
    }
    return format;
}

std::vector<std::string> SmartDateWords() {
    const TResStringRec* records[] = {&uiSDateToday,   &uiSDateYesterday, &uiSDateTomorrow,  &uiSDateSunday,
                                      &uiSDateMonday,  &uiSDateTuesday,   &uiSDateWednesday, &uiSDateThursday,
                                      &uiSDateFriday,  &uiSDateSaturday,  &uiSDateFirst,     &uiSDateSecond,
                                      &uiSDateThird,   &uiSDateFourth,    &uiSDateFifth,     &uiSDateSixth,
                                      &uiSDateSeventh, &uiSDateBOM,       &uiSDateEOM,       &uiSDateNow};
    std::vector<std::string> words;
    for (const TResStringRec* r : records) words.push_back(LoadLibraryString(r));
    return words;
}

std::string ExtendMaskWithSmartDateWords(const std::string& AMask, bool WithNow) {
    std::vector<std::string> words = SmartDateWords();
    if (!WithNow) words.pop_back();
    std::string alternatives;
    for (std::size_t i = 0; i < words.size(); ++i) {
        if (i > 0) alternatives += "|";
        alternatives += QuotedWord(words[i]);
    }
    return "(" + AMask + ")|(" + alternatives + ")((\\+|-)\\d(\\d(\\d\\d?)?)?)?";
}

std::string BuildCurrencyFormat() {
    const TFormatSettings& fs = FormatSettings;
    const std::string number = ",0." + std::string(fs.CurrencyDecimals, '0');
    std::string symbol;
    for (char c : fs.CurrencyString) {
        if (c == '.' || c == ',') symbol += std::string("'") + c + "'";
        else symbol += c;
    }
    const std::string& s = symbol;
    const std::string& n = number;
    std::string positive;
    switch (fs.CurrencyFormat) {
        case 1: positive = n + s; break;
        case 2: positive = s + " " + n; break;
        case 3: positive = n + " " + s; break;
        default: positive = s + n; break;
    }
    const std::string negatives[16] = {"(" + s + n + ")",
                                       "-" + s + n,
                                       s + "-" + n,
                                       s + n + "-",
                                       "(" + n + s + ")",
                                       "-" + n + s,
                                       n + "-" + s,
                                       n + s + "-",
                                       "-" + n + " " + s,
                                       "-" + s + " " + n,
                                       n + " " + s + "-",
                                       s + " " + n + "-",
                                       s + " -" + n,
                                       n + "- " + s,
                                       "(" + s + " " + n + ")",
                                       "(" + n + " " + s + ")"};
    // A form the table does not have takes the first one rather than reading past the table.
    const int form = fs.NegCurrFormat <= 15 ? fs.NegCurrFormat : 0;
    return positive + ";" + negatives[form];
}

// --------------------------------------------------------------------------------------- the controller
TuiFormatController::TuiFormatController() {
    if (g_controller == nullptr) g_controller = this;
    GetFormats();
}

TuiFormatController::~TuiFormatController() {
    if (window_ != nullptr) DeallocateHWnd(window_);
    if (g_controller == this) g_controller = nullptr;
}

void TuiFormatController::AddListener(IuiFormatControllerListener* AListener) {
    if (AListener == nullptr || std::find(listeners_.begin(), listeners_.end(), AListener) != listeners_.end()) return;
    listeners_.push_back(AListener);
    if (listeners_.size() == 1) window_ = AllocateHWnd([this](TMessage& Message) { WndProc(Message); });
}

void TuiFormatController::RemoveListener(IuiFormatControllerListener* AListener) {
    const auto it = std::find(listeners_.begin(), listeners_.end(), AListener);
    if (it == listeners_.end()) return;
    listeners_.erase(it);
    if (listeners_.empty() && window_ != nullptr) {
        DeallocateHWnd(window_);
        window_ = nullptr;
    }
}

void TuiFormatController::GetFormats() {
    const TFormatSettings& fs = FormatSettings;
    if (!currencyFormatAssigned_) currencyFormat_ = BuildCurrencyFormat();
    if (!startOfWeekAssigned_) {
        const int first = StrToIntDef(GetLocaleString(LOCALE_USER_DEFAULT, LOCALE_IFIRSTDAYOFWEEK, "0"), 0) + 1;
        startOfWeek_ = first == 7 ? 0 : first;
    }
    GetDateTimeFormatInfo(fs.ShortDateFormat, dateInfo_);
    GetDateTimeFormatInfo(fs.LongTimeFormat, timeInfo_);
    GetDateTimeFormatInfo(fs.ShortDateFormat + " " + fs.LongTimeFormat, dateTimeInfo_);

    dateEditMask_ = GetStandardMask(dateInfo_, smkDate);
    if (!standardDateEditMaskAssigned_) standardDateEditMask_ = dateEditMask_;
    const std::string dateRegExpr = GetRegExprMask(dateInfo_, false);
    if (!regExprDateEditMaskAssigned_) regExprDateEditMask_ = ExtendMaskWithSmartDateWords(dateRegExpr, false);
    if (!regExprDateTimeEditMaskAssigned_)
        regExprDateTimeEditMask_ =
            ExtendMaskWithSmartDateWords(dateRegExpr + " ' '(" + GetRegExprMask(timeInfo_, true) + ")?", true);
    if (!standardDateTimeEditMaskAssigned_) standardDateTimeEditMask_ = GetStandardMask(dateTimeInfo_, smkDateTime);
    maskedDateEditFormat_ = GetMaskedDisplayFormat(dateInfo_);
    maskedDateTimeEditFormat_ = GetMaskedDisplayFormat(dateTimeInfo_);

    if (!dateEditFormatAssigned_) {
        // Single day and month letters become two, so that the editor shows fixed widths.
        const std::string& f = fs.ShortDateFormat;
        std::string out;
        for (std::size_t i = 0; i < f.size();) {
            std::size_t n = 1;
            while (i + n < f.size() && f[i + n] == f[i]) ++n;
            if (n == 1 && (f[i] == 'd' || f[i] == 'M')) out += std::string(2, f[i]);
            else out += f.substr(i, n);
            i += n;
        }
        dateEditFormat_ = out;
    }
}

void TuiFormatController::SetCurrencyFormat(const std::string& Value) {
    currencyFormat_ = Value;
    currencyFormatAssigned_ = true;
}
void TuiFormatController::SetStartOfWeek(int Value) {
    startOfWeek_ = Value;
    startOfWeekAssigned_ = true;
}
void TuiFormatController::SetStandardDateEditMask(const std::string& Value) {
    standardDateEditMask_ = Value;
    standardDateEditMaskAssigned_ = true;
}
void TuiFormatController::SetDateEditFormat(const std::string& Value) {
    dateEditFormat_ = Value;
    dateEditFormatAssigned_ = true;
}

void TuiFormatController::FormatChanged() {
    const std::vector<IuiFormatControllerListener*> snapshot = listeners_;
    for (IuiFormatControllerListener* l : snapshot)
        if (std::find(listeners_.begin(), listeners_.end(), l) != listeners_.end()) l->FormatChanged();
}

void TuiFormatController::TimeChanged() {
    const std::vector<IuiFormatControllerListener*> snapshot = listeners_;
    for (IuiFormatControllerListener* l : snapshot)
        if (std::find(listeners_.begin(), listeners_.end(), l) != listeners_.end())
            if (auto* timed = dynamic_cast<IuiFormatControllerListener2*>(l)) timed->TimeChanged();
}

void TuiFormatController::WndProc(TMessage& Message) {
    try {
        if (Message.Msg == WM_SETTINGCHANGE && Message.WParam == 0 && Message.LParam != 0 &&
            std::string_view(reinterpret_cast<const char*>(Message.LParam)) == "intl") {
            GetFormatSettingsFromLocale();
            GetFormats();
            FormatChanged();
            Message.Result = 0;
            return;
        }
        if (Message.Msg == WM_TIMECHANGE) {
            TimeChanged();
            Message.Result = 0;
            return;
        }
        Message.Result = DefWindowProc(window_, Message.Msg, Message.WParam, Message.LParam);
    } catch (const std::exception& E) {
        if (Application != nullptr) Application->HandleException(E);
    }
}

TuiFormatController* uiFormatController() {
    if (g_controller == nullptr) new TuiFormatController();
    return g_controller;
}

void uiFormatsShutdown() { delete g_controller; }

}  // namespace zel
