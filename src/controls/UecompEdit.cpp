// The typed value field: a code shown as text by its display format, stepped by two arrow buttons.
#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "controls/Uecomp.h"

namespace zel {

namespace {

// Up to 8 decimals, then no trailing zeros and no trailing point: 5.0 reads "5", 0.05 reads "0.05".
std::string FloatText(double V) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.8f", V);
    std::string s = buf;
    if (s.find('.') != std::string::npos) {
        while (!s.empty() && s.back() == '0') s.pop_back();
        if (!s.empty() && s.back() == '.') s.pop_back();
    }
    if (s == "-0") s = "0";
    return s;
}

std::string Str(int V) { return std::to_string(V); }

// The field's text box: its text ends before the arrow buttons that stand over its right end.
class TFieldBox : public TEdit {
public:
    using TEdit::TEdit;

protected:
    void CreateWnd() override {
        TEdit::CreateWnd();
        SendMessage(GetHandle(), EM_SETMARGINS, EC_RIGHTMARGIN, MAKELPARAM(0, TMyEdit::ButtonRoom));
    }
};

std::string TwoDigits(int V) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02d", V);
    return buf;
}

template <std::size_t N>
std::string Pick(const std::array<const char*, N>& Texts, int Code) {
    if (Code < 0 || Code >= static_cast<int>(N)) return "";
    return Texts[static_cast<std::size_t>(Code)];
}

constexpr std::array<const char*, 17> kFilterFreqs = {"200",  "250",  "315",  "400",  "500",  "630",
                                                      "800",  "1000", "1250", "1600", "2000", "2500",
                                                      "3150", "4000", "5000", "6300", "8000"};
constexpr std::array<const char*, 10> kNoteLengths = {"1/16",    "1/8 (3)", "1/16 (.)", "1/8",     "1/4 (3)",
                                                      "1/8 (.)", "1/4",     "1/2 (3)",  "1/4 (.)", "1/2"};
constexpr std::array<const char*, 12> kNoteNames = {"C", "C#", "D", "D#", "E", "F", "F#", "G", "G#", "A", "A#", "B"};

std::string DbText(int c, const char* unit) {
    if (c > 0) return "+" + Str(c) + unit;
    if (c == 0) return " 0" + std::string(unit);
    return Str(c) + unit;
}

std::string CcText(int c) {
    if (c >= 0 && c <= 95) return "CC" + std::to_string(c / 10) + std::to_string(c % 10);
    if (c == 96) return "Bender";
    if (c == 97) return "AfterTouch";
    return "";
}

std::string Ms200To1000(int c) {
    if (c < 0) return "";
    if (c <= 69) return Str(c * 5 + 200);
    return Str((c - 70) * 10 + 550);
}

