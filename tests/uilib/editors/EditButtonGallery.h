#pragma once
// The editors' button gallery: a minimal editor (an inner EDIT shows its value; it refuses 'x') in every button
// style (rows) and look (columns), each with one button of every kind. Used by the editor tests, their
// screenshots and the repaint benchmark.
#include <string>

#include "EditorGallery.h"
#include "platform/vcl/StdCtrls.h"
#include "uilib/editors/uiEditControl.h"

namespace zel::test {

class TTestEditProperties : public TuiCustomEditProperties {
public:
    using TuiCustomEditProperties::TuiCustomEditProperties;
    std::string ClassName() const override { return "TTestEditProperties"; }
    bool CanValidate() const override { return true; }
    bool KeepsPreviousValue() const override { return true; }
    bool CompareDisplayValues() const override { return CompareValues; }
    bool CompareValues = false;
};

// A minimal editor: an inner EDIT shows the value; 'x' is never accepted.
class TTestEdit : public TuiCustomEdit {
public:
    using TuiCustomEdit::TuiCustomEdit;
    std::string ClassName() const override { return "TTestEdit"; }
    void AfterConstruction() override {
        TuiCustomEdit::AfterConstruction();
        edit_ = new TEdit(this);
        edit_->BorderStyle = bsNone;
        edit_->SetParent(this);
        SetInnerControl(edit_);
    }
    TTestEditProperties* TestProperties() const { return static_cast<TTestEditProperties*>(Properties()); }
    TEdit* Inner() const { return edit_; }
    std::string GetDisplayText() const override { return edit_ != nullptr ? edit_->GetText() : std::string(); }
    void SetDisplayText(const std::string& Value) override {
        if (edit_ != nullptr) edit_->SetText(Value);
    }
    void SelectAll() override { edit_->SelectAll(); }

protected:
    TuiCustomEditProperties* CreateProperties() override { return new TTestEditProperties(this); }
    bool CanAcceptRepositoryItem(TuiEditRepositoryItem* AItem) override {
        return AItem == nullptr || dynamic_cast<TTestEditProperties*>(AItem->Properties()) != nullptr;
    }
    bool CanTypeChar(char C) override { return C != 'x'; }

private:
    TEdit* edit_ = nullptr;
};

// One editor per button style and look, with one button of each kind.
inline TEditorGalleryForm* NewButtonGallery() {
    auto* form = Construct<TEditorGalleryForm>(nullptr);
    form->SetCaption("Editor buttons");
    const TuiEditButtonStyle styles[] = {bts3D, btsFlat, btsSimple, btsHotFlat, btsUltraFlat, btsOffice11};
    form->SetClientWidth(8 + 170 * static_cast<int>(GalleryLooks().size()));
    form->SetClientHeight(8 + kGalleryCellHeight * 6);
    int row = 0;
    for (TuiEditButtonStyle style : styles) {
        int column = 0;
        for (const TGalleryLook& look : GalleryLooks()) {
            auto* e = Construct<TTestEdit>(form);
            e->SetParent(form);
            e->SetBounds(8 + column * 170, 6 + row * kGalleryCellHeight, 160, kGalleryControlHeight);
            e->Style()->GetLookAndFeel()->SetKind(look.Kind);
            e->Style()->GetLookAndFeel()->SetNativeStyle(look.Native);
            e->Style()->SetBorderStyle(cbsSingle);
            e->Style()->SetButtonStyle(style);
            TuiEditButtons* buttons = e->Properties()->Buttons();
            buttons->Add()->SetKind(bkEllipsis);
            buttons->Add()->SetKind(bkDown);
            TuiEditButton* text = buttons->Add();
            text->SetKind(bkText);
            text->SetCaption("&Go");
            TuiEditButton* glyph = buttons->Add();
            glyph->SetKind(bkGlyph);
            glyph->GetGlyph()->SetSize(8, 8);
            glyph->GetGlyph()->Canvas()->Brush()->SetColor(clRed);
            glyph->GetGlyph()->Canvas()->FillRect(TRect{1, 1, 7, 7});
            e->SetEditValue(Variant("Text"));
            form->Containers.push_back(e);
            ++column;
        }
        ++row;
    }
    return form;
}

}  // namespace zel::test
