#pragma once
// What the four key editors of a rhythm set share: one key at a time, chosen on a drawn keyboard (the
// selector's index i stands for key 36 + i, so that its "none", -1, is key 35), an undo history per key,
// the key's name beside the keyboard, Copy and Paste of the editor's section of a key through the
// program's clipboard, and Revert All of every key.
#include <string>

#include "controls/Uecomp.h"
#include "editors/EditorForm.h"
#include "platform/vcl/ExtCtrls.h"
#include "platform/vcl/StdCtrls.h"

namespace zel {

class TRhythm;

class TRhythmKeyEditor : public TEditorForm {
public:
    explicit TRhythmKeyEditor(TComponent* AOwner) : TEditorForm(AOwner) {}
    std::string ClassName() const override { return "TRhythmKeyEditor"; }

    TRhythm* EditElem = nullptr;

    // ---- components every key editor has
    TKeySelector* KeySelector = nullptr;
    TLabel* Key = nullptr;
    TPanel* PanelBtn = nullptr;
    TButton* BtnReverAll = nullptr;
    TButton* CopyBtn = nullptr;
    TButton* PasteBtn = nullptr;

    // The selector's index (-1 .. 62) and the key on show (35 .. 98).
    int KeyIndex() const;
    int CurrentKey() const { return 36 + KeyIndex(); }

    // ---- the protocol
    void UpdateView() override;

    // ---- handlers
    void FormShow(TObject* Sender) override;
    // While the pointer moves over the keys: the name of the key under it.
    void KeySelectorChange(TObject* Sender);
    // On release: the chosen key's values and history.
    void KeySelectorEndchange(TObject* Sender);
    void CopyBtnClick(TObject* Sender);
    void PasteBtnClick(TObject* Sender);
    void BtnReverAllClick(TObject* Sender);

protected:
    // Binds the protocol, the key selector and the key editor's buttons.
    void DefineKeyEditorBindings(TFormBindings& B);

    // ---- what each key editor gives
    virtual int SectionKind() const = 0;
    // The editor's slot in the rhythm set.
    virtual int EditorIndex() const = 0;
    // The editor's word in the caption: "Main", "Pitch", "TVF", "TVA".
    virtual std::string Word() const = 0;
    // Sets the editor's controls from the key on show.
    virtual void FillControls() = 0;

    TLibElem* Element() const override;
    int UndoListCount() const override { return 64; }
    int CurrentUndoIndex() const override { return CurrentKey() - 35; }
    TEditorSlot* EditorSlot() const override;
    void MakeCurrent() override;
    void ForgetElement() override { EditElem = nullptr; }
    TControl* ButtonPanel() const override { return PanelBtn; }
    std::uint8_t GetParam(int Position) const override;
    void SetParam(int Position, std::uint8_t Value) override;
    void SetParams(int Position, std::span<const std::uint8_t> Bytes) override;
    void PutParam(int Position, std::uint8_t Value) override;
    void SendBlockToTemp() override;

    // The envelope graph's points 1..4 written as T1..T4 and then Levels levels, each its own byte.
    void WriteGraph(const TPanGraph& Graph, int FirstTime, int Levels);
    // The graph's points 1..4 from T1..T4 and Levels levels (a graph whose last level is fixed keeps it).
    void ShowGraph(TPanGraph& Graph, int FirstTime, int Levels) const;

private:
    void ShowKeyName();
};

}  // namespace zel
