#include "platform/vcl/Menus.h"

#include <algorithm>
#include <memory>
#include <unordered_map>

#include "platform/rtl/ScopeExit.h"
#include "platform/vcl/FormReader.h"
#include "platform/vcl/Forms.h"
#include "platform/win/SysInfo.h"
#include "platform/win/Windows.h"

namespace zel {

namespace {

constexpr const char* kShiftCap = "Shift+";
constexpr const char* kCtrlCap = "Ctrl+";
constexpr const char* kAltCap = "Alt+";

// The name of a key without modifiers, empty when the key has none.
std::string KeyName(BYTE key) {
    static const char* const kSpaceToDown[] = {"Space", "PgUp", "PgDn", "End", "Home", "Left", "Up", "Right", "Down"};
    if (key == 0x08) return "BkSp";
    if (key == 0x09) return "Tab";
    if (key == 0x0D) return "Enter";
    if (key == 0x1B) return "Esc";
    if (key >= 0x20 && key <= 0x28) return kSpaceToDown[key - 0x20];
    if (key == 0x2D) return "Ins";
    if (key == 0x2E) return "Del";
    if (key >= '0' && key <= '9') return std::string(1, static_cast<char>(key));
    if (key >= 'A' && key <= 'Z') return std::string(1, static_cast<char>(key));
    if (key >= VK_NUMPAD0 && key <= VK_NUMPAD0 + 9) return std::string(1, static_cast<char>('0' + key - VK_NUMPAD0));
    if (key >= 0x70 && key <= 0x87) return "F" + std::to_string(key - 0x6F);
    // Any other key is named by the printable character it types without shift keys, as the keyboard's
    // own key names do for the punctuation keys.
    UINT ch = MapVirtualKey(key, MAPVK_VK_TO_CHAR);
    if (ch > 0x20 && ch < 0x7F) return std::string(1, static_cast<char>(ch));
    return {};
}

bool TakeFront(std::string_view& text, std::string_view front) {
    if (text.size() < front.size() || !SameText(text.substr(0, front.size()), front)) return false;
    text.remove_prefix(front.size());
    return true;
}

}  // namespace

TShortCut ShortCut(WORD Key, TShiftState Shift) {
    if ((Key & 0xFF00) != 0) return 0;
    TShortCut r = Key;
    if (Shift.Contains(ssShift)) r |= scShift;
    if (Shift.Contains(ssCtrl)) r |= scCtrl;
    if (Shift.Contains(ssAlt)) r |= scAlt;
    return r;
}

void ShortCutToKey(TShortCut ShortCut, WORD& Key, TShiftState& Shift) {
    Key = static_cast<WORD>(ShortCut & ~(scShift | scCtrl | scAlt));
    Shift = {};
    if (ShortCut & scShift) Shift.Include(ssShift);
    if (ShortCut & scCtrl) Shift.Include(ssCtrl);
    if (ShortCut & scAlt) Shift.Include(ssAlt);
}

std::string ShortCutToText(TShortCut ShortCut) {
    std::string name = KeyName(static_cast<BYTE>(ShortCut & 0xFF));
    if (name.empty()) return {};
    std::string r;
    if (ShortCut & scShift) r += kShiftCap;
    if (ShortCut & scCtrl) r += kCtrlCap;
    if (ShortCut & scAlt) r += kAltCap;
    return r + name;
}

TShortCut TextToShortCut(std::string_view Text) {
    TShortCut shift = 0;
    for (;;) {
        if (TakeFront(Text, kShiftCap)) shift |= scShift;
        else if (TakeFront(Text, "^")) shift |= scCtrl;
        else if (TakeFront(Text, kCtrlCap)) shift |= scCtrl;
        else if (TakeFront(Text, kAltCap)) shift |= scAlt;
        else break;
    }
    if (Text.empty()) return 0;
    for (int key = 0x08; key <= 0xFF; ++key)
        if (SameText(Text, ShortCutToText(static_cast<TShortCut>(key)))) return static_cast<TShortCut>(key | shift);
    return 0;
}

// ------------------------------------------------------------------------------------------------ TMenuItem

namespace {

// Every living item by its command number, so that a choice carried out later never reaches a freed item.
std::unordered_map<UINT, TMenuItem*>& ItemsByCommand() {
    static std::unordered_map<UINT, TMenuItem*> items;
    return items;
}

UINT NextCommand() {
    static UINT last = 0;
    do {
        last = last == 0xFFFF ? 1 : last + 1;  // a command travels in the low word of WM_COMMAND's wParam
    } while (ItemsByCommand().count(last) != 0);
    return last;
}

}  // namespace

TMenuItem::TMenuItem(TComponent* AOwner) : TComponent(AOwner), command_(NextCommand()) {
    ItemsByCommand()[command_] = this;
}

TMenuItem::~TMenuItem() {
    ItemsByCommand().erase(command_);
    if (parent_ != nullptr) parent_->Remove(this);
    Clear();
}

int TMenuItem::IndexOf(const TMenuItem* Item) const {
    auto it = std::find(items_.begin(), items_.end(), Item);
    return it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
}

void TMenuItem::Insert(int Index, TMenuItem* Item) {
    if (Item == nullptr) return;
    if (Item->parent_ != nullptr) throw EMenuError("Menu inserted twice");
    if (Index < 0 || Index > Count()) throw EMenuError("Menu index out of range");
    items_.insert(items_.begin() + Index, Item);
    Item->parent_ = this;
}

void TMenuItem::Remove(TMenuItem* Item) {
    const int i = IndexOf(Item);
    if (i < 0) return;
    items_.erase(items_.begin() + i);
    Item->parent_ = nullptr;
}

void TMenuItem::Clear() {
    while (!items_.empty()) delete items_.back();  // each leaves the list itself
}

TMenu* TMenuItem::GetParentMenu() const {
    const TMenuItem* root = this;
    while (root->parent_ != nullptr) root = root->parent_;
    return root->menu_;
}

void TMenuItem::Click() {
    if (Enabled && OnClick) OnClick(this);
}

TComponent* TMenuItem::GetParentComponent() const {
    if (parent_ != nullptr && parent_->menu_ != nullptr) return parent_->menu_;
    return parent_;
}

void TMenuItem::SetParentComponent(TComponent* Value) {
    if (parent_ != nullptr) parent_->Remove(this);
    if (auto* menu = dynamic_cast<TMenu*>(Value)) menu->Items()->Add(this);
    else if (auto* item = dynamic_cast<TMenuItem*>(Value)) item->Add(this);
}

// ---------------------------------------------------------------------------------------------------- TMenu

TMenu::TMenu(TComponent* AOwner) : TComponent(AOwner) {
    items_ = Construct<TMenuItem>(this);
    items_->menu_ = this;
}

TMenu::~TMenu() {
    delete items_;  // frees the whole tree, whoever owns its items
    items_ = nullptr;
}

namespace {

TMenuItem* FindShortCut(TMenuItem* Parent, TShortCut Key) {
    for (int i = 0; i < Parent->Count(); ++i) {
        TMenuItem* item = Parent->Items(i);
        if (!item->Enabled || !item->Visible) continue;
        if (item->ShortCut != 0 && item->ShortCut == Key) return item;
        if (TMenuItem* found = FindShortCut(item, Key)) return found;
    }
    return nullptr;
}

}  // namespace

bool TMenu::IsShortCut(const TMessage& Message) {
    const WORD key = static_cast<WORD>(Message.WParam);
    if (key == 0) return false;
    TShiftState shift;
    if (GetKeyState(VK_SHIFT) < 0) shift.Include(ssShift);
    if (GetKeyState(VK_CONTROL) < 0) shift.Include(ssCtrl);
    if (Message.LParam & 0x20000000) shift.Include(ssAlt);
    const TShortCut sc = zel::ShortCut(key, shift);
    if (sc == 0) return false;
    TMenuItem* item = FindShortCut(items_, sc);
    if (item == nullptr) return false;
    item->Click();
    return true;
}

// ---------------------------------------------------------------------------------------------- TPopupMenu

namespace {

constexpr int kBorder = 3;      // raised edge and one pixel of menu colour
constexpr int kTextLeft = 18;   // room for a check mark before the text
constexpr int kTextRight = 16;  // after the text (and between it and the short-cut)
constexpr int kSeparatorHeight = 9;

// The message-only window that carries a chosen command to its item once the menu has closed.
HWND& CommandWindow() {
    static HWND window = nullptr;
    return window;
}

void CommandWndProc(TMessage& Message) {
    if (Message.Msg == WM_COMMAND) {
        auto it = ItemsByCommand().find(LOWORD(Message.WParam));
        if (it != ItemsByCommand().end()) {
            try {
                it->second->Click();
            } catch (const std::exception& e) {
                HandleApplicationException(e);
            }
        }
        return;
    }
    Message.Result = DefWindowProc(CommandWindow(), Message.Msg, Message.WParam, Message.LParam);
}

bool IsMouseMessage(UINT msg) {
    return (msg >= WM_MOUSEFIRST && msg <= WM_MOUSELAST) || (msg >= WM_NCMOUSEMOVE && msg <= WM_NCMBUTTONDBLCLK);
}

bool IsKeyMessage(UINT msg) { return msg >= WM_KEYFIRST && msg <= WM_KEYLAST; }

bool IsButtonDown(UINT msg) {
    return msg == WM_LBUTTONDOWN || msg == WM_RBUTTONDOWN || msg == WM_MBUTTONDOWN || msg == WM_LBUTTONDBLCLK ||
           msg == WM_RBUTTONDBLCLK || msg == WM_MBUTTONDBLCLK || msg == WM_NCLBUTTONDOWN || msg == WM_NCRBUTTONDOWN ||
           msg == WM_NCMBUTTONDOWN || msg == WM_NCLBUTTONDBLCLK || msg == WM_NCRBUTTONDBLCLK ||
           msg == WM_NCMBUTTONDBLCLK;
}

bool IsButtonUp(UINT msg) {
    return msg == WM_LBUTTONUP || msg == WM_RBUTTONUP || msg == WM_MBUTTONUP || msg == WM_NCLBUTTONUP ||
           msg == WM_NCRBUTTONUP || msg == WM_NCMBUTTONUP;
}

// The open menu's window: a frameless tool window that never takes the focus, drawn in the classic menu look.
class TPopupMenuWindow : public TCustomControl {
public:
    explicit TPopupMenuWindow(TComponent* AOwner) : TCustomControl(AOwner) {
        SetVisible(false);
        SetColor(clMenu);
        NONCLIENTMETRICS metrics;
        if (SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) {
            Font()->SetName(metrics.lfMenuFont.lfFaceName);
            Font()->SetHeight(metrics.lfMenuFont.lfHeight);
            Font()->SetCharset(metrics.lfMenuFont.lfCharSet);
        }
        Font()->SetColor(clMenuText);
    }
    std::string ClassName() const override { return "TPopupMenuWindow"; }

