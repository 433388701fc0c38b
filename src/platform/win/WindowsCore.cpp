// Window classes, windows, window procedures and the window tree.
#include <QCoreApplication>

#include <algorithm>
#include <cstring>
#include <iostream>

#include "platform/win/FrameScrollBar.h"
#include "platform/win/Gdi.h"
#include "platform/win/WindowsQt.h"

namespace zel {

namespace {

std::string Lower(const char* s) {
    std::string r = s ? s : "";
    for (char& c : r) c = static_cast<char>((c >= 'A' && c <= 'Z') ? c + 32 : c);
    return r;
}

// Window procedures bound to objects. The WNDPROC value handed out is the address of the record, which no
// function can have; CallProcedure recognises it.
struct TObjectInstance {
    TWndMethod method;
};
std::unordered_set<const void*>& ObjectInstances() {
    static std::unordered_set<const void*> set;
    return set;
}

LRESULT MessageWindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) { return DefWindowProc(hwnd, msg, wp, lp); }

void EnsureBuiltInClasses();

}  // namespace

TWinState& WinState() {
    static TWinState* state = new TWinState;  // never destroyed: windows may outlive static destructors
    return *state;
}

TWnd* FindWnd(HWND hwnd) {
    if (!hwnd) return nullptr;
    auto& ws = WinState().windows;
    auto it = ws.find(hwnd);
    return it == ws.end() ? nullptr : it->second.get();
}

TWnd* TopOf(TWnd* w) {
    while (w && w->parent) w = FindWnd(w->parent);
    return w;
}

POINT WindowScreenOrigin(const TWnd* w) {
    POINT p{w->rect.left, w->rect.top};
    const TWnd* p0 = w->parent ? FindWnd(w->parent) : nullptr;
    if (p0) {
        POINT o = ClientScreenOrigin(p0);
        p.x += o.x;
        p.y += o.y;
    }
    return p;
}

POINT ClientScreenOrigin(const TWnd* w) {
    POINT p = WindowScreenOrigin(w);
    return POINT{p.x + w->client.left, p.y + w->client.top};
}

bool IsVisibleTree(const TWnd* w) {
    for (; w; w = w->parent ? FindWnd(w->parent) : nullptr) {
        if (!(w->style & WS_VISIBLE) || w->messageOnly) return false;
        if (!w->parent) return true;
    }
    return false;
}

void NotePlacingChanged() {
    auto& st = WinState();
    ++st.placingEpoch;
    if (st.paintWaitsUnderSibling) {
        st.paintWaitsUnderSibling = false;
        WakeEventLoop();
    }
}

bool UnderSibling(TWnd* w) {
    auto& st = WinState();
    if (w->underSiblingEpoch == st.placingEpoch) return w->underSibling;
    w->underSiblingEpoch = st.placingEpoch;
    w->underSibling = false;
    const TWnd* p = w->parent ? FindWnd(w->parent) : nullptr;
    if (p == nullptr) return false;
    // One opaque sibling holding the whole window is enough; windows covered only by several together
    // still count as on view.
    for (HWND h : p->children) {
        if (h == w->handle) break;
        const TWnd* s = FindWnd(h);
        if (s == nullptr || !(s->style & WS_VISIBLE) || s->region != nullptr ||
            (s->exStyle & (WS_EX_LAYERED | WS_EX_TRANSPARENT)) != 0)
            continue;
        if (s->rect.left <= w->rect.left && s->rect.top <= w->rect.top && s->rect.right >= w->rect.right &&
            s->rect.bottom >= w->rect.bottom) {
            w->underSibling = true;
            break;
        }
    }
    return w->underSibling;
}

bool IsEnabledTree(const TWnd* w) {
    for (; w; w = w->parent ? FindWnd(w->parent) : nullptr)
        if (w->style & WS_DISABLED) return false;
    return true;
}

// ---- Exceptions -------------------------------------------------------------------------------------------

void SetApplicationExceptionHandler(std::function<void(const std::exception&)> handler) {
    WinState().exceptionHandler = std::move(handler);
}

