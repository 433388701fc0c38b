#include "uilib/base/uiControlsInternal.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <functional>

#include "platform/vcl/Forms.h"
#include "platform/win/ImageLists.h"
#include "uilib/base/uiClasses.h"
#include "uilib/base/uiControlsControl.h"
#include "uilib/base/uiLookAndFeelPainters.h"

namespace zel {

// ---- scroll bar ----------------------------------------------------------------------------------------------

TuiControlScrollBar::TuiControlScrollBar() : TuiScrollBar(nullptr) {
    SetColor(clBtnFace);
    ControlStyle -= TControlStyle{csFramed};
    ControlStyle += TControlStyle{csNoDesignVisible, csReplicatable};
    TabStop = false;
    SetVisible(false);
}

void TuiControlScrollBar::ApplyData() {
    if (Data.Visible) {
        SetScrollParams(Data.Min, Data.Max, Data.Position, Data.PageSize);
        SmallChange = Data.SmallChange;
        LargeChange = Data.LargeChange;
    }
    SetEnabled(Data.Enabled);
    if (Data.Visible != GetVisible()) {
        SetVisible(Data.Visible);
        Perform(CM_SHOWINGCHANGED);
    }
}

void TuiControlScrollBar::WndProc(TMessage& Message) {
    if (Message.Msg == CM_DESIGNHITTEST) {
        Message.Result = 1;
        return;
    }
    if (Message.Msg == WM_LBUTTONDOWN) {
        // A press focuses the control first; the focus change may free the bar.
        TuiObjectLink* link = CreateObjectLink(this);
        TWinControl* parent = GetParent();
        if (auto* control = dynamic_cast<TuiControl*>(parent)) {
            if (control->AllowFocusFromScrollBar()) control->SetFocus();
        } else if (parent != nullptr && parent->CanFocus()) {
            parent->SetFocus();
        }
        const bool alive = link->Ref != nullptr;
        FreeObjectLink(link);
        if (!alive) return;
    }
    TuiScrollBar::WndProc(Message);
}

// ---- size grip -----------------------------------------------------------------------------------------------

TuiSizeGrip::TuiSizeGrip(TuiLookAndFeel* AMaster) : TCustomControl(nullptr) {
    SetColor(clBtnFace);
    ControlStyle += TControlStyle{csNoDesignVisible, csReplicatable};
    lookAndFeel_ = new TuiLookAndFeel(this);
    lookAndFeel_->SetMasterLookAndFeel(AMaster);
    lookAndFeel_->OnChanged = [this](TuiLookAndFeel*, TuiLookAndFeelValues) { Invalidate(); };
    SetVisible(false);
}

TuiSizeGrip::~TuiSizeGrip() { delete lookAndFeel_; }

void TuiSizeGrip::Paint() {
    Canvas()->Brush()->SetColor(lookAndFeel_->GetPainter()->ScrollBarCornerColor());
    Canvas()->FillRect(GetClientRect());
}

void TuiSizeGrip::Dispatch(TMessage& Message) {
    if (Message.Msg == WM_ERASEBKGND) {
        Message.Result = 1;
        return;
    }
    TCustomControl::Dispatch(Message);
}

// ---- settings controller -------------------------------------------------------------------------------------

namespace {
TuiSettingsController* settingsController = nullptr;
}

TuiSettingsController* uiSettingsController() {
    if (settingsController == nullptr) settingsController = new TuiSettingsController();
    return settingsController;
}

void FreeSettingsController() {
    delete settingsController;
    settingsController = nullptr;
}

TuiSettingsController::~TuiSettingsController() {
    if (window_ != nullptr) DeallocateHWnd(window_);
}

void TuiSettingsController::AddControl(TuiControl* AControl) {
    if (std::find(controls_.begin(), controls_.end(), AControl) != controls_.end()) return;
    controls_.push_back(AControl);
    if (window_ == nullptr) window_ = AllocateHWnd([this](TMessage& M) { WndProc(M); });
}

void TuiSettingsController::RemoveControl(TuiControl* AControl) {
    auto it = std::find(controls_.begin(), controls_.end(), AControl);
    if (it == controls_.end()) return;
    controls_.erase(it);
    if (controls_.empty() && window_ != nullptr) {
        DeallocateHWnd(window_);
        window_ = nullptr;
    }
}

void TuiSettingsController::WndProc(TMessage& Message) {
    try {
        if (Message.Msg == WM_SETTINGCHANGE && Message.WParam == SPI_SETNONCLIENTMETRICS) {
            // A control may leave the list while it hears the message.
            const std::vector<TuiControl*> controls = controls_;
            for (TuiControl* control : controls)
                if (std::find(controls_.begin(), controls_.end(), control) != controls_.end() &&
                    control->HandleAllocated())
                    SendMessage(control->GetHandle(), UM_SCROLLBARMETRICSCHANGED, 0, 0);
            Message.Result = 0;
            return;
        }
        Message.Result = DefWindowProc(window_, Message.Msg, Message.WParam, Message.LParam);
    } catch (const std::exception& E) {
        if (Application != nullptr) Application->HandleException(E);
    }
}

// ---- cursors -------------------------------------------------------------------------------------------------

namespace {

// A 32 x 32 cursor made of shapes: a pixel inside a shape is white, or black on the shape's edge (where a
// neighbour lies outside every shape) and under the ink; pixels outside show the screen.
class TCursorPicture {
public:
    using TShape = std::function<bool(int X, int Y)>;
    explicit TCursorPicture(std::vector<TShape> AShapes, TShape AInk = {})
        : shapes_(std::move(AShapes)), ink_(std::move(AInk)) {}

