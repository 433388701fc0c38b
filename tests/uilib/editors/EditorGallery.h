#pragma once
// The editors' gallery: a form with one column per look (Flat, Standard, UltraFlat, Office 2003 and the
// native look) and one row per kind of control. Its rows here: a container with an inner EDIT in every border
// style, without and with shadow. Used by the screenshots and the repaint benchmark.
#include <string>
#include <vector>

#include "platform/vcl/Forms.h"
#include "platform/vcl/StdCtrls.h"
#include "uilib/editors/uiContainer.h"

namespace zel::test {

struct TGalleryLook {
    const char* Name;
    TuiLookAndFeelKind Kind;
    bool Native;
};
inline const std::vector<TGalleryLook>& GalleryLooks() {
    static const std::vector<TGalleryLook> looks = {{"Flat", lfFlat, false},
                                                    {"Standard", lfStandard, false},
                                                    {"UltraFlat", lfUltraFlat, false},
                                                    {"Office2003", lfOffice11, false},
                                                    {"Native", lfStandard, true}};
    return looks;
}

constexpr int kGalleryCellWidth = 110;
constexpr int kGalleryCellHeight = 30;
constexpr int kGalleryControlWidth = 96;
constexpr int kGalleryControlHeight = 23;

class TEditorGalleryForm : public TForm {
public:
    using TForm::TForm;
    std::string ClassName() const override { return "TEditorGalleryForm"; }
    const TFormResource* FormResource() const override { return nullptr; }
    std::vector<TuiContainer*> Containers;
};

// A container holding an EDIT with a text, at (X, Y) of its parent.
inline TuiContainer* NewEditContainer(TWinControl* Parent, int X, int Y, const std::string& Text) {
    auto* container = Construct<TuiContainer>(Parent);
    container->SetParent(Parent);
    container->SetBounds(X, Y, kGalleryControlWidth, kGalleryControlHeight);
    auto* edit = new TEdit(container);
    edit->BorderStyle = bsNone;
    edit->SetParent(container);
    edit->SetText(Text);
    container->SetInnerControl(edit);
    return container;
}

// Builds the gallery for one state: every container enabled, or every one disabled.
inline TEditorGalleryForm* NewEditorGallery(bool Enabled = true) {
    auto* form = Construct<TEditorGalleryForm>(nullptr);
    form->SetCaption(Enabled ? "Editors" : "Editors (disabled)");
    const std::vector<std::pair<const char*, TuiContainerBorderStyle>> styles = {
        {"None", cbsNone}, {"Single", cbsSingle},       {"Thick", cbsThick},      {"Flat", cbsFlat},
        {"3D", cbs3D},     {"UltraFlat", cbsUltraFlat}, {"Office11", cbsOffice11}};
    const int rows = static_cast<int>(styles.size()) * 2;
    form->SetClientWidth(8 + kGalleryCellWidth * static_cast<int>(GalleryLooks().size()));
    form->SetClientHeight(8 + kGalleryCellHeight * rows);
    int row = 0;
    for (bool shadow : {false, true})
        for (const auto& [name, style] : styles) {
            int column = 0;
            for (const TGalleryLook& look : GalleryLooks()) {
                TuiContainer* c = NewEditContainer(form, 8 + column * kGalleryCellWidth, 6 + row * kGalleryCellHeight,
                                                   std::string(name) + (shadow ? " S" : ""));
                c->Style()->GetLookAndFeel()->SetKind(look.Kind);
                c->Style()->GetLookAndFeel()->SetNativeStyle(look.Native);
                c->Style()->SetBorderStyle(style);
                c->Style()->SetShadow(shadow);
                c->SetEnabled(Enabled);
                form->Containers.push_back(c);
                ++column;
            }
            ++row;
        }
    return form;
}

}  // namespace zel::test
