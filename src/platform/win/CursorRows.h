#pragma once
// Named 32 x 32 cursors drawn from rows of text: '#' black, '.' white, anything else the screen.
#include <initializer_list>
#include <vector>

#include "platform/win/WinTypes.h"

namespace zel {

using TCursorRows = std::vector<const char*>;

// One picture of a cursor, its top left corner at Left, Top; what falls outside the 32 x 32 square is cut.
struct TCursorRowsPart {
    const TCursorRows* Rows;
    int Left, Top;
};

// Registers the named cursor resource made of the parts, drawn in order over a transparent square.
BOOL RegisterRowsCursor(const char* Name, int HotX, int HotY, std::initializer_list<TCursorRowsPart> Parts);

}  // namespace zel
