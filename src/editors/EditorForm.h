#pragma once
// The protocol every sound editor window follows, container and section editor alike: how it takes its
// element while it is made, fills its controls without writing anything back, turns one control change
// into one stored and transmitted byte with an undo record, undoes and reverts, comes to the front as the
// element made current, and closes, by the user or by its element.
//
// TEditorForm is the one base of these windows and the editor window the main window reaches through
// IElementWindow. TPatchSectionEditor adds what the editors of one block of a patch share.
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "model/ModelServices.h"
#include "model/ParamBlocks.h"
#include "model/UndoList.h"
#include "platform/vcl/ExtCtrls.h"
#include "platform/vcl/Forms.h"
#include "platform/vcl/StdCtrls.h"

namespace zel {

class TFormBindings;
class TPatch;

class TEditorForm : public TForm, public IElementWindow {
public:
    explicit TEditorForm(TComponent* AOwner) : TForm(AOwner) {}
    ~TEditorForm() override;
    std::string ClassName() const override { return "TEditorForm"; }

    // ---- the protocol's fields
    std::uint8_t InUpdateView = 0;  // 1 while UpdateView fills the controls
    // The window's undo lists (one per page, part, entry or key it shows); the current one is the list
    // of what is on show.
    std::vector<std::unique_ptr<TUndoList>> UndoList;
    // The buttons every section editor has; none in a container window.
    TButton* BtnUndo = nullptr;
    TButton* BtnRevert = nullptr;
    TButton* Btnclose = nullptr;

    // ---- the protocol's operations
    // Fills every control and the caption from the element; writes nothing.
    virtual void UpdateView() = 0;
    // Writes one parameter byte: nothing when its low 8 bits equal the stored byte; else the old byte is
    // pushed, the block's setter stores and sends it, the element is marked modified (unless the window
    // is filling its controls) and the buttons follow.
    void SendandStore(int Position, int Value);
    // Writes a run of 2, 4 or 12 bytes as one undo group and one message.
    void SendAndStoreArray(int Position, std::span<const std::uint8_t> Bytes);
    // Undo and Revert are enabled exactly while the current list holds a record.
    void CheckBtnEnabled();
    TUndoList* CurrentUndoList() const;

    // ---- handlers of the protocol, bound by DefineProtocolBindings
    virtual void FormCreate(TObject* Sender);
    virtual void FormShow(TObject* Sender);
    void FormActivate(TObject* Sender);
    void FormClose(TObject* Sender, TCloseAction& Action);
    void FormDestroy(TObject* Sender);
    virtual void FormResize(TObject* Sender);
    void BtncloseClick(TObject* Sender);
    void BtnUndoClick(TObject* Sender);
    void BtnRevertClick(TObject* Sender);

    // ---- IElementWindow
    TLibElem* ShownElement() override { return Closed() ? nullptr : Element(); }
    void UpdateElementView() override;
    // Runs the closing steps at once while the element still stands, then hides the window, lets go of
    // the element, the activation, the MIDI input and the timers, and releases it.
    void ReleaseByElement() override;

    // The window has run its closing steps: it shows nothing and sends nothing any more.
    bool Closed() const { return closed_; }
    // Whether the window has the MIDI input's handler (an editor that waits for replies) and nobody has
    // taken it since.
    bool HoldsMidiInput() const;

protected:
    // Binds the protocol's handler names and the Undo, Revert and Close buttons.
    void DefineProtocolBindings(TFormBindings& B);

    // ---- what each window gives
    // The element the window edits; none once it has let go of it.
    virtual TLibElem* Element() const = 0;
    // Takes the element (tone, LFO number...) from the opener variables.
    virtual void TakeOpenerVariables() = 0;
    virtual int HelpContextNumber() const = 0;
    virtual int UndoListCount() const { return 1; }
    // The index of the list on show.
    virtual int CurrentUndoIndex() const { return 0; }
    // The slot of the block that records this editor's window; none when the window was made without an
    // element handed over (the form check of the program), or for a container, which records itself in
    // its element.
    virtual TEditorSlot* EditorSlot() const { return nullptr; }
    // Records the window as open in its slot (a container: in its element) and places it.
    virtual void MarkOpen();
    virtual void PlaceWindow();
    // The closing steps besides freeing the undo lists: the position kept, the open flag cleared (a
    // container also closes the editors of its blocks).
    virtual void CloseSteps();
    // Activation: makes the element the current one of its kind.
    virtual void MakeCurrent() {}
    virtual void ForgetElement() = 0;
    // The panel of the buttons, last in the window; a section editor sizes itself by it.
    virtual TControl* ButtonPanel() const { return nullptr; }

    // ---- the block a section editor edits
    virtual std::uint8_t GetParam(int Position) const;
    // The one-byte and the run setter: store and send.
    virtual void SetParam(int Position, std::uint8_t Value);
    virtual void SetParams(int Position, std::span<const std::uint8_t> Bytes);
    // Puts a byte straight into the block, without a message.
    virtual void PutParam(int Position, std::uint8_t Value);
    // Sends the whole block to the instrument's temporary area.
    virtual void SendBlockToTemp() {}

    // Installs an input handler of the window's own; the window gives the input back when it closes.
    void TakeMidiInput(TNotifyEvent Handler);
    // Gives the input back to the main window's default handler, only when the window still holds it: a
    // transfer that took the input meanwhile keeps it, and its replies.
    void GiveBackMidiInput();

private:
    // Hides the window and cuts it off: no activation, no input, no timers.
    void Disconnect();
    void RunCloseSteps();

    bool closed_ = false;
    bool holdsInput_ = false;
    std::uint64_t inputHandover_ = 0;  // the ports' hand-over count when the window took the input
};

// The editors of one block of a patch: the common (ToneIndex 0) or a tone (1..4).
class TPatchSectionEditor : public TEditorForm {
public:
    using TEditorForm::TEditorForm;
    std::string ClassName() const override { return "TPatchSectionEditor"; }

    TPatch* EditElem = nullptr;
    std::uint8_t ToneIndex = 0;

    // " [Common] [Loc : ...]" or " [Pitch] [Tone 2] [Loc : ...]" after the name.
    std::string EditorCaption(const std::string& Word) const;

protected:
    TLibElem* Element() const override;
    // The block's slot of this editor (EditElem set).
    virtual TEditorSlot& Slot() const = 0;
    TEditorSlot* EditorSlot() const override;
    void MakeCurrent() override;
    void ForgetElement() override { EditElem = nullptr; }
    std::uint8_t GetParam(int Position) const override;
    void SetParam(int Position, std::uint8_t Value) override;
    void SetParams(int Position, std::span<const std::uint8_t> Bytes) override;
    void PutParam(int Position, std::uint8_t Value) override;
    void SendBlockToTemp() override;
};

// A value brought into a range: the nearest valid value of a stored byte that no control can show.
constexpr int ClampToRange(int Value, int Low, int High) { return Value < Low ? Low : (Value > High ? High : Value); }

}  // namespace zel
