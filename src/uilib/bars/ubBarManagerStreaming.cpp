// How a bar manager, its categories and its groups are stored in a form resource: the published properties
// with their defaults, and the properties they define themselves (the dock sizes, the category data, the
// group members).
#include <algorithm>
#include <vector>

#include "platform/rtl/Filer.h"
#include "platform/vcl/FormReader.h"
#include "platform/vcl/ImgList.h"
#include "uilib/bars/ubBarCompanions.h"
#include "uilib/bars/ubBarManager.h"
#include "uilib/bars/ubBarPopupMenuLinks.h"
#include "uilib/bars/ubBarStreaming.h"
#include "uilib/bars/ubBars.h"

namespace zel {

namespace {

TFormValue ColorValue(TColor Color) { return IntValue(static_cast<std::int32_t>(Color)); }

TFormValue ListValue(const std::vector<TFormValue>& Items) {
    TFormValue v;
    v.Kind = TFormValue::TKind::List;
    v.List = Items;
    return v;
}

// The values of a stored list; a property that is not a list holds none.
const std::vector<TFormValue>& StoredList(const TReader& Reader) {
    static const std::vector<TFormValue> none;
    return Reader.Value().Kind == TFormValue::TKind::List ? Reader.Value().List : none;
}

}  // namespace

// ---- properties the objects define themselves ---------------------------------------------------------------

void TubBarManager::DefineProperties(TFiler* Filer) {
    TComponent::DefineProperties(Filer);
    // Four sizes; a shorter list sets what it holds, a longer one its first four, up to a value that is no
    // number.
    Filer->DefineProperty(
        "DockControlHeights",
        [this](TReader& Reader) {
            const std::vector<TFormValue>& list = StoredList(Reader);
            for (std::size_t i = 0; i < list.size() && i < DockControlHeights.size(); ++i) {
                if (list[i].Kind != TFormValue::TKind::Integer) break;
                DockControlHeights[i] = static_cast<int>(list[i].Int);
            }
            bars_->ApplyDockControlHeights(DockControlHeights);
        },
        [this](TWriter& Writer) {
            std::vector<TFormValue> values;
            for (int h : DockControlHeights) values.push_back(IntValue(h));
            Writer.WriteValue(ListValue(values));
        },
        true);
}

void TubBarManagerCategories::DefineProperties(TFiler* Filer) {
    TStringList::DefineProperties(Filer);
    // One ordinal per category, applied as far as the categories reach; ordinals outside the range and
    // values that are not numbers are left out.
    Filer->DefineProperty(
        "ItemsVisibles",
        [this](TReader& Reader) {
            std::vector<int> values;
            for (const TFormValue& item : StoredList(Reader))
                values.push_back(item.Kind == TFormValue::TKind::Integer && item.Int >= 0 &&
                                         item.Int < ubBarItemVisibleCount
                                     ? static_cast<int>(item.Int)
                                     : -1);
            ReadItemsVisibles(values);
        },
        [this](TWriter& Writer) {
            std::vector<TFormValue> values;
            for (int v : ItemsVisibles()) values.push_back(IntValue(v));
            Writer.WriteValue(ListValue(values));
        },
        true);
    Filer->DefineProperty(
        "Visibles",
        [this](TReader& Reader) {
            std::vector<bool> values;
            for (const TFormValue& item : StoredList(Reader)) {
                if (item.Kind != TFormValue::TKind::Ident) break;
                values.push_back(SameText(item.Text, "True"));
            }
            ReadVisibles(values);
        },
        [this](TWriter& Writer) {
            std::vector<TFormValue> values;
            for (bool v : Visibles()) values.push_back(BoolValue(v));
            Writer.WriteValue(ListValue(values));
        },
        true);
}

void TubBarGroup::DefineProperties(TFiler* Filer) {
    TComponent::DefineProperties(Filer);
    Filer->DefineProperty(
        "Items",
        [this](TReader& Reader) {
            std::vector<std::string> names;
            for (const TFormValue& item : StoredList(Reader))
                if (item.Kind == TFormValue::TKind::String || item.Kind == TFormValue::TKind::Ident)
                    names.push_back(item.Text);
            ReadItemNames(names);
        },
        [this](TWriter& Writer) {
            std::vector<TFormValue> values;
            for (const std::string& name : ItemNames()) values.push_back(StrValue(name));
            Writer.WriteValue(ListValue(values));
        },
        Count() > 0);
}

// ---- class tables ------------------------------------------------------------------------------------------

void RegisterBarManagerClasses() {
    using M = TubBarManager;
    auto manager = RegisterComponent<M>("TubBarManager", "TComponent");
    manager
        .Bool(
            "AllowCallFromAnotherForm", [](M& m, bool v) { m.AllowCallFromAnotherForm = v; },
            [](M& m) { return m.AllowCallFromAnotherForm; })
        .Default(false)
        .Bool(
            "AllowReset", [](M& m, bool v) { m.AllowReset = v; }, [](M& m) { return m.AllowReset; })
        .Default(true)
        .Bool(
            "AlwaysMerge", [](M& m, bool v) { m.AlwaysMerge = v; }, [](M& m) { return m.AlwaysMerge; })
        .Default(false)
        .Bool(
            "AlwaysSaveText", [](M& m, bool v) { m.AlwaysSaveText = v; }, [](M& m) { return m.AlwaysSaveText; })
        .Default(false)
        .Bool(
            "AutoDockColor", [](M& m, bool v) { m.SetAutoDockColor(v); }, [](M& m) { return m.GetAutoDockColor(); })
        .Default(true)
        .Bool(
            "AutoHideEmptyBars", [](M& m, bool v) { m.SetAutoHideEmptyBars(v); },
            [](M& m) { return m.GetAutoHideEmptyBars(); })
        .Default(false)
        .Bool(
            "Scaled", [](M& m, bool v) { m.SetScaled(v); }, [](M& m) { return m.GetScaled(); })
        .Default(true);
    FontProperties<M>(
        manager, [](M& m) { return m.GetFont(); }, nullptr)
        .Int(
            "ButtonArrowWidth", [](M& m, int v) { m.SetButtonArrowWidth(v); },
            [](M& m) { return m.GetButtonArrowWidth(); })
        .Default(11)
        .Bool(
            "CanCustomize", [](M& m, bool v) { m.CanCustomize = v; }, [](M& m) { return m.CanCustomize; })
        .Default(true)
        .SubObject("Categories", "TubBarManagerCategories", [](M& m) { return m.GetCategories(); })
        .Custom(
            "DockColor", [](M& m, const TFormValue& v, TReadContext& ctx) { m.SetDockColor(ctx.Color(v)); },
            [](M& m) { return ColorValue(m.GetDockColor()); })
        .Stored([](M& m) { return m.IsDockColorStored(); })
        .Bool(
            "FlatCloseButton", [](M& m, bool v) { m.SetFlatCloseButton(v); },
            [](M& m) { return m.GetFlatCloseButton(); })
        .Default(false)
        .Int(
            "HelpContext", [](M& m, int v) { m.HelpContext = v; }, [](M& m) { return m.HelpContext; })
        .Default(0)
        .Bool(
            "HideFloatingBarsWhenInactive", [](M& m, bool v) { m.SetHideFloatingBarsWhenInactive(v); },
            [](M& m) { return m.GetHideFloatingBarsWhenInactive(); })
        .Default(true)
        .Custom("HotImages", Reference<M>([](M& m, TComponent* c) {
                    m.SetImageList(ilkHotImages, dynamic_cast<TCustomImageList*>(c));
                }),
                [](M& m) { return NameOf(m.GetImageList(ilkHotImages)); })
        .Stored([](M& m) { return m.GetImageList(ilkHotImages) != nullptr; })
        .Custom("Images", Reference<M>([](M& m, TComponent* c) {
                    m.SetImageList(ilkImages, dynamic_cast<TCustomImageList*>(c));
                }),
                [](M& m) { return NameOf(m.GetImageList(ilkImages)); })
        .Stored([](M& m) { return m.GetImageList(ilkImages) != nullptr; })
        .Custom("DisabledImages", Reference<M>([](M& m, TComponent* c) {
                    m.SetImageList(ilkDisabledImages, dynamic_cast<TCustomImageList*>(c));
                }),
                [](M& m) { return NameOf(m.GetImageList(ilkDisabledImages)); })
        .Stored([](M& m) { return m.GetImageList(ilkDisabledImages) != nullptr; })
        .Custom("DisabledLargeImages", Reference<M>([](M& m, TComponent* c) {
                    m.SetImageList(ilkDisabledLargeImages, dynamic_cast<TCustomImageList*>(c));
                }),
                [](M& m) { return NameOf(m.GetImageList(ilkDisabledLargeImages)); })
        .Stored([](M& m) { return m.GetImageList(ilkDisabledLargeImages) != nullptr; })
        .Custom("LargeImages", Reference<M>([](M& m, TComponent* c) {
                    m.SetImageList(ilkLargeImages, dynamic_cast<TCustomImageList*>(c));
                }),
                [](M& m) { return NameOf(m.GetImageList(ilkLargeImages)); })
        .Stored([](M& m) { return m.GetImageList(ilkLargeImages) != nullptr; })
        .Custom(
            "ImageListBkColor",
            [](M& m, const TFormValue& v, TReadContext& ctx) { m.SetImageListBkColor(ctx.Color(v)); },
            [](M& m) { return ColorValue(m.GetImageListBkColor()); })
        .Default(ColorValue(static_cast<TColor>(0xFF00FF)))
        .Str(
            "IniFileName", [](M& m, const std::string& v) { m.IniFileName = v; }, [](M& m) { return m.IniFileName; })
        .DefaultText("")
        .Int(
            "LargeButtonArrowWidth", [](M& m, int v) { m.SetLargeButtonArrowWidth(v); },
            [](M& m) { return m.GetLargeButtonArrowWidth(); })
        .Default(13)
        .Bool(
            "LargeIcons", [](M& m, bool v) { m.SetLargeIcons(v); }, [](M& m) { return m.GetLargeIcons(); })
        .Default(false)
        .Enum<TuiLookAndFeelKind>("LookAndFeel.Kind", kLookAndFeelKinds,
                                  [](M& m, TuiLookAndFeelKind v) { m.GetLookAndFeel()->SetKind(v); })
        .Bool("LookAndFeel.NativeStyle", [](M& m, bool v) { m.GetLookAndFeel()->SetNativeStyle(v); })
        .Bool(
            "MakeDisabledImagesFaded", [](M& m, bool v) { m.SetMakeDisabledImagesFaded(v); },
            [](M& m) { return m.GetMakeDisabledImagesFaded(); })
        .Default(false)
        .Enum<TubBarMenuAnimations>(
            "MenuAnimations", kAnimations, [](M& m, TubBarMenuAnimations v) { m.SetMenuAnimations(v); },
            [](M& m) { return m.GetMenuAnimations(); })
        .DefaultIdent("maNone")
        .Bool(
            "MenusShowRecentItemsFirst", [](M& m, bool v) { m.SetMenusShowRecentItemsFirst(v); },
            [](M& m) { return m.GetMenusShowRecentItemsFirst(); })
        .Default(true)
        .Int(
            "MostRecentItemsPercents", [](M& m, int v) { m.SetMostRecentItemsPercents(v); },
            [](M& m) { return m.GetMostRecentItemsPercents(); })
        .Default(95)
        .Custom(
            "NotDocking",
            [](M& m, const TFormValue& v, TReadContext& ctx) { m.SetNotDocking(SetOf(v, ctx, kDockingStyles)); },
            [](M& m) { return SetValueOf(m.GetNotDocking(), kDockingStyles); })
        .Default(SetValue({}))
        .Collection("PopupMenuLinks", "TubBarPopupMenuLink",
                    [](M& m) -> TCollection& { return *m.GetPopupMenuLinks(); })
        .Str(
            "RegistryPath", [](M& m, const std::string& v) { m.RegistryPath = v; }, [](M& m) { return m.RegistryPath; })
        .DefaultText("")
        .Bool(
            "ShowCloseButton", [](M& m, bool v) { m.SetShowCloseButton(v); },
            [](M& m) { return m.GetShowCloseButton(); })
        .Default(false)
        .Bool(
            "ShowFullMenusAfterDelay", [](M& m, bool v) { m.SetShowFullMenusAfterDelay(v); },
            [](M& m) { return m.GetShowFullMenusAfterDelay(); })
        .Default(true)
        .Bool(
            "ShowHelpButton", [](M& m, bool v) { m.SetShowHelpButton(v); }, [](M& m) { return m.GetShowHelpButton(); })
        .Default(false)
        .Bool(
            "ShowHint", [](M& m, bool v) { m.SetShowHint(v); }, [](M& m) { return m.GetShowHint(); })
        .Default(true)
        .Bool(
            "ShowHintForDisabledItems", [](M& m, bool v) { m.ShowHintForDisabledItems = v; },
            [](M& m) { return m.ShowHintForDisabledItems; })
        .Default(true)
        .Bool(
            "ShowShortCutInHint", [](M& m, bool v) { m.SetShowShortCutInHint(v); },
            [](M& m) { return m.GetShowShortCutInHint(); })
        .Default(false)
        .Bool(
            "StoreInIniFile", [](M& m, bool v) { m.StoreInIniFile = v; }, [](M& m) { return m.StoreInIniFile; })
        .Default(false)
        .Bool(
            "StoreInRegistry", [](M& m, bool v) { m.StoreInRegistry = v; }, [](M& m) { return m.StoreInRegistry; })
        .Default(false)
        .Bool(
            "StretchGlyphs", [](M& m, bool v) { m.StretchGlyphs = v; }, [](M& m) { return m.StretchGlyphs; })
        .Default(true)
        .Enum<TubBarManagerStyle>(
            "Style", kStyles, [](M& m, TubBarManagerStyle v) { m.SetStyle(v); }, [](M& m) { return m.GetStyle(); })
        .DefaultIdent("bmsEnhanced")
        .Bool(
            "SunkenBorder", [](M& m, bool v) { m.SetSunkenBorder(v); }, [](M& m) { return m.GetSunkenBorder(); })
        .Default(false)
        .Bool(
            "UseF10ForMenu", [](M& m, bool v) { m.UseF10ForMenu = v; }, [](M& m) { return m.UseF10ForMenu; })
        .Default(true)
        .Bool(
            "UseFullReset", [](M& m, bool v) { m.UseFullReset = v; }, [](M& m) { return m.UseFullReset; })
        .Default(false)
        .Bool(
            "UseLargeImagesForLargeIcons", [](M& m, bool v) { m.SetUseLargeImagesForLargeIcons(v); },
            [](M& m) { return m.GetUseLargeImagesForLargeIcons(); })
        .Default(false)
        .Bool(
            "UseSystemFont", [](M& m, bool v) { m.SetUseSystemFont(v); }, [](M& m) { return m.GetUseSystemFont(); })
        .Int(
            "WaitForDockingTime", [](M& m, int v) { m.SetWaitForDockingTime(v); },
            [](M& m) { return m.GetWaitForDockingTime(); })
        .Default(21)
        .Collection("Bars", "TubBar", [](M& m) -> TCollection& { return *m.GetBars(); })
        .Event("OnBarAdd", &M::OnBarAdd)
        .Event("OnBarDelete", &M::OnBarDelete)
        .Event("OnBarDockingStyleChange", &M::OnBarDockingStyleChange)
        .Event("OnBarVisibleChange", &M::OnBarVisibleChange)
        .Event("OnClickItem", &M::OnClickItem)
        .Event("OnCloseButtonClick", &M::OnCloseButtonClick)
        .Event("OnHelpButtonClick", &M::OnHelpButtonClick)
        .Event("OnHideCustomizingForm", &M::OnHideCustomizingForm)
        .Event("OnItemLinkAdd", &M::OnItemLinkAdd)
        .Event("OnItemLinkChange", &M::OnItemLinkChange)
        .Event("OnItemLinkDelete", &M::OnItemLinkDelete)
        .Event("OnShowCustomizingForm", &M::OnShowCustomizingForm);

    TPropertyTable<TubBarManagerCategories>(RegisterComponentClass("TubBarManagerCategories", "", nullptr))
        .Custom(
            "Strings",
            [](TubBarManagerCategories& c, const TFormValue& v, TReadContext& ctx) {
                c.Clear();
                for (const TFormValue& item : ListOf(v, ctx)) c.Add(ctx.Str(item));
            },
            [](TubBarManagerCategories& c) {
                std::vector<TFormValue> values;
                for (int i = 0; i < c.GetCount(); ++i) values.push_back(StrValue(c.Get(i)));
                return ListValue(values);
            });

    using L = TubBarPopupMenuLink;
    TPropertyTable<L>(RegisterComponentClass("TubBarPopupMenuLink", "", nullptr))
        .Custom("Control", Reference<L>([](L& l, TComponent* c) { l.SetControl(dynamic_cast<TWinControl*>(c)); }),
                [](L& l) { return NameOf(l.GetControl()); })
        .Stored([](L& l) { return l.GetControl() != nullptr; })
        .Custom("PopupMenu", Reference<L>([](L& l, TComponent* c) { l.SetPopupMenu(c); }),
                [](L& l) { return NameOf(l.GetPopupMenu()); })
        .Stored([](L& l) { return l.GetPopupMenu() != nullptr; })
        .Bool(
            "ProcessChildren", [](L& l, bool v) { l.ProcessChildren = v; }, [](L& l) { return l.ProcessChildren; })
        .Default(true)
        .Event("OnAction", &L::OnAction);

    RegisterComponent<TubBarGroup>("TubBarGroup", "TComponent")
        .Bool(
            "Enabled", [](TubBarGroup& g, bool v) { g.SetEnabled(v); }, [](TubBarGroup& g) { return g.GetEnabled(); })
        .Default(true)
        .Enum<TubBarItemVisible>(
            "Visible", kItemVisibles, [](TubBarGroup& g, TubBarItemVisible v) { g.SetVisible(v); },
            [](TubBarGroup& g) { return g.GetVisible(); })
        .DefaultIdent("ivAlways");
}

}  // namespace zel