    // Lays out the visible items of the menu and shows the window at the screen point, kept on the screen.
    void Open(TPopupMenu* Menu, int X, int Y) {
        Canvas()->Font()->Assign(Font());
        const int textHeight = Canvas()->TextHeight("Wg");
        const int lineHeight = std::max(textHeight + 6, GetSystemMetrics(SM_CYMENU) - 1);
        int textWidth = 0, shortCutWidth = 0, y = kBorder;
        for (int i = 0; i < Menu->Items()->Count(); ++i) {
            TMenuItem* item = Menu->Items()->Items(i);
            if (!item->Visible) continue;
            const int h = item->IsLine() ? kSeparatorHeight : lineHeight;
            lines_.push_back(TLine{item, TRect{kBorder, y, 0, y + h}, ShortCutToText(item->ShortCut)});
            y += h;
            if (item->IsLine()) continue;
            TRect r{0, 0, 0, 0};
            DrawText(Canvas()->GetHandle(), item->Caption, -1, &r, DT_CALCRECT | DT_SINGLELINE);
            textWidth = std::max(textWidth, static_cast<int>(r.Width()));
            if (!lines_.back().shortCut.empty())
                shortCutWidth = std::max(shortCutWidth, Canvas()->TextWidth(lines_.back().shortCut) + kTextRight);
        }
        const int width = kBorder * 2 + kTextLeft + textWidth + kTextRight + shortCutWidth;
        const int height = y + kBorder;
        for (TLine& line : lines_) line.rect.right = width - kBorder;

        RECT work{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
        SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0);
        int left = X, top = Y;
        if (left + width > work.right) left = std::max(static_cast<int>(work.left), left - width);
        if (top + height > work.bottom) top = std::max(static_cast<int>(work.top), top - height);
        SetBounds(left, top, width, height);
        SetWindowPos(GetHandle(), HWND_TOPMOST, left, top, width, height, SWP_NOACTIVATE | SWP_SHOWWINDOW);
        Invalidate();
    }

