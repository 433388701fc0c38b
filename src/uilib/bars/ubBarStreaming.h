#pragma once
// What the form-resource readers of the framework share: the names of its enumerations and the readers of
// lists and sets.
// The class tables that use them: ubBarManagerStreaming.cpp (manager, categories, groups) and
// ubBarItemStreaming.cpp (items, item links and bars; RegisterBarItemClasses below).
#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "platform/vcl/FormReader.h"
#include "platform/vcl/VclGraphics.h"
#include "uilib/bars/ubBarTypes.h"
#include "uilib/base/uiLookAndFeels.h"

namespace zel {

inline const std::vector<std::pair<std::string, TubBarManagerStyle>> kStyles = {
    {"bmsStandard", bmsStandard}, {"bmsEnhanced", bmsEnhanced},
    {"bmsFlat", bmsFlat},         {"bmsXP", bmsXP},
    {"bmsOffice11", bmsOffice11}, {"bmsUseLookAndFeel", bmsUseLookAndFeel}};
inline const std::vector<std::pair<std::string, TubBarMenuAnimations>> kAnimations = {
    {"maNone", maNone}, {"maRandom", maRandom}, {"maUnfold", maUnfold}, {"maSlide", maSlide}, {"maFade", maFade}};
inline const std::vector<std::pair<std::string, TubBarItemVisible>> kItemVisibles = {
    {"ivNever", ivNever}, {"ivInCustomizing", ivInCustomizing}, {"ivAlways", ivAlways}};
inline const std::vector<std::pair<std::string, TubBarDockingStyle>> kDockingStyles = {
    {"dsNone", dsNone}, {"dsLeft", dsLeft}, {"dsTop", dsTop}, {"dsRight", dsRight}, {"dsBottom", dsBottom}};
inline const std::vector<std::pair<std::string, TuiLookAndFeelKind>> kLookAndFeelKinds = {
    {"lfFlat", lfFlat}, {"lfStandard", lfStandard}, {"lfUltraFlat", lfUltraFlat}, {"lfOffice11", lfOffice11}};
inline const std::vector<std::pair<std::string, TFontStyle>> kFontStyles = {
    {"fsBold", fsBold}, {"fsItalic", fsItalic}, {"fsUnderline", fsUnderline}, {"fsStrikeOut", fsStrikeOut}};

inline const std::vector<TFormValue>& ListOf(const TFormValue& v, TReadContext& ctx) {
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

template <class E>
TFormValue SetValueOf(TSet<E> set, const std::vector<std::pair<std::string, E>>& names) {
    std::vector<std::string> items;
    for (const auto& [name, e] : names)
        if (set.Contains(e)) items.push_back(name);
    return SetValue(items);
}

// Registers the item classes with the form reader and the item-class registry, in the registry's order.
void RegisterBarItemClasses();
// Takes them out again, in reverse order.
void UnregisterBarItemClasses();

}  // namespace zel
