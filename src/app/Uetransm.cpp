#include "app/Uetransm.h"

#include <algorithm>

#include "platform/vcl/FormReader.h"

namespace zel {

namespace formres {
extern const TFormResource Uetransm;
}

namespace {
const TFormClassRegistration registration("TFormTransmet", [](TComponent* Owner) -> TCustomForm* {
    return Construct<TFormTransmet>(Owner);
});
}  // namespace

// ------------------------------------------------------------------------------------------ TFormTransmet

TFormTransmet::TFormTransmet(TComponent* AOwner) : TForm(AOwner) { ModelServices().Progress = &progress_; }

TFormTransmet::~TFormTransmet() {
    if (ModelServices().Progress == &progress_) ModelServices().Progress = nullptr;
}

const TFormResource* TFormTransmet::FormResource() const { return &formres::Uetransm; }

void TFormTransmet::DefineBindings(TFormBindings& B) {
    B.Field("GroupBox3", GroupBox3);
    B.Field("LabelReceiving", LabelReceiving);
    B.Field("GroupBox4", GroupBox4);
    B.Field("LabelElem", LabelElem);
    B.Field("LabelElemNum", LabelElemNum);
    B.Field("GroupBox1", GroupBox1);
    B.Field("Label1", Label1);
    B.Field("LabelByteSended", LabelByteSended);
    B.Field("Label2", Label2);
    B.Field("LabelMessageSended", LabelMessageSended);
    B.Field("GroupBox2", GroupBox2);
    B.Field("Label5", Label5);
    B.Field("LabelBytereceived", LabelBytereceived);
    B.Field("Label6", Label6);
    B.Field("LabelMessageReceived", LabelMessageReceived);
    B.Field("Gauge", Gauge);
    B.Field("BitBtn1", BitBtn1);
    B.Field("Timer", Timer);
    B.Field("TimerCleanup", TimerCleanup);
    B.Handler<TNotifyEvent>("FormShow", [this](TObject* s) { FormShow(s); });
    B.Handler<TNotifyEvent>("FormActivate", [this](TObject* s) { FormActivate(s); });
    B.Handler<TCloseEvent>("FormClose", [this](TObject* s, TCloseAction& a) { FormClose(s, a); });
    B.Handler<TNotifyEvent>("BitBtn1Click", [this](TObject* s) { BitBtn1Click(s); });
}

int TFormTransmet::PercentOf(std::int32_t Count) const {
    if (MessagesExpected <= 0 || Count <= 0) return 0;
    // More messages than expected (a reply counted in full, a duplicate answer) still shows 100 %.
    return static_cast<int>(std::min<std::int64_t>(100, static_cast<std::int64_t>(Count) * 100 / MessagesExpected));
}

void TFormTransmet::Start(int Expected, const std::string& Title, const std::string& ElemLabel) {
    BytesReceived = 0;
    BytesSended = 0;
    MessagesReceived = 0;
    MessagesSended = 0;
    ElementsDone = 0;
    MessagesExpected = Expected;
    LabelByteSended->SetCaption("0");
    LabelMessageSended->SetCaption("0");
    LabelBytereceived->SetCaption("0");
    LabelMessageReceived->SetCaption("0");
    // A reused window starts its gauge from nothing, not from the last transfer's end.
    Gauge->SetProgress(0);
    GroupBox1->SetWidth(120);
    GroupBox2->SetVisible(true);
    Transmitting = 0;
    LabelReceiving->SetCaption(Title);
    LabelElem->SetCaption(ElemLabel + " : ");
    LabelElemNum->SetLeft(LabelElem->GetLeft() + LabelElem->GetWidth());
    LabelElemNum->SetCaption("");
    Repaint();
    Completed = 0;
}

void TFormTransmet::SetTransmetting() {
    GroupBox1->SetWidth(GroupBox3->GetWidth());
    GroupBox2->SetVisible(false);
    Transmitting = 1;
}

void TFormTransmet::AddSended(int Bytes, int Messages) {
    const bool first = MessagesSended == 0;
    BytesSended += Bytes;
    MessagesSended += Messages;
    LabelByteSended->SetCaption(IntToStr(BytesSended));
    LabelMessageSended->SetCaption(IntToStr(MessagesSended));
    if (Transmitting != 0) {
        Gauge->SetProgress(PercentOf(MessagesSended));
        Gauge->Repaint();
    }
    LabelByteSended->Repaint();
    LabelMessageSended->Repaint();
    if (first) GroupBox1->Repaint();
}

void TFormTransmet::AddReceived(int Bytes, int Messages) {
    const bool first = MessagesReceived == 0;
    BytesReceived += Bytes;
    MessagesReceived += Messages;
    LabelBytereceived->SetCaption(IntToStr(BytesReceived));
    LabelMessageReceived->SetCaption(IntToStr(MessagesReceived));
    if (Transmitting == 0) {
        Gauge->SetProgress(PercentOf(MessagesReceived));
        Gauge->Repaint();
    }
    LabelBytereceived->Repaint();
    LabelMessageReceived->Repaint();
    if (first) GroupBox2->Repaint();
}

void TFormTransmet::AddElem(int Count) {
    ElementsDone += Count;
    LabelElemNum->SetCaption(IntToStr(ElementsDone));
    LabelElemNum->Repaint();
}

void TFormTransmet::FormShow(TObject*) { SetCaption(Transmitting != 0 ? "Transmitting" : "Receiving"); }

void TFormTransmet::FormActivate(TObject*) { Repaint(); }

void TFormTransmet::FormClose(TObject*, TCloseAction&) {
    Timer->SetEnabled(false);
    if (IMidiPorts* ports = ModelServices().MidiPorts) ports->SetInputHandler(ModelServices().DefaultMidiInput);
}

void TFormTransmet::BitBtn1Click(TObject*) { Close(); }

// -------------------------------------------------------------------------------------- TTransmetProgress

void TTransmetProgress::Start(int expectedMessages, const std::string& title, const std::string& elementLabel) {
    form_.Start(expectedMessages, title, elementLabel);
}

void TTransmetProgress::SetTransmetting() { form_.SetTransmetting(); }
void TTransmetProgress::AddSended(int bytes, int messages) { form_.AddSended(bytes, messages); }
void TTransmetProgress::AddReceived(int bytes, int messages) { form_.AddReceived(bytes, messages); }
void TTransmetProgress::AddElem(int count) { form_.AddElem(count); }
bool TTransmetProgress::GetCompleted() const { return form_.Completed != 0; }
void TTransmetProgress::SetCompleted(bool completed) { form_.Completed = completed ? 1 : 0; }
void TTransmetProgress::ShowModal() { form_.ShowModal(); }
void TTransmetProgress::Close() { form_.Close(); }

TTimer* TTransmetProgress::TimerOf(TTransferTimer timer) const {
    return timer == TTransferTimer::Timer ? form_.Timer : form_.TimerCleanup;
}

void TTransmetProgress::SetTimer(TTransferTimer timer, std::uint32_t intervalMs, std::function<void()> handler,
                                 bool enabled) {
    TTimer* t = TimerOf(timer);
    t->SetEnabled(false);
    t->SetInterval(intervalMs);
    if (handler) t->SetOnTimer([handler = std::move(handler)](TObject*) { handler(); });
    else t->SetOnTimer(nullptr);
    t->SetEnabled(enabled);
}

void TTransmetProgress::SetTimerEnabled(TTransferTimer timer, bool enabled) {
    TTimer* t = TimerOf(timer);
    // Enabling starts the interval afresh.
    if (enabled && t->GetEnabled()) t->SetEnabled(false);
    t->SetEnabled(enabled);
}

}  // namespace zel
