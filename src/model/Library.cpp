#include "model/Library.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <numeric>
#include <utility>

#include "model/ModelServices.h"
#include "model/SyxFiles.h"
#include "platform/rtl/SafeFile.h"
#include "platform/rtl/SysUtils.h"

namespace zel {

namespace {

constexpr const char* SLoadError = "Error Loading Library";
constexpr const char* SSaveError = "Error Saving Library";

std::int64_t Remaining(TStream& F) { return F.GetSize() - F.GetPosition(); }

// The fewest bytes a record of each element type takes after its type code: the element header and the
// .Syx bodies in their normal form (a global's: two of each bank and the system). A shorter rest of the
// file is refused before the element, a whole bank or global, is made.
constexpr std::int64_t RecordHeaderSize = 133;
constexpr std::int64_t MinRecordSize[ElementTypeCount] = {
    RecordHeaderSize + 643,  RecordHeaderSize + 82304,
    RecordHeaderSize + 555,  RecordHeaderSize + 17760,
    RecordHeaderSize + 4439, RecordHeaderSize + 8878,
    RecordHeaderSize + 442,  RecordHeaderSize + 2 * (82304 + 17760 + 8878) + 442};

// The sort key of one element, taken once so that the comparisons of a large library stay cheap.
struct TSortKey {
    double First = 0;
    double Second = 0;
    std::string Text;
};

TSortKey KeyOf(TLibElem& e, int key) {
    switch (key) {
        case skModified: return {e.ModifiedDate, e.ModifiedTime, {}};
        case skName: return {0, 0, UpperCase(e.GetName())};
        case skType: return {static_cast<double>(e.ElemType), 0, {}};
        default: return {e.CreatedDate, e.CreatedTime, {}};
    }
}

// Whether key a sorts strictly before key b: names by ordinal comparison of their upper-case bytes,
// the others by the first value, then the second.
bool SortsBefore(const TSortKey& a, const TSortKey& b, int key) {
    if (key == skName) return a.Text < b.Text;
    if (a.First != b.First) return a.First < b.First;
    return a.Second < b.Second;
}

}  // namespace

TLibrary::TLibrary(TLibElem* AOwner) : TLibElem(AOwner) { FileName = UntitledLib; }

TLibrary::~TLibrary() {
    // The elements go first, while the library they belong to is still whole.
    Elements.clear();
}

std::string TLibrary::GetName() const { return ExtractFileName(FileName); }

void TLibrary::UpdateViews() {
    if (WindowOpen == 0 || Window == nullptr) return;
    if (IModelWindows* windows = ModelServices().Windows) windows->UpdateWindowView(Window);
}

void TLibrary::StoreWindowPositions() {
    if (WindowOpen == 0 || Window == nullptr) return;
    IModelWindows* windows = ModelServices().Windows;
    if (windows == nullptr) return;
    auto store = [this](std::int16_t& field, int value) {
        if (field == static_cast<std::int16_t>(value)) return;
        field = static_cast<std::int16_t>(value);
        Saved = 0;
    };
    int left = 0;
    int top = 0;
    if (windows->GetWindowPosition(Window, left, top)) {
        store(WindowLeft, left);
        store(WindowTop, top);
    }
    int width = 0;
    int height = 0;
    if (windows->GetWindowSize(Window, width, height)) {
        store(WindowWidth, width);
        store(WindowHeight, height);
    }
}

// ----------------------------------------------------------------------------------------------- writing

void TLibrary::WriteFile(TStream& F) {
    if (Notes.Count() > MaxNoteLines) throw EInOutError(SSaveError);
    for (int i = 0; i < Notes.Count(); ++i)
        if (Notes[i].size() > MaxNoteLineLength) throw EInOutError(SSaveError);
    StoreWindowPositions();
    for (int i = 0; i < Notes.Count(); ++i) {
        const std::string line = Notes[i];
        WriteI16(F, static_cast<std::int16_t>(line.size()));
        if (!line.empty()) F.WriteBuffer(line.data(), static_cast<std::int64_t>(line.size()));
    }
    WriteI16(F, -1);
    WriteI16(F, WindowWidth);
    WriteI16(F, WindowHeight);
    WriteI16(F, WindowLeft);
    WriteI16(F, WindowTop);
    for (auto& element : Elements) element->WriteLibRecord(F);
}

void TLibrary::WriteTo(const std::string& Path) {
    // The whole file is made in memory first: nothing touches the disk until it is complete, and the
    // disk sees one write.
    TMemoryStream body;
    try {
        WriteFile(body);
        SafeWriteFile(Path, [&body](TStream& stream) {
            if (body.GetSize() > 0) stream.WriteBuffer(body.Memory(), body.GetSize());
        });
    } catch (const std::exception&) {
        throw EInOutError(SSaveError);
    }
}

void TLibrary::SaveToFile(const std::string& Path) {
    WriteTo(Path);
    FileName = Path;
    HasFile = 1;
    Saved = 1;
    RefreshMainMenus();
}

bool TLibrary::ChooseSaveFile(std::string& Chosen) {
    if (!RunElementFileDialog(TFileDialogKind::Save, "Save Library", "Lib", "Lib file|*.Lib", FileName, Chosen))
        return false;
    // Another window's library would keep the old contents of the file as its own and write them back
    // over this save when it is saved in turn: a file another library window holds is left to it.
    if (IModelWindows* windows = ModelServices().Windows) {
        const TLibrary* holder = windows->LibraryOfFile(Chosen);
        if (holder != nullptr && holder != this) {
            ShowMessageBox(holder->GetName() + " Is Open In Another Window, Close It First.", TMessageKind::Error,
                           TMessageButtons::OK);
            return false;
        }
    }
    return !FileExists(Chosen) || ShowMessageBox("File Alredy Exist. Overwrite it ?", TMessageKind::Confirmation,
                                                 TMessageButtons::YesNo) == TMessageResult::Yes;
}

void TLibrary::SaveDialog(bool SaveAs) {
    if (!SaveAs && (CompareText(FileName, UntitledLib) != 0 || HasFile == 1)) {
        SaveToFile(FileName);
        return;
    }
    std::string chosen;
    if (!ChooseSaveFile(chosen)) return;
    SaveToFile(chosen);
    UpdateViews();
}

void TLibrary::SaveCopyDialog() {
    std::string chosen;
    if (ChooseSaveFile(chosen)) WriteTo(chosen);
}

// ----------------------------------------------------------------------------------------------- reading

void TLibrary::ReadFile(TStream& F) {
    TStringList notes;
    std::int16_t n = ReadI16(F);
    while (Remaining(F) > 0 && n != -1) {
        if (n < 0 || n > Remaining(F)) throw EReadError("A notes line runs past the end of the library");
        if (notes.Count() == MaxNoteLines) throw EReadError("The notes of the library have too many lines");
        std::string line(static_cast<std::size_t>(n), '\0');
        if (n > 0) F.ReadBuffer(line.data(), n);
        notes.Add(line);
        n = ReadI16(F);
    }
    if (n != -1) throw EReadError("The notes of the library have no end");

    const std::int16_t width = ReadI16(F);
    const std::int16_t height = ReadI16(F);
    const std::int16_t left = ReadI16(F);
    const std::int16_t top = ReadI16(F);

    TElementList elements;
    while (Remaining(F) > 0) {
        const std::int16_t code = ReadI16(F);
        if (code < 0 || code >= ElementTypeCount)
            throw EReadError("Unknown element type " + std::to_string(code) + " in the library");
        if (Remaining(F) < MinRecordSize[code]) throw EReadError("A record runs past the end of the library");
        std::unique_ptr<TLibElem> element = CreateElementOfType(code, this);
        element->ReadLibRecord(F);
        elements.push_back(std::move(element));
    }

    // Everything was read: the library takes it and lets the old contents go.
    Elements.swap(elements);
    Notes.Clear();
    Notes.AddStrings(&notes);
    WindowWidth = width;
    WindowHeight = height;
    WindowLeft = left;
    WindowTop = top;
}

void TLibrary::LoadFromFile(const std::string& Path) {
    try {
        TBufferedFileReader file(Path);
        if (file.GetSize() > MaxLibraryFileSize) throw EReadError("The file is too large for a library");
        ReadFile(file);
    } catch (const std::exception&) {
        throw EInOutError(SLoadError);
    }
    FileName = Path;
    Saved = 1;
}

bool TLibrary::LoadDialog() {
    std::string chosen;
    const bool confirmed =
        RunElementFileDialog(TFileDialogKind::Open, "Load Library", "Lib", "Lib file|*.Lib", FileName, chosen);
    if (confirmed) LoadFromFile(chosen);
    Saved = 1;
    RefreshMainMenus();
    return confirmed;
}

// ---------------------------------------------------------------------------------------- list handling

void TLibrary::MoveElementFrom(TLibrary& Source, int Index) {
    if (Index < 0 || Index >= static_cast<int>(Source.Elements.size()))
        throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
    if (&Source == this) return;
    auto it = Source.Elements.begin() + Index;
    std::unique_ptr<TLibElem> element = std::move(*it);
    Source.Elements.erase(it);
    element->Selected = 0;
    element->Owner = this;
    Elements.push_back(std::move(element));
}

void TLibrary::Sort(int Key) {
    if (Key < skModified || Key > skCreated) return;
    const std::size_t count = Elements.size();
    std::vector<TSortKey> keys;
    keys.reserve(count);
    bool nan = false;
    for (auto& element : Elements) {
        keys.push_back(KeyOf(*element, Key));
        nan = nan || std::isnan(keys.back().First) || std::isnan(keys.back().Second);
    }
    if (!nan) {
        // Ascending, equal elements in the order they had: where keys differ this is the order the exchange sort
        // gives, in n log n comparisons instead of its pass over every pair.
        std::vector<std::size_t> order(count);
        std::iota(order.begin(), order.end(), std::size_t{0});
        std::stable_sort(order.begin(), order.end(),
                         [&](std::size_t a, std::size_t b) { return SortsBefore(keys[a], keys[b], Key); });
        TElementList sorted;
        sorted.reserve(count);
        for (std::size_t i : order) sorted.push_back(std::move(Elements[i]));
        std::move(sorted.begin(), sorted.end(), Elements.begin());
        return;
    }
    // A NaN date (a damaged file's) orders with nothing, so the keys have no order a sort could follow: the
    // exchange sort decides, pair by pair, as the library always sorted.
    for (std::size_t i = 0; i + 1 < count; ++i)
        for (std::size_t j = i + 1; j < count; ++j)
            if (SortsBefore(keys[j], keys[i], Key)) {
                std::swap(keys[i], keys[j]);
                std::swap(Elements[i], Elements[j]);
            }
}

}  // namespace zel
