// How items, item links and bars are stored in a form resource (their properties with the defaults that
// are left out and the rules of what is stored), and the registration of the item classes.
#include "platform/vcl/ActnList.h"
#include "platform/vcl/FormReader.h"
#include "uilib/bars/ubBarCommandItems.h"
#include "uilib/bars/ubBarItemControls.h"
#include "uilib/bars/ubBarManager.h"
#include "uilib/bars/ubBarPopupMenu.h"
#include "uilib/bars/ubBarQuickCust.h"
#include "uilib/bars/ubBarStreaming.h"
#include "uilib/bars/ubBarSubItem.h"
#include "uilib/bars/ubBarSystemMenu.h"
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

// A property of an item that its action does not supply.
template <class C>
std::function<bool(C&)> NotFromAction(bool (TubBarItemActionLink::*linked)()) {
    return [linked](C& i) { return i.ActionLink() == nullptr || !(i.ActionLink()->*linked)(); };
}

void RegisterLinkAndBarClasses() {
    using L = TubBarItemLink;
    TPropertyTable<L>(RegisterComponentClass("TubBarItemLink", "", nullptr))
        .Bool(
            "BeginGroup", [](L& l, bool v) { l.BeginGroup = v; }, [](L& l) { return l.BeginGroup; })
        .Default(false)
        // Items stand after the bars in the resource: the name is resolved once everything is read.
        .Custom(
            "Item",
            [](L& l, const TFormValue& v, TReadContext& c) {
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
            },
            [](L& l) { return IdentValue(l.GetItem() != nullptr ? l.GetItem()->GetName() : std::string()); })
        .Stored([](L& l) { return l.GetItem() != nullptr && !l.GetItem()->GetName().empty(); })
        .Bool(
            "MostRecentlyUsed", [](L& l, bool v) { l.SetMostRecentlyUsed(v); },
            [](L& l) { return l.GetMostRecentlyUsed(); })
        .Default(true)
        .Str(
            "UserCaption", [](L& l, const std::string& v) { l.SetUserCaption(v); },
            [](L& l) { return l.GetUserCaption(); })
        .DefaultText("")
        .Custom(
            "UserDefine",
            [](L& l, const TFormValue& v, TReadContext& c) { l.SetUserDefine(SetOf(v, c, kUserDefines)); },
            [](L& l) { return SetValueOf(l.GetUserDefine(), kUserDefines); })
        .Default(SetValue({}))
        .Enum<TubBarPaintStyle>(
            "UserPaintStyle", kPaintStyles, [](L& l, TubBarPaintStyle v) { l.SetUserPaintStyle(v); },
            [](L& l) { return l.GetUserPaintStyle(); })
        .DefaultIdent("psStandard")
        .Int(
            "UserWidth", [](L& l, int v) { l.SetUserWidth(v); }, [](L& l) { return l.GetUserWidth(); })
        .Default(0)
        .Bool(
            "Visible", [](L& l, bool v) { l.SetVisible(v); }, [](L& l) { return l.GetVisible(); })
        .Default(true);

    using B = TubBar;
    auto dockingStyle = [](TubBarDockingStyle (B::*get)() const) { return [get](B& b) { return (b.*get)(); }; };
    TPropertyTable<B> bar(RegisterComponentClass("TubBar", "", nullptr));
    bar.Bool(
           "AllowClose", [](B& b, bool v) { b.SetAllowClose(v); }, [](B& b) { return b.GetAllowClose(); })
        .Default(true)
        .Bool(
            "AllowCustomizing", [](B& b, bool v) { b.AllowCustomizing = v; }, [](B& b) { return b.AllowCustomizing; })
        .Default(true)
        .Bool(
            "AllowQuickCustomizing", [](B& b, bool v) { b.SetAllowQuickCustomizing(v); },
            [](B& b) { return b.GetAllowQuickCustomizing(); })
        .Default(true)
        .Bool(
            "AllowReset", [](B& b, bool v) { b.AllowReset = v; }, [](B& b) { return b.AllowReset; })
        .Default(true)
        .Enum<TubBarBorderStyle>(
            "BorderStyle", kBorderStyles, [](B& b, TubBarBorderStyle v) { b.SetBorderStyle(v); },
            [](B& b) { return b.GetBorderStyle(); })
        .DefaultIdent("bbsSingle")
        .Str(
            "Caption", [](B& b, const std::string& v) { b.SetCaption(v); }, [](B& b) { return b.GetCaption(); })
        .Custom(
            "Color", [](B& b, const TFormValue& v, TReadContext& c) { b.SetColor(c.Color(v)); },
            [](B& b) { return IntValue(static_cast<std::int32_t>(b.GetColor())); })
        .Default(IntValue(static_cast<std::int32_t>(clDefault)))
        .Enum<TubBarDockingStyle>(
            "DockedDockingStyle", kDockingStyles, [](B& b, TubBarDockingStyle v) { b.SetDockedDockingStyle(v); },
            dockingStyle(&B::GetDockedDockingStyle))
        .Stored([](B& b) { return b.IsDockedDockingStyleStored(); })
        .Int(
            "DockedLeft", [](B& b, int v) { b.SetDockedLeft(v); }, [](B& b) { return b.GetDockedLeft(); })
        .Int(
            "DockedTop", [](B& b, int v) { b.SetDockedTop(v); }, [](B& b) { return b.GetDockedTop(); })
        .Enum<TubBarDockingStyle>(
            "DockingStyle", kDockingStyles, [](B& b, TubBarDockingStyle v) { b.SetDockingStyle(v); },
            dockingStyle(&B::GetDockingStyle))
        .Stored([](B& b) { return b.IsDockingStyleStored(); })
        .Int(
            "FloatLeft", [](B& b, int v) { b.SetFloatLeft(v); }, [](B& b) { return b.GetFloatLeft(); })
        .Int(
            "FloatTop", [](B& b, int v) { b.SetFloatTop(v); }, [](B& b) { return b.GetFloatTop(); })
        .Int(
            "FloatClientWidth", [](B& b, int v) { b.SetFloatClientWidth(v); },
            [](B& b) { return b.GetFloatClientWidth(); })
        .Int(
            "FloatClientHeight", [](B& b, int v) { b.SetFloatClientHeight(v); },
            [](B& b) { return b.GetFloatClientHeight(); });
    // The bar's own font, stored while the bar uses it.
    FontProperties<B>(
        bar, [](B& b) { return b.GetFont(); }, [](B& b) { return b.IsFontStored(); })
        .Bool(
            "Hidden", [](B& b, bool v) { b.SetHidden(v); }, [](B& b) { return b.GetHidden(); })
        .Default(false)
        .Bool(
            "IsMainMenu", [](B& b, bool v) { b.SetIsMainMenu(v); }, [](B& b) { return b.GetIsMainMenu(); })
        .Default(false)
        .Collection("ItemLinks", "TubBarItemLink", [](B& b) -> TCollection& { return *b.GetItemLinks(); })
        .Bool(
            "MultiLine", [](B& b, bool v) { b.SetMultiLine(v); }, [](B& b) { return b.GetMultiLine(); })
        .Default(false)
        .Str(
            "Name", [](B& b, const std::string& v) { b.Name = v; }, [](B& b) { return b.Name; })
        .Custom(
            "NotDocking",
            [](B& b, const TFormValue& v, TReadContext& c) { b.SetNotDocking(SetOf(v, c, kDockingStyles)); },
            [](B& b) { return SetValueOf(b.GetNotDocking(), kDockingStyles); })
        .Default(SetValue({}))
        .Bool(
            "OneOnRow", [](B& b, bool v) { b.OneOnRow = v; }, [](B& b) { return b.OneOnRow; })
        .Bool(
            "RotateWhenVertical", [](B& b, bool v) { b.SetRotateWhenVertical(v); },
            [](B& b) { return b.GetRotateWhenVertical(); })
        .Default(true)
        .Int(
            "Row", [](B& b, int v) { b.SetRow(v); }, [](B& b) { return b.GetRow(); })
        .Bool(
            "ShowMark", [](B& b, bool v) { b.SetShowMark(v); }, [](B& b) { return b.GetShowMark(); })
        .Default(true)
        .Bool(
            "SizeGrip", [](B& b, bool v) { b.SetSizeGrip(v); }, [](B& b) { return b.GetSizeGrip(); })
        .Default(true)
        .Bool(
            "UseOwnFont", [](B& b, bool v) { b.SetUseOwnFont(v); }, [](B& b) { return b.GetUseOwnFont(); })
        .Bool(
            "UseRecentItems", [](B& b, bool v) { b.SetUseRecentItems(v); }, [](B& b) { return b.GetUseRecentItems(); })
        .Default(true)
        .Bool(
            "UseRestSpace", [](B& b, bool v) { b.SetUseRestSpace(v); }, [](B& b) { return b.GetUseRestSpace(); })
        .Default(false)
        .Bool(
            "Visible", [](B& b, bool v) { b.SetVisible(v); }, [](B& b) { return b.GetVisible(); })
        .Bool(
            "WholeRow", [](B& b, bool v) { b.SetWholeRow(v); }, [](B& b) { return b.GetWholeRow(); })
        .Int(
            "AlphaBlendValue", [](B& b, int v) { b.SetAlphaBlendValue(static_cast<std::uint8_t>(v)); },
            [](B& b) { return static_cast<int>(b.GetAlphaBlendValue()); })
        .Default(255);
}

