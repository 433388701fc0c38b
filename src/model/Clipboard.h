#pragma once
// The program's own parameter clipboard, separate from the system clipboard, and the description of the
// drag in progress. Both objects are owned by the main window and carry data between windows: a
// performance part, a scale tune or sections of a rhythm key copied in one editor and pasted in another;
// library elements dragged between library, bank, global and trash windows; editor sections (the section
// panels of the patch, performance, rhythm-set and system windows) dragged from one element's window to
// another's.
//
// The model holds no window. The section panels reach it as plain descriptions (TSectionPanel): name,
// Tag, parent group and highlight state; the windows paint the highlight states the routines here set.
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "model/LibElem.h"
#include "model/Library.h"
#include "model/ParamBlocks.h"
#include "platform/rtl/System.h"

namespace zel {

// Section kinds, named after the upper-case prefix of a section panel's component name.
inline constexpr std::uint8_t skCommon = 0;
inline constexpr std::uint8_t skEffects = 1;
inline constexpr std::uint8_t skControl = 2;
inline constexpr std::uint8_t skWave = 3;
inline constexpr std::uint8_t skPitch = 4;
inline constexpr std::uint8_t skLfo1 = 5;
inline constexpr std::uint8_t skLfo2 = 6;
inline constexpr std::uint8_t skTva = 7;
inline constexpr std::uint8_t skTvf = 8;
inline constexpr std::uint8_t skPerCom = 9;
inline constexpr std::uint8_t skPerEff = 10;
inline constexpr std::uint8_t skPerParts = 11;
inline constexpr std::uint8_t skSysSetup = 12;
inline constexpr std::uint8_t skSysMidi = 13;
inline constexpr std::uint8_t skSysPreview = 14;
inline constexpr std::uint8_t skSysScaleTune = 15;
inline constexpr std::uint8_t skRhyMain = 16;
inline constexpr std::uint8_t skRhyPitch = 17;
inline constexpr std::uint8_t skRhyTvf = 18;
inline constexpr std::uint8_t skRhyTva = 19;
inline constexpr int SectionKindCount = 20;

// The rhythm key sections as data-byte ranges of a key's 58 data bytes (first, last; both included).
// The main section has two ranges, the others one (the second range is then empty: first > last).
struct TByteRange {
    int First = 0;
    int Last = -1;
};
// The ranges of a rhythm key section; none for any other kind.
std::array<TByteRange, 2> RhythmSectionRanges(int Kind);

// Highlight colours of a section panel (00BBGGRR): aqua marks a panel that is part of the drag; normal
// panels take the system button-face colour.
inline constexpr std::uint32_t clSectionHighlight = 0x00FFFF00;

// ----------------------------------------------------------------------------------------------- clipboard

class TClipboard : public TObject {
public:
    std::string ClassName() const override { return "TClipboard"; }

    // Copies the part's whole message and marks a part held.
    void CopyPart(const TPerformancePart& Part);
    // Writes the held message over the part's message, header and address included (the element's
    // BuildSysEx rewrites those before a file is written; the editor sends the data to the right
    // address). The part's own number stays.
    void PastePart(TPerformancePart& Part) const;
    void CopyScaleTune(const TPartScaleTune& ScaleTune);
    void PasteScaleTune(TPartScaleTune& ScaleTune) const;
    // Adds the kind to the held sections; for a rhythm key section (16..19) also copies the key's data
    // bytes of that section into the same positions of RhythmKeyData.
    void CopyRhythmSection(const TRhythmNote& Key, int Kind);
    // Writes the section's bytes of RhythmKeyData into the key's data bytes; other kinds do nothing.
    void PasteRhythmSection(TRhythmNote& Key, int Kind) const;
    // Whether a kind is among the held rhythm sections.
    bool RhythmSectionHeld(int Kind) const;

