// Where the main window's children open: places and sizes read back from the settings and from a library
// file, however damaged, open each window on the client area at a size a window can have; and a library
// window reads back the place and size it was given, so that only a real move asks for the library to be
// saved.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <deque>
#include <string>

#include "BarInput.h"
#include "ProgramFixture.h"
#include "app/Uelibrar.h"
#include "model/Library.h"
#include "platform/win/SysInfo.h"

namespace zel::test {
namespace {

class MainPlaces : public Program {
protected:
    void SetUp() override {
        Program::SetUp();
        oldDialogs_ = SetFileDialogAnswerer([this](TOpenDialog& d) {
            if (Choose.empty()) return false;
            d.FileName = Choose.front();
            Choose.pop_front();
            return true;
        });
    }
    void TearDown() override {
        ReleaseHeldInput();
        SetFileDialogAnswerer(std::move(oldDialogs_));
        Program::TearDown();
    }
    std::string File(const std::string& name) const { return Folder() + "/" + name; }
    static TFormLibrary* LibraryWindow() {
        for (int i = 0; i < Formzelmo->MDIChildCount(); ++i)
            if (auto* w = dynamic_cast<TFormLibrary*>(Formzelmo->MDIChildren(i))) return w;
        return nullptr;
    }
    template <class T>
    static T* Child() {
        for (int i = 0; i < Formzelmo->MDIChildCount(); ++i)
            if (auto* w = dynamic_cast<T*>(Formzelmo->MDIChildren(i))) return w;
        return nullptr;
    }