    // The line under a screen point, -1 when none (the border, or outside).
    int LineAt(POINT Screen) {
        const TPoint p = ScreenToClient(TPoint{Screen.x, Screen.y});
        for (std::size_t i = 0; i < lines_.size(); ++i)
            if (PtInRect(&lines_[i].rect, POINT{p.x, p.y})) return static_cast<int>(i);
        return -1;
    }
    bool Contains(POINT Screen) {
        RECT r;
        GetWindowRect(GetHandle(), &r);
        return PtInRect(&r, Screen) != FALSE;
    }
    int LineCount() const { return static_cast<int>(lines_.size()); }
    // The screen rectangle of the item's line; false when the item has no line here.
    bool ItemRect(const TMenuItem* Item, TRect& R) {
        for (const TLine& line : lines_)
            if (line.item == Item) {
                const TPoint origin = ClientToScreen(TPoint{0, 0});
                R = line.rect;
                OffsetRect(&R, origin.x, origin.y);
                return true;
            }
        return false;
    }
    TMenuItem* LineItem(int Index) const { return lines_.at(static_cast<std::size_t>(Index)).item; }
    int Hot() const { return hot_; }
    void SetHot(int Index) {
        if (Index == hot_) return;
        hot_ = Index;
        Invalidate();
    }
    // The next line in the direction that is not a separator, wrapping around; the hot line when none.
    int Step(int From, int Delta) const {
        const int n = LineCount();
        int i = From;
        for (int k = 0; k < n; ++k) {
            i = i < 0 ? (Delta > 0 ? 0 : n - 1) : (i + Delta + n) % n;
            if (!lines_[static_cast<std::size_t>(i)].item->IsLine()) return i;
        }
        return From;
    }

protected:
    void CreateParams(TCreateParams& Params) override {
        TCustomControl::CreateParams(Params);
        Params.Style = WS_POPUP;
        Params.ExStyle = WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE;
        Params.WindowClass.style |= CS_SAVEBITS;
        Params.WndParent = nullptr;
    }

