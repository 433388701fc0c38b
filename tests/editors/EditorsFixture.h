#pragma once
// The program with a library of patches open, for the tests of the sound editor windows: real mouse and
// key input through the platform's queue, and the instrument simulator behind the ports (device ID 17).
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "app/ProgramFixture.h"
#include "app/Uelibrar.h"
#include "app/Uetransm.h"
#include "editors/Uecommon.h"
#include "editors/Uepatch.h"
#include "model/Library.h"
#include "model/Patch.h"
#include "model/Settings.h"
#include "support/vcl/QueuedInput.h"

namespace zel::test {

class Editors : public Program {
protected:
    void SetUp() override {
        Program::SetUp();
        Sim.DeviceByte = 0x10;
        StartAndWaitOutTheIntro();
        ZelmoHolder->Config->DeviceID = 17;
        SetCursorPos(0, 0);
    }

    // A library window on a new library of patches named "P0", "P1"...
    TFormLibrary* OpenLibraryOf(int Patches) {
        auto* library = new TLibrary;
        for (int i = 0; i < Patches; ++i) {
            library->Elements.push_back(CreateElementOfType(etPatch, library));
            library->Elements.back()->SetName("P" + std::to_string(i), false);
        }
        TFormLibrary* form = TFormLibrary::OpenLibrary(Formzelmo, *library, false);
        ProcessPendingMessages();
        return form;
    }
    static TPatch& PatchOf(TFormLibrary* form, int i) {
        return dynamic_cast<TPatch&>(*form->Library()->Elements.at(static_cast<std::size_t>(i)));
    }
    // Opens the patch's window as a double click on its library row does.
    static TFormPatch* OpenPatch(TPatch& patch) {
        patch.OpenEditor();
        ProcessPendingMessages();
        SendQueued();
        return dynamic_cast<TFormPatch*>(patch.Window);
    }

    // A double click on a row of a library window, as the user opens an element's window.
    static POINT RowPoint(TFormLibrary* form, int row) {
        return ScreenPoint(form->DrawGrid, 100, (row - form->DrawGrid->GetTopRow()) * 18 + 9);
    }
    void DoubleClickRow(TFormLibrary* form, int row) {
        Clock->Advance(GetDoubleClickTime() + 1);
        const POINT p = RowPoint(form, row);
        SetCursorPos(p.x, p.y);
        for (int i = 0; i < 2; ++i) {
            mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
            mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
        }
        RunQueue();
        SendQueued();
    }

    static POINT ScreenPoint(TControl* control, int x, int y) {
        const TPoint p = control->ClientToScreen(TPoint{x, y});
        return POINT{p.x, p.y};
    }
    static POINT Centre(TControl* control) {
        return ScreenPoint(control, control->GetWidth() / 2, control->GetHeight() / 2);
    }
    // A click of the left button at a screen point with the keys held; later than a double click's. The
    // user then waits until what it sent has gone out to the instrument (as do the other actions below).
    void Press(POINT p, std::initializer_list<BYTE> keys = {}) {
        Clock->Advance(GetDoubleClickTime() + 1);
        PressAt(p, keys);
        SendQueued();
    }
    void Click(TControl* control, std::initializer_list<BYTE> keys = {}) { Press(Centre(control), keys); }
    void DoubleClick(TControl* control) {
        Clock->Advance(GetDoubleClickTime() + 1);
        const POINT p = Centre(control);
        SetCursorPos(p.x, p.y);
        for (int i = 0; i < 2; ++i) {
            mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
            mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
        }
        RunQueue();
        SendQueued();
    }
    static void Key(BYTE vk, std::initializer_list<BYTE> held = {}) {
        for (BYTE k : held) keybd_event(k, 0, 0, 0);
        keybd_event(vk, 0, 0, 0);
        keybd_event(vk, 0, KEYEVENTF_KEYUP, 0);
        for (BYTE k : held) keybd_event(k, 0, KEYEVENTF_KEYUP, 0);
        RunQueue();
    }
    // Types the text's letters, digits and blanks with the keyboard, into the control that has the focus.
    static void Type(const std::string& text) {
        for (char c : text) {
            if (c >= 'A' && c <= 'Z') Key(static_cast<BYTE>(c), {VK_SHIFT});
            else if (c >= 'a' && c <= 'z') Key(static_cast<BYTE>(c - 'a' + 'A'));
            else Key(static_cast<BYTE>(c));
        }
    }
    static void MoveTo(POINT p) {
        SetCursorPos(p.x, p.y);
        RunQueue();
    }
    // Presses on a panel, moves past the drag threshold, over the target point, and drops (or presses Esc).
    void Drag(TPanel* from, POINT to, bool escape = false) {
        Clock->Advance(GetDoubleClickTime() + 1);
        const POINT start = Centre(from);
        MoveTo(start);
        mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
        RunQueue();
        MoveTo(POINT{start.x + 12, start.y + 3});
        MoveTo(POINT{to.x + 1, to.y});
        MoveTo(to);
        if (escape) Key(VK_ESCAPE);
        mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
        RunQueue();
        SendQueued();
    }
    // Chooses item Index of a combo box as the user does: the list dropped, the item reached with the
    // arrow keys, and Enter.
    void ChooseItem(TComboBox* combo, int index) {
        Click(combo);
        if (!combo->GetDroppedDown()) Click(combo);
        Key(VK_HOME);
        for (int i = 0; i < index; ++i) Key(VK_DOWN);
        Key(VK_RETURN);
    }

