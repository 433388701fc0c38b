#pragma once
// The editors' gallery: a form with one column per look (Flat, Standard, UltraFlat, Office 2003 and the
// native look) and one row per kind of control: a container with an inner EDIT in every border style, without
// and with shadow; a text editor; a masked editor; the spin editor with fast buttons in each of its three
// button positions; a combo box left at its default settings; the drop-down editors: a combo box, a popup edit
// lending a panel and a drop-down edit with a system panel; and, in taller rows, scroll bars of the editors'
// look and feel over native ones: the container's own over a memo and over a list box with a size grip, and an
// inner list box's own. Used by the screenshots and the repaint benchmark.
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/rtl/Clock.h"
#include "platform/rtl/Units.h"
#include "platform/vcl/ExtCtrls.h"
#include "platform/vcl/Forms.h"
#include "platform/vcl/StdCtrls.h"
#include "platform/win/UxTheme.h"
#include "platform/win/Windows.h"
#include "uilib/editors/uiContainer.h"
#include "uilib/editors/uiDropDownEdit.h"
#include "uilib/editors/uiEditorsUnits.h"
#include "uilib/editors/uiMaskEdit.h"
#include "uilib/editors/uiSpinEdit.h"
#include "uilib/editors/uiTextEdit.h"

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

// A plain EDIT at (10, Top) after the form's editor in the tab order, where a Tab from the editor goes.
inline TEdit* NewEditAfter(TWinControl* AForm, int ATop = 50) {
    auto* edit = new TEdit(AForm);
    edit->SetParent(AForm);
    edit->SetBounds(10, ATop, 120, 22);
    edit->TabOrder = 1;
    edit->TabStop = true;
    return edit;
}

// ---- the scroll-bar rows: scroll bars of the editors' look and feel over native ones

// A list box that leaves the corner between its bars to a size grip.
class TGripListBox : public TListBox, public IuiContainerInnerSizeGrip {
public:
    using TListBox::TListBox;
    std::string ClassName() const override { return "TGripListBox"; }
    bool HasSizeGrip() override { return true; }
};

// Gives a list box its horizontal bar, wider than the list, as the window keeps its bars within its client area.
inline void ShowSidewaysBar(TWinControl* List, int Extent) {
    const HWND h = List->GetHandle();
    SetWindowLong(h, GWL_STYLE, GetWindowLong(h, GWL_STYLE) | static_cast<LONG>(WS_HSCROLL));
    SendMessage(h, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(Extent), 0);
}

// A container that shows scroll bars of its own look and feel over its inner control's.
class TScrollingContainer : public TuiContainer {
public:
    using TuiContainer::TuiContainer;
    std::string ClassName() const override { return "TScrollingContainer"; }
    bool HasInnerScrollBars() override { return true; }
};

constexpr int kGalleryListHeight = 84;

// A container with its own bars over an inner memo of Lines lines.
inline TScrollingContainer* NewMemoContainer(TWinControl* Parent, const TRect& R, int Lines) {
    auto* container = Construct<TScrollingContainer>(Parent);
    container->SetParent(Parent);
    container->SetBoundsRect(R);
    auto* memo = new TMemo(container);
    memo->BorderStyle = bsNone;
    memo->ScrollBars = ssVertical;
    memo->SetParent(container);
    for (int i = 0; i < Lines; ++i) memo->Lines()->Add("Line " + std::to_string(i + 1));
    container->SetInnerControl(memo);
    return container;
}

// A container with its own bars over a list box of Items items, wider than the list.
inline TScrollingContainer* NewGripListContainer(TWinControl* Parent, const TRect& R, int Items) {
    auto* container = Construct<TScrollingContainer>(Parent);
    container->SetParent(Parent);
    container->SetBoundsRect(R);
    auto* list = new TGripListBox(container);
    list->BorderStyle = bsNone;
    list->IntegralHeight = false;
    list->SetParent(container);
    for (int i = 0; i < Items; ++i) list->Items()->Add("Tone " + std::to_string(i + 1) + " Brass Section");
    container->SetInnerControl(list);
    ShowSidewaysBar(list, 220);
    return container;
}

