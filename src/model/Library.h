#pragma once
// A library: the user's document, an ordered collection of elements of any kind with free-text notes,
// kept in one .Lib file:
//
//   notes     per line an i16 length n and n bytes; then the i16 -1 (FF FF)
//   geometry  i16 WindowWidth, WindowHeight, WindowLeft, WindowTop
//   records   one per element up to the end of the file: i16 type code, the element header, the
//             kind's own part (editor positions and the .Syx body, or a bank's or global's members)
//
// All numbers little-endian. Reading checks every length, count and code against the bytes in the file
// and builds the new contents aside: a file that fails to load leaves the library as it was.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "model/LibElem.h"
#include "platform/rtl/StringList.h"

namespace zel {

inline constexpr const char* UntitledLib = "Untitled.Lib";
// A notes line is stored with a 16-bit length.
inline constexpr std::size_t MaxNoteLineLength = 32767;
// The most notes lines a library keeps: far more than anyone writes into the notes, few enough that a file
// of empty lines (two bytes each in the file, a string each in memory) is refused at once.
inline constexpr int MaxNoteLines = 100000;
// The largest .Lib file read: far beyond any collection of sounds (a thousand global sets take 220 MB); a
// larger file is refused from its size.
inline constexpr std::int64_t MaxLibraryFileSize = std::int64_t{256} << 20;

using TElementList = std::vector<std::unique_ptr<TLibElem>>;

// Sort keys of TLibrary::Sort.
inline constexpr int skModified = 0;
inline constexpr int skName = 1;
inline constexpr int skType = 2;
inline constexpr int skCreated = 3;

class TLibrary : public TLibElem {
public:
    // No type code of its own; "Untitled.Lib", no elements or notes, sizes never stored, saved.
    explicit TLibrary(TLibElem* AOwner = nullptr);
    ~TLibrary() override;
    std::string ClassName() const override { return "TLibrary"; }

    // The file part of FileName (with its extension).
    std::string GetName() const override;
    // Refreshes the library window.
    void UpdateViews() override;
    // The library window's left, top, width and height; each change marks the library unsaved.
    void StoreWindowPositions() override;
    void MarkUnsaved() override { Saved = 0; }

    // StoreWindowPositions, the notes, the geometry, then every element's record. A notes line longer
    // than 32767 bytes, or more than MaxNoteLines lines, raise EInOutError "Error Saving Library" before
    // anything is written.
    void WriteFile(TStream& F);
    // Replaces elements, notes and geometry with the file's. Any damage raises (the library unchanged).
    void ReadFile(TStream& F);
    // Reads the file; FileName := Path and Saved := 1. Failure: EInOutError "Error Loading Library",
    // the library unchanged; so for a file larger than MaxLibraryFileSize, before anything is read.
    void LoadFromFile(const std::string& Path);
    // Writes the file through the safe file writer; FileName := Path, HasFile := 1, Saved := 1. Failure:
    // EInOutError "Error Saving Library", the old file and the saved flag unchanged.
    void SaveToFile(const std::string& Path);
    // The "Load Library" dialog; true when a file was read.
    bool LoadDialog();
    // Saves to FileName when the library has a file (and SaveAs is false), else through the "Save
    // Library" dialog with the overwrite question. A file that another library window holds is refused
    // with a message, and nothing is written.
    void SaveDialog(bool SaveAs);
    // Writes a copy through the "Save Library" dialog with the overwrite question (an export): the library
    // keeps its own file, HasFile and Saved; a file that another library window holds is refused as by
    // SaveDialog. Failure: EInOutError "Error Saving Library".
    void SaveCopyDialog();

    // Moves the element at Index of Source to the end of this library, deselected.
    void MoveElementFrom(TLibrary& Source, int Index);
    // Ascending by the key (skModified, skName, skType, skCreated); other keys change nothing.
    void Sort(int Key);

    TElementList Elements;
    TStringList Notes;
    std::uint8_t Saved = 1;
    std::int16_t WindowHeight = -1;  // -1: never stored
    std::int16_t WindowWidth = -1;

private:
    // The "Save Library" dialog and, for an existing file, the overwrite question; false when either
    // ended without a file to write.
    bool ChooseSaveFile(std::string& Chosen);
    // Writes the file through the safe file writer; EInOutError "Error Saving Library" on failure.
    void WriteTo(const std::string& Path);
};

// Selection over the Selected flags of an element list (a library's elements, a bank's or a global's
// members). Mode 0: only the clicked element; mode 2: the clicked element toggled; other modes extend
// from the one selected element to the clicked one (none selected: the clicked one; several: only the
// clicked one). An index outside the list changes nothing.
template <class TList>
void SelectInList(TList& List, int Index, int Mode);
template <class TList>
void ClearSelection(TList& List);

// ------------------------------------------------------------------------------------- implementation

template <class TList>
void ClearSelection(TList& List) {
    for (auto& e : List) e->Selected = 0;
}

template <class TList>
void SelectInList(TList& List, int Index, int Mode) {
    const int count = static_cast<int>(List.size());
    if (Index < 0 || Index >= count) return;
    auto at = [&](int i) -> TLibElem& { return *List[static_cast<std::size_t>(i)]; };
    if (Mode == 0) {
        ClearSelection(List);
        at(Index).Selected = 1;
        return;
    }
    if (Mode == 2) {
        at(Index).Selected = at(Index).Selected != 0 ? 0 : 1;
        return;
    }
    int selected = 0;
    int first = -1;
    for (int i = 0; i < count; ++i) {
        if (at(i).Selected != 0) {
            ++selected;
            if (first < 0) first = i;
        }
    }
    if (selected == 1) {
        const int from = first < Index ? first : Index;
        const int to = first < Index ? Index : first;
        for (int i = from; i <= to; ++i) at(i).Selected = 1;
        return;
    }
    ClearSelection(List);
    at(Index).Selected = 1;
}

}  // namespace zel