    // Drags a slider's thumb with the mouse until it shows Value, and lets go.
    void DragSliderTo(TSlider* slider, int value) {
        Clock->Advance(GetDoubleClickTime() + 1);
        const TRect thumb = slider->ThumbRect();
        int x = (thumb.left + thumb.right) / 2;
        int y = (thumb.top + thumb.bottom) / 2;
        POINT p = ScreenPoint(slider, x, y);
        SetCursorPos(p.x, p.y);
        mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
        RunQueue();
        const bool vertical = slider->GetOrientation() == slVertical;
        for (int guard = 0; guard < 2000 && slider->GetValue() != value; ++guard) {
            const int step = (slider->GetValue() < value) ? 1 : -1;
            if (vertical) y -= step;
            else x += step;
            p = ScreenPoint(slider, x, y);
            SetCursorPos(p.x, p.y);
            mouse_event(MOUSEEVENTF_MOVE, 0, 0, 0, 0);
            RunQueue();
        }
        mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
        RunQueue();
    }
    // Runs an action that shows the transfer progress window, the time running while it shows.
    void WithProgress(const std::function<void()>& act) {
        int idles = 0;
        Application->OnIdle = [&](TObject*, bool& done) {
            done = false;
            if (++idles > 100000 && FormTransmet != nullptr) FormTransmet->Close();  // never hang the test
            if (FormTransmet == nullptr || !FormTransmet->GetVisible()) return;
            Clock->Advance(10);
        };
        act();
        Application->OnIdle = nullptr;
    }
    // Turns a notebook to a page with a click on its tab.
    void ShowTab(TTabbedNotebook* notebook, int page) {
        const TRect tab = notebook->TabRect(page);
        Press(ScreenPoint(notebook, (tab.left + tab.right) / 2, (tab.top + tab.bottom) / 2));
    }
    // Presses an arrow button of a value field Count times (each press one step).
    void StepField(TMyEdit* field, bool up, int count) {
        for (int i = 0; i < count; ++i) Click(up ? field->UpButton() : field->DownButton());
    }

    // The messages the instrument received since the last ClearLog, as hex text.
    std::vector<std::string> Received() const {
        std::vector<std::string> lines;
        for (const TBytes& m : Sim.ReceivedMessages()) lines.push_back(Hex(m));
        return lines;
    }
    static std::string Hex(const TBytes& bytes) {
        static const char* digits = "0123456789ABCDEF";
        std::string s;
        for (std::uint8_t b : bytes) {
            if (!s.empty()) s += ' ';
            s += digits[b >> 4];
            s += digits[b & 15];
        }
        return s;
    }
    // The data bytes the simulator holds for the temporary patch common and tone t.
    TBytes TemporaryCommon() const { return Sim.Read(Addr(0x03, 0, 0, 0), 72); }
    TBytes TemporaryTone(int t) const {
        return Sim.Read(Addr(0x03, 0, static_cast<std::uint8_t>(0x10 + 2 * (t - 1)), 0), 129);
    }
    static TBytes CommonData(const TPatch& patch) {
        return TBytes(patch.Common->Data(), patch.Common->Data() + TCommon::DataSize);
    }
    static TBytes ToneData(const TPatch& patch, int t) {
        return TBytes(patch.Tone(t).Data(), patch.Tone(t).Data() + TTone::DataSize);
    }
    static bool Modified(const TPatch& patch) {
        const TLibElem* root = OwnerRoot(const_cast<TPatch*>(&patch));
        const auto* library = dynamic_cast<const TLibrary*>(root);
        return library != nullptr && library->Saved == 0;
    }
};

}  // namespace zel::test