void HandleApplicationException(const std::exception& e) {
    auto& h = WinState().exceptionHandler;
    if (h) {
        try {
            h(e);
            return;
        } catch (...) {
            // A handler that throws must not take the event loop down with it.
        }
    }
    std::cerr << "Unhandled exception: " << e.what() << std::endl;
}

// ---- Object instances -------------------------------------------------------------------------------------

WNDPROC MakeObjectInstance(TWndMethod method) {
    auto* rec = new TObjectInstance{std::move(method)};
    ObjectInstances().insert(rec);
    return reinterpret_cast<WNDPROC>(rec);
}

void FreeObjectInstance(WNDPROC proc) {
    auto* rec = reinterpret_cast<TObjectInstance*>(proc);
    if (ObjectInstances().erase(rec)) delete rec;
}

LRESULT CallWindowProc(WNDPROC proc, HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (!proc) return 0;
    if (ObjectInstances().count(reinterpret_cast<const void*>(proc))) {
        // Copy: the method may free its own instance.
        TWndMethod method = reinterpret_cast<TObjectInstance*>(proc)->method;
        TMessage m{msg, wp, lp, 0};
        if (method) method(m);
        return m.Result;
    }
    return proc(hwnd, msg, wp, lp);
}

// ---- Classes ----------------------------------------------------------------------------------------------

ATOM RegisterClass(const WNDCLASS* wc) {
    if (!wc || !wc->lpszClassName || !*wc->lpszClassName) return 0;
    auto& st = WinState();
    std::string key = Lower(wc->lpszClassName);
    if (st.classes.count(key)) return 0;  // already registered
    auto cls = std::make_shared<TWindowClass>();
    cls->name = wc->lpszClassName;
    cls->wc = *wc;
    cls->wc.lpszClassName = nullptr;  // the name is kept in the record
    cls->wc.lpszMenuName = nullptr;
    cls->extra.assign(static_cast<std::size_t>(std::max(0, wc->cbClsExtra) + 7) / 8, 0);
    st.classes[key] = cls;
    static ATOM nextAtom = 0xC000;
    return nextAtom++;
}

BOOL GetClassInfo(HINSTANCE, const char* className, WNDCLASS* wc) {
    EnsureBuiltInClasses();
    auto& st = WinState();
    auto it = st.classes.find(Lower(className));
    if (it == st.classes.end()) return FALSE;
    if (wc) {
        *wc = it->second->wc;
        wc->lpszClassName = className;
    }
    return TRUE;
}

std::string GetClassName(HWND hwnd) {
    TWnd* w = FindWnd(hwnd);
    return w && w->cls ? w->cls->name : std::string();
}

int GetClassName(HWND hwnd, char* buffer, int maxCount) {
    TWnd* w = FindWnd(hwnd);
    if (!w || !buffer || maxCount <= 0) return 0;
    const std::string& n = w->cls->name;
    int len = std::min<int>(static_cast<int>(n.size()), maxCount - 1);
    std::memcpy(buffer, n.data(), static_cast<std::size_t>(len));
    buffer[len] = 0;
    return len;
}

LONG_PTR GetClassLongPtr(HWND hwnd, int index) {
    TWnd* w = FindWnd(hwnd);
    if (!w) return 0;
    const WNDCLASS& wc = w->cls->wc;
    switch (index) {
        case GCL_HBRBACKGROUND: return reinterpret_cast<LONG_PTR>(wc.hbrBackground);
        case GCL_HCURSOR: return reinterpret_cast<LONG_PTR>(wc.hCursor);
        case GCL_WNDPROC: return reinterpret_cast<LONG_PTR>(wc.lpfnWndProc);
        case GCL_STYLE: return static_cast<LONG_PTR>(wc.style);
        default:
            if (index >= 0 && static_cast<std::size_t>(index / 8) < w->cls->extra.size())
                return w->cls->extra[index / 8];
            return 0;
    }
}

DWORD GetClassLong(HWND hwnd, int index) { return static_cast<DWORD>(GetClassLongPtr(hwnd, index)); }

