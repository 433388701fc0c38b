#include "uilib/editors/uiRegExpr.h"

#include <algorithm>
#include <set>

#include "platform/rtl/SysUtils.h"
#include "uilib/editors/uiEditConsts.h"

namespace zel {

namespace {

// A list switches to a hash index once it holds more states than a short scan is worth.
constexpr std::size_t kLinearScanLimit = 16;

bool IsWhitespace(int c) { return c == 0 || c == 9 || c == 10 || c == 12 || c == 13 || c == 32; }

std::string ResText(const TResStringRec& Rec) { return LoadLibraryString(&Rec); }

// The resource text with its "%s" replaced by Arg.
std::string ResText(const TResStringRec& Rec, const std::string& Arg) {
    std::string text = LoadLibraryString(&Rec);
    const std::size_t at = text.find("%s");
    if (at != std::string::npos) text.replace(at, 2, Arg);
    return text;
}

// Collects the simple states reached from Roots, passing through group entry and exit states, depth first
// in list order. In accepting mode only the simple states whose item takes Token are collected; otherwise
// every simple state reached. Each pass-through state is expanded once (Visited), so that groups that
// can be passed without a character never send the walk round in a loop, and the walk needs no recursion
// however deeply the groups nest.
void Walk(const std::vector<TuiRegExprState*>& Roots, bool Accepting, char& Token, bool CaseInsensitive,
          TuiRegExprStates& Visited, TuiRegExprStates& Out) {
    std::vector<TuiRegExprState*> stack(Roots.rbegin(), Roots.rend());
    while (!stack.empty()) {
        TuiRegExprState* state = stack.back();
        stack.pop_back();
        if (state->IsPassThrough()) {
            if (Visited.Contains(state)) continue;
            Visited.Add(state);
            stack.insert(stack.end(), state->Successors.rbegin(), state->Successors.rend());
        } else if (!Accepting) {
            Out.Add(state);
        } else if (!Out.Contains(state)) {
            const auto* simple = static_cast<const TuiRegExprSimpleState*>(state);
            if (simple->Item && simple->Item->Matches(Token, CaseInsensitive)) Out.Add(state);
        }
    }
}

TuiRegExprStates WalkFrom(const std::vector<TuiRegExprState*>& Roots, bool Accepting, char& Token,
                          bool CaseInsensitive) {
    TuiRegExprStates visited;
    TuiRegExprStates out;
    Walk(Roots, Accepting, Token, CaseInsensitive, visited, out);
    return out;
}

// The character a simple state forces: a symbol's own or a separator's current one.
bool ForcedCharOf(const TuiRegExprState* State, char& Ch) {
    const auto* simple = dynamic_cast<const TuiRegExprSimpleState*>(State);
    if (simple == nullptr || !simple->Item) return false;
    const TuiRegExprItem* item = simple->Item.get();
    if (const auto* symbol = dynamic_cast<const TuiRegExprSymbol*>(item)) {
        Ch = symbol->SymbolChar;
        return true;
    }
    if (dynamic_cast<const TuiRegExprTimeSeparator*>(item) != nullptr) {
        Ch = FormatSettings.TimeSeparator;
        return true;
    }
    if (dynamic_cast<const TuiRegExprDateSeparator*>(item) != nullptr) {
        Ch = FormatSettings.DateSeparator;
        return true;
    }
    return false;
}

// The entry items of an alternative: from the first up to and including the first that cannot be
// missing. The trailing items: the same from the last backward.
template <typename Fn>
void ForEachEntryItem(const TuiRegExprParserAlt& Alt, Fn&& F) {
    for (int i = 0; i < Alt.Count(); ++i) {
        F(Alt.Items(i));
        if (!Alt.Items(i)->MayBeAbsent()) break;
    }
}

template <typename Fn>
void ForEachTrailingItem(const TuiRegExprParserAlt& Alt, Fn&& F) {
    for (int i = Alt.Count() - 1; i >= 0; --i) {
        F(Alt.Items(i));
        if (!Alt.Items(i)->MayBeAbsent()) break;
    }
}

void LinkBlock(TuiRegExprParserBlockItem& Block);

// Links each item of an alternative to the items that may follow it, and the inside of its blocks.
void LinkAlt(const TuiRegExprParserAlt& Alt) {
    for (int i = 0; i < Alt.Count(); ++i) {
        TuiRegExprParserItem* item = Alt.Items(i);
        for (int j = i + 1; j < Alt.Count(); ++j) {
            item->ItemExitState()->Link(Alt.Items(j)->ItemEntryState());
            if (!Alt.Items(j)->MayBeAbsent()) break;
        }
        if (item->MayRepeat()) item->ItemExitState()->Link(item->ItemEntryState());
        if (auto* block = dynamic_cast<TuiRegExprParserBlockItem*>(item)) LinkBlock(*block);
    }
}

void LinkBlock(TuiRegExprParserBlockItem& Block) {
    bool passable = false;
    for (int a = 0; a < Block.Alternatives->Count(); ++a) {
        const TuiRegExprParserAlt& alt = *Block.Alternatives->Items(a);
        ForEachEntryItem(alt, [&](TuiRegExprParserItem* item) { Block.EntryState->Link(item->ItemEntryState()); });
        passable = passable || alt.AllMayBeAbsent();
    }
    if (passable) Block.EntryState->Link(Block.ExitState.get());
    for (int a = 0; a < Block.Alternatives->Count(); ++a) {
        const TuiRegExprParserAlt& alt = *Block.Alternatives->Items(a);
        LinkAlt(alt);
        ForEachTrailingItem(alt,
                            [&](TuiRegExprParserItem* item) { item->ItemExitState()->Link(Block.ExitState.get()); });
    }
}

}  // namespace

// ---- Character classes ----

bool TuiRegExprSymbol::Matches(char& Ch, bool CaseInsensitive) const {
    if (Ch == SymbolChar) return true;
    if (CaseInsensitive &&
        AnsiUpperChar(static_cast<unsigned char>(Ch)) == AnsiUpperChar(static_cast<unsigned char>(SymbolChar))) {
        Ch = SymbolChar;
        return true;
    }
    return false;
}

bool TuiRegExprTimeSeparator::Matches(char& Ch, bool) const { return Ch == FormatSettings.TimeSeparator; }
bool TuiRegExprDateSeparator::Matches(char& Ch, bool) const { return Ch == FormatSettings.DateSeparator; }

bool TuiRegExprSubrange::Matches(char& Ch, bool) const {
    const auto c = static_cast<unsigned char>(Ch);
    return c >= static_cast<unsigned char>(StartChar) && c <= static_cast<unsigned char>(FinishChar);
}

bool TuiRegExprEnumeration::Matches(char& Ch, bool CaseInsensitive) const {
    if (!Negated) return Contains(Ch, CaseInsensitive);
    char probe = Ch;
    return !Contains(probe, CaseInsensitive);
}

std::unique_ptr<TuiRegExprItem> TuiRegExprUserEnumeration::Copy() const {
    auto copy = std::make_unique<TuiRegExprUserEnumeration>(Negated);
    for (const auto& item : Items) copy->Items.push_back(item->Copy());
    return copy;
}

bool TuiRegExprUserEnumeration::Contains(char& Ch, bool CaseInsensitive) const {
    return std::any_of(Items.begin(), Items.end(),
                       [&](const auto& item) { return item->Matches(Ch, CaseInsensitive); });
}

bool TuiRegExprDigit::Contains(char& Ch, bool) const { return Ch >= '0' && Ch <= '9'; }

bool TuiRegExprIdLetter::Contains(char& Ch, bool) const {
    return (Ch >= 'a' && Ch <= 'z') || (Ch >= 'A' && Ch <= 'Z') || (Ch >= '0' && Ch <= '9') || Ch == '_';
}

bool TuiRegExprSpace::Contains(char& Ch, bool) const { return IsWhitespace(static_cast<unsigned char>(Ch)); }

// ---- States ----

bool TuiRegExprStates::Contains(const TuiRegExprState* State) const {
    if (!index_.empty()) return index_.count(State) != 0;
    return std::find(items_.begin(), items_.end(), State) != items_.end();
}

void TuiRegExprStates::Add(TuiRegExprState* State) {
    if (Contains(State)) return;
    items_.push_back(State);
    if (!index_.empty()) index_.insert(State);
    else if (items_.size() > kLinearScanLimit) index_.insert(items_.begin(), items_.end());
}

void TuiRegExprStates::AddAll(TuiRegExprStates&& List) {
    for (TuiRegExprState* state : List.items_) Add(state);
    List.items_.clear();
    List.index_.clear();
}

bool TuiRegExprStates::AnyAccepting() const {
    return std::any_of(items_.begin(), items_.end(), [](const TuiRegExprState* state) {
        const auto* simple = dynamic_cast<const TuiRegExprSimpleState*>(state);
        return simple != nullptr && simple->Accepting;
    });
}

TuiRegExprStates TuiRegExprStates::StepAll(char& Token, bool CaseInsensitive) const {
    TuiRegExprStates visited;
    TuiRegExprStates out;
    for (TuiRegExprState* state : items_) Walk(state->Successors, true, Token, CaseInsensitive, visited, out);
    return out;
}

TuiRegExprStates TuiRegExprStates::AllNext() const {
    TuiRegExprStates visited;
    TuiRegExprStates out;
    char unused = 0;
    for (TuiRegExprState* state : items_) Walk(state->Successors, false, unused, false, visited, out);
    return out;
}

bool TuiRegExprStates::ForcedChar(char& Ch) const {
    if (items_.empty()) return false;
    char first = 0;
    for (std::size_t i = 0; i < items_.size(); ++i) {
        char c = 0;
        if (!ForcedCharOf(items_[i], c)) return false;
        if (i == 0) first = c;
        else if (c != first) return false;
    }
    Ch = first;
    return true;
}

TuiRegExprStates TuiRegExprState::Accept(char&, bool) { return {}; }

TuiRegExprStates TuiRegExprState::EntrySet() {
    TuiRegExprStates self;
    self.Add(this);
    return self;
}

TuiRegExprStates TuiRegExprState::StepFrom(char& Token, bool CaseInsensitive) {
    return WalkFrom(Successors, true, Token, CaseInsensitive);
}

TuiRegExprStates TuiRegExprState::AllNext() {
    char unused = 0;
    return WalkFrom(Successors, false, unused, false);
}

void TuiRegExprState::LinkAll(const TuiRegExprStates& List) {
    for (TuiRegExprState* state : List.List()) Link(state);
}

TuiRegExprStates TuiRegExprSimpleState::Accept(char& Token, bool CaseInsensitive) {
    TuiRegExprStates result;
    if (Item && Item->Matches(Token, CaseInsensitive)) result.Add(this);
    return result;
}

std::unique_ptr<TuiRegExprState> TuiRegExprSimpleState::Copy() const {
    auto copy = std::make_unique<TuiRegExprSimpleState>(Item ? Item->Copy() : nullptr);
    copy->Accepting = Accepting;
    return copy;
}

TuiRegExprStates TuiRegExprBlockState::Accept(char& Token, bool CaseInsensitive) {
    return StepFrom(Token, CaseInsensitive);
}

TuiRegExprStates TuiRegExprBlockState::EntrySet() { return AllNext(); }

// ---- Parse tree ----

void TuiRegExprParserItem::ReplaceQuantifier(std::unique_ptr<TuiRegExprQuantifier> Q) {
    if (Q) Quant = std::move(Q);
}

std::unique_ptr<TuiRegExprParserItem> TuiRegExprParserSimpleItem::Copy() const {
    auto state = OwnState->Copy();
    auto copy = std::make_unique<TuiRegExprParserSimpleItem>(nullptr);
    copy->OwnState.reset(static_cast<TuiRegExprSimpleState*>(state.release()));
    copy->Quant = Quant->Copy();
    return copy;
}

std::string TuiRegExprParserSimpleItem::Dump() const { return "item --> " + Quant->Notation() + "\r\n"; }

std::unique_ptr<TuiRegExprParserItem> TuiRegExprParserAlt::ReplaceLast(std::unique_ptr<TuiRegExprParserItem> Item) {
    std::unique_ptr<TuiRegExprParserItem> old = std::move(items_.back());
    items_.back() = std::move(Item);
    return old;
}

std::unique_ptr<TuiRegExprParserAlt> TuiRegExprParserAlt::Copy() const {
    auto copy = std::make_unique<TuiRegExprParserAlt>();
    for (const auto& item : items_) copy->Add(item->Copy());
    return copy;
}

std::string TuiRegExprParserAlt::Dump() const {
    std::string text = "<Start_Alt>\r\n";
    for (const auto& item : items_) text += item->Dump();
    return text + "<Finish_Alt>\r\n";
}

long long TuiRegExprParserAlt::FollowingLinks() const {
    long long links = 0;
    long long run = 0;  // optional items just before the current one
    for (std::size_t j = 0; j < items_.size(); ++j) {
        links += std::min<long long>(run + 1, static_cast<long long>(j));
        run = items_[j]->MayBeAbsent() ? run + 1 : 0;
    }
    return links;
}

bool TuiRegExprParserAlt::AllMayBeAbsent() const {
    return std::all_of(items_.begin(), items_.end(), [](const auto& item) { return item->MayBeAbsent(); });
}

TuiRegExprParserAlt* TuiRegExprParserAlts::AddNew() {
    alts_.push_back(std::make_unique<TuiRegExprParserAlt>());
    return alts_.back().get();
}

std::unique_ptr<TuiRegExprParserAlts> TuiRegExprParserAlts::Copy() const {
    auto copy = std::make_unique<TuiRegExprParserAlts>();
    for (const auto& alt : alts_) copy->alts_.push_back(alt->Copy());
    return copy;
}

std::string TuiRegExprParserAlts::Dump() const {
    std::string text;
    for (const auto& alt : alts_) text += alt->Dump();
    return text;
}

TuiRegExprParserBlockItem::TuiRegExprParserBlockItem()
    : Alternatives(std::make_unique<TuiRegExprParserAlts>()),
      EntryState(std::make_unique<TuiRegExprBlockState>()),
      ExitState(std::make_unique<TuiRegExprBlockState>()) {}

bool TuiRegExprParserBlockItem::MatchesEmpty() const {
    if (MayBeAbsent()) return true;
    for (int a = 0; a < Alternatives->Count(); ++a) {
        const TuiRegExprParserAlt& alt = *Alternatives->Items(a);
        bool all = true;
        for (int i = 0; i < alt.Count() && all; ++i) all = alt.Items(i)->MatchesEmpty();
        if (all) return true;
    }
    return false;
}

std::unique_ptr<TuiRegExprParserItem> TuiRegExprParserBlockItem::Copy() const {
    auto copy = std::make_unique<TuiRegExprParserBlockItem>();
    copy->Quant = Quant->Copy();
    copy->Alternatives = Alternatives->Copy();
    return copy;
}

std::string TuiRegExprParserBlockItem::Dump() const {
    return "<Start_Block>\r\n" + Alternatives->Dump() + "<Finish_Block> --> " + Quant->Notation() + "\r\n";
}

void TuiRegExprParserBlockItem::MarkAccepting() {
    for (int a = 0; a < Alternatives->Count(); ++a)
        ForEachTrailingItem(*Alternatives->Items(a), [](TuiRegExprParserItem* item) { item->MarkAccepting(); });
}

int TuiRegExprParserBlockItem::ItemCount() const {
    int count = 1;
    for (int a = 0; a < Alternatives->Count(); ++a)
        for (int i = 0; i < Alternatives->Items(a)->Count(); ++i)
            count += Alternatives->Items(a)->Items(i)->ItemCount();
    return count;
}

long long TuiRegExprParserBlockItem::LinkCount() const {
    long long links = 0;
    for (int a = 0; a < Alternatives->Count(); ++a) {
        links += Alternatives->Items(a)->FollowingLinks();
        for (int i = 0; i < Alternatives->Items(a)->Count(); ++i)
            links += Alternatives->Items(a)->Items(i)->LinkCount();
    }
    return links;
}

int TuiRegExprParserBlockItem::Height() const {
    int height = 0;
    for (int a = 0; a < Alternatives->Count(); ++a)
        for (int i = 0; i < Alternatives->Items(a)->Count(); ++i)
            height = std::max(height, Alternatives->Items(a)->Items(i)->Height());
    return height + 1;
}

// ---- Automaton ----

TuiRegExprAutomat::TuiRegExprAutomat(TuiRegExpr* AOwner, std::unique_ptr<TuiRegExprParserAlts> AAlternatives)
    : Alternatives(std::move(AAlternatives)), Owner(AOwner) {
    for (int a = 0; a < Alternatives->Count(); ++a) LinkAlt(*Alternatives->Items(a));
    for (int a = 0; a < Alternatives->Count(); ++a) {
        const TuiRegExprParserAlt& alt = *Alternatives->Items(a);
        ForEachTrailingItem(alt, [](TuiRegExprParserItem* item) { item->MarkAccepting(); });
        ForEachEntryItem(alt, [&](TuiRegExprParserItem* item) { Start.Link(item->ItemEntryState()); });
        if (alt.AllMayBeAbsent()) Start.Accepting = true;
    }
    Current.Add(&Start);
}

bool TuiRegExprAutomat::Step(char& Token, bool CaseInsensitive) {
    TuiRegExprStates next = Current.StepAll(Token, CaseInsensitive);
    if (next.Count() == 0) return false;
    History.push_back(std::make_unique<TuiRegExprStates>(std::move(Current)));
    Current = std::move(next);
    return true;
}

bool TuiRegExprAutomat::StepBack() {
    if (History.empty()) return false;
    std::unique_ptr<TuiRegExprStates> previous = std::move(History.back());
    History.pop_back();
    if (!previous) return false;
    Current = std::move(*previous);
    return true;
}

void TuiRegExprAutomat::Restart() {
    History.clear();
    Current = TuiRegExprStates();
    Current.Add(&Start);
}

bool TuiRegExprAutomat::AtStart() const { return Current.Count() > 0 && Current.Items(0) == &Start; }

void TuiRegExprAutomat::InsertForced() {
    // A forced run ends at a final state or where a choice opens. A mask whose forced characters go round
    // a loop that never reaches a final state (a group repeated over an always empty count) would run
    // for ever: the run also stops when it comes back to a list of states it has already been at.
    std::set<std::vector<TuiRegExprState*>> seen;
    auto key = [](const TuiRegExprStates& List) {
        std::vector<TuiRegExprState*> sorted = List.List();
        std::sort(sorted.begin(), sorted.end());
        return sorted;
    };
    seen.insert(key(Current));
    while (!Current.AnyAccepting()) {
        TuiRegExprStates next = Current.AllNext();
        char ch = 0;
        if (!next.ForcedChar(ch)) return;
        if (!seen.insert(key(next)).second) return;
        if (Owner != nullptr && Owner->OnForcedCharAdded) Owner->OnForcedCharAdded(ch);
        History.push_back(std::make_unique<TuiRegExprStates>(std::move(Current)));
        Current = std::move(next);
    }
}

void TuiRegExprAutomat::RemoveForced() {
    char ch = 0;
    while (Current.ForcedChar(ch)) {
        if (History.empty() || !History.back()) {
            if (History.empty()) History.push_back(nullptr);
            return;
        }
        std::unique_ptr<TuiRegExprStates> previous = std::move(History.back());
        History.pop_back();
        char before = 0;
        if (!previous->AllNext().ForcedChar(before) || previous->AnyAccepting()) {
            History.push_back(std::move(previous));
            return;
        }
        if (Owner != nullptr && Owner->OnForcedCharRemoved) Owner->OnForcedCharRemoved();
        Current = std::move(*previous);
    }
}

// ---- Errors ----

std::string TuiRegExprError::FullText() const {
    std::string text;
    if (LineNo > 0) {
        text = ResText(suiRegExprLine) + std::to_string(LineNo);
        if (ColumnNo > 0) text += ", " + ResText(suiRegExprChar) + std::to_string(ColumnNo);
        text += ": ";
    }
    return text + MessageText;
}

// ---- Lexer and parser ----

namespace {

// Reads the engine's source into its lexem list, collecting errors in its error list.
class TuiRegExprLexer {
public:
    explicit TuiRegExprLexer(TuiRegExpr& AEngine) : e_(AEngine) {}

