#pragma once
// The pictogram of a TVF filter type, drawn on an image and named in a label: the tone's TVF editor and
// the rhythm key's TVF editor show it beside their filter type arrows.
#include "platform/vcl/ExtCtrls.h"
#include "platform/vcl/StdCtrls.h"

namespace zel {

// Draws the pictogram of filter type FilterType (0 off, 1 low pass, 2 band pass, 3 high pass, 4 peaking)
// over the whole picture of Image, in black on aqua inside a black frame, and names it in Label, which
// takes the image's width. A type beyond 0..4 draws the empty frame and leaves the caption as it was.
void DrawFilterPicture(TImage* Image, TLabel* Label, int FilterType);

}  // namespace zel
