// The library window: rows of the visible elements, selection by real clicks and keys, masks and sorting,
// deleting into the trash and the trash window, the popup menu, the close question, printing, and sending
// and receiving with the instrument.
#include <gtest/gtest.h>

#include "ProgramFixture.h"
#include "app/Uelibrar.h"
#include "model/Library.h"

namespace zel::test {
namespace {

class LibraryWindow : public Program {
protected:
    void SetUp() override {
        Program::SetUp();
        StartAndWaitOutTheIntro();
    }
    // A library window on a new library holding elements of the given kinds, named "E0", "E1", ...
    TFormLibrary* OpenWith(const std::vector<int>& kinds) {
        auto* library = new TLibrary;
        for (std::size_t i = 0; i < kinds.size(); ++i) {
            library->Elements.push_back(CreateElementOfType(kinds[i], library));
            library->Elements.back()->SetName("E" + std::to_string(i), false);
        }
        TFormLibrary* form = TFormLibrary::OpenLibrary(Formzelmo, *library, false);
        ProcessPendingMessages();
        return form;
    }
};

TEST_F(LibraryWindow, ShowsItsLibrary) {
    TFormLibrary* form = OpenWith({etPatch, etPatchBank, etPerformance, etGlobal});
    EXPECT_EQ(form->Caption(), "Library : Untitled.Lib");
    EXPECT_EQ(form->DrawGrid->GetRowCount(), 4);
    EXPECT_TRUE(SaveWindowImage(form->GetHandle(), ScreenshotPath("library-window")));
}

}  // namespace
}  // namespace zel::test
