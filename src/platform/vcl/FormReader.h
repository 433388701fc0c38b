#pragma once
// Forms as data: the reader that builds a form's component tree from its form resource.
//
// A form resource is text in the object/property syntax (platform/rtl/FormText.h), compiled into the
// program. Reading it creates each child object by its registered class name (owned by the form, placed
// on its parent control), applies each property through the class's property table, binds each
// event-handler name to the form's own handlers and each component to the form's field of that name
// (DefineBindings), and calls Loaded on every component once all are read. An unknown class, property
// or handler, a value of the wrong kind, or a field the resource lacks is an EFormReadError naming the
// form and the line.
#include <any>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/rtl/Classes.h"
#include "platform/rtl/Collections.h"
#include "platform/rtl/FormText.h"
#include "platform/rtl/StringList.h"
#include "platform/rtl/Units.h"
#include "platform/vcl/Controls.h"
#include "platform/win/Graphics.h"

namespace zel {

class TCustomForm;

class EFormReadError : public Exception {
public:
    EFormReadError(const std::string& form, int line, const std::string& what)
        : Exception("Error reading form " + form + ", line " + std::to_string(line) + ": " + what), Line(line) {}
    std::string ClassName() const override { return "EFormReadError"; }
    int Line = 0;
};

// One compiled form resource: the unit it belongs to and its text.
struct TFormResource {
    const char* Unit = "";
    const char* Text = "";
};

// Registers a resource (the generated source of each form file does this at start-up).
void RegisterFormResource(const TFormResource* Resource);
struct TFormResourceRegistration {
    explicit TFormResourceRegistration(const TFormResource* Resource) { RegisterFormResource(Resource); }
};
// Every registered resource, and the one whose top object is of the class (nullptr when none).
std::vector<const TFormResource*> FormResources();
const TFormResource* FindFormResourceByClass(const std::string& ClassName);
// The class name of a resource's top object ("TFormInOut"); empty when the text has none.
std::string FormResourceClass(const TFormResource& Resource);

// The names a form class gives its resource: component fields and event handlers.
class TFormBindings {
public:
    // The component of that name is stored in Ref (it must be a T).
    template <class T>
    void Field(const std::string& Name, T*& Ref) {
        fields_[Key(Name)] = TField{Name, [&Ref](TComponent* c) {
                                        auto* t = dynamic_cast<T*>(c);
                                        if (t != nullptr) Ref = t;
                                        return t != nullptr;
                                    }};
    }
    // An event handler of one of the event types (TNotifyEvent, TCloseEvent, TMouseEvent...).
    template <class E>
    void Handler(const std::string& Name, E Fn) {
        handlers_[Key(Name)] = std::any(std::move(Fn));
    }

    struct TField {
        std::string Name;
        std::function<bool(TComponent*)> Bind;
    };
    const std::map<std::string, TField>& Fields() const { return fields_; }
    const std::any* FindHandler(const std::string& Name) const {
        auto it = handlers_.find(Key(Name));
        return it == handlers_.end() ? nullptr : &it->second;
    }
    static std::string Key(const std::string& Name);

private:
    std::map<std::string, TField> fields_;
    std::map<std::string, std::any> handlers_;
};

// What a property setter knows of the reading.
class TReadContext {
public:
    TReadContext(std::string formName, TCustomForm* root, const TFormBindings* bindings)
        : FormName(std::move(formName)), Root(root), Bindings(bindings) {}
    std::string FormName;
    TCustomForm* Root = nullptr;
    const TFormBindings* Bindings = nullptr;
    int Line = 0;

    [[noreturn]] void Error(const std::string& what) const { throw EFormReadError(FormName, Line, what); }
    // The handler of that name, of event type E.
    template <class E>
    E Handler(const TFormValue& Value, const std::string& Property) const {
        if (Value.Kind != TFormValue::TKind::Ident) Error("Event handler name expected for " + Property);
        if (Bindings == nullptr) Error("Unknown event handler " + Value.Text);
        const std::any* h = Bindings->FindHandler(Value.Text);
        if (h == nullptr) Error("Unknown event handler " + Value.Text);
        const E* fn = std::any_cast<E>(h);
        if (fn == nullptr) Error("Event handler " + Value.Text + " does not fit " + Property);
        return *fn;
    }
    // Runs after every object is read (references between components by name).
    std::vector<std::function<void()>> Fixups;

