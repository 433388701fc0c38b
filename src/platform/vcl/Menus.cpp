#include "platform/vcl/Menus.h"

#include "platform/win/Windows.h"

namespace zel {

namespace {

constexpr const char* kShiftCap = "Shift+";
constexpr const char* kCtrlCap = "Ctrl+";
constexpr const char* kAltCap = "Alt+";

// The name of a key without modifiers, empty when the key has none.
std::string KeyName(BYTE key) {
    static const char* const kSpaceToDown[] = {"Space", "PgUp", "PgDn", "End", "Home", "Left", "Up", "Right", "Down"};
    if (key == 0x08) return "BkSp";
    if (key == 0x09) return "Tab";
    if (key == 0x0D) return "Enter";
    if (key == 0x1B) return "Esc";
    if (key >= 0x20 && key <= 0x28) return kSpaceToDown[key - 0x20];
    if (key == 0x2D) return "Ins";
    if (key == 0x2E) return "Del";
    if (key >= '0' && key <= '9') return std::string(1, static_cast<char>(key));
    if (key >= 'A' && key <= 'Z') return std::string(1, static_cast<char>(key));
    if (key >= VK_NUMPAD0 && key <= VK_NUMPAD0 + 9) return std::string(1, static_cast<char>('0' + key - VK_NUMPAD0));
    if (key >= 0x70 && key <= 0x87) return "F" + std::to_string(key - 0x6F);
    // Any other key is named by the printable character it types without shift keys, as the keyboard's
    // own key names do for the punctuation keys.
    UINT ch = MapVirtualKey(key, MAPVK_VK_TO_CHAR);
    if (ch > 0x20 && ch < 0x7F) return std::string(1, static_cast<char>(ch));
    return {};
}

bool TakeFront(std::string_view& text, std::string_view front) {
    if (text.size() < front.size() || !SameText(text.substr(0, front.size()), front)) return false;
    text.remove_prefix(front.size());
    return true;
}

}  // namespace

TShortCut ShortCut(WORD Key, TShiftState Shift) {
    if ((Key & 0xFF00) != 0) return 0;
    TShortCut r = Key;
    if (Shift.Contains(ssShift)) r |= scShift;
    if (Shift.Contains(ssCtrl)) r |= scCtrl;
    if (Shift.Contains(ssAlt)) r |= scAlt;
    return r;
}

void ShortCutToKey(TShortCut ShortCut, WORD& Key, TShiftState& Shift) {
    Key = static_cast<WORD>(ShortCut & ~(scShift | scCtrl | scAlt));
    Shift = {};
    if (ShortCut & scShift) Shift.Include(ssShift);
    if (ShortCut & scCtrl) Shift.Include(ssCtrl);
    if (ShortCut & scAlt) Shift.Include(ssAlt);
}

std::string ShortCutToText(TShortCut ShortCut) {
    std::string name = KeyName(static_cast<BYTE>(ShortCut & 0xFF));
    if (name.empty()) return {};
    std::string r;
    if (ShortCut & scShift) r += kShiftCap;
    if (ShortCut & scCtrl) r += kCtrlCap;
    if (ShortCut & scAlt) r += kAltCap;
    return r + name;
}

TShortCut TextToShortCut(std::string_view Text) {
    TShortCut shift = 0;
    for (;;) {
        if (TakeFront(Text, kShiftCap)) shift |= scShift;
        else if (TakeFront(Text, "^")) shift |= scCtrl;
        else if (TakeFront(Text, kCtrlCap)) shift |= scCtrl;
        else if (TakeFront(Text, kAltCap)) shift |= scAlt;
        else break;
    }
    if (Text.empty()) return 0;
    for (int key = 0x08; key <= 0xFF; ++key)
        if (SameText(Text, ShortCutToText(static_cast<TShortCut>(key)))) return static_cast<TShortCut>(key | shift);
    return 0;
}

}  // namespace zel
