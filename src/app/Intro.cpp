#include "app/Intro.h"

#include <exception>

#include "app/Main.h"
#include "app/Ueabout.h"
#include "app/Uecommen.h"
#include "app/Ueedit.h"
#include "app/Ueexpan.h"
#include "app/Uemorph.h"
#include "app/Uenames.h"
#include "app/Ueprevse.h"
#include "app/Uerandom.h"
#include "app/Uesearch.h"
#include "app/Uetransm.h"
#include "app/Ueupdana.h"
#include "midi/dialog/Uemidiio.h"
#include "model/Settings.h"
#include "model/SharedRoutines.h"
#include "platform/vcl/FormReader.h"

namespace zel {

namespace formres {
extern const TFormResource Intro;
}

TFormintro* Formintro = nullptr;

namespace {
const TFormClassRegistration registration("TFormintro", [](TComponent* Owner) -> TCustomForm* {
    return Construct<TFormintro>(Owner);
});

// Makes one of the program's lasting windows, owned by the application; the main window forgets it when
// it is freed.
template <class T>
TSecondaryWindow Secondary(const std::string& Name, T*& Reference) {
    return {Name, [&Reference] {
                Application->CreateForm(Reference);
                if (Formzelmo != nullptr) Formzelmo->FreeNotification(Reference);
            }};
}
}  // namespace

std::vector<TSecondaryWindow>& SecondaryWindows() {
    // clang-format off
    static std::vector<TSecondaryWindow> windows = {
        Secondary("TFormeditorAbout", FormeditorAbout),
        Secondary("TFormExpansion", FormExpansion),
        Secondary("TFormNames", FormNames),
        Secondary("TFormUpdateNames", FormUpdateNames),
        Secondary("TFormEdit", FormEdit),
        Secondary("TFormcomment", Formcomment),
        Secondary("TFormTransmet", FormTransmet),
        Secondary("TFormSearch", FormSearch),
        Secondary("TFormPreviewSetup", FormPreviewSetup),
        Secondary("TFormMorph", FormMorph),
        Secondary("TFormInOut", FormInOut),
    };
    // clang-format on
    return windows;
}

void CreateStartWindows() {
    Application->CreateForm(Formzelmo);
    Application->CreateForm(Formintro);
    Application->CreateForm(FormRandom);
    if (Formzelmo != nullptr) Formzelmo->FreeNotification(FormRandom);
    Formintro->Show();
}

TFormintro::TFormintro(TComponent* AOwner) : TForm(AOwner) {
    if (Formintro == nullptr) Formintro = this;
}

TFormintro::~TFormintro() {
    if (Formintro == this) Formintro = nullptr;
}

const TFormResource* TFormintro::FormResource() const { return &formres::Intro; }

void TFormintro::DefineBindings(TFormBindings& B) {
    B.Field("ImageIntro", ImageIntro);
    B.Field("LabelVer", LabelVer);
    B.Field("Timer1", Timer1);
    B.Handler<TNotifyEvent>("FormCreate", [this](TObject* s) { FormCreate(s); });
    B.Handler<TNotifyEvent>("FormShow", [this](TObject* s) { FormShow(s); });
    B.Handler<TNotifyEvent>("Timer1Timer", [this](TObject* s) { Timer1Timer(s); });
}

void TFormintro::FormCreate(TObject*) {
    if (Formzelmo != nullptr) Formzelmo->SetEnabled(false);
    try {
        ImageIntro->Picture()->LoadFromFile(ProgramFolder + "/introJV.bmp");
    } catch (const std::exception&) {
        // Without its picture the window shows the version alone.
    }
    LabelVer->SetCaption("Version 3.0 for Windows 95-Vista");
    SetWidth(IntroWidth);
    SetHeight(IntroHeight);
}

void TFormintro::FormShow(TObject*) { Timer1->SetEnabled(true); }

void TFormintro::Timer1Timer(TObject*) {
    Timer1->SetEnabled(false);
    try {
        for (const TSecondaryWindow& window : SecondaryWindows()) window.Create();
    } catch (const std::exception&) {
        // The main window would stay disabled with no way out: after the message the program ends.
        Application->HandleException(EInOutError("Out of Memory or Resource"));
        Application->Terminate();
        Release();
        return;
    }
    Application->OnMessage = [](MSG& Msg, bool& Handled) {
        if (Formzelmo != nullptr) Formzelmo->Preview(Msg, Handled);
    };
    if (ZelmoHolder != nullptr) ZelmoHolder->Config->Load();
    if (Formzelmo != nullptr) {
        Formzelmo->SetEnabled(true);
        Formzelmo->LoadDesktopLibrary();
    }
    Release();
}

}  // namespace zel