LONG_PTR SetClassLongPtr(HWND hwnd, int index, LONG_PTR value) {
    TWnd* w = FindWnd(hwnd);
    if (!w) return 0;
    LONG_PTR old = GetClassLongPtr(hwnd, index);
    WNDCLASS& wc = w->cls->wc;
    switch (index) {
        case GCL_HBRBACKGROUND: wc.hbrBackground = reinterpret_cast<HBRUSH>(value); break;
        case GCL_HCURSOR: wc.hCursor = reinterpret_cast<HCURSOR>(value); break;
        case GCL_WNDPROC: wc.lpfnWndProc = reinterpret_cast<WNDPROC>(value); break;
        case GCL_STYLE: wc.style = static_cast<UINT>(value); break;
        default:
            if (index >= 0 && static_cast<std::size_t>(index / 8) < w->cls->extra.size())
                w->cls->extra[index / 8] = value;
            else return 0;
    }
    return old;
}

namespace {

void EnsureBuiltInClasses() {
    static bool done = false;
    if (done) return;
    done = true;
    WNDCLASS wc;
    wc.lpfnWndProc = MessageWindowProc;
    wc.lpszClassName = "TPUtilWindow";
    RegisterClass(&wc);
}

}  // namespace

// ---- Creation and destruction -----------------------------------------------------------------------------

HWND CreateWindowEx(DWORD exStyle, const char* className, const char* windowName, DWORD style, int x, int y, int width,
                    int height, HWND parent, HMENU menu, HINSTANCE instance, void* param) {
    EnsureBuiltInClasses();
    EnsureWindowSystem();
    auto& st = WinState();
    auto cit = st.classes.find(Lower(className));
    if (cit == st.classes.end()) return nullptr;
    bool messageOnly = parent == HWND_MESSAGE;
    TWnd* parentWnd = messageOnly ? nullptr : FindWnd(parent);
    if (parent && !messageOnly && !parentWnd) return nullptr;
    if ((style & WS_CHILD) && !parentWnd && !messageOnly) return nullptr;  // a child needs its parent
    if (parentWnd && parentWnd->messageOnly) messageOnly = true;

    auto w = std::make_unique<TWnd>();
    TWnd* wp = w.get();
    HWND handle = reinterpret_cast<HWND>(static_cast<std::uintptr_t>(0x10000 + 4 * ++st.nextId));
    wp->handle = handle;
    wp->cls = cit->second;
    wp->proc = cit->second->wc.lpfnWndProc;
    wp->style = style & ~WS_VISIBLE;
    wp->exStyle = exStyle;
    wp->instance = instance;
    wp->messageOnly = messageOnly;
    wp->extra.assign(static_cast<std::size_t>(std::max(0, cit->second->wc.cbWndExtra) + 7) / 8, 0);
    if (style & WS_CHILD) {
        wp->parent = parentWnd ? parent : nullptr;
        wp->id = reinterpret_cast<LONG_PTR>(menu);
    } else if (parentWnd) {
        // A top-level window given a "parent" is owned by that window's top-level ancestor.
        TWnd* ownerTop = TopOf(parentWnd);
        wp->owner = ownerTop ? ownerTop->handle : nullptr;
        if (ownerTop != nullptr) ++ownerTop->ownedWindows;
    }
    if (messageOnly && !(style & WS_CHILD)) wp->parent = nullptr;
    if (width < 0) width = 0;
    if (height < 0) height = 0;
    // A multiple-document child made at the default place takes the next place of the cascade.
    if (x == CW_USEDEFAULT && wp->parent && (exStyle & WS_EX_MDICHILD)) {
        const POINT at = DefaultChildPlace(wp->parent, width, height);
        x = at.x;
        y = at.y;
    }
    wp->rect = RECT{x, y, SpanEnd(x, width), SpanEnd(y, height)};
    wp->client = RECT{0, 0, width, height};
    st.windows.emplace(handle, std::move(w));
    {
        std::lock_guard<std::mutex> lock(st.postMutex);
        st.live.insert(handle);
    }
    if (wp->parent) {
        TWnd* pw = FindWnd(wp->parent);
        pw->children.insert(pw->children.begin(), handle);
        ++pw->childrenVersion;
    } else if (messageOnly) {
        st.messageWindows.push_back(handle);
    } else {
        // Above the other windows of its group (topmost windows stay above the rest).
        auto pos = st.topLevels.begin();
        if (!(exStyle & WS_EX_TOPMOST))
            while (pos != st.topLevels.end() && FindWnd(*pos) && (FindWnd(*pos)->exStyle & WS_EX_TOPMOST)) ++pos;
        st.topLevels.insert(pos, handle);
    }

    CREATESTRUCT cs;
    cs.lpCreateParams = param;
    cs.hInstance = instance;
    cs.hMenu = menu;
    cs.hwndParent = parent;
    cs.cx = width;
    cs.cy = height;
    cs.x = x;
    cs.y = y;
    cs.style = static_cast<LONG>(style);
    cs.lpszName = windowName;
    cs.lpszClass = className;
    cs.dwExStyle = exStyle;

    // WM_GETMINMAXINFO is sent to resizable top-level windows before anything else.
    if (!wp->parent && !messageOnly && (style & WS_THICKFRAME)) {
        MINMAXINFO mmi;
        mmi.ptMaxSize = POINT{4096, 4096};
        mmi.ptMaxTrackSize = POINT{4096, 4096};
        SendMessage(handle, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&mmi));
        if (!FindWnd(handle)) return nullptr;
    }
    if (!SendMessage(handle, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&cs))) {
        DestroyWindow(handle);
        return nullptr;
    }
    wp = FindWnd(handle);
    if (!wp) return nullptr;
    RecalcClient(wp);
    if (SendMessage(handle, WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs)) == -1) {
        DestroyWindow(handle);
        return nullptr;
    }
    wp = FindWnd(handle);
    if (!wp) return nullptr;
    wp->createDone = true;
    if (!messageOnly && !wp->parent) CreateWidget(wp);
    // The first WM_SIZE and WM_MOVE, as the default window procedure sends after creation.
    SendMessage(handle, WM_SIZE, SIZE_RESTORED,
                MAKELPARAM(static_cast<WORD>(wp->client.right - wp->client.left),
                           static_cast<WORD>(wp->client.bottom - wp->client.top)));
    if (!(wp = FindWnd(handle))) return nullptr;
    SendMessage(handle, WM_MOVE, 0,
                MAKELPARAM(static_cast<WORD>(wp->rect.left + wp->client.left),
                           static_cast<WORD>(wp->rect.top + wp->client.top)));
    if (!(wp = FindWnd(handle))) return nullptr;
    if (wp->parent && !(exStyle & WS_EX_NOPARENTNOTIFY))
        SendMessage(wp->parent, WM_PARENTNOTIFY, MAKEWPARAM(static_cast<WORD>(WM_CREATE), static_cast<WORD>(wp->id)),
                    reinterpret_cast<LPARAM>(handle));
    if (!FindWnd(handle)) return nullptr;
    if (style & WS_VISIBLE) ShowWindow(handle, SW_SHOW);
    return FindWnd(handle) ? handle : nullptr;
}

