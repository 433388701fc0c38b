#pragma once
// A library patch with its window open, for the tests of the six tone editors: each editor is opened by
// a real double click on its section panel, the name picker is scripted, and the instrument simulator
// receives what the editors send.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "EditorsFixture.h"
#include "editors/Uecontr.h"
#include "editors/Uelfo.h"
#include "editors/Uepitch.h"
#include "editors/Uetva.h"
#include "editors/Uetvf.h"
#include "editors/Uewave.h"
#include "support/model/ScriptedNamePicker.h"

namespace zel::test {

class ToneEditors : public Editors {
protected:
    void SetUp() override {
        Editors::SetUp();
        library_ = OpenLibraryOf(2);
        patch_ = &PatchOf(library_, 0);
        patch_->SetName("Warm Pad", false);
        Picker = std::make_unique<TScriptedNamePicker>();
    }
    void TearDown() override {
        Picker.reset();
        Editors::TearDown();
    }

    // The patch window, opened once.
    TFormPatch* Window() {
        if (window_ == nullptr || patch_->Window != window_) window_ = OpenPatch(*patch_);
        return window_;
    }
    // Opens an editor by a double click on its panel of the patch window: "Wave", "Pitch", "TVF", "TVA",
    // "LFO1", "LFO2" or "Control" of tone 1..4. The log of the simulator starts empty afterwards.
    template <class T>
    T* Open(const std::string& Section, int Tone) {
        TFormPatch* window = Window();
        // The patch window comes up over the editors opened before, as the user brings it up.
        window->BringToFront();
        RunQueue();
        DoubleClick(window->SectionPanel(PanelName(Section, Tone)));
        auto* editor = dynamic_cast<T*>(patch_->Tone(Tone).Editors[SlotOf(Section)].EditorForm);
        EXPECT_NE(editor, nullptr) << Section << " " << Tone;
        Sim.ClearLog();
        return editor;
    }
    static std::string PanelName(const std::string& Section, int Tone) {
        const std::string t = std::to_string(Tone);
        if (Section == "Wave") return "Wave" + t;
        if (Section == "Pitch") return "Pitch" + t;
        if (Section == "TVF") return Tone == 1 ? "TVF" : "Tvf" + t;
        if (Section == "TVA") return "Tva" + t;
        if (Section == "LFO1") return "Lfo1" + t;
        if (Section == "LFO2") return "Lfo2" + t;
        return Tone == 4 ? "control4" : "Control" + t;
    }
    static std::size_t SlotOf(const std::string& Section) {
        if (Section == "Wave") return TTone::teWave;
        if (Section == "Pitch") return TTone::tePitch;
        if (Section == "TVF") return TTone::teTVF;
        if (Section == "TVA") return TTone::teTVA;
        if (Section == "LFO1") return TTone::teLFO1;
        if (Section == "LFO2") return TTone::teLFO2;
        return TTone::teControl;
    }
    // Closes every editor and the patch window, as a fresh start for the next row of a table.
    void CloseAll() {
        if (window_ != nullptr && patch_->Window == window_) window_->Close();
        RunQueue();
        window_ = nullptr;
        library_->Library()->Saved = 1;
        Sim.ClearLog();
    }
    // Drags a point of an envelope graph by (DX, DY) pixels with the mouse and lets go.
    void DragGraphPoint(TPanGraph* graph, int n, int dx, int dy) {
        Clock->Advance(GetDoubleClickTime() + 1);
        const TPoint p = graph->PointPos(n);
        POINT s = ScreenPoint(graph, p.x, p.y);
        SetCursorPos(s.x, s.y);
        mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
        RunQueue();
        const int steps = std::max(std::abs(dx), std::abs(dy));
        for (int i = 1; i <= steps; ++i) {
            s = ScreenPoint(graph, p.x + dx * i / steps, p.y + dy * i / steps);
            SetCursorPos(s.x, s.y);
            mouse_event(MOUSEEVENTF_MOVE, 0, 0, 0, 0);
            RunQueue();
        }
        mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
        RunQueue();
    }
    // Drags the slider of a pan slider with the mouse until the pan slider shows Value, and lets go.
    void DragPanTo(TPanSlider* slider, int value) {
        DragSliderTo(slider->Slider(), slider->GetMin() < 0 ? value - slider->GetMin() : value);
    }
    // Holds a mouse button on a value cell (the right one steps up, the left one down) while the time
    // passes, until the cell shows Value; then lets go.
    void HoldCellUntil(TClickEdit* cell, int value) {
        Clock->Advance(GetDoubleClickTime() + 1);
        const bool up = value > cell->GetValue();
        const POINT p = Centre(cell);
        SetCursorPos(p.x, p.y);
        mouse_event(up ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
        RunQueue();
        for (int guard = 0; guard < 20000 && cell->GetValue() != value; ++guard) {
            Clock->Advance(1);
            RunQueue();
        }
        mouse_event(up ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
        RunQueue();
    }
    // Chooses an item of a combo box with the mouse: a click opens its list, a click on the item chooses it.
    void ChooseItem(TComboBox* combo, int index) {
        Click(combo);
        TComboListBox* list = combo->ListBox();
        ASSERT_NE(list, nullptr);
        const TRect r = list->ItemRect(index);
        const TPoint p = list->ClientToScreen(TPoint{r.left + 10, (r.top + r.bottom) / 2});
        Press(POINT{p.x, p.y});
    }

    // The data set of one or more bytes of tone Tone from data byte Index (128 lies at offset 01 00), as
    // the instrument receives it from device ID 17.
    static std::string ToneSet(int Tone, int Index, std::initializer_list<int> Data) {
        std::vector<std::uint8_t> m{0xF0,
                                    0x41,
                                    0x10,
                                    0x6A,
                                    0x12,
                                    0x03,
                                    0x00,
                                    static_cast<std::uint8_t>(0x10 + 2 * (Tone - 1) + Index / 128),
                                    static_cast<std::uint8_t>(Index % 128)};
        for (int d : Data) m.push_back(static_cast<std::uint8_t>(d));
        int sum = 0;
        for (std::size_t i = 5; i < m.size(); ++i) sum += m[i];
        m.push_back(static_cast<std::uint8_t>((128 - sum % 128) % 128));
        m.push_back(0xF7);
        return Hex(TBytes(m.begin(), m.end()));
    }
    static std::vector<std::string> Sets(std::initializer_list<std::string> Lines) { return Lines; }

    // A row of an editor's table of inputs: what the patch stores first, the input on the open editor and
    // the data sets the instrument receives.
    template <class TEditor>
    struct TToneRow {
        const char* Name;
        int Tone;
        std::function<void(TPatch&)> Stored;
        std::function<void(TEditor*)> Input;
        std::vector<std::string> Sent;
    };
    // For each row: stores its data, opens the editor (OpenRow), gives it the input and checks the data sets
    // received, the instrument's temporary tone against the stored one, and one undo step; AfterInput
    // checks more on the open editor. No message box comes.
    template <class TEditor, class TRow>
    void CheckEachRow(const std::vector<TRow>& Rows, const std::function<TEditor*(const TRow&)>& OpenRow,
                      const std::function<void(TEditor*)>& AfterInput = nullptr) {
        for (const TRow& row : Rows) {
            SCOPED_TRACE(row.Name);
            row.Stored(*patch_);
            TEditor* editor = OpenRow(row);
            row.Input(editor);
            EXPECT_EQ(Received(), row.Sent);
            EXPECT_EQ(TemporaryTone(row.Tone), ToneData(*patch_, row.Tone));
            EXPECT_EQ(editor->CurrentUndoList()->Count(), 1);
            if (AfterInput) AfterInput(editor);
            CloseAll();
        }
        EXPECT_TRUE(Boxes.empty());
    }

    std::unique_ptr<TScriptedNamePicker> Picker;
    TFormLibrary* library_ = nullptr;
    TPatch* patch_ = nullptr;
    TFormPatch* window_ = nullptr;
};

}  // namespace zel::test
