#pragma once
// The element of each kind that was last sent whole to the instrument's temporary area, the MIDI
// channel that auditions and the on-screen keyboard play on, and the rule by which an activated window
// makes its element current. Main thread only.
#include <cstdint>

namespace zel {

class TLibElem;
class TPatch;
class TPerformance;
class TRhythm;
class TSystem;

// Set by the kinds' transmits to the temporary area; cleared when that element is destroyed.
extern TPatch* CurrentPatch;
extern TPerformance* CurrentPerformance;
extern TRhythm* CurrentRhythm;
extern TSystem* CurrentSystem;

// 1..16; a transmit to the temporary area sets 1 (patch, performance, system) or 10 (rhythm set).
extern int PreviewChannel;

// Set by the main window when a section drag starts, cleared by the container windows' end-of-drag
// handlers. While it is set no window activation makes its element current, so that dragging a section
// over other windows does not reload the instrument's edit area.
extern std::uint8_t SectionDragActive;

// Called by every editor and container window when it is activated: unless the element is none, is
// already the current element of its kind, or a section drag runs, the element is sent whole to the
// temporary area (which makes it current).
void MakeCurrentPatch(TPatch* Patch);
void MakeCurrentPerformance(TPerformance* Performance);
void MakeCurrentRhythm(TRhythm* Rhythm);
void MakeCurrentSystem(TSystem* System);

// The same rule for an element of any kind: patches, performances, rhythm sets and systems go to their
// twin; other kinds have no current element and send nothing.
void MakeCurrentElement(TLibElem* Element);

// No current element of any kind, previews on channel 1: the state at program start.
void ResetCurrentElements();

// The opener variables: the element (and tone, LFO number) a window receives while it is being made. The
// creator writes them immediately before it constructs the window; only the window's creation reads them.
class TPerformance;
extern TPatch* OpeningPatch;
extern TPerformance* OpeningPerformance;
extern TRhythm* OpeningRhythm;
extern TSystem* OpeningSystem;
extern TPatch* OpeningCommonPatch;
extern TPatch* OpeningEffectPatch;
extern TPerformance* OpeningEffectPerformance;
extern int OpeningEffectOfPatch;
extern TPatch* OpeningWavePatch;
extern int OpeningWaveTone;
extern TPatch* OpeningPitchPatch;
extern int OpeningPitchTone;
extern TPatch* OpeningTVFPatch;
extern int OpeningTVFTone;
extern TPatch* OpeningTVAPatch;
extern int OpeningTVATone;
extern TPatch* OpeningLFOPatch;
extern int OpeningLFOTone;
extern int OpeningLFONumber;
extern TPatch* OpeningControlPatch;
extern int OpeningControlTone;
extern TPerformance* OpeningPerComm;
extern TPerformance* OpeningPart;
extern TRhythm* OpeningRhyMain;
extern TRhythm* OpeningRhyPitch;
extern TRhythm* OpeningRhyTVF;
extern TRhythm* OpeningRhyTva;
extern TSystem* OpeningSysSetup;
extern TSystem* OpeningSysMidi;
extern TSystem* OpeningSysPreview;
extern TSystem* OpeningScaleTune;

}  // namespace zel
