#pragma once
// The program's own parameter controls that every editor window is made of: the slider, the value cell
// stepped by holding a mouse button, the pan slider (a cell above a slider), the envelope graph, the LFO
// fade graph, the typed value field with its arrow buttons and the 64-key selector.
//
// None of them talks to the instrument: an editor acts on their change events and sends the values
// itself. Values set from the editor (a refresh of the window) fire no change event, except where a
// pan slider's Value moves its slider (see TPanSlider).
#include <array>
#include <cstdint>
#include <string>

#include "platform/vcl/Buttons.h"
#include "platform/vcl/Controls.h"
#include "platform/vcl/ExtCtrls.h"
#include "platform/vcl/StdCtrls.h"

namespace zel {

// ------------------------------------------------------------------------------------------------ TSlider

enum TSliderOrientation { slHoriz, slVertical };

// A track with a draggable thumb. The thumb of value v stands scale × (v − MinValue) pixels from the
// start, scale = (extent − ThumbHeight + 1) / (MaxValue − MinValue); a vertical slider measures from the
// bottom, so a higher value stands higher.
class TSlider : public TCustomControl {
public:
    explicit TSlider(TComponent* AOwner);
    std::string ClassName() const override { return "TSlider"; }

    int GetTrackWidth() const { return trackWidth_; }
    void SetTrackWidth(int Value);
    TColor GetTrackColor() const { return trackColor_; }
    void SetTrackColor(TColor Value);
    TSliderOrientation GetOrientation() const { return orientation_; }
    void SetOrientation(TSliderOrientation Value);
    int GetThumbHeight() const { return thumbHeight_; }
    void SetThumbHeight(int Value);
    TColor GetThumbColor() const { return thumbColor_; }
    void SetThumbColor(TColor Value);
    int GetMinValue() const { return minValue_; }
    void SetMinValue(int Value);
    int GetMaxValue() const { return maxValue_; }
    void SetMaxValue(int Value);
    int GetValue() const { return value_; }
    // Clamps to MinValue..MaxValue; a changed value fires OnValueChange and moves the thumb.
    void SetValue(int Value);

    TNotifyEvent OnValueChange;
    TNotifyEvent OnEndChange;

    // Pixels from the start of the track to the thumb for the current value.
    int ThumbOffset() const;
    // The thumb's rectangle in client coordinates.
    TRect ThumbRect() const;

protected:
    void Paint() override;
    virtual void DrawThumb();
    void Dispatch(TMessage& Message) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

private:
    double Scale() const;
    int Extent() const;
    // The pointer coordinate along the track, as a distance from the track's start to the thumb's start.
    int AlongTrack(int X, int Y) const;
    // Draws background, track and thumb inside the client rectangle Clip only.
    void DrawPart(const TRect& Clip);
    // Redraws the strip that the thumb left and the one it entered, at once.
    void MoveThumb(const TRect& OldThumb);

    int trackWidth_ = 8;
    TColor trackColor_ = clBtnFace;
    TSliderOrientation orientation_ = slHoriz;
    int thumbHeight_ = 10;
    TColor thumbColor_ = clBtnFace;
    int minValue_ = 0;
    int maxValue_ = 100;
    int value_ = 30;
    bool dragging_ = false;
    int grab_ = 0;
};

// --------------------------------------------------------------------------------------------- TClickEdit

// A small value cell: holding the left button steps the value down, any other button up, one step at
// once, then after 600 ms every 47 ms.
class TClickEdit : public TCustomControl {
public:
    explicit TClickEdit(TComponent* AOwner);
    std::string ClassName() const override { return "TClickEdit"; }

    int GetMin() const { return min_; }
    void SetMin(int Value);
    int GetMax() const { return max_; }
    void SetMax(int Value);
    int GetValue() const { return value_; }
    // Taken only when different and within Min..Max; fires no event.
    void SetValue(int Value);
    bool GetStereo() const { return stereo_; }
    void SetStereo(bool Value);
    TColor ClSelected = static_cast<TColor>(0x00FFFF00);

    TNotifyEvent Onchange;
    TNotifyEvent OnEndchange;

    // The text the cell shows ("R 5", "L 5", "  0" in stereo mode, else the number).
    std::string DisplayText() const;
    // Whether the step timer runs (the cell is held).
    bool Stepping() const;

protected:
    void Paint() override;
    void Dispatch(TMessage& Message) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

private:
    void StepTimer(TObject* Sender);
    void Redraw();

