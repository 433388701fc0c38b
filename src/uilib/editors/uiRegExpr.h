#pragma once
// The regular-expression mask engine: a compiler that turns a mask text into a graph of states, and an
// automaton that the masked editor feeds one typed character at a time. There is no searching or matching
// of whole strings: the automaton tells which characters may come next, whether the text so far is a
// complete value, can step back along its own history and inserts or removes the characters that the mask
// forces (literals with no alternative).
//
// Limits that keep a hostile or mistyped mask from exhausting memory or the stack, each refused with an
// error record like any other syntax error:
// - a brace count ({n}, {n,m}) above uiRegExprMaxRepeatCount: "Illegal integer value";
// - groups nested deeper than uiRegExprMaxGroupNesting: "Illegal '('";
// - more than uiRegExprMaxItems items (characters, classes, sets, groups and the copies that counts and
//   back-references make) in one compile; counts multiply through nested groups: "Illegal integer value"
//   for a count, "Too big reference number" for a back-reference, "Illegal 'x'" at the lexem x where a
//   plain mask runs out (parsing stops there);
// - more than uiRegExprMaxLinks links between items, refused the same way. Each typed character walks
//   the links out of the current states, and a run of k optional items (x?x?x?...) links each to all
//   that follow, k * k / 2 links: the bound keeps one keystroke's work small whatever the mask;
// - quantifiers and counts that would nest the built blocks deeper than uiRegExprMaxItemHeight: "Illegal
//   quantifier '?'" (or the quantifier given) / "Illegal integer value".
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <unordered_set>
#include <vector>

#include "platform/rtl/Streams.h"
#include "uilib/base/uiShellCommon.h"

