#include "platform/win/CursorRows.h"

#include <array>
#include <cstdint>

#include "platform/win/Windows.h"

namespace zel {

BOOL RegisterRowsCursor(const char* Name, int HotX, int HotY, std::initializer_list<TCursorRowsPart> Parts) {
    constexpr int kSize = 32;
    std::array<std::uint8_t, kSize * kSize / 8> andPlane{}, xorPlane{};
    andPlane.fill(0xFF);
    for (const TCursorRowsPart& part : Parts)
        for (std::size_t r = 0; r < part.Rows->size(); ++r) {
            const int y = part.Top + static_cast<int>(r);
            const char* row = (*part.Rows)[r];
            for (int i = 0; y >= 0 && y < kSize && row[i] != '\0'; ++i) {
                const int x = part.Left + i;
                if (x < 0 || x >= kSize || (row[i] != '#' && row[i] != '.')) continue;
                const auto byte = static_cast<std::size_t>(y * kSize / 8 + x / 8);
                const auto bit = static_cast<std::uint8_t>(0x80 >> (x % 8));
                andPlane[byte] = static_cast<std::uint8_t>(andPlane[byte] & ~bit);
                if (row[i] == '.') xorPlane[byte] = static_cast<std::uint8_t>(xorPlane[byte] | bit);
                else xorPlane[byte] = static_cast<std::uint8_t>(xorPlane[byte] & ~bit);
            }
        }
    return RegisterCursorResource(Name, HotX, HotY, kSize, kSize, andPlane.data(), xorPlane.data());
}

}  // namespace zel
