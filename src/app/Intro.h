#pragma once
// TFormintro, the intro window: the program's picture in a borderless window that stays on top while the
// program starts. It keeps the main window disabled until its timer runs the rest of the start-up: the
// secondary windows, the message hook, the settings, the windows of the last session.
#include <functional>
#include <string>
#include <vector>

#include "platform/vcl/ExtCtrls.h"
#include "platform/vcl/Forms.h"
#include "platform/vcl/StdCtrls.h"

namespace zel {

// One window made once at start-up and kept until the end.
struct TSecondaryWindow {
    std::string ClassName;
    std::function<void()> Create;
};
// The secondary windows in the order they are made; the MIDI port dialog, which opens the ports, is last.
std::vector<TSecondaryWindow>& SecondaryWindows();

class TFormintro : public TForm {
public:
    explicit TFormintro(TComponent* AOwner);
    ~TFormintro() override;
    std::string ClassName() const override { return "TFormintro"; }
    const TFormResource* FormResource() const override;
    void DefineBindings(TFormBindings& Bindings) override;

    static constexpr int IntroWidth = 514;
    static constexpr int IntroHeight = 324;

    // ---- components of the form resource
    TImage* ImageIntro = nullptr;
    TLabel* LabelVer = nullptr;
    TTimer* Timer1 = nullptr;

    // ---- handlers
    void FormCreate(TObject* Sender);
    void FormShow(TObject* Sender);
    void Timer1Timer(TObject* Sender);
};

extern TFormintro* Formintro;

// The main block's windows: the main window, then the intro window, shown.
void CreateStartWindows();

}  // namespace zel