HWND CreateWindow(const char* className, const char* windowName, DWORD style, int x, int y, int width, int height,
                  HWND parent, HMENU menu, HINSTANCE instance, void* param) {
    return CreateWindowEx(0, className, windowName, style, x, y, width, height, parent, menu, instance, param);
}

namespace {

// Gives the window another owner, keeping the owners' counts of the windows they own.
void SetOwner(TWnd* w, HWND owner) {
    if (TWnd* old = FindWnd(w->owner); old != nullptr && old->ownedWindows > 0) --old->ownedWindows;
    w->owner = owner;
    if (TWnd* now = FindWnd(owner)) ++now->ownedWindows;
}

void SendDestroy(HWND hwnd) {
    // WM_DESTROY goes to the window before its children.
    SendMessage(hwnd, WM_DESTROY, 0, 0);
    TWnd* w = FindWnd(hwnd);
    if (!w) return;
    std::vector<HWND> kids = w->children;
    for (HWND k : kids)
        if (FindWnd(k)) SendDestroy(k);
}

void FreeWindow(HWND hwnd) {
    TWnd* w = FindWnd(hwnd);
    if (!w) return;
    std::vector<HWND> kids = w->children;
    for (HWND k : kids) FreeWindow(k);
    w = FindWnd(hwnd);
    if (!w) return;
    SendMessage(hwnd, WM_NCDESTROY, 0, 0);
    w = FindWnd(hwnd);
    if (!w) return;
    auto& st = WinState();
    ForgetFrameBars(hwnd);
    NoteWindowGone(hwnd);
    if (w->parent) {
        if (TWnd* p = FindWnd(w->parent)) {
            std::erase(p->children, hwnd);
            ++p->childrenVersion;
        }
    }
    std::erase(st.topLevels, hwnd);
    std::erase(st.messageWindows, hwnd);
    DestroyWidget(w);
    SetOwner(w, nullptr);
    if (w->region) DeleteObject(w->region);
    ForgetSystemMenu(hwnd);
    st.windows.erase(hwnd);
}

}  // namespace