    std::deque<std::string> Choose;

private:
    TFileDialogAnswerer oldDialogs_;
};

// ------------------------------------------------------------------------------------ stored places

struct TStoredPlace {
    const char* Name;
    long long Left, Top, Width, Height;
};

const TStoredPlace kStoredPlaces[] = {
    {"LargestInteger", INT_MAX, INT_MAX, INT_MAX, INT_MAX},
    {"SmallestInteger", INT_MIN, INT_MIN, INT_MIN, INT_MIN},
    {"NegativeSize", 20, 20, -300, -200},
    {"NoSize", 0, 0, 0, 0},
    {"HugeSize", 0, 0, 100000, 100000},
    {"FarOffScreen", 50000, -50000, 400, 300},
    {"FarLeftBelow", -50000, 50000, 400, 300},
};

class StoredPlaces : public MainPlaces, public ::testing::WithParamInterface<TStoredPlace> {};

// The value a library file can hold (two bytes).
std::int16_t AsStored(long long v) { return static_cast<std::int16_t>(std::clamp<long long>(v, INT16_MIN, INT16_MAX)); }

// A place and size from the settings (keyboard, monitor) and from a library file: each window opens on the
// client area, at most the work area's size with its frame, with its caption on the client area. The
// sanitizer build stops at an overflow of a rectangle's end.
TEST_P(StoredPlaces, OpenEachWindowOnTheClientAreaAtASizeAWindowCanHave) {
    const TStoredPlace& p = GetParam();
    {
        TLibrary library;
        library.Elements.push_back(CreateElementOfType(etPatch, &library));
        library.WindowLeft = AsStored(p.Left);
        library.WindowTop = AsStored(p.Top);
        library.WindowWidth = AsStored(p.Width);
        library.WindowHeight = AsStored(p.Height);
        library.SaveToFile(File("placed.Lib"));
        TIniFile ini(SettingsFileName);
        ini.WriteInteger("Desktop", "Num Library", 1);
        ini.WriteString("Desktop", "Library1", File("placed.Lib"));
        for (const char* section : {"Keyboard", "Monitor"}) {
            ini.WriteInteger(section, "Open", 1);
            ini.WriteString(section, "Left", std::to_string(p.Left));
            ini.WriteString(section, "Top", std::to_string(p.Top));
            ini.WriteString(section, "Width", std::to_string(p.Width));
            ini.WriteString(section, "Height", std::to_string(p.Height));
        }
    }
    StartAndWaitOutTheIntro();
    RECT work{};
    SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0);
    RECT client{};
    GetWindowRect(Formzelmo->ClientHandle(), &client);
    GetClientRect(Formzelmo->ClientHandle(), &client);
    POINT origin{0, 0};
    ClientToScreen(Formzelmo->ClientHandle(), &origin);
    OffsetRect(&client, origin.x, origin.y);
    const int caption = GetSystemMetrics(SM_CYCAPTION);
    for (TCustomForm* form :
         std::initializer_list<TCustomForm*>{Child<TFormKeyboard>(), Child<TFormMonitor>(), LibraryWindow()}) {
        ASSERT_NE(form, nullptr);
        SCOPED_TRACE(form->ClassName());
        EXPECT_TRUE(IsWindowVisible(form->GetHandle()));
        RECT r{};
        GetWindowRect(form->GetHandle(), &r);
        const int frameX = form->GetWidth() - form->ClientWidth();
        const int frameY = form->GetHeight() - form->ClientHeight();
        EXPECT_GE(r.right - r.left, GetSystemMetrics(SM_CXMINTRACK));
        EXPECT_GE(r.bottom - r.top, GetSystemMetrics(SM_CYMINTRACK));
        EXPECT_LE(r.right - r.left, work.right - work.left + frameX);
        EXPECT_LE(r.bottom - r.top, work.bottom - work.top + frameY);
        EXPECT_GE(r.top, client.top);
        EXPECT_LE(r.top + caption, client.bottom);
        EXPECT_GE(std::min(r.right, client.right) - std::max(r.left, client.left), caption);
    }
    // The window shows whole: what the window's image holds is no larger than the window.
    ASSERT_TRUE(SaveWindowImage(Formzelmo->GetHandle(), ScreenshotPath(std::string("stored-place-") + p.Name)));
}

INSTANTIATE_TEST_SUITE_P(Settings, StoredPlaces, ::testing::ValuesIn(kStoredPlaces),
                         [](const ::testing::TestParamInfo<TStoredPlace>& info) { return info.param.Name; });

// ------------------------------------------------------------------------- an unchanged library

// Saved from its window (the place and size in the file are a window's), or made without one (no place
// in the file): opened and closed with nothing changed, no question; moved, the question.
TEST_F(MainPlaces, AnUnchangedLibraryClosesWithoutAQuestionAndAMovedOneAsks) {
    StartAndWaitOutTheIntro();
    {
        TLibrary library;
        library.Elements.push_back(CreateElementOfType(etPatch, &library));
        library.SaveToFile(File("fresh.Lib"));
    }
    Click(Formzelmo->FileNewItem);
    TFormLibrary* made = LibraryWindow();
    ASSERT_NE(made, nullptr);
    made->SetBounds(37, 23, made->GetWidth(), made->GetHeight() + 17);
    Choose.push_back(File("placed.Lib"));
    Click(Formzelmo->FileSaveAsItem);
    Click(Formzelmo->FileCloseItem);
    ASSERT_EQ(LibraryWindow(), nullptr);

    for (const char* name : {"placed.Lib", "fresh.Lib"}) {
        SCOPED_TRACE(name);
        Boxes.clear();
        Choose.push_back(File(name));
        Click(Formzelmo->FileOpenItem);
        ASSERT_NE(LibraryWindow(), nullptr);
        EXPECT_EQ(LibraryWindow()->Library()->Saved, 1);
        Click(Formzelmo->FileCloseItem);
        EXPECT_EQ(LibraryWindow(), nullptr) << "closed without a question";
        EXPECT_TRUE(Boxes.empty());
    }

    // Opened again, the window is where it was saved; moved, it asks.
    Choose.push_back(File("placed.Lib"));
    Click(Formzelmo->FileOpenItem);
    TFormLibrary* w = LibraryWindow();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->GetLeft(), 37);
    EXPECT_EQ(w->GetTop(), 23);
    w->SetBounds(w->GetLeft() + 30, w->GetTop() + 10, w->GetWidth(), w->GetHeight());
    BoxAnswer = IDNO;
    Click(Formzelmo->FileCloseItem);
    EXPECT_EQ(BoxTexts(), (std::vector<std::string>{"placed.Lib Was Not Saved, Save It ?"}));
}

}  // namespace
}  // namespace zel::test
