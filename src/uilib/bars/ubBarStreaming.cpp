// How a bar manager and its groups are read from a form resource: the published properties, the category
// data and the stored dock sizes.
#include <algorithm>
#include <vector>

#include "platform/vcl/FormReader.h"
#include "uilib/bars/ubBarCompanions.h"
#include "uilib/bars/ubBarManager.h"

namespace zel {

namespace {

const std::vector<std::pair<std::string, TubBarManagerStyle>> kStyles = {
    {"bmsStandard", bmsStandard}, {"bmsEnhanced", bmsEnhanced},
    {"bmsFlat", bmsFlat},         {"bmsXP", bmsXP},
    {"bmsOffice11", bmsOffice11}, {"bmsUseLookAndFeel", bmsUseLookAndFeel}};
const std::vector<std::pair<std::string, TubBarMenuAnimations>> kAnimations = {
    {"maNone", maNone}, {"maRandom", maRandom}, {"maUnfold", maUnfold}, {"maSlide", maSlide}, {"maFade", maFade}};
const std::vector<std::pair<std::string, TubBarItemVisible>> kItemVisibles = {
    {"ivNever", ivNever}, {"ivInCustomizing", ivInCustomizing}, {"ivAlways", ivAlways}};
const std::vector<std::pair<std::string, TubBarDockingStyle>> kDockingStyles = {
    {"dsNone", dsNone}, {"dsLeft", dsLeft}, {"dsTop", dsTop}, {"dsRight", dsRight}, {"dsBottom", dsBottom}};
const std::vector<std::pair<std::string, TuiLookAndFeelKind>> kLookAndFeelKinds = {
    {"lfFlat", lfFlat}, {"lfStandard", lfStandard}, {"lfUltraFlat", lfUltraFlat}, {"lfOffice11", lfOffice11}};
const std::vector<std::pair<std::string, TFontStyle>> kFontStyles = {
    {"fsBold", fsBold}, {"fsItalic", fsItalic}, {"fsUnderline", fsUnderline}, {"fsStrikeOut", fsStrikeOut}};

const std::vector<TFormValue>& ListOf(const TFormValue& v, TReadContext& ctx) {
    if (v.Kind != TFormValue::TKind::List) ctx.Error("List expected");
    return v.List;
}

template <class E>
TSet<E> SetOf(const TFormValue& v, TReadContext& ctx, const std::vector<std::pair<std::string, E>>& names) {
    if (v.Kind != TFormValue::TKind::Set) ctx.Error("Set value expected");
    TSet<E> set;
    for (const std::string& item : v.Items) {
        auto it = std::find_if(names.begin(), names.end(), [&](const auto& n) { return SameText(n.first, item); });
        if (it == names.end()) ctx.Error("Invalid set element " + item);
        set.Include(it->second);
    }
    return set;
}

}  // namespace

void RegisterBarManagerClasses() {
    RegisterComponent<TubBarManager>("TubBarManager", "TComponent")
        .Bool("AllowCallFromAnotherForm", [](TubBarManager& m, bool v) { m.AllowCallFromAnotherForm = v; })
        .Bool("AllowReset", [](TubBarManager& m, bool v) { m.AllowReset = v; })
        .Bool("AlwaysMerge", [](TubBarManager& m, bool v) { m.AlwaysMerge = v; })
        .Bool("AlwaysSaveText", [](TubBarManager& m, bool v) { m.AlwaysSaveText = v; })
        .Bool("AutoDockColor", [](TubBarManager& m, bool v) { m.SetAutoDockColor(v); })
        .Bool("AutoHideEmptyBars", [](TubBarManager& m, bool v) { m.SetAutoHideEmptyBars(v); })
        .Bool("Scaled", [](TubBarManager& m, bool v) { m.SetScaled(v); })
        .Custom("Font.Charset",
                [](TubBarManager& m, const TFormValue& v, TReadContext& ctx) {
                    if (v.Kind == TFormValue::TKind::Integer) m.GetFont()->SetCharset(static_cast<BYTE>(v.Int));
                    else if (v.IsIdent("DEFAULT_CHARSET")) m.GetFont()->SetCharset(DEFAULT_CHARSET);
                    else if (v.IsIdent("ANSI_CHARSET")) m.GetFont()->SetCharset(ANSI_CHARSET);
                    else ctx.Error("Invalid character set " + v.Text);
                })
        .Custom("Font.Color",
                [](TubBarManager& m, const TFormValue& v, TReadContext& ctx) { m.GetFont()->SetColor(ctx.Color(v)); })
        .Int("Font.Height", [](TubBarManager& m, int v) { m.GetFont()->SetHeight(v); })
        .Str("Font.Name", [](TubBarManager& m, const std::string& v) { m.GetFont()->SetName(v); })
        .Custom("Font.Style", [](TubBarManager& m, const TFormValue& v,
                                 TReadContext& ctx) { m.GetFont()->SetStyle(SetOf(v, ctx, kFontStyles)); })
        .Int("ButtonArrowWidth", [](TubBarManager& m, int v) { m.SetButtonArrowWidth(v); })
        .Bool("CanCustomize", [](TubBarManager& m, bool v) { m.CanCustomize = v; })
        .Custom("Categories.Strings",
                [](TubBarManager& m, const TFormValue& v, TReadContext& ctx) {
                    m.GetCategories()->Clear();
                    for (const TFormValue& item : ListOf(v, ctx)) m.GetCategories()->Add(ctx.Str(item));
                })
        // One ordinal per category, applied as far as the categories reach; ordinals outside the range and
        // values that are not numbers are left out.
        .Custom("Categories.ItemsVisibles",
                [](TubBarManager& m, const TFormValue& v, TReadContext& ctx) {
                    std::vector<int> values;
                    for (const TFormValue& item : ListOf(v, ctx))
                        values.push_back(item.Kind == TFormValue::TKind::Integer && item.Int >= 0 &&
                                                 item.Int < ubBarItemVisibleCount
                                             ? static_cast<int>(item.Int)
                                             : -1);
                    m.GetCategories()->ReadItemsVisibles(values);
                })
        .Custom("Categories.Visibles",
                [](TubBarManager& m, const TFormValue& v, TReadContext& ctx) {
                    std::vector<bool> values;
                    for (const TFormValue& item : ListOf(v, ctx)) values.push_back(ctx.Bool(item));
                    m.GetCategories()->ReadVisibles(values);
                })
        .Custom("DockColor",
                [](TubBarManager& m, const TFormValue& v, TReadContext& ctx) { m.SetDockColor(ctx.Color(v)); })
        // Four sizes; a shorter list sets what it holds, a longer one its first four.
        .Custom("DockControlHeights",
                [](TubBarManager& m, const TFormValue& v, TReadContext& ctx) {
                    const std::vector<TFormValue>& list = ListOf(v, ctx);
                    for (std::size_t i = 0; i < list.size() && i < m.DockControlHeights.size(); ++i) {
                        if (list[i].Kind != TFormValue::TKind::Integer) break;
                        m.DockControlHeights[i] = static_cast<int>(list[i].Int);
                    }
                })
        .Bool("FlatCloseButton", [](TubBarManager& m, bool v) { m.SetFlatCloseButton(v); })
        .Int("HelpContext", [](TubBarManager& m, int v) { m.HelpContext = v; })
        .Bool("HideFloatingBarsWhenInactive", [](TubBarManager& m, bool v) { m.SetHideFloatingBarsWhenInactive(v); })
        .Custom("ImageListBkColor",
                [](TubBarManager& m, const TFormValue& v, TReadContext& ctx) { m.SetImageListBkColor(ctx.Color(v)); })
        .Str("IniFileName", [](TubBarManager& m, const std::string& v) { m.IniFileName = v; })
        .Int("LargeButtonArrowWidth", [](TubBarManager& m, int v) { m.SetLargeButtonArrowWidth(v); })
        .Bool("LargeIcons", [](TubBarManager& m, bool v) { m.SetLargeIcons(v); })
        .Enum<TuiLookAndFeelKind>("LookAndFeel.Kind", kLookAndFeelKinds,
                                  [](TubBarManager& m, TuiLookAndFeelKind v) { m.GetLookAndFeel()->SetKind(v); })
        .Bool("LookAndFeel.NativeStyle", [](TubBarManager& m, bool v) { m.GetLookAndFeel()->SetNativeStyle(v); })
        .Bool("MakeDisabledImagesFaded", [](TubBarManager& m, bool v) { m.SetMakeDisabledImagesFaded(v); })
        .Enum<TubBarMenuAnimations>("MenuAnimations", kAnimations,
                                    [](TubBarManager& m, TubBarMenuAnimations v) { m.SetMenuAnimations(v); })
        .Bool("MenusShowRecentItemsFirst", [](TubBarManager& m, bool v) { m.SetMenusShowRecentItemsFirst(v); })
        .Int("MostRecentItemsPercents", [](TubBarManager& m, int v) { m.SetMostRecentItemsPercents(v); })
        .Custom("NotDocking", [](TubBarManager& m, const TFormValue& v,
                                 TReadContext& ctx) { m.SetNotDocking(SetOf(v, ctx, kDockingStyles)); })
        .Str("RegistryPath", [](TubBarManager& m, const std::string& v) { m.RegistryPath = v; })
        .Bool("ShowCloseButton", [](TubBarManager& m, bool v) { m.SetShowCloseButton(v); })
        .Bool("ShowFullMenusAfterDelay", [](TubBarManager& m, bool v) { m.SetShowFullMenusAfterDelay(v); })
        .Bool("ShowHelpButton", [](TubBarManager& m, bool v) { m.SetShowHelpButton(v); })
        .Bool("ShowHint", [](TubBarManager& m, bool v) { m.SetShowHint(v); })
        .Bool("ShowHintForDisabledItems", [](TubBarManager& m, bool v) { m.ShowHintForDisabledItems = v; })
        .Bool("ShowShortCutInHint", [](TubBarManager& m, bool v) { m.SetShowShortCutInHint(v); })
        .Bool("StoreInIniFile", [](TubBarManager& m, bool v) { m.StoreInIniFile = v; })
        .Bool("StoreInRegistry", [](TubBarManager& m, bool v) { m.StoreInRegistry = v; })
        .Bool("StretchGlyphs", [](TubBarManager& m, bool v) { m.StretchGlyphs = v; })
        .Enum<TubBarManagerStyle>("Style", kStyles, [](TubBarManager& m, TubBarManagerStyle v) { m.SetStyle(v); })
        .Bool("SunkenBorder", [](TubBarManager& m, bool v) { m.SetSunkenBorder(v); })
        .Bool("UseF10ForMenu", [](TubBarManager& m, bool v) { m.UseF10ForMenu = v; })
        .Bool("UseFullReset", [](TubBarManager& m, bool v) { m.UseFullReset = v; })
        .Bool("UseLargeImagesForLargeIcons", [](TubBarManager& m, bool v) { m.SetUseLargeImagesForLargeIcons(v); })
        .Bool("UseSystemFont", [](TubBarManager& m, bool v) { m.SetUseSystemFont(v); })
        .Int("WaitForDockingTime", [](TubBarManager& m, int v) { m.SetWaitForDockingTime(v); })
        .Event("OnClickItem", &TubBarManager::OnClickItem)
        .Event("OnCloseButtonClick", &TubBarManager::OnCloseButtonClick)
        .Event("OnHelpButtonClick", &TubBarManager::OnHelpButtonClick)
        .Event("OnHideCustomizingForm", &TubBarManager::OnHideCustomizingForm)
        .Event("OnShowCustomizingForm", &TubBarManager::OnShowCustomizingForm);

    RegisterComponent<TubBarGroup>("TubBarGroup", "TComponent")
        .Bool("Enabled", [](TubBarGroup& g, bool v) { g.SetEnabled(v); })
        .Enum<TubBarItemVisible>("Visible", kItemVisibles, [](TubBarGroup& g, TubBarItemVisible v) { g.SetVisible(v); })
        .Custom("Items", [](TubBarGroup& g, const TFormValue& v, TReadContext& ctx) {
            std::vector<std::string> names;
            for (const TFormValue& item : ListOf(v, ctx)) names.push_back(ctx.Str(item));
            g.ReadItemNames(names);
        });
}

}  // namespace zel
