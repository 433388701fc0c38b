#pragma once
// Private: what the files of the standard window classes (StdClasses.cpp, StdClassEdit.cpp,
// StdClassListBox.cpp, StdClassMdiClient.cpp) share. Only those files include this.
#include <cstddef>
#include <string_view>
#include <vector>

#include "platform/win/Windows.h"

namespace zel::stdclass {

// Sends WM_COMMAND with a notification code to the window's parent, if it has one.
void Notify(HWND hwnd, WORD code);

// A DC for measuring or painting with the window's font.
struct TFontDC {
    HWND hwnd;
    HDC dc;
    HGDIOBJ old = nullptr;
    bool own;
    TFontDC(HWND h, HFONT font, HDC given = nullptr) : hwnd(h), dc(given ? given : GetDC(h)), own(given == nullptr) {
        if (font != nullptr) old = SelectObject(dc, font);
    }
    ~TFontDC() {
        if (old != nullptr) SelectObject(dc, old);
        if (own) ReleaseDC(hwnd, dc);
    }
    TFontDC(const TFontDC&) = delete;
    TFontDC& operator=(const TFontDC&) = delete;
};

int TextWidthOf(HDC dc, std::string_view s);

// The average character width of a font on the window (at least 1): a sideways scroll step.
int AverageCharWidth(HWND hwnd, HFONT font);

// The width of each beginning of s, in one pass: w[i] is the width of its first i characters.
std::vector<int> PrefixWidths(HDC dc, std::string_view s);

// The place between characters of s nearest to x when s starts at x0; of two equally near, the first.
int NearestPlace(HDC dc, std::string_view s, int x0, int x);

// Draws the characters [from, to) of s as TextOut does, character i at x + w[i] (w: the PrefixWidths of s),
// leaving out those that lie wholly outside the columns [left, right).
void TextOutVisible(HDC dc, int x, int y, std::string_view s, const std::vector<int>& w, std::size_t from,
                    std::size_t to, int left, int right);

// The window procedures of the classes.
LRESULT EditProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
LRESULT ListProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
LRESULT MdiClientProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);

}  // namespace zel::stdclass
