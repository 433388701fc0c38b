#pragma once
// TFormTransmet, the transfer progress window: the one modal window shown while the model sends or
// receives an element or a bank. It counts bytes, messages and elements, drives a percentage gauge, lets
// the user cancel, and carries the two timers the model hangs its transfer steps on. It is the model's
// ITransferProgress.
#include <cstdint>
#include <string>

#include "model/ModelServices.h"
#include "platform/vcl/Buttons.h"
#include "platform/vcl/ExtCtrls.h"
#include "platform/vcl/Forms.h"
#include "platform/vcl/Gauges.h"
#include "platform/vcl/StdCtrls.h"

namespace zel {

class TFormTransmet;

// The window as the model sees it.
class TTransmetProgress : public ITransferProgress {
public:
    explicit TTransmetProgress(TFormTransmet& form) : form_(form) {}
    void Start(int expectedMessages, const std::string& title, const std::string& elementLabel) override;
    void SetTransmetting() override;
    void AddSended(int bytes, int messages) override;
    void AddReceived(int bytes, int messages) override;
    void AddElem(int count) override;
    bool GetCompleted() const override;
    void SetCompleted(bool completed) override;
    void ShowModal() override;
    void Close() override;
    void SetTimer(TTransferTimer timer, std::uint32_t intervalMs, std::function<void()> handler, bool enabled) override;
    void SetTimerEnabled(TTransferTimer timer, bool enabled) override;

private:
    TTimer* TimerOf(TTransferTimer timer) const;
    TFormTransmet& form_;
};

class TFormTransmet : public TForm {
public:
    explicit TFormTransmet(TComponent* AOwner);
    ~TFormTransmet() override;
    std::string ClassName() const override { return "TFormTransmet"; }
    const TFormResource* FormResource() const override;
    void DefineBindings(TFormBindings& Bindings) override;

    // ---- components of the form resource
    TGroupBox* GroupBox3 = nullptr;
    TLabel* LabelReceiving = nullptr;
    TGroupBox* GroupBox4 = nullptr;
    TLabel* LabelElem = nullptr;
    TLabel* LabelElemNum = nullptr;
    TGroupBox* GroupBox1 = nullptr;
    TLabel* Label1 = nullptr;
    TLabel* LabelByteSended = nullptr;
    TLabel* Label2 = nullptr;
    TLabel* LabelMessageSended = nullptr;
    TGroupBox* GroupBox2 = nullptr;
    TLabel* Label5 = nullptr;
    TLabel* LabelBytereceived = nullptr;
    TLabel* Label6 = nullptr;
    TLabel* LabelMessageReceived = nullptr;
    TGauge* Gauge = nullptr;
    TBitBtn* BitBtn1 = nullptr;
    TTimer* Timer = nullptr;
    TTimer* TimerCleanup = nullptr;

    // ---- counters and flags
    std::int32_t BytesReceived = 0;
    std::int32_t BytesSended = 0;
    std::int32_t MessagesReceived = 0;
    std::int32_t MessagesSended = 0;
    std::int32_t MessagesExpected = 0;  // the gauge's 100 %
    std::int32_t ElementsDone = 0;
    std::uint8_t Transmitting = 0;  // 1: the gauge follows the messages sent, the Receive box is hidden
    std::uint8_t Completed = 0;     // set by the model when the whole transfer has finished

    // Zeroes the counters, shows the receive layout with the title and the element label.
    void Start(int Expected, const std::string& Title, const std::string& ElemLabel);
    // Switches to the send layout (after Start, by the sending side).
    void SetTransmetting();
    void AddSended(int Bytes, int Messages);
    void AddReceived(int Bytes, int Messages);
    void AddElem(int Count);
    // The gauge's percentage for a count: truncated, and never above 100.
    int PercentOf(std::int32_t Count) const;

    ITransferProgress& Progress() { return progress_; }

    // ---- handlers
    void FormShow(TObject* Sender);
    void FormActivate(TObject* Sender);
    void FormClose(TObject* Sender, TCloseAction& Action);
    void BitBtn1Click(TObject* Sender);

private:
    TTransmetProgress progress_{*this};
};

}  // namespace zel