// A container around an inner list box of Items items, with its own bars in both directions.
inline TuiContainer* NewInnerListContainer(TWinControl* Parent, const TRect& R, int Items) {
    auto* container = Construct<TuiContainer>(Parent);
    container->SetParent(Parent);
    container->SetBoundsRect(R);
    auto* list = new TuiCustomInnerListBox(container);
    list->IntegralHeight = false;
    list->SetParent(container);
    list->SetContainer(container);
    for (int i = 0; i < Items; ++i) list->Items()->Add("Patch " + std::to_string(i + 1) + " Warm Strings");
    container->SetInnerControl(list);
    ShowSidewaysBar(list, 220);
    return container;
}

// The scroll-bar rows from Top down, one column per look: the container's own bars over a memo, over a list
// box with a size grip, and the inner list box's own bars. Answers the height they take.
inline int AddScrollBarRows(TEditorGalleryForm* Form, int Top, bool Enabled) {
    using TMake = std::function<TuiContainer*(TWinControl*, const TRect&)>;
    const std::vector<TMake> rows = {
        [](TWinControl* P, const TRect& R) { return NewMemoContainer(P, R, 12); },
        [](TWinControl* P, const TRect& R) { return NewGripListContainer(P, R, 12); },
        [](TWinControl* P, const TRect& R) { return NewInnerListContainer(P, R, 30); },
    };
    int row = 0;
    for (const TMake& make : rows) {
        int column = 0;
        for (const TGalleryLook& look : GalleryLooks()) {
            const int x = 8 + column * kGalleryCellWidth, y = Top + row * (kGalleryListHeight + 6);
            TuiContainer* c = make(Form, TRect{x, y, x + kGalleryControlWidth, y + kGalleryListHeight});
            c->Style()->GetLookAndFeel()->SetKind(look.Kind);
            c->Style()->GetLookAndFeel()->SetNativeStyle(look.Native);
            c->Style()->SetBorderStyle(cbsSingle);
            c->SetEnabled(Enabled);
            Form->Containers.push_back(c);
            ++column;
        }
        ++row;
    }
    return row * (kGalleryListHeight + 6);
}

