#include "editors/Uecommon.h"

#include <cstdlib>
#include <string>
#include <vector>

#include "editors/NameField.h"
#include "model/CurrentElements.h"
#include "model/Patch.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/vcl/FormReader.h"

namespace zel {

namespace formres {
extern const TFormResource Uecommon;
}

namespace {
const TFormClassRegistration registration("TFormCommon", [](TComponent* Owner) -> TCustomForm* {
    return Construct<TFormCommon>(Owner);
});

// The data bytes of the common, by parameter.
enum : int {
    pName = 0,
    pTempo = 44,
    pLevel = 46,
    pPan = 47,
    pAnalogFeel = 48,
    pBendUp = 49,
    pBendDown = 50,
    pKeyAssign = 51,
    pSoloLegato = 52,
    pPortSwitch = 53,
    pPortMode = 54,
    pPortType = 55,
    pPortStart = 56,
    pPortTime = 57,
    pCtrlSource2 = 58,
    pCtrlSource3 = 59,
    pEfxHoldPeak = 60,
    pCtrl1HoldPeak = 61,
    pCtrl2HoldPeak = 62,
    pCtrl3HoldPeak = 63,
    pVelRange = 64,
    pOctave = 65,
    pStretch = 66,
    pVoice = 67,
    pStruct12 = 68,
    pBoost12 = 69,
    pStruct34 = 70,
    pBoost34 = 71,
};

constexpr int StructureTypes = 10;

}  // namespace

const TFormResource* TFormCommon::FormResource() const { return &formres::Uecommon; }

void TFormCommon::DefineBindings(TFormBindings& B) {
    DefineProtocolBindings(B);
    B.Field("TabbedNotebook1", TabbedNotebook1);
    B.Field("Panelbtn", Panelbtn);
    B.Field("BtnUndo", BtnUndo);
    B.Field("BtnRevert", BtnRevert);
    B.Field("Btnclose", Btnclose);
    B.Field("EditName", EditName);
    B.Field("DefaultTempo", DefaultTempo);
    B.Field("PatchLevel", PatchLevel);
    B.Field("ClickPan", ClickPan);
    B.Field("AnalogfeelDepth", AnalogfeelDepth);
    B.Field("BenderUp", BenderUp);
    B.Field("BenderDown", BenderDown);
    B.Field("KeyAssModePoly", KeyAssModePoly);
    B.Field("KeyAssModeSolo", KeyAssModeSolo);
    B.Field("SoloLegato", SoloLegato);
    B.Field("PortSwitch", PortSwitch);
    B.Field("PortModeNormal", PortModeNormal);
    B.Field("PortModeLegato", PortModeLegato);
    B.Field("GroupPortType", GroupPortType);
    B.Field("PortTypeRAte", PortTypeRAte);
    B.Field("PortTypeTime", PortTypeTime);
    B.Field("GroupPortStart", GroupPortStart);
    B.Field("PortStartPitch", PortStartPitch);
    B.Field("PortStartNote", PortStartNote);
    B.Field("PortTime", PortTime);
    B.Field("PatchCtrlSource2", PatchCtrlSource2);
    B.Field("PatchCtrlSource3", PatchCtrlSource3);
    B.Field("EfxCtrlOff", EfxCtrlOff);
    B.Field("EfxCtrlHold", EfxCtrlHold);
    B.Field("EfxCtrlPeak", EfxCtrlPeak);
    B.Field("Ctrl1Off", Ctrl1Off);
    B.Field("Ctrl1Hold", Ctrl1Hold);
    B.Field("Ctrl1Peak", Ctrl1Peak);
    B.Field("Ctrl2Off", Ctrl2Off);
    B.Field("Ctrl2Hold", Ctrl2Hold);
    B.Field("Ctrl2Peak", Ctrl2Peak);
    B.Field("Ctrl3Off", Ctrl3Off);
    B.Field("Ctrl3Hold", Ctrl3Hold);
    B.Field("Ctrl3Peak", Ctrl3Peak);
    B.Field("VelRangeSwitch", VelRangeSwitch);
    B.Field("OctaveShift", OctaveShift);
    B.Field("Stretch1", Stretch1);
    B.Field("Stretch2", Stretch2);
    B.Field("Stretch3", Stretch3);
    B.Field("Stretch4", Stretch4);
    B.Field("VoiceLast", VoiceLast);
    B.Field("VoiceLoudest", VoiceLoudest);
    B.Field("Precedente", Precedente);
    B.Field("Successivo", Successivo);
    B.Field("Image12", Image12);
    B.Field("PanelN12", PanelN12);
    B.Field("Label12", Label12);
    B.Field("Booster121", Booster121);
    B.Field("Booster122", Booster122);
    B.Field("Booster123", Booster123);
    B.Field("Booster124", Booster124);
    B.Field("BitBtn1", BitBtn1);
    B.Field("BitBtn2", BitBtn2);
    B.Field("Image34", Image34);
    B.Field("PanelN34", PanelN34);
    B.Field("Label34", Label34);
    B.Field("Booster341", Booster341);
    B.Field("Booster342", Booster342);
    B.Field("Booster343", Booster343);
    B.Field("Booster344", Booster344);
    using N = TNotifyEvent;
    B.Handler<TKeyEvent>("EditNameKeyUp", [this](TObject* s, WORD& k, TShiftState sh) { EditNameKeyUp(s, k, sh); });
    B.Handler<TKeyPressEvent>("EditNameKeyPress", [this](TObject* s, char& k) { EditNameKeyPress(s, k); });
    B.Handler<N>("DefaultTempoEndChange", [this](TObject* s) { DefaultTempoEndChange(s); });
    B.Handler<N>("PatchLevelEndchange", [this](TObject* s) { PatchLevelEndchange(s); });
    B.Handler<N>("ClickPanEndchange", [this](TObject* s) { ClickPanEndchange(s); });
    B.Handler<N>("AnalogfeelDepthEndchange", [this](TObject* s) { AnalogfeelDepthEndchange(s); });
    B.Handler<N>("BenderUpEndChange", [this](TObject* s) { BenderUpEndChange(s); });
    B.Handler<N>("BenderDownEndChange", [this](TObject* s) { BenderDownEndChange(s); });
    B.Handler<N>("KeyAssModePolyClick", [this](TObject* s) { KeyAssModePolyClick(s); });
    B.Handler<N>("SoloLegatoClick", [this](TObject* s) { SoloLegatoClick(s); });
    B.Handler<N>("PortSwitchClick", [this](TObject* s) { PortSwitchClick(s); });
    B.Handler<N>("PortModeNormalClick", [this](TObject* s) { PortModeNormalClick(s); });
    B.Handler<N>("PortTypeRAteClick", [this](TObject* s) { PortTypeRAteClick(s); });
    B.Handler<N>("PortStartPitchClick", [this](TObject* s) { PortStartPitchClick(s); });
    B.Handler<N>("PortTimeEndchange", [this](TObject* s) { PortTimeEndchange(s); });
    B.Handler<N>("PatchCtrlSource2Change", [this](TObject* s) { PatchCtrlSource2Change(s); });
    B.Handler<N>("PatchCtrlSource3Change", [this](TObject* s) { PatchCtrlSource3Change(s); });
    B.Handler<N>("EfxCtrlOffClick", [this](TObject* s) { EfxCtrlOffClick(s); });
    B.Handler<N>("Ctrl1OffClick", [this](TObject* s) { Ctrl1OffClick(s); });
    B.Handler<N>("Ctrl2OffClick", [this](TObject* s) { Ctrl2OffClick(s); });
    B.Handler<N>("Ctrl3OffClick", [this](TObject* s) { Ctrl3OffClick(s); });
    B.Handler<N>("VelRangeSwitchClick", [this](TObject* s) { VelRangeSwitchClick(s); });
    B.Handler<N>("OctaveShiftEndChange", [this](TObject* s) { OctaveShiftEndChange(s); });
    B.Handler<N>("Stretch1Click", [this](TObject* s) { Stretch1Click(s); });
    B.Handler<N>("VoiceLastClick", [this](TObject* s) { VoiceLastClick(s); });
    B.Handler<N>("PrecedenteClick", [this](TObject* s) { PrecedenteClick(s); });
    B.Handler<N>("SuccessivoClick", [this](TObject* s) { SuccessivoClick(s); });
    B.Handler<N>("BitBtn1Click", [this](TObject* s) { BitBtn1Click(s); });
    B.Handler<N>("BitBtn2Click", [this](TObject* s) { BitBtn2Click(s); });
    B.Handler<N>("Booster121Click", [this](TObject* s) { Booster121Click(s); });
    B.Handler<N>("Booster341Click", [this](TObject* s) { Booster341Click(s); });
    B.Handler<TPageChangeEvent>("TabbedNotebook1Change",
                                [this](TObject* s, int tab, bool& allow) { TabbedNotebook1Change(s, tab, allow); });
}

// ------------------------------------------------------------------------------------------ the protocol

void TFormCommon::TakeOpenerVariables() {
    EditElem = OpeningCommonPatch;
    ToneIndex = 0;
}

TEditorSlot& TFormCommon::Slot() const { return EditElem->Common->Editors[TCommon::ceCommon]; }

int TFormCommon::CurrentUndoIndex() const { return TabbedNotebook1 != nullptr ? TabbedNotebook1->GetPageIndex() : 0; }

void TFormCommon::FormCreate(TObject* Sender) {
    TPatchSectionEditor::FormCreate(Sender);
    // The portamento type and start groups stand side by side under the mode.
    if (GroupPortType != nullptr && GroupPortStart != nullptr)
        GroupPortStart->SetBounds(GroupPortType->GetLeft() + GroupPortType->GetWidth() + 4, GroupPortType->GetTop(),
                                  GroupPortType->GetWidth(), GroupPortType->GetHeight());
    for (TImage* image : {Image12, Image34})
        if (image != nullptr) image->Picture()->SetSize(image->GetWidth(), image->GetHeight());
    FormResize(this);
}

template <std::size_t N>
void TFormCommon::SelectByByte(const std::array<TRadioButton*, N>& Buttons, int Byte) {
    const int n = ClampToRange(Byte, 0, static_cast<int>(N) - 1);
    Buttons[static_cast<std::size_t>(n)]->SetChecked(true);
}

template <std::size_t N>
void TFormCommon::DownByByte(const std::array<TSpeedButton*, N>& Buttons, int Byte) {
    const int n = ClampToRange(Byte, 0, static_cast<int>(N) - 1);
    Buttons[static_cast<std::size_t>(n)]->SetDown(true);
}

void TFormCommon::UpdateView() {
    if (EditElem == nullptr) return;
    InUpdateView = 1;
    TScopeExit filled([this] { InUpdateView = 0; });
    const auto b = [this](int Position) { return static_cast<int>(GetParam(Position)); };
    SetCaption(EditorCaption("Common"));
    // The name without its trailing blanks, so that typing goes on right after it.
    EditName->SetText(EditElem->GetName());
    // A stored byte that no control can show is shown as the nearest valid value; nothing is written.
    DefaultTempo->SetCode(ClampToRange(b(pTempo) * 16 + b(pTempo + 1), 20, 250));
    PatchLevel->SetValue(b(pLevel));
    ClickPan->SetValue(b(pPan) - 64);
    AnalogfeelDepth->SetValue(b(pAnalogFeel));
    BenderUp->SetCode(ClampToRange(b(pBendUp), 0, 12));
    BenderDown->SetCode(-ClampToRange(b(pBendDown), 0, 48));
    SelectByByte(std::array{KeyAssModePoly, KeyAssModeSolo}, b(pKeyAssign));
    SoloLegato->SetChecked(b(pSoloLegato) != 0);
    PortSwitch->SetChecked(b(pPortSwitch) != 0);
    SelectByByte(std::array{PortModeNormal, PortModeLegato}, b(pPortMode));
    SelectByByte(std::array{PortTypeRAte, PortTypeTime}, b(pPortType));
    SelectByByte(std::array{PortStartPitch, PortStartNote}, b(pPortStart));
    PortTime->SetValue(b(pPortTime));
    // A source the list does not hold shows no item.
    PatchCtrlSource2->SetItemIndex(b(pCtrlSource2));
    PatchCtrlSource3->SetItemIndex(b(pCtrlSource3));
    SelectByByte(std::array{EfxCtrlOff, EfxCtrlHold, EfxCtrlPeak}, b(pEfxHoldPeak));
    SelectByByte(std::array{Ctrl1Off, Ctrl1Hold, Ctrl1Peak}, b(pCtrl1HoldPeak));
    SelectByByte(std::array{Ctrl2Off, Ctrl2Hold, Ctrl2Peak}, b(pCtrl2HoldPeak));
    SelectByByte(std::array{Ctrl3Off, Ctrl3Hold, Ctrl3Peak}, b(pCtrl3HoldPeak));
    VelRangeSwitch->SetChecked(b(pVelRange) != 0);
    OctaveShift->SetCode(ClampToRange(b(pOctave), 0, 6) - 3);
    DownByByte(std::array{Stretch1, Stretch2, Stretch3, Stretch4}, b(pStretch));
    SelectByByte(std::array{VoiceLast, VoiceLoudest}, b(pVoice));
    DownByByte(std::array{Booster121, Booster122, Booster123, Booster124}, b(pBoost12));
    DownByByte(std::array{Booster341, Booster342, Booster343, Booster344}, b(pBoost34));
    Struct12 = ClampToRange(b(pStruct12), 0, StructureTypes - 1);
    Struct34 = ClampToRange(b(pStruct34), 0, StructureTypes - 1);
    DrawStruct(Image12);
    DrawStruct(Image34);
    CheckBtnEnabled();
}

// ------------------------------------------------------------------------------------------------- name

void TFormCommon::EditNameKeyPress(TObject*, char& Key) { FilterNameKey(Key); }

void TFormCommon::EditNameKeyUp(TObject*, WORD&, TShiftState) { SendAndStoreArray(pName, NameFieldBytes(*EditName)); }

// ----------------------------------------------------------------------------------------------- values

void TFormCommon::DefaultTempoEndChange(TObject*) {
    const int code = DefaultTempo->GetCode();
    const std::array<std::uint8_t, 2> bytes{static_cast<std::uint8_t>(code / 16), static_cast<std::uint8_t>(code % 16)};
    SendAndStoreArray(pTempo, bytes);
}

void TFormCommon::PatchLevelEndchange(TObject*) { SendandStore(pLevel, PatchLevel->GetValue()); }
void TFormCommon::ClickPanEndchange(TObject*) { SendandStore(pPan, ClickPan->GetValue() + 64); }
void TFormCommon::AnalogfeelDepthEndchange(TObject*) { SendandStore(pAnalogFeel, AnalogfeelDepth->GetValue()); }
void TFormCommon::BenderUpEndChange(TObject*) { SendandStore(pBendUp, BenderUp->GetCode()); }
void TFormCommon::BenderDownEndChange(TObject*) { SendandStore(pBendDown, std::abs(BenderDown->GetCode())); }
void TFormCommon::KeyAssModePolyClick(TObject*) { SendandStore(pKeyAssign, KeyAssModePoly->GetChecked() ? 0 : 1); }
void TFormCommon::SoloLegatoClick(TObject*) { SendandStore(pSoloLegato, SoloLegato->GetChecked() ? 1 : 0); }
void TFormCommon::PortSwitchClick(TObject*) { SendandStore(pPortSwitch, PortSwitch->GetChecked() ? 1 : 0); }
void TFormCommon::PortModeNormalClick(TObject*) { SendandStore(pPortMode, PortModeNormal->GetChecked() ? 0 : 1); }
void TFormCommon::PortTypeRAteClick(TObject*) { SendandStore(pPortType, PortTypeRAte->GetChecked() ? 0 : 1); }
void TFormCommon::PortStartPitchClick(TObject*) { SendandStore(pPortStart, PortStartPitch->GetChecked() ? 0 : 1); }
void TFormCommon::PortTimeEndchange(TObject*) { SendandStore(pPortTime, PortTime->GetValue()); }

void TFormCommon::PatchCtrlSource2Change(TObject*) {
    if (PatchCtrlSource2->GetItemIndex() >= 0) SendandStore(pCtrlSource2, PatchCtrlSource2->GetItemIndex());
}

void TFormCommon::PatchCtrlSource3Change(TObject*) {
    if (PatchCtrlSource3->GetItemIndex() >= 0) SendandStore(pCtrlSource3, PatchCtrlSource3->GetItemIndex());
}

int TFormCommon::HoldPeakValue(TRadioButton* Off, TRadioButton* Hold, TRadioButton* Peak) {
    return (Off->GetChecked() ? 1 : 0) + 2 * (Hold->GetChecked() ? 1 : 0) + 3 * (Peak->GetChecked() ? 1 : 0) - 1;
}

void TFormCommon::EfxCtrlOffClick(TObject*) {
    SendandStore(pEfxHoldPeak, HoldPeakValue(EfxCtrlOff, EfxCtrlHold, EfxCtrlPeak));
}
void TFormCommon::Ctrl1OffClick(TObject*) {
    SendandStore(pCtrl1HoldPeak, HoldPeakValue(Ctrl1Off, Ctrl1Hold, Ctrl1Peak));
}
void TFormCommon::Ctrl2OffClick(TObject*) {
    SendandStore(pCtrl2HoldPeak, HoldPeakValue(Ctrl2Off, Ctrl2Hold, Ctrl2Peak));
}
void TFormCommon::Ctrl3OffClick(TObject*) {
    SendandStore(pCtrl3HoldPeak, HoldPeakValue(Ctrl3Off, Ctrl3Hold, Ctrl3Peak));
}
void TFormCommon::VelRangeSwitchClick(TObject*) { SendandStore(pVelRange, VelRangeSwitch->GetChecked() ? 1 : 0); }
void TFormCommon::OctaveShiftEndChange(TObject*) { SendandStore(pOctave, OctaveShift->GetCode() + 3); }
void TFormCommon::VoiceLastClick(TObject*) { SendandStore(pVoice, VoiceLast->GetChecked() ? 0 : 1); }

void TFormCommon::Stretch1Click(TObject* Sender) {
    if (const auto* button = dynamic_cast<const TControl*>(Sender)) SendandStore(pStretch, button->Tag);
}

void TFormCommon::Booster121Click(TObject* Sender) {
    if (const auto* button = dynamic_cast<const TControl*>(Sender)) SendandStore(pBoost12, button->Tag);
}

void TFormCommon::Booster341Click(TObject* Sender) {
    if (const auto* button = dynamic_cast<const TControl*>(Sender)) SendandStore(pBoost34, button->Tag);
}

// ---------------------------------------------------------------------------------------- structures

void TFormCommon::StepStructure(int& Type, int Step, int Position, TImage* Image) {
    const int next = Type + Step;
    // The arrows stop at the first and the tenth type without sending.
    if (next < 0 || next >= StructureTypes) return;
    Type = next;
    DrawStruct(Image);
    SendandStore(Position, Type);
}

void TFormCommon::PrecedenteClick(TObject*) { StepStructure(Struct12, -1, pStruct12, Image12); }
void TFormCommon::SuccessivoClick(TObject*) { StepStructure(Struct12, 1, pStruct12, Image12); }
void TFormCommon::BitBtn1Click(TObject*) { StepStructure(Struct34, -1, pStruct34, Image34); }
void TFormCommon::BitBtn2Click(TObject*) { StepStructure(Struct34, 1, pStruct34, Image34); }

void TFormCommon::TabbedNotebook1Change(TObject*, int NewTab, bool&) {
    // The buttons follow the history of the page being entered.
    const bool any = NewTab >= 0 && static_cast<std::size_t>(NewTab) < UndoList.size() &&
                     UndoList[static_cast<std::size_t>(NewTab)]->Count() > 0;
    if (BtnUndo != nullptr) BtnUndo->SetEnabled(any);
    if (BtnRevert != nullptr) BtnRevert->SetEnabled(any);
}

namespace {

// The sizes of a structure diagram: blocks wide enough for "TVF" in the picture's font with a clear margin,
// booster and ring boxes a little taller than the blocks, places a block and a line's room apart.
constexpr int BlockWidth = 27;
constexpr int BlockHeight = 15;
constexpr int SmallWidth = 13;
constexpr int SmallHeight = 17;
constexpr int PlaceStep = 32;
// The framed rows: the upper one from RowTop, the lower one ending RowBottomMargin above the bottom.
constexpr int RowTop = 8;
constexpr int RowHeight = 30;
constexpr int RowBottomMargin = 7;
// A block's top below its row's top.
constexpr int BlockInset = 5;

// The pieces of a structure diagram on an image's canvas; it keeps every box it draws.
class TStructurePainter {
public:
    TStructurePainter(TCanvas* Canvas, int Left, int Height) : c_(Canvas), left_(Left), height_(Height) {
        TEXTMETRIC tm{};
        GetTextMetrics(c_->GetHandle(), &tm);
        // The labels are capitals: their ink stands above the baseline, so half the descent moves them down.
        textShift_ = static_cast<int>(tm.tmDescent) / 2;
    }

