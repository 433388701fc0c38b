#include "model/Clipboard.h"

#include <algorithm>

#include "model/CurrentElements.h"
#include "model/Settings.h"
#include "platform/rtl/SysUtils.h"

namespace zel {

namespace {

// The name prefixes of the section kinds, in the order they are tested; the first match wins. The test
// is "starts with": RhyPitch is a rhythm pitch section, not a patch pitch section.
struct TPrefix {
    const char* Text;
    std::uint8_t Kind;
};
constexpr TPrefix SectionPrefixes[] = {
    {"WAVE", skWave},
    {"PITCH", skPitch},
    {"LFO1", skLfo1},
    {"LFO2", skLfo2},
    {"CONTROL", skControl},
    {"TVA", skTva},
    {"TVF", skTvf},
    {"COMMON", skCommon},
    {"EFFECTS", skEffects},
    {"PEREFF", skPerEff},
    {"PERCOM", skPerCom},
    {"PERPARTS", skPerParts},
    {"SYSSETUP", skSysSetup},
    {"SYSMIDI", skSysMidi},
    {"SYSPREVIEW", skSysPreview},
    {"SYSSCALETUNE", skSysScaleTune},
    {"RHYMAIN", skRhyMain},
    {"RHYPITCH", skRhyPitch},
    {"RHYTVF", skRhyTvf},
    {"RHYTVA", skRhyTva},
};

// A set of 32 section kinds; kinds outside it are never held.
std::uint32_t KindBit(int kind) { return kind >= 0 && kind < 32 ? std::uint32_t{1} << kind : 0; }

bool InRange(const std::span<TSectionPanel> panels, int index) {
    return index >= 0 && static_cast<std::size_t>(index) < panels.size();
}

}  // namespace

std::array<TByteRange, 2> RhythmSectionRanges(int Kind) {
    switch (Kind) {
        case skRhyMain: return {TByteRange{0, 11}, TByteRange{54, 57}};
        case skRhyPitch: return {TByteRange{12, 25}, TByteRange{}};
        case skRhyTvf: return {TByteRange{26, 40}, TByteRange{}};
        case skRhyTva: return {TByteRange{41, 53}, TByteRange{}};
        default: return {TByteRange{}, TByteRange{}};
    }
}

// ----------------------------------------------------------------------------------------------- clipboard

void TClipboard::CopyPart(const TPerformancePart& Part) {
    PartMessage = Part.Message;
    PartHeld = 1;
}

void TClipboard::PastePart(TPerformancePart& Part) const { Part.Message = PartMessage; }

void TClipboard::CopyScaleTune(const TPartScaleTune& ScaleTune) {
    ScaleTuneMessage = ScaleTune.Message;
    ScaleTuneHeld = 1;
}

void TClipboard::PasteScaleTune(TPartScaleTune& ScaleTune) const { ScaleTune.Message = ScaleTuneMessage; }

void TClipboard::CopyRhythmSection(const TRhythmNote& Key, int Kind) {
    RhythmSectionsHeld |= KindBit(Kind);
    for (const TByteRange& r : RhythmSectionRanges(Kind))
        for (int i = r.First; i <= r.Last; ++i) RhythmKeyData[static_cast<std::size_t>(i)] = Key.Data()[i];
}

void TClipboard::PasteRhythmSection(TRhythmNote& Key, int Kind) const {
    for (const TByteRange& r : RhythmSectionRanges(Kind))
        for (int i = r.First; i <= r.Last; ++i) Key.Data()[i] = RhythmKeyData[static_cast<std::size_t>(i)];
}

bool TClipboard::RhythmSectionHeld(int Kind) const { return (RhythmSectionsHeld & KindBit(Kind)) != 0; }

// ---------------------------------------------------------------------------------------------- drag info

TDragElem& TDragInfo::Add() {
    Items.push_back(std::make_unique<TDragElem>());
    return *Items.back();
}

void TDragInfo::Clear() { Items.clear(); }

void TDragInfo::CollectFromLibrary(const TLibrary& Library, const std::function<bool(const TLibElem&)>& Visible) {
    Clear();
    for (const auto& e : Library.Elements)
        if (e != nullptr && e->Selected != 0 && (!Visible || Visible(*e))) Add().Element = e.get();
}

bool TDragInfo::GlobalMemberDraggable(const TLibElem& Member) {
    if (Member.ElemType == etSystem) return true;
    const bool bank =
        Member.ElemType == etPatchBank || Member.ElemType == etPerformanceBank || Member.ElemType == etRhythmBank;
    if (!bank) return false;
    if (Member.User != 0) return true;
    return ZelmoHolder != nullptr && ZelmoHolder->Config->Installed != 0;
}

void TDragInfo::CollectSections(std::span<const TSectionPanel> Panels) {
    Clear();
    for (const TSectionPanel& p : Panels) {
        if (!p.Highlighted) continue;
        TDragElem& item = Add();
        item.SectionKind = SectionKindOfPanel(p.Name);
        item.Tag = p.Tag;
    }
}

std::uint8_t TDragInfo::SectionKindOfPanel(const std::string& PanelName) {
    const std::string name = UpperCase(PanelName);
    for (const TPrefix& p : SectionPrefixes)
        if (name.rfind(p.Text, 0) == 0) return p.Kind;
    return skCommon;
}

bool TDragInfo::HasSectionKind(int Kind) const {
    return std::any_of(Items.begin(), Items.end(), [Kind](const auto& i) { return i->SectionKind == Kind; });
}

void TDragInfo::HighlightPanels(std::span<TSectionPanel> Panels, int Kind, std::int32_t Tag) {
    for (TSectionPanel& p : Panels)
        if (SectionKindOfPanel(p.Name) == Kind && (Tag == 0 || p.Tag == Tag)) p.Highlighted = true;
}

// ----------------------------------------------------------------------------------- section panels

void HighlightPanelGroup(std::span<TSectionPanel> Panels, int GroupPanel) {
    for (TSectionPanel& p : Panels) p.Highlighted = p.Parent == GroupPanel;
}

void ClearPanelHighlights(std::span<TSectionPanel> Panels) {
    for (TSectionPanel& p : Panels) p.Highlighted = false;
}

void ClearPanelHighlightsExcept(std::span<TSectionPanel> Panels, int Parent) {
    for (TSectionPanel& p : Panels)
        if (p.Parent != Parent) p.Highlighted = false;
}

bool SectionPanelMouseDown(std::span<TSectionPanel> Panels, int Panel, bool CtrlHeld, const std::string& GroupMarker,
                           const std::string& GroupName) {
    if (!InRange(Panels, Panel)) return false;
    TSectionPanel& clicked = Panels[static_cast<std::size_t>(Panel)];
    // An empty marker is found nowhere.
    const bool groupClick =
        (!GroupMarker.empty() && clicked.Name.find(GroupMarker) != std::string::npos) || clicked.Name == GroupName;
    if (groupClick) {
        HighlightPanelGroup(Panels, Panel);
        return false;
    }
    if (CtrlHeld) {
        ClearPanelHighlightsExcept(Panels, clicked.Parent);
        clicked.Highlighted = true;
        return false;
    }
    if (!clicked.Highlighted) {
        ClearPanelHighlights(Panels);
        clicked.Highlighted = true;
    }
    return true;
}

void BeginSectionDrag(TDragInfo& Drag, TObject* Window, std::span<const TSectionPanel> Panels) {
    Drag.Source = Window;
    SectionDragActive = 1;
    Drag.Accepted = 0;
    Drag.CollectSections(Panels);
}

}  // namespace zel
