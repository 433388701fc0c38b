#pragma once
// TFormUpdateNames, "Updating names": asks the instrument for the names of its user and data-card
// performances and patches, 16 at a time, and writes them to "UserCard.Txt". It holds the four lists of
// that file and is, with the name picker, the model's INameLists: the bank transfers keep the lists up to
// date through it.
#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "model/ModelServices.h"
#include "platform/rtl/StringList.h"
#include "platform/vcl/Buttons.h"
#include "platform/vcl/ExtCtrls.h"
#include "platform/vcl/Forms.h"
#include "platform/vcl/Gauges.h"
#include "platform/vcl/StdCtrls.h"

namespace zel {

class TFormUpdateNames;

// The name lists as the model sees them.
class TUpdateNamesLists : public INameLists {
public:
    explicit TUpdateNamesLists(TFormUpdateNames& form) : form_(form) {}
    void LoadUpdateNames() override;
    TStrings& UpdateNames(TNameListKind list) override;
    void SaveUpdateNames() override;
    void LoadNames() override;
    // Answered by the name picker TFormNames.
    int PickName(int List, int Selected) override;
    std::string NameAt(int List, int Index) const override;

private:
    TFormUpdateNames& form_;
};

class TFormUpdateNames : public TForm {
public:
    explicit TFormUpdateNames(TComponent* AOwner);
    ~TFormUpdateNames() override;
    std::string ClassName() const override { return "TFormUpdateNames"; }
    const TFormResource* FormResource() const override;
    void DefineBindings(TFormBindings& Bindings) override;

    // The update's 20 steps of 16 names each.
    static constexpr int StepCount = 20;
    static constexpr int NamesPerStep = 16;
    static constexpr int TotalNames = StepCount * NamesPerStep;
    static constexpr std::uint32_t ReplyTimeoutMs = 800;

    // ---- components of the form resource
    TLabel* Label1 = nullptr;
    TGauge* Gauge1 = nullptr;
    TBitBtn* cancelBtn = nullptr;
    TTimer* Timer1 = nullptr;

    // ---- the four lists of "UserCard.Txt", in file order (TNameListKind)
    std::array<TStringList, 4> Lists;
    TStrings& List(TNameListKind Kind) { return Lists[static_cast<std::size_t>(Kind)]; }

    // ---- the update's state
    int Step = 0;           // 0..19
    int Replies = 0;        // names of the current step received so far
    int NamesReceived = 0;  // names counted so far (a skipped card step counts its 16)
    int StartCount = 0;     // NamesReceived when the current step began

    // Refills the four lists from "UserCard.Txt" in the data folder. A missing file leaves them empty
    // (a first run has none yet); a file that cannot be read raises EInOutError.
    void Load();
    // Writes the four lists to "UserCard.Txt" and closes the window (running its close handler even when
    // it is hidden). A failure raises EInOutError "Unable to Write UserCard.Txt", the old file unchanged
    // and the window left open.
    void Save();

    INameLists& NameLists() { return lists_; }

    // ---- handlers
    void FormShow(TObject* Sender);
    void FormClose(TObject* Sender, TCloseAction& Action);
    void Timer1Timer(TObject* Sender);
    void cancelBtnClick(TObject* Sender);

private:
    // Sends the current step's 16 requests, unless the user has pressed Cancel meanwhile.
    void SendStep();
    // The input handler of a running update: takes one event and keeps it when it is a name of the step.
    void NamesInput(TObject* Sender);
    // The list position a reply names when it is a good data set of one of the current step's names;
    // -1 for anything else.
    int NameIndexOf(const TMyMidiEvent& Event) const;
    // Stores a name at its position in the step's list, blank names filling any gap before it.
    void StoreName(int Index, const std::string& Name);
    // The step's names are complete: the next step, or after the last the file and the picker.
    void StepDone();
    void ShowGauge();
    void RestartTimer();
    // True when a press of the left button on Cancel waits in the message queue.
    bool CancelPressPending() const;

    TUpdateNamesLists lists_{*this};
    std::uint16_t stepReceived_ = 0;  // which of the step's 16 names have come
    bool running_ = false;            // between the show and the close
};

extern TFormUpdateNames* FormUpdateNames;

}  // namespace zel