    // The x of chain place n, counted from the divider.
    int X(int n) const { return left_ + 8 + n * PlaceStep; }
    int UpperTop() const { return RowTop + BlockInset; }
    int LowerTop() const { return height_ - RowBottomMargin - RowHeight + BlockInset; }
    // The top of a box between the rows, and the y through its middle.
    int MiddleTop() const { return (RowTop + RowHeight + height_ - RowBottomMargin - RowHeight) / 2 - SmallHeight / 2; }
    int MiddleY() const { return MiddleTop() + SmallHeight / 2; }

    // A block with its text centred both ways.
    void Block(int x, int y, const std::string& text) { Box(x, y, BlockWidth, BlockHeight, text); }
    // A booster ("B") or ring ("R") box.
    void Small(int x, int y, const std::string& text) { Box(x, y, SmallWidth, SmallHeight, text); }
    void Line(std::vector<TPoint> points) { c_->Polyline(points); }
    // A chain of blocks at the given places joined left to right.
    void Chain(int y, const std::vector<std::pair<int, std::string>>& blocks) {
        for (std::size_t i = 0; i < blocks.size(); ++i) {
            Block(X(blocks[i].first), y, blocks[i].second);
            if (i > 0) Line({{X(blocks[i - 1].first) + BlockWidth, y + Cy}, {X(blocks[i].first), y + Cy}});
        }
    }