    void Paint() override {
        TCanvas* c = Canvas();
        TRect r = GetClientRect();
        c->Brush()->SetStyle(bsSolid);
        c->Brush()->SetColor(clMenu);
        c->FillRect(r);
        DrawEdge(c->GetHandle(), &r, EDGE_RAISED, BF_RECT);
        for (std::size_t i = 0; i < lines_.size(); ++i) {
            const TLine& line = lines_[i];
            const TRect lr = line.rect;
            if (line.item->IsLine()) {
                TRect edge{lr.left + 1, lr.top + lr.Height() / 2 - 1, lr.right - 1, lr.top + lr.Height() / 2 + 1};
                DrawEdge(c->GetHandle(), &edge, EDGE_ETCHED, BF_TOP);
                continue;
            }
            const bool hot = static_cast<int>(i) == hot_;
            c->Brush()->SetStyle(bsSolid);
            c->Brush()->SetColor(hot ? clHighlight : clMenu);
            c->FillRect(lr);
            c->Brush()->SetStyle(bsClear);
            HDC dc = c->GetHandle();
            SetBkMode(dc, TRANSPARENT);
            if (line.item->Checked) {
                TRect check{lr.left + 2, lr.top, lr.left + kTextLeft - 2, lr.bottom};
                SetTextColor(dc, ColorToCOLORREF(hot ? clHighlightText : clMenuText));
                DrawText(dc, "\xD7", -1, &check, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
            }
            const TRect text{lr.left + kTextLeft, lr.top, lr.right - kTextRight / 2, lr.bottom};
            auto draw = [&](TColor color, int offset) {
                SetTextColor(dc, ColorToCOLORREF(color));
                TRect t = text;
                OffsetRect(&t, offset, offset);
                DrawText(dc, line.item->Caption, -1, &t, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
                if (!line.shortCut.empty())
                    DrawText(dc, line.shortCut, -1, &t, DT_RIGHT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
            };
            if (!line.item->Enabled) {
                // Disabled lines are embossed, or plain grey on the highlight.
                if (!hot) draw(clBtnHighlight, 1);
                draw(hot ? clGrayText : clBtnShadow, 0);
            } else draw(hot ? clHighlightText : clMenuText, 0);
        }
    }

private:
    struct TLine {
        TMenuItem* item;
        TRect rect;
        std::string shortCut;
    };
    std::vector<TLine> lines_;
    int hot_ = -1;
};

TPopupMenuWindow*& OpenWindow() {
    static TPopupMenuWindow* window = nullptr;
    return window;
}

// The menu's loop: takes every input message until the menu closes; answers the chosen item's command, or 0.
UINT TrackMenu(TPopupMenuWindow& window, TPopupMenu& menu) {
    HWND hwnd = window.GetHandle();
    SetCapture(hwnd);
    UINT chosen = 0;
    bool open = true;
    auto choose = [&](int line) {
        if (line < 0) return;
        TMenuItem* item = window.LineItem(line);
        if (item->IsLine() || !item->Enabled) return;  // the menu stays open
        chosen = item->Command();
        open = false;
    };
    while (open) {
        MSG msg;
        if (!PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
            // The menu closes when something else takes the mouse or hides it.
            if (GetCapture() != hwnd || !IsWindowVisible(hwnd)) break;
            Application->Idle();
            continue;
        }
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (IsMouseMessage(msg.message)) {
            const int line = window.LineAt(msg.pt);
            if (IsButtonDown(msg.message)) {
                if (!window.Contains(msg.pt)) open = false;
                else window.SetHot(line);
            } else if (IsButtonUp(msg.message)) {
                if (line >= 0 && line == window.Hot()) choose(line);
            } else if (msg.message == WM_MOUSEMOVE || msg.message == WM_NCMOUSEMOVE) {
                if (line >= 0) window.SetHot(line);
                else if (!window.Contains(msg.pt)) window.SetHot(-1);
            }
            continue;
        }
        if (IsKeyMessage(msg.message)) {
            if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN) continue;
            switch (msg.wParam) {
                case VK_UP: window.SetHot(window.Step(window.Hot(), -1)); break;
                case VK_DOWN: window.SetHot(window.Step(window.Hot(), 1)); break;
                case VK_HOME: window.SetHot(window.Step(-1, 1)); break;
                case VK_END: window.SetHot(window.Step(-1, -1)); break;
                case VK_RETURN: choose(window.Hot()); break;
                case VK_ESCAPE:
                case VK_MENU:
                case VK_F10: open = false; break;
                case VK_F1: {
                    const int hot = window.Hot();
                    const int context = hot >= 0 && window.LineItem(hot)->HelpContext != 0
                                            ? window.LineItem(hot)->HelpContext
                                            : menu.HelpContext;
                    if (context != 0) Application->HelpContext(context);
                    break;
                }
                default: break;
            }
            continue;
        }
        TranslateMessage(&msg);
        DispatchMessage(&msg);
    }
    if (GetCapture() == hwnd) ReleaseCapture();
    return chosen;
}

}  // namespace

TPopupMenu::TPopupMenu(TComponent* AOwner) : TMenu(AOwner) {}

TPopupMenu::~TPopupMenu() = default;

void TPopupMenu::Popup(int X, int Y) {
    DoPopup();
    if (OpenWindow() != nullptr) return;  // one menu at a time
    if (HWND capture = GetCapture()) SendMessage(capture, WM_CANCELMODE, 0, 0);
    ReleaseCapture();
    std::unique_ptr<TPopupMenuWindow> window(Construct<TPopupMenuWindow>(nullptr));
    window->Open(this, X, Y);
    OpenWindow() = window.get();
    UINT chosen = 0;
    {
        TScopeExit closed([&] { OpenWindow() = nullptr; });
        chosen = TrackMenu(*window, *this);
    }
    window.reset();
    if (chosen == 0) return;
    if (CommandWindow() == nullptr) CommandWindow() = AllocateHWnd(CommandWndProc);
    PostMessage(CommandWindow(), WM_COMMAND, chosen, 0);
}

HWND OpenPopupMenuWindow() { return OpenWindow() != nullptr ? OpenWindow()->GetHandle() : nullptr; }

bool GetPopupMenuItemRect(const TMenuItem* Item, TRect& R) {
    return OpenWindow() != nullptr && OpenWindow()->ItemRect(Item, R);
}

// ------------------------------------------------------------------------------------------- registration

void RegisterMenusClasses() {
    RegisterComponent<TMenu>("TMenu", "TComponent");
    RegisterComponent<TMenuItem>("TMenuItem", "TComponent")
        .Str("Caption", [](TMenuItem& c, const std::string& v) { c.Caption = v; })
        .Bool("Enabled", [](TMenuItem& c, bool v) { c.Enabled = v; })
        .Bool("Visible", [](TMenuItem& c, bool v) { c.Visible = v; })
        .Bool("Checked", [](TMenuItem& c, bool v) { c.Checked = v; })
        .Int("HelpContext", [](TMenuItem& c, int v) { c.HelpContext = v; })
        .Str("Hint", [](TMenuItem& c, const std::string& v) { c.Hint = v; })
        .Int("ShortCut", [](TMenuItem& c, int v) { c.ShortCut = static_cast<TShortCut>(v); })
        .Event("OnClick", &TMenuItem::OnClick);
    RegisterComponent<TPopupMenu>("TPopupMenu", "TMenu")
        .Bool("AutoPopup", [](TPopupMenu& c, bool v) { c.AutoPopup = v; })
        .Int("HelpContext", [](TPopupMenu& c, int v) { c.HelpContext = v; })
        .Event("OnPopup", &TPopupMenu::OnPopup);
}

void MenusShutdown() {
    if (CommandWindow() != nullptr) DeallocateHWnd(CommandWindow());
    CommandWindow() = nullptr;
}

}  // namespace zel