    int min_ = 0;
    int max_ = 127;
    int value_ = 0;
    bool stereo_ = false;
    TTimer* timer_ = nullptr;
    bool up_ = false;
};

// --------------------------------------------------------------------------------------------- TPanSlider

// A panel with one value cell above one slider, kept in step: the editors' control for levels and pans.
// With Min below 0 the slider runs 0..Max − Min and stands at Value − Min. Setting Value moves the
// slider, which fires Onchange when the slider position changes.
class TPanSlider : public TPanel {
public:
    explicit TPanSlider(TComponent* AOwner);
    std::string ClassName() const override { return "TPanSlider"; }

    int GetMin() const { return min_; }
    void SetMin(int Value);
    int GetMax() const { return max_; }
    void SetMax(int Value);
    int GetValue() const { return value_; }
    void SetValue(int Value);
    bool GetVertical() const { return vertical_; }
    void SetVertical(bool Value);
    bool GetStereo() const { return stereo_; }
    void SetStereo(bool Value);
    int GetSLeft() const { return sLeft_; }
    void SetSLeft(int Value);
    int GetSTop() const { return sTop_; }
    void SetSTop(int Value);
    int GetSWidth() const { return sWidth_; }
    void SetSWidth(int Value);
    int GetSHeight() const { return sHeight_; }
    void SetSHeight(int Value);
    int GetELeft() const { return eLeft_; }
    void SetELeft(int Value);
    int GetETop() const { return eTop_; }
    void SetETop(int Value);
    int GetEWidth() const { return eWidth_; }
    void SetEWidth(int Value);
    int GetEHeight() const { return eHeight_; }
    void SetEHeight(int Value);
    TColor GetThumbColor() const { return thumbColor_; }
    void SetThumbColor(TColor Value);
    TColor GetTrackColor() const { return trackColor_; }
    void SetTrackColor(TColor Value);
    int GetThumbHeight() const { return thumbHeight_; }
    void SetThumbHeight(int Value);
    int GetTrackWidth() const { return trackWidth_; }
    void SetTrackWidth(int Value);

    TNotifyEvent Onchange;
    TNotifyEvent OnEndchange;

    TClickEdit* Cell() const { return cell_; }
    TSlider* Slider() const { return slider_; }

protected:
    void Paint() override;
    void Dispatch(TMessage& Message) override;

private:
    // Hands every property to the two children.
    void Push();
    template <class T>
    void Change(T& Field, T Value);
    void SliderChange(TObject* Sender);
    void CellChange(TObject* Sender);
    void ChildEndChange(TObject* Sender);

    int min_ = 0;
    int max_ = 128;
    int value_ = 0;
    bool vertical_ = true;
    bool stereo_ = false;
    int sLeft_ = 5, sTop_ = 110, sWidth_ = 20, sHeight_ = 110;
    int eLeft_ = 5, eTop_ = 5, eWidth_ = 20, eHeight_ = 10;
    TColor thumbColor_ = static_cast<TColor>(0x00FF0000);
    TColor trackColor_ = static_cast<TColor>(0x00FFFF00);
    int thumbHeight_ = 12;
    int trackWidth_ = 10;
    TClickEdit* cell_ = nullptr;
    TSlider* slider_ = nullptr;
    bool pushingRange_ = false;
};

// ---------------------------------------------------------------------------------------------- TPanGraph

enum TGraphType { LastLocked, Normal, FirstHalf };

struct TGraphPoint {
    std::int32_t Time = 0;
    std::int32_t Level = 0;
    bool operator==(const TGraphPoint&) const = default;
};

// The five points of a four-segment envelope, point 0 first.
struct TGraphPoints {
    std::array<TGraphPoint, 5> Points{};
    TGraphPoint& operator[](std::size_t i) { return Points[i]; }
    const TGraphPoint& operator[](std::size_t i) const { return Points[i]; }
    bool operator==(const TGraphPoints&) const = default;
};

// What the envelope graph and the fade graph share: the box the graph is drawn in (GLeft, GTop, GWidth,
// GHeight, with its background and line colours; a change repaints) and the place and size of the first
// value cell (ELeft, ETop, EWidth, EHeight; a change lays the cells out again).
class TGraphBox : public TPanel {
public:
    // ELeft and ETop: where the graph's first cell starts.
    TGraphBox(TComponent* AOwner, int ELeft, int ETop) : TPanel(AOwner), eLeft_(ELeft), eTop_(ETop) {}
    std::string ClassName() const override { return "TGraphBox"; }

