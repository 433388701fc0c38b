#include "platform/rtl/FormText.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>

namespace zel {

TFormValue::TFormValue() = default;
TFormValue::TFormValue(const TFormValue&) = default;
TFormValue::TFormValue(TFormValue&&) noexcept = default;
TFormValue& TFormValue::operator=(const TFormValue&) = default;
TFormValue& TFormValue::operator=(TFormValue&&) noexcept = default;
TFormValue::~TFormValue() = default;

const TFormProperty* TFormObject::Find(std::string_view name) const {
    for (const auto& p : Properties)
        if (SameText(p.Name, name)) return &p;
    return nullptr;
}

namespace {

bool IsIdentStart(char c) { return std::isalpha(static_cast<unsigned char>(c)) || c == '_'; }
bool IsIdentChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

class TParser {
public:
    TParser(std::string_view text, std::string_view formName) : s_(text), form_(formName) {}

    std::unique_ptr<TFormObject> ParseRoot() {
        SkipBlanks();
        auto obj = ParseObject();
        SkipBlanks();
        if (pos_ < s_.size()) Fail("text after the end of the form");
        return obj;
    }

private:
    std::string_view s_;
    std::string form_;
    size_t pos_ = 0;
    int line_ = 1;

    [[noreturn]] void Fail(const std::string& what) const {
        throw EFormTextError("Error reading form " + form_ + ", line " + std::to_string(line_) + ": " + what, line_);
    }

    void SkipBlanks() {
        while (pos_ < s_.size()) {
            const char c = s_[pos_];
            if (c == '\n') {
                ++line_;
                ++pos_;
            } else if (static_cast<unsigned char>(c) <= ' ') ++pos_;
            else if (c == '/' && pos_ + 1 < s_.size() && s_[pos_ + 1] == '/') {  // comment to the end of the line
                while (pos_ < s_.size() && s_[pos_] != '\n') ++pos_;
            } else break;
        }
    }

    bool AtEnd() {
        SkipBlanks();
        return pos_ >= s_.size();
    }
    char Peek() {
        SkipBlanks();
        return pos_ < s_.size() ? s_[pos_] : '\0';
    }

    void Expect(char c) {
        if (Peek() != c) Fail(std::string("'") + c + "' expected");
        ++pos_;
    }

    std::string Ident() {
        SkipBlanks();
        if (pos_ >= s_.size() || !IsIdentStart(s_[pos_])) Fail("identifier expected");
        const size_t start = pos_;
        while (pos_ < s_.size() && IsIdentChar(s_[pos_])) ++pos_;
        return std::string(s_.substr(start, pos_ - start));
    }

    // A dotted property name: Font.Height
    std::string PropertyName() {
        std::string name = Ident();
        while (pos_ < s_.size() && s_[pos_] == '.') {
            ++pos_;
            name += '.' + Ident();
        }
        return name;
    }

    bool PeekKeyword(std::string_view kw) {
        SkipBlanks();
        if (s_.size() - pos_ < kw.size()) return false;
        if (!SameText(s_.substr(pos_, kw.size()), kw)) return false;
        return pos_ + kw.size() == s_.size() || !IsIdentChar(s_[pos_ + kw.size()]);
    }

    std::unique_ptr<TFormObject> ParseObject() {
        auto obj = std::make_unique<TFormObject>();
        obj->Line = line_;
        if (PeekKeyword("object")) pos_ += 6;
        else if (PeekKeyword("inherited")) {
            pos_ += 9;
            obj->Inherited = true;
        } else if (PeekKeyword("inline")) {
            pos_ += 6;
            obj->Inline = true;
        } else Fail("'object' expected");
        std::string first = Ident();
        if (Peek() == ':') {
            ++pos_;
            obj->Name = first;
            obj->ClassName = Ident();
        } else {
            obj->ClassName = first;  // an unnamed object
        }
        if (Peek() == '[') {  // an index in an inherited form: ignored
            ++pos_;
            Number();
            Expect(']');
        }
        for (;;) {
            if (AtEnd()) Fail("'end' expected");
            if (PeekKeyword("end")) {
                pos_ += 3;
                break;
            }
            if (PeekKeyword("object") || PeekKeyword("inherited") || PeekKeyword("inline")) {
                obj->Children.push_back(ParseObject());
                continue;
            }
            TFormProperty p;
            p.Line = line_;
            p.Name = PropertyName();
            Expect('=');
            p.Value = Value();
            obj->Properties.push_back(std::move(p));
        }
        return obj;
    }