template <class C>
void ItemProperties(TPropertyTable<C>&& t) {
    using A = TubBarItemActionLink;
    t.Custom("Action", Reference<C>([](C& i, TComponent* c) { i.SetAction(dynamic_cast<TBasicAction*>(c)); }),
             [](C& i) { return NameOf(i.GetAction()); })
        .Stored([](C& i) { return i.GetAction() != nullptr; })
        .template Enum<TubBarItemAlign>(
            "Align", kAligns, [](C& i, TubBarItemAlign v) { i.SetAlign(v); }, [](C& i) { return i.GetAlign(); })
        .DefaultIdent("iaLeft")
        .Str(
            "Caption", [](C& i, const std::string& v) { i.SetCaption(v); }, [](C& i) { return i.GetCaption(); })
        .DefaultText("")
        .Stored(NotFromAction<C>(&A::IsCaptionLinked))
        .Int(
            "Category", [](C& i, int v) { i.SetCategory(v); }, [](C& i) { return i.GetCategory(); })
        .Str(
            "Description", [](C& i, const std::string& v) { i.SetDescription(v); },
            [](C& i) { return i.GetDescription(); })
        .DefaultText("")
        .Bool(
            "Enabled", [](C& i, bool v) { i.SetEnabled(v); }, [](C& i) { return i.GetEnabled(); })
        .Default(true)
        .Stored(NotFromAction<C>(&A::IsEnabledLinked))
        .Int(
            "HelpContext", [](C& i, int v) { i.HelpContext = v; }, [](C& i) { return i.HelpContext; })
        .Default(0)
        .Stored(NotFromAction<C>(&A::IsHelpContextLinked))
        .Str(
            "Hint", [](C& i, const std::string& v) { i.Hint = v; }, [](C& i) { return i.Hint; })
        .DefaultText("")
        .Stored(NotFromAction<C>(&A::IsHintLinked))
        .template Enum<TubBarItemVisible>(
            "Visible", kItemVisibles, [](C& i, TubBarItemVisible v) { i.SetVisible(v); },
            [](C& i) { return i.GetVisible(); })
        .Stored(NotFromAction<C>(&A::IsVisibleLinked))
        .Event("OnDestroy", &TubBarItem::OnDestroy);
}

