#pragma once
// The program with a library holding a performance and a rhythm set, for the tests of their windows and
// editors: the windows opened as a double click on a library row opens them, the editors by a double
// click on their section panel.
#include <string>

#include "EditorsFixture.h"
#include "editors/Uepart.h"
#include "editors/Uepecom.h"
#include "editors/Ueperfor.h"
#include "editors/Uerhyma.h"
#include "editors/Uerhypi.h"
#include "editors/Uerhythm.h"
#include "editors/Uerhytva.h"
#include "editors/Uerhytvf.h"
#include "model/Performance.h"
#include "model/Rhythm.h"
#include "support/model/ScriptedNamePicker.h"

namespace zel::test {

// The helpers on any editors fixture: the in-process one, or the one on JACK.
template <class Base>
class PerformanceEditorsOn : public Base {
protected:
    using Base::Click;
    using Base::DoubleClick;
    using Base::Press;
    using Base::ScreenPoint;
    using Base::Sim;
    using Base::WithProgress;

    // A library window on a new library of Performances performances ("Perf 0", ...) and then Rhythms
    // rhythm sets ("Drums 0", ...).
    TFormLibrary* OpenLibraryWith(int Performances, int Rhythms) {
        auto* library = new TLibrary;
        for (int i = 0; i < Performances; ++i) {
            library->Elements.push_back(CreateElementOfType(etPerformance, library));
            library->Elements.back()->SetName("Perf " + std::to_string(i), false);
        }
        for (int i = 0; i < Rhythms; ++i) {
            library->Elements.push_back(CreateElementOfType(etRhythm, library));
            library->Elements.back()->SetName("Drums " + std::to_string(i), false);
        }
        TFormLibrary* form = TFormLibrary::OpenLibrary(Formzelmo, *library, false);
        ProcessPendingMessages();
        return form;
    }
    template <class T>
    static T& ElementOf(TFormLibrary* form, int i) {
        return dynamic_cast<T&>(*form->Library()->Elements.at(static_cast<std::size_t>(i)));
    }
    static TFormPerformance* OpenPerformance(TPerformance& performance) {
        performance.OpenEditor();
        ProcessPendingMessages();
        Program::SendQueued();
        return dynamic_cast<TFormPerformance*>(performance.Window);
    }
    // A rhythm set's window: its activation sends the set through the progress window.
    TFormRhythm* OpenRhythm(TRhythm& rhythm) {
        WithProgress([&] {
            rhythm.OpenEditor();
            ProcessPendingMessages();
        });
        return dynamic_cast<TFormRhythm*>(rhythm.Window);
    }
    // The parts editor, by a double click on "Parts"; the names it asks for on show answered.
    TFormPart* OpenParts(TFormPerformance* window) {
        DoubleClick(window->PerParts);
        return dynamic_cast<TFormPart*>(window->EditElem->PartEditor.EditorForm);
    }
    TFormPerComm* OpenCommon(TFormPerformance* window) {
        DoubleClick(window->PerCom);
        return dynamic_cast<TFormPerComm*>(window->EditElem->Common->Editors[TPerformanceCommon::ceCommon].EditorForm);
    }
    // A key editor by a double click on its section panel (a second activation sends nothing more).
    template <class T>
    T* OpenKeyEditor(TFormRhythm* window, TPanel* panel, int slot) {
        WithProgress([&] { DoubleClick(panel); });
        return dynamic_cast<T*>(window->EditElem->Editors[static_cast<std::size_t>(slot)].EditorForm);
    }
    // A click on the key of a note on a key selector.
    void ClickKey(TKeySelector* selector, int note) {
        const int index = note - 36;
        const int x = selector->KeyLeft(index) + 3;
        const int y = TKeySelector::IsBlack(index) ? 5 : selector->GetHeight() - 5;
        Press(ScreenPoint(selector, x, y));
    }

    static TBytes PartData(const TPerformance& performance, int part) {
        const TPerformancePart& p = performance.Part(part);
        return TBytes(p.Data(), p.Data() + TPerformancePart::DataSize);
    }
    static TBytes NoteData(const TRhythm& rhythm, int key) {
        const TRhythmNote& n = rhythm.Note(key);
        return TBytes(n.Data(), n.Data() + TRhythmNote::DataSize);
    }
    TBytes TemporaryPart(int part) const {
        return Sim.Read(Addr(0x01, 0, static_cast<std::uint8_t>(0x0F + part), 0), TPerformancePart::DataSize);
    }
    TBytes TemporaryNote(int key) const {
        return Sim.Read(Addr(0x02, 0x09, static_cast<std::uint8_t>(key), 0), TRhythmNote::DataSize);
    }
    static bool Modified(const TLibElem& element) {
        const TLibElem* root = OwnerRoot(const_cast<TLibElem*>(&element));
        const auto* library = dynamic_cast<const TLibrary*>(root);
        return library != nullptr && library->Saved == 0;
    }
};

using PerformanceEditors = PerformanceEditorsOn<Editors>;

}  // namespace zel::test