    std::int64_t Int(const TFormValue& v) const;
    bool Bool(const TFormValue& v) const;
    std::string Str(const TFormValue& v) const;
    std::string Ident(const TFormValue& v) const;
    // A colour: a number or a colour name (clBtnFace...).
    TColor Color(const TFormValue& v);
};

using TPropertySetter = std::function<void(TPersistent& Instance, const TFormValue& Value, TReadContext& Context)>;
// The stored form of a property's current value.
using TPropertyGetter = std::function<TFormValue(TPersistent& Instance)>;

// How the component writer writes one property: its value, the default that is not written, and whether
// the instance stores it at all. Against an ancestor, a value equal to the ancestor's is not written.
struct TPropertyWriter {
    std::string Name;
    TPropertyGetter Get;
    std::optional<TFormValue> Default;
    std::function<bool(TPersistent& Instance)> Stored;  // empty: always stored
};

// A persistent object held by an instance and stored with it ("Name.Property = ..."): its own class's
// table applies to it, and its DefineProperties too.
struct TSubObject {
    std::string Name;
    std::string ClassName;
    std::function<TPersistent*(TPersistent& Instance)> Get;
};

// A registered class: how to make one (components only) and its property table (the parent class's table
// applies too).
struct TComponentClassInfo {
    std::string Name;
    std::string Parent;
    std::function<TComponent*(TComponent* Owner)> Create;  // empty for classes never made by the reader
    std::map<std::string, TPropertySetter> Properties;     // by upper-case name
    std::vector<TPropertyWriter> Writers;                  // in the order they are written
    std::vector<TSubObject> SubObjects;
    std::string Unit;  // the unit whose start-up registered it
};

TComponentClassInfo& RegisterComponentClass(const std::string& Name, const std::string& Parent,
                                            std::function<TComponent*(TComponent* Owner)> Create);
// Takes a class out of the registry (a unit's shutdown); nothing when it is not registered.
void UnregisterComponentClass(const std::string& Name);
const TComponentClassInfo* FindComponentClass(const std::string& Name);
// The setter of a property of a class or of one of its ancestors.
const TPropertySetter* FindPropertySetter(const std::string& ClassName, const std::string& Property);

// Sets one stored property of an instance of a registered class: through its class's table, a sub-object
// ("LookAndFeel.Kind"), or its DefineProperties. False when nothing knows the property.
bool ReadProperty(TPersistent& Instance, const std::string& ClassName, const std::string& Property,
                  const TFormValue& Value, TReadContext& Context);
// The stored properties of an instance (the table's, sub-objects' and defined ones), in order.
void WriteProperties(TPersistent& Instance, const std::string& ClassName, TPersistent* Ancestor,
                     std::vector<std::pair<std::string, TFormValue>>& Out);

// Stored values for getters and defaults.
TFormValue IntValue(std::int64_t Value);
TFormValue StrValue(const std::string& Value);
TFormValue IdentValue(const std::string& Value);
TFormValue BoolValue(bool Value);
TFormValue SetValue(const std::vector<std::string>& Items);

// Typed helpers that fill a class's property table. A property with a getter is also written.
template <class C>
class TPropertyTable {
public:
    explicit TPropertyTable(TComponentClassInfo& info) : info_(info) {}
    TPropertyTable& Custom(const std::string& Name, std::function<void(C&, const TFormValue&, TReadContext&)> Fn) {
        info_.Properties[TFormBindings::Key(Name)] = [Fn = std::move(Fn)](TPersistent& c, const TFormValue& v,
                                                                          TReadContext& ctx) {
            Fn(static_cast<C&>(c), v, ctx);
        };
        return *this;
    }
    TPropertyTable& Custom(const std::string& Name, std::function<void(C&, const TFormValue&, TReadContext&)> Fn,
                           std::function<TFormValue(C&)> Get) {
        Custom(Name, std::move(Fn));
        info_.Writers.push_back(
            TPropertyWriter{Name, [Get = std::move(Get)](TPersistent& c) { return Get(static_cast<C&>(c)); }, {}, {}});
        return *this;
    }
    TPropertyTable& Int(const std::string& Name, std::function<void(C&, int)> Fn) {
        return Custom(Name, IntSetter(std::move(Fn)));
    }
    TPropertyTable& Int(const std::string& Name, std::function<void(C&, int)> Fn, std::function<int(C&)> Get) {
        return Custom(Name, IntSetter(std::move(Fn)), [Get = std::move(Get)](C& c) { return IntValue(Get(c)); });
    }
    TPropertyTable& Bool(const std::string& Name, std::function<void(C&, bool)> Fn) {
        return Custom(Name, BoolSetter(std::move(Fn)));
    }
    TPropertyTable& Bool(const std::string& Name, std::function<void(C&, bool)> Fn, std::function<bool(C&)> Get) {
        return Custom(Name, BoolSetter(std::move(Fn)), [Get = std::move(Get)](C& c) { return BoolValue(Get(c)); });
    }
    TPropertyTable& Str(const std::string& Name, std::function<void(C&, const std::string&)> Fn) {
        return Custom(Name, StrSetter(std::move(Fn)));
    }
    TPropertyTable& Str(const std::string& Name, std::function<void(C&, const std::string&)> Fn,
                        std::function<std::string(C&)> Get) {
        return Custom(Name, StrSetter(std::move(Fn)), [Get = std::move(Get)](C& c) { return StrValue(Get(c)); });
    }
    // An enumeration written as its identifiers.
    template <class E>
    TPropertyTable& Enum(const std::string& Name, std::vector<std::pair<std::string, E>> Values,
                         std::function<void(C&, E)> Fn) {
        return Custom(Name, EnumSetter(Name, std::move(Values), std::move(Fn)));
    }
    template <class E>
    TPropertyTable& Enum(const std::string& Name, std::vector<std::pair<std::string, E>> Values,
                         std::function<void(C&, E)> Fn, std::function<E(C&)> Get) {
        auto names = Values;
        return Custom(Name, EnumSetter(Name, std::move(Values), std::move(Fn)),
                      [names = std::move(names), Get = std::move(Get)](C& c) {
                          const E e = Get(c);
                          for (const auto& [n, v] : names)
                              if (v == e) return IdentValue(n);
                          return IntValue(static_cast<std::int64_t>(e));
                      });
    }
    // An event: the named handler of the form, of the member's type.
    template <class E, class B>
    TPropertyTable& Event(const std::string& Name, E B::*Member) {
        static_assert(std::is_base_of_v<B, C>, "the event belongs to the class or an ancestor");
        return Custom(Name, [Member, Name](C& c, const TFormValue& v, TReadContext& ctx) {
            c.*Member = ctx.Handler<E>(v, Name);
        });
    }
    // A collection property; its items' class is registered under ItemClassName.
    TPropertyTable& Collection(const std::string& Name, const std::string& ItemClassName,
                               std::function<TCollection&(C&)> Get);
    // A persistent held by the instance, stored with the name as prefix of its own properties.
    TPropertyTable& SubObject(const std::string& Name, const std::string& ClassName,
                              std::function<TPersistent*(C&)> Get) {
        info_.SubObjects.push_back(
            TSubObject{Name, ClassName, [Get = std::move(Get)](TPersistent& c) { return Get(static_cast<C&>(c)); }});
        return *this;
    }
    // Accepted and not used (design-time information).
    TPropertyTable& Ignore(const std::string& Name) {
        return Custom(Name, [](C&, const TFormValue&, TReadContext&) {});
    }

