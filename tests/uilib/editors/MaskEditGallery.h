#pragma once
// The masked editors' rows of the editors' gallery: one column per look, one row each for a blank, a
// half-filled and a full telephone number under the mask (999)000-0000. Used by the screenshots and the
// benchmarks.
#include <string>
#include <vector>

#include "EditorGallery.h"
#include "uilib/editors/uiMaskEdit.h"

namespace zel::test {

inline constexpr const char* kGalleryPhoneMask = "(999)000-0000";

// A masked editor at (X, Y) of its parent.
inline TuiMaskEdit* NewMaskEdit(TWinControl* Parent, int X, int Y, TuiEditMaskKind AKind, const std::string& AMask) {
    auto* edit = Construct<TuiMaskEdit>(Parent);
    edit->SetParent(Parent);
    edit->SetBounds(X, Y, kGalleryControlWidth, kGalleryControlHeight);
    edit->Properties()->SetMaskKind(AKind);
    edit->Properties()->SetEditMask(AMask);
    return edit;
}

// The values of the gallery's three rows: blank, half-filled, full.
inline const std::vector<std::string>& MaskGalleryValues() {
    static const std::vector<std::string> values = {"", "(555)12 -    ", "(555)123-4567"};
    return values;
}

inline TEditorGalleryForm* NewMaskEditGallery() {
    auto* form = Construct<TEditorGalleryForm>(nullptr);
    form->SetCaption("Masked editors");
    const int rows = static_cast<int>(MaskGalleryValues().size());
    form->SetClientWidth(8 + kGalleryCellWidth * static_cast<int>(GalleryLooks().size()));
    form->SetClientHeight(8 + kGalleryCellHeight * rows);
    for (int row = 0; row < rows; ++row) {
        int column = 0;
        for (const TGalleryLook& look : GalleryLooks()) {
            TuiMaskEdit* edit = NewMaskEdit(form, 8 + column * kGalleryCellWidth, 6 + row * kGalleryCellHeight,
                                            emkStandard, kGalleryPhoneMask);
            edit->Style()->GetLookAndFeel()->SetKind(look.Kind);
            edit->Style()->GetLookAndFeel()->SetNativeStyle(look.Native);
            edit->TabOrder = static_cast<int>(form->Containers.size());
            edit->SetEditValue(Variant(MaskGalleryValues()[static_cast<std::size_t>(row)]));
            form->Containers.push_back(edit);
            ++column;
        }
    }
    return form;
}

}  // namespace zel::test
