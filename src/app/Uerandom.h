#pragma once
// TFormRandom, "Bank Random": builds a bank of 128 patches whose parameters are drawn at random from the
// patches of one patch bank, by whole blocks or by groups of related parameters, with names made of
// random letters of the same kinds. The user hears the result patch by patch and keeps the bank or
// single patches in the library.
#include <memory>
#include <string>

#include "model/LibElem.h"
#include "platform/vcl/Buttons.h"
#include "platform/vcl/Forms.h"
#include "platform/vcl/StdCtrls.h"

namespace zel {

class TBank;
class TFormLibrary;
class TPatch;

class TFormRandom : public TForm {
public:
    explicit TFormRandom(TComponent* AOwner);
    ~TFormRandom() override;
    std::string ClassName() const override { return "TFormRandom"; }
    const TFormResource* FormResource() const override;
    void DefineBindings(TFormBindings& Bindings) override;

    // Set by the library window before showing: the patch bank drawn from and the window to store into.
    TBank* SourceBank = nullptr;
    TFormLibrary* Origin = nullptr;

    // The bank built, while the window shows (owned here, its owner the source bank's library).
    TBank* ResultBank() const;
    // The member index shown and sent, 0..127.
    int Position() const { return position_; }

    // Draws the patch at Index anew from the source bank, as the boxes and the type say; sends nothing.
    void RandomizePatch(int Index);
    // Seeds the generator from the clock and draws every patch, in order.
    void RandomizeBank();

    // ---- components of the form resource
    TGroupBox* GroupBox1 = nullptr;
    TCheckBox* Common = nullptr;
    TCheckBox* Tone1 = nullptr;
    TCheckBox* Tone2 = nullptr;
    TCheckBox* Tone3 = nullptr;
    TCheckBox* Tone4 = nullptr;
    TCheckBox* PatchName = nullptr;
    TGroupBox* GroupBox2 = nullptr;
    TRadioButton* ToneComm = nullptr;
    TRadioButton* RadioButton2 = nullptr;
    TGroupBox* GroupBox3 = nullptr;
    TLabel* Label1 = nullptr;
    TLabel* CurrPatch = nullptr;
    TButton* Precedente = nullptr;
    TButton* Successivo = nullptr;
    TBitBtn* BitBtn1 = nullptr;
    TBitBtn* BitBtn2 = nullptr;
    TBitBtn* BitBtn4 = nullptr;
    TButton* CreateBank = nullptr;
    TButton* CreatePatch = nullptr;
    TButton* Btnclose = nullptr;

    // ---- event handlers
    void FormShow(TObject* Sender);
    void FormClose(TObject* Sender, TCloseAction& Action);
    void BitBtn1Click(TObject* Sender);
    void BitBtn2Click(TObject* Sender);
    void PrecedenteClick(TObject* Sender);
    void SuccessivoClick(TObject* Sender);
    void BitBtn4MouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void BitBtn4MouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void CreateBankClick(TObject* Sender);
    void CreatePatchClick(TObject* Sender);
    void BtncloseClick(TObject* Sender);

private:
    TPatch& Source(int Index) const;
    TPatch& Result(int Index) const;
    // Shows the position and sends its patch to the temporary area.
    void ShowAndSend();
    // The library changed: unsaved, its window refreshed and scrolled, the menus re-evaluated.
    void LibraryChanged();

    std::unique_ptr<TLibElem> result_;
    int position_ = 1;
};

// A name with each vowel replaced by a random vowel and each consonant by a random consonant; a
// replacement is upper-case unless the letter it replaces was a lower-case a-z; other characters stay.
std::string RandomName(const std::string& Name);

// The random window, made at program start; none before.
extern TFormRandom* FormRandom;

}  // namespace zel
