#include "controls/ControlsUnits.h"

#include "controls/Shader.h"
#include "controls/Uecomp.h"
#include "platform/vcl/FormReader.h"

namespace zel {

namespace {

// A published integer with its getter, setter and default.
template <class C>
void IntProperty(TPropertyTable<C>& Table, const std::string& Name, int (C::*Get)() const, void (C::*Set)(int),
                 int Default) {
    Table
        .Int(
            Name, [Set](C& c, int v) { (c.*Set)(v); }, [Get](C& c) { return (c.*Get)(); })
        .Default(Default);
}

// A published colour with its getter, setter and default.
template <class C>
void ColorProperty(TPropertyTable<C>& Table, const std::string& Name, TColor (C::*Get)() const, void (C::*Set)(TColor),
                   TColor Default) {
    Table
        .Custom(
            Name, [Set](C& c, const TFormValue& v, TReadContext& ctx) { (c.*Set)(ReadColor(v, ctx)); },
            [Get](C& c) { return NamedColorValue((c.*Get)()); })
        .Default(NamedColorValue(Default));
}

const std::vector<std::pair<std::string, TSliderOrientation>> kOrientations = {{"slHoriz", slHoriz},
                                                                               {"slVertical", slVertical}};
const std::vector<std::pair<std::string, TGraphType>> kGraphTypes = {
    {"LastLocked", LastLocked}, {"Normal", Normal}, {"FirstHalf", FirstHalf}};
const std::vector<std::pair<std::string, TFadeMode>> kFadeModes = {
    {"ON_IN", ON_IN}, {"ON_OUT", ON_OUT}, {"OFF_IN", OFF_IN}, {"OFF_OUT", OFF_OUT}};

// The graph box and the cell layout that both graphs publish.
template <class C>
void GraphLayout(TPropertyTable<C>& t, int ELeft, int ETop) {
    IntProperty<C>(t, "GLeft", &C::GetGLeft, &C::SetGLeft, 5);
    IntProperty<C>(t, "GTop", &C::GetGTop, &C::SetGTop, 55);
    IntProperty<C>(t, "GWidth", &C::GetGWidth, &C::SetGWidth, 147);
    IntProperty<C>(t, "GHeight", &C::GetGHeight, &C::SetGHeight, 77);
    IntProperty<C>(t, "ELeft", &C::GetELeft, &C::SetELeft, ELeft);
    IntProperty<C>(t, "ETop", &C::GetETop, &C::SetETop, ETop);
    IntProperty<C>(t, "EWidth", &C::GetEWidth, &C::SetEWidth, 23);
    IntProperty<C>(t, "EHeight", &C::GetEHeight, &C::SetEHeight, 15);
    ColorProperty<C>(t, "GraphBackGround", &C::GetGraphBackGround, &C::SetGraphBackGround,
                     static_cast<TColor>(0x00FFFF00));
    ColorProperty<C>(t, "GraphColor", &C::GetGraphColor, &C::SetGraphColor, static_cast<TColor>(0));
}

}  // namespace

void RegisterUecompClasses() {
    {
        auto t = RegisterComponent<TSlider>("TSlider", "TWinControl");
        IntProperty<TSlider>(t, "TrackWidth", &TSlider::GetTrackWidth, &TSlider::SetTrackWidth, 8);
        ColorProperty<TSlider>(t, "TrackColor", &TSlider::GetTrackColor, &TSlider::SetTrackColor, clBtnFace);
        t.Enum<TSliderOrientation>(
             "Orientation", kOrientations, [](TSlider& c, TSliderOrientation v) { c.SetOrientation(v); },
             [](TSlider& c) { return c.GetOrientation(); })
            .DefaultIdent("slHoriz");
        IntProperty<TSlider>(t, "ThumbHeight", &TSlider::GetThumbHeight, &TSlider::SetThumbHeight, 10);
        ColorProperty<TSlider>(t, "ThumbColor", &TSlider::GetThumbColor, &TSlider::SetThumbColor, clBtnFace);
        IntProperty<TSlider>(t, "MinValue", &TSlider::GetMinValue, &TSlider::SetMinValue, 0);
        IntProperty<TSlider>(t, "MaxValue", &TSlider::GetMaxValue, &TSlider::SetMaxValue, 100);
        IntProperty<TSlider>(t, "Value", &TSlider::GetValue, &TSlider::SetValue, 30);
        t.Event("OnValueChange", &TSlider::OnValueChange).Event("OnEndChange", &TSlider::OnEndChange);
    }
    {
        auto t = RegisterComponent<TClickEdit>("TClickEdit", "TWinControl");
        IntProperty<TClickEdit>(t, "Min", &TClickEdit::GetMin, &TClickEdit::SetMin, 0);
        IntProperty<TClickEdit>(t, "Max", &TClickEdit::GetMax, &TClickEdit::SetMax, 127);
        IntProperty<TClickEdit>(t, "Value", &TClickEdit::GetValue, &TClickEdit::SetValue, 0);
        t.Bool(
             "Stereo", [](TClickEdit& c, bool v) { c.SetStereo(v); }, [](TClickEdit& c) { return c.GetStereo(); })
            .Default(false)
            .Custom(
                "ClSelected",
                [](TClickEdit& c, const TFormValue& v, TReadContext& ctx) { c.ClSelected = ReadColor(v, ctx); },
                [](TClickEdit& c) { return NamedColorValue(c.ClSelected); })
            .Default(NamedColorValue(static_cast<TColor>(0x00FFFF00)))
            .Event("Onchange", &TClickEdit::Onchange)
            .Event("OnEndchange", &TClickEdit::OnEndchange);
    }
    {
        using P = TPanSlider;
        auto t = RegisterComponent<P>("TPanSlider", "TPanel");
        IntProperty<P>(t, "Min", &P::GetMin, &P::SetMin, 0);
        IntProperty<P>(t, "Max", &P::GetMax, &P::SetMax, 128);
        IntProperty<P>(t, "Value", &P::GetValue, &P::SetValue, 0);
        t.Bool(
             "Vertical", [](P& c, bool v) { c.SetVertical(v); }, [](P& c) { return c.GetVertical(); })
            .Default(true)
            .Bool(
                "Stereo", [](P& c, bool v) { c.SetStereo(v); }, [](P& c) { return c.GetStereo(); })
            .Default(false);
        IntProperty<P>(t, "SLeft", &P::GetSLeft, &P::SetSLeft, 5);
        IntProperty<P>(t, "STop", &P::GetSTop, &P::SetSTop, 110);
        IntProperty<P>(t, "SWidth", &P::GetSWidth, &P::SetSWidth, 20);
        IntProperty<P>(t, "SHeight", &P::GetSHeight, &P::SetSHeight, 110);
        IntProperty<P>(t, "ELeft", &P::GetELeft, &P::SetELeft, 5);
        IntProperty<P>(t, "ETop", &P::GetETop, &P::SetETop, 5);
        IntProperty<P>(t, "EWidth", &P::GetEWidth, &P::SetEWidth, 20);
        IntProperty<P>(t, "EHeight", &P::GetEHeight, &P::SetEHeight, 10);
        ColorProperty<P>(t, "ThumbColor", &P::GetThumbColor, &P::SetThumbColor, static_cast<TColor>(0x00FF0000));
        ColorProperty<P>(t, "TrackColor", &P::GetTrackColor, &P::SetTrackColor, static_cast<TColor>(0x00FFFF00));
        IntProperty<P>(t, "ThumbHeight", &P::GetThumbHeight, &P::SetThumbHeight, 12);
        IntProperty<P>(t, "TrackWidth", &P::GetTrackWidth, &P::SetTrackWidth, 10);
        t.Event("Onchange", &P::Onchange).Event("OnEndchange", &P::OnEndchange);
    }
    {
        auto t = RegisterComponent<TPanGraph>("TPanGraph", "TPanel");
        GraphLayout<TPanGraph>(t, 32, 15);
        t.Enum<TGraphType>(
             "GraphType", kGraphTypes, [](TPanGraph& c, TGraphType v) { c.SetGraphType(v); },
             [](TPanGraph& c) { return c.GetGraphType(); })
            .Event("OnChange", &TPanGraph::OnChange)
            .Event("OnEndchange", &TPanGraph::OnEndchange);
    }
    {
        using F = TFadeGraph;
        auto t = RegisterComponent<F>("TFadeGraph", "TPanel");
        t.Enum<TFadeMode>(
            "FadeMode", kFadeModes, [](F& c, TFadeMode v) { c.SetFadeMode(v); }, [](F& c) { return c.GetFadeMode(); });
        IntProperty<F>(t, "FadeTime", &F::GetFadeTime, &F::SetFadeTime, 0);
        IntProperty<F>(t, "FadeDelay", &F::GetFadeDelay, &F::SetFadeDelay, 0);
        IntProperty<F>(t, "FadeDepth", &F::GetFadeDepth, &F::SetFadeDepth, 0);
        GraphLayout<F>(t, 15, 20);
        t.Event("OnChange", &F::OnChange).Event("OnEndchange", &F::OnEndchange);
    }
    {
        std::vector<std::pair<std::string, TEditType>> types;
        static const char* const kTypeNames[] = {"IntM100P100",    "IntM100P200",       "IntM0P1200",      "Note",
                                                 "MinMax",         "MinMaxS",           "MinMaxDB",        "MinMaxPerc",
                                                 "Int100M8000HZ",  "Int200M8000HZ",     "Int200M8000HZBP", "Int05M90",
                                                 "Int005M10HZ",    "Int005M10HZNote",   "Int0M100ms",      "Int0M500ms",
                                                 "Int200M1000ms",  "Int200M1000msNote", "Balance",         "BalanceL",
                                                 "CC00CC95",       "CC00CC95StartStop", "RealInt1M127",    "Int1M16Off",
                                                 "Int1M16RXCHOff", "Int0M127Off",       "User01PRB32",     "Int427M452",
                                                 "Int0M880"};
        for (int i = 0; i <= Int0M880; ++i) types.emplace_back(kTypeNames[i], static_cast<TEditType>(i));
        auto t = RegisterComponent<TMyEdit>("TMyEdit", "TWinControl");
        IntProperty<TMyEdit>(t, "Code", &TMyEdit::GetCode, &TMyEdit::SetCode, 0);
        t.Int(
             "Min", [](TMyEdit& c, int v) { c.Min = v; }, [](TMyEdit& c) { return c.Min; })
            .Default(0)
            .Int(
                "Max", [](TMyEdit& c, int v) { c.Max = v; }, [](TMyEdit& c) { return c.Max; })
            .Default(0)
            .Int(
                "Step", [](TMyEdit& c, int v) { c.Step = v; }, [](TMyEdit& c) { return c.Step; })
            .Default(1)
            .Enum<TEditType>(
                "EditType", types, [](TMyEdit& c, TEditType v) { c.SetEditType(v); },
                [](TMyEdit& c) { return c.GetEditType(); })
            .Event("Onchange", &TMyEdit::Onchange)
            .Event("OnEndChange", &TMyEdit::OnEndChange);
    }
    {
        using K = TKeySelector;
        auto t = RegisterComponent<K>("TKeySelector", "TWinControl");
        IntProperty<K>(t, "KeySelected", &K::GetKeySelected, &K::SetKeySelected, -1);
        IntProperty<K>(t, "KeyWidth", &K::GetKeyWidth, &K::SetKeyWidth, 10);
        t.Bool(
             "LastDisabled", [](K& c, bool v) { c.LastDisabled = v; }, [](K& c) { return c.LastDisabled; })
            .Default(false)
            .Event("OnChange", &K::OnChange)
            .Event("OnEndchange", &K::OnEndchange);
    }
}

void RegisterShaderClasses() {
    using S = TShader;
    auto t = RegisterComponent<S>("TShader", "TPanel");
    ColorProperty<S>(t, "FromColor", &S::GetFromColor, &S::SetFromColor, static_cast<TColor>(0x00FF0000));
    ColorProperty<S>(t, "ToColor", &S::GetToColor, &S::SetToColor, static_cast<TColor>(0));
    t.Int(
         "Steps", [](S& c, int v) { c.SetSteps(static_cast<std::uint16_t>(v)); }, [](S& c) { return c.GetSteps(); })
        .Default(20)
        .Bool(
            "Direction", [](S& c, bool v) { c.SetDirection(v); }, [](S& c) { return c.GetDirection(); })
        .Default(false)
        // Read-only: a stored value is accepted and changes nothing.
        .Ignore("Version");
}

TUnitRows ControlsUnits() {
    return {FormClassesRow("Uecomp", RegisterUecompClasses), FormClassesRow("Shader", RegisterShaderClasses)};
}

}  // namespace zel