    void Run() {
        int open = 0;
        while (!AtEnd()) {
            const unsigned char c = ReadChar();
            if (IsWhitespace(c)) continue;
            switch (c) {
                case '\'': Quoted(); break;
                case '(':
                    Operator("(");
                    ++open;
                    break;
                case ')':
                    Operator(")");
                    --open;
                    break;
                case '*':
                case '+':
                case '?':
                case '|': Operator(std::string(1, static_cast<char>(c))); break;
                case '.': Lexem(relAnyChar, "."); break;
                case '/': Lexem(relDateSeparator, "/"); break;
                case ':': Lexem(relTimeSeparator, ":"); break;
                case '[':
                    Operator("[");
                    Set();
                    break;
                case '{':
                    Operator("{");
                    Braces();
                    break;
                case '\\': Escape(); break;
                default: Symbol(static_cast<char>(c)); break;
            }
        }
        if (open > 0) Error(0, 0, ResText(suiRegExprMissing, ")"));
        else if (open < 0) Error(0, 0, ResText(suiRegExprUnnecessary, ")"));
    }

private:
    bool AtEnd() const { return e_.ReadIndex >= static_cast<int>(e_.Source.GetSize()); }

    int Peek(int Offset) const {
        const std::int64_t at = static_cast<std::int64_t>(e_.ReadIndex) + Offset;
        if (at < 0 || at >= e_.Source.GetSize()) return -1;
        return e_.Source.Memory()[at];
    }

