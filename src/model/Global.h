#pragma once
// The global set: the image of everything the instrument stores, as one element. Its seven members are,
// in this fixed order: the user and the card patch bank, the user and the card performance bank, the
// user and the card rhythm bank, and the system. It is sent or fetched member by member, kept inside a
// library, or saved alone as a .Glb file.
//
// .Glb file: exactly the global's library record (little-endian): i16 type code 7, the element header,
// i16 WindowWidth, i16 WindowHeight, then the seven members' complete records, each beginning with its
// own type code (1, 1, 3, 3, 5, 5, 6). The same bytes form a global's record in a .Lib file.
#include <cstdint>
#include <string>

#include "model/Bank.h"

namespace zel {

class TSystem;

inline constexpr const char* UntitledGlb = "Untitled.Glb";
inline constexpr int GlobalMemberCount = 7;
// A .Glb file holds one global's record, 219,450 bytes (a little more in the XP form); a file above this
// size is refused before anything is read.
inline constexpr std::int64_t MaxGlobalFileSize = std::int64_t{1} << 20;

class TGlobal : public TBank {
public:
    // Type code 7, file "Untitled.Glb", and the seven members at their initial values.
    explicit TGlobal(TLibElem* AOwner);
    std::string ClassName() const override { return "TGlobal"; }

    // Each member's complete library record, in member order.
    void WriteSyx(TStream& F) override;
    // Each member's record in member order, each after its type code. A type code that is not the
    // member's own, or a record that ends early, raises EReadError.
    void ReadSyx(TStream& F) override;
    // Sends every member that takes part, in member order; stops when one did not complete.
    void Transmit(bool ToTemporary) override;
    // Fetches every member that takes part, in member order; stops when one did not complete.
    void Receive(bool FromTemporary) override;
    // The banks that take part, each as its block; then the system under a "System  [ Global : name ]"
    // heading, without its location column.
    void PrintLine(int& Y, bool WithLocation) override;
    // The members keep the places they were made or read with.
    void PlaceMembers() override {}

    // Whether the member at Index is sent, fetched and printed: the system and the user banks always,
    // the card banks only while a data card is installed.
    bool TakesPart(int Index) const;

    // "Load Global": reads a .Glb file chosen in the open dialog. The whole file is checked before the
    // global changes; a damaged one (short, of another kind, with bytes after the record) raises
    // EInOutError "Error Loadind Global" and leaves it as it was. The global then keeps the file's
    // whole path and is named after the file.
    void LoadGlobalDialog();
    // Saves to FileName once the global has a file (and SaveAs is false), else through the "Save
    // Global" dialog with the overwrite question. Failure: EInOutError "Error Saving Global", the old
    // file unchanged.
    void SaveGlobalDialog(bool SaveAs);
    // Reads the .Glb file at Path (as LoadGlobalDialog does once a file is chosen). A file larger than
    // MaxGlobalFileSize is refused from its size.
    void LoadGlobalFile(const std::string& Path);
    // Reads the bytes of a .Glb file, from F's position to its end. They are checked whole before the
    // global changes: anything but one global record raises EReadError and leaves it as it was.
    void ReadGlobalFile(TStream& F);
    // Writes the .Glb file at Path through the safe file writer; HasFile := 1.
    void SaveGlobalFile(const std::string& Path);

    TPatchBank& PatchBank(bool UserMemory);
    TPerformanceBank& PerformanceBank(bool UserMemory);
    TRhythmBank& RhythmBank(bool UserMemory);
    TSystem& System();
};

}  // namespace zel
