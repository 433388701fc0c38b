// Window manager throughput: posting and dispatching messages, and synthetic mouse input through hooks.
#include <benchmark/benchmark.h>

#include <cstdlib>

#include "platform/win/Windows.h"

namespace {

using namespace zel;

void UseOffscreen() { setenv("QT_QPA_PLATFORM", "offscreen", 0); }

void BM_PostAndDispatch(benchmark::State& state) {
    UseOffscreen();
    std::int64_t received = 0;
    HWND h = AllocateHWnd([&](TMessage& m) {
        if (m.Msg == WM_USER) ++received;
    });
    const int n = static_cast<int>(state.range(0));
    for (auto _ : state) {
        for (int i = 0; i < n; ++i) PostMessage(h, WM_USER, static_cast<WPARAM>(i), 0);
        ProcessPendingMessages();
    }
    if (received != static_cast<std::int64_t>(n) * state.iterations()) state.SkipWithError("messages lost");
    state.SetItemsProcessed(received);
    DeallocateHWnd(h);
}
// The queue stays linear: a retrieval costs the same however many messages wait behind it.
BENCHMARK(BM_PostAndDispatch)->Arg(100)->Arg(1000)->Arg(10000)->Arg(1000000)->Unit(benchmark::kMillisecond);

HHOOK g_hooks[3] = {};
LRESULT PassOn0(int c, WPARAM w, LPARAM l) { return CallNextHookEx(g_hooks[0], c, w, l); }
LRESULT PassOn1(int c, WPARAM w, LPARAM l) { return CallNextHookEx(g_hooks[1], c, w, l); }
LRESULT PassOn2(int c, WPARAM w, LPARAM l) { return CallNextHookEx(g_hooks[2], c, w, l); }

std::int64_t g_moves = 0;
LRESULT CountingProc(HWND h, UINT m, WPARAM w, LPARAM l) {
    if (m == WM_MOUSEMOVE) ++g_moves;
    return DefWindowProc(h, m, w, l);
}

void BM_MouseMovesThroughHookChain(benchmark::State& state) {
    UseOffscreen();
    WNDCLASS wc;
    wc.lpfnWndProc = CountingProc;
    wc.lpszClassName = "BenchMouseTarget";
    RegisterClass(&wc);
    HWND top = CreateWindowEx(0, "BenchMouseTarget", "", WS_POPUP | WS_VISIBLE, 0, 0, 400, 400, nullptr, nullptr,
                              nullptr, nullptr);
    HWND child = CreateWindowEx(0, "BenchMouseTarget", "", WS_CHILD | WS_VISIBLE, 50, 50, 300, 300, top, nullptr,
                                nullptr, nullptr);
    g_hooks[0] = SetWindowsHookEx(WH_MOUSE, PassOn0, nullptr, 0);
    g_hooks[1] = SetWindowsHookEx(WH_MOUSE, PassOn1, nullptr, 0);
    g_hooks[2] = SetWindowsHookEx(WH_GETMESSAGE, PassOn2, nullptr, 0);
    ProcessPendingMessages();
    const int n = static_cast<int>(state.range(0));
    g_moves = 0;
    for (auto _ : state) {
        for (int i = 0; i < n; ++i) {
            // One move at a time: consecutive queued moves would fold into one.
            SetCursorPos(60 + (i & 127), 60 + ((i >> 7) & 127));
            MSG m;
            while (PeekMessage(&m, nullptr, 0, 0, PM_REMOVE | PM_NOYIELD)) DispatchMessage(&m);
        }
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(n) * state.iterations());
    for (HHOOK h : g_hooks) UnhookWindowsHookEx(h);
    DestroyWindow(child);
    DestroyWindow(top);
}
BENCHMARK(BM_MouseMovesThroughHookChain)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace
