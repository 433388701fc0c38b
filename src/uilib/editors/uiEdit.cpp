#include "uilib/editors/uiEdit.h"

#include "uilib/editors/uiEditControl.h"
#include "uilib/editors/uiEditRepository.h"

#include "platform/rtl/SysUtils.h"
#include "platform/vcl/FormReader.h"
#include "platform/vcl/Forms.h"
#include "platform/win/CursorRows.h"

namespace zel {

namespace {

TuiEditStyleController* gDefaultEditStyleController = nullptr;

const char* const kEditValueNames[] = {"ButtonStyle",     "ButtonTransparency", "PopupBorderStyle",
                                       "GradientButtons", "Gradient",           "GradientDirection"};

// The container values shared by the states plus every editor value but ButtonStyle.
constexpr TuiContainerStyleValues kEditHiddenStateValues = 64120;

}  // namespace

TuiEditStyleController* uiDefaultEditStyleController() { return gDefaultEditStyleController; }

TuiContainerStyleClass EditStyleClass() {
    return [](TPersistent* AOwner, bool ADirectAccess, TuiContainerStyle* AParent, TuiContainerStyleState AState) {
        return Construct<TuiEditStyle>(AOwner, ADirectAccess, AParent, AState);
    };
}

TuiCustomEditStyle::TuiCustomEditStyle(TPersistent* AOwner, bool ADirectAccessMode, TuiContainerStyle* AParentStyle,
                                       TuiContainerStyleState AState)
    : TuiContainerStyle(AOwner, ADirectAccessMode, AParentStyle, AState) {}

void TuiCustomEditStyle::Assign(TPersistent* Source) {
    auto* source = dynamic_cast<TuiCustomEditStyle*>(Source);
    if (source == nullptr) {
        TuiContainerStyle::Assign(Source);
        return;
    }
    LockChanges();
    values_ = source->values_;
    popupCloseButton_ = source->popupCloseButton_;
    TuiContainerStyle::Assign(Source);
    StyleChanged();
    UnlockChanges();
}

// Own value when assigned, else the same-state style of the controller chain; the default when nothing is
// found: the table's on the Normal style, the Normal style's value on a state style.
template <class T>
T TuiCustomEditStyle::GetValue(TuiContainerStyleValue AValue, T TEditValues::*AField) {
    const TuiContainerStyleValues bit = StyleValueBit(AValue);
    if (IsDirectAccessMode()) return (assignedValues_ & bit) != 0 ? values_.*AField : TEditValues{}.*AField;
    const TuiCustomEditStyle* style = this;
    for (int guard = 0; style != nullptr && guard < 64; ++guard) {
        if ((style->assignedValues_ & bit) != 0) return style->values_.*AField;
        style = dynamic_cast<const TuiCustomEditStyle*>(style->ControllerStyle());
    }
    if (IsBaseStyle()) return TEditValues{}.*AField;
    return static_cast<TuiCustomEditStyle*>(GetParentStyle())->GetValue(AValue, AField);
}

template <class T>
void TuiCustomEditStyle::SetValue(TuiContainerStyleValue AValue, T TEditValues::*AField, T Value, bool APerState) {
    if (!APerState && !IsBaseStyle()) {
        static_cast<TuiCustomEditStyle*>(GetParentStyle())->SetValue(AValue, AField, Value, APerState);
        return;
    }
    if (IsOwnValueAssigned(AValue) && values_.*AField == Value) return;
    values_.*AField = Value;
    AssignValue(AValue);
}

TuiEditButtonStyle TuiCustomEditStyle::GetButtonStyle() { return GetValue(svButtonStyle, &TEditValues::ButtonStyle); }
void TuiCustomEditStyle::SetButtonStyle(TuiEditButtonStyle Value) {
    SetValue(svButtonStyle, &TEditValues::ButtonStyle, Value, true);
}
TuiEditButtonTransparency TuiCustomEditStyle::GetButtonTransparency() {
    return GetValue(svButtonTransparency, &TEditValues::ButtonTransparency);
}
void TuiCustomEditStyle::SetButtonTransparency(TuiEditButtonTransparency Value) {
    SetValue(svButtonTransparency, &TEditValues::ButtonTransparency, Value, false);
}
TuiEditPopupBorderStyle TuiCustomEditStyle::GetPopupBorderStyle() {
    return GetValue(svPopupBorderStyle, &TEditValues::PopupBorderStyle);
}
void TuiCustomEditStyle::SetPopupBorderStyle(TuiEditPopupBorderStyle Value) {
    SetValue(svPopupBorderStyle, &TEditValues::PopupBorderStyle, Value, false);
}
bool TuiCustomEditStyle::GetGradientButtons() { return GetValue(svGradientButtons, &TEditValues::GradientButtons); }
void TuiCustomEditStyle::SetGradientButtons(bool Value) {
    SetValue(svGradientButtons, &TEditValues::GradientButtons, Value, false);
}
bool TuiCustomEditStyle::GetGradient() { return GetValue(svGradient, &TEditValues::Gradient); }
void TuiCustomEditStyle::SetGradient(bool Value) { SetValue(svGradient, &TEditValues::Gradient, Value, false); }
TuiEditGradientDirection TuiCustomEditStyle::GetGradientDirection() {
    return GetValue(svGradientDirection, &TEditValues::GradientDirection);
}
void TuiCustomEditStyle::SetGradientDirection(TuiEditGradientDirection Value) {
    SetValue(svGradientDirection, &TEditValues::GradientDirection, Value, false);
}

bool TuiCustomEditStyle::GetPopupCloseButton() const {
    return static_cast<const TuiCustomEditStyle*>(BaseStyle())->popupCloseButton_;
}

TuiStyleController* TuiCustomEditStyle::DefaultController() {
    if (IsDirectAccessMode()) return nullptr;
    IuiContainerStyleOwner* editor = Container();
    if (editor != nullptr && editor->IsInPlaceEditor()) return nullptr;
    return uiDefaultStyleController();
}

TuiContainerStyleValues TuiCustomEditStyle::HiddenStateStyleValues() { return kEditHiddenStateValues; }

int TuiCustomEditStyle::ValueCount() { return 16; }

bool TuiCustomEditStyle::ValueName(TuiContainerStyleValue AValue, std::string& AName) {
    if (AValue >= svButtonStyle && AValue <= svGradientDirection) {
        AName = kEditValueNames[AValue - svButtonStyle];
        return true;
    }
    return TuiContainerStyle::ValueName(AValue, AName);
}

// ------------------------------------------------------------------------------------------------ streaming

namespace {

const std::vector<std::pair<std::string, TuiEditBorderStyle>> kBorderStyleNames = {
    {"ebsNone", ebsNone}, {"ebsSingle", ebsSingle},       {"ebsThick", ebsThick},      {"ebsFlat", ebsFlat},
    {"ebs3D", ebs3D},     {"ebsUltraFlat", ebsUltraFlat}, {"ebsOffice11", ebsOffice11}};
const std::vector<std::pair<std::string, TuiEditButtonStyle>> kButtonStyleNames = {
    {"btsDefault", btsDefault},  {"bts3D", bts3D},           {"btsFlat", btsFlat},
    {"btsSimple", btsSimple},    {"btsHotFlat", btsHotFlat}, {"btsUltraFlat", btsUltraFlat},
    {"btsOffice11", btsOffice11}};
const std::vector<std::pair<std::string, TuiEditButtonTransparency>> kTransparencyNames = {
    {"ebtNone", ebtNone},
    {"ebtInactive", ebtInactive},
    {"ebtAlways", ebtAlways},
    {"ebtHideInactive", ebtHideInactive},
    {"ebtHideUnselected", ebtHideUnselected}};
const std::vector<std::pair<std::string, TuiEditPopupBorderStyle>> kPopupBorderNames = {
    {"epbsDefault", epbsDefault}, {"epbsSingle", epbsSingle}, {"epbsFrame3D", epbsFrame3D}, {"epbsFlat", epbsFlat}};
const std::vector<std::pair<std::string, TuiEditGradientDirection>> kDirectionNames = {
    {"dnLeft", dnLeft}, {"dnRight", dnRight}, {"dnUp", dnUp}, {"dnDown", dnDown}};
const std::vector<std::pair<std::string, TuiBorder>> kEdgeNames = {
    {"bLeft", bLeft}, {"bTop", bTop}, {"bRight", bRight}, {"bBottom", bBottom}};
const std::vector<std::pair<std::string, TFontStyle>> kFontStyleNames = {
    {"fsBold", fsBold}, {"fsItalic", fsItalic}, {"fsUnderline", fsUnderline}, {"fsStrikeOut", fsStrikeOut}};

template <class E>
TFormValue SetOf(TSet<E> Value, const std::vector<std::pair<std::string, E>>& Names) {
    std::vector<std::string> items;
    for (const auto& [name, e] : Names)
        if (Value.Contains(e)) items.push_back(name);
    return SetValue(items);
}

void RegisterEditClasses() {
    using S = TuiEditStyle;
    auto stored = [](TuiContainerStyleValue v) { return [v](S& s) { return s.IsValueStored(v); }; };
    auto fontStored = [](S& s) { return s.IsValueStored(csvFont); };
    RegisterPersistent<S>("TuiEditStyle", "")
        .Custom(
            "BorderColor", [](S& s, const TFormValue& v, TReadContext& ctx) { s.SetBorderColor(ReadColor(v, ctx)); },
            [](S& s) { return NamedColorValue(s.GetBorderColor()); })
        .Stored(stored(csvBorderColor))
        .Enum<TuiEditBorderStyle>(
            "BorderStyle", kBorderStyleNames, [](S& s, TuiEditBorderStyle v) { s.SetEditBorderStyle(v); },
            [](S& s) { return s.GetEditBorderStyle(); })
        .Stored(stored(csvBorderStyle))
        .Enum<TuiEditButtonStyle>(
            "ButtonStyle", kButtonStyleNames, [](S& s, TuiEditButtonStyle v) { s.SetButtonStyle(v); },
            [](S& s) { return s.GetButtonStyle(); })
        .Stored(stored(svButtonStyle))
        .Enum<TuiEditButtonTransparency>(
            "ButtonTransparency", kTransparencyNames,
            [](S& s, TuiEditButtonTransparency v) { s.SetButtonTransparency(v); },
            [](S& s) { return s.GetButtonTransparency(); })
        .Stored(stored(svButtonTransparency))
        .Custom(
            "Color", [](S& s, const TFormValue& v, TReadContext& ctx) { s.SetColor(ReadColor(v, ctx)); },
            [](S& s) { return NamedColorValue(s.GetColor()); })
        .Stored(stored(csvColor))
        .Custom(
            "Edges", [](S& s, const TFormValue& v, TReadContext& ctx) { s.SetEdges(ReadSet(v, ctx, kEdgeNames)); },
            [](S& s) { return SetOf(s.GetEdges(), kEdgeNames); })
        .Stored(stored(csvEdges))
        .Custom(
            "Font.Color",
            [](S& s, const TFormValue& v, TReadContext& ctx) { s.GetFont()->SetColor(ReadColor(v, ctx)); },
            [](S& s) { return NamedColorValue(s.GetFont()->GetColor()); })
        .Stored(fontStored)
        .Int(
            "Font.Height", [](S& s, int v) { s.GetFont()->SetHeight(v); },
            [](S& s) { return s.GetFont()->GetHeight(); })
        .Stored(fontStored)
        .Str(
            "Font.Name", [](S& s, const std::string& v) { s.GetFont()->SetName(v); },
            [](S& s) { return s.GetFont()->GetName(); })
        .Stored(fontStored)
        .Custom(
            "Font.Style",
            [](S& s, const TFormValue& v, TReadContext& ctx) {
                s.GetFont()->SetStyle(ReadSet(v, ctx, kFontStyleNames));
            },
            [](S& s) { return SetOf(s.GetFont()->GetStyle(), kFontStyleNames); })
        .Stored(fontStored)
        .Bool(
            "Gradient", [](S& s, bool v) { s.SetGradient(v); }, [](S& s) { return s.GetGradient(); })
        .Stored(stored(svGradient))
        .Bool(
            "GradientButtons", [](S& s, bool v) { s.SetGradientButtons(v); },
            [](S& s) { return s.GetGradientButtons(); })
        .Stored(stored(svGradientButtons))
        .Enum<TuiEditGradientDirection>(
            "GradientDirection", kDirectionNames, [](S& s, TuiEditGradientDirection v) { s.SetGradientDirection(v); },
            [](S& s) { return s.GetGradientDirection(); })
        .Stored(stored(svGradientDirection))
        .Bool(
            "HotTrack", [](S& s, bool v) { s.SetHotTrack(v); }, [](S& s) { return s.GetHotTrack(); })
        .Stored(stored(csvHotTrack))
        .SubObject("LookAndFeel", "TuiLookAndFeel", [](S& s) -> TPersistent* { return s.GetLookAndFeel(); })
        .Enum<TuiEditPopupBorderStyle>(
            "PopupBorderStyle", kPopupBorderNames, [](S& s, TuiEditPopupBorderStyle v) { s.SetPopupBorderStyle(v); },
            [](S& s) { return s.GetPopupBorderStyle(); })
        .Stored(stored(svPopupBorderStyle))
        .Bool(
            "Shadow", [](S& s, bool v) { s.SetShadow(v); }, [](S& s) { return s.GetShadow(); })
        .Stored(stored(csvShadow))
        .Custom(
            "StyleController",
            [](S& s, const TFormValue& v, TReadContext& ctx) {
                const std::string name = ctx.Ident(v);
                TCustomForm* root = ctx.Root;
                ctx.Fixups.push_back([&s, name, root] {
                    TComponent* found = root != nullptr ? root->FindComponent(name) : nullptr;
                    s.SetStyleController(dynamic_cast<TuiEditStyleController*>(found));
                });
            },
            [](S& s) { return IdentValue(s.GetStyleController()->GetName()); })
        .Stored([](S& s) { return s.IsStyleControllerStored(); })
        .Custom(
            "TextColor", [](S& s, const TFormValue& v, TReadContext& ctx) { s.SetTextColor(ReadColor(v, ctx)); },
            [](S& s) { return NamedColorValue(s.GetTextColor()); })
        .Stored(stored(csvTextColor))
        .Custom(
            "TextStyle",
            [](S& s, const TFormValue& v, TReadContext& ctx) { s.SetTextStyle(ReadSet(v, ctx, kFontStyleNames)); },
            [](S& s) { return SetOf(s.GetTextStyle(), kFontStyleNames); })
        .Stored(stored(csvTextStyle))
        .Bool(
            "TransparentBorder", [](S& s, bool v) { s.SetTransparentBorder(v); },
            [](S& s) { return s.GetTransparentBorder(); })
        .Stored(stored(csvTransparentBorder));

    using B = TuiEditButton;
    RegisterPersistent<B>("TuiEditButton", "")
        .Str(
            "Caption", [](B& b, const std::string& v) { b.SetCaption(v); }, [](B& b) { return b.GetCaption(); })
        .DefaultText("")
        .Enum<TAlignment>(
            "ContentAlignment",
            {{"taLeftJustify", taLeftJustify}, {"taRightJustify", taRightJustify}, {"taCenter", taCenter}},
            [](B& b, TAlignment v) { b.SetContentAlignment(v); }, [](B& b) { return b.GetContentAlignment(); })
        .DefaultIdent("taCenter")
        .Bool(
            "Default", [](B& b, bool v) { b.SetDefault(v); }, [](B& b) { return b.GetDefault(); })
        .Default(false)
        .Bool(
            "Enabled", [](B& b, bool v) { b.SetEnabled(v); }, [](B& b) { return b.GetEnabled(); })
        .Default(true)
        .Str(
            "Hint", [](B& b, const std::string& v) { b.SetHint(v); }, [](B& b) { return b.GetHint(); })
        .DefaultText("")
        .Enum<TuiEditButtonKind>(
            "Kind", {{"bkEllipsis", bkEllipsis}, {"bkDown", bkDown}, {"bkGlyph", bkGlyph}, {"bkText", bkText}},
            [](B& b, TuiEditButtonKind v) { b.SetKind(v); }, [](B& b) { return b.GetKind(); })
        .DefaultIdent("bkDown")
        .Bool(
            "LeftAlignment", [](B& b, bool v) { b.SetLeftAlignment(v); }, [](B& b) { return b.GetLeftAlignment(); })
        .Default(false)
        .Bool(
            "Stretchable", [](B& b, bool v) { b.SetStretchable(v); }, [](B& b) { return b.GetStretchable(); })
        .Default(true)
        .Int(
            "Tag", [](B& b, int v) { b.SetTag(v); }, [](B& b) { return b.GetTag(); })
        .Default(0)
        .Bool(
            "Visible", [](B& b, bool v) { b.SetVisible(v); }, [](B& b) { return b.GetVisible(); })
        .Default(true)
        .Int(
            "Width", [](B& b, int v) { b.SetWidth(v); }, [](B& b) { return b.GetWidth(); })
        .Default(0);

    using P = TuiCustomEditProperties;
    RegisterPersistent<P>("TuiCustomEditProperties", "")
        .Collection("Buttons", "TuiEditButton", [](P& p) -> TCollection& { return *p.Buttons(); });

    // The size is stored only where it does not follow the content.
    using E = TuiCustomEdit;
    RegisterComponent<E>("TuiCustomEdit", "TWinControl")
        .Bool(
            "AutoSize", [](E& e, bool v) { e.SetAutoSize(v); }, [](E& e) { return e.GetAutoSize(); })
        .Default(true)
        .Int(
            "Height", [](E& e, int v) { e.SetHeight(v); }, [](E& e) { return e.GetHeight(); })
        .Stored([](E& e) { return !e.IsHeightAutomatic(); })
        .Int(
            "Width", [](E& e, int v) { e.SetWidth(v); }, [](E& e) { return e.GetWidth(); })
        .Stored([](E& e) { return !e.IsWidthAutomatic(); })
        .Bool(
            "Transparent", [](E& e, bool v) { e.SetTransparent(v); }, [](E& e) { return e.GetTransparent(); })
        .Default(false);

    using C = TuiEditStyleController;
    RegisterComponent<C>("TuiEditStyleController", "TuiStyleController")
        .SubObject("Style", "TuiEditStyle", [](C& c) -> TPersistent* { return c.Style(); })
        .SubObject("StyleDisabled", "TuiEditStyle", [](C& c) -> TPersistent* { return c.StyleDisabled(); })
        .SubObject("StyleFocused", "TuiEditStyle", [](C& c) -> TPersistent* { return c.StyleFocused(); })
        .SubObject("StyleHot", "TuiEditStyle", [](C& c) -> TPersistent* { return c.StyleHot(); })
        .Event("OnStyleChanged", &TuiStyleController::OnStyleChanged);
}

// The wheel cursor: a round wheel with an arrow up and an arrow down beside a dot.
const TCursorRows kMouseWheel = {"    #####",     "  ##.....##",   " #....#....#",  " #...###...#",  "#...#####...#",
                                 "#...........#", "#.....#.....#", "#....###....#", "#...........#", "#...#####...#",
                                 " #...###...#",  " #....#....#",  "  ##.....##",   "    #####"};

void uiEditStartup() {
    RegisterRowsCursor("UIEDIT_MOUSEWHEEL", 6, 7, {{&kMouseWheel, 0, 0}});
    Screen->SetCursors(crMouseWheel, LoadCursor(nullptr, "UIEDIT_MOUSEWHEEL"));
    gDefaultEditStyleController = Construct<TuiEditStyleController>(nullptr);
    SetuiDefaultStyleController(gDefaultEditStyleController);
}

void uiEditShutdown() {
    Screen->SetCursors(crMouseWheel, nullptr);
    FreeRegisteredEditProperties();
    SetuiDefaultStyleController(nullptr);
    delete gDefaultEditStyleController;
    gDefaultEditStyleController = nullptr;
}

}  // namespace

TUnitRow uiEditUnitRow() { return FormClassesRow("uiEdit", RegisterEditClasses, uiEditStartup, uiEditShutdown); }

}  // namespace zel
