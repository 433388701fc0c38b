#pragma once
// The format controller: from the current regional settings it derives what the date, time and currency
// editors need (tokenised date and time formats, edit masks in the standard and the regular-expression
// mask languages with the smart-date words, display formats, the currency format, the first day of the
// week) and keeps them current through a hidden window that hears locale and clock changes.
#include <string>
#include <vector>

#include "platform/rtl/Classes.h"
#include "platform/win/Messages.h"
#include "platform/win/WinTypes.h"

namespace zel {

enum TuiDateTimeFormatItemKind {
    dtikString,
    dtikYear,
    dtikMonth,
    dtikDay,
    dtikHour,
    dtikMin,
    dtikSec,
    dtikMSec,
    dtikTimeSuffix,
    dtikDateSeparator,
    dtikTimeSeparator,
};

struct TuiDateTimeFormatItem {
    TuiDateTimeFormatItemKind Kind = dtikString;
    std::string Data;
};

struct TuiDateTimeFormatInfo {
    bool DefinedItems[11] = {};
    std::vector<TuiDateTimeFormatItem> Items;
};

// Tokenises a format in FormatDateTime's letters. False (and an empty info) for a rejected format.
bool GetDateTimeFormatInfo(const std::string& AFormat, TuiDateTimeFormatInfo& AFormatInfo);

enum TuiStandardMaskKind { smkDate = 0, smkTime = 1, smkDateTime = 2 };
std::string GetStandardMask(const TuiDateTimeFormatInfo& AFormatInfo, TuiStandardMaskKind AKind);
// The regular-expression mask of a date (IsTime false) or time info.
std::string GetRegExprMask(const TuiDateTimeFormatInfo& AFormatInfo, bool IsTime);
// The masked display format of an info.
std::string GetMaskedDisplayFormat(const TuiDateTimeFormatInfo& AFormatInfo);
// The twenty smart-date words as their resource strings currently read.
std::vector<std::string> SmartDateWords();
// "(" + mask + ")|(" + the quoted words + ")" and an optional signed offset of one to four digits.
std::string ExtendMaskWithSmartDateWords(const std::string& AMask, bool WithNow);
// The currency format of the current settings (a negative form outside 0-15 takes form 0).
std::string BuildCurrencyFormat();

// Told when the formats change.
class IuiFormatControllerListener {
public:
    virtual ~IuiFormatControllerListener() = default;
    virtual void FormatChanged() = 0;
};

// Told when the clock changes, for a listener that also implements it.
class IuiFormatControllerListener2 {
public:
    virtual ~IuiFormatControllerListener2() = default;
    virtual void TimeChanged() = 0;
};

class TuiFormatController : public TObject {
public:
    TuiFormatController();
    ~TuiFormatController() override;
    std::string ClassName() const override { return "TuiFormatController"; }

    // The first listener makes the hidden window; removing the last one frees it.
    void AddListener(IuiFormatControllerListener* AListener);
    void RemoveListener(IuiFormatControllerListener* AListener);
    int ListenerCount() const { return static_cast<int>(listeners_.size()); }
    HWND GetWindowHandle() const { return window_; }

    // Recomputes everything that is not assigned from the current settings.
    void GetFormats();

    const TuiDateTimeFormatInfo& DateFormatInfo() const { return dateInfo_; }
    const TuiDateTimeFormatInfo& TimeFormatInfo() const { return timeInfo_; }
    const TuiDateTimeFormatInfo& DateTimeFormatInfo() const { return dateTimeInfo_; }

    const std::string& GetCurrencyFormat() const { return currencyFormat_; }
    void SetCurrencyFormat(const std::string& Value);
    int GetStartOfWeek() const { return startOfWeek_; }  // 0 Sunday, 1 Monday, ...
    void SetStartOfWeek(int Value);
    const std::string& GetDateEditMask() const { return dateEditMask_; }
    const std::string& GetStandardDateEditMask() const { return standardDateEditMask_; }
    void SetStandardDateEditMask(const std::string& Value);
    const std::string& GetRegExprDateEditMask() const { return regExprDateEditMask_; }
    const std::string& GetRegExprDateTimeEditMask() const { return regExprDateTimeEditMask_; }
    const std::string& GetStandardDateTimeEditMask() const { return standardDateTimeEditMask_; }
    const std::string& GetMaskedDateEditFormat() const { return maskedDateEditFormat_; }
    const std::string& GetMaskedDateTimeEditFormat() const { return maskedDateTimeEditFormat_; }
    const std::string& GetDateEditFormat() const { return dateEditFormat_; }
    void SetDateEditFormat(const std::string& Value);

    int FirstWeekOfYear = 0;
    bool UseDelphiDateTimeFormats = false;

private:
    void WndProc(TMessage& Message);
    void FormatChanged();
    void TimeChanged();

    std::vector<IuiFormatControllerListener*> listeners_;
    HWND window_ = nullptr;
    TuiDateTimeFormatInfo dateInfo_, timeInfo_, dateTimeInfo_;
    std::string currencyFormat_;
    bool currencyFormatAssigned_ = false;
    int startOfWeek_ = 0;
    bool startOfWeekAssigned_ = false;
    std::string dateEditMask_;
    std::string standardDateEditMask_;
    bool standardDateEditMaskAssigned_ = false;
    std::string regExprDateEditMask_;
    bool regExprDateEditMaskAssigned_ = false;
    std::string regExprDateTimeEditMask_;
    bool regExprDateTimeEditMaskAssigned_ = false;
    std::string standardDateTimeEditMask_;
    bool standardDateTimeEditMaskAssigned_ = false;
    std::string maskedDateEditFormat_;
    std::string maskedDateTimeEditFormat_;
    std::string dateEditFormat_;
    bool dateEditFormatAssigned_ = false;
};

// The process's controller, made on first request (the first controller constructed becomes it).
TuiFormatController* uiFormatController();
// The unit's shutdown: frees the controller.
void uiFormatsShutdown();

}  // namespace zel
