// The container styles: how each value resolves (own, controller chain, default), what the states share,
// change notification, controllers and the stored form of the editor styles.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/rtl/Units.h"
#include "platform/vcl/Controls.h"
#include "platform/vcl/ExtCtrls.h"
#include "platform/vcl/FormReader.h"
#include "platform/vcl/FormWriter.h"
#include "platform/vcl/Forms.h"
#include "uilib/editors/uiContainer.h"
#include "uilib/editors/uiEdit.h"
#include "uilib/editors/uiEditorsUnits.h"

namespace zel::test {
namespace {

// A control that owns a style set and answers the container queries as a test sets them.
class TFakeContainer : public TCustomControl, public IuiContainerStyleOwner {
public:
    explicit TFakeContainer(TComponent* AOwner, bool AInPlace = false, bool ADefaultParentColor = false)
        : TCustomControl(AOwner), inPlace_(AInPlace), defaultParentColor_(ADefaultParentColor) {}
    ~TFakeContainer() override { delete styles; }
    void AfterConstruction() override {
        TCustomControl::AfterConstruction();
        styles = new TuiContainerStyles(EditStyleClass(), this);
    }
    TControl* StyleOwnerControl() override { return this; }
    bool DefaultParentColor() override { return defaultParentColor_; }
    bool IsInPlaceEditor() override { return inPlace_; }
    bool IsStylePropertyStored(const std::string& AName, bool AIsStateStyle) override {
        return !AIsStateStyle || styles->Style(cssNormal)->IsStatePropertyVisible(AName);
    }
    TuiCustomEditStyle* Style(TuiContainerStyleState AState) {
        return static_cast<TuiCustomEditStyle*>(styles->Style(AState));
    }

    TuiContainerStyles* styles = nullptr;

private:
    bool inPlace_ = false;
    bool defaultParentColor_ = false;
};

class ContainerStyles : public ::testing::Test {
protected:
    TUnitsScope units{uiEditorsUnitList()};