    unsigned char ReadChar() {
        const unsigned char c = e_.Source.Memory()[e_.ReadIndex++];
        if (c == 13) ++e_.LineNo;
        if (c == 10) e_.ColumnNo = 0;
        else ++e_.ColumnNo;
        return c;
    }

    void Lexem(std::uint8_t Kind, const std::string& Text) {
        e_.LexemList.Add(TuiLexem{e_.ColumnNo, e_.LineNo, Kind, Text});
    }
    void Operator(const std::string& Text) { Lexem(relOperator, Text); }
    void Symbol(char C) { Lexem(relSymbol, std::string(1, C)); }
    void Error(std::int32_t Line, std::int32_t Column, const std::string& Text) {
        e_.ErrorList.Add(TuiRegExprError{Line, Column, Text});
    }

    // After an opening quote: every byte up to the closing quote is a symbol; two quotes are one.
    void Quoted() {
        for (;;) {
            if (AtEnd()) {
                Error(e_.LineNo, e_.ColumnNo + 1, ResText(suiRegExprMissing, " ' "));
                return;
            }
            const unsigned char c = ReadChar();
            if (c == '\'') {
                if (Peek(0) != '\'') return;
                ReadChar();
            }
            Symbol(static_cast<char>(c));
        }
    }

    // After a backslash.
    void Escape() {
        if (AtEnd()) return;
        const unsigned char c = ReadChar();
        if (c >= '1' && c <= '9') {
            Lexem(relReference, std::string(1, static_cast<char>(c)));
            return;
        }
        if (IsWhitespace(c)) {
            Error(e_.LineNo, e_.ColumnNo, ResText(suiRegExprIncorrectSpace));
            return;
        }
        switch (c) {
            case 'd': Lexem(relDigit, "d"); break;
            case 'D': Lexem(relNotDigit, "D"); break;
            case 's': Lexem(relSpace, "s"); break;
            case 'S': Lexem(relNotSpace, "S"); break;
            case 'w': Lexem(relWordChar, "w"); break;
            case 'W': Lexem(relNotWordChar, "W"); break;
            case 'a': Symbol(7); break;
            case 'e': Symbol(27); break;
            case 'f': Symbol(12); break;
            case 'n': Symbol(10); break;
            case 'r': Symbol(13); break;
            case 't': Symbol(9); break;
            case 'p': Symbol(FormatSettings.DecimalSeparator); break;
            case 'x': Hex(); break;
            default: Symbol(static_cast<char>(c)); break;
        }
    }

