#pragma once
// The program with a library of systems open, for the tests of the system window and its editors: the
// windows opened by real double clicks, and the system area of the instrument simulator to compare with.
#include <gtest/gtest.h>

#include <string>

#include "EditorsFixture.h"
#include "editors/Uescalet.h"
#include "editors/Uesysmid.h"
#include "editors/Uesyspre.h"
#include "editors/Uesysset.h"
#include "editors/Uesystem.h"
#include "model/SystemElem.h"

namespace zel::test {

class Systems : public Editors {
protected:
    // A library window on a new library of systems named "S0", "S1"...
    TFormLibrary* OpenLibraryOfSystems(int Count) {
        auto* library = new TLibrary;
        for (int i = 0; i < Count; ++i) {
            library->Elements.push_back(CreateElementOfType(etSystem, library));
            library->Elements.back()->SetName("S" + std::to_string(i), false);
        }
        TFormLibrary* form = TFormLibrary::OpenLibrary(Formzelmo, *library, false);
        ProcessPendingMessages();
        return form;
    }
    static TSystem& SystemOf(TFormLibrary* form, int i) {
        return dynamic_cast<TSystem&>(*form->Library()->Elements.at(static_cast<std::size_t>(i)));
    }
    // Opens the system's window as a double click on its library row does.
    static TFormSystem* OpenSystem(TSystem& system) {
        system.OpenEditor();
        ProcessPendingMessages();
        return dynamic_cast<TFormSystem*>(system.Window);
    }
    // Opens an editor by a double click on its section panel; the messages of the opening are forgotten.
    template <class TEditor>
    TEditor* OpenSection(TFormSystem* window, TPanel* panel, int slot) {
        // The system window comes to the front first: an editor opened before may cover it.
        window->BringToFront();
        ProcessPendingMessages();
        DoubleClick(panel);
        auto* editor = dynamic_cast<TEditor*>(window->EditElem->Editors[static_cast<std::size_t>(slot)].EditorForm);
        EXPECT_NE(editor, nullptr);
        Sim.ClearLog();
        return editor;
    }
    TFormSysSetup* OpenSetup(TFormSystem* w) { return OpenSection<TFormSysSetup>(w, w->SysSetup, TSystem::seSetup); }
    TFormSysMidi* OpenMidi(TFormSystem* w) { return OpenSection<TFormSysMidi>(w, w->SysMidi, TSystem::seMidi); }
    TFormSysPreview* OpenPreview(TFormSystem* w) {
        return OpenSection<TFormSysPreview>(w, w->SysPreview, TSystem::sePreview);
    }
    TFormScaleTune* OpenScaleTune(TFormSystem* w) {
        return OpenSection<TFormScaleTune>(w, w->SysScaleTune, TSystem::seScaleTune);
    }

    // The system's bytes and the simulator's system area: the common's 40 bytes, then the 17 scale tunes.
    static TBytes SystemData(const TSystem& system) {
        TBytes b(system.Common->Data(), system.Common->Data() + TSystemCommon::DataSize);
        for (int i = 1; i <= ScaleTuneCount; ++i)
            b.insert(b.end(), system.ScaleTune(i).Data(), system.ScaleTune(i).Data() + TPartScaleTune::DataSize);
        return b;
    }
    TBytes SystemArea() const {
        TBytes b = Sim.Read(Addr(0, 0, 0, 0), TSystemCommon::DataSize);
        for (int i = 1; i <= ScaleTuneCount; ++i) {
            const TBytes tune = Sim.Read(Addr(0, 0, static_cast<std::uint8_t>(0x0F + i), 0), TPartScaleTune::DataSize);
            b.insert(b.end(), tune.begin(), tune.end());
        }
        return b;
    }
    static TBytes ScaleTuneData(const TSystem& system, int i) {
        return TBytes(system.ScaleTune(i).Data(), system.ScaleTune(i).Data() + TPartScaleTune::DataSize);
    }
    static bool Modified(const TSystem& system) {
        const auto* library = dynamic_cast<const TLibrary*>(OwnerRoot(const_cast<TSystem*>(&system)));
        return library != nullptr && library->Saved == 0;
    }
    // Chooses an item of a combo box as the user does: a click drops the list down, the keys move in it
    // and Enter takes the item.
    void ChooseItem(TComboBox* combo, int index) {
        Click(combo);
        Key(VK_HOME);
        for (int i = 0; i < index; ++i) Key(VK_DOWN);
        Key(VK_RETURN);
    }
};

}  // namespace zel::test
