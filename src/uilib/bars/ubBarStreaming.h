#pragma once
// What the form-resource readers of the framework share: the names of its enumerations and the readers of
// lists and sets.
// The class tables that use them: ubBarManagerStreaming.cpp (manager, categories, groups) and
// ubBarItemStreaming.cpp (items, item links and bars; RegisterBarItemClasses below).
#include <algorithm>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "platform/vcl/FormReader.h"
#include "platform/vcl/Forms.h"
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

// A reference to a component of the form, stored by name and found once the whole form is read.
template <class C>
std::function<void(C&, const TFormValue&, TReadContext&)> Reference(std::function<void(C&, TComponent*)> Set) {
    return [Set = std::move(Set)](C& c, const TFormValue& v, TReadContext& ctx) {
        const std::string name = ctx.Ident(v);
        TCustomForm* root = ctx.Root;
        ctx.Fixups.push_back([&c, Set, name, root] { Set(c, root != nullptr ? root->FindComponent(name) : nullptr); });
    };
}

inline TFormValue NameOf(const TComponent* Component) { return IdentValue(Component->GetName()); }

// The font's properties ("Font.Charset", "Font.Color", "Font.Height", "Font.Name", "Font.Style"), written
// when Stored says so (always without it).
template <class C>
TPropertyTable<C>& FontProperties(TPropertyTable<C>& t, std::function<TFont*(C&)> Get, std::function<bool(C&)> Stored) {
    auto stored = [&t, &Stored] {
        if (Stored) t.Stored(Stored);
    };
    t.Custom(
        "Font.Charset",
        [Get](C& c, const TFormValue& v, TReadContext& ctx) {
            if (v.Kind == TFormValue::TKind::Integer) Get(c)->SetCharset(static_cast<BYTE>(v.Int));
            else if (v.IsIdent("DEFAULT_CHARSET")) Get(c)->SetCharset(DEFAULT_CHARSET);
            else if (v.IsIdent("ANSI_CHARSET")) Get(c)->SetCharset(ANSI_CHARSET);
            else ctx.Error("Invalid character set " + v.Text);
        },
        [Get](C& c) {
            return Get(c)->GetCharset() == DEFAULT_CHARSET ? IdentValue("DEFAULT_CHARSET")
                                                           : IntValue(Get(c)->GetCharset());
        });
    stored();
    t.Custom(
        "Font.Color", [Get](C& c, const TFormValue& v, TReadContext& ctx) { Get(c)->SetColor(ctx.Color(v)); },
        [Get](C& c) { return IntValue(static_cast<std::int32_t>(Get(c)->GetColor())); });
    stored();
    t.Int(
        "Font.Height", [Get](C& c, int v) { Get(c)->SetHeight(v); }, [Get](C& c) { return Get(c)->GetHeight(); });
    stored();
    t.Str(
        "Font.Name", [Get](C& c, const std::string& v) { Get(c)->SetName(v); },
        [Get](C& c) { return Get(c)->GetName(); });
    stored();
    t.Custom(
        "Font.Style",
        [Get](C& c, const TFormValue& v, TReadContext& ctx) { Get(c)->SetStyle(SetOf(v, ctx, kFontStyles)); },
        [Get](C& c) { return SetValueOf(Get(c)->GetStyle(), kFontStyles); });
    stored();
    return t;
}

// Registers the item classes with the form reader and the item-class registry, in the registry's order.
void RegisterBarItemClasses();
// Takes them out again, in reverse order.
void UnregisterBarItemClasses();

}  // namespace zel