    void Register(const char* AName, int AHotX, int AHotY) const {
        std::array<std::uint8_t, kSize * kSize / 8> andPlane{}, xorPlane{};
        andPlane.fill(0xFF);
        for (int y = 0; y < kSize; ++y)
            for (int x = 0; x < kSize; ++x) {
                if (!Inside(x, y)) continue;
                const auto byte = static_cast<std::size_t>(y * kSize / 8 + x / 8);
                const auto bit = static_cast<std::uint8_t>(0x80 >> (x % 8));
                andPlane[byte] = static_cast<std::uint8_t>(andPlane[byte] & ~bit);
                const bool edge = !Inside(x - 1, y) || !Inside(x + 1, y) || !Inside(x, y - 1) || !Inside(x, y + 1);
                if (!edge && !(ink_ && ink_(x, y))) xorPlane[byte] = static_cast<std::uint8_t>(xorPlane[byte] | bit);
            }
        RegisterCursorResource(AName, AHotX, AHotY, kSize, kSize, andPlane.data(), xorPlane.data());
    }

private:
    static constexpr int kSize = 32;
    bool Inside(int X, int Y) const {
        if (X < 0 || Y < 0 || X >= kSize || Y >= kSize) return false;
        return std::any_of(shapes_.begin(), shapes_.end(), [&](const TShape& s) { return s(X, Y); });
    }
    std::vector<TShape> shapes_;
    TShape ink_;
};

using TShape = TCursorPicture::TShape;

TShape Box(int L, int T, int R, int B) {
    return [=](int X, int Y) { return X >= L && X < R && Y >= T && Y < B; };
}
TShape Disc(int CX, int CY, int Radius) {
    return [=](int X, int Y) { return (X - CX) * (X - CX) + (Y - CY) * (Y - CY) <= Radius * Radius; };
}
TShape Ring(int CX, int CY, int Outer, int Inner) {
    return [=](int X, int Y) {
        const int d = (X - CX) * (X - CX) + (Y - CY) * (Y - CY);
        return d <= Outer * Outer && d >= Inner * Inner;
    };
}
// The arrow pointer with its tip at the top left.
TShape Pointer() {
    return [](int X, int Y) { return (Y < 17 && X <= Y * 2 / 3) || (Y >= 10 && Y < 21 && X >= 3 && X < 6); };
}
// A triangle pointing in a direction (dx, dy) with its tip at (TX, TY), Size pixels deep.
TShape Triangle(int TX, int TY, int DX, int DY, int Size) {
    return [=](int X, int Y) {
        const int along = (X - TX) * -DX + (Y - TY) * -DY;  // distance from the tip towards the base
        const int across = DX != 0 ? Y - TY : X - TX;
        return along >= 0 && along <= Size && std::abs(across) <= along;
    };
}
// A stroke of the given half-width between two points.
TShape Line(int X1, int Y1, int X2, int Y2, double HalfWidth) {
    return [=](int X, int Y) {
        const double dx = X2 - X1, dy = Y2 - Y1, len2 = dx * dx + dy * dy;
        const double t = std::clamp(((X - X1) * dx + (Y - Y1) * dy) / len2, 0.0, 1.0);
        const double px = X1 + t * dx - X, py = Y1 + t * dy - Y;
        return px * px + py * py <= HalfWidth * HalfWidth;
    };
}
TShape Frame(int L, int T, int R, int B) {
    return [=](int X, int Y) {
        return X >= L && X < R && Y >= T && Y < B && (X < L + 2 || X >= R - 2 || Y < T + 2 || Y >= B - 2);
    };
}

// A dot with arrows towards the directions the content scrolls, in a square of Size pixels.
std::vector<TShape> ScrollArrows(int Size, bool Up, bool Right, bool Down, bool Left) {
    const int c = Size / 2, depth = Size / 4;
    std::vector<TShape> shapes{Disc(c, c, Size / 10)};
    if (Up) shapes.push_back(Triangle(c, 2, 0, -1, depth));
    if (Right) shapes.push_back(Triangle(Size - 2, c, 1, 0, depth));
    if (Down) shapes.push_back(Triangle(c, Size - 2, 0, 1, depth));
    if (Left) shapes.push_back(Triangle(2, c, -1, 0, depth));
    return shapes;
}

TCursorPicture ScrollCursor(bool Up, bool Right, bool Down, bool Left) {
    return TCursorPicture{ScrollArrows(32, Up, Right, Down, Left)};
}

// The auto-scroll anchor's picture: black arrows on the button face.
void RegisterAnchorBitmap(const char* AName, bool Horizontal, bool Vertical) {
    constexpr int kSize = kAutoScrollAnchorSize;
    const std::vector<TShape> arrows = ScrollArrows(kSize, Vertical, Horizontal, Vertical, Horizontal);
    const auto rgb = static_cast<std::uint32_t>(ColorToRGB(clBtnFace));
    const std::uint32_t face = 0xFF000000u | (rgb & 0xFF) << 16 | (rgb & 0xFF00) | (rgb >> 16 & 0xFF);
    std::vector<std::uint32_t> pixels(kSize * kSize, face);
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x)
            if (std::any_of(arrows.begin(), arrows.end(), [&](const TShape& s) { return s(x, y); }))
                pixels[static_cast<std::size_t>(y * kSize + x)] = 0xFF000000u;
    RegisterBitmapResource(AName, kSize, kSize, pixels.data());
}

}  // namespace