BOOL DestroyWindow(HWND hwnd) {
    TWnd* w = FindWnd(hwnd);
    if (!w) return FALSE;
    if (w->destroying) return TRUE;
    auto& st = WinState();
    w->destroying = true;
    // Owned windows go first.
    std::vector<HWND> owned;
    if (w->ownedWindows > 0)
        for (auto& [h, o] : st.windows)
            if (o->owner == hwnd && !o->destroying) owned.push_back(h);
    for (HWND h : owned) DestroyWindow(h);
    if (!(w = FindWnd(hwnd))) return TRUE;
    if (w->parent && !(w->exStyle & WS_EX_NOPARENTNOTIFY))
        SendMessage(w->parent, WM_PARENTNOTIFY, MAKEWPARAM(static_cast<WORD>(WM_DESTROY), static_cast<WORD>(w->id)),
                    reinterpret_cast<LPARAM>(hwnd));
    if (!(w = FindWnd(hwnd))) return TRUE;
    // Hide it (without activating anything else yet), and give up focus, capture and activation held inside.
    if (w->style & WS_VISIBLE)
        SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                     SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (!(w = FindWnd(hwnd))) return TRUE;
    auto inside = [&](HWND h) { return h && (h == hwnd || IsChild(hwnd, h)); };
    if (inside(st.capture)) ReleaseCapture();
    if (inside(st.focus)) {
        HWND f = st.focus;
        st.focus = nullptr;
        SendMessage(f, WM_KILLFOCUS, 0, 0);
    }
    if (st.active == hwnd) {
        st.active = nullptr;
        // Hand activation to the owner, else to the next visible top-level window.
        HWND next = w->owner && IsWindowVisible(w->owner) ? w->owner : nullptr;
        if (!next)
            for (HWND t : st.topLevels) {
                TWnd* tw = FindWnd(t);
                if (t != hwnd && tw && (tw->style & WS_VISIBLE) && !(tw->style & WS_CHILD) &&
                    !(tw->exStyle & WS_EX_NOACTIVATE) && !tw->destroying) {
                    next = t;
                    break;
                }
            }
        if (next) ActivateWindow(next, false);
    }
    if (!FindWnd(hwnd)) return TRUE;
    SendDestroy(hwnd);
    FreeWindow(hwnd);
    return TRUE;
}

BOOL IsWindow(HWND hwnd) { return FindWnd(hwnd) != nullptr; }

// ---- Message-only windows ---------------------------------------------------------------------------------

HWND AllocateHWnd(std::function<void(TMessage&)> wndMethod) {
    EnsureBuiltInClasses();
    HWND h = CreateWindowEx(WS_EX_TOOLWINDOW, "TPUtilWindow", "", WS_POPUP, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr,
                            nullptr);
    if (!h) return nullptr;
    if (wndMethod) FindWnd(h)->proc = MakeObjectInstance(std::move(wndMethod));
    return h;
}

void DeallocateHWnd(HWND hwnd) {
    TWnd* w = FindWnd(hwnd);
    if (!w) return;
    WNDPROC proc = w->proc;
    DestroyWindow(hwnd);
    FreeObjectInstance(proc);
}

UINT RegisterWindowMessage(const char* name) {
    if (!name || !*name) return 0;
    auto& st = WinState();
    std::string key = Lower(name);
    auto it = st.registeredMessages.find(key);
    if (it != st.registeredMessages.end()) return it->second;
    UINT id = st.nextRegisteredMessage++;
    st.registeredMessages[key] = id;
    return id;
}