    // Nothing ever clears a held flag: Paste stays enabled once something was copied.
    std::uint8_t PartHeld = 0;
    std::uint8_t ScaleTuneHeld = 0;
    std::uint32_t RhythmSectionsHeld = 0;  // bit n: section kind n
    std::array<std::uint8_t, TPerformancePart::MessageSize> PartMessage{};
    std::array<std::uint8_t, TPartScaleTune::MessageSize> ScaleTuneMessage{};
    std::array<std::uint8_t, TRhythmNote::DataSize> RhythmKeyData{};
};

// ---------------------------------------------------------------------------------------------- drag info

// One section panel of a container window as the model sees it.
struct TSectionPanel {
    std::string Name;          // the component name, e.g. "Pitch3", "RhyTVF"
    std::int32_t Tag = 0;      // numbers tones, parts or keys in the container windows
    int Parent = -1;           // index of the parent panel in the same list; -1: none
    bool Highlighted = false;  // painted aqua
};

// One dragged thing: an element (element drags) or a section (section drags).
class TDragElem : public TObject {
public:
    std::string ClassName() const override { return "TDragElem"; }

    TLibElem* Element = nullptr;
    std::uint8_t SectionKind = 0;
    std::int32_t Tag = 0;
};

class TDragInfo : public TObject {
public:
    std::string ClassName() const override { return "TDragInfo"; }

    // Destroys every item and empties Items.
    void Clear();
    // One item per element of the library that is selected and shown under the library window's filter.
    // An empty filter shows every element.
    void CollectFromLibrary(const TLibrary& Library, const std::function<bool(const TLibElem&)>& Visible);
    // One item per selected member (any list of element pointers: raw or owning).
    template <class TList>
    void CollectFromBank(const TList& Members);
    // One item per selected member that is the system, a user bank, or a card bank while a data card is
    // installed (the settings' Installed; no settings: no card).
    template <class TList>
    void CollectFromGlobal(const TList& Members);
    // One item per highlighted panel, with its section kind and Tag.
    void CollectSections(std::span<const TSectionPanel> Panels);
    // The kind named by the panel name's upper-case prefix (first match in a fixed order), else 0.
    static std::uint8_t SectionKindOfPanel(const std::string& PanelName);
    bool HasSectionKind(int Kind) const;
    // Highlights every panel of that kind whose Tag equals Tag (any Tag when Tag is 0).
    static void HighlightPanels(std::span<TSectionPanel> Panels, int Kind, std::int32_t Tag);

    TObject* Source = nullptr;  // the window where the drag started
    TObject* Target = nullptr;  // the window that receives the drop
    std::vector<std::unique_ptr<TDragElem>> Items;
    std::uint8_t Accepted = 0;  // the answer of the last drag-over handler

private:
    TDragElem& Add();
    static bool GlobalMemberDraggable(const TLibElem& Member);
};

template <class TList>
void TDragInfo::CollectFromBank(const TList& Members) {
    Clear();
    for (const auto& m : Members)
        if (m != nullptr && m->Selected != 0) Add().Element = &*m;
}

template <class TList>
void TDragInfo::CollectFromGlobal(const TList& Members) {
    Clear();
    for (const auto& m : Members)
        if (m != nullptr && m->Selected != 0 && GlobalMemberDraggable(*m)) Add().Element = &*m;
}

// ----------------------------------------------------------------------------------- section panels

// Highlights every panel whose parent is the group panel and sets every other panel to normal.
void HighlightPanelGroup(std::span<TSectionPanel> Panels, int GroupPanel);
// Every panel set to normal.
void ClearPanelHighlights(std::span<TSectionPanel> Panels);
// Every panel whose parent is not Parent set to normal.
void ClearPanelHighlightsExcept(std::span<TSectionPanel> Panels, int Parent);

// A mouse press on a section panel. A click on a group panel (its name contains GroupMarker or equals
// GroupName) highlights the group. Ctrl-clicks collect several sections of one group: panels outside the
// clicked panel's group go normal and the clicked one is highlighted. A plain click on a normal panel
// makes it the only highlighted one. Returns true when the panel starts a drag (not for group or Ctrl
// clicks); the window then calls BeginSectionDrag once the drag threshold is passed.
bool SectionPanelMouseDown(std::span<TSectionPanel> Panels, int Panel, bool CtrlHeld, const std::string& GroupMarker,
                           const std::string& GroupName);
// The start of a section drag from Window: Source := Window, SectionDragActive := 1, Accepted := 0, and
// the highlighted panels collected.
void BeginSectionDrag(TDragInfo& Drag, TObject* Window, std::span<const TSectionPanel> Panels);

}  // namespace zel