    // For the property added last: the value that is not written, and the test whether it is stored.
    TPropertyTable& Default(const TFormValue& Value) {
        LastWriter().Default = Value;
        return *this;
    }
    TPropertyTable& Default(int Value) { return Default(IntValue(Value)); }
    TPropertyTable& Default(bool Value) { return Default(BoolValue(Value)); }
    TPropertyTable& DefaultText(const std::string& Value) { return Default(StrValue(Value)); }
    TPropertyTable& DefaultIdent(const std::string& Value) { return Default(IdentValue(Value)); }
    TPropertyTable& Stored(std::function<bool(C&)> Fn) {
        LastWriter().Stored = [Fn = std::move(Fn)](TPersistent& c) { return Fn(static_cast<C&>(c)); };
        return *this;
    }

private:
    TPropertyWriter& LastWriter() {
        if (info_.Writers.empty()) throw EInvalidOperation("No written property to qualify");
        return info_.Writers.back();
    }
    static std::function<void(C&, const TFormValue&, TReadContext&)> IntSetter(std::function<void(C&, int)> Fn) {
        return
            [Fn = std::move(Fn)](C& c, const TFormValue& v, TReadContext& ctx) { Fn(c, static_cast<int>(ctx.Int(v))); };
    }
    static std::function<void(C&, const TFormValue&, TReadContext&)> BoolSetter(std::function<void(C&, bool)> Fn) {
        return [Fn = std::move(Fn)](C& c, const TFormValue& v, TReadContext& ctx) { Fn(c, ctx.Bool(v)); };
    }
    static std::function<void(C&, const TFormValue&, TReadContext&)> StrSetter(
        std::function<void(C&, const std::string&)> Fn) {
        return [Fn = std::move(Fn)](C& c, const TFormValue& v, TReadContext& ctx) { Fn(c, ctx.Str(v)); };
    }
    template <class E>
    static std::function<void(C&, const TFormValue&, TReadContext&)> EnumSetter(
        const std::string& Name, std::vector<std::pair<std::string, E>> Values, std::function<void(C&, E)> Fn) {
        return [Values = std::move(Values), Fn = std::move(Fn), Name](C& c, const TFormValue& v, TReadContext& ctx) {
            std::string id = ctx.Ident(v);
            for (const auto& [n, e] : Values)
                if (SameText(n, id)) {
                    Fn(c, e);
                    return;
                }
            ctx.Error("Invalid property value " + id + " for " + Name);
        };
    }

