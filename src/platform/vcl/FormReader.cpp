#include "platform/vcl/FormReader.h"

#include "platform/rtl/Filer.h"
#include "platform/rtl/ScopeExit.h"

#include <algorithm>
#include <mutex>
#include <set>
#include <string_view>
#include <unordered_map>

#include "platform/vcl/Buttons.h"
#include "platform/vcl/Dialogs.h"
#include "platform/vcl/ExtCtrls.h"
#include "platform/vcl/Forms.h"
#include "platform/vcl/Gauges.h"
#include "platform/vcl/Spin.h"
#include "platform/vcl/StdCtrls.h"

namespace zel {

namespace {

std::vector<const TFormResource*>& Resources() {
    static std::vector<const TFormResource*> list;
    return list;
}

std::map<std::string, TComponentClassInfo>& Classes() {
    static std::map<std::string, TComponentClassInfo> map;
    return map;
}

std::map<std::string, TFormFactory>& FormClasses() {
    static std::map<std::string, TFormFactory> map;
    return map;
}

std::string& RegisteringUnit() {
    static std::string unit;
    return unit;
}

}  // namespace

// ---------------------------------------------------------------------------------------- registries

std::string TFormBindings::Key(const std::string& Name) { return UpperCase(Name); }

void RegisterFormResource(const TFormResource* Resource) { Resources().push_back(Resource); }

std::vector<const TFormResource*> FormResources() { return Resources(); }

std::string FormResourceClass(const TFormResource& Resource) {
    // The first line "object Name: TClass" (or "inherited"/"inline").
    const std::string_view text = Resource.Text;
    const std::size_t eol = text.find('\n');
    const std::string_view first = text.substr(0, eol);
    const std::size_t colon = first.find(':');
    if (colon == std::string_view::npos) return std::string();
    return Trim(std::string(first.substr(colon + 1)));
}

const TFormResource* FindFormResourceByClass(const std::string& ClassName) {
    for (const TFormResource* r : Resources())
        if (SameText(FormResourceClass(*r), ClassName)) return r;
    return nullptr;
}

TComponentClassInfo& RegisterComponentClass(const std::string& Name, const std::string& Parent,
                                            std::function<TComponent*(TComponent* Owner)> Create) {
    TComponentClassInfo& info = Classes()[UpperCase(Name)];
    info.Name = Name;
    info.Parent = Parent;
    info.Create = std::move(Create);
    info.Unit = RegisteringUnit();
    return info;
}

void UnregisterComponentClass(const std::string& Name) { Classes().erase(UpperCase(Name)); }

void UnregisterUnitClasses(const std::string& UnitName) {
    std::erase_if(Classes(), [&](const auto& entry) { return entry.second.Unit == UnitName; });
}

TUnitRow FormClassesRow(const std::string& UnitName, std::function<void()> Register, std::function<void()> Startup,
                        std::function<void()> Shutdown) {
    // The classes are counted by unit, so that a test that starts the same rows inside a started list leaves
    // them in place.
    static std::map<std::string, int> registrations;
    auto registerClasses = [UnitName, Register] {
        int& count = registrations[UnitName];
        if (count++ > 0) return;
        RegisteringUnit() = UnitName;
        TScopeExit done([] { RegisteringUnit().clear(); });
        try {
            Register();
        } catch (...) {
            // A unit registers all its classes or none.
            UnregisterUnitClasses(UnitName);
            count = 0;
            throw;
        }
    };
    auto unregisterClasses = [UnitName] {
        int& count = registrations[UnitName];
        if (count > 0 && --count == 0) UnregisterUnitClasses(UnitName);
    };
    return TUnitRow{UnitName,
                    [registerClasses, unregisterClasses, Startup] {
                        registerClasses();
                        if (!Startup) return;
                        try {
                            Startup();
                        } catch (...) {
                            unregisterClasses();
                            throw;
                        }
                    },
                    [unregisterClasses, Shutdown] {
                        // The classes go even when the unit's shutdown fails.
                        TScopeExit done(unregisterClasses);
                        if (Shutdown) Shutdown();
                    }};
}

const TComponentClassInfo* FindComponentClass(const std::string& Name) {
    auto it = Classes().find(UpperCase(Name));
    return it == Classes().end() ? nullptr : &it->second;
}

const TPropertySetter* FindPropertySetter(const std::string& ClassName, const std::string& Property) {
    const std::string key = UpperCase(Property);
    for (const TComponentClassInfo* info = FindComponentClass(ClassName); info != nullptr;
         info = info->Parent.empty() ? nullptr : FindComponentClass(info->Parent)) {
        auto it = info->Properties.find(key);
        if (it != info->Properties.end()) return &it->second;
    }
    return nullptr;
}

namespace {

// The class and its ancestors, the most derived first.
std::vector<const TComponentClassInfo*> ClassChain(const std::string& ClassName) {
    std::vector<const TComponentClassInfo*> chain;
    for (const TComponentClassInfo* info = FindComponentClass(ClassName); info != nullptr;
         info = info->Parent.empty() ? nullptr : FindComponentClass(info->Parent))
        chain.push_back(info);
    return chain;
}

void ReadItemProperties(TPersistent& Item, const std::string& ItemClassName, const TFormValue::TCollectionItem& Stored,
                        TReadContext& Context) {
    for (const auto& [name, value] : Stored.Properties) {
        Context.Line = value.Line != 0 ? value.Line : Stored.Line;
        if (!ReadProperty(Item, ItemClassName, name, value, Context))
            Context.Error("Unknown property " + name + " of " + ItemClassName);
    }
}

TReader::TItemReader ItemReader(TReadContext& Context) {
    return [&Context](TPersistent& Item, const TFormValue::TCollectionItem& Stored) {
        ReadItemProperties(Item, Item.ClassName(), Stored, Context);
    };
}

TWriter::TItemWriter ItemWriter() {
    return [](TPersistent& Item, TFormProperties& Out) { WriteProperties(Item, Item.ClassName(), nullptr, Out); };
}

}  // namespace

bool ReadProperty(TPersistent& Instance, const std::string& ClassName, const std::string& Property,
                  const TFormValue& Value, TReadContext& Context) {
    if (const TPropertySetter* setter = FindPropertySetter(ClassName, Property)) {
        (*setter)(Instance, Value, Context);
        return true;
    }
    const std::size_t dot = Property.find('.');
    if (dot != std::string::npos) {
        const std::string head = Property.substr(0, dot);
        for (const TComponentClassInfo* info : ClassChain(ClassName))
            for (const TSubObject& sub : info->SubObjects)
                if (SameText(sub.Name, head)) {
                    TPersistent* object = sub.Get(Instance);
                    return object != nullptr &&
                           ReadProperty(*object, sub.ClassName, Property.substr(dot + 1), Value, Context);
                }
    }
    TReader reader(Property, Value, ItemReader(Context));
    Instance.DefineProperties(&reader);
    return reader.Handled();
}

void WriteProperties(TPersistent& Instance, const std::string& ClassName, TPersistent* Ancestor,
                     std::vector<std::pair<std::string, TFormValue>>& Out) {
    const std::vector<const TComponentClassInfo*> chain = ClassChain(ClassName);
    // A property that a descendant declares again is written once, by the descendant's rules, where the
    // ancestor first declared it.
    auto mostDerived = [&chain](const TPropertyWriter& ADeclared) -> const TPropertyWriter& {
        for (const TComponentClassInfo* info : chain)
            for (const TPropertyWriter& w : info->Writers)
                if (SameText(w.Name, ADeclared.Name)) return w;
        return ADeclared;
    };
    std::vector<std::string> written;
    // The ancestors' properties first, as they were declared.
    for (auto info = chain.rbegin(); info != chain.rend(); ++info)
        for (const TPropertyWriter& declared : (*info)->Writers) {
            if (std::any_of(written.begin(), written.end(),
                            [&](const std::string& name) { return SameText(name, declared.Name); }))
                continue;
            written.push_back(declared.Name);
            const TPropertyWriter& w = mostDerived(declared);
            if (w.Stored && !w.Stored(Instance)) continue;
            TFormValue value = w.Get(Instance);
            if (Ancestor != nullptr ? value == w.Get(*Ancestor) : w.Default.has_value() && value == *w.Default)
                continue;
            Out.emplace_back(w.Name, std::move(value));
        }
    for (auto info = chain.rbegin(); info != chain.rend(); ++info)
        for (const TSubObject& sub : (*info)->SubObjects) {
            TPersistent* object = sub.Get(Instance);
            if (object == nullptr) continue;
            std::vector<std::pair<std::string, TFormValue>> inner;
            WriteProperties(*object, sub.ClassName, Ancestor != nullptr ? sub.Get(*Ancestor) : nullptr, inner);
            for (auto& [name, value] : inner) Out.emplace_back(sub.Name + "." + name, std::move(value));
        }
    TWriter writer(ItemWriter());
    writer.Ancestor = Ancestor;
    Instance.DefineProperties(&writer);
    for (auto& p : writer.Properties) Out.push_back(std::move(p));
}

void ReadCollectionValue(TCollection& Collection, const std::string& ItemClassName, const TFormValue& Value,
                         TReadContext& Context) {
    if (Value.Kind != TFormValue::TKind::Collection) Context.Error("Collection expected");
    TReader reader("", Value, [&](TPersistent& Item, const TFormValue::TCollectionItem& Stored) {
        ReadItemProperties(Item, ItemClassName, Stored, Context);
    });
    reader.ReadCollection(Collection);
}

TFormValue CollectionValue(TCollection& Collection, const std::string& ItemClassName) {
    TFormValue v;
    v.Kind = TFormValue::TKind::Collection;
    for (int i = 0; i < Collection.Count(); ++i) {
        TFormValue::TCollectionItem stored;
        WriteProperties(*Collection.GetItem(i), ItemClassName, nullptr, stored.Properties);
        v.Collection.push_back(std::move(stored));
    }
    return v;
}

TFormValue IntValue(std::int64_t Value) {
    TFormValue v;
    v.Kind = TFormValue::TKind::Integer;
    v.Int = Value;
    return v;
}

TFormValue StrValue(const std::string& Value) {
    TFormValue v;
    v.Kind = TFormValue::TKind::String;
    v.Text = Value;
    return v;
}

TFormValue IdentValue(const std::string& Value) {
    TFormValue v;
    v.Kind = TFormValue::TKind::Ident;
    v.Text = Value;
    return v;
}

TFormValue BoolValue(bool Value) { return IdentValue(Value ? "True" : "False"); }

TFormValue SetValue(const std::vector<std::string>& Items) {
    TFormValue v;
    v.Kind = TFormValue::TKind::Set;
    v.Items = Items;
    return v;
}

void RegisterFormClass(const std::string& ClassName, TFormFactory Factory) {
    FormClasses()[ClassName] = std::move(Factory);
}

std::vector<std::string> RegisteredFormClasses() {
    std::vector<std::string> names;
    for (const auto& [name, factory] : FormClasses()) names.push_back(name);
    return names;
}

TCustomForm* CreateRegisteredForm(const std::string& ClassName, TComponent* Owner) {
    auto it = FormClasses().find(ClassName);
    return it == FormClasses().end() ? nullptr : it->second(Owner);
}

// ------------------------------------------------------------------------------------------ values

std::int64_t TReadContext::Int(const TFormValue& v) const {
    if (v.Kind != TFormValue::TKind::Integer) Error("Integer value expected");
    return v.Int;
}

bool TReadContext::Bool(const TFormValue& v) const {
    if (v.IsIdent("True")) return true;
    if (v.IsIdent("False")) return false;
    Error("True or False expected");
}

std::string TReadContext::Str(const TFormValue& v) const {
    if (v.Kind != TFormValue::TKind::String) Error("String value expected");
    return v.Text;
}

std::string TReadContext::Ident(const TFormValue& v) const {
    if (v.Kind != TFormValue::TKind::Ident) Error("Identifier expected");
    return v.Text;
}

namespace {

const std::vector<std::pair<std::string, TColor>>& ColorNames() {
    static const std::vector<std::pair<std::string, TColor>> names = {
        {"clBlack", clBlack},
        {"clMaroon", clMaroon},
        {"clGreen", clGreen},
        {"clOlive", clOlive},
        {"clNavy", clNavy},
        {"clPurple", clPurple},
        {"clTeal", clTeal},
        {"clGray", clGray},
        {"clSilver", clSilver},
        {"clRed", clRed},
        {"clLime", clLime},
        {"clYellow", clYellow},
        {"clBlue", clBlue},
        {"clFuchsia", clFuchsia},
        {"clAqua", clAqua},
        {"clLtGray", clLtGray},
        {"clDkGray", clDkGray},
        {"clWhite", clWhite},
        {"clMoneyGreen", clMoneyGreen},
        {"clSkyBlue", clSkyBlue},
        {"clCream", clCream},
        {"clMedGray", clMedGray},
        {"clNone", clNone},
        {"clDefault", clDefault},
        {"clScrollBar", clScrollBar},
        {"clBackground", clBackground},
        {"clActiveCaption", clActiveCaption},
        {"clInactiveCaption", clInactiveCaption},
        {"clMenu", clMenu},
        {"clWindow", clWindow},
        {"clWindowFrame", clWindowFrame},
        {"clMenuText", clMenuText},
        {"clWindowText", clWindowText},
        {"clCaptionText", clCaptionText},
        {"clActiveBorder", clActiveBorder},
        {"clInactiveBorder", clInactiveBorder},
        {"clAppWorkSpace", clAppWorkSpace},
        {"clHighlight", clHighlight},
        {"clHighlightText", clHighlightText},
        {"clBtnFace", clBtnFace},
        {"clBtnShadow", clBtnShadow},
        {"clGrayText", clGrayText},
        {"clBtnText", clBtnText},
        {"clInactiveCaptionText", clInactiveCaptionText},
        {"clBtnHighlight", clBtnHighlight},
        {"cl3DDkShadow", cl3DDkShadow},
        {"cl3DLight", cl3DLight},
        {"clInfoText", clInfoText},
        {"clInfoBk", clInfoBk},
        {"clHotLight", clHotLight},
        {"clGradientActiveCaption", clGradientActiveCaption},
        {"clGradientInactiveCaption", clGradientInactiveCaption},
        {"clMenuHighlight", clMenuHighlight},
        {"clMenuBar", clMenuBar},
    };
    return names;
}

const std::vector<std::pair<std::string, TAlign>> kAligns = {
    {"alNone", alNone},   {"alTop", alTop},       {"alBottom", alBottom}, {"alLeft", alLeft},
    {"alRight", alRight}, {"alClient", alClient}, {"alCustom", alCustom}};
}  // namespace

TColor ReadColor(const TFormValue& v, TReadContext& ctx) {
    if (v.Kind == TFormValue::TKind::Integer) return static_cast<TColor>(v.Int);
    std::string id = ctx.Ident(v);
    for (const auto& [name, color] : ColorNames())
        if (SameText(name, id)) return color;
    ctx.Error("Invalid color value " + id);
}

TFormValue NamedColorValue(TColor Color) {
    for (const auto& [name, color] : ColorNames())
        if (color == Color) return IdentValue(name);
    return IntValue(static_cast<std::int64_t>(Color));
}

void ReadStrings(TStrings& target, const TFormValue& v, TReadContext& ctx) {
    if (v.Kind != TFormValue::TKind::List) ctx.Error("List of strings expected");
    target.Clear();
    for (const TFormValue& item : v.List) target.Add(ctx.Str(item));
}

const std::vector<std::pair<std::string, TAlignment>>& AlignmentNames() {
    static const std::vector<std::pair<std::string, TAlignment>> names = {
        {"taLeftJustify", taLeftJustify}, {"taRightJustify", taRightJustify}, {"taCenter", taCenter}};
    return names;
}

const std::vector<std::pair<std::string, TBorderStyle>>& BorderStyleNames() {
    static const std::vector<std::pair<std::string, TBorderStyle>> names = {
        {"bsNone", bsNone},     {"bsSingle", bsSingle},         {"bsSizeable", bsSizeable},
        {"bsDialog", bsDialog}, {"bsToolWindow", bsToolWindow}, {"bsSizeToolWin", bsSizeToolWin}};
    return names;
}

namespace {
const std::vector<std::pair<std::string, TFontStyle>> kFontStyles = {
    {"fsBold", fsBold}, {"fsItalic", fsItalic}, {"fsUnderline", fsUnderline}, {"fsStrikeOut", fsStrikeOut}};
}  // namespace

void RegisterFormReaderClasses() {
    RegisterComponent<TComponent>("TComponent", "")
        .Int(
            "Tag", [](TComponent& c, int v) { c.Tag = v; }, [](TComponent& c) { return static_cast<int>(c.Tag); })
        .Default(0)
        // Where the designer showed a non-visual component: no meaning at run time.
        .Ignore("Left")
        .Ignore("Top");

    RegisterComponent<TControl>("TControl", "TComponent")
        .Int(
            "Left", [](TControl& c, int v) { c.SetLeft(v); }, [](TControl& c) { return c.GetLeft(); })
        .Int(
            "Top", [](TControl& c, int v) { c.SetTop(v); }, [](TControl& c) { return c.GetTop(); })
        .Int(
            "Width", [](TControl& c, int v) { c.SetWidth(v); }, [](TControl& c) { return c.GetWidth(); })
        .Int(
            "Height", [](TControl& c, int v) { c.SetHeight(v); }, [](TControl& c) { return c.GetHeight(); })
        .Bool(
            "Visible", [](TControl& c, bool v) { c.SetVisible(v); }, [](TControl& c) { return c.GetVisible(); })
        .Default(true)
        .Stored([](TControl& c) { return dynamic_cast<TCustomForm*>(&c) == nullptr; })
        .Bool(
            "Enabled", [](TControl& c, bool v) { c.SetEnabled(v); }, [](TControl& c) { return c.GetEnabled(); })
        .Default(true)
        .Str(
            "Caption", [](TControl& c, const std::string& v) { c.SetCaption(v); },
            [](TControl& c) { return c.Caption(); })
        .DefaultText("")
        .Str(
            "Hint", [](TControl& c, const std::string& v) { c.Hint = v; }, [](TControl& c) { return c.Hint; })
        .DefaultText("")
        .Bool("ShowHint", [](TControl& c, bool v) { c.ShowHint = v; })
        .Ignore("ParentShowHint")
        .Int("HelpContext", [](TControl& c, int v) { c.HelpContext = v; })
        .Custom("Color", [](TControl& c, const TFormValue& v, TReadContext& ctx) { c.SetColor(ReadColor(v, ctx)); })
        .Bool("ParentColor", [](TControl& c, bool v) { c.SetParentColor(v); })
        .Bool("ParentFont", [](TControl& c, bool v) { c.SetParentFont(v); })
        .Custom("Font.Charset",
                [](TControl& c, const TFormValue& v, TReadContext& ctx) {
                    if (v.Kind == TFormValue::TKind::Integer) c.Font()->SetCharset(static_cast<BYTE>(v.Int));
                    else if (v.IsIdent("DEFAULT_CHARSET")) c.Font()->SetCharset(DEFAULT_CHARSET);
                    else if (v.IsIdent("ANSI_CHARSET")) c.Font()->SetCharset(ANSI_CHARSET);
                    else if (v.IsIdent("SYMBOL_CHARSET")) c.Font()->SetCharset(SYMBOL_CHARSET);
                    else if (v.IsIdent("OEM_CHARSET")) c.Font()->SetCharset(OEM_CHARSET);
                    else ctx.Error("Invalid character set " + v.Text);
                })
        .Custom("Font.Color",
                [](TControl& c, const TFormValue& v, TReadContext& ctx) { c.Font()->SetColor(ReadColor(v, ctx)); })
        .Int("Font.Height", [](TControl& c, int v) { c.Font()->SetHeight(v); })
        .Int("Font.Size", [](TControl& c, int v) { c.Font()->SetSize(v); })
        .Str("Font.Name", [](TControl& c, const std::string& v) { c.Font()->SetName(v); })
        .Custom("Font.Style", [](TControl& c, const TFormValue& v,
                                 TReadContext& ctx) { c.Font()->SetStyle(ReadSet(v, ctx, kFontStyles)); })
        .Enum<TAlign>("Align", kAligns, [](TControl& c, TAlign v) { c.SetAlign(v); })
        .Custom("Cursor",
                [](TControl& c, const TFormValue& v, TReadContext& ctx) { c.SetCursor(static_cast<int>(ctx.Int(v))); })
        .Event("OnClick", &TControl::OnClick)
        .Event("OnDblClick", &TControl::OnDblClick)
        .Event("OnMouseDown", &TControl::OnMouseDown)
        .Event("OnMouseUp", &TControl::OnMouseUp)
        .Event("OnMouseMove", &TControl::OnMouseMove)
        .Event("OnResize", &TControl::OnResize)
        .Custom("Anchors",
                [](TControl& c, const TFormValue& v, TReadContext& ctx) {
                    c.Anchors = ReadSet<TAnchorKind>(
                        v, ctx, {{"akLeft", akLeft}, {"akTop", akTop}, {"akRight", akRight}, {"akBottom", akBottom}});
                })
        .Custom("DragCursor", [](TControl& c, const TFormValue& v,
                                 TReadContext& ctx) { c.DragCursor = static_cast<int>(ctx.Int(v)); })
        .Enum<TDragKind>("DragKind", {{"dkDrag", dkDrag}, {"dkDock", dkDock}},
                         [](TControl& c, TDragKind v) { c.DragKind = v; })
        .Enum<TDragMode>("DragMode", {{"dmManual", dmManual}, {"dmAutomatic", dmAutomatic}},
                         [](TControl& c, TDragMode v) { c.DragMode = v; })
        // Size limits and the pop-up menu have no effect on this layer's controls yet.
        .Ignore("Constraints.MaxHeight")
        .Ignore("Constraints.MaxWidth")
        .Ignore("Constraints.MinHeight")
        .Ignore("Constraints.MinWidth")
        .Ignore("PopupMenu")
        .Event("OnContextPopup", &TControl::OnContextPopup)
        .Event("OnDragDrop", &TControl::OnDragDrop)
        .Event("OnDragOver", &TControl::OnDragOver)
        .Event("OnEndDock", &TControl::OnEndDock)
        .Event("OnEndDrag", &TControl::OnEndDrag)
        .Event("OnStartDock", &TControl::OnStartDock)
        .Event("OnStartDrag", &TControl::OnStartDrag);

    RegisterComponent<TWinControl>("TWinControl", "TControl")
        .Int(
            "TabOrder", [](TWinControl& c, int v) { c.TabOrder = v; }, [](TWinControl& c) { return c.TabOrder; })
        .Default(-1)
        .Bool("TabStop", [](TWinControl& c, bool v) { c.TabStop = v; })
        .Bool("Ctl3D", [](TWinControl& c, bool v) { c.SetCtl3D(v); })
        .Bool("ParentCtl3D", [](TWinControl& c, bool v) { c.SetParentCtl3D(v); })
        .Bool("DoubleBuffered", [](TWinControl& c, bool v) { c.DoubleBuffered = v; })
        .Event("OnEnter", &TWinControl::OnEnter)
        .Event("OnExit", &TWinControl::OnExit)
        .Event("OnKeyDown", &TWinControl::OnKeyDown)
        .Event("OnKeyUp", &TWinControl::OnKeyUp)
        .Event("OnKeyPress", &TWinControl::OnKeyPress);

    RegisterComponent<TCustomForm>("TForm", "TWinControl")
        .Int("ClientWidth", [](TCustomForm& c, int v) { c.SetClientWidth(v); })
        .Int("ClientHeight", [](TCustomForm& c, int v) { c.SetClientHeight(v); })
        .Enum<TBorderStyle>("BorderStyle", BorderStyleNames(),
                            [](TCustomForm& c, TBorderStyle v) { c.SetBorderStyle(v); })
        .Custom("BorderIcons",
                [](TCustomForm& c, const TFormValue& v, TReadContext& ctx) {
                    c.SetBorderIcons(ReadSet<TBorderIcon>(v, ctx,
                                                          {{"biSystemMenu", biSystemMenu},
                                                           {"biMinimize", biMinimize},
                                                           {"biMaximize", biMaximize},
                                                           {"biHelp", biHelp}}));
                })
        .Enum<TFormStyle>("FormStyle",
                          {{"fsNormal", fsNormal},
                           {"fsMDIChild", fsMDIChild},
                           {"fsMDIForm", fsMDIForm},
                           {"fsStayOnTop", fsStayOnTop}},
                          [](TCustomForm& c, TFormStyle v) { c.SetFormStyle(v); })
        .Enum<TPosition>("Position",
                         {{"poDesigned", poDesigned},
                          {"poDefault", poDefault},
                          {"poDefaultPosOnly", poDefaultPosOnly},
                          {"poDefaultSizeOnly", poDefaultSizeOnly},
                          {"poScreenCenter", poScreenCenter},
                          {"poDesktopCenter", poDesktopCenter},
                          {"poMainFormCenter", poMainFormCenter},
                          {"poOwnerFormCenter", poOwnerFormCenter}},
                         [](TCustomForm& c, TPosition v) { c.Position = v; })
        .Enum<TWindowState>("WindowState",
                            {{"wsNormal", wsNormal}, {"wsMinimized", wsMinimized}, {"wsMaximized", wsMaximized}},
                            [](TCustomForm& c, TWindowState v) { c.SetWindowState(v); })
        .Bool("KeyPreview", [](TCustomForm& c, bool v) { c.KeyPreview = v; })
        .Ignore("OldCreateOrder")
        .Ignore("PixelsPerInch")
        .Ignore("TextHeight")
        .Ignore("Scaled")
        .Event("OnCreate", &TCustomForm::OnCreate)
        .Event("OnDestroy", &TCustomForm::OnDestroy)
        .Event("OnShow", &TCustomForm::OnShow)
        .Event("OnHide", &TCustomForm::OnHide)
        .Event("OnActivate", &TCustomForm::OnActivate)
        .Event("OnDeactivate", &TCustomForm::OnDeactivate)
        .Event("OnPaint", &TCustomForm::OnPaint)
        .Event("OnClose", &TCustomForm::OnClose)
        .Event("OnCloseQuery", &TCustomForm::OnCloseQuery);
}

// ----------------------------------------------------------------------------------------- reading

namespace {

// The object tree of a resource's text, parsed once: every window made from the same text reads the same tree.
// The text is the key, as a resource record may later be made anew where another one was.
const TFormObject& ParsedFormText(const TFormResource& resource, const std::string& formName) {
    static std::unordered_map<std::string, std::unique_ptr<TFormObject>> parsed;
    std::string text = resource.Text;
    auto it = parsed.find(text);
    if (it == parsed.end()) {
        std::unique_ptr<TFormObject> root = ParseFormText(text, formName);
        it = parsed.emplace(std::move(text), std::move(root)).first;
    }
    return *it->second;
}

class TFormReading {
public:
    TFormReading(TCustomForm& form, const TFormResource& resource) : form_(form), resource_(resource) {}