    TFormValue Number() {
        SkipBlanks();
        TFormValue v;
        v.Line = line_;
        const size_t start = pos_;
        if (pos_ < s_.size() && (s_[pos_] == '-' || s_[pos_] == '+')) ++pos_;
        if (pos_ < s_.size() && s_[pos_] == '$') {
            ++pos_;
            while (pos_ < s_.size() && std::isxdigit(static_cast<unsigned char>(s_[pos_]))) ++pos_;
        } else {
            bool isFloat = false;
            while (pos_ < s_.size()) {
                const char c = s_[pos_];
                if (std::isdigit(static_cast<unsigned char>(c))) ++pos_;
                else if (c == '.' || ((c == 'e' || c == 'E') && isFloat) ||
                         ((c == '-' || c == '+') && isFloat && (s_[pos_ - 1] == 'e' || s_[pos_ - 1] == 'E'))) {
                    isFloat = true;
                    ++pos_;
                } else break;
            }
            if (isFloat) {
                const std::string t(s_.substr(start, pos_ - start));
                char* end = nullptr;
                v.Kind = TFormValue::TKind::Float;
                v.Float = std::strtod(t.c_str(), &end);
                if (end == t.c_str() || *end != '\0') Fail("number expected");
                return v;
            }
        }
        const std::string t(s_.substr(start, pos_ - start));
        try {
            v.Int = StrToInt64(t);
        } catch (const EConvertError&) {
            Fail("number expected");
        }
        v.Kind = TFormValue::TKind::Integer;
        return v;
    }

    // 'text'#13#10'more' pieces joined by '+' across lines.
    TFormValue String() {
        TFormValue v;
        v.Kind = TFormValue::TKind::String;
        v.Line = line_;
        for (;;) {
            SkipBlanks();
            while (pos_ < s_.size() && (s_[pos_] == '\'' || s_[pos_] == '#')) {
                if (s_[pos_] == '\'') {
                    ++pos_;
                    for (;;) {
                        if (pos_ >= s_.size() || s_[pos_] == '\n') Fail("unterminated string");
                        if (s_[pos_] == '\'') {
                            if (pos_ + 1 < s_.size() && s_[pos_ + 1] == '\'') {
                                v.Text += '\'';
                                pos_ += 2;
                                continue;
                            }
                            ++pos_;
                            break;
                        }
                        v.Text += s_[pos_++];
                    }
                } else {
                    ++pos_;
                    const size_t start = pos_;
                    while (pos_ < s_.size() && std::isdigit(static_cast<unsigned char>(s_[pos_]))) ++pos_;
                    if (start == pos_) Fail("character code expected after '#'");
                    const int code = std::atoi(std::string(s_.substr(start, pos_ - start)).c_str());
                    if (code > 255) Fail("character code out of range");
                    v.Text += static_cast<char>(code);
                }
            }
            if (Peek() == '+') {
                ++pos_;
                const char n = Peek();
                if (n != '\'' && n != '#') Fail("string expected after '+'");
                continue;
            }
            return v;
        }
    }

