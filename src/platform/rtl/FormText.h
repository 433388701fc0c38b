#pragma once
// The text form of a window's component tree: "object Name: TClass", its properties, its child
// objects, "end". The windowing classes read it at creation through their per-class property
// tables; the bar framework stores its layout in the same syntax.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/rtl/SysUtils.h"

namespace zel {

// A form text that cannot be read; the message names the form and the line.
class EFormTextError : public Exception {
public:
    EFormTextError(std::string message, int line) : Exception(std::move(message)), Line(line) {}
    std::string ClassName() const override { return "EFormTextError"; }
    int Line = 0;
};

struct TFormObject;

// One property value.
struct TFormValue {
    enum class TKind { Integer, Float, String, Ident, Set, List, Collection, Binary };
    TKind Kind = TKind::Integer;
    std::int64_t Int = 0;
    double Float = 0;
    std::string Text;                // String: the bytes; Ident: the identifier; Binary: the bytes
    std::vector<std::string> Items;  // Set: the identifiers
    std::vector<TFormValue> List;    // List: the values
    // Collection: each item's properties, in order (the item's optional index is Int of the item entry).
    struct TCollectionItem {
        std::vector<std::pair<std::string, TFormValue>> Properties;
        int Line = 0;
    };
    std::vector<TCollectionItem> Collection;
    int Line = 0;

    // Declared here and defined with the reader: a value holds collection items that hold values, and
    // members made implicitly would be made while the value is still incomplete, which some compilers refuse.
    TFormValue();
    TFormValue(const TFormValue&);
    TFormValue(TFormValue&&) noexcept;
    TFormValue& operator=(const TFormValue&);
    TFormValue& operator=(TFormValue&&) noexcept;
    ~TFormValue();

    bool IsIdent(std::string_view s) const { return Kind == TKind::Ident && SameText(Text, s); }
};

// Equal stored values: the same kind and contents (identifiers and set items ignoring case); lines do not
// count.
bool operator==(const TFormValue& a, const TFormValue& b);

struct TFormProperty {
    std::string Name;  // may be dotted: "Font.Height"
    TFormValue Value;
    int Line = 0;
};

struct TFormObject {
    std::string Name;
    std::string ClassName;
    bool Inherited = false;  // "inherited" in place of "object"
    bool Inline = false;     // "inline"
    std::vector<TFormProperty> Properties;
    std::vector<std::unique_ptr<TFormObject>> Children;
    int Line = 0;

    const TFormProperty* Find(std::string_view name) const;
};

// Reads one top-level object. formName names the text in error messages.
std::unique_ptr<TFormObject> ParseFormText(std::string_view text, std::string_view formName);

// Writes an object tree back in the same syntax, two blanks of indent per level.
std::string WriteFormText(const TFormObject& root);

}  // namespace zel