    // After "\x": two hexadecimal digits give the byte.
    void Hex() {
        int value = 0;
        for (int k = 0; k < 2; ++k) {
            if (AtEnd()) {
                Error(e_.LineNo, e_.ColumnNo + 1, ResText(suiRegExprHexNumberExpected0));
                return;
            }
            const unsigned char h = ReadChar();
            int digit = -1;
            if (h >= '0' && h <= '9') digit = h - '0';
            else if (h >= 'A' && h <= 'F') digit = h - 'A' + 10;
            else if (h >= 'a' && h <= 'f') digit = h - 'a' + 10;
            if (digit < 0) {
                Error(e_.LineNo, e_.ColumnNo,
                      ResText(suiRegExprHexNumberExpected, std::string(1, static_cast<char>(h))));
                return;
            }
            value = value * 16 + digit;
        }
        Symbol(static_cast<char>(value));
    }

    // After "[": the elements up to "]".
    void Set() {
        bool first = true;
        for (;;) {
            if (AtEnd()) {
                Error(e_.LineNo, e_.ColumnNo + 1, ResText(suiRegExprMissing, "]"));
                return;
            }
            const unsigned char c = ReadChar();
            if (IsWhitespace(c)) continue;
            if (c == '\'') {
                Quoted();
            } else if (c == '/') {
                Lexem(relDateSeparator, "/");
            } else if (c == ':') {
                Lexem(relTimeSeparator, ":");
            } else if (c == '\\') {
                Escape();
            } else if (c == ']') {
                Operator("]");
                return;
            } else if (first && c == '^') {
                Operator("^");
            } else if (!first && c == '-') {
                int k = 0;
                while (Peek(k) >= 0 && IsWhitespace(Peek(k))) ++k;
                if (Peek(k) == ']') {
                    Symbol('-');
                } else {
                    Operator("-");
                    if (Peek(k) < 0) {
                        Error(e_.LineNo, e_.ColumnNo + 1, ResText(suiRegExprMissing, "]"));
                        return;
                    }
                }
            } else {
                Symbol(static_cast<char>(c));
            }
            first = false;
        }
    }