void RegisteruiControlsResources() {
    RegisterAnchorBitmap("UI_FULLSCROLLBITMAP", true, true);
    RegisterAnchorBitmap("UI_HORSCROLLBITMAP", true, false);
    RegisterAnchorBitmap("UI_VERSCROLLBITMAP", false, true);
    // The plus of the copy cursor, in black on its white box.
    const TShape plus = [](int X, int Y) { return (X >= 20 && X < 29 && Y == 24) || (X == 24 && Y >= 20 && Y < 29); };
    struct Row {
        TCursor Cursor;
        const char* Name;
        TCursorPicture Picture;
        int HotX, HotY;
    };
    const Row rows[] = {
        {cruiDragCopy, "UI_DRAGCOPYCURSOR",
         TCursorPicture{{Pointer(), Frame(4, 20, 16, 29), Box(18, 18, 31, 31)}, plus}, 0, 0},
        {cruiFullScroll, "UI_FULLSCROLLCURSOR", ScrollCursor(true, true, true, true), 16, 16},
        {cruiHorScroll, "UI_HORSCROLLCURSOR", ScrollCursor(false, true, false, true), 16, 16},
        {cruiVerScroll, "UI_VERSCROLLCURSOR", ScrollCursor(true, false, true, false), 16, 16},
        {cruiUpScroll, "UI_UPSCROLLCURSOR", ScrollCursor(true, false, false, false), 16, 16},
        {cruiRightScroll, "UI_RIGHTSCROLLCURSOR", ScrollCursor(false, true, false, false), 16, 16},
        {cruiDownScroll, "UI_DOWNSCROLLCURSOR", ScrollCursor(false, false, true, false), 16, 16},
        {cruiLeftScroll, "UI_LEFTSCROLLCURSOR", ScrollCursor(false, false, false, true), 16, 16},
        {cruiRemove, "UI_REMOVECURSOR",
         TCursorPicture{{Pointer(), Line(17, 19, 28, 30, 1.6), Line(28, 19, 17, 30, 1.6)}}, 0, 0},
        {cruiVertSize, "UI_VERTSIZECURSOR",
         TCursorPicture{{Box(4, 15, 28, 18), Triangle(16, 3, 0, -1, 8), Triangle(16, 29, 0, 1, 8)}}, 16, 16},
        {cruiHorzSize, "UI_HORZSIZECURSOR",
         TCursorPicture{{Box(15, 4, 18, 28), Triangle(3, 16, -1, 0, 8), Triangle(29, 16, 1, 0, 8)}}, 16, 16},
        {cruiMultiDrag, "UI_MULTIDRAGCURSOR", TCursorPicture{{Pointer(), Frame(4, 20, 16, 29), Frame(8, 23, 20, 31)}},
         0, 0},
        {cruiNoDrop, "UI_NODROPCURSOR", TCursorPicture{{Pointer(), Ring(22, 22, 8, 5), Line(17, 17, 27, 27, 1.6)}}, 0,
         0},
        {cruiDrag, "UI_DRAGCURSOR", TCursorPicture{{Pointer(), Frame(4, 20, 16, 29)}}, 0, 0},
        {cruiColorPicker, "UI_COLORPICKERCURSOR", TCursorPicture{{Line(2, 29, 20, 11, 2.2), Disc(24, 7, 5)}}, 1, 30},
    };
    for (const Row& r : rows) {
        r.Picture.Register(r.Name, r.HotX, r.HotY);
        Screen->SetCursors(r.Cursor, LoadCursor(nullptr, r.Name));
    }
    Screen->SetCursors(cruiHandPoint, LoadCursor(nullptr, IDC_HAND));
}

}  // namespace zel