// ---- Window data ------------------------------------------------------------------------------------------

BOOL SetWindowContextHelpId(HWND hwnd, DWORD contextId) {
    TWnd* w = FindWnd(hwnd);
    if (!w) return FALSE;
    w->contextHelpId = contextId;
    return TRUE;
}

DWORD GetWindowContextHelpId(HWND hwnd) {
    const TWnd* w = FindWnd(hwnd);
    return w ? w->contextHelpId : 0;
}

LONG_PTR GetWindowLongPtr(HWND hwnd, int index) {
    TWnd* w = FindWnd(hwnd);
    if (!w) return 0;
    switch (index) {
        case GWL_WNDPROC: return reinterpret_cast<LONG_PTR>(w->proc);
        case GWL_STYLE: return static_cast<LONG_PTR>(w->style);
        case GWL_EXSTYLE: return static_cast<LONG_PTR>(w->exStyle);
        case GWL_USERDATA: return w->userData;
        case GWL_ID: return w->id;
        case GWL_HINSTANCE: return reinterpret_cast<LONG_PTR>(w->instance);
        case GWL_HWNDPARENT: return reinterpret_cast<LONG_PTR>(w->parent ? w->parent : w->owner);
        default:
            if (index >= 0 && index % 8 == 0 && static_cast<std::size_t>(index / 8) < w->extra.size())
                return w->extra[static_cast<std::size_t>(index / 8)];
            return 0;
    }
}

LONG_PTR SetWindowLongPtr(HWND hwnd, int index, LONG_PTR value) {
    TWnd* w = FindWnd(hwnd);
    if (!w) return 0;
    LONG_PTR old = GetWindowLongPtr(hwnd, index);
    switch (index) {
        case GWL_WNDPROC: w->proc = reinterpret_cast<WNDPROC>(value); break;
        case GWL_STYLE:
        case GWL_EXSTYLE: {
            STYLESTRUCT ss{static_cast<DWORD>(old), static_cast<DWORD>(value)};
            SendMessage(hwnd, WM_STYLECHANGING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&ss));
            if (!(w = FindWnd(hwnd))) return old;
            NotePlacingChanged();
            if (index == GWL_STYLE) {
                // Visibility changes only through ShowWindow / SetWindowPos, as with Windows.
                w->style = (ss.styleNew & ~WS_VISIBLE) | (w->style & WS_VISIBLE);
                if ((w->style ^ static_cast<DWORD>(old)) & WS_DISABLED) ScheduleWidgetUpdate(w);
            } else {
                DWORD before = w->exStyle;
                w->exStyle = ss.styleNew;
                if ((before ^ w->exStyle) & WS_EX_LAYERED) {
                    if (!(w->exStyle & WS_EX_LAYERED)) w->alpha = 255;
                    SyncWidget(w);
                }
            }
            SendMessage(hwnd, WM_STYLECHANGED, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&ss));
            break;
        }
        case GWL_USERDATA: w->userData = value; break;
        case GWL_ID: w->id = value; break;
        case GWL_HINSTANCE: w->instance = reinterpret_cast<HINSTANCE>(value); break;
        case GWL_HWNDPARENT:
            if (!w->parent) SetOwner(w, reinterpret_cast<HWND>(value));
            break;
        default:
            if (index >= 0 && index % 8 == 0 && static_cast<std::size_t>(index / 8) < w->extra.size())
                w->extra[static_cast<std::size_t>(index / 8)] = value;
            else return 0;
    }
    return old;
}

LONG GetWindowLong(HWND hwnd, int index) { return static_cast<LONG>(GetWindowLongPtr(hwnd, index)); }
LONG_PTR SetWindowLong(HWND hwnd, int index, LONG_PTR value) { return SetWindowLongPtr(hwnd, index, value); }

BOOL SetWindowText(HWND hwnd, const char* text) {
    return SendMessage(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text ? text : "")) != 0;
}

int GetWindowText(HWND hwnd, char* buffer, int maxCount) {
    if (!buffer || maxCount <= 0) return 0;
    buffer[0] = 0;
    return static_cast<int>(
        SendMessage(hwnd, WM_GETTEXT, static_cast<WPARAM>(maxCount), reinterpret_cast<LPARAM>(buffer)));
}