    // After "{": numbers and commas up to "}".
    void Braces() {
        for (;;) {
            if (AtEnd()) {
                Error(e_.LineNo, e_.ColumnNo + 1, ResText(suiRegExprMissing, "}"));
                return;
            }
            const int next = Peek(0);
            if (next >= '0' && next <= '9') {
                std::string digits;
                while (Peek(0) >= '0' && Peek(0) <= '9') digits += static_cast<char>(ReadChar());
                Lexem(relNumber, digits);
                continue;
            }
            const unsigned char c = ReadChar();
            if (IsWhitespace(c)) continue;
            if (c == ',') {
                Operator(",");
            } else if (c == '}') {
                Operator("}");
                return;
            } else if (c == '\'') {
                Error(e_.LineNo, e_.ColumnNo, ResText(suiRegExprIllegalSymbol, " ' "));
            } else {
                Error(e_.LineNo, e_.ColumnNo, ResText(suiRegExprIllegalSymbol, std::string(1, static_cast<char>(c))));
            }
        }
    }

    TuiRegExpr& e_;
};

// Builds the parse tree from the engine's lexems, collecting errors in its error list, and hands the tree
// to a new automaton when no error was found.
class TuiRegExprParser {
public:
    explicit TuiRegExprParser(TuiRegExpr& AEngine) : e_(AEngine) {}

    void Run() {
        e_.LexemIndex = 0;
        auto top = std::make_unique<TuiRegExprParserAlts>();
        ParseAlternatives(*top, false);
        // The group list serves back-references while parsing; some of its groups were replaced by their
        // copies and are freed with the retired items.
        e_.GroupList.clear();
        retired_.clear();
        if (e_.ErrorList.Count() == 0) e_.Machine = std::make_unique<TuiRegExprAutomat>(&e_, std::move(top));
    }

private:
    bool AtEnd() const { return e_.LexemIndex >= e_.LexemList.Count(); }
    TuiLexem Next() { return e_.LexemList.Get(e_.LexemIndex++); }
    TuiLexem Peek() const { return e_.LexemList.Get(e_.LexemIndex); }
    static bool IsOp(const TuiLexem& L, const char* Text) { return L.LexemKind == relOperator && L.LexemText == Text; }
    void Error(const TuiLexem& At, const std::string& Text) {
        e_.ErrorList.Add(TuiRegExprError{At.LineNo, At.ColumnNo, Text});
    }
    void Error(const std::string& Text) { e_.ErrorList.Add(TuiRegExprError{0, 0, Text}); }

