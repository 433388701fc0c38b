#pragma once
// Shared fixture of the windowing class tests: headless Qt, message boxes answered by a script, forms
// freed at the end, and a folder for screenshots.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <initializer_list>
#include <string>
#include <vector>

#include "platform/vcl/Dialogs.h"
#include "platform/vcl/Forms.h"
#include "platform/vcl/PlatformUnits.h"
#include "platform/vcl/Screenshot.h"
#include "platform/vcl/StdCtrls.h"
#include "platform/win/SysInfo.h"
#include "platform/win/Windows.h"
#include "support/UnitsEnvironment.h"

namespace zel::test {

// Every test of a program that includes this runs with the platform's units started.
inline ::testing::Environment* const PlatformUnitsEnvironment =
    ::testing::AddGlobalTestEnvironment(new TUnitsEnvironment(PlatformUnits));

// Whether a window's caption is drawn in the active caption colour (true) or the inactive one (false), read
// from its image down the caption beside the client area's left edge.
inline bool CaptionDrawnActive(HWND hwnd) {
    RECT window{};
    GetWindowRect(hwnd, &window);
    POINT client{0, 0};
    ClientToScreen(hwnd, &client);
    const int x = client.x - window.left + 1;
    for (int y = 0; y < client.y - window.top; ++y) {
        const COLORREF c = ComposedPixel(hwnd, x, y);
        if (c == GetSysColor(COLOR_ACTIVECAPTION)) return true;
        if (c == GetSysColor(COLOR_INACTIVECAPTION)) return false;
    }
    ADD_FAILURE() << "no caption found";
    return false;
}

// Where the screenshots of a test run go: $TEST_OUTPUT_DIR, else "screenshots" in the working folder.
inline std::string ScreenshotPath(const std::string& name) {
    const char* dir = std::getenv("TEST_OUTPUT_DIR");
    std::filesystem::path folder =
        dir != nullptr ? std::filesystem::path(dir) : std::filesystem::current_path() / "screenshots";
    std::filesystem::create_directories(folder);
    return (folder / (name + ".png")).string();
}

// A list box (or a class derived from it) without a border, at Bounds on Parent, holding Items.
template <class TList = TListBox>
TList* NewBorderlessList(TWinControl* Parent, const TRect& Bounds, std::initializer_list<const char*> Items = {}) {
    auto* list = new TList(Parent);
    list->SetParent(Parent);
    list->SetBounds(Bounds.left, Bounds.top, Bounds.right - Bounds.left, Bounds.bottom - Bounds.top);
    list->BorderStyle = bsNone;
    for (const char* item : Items) list->Items()->Add(item);
    return list;
}

class VclTest : public ::testing::Test {
protected:
    void SetUp() override {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        oldBoxes_ = SetMessageBoxAnswerer([this](const TMessageBoxRequest& r) {
            Boxes.push_back(r);
            return BoxAnswer;
        });
        Application->OnIdle = nullptr;
        Application->OnException = nullptr;
        ProcessPendingMessages();
    }
    void TearDown() override {
        for (auto it = owned_.rbegin(); it != owned_.rend(); ++it) delete *it;
        owned_.clear();
        Application->OnIdle = nullptr;
        Application->OnMessage = nullptr;
        Application->MainForm = nullptr;
        ProcessPendingMessages();
        SetMessageBoxAnswerer(std::move(oldBoxes_));
    }
    // Keeps a component to free at the end of the test (the last made first).
    template <class T>
    T* Keep(T* c) {
        owned_.push_back(c);
        return c;
    }
    void Forget(TComponent* c) { owned_.erase(std::remove(owned_.begin(), owned_.end(), c), owned_.end()); }

    // Clicks a point of a window (client coordinates) with the left button, through its messages.
    static void ClickAt(HWND hwnd, int x, int y) {
        SendMessage(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)));
        SendMessage(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)));
    }

    std::vector<TMessageBoxRequest> Boxes;
    int BoxAnswer = IDOK;

private:
    TMessageBoxAnswerer oldBoxes_;
    std::vector<TComponent*> owned_;
};

}  // namespace zel::test
