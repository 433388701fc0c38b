#pragma once
// The Office-2003 colour scheme: the palette chosen from the active XP colour scheme (blue, olive green,
// silver) or derived from the system colours, its brushes, and the routines that draw that look's gradients,
// grip dots, arrows and size grip. The palette is shared and counted: computed for its first user, rebuilt on
// system-colour and theme changes.
#include "platform/win/Graphics.h"
#include "platform/win/WinTypes.h"

namespace zel {

constexpr int Office11ColumnCount = 49;

// Scheme numbers.
constexpr BYTE Office11SchemeNone = 0, Office11SchemeBlue = 1, Office11SchemeOlive = 2, Office11SchemeSilver = 3;

struct TubOffice11Palette {
    BYTE Scheme = 0;
    TColor Columns[Office11ColumnCount] = {};  // the primary entries, plain 00BBGGRR colours
    // MixColorsPercent(column 5/7/9, column 0, 90) in an XP scheme; (column 4/6/8, window, 50) without one.
    TColor LightMixes[3] = {};
    // MixColorsPercent(column 4/6/8, column 11, 50).
    TColor FaceMixes[3] = {};
    // MixColorsPercent(column 0 / column 1, black, 92).
    TColor DarkMixes[2] = {};
    TColor TextColor = 0;         // black; the button text without an XP scheme
    TColor WindowColor = 0;       // white; the window colour without one
    TColor WhiteColor = 0;        // white; the button highlight without one
    TColor InfoColor = 0;         // C9EEFD; the button face without one
    TColor ShadowColor = 0;       // column 11; the button shadow without one
    TColor GripColors[2] = {};    // columns 46 and 47; the nearest button face and column 37 without one
    TColor HeaderLightColor = 0;  // RGB(158, 174, 191)
    TColor HeaderDarkColor = 0;   // RGB(46, 70, 95)
    int TubePercent = 75;         // the tube gradient's middle, per scheme
};

// The Office-2003 palette columns that play each role of the look.
struct TubOffice11Roles {
    int ToolbarLight, ToolbarDark;
    int HotFirst, HotSecond;
    int PressedFirst, PressedSecond, PressedSolid;
    int CustomizingSelection;
    int OpenMenuFirst, OpenMenuSecond;
    int GlyphColumnLight, GlyphColumnDark, ExpandedGlyphColumnLight, ExpandedGlyphColumnDark;
    int MenuBackground, MenuSelected;
    int SeparatorDark, SeparatorLight;
    int MenuText, HotText, DisabledText;
    int ButtonFrame;
    int FloatingFrameOuter, FloatingFrameInner, FloatingCaption, CaptionText;
    int ToolbarShadow;
    int FadedGlyph;
    int ButtonFace, Background;
    int EditBackground, DisabledFrame;
    // Editors: the frame of a focused or hot Office-2003 editor and the gradients of its buttons.
    int EditHighlightBorder;
    int EditButtonFirst, EditButtonSecond;
    int EditButtonHotFirst, EditButtonHotSecond;
    int EditButtonPressedFirst, EditButtonPressedSecond;
};
// The one pairing of roles with palette columns.
extern const TubOffice11Roles Office11Roles;
// The palette colour of a role's column.
TColor Office11RoleColor(int Column);

// Counting users: the first acquisition computes the palette and creates the brushes; the last release
// destroys the brushes (the colours stay). A release without a user is ignored.
void AcquireOffice11Palette();
void ReleaseOffice11Palette();
// Recomputes the colours; while there are users, the brushes are made anew.
void RebuildOffice11Palette();
int Office11PaletteUsers();
const TubOffice11Palette& Office11Palette();
// The solid brush of a palette column (columns 0, 1, 2, 3, 12, 13, 14, 15, 16, 18, 21, 22 and 24) while the
// palette has users; 0 otherwise. Columns 12 and 13 are the dark and light dot brushes, 21 the frame brush.
HBRUSH Office11Brush(int column);
// The look's bitmaps while the palette has users (nullptr otherwise): the 11 x 11 expand buttons, plus when
// collapsed and minus when expanded, and the sub-menu expand glyph recoloured in palette columns 0 and 1.
HBITMAP Office11ExpandButtonBitmap(bool AExpanded);
HBITMAP Office11SubMenuExpandBitmap();

bool IsLunaSchemeActive();
BYTE Office11Scheme();

bool IsButtonFaceBlack();
bool IsButtonFaceWhite();
bool IsBlackFaceScheme();

// Colour maths; system colours are resolved first, results are the nearest colours the screen shows.
TColor GetNearestScreenColor(TColor Color);
TColor MixColorsPercent(TColor Color1, TColor Color2, int Percent);
TColor BlendSystemLightColor(int FacePercent, int HighlightPercent, int WindowPercent);
TColor GetOffice11NavPaneGroupCaptionColor(bool Light);

void FillRectWithColor(HDC DC, const RECT& R, TColor Color);
void FrameRectWithColor(HDC DC, const RECT& R, TColor Color);
// The system GradientFill when it is there, else stripes of at most 256 colours.
void FillLinearGradient(HDC DC, const RECT& R, TColor Color1, TColor Color2, bool Horizontal);
// The tube gradient: Color1 to a middle colour (set by the scheme's tube percentage) and on to Color2, in
// one-pixel stripes.
void FillTwoStageGradient(HDC DC, const RECT& R, TColor Color1, TColor Color2, bool Horizontal);
// The stripe gradient's colour at a coordinate.
TColor GradientColorAt(const RECT& R, int Position, TColor Color1, bool Horizontal, TColor Color2);

void FrameRectOffice11(HDC DC, const RECT& R);
// nullptr brushes mean the palette's light and dark dot brushes.
void PaintOffice11GripDots(HDC DC, const RECT& R, bool Vertical, HBRUSH LightBrush, HBRUSH DarkBrush);

enum TubOffice11ArrowDirection { oadDown, oadRight };
// Column 31 when disabled; column 30 when enabled, white when also selected on a white button face.
TColor Office11ArrowColor(bool Enabled, bool Selected);
// The arrow's size N (its depth in pixels) for the rectangle.
int Office11ArrowSize(const RECT& R, TubOffice11ArrowDirection Direction);
void PaintOffice11Arrow(HDC DC, const RECT& R, TubOffice11ArrowDirection Direction, bool Enabled, bool Selected);
void PaintOffice11ArrowInStateColor(HDC DC, const RECT& R, TubOffice11ArrowDirection Direction, bool Enabled,
                                    bool Selected);
// clDefault for either colour means the palette's dot brush.
void PaintOffice11SizeGrip(HDC DC, const RECT& R, TColor DarkColor, TColor LightColor);

// Unit start-up: looks the system GradientFill up (tests switch the entry off and start again).
void ubOffice11Startup();
void ubOffice11Shutdown();

}  // namespace zel