int GetWindowTextLength(HWND hwnd) { return static_cast<int>(SendMessage(hwnd, WM_GETTEXTLENGTH, 0, 0)); }

// ---- The tree ---------------------------------------------------------------------------------------------

HWND GetParent(HWND hwnd) {
    TWnd* w = FindWnd(hwnd);
    if (!w) return nullptr;
    if (w->style & WS_CHILD) return w->parent;
    if (w->style & WS_POPUP) return w->owner;
    return nullptr;
}

HWND SetParent(HWND child, HWND newParent) {
    TWnd* w = FindWnd(child);
    if (!w) return nullptr;
    TWnd* np = FindWnd(newParent);
    if (newParent && !np) return nullptr;
    if (np && (newParent == child || IsChild(child, newParent))) return nullptr;
    auto& st = WinState();
    HWND old = w->parent;
    bool wasVisible = (w->style & WS_VISIBLE) != 0;
    POINT screen = WindowScreenOrigin(w);
    if (w->parent) {
        if (TWnd* op = FindWnd(w->parent)) {
            std::erase(op->children, child);
            ++op->childrenVersion;
        }
    } else {
        std::erase(st.topLevels, child);
        std::erase(st.messageWindows, child);
    }
    if (w->messageOnly && !np) {
        // A message-only window stays one unless it gets a real parent.
        w->parent = nullptr;
        st.messageWindows.push_back(child);
        return old;
    }
    int wd = w->rect.right - w->rect.left, ht = w->rect.bottom - w->rect.top;
    if (np) {
        DestroyWidget(w);
        w->parent = newParent;
        w->messageOnly = np->messageOnly;
        np->children.insert(np->children.begin(), child);
        ++np->childrenVersion;
        // The window keeps its coordinates relative to the new parent, as with Windows.
        ScheduleWidgetUpdate(np);
    } else {
        w->parent = nullptr;
        w->messageOnly = false;
        st.topLevels.insert(st.topLevels.begin(), child);
        // Keeps its place on the screen.
        w->rect = RECT{screen.x, screen.y, screen.x + wd, screen.y + ht};
        CreateWidget(w);
    }
    NotePlacingChanged();
    if (old)
        if (TWnd* op = FindWnd(old)) ScheduleWidgetUpdate(op);
    if (wasVisible) {
        SyncWidget(w);
        ScheduleWidgetUpdate(w);
    }
    SyncPointerGrab();  // a captured window may now live in another top-level window
    return old;
}

HWND GetAncestor(HWND hwnd, UINT flags) {
    TWnd* w = FindWnd(hwnd);
    if (!w) return nullptr;
    switch (flags) {
        case GA_PARENT: return w->parent;
        case GA_ROOT: return TopOf(w)->handle;
        case GA_ROOTOWNER: {
            TWnd* t = TopOf(w);
            while (t->owner && FindWnd(t->owner)) t = TopOf(FindWnd(t->owner));
            return t->handle;
        }
        default: return nullptr;
    }
}

namespace {

const std::vector<HWND>* SiblingList(TWnd* w) {
    auto& st = WinState();
    if (w->parent) return &FindWnd(w->parent)->children;
    if (w->messageOnly) return &st.messageWindows;
    return &st.topLevels;
}

// The window's place among its siblings. The place it was last found at is tried first; when the list has
// changed since, every sibling's place is noted again, so that a walk over the list costs one pass over it.
std::size_t SiblingIndex(TWnd* w, const std::vector<HWND>& sib) {
    if (w->siblingIndex < sib.size() && sib[w->siblingIndex] == w->handle) return w->siblingIndex;
    std::size_t found = sib.size();
    for (std::size_t i = 0; i < sib.size(); ++i) {
        if (TWnd* s = FindWnd(sib[i])) s->siblingIndex = i;
        if (sib[i] == w->handle) found = i;
    }
    return found;
}

}  // namespace