    template <typename T, typename... Args>
    std::unique_ptr<TuiRegExprParserItem> Simple(Args&&... A) {
        ++itemCount_;
        return std::make_unique<TuiRegExprParserSimpleItem>(std::make_unique<T>(std::forward<Args>(A)...));
    }
    std::unique_ptr<TuiRegExprParserBlockItem> NewBlock() {
        ++itemCount_;
        return std::make_unique<TuiRegExprParserBlockItem>();
    }
    std::unique_ptr<TuiRegExprParserItem> CopyOf(const TuiRegExprParserItem& Item) {
        itemCount_ += Item.ItemCount();
        links_ += Item.LinkCount();
        return Item.Copy();
    }

    // Appends an item to an alternative of the mask text, counting the links the items before it will
    // make to it.
    void AddItem(TuiRegExprParserAlt& Alt, std::unique_ptr<TuiRegExprParserItem> Item) {
        long long run = 0;
        for (int i = Alt.Count() - 1; i >= 0 && Alt.Items(i)->MayBeAbsent() && run <= uiRegExprMaxLinks; --i) ++run;
        links_ += std::min<long long>(run + 1, Alt.Count());
        Alt.Add(std::move(Item));
    }

    // The class a lexem names, or its first byte as a symbol.
    std::unique_ptr<TuiRegExprItem> ClassOf(const TuiLexem& L) {
        switch (L.LexemKind) {
            case relAnyChar: return std::make_unique<TuiRegExprAll>();
            case relWordChar: return std::make_unique<TuiRegExprIdLetter>(false);
            case relNotWordChar: return std::make_unique<TuiRegExprIdLetter>(true);
            case relDigit: return std::make_unique<TuiRegExprDigit>(false);
            case relNotDigit: return std::make_unique<TuiRegExprDigit>(true);
            case relSpace: return std::make_unique<TuiRegExprSpace>(false);
            case relNotSpace: return std::make_unique<TuiRegExprSpace>(true);
            case relDateSeparator: return std::make_unique<TuiRegExprDateSeparator>();
            case relTimeSeparator: return std::make_unique<TuiRegExprTimeSeparator>();
            default: return std::make_unique<TuiRegExprSymbol>(L.LexemText.empty() ? '\0' : L.LexemText[0]);
        }
    }

    // Gives Item the quantifier, wrapping it in a block of its own when it has one already.
    std::unique_ptr<TuiRegExprParserItem> Quantify(std::unique_ptr<TuiRegExprParserItem> Item,
                                                   std::unique_ptr<TuiRegExprQuantifier> Q) {
        if (Item->HasNoQuantifier()) {
            Item->ReplaceQuantifier(std::move(Q));
            return Item;
        }
        auto block = NewBlock();
        block->Alternatives->AddNew()->Add(std::move(Item));
        block->ReplaceQuantifier(std::move(Q));
        return block;
    }

    // One or more alternatives separated by "|", up to the end of the lexems or, inside a group, up to
    // and including its ")".
    void ParseAlternatives(TuiRegExprParserAlts& Alts, bool InBlock) {
        for (;;) {
            if (AtEnd()) {
                if (!full_) Error(ResText(suiRegExprCantCreateEmptyAlt));
                return;
            }
            TuiRegExprParserAlt* alt = Alts.AddNew();
            if (IsOp(Peek(), "|")) {
                Error(Next(), ResText(suiRegExprCantCreateEmptyAlt));
                continue;
            }
            if (InBlock && IsOp(Peek(), ")")) {
                Error(Next(), ResText(suiRegExprCantCreateEmptyBlock));
                return;
            }
            if (!ParseAlternative(*alt, InBlock)) return;
        }
    }

    // The items of one alternative; true when a "|" ends it and another alternative follows.
    bool ParseAlternative(TuiRegExprParserAlt& Alt, bool InBlock) {
        for (;;) {
            if (AtEnd()) {
                // Only a group whose ")" comes before its "(" (counted even by the lexer) gets here.
                if (InBlock && !full_) Error(ResText(suiRegExprMissing, ")"));
                return false;
            }
            const TuiLexem l = Next();
            if (itemCount_ >= uiRegExprMaxItems || links_ > uiRegExprMaxLinks) {
                // The mask builds too many items or links: refused at the lexem that would add more, and
                // nothing after it is read.
                Error(l, ResText(suiRegExprIllegalSymbol, l.LexemText));
                full_ = true;
                e_.LexemIndex = e_.LexemList.Count();
                return false;
            }
            switch (l.LexemKind) {
                case relSymbol:
                    AddItem(Alt, Simple<TuiRegExprSymbol>(l.LexemText.empty() ? '\0' : l.LexemText[0]));
                    break;
                case relNumber: Error(l, ResText(suiRegExprIllegalIntegerValue)); break;
                case relReference: Reference(Alt, l); break;
                case relOperator:
                    if (l.LexemText == "(") {
                        Group(Alt, l);
                    } else if (l.LexemText == ")") {
                        if (InBlock) return false;
                        Error(l, ResText(suiRegExprIllegalSymbol, ")"));
                    } else if (l.LexemText == "|") {
                        return true;
                    } else if (l.LexemText == "*" || l.LexemText == "+" || l.LexemText == "?") {
                        Quantifier(Alt, l);
                    } else if (l.LexemText == "[") {
                        Set(Alt);
                    } else if (l.LexemText == "{") {
                        Braces(Alt, l);
                    } else if (l.LexemText == "]" || l.LexemText == "}" || l.LexemText == "-") {
                        Error(l, ResText(suiRegExprIllegalSymbol, l.LexemText));
                    }
                    break;
                default: {
                    ++itemCount_;
                    AddItem(Alt, std::make_unique<TuiRegExprParserSimpleItem>(ClassOf(l)));
                    break;
                }
            }
        }
    }

