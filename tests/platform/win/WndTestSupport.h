#pragma once
// Shared fixture of the window manager tests: a window class whose procedure records every message and can
// be given a per-window handler.
#include <algorithm>
#include <cstdlib>
#include <functional>
#include <map>
#include <vector>

#include <gtest/gtest.h>

#include "platform/win/Windows.h"
#include "platform/win/WindowsQt.h"

namespace zel::test {

struct TRecord {
    HWND hwnd = nullptr;
    UINT msg = 0;
    WPARAM wp = 0;
    LPARAM lp = 0;
};

// Answers nullopt-like "not handled" by returning false; then DefWindowProc runs.
using THandler = std::function<bool(HWND, UINT, WPARAM, LPARAM, LRESULT&)>;

class WndTest : public ::testing::Test {
public:
    static std::vector<TRecord>& Log() {
        static std::vector<TRecord> log;
        return log;
    }
    static std::map<HWND, THandler>& Handlers() {
        static std::map<HWND, THandler> h;
        return h;
    }
    static LRESULT CALLBACK_Proc(HWND h, UINT m, WPARAM wp, LPARAM lp) {
        Log().push_back(TRecord{h, m, wp, lp});
        auto it = Handlers().find(h);
        if (it != Handlers().end()) {
            THandler fn = it->second;  // the handler may replace itself
            LRESULT r = 0;
            if (fn(h, m, wp, lp, r)) return r;
        }
        return DefWindowProc(h, m, wp, lp);
    }

protected:
    void SetUp() override {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        static bool registered = false;
        if (!registered) {
            WNDCLASS wc;
            wc.style = CS_DBLCLKS;
            wc.lpfnWndProc = CALLBACK_Proc;
            wc.lpszClassName = "ZelTestWindow";
            ASSERT_NE(RegisterClass(&wc), 0);
            registered = true;
        }
        ResetInputState();
        ProcessPendingMessages();
        Log().clear();
    }
    // Keyboard and button state, capture, focus, activation and locks left by another test.
    static void ResetInputState() {
        ReleaseCapture();
        SetFocus(nullptr);
        SetActiveWindow(nullptr);
        LockWindowUpdate(nullptr);
        BYTE none[256] = {};
        SetKeyboardState(none);
        std::fill(std::begin(WinState().asyncKeyState), std::end(WinState().asyncKeyState), BYTE{0});
    }
    void TearDown() override {
        for (HWND h : created_)
            if (IsWindow(h)) DestroyWindow(h);
        Handlers().clear();
        ResetInputState();
        ProcessPendingMessages();
        Log().clear();
        SetApplicationExceptionHandler(nullptr);
    }
    HWND Make(DWORD style, int x, int y, int w, int h, HWND parent = nullptr, DWORD exStyle = 0) {
        HWND hwnd =
            CreateWindowEx(exStyle, "ZelTestWindow", "test", style, x, y, w, h, parent, nullptr, nullptr, nullptr);
        EXPECT_NE(hwnd, nullptr);
        created_.push_back(hwnd);
        return hwnd;
    }
    void On(HWND h, THandler fn) { Handlers()[h] = std::move(fn); }
    // The messages of one kind that a window received, in order.
    std::vector<TRecord> Received(HWND h, UINT msg) const {
        std::vector<TRecord> r;
        for (const TRecord& rec : Log())
            if (rec.hwnd == h && rec.msg == msg) r.push_back(rec);
        return r;
    }
    // The sequence of the listed messages, across windows.
    std::vector<std::pair<HWND, UINT>> Sequence(std::initializer_list<UINT> msgs) const {
        std::vector<std::pair<HWND, UINT>> r;
        for (const TRecord& rec : Log())
            for (UINT m : msgs)
                if (rec.msg == m) r.emplace_back(rec.hwnd, rec.msg);
        return r;
    }

private:
    std::vector<HWND> created_;
};

}  // namespace zel::test
