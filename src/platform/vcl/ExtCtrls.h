#pragma once
// Panels, paint boxes, headers and timers.
#include <vector>

#include "platform/rtl/StringList.h"
#include "platform/vcl/Controls.h"

namespace zel {

// A raised (or lowered) panel with a centred caption that holds other controls.
class TCustomPanel : public TCustomControl {
public:
    explicit TCustomPanel(TComponent* AOwner);
    std::string ClassName() const override { return "TCustomPanel"; }

    void SetBevelOuter(TBevelCut Value);
    void SetBevelInner(TBevelCut Value);
    void SetBevelWidth(int Value);
    int GetBorderWidth() const { return borderWidth_; }
    void SetBorderWidth(int Value);
    TAlignment GetAlignment() const { return alignment_; }
    void SetAlignment(TAlignment Value);
    // bsSingle: a sunken edge around the panel (a plain line without Ctl3D).
    TBorderStyle GetBorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle Value);

protected:
    void Paint() override;
    void AlignControls(TControl* AControl, TRect& Rect) override;
    void CreateParams(TCreateParams& Params) override;

private:
    TBorderStyle borderStyle_ = bsNone;
    TBevelCut bevelOuter_ = bvRaised;
    TBevelCut bevelInner_ = bvNone;
    int bevelWidth_ = 1;
    int borderWidth_ = 0;
    TAlignment alignment_ = taCenter;
};

class TPanel : public TCustomPanel {
public:
    using TCustomPanel::TCustomPanel;
    std::string ClassName() const override { return "TPanel"; }
};

// A graphic control that its owner draws in OnPaint.
class TPaintBox : public TGraphicControl {
public:
    explicit TPaintBox(TComponent* AOwner);
    std::string ClassName() const override { return "TPaintBox"; }
    TNotifyEvent OnPaint;

protected:
    void Paint() override;
};

enum TBevelShape { bsBox, bsFrame, bsTopLine, bsBottomLine, bsLeftLine, bsRightLine, bsSpacer };
enum TBevelStyle { bsLowered, bsRaised };

// A sunken or raised box, frame or line.
class TBevel : public TGraphicControl {
public:
    explicit TBevel(TComponent* AOwner);
    std::string ClassName() const override { return "TBevel"; }
    TBevelShape GetShape() const { return shape_; }
    void SetShape(TBevelShape Value);
    TBevelStyle GetStyle() const { return style_; }
    void SetStyle(TBevelStyle Value);

protected:
    void Paint() override;

private:
    TBevelShape shape_ = bsBox;
    TBevelStyle style_ = bsLowered;
};

// Shows a bitmap, at its own size, centred or stretched over the control.
class TImage : public TGraphicControl {
public:
    explicit TImage(TComponent* AOwner);
    ~TImage() override;
    std::string ClassName() const override { return "TImage"; }
    TBitmap* Picture() const { return picture_; }
    // The picture's canvas: drawing on it changes what the image shows.
    TCanvas* ImageCanvas();
    bool GetStretch() const { return stretch_; }
    void SetStretch(bool Value);
    void SetCenter(bool Value);
    bool Transparent = false;

protected:
    void Paint() override;

private:
    TBitmap* picture_ = nullptr;
    bool stretch_ = false;
    bool center_ = false;
};

// A row of raised column titles (Sections), each as wide as its SectionWidth; the last one reaches the right
// edge. The widths are set by the program; AllowResize is kept for the forms that store it, and nothing here
// lets the user drag a boundary.
class THeader : public TCustomControl {
public:
    explicit THeader(TComponent* AOwner);
    ~THeader() override;
    std::string ClassName() const override { return "THeader"; }

    TStrings* Sections() const { return sections_; }
    // The width of a section; 0 for an index outside the sections.
    int GetSectionWidth(int Index) const;
    void SetSectionWidth(int Index, int Value);
    bool AllowResize = true;
    TBorderStyle GetBorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle Value);

protected:
    void Paint() override;
    void CreateParams(TCreateParams& Params) override;

private:
    void SectionsChanged();

    TStringList* sections_ = nullptr;
    std::vector<int> widths_;
    TBorderStyle borderStyle_ = bsSingle;
};

// Fires OnTimer every Interval milliseconds while Enabled (a window timer on the clock service).
class TTimer : public TComponent {
public:
    explicit TTimer(TComponent* AOwner);
    ~TTimer() override;
    std::string ClassName() const override { return "TTimer"; }

    bool GetEnabled() const { return enabled_; }
    void SetEnabled(bool Value);
    UINT GetInterval() const { return interval_; }
    void SetInterval(UINT Value);
    void SetOnTimer(TNotifyEvent Value);
    // Whether the window timer runs now.
    bool Running() const { return running_; }

protected:
    virtual void Timer();
    void Loaded() override;

private:
    void UpdateTimer();
    void WndProc(TMessage& Msg);

    bool enabled_ = true;
    UINT interval_ = 1000;
    TNotifyEvent onTimer_;
    HWND window_ = nullptr;
    bool running_ = false;
};

// Registers the unit's classes with the form reader (the unit's start-up row).
void RegisterExtCtrlsClasses();

}  // namespace zel
