#include "platform/vcl/Mask.h"

#include <algorithm>
#include <cctype>

#include "platform/vcl/FormReader.h"
#include "platform/win/Clipboard.h"
#include "platform/win/Windows.h"

namespace zel {

namespace {
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsLetter(char c) { return std::isalpha(static_cast<unsigned char>(c)) != 0; }
}  // namespace

void TCustomMaskEdit::SetEditMask(const std::string& Value) {
    const std::string text = Masked() ? GetTextImpl() : TCustomEdit::GetTextImpl();
    mask_ = Value;
    positions_.clear();
    keepLiterals_ = true;
    leadingBlanks_ = false;
    blank_ = '_';
    // The two fields after the positions are taken from the end, so that a ';' inside the positions can
    // be written as a literal with '\'.
    std::string body = Value;
    std::vector<std::string> tail;
    for (int field = 0; field < 2; ++field) {
        const std::size_t at = body.rfind(';');
        if (at == std::string::npos || (at > 0 && body[at - 1] == '\\')) break;
        tail.insert(tail.begin(), body.substr(at + 1));
        body.resize(at);
    }
    if (!tail.empty()) keepLiterals_ = tail[0] != "0";
    if (tail.size() > 1 && !tail[1].empty()) blank_ = tail[1][0];
    for (std::size_t i = 0; i < body.size(); ++i) {
        const char c = body[i];
        switch (c) {
            case '!': leadingBlanks_ = true; break;
            case '\\':
                if (i + 1 < body.size()) positions_.push_back({true, body[++i]});
                break;
            case '0':
            case '9':
            case '#':
            case 'L':
            case 'l':
            case 'A':
            case 'a':
            case 'C':
            case 'c': positions_.push_back({false, c}); break;
            default: positions_.push_back({true, c});
        }
    }
    SetTextImpl(text);
}

bool TCustomMaskEdit::Fits(const TPosition& P, char C) const {
    switch (P.ch) {
        case '0':
        case '9': return IsDigit(C);
        case '#': return IsDigit(C) || C == '+' || C == '-';
        case 'L':
        case 'l': return IsLetter(C);
        case 'A':
        case 'a': return IsLetter(C) || IsDigit(C);
        default: return C >= ' ' && C != blank_;
    }
}

std::string TCustomMaskEdit::Format(const std::string& Value) const {
    std::string edit;
    for (const TPosition& p : positions_) edit += p.literal ? p.ch : blank_;
    const auto put = [&](std::size_t at, char c) {
        if (Fits(positions_[at], c)) edit[at] = c;
    };
    const std::size_t editable = static_cast<std::size_t>(
        std::count_if(positions_.begin(), positions_.end(), [](const TPosition& p) { return !p.literal; }));
    if (Value.size() == positions_.size() || (!keepLiterals_ && Value.size() == editable)) {
        // A value as long as the mask (or as its positions) goes in place by place.
        std::size_t v = 0;
        for (std::size_t at = 0; at < positions_.size() && v < Value.size(); ++at) {
            if (positions_[at].literal) {
                if (keepLiterals_ || Value.size() == positions_.size()) ++v;
                continue;
            }
            put(at, Value[v++]);
        }
        return edit;
    }
    // Else the value is cut at the mask's literals, and each part fills its run of positions: from the
    // left, or from the right with a leading '!'.
    std::size_t v = 0;
    for (std::size_t at = 0; at < positions_.size();) {
        if (positions_[at].literal) {
            if (v < Value.size() && Value[v] == positions_[at].ch) ++v;
            ++at;
            continue;
        }
        std::size_t end = at;
        while (end < positions_.size() && !positions_[end].literal) ++end;
        const char stop = end < positions_.size() ? positions_[end].ch : '\0';
        std::size_t partEnd = stop != '\0' ? Value.find(stop, v) : std::string::npos;
        if (partEnd == std::string::npos) partEnd = Value.size();
        std::string part = Value.substr(v, partEnd - v);
        if (part.size() > end - at) part.resize(end - at);
        v = partEnd;
        const std::size_t first = leadingBlanks_ ? end - part.size() : at;
        for (std::size_t k = 0; k < part.size(); ++k)
            if (part[k] != ' ') put(first + k, part[k]);
        at = end;
    }
    return edit;
}

std::string TCustomMaskEdit::GetEditText() const { return TCustomEdit::GetTextImpl(); }

void TCustomMaskEdit::SetEditText(const std::string& Value) { TCustomEdit::SetTextImpl(Value); }

std::string TCustomMaskEdit::GetTextImpl() const {
    const std::string edit = TCustomEdit::GetTextImpl();
    if (!Masked()) return edit;
    std::string text;
    for (std::size_t at = 0; at < positions_.size() && at < edit.size(); ++at) {
        if (positions_[at].literal && !keepLiterals_) continue;
        text += !positions_[at].literal && edit[at] == blank_ ? ' ' : edit[at];
    }
    return text;
}

void TCustomMaskEdit::SetTextImpl(const std::string& Value) {
    TCustomEdit::SetTextImpl(Masked() ? Format(Value) : Value);
}

void TCustomMaskEdit::CreateWnd() {
    TCustomEdit::CreateWnd();
    // The text kept while there was no window may be the Text form: it is shown through the mask again.
    if (Masked()) PutEditText(Format(GetTextImpl()), 0);
}

void TCustomMaskEdit::Selection(int& Start, int& End) {
    DWORD a = 0, b = 0;
    SendMessage(GetHandle(), EM_GETSEL, reinterpret_cast<WPARAM>(&a), reinterpret_cast<LPARAM>(&b));
    Start = static_cast<int>(a);
    End = static_cast<int>(b);
}

void TCustomMaskEdit::PutEditText(const std::string& Text, int Caret) {
    if (Text != GetEditText()) SetEditText(Text);
    SendMessage(GetHandle(), EM_SETSEL, static_cast<WPARAM>(Caret), Caret);
}

void TCustomMaskEdit::ClearRange(int From, int To) {
    std::string edit = GetEditText();
    for (int at = std::max(0, From); at < To && at < static_cast<int>(edit.size()); ++at)
        if (!positions_[static_cast<std::size_t>(at)].literal) edit[static_cast<std::size_t>(at)] = blank_;
    PutEditText(edit, From);
}

bool TCustomMaskEdit::TypeChar(char C) {
    int start = 0, end = 0;
    Selection(start, end);
    if (start != end) ClearRange(start, end);
    const int n = MaskLength();
    int at = start;
    // On a literal: typing it steps over it; another character goes to the next position.
    while (at < n && positions_[static_cast<std::size_t>(at)].literal) {
        if (positions_[static_cast<std::size_t>(at)].ch == C) {
            PutEditText(GetEditText(), at + 1);
            return true;
        }
        ++at;
    }
    if (at >= n || !Fits(positions_[static_cast<std::size_t>(at)], C)) return false;
    std::string edit = GetEditText();
    edit[static_cast<std::size_t>(at)] = C;
    ++at;
    while (at < n && positions_[static_cast<std::size_t>(at)].literal) ++at;
    PutEditText(edit, at);
    return true;
}

void TCustomMaskEdit::Dispatch(TMessage& Message) {
    if (!Masked() || GetReadOnly()) {
        TCustomEdit::Dispatch(Message);
        return;
    }
    switch (Message.Msg) {
        case WM_CHAR: {
            const auto ch = static_cast<unsigned char>(Message.WParam);
            if (ch == VK_BACK) {
                int start = 0, end = 0;
                Selection(start, end);
                if (start == end) {
                    do --start;
                    while (start >= 0 && positions_[static_cast<std::size_t>(start)].literal);
                    if (start < 0) return;
                    end = start + 1;
                }
                ClearRange(start, end);
                return;
            }
            if (ch < 32 || ch == 127) break;  // the control keys: select all, copy, cut, paste
            TypeChar(static_cast<char>(ch));  // a character that does not fit is refused
            return;
        }
        case WM_KEYDOWN:
            if (Message.WParam == VK_DELETE && GetKeyState(VK_SHIFT) >= 0) {
                int start = 0, end = 0;
                Selection(start, end);
                ClearRange(start, start == end ? start + 1 : end);
                return;
            }
            break;
        case WM_CUT: SendMessage(GetHandle(), WM_COPY, 0, 0); [[fallthrough]];
        case WM_CLEAR: {
            int start = 0, end = 0;
            Selection(start, end);
            ClearRange(start, end);
            return;
        }
        case WM_PASTE:
            for (char c : ClipboardText(GetHandle())) {
                if (c == '\r' || c == '\n') break;
                TypeChar(c);
            }
            return;
        case WM_UNDO:
        case EM_UNDO: return;  // the EDIT's own undo would move the literals
        default: break;
    }
    TCustomEdit::Dispatch(Message);
}

void RegisterMaskClasses() {
    RegisterComponent<TMaskEdit>("TMaskEdit", "TEdit").Str("EditMask", [](TMaskEdit& c, const std::string& v) {
        c.SetEditMask(v);
    });
}

}  // namespace zel