// The text of a code before the final signs and the leading blank.
std::string RawText(TEditType t, int c) {
    switch (t) {
        case IntM100P100:
            switch (c) {
                case 0: return "-100";
                case 1: return "-70";
                case 13: return "70";
                case 14: return "100";
                default: return Str(c * 10 - 70);
            }
        case IntM100P200:
            switch (c) {
                case 0: return "-100";
                case 1: return "-70";
                case 2: return "-50";
                case 3: return "-30";
                case 10: return "50";
                case 11: return "70";
                case 12: return "100";
                case 13: return "120";
                case 14: return "150";
                case 15: return "200";
                default: return Str(c * 10 - 50);
            }
        case IntM0P1200:
            if (c <= 10) return Str(c);
            if (c <= 19) return Str(c * 10 - 90);
            return Str(c * 100 - 1800);
        case Note:
            // Codes below 0 name no note.
            if (c < 0) return "";
            return std::string(kNoteNames[static_cast<std::size_t>(c % 12)]) + " " + Str(c / 12 - 1);
        case MinMax:
        case MinMaxS: return Str(c);
        case MinMaxDB: return DbText(c, " dB");
        case MinMaxPerc: return DbText(c, " %");
        case Int100M8000HZ:
            if (c <= 19) return FloatText(c * 10 + 100) + " Hz";
            if (c <= 54) return FloatText(c * 20 - 100) + " Hz";
            return FloatText(c * 100 - 4500) + " Hz";
        case Int200M8000HZ: return Pick(kFilterFreqs, c);
        case Int200M8000HZBP: return c == 17 ? "ByPass" : Pick(kFilterFreqs, c);
        case Int05M90: return Pick(std::array<const char*, 5>{"0.5", "1.0", "2.0", "4.0", "9.0"}, c);
        case Int005M10HZ:
            if (c <= 98) return FloatText(c * 0.05 + 0.05) + " Hz";
            if (c <= 118) return FloatText((c - 99) * 0.1 + 5) + " Hz";
            return FloatText((c - 119) * 0.5 + 7) + " Hz";
        case Int005M10HZNote:
            if (c <= 78) return FloatText(c * 0.05 + 0.05) + " Hz";
            if (c <= 108) return FloatText((c - 79) * 0.1 + 4) + " Hz";
            if (c <= 115) return FloatText((c - 109) * 0.5 + 7) + " Hz";
            return Pick(kNoteLengths, c - 116);
        case Int0M100ms:
            if (c <= 49) return FloatText(c * 0.1) + " ms";
            if (c <= 59) return FloatText((c - 50) * 0.5 + 5) + " ms";
            if (c <= 99) return FloatText(c - 50) + " ms";
            return FloatText((c - 100) * 2 + 50) + " ms";
        case Int0M500ms:
            if (c <= 49) return FloatText(c * 0.1) + " ms";
            if (c <= 59) return FloatText((c - 50) * 0.5 + 5) + " ms";
            if (c <= 89) return FloatText(c - 50) + " ms";
            if (c <= 115) return FloatText((c - 90) * 10 + 40) + " ms";
            return FloatText((c - 116) * 20 + 300) + " ms";
        case Int200M1000ms: return Ms200To1000(c);
        case Int200M1000msNote:
            if (c <= 115) return Ms200To1000(c);
            return Pick(kNoteLengths, c - 116);
        case Balance: return "D" + Str(100 - c) + ":" + Str(c) + "E";
        case BalanceL: return "A" + Str(100 - c) + ":" + Str(c) + "B";
        case CC00CC95: return CcText(c);
        case CC00CC95StartStop:
            switch (c) {
                case 98: return "Prog-Up";
                case 99: return "Prog-Down";
                case 100: return "Start/Stop";
                case 101: return "Punch-In/Out";
                case 102: return "Tap-Temp";
                default: return CcText(c);
            }
        case RealInt1M127: return c == 0 ? "Real" : Str(c);
        case Int1M16Off: return c == 16 ? "Off" : Str(c + 1);
        case Int1M16RXCHOff:
            if (c == 17) return "Off";
            if (c == 16) return "RX-CH";
            return Str(c + 1);
        case Int0M127Off: return c == 128 ? "Off" : Str(c);
        case User01PRB32:
            if (c < 0) return "";
            if (c <= 31) return "User : " + TwoDigits(c + 1);
            if (c <= 63) return "Card : " + TwoDigits(c - 31);
            if (c <= 95) return "PR-A : " + TwoDigits(c - 63);
            if (c <= 127) return "PR-B : " + TwoDigits(c - 95);
            return "";
        case Int427M452: {
            std::string s = FloatText(c * 0.2 + 427.4);
            if (s.size() < 4) s += ".0";
            return s;
        }
        case Int0M880:
            if (c <= 48) return Str(c * 2);
            if (c <= 72) return Str(c * 4 - 96);
            if (c <= 96) return Str(c * 8 - 384);
            return Str(c * 16 - 1152);
    }
    return "";
}

// Whether the whole text is a whole number, and which.
bool WholeNumber(const std::string& s, long& v) {
    if (s.empty()) return false;
    char* end = nullptr;
    v = std::strtol(s.c_str(), &end, 10);
    return end != nullptr && *end == '\0';
}

}  // namespace

std::string EditTypeText(TEditType EditType, int Code) {
    std::string s = RawText(EditType, Code);
    if (EditType == IntM100P100 || EditType == IntM100P200 || EditType == MinMaxS) {
        long v = 0;
        if (WholeNumber(s, v) && v > 0) s = "+" + s;
        if (s == "0") s = "  0";
    }
    return " " + s;
}

int EditTypeHighest(TEditType EditType, int Max) {
    switch (EditType) {
        case IntM100P100: return 14;
        case IntM100P200: return 15;
        case IntM0P1200: return 30;
        case Note: return 127;
        case MinMax:
        case MinMaxS:
        case MinMaxDB:
        case MinMaxPerc: return Max;
        case Int100M8000HZ: return 63;
        case Int200M8000HZ: return 16;
        case Int200M8000HZBP: return 17;
        case Int05M90: return 4;
        case Int005M10HZ: return 125;
        case Int005M10HZNote: return 125;
        case Int0M100ms: return 125;
        case Int0M500ms: return 126;
        case Int200M1000ms: return 115;
        case Int200M1000msNote: return 125;
        case Balance:
        case BalanceL: return 100;
        case CC00CC95: return 97;
        case CC00CC95StartStop: return 102;
        case RealInt1M127: return 127;
        case Int1M16Off: return 16;
        case Int1M16RXCHOff: return 17;
        case Int0M127Off: return 128;
        case User01PRB32: return 127;
        case Int427M452: return 126;
        case Int0M880: return 127;
    }
    return 0;
}