namespace zel {

inline constexpr int uiRegExprMaxRepeatCount = 255;
inline constexpr int uiRegExprMaxGroupNesting = 64;
inline constexpr int uiRegExprMaxItems = 4096;
inline constexpr int uiRegExprMaxItemHeight = 1024;
inline constexpr long long uiRegExprMaxLinks = 65536;

class TuiRegExpr;
class TuiRegExprState;

// ---- Character classes ----

class TuiRegExprItem {
public:
    virtual ~TuiRegExprItem() = default;
    // Whether Ch matches; a symbol matched case-insensitively rewrites Ch to its own character.
    virtual bool Matches(char& Ch, bool CaseInsensitive) const = 0;
    virtual std::unique_ptr<TuiRegExprItem> Copy() const = 0;
};

class TuiRegExprSymbol : public TuiRegExprItem {
public:
    explicit TuiRegExprSymbol(char ASymbolChar) : SymbolChar(ASymbolChar) {}
    bool Matches(char& Ch, bool CaseInsensitive) const override;
    std::unique_ptr<TuiRegExprItem> Copy() const override { return std::make_unique<TuiRegExprSymbol>(SymbolChar); }
    char SymbolChar = 0;
};

// The system separators, read at each check.
class TuiRegExprTimeSeparator : public TuiRegExprItem {
public:
    bool Matches(char& Ch, bool CaseInsensitive) const override;
    std::unique_ptr<TuiRegExprItem> Copy() const override { return std::make_unique<TuiRegExprTimeSeparator>(); }
};

class TuiRegExprDateSeparator : public TuiRegExprItem {
public:
    bool Matches(char& Ch, bool CaseInsensitive) const override;
    std::unique_ptr<TuiRegExprItem> Copy() const override { return std::make_unique<TuiRegExprDateSeparator>(); }
};

// StartChar..FinishChar by byte value.
class TuiRegExprSubrange : public TuiRegExprItem {
public:
    TuiRegExprSubrange(char AStartChar, char AFinishChar) : StartChar(AStartChar), FinishChar(AFinishChar) {}
    bool Matches(char& Ch, bool CaseInsensitive) const override;
    std::unique_ptr<TuiRegExprItem> Copy() const override {
        return std::make_unique<TuiRegExprSubrange>(StartChar, FinishChar);
    }
    char StartChar = 0;
    char FinishChar = 0;
};

// A class whose test is inverted when Negated. A negated class never rewrites the typed character.
class TuiRegExprEnumeration : public TuiRegExprItem {
public:
    explicit TuiRegExprEnumeration(bool ANegated = false) : Negated(ANegated) {}
    bool Matches(char& Ch, bool CaseInsensitive) const override;
    bool Negated = false;

protected:
    virtual bool Contains(char& Ch, bool CaseInsensitive) const = 0;
};

// A bracketed set: any listed item matches.
class TuiRegExprUserEnumeration : public TuiRegExprEnumeration {
public:
    using TuiRegExprEnumeration::TuiRegExprEnumeration;
    std::unique_ptr<TuiRegExprItem> Copy() const override;
    std::vector<std::unique_ptr<TuiRegExprItem>> Items;

protected:
    bool Contains(char& Ch, bool CaseInsensitive) const override;
};

class TuiRegExprDigit : public TuiRegExprEnumeration {
public:
    using TuiRegExprEnumeration::TuiRegExprEnumeration;
    std::unique_ptr<TuiRegExprItem> Copy() const override { return std::make_unique<TuiRegExprDigit>(Negated); }

protected:
    bool Contains(char& Ch, bool CaseInsensitive) const override;
};

// "a".."z", "A".."Z", "0".."9" and "_".
class TuiRegExprIdLetter : public TuiRegExprEnumeration {
public:
    using TuiRegExprEnumeration::TuiRegExprEnumeration;
    std::unique_ptr<TuiRegExprItem> Copy() const override { return std::make_unique<TuiRegExprIdLetter>(Negated); }

protected:
    bool Contains(char& Ch, bool CaseInsensitive) const override;
};

// The bytes 0, 9, 10, 12, 13 and 32.
class TuiRegExprSpace : public TuiRegExprEnumeration {
public:
    using TuiRegExprEnumeration::TuiRegExprEnumeration;
    std::unique_ptr<TuiRegExprItem> Copy() const override { return std::make_unique<TuiRegExprSpace>(Negated); }

protected:
    bool Contains(char& Ch, bool CaseInsensitive) const override;
};

class TuiRegExprAll : public TuiRegExprItem {
public:
    bool Matches(char&, bool) const override { return true; }
    std::unique_ptr<TuiRegExprItem> Copy() const override { return std::make_unique<TuiRegExprAll>(); }
};

// ---- States ----

// A list of states that does not own them. A state is listed at most once: adding one already there keeps
// its first place. Without that, a repeated group such as (\w|\d)+ would double its list with each typed
// character.
class TuiRegExprStates {
public:
    void Add(TuiRegExprState* State);
    void AddAll(TuiRegExprStates&& List);
    bool Contains(const TuiRegExprState* State) const;
    int Count() const { return static_cast<int>(items_.size()); }
    TuiRegExprState* Items(int Index) const { return items_.at(static_cast<std::size_t>(Index)); }
    const std::vector<TuiRegExprState*>& List() const { return items_; }
    // Some simple state in the list is accepting.
    bool AnyAccepting() const;
    // The states reached from the listed ones by Token.
    TuiRegExprStates StepAll(char& Token, bool CaseInsensitive) const;
    // The states that may take the next character after the listed ones.
    TuiRegExprStates AllNext() const;
    // True, with the character, when the list is not empty and every state in it is a simple state whose
    // item is a symbol or a separator giving one and the same character.
    bool ForcedChar(char& Ch) const;

private:
    std::vector<TuiRegExprState*> items_;
    std::unordered_set<const TuiRegExprState*> index_;  // filled once the list grows past a few states
};

class TuiRegExprState {
public:
    virtual ~TuiRegExprState() = default;
    // The simple states that take Token on entering this state.
    virtual TuiRegExprStates Accept(char& Token, bool CaseInsensitive);
    virtual std::unique_ptr<TuiRegExprState> Copy() const = 0;
    // The simple states entered through this one.
    virtual TuiRegExprStates EntrySet();
    // Whether entering the state passes straight on to its successors (a group's entry or exit).
    virtual bool IsPassThrough() const { return false; }

    // Union of Accept over the successors.
    TuiRegExprStates StepFrom(char& Token, bool CaseInsensitive);
    // Union of EntrySet over the successors.
    TuiRegExprStates AllNext();
    void Link(TuiRegExprState* State) { Successors.push_back(State); }
    void LinkAll(const TuiRegExprStates& List);

