// How items, item links and bars are read from a form resource, and the registration of the item classes.
#include <functional>
#include <map>

#include "platform/vcl/FormReader.h"
#include "uilib/bars/ubBarButton.h"
#include "uilib/bars/ubBarManager.h"
#include "uilib/bars/ubBarStreaming.h"
#include "uilib/bars/ubBarSubItem.h"
#include "uilib/bars/ubBarUnit.h"
#include "uilib/bars/ubBars.h"

namespace zel {

namespace {

const std::vector<std::pair<std::string, TubBarItemAlign>> kAligns = {
    {"iaLeft", iaLeft}, {"iaCenter", iaCenter}, {"iaRight", iaRight}, {"iaClient", iaClient}};
const std::vector<std::pair<std::string, TubBarButtonStyle>> kButtonStyles = {
    {"bsDefault", bsDefault}, {"bsChecked", bsChecked}, {"bsDropDown", bsDropDown}};
const std::vector<std::pair<std::string, TubBarPaintStyle>> kPaintStyles = {{"psStandard", psStandard},
                                                                            {"psCaption", psCaption},
                                                                            {"psCaptionInMenu", psCaptionInMenu},
                                                                            {"psCaptionGlyph", psCaptionGlyph}};
const std::vector<std::pair<std::string, TubBarUserDefine>> kUserDefines = {
    {"udCaption", udCaption}, {"udGlyph", udGlyph}, {"udPaintStyle", udPaintStyle}, {"udWidth", udWidth}};
const std::vector<std::pair<std::string, TubBarBorderStyle>> kBorderStyles = {{"bbsNone", bbsNone},
                                                                              {"bbsSingle", bbsSingle}};

template <class E>
E EnumOf(const TFormValue& v, TReadContext& ctx, const std::vector<std::pair<std::string, E>>& names) {
    const std::string id = ctx.Ident(v);
    for (const auto& [n, e] : names)
        if (SameText(n, id)) return e;
    ctx.Error("Invalid property value " + id);
}

// The property readers of a collection item class, by upper-case name.
template <class T>
using TItemTable = std::map<std::string, std::function<void(T&, const TFormValue&, TReadContext&)>>;

template <class T>
void ApplyItem(T& obj, const TFormValue::TCollectionItem& item, const TItemTable<T>& table, TReadContext& ctx) {
    for (const auto& [name, value] : item.Properties) {
        ctx.Line = value.Line != 0 ? value.Line : item.Line;
        auto it = table.find(TFormBindings::Key(name));
        if (it == table.end()) ctx.Error("Unknown property " + name + " of " + obj.ClassName());
        it->second(obj, value, ctx);
    }
}

const std::vector<TFormValue::TCollectionItem>& CollectionOf(const TFormValue& v, TReadContext& ctx) {
    if (v.Kind != TFormValue::TKind::Collection) ctx.Error("Collection expected");
    return v.Collection;
}

const TItemTable<TubBarItemLink>& LinkTable() {
    static const TItemTable<TubBarItemLink> table = {
        {"BEGINGROUP", [](TubBarItemLink& l, const TFormValue& v, TReadContext& c) { l.BeginGroup = c.Bool(v); }},
        {"ITEM",
         [](TubBarItemLink& l, const TFormValue& v, TReadContext& c) {
             // Items stand after the bars in the resource: the name is resolved once everything is read.
             const std::string name = c.Ident(v);
             TReadContext* context = &c;
             const int line = c.Line;
             c.Fixups.push_back([&l, name, context, line] {
                 auto* item = dynamic_cast<TubBarItem*>(context->Root->FindComponent(name));
                 context->Line = line;
                 if (item == nullptr) context->Error("Invalid property value " + name + " for Item");
                 try {
                     l.SetItem(item);
                 } catch (const Exception& e) {
                     context->Error(e.Message);
                 }
             });
         }},
        {"MOSTRECENTLYUSED",
         [](TubBarItemLink& l, const TFormValue& v, TReadContext& c) { l.SetMostRecentlyUsed(c.Bool(v)); }},
        {"USERCAPTION", [](TubBarItemLink& l, const TFormValue& v, TReadContext& c) { l.SetUserCaption(c.Str(v)); }},
        {"USERDEFINE",
         [](TubBarItemLink& l, const TFormValue& v, TReadContext& c) { l.SetUserDefine(SetOf(v, c, kUserDefines)); }},
        {"USERPAINTSTYLE", [](TubBarItemLink& l, const TFormValue& v,
                              TReadContext& c) { l.SetUserPaintStyle(EnumOf(v, c, kPaintStyles)); }},
        {"USERWIDTH",
         [](TubBarItemLink& l, const TFormValue& v, TReadContext& c) { l.SetUserWidth(static_cast<int>(c.Int(v))); }},
        {"VISIBLE", [](TubBarItemLink& l, const TFormValue& v, TReadContext& c) { l.SetVisible(c.Bool(v)); }},
    };
    return table;
}

void ReadItemLinks(TubBarItemLinks& links, const TFormValue& v, TReadContext& ctx) {
    links.Clear();
    for (const TFormValue::TCollectionItem& item : CollectionOf(v, ctx))
        ApplyItem(*links.Add(), item, LinkTable(), ctx);
}

using TBarSetter = std::function<void(TubBar&, const TFormValue&, TReadContext&)>;

TBarSetter BarBool(void (TubBar::*set)(bool)) {
    return [set](TubBar& b, const TFormValue& v, TReadContext& c) { (b.*set)(c.Bool(v)); };
}
TBarSetter BarInt(void (TubBar::*set)(int)) {
    return [set](TubBar& b, const TFormValue& v, TReadContext& c) { (b.*set)(static_cast<int>(c.Int(v))); };
}

const TItemTable<TubBar>& BarTable() {
    static const TItemTable<TubBar> table = {
        {"ALLOWCLOSE", BarBool(&TubBar::SetAllowClose)},
        {"ALLOWCUSTOMIZING", [](TubBar& b, const TFormValue& v, TReadContext& c) { b.AllowCustomizing = c.Bool(v); }},
        {"ALLOWQUICKCUSTOMIZING", BarBool(&TubBar::SetAllowQuickCustomizing)},
        {"ALLOWRESET", [](TubBar& b, const TFormValue& v, TReadContext& c) { b.AllowReset = c.Bool(v); }},
        {"ALPHABLENDVALUE", [](TubBar& b, const TFormValue& v,
                               TReadContext& c) { b.SetAlphaBlendValue(static_cast<std::uint8_t>(c.Int(v))); }},
        {"BORDERSTYLE",
         [](TubBar& b, const TFormValue& v, TReadContext& c) { b.SetBorderStyle(EnumOf(v, c, kBorderStyles)); }},
        {"CAPTION", [](TubBar& b, const TFormValue& v, TReadContext& c) { b.SetCaption(c.Str(v)); }},
        {"COLOR", [](TubBar& b, const TFormValue& v, TReadContext& c) { b.SetColor(c.Color(v)); }},
        {"DOCKEDDOCKINGSTYLE", [](TubBar& b, const TFormValue& v,
                                  TReadContext& c) { b.SetDockedDockingStyle(EnumOf(v, c, kDockingStyles)); }},
        {"DOCKEDLEFT", BarInt(&TubBar::SetDockedLeft)},
        {"DOCKEDTOP", BarInt(&TubBar::SetDockedTop)},
        {"DOCKINGSTYLE",
         [](TubBar& b, const TFormValue& v, TReadContext& c) { b.SetDockingStyle(EnumOf(v, c, kDockingStyles)); }},
        {"FLOATLEFT", BarInt(&TubBar::SetFloatLeft)},
        {"FLOATTOP", BarInt(&TubBar::SetFloatTop)},
        {"FLOATCLIENTWIDTH", BarInt(&TubBar::SetFloatClientWidth)},
        {"FLOATCLIENTHEIGHT", BarInt(&TubBar::SetFloatClientHeight)},
        {"HIDDEN", BarBool(&TubBar::SetHidden)},
        {"ISMAINMENU", BarBool(&TubBar::SetIsMainMenu)},
        {"ITEMLINKS", [](TubBar& b, const TFormValue& v, TReadContext& c) { ReadItemLinks(*b.GetItemLinks(), v, c); }},
        {"MULTILINE", BarBool(&TubBar::SetMultiLine)},
        {"NAME", [](TubBar& b, const TFormValue& v, TReadContext& c) { b.Name = c.Str(v); }},
        {"NOTDOCKING",
         [](TubBar& b, const TFormValue& v, TReadContext& c) { b.SetNotDocking(SetOf(v, c, kDockingStyles)); }},
        {"ONEONROW", [](TubBar& b, const TFormValue& v, TReadContext& c) { b.OneOnRow = c.Bool(v); }},
        {"ROTATEWHENVERTICAL", BarBool(&TubBar::SetRotateWhenVertical)},
        {"ROW", BarInt(&TubBar::SetRow)},
        {"SHOWMARK", BarBool(&TubBar::SetShowMark)},
        {"SIZEGRIP", BarBool(&TubBar::SetSizeGrip)},
        {"USEOWNFONT", BarBool(&TubBar::SetUseOwnFont)},
        {"USERECENTITEMS", BarBool(&TubBar::SetUseRecentItems)},
        {"USERESTSPACE", BarBool(&TubBar::SetUseRestSpace)},
        {"VISIBLE", BarBool(&TubBar::SetVisible)},
        {"WHOLEROW", BarBool(&TubBar::SetWholeRow)},
    };
    return table;
}

template <class C>
void ItemProperties(TPropertyTable<C>& t) {
    t.template Enum<TubBarItemAlign>("Align", kAligns, [](C& i, TubBarItemAlign v) { i.SetAlign(v); })
        .Str("Caption", [](C& i, const std::string& v) { i.SetCaption(v); })
        .Int("Category", [](C& i, int v) { i.SetCategory(v); })
        .Str("Description", [](C& i, const std::string& v) { i.SetDescription(v); })
        .Bool("Enabled", [](C& i, bool v) { i.SetEnabled(v); })
        .Int("HelpContext", [](C& i, int v) { i.HelpContext = v; })
        .Str("Hint", [](C& i, const std::string& v) { i.Hint = v; })
        .template Enum<TubBarItemVisible>("Visible", kItemVisibles, [](C& i, TubBarItemVisible v) { i.SetVisible(v); })
        .Event("OnDestroy", &TubBarItem::OnDestroy);
}

template <class C>
void CommandProperties(TPropertyTable<C>& t) {
    t.Int("ImageIndex", [](C& i, int v) { i.SetImageIndex(v); }).Event("OnClick", &TubBarItem::OnClick);
}

template <class C>
void StringsProperty(TPropertyTable<C>& t, TStrings* (C::*get)() const) {
    t.Custom("Items.Strings", [get](C& i, const TFormValue& v, TReadContext& c) {
        TStrings* items = (i.*get)();
        items->Clear();
        for (const TFormValue& s : ListOf(v, c)) items->Add(c.Str(s));
    });
}

// The registry's records of the seven offered classes, in the registry's order; their controls come with the
// bar windows.
const std::vector<TClass>& OfferedClasses() {
    static const std::vector<TClass> classes = {TubBarButton::StaticClass(),       TubBarEdit::StaticClass(),
                                                TCustomubBarCombo::StaticClass(),  TubBarCombo::StaticClass(),
                                                TubBarSubItem::StaticClass(),      TubBarListItem::StaticClass(),
                                                TubBarContainerItem::StaticClass()};
    return classes;
}

}  // namespace

void ReadBars(TubBarManager& Manager, const TFormValue& Value, TReadContext& Context) {
    Manager.GetBars()->Clear();
    for (const TFormValue::TCollectionItem& item : CollectionOf(Value, Context))
        ApplyItem(*Manager.GetBars()->Add(), item, BarTable(), Context);
}

void RegisterBarItemClasses() {
    auto item = RegisterComponent<TubBarItem>("TubBarItem", "TComponent");
    ItemProperties(item);

    auto button = RegisterComponent<TubBarButton>("TubBarButton", "TubBarItem");
    CommandProperties(button);
    button.Bool("AllowAllUp", [](TubBarButton& b, bool v) { b.SetAllowAllUp(v); })
        .Enum<TubBarButtonStyle>("ButtonStyle", kButtonStyles,
                                 [](TubBarButton& b, TubBarButtonStyle v) { b.SetButtonStyle(v); })
        .Bool("CloseSubMenuOnClick", [](TubBarButton& b, bool v) { b.CloseSubMenuOnClick = v; })
        .Bool("DropDownEnabled", [](TubBarButton& b, bool v) { b.SetDropDownEnabled(v); })
        .Int("GroupIndex", [](TubBarButton& b, int v) { b.SetGroupIndex(v); })
        .Bool("Down", [](TubBarButton& b, bool v) { b.SetDown(v); })
        .Bool("Lowered", [](TubBarButton& b, bool v) { b.SetLowered(v); })
        .Enum<TubBarPaintStyle>("PaintStyle", kPaintStyles,
                                [](TubBarButton& b, TubBarPaintStyle v) { b.SetPaintStyle(v); })
        .Custom("ShortCut",
                [](TubBarButton& b, const TFormValue& v, TReadContext& c) {
                    b.SetShortCut(v.Kind == TFormValue::TKind::String ? TextToShortCut(v.Text)
                                                                      : static_cast<TShortCut>(c.Int(v)));
                })
        .Bool("UnclickAfterDoing", [](TubBarButton& b, bool v) { b.UnclickAfterDoing = v; });

    auto window = RegisterComponent<TubBarWindowItem>("TubBarWindowItem", "TubBarItem");
    window.Str("Text", [](TubBarWindowItem& w, const std::string& v) { w.SetText(v); })
        .Event("OnChange", &TubBarWindowItem::OnChange)
        .Event("OnCurChange", &TubBarWindowItem::OnCurChange)
        .Event("OnEnter", &TubBarWindowItem::OnEnter)
        .Event("OnExit", &TubBarWindowItem::OnExit);

    auto edit = RegisterComponent<TubBarEdit>("TubBarEdit", "TubBarWindowItem");
    CommandProperties(edit);
    edit.Int("MaxLength", [](TubBarEdit& e, int v) { e.SetMaxLength(v); })
        .Bool("ReadOnly", [](TubBarEdit& e, bool v) { e.ReadOnly = v; })
        .Bool("ShowCaption", [](TubBarEdit& e, bool v) { e.SetShowCaption(v); })
        .Int("Width", [](TubBarEdit& e, int v) { e.SetWidth(v); });

    RegisterComponent<TCustomubBarCombo>("TCustomubBarCombo", "TubBarEdit")
        .Bool("ShowEditor", [](TCustomubBarCombo& c, bool v) { c.SetShowEditor(v); })
        .Event("OnCloseUp", &TCustomubBarCombo::OnCloseUp)
        .Event("OnDropDown", &TCustomubBarCombo::OnDropDown);
    auto custom = RegisterComponent<TubBarCustomCombo>("TubBarCustomCombo", "TCustomubBarCombo");
    custom.Int("DropDownCount", [](TubBarCustomCombo& c, int v) { c.DropDownCount = v; })
        .Int("DropDownWidth", [](TubBarCustomCombo& c, int v) { c.DropDownWidth = v; });
    auto combo = RegisterComponent<TubBarCombo>("TubBarCombo", "TubBarCustomCombo");
    StringsProperty<TubBarCombo>(combo, &TubBarCustomCombo::GetItems);
    combo.Int("ItemHeight", [](TubBarCombo& c, int v) { c.ItemHeight = v; })
        .Bool("Sorted", [](TubBarCombo& c, bool v) { c.SetSorted(v); })
        .Int("ItemIndex", [](TubBarCombo& c, int v) { c.SetItemIndex(v); });

    auto sub = RegisterComponent<TCustomubBarSubItem>("TCustomubBarSubItem", "TubBarItem");
    CommandProperties(sub);
    sub.Bool("AllowCustomizing", [](TCustomubBarSubItem& s, bool v) { s.AllowCustomizing = v; })
        .Int("BarSize", [](TCustomubBarSubItem& s, int v) { s.SetBarSize(v); })
        .Bool("Detachable", [](TCustomubBarSubItem& s, bool v) { s.Detachable = v; })
        .Int("DetachingBar", [](TCustomubBarSubItem& s, int v) { s.SetDetachingBar(v); })
        .Bool("ShowCaption", [](TCustomubBarSubItem& s, bool v) { s.SetShowCaption(v); })
        .Custom("ItemLinks", [](TCustomubBarSubItem& s, const TFormValue& v,
                                TReadContext& c) { ReadItemLinks(*s.GetItemLinks(), v, c); })
        .Event("OnCloseUp", &TCustomubBarSubItem::OnCloseUp)
        .Event("OnPopup", &TCustomubBarSubItem::OnPopup);
    RegisterComponent<TubBarSubItem>("TubBarSubItem", "TCustomubBarSubItem");
    RegisterComponent<TCustomubBarContainerItem>("TCustomubBarContainerItem", "TCustomubBarSubItem")
        .Event("OnGetData", &TCustomubBarContainerItem::OnGetData);
    auto list = RegisterComponent<TubBarListItem>("TubBarListItem", "TCustomubBarContainerItem");
    StringsProperty<TubBarListItem>(list, &TubBarListItem::GetItems);
    list.Int("ItemIndex", [](TubBarListItem& l, int v) { l.ItemIndex = v; })
        .Bool("ShowCheck", [](TubBarListItem& l, bool v) { l.ShowCheck = v; })
        .Bool("ShowNumbers", [](TubBarListItem& l, bool v) { l.ShowNumbers = v; });
    RegisterComponent<TubBarContainerItem>("TubBarContainerItem", "TCustomubBarContainerItem");

    for (TClass c : OfferedClasses()) RegisterBarItem(c, nullptr, true);
}

void UnregisterBarItemClasses() {
    const std::vector<TClass>& classes = OfferedClasses();
    for (auto it = classes.rbegin(); it != classes.rend(); ++it) UnregisterBarItem(*it);
}

}  // namespace zel