    std::unique_ptr<TuiStyleController> NewController() {
        return std::unique_ptr<TuiStyleController>(Construct<TuiEditStyleController>(nullptr));
    }
    std::unique_ptr<TuiContainerStyles> NewSet() {
        return std::make_unique<TuiContainerStyles>(ContainerStyleClass(), nullptr);
    }
};

TEST_F(ContainerStyles, ANewStyleFollowsTheDefaultEditStyleControllerWithoutStoringIt) {
    auto set = NewSet();
    TuiContainerStyle* normal = set->Style(cssNormal);
    ASSERT_NE(uiDefaultEditStyleController(), nullptr);
    EXPECT_EQ(normal->GetActiveStyleController(), uiDefaultEditStyleController());
    EXPECT_EQ(normal->GetStyleController(), nullptr);
    EXPECT_EQ(set->Style(cssHot)->GetActiveStyleController(), uiDefaultEditStyleController());
    EXPECT_FALSE(normal->IsStyleControllerStored());

    // The default controller's values reach every style that assigns nothing.
    uiDefaultEditStyleController()->Style()->SetBorderColor(clRed);
    EXPECT_EQ(normal->GetBorderColor(), clRed);
    uiDefaultEditStyleController()->Style()->SetAssignedValues(0);
    EXPECT_EQ(normal->GetBorderColor(), clWindowFrame);
}

// Each row sets up a set (and maybe a controller) and reads one resolved value.
TEST_F(ContainerStyles, BorderStyleResolution) {
    struct TRow {
        const char* name;
        TuiContainerStyleState state;
        bool hotTrack;
        TuiContainerBorderStyle normal;
        TuiContainerBorderStyle expected;
    } rows[] = {
        {"HotTrackingHotSingleBecomesThick", cssHot, true, cbsSingle, cbsThick},
        {"HotWithoutHotTrackKeepsSingle", cssHot, false, cbsSingle, cbsSingle},
        {"FocusedNoneBecomesFlat", cssFocused, true, cbsNone, cbsFlat},
        {"FocusedFlatBecomes3D", cssFocused, true, cbsFlat, cbs3D},
        {"FocusedOffice11Stays", cssFocused, true, cbsOffice11, cbsOffice11},
        {"DisabledKeepsTheNormalFrame", cssDisabled, true, cbsSingle, cbsSingle},
        {"NormalIsItsOwn", cssNormal, true, cbsFlat, cbsFlat},
    };
    for (const TRow& row : rows) {
        auto set = NewSet();
        set->Style(cssNormal)->SetBorderStyle(row.normal);
        set->Style(cssNormal)->SetHotTrack(row.hotTrack);
        EXPECT_EQ(set->Style(row.state)->GetBorderStyle(), row.expected) << row.name;
    }
}

TEST_F(ContainerStyles, TheNormalBorderStyleDefaultFollowsTheLookAndFeel) {
    struct TRow {
        TuiLookAndFeelKind kind;
        TuiContainerBorderStyle expected;
    } rows[] = {{lfFlat, cbsFlat}, {lfStandard, cbs3D}, {lfUltraFlat, cbsUltraFlat}, {lfOffice11, cbsOffice11}};
    for (const TRow& row : rows) {
        auto set = NewSet();
        set->Style(cssNormal)->GetLookAndFeel()->SetKind(row.kind);
        EXPECT_EQ(set->Style(cssNormal)->GetBorderStyle(), row.expected) << row.kind;
        EXPECT_EQ(set->Style(cssDisabled)->GetBorderStyle(), row.expected) << row.kind;
    }
}

TEST_F(ContainerStyles, DisabledColoursComeFromOwnThenControllerThenButtonShadow) {
    struct TRow {
        const char* name;
        bool ownAssigned;
        bool controllerAssigned;
        TColor expected;
    } rows[] = {
        {"Default", false, false, clBtnShadow},
        {"Controller", false, true, clGreen},
        {"OwnWinsOverController", true, true, clBlue},
    };
    for (const TRow& row : rows) {
        auto controller = NewController();
        auto set = NewSet();
        set->Style(cssNormal)->SetStyleController(controller.get());
        set->Style(cssNormal)->SetTextColor(clRed);
        set->Style(cssNormal)->SetBorderColor(clRed);
        if (row.controllerAssigned) {
            controller->GetStyle(cssDisabled)->SetTextColor(clGreen);
            controller->GetStyle(cssDisabled)->SetBorderColor(clGreen);
        }
        if (row.ownAssigned) {
            set->Style(cssDisabled)->SetTextColor(clBlue);
            set->Style(cssDisabled)->SetBorderColor(clBlue);
        }
        EXPECT_EQ(set->Style(cssDisabled)->GetTextColor(), row.expected) << row.name;
        EXPECT_EQ(set->Style(cssDisabled)->GetBorderColor(), row.expected) << row.name;
        // Focused and Hot take the Normal style's values.
        EXPECT_EQ(set->Style(cssFocused)->GetTextColor(), clRed) << row.name;
        EXPECT_EQ(set->Style(cssHot)->GetBorderColor(), clRed) << row.name;
    }
}

TEST_F(ContainerStyles, SharedValuesWrittenOnAStateStyleLandOnTheNormalStyle) {
    auto set = NewSet();
    TuiContainerStyle* normal = set->Style(cssNormal);
    TuiContainerStyle* focused = set->Style(cssFocused);
    int changes = 0;
    normal->OnChanged = [&](TuiContainerStyle*) { ++changes; };
    focused->SetEdges(TuiBorders{bLeft, bTop});
    EXPECT_EQ(normal->GetEdges(), (TuiBorders{bLeft, bTop}));
    EXPECT_EQ(normal->GetAssignedValues(), StyleValueBit(csvEdges));
    EXPECT_EQ(focused->GetAssignedValues(), 0u);
    EXPECT_EQ(set->Style(cssHot)->GetEdges(), (TuiBorders{bLeft, bTop}));
    EXPECT_EQ(changes, 1);
    focused->SetShadow(true);
    focused->SetTransparentBorder(false);
    focused->SetHotTrack(false);
    EXPECT_TRUE(set->Style(cssDisabled)->GetShadow());
    EXPECT_FALSE(set->Style(cssDisabled)->GetTransparentBorder());
    EXPECT_FALSE(normal->GetHotTrack());
    // Per-state values stay on the style they are written on.
    focused->SetColor(clYellow);
    EXPECT_EQ(focused->GetColor(), clYellow);
    EXPECT_EQ(normal->GetColor(), clBtnFace) << "a style without container is parent-coloured";
    EXPECT_EQ(set->Style(cssHot)->GetColor(), clBtnFace);
}

TEST_F(ContainerStyles, AControllerThatFollowsTheStyleIsRefused) {
    auto a = NewController();
    auto b = NewController();
    a->GetStyle(cssNormal)->SetStyleController(b.get());
    EXPECT_EQ(a->GetStyle(cssNormal)->GetStyleController(), b.get());
    b->GetStyle(cssNormal)->SetStyleController(a.get());
    EXPECT_EQ(b->GetStyle(cssNormal)->GetStyleController(), nullptr) << "the second assignment is ignored";
    // A controller's own style cannot follow the controller itself either.
    a->GetStyle(cssHot)->SetStyleController(a.get());
    EXPECT_EQ(a->GetStyle(cssNormal)->GetStyleController(), b.get());
    EXPECT_EQ(a->GetFakeStyleController(), b.get());
}

TEST_F(ContainerStyles, ChangesNestAndFireOnceAtTheOutermostUnlock) {
    auto set = NewSet();
    TuiContainerStyle* normal = set->Style(cssNormal);
    int changes = 0;
    normal->OnChanged = [&](TuiContainerStyle*) { ++changes; };
    normal->UnlockChanges();  // below zero: ignored
    normal->LockChanges();
    normal->LockChanges();
    normal->SetColor(clRed);
    normal->SetBorderStyle(cbsSingle);
    normal->UnlockChanges();
    EXPECT_EQ(changes, 0);
    normal->UnlockChanges();
    EXPECT_EQ(changes, 1);
    normal->LockChanges();
    normal->SetColor(clRed);  // already so
    normal->UnlockChanges();
    EXPECT_EQ(changes, 1) << "nothing changed";
    normal->SetColor(clRed);
    EXPECT_EQ(changes, 1);
}

// Records the order in which a freed controller tells its listeners.
class TRecordingStyle : public TuiContainerStyle {
public:
    TRecordingStyle(std::vector<int>* ALog, int AId) : TuiContainerStyle(nullptr, false), log_(ALog), id_(AId) {}
    void ControllerRemoved(TuiStyleController* AController) override {
        log_->push_back(id_);
        TuiContainerStyle::ControllerRemoved(AController);
    }

private:
    std::vector<int>* log_;
    int id_;
};

TEST_F(ContainerStyles, AFreedControllerTellsItsListenersFromTheLastToTheFirst) {
    std::vector<int> log;
    std::vector<std::unique_ptr<TRecordingStyle>> styles;
    auto controller = NewController();
    controller->GetStyle(cssNormal)->SetColor(clAqua);
    for (int id = 1; id <= 3; ++id) {
        styles.emplace_back(Construct<TRecordingStyle>(&log, id));
        styles.back()->SetStyleController(controller.get());
        EXPECT_EQ(styles.back()->GetColor(), clAqua);
    }
    EXPECT_EQ(controller->ListenerCount(), 3);
    controller.reset();
    EXPECT_EQ(log, (std::vector<int>{3, 2, 1}));
    for (auto& style : styles) {
        EXPECT_EQ(style->GetActiveStyleController(), nullptr);
        EXPECT_EQ(style->GetColor(), clBtnFace);
        style->SetStyleController(nullptr);
        EXPECT_EQ(style->GetActiveStyleController(), uiDefaultEditStyleController()) << "the default on the next one";
    }
}

TEST_F(ContainerStyles, ADirectAccessStyleHoldsPaintValuesWithoutNotifications) {
    TFont font;
    font.SetStyle(TFontStyles{fsBold});
    std::unique_ptr<TuiContainerStyle> style(Construct<TuiContainerStyle>(nullptr, true));
    int changes = 0;
    style->OnChanged = [&](TuiContainerStyle*) { ++changes; };
    style->SetFont(&font);
    style->SetColor(clLime);
    style->SetTextColor(clNavy);
    EXPECT_EQ(style->GetFont(), &font) << "a reference, not a copy";
    EXPECT_EQ(style->GetAssignedValues(), 0x3FFu);
    EXPECT_EQ(style->GetBorderColor(), clDefault);
    EXPECT_TRUE(style->GetEdges().Empty());
    EXPECT_FALSE(style->GetShadow());
    EXPECT_TRUE(style->GetTransparentBorder());
    EXPECT_EQ(style->GetColor(), clLime);
    EXPECT_EQ(style->GetTextColor(), clNavy);
    EXPECT_EQ(style->GetTextStyle(), TFontStyles{fsBold});
    EXPECT_EQ(style->GetActiveStyleController(), nullptr);
    EXPECT_EQ(changes, 0);

    // Assigned into a normal style, the direct font's colour becomes the text colour.
    auto set = NewSet();
    set->Style(cssNormal)->Assign(style.get());
    EXPECT_EQ(set->Style(cssNormal)->GetFont()->GetColor(), clNavy);
    EXPECT_EQ(set->Style(cssNormal)->GetColor(), clLime);
}

TEST_F(ContainerStyles, FontFollowsTheControllerUntilItIsAssigned) {
    auto controller = NewController();
    controller->GetStyle(cssNormal)->GetFont()->SetName("DejaVu Serif");
    auto set = NewSet();
    TuiContainerStyle* normal = set->Style(cssNormal);
    normal->SetStyleController(controller.get());
    EXPECT_EQ(normal->GetFont()->GetName(), "DejaVu Serif");
    EXPECT_FALSE(normal->GetAssignedValues() & StyleValueBit(csvFont)) << "following is not assigning";
    EXPECT_TRUE(normal->IsValueAssigned(csvFont));
    TFont own;
    own.SetName("DejaVu Sans");
    set->Style(cssFocused)->SetFont(&own);
    EXPECT_TRUE(normal->GetAssignedValues() & StyleValueBit(csvFont));
    EXPECT_EQ(set->Style(cssHot)->GetFont()->GetName(), "DejaVu Sans");
    EXPECT_EQ(set->Style(cssHot)->GetVisibleFont()->GetName(), "DejaVu Sans");
    set->Style(cssHot)->SetTextColor(clMaroon);
    EXPECT_EQ(set->Style(cssHot)->GetVisibleFont()->GetColor(), clMaroon);
}

TEST_F(ContainerStyles, AControllerScalesItsAssignedFontOnceInItsLife) {
    auto controller = NewController();
    TuiContainerStyle* normal = controller->GetStyle(cssNormal);
    normal->GetFont()->SetSize(10);
    controller->ChangeScale(2, 1);
    EXPECT_EQ(normal->GetFont()->GetSize(), 20);
    controller->ChangeScale(2, 1);
    EXPECT_EQ(normal->GetFont()->GetSize(), 20);

    // Without an own font the request passes to the controller's controller.
    auto outer = NewController();
    outer->GetStyle(cssNormal)->GetFont()->SetSize(10);
    auto inner = NewController();
    inner->GetStyle(cssNormal)->SetStyleController(outer.get());
    inner->ChangeScale(3, 2);
    EXPECT_EQ(outer->GetStyle(cssNormal)->GetFont()->GetSize(), 15);
}

TEST_F(ContainerStyles, StatePropertyVisibility) {
    auto set = NewSet();
    std::unique_ptr<TuiContainerStyle> edit(Construct<TuiEditStyle>(nullptr, false));
    struct TRow {
        const char* name;
        bool container;
        bool edit;
    } rows[] = {
        {"LookAndFeel", false, false},
        {"StyleController", false, false},
        {"BorderStyle", true, true},
        {"Edges", false, false},
        {"Font", false, false},
        {"TextColor", true, true},
        {"ButtonStyle", true, true},
        {"Gradient", true, false},
        {"GradientDirection", true, false},
        {"Unknown", true, true},
    };
    for (const TRow& row : rows) {
        EXPECT_EQ(set->Style(cssNormal)->IsStatePropertyVisible(row.name), row.container) << row.name;
        EXPECT_EQ(edit->IsStatePropertyVisible(row.name), row.edit) << row.name;
    }
    EXPECT_EQ(edit->HiddenStateStyleValues(), 64120u);
    TuiContainerStyleValue value = -1;
    EXPECT_TRUE(edit->FindStyleValue("gradientdirection", value));
    EXPECT_EQ(value, svGradientDirection);
    EXPECT_FALSE(set->Style(cssNormal)->FindStyleValue("Gradient", value));
}

// ---- with a control that owns the styles

class ContainerOwnedStyles : public ContainerStyles {
protected:
    void TearDown() override {
        delete container;
        delete parent;
    }
    void Make(bool inPlace = false, bool defaultParentColor = false) {
        parent = new TPanel(nullptr);
        parent->SetColor(clTeal);
        container = Construct<TFakeContainer>(nullptr, inPlace, defaultParentColor);
        container->SetParent(parent);
    }
    TPanel* parent = nullptr;
    TFakeContainer* container = nullptr;
};

TEST_F(ContainerOwnedStyles, ColourRows) {
    struct TRow {
        const char* name;
        bool defaultParentColor;
        bool inPlace;
        bool parentColor;
        bool assigned;
        TColor color;
        TColor paint;
        TColor disabled;
    } rows[] = {
        {"Window", false, false, false, false, clWindow, clWindow, clBtnFace},
        {"ParentColorTakesTheParents", false, false, true, false, clTeal, clTeal, clBtnFace},
        {"ParentColorBeforeAssigned", false, false, true, true, clTeal, clYellow, clBtnFace},
        {"InPlaceDoesNotPaintTheParents", false, true, true, false, clTeal, clWindow, clBtnFace},
        {"DefaultParentColor", true, false, false, false, clBtnFace, clBtnFace, clBtnFace},
        {"AssignedWithoutParentColor", false, false, false, true, clYellow, clYellow, clBtnFace},
    };
    for (const TRow& row : rows) {
        Make(row.inPlace, row.defaultParentColor);
        container->SetParentColor(row.parentColor);
        if (row.assigned) container->Style(cssNormal)->SetColor(clYellow);
        EXPECT_EQ(container->Style(cssNormal)->GetColor(), row.color) << row.name;
        EXPECT_EQ(container->Style(cssNormal)->PaintColor(), row.paint) << row.name;
        EXPECT_EQ(container->Style(cssDisabled)->GetColor(), row.defaultParentColor ? row.color : row.disabled)
            << row.name;
        TearDown();
        container = nullptr;
        parent = nullptr;
    }
}

TEST_F(ContainerOwnedStyles, ResetToDefaultsClearsValuesAndRestoresParentFontAndColour) {
    Make(false, true);
    TuiCustomEditStyle* normal = container->Style(cssNormal);
    normal->SetColor(clRed);
    normal->SetButtonStyle(btsFlat);
    normal->GetLookAndFeel()->SetKind(lfFlat);
    container->SetParentFont(false);
    int changes = 0;
    normal->OnChanged = [&](TuiContainerStyle*) { ++changes; };
    normal->ResetToDefaults();
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(normal->GetAssignedValues(), 0u);
    EXPECT_EQ(normal->GetButtonStyle(), btsDefault);
    EXPECT_TRUE(normal->GetLookAndFeel()->GetAssignedValues().Empty());
    EXPECT_TRUE(container->GetParentFont());
    EXPECT_TRUE(container->GetParentColor()) << "a parent-coloured control by default";

    // Unless the controller gives a colour.
    auto controller = NewController();
    controller->GetStyle(cssNormal)->SetColor(clOlive);
    normal->SetStyleController(controller.get());
    normal->ResetToDefaults();
    EXPECT_FALSE(container->GetParentColor());
    EXPECT_EQ(normal->GetColor(), clOlive);
}

TEST_F(ContainerOwnedStyles, InPlaceEditorsFollowNoDefaultController) {
    Make(true);
    EXPECT_EQ(container->Style(cssNormal)->GetActiveStyleController(), nullptr);
    TearDown();
    Make(false);
    EXPECT_EQ(container->Style(cssNormal)->GetActiveStyleController(), uiDefaultEditStyleController());
    container->Style(cssNormal)->SetBorderStyle(cbsThick);
    EXPECT_TRUE(container->Style(cssNormal)->IsValueStored(csvBorderStyle));
    container->Style(cssFocused)->SetColor(clRed);
    EXPECT_TRUE(container->Style(cssFocused)->IsValueStored(csvColor));
    EXPECT_FALSE(container->Style(cssFocused)->IsValueStored(csvBorderStyle)) << "not assigned there";
    TearDown();
    container = nullptr;
    parent = nullptr;
}

// ---- editor styles

TEST_F(ContainerStyles, EditorValuesKeptByTheNormalStyleShowInEveryState) {
    auto controller = NewController();
    auto* edit = static_cast<TuiEditStyleController*>(controller.get());
    TuiEditStyle* hot = edit->StyleHot();
    hot->SetGradient(true);
    hot->SetGradientDirection(dnLeft);
    hot->SetPopupBorderStyle(epbsFlat);
    hot->SetButtonTransparency(ebtAlways);
    hot->SetGradientButtons(true);
    for (TuiEditStyle* s : {edit->Style(), edit->StyleFocused(), edit->StyleDisabled(), edit->StyleHot()}) {
        EXPECT_TRUE(s->GetGradient());
        EXPECT_EQ(s->GetGradientDirection(), dnLeft);
        EXPECT_EQ(s->GetPopupBorderStyle(), epbsFlat);
        EXPECT_EQ(s->GetButtonTransparency(), ebtAlways);
        EXPECT_TRUE(s->GetGradientButtons());
        EXPECT_TRUE(s->GetPopupCloseButton());
    }
    EXPECT_EQ(hot->GetAssignedValues(), 0u);
    EXPECT_EQ(edit->Style()->GetAssignedValues(), 0xF800u);
}

TEST_F(ContainerStyles, ButtonStyleRows) {
    struct TRow {
        const char* name;
        bool normalOwn;
        bool controllerDisabled;
        bool disabledOwn;
        TuiEditButtonStyle expected;
    } rows[] = {
        {"DefaultWhenNothingIsAssigned", false, false, false, btsDefault},
        {"DisabledShowsTheNormalOne", true, false, false, btsFlat},
        {"ControllerWinsOverTheNormalDefault", true, true, false, btsHotFlat},
        {"OwnWinsOverTheController", true, true, true, btsOffice11},
    };
    for (const TRow& row : rows) {
        std::unique_ptr<TuiStyleController> controller(Construct<TuiEditStyleController>(nullptr));
        auto* shared = static_cast<TuiEditStyleController*>(controller.get());
        std::unique_ptr<TuiContainerStyles> set = std::make_unique<TuiContainerStyles>(EditStyleClass(), nullptr);
        auto* normal = static_cast<TuiCustomEditStyle*>(set->Style(cssNormal));
        auto* disabled = static_cast<TuiCustomEditStyle*>(set->Style(cssDisabled));
        normal->SetStyleController(shared);
        if (row.normalOwn) normal->SetButtonStyle(btsFlat);
        if (row.controllerDisabled) shared->StyleDisabled()->SetButtonStyle(btsHotFlat);
        if (row.disabledOwn) disabled->SetButtonStyle(btsOffice11);
        EXPECT_EQ(disabled->GetButtonStyle(), row.expected) << row.name;
        EXPECT_EQ(normal->GetButtonStyle(), row.normalOwn ? btsFlat : btsDefault) << row.name;
    }
}

// ---- stored form

const char* streamText = nullptr;

class TStyleForm : public TForm {
public:
    using TForm::TForm;
    std::string ClassName() const override { return "TStyleForm"; }
    const TFormResource* FormResource() const override {
        resource_ = TFormResource{"StyleForm", streamText};
        return &resource_;
    }

private:
    mutable TFormResource resource_;
};

constexpr const char* kStyleForm = R"(object StyleForm: TStyleForm
  Left = 0
  Top = 0
  Caption = 'Styles'
  object Shared: TuiEditStyleController
    Style.BorderStyle = ebsSingle
    Style.ButtonStyle = btsFlat
    Style.Edges = [bLeft, bBottom]
    Style.IsFontAssigned = False
    StyleFocused.Color = clInfoBk
  end
  object Editor: TuiEditStyleController
    Style.StyleController = Shared
    StyleHot.Gradient = True
  end
end
)";

TEST_F(ContainerStyles, AFormResourceOfStylesReadsAndWritesBackTheSameText) {
    streamText = kStyleForm;
    std::unique_ptr<TStyleForm> form(Construct<TStyleForm>(nullptr));
    auto* shared = dynamic_cast<TuiEditStyleController*>(form->FindComponent("Shared"));
    auto* editor = dynamic_cast<TuiEditStyleController*>(form->FindComponent("Editor"));
    ASSERT_NE(shared, nullptr);
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(shared->Style()->GetBorderStyle(), cbsSingle);
    EXPECT_EQ(shared->StyleHot()->GetBorderStyle(), cbsThick);
    EXPECT_TRUE(shared->Style()->GetAssignedValues() & StyleValueBit(csvFont)) << "whatever the Boolean";
    EXPECT_EQ(shared->StyleFocused()->GetColor(), clInfoBk);
    EXPECT_EQ(editor->Style()->GetStyleController(), shared);
    EXPECT_EQ(editor->StyleDisabled()->GetButtonStyle(), btsFlat) << "through the controller";
    EXPECT_TRUE(editor->Style()->GetGradient());

    const std::string text = WriteComponentText(*form);
    EXPECT_NE(text.find("Style.BorderStyle = ebsSingle"), std::string::npos) << text;
    EXPECT_NE(text.find("Style.IsFontAssigned = True"), std::string::npos) << text;
    EXPECT_NE(text.find("Style.StyleController = Shared"), std::string::npos) << text;
    EXPECT_EQ(text.find("StyleHot.Gradient"), std::string::npos) << "kept by the Normal style: " << text;
    EXPECT_EQ(text.find("Editor.Style.IsFontAssigned"), std::string::npos) << text;

    streamText = text.c_str();
    std::unique_ptr<TStyleForm> again(Construct<TStyleForm>(nullptr));
    EXPECT_EQ(WriteComponentText(*again), text);
}

}  // namespace
}  // namespace zel::test