    std::vector<TuiRegExprState*> Successors;
};

class TuiRegExprSimpleState : public TuiRegExprState {
public:
    TuiRegExprSimpleState() = default;
    explicit TuiRegExprSimpleState(std::unique_ptr<TuiRegExprItem> AItem) : Item(std::move(AItem)) {}
    TuiRegExprStates Accept(char& Token, bool CaseInsensitive) override;
    std::unique_ptr<TuiRegExprState> Copy() const override;

    std::unique_ptr<TuiRegExprItem> Item;  // none for the automaton's start state
    bool Accepting = false;
};

class TuiRegExprBlockState : public TuiRegExprState {
public:
    TuiRegExprStates Accept(char& Token, bool CaseInsensitive) override;
    std::unique_ptr<TuiRegExprState> Copy() const override { return std::make_unique<TuiRegExprBlockState>(); }
    TuiRegExprStates EntrySet() override;
    bool IsPassThrough() const override { return true; }
};

// ---- Quantifiers ----

class TuiRegExprQuantifier {
public:
    virtual ~TuiRegExprQuantifier() = default;
    virtual bool MayBeAbsent() const = 0;
    virtual bool MayRepeat() const = 0;
    virtual std::unique_ptr<TuiRegExprQuantifier> Copy() const = 0;
    virtual std::string Notation() const = 0;
};

class TuiRegExprSimpleQuantifier : public TuiRegExprQuantifier {
public:
    bool MayBeAbsent() const override { return false; }
    bool MayRepeat() const override { return false; }
    std::unique_ptr<TuiRegExprQuantifier> Copy() const override {
        return std::make_unique<TuiRegExprSimpleQuantifier>();
    }
    std::string Notation() const override { return ""; }
};

class TuiRegExprQuestionQuantifier : public TuiRegExprQuantifier {
public:
    bool MayBeAbsent() const override { return true; }
    bool MayRepeat() const override { return false; }
    std::unique_ptr<TuiRegExprQuantifier> Copy() const override {
        return std::make_unique<TuiRegExprQuestionQuantifier>();
    }
    std::string Notation() const override { return "?"; }
};

class TuiRegExprStarQuantifier : public TuiRegExprQuantifier {
public:
    bool MayBeAbsent() const override { return true; }
    bool MayRepeat() const override { return true; }
    std::unique_ptr<TuiRegExprQuantifier> Copy() const override { return std::make_unique<TuiRegExprStarQuantifier>(); }
    std::string Notation() const override { return "*"; }
};

class TuiRegExprPlusQuantifier : public TuiRegExprQuantifier {
public:
    bool MayBeAbsent() const override { return false; }
    bool MayRepeat() const override { return true; }
    std::unique_ptr<TuiRegExprQuantifier> Copy() const override { return std::make_unique<TuiRegExprPlusQuantifier>(); }
    std::string Notation() const override { return "+"; }
};

// ---- Parse tree ----

class TuiRegExprParserAlts;

class TuiRegExprParserItem {
public:
    TuiRegExprParserItem() : Quant(std::make_unique<TuiRegExprSimpleQuantifier>()) {}
    virtual ~TuiRegExprParserItem() = default;

    bool MayBeAbsent() const { return Quant->MayBeAbsent(); }
    bool MayRepeat() const { return Quant->MayRepeat(); }
    bool HasNoQuantifier() const { return dynamic_cast<const TuiRegExprSimpleQuantifier*>(Quant.get()) != nullptr; }
    // Takes Q in place of the current quantifier; a missing Q is ignored.
    void ReplaceQuantifier(std::unique_ptr<TuiRegExprQuantifier> Q);

    virtual bool MatchesEmpty() const = 0;
    virtual std::unique_ptr<TuiRegExprParserItem> Copy() const = 0;
    virtual std::string Dump() const = 0;
    virtual void MarkAccepting() = 0;

    // The state through which the item is entered and the one through which it is left.
    virtual TuiRegExprState* ItemEntryState() const = 0;
    virtual TuiRegExprState* ItemExitState() const = 0;
    // Items in this subtree (itself included), how many blocks deep it nests, and how many links from an
    // item to a following one its alternatives make.
    virtual int ItemCount() const = 0;
    virtual int Height() const = 0;
    virtual long long LinkCount() const = 0;

