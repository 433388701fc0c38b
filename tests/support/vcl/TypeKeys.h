#pragma once
// Typing a user's keys through the input queue, from a short script.
#include <gtest/gtest.h>

#include <cctype>
#include <string>

#include "ClipboardText.h"
#include "QueuedInput.h"

namespace zel::test {

// Types through the queue: letters and digits by their keys (capitals with Shift), "-", "+", "." and "," by
// theirs, and the named keys {BS}, {DEL}, {ENTER}, {LEFT}, {RIGHT}, {HOME}, {END}, {S-LEFT}, {S-RIGHT} and
// {PASTE:text} (the text put on the clipboard, then Ctrl+V).
inline void TypeKeys(const std::string& AKeys) {
    for (std::size_t i = 0; i < AKeys.size(); ++i) {
        const auto c = static_cast<unsigned char>(AKeys[i]);
        if (c == '{') {
            const std::size_t close = AKeys.find('}', i);
            ASSERT_NE(close, std::string::npos) << "unclosed key in " << AKeys;
            const std::string token = AKeys.substr(i + 1, close - i - 1);
            i = close;
            if (token.rfind("PASTE:", 0) == 0) {
                ASSERT_TRUE(PutClipboardText(token.substr(6)));
                Tap('V', VK_CONTROL);
            } else if (token == "BS") Tap(VK_BACK);
            else if (token == "DEL") Tap(VK_DELETE);
            else if (token == "ENTER") Tap(VK_RETURN);
            else if (token == "LEFT") Tap(VK_LEFT);
            else if (token == "RIGHT") Tap(VK_RIGHT);
            else if (token == "HOME") Tap(VK_HOME);
            else if (token == "END") Tap(VK_END);
            else if (token == "S-LEFT") Tap(VK_LEFT, VK_SHIFT);
            else if (token == "S-RIGHT") Tap(VK_RIGHT, VK_SHIFT);
            else ADD_FAILURE() << "unknown key " << token;
        } else if (c == '-') Tap(VK_OEM_MINUS);
        else if (c == '+') Tap(VK_OEM_PLUS, VK_SHIFT);
        else if (c == '.') Tap(VK_OEM_PERIOD);
        else if (c == ',') Tap(VK_OEM_COMMA);
        else Tap(static_cast<WORD>(std::toupper(c)), std::isupper(c) ? VK_SHIFT : 0);
    }
}

}  // namespace zel::test