HWND GetWindow(HWND hwnd, UINT relation) {
    TWnd* w = FindWnd(hwnd);
    if (!w) return nullptr;
    if (relation == GW_OWNER) return w->owner;
    if (relation == GW_CHILD) return w->children.empty() ? nullptr : w->children.front();
    const std::vector<HWND>& sib = *SiblingList(w);
    const std::size_t i = SiblingIndex(w, sib);
    if (i == sib.size()) return nullptr;
    switch (relation) {
        case GW_HWNDFIRST: return sib.front();
        case GW_HWNDLAST: return sib.back();
        case GW_HWNDNEXT: return i + 1 == sib.size() ? nullptr : sib[i + 1];
        case GW_HWNDPREV: return i == 0 ? nullptr : sib[i - 1];
        default: return nullptr;
    }
}

std::uint64_t ChildWindowsVersion(HWND parent) {
    const TWnd* w = FindWnd(parent);
    return w ? w->childrenVersion : 0;
}

std::uint64_t WindowPlacingVersion() { return WinState().placingEpoch; }

HWND GetNextWindow(HWND hwnd, UINT relation) { return GetWindow(hwnd, relation); }

HWND GetTopWindow(HWND hwnd) {
    if (!hwnd) return WinState().topLevels.empty() ? nullptr : WinState().topLevels.front();
    return GetWindow(hwnd, GW_CHILD);
}

BOOL IsChild(HWND parent, HWND hwnd) {
    TWnd* w = FindWnd(hwnd);
    if (!w || !parent) return FALSE;
    while (w && w->parent && (w->style & WS_CHILD)) {
        if (w->parent == parent) return TRUE;
        w = FindWnd(w->parent);
    }
    return FALSE;
}

BOOL IsWindowVisible(HWND hwnd) { return IsVisibleTree(FindWnd(hwnd)) ? TRUE : FALSE; }

BOOL IsWindowEnabled(HWND hwnd) {
    TWnd* w = FindWnd(hwnd);
    return w && !(w->style & WS_DISABLED) ? TRUE : FALSE;
}

BOOL EnableWindow(HWND hwnd, BOOL enable) {
    TWnd* w = FindWnd(hwnd);
    if (!w) return FALSE;
    BOOL wasDisabled = (w->style & WS_DISABLED) ? TRUE : FALSE;
    if (enable == !wasDisabled) return wasDisabled;
    auto& st = WinState();
    if (!enable) {
        w->style |= WS_DISABLED;
        // A disabled window loses the focus and the capture it or its children held.
        if (st.focus && (st.focus == hwnd || IsChild(hwnd, st.focus))) SetFocus(nullptr);
        if (st.capture && (st.capture == hwnd || IsChild(hwnd, st.capture))) ReleaseCapture();
    } else {
        w->style &= ~WS_DISABLED;
    }
    if (FindWnd(hwnd)) SendMessage(hwnd, WM_ENABLE, enable ? TRUE : FALSE, 0);
    return wasDisabled;
}

BOOL IsIconic(HWND hwnd) {
    TWnd* w = FindWnd(hwnd);
    return w && w->minimized ? TRUE : FALSE;
}

BOOL IsZoomed(HWND hwnd) {
    TWnd* w = FindWnd(hwnd);
    return w && w->maximized ? TRUE : FALSE;
}

HWND GetDesktopWindow() { return nullptr; }

namespace {

bool EnumChildren(TWnd* w, const WNDENUMPROC& proc) {
    std::vector<HWND> kids = w->children;
    for (HWND k : kids) {
        TWnd* kw = FindWnd(k);
        if (!kw) continue;
        if (!proc(k)) return false;
        if ((kw = FindWnd(k)) && !EnumChildren(kw, proc)) return false;
    }
    return true;
}

}  // namespace

BOOL EnumWindows(const WNDENUMPROC& proc) {
    std::vector<HWND> tops = WinState().topLevels;
    for (HWND h : tops)
        if (FindWnd(h) && !proc(h)) return FALSE;
    return TRUE;
}

// ---- Broadcasts -------------------------------------------------------------------------------------------

void BroadcastSystemMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    auto& st = WinState();
    std::vector<HWND> targets = st.topLevels;
    targets.insert(targets.end(), st.messageWindows.begin(), st.messageWindows.end());
    for (HWND h : targets)
        if (FindWnd(h)) SendMessage(h, msg, wParam, lParam);
}

}  // namespace zel