    std::unique_ptr<TuiRegExprQuantifier> Quant;
};

class TuiRegExprParserSimpleItem : public TuiRegExprParserItem {
public:
    explicit TuiRegExprParserSimpleItem(std::unique_ptr<TuiRegExprItem> AItem)
        : OwnState(std::make_unique<TuiRegExprSimpleState>(std::move(AItem))) {}
    bool MatchesEmpty() const override { return MayBeAbsent(); }
    std::unique_ptr<TuiRegExprParserItem> Copy() const override;
    std::string Dump() const override;
    void MarkAccepting() override { OwnState->Accepting = true; }
    TuiRegExprState* ItemEntryState() const override { return OwnState.get(); }
    TuiRegExprState* ItemExitState() const override { return OwnState.get(); }
    int ItemCount() const override { return 1; }
    int Height() const override { return 0; }
    long long LinkCount() const override { return 0; }

    std::unique_ptr<TuiRegExprSimpleState> OwnState;
};

class TuiRegExprParserAlt {
public:
    void Add(std::unique_ptr<TuiRegExprParserItem> Item) { items_.push_back(std::move(Item)); }
    // Puts Item in place of the last item and hands the old one back.
    std::unique_ptr<TuiRegExprParserItem> ReplaceLast(std::unique_ptr<TuiRegExprParserItem> Item);
    int Count() const { return static_cast<int>(items_.size()); }
    TuiRegExprParserItem* Items(int Index) const { return items_.at(static_cast<std::size_t>(Index)).get(); }
    TuiRegExprParserItem* Last() const { return items_.empty() ? nullptr : items_.back().get(); }
    std::unique_ptr<TuiRegExprParserAlt> Copy() const;
    std::string Dump() const;
    // Every item may be missing (true for an alternative without items).
    bool AllMayBeAbsent() const;
    // The links from each item to the following ones up to and including the first that cannot be
    // missing, counted without being made.
    long long FollowingLinks() const;

private:
    std::vector<std::unique_ptr<TuiRegExprParserItem>> items_;
};

class TuiRegExprParserAlts {
public:
    TuiRegExprParserAlt* AddNew();
    TuiRegExprParserAlt* Last() const { return alts_.empty() ? nullptr : alts_.back().get(); }
    int Count() const { return static_cast<int>(alts_.size()); }
    TuiRegExprParserAlt* Items(int Index) const { return alts_.at(static_cast<std::size_t>(Index)).get(); }
    std::unique_ptr<TuiRegExprParserAlts> Copy() const;
    std::string Dump() const;

private:
    std::vector<std::unique_ptr<TuiRegExprParserAlt>> alts_;
};

class TuiRegExprParserBlockItem : public TuiRegExprParserItem {
public:
    TuiRegExprParserBlockItem();
    bool MatchesEmpty() const override;
    std::unique_ptr<TuiRegExprParserItem> Copy() const override;
    std::string Dump() const override;
    void MarkAccepting() override;
    TuiRegExprState* ItemEntryState() const override { return EntryState.get(); }
    TuiRegExprState* ItemExitState() const override { return ExitState.get(); }
    int ItemCount() const override;
    int Height() const override;
    long long LinkCount() const override;

    std::unique_ptr<TuiRegExprParserAlts> Alternatives;
    std::unique_ptr<TuiRegExprBlockState> EntryState;
    std::unique_ptr<TuiRegExprBlockState> ExitState;
};

// ---- Automaton ----

class TuiRegExprAutomat {
public:
    // Links the parse tree's states, marks its final states and starts at the start state.
    TuiRegExprAutomat(TuiRegExpr* AOwner, std::unique_ptr<TuiRegExprParserAlts> AAlternatives);

    // Moves on by Token; false (nothing changed) when no state takes it.
    bool Step(char& Token, bool CaseInsensitive);
    // Goes back to the states before the last step; false when there is nothing to go back to.
    bool StepBack();
    void Restart();
    bool AtStart() const;
    bool IsAccepting() const { return Current.AnyAccepting(); }
    // Steps over the characters that the mask forces, firing the owner's OnForcedCharAdded for each.
    void InsertForced();
    // Steps back over the forced characters just before the current position, firing OnForcedCharRemoved.
    void RemoveForced();