    int GetGLeft() const { return gLeft_; }
    void SetGLeft(int Value);
    int GetGTop() const { return gTop_; }
    void SetGTop(int Value);
    int GetGWidth() const { return gWidth_; }
    void SetGWidth(int Value);
    int GetGHeight() const { return gHeight_; }
    void SetGHeight(int Value);
    int GetELeft() const { return eLeft_; }
    void SetELeft(int Value);
    int GetETop() const { return eTop_; }
    void SetETop(int Value);
    int GetEWidth() const { return eWidth_; }
    void SetEWidth(int Value);
    int GetEHeight() const { return eHeight_; }
    void SetEHeight(int Value);
    TColor GetGraphBackGround() const { return graphBackGround_; }
    void SetGraphBackGround(TColor Value);
    TColor GetGraphColor() const { return graphColor_; }
    void SetGraphColor(TColor Value);

protected:
    // Places and fills the value cells from the current values.
    virtual void LayoutCells() = 0;
    template <class T>
    void ChangeRepaint(T& Field, T Value) {
        if (Field == Value) return;
        Field = Value;
        Invalidate();
    }
    template <class T>
    void ChangeLayout(T& Field, T Value) {
        if (Field == Value) return;
        Field = Value;
        LayoutCells();
    }

    int gLeft_ = 5, gTop_ = 55, gWidth_ = 147, gHeight_ = 77;
    int eLeft_ = 0, eTop_ = 0, eWidth_ = 23, eHeight_ = 15;
    TColor graphBackGround_ = static_cast<TColor>(0x00FFFF00);
    TColor graphColor_ = 0;
};

// A four-segment envelope drawn as a line graph, changed by dragging points 1..4 or by stepping the eight
// cells under the caption row (a time and a level cell per point).
class TPanGraph : public TGraphBox {
public:
    explicit TPanGraph(TComponent* AOwner);
    std::string ClassName() const override { return "TPanGraph"; }

    void SetPoints(const TGraphPoints& Value);
    TGraphPoints GetPoints() const { return points_; }

    TGraphType GetGraphType() const { return graphType_; }
    void SetGraphType(TGraphType Value);

    TNotifyEvent OnChange;
    TNotifyEvent OnEndchange;

    // The screen position of point n (0..4) in client coordinates.
    TPoint PointPos(int n) const;
    // The time cell (Time true) or level cell of point n (1..4).
    TClickEdit* PointCell(int n, bool Time) const;

protected:
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

protected:
    void LayoutCells() override;

private:
    void FixPointZero();
    double HScale() const;
    double VScale() const;
    // Draws the envelope in its colours, or in the background colour to erase it; clipped to the box.
    void DrawEnvelope(bool Erase);
    void CellChange(TObject* Sender);
    void CellEndChange(TObject* Sender);

    TGraphPoints points_;
    TGraphType graphType_ = LastLocked;
    std::array<TClickEdit*, 4> timeCells_{};
    std::array<TClickEdit*, 4> levelCells_{};
    bool dragging_ = false;
    int dragged_ = 0;
};

// --------------------------------------------------------------------------------------------- TFadeGraph

enum TFadeMode { ON_IN, ON_OUT, OFF_IN, OFF_OUT };

// How an LFO's depth fades in or out after a key is pressed or released: a delay, then a fade time,
// drawn as an envelope outline with a sine wave inside; changed by dragging the two points or stepping
// the delay and fade cells.
class TFadeGraph : public TGraphBox {
public:
    explicit TFadeGraph(TComponent* AOwner);
    std::string ClassName() const override { return "TFadeGraph"; }

    TFadeMode GetFadeMode() const { return fadeMode_; }
    void SetFadeMode(TFadeMode Value);
    int GetFadeTime() const;
    void SetFadeTime(int Value);
    int GetFadeDelay() const;
    void SetFadeDelay(int Value);
    int GetFadeDepth() const { return d_; }
    void SetFadeDepth(int Value);

    TNotifyEvent OnChange;  // kept for the forms; the graph never fires it
    TNotifyEvent OnEndchange;

    // Point 1 (1: end of the delay in the IN modes, end of the fade in the OUT modes) or point 2 (full
    // depth), in client coordinates.
    TPoint PointPos(int n) const;
    // The cells shown under "Delay" and "Fade".
    TClickEdit* DelayCell() const;
    TClickEdit* FadeCell() const;
    TClickEdit* DepthCell() const { return cellD_; }

protected:
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void LayoutCells() override;

private:
    bool InMode() const { return fadeMode_ == ON_IN || fadeMode_ == OFF_IN; }
    int Origin() const { return fadeMode_ == ON_IN || fadeMode_ == ON_OUT ? 22 : 44; }
    double HScale() const;
    double VScale() const;
    void PlaceCells();
    void DrawGraph();
    void CellChange(TObject* Sender);
    void CellEndChange(TObject* Sender);
    void SetStored(int& Field, int Value);