// ------------------------------------------------------------------------------------------------ TMyEdit

TMyEdit::TMyEdit(TComponent* AOwner) : TCustomControl(AOwner) {
    width_ = 60;
    height_ = 24;
    edit_ = new TFieldBox(this);
    edit_->SetParent(this);
    edit_->SetReadOnly(true);
    up_ = new TBitBtn(this);
    up_->SetParent(this);
    down_ = new TBitBtn(this);
    down_->SetParent(this);
    DrawGlyph(up_->Glyph(), true);
    DrawGlyph(down_->Glyph(), false);
    for (TBitBtn* b : {up_, down_}) {
        b->Margin = 0;
        b->OnMouseDown = [this, b](TObject*, TMouseButton, TShiftState, int, int) { ButtonDown(b == up_); };
        b->OnMouseUp = [this](TObject*, TMouseButton, TShiftState, int, int) { ButtonUp(); };
    }
    timer_ = new TTimer(this);
    timer_->SetEnabled(false);
    timer_->SetInterval(600);
    timer_->SetOnTimer([this](TObject* s) { StepTimer(s); });
    ShowText();
    LayoutParts();
}

void TMyEdit::DrawGlyph(TBitmap* Glyph, bool Up) {
    Glyph->SetSize(11, 6);
    TCanvas* c = Glyph->Canvas();
    c->Brush()->SetColor(clBtnFace);
    c->FillRect(Rect(0, 0, 11, 6));
    c->Pen()->SetColor(clBlack);
    c->Brush()->SetColor(clBlack);
    if (Up) c->Polygon({Point(5, 0), Point(0, 5), Point(10, 5)});
    else c->Polygon({Point(0, 0), Point(10, 0), Point(5, 5)});
}

void TMyEdit::SetCode(int Value) {
    if (Value == code_) return;
    code_ = Value;
    ShowText();
}

void TMyEdit::SetEditType(TEditType Value) {
    if (Value == editType_) return;
    editType_ = Value;
    Invalidate();
}

int TMyEdit::LowestCode() const {
    switch (editType_) {
        case MinMax:
        case MinMaxS:
        case MinMaxDB:
        case MinMaxPerc: return Min;
        default: return 0;
    }
}

int TMyEdit::HighestCode() const { return EditTypeHighest(editType_, Max); }

bool TMyEdit::Stepping() const { return timer_->GetEnabled(); }

int TMyEdit::WidthForValues() const {
    int widest = 0;
    for (int code = LowestCode(); code <= HighestCode(); ++code)
        widest = std::max(widest, MeasureText(edit_->Font(), EditTypeText(editType_, code)).cx);
    // The box stands one pixel inside the field, its sunken edge takes two pixels a side and the text
    // keeps two pixels from the left edge.
    return widest + 2 + 4 + 2 + ButtonRoom;
}

void TMyEdit::ShowText() {
    const std::string s = DisplayText();
    if (edit_->GetText() != s) edit_->SetText(s);
}

void TMyEdit::LayoutParts() {
    const int w = width_, h = height_;
    edit_->SetBounds(1, 1, w - 2, h - 2);
    const int left = edit_->GetWidth() - 15 + 1, bh = h / 2;
    up_->SetBounds(left, 1, 15, bh);
    down_->SetBounds(left, bh + 1, 15, bh);
}

void TMyEdit::Resize() {
    LayoutParts();
    TCustomControl::Resize();
}

void TMyEdit::Paint() {
    ShowText();
    LayoutParts();
    Canvas()->Brush()->SetColor(GetColor());
    Canvas()->FillRect(GetClientRect());
}

void TMyEdit::ButtonDown(bool Up) {
    if (Up ? code_ >= HighestCode() : code_ <= LowestCode()) return;
    stepUp_ = Up;
    timer_->SetEnabled(true);
    StepTimer(timer_);
    timer_->SetInterval(600);
}

void TMyEdit::StepTimer(TObject*) {
    timer_->SetInterval(47);
    // A step never passes the type's range, whatever Step is: the instrument takes no code beyond it.
    const int highest = HighestCode(), lowest = LowestCode();
    int next = code_;
    if (stepUp_) {
        if (code_ < highest) next = std::min(code_ + Step, highest);
    } else if (code_ > lowest) {
        next = std::max(code_ - Step, lowest);
    }
    if (next == code_) return;
    code_ = next;
    ShowText();
    if (Onchange) Onchange(this);
}

void TMyEdit::ButtonUp() {
    timer_->SetEnabled(false);
    if (CanFocus()) SetFocus();
    if (OnEndChange) OnEndChange(this);
}

}  // namespace zel