    TuiRegExprSimpleState Start;
    TuiRegExprStates Current;
    // One entry per accepted character; an empty entry is a barrier that makes the next StepBack refuse.
    std::vector<std::unique_ptr<TuiRegExprStates>> History;
    std::unique_ptr<TuiRegExprParserAlts> Alternatives;
    TuiRegExpr* Owner = nullptr;
};

// ---- Compiler ----

enum : std::uint8_t {
    relSymbol = 0,
    relOperator = 1,
    relNumber = 2,
    relAnyChar = 3,
    relWordChar = 4,
    relNotWordChar = 5,
    relDigit = 6,
    relNotDigit = 7,
    relSpace = 8,
    relNotSpace = 9,
    relReference = 10,
    relDateSeparator = 11,
    relTimeSeparator = 12,
};

struct TuiLexem {
    std::int32_t ColumnNo = 0;
    std::int32_t LineNo = 0;
    std::uint8_t LexemKind = relSymbol;
    std::string LexemText;
};

class TuiLexems {
public:
    void Add(const TuiLexem& Lexem) { items_.push_back(Lexem); }
    void Discard() { items_.clear(); }
    int Count() const { return static_cast<int>(items_.size()); }
    TuiLexem Get(int Index) const { return items_.at(static_cast<std::size_t>(Index)); }

private:
    std::vector<TuiLexem> items_;
};

struct TuiRegExprError {
    std::int32_t LineNo = 0;
    std::int32_t ColumnNo = 0;
    std::string MessageText;
    // "Line1, Char4: Illegal ')'"; only the message when LineNo is 0.
    std::string FullText() const;
};

class TuiRegExprErrors {
public:
    void Add(const TuiRegExprError& Error) { items_.push_back(Error); }
    void Discard() { items_.clear(); }
    int Count() const { return static_cast<int>(items_.size()); }
    const TuiRegExprError& Items(int Index) const { return items_.at(static_cast<std::size_t>(Index)); }

private:
    std::vector<TuiRegExprError> items_;
};

// Raised by a failed compile. It carries the engine's error list and no text of its own: the catcher
// builds the text from the list.
class EuiRegExprError : public EuiEditError {
public:
    explicit EuiRegExprError(const TuiRegExprErrors* AErrors) : EuiEditError(""), Errors(AErrors) {}
    std::string ClassName() const override { return "EuiRegExprError"; }
    const TuiRegExprErrors* Errors = nullptr;
};

class TuiRegExpr {
public:
    TuiRegExpr() = default;
    ~TuiRegExpr();
    TuiRegExpr(const TuiRegExpr&) = delete;
    TuiRegExpr& operator=(const TuiRegExpr&) = delete;

    // Compiles the whole of AStream (from its start). Raises EuiRegExprError with every error found;
    // the engine is then not compiled and keeps the errors.
    void Compile(TStream* AStream);
    void Discard();
    // The source when compiled, else nullptr.
    TMemoryStream* SourceStream() { return Ready ? &Source : nullptr; }
    // Raises EuiEditError "Regular expression is not compiled" unless compiled.
    void RequireCompiled() const;

    bool Step(char& Ch);
    bool StepBack();
    void Restart();
    bool AtStart() const;
    bool IsAccepting() const;
    // The characters of AText that the automaton accepts in turn from where it stands, unchanged.
    std::string Filter(const std::string& AText);
    void SetAutoLiterals(bool Value);
    bool GetAutoLiterals() const { return autoLiterals_; }
    static bool IsDigitChar(char Ch) { return Ch >= '0' && Ch <= '9'; }

    bool CaseInsensitive = false;
    std::function<void()> OnForcedCharRemoved;
    std::function<void(char)> OnForcedCharAdded;

    TMemoryStream Source;  // a copy of the mask text, read byte by byte
    TuiRegExprErrors ErrorList;
    TuiLexems LexemList;
    // The blocks of the "(" groups in the order of their opening parenthesis (not owned), for
    // back-references.
    std::vector<TuiRegExprParserBlockItem*> GroupList;
    std::unique_ptr<TuiRegExprAutomat> Machine;
    int ReadIndex = 0;   // the next source byte
    int LexemIndex = 0;  // the next lexem for the parser
    std::int32_t LineNo = 1;
    std::int32_t ColumnNo = 0;
    bool FirstCompile = true;
    bool Ready = false;

private:
    bool autoLiterals_ = false;
};

}  // namespace zel