    TFadeMode fadeMode_ = ON_IN;
    int a_ = 127, d_ = 127, b_ = 127;
    TClickEdit* cellA_ = nullptr;
    TClickEdit* cellD_ = nullptr;
    TClickEdit* cellB_ = nullptr;
    bool dragging_ = false;
    int dragged_ = 0;
};

// ----------------------------------------------------------------------------------------------- TMyEdit

// The display formats of TMyEdit: how a raw parameter code reads.
enum TEditType {
    IntM100P100,
    IntM100P200,
    IntM0P1200,
    Note,
    MinMax,
    MinMaxS,
    MinMaxDB,
    MinMaxPerc,
    Int100M8000HZ,
    Int200M8000HZ,
    Int200M8000HZBP,
    Int05M90,
    Int005M10HZ,
    Int005M10HZNote,
    Int0M100ms,
    Int0M500ms,
    Int200M1000ms,
    Int200M1000msNote,
    Balance,
    BalanceL,
    CC00CC95,
    CC00CC95StartStop,
    RealInt1M127,
    Int1M16Off,
    Int1M16RXCHOff,
    Int0M127Off,
    User01PRB32,
    Int427M452,
    Int0M880
};

// The text that a code shows in a field of the type, one leading blank included.
std::string EditTypeText(TEditType EditType, int Code);
// The highest code of a type (Max for the MinMax types); the lowest is Min for them, else 0.
int EditTypeHighest(TEditType EditType, int Max);

// One parameter shown as text derived from its code, stepped by two small arrow buttons that repeat
// while held: one step at once, then after 600 ms every 47 ms, never past the type's lowest and highest
// code.
class TMyEdit : public TCustomControl {
public:
    explicit TMyEdit(TComponent* AOwner);
    std::string ClassName() const override { return "TMyEdit"; }

    int GetCode() const { return code_; }
    // Shows a changed code at once; no range test and no event.
    void SetCode(int Value);
    TEditType GetEditType() const { return editType_; }
    void SetEditType(TEditType Value);
    int Min = 0;
    int Max = 0;
    int Step = 1;

    TNotifyEvent Onchange;
    TNotifyEvent OnEndChange;

    int LowestCode() const;
    int HighestCode() const;
    // The text as the field shows it.
    std::string DisplayText() const { return EditTypeText(editType_, code_); }
    TEdit* EditBox() const { return edit_; }
    TBitBtn* UpButton() const { return up_; }
    TBitBtn* DownButton() const { return down_; }
    bool Stepping() const;
    // The pixels at the right end of the text box that its text leaves to the arrow buttons.
    static constexpr int ButtonRoom = 17;
    // The width at which every value from LowestCode to HighestCode shows whole in the text box.
    int WidthForValues() const;

protected:
    void Paint() override;
    // A new size lays the box and the buttons out at once, painted or not.
    void Resize() override;

private:
    void LayoutParts();
    void ShowText();
    void ButtonDown(bool Up);
    void ButtonUp();
    void StepTimer(TObject* Sender);
    static void DrawGlyph(TBitmap* Glyph, bool Up);

    int code_ = 0;
    TEditType editType_ = IntM100P100;
    TEdit* edit_ = nullptr;
    TBitBtn* up_ = nullptr;
    TBitBtn* down_ = nullptr;
    TTimer* timer_ = nullptr;
    bool stepUp_ = false;
};

// ------------------------------------------------------------------------------------------ TKeySelector

// A piano keyboard of 64 keys (index −1, a B, to 62, a D) on which the user selects one key by pressing
// or dragging; the selected key is red. Index i stands for the rhythm set's key 36 + i.
class TKeySelector : public TCustomControl {
public:
    explicit TKeySelector(TComponent* AOwner);
    std::string ClassName() const override { return "TKeySelector"; }

    int GetKeySelected() const { return keySelected_; }
    // Selects and redraws; no event.
    void SetKeySelected(int Value);
    int GetKeyWidth() const { return keyWidth_; }
    void SetKeyWidth(int Value);
    bool LastDisabled = false;

    TNotifyEvent OnChange;
    TNotifyEvent OnEndchange;

    static constexpr int KeyCount = 63;  // indexes −1..62 are drawn
    // The left edge of key n, the key under a client point (the current selection for none), and whether
    // a key is black.
    int KeyLeft(int n) const;
    int KeyAt(int X, int Y) const;
    static bool IsBlack(int n);

protected:
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

private:
    void DrawKey(int n);
    bool Marked(int n) const;
    void Mark(int n, bool On);
    void Select(int n);

    int keySelected_ = -1;
    int keyWidth_ = 10;
    std::array<std::uint8_t, 66> state_{};  // indexes −1..64
    bool dragging_ = false;
};

}  // namespace zel
