// The effects editor's two pictures: the reverb HF damp curve and the signal flow of the EFX type, drawn
// with a black pen on aqua straight onto the images' canvases.
#include <array>
#include <string>

#include "editors/Ueeffect.h"

namespace zel {

namespace {

// The drawing primitives of the signal-flow diagram, on one canvas.
class TEfxPainter {
public:
    TEfxPainter(TCanvas* Canvas, int Width, int Height) : c_(Canvas), w(Width), h(Height) {}

    TCanvas* c_;
    const int w;
    const int h;
    int Mid() const { return h / 2; }
    int Bottom() const { return h - 30; }
    int Right() const { return w - 16; }
    int Split() const { return w - 50; }

    void Line(int X1, int Y1, int X2, int Y2) {
        c_->MoveTo(X1, Y1);
        c_->LineTo(X2, Y2);
    }
    void Text(int X, int Y, const std::string& S) {
        c_->Brush()->SetStyle(bsClear);
        c_->TextOut(X, Y, S);
        c_->Brush()->SetStyle(bsSolid);
        c_->Brush()->SetColor(clAqua);
    }
    // A processing block: its text centred in the box.
    void Box(int X, int Y, int Width, const std::string& S, int Height) {
        c_->Brush()->SetColor(clAqua);
        c_->Rectangle(X, Y, X + Width, Y + Height);
        const TSize size = c_->TextExtent(S);
        Text(X + (Width - size.cx) / 2, Y + (Height - size.cy) / 2, S);
    }
    // A summing point.
    void Mixer(int X, int Y) {
        c_->Brush()->SetColor(clAqua);
        c_->Ellipse(X - 3, Y - 3, X + 4, Y + 4);
        Line(X, Y - 3, X, Y + 4);
        Line(X - 3, Y, X + 4, Y);
    }
    // The pan or split symbol: a half circle against its vertical line.
    void Arc(int X, int Y, int R) {
        c_->Arc(X - R, Y - R, X + R + 1, Y + R + 1, X, Y + R + 1, X, Y - R);
        Line(X, Y - R, X, Y + R + 1);
    }
    void Junction(int X, int Y) {
        c_->Brush()->SetColor(clBlack);
        c_->Ellipse(X - 2, Y - 2, X + 3, Y + 3);
        c_->Brush()->SetColor(clAqua);
    }
    void Arrow(int X, int Y, bool PointsRight) {
        const int d = PointsRight ? -3 : 3;
        const int f = PointsRight ? -2 : 2;
        Line(X, Y, X + d, Y - 3);
        Line(X + d, Y - 3, X + d, Y + 3);
        Line(X + d, Y + 3, X, Y);
        Line(X + f, Y - 2, X + f, Y + 2);
    }
    void Level(int X, int Y) {
        c_->Brush()->SetColor(clAqua);
        c_->Ellipse(X - 2, Y - 2, X + 3, Y + 3);
        Line(X - 3, Y + 5, X + 4, Y - 7);
        Line(X + 4, Y - 7, X, Y - 5);
        Line(X + 4, Y - 7, X + 5, Y - 4);
    }
    // The two inputs "L" and "R" level with the top and bottom lines.
    void Inputs(int X = 10) {
        Text(X, 24, "L");
        Text(X, Bottom() - 6, "R");
    }
    // Both inputs joined into the summing point or the junction at (x, mid).
    void JoinInputs(int X, bool WithMixer) {
        Line(20, 30, X, 30);
        Line(X, 30, X, Bottom());
        Line(20, Bottom(), X, Bottom());
        if (WithMixer) Mixer(X, Mid());
        else Junction(X, Mid());
    }
    // From the split column to both outputs, with their arrow heads.
    void SplitToOutputs(int FromX, int FromY) {
        Line(FromX, FromY, FromX, 30);
        Line(FromX, 30, Right(), 30);
        Line(FromX, FromY, FromX, Bottom());
        Line(FromX, Bottom(), Right(), Bottom());
        Arrow(Right(), 30, true);
        Arrow(Right(), Bottom(), true);
    }
    void Outputs() {
        Arrow(Right(), 30, true);
        Arrow(Right(), Bottom(), true);
    }
};

const char* const DampLabels[] = {"200",  "250",  "315",  "400",  "500",  "630",  "800",  "1000", "1250",
                                  "1600", "2000", "2500", "3150", "4000", "5000", "6300", "8000", "ByPass"};

// The mono chain of a type: one input sum, the blocks in series (left, width and height each, level with
// the middle), the split to both outputs.
void DrawMonoChain(TEfxPainter& p, bool WithMixer, std::initializer_list<std::array<int, 3>> Boxes,
                   std::initializer_list<const char*> Texts, bool SplitSymbol) {
    const int mid = p.Mid();
    p.JoinInputs(60, WithMixer);
    int x = 60;
    auto text = Texts.begin();
    for (const auto& box : Boxes) {
        p.Line(x, mid, box[0], mid);
        p.Box(box[0], mid - (box[2] - 2) / 2, box[1], *text++, box[2]);
        x = box[0] + box[1];
    }
    p.Line(x, mid, p.Split(), mid);
    if (SplitSymbol) {
        p.Arc(p.Split(), mid, 12);
        p.SplitToOutputs(p.Split() + 5, mid);
    } else {
        p.Junction(p.Split(), mid);
        p.SplitToOutputs(p.Split(), mid);
    }
}

// The two delay lines of the stereo and modulation delays, their feedback straight or crossed.
void DrawDelays(TEfxPainter& p, bool Crossed) {
    const int top = 30;
    const int low = p.Bottom() - 15;
    const int fbTop = 45;
    const int fbLow = p.Bottom() - 30;
    for (int y : {top, low}) {
        p.Line(20, y, p.Right(), y);
        p.Box(80, y - 8, 70, "Delay", 18);
        p.Mixer(70, y);
        p.Junction(160, y);
        p.Box(200, y - 10, 30, "EQ", 20);
    }
    // Feedback from behind each delay back into a summing point: its own channel's or the other one's.
    p.Line(160, top, 160, fbTop);
    p.Line(160, low, 160, fbLow);
    p.Line(160, fbTop, 120, fbTop);
    p.Line(160, fbLow, 120, fbLow);
    if (Crossed) {
        p.Line(120, fbTop, 80, fbLow);
        p.Line(120, fbLow, 80, fbTop);
    } else {
        p.Line(120, fbTop, 80, fbTop);
        p.Line(120, fbLow, 80, fbLow);
    }
    p.Line(80, fbTop, 70, fbTop);
    p.Line(70, fbTop, 70, top + 3);
    p.Line(80, fbLow, 70, fbLow);
    p.Line(70, fbLow, 70, low - 3);
    p.Arrow(110, fbTop, false);
    p.Arrow(110, fbLow, false);
    p.Level(p.Right() - 60, 15);
    p.Level(p.Right() - 60, p.Bottom());
    p.Arrow(p.Right(), top, true);
    p.Arrow(p.Right(), low, true);
}

}  // namespace

void TFormEffect::DrawReverbDamp() {
    if (Image1 == nullptr) return;
    TCanvas* c = Image1->ImageCanvas();
    const int width = Image1->Picture()->GetWidth();
    const int height = Image1->Picture()->GetHeight();
    c->Pen()->SetColor(clBlack);
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(clAqua);
    c->Polygon({TPoint{0, 0}, TPoint{width - 1, 0}, TPoint{width - 1, height - 1}, TPoint{0, height - 1}});
    c->MoveTo(4, height - 4);
    c->LineTo(width - 4, height - 4);
    c->MoveTo(width - 6, height - 5);
    c->LineTo(width - 6, height - 2);
    c->MoveTo(4, 4);
    c->LineTo(4, height - 4);
    c->MoveTo(3, 5);
    c->LineTo(6, 5);
    c->Font()->SetName("Small Fonts");
    c->Font()->SetSize(7);
    c->Font()->SetColor(clBlack);
    const int step = ClampToRange(HFDampIndex, 0, 17);
    const std::string label = DampLabels[step];
    c->Brush()->SetStyle(bsClear);
    c->TextOut((width - c->TextWidth(label)) / 2, 4, label);
    c->Brush()->SetStyle(bsSolid);
    if (step == 17) {
        c->MoveTo(4, 20);
        c->LineTo(width - 4, 20);
    } else {
        // The roll-off knee moves two pixels to the right per step.
        const int k = 2 * step + 1;
        c->MoveTo(4, 20);
        c->LineTo(k + 9, 20);
        c->Arc(k, 20, k + 16, 36, k + 16, 26, k + 8, 20);
        c->MoveTo(k + 15, 25);
        c->LineTo(k + 20, height - 4);
    }
    Image1->Invalidate();
}

void TFormEffect::DrawEfxDiagram() {
    if (Image2 == nullptr || EFXType == nullptr) return;
    CurrentEfxType = EFXType->GetItemIndex() + 1;
    TCanvas* c = Image2->ImageCanvas();
    TEfxPainter p(c, Image2->Picture()->GetWidth(), Image2->Picture()->GetHeight());
    c->Pen()->SetColor(clBlack);
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(clAqua);
    c->Polygon({TPoint{0, 0}, TPoint{p.w - 1, 0}, TPoint{p.w - 1, p.h - 1}, TPoint{0, p.h - 1}});
    c->SetFont(PanelEFX != nullptr ? PanelEFX->Font() : Font());
    const int type = CurrentEfxType;
    const int mid = p.Mid();
    const int bottom = p.Bottom();
    const int right = p.Right();
    const int split = p.Split();
    if (type < 1 || type > EfxTypeCount) {
        Image2->Invalidate();
        return;
    }
    p.Inputs(type == 1 ? 16 : 10);
    switch (type) {
        case 1:
            for (int y : {30, bottom}) {
                p.Line(30, y, right, y);
                p.Arrow(right, y, true);
            }
            p.Box((p.w - 90) / 2, 20, 90, "EQ", 22);
            p.Box((p.w - 90) / 2, p.h - 40, 90, "EQ", 22);
            break;
        case 2:
        case 3:
            DrawMonoChain(p, true, {{70, 56, 22}, {130, 50, 22}, {184, 24, 22}},
                          {type == 2 ? "OverDrive" : "Distorsion", "Amp Sim", "EQ"}, true);
            p.Text(split + 15, mid - 6, "Pan");
            break;
        case 4:
        case 5:
        case 7:
        case 8: {
            const char* name = type == 4 ? "Phaser" : type == 5 ? "Spectrum" : type == 7 ? "Auto-Wah" : "Rotary";
            DrawMonoChain(p, type != 5, {{99, 80, 22}}, {name}, type == 4 || type == 5);
            break;
        }
        case 6:
            for (int y : {20, bottom - 10}) {
                p.Line(20, y + 10, right, y + 10);
                p.Box(60, y, 100, "Enhancer", 22);
                p.Box(200, y, 30, "EQ", 22);
                p.Junction(40, y + 10);
                p.Junction(180, y + 10);
            }
            p.Outputs();
            break;
        case 9:
        case 10:
            DrawMonoChain(p, true, {{80, 80, 22}, {170, 30, 22}}, {type == 9 ? "Compressor" : "Limiter", "EQ"}, true);
            break;
        case 11:
        case 12: DrawMonoChain(p, true, {{90, 110, 32}}, {type == 11 ? "Hexa Chorus" : "Tremolo Chorus"}, false); break;
        case 13:
            p.Line(20, 30, 80, mid - 8);
            p.Line(20, bottom, 80, mid + 8);
            p.Box(80, mid - 15, 70, "Space D", 32);
            p.Line(150, mid - 8, right, bottom);
            p.Line(150, mid + 8, right, 30);
            p.Outputs();
            break;
        case 14:
        case 15:
        case 16: {
            const char* name = type == 14 ? "Chorus" : "Flanger";
            for (int y : {30, bottom}) p.Line(20, y, right, y);
            p.Line(115, 30, 115, 37);
            p.Line(115, bottom, 115, bottom - 5);
            p.Box(80, 37, 70, name, 18);
            p.Box(80, bottom - 23, 70, name, 18);
            p.Outputs();
            break;
        }
        case 17:
        case 18: {
            // "FeedBack Mode" is byte 13 on both delay types: 1 is "Cross".
            DrawDelays(p, ReadByte(13) == 1);
            break;
        }
        case 19:
        case 20: {
            // The taps side by side; the tap that feeds back lies below them, its feedback path under it.
            const bool triple = type == 19;
            const int feedback = bottom + 20;
            p.JoinInputs(60, true);
            p.Line(60, mid, 65, mid);
            p.Line(65, triple ? 26 : 23, 65, bottom + 4);
            const std::array<int, 3> tops = triple ? std::array<int, 3>{17, 45, 0} : std::array<int, 3>{15, 35, 55};
            const std::array<const char*, 3> names = triple
                                                         ? std::array<const char*, 3>{"Left Tap", "RightTap", ""}
                                                         : std::array<const char*, 3>{"Delay 4", "Delay 3", "Delay 2"};
            for (std::size_t i = 0; i < 3; ++i) {
                if (names[i][0] == '\0') continue;
                const int y = tops[i] + 9;
                p.Box(90, tops[i], 70, names[i], 18);
                p.Line(65, y, 90, y);
                p.Line(160, y, right - 20, i == 0 || (!triple && i == 1) ? 30 : bottom);
                if (!triple) p.Junction(65, tops[i] + 8);
            }
            p.Box(75, bottom - 5, 70, triple ? "Center Tap" : "Delay 1", 18);
            p.Line(65, bottom + 4, 75, bottom + 4);
            p.Line(145, bottom + 4, right - 20, 30);
            p.Line(145, bottom + 4, right - 20, bottom);
            p.Mixer(right - 20, 30);
            p.Mixer(right - 20, bottom);
            p.Line(152, bottom + 4, 152, feedback);
            p.Line(152, feedback, 56, feedback);
            p.Line(56, feedback, 56, mid + 3);
            p.Arrow(110, feedback, false);
            if (!triple) p.Level(135, feedback);
            p.Line(right - 20, 30, right, 30);
            p.Line(right - 20, bottom, right, bottom);
            p.Outputs();
            break;
        }
        case 21:
        case 23:
            p.JoinInputs(50, true);
            p.Line(50, mid, 70, mid);
            p.Mixer(70, mid);
            p.Line(73, mid, 80, mid);
            p.Box(80, mid - 10, 70, type == 21 ? "Delay" : "Pitch", 22);
            p.Line(150, mid, split, mid);
            p.Junction(157, mid);
            p.Line(157, mid, 157, mid + 20);
            p.Line(157, mid + 20, 70, mid + 20);
            p.Line(70, mid + 20, 70, mid + 3);
            p.Arrow(110, mid + 20, false);
            p.Junction(split, mid);
            p.SplitToOutputs(split, mid);
            break;
        case 22:
            p.JoinInputs(60, true);
            p.Line(60, mid, 80, mid);
            p.Line(80, mid - 14, 80, mid + 16);
            p.Line(80, mid - 14, 100, mid - 14);
            p.Line(80, mid + 16, 100, mid + 16);
            p.Box(100, mid - 25, 80, "Pitch 1", 22);
            p.Box(100, mid + 5, 80, "Pitch 2", 22);
            p.Line(180, mid - 14, right - 20, 20);
            p.Line(180, mid + 16, right - 20, bottom);
            p.Line(180, mid - 14, right - 20, bottom);
            p.Line(180, mid + 16, right - 20, 20);
            p.Mixer(right - 20, 20);
            p.Mixer(right - 20, bottom);
            p.Line(right - 17, 20, right, 30);
            p.Line(right - 17, bottom, right, bottom);
            p.Outputs();
            break;
        case 24:
        case 25: DrawMonoChain(p, true, {{80, 70, 22}}, {type == 24 ? "Delay" : "Gate Reverb"}, false); break;
        case 26:
        case 27:
        case 28:
        case 29:
        case 30:
        case 31: {
            const char* first = type <= 28 ? "Overdrive" : "Distorsore";
            const int second = (type - 26) % 3;
            const char* name = second == 0 ? "Chorus" : second == 1 ? "Flanger" : "Delay";
            DrawMonoChain(p, type >= 28, {{70, 60, 22}, {150, 60, 22}}, {first, name}, false);
            p.Junction(140, mid);
            break;
        }
        case 32:
        case 33:
        case 34:
            for (int y : {20, bottom - 10}) {
                p.Line(20, y + 10, 40, y + 10);
                p.Box(40, y, 70, "Enhancer", 22);
                p.Line(110, y + 10, right, y + 10);
                p.Junction(140, y + 10);
            }
            p.Line(140, 30, 150, mid);
            p.Line(140, bottom, 150, mid);
            p.Mixer(150, mid);
            p.Box(160, mid - 10, 50, type == 32 ? "Chorus" : type == 33 ? "Flanger" : "Delay", 22);
            p.Line(210, mid, 225, 30);
            p.Line(210, mid, 225, bottom);
            p.Outputs();
            break;
        case 35:
        case 36:
        case 37:
            p.JoinInputs(50, true);
            p.Line(50, mid, 60, mid);
            p.Box(60, mid - 10, 50, type == 36 ? "Flanger" : "Chorus", 22);
            p.Line(110, mid, 130, mid);
            p.Line(130, 30, 130, bottom);
            p.Line(130, 30, right, 30);
            p.Line(130, bottom, right, bottom);
            p.Junction(140, 30);
            p.Junction(140, bottom);
            p.Line(140, 30, 150, mid);
            p.Line(140, bottom, 150, mid);
            p.Mixer(150, mid);
            p.Box(160, mid - 10, 50, type == 37 ? "Flanger" : "Delay", 22);
            p.Line(210, mid, 225, 30);
            p.Line(210, mid, 225, bottom);
            p.Outputs();
            break;
        case 38:
        case 39:
        case 40:
            for (int y : {30, bottom}) {
                p.Line(20, y, right, y);
                p.Junction(50, y);
            }
            p.Line(50, 30, 50, 46);
            p.Line(50, 46, 90, 46);
            p.Line(50, bottom, 50, bottom - 14);
            p.Line(50, bottom - 14, 90, bottom - 14);
            p.Box(90, 37, 70, type == 39 ? "Flanger" : "Chorus", 18);
            p.Box(90, bottom - 23, 70, type == 40 ? "Flanger" : "Delay", 18);
            p.Line(160, 46, 200, 30);
            p.Line(160, bottom - 14, 200, bottom);
            p.Outputs();
            break;
        default: break;
    }
    Image2->Invalidate();
}

}  // namespace zel
