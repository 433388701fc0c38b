// The clipboard over the desktop's (QClipboard). Qt's offscreen platform keeps its clipboard inside the process.
#include "platform/win/Clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QString>

#include <cstring>
#include <string>

#include "platform/rtl/Charset.h"
#include "platform/win/WindowsQt.h"

namespace zel {

namespace {

struct TClipboardState {
    bool open = false;
    HWND opener = nullptr;
    HWND owner = nullptr;
    bool emptiedByOpener = false;
    HGLOBAL text = nullptr;  // the CF_TEXT block handed out or set, the clipboard's own
};

TClipboardState& Clip() {
    static TClipboardState state;
    return state;
}

void DropText() {
    TClipboardState& c = Clip();
    if (c.text != nullptr) GlobalFree(c.text);
    c.text = nullptr;
}

QClipboard* Desktop() {
    EnsureWindowSystem();
    return QGuiApplication::clipboard();
}

// The desktop's lines end in LF; CF_TEXT's in CR LF.
std::string ToCrLf(const std::string& text) {
    std::string out;
    out.reserve(text.size() + text.size() / 16);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) out += '\r';
        out += text[i];
    }
    return out;
}

std::string ToLf(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i)
        if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')) out += text[i];
    return out;
}

HGLOBAL BlockHolding(const std::string& bytes) {
    HGLOBAL mem = GlobalAlloc(GHND, bytes.size() + 1);
    if (mem == nullptr) return nullptr;
    std::memcpy(GlobalLock(mem), bytes.data(), bytes.size());
    GlobalUnlock(mem);
    return mem;
}

}  // namespace

// ---- the clipboard -----------------------------------------------------------------------------------------

BOOL OpenClipboard(HWND newOwner) {
    TClipboardState& c = Clip();
    if (c.open && c.opener != newOwner) return FALSE;
    c.open = true;
    c.opener = newOwner;
    c.emptiedByOpener = false;
    return TRUE;
}

BOOL CloseClipboard() {
    TClipboardState& c = Clip();
    if (!c.open) return FALSE;
    c.open = false;
    c.opener = nullptr;
    DropText();  // the next reader takes the desktop's text as it is then
    return TRUE;
}

BOOL EmptyClipboard() {
    TClipboardState& c = Clip();
    if (!c.open) return FALSE;
    DropText();
    Desktop()->clear();
    c.owner = c.opener;
    c.emptiedByOpener = true;
    return TRUE;
}

BOOL IsClipboardFormatAvailable(UINT format) {
    if (format != CF_TEXT) return FALSE;
    return Desktop()->text().isEmpty() ? FALSE : TRUE;
}

HANDLE GetClipboardData(UINT format) {
    TClipboardState& c = Clip();
    if (!c.open || format != CF_TEXT) return nullptr;
    if (c.text == nullptr) {
        const QString text = Desktop()->text();
        if (text.isEmpty()) return nullptr;
        c.text = BlockHolding(ToCrLf(Utf8ToAnsi(text.toStdString())));
    }
    return c.text;
}

HANDLE SetClipboardData(UINT format, HANDLE mem) {
    TClipboardState& c = Clip();
    if (!c.open || !c.emptiedByOpener || format != CF_TEXT) return nullptr;
    const auto* data = static_cast<const char*>(GlobalLock(mem));
    if (data == nullptr) return nullptr;
    const std::string_view bytes(data, strnlen(data, GlobalSize(mem)));
    Desktop()->setText(QString::fromStdString(AnsiToUtf8(ToLf(bytes))));
    while (GlobalUnlock(mem)) {
    }
    if (c.text != mem) DropText();
    c.text = mem;
    return mem;
}

HWND GetClipboardOwner() { return Clip().owner; }

std::string ClipboardText(HWND hwnd) {
    std::string text;
    if (!IsClipboardFormatAvailable(CF_TEXT) || !OpenClipboard(hwnd)) return text;
    if (HGLOBAL mem = GetClipboardData(CF_TEXT)) {
        if (const auto* bytes = static_cast<const char*>(GlobalLock(mem))) {
            text.assign(bytes, strnlen(bytes, GlobalSize(mem)));
            GlobalUnlock(mem);
        }
    }
    CloseClipboard();
    return text;
}

}  // namespace zel
