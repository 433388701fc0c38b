#pragma once
// The text editors' gallery: one column per look, one row per state of a text editor (empty, with text,
// with a completion selection, in password mode). Used by the screenshots and the repaint benchmark.
#include <string>

#include "EditorGallery.h"
#include "uilib/editors/uiTextEdit.h"

namespace zel::test {

enum TTextEditGalleryRow { tgrEmpty, tgrText, tgrCompletion, tgrPassword, tgrCount };

inline const char* TextEditGalleryRowName(int ARow) {
    static const char* const names[] = {"empty", "text", "completion", "password"};
    return names[ARow];
}

// The editor of a row and a look (the index in GalleryLooks()) of a text gallery.
inline TuiTextEdit* TextGalleryEdit(TEditorGalleryForm* AForm, int ARow, int ALook) {
    return static_cast<TuiTextEdit*>(
        AForm->Containers[static_cast<std::size_t>(ARow) * GalleryLooks().size() + static_cast<std::size_t>(ALook)]);
}

inline TEditorGalleryForm* NewTextEditGallery() {
    auto* form = Construct<TEditorGalleryForm>(nullptr);
    form->SetCaption("Text editors");
    const int looks = static_cast<int>(GalleryLooks().size());
    form->SetClientWidth(8 + kGalleryCellWidth * looks);
    form->SetClientHeight(8 + kGalleryCellHeight * tgrCount);
    int order = 0;
    for (int row = 0; row < tgrCount; ++row) {
        for (int column = 0; column < looks; ++column) {
            const TGalleryLook& look = GalleryLooks()[static_cast<std::size_t>(column)];
            auto* e = Construct<TuiTextEdit>(form);
            e->SetParent(form);
            e->SetBounds(8 + column * kGalleryCellWidth, 6 + row * kGalleryCellHeight, kGalleryControlWidth,
                         kGalleryControlHeight);
            e->Style()->GetLookAndFeel()->SetKind(look.Kind);
            e->Style()->GetLookAndFeel()->SetNativeStyle(look.Native);
            e->TabOrder = order++;
            TuiTextEditProperties* p = e->Properties();
            p->LookupItems()->Add("Alpha");
            p->LookupItems()->Add("Beta");
            switch (row) {
                case tgrText: e->SetEditValue(Variant(std::string(look.Name))); break;
                case tgrCompletion:
                    // What typing "b" shows: the item with its completed tail selected.
                    e->SetEditValue(Variant("Beta"));
                    p->SetHideSelection(false);
                    break;
                case tgrPassword:
                    p->SetEchoMode(eemPassword);
                    e->SetEditValue(Variant("secret"));
                    break;
                default: break;
            }
            form->Containers.push_back(e);
        }
    }
    return form;
}

}  // namespace zel::test
