#pragma once
// The element of each kind that was last sent whole to the instrument's temporary area, and the MIDI
// channel that auditions and the on-screen keyboard play on. Main thread only.
namespace zel {

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

}  // namespace zel
