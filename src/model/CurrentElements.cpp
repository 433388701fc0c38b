#include "model/CurrentElements.h"

#include "model/LibElem.h"
#include "model/Patch.h"
#include "model/Performance.h"
#include "model/Rhythm.h"
#include "model/SystemElem.h"

namespace zel {

TPatch* CurrentPatch = nullptr;
TPerformance* CurrentPerformance = nullptr;
TRhythm* CurrentRhythm = nullptr;
TSystem* CurrentSystem = nullptr;
int PreviewChannel = 1;
std::uint8_t SectionDragActive = 0;

TPatch* OpeningPatch = nullptr;
TPerformance* OpeningPerformance = nullptr;
TRhythm* OpeningRhythm = nullptr;
TSystem* OpeningSystem = nullptr;
TPatch* OpeningCommonPatch = nullptr;
TPatch* OpeningEffectPatch = nullptr;
TPerformance* OpeningEffectPerformance = nullptr;
int OpeningEffectOfPatch = 0;
TPatch* OpeningWavePatch = nullptr;
int OpeningWaveTone = 1;
TPatch* OpeningPitchPatch = nullptr;
int OpeningPitchTone = 1;
TPatch* OpeningTVFPatch = nullptr;
int OpeningTVFTone = 1;
TPatch* OpeningTVAPatch = nullptr;
int OpeningTVATone = 1;
TPatch* OpeningLFOPatch = nullptr;
int OpeningLFOTone = 1;
int OpeningLFONumber = 1;
TPatch* OpeningControlPatch = nullptr;
int OpeningControlTone = 1;
TPerformance* OpeningPerComm = nullptr;
TPerformance* OpeningPart = nullptr;
TRhythm* OpeningRhyMain = nullptr;
TRhythm* OpeningRhyPitch = nullptr;
TRhythm* OpeningRhyTVF = nullptr;
TRhythm* OpeningRhyTva = nullptr;
TSystem* OpeningSysSetup = nullptr;
TSystem* OpeningSysMidi = nullptr;
TSystem* OpeningSysPreview = nullptr;
TSystem* OpeningScaleTune = nullptr;

namespace {

// The activation rule shared by the four kinds.
void SendIfNotCurrent(TLibElem* element, const void* current) {
    if (element == nullptr || static_cast<const void*>(element) == current || SectionDragActive != 0) return;
    element->Transmit(true);
}

}  // namespace

void MakeCurrentPatch(TPatch* Patch) { SendIfNotCurrent(Patch, static_cast<TLibElem*>(CurrentPatch)); }

void MakeCurrentPerformance(TPerformance* Performance) {
    SendIfNotCurrent(Performance, static_cast<TLibElem*>(CurrentPerformance));
}

void MakeCurrentRhythm(TRhythm* Rhythm) { SendIfNotCurrent(Rhythm, static_cast<TLibElem*>(CurrentRhythm)); }

void MakeCurrentSystem(TSystem* System) { SendIfNotCurrent(System, static_cast<TLibElem*>(CurrentSystem)); }

void MakeCurrentElement(TLibElem* Element) {
    if (Element == nullptr) return;
    switch (Element->ElemType) {
        case etPatch: MakeCurrentPatch(dynamic_cast<TPatch*>(Element)); break;
        case etPerformance: MakeCurrentPerformance(dynamic_cast<TPerformance*>(Element)); break;
        case etRhythm: MakeCurrentRhythm(dynamic_cast<TRhythm*>(Element)); break;
        case etSystem: MakeCurrentSystem(dynamic_cast<TSystem*>(Element)); break;
        default: break;
    }
}

void ResetCurrentElements() {
    CurrentPatch = nullptr;
    CurrentPerformance = nullptr;
    CurrentRhythm = nullptr;
    CurrentSystem = nullptr;
    PreviewChannel = 1;
}

}  // namespace zel