// The glyph, image index and click of the commands (buttons, edits, sub-items).
template <class C>
TPropertyTable<C>& CommandProperties(TPropertyTable<C>& t) {
    return t.SubObject("Glyph", "TBitmap", [](C& i) -> TPersistent* { return i.GetGlyph(); })
        .Int(
            "ImageIndex", [](C& i, int v) { i.SetImageIndex(v); }, [](C& i) { return i.GetImageIndex(); })
        .Default(-1)
        .Stored(NotFromAction<C>(&TubBarItemActionLink::IsImageIndexLinked))
        .Event("OnClick", &TubBarItem::OnClick);
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

void RegisterBarItemClasses() {
    RegisterLinkAndBarClasses();
    ItemProperties(RegisterComponent<TubBarItem>("TubBarItem", "TComponent"));

    using Bt = TubBarButton;
    auto button = RegisterComponent<Bt>("TubBarButton", "TubBarItem");
    CommandProperties(button)
        .Bool(
            "AllowAllUp", [](Bt& b, bool v) { b.SetAllowAllUp(v); }, [](Bt& b) { return b.GetAllowAllUp(); })
        .Default(false)
        .Enum<TubBarButtonStyle>(
            "ButtonStyle", kButtonStyles, [](Bt& b, TubBarButtonStyle v) { b.SetButtonStyle(v); },
            [](Bt& b) { return b.GetButtonStyle(); })
        .DefaultIdent("bsDefault")
        .Bool(
            "CloseSubMenuOnClick", [](Bt& b, bool v) { b.CloseSubMenuOnClick = v; },
            [](Bt& b) { return b.CloseSubMenuOnClick; })
        .Default(true)
        .Bool(
            "DropDownEnabled", [](Bt& b, bool v) { b.SetDropDownEnabled(v); },
            [](Bt& b) { return b.GetDropDownEnabled(); })
        .Default(true)
        .Int(
            "GroupIndex", [](Bt& b, int v) { b.SetGroupIndex(v); }, [](Bt& b) { return b.GetGroupIndex(); })
        .Default(0)
        .Bool(
            "Down", [](Bt& b, bool v) { b.SetDown(v); }, [](Bt& b) { return b.GetDown(); })
        .Default(false)
        .Stored(NotFromAction<Bt>(&TubBarItemActionLink::IsCheckedLinked))
        .Bool(
            "Lowered", [](Bt& b, bool v) { b.SetLowered(v); }, [](Bt& b) { return b.GetLowered(); })
        .Default(false)
        .Enum<TubBarPaintStyle>(
            "PaintStyle", kPaintStyles, [](Bt& b, TubBarPaintStyle v) { b.SetPaintStyle(v); },
            [](Bt& b) { return b.GetPaintStyle(); })
        .DefaultIdent("psStandard")
        .Custom(
            "ShortCut",
            [](Bt& b, const TFormValue& v, TReadContext& c) {
                b.SetShortCut(v.Kind == TFormValue::TKind::String ? TextToShortCut(v.Text)
                                                                  : static_cast<TShortCut>(c.Int(v)));
            },
            [](Bt& b) { return IntValue(b.GetShortCut()); })
        .Default(0)
        .Stored(NotFromAction<Bt>(&TubBarItemActionLink::IsShortCutLinked))
        .Bool(
            "UnclickAfterDoing", [](Bt& b, bool v) { b.UnclickAfterDoing = v; },
            [](Bt& b) { return b.UnclickAfterDoing; })
        .Default(true);

    using W = TubBarWindowItem;
    RegisterComponent<W>("TubBarWindowItem", "TubBarItem")
        .Str(
            "Text", [](W& w, const std::string& v) { w.SetText(v); }, [](W& w) { return w.GetText(); })
        .DefaultText("")
        .Event("OnChange", &W::OnChange)
        .Event("OnCurChange", &W::OnCurChange)
        .Event("OnEnter", &W::OnEnter)
        .Event("OnExit", &W::OnExit);

    using E = TubBarEdit;
    auto edit = RegisterComponent<E>("TubBarEdit", "TubBarWindowItem");
    CommandProperties(edit)
        .Int(
            "MaxLength", [](E& e, int v) { e.SetMaxLength(v); }, [](E& e) { return e.GetMaxLength(); })
        .Default(0)
        .Bool(
            "ReadOnly", [](E& e, bool v) { e.ReadOnly = v; }, [](E& e) { return e.ReadOnly; })
        .Default(false)
        .Bool(
            "ShowCaption", [](E& e, bool v) { e.SetShowCaption(v); }, [](E& e) { return e.GetShowCaption(); })
        .Default(false)
        .Int(
            "Width", [](E& e, int v) { e.SetWidth(v); }, [](E& e) { return e.GetWidth(); });

    using Cc = TCustomubBarCombo;
    RegisterComponent<Cc>("TCustomubBarCombo", "TubBarEdit")
        .Bool(
            "ShowEditor", [](Cc& c, bool v) { c.SetShowEditor(v); }, [](Cc& c) { return c.GetShowEditor(); })
        .Default(true)
        .Event("OnCloseUp", &Cc::OnCloseUp)
        .Event("OnDropDown", &Cc::OnDropDown);
    using Cu = TubBarCustomCombo;
    RegisterComponent<Cu>("TubBarCustomCombo", "TCustomubBarCombo")
        .Int(
            "DropDownCount", [](Cu& c, int v) { c.DropDownCount = v; }, [](Cu& c) { return c.DropDownCount; })
        .Default(8)
        .Int(
            "DropDownWidth", [](Cu& c, int v) { c.DropDownWidth = v; }, [](Cu& c) { return c.DropDownWidth; })
        .Default(0);
    using Co = TubBarCombo;
    auto combo = RegisterComponent<Co>("TubBarCombo", "TubBarCustomCombo");
    StringsProperty<Co>(combo, &TubBarCustomCombo::GetItems);
    combo
        .Int(
            "ItemHeight", [](Co& c, int v) { c.ItemHeight = v; }, [](Co& c) { return c.ItemHeight; })
        .Default(0)
        .Bool(
            "Sorted", [](Co& c, bool v) { c.SetSorted(v); }, [](Co& c) { return c.GetSorted(); })
        .Default(false)
        .Int(
            "ItemIndex", [](Co& c, int v) { c.SetItemIndex(v); }, [](Co& c) { return c.GetItemIndex(); })
        .Default(-1);

    using S = TCustomubBarSubItem;
    auto sub = RegisterComponent<S>("TCustomubBarSubItem", "TubBarItem");
    CommandProperties(sub)
        .Bool(
            "AllowCustomizing", [](S& s, bool v) { s.AllowCustomizing = v; }, [](S& s) { return s.AllowCustomizing; })
        .Default(true)
        .Int(
            "BarSize", [](S& s, int v) { s.SetBarSize(v); }, [](S& s) { return s.GetBarSize(); })
        .Default(0)
        .Bool(
            "Detachable", [](S& s, bool v) { s.Detachable = v; }, [](S& s) { return s.Detachable; })
        .Default(false)
        .Int(
            "DetachingBar", [](S& s, int v) { s.SetDetachingBar(v); }, [](S& s) { return s.GetDetachingBar(); })
        .Default(-1)
        .Bool(
            "ShowCaption", [](S& s, bool v) { s.SetShowCaption(v); }, [](S& s) { return s.GetShowCaption(); })
        .Default(true)
        .Collection("ItemLinks", "TubBarItemLink", [](S& s) -> TCollection& { return *s.GetItemLinks(); })
        .Event("OnCloseUp", &S::OnCloseUp)
        .Event("OnPopup", &S::OnPopup);
    RegisterComponent<TubBarSubItem>("TubBarSubItem", "TCustomubBarSubItem");
    RegisterComponent<TCustomubBarContainerItem>("TCustomubBarContainerItem", "TCustomubBarSubItem")
        .Event("OnGetData", &TCustomubBarContainerItem::OnGetData);
    using Li = TubBarListItem;
    auto list = RegisterComponent<Li>("TubBarListItem", "TCustomubBarContainerItem");
    StringsProperty<Li>(list, &TubBarListItem::GetItems);
    list.Int(
            "ItemIndex", [](Li& l, int v) { l.ItemIndex = v; }, [](Li& l) { return l.ItemIndex; })
        .Default(-1)
        .Bool(
            "ShowCheck", [](Li& l, bool v) { l.ShowCheck = v; }, [](Li& l) { return l.ShowCheck; })
        .Default(false)
        .Bool(
            "ShowNumbers", [](Li& l, bool v) { l.ShowNumbers = v; }, [](Li& l) { return l.ShowNumbers; })
        .Default(true);
    RegisterComponent<TubBarContainerItem>("TubBarContainerItem", "TCustomubBarContainerItem");

    // The popup menu of items: its links to the manager's items, read like a bar's.
    using P = TubBarPopupMenu;
    RegisterComponent<P>("TubBarPopupMenu", "TComponent")
        .Collection("ItemLinks", "TubBarItemLink", [](P& p) -> TCollection& { return *p.GetItemLinks(); })
        .Bool(
            "UseRecentItems", [](P& p, bool v) { p.SetUseRecentItems(v); }, [](P& p) { return p.GetUseRecentItems(); })
        .Default(false)
        .Int(
            "BarSize", [](P& p, int v) { p.SetBarSize(v); }, [](P& p) { return p.GetBarSize(); })
        .Default(0)
        .Event("OnPopup", &P::OnPopup)
        .Event("OnCloseUp", &P::OnCloseUp);

    // Each item class with the class of the control that shows it.
    RegisterItemControlClasses();
    const TClass controlClasses[] = {
        TubBarButtonControl::StaticClass(),       TubBarEditControl::StaticClass(),
        TCustomubBarComboControl::StaticClass(),  TubBarComboControl::StaticClass(),
        TubBarSubItemControl::StaticClass(),      TubBarContainerItemControl::StaticClass(),
        TubBarContainerItemControl::StaticClass()};
    const std::vector<TClass>& items = OfferedClasses();
    for (std::size_t i = 0; i < items.size(); ++i) RegisterBarItem(items[i], controlClasses[i], true);
    RegisterQuickCustItems();
    RegisterSystemMenuItem();
}

void UnregisterBarItemClasses() {
    const std::vector<TClass>& classes = OfferedClasses();
    UnregisterSystemMenuItem();
    UnregisterQuickCustItems();
    for (auto it = classes.rbegin(); it != classes.rend(); ++it) UnregisterBarItem(*it);
    UnregisterItemControlClasses();
    for (const char* name :
         {"TubBarPopupMenu", "TubBarContainerItem", "TubBarListItem", "TCustomubBarContainerItem", "TubBarSubItem",
          "TCustomubBarSubItem", "TubBarCombo", "TubBarCustomCombo", "TCustomubBarCombo", "TubBarEdit",
          "TubBarWindowItem", "TubBarButton", "TubBarItem", "TubBar", "TubBarItemLink"})
        UnregisterComponentClass(name);
}

}  // namespace zel
