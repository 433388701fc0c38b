#include "model/Global.h"

#include <exception>

#include "model/Settings.h"
#include "model/SharedRoutines.h"
#include "model/SystemElem.h"
#include "model/SyxFiles.h"
#include "platform/rtl/SafeFile.h"
#include "platform/rtl/SysUtils.h"

namespace zel {

namespace {

constexpr const char* SLoadError = "Error Loadind Global";
constexpr const char* SSaveError = "Error Saving Global";

bool DataCardInstalled() {
    return ZelmoHolder != nullptr && ZelmoHolder->Config && ZelmoHolder->Config->Installed != 0;
}

}  // namespace

TGlobal::TGlobal(TLibElem* AOwner) : TBank(AOwner) {
    ElemType = etGlobal;
    FileName = UntitledGlb;
    Members.reserve(GlobalMemberCount);
    auto add = [this](std::unique_ptr<TBank> bank, bool user) {
        bank->User = user ? 1 : 0;
        bank->PlaceMembers();
        Members.push_back(std::move(bank));
    };
    add(std::make_unique<TPatchBank>(this), true);
    add(std::make_unique<TPatchBank>(this), false);
    add(std::make_unique<TPerformanceBank>(this), true);
    add(std::make_unique<TPerformanceBank>(this), false);
    add(std::make_unique<TRhythmBank>(this), true);
    add(std::make_unique<TRhythmBank>(this), false);
    Members.push_back(std::make_unique<TSystem>(this));
}

TPatchBank& TGlobal::PatchBank(bool UserMemory) { return static_cast<TPatchBank&>(*Members[UserMemory ? 0 : 1]); }
TPerformanceBank& TGlobal::PerformanceBank(bool UserMemory) {
    return static_cast<TPerformanceBank&>(*Members[UserMemory ? 2 : 3]);
}
TRhythmBank& TGlobal::RhythmBank(bool UserMemory) { return static_cast<TRhythmBank&>(*Members[UserMemory ? 4 : 5]); }
TSystem& TGlobal::System() { return static_cast<TSystem&>(*Members[6]); }

void TGlobal::PrintLine(int& Y, bool WithLocation) {
    for (int i = 0; i + 1 < GlobalMemberCount; ++i)
        if (TakesPart(i)) Members[static_cast<std::size_t>(i)]->PrintLine(Y, WithLocation);
    PrintCentered(Y, "System  [ Global : " + GetName() + " ]");
    Y += PrintLineHeight();
    System().PrintLine(Y, false);
}

void TGlobal::WriteSyx(TStream& F) {
    for (auto& member : Members) member->WriteLibRecord(F);
}

void TGlobal::ReadSyx(TStream& F) {
    for (auto& member : Members) {
        // The order of the members is fixed: a record of another kind means a damaged file, and reading
        // it as this member would take every following byte out of place.
        const std::int16_t code = ReadI16(F);
        if (code != member->ElemType)
            throw EReadError("A global holds a " + TypeName(member->ElemType) + " where the file has type " +
                             std::to_string(code));
        member->ReadLibRecord(F);
    }
}

bool TGlobal::TakesPart(int Index) const {
    if (Index < 0 || Index >= MemberCount()) return false;
    const TLibElem& member = *Members[static_cast<std::size_t>(Index)];
    return member.ElemType == etSystem || member.User != 0 || DataCardInstalled();
}

void TGlobal::Transmit(bool ToTemporary) {
    ITransferProgress* progress = ModelServices().Progress;
    for (int i = 0; i < MemberCount(); ++i) {
        if (!TakesPart(i)) continue;
        Members[static_cast<std::size_t>(i)]->Transmit(ToTemporary);
        if (progress == nullptr || !progress->GetCompleted()) return;
    }
}

void TGlobal::Receive(bool FromTemporary) {
    // The global counts as modified once a member has stored what it received (its touch goes up the
    // owners), not before.
    ITransferProgress* progress = ModelServices().Progress;
    for (int i = 0; i < MemberCount(); ++i) {
        if (!TakesPart(i)) continue;
        Members[static_cast<std::size_t>(i)]->Receive(FromTemporary);
        if (progress == nullptr || !progress->GetCompleted()) return;
    }
    UpdateViews();
}

void TGlobal::ReadGlobalFile(TStream& F) {
    if (ReadI16(F) != etGlobal) throw EReadError("Not a global file");
    const std::int64_t body = F.GetPosition();
    {
        // A first reading into a scratch global checks the whole file; only then does this one take
        // it, which can no longer fail.
        TGlobal scratch(nullptr);
        scratch.ReadLibRecord(F);
        // A .Glb file is the record and nothing else: more bytes mean a file of another layout.
        if (F.GetPosition() != F.GetSize()) throw EReadError("Bytes after the global's record");
    }
    F.SetPosition(body);
    ReadLibRecord(F);
}

void TGlobal::LoadGlobalFile(const std::string& Path) {
    try {
        TBufferedFileReader file(Path);
        if (file.GetSize() > MaxGlobalFileSize) throw EReadError("The file is too large for a global");
        ReadGlobalFile(file);
    } catch (const std::exception&) {
        throw EInOutError(SLoadError);
    }
    // The whole path, so that a later plain save writes to this file; only a library record's stored
    // field is cut.
    FileName = Path;
    std::string name = ExtractFileName(Path).substr(0, ElementNameLength);
    if (const auto dot = name.find('.'); dot != std::string::npos) name.erase(dot);
    Name = name;
    // The library that holds the global now has unsaved changes.
    TouchElement(this);
    UpdateViews();
}

void TGlobal::LoadGlobalDialog() {
    std::string chosen;
    if (!RunElementFileDialog(TFileDialogKind::Open, "Load Global", "Glb", "Glb file|*.Glb", FileName, chosen)) return;
    LoadGlobalFile(chosen);
}

void TGlobal::SaveGlobalFile(const std::string& Path) {
    // The record is made in memory first: the disk sees it whole or not at all.
    TMemoryStream body;
    try {
        WriteLibRecord(body);
        SafeWriteFile(Path, [&body](TStream& stream) { stream.WriteBuffer(body.Memory(), body.GetSize()); });
    } catch (const std::exception&) {
        throw EInOutError(SSaveError);
    }
    HasFile = 1;
}

void TGlobal::SaveGlobalDialog(bool SaveAs) {
    if (!SaveAs && (CompareText(FileName, UntitledGlb) != 0 || HasFile == 1)) {
        SaveGlobalFile(FileName);
        return;
    }
    std::string chosen;
    if (!RunElementFileDialog(TFileDialogKind::Save, "Save Global", "Glb", "Glb file|*.Glb", FileName, chosen)) return;
    if (FileExists(chosen) && ShowMessageBox("File Alredy Exist. Overwrite it ?", TMessageKind::Confirmation,
                                             TMessageButtons::YesNo) != TMessageResult::Yes)
        return;
    SaveGlobalFile(chosen);
    FileName = chosen;
}

}  // namespace zel