    void Group(TuiRegExprParserAlt& Alt, const TuiLexem& Open) {
        if (nesting_ >= uiRegExprMaxGroupNesting) {
            Error(Open, ResText(suiRegExprIllegalSymbol, "("));
            // Passes over the group up to its ")".
            for (int depth = 1; depth > 0 && !AtEnd();) {
                const TuiLexem l = Next();
                if (IsOp(l, "(")) ++depth;
                else if (IsOp(l, ")")) --depth;
            }
            return;
        }
        auto block = NewBlock();
        e_.GroupList.push_back(block.get());
        ++nesting_;
        ParseAlternatives(*block->Alternatives, true);
        --nesting_;
        AddItem(Alt, std::move(block));
    }

    void Reference(TuiRegExprParserAlt& Alt, const TuiLexem& L) {
        const int n = L.LexemText.empty() ? 0 : L.LexemText[0] - '0';
        if (n < 1 || n > static_cast<int>(e_.GroupList.size()) ||
            itemCount_ + e_.GroupList[static_cast<std::size_t>(n - 1)]->ItemCount() > uiRegExprMaxItems ||
            links_ + e_.GroupList[static_cast<std::size_t>(n - 1)]->LinkCount() > uiRegExprMaxLinks) {
            Error(L, ResText(suiRegExprTooBigReferenceNumber));
            return;
        }
        AddItem(Alt, CopyOf(*e_.GroupList[static_cast<std::size_t>(n - 1)]));
    }

    void Quantifier(TuiRegExprParserAlt& Alt, const TuiLexem& L) {
        TuiRegExprParserItem* last = Alt.Last();
        if (last == nullptr) {
            Error(L, ResText(suiRegExprIllegalQuantifier, L.LexemText));
            return;
        }
        std::unique_ptr<TuiRegExprQuantifier> q;
        if (L.LexemText == "?") {
            q = std::make_unique<TuiRegExprQuestionQuantifier>();
        } else {
            if (last->MatchesEmpty()) {
                Error(L,
                      ResText(L.LexemText == "*" ? suiRegExprCantUseStarQuantifier : suiRegExprCantUsePlusQuantifier));
                return;
            }
            if (L.LexemText == "*") q = std::make_unique<TuiRegExprStarQuantifier>();
            else q = std::make_unique<TuiRegExprPlusQuantifier>();
        }
        if (!last->HasNoQuantifier() && last->Height() + 1 > uiRegExprMaxItemHeight) {
            Error(L, ResText(suiRegExprIllegalQuantifier, L.LexemText));
            return;
        }
        std::unique_ptr<TuiRegExprParserItem> item = Alt.ReplaceLast(nullptr);
        Alt.ReplaceLast(Quantify(std::move(item), std::move(q)));
    }

    // A bracketed set, after its "[".
    void Set(TuiRegExprParserAlt& Alt) {
        auto set = std::make_unique<TuiRegExprUserEnumeration>();
        if (!AtEnd() && IsOp(Peek(), "^")) {
            set->Negated = true;
            Next();
        }
        if (!AtEnd() && IsOp(Peek(), "]")) {
            Error(Next(), ResText(suiRegExprCantCreateEmptyEnum));
            return;
        }
        while (!AtEnd()) {
            const TuiLexem a = Next();
            if (IsOp(a, "]")) break;
            if (IsOp(a, "-")) {
                Error(a, ResText(suiRegExprIllegalSymbol, "-"));
                continue;
            }
            if (!AtEnd() && IsOp(Peek(), "-")) {
                Next();
                if (AtEnd() || IsOp(Peek(), "]")) continue;
                const TuiLexem b = Next();
                const auto from = static_cast<unsigned char>(a.LexemText.empty() ? '\0' : a.LexemText[0]);
                const auto to = static_cast<unsigned char>(b.LexemText.empty() ? '\0' : b.LexemText[0]);
                if (from < to)
                    set->Items.push_back(
                        std::make_unique<TuiRegExprSubrange>(static_cast<char>(from), static_cast<char>(to)));
                else Error(b, ResText(suiRegExprSubrangeOrder));
                continue;
            }
            set->Items.push_back(ClassOf(a));
        }
        ++itemCount_;
        AddItem(Alt, std::make_unique<TuiRegExprParserSimpleItem>(std::move(set)));
    }

    // Passes over the rest of a brace quantifier, up to and including its "}".
    void SkipBraces() {
        while (!AtEnd())
            if (IsOp(Next(), "}")) return;
    }

    // A number lexem's value, saturating far above any count allowed.
    static int NumberOf(const TuiLexem& L) {
        int value = 0;
        for (char c : L.LexemText) value = std::min(value * 10 + (c - '0'), 1000000000 / 10);
        return value;
    }