    TFormValue Value() {
        const char c = Peek();
        if (c == '\'' || c == '#') return String();
        if (c == '-' || c == '+' || c == '$' || std::isdigit(static_cast<unsigned char>(c))) return Number();
        TFormValue v;
        v.Line = line_;
        if (c == '[') {
            ++pos_;
            v.Kind = TFormValue::TKind::Set;
            if (Peek() != ']') {
                for (;;) {
                    v.Items.push_back(Ident());
                    if (Peek() == ',') {
                        ++pos_;
                        continue;
                    }
                    break;
                }
            }
            Expect(']');
            return v;
        }
        if (c == '(') {
            ++pos_;
            v.Kind = TFormValue::TKind::List;
            while (Peek() != ')') {
                if (AtEnd()) Fail("')' expected");
                v.List.push_back(Value());
            }
            ++pos_;
            return v;
        }
        if (c == '<') {
            ++pos_;
            v.Kind = TFormValue::TKind::Collection;
            while (Peek() != '>') {
                if (!PeekKeyword("item")) Fail("'item' expected");
                pos_ += 4;
                TFormValue::TCollectionItem item;
                item.Line = line_;
                if (Peek() == '[') {  // an item index: ignored
                    ++pos_;
                    Number();
                    Expect(']');
                }
                while (!PeekKeyword("end")) {
                    if (AtEnd()) Fail("'end' expected");
                    std::string name = PropertyName();
                    Expect('=');
                    item.Properties.emplace_back(std::move(name), Value());
                }
                pos_ += 3;
                v.Collection.push_back(std::move(item));
            }
            ++pos_;
            return v;
        }
        if (c == '{') {
            ++pos_;
            v.Kind = TFormValue::TKind::Binary;
            int nibbles = 0;
            unsigned acc = 0;
            for (;;) {
                SkipBlanks();
                if (pos_ >= s_.size()) Fail("'}' expected");
                const char h = s_[pos_++];
                if (h == '}') break;
                if (!std::isxdigit(static_cast<unsigned char>(h))) Fail("hexadecimal digit expected");
                acc = (acc << 4) |
                      static_cast<unsigned>(std::isdigit(static_cast<unsigned char>(h)) ? h - '0'
                                                                                        : (std::toupper(h) - 'A' + 10));
                if (++nibbles == 2) {
                    v.Text += static_cast<char>(acc);
                    acc = 0;
                    nibbles = 0;
                }
            }
            if (nibbles != 0) Fail("odd number of hexadecimal digits");
            return v;
        }
        if (IsIdentStart(c)) {
            v.Kind = TFormValue::TKind::Ident;
            v.Text = PropertyName();
            return v;
        }
        Fail("property value expected");
    }
};

std::string Quote(const std::string& text) {
    if (text.empty()) return "''";
    std::string out;
    bool inQuote = false;
    for (char ch : text) {
        const auto u = static_cast<unsigned char>(ch);
        if (u < 32 || u == 127) {
            if (inQuote) {
                out += '\'';
                inQuote = false;
            }
            out += '#' + std::to_string(u);
        } else {
            if (!inQuote) {
                out += '\'';
                inQuote = true;
            }
            if (ch == '\'') out += '\'';
            out += ch;
        }
    }
    if (inQuote) out += '\'';
    return out;
}

void WriteValue(std::string& out, const TFormValue& v, const std::string& indent);

void WriteProperties(std::string& out, const std::vector<std::pair<std::string, TFormValue>>& props,
                     const std::string& indent) {
    for (const auto& [name, value] : props) {
        out += indent + name + " = ";
        WriteValue(out, value, indent);
        out += '\n';
    }
}

void WriteValue(std::string& out, const TFormValue& v, const std::string& indent) {
    using K = TFormValue::TKind;
    switch (v.Kind) {
        case K::Integer: out += std::to_string(v.Int); break;
        case K::Float: {
            char buf[64];
            std::snprintf(buf, sizeof buf, "%.17g", v.Float);
            std::string t = buf;
            if (t.find_first_of(".eE") == std::string::npos) t += ".0";
            out += t;
            break;
        }
        case K::String: out += Quote(v.Text); break;
        case K::Ident: out += v.Text; break;
        case K::Set: {
            out += '[';
            for (size_t i = 0; i < v.Items.size(); ++i) out += (i ? ", " : "") + v.Items[i];
            out += ']';
            break;
        }
        case K::List: {
            out += '(';
            for (const auto& item : v.List) {
                out += '\n' + indent + "  ";
                WriteValue(out, item, indent + "  ");
            }
            out += ')';
            break;
        }
        case K::Collection: {
            out += '<';
            for (const auto& item : v.Collection) {
                out += '\n' + indent + "  item\n";
                WriteProperties(out, item.Properties, indent + "    ");
                out += indent + "  end";
            }
            out += '>';
            break;
        }
        case K::Binary: {
            static const char* hex = "0123456789ABCDEF";
            out += '{';
            for (size_t i = 0; i < v.Text.size(); ++i) {
                if (i % 32 == 0) out += '\n' + indent + "  ";
                const auto b = static_cast<unsigned char>(v.Text[i]);
                out += hex[b >> 4];
                out += hex[b & 15];
            }
            out += '}';
            break;
        }
    }
}

void WriteObject(std::string& out, const TFormObject& obj, const std::string& indent) {
    out += indent + (obj.Inherited ? "inherited " : obj.Inline ? "inline " : "object ");
    out += obj.Name.empty() ? obj.ClassName : obj.Name + ": " + obj.ClassName;
    out += '\n';
    for (const auto& p : obj.Properties) {
        out += indent + "  " + p.Name + " = ";
        WriteValue(out, p.Value, indent + "  ");
        out += '\n';
    }
    for (const auto& child : obj.Children) WriteObject(out, *child, indent + "  ");
    out += indent + "end\n";
}

}  // namespace

bool operator==(const TFormValue& a, const TFormValue& b) {
    using K = TFormValue::TKind;
    if (a.Kind != b.Kind) return false;
    switch (a.Kind) {
        case K::Integer: return a.Int == b.Int;
        case K::Float: return a.Float == b.Float;
        case K::String:
        case K::Binary: return a.Text == b.Text;
        case K::Ident: return SameText(a.Text, b.Text);
        case K::Set:
            if (a.Items.size() != b.Items.size()) return false;
            for (std::size_t i = 0; i < a.Items.size(); ++i)
                if (!SameText(a.Items[i], b.Items[i])) return false;
            return true;
        case K::List: return a.List == b.List;
        case K::Collection:
            if (a.Collection.size() != b.Collection.size()) return false;
            for (std::size_t i = 0; i < a.Collection.size(); ++i) {
                const auto& pa = a.Collection[i].Properties;
                const auto& pb = b.Collection[i].Properties;
                if (pa.size() != pb.size()) return false;
                for (std::size_t k = 0; k < pa.size(); ++k)
                    if (!SameText(pa[k].first, pb[k].first) || !(pa[k].second == pb[k].second)) return false;
            }
            return true;
    }
    return false;
}

std::unique_ptr<TFormObject> ParseFormText(std::string_view text, std::string_view formName) {
    return TParser(text, formName).ParseRoot();
}

std::string WriteFormText(const TFormObject& root) {
    std::string out;
    WriteObject(out, root, "");
    return out;
}

}  // namespace zel