    // The middle row and column of a block, where lines meet it.
    static constexpr int Cy = BlockHeight / 2;
    static constexpr int Cx = BlockWidth / 2;

    std::vector<TStructureBox> Boxes;

private:
    void Box(int x, int y, int w, int h, const std::string& text) {
        c_->Brush()->SetColor(clAqua);
        c_->Rectangle(x, y, x + w, y + h);
        c_->Brush()->SetStyle(bsClear);
        const int tw = c_->TextWidth(text);
        const int th = c_->TextHeight(text);
        c_->TextOut(x + (w - tw) / 2, y + (h - th) / 2 + textShift_, text);
        c_->Brush()->SetStyle(bsSolid);
        c_->Brush()->SetColor(clAqua);
        Boxes.push_back({TRect{x, y, x + w, y + h}, text});
    }

    TCanvas* c_;
    int left_;
    int height_;
    int textShift_ = 0;
};

void DrawDiagram(TStructurePainter& p, int Type) {
    constexpr int bw = BlockWidth;
    constexpr int bh = BlockHeight;
    constexpr int cx = TStructurePainter::Cx;
    constexpr int cy = TStructurePainter::Cy;
    const int up = p.UpperTop();
    const int low = p.LowerTop();
    const int mid = p.MiddleTop();
    const int midY = p.MiddleY();
    if (Type == 0) {
        p.Chain(up, {{0, "WG"}, {1, "TVF"}, {2, "TVA"}});
        p.Chain(low, {{0, "WG"}, {1, "TVF"}, {2, "TVA"}});
        return;
    }
    if (Type <= 5) {
        // Layout A: the upper WG leads between the rows and back up into the upper TVF, which feeds the
        // lower TVF.
        const int tvfPlace = 3;
        p.Block(p.X(0), up, "WG");
        p.Block(p.X(1), up, "TVA");
        p.Block(p.X(tvfPlace), up, "TVF");
        p.Block(p.X(0), low, "WG");
        p.Block(p.X(4), low, "TVF");
        p.Block(p.X(5), low, "TVA");
        p.Line({{p.X(4) + bw, low + cy}, {p.X(5), low + cy}});
        const int meetX = p.X(2) + cx;
        const int boxLeft = meetX - SmallWidth / 2;
        if (Type == 1 || Type == 3) {
            p.Line({{p.X(0) + cx, up + bh},
                    {p.X(0) + cx, midY},
                    {meetX, midY},
                    {meetX, up + cy},
                    {p.X(tvfPlace), up + cy}});
        } else {
            // A box stands where the lines meet; with two inputs, the upper one enters above the lower one.
            const int inY = Type == 5 ? midY - 4 : midY;
            p.Line({{p.X(0) + cx, up + bh}, {p.X(0) + cx, inY}, {boxLeft, inY}});
            p.Small(boxLeft, mid, Type == 2 ? "B" : "R");
            p.Line({{meetX, mid}, {meetX, up + cy}, {p.X(tvfPlace), up + cy}});
            if (Type == 5) p.Line({{p.X(0) + cx, low}, {p.X(0) + cx, midY + 4}, {boxLeft, midY + 4}});
        }
        if (Type == 3) {
            // A booster right of the upper TVF, down into the lower TVF.
            const int boosterTop = up + cy - SmallHeight / 2;
            p.Line({{p.X(tvfPlace) + bw, up + cy}, {p.X(4) + cx - SmallWidth / 2, up + cy}});
            p.Small(p.X(4) + cx - SmallWidth / 2, boosterTop, "B");
            p.Line({{p.X(4) + cx, boosterTop + SmallHeight}, {p.X(4) + cx, low}});
        } else {
            p.Line({{p.X(tvfPlace) + bw, up + cy}, {p.X(4) + cx, up + cy}, {p.X(4) + cx, low}});
        }
        return;
    }
    // Layouts B (6, 7) and C (8, 9): the upper chain and a lower-row signal meet in a ring box. In B the
    // lower WG goes into the ring, whose output feeds the lower TVF; in C the lower WG feeds its TVF, which
    // goes into the ring, whose output feeds the lower TVA.
    const bool layoutC = Type >= 8;
    p.Chain(up, {{0, "WG"}, {1, "TVF"}, {2, "TVA"}});
    const int ringCentre = p.X(layoutC ? 4 : 3) + cx;
    const int ringX = ringCentre - SmallWidth / 2;
    p.Line({{p.X(2) + bw, up + cy}, {ringCentre, up + cy}, {ringCentre, mid}});
    p.Small(ringX, mid, "R");
    p.Block(p.X(0), low, "WG");
    const int lowTvf = layoutC ? 1 : 4;
    p.Block(p.X(lowTvf), low, "TVF");
    p.Block(p.X(5), low, "TVA");
    if (layoutC) {
        p.Line({{p.X(0) + bw, low + cy}, {p.X(lowTvf), low + cy}});
        p.Line({{p.X(lowTvf) + bw, low + cy}, {ringX - 6, low + cy}, {ringX - 6, midY}, {ringX, midY}});
        p.Line({{ringX + SmallWidth, midY}, {p.X(5) + cx, midY}, {p.X(5) + cx, low}});
    } else {
        p.Line({{p.X(0) + cx, low}, {p.X(0) + cx, midY}, {ringX, midY}});
        p.Line({{ringCentre, mid + SmallHeight}, {ringCentre, low + cy}, {p.X(lowTvf), low + cy}});
        p.Line({{p.X(lowTvf) + bw, low + cy}, {p.X(5), low + cy}});
    }
    if (Type == 7 || Type == 9) {
        // The return from the lower row's right end back to its left, below the blocks.
        const int bottom = low + bh + 4;
        p.Line({{p.X(5) + bw, low + cy},
                {p.X(5) + bw + 4, low + cy},
                {p.X(5) + bw + 4, bottom},
                {p.X(0) - 4, bottom},
                {p.X(0) - 4, low + cy},
                {p.X(0), low + cy}});
    }
}

}  // namespace

std::vector<TStructureBox> DrawStructureDiagram(TCanvas* Canvas, int Left, int Height, int Type) {
    // Only the ten known types have a diagram.
    if (Type < 0 || Type >= StructureTypes) return {};
    Canvas->Font()->SetName("Small Fonts");
    Canvas->Font()->SetSize(6);
    Canvas->Font()->SetColor(clBlack);
    Canvas->Pen()->SetColor(clBlack);
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->Brush()->SetColor(clAqua);
    TStructurePainter painter(Canvas, Left, Height);
    DrawDiagram(painter, Type);
    return painter.Boxes;
}

void TFormCommon::DrawStruct(TImage* Image) {
    if (Image == nullptr) return;
    const bool first = Image == Image12;
    const int type = first ? Struct12 : Struct34;
    TLabel* label = first ? Label12 : Label34;
    TPanel* panel = first ? PanelN12 : PanelN34;
    TCanvas* c = Image->ImageCanvas();
    const int w = Image->Picture()->GetWidth();
    const int h = Image->Picture()->GetHeight();
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(clAqua);
    c->Pen()->SetColor(clBlack);
    c->FillRect(TRect{0, 0, w, h});
    c->Font()->SetName("Small Fonts");
    c->Font()->SetSize(6);
    c->Font()->SetColor(clBlack);
    const int upperBottom = RowTop + RowHeight;
    const int lowerTop = h - RowBottomMargin - RowHeight;
    c->Rectangle(4, RowTop, w - 4, upperBottom);
    c->Rectangle(4, lowerTop, w - 4, h - RowBottomMargin);
    const int tag = Image->Tag;
    const int textTop = (RowHeight - c->TextHeight("Tone 1")) / 2;
    c->Brush()->SetStyle(bsClear);
    c->TextOut(8, RowTop + textTop, "Tone " + std::to_string(tag));
    c->TextOut(8, lowerTop + textTop, "Tone " + std::to_string(tag + 1));
    c->Brush()->SetStyle(bsSolid);
    const int divider = 8 + c->TextWidth("Tone 1 ");
    c->MoveTo(divider, RowTop);
    c->LineTo(divider, upperBottom);
    c->MoveTo(divider, lowerTop);
    c->LineTo(divider, h - RowBottomMargin);
    if (label != nullptr) {
        label->SetCaption("Type " + std::to_string(type + 1));
        if (panel != nullptr) label->SetBounds(0, 0, panel->ClientWidth(), panel->ClientHeight());
    }
    StructureBoxes[first ? 0 : 1] = DrawStructureDiagram(c, divider, h, type);
    Image->Invalidate();
}

}  // namespace zel