    void Run() {
        const std::string formName = resource_.Unit;
        const TFormObject* root = &ParsedFormText(resource_, formName);
        form_.DefineBindings(bindings_);
        TReadContext ctx(formName, &form_, &bindings_);
        ctx.Line = root->Line;
        if (!SameText(root->ClassName, form_.ClassName()))
            ctx.Error("The resource describes a " + root->ClassName + ", not a " + form_.ClassName());
        form_.Loading();
        loaded_.push_back(&form_);
        try {
            SetName(form_, UniqueFormName(root->Name), ctx);
            ApplyProperties(form_, "TForm", *root, ctx);
            for (const auto& child : root->Children) ReadObject(*child, &form_, ctx);
            form_.ReadState();
            for (auto& fix : ctx.Fixups) fix();
            for (const auto& [key, field] : bindings_.Fields())
                if (bound_.count(key) == 0) {
                    ctx.Line = root->Line;
                    ctx.Error("Field " + field.Name + " has no component in the form");
                }
        } catch (...) {
            // Components made so far stay owned by the form, which its maker frees; they only leave
            // the loading state.
            for (TComponent* c : loaded_) c->TComponent::Loaded();
            throw;
        }
        // The children first, the form last: its handle is made once everything is in place.
        for (std::size_t i = loaded_.size(); i-- > 1;) loaded_[i]->Loaded();
        static_cast<TComponent&>(form_).Loaded();
    }

private:
    // A second window of the same form beside the first under one owner takes the resource's name with
    // "_1", "_2"... added, the first free one.
    // One pass over the owner's components marks which of the numbers are taken, so that the thousandth
    // window of a form does not try a thousand names against a thousand components.
    std::string UniqueFormName(const std::string& name) const {
        const TComponent* owner = form_.GetOwner();
        if (name.empty() || owner == nullptr) return name;
        const int count = owner->ComponentCount();
        // Of count components at most count numbers are taken: the first free one is at most count + 1.
        std::vector<bool> taken(static_cast<std::size_t>(count) + 2, false);
        bool nameTaken = false;
        for (int k = 0; k < count; ++k) {
            const TComponent* other = owner->Components(k);
            if (other == &form_) continue;
            const std::string_view n = other->GetName();
            if (n.size() < name.size() || !SameText(n.substr(0, name.size()), name)) continue;
            if (n.size() == name.size()) {
                nameTaken = true;
                continue;
            }
            // name + "_" + a number as std::to_string writes it: digits, no leading zero.
            const std::string_view digits = n.substr(name.size() + 1);
            if (n[name.size()] != '_' || digits.empty() || digits.size() > 9 || digits.front() == '0' ||
                !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
                continue;
            const std::size_t number = std::stoul(std::string(digits));
            if (number < taken.size()) taken[number] = true;
        }
        if (!nameTaken) return name;
        std::size_t i = 1;
        while (taken[i]) ++i;
        return name + "_" + std::to_string(i);
    }

    void SetName(TComponent& c, const std::string& name, TReadContext& ctx) {
        try {
            c.SetName(name);
        } catch (const Exception& e) {
            ctx.Error(e.Message);
        }
    }

    void ApplyProperties(TComponent& c, const std::string& className, const TFormObject& obj, TReadContext& ctx) {
        for (const TFormProperty& p : obj.Properties) {
            ctx.Line = p.Line;
            try {
                if (!ReadProperty(c, className, p.Name, p.Value, ctx))
                    ctx.Error("Unknown property " + p.Name + " of " + className);
            } catch (const EFormReadError&) {
                throw;
            } catch (const Exception& e) {
                ctx.Error(p.Name + ": " + e.Message);
            }
        }
    }

    void ReadObject(const TFormObject& obj, TComponent* parent, TReadContext& ctx) {
        ctx.Line = obj.Line;
        const TComponentClassInfo* info = FindComponentClass(obj.ClassName);
        if (info == nullptr || !info->Create) ctx.Error("Unknown class " + obj.ClassName);
        TComponent* c = info->Create(&form_);
        if (c == nullptr) ctx.Error("Class " + obj.ClassName + " cannot be created");
        c->Loading();
        loaded_.push_back(c);
        SetName(*c, obj.Name, ctx);
        if (auto* control = dynamic_cast<TControl*>(c)) {
            auto* parentControl = dynamic_cast<TWinControl*>(parent);
            if (parentControl == nullptr) ctx.Error(obj.Name + " has no parent control");
            control->SetParent(parentControl);
        }
        auto field = bindings_.Fields().find(TFormBindings::Key(obj.Name));
        if (field != bindings_.Fields().end()) {
            if (!field->second.Bind(c)) ctx.Error("Field " + obj.Name + " cannot hold a " + obj.ClassName);
            bound_.insert(field->first);
        }
        // A non-visual object nested in another object's block belongs to that object (a bar item or group
        // to its manager).
        if (dynamic_cast<TControl*>(c) == nullptr && parent != &form_) c->SetParentComponent(parent);
        ApplyProperties(*c, info->Name, obj, ctx);
        for (const auto& child : obj.Children) ReadObject(*child, c, ctx);
        c->ReadState();
    }

    TCustomForm& form_;
    const TFormResource& resource_;
    TFormBindings bindings_;
    std::vector<TComponent*> loaded_;
    std::set<std::string> bound_;
};

}  // namespace

void ReadFormResource(TCustomForm& Form, const TFormResource& Resource) { TFormReading(Form, Resource).Run(); }

TColor TReadContext::Color(const TFormValue& v) { return ReadColor(v, *this); }

}  // namespace zel