// Builds the gallery for one state: every container enabled, or every one disabled.
inline TEditorGalleryForm* NewEditorGallery(bool Enabled = true) {
    auto* form = Construct<TEditorGalleryForm>(nullptr);
    form->SetCaption(Enabled ? "Editors" : "Editors (disabled)");
    const std::vector<std::pair<const char*, TuiContainerBorderStyle>> styles = {
        {"None", cbsNone}, {"Single", cbsSingle},       {"Thick", cbsThick},      {"Flat", cbsFlat},
        {"3D", cbs3D},     {"UltraFlat", cbsUltraFlat}, {"Office11", cbsOffice11}};
    // The editors' rows, after the containers' ones; each makes the editor of one cell in a look.
    using TMakeEditor = std::function<TuiContainer*(TWinControl*, const TGalleryLook&)>;
    std::vector<TMakeEditor> editorRows = {[](TWinControl* Parent, const TGalleryLook&) {
                                               auto* e = Construct<TuiTextEdit>(Parent);
                                               e->SetEditValue(Variant("Text edit"));
                                               return e;
                                           },
                                           [](TWinControl* Parent, const TGalleryLook&) {
                                               auto* e = Construct<TuiMaskEdit>(Parent);
                                               e->Properties()->SetEditMask("(999)000-0000");
                                               e->SetEditValue(Variant("(555)12 -    "));
                                               return e;
                                           }};
    for (TuiSpinEditButtonsPosition position : {sbpHorzLeftRight, sbpHorzRight, sbpVert})
        editorRows.push_back([position](TWinControl* Parent, const TGalleryLook&) {
            auto* spin = Construct<TuiSpinEdit>(Parent);
            spin->Properties()->SpinButtons()->SetPosition(position);
            spin->Properties()->SpinButtons()->SetShowFastButtons(true);
            spin->SetValue(Variant(42));
            return spin;
        });
    // Editors left at every default setting: a combo box whose popup border comes from the editor.
    editorRows.push_back([](TWinControl* Parent, const TGalleryLook&) {
        auto* combo = Construct<TuiComboBox>(Parent);
        for (const char* item : {"Piano", "Strings", "Brass"}) combo->Properties()->Items()->Add(item);
        combo->SetEditValue(Variant("Defaults"));
        return combo;
    });
    // The drop-down editors come last.
    const auto popupBorder = [](TuiCustomDropDownEdit* E, const TGalleryLook& Look) {
        E->Style()->SetPopupBorderStyle(Look.Native ? epbsDefault : epbsFrame3D);
        return E;
    };
    editorRows.push_back([popupBorder](TWinControl* Parent, const TGalleryLook& Look) {
        auto* combo = Construct<TuiComboBox>(Parent);
        for (const char* item : {"Piano", "Strings", "Brass", "Organ", "Pad"}) combo->Properties()->Items()->Add(item);
        combo->SetEditValue(Variant("Strings"));
        return popupBorder(combo, Look);
    });
    editorRows.push_back([popupBorder](TWinControl* Parent, const TGalleryLook& Look) {
        auto* popup = Construct<TuiPopupEdit>(Parent);
        auto* panel = new TPanel(Parent);
        panel->SetParent(Parent);
        panel->SetBounds(0, 0, 120, 80);
        panel->SetCaption(Look.Name);
        panel->SetVisible(false);
        popup->Properties()->SetPopupControl(panel);
        popup->Properties()->ImmediatePopup = false;
        popup->SetEditValue(Variant("Popup"));
        return popupBorder(popup, Look);
    });
    editorRows.push_back([popupBorder](TWinControl* Parent, const TGalleryLook& Look) {
        auto* drop = Construct<TuiDropDownEdit>(Parent);
        drop->DropDownProperties()->PopupAutoSize = false;
        drop->DropDownProperties()->PopupSizeable = true;
        drop->DropDownProperties()->PopupSysPanelStyle = true;
        drop->DropDownProperties()->SetPopupHeight(90);
        drop->Style()->SetPopupCloseButton(true);
        drop->SetEditValue(Variant("Drop-down"));
        return popupBorder(drop, Look);
    });
    const int rows = static_cast<int>(styles.size()) * 2 + static_cast<int>(editorRows.size());
    form->SetClientWidth(8 + kGalleryCellWidth * static_cast<int>(GalleryLooks().size()));
    form->SetClientHeight(8 + kGalleryCellHeight * rows + 3 * (kGalleryListHeight + 6));
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
    for (const auto& make : editorRows) {
        int column = 0;
        for (const TGalleryLook& look : GalleryLooks()) {
            TuiContainer* e = make(form, look);
            e->SetParent(form);
            e->SetBounds(8 + column * kGalleryCellWidth, 6 + row * kGalleryCellHeight, kGalleryControlWidth,
                         kGalleryControlHeight);
            e->Style()->GetLookAndFeel()->SetKind(look.Kind);
            e->Style()->GetLookAndFeel()->SetNativeStyle(look.Native);
            e->SetEnabled(Enabled);
            form->Containers.push_back(e);
            ++column;
        }
        ++row;
    }
    AddScrollBarRows(form, 6 + row * kGalleryCellHeight, Enabled);
    return form;
}

// Window tests of the editors: the library started on the manual clock (optionally with the test theme
// provider installed first), the pointer parked off every window, forms freed at the end.
class EditorWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        if (themed_) {
            provider_.PaintsParts = true;
            provider_.Colors[{1, 1, 3801}] = RGB(127, 157, 185);
            InstallThemeProvider(&provider_);
        }
        units_ = std::make_unique<TUnitsScope>(uiEditorsUnitList());
        SetCursorPos(2000, 2000);
        ProcessPendingMessages();
    }
    void TearDown() override {
        Application->OnIdle = nullptr;
        ProcessPendingMessages();
        for (auto it = forms_.rbegin(); it != forms_.rend(); ++it) delete *it;
        forms_.clear();
        ProcessPendingMessages();
        units_->Stop();
        units_.reset();
        if (themed_) InstallThemeProvider(nullptr);
    }
    template <class F>
    F* Keep(F* form) {
        forms_.push_back(form);
        return form;
    }
    // Moves the manual clock on in steps of 10 ms, dispatching what falls due.
    void Run(TTick ms) {
        for (TTick done = 0; done < ms; done += 10) {
            clock_->Advance(10);
            ProcessPendingMessages();
        }
    }

    TManualClockScope clock_;
    bool themed_ = false;
    TTestThemeProvider provider_;

private:
    std::unique_ptr<TUnitsScope> units_;
    std::vector<TForm*> forms_;
};

}  // namespace zel::test
