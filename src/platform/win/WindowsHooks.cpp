// Thread hooks. Each kind has a chain; the hook installed last runs first and passes on with CallNextHookEx.
// A hook removed while it runs stays in the chain until it returns, so its CallNextHookEx still works.
#include <algorithm>

#include "platform/win/WindowsQt.h"

namespace zel {

namespace {

bool Known(int idHook) {
    return idHook == WH_KEYBOARD || idHook == WH_MOUSE || idHook == WH_CALLWNDPROC || idHook == WH_GETMESSAGE;
}

void Sweep() {
    auto& hooks = WinState().hooks;
    for (auto it = hooks.begin(); it != hooks.end();) {
        if ((*it)->removed && (*it)->running == 0) {
            delete *it;
            it = hooks.erase(it);
        } else {
            ++it;
        }
    }
}

// The next live hook of the same kind, older than position `from` (exclusive); -1 when none.
int NextHook(int idHook, int from) {
    auto& hooks = WinState().hooks;
    for (int i = from - 1; i >= 0; --i)
        if (hooks[static_cast<std::size_t>(i)]->idHook == idHook && !hooks[static_cast<std::size_t>(i)]->removed)
            return i;
    return -1;
}

LRESULT CallHookAt(int index, int code, WPARAM wp, LPARAM lp) {
    THookObject* h = WinState().hooks[static_cast<std::size_t>(index)];
    ++h->running;
    LRESULT r = 0;
    Guarded([&] { r = h->fn ? h->fn(code, wp, lp) : h->proc(code, wp, lp); });
    --h->running;
    if (h->removed && h->running == 0) Sweep();
    return r;
}

}  // namespace

HHOOK SetWindowsHookEx(int idHook, std::function<LRESULT(int, WPARAM, LPARAM)> proc) {
    if (!Known(idHook) || !proc) return nullptr;
    auto* h = new THookObject;
    h->idHook = idHook;
    h->fn = std::move(proc);
    WinState().hooks.push_back(h);
    return h;
}

HHOOK SetWindowsHookEx(int idHook, HOOKPROC proc, HINSTANCE, DWORD) {
    if (!Known(idHook) || !proc) return nullptr;
    auto* h = new THookObject;
    h->idHook = idHook;
    h->proc = proc;
    WinState().hooks.push_back(h);
    return h;
}

BOOL UnhookWindowsHookEx(HHOOK hook) {
    auto& hooks = WinState().hooks;
    auto it = std::find(hooks.begin(), hooks.end(), hook);
    if (it == hooks.end() || hook->removed) return FALSE;
    hook->removed = true;
    if (hook->running == 0) Sweep();
    return TRUE;
}

LRESULT CallNextHookEx(HHOOK hook, int code, WPARAM wParam, LPARAM lParam) {
    auto& hooks = WinState().hooks;
    auto it = std::find(hooks.begin(), hooks.end(), hook);
    if (it == hooks.end()) return 0;
    int next = NextHook(hook->idHook, static_cast<int>(it - hooks.begin()));
    return next < 0 ? 0 : CallHookAt(next, code, wParam, lParam);
}

bool HasHooks(int idHook) {
    for (THookObject* h : WinState().hooks)
        if (h->idHook == idHook && !h->removed) return true;
    return false;
}

LRESULT RunHooks(int idHook, int code, WPARAM wp, LPARAM lp) {
    int first = NextHook(idHook, static_cast<int>(WinState().hooks.size()));
    return first < 0 ? 0 : CallHookAt(first, code, wp, lp);
}

}  // namespace zel