    // {n}, {n,} or {n,m}, after its "{".
    void Braces(TuiRegExprParserAlt& Alt, const TuiLexem& Open) {
        const std::string incorrect = ResText(suiRegExprIncorrectParameterQuantifier);
        if (Alt.Last() == nullptr) {
            Error(Open, incorrect);
            SkipBraces();
            return;
        }
        if (AtEnd() || Peek().LexemKind != relNumber) {
            if (!AtEnd()) Error(Peek(), incorrect);
            SkipBraces();
            return;
        }
        const TuiLexem first = Next();
        TuiLexem second = first;
        bool unbounded = false;
        if (!AtEnd() && IsOp(Peek(), ",")) {
            Next();
            if (!AtEnd() && Peek().LexemKind == relNumber) second = Next();
            else unbounded = true;
        }
        if (AtEnd() || !IsOp(Peek(), "}")) {
            if (!AtEnd()) Error(Peek(), incorrect);
            SkipBraces();
            return;
        }
        Next();
        const int n = NumberOf(first);
        const int m = unbounded ? n : NumberOf(second);
        if (m < n) {
            Error(second, incorrect);
            return;
        }
        if (n > uiRegExprMaxRepeatCount || m > uiRegExprMaxRepeatCount) {
            Error(n > uiRegExprMaxRepeatCount ? first : second, ResText(suiRegExprIllegalIntegerValue));
            return;
        }
        TuiRegExprParserItem* last = Alt.Last();
        if (last->MayBeAbsent()) {
            Error(Open, ResText(suiRegExprCantUseParameterQuantifier));
            return;
        }
        // What the expansion builds: the copies, the blocks around them, the links between the copies
        // and inside them, and how deep they nest.
        const int copies = n + (unbounded ? 1 : m - n);
        const long long items = static_cast<long long>(copies) * (last->ItemCount() + 2) + 1;
        const long long links = static_cast<long long>(copies) * (last->LinkCount() + 1);
        const int height = last->Height() + 2 + std::max(0, m - n - 1);
        if (itemCount_ + items > uiRegExprMaxItems || links_ + links > uiRegExprMaxLinks ||
            height > uiRegExprMaxItemHeight) {
            Error(unbounded || m == n ? first : second, ResText(suiRegExprIllegalIntegerValue));
            return;
        }
        links_ += copies;
        // The original item stays alive (a group in the group list may be it) until the parse ends.
        std::unique_ptr<TuiRegExprParserItem> item = Alt.ReplaceLast(nullptr);
        auto block = NewBlock();
        TuiRegExprParserAlt* inside = block->Alternatives->AddNew();
        for (int i = 0; i < n; ++i) inside->Add(CopyOf(*item));
        if (unbounded) inside->Add(Quantify(CopyOf(*item), std::make_unique<TuiRegExprStarQuantifier>()));
        else if (m > n) inside->Add(OptionalTail(*item, n, m));
        Alt.ReplaceLast(std::move(block));
        retired_.push_back(std::move(item));
    }

    // The optional copies from Depth up to M: x{2,4} gives xx(x(x)?)?.
    std::unique_ptr<TuiRegExprParserItem> OptionalTail(const TuiRegExprParserItem& Item, int Depth, int M) {
        if (Depth >= M - 1) return Quantify(CopyOf(Item), std::make_unique<TuiRegExprQuestionQuantifier>());
        auto block = NewBlock();
        TuiRegExprParserAlt* inside = block->Alternatives->AddNew();
        inside->Add(CopyOf(Item));
        inside->Add(OptionalTail(Item, Depth + 1, M));
        block->ReplaceQuantifier(std::make_unique<TuiRegExprQuestionQuantifier>());
        return block;
    }

    TuiRegExpr& e_;
    int nesting_ = 0;
    long long itemCount_ = 0;
    long long links_ = 0;
    bool full_ = false;  // the item budget ran out: parsing has stopped
    std::vector<std::unique_ptr<TuiRegExprParserItem>> retired_;
};

}  // namespace

// ---- Engine ----

TuiRegExpr::~TuiRegExpr() { Discard(); }

void TuiRegExpr::Discard() {
    Source.Clear();
    ErrorList.Discard();
    LexemList.Discard();
    GroupList.clear();
    Machine.reset();
    ReadIndex = 0;
    LexemIndex = 0;
    LineNo = 1;
    ColumnNo = 0;
    Ready = false;
}

void TuiRegExpr::Compile(TStream* AStream) {
    if (FirstCompile) FirstCompile = false;
    else Discard();
    try {
        if (AStream == nullptr) throw EStreamError("");
        Source.CopyFrom(*AStream, 0);
        Source.SetPosition(0);
    } catch (const Exception&) {
        ErrorList.Add(TuiRegExprError{0, 0, ResText(suiRegExprNotAssignedSourceStream)});
        throw EuiRegExprError(&ErrorList);
    }
    const std::uint8_t* bytes = Source.Memory();
    if (std::all_of(bytes, bytes + Source.GetSize(), [](std::uint8_t c) { return IsWhitespace(c); })) {
        ErrorList.Add(TuiRegExprError{0, 0, ResText(suiRegExprEmptySourceStream)});
        throw EuiRegExprError(&ErrorList);
    }
    TuiRegExprLexer(*this).Run();
    if (ErrorList.Count() > 0) throw EuiRegExprError(&ErrorList);
    TuiRegExprParser(*this).Run();
    if (ErrorList.Count() > 0) throw EuiRegExprError(&ErrorList);
    Ready = true;
    if (autoLiterals_) Machine->InsertForced();
}

void TuiRegExpr::RequireCompiled() const {
    if (!Ready) throw EuiEditError(ResText(suiRegExprNotCompiled));
}

bool TuiRegExpr::Step(char& Ch) {
    RequireCompiled();
    const bool stepped = Machine->Step(Ch, CaseInsensitive);
    if (stepped && !Machine->IsAccepting() && autoLiterals_) Machine->InsertForced();
    return stepped;
}

bool TuiRegExpr::StepBack() {
    RequireCompiled();
    if (autoLiterals_) Machine->RemoveForced();
    return Machine->StepBack();
}

void TuiRegExpr::Restart() {
    RequireCompiled();
    Machine->Restart();
}

bool TuiRegExpr::AtStart() const {
    RequireCompiled();
    return Machine->AtStart();
}

bool TuiRegExpr::IsAccepting() const {
    RequireCompiled();
    return Machine->IsAccepting();
}

std::string TuiRegExpr::Filter(const std::string& AText) {
    RequireCompiled();
    std::string result;
    for (char c : AText) {
        char copy = c;
        if (Machine->Step(copy, CaseInsensitive)) result += c;
    }
    return result;
}

void TuiRegExpr::SetAutoLiterals(bool Value) {
    autoLiterals_ = Value;
    if (Ready && Value) Machine->InsertForced();
}

}  // namespace zel
