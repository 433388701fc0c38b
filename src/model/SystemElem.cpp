#include "model/SystemElem.h"

#include <cstring>

#include "model/CurrentElements.h"
#include "model/ModelServices.h"
#include "model/SysexFraming.h"

namespace zel {

namespace {

// The order in which the system's editors are refreshed and closed.
constexpr std::array<int, TSystem::SystemEditorCount> EditorOrder = {TSystem::seSetup, TSystem::seMidi,
                                                                     TSystem::sePreview, TSystem::seScaleTune};

}  // namespace

TSystem::TSystem(TLibElem* AOwner) : TLibElem(AOwner), Common(std::make_unique<TSystemCommon>()) {
    ElemType = etSystem;
    Name = "Untitled";
    for (int i = 1; i <= ScaleTuneCount; ++i)
        ScaleTunes[static_cast<std::size_t>(i - 1)] = std::make_unique<TPartScaleTune>(i);
}

TSystem::~TSystem() {
    CloseWindow();
    CloseEditors();
    if (CurrentSystem == this) CurrentSystem = nullptr;
}

std::array<TSyxMessage, 1 + ScaleTuneCount> TSystem::SyxMessages() {
    std::array<TSyxMessage, 1 + ScaleTuneCount> m;
    m[0] = {Common->Message.data(), TSystemCommon::DataSize, XpSystemCommonExtra};
    for (int i = 1; i <= ScaleTuneCount; ++i)
        m[static_cast<std::size_t>(i)] = {ScaleTune(i).Message.data(), TPartScaleTune::DataSize, 0};
    return m;
}

void TSystem::Assign(TLibElem* Source) {
    TLibElem::Assign(Source);
    auto* source = dynamic_cast<TSystem*>(Source);
    if (source == nullptr || source == this) return;
    Common->AssignMessage(*source->Common);
    for (int i = 1; i <= ScaleTuneCount; ++i) ScaleTune(i).AssignMessage(source->ScaleTune(i));
}

void TSystem::UpdateViews() {
    if (WindowOpen != 0) UpdateWindowView(Window);
    for (int e : EditorOrder) UpdateEditorViews(std::span<const TEditorSlot>(&Editors[static_cast<std::size_t>(e)], 1));
}

void TSystem::CloseEditors() {
    for (int e : EditorOrder) CloseEditorSlots(std::span<TEditorSlot>(&Editors[static_cast<std::size_t>(e)], 1));
}

void TSystem::BuildSysEx() {
    Common->BuildMessage(SystemBase);
    for (int i = 1; i <= ScaleTuneCount; ++i) ScaleTune(i).BuildMessage(SystemBase + ScaleTuneOffset(i));
}

void TSystem::WriteSyx(TStream& F) {
    TLibElem::WriteSyx(F);  // builds the headers
    const auto messages = SyxMessages();
    WriteSyxBody(F, messages);
}

void TSystem::ReadSyx(TStream& F) {
    const auto messages = SyxMessages();
    ReadSyxBody(F, messages);
}

void TSystem::WriteLibRecord(TStream& F) {
    TLibElem::WriteLibRecord(F);
    for (const TEditorSlot& slot : Editors) {
        WriteI16(F, slot.Left);
        WriteI16(F, slot.Top);
    }
    WriteSyx(F);
}

void TSystem::ReadLibRecord(TStream& F) {
    TLibElem::ReadLibRecord(F);
    std::array<std::int16_t, 2 * SystemEditorCount> positions{};
    for (std::int16_t& v : positions) v = ReadI16(F);
    ReadSyx(F);
    for (std::size_t e = 0; e < Editors.size(); ++e) {
        Editors[e].Left = positions[2 * e];
        Editors[e].Top = positions[2 * e + 1];
    }
}

void TSystem::Transmit(bool ToTemporary) {
    (void)ToTemporary;
    if (DevicesOpen == 0) return;
    CurrentSystem = this;
    PreviewChannel = 1;
    TransferAddress = SystemBase;
    const TQueuedSends queued;
    SendDataSet(SystemBase, 0, 0, Common->DataSpan());
    for (int i = 1; i <= ScaleTuneCount; ++i) SendDataSet(SystemBase, ScaleTuneOffset(i), 0, ScaleTune(i).DataSpan());
}

TReceiveTable TSystem::ReceiveTable(bool FromTemporary) {
    (void)FromTemporary;  // the system has one area
    TReceiveTable table{.Blocks = {}, .Base = SystemBase, .Title = "Now Receiving System", .Label = "System"};
    table.Blocks.push_back({0, SystemCommonRequestSize, Common->Message});
    for (int i = 1; i <= ScaleTuneCount; ++i)
        table.Blocks.push_back({ScaleTuneOffset(i), ScaleTuneRequestSize, ScaleTune(i).Message});
    return table;
}

void TSystem::InitDefault() {
    Common->Initialise();
    for (int i = 1; i <= ScaleTuneCount; ++i) ScaleTune(i).Initialise();
    UpdateViews();
}

void TSystem::StoreWindowPositions() {
    TLibElem::StoreWindowPositions();
    StoreEditorPositions(Editors);
}

}  // namespace zel