    TComponentClassInfo& info_;
};

// Reads a collection's stored items through their class's property table.
void ReadCollectionValue(TCollection& Collection, const std::string& ItemClassName, const TFormValue& Value,
                         TReadContext& Context);
// The stored form of a collection's items.
TFormValue CollectionValue(TCollection& Collection, const std::string& ItemClassName);

template <class C>
TPropertyTable<C>& TPropertyTable<C>::Collection(const std::string& Name, const std::string& ItemClassName,
                                                 std::function<TCollection&(C&)> Get) {
    Custom(
        Name,
        [Get, ItemClassName](C& c, const TFormValue& v, TReadContext& ctx) {
            ReadCollectionValue(Get(c), ItemClassName, v, ctx);
        },
        [Get, ItemClassName](C& c) { return CollectionValue(Get(c), ItemClassName); });
    TFormValue empty;
    empty.Kind = TFormValue::TKind::Collection;
    return Default(empty);
}

template <class C>
TPropertyTable<C> RegisterComponent(const std::string& Name, const std::string& Parent) {
    TComponentClassInfo& info = RegisterComponentClass(Name, Parent, [](TComponent* Owner) -> TComponent* {
        if constexpr (std::is_abstract_v<C> || !std::is_constructible_v<C, TComponent*>) {
            (void)Owner;
            return nullptr;
        } else {
            return Construct<C>(Owner);
        }
    });
    return TPropertyTable<C>(info);
}

// A persistent class that is stored inside components (collection items, sub-objects), never made by
// the reader itself.
template <class C>
TPropertyTable<C> RegisterPersistent(const std::string& Name, const std::string& Parent) {
    return TPropertyTable<C>(RegisterComponentClass(Name, Parent, {}));
}

// ---- class registration by unit

// The row of a unit that registers its form classes: the start-up runs Register, then the unit's own
// Startup; the shutdown runs the unit's Shutdown, then takes every class that Register added out of the
// registry again.
TUnitRow FormClassesRow(const std::string& UnitName, std::function<void()> Register, std::function<void()> Startup = {},
                        std::function<void()> Shutdown = {});
// Takes out the classes that the unit of that name registered.
void UnregisterUnitClasses(const std::string& UnitName);
// The unit's own classes: TComponent, TControl, TWinControl and TForm.
void RegisterFormReaderClasses();

// ---- reading helpers for the property tables

TColor ReadColor(const TFormValue& v, TReadContext& ctx);
// A colour as stored: its name when it has one ("clBtnFace"), else its number.
TFormValue NamedColorValue(TColor Color);
void ReadStrings(TStrings& target, const TFormValue& v, TReadContext& ctx);
template <class E>
TSet<E> ReadSet(const TFormValue& v, TReadContext& ctx, const std::vector<std::pair<std::string, E>>& names) {
    if (v.Kind != TFormValue::TKind::Set) ctx.Error("Set value expected");
    TSet<E> s;
    for (const std::string& item : v.Items) {
        bool found = false;
        for (const auto& [n, e] : names)
            if (SameText(n, item)) {
                s.Include(e);
                found = true;
            }
        if (!found) ctx.Error("Invalid set element " + item);
    }
    return s;
}
const std::vector<std::pair<std::string, TAlignment>>& AlignmentNames();
const std::vector<std::pair<std::string, TBorderStyle>>& BorderStyleNames();

// Reads a form's resource into it (the form calls this while it is made).
void ReadFormResource(TCustomForm& Form, const TFormResource& Resource);

// The form classes of the program, by class name, so that a test can make every one of them.
using TFormFactory = std::function<TCustomForm*(TComponent* Owner)>;
void RegisterFormClass(const std::string& ClassName, TFormFactory Factory);
struct TFormClassRegistration {
    TFormClassRegistration(const std::string& ClassName, TFormFactory Factory) {
        RegisterFormClass(ClassName, std::move(Factory));
    }
};
std::vector<std::string> RegisteredFormClasses();
// Makes a form of a registered class; nullptr for an unknown class.
TCustomForm* CreateRegisteredForm(const std::string& ClassName, TComponent* Owner);

}  // namespace zel
