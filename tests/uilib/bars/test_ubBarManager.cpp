// The bar manager: its owner rules, properties with their defaults and rules, the look, the fonts, the item
// and category queries, the thread hooks and shared hint window it keeps, the manager list, and the manager as
// read from a form resource.
#include <vector>

#include "BarsTestSupport.h"
#include "platform/vcl/FormWriter.h"
#include "platform/vcl/ImgList.h"
#include "uilib/bars/ubBarConsts.h"
#include "uilib/bars/ubBarDockControl.h"
#include "uilib/bars/ubBarHint.h"
#include "uilib/bars/ubBarPopupMenuLinks.h"
#include "uilib/bars/ubBars.h"
#include "uilib/base/ubOffice11.h"

namespace zel::test {
namespace {

using ubBarManagerTest = BarsTest;

TEST_F(ubBarManagerTest, OwnerMustBeAFormWithoutAManager) {
    TTestForm* form = NewForm();
    auto* first = new TubBarManager(form);
    TComponent dataModule(nullptr);
    struct TRow {
        const char* name;
        TComponent* owner;
        const char* message;
    } rows[] = {
        {"a data module", &dataModule, "TubBarManager should have as its Owner - TForm (TCustomForm)"},
        {"a second manager on one form", form, "A Form should contain only a single TubBarManager"},
    };
    for (const TRow& row : rows) {
        const int components = row.owner->ComponentCount();
        try {
            new TubBarManager(row.owner);
            ADD_FAILURE() << row.name << ": no exception";
        } catch (const Exception& e) {
            EXPECT_EQ(e.Message, row.message) << row.name;
        }
        EXPECT_EQ(row.owner->ComponentCount(), components) << row.name;
    }
    EXPECT_EQ(BarManagerList()->Count(), 1);
    EXPECT_EQ(ManagerOfForm(form), first);
}

TEST_F(ubBarManagerTest, NoOwnerMeansTheMainForm) {
    TTestForm* form = NewForm();
    Application->MainForm = form;
    auto* manager = new TubBarManager(nullptr);
    Application->MainForm = nullptr;
    EXPECT_EQ(manager->Form(), form);
    EXPECT_EQ(manager->GetOwner(), form);
}

TEST_F(ubBarManagerTest, NewManagerHasItsDefaults) {
    auto* m = new TubBarManager(NewForm());
    EXPECT_TRUE(m->AllowReset);
    EXPECT_TRUE(m->GetAutoDockColor());
    EXPECT_TRUE(m->GetScaled());
    EXPECT_EQ(m->GetButtonArrowWidth(), 11);
    EXPECT_EQ(m->GetLargeButtonArrowWidth(), 13);
    EXPECT_TRUE(m->CanCustomize);
    EXPECT_TRUE(m->GetHideFloatingBarsWhenInactive());
    EXPECT_EQ(m->GetImageListBkColor(), static_cast<TColor>(0xFF00FF));
    EXPECT_TRUE(m->GetMenusShowRecentItemsFirst());
    EXPECT_EQ(m->GetMostRecentItemsPercents(), 95);
    EXPECT_EQ(m->RecentUseStep(), 20);
    EXPECT_TRUE(m->GetShowFullMenusAfterDelay());
    EXPECT_TRUE(m->GetShowHint());
    EXPECT_TRUE(m->ShowHintForDisabledItems);
    EXPECT_FALSE(m->GetShowShortCutInHint());
    EXPECT_TRUE(m->StretchGlyphs);
    EXPECT_EQ(m->GetStyle(), bmsEnhanced);
    EXPECT_TRUE(m->UseF10ForMenu);
    EXPECT_TRUE(m->GetUseSystemFont());
    EXPECT_EQ(m->GetWaitForDockingTime(), 21);
    EXPECT_EQ(m->GetMenuAnimations(), maNone);
    ASSERT_EQ(m->GetCategories()->GetCount(), 1);
    EXPECT_EQ(m->GetCategories()->Get(0), "Default");
    EXPECT_EQ(m->ReadStateCount(), 0);
    EXPECT_FALSE(m->ResetAllowed());
    EXPECT_TRUE(m->Created());
    EXPECT_EQ(m->DockControlHeights, (std::array<int, 4>{0, 0, 0, 0}));
}

TEST_F(ubBarManagerTest, RecentItemsPercentsAreCappedAndSetTheUseStep) {
    struct TRow {
        int set, stored, step;
    } rows[] = {{250, 100, 0}, {95, 95, 20}, {0, 0, 1}, {99, 99, 100}, {50, 50, 2}, {100, 100, 0}};
    auto* m = new TubBarManager(NewForm());
    for (const TRow& row : rows) {
        m->SetMostRecentItemsPercents(row.set);
        EXPECT_EQ(m->GetMostRecentItemsPercents(), row.stored) << row.set;
        EXPECT_EQ(m->RecentUseStep(), row.step) << row.set;
    }
}

TEST_F(ubBarManagerTest, ValuesOutsideTheirRangeAreIgnored) {
    auto* m = new TubBarManager(NewForm());
    m->SetButtonArrowWidth(1);
    EXPECT_EQ(m->GetButtonArrowWidth(), 11);
    m->SetButtonArrowWidth(2);
    EXPECT_EQ(m->GetButtonArrowWidth(), 2);
    m->SetLargeButtonArrowWidth(0);
    EXPECT_EQ(m->GetLargeButtonArrowWidth(), 13);
    m->SetWaitForDockingTime(-1);
    EXPECT_EQ(m->GetWaitForDockingTime(), 21);
    m->SetWaitForDockingTime(0);
    EXPECT_EQ(m->GetWaitForDockingTime(), 0);
}

TEST_F(ubBarManagerTest, DockColorFollowsTheFormUntilSet) {
    TTestForm* form = NewForm();
    auto* m = new TubBarManager(form);
    form->SetColor(static_cast<TColor>(RGB(1, 2, 3)));
    EXPECT_EQ(m->GetDockColor(), static_cast<TColor>(RGB(1, 2, 3)));
    EXPECT_FALSE(m->IsDockColorStored());
    m->SetDockColor(clRed);
    EXPECT_FALSE(m->GetAutoDockColor());
    EXPECT_TRUE(m->IsDockColorStored());
    EXPECT_EQ(m->GetDockColor(), clRed);
}

TEST_F(ubBarManagerTest, FontsFollowTheSystemUntilSetByHand) {
    auto* m = new TubBarManager(NewForm());
    NONCLIENTMETRICS metrics;
    SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
    EXPECT_EQ(m->GetFont()->GetName(), metrics.lfMenuFont.lfFaceName);
    EXPECT_EQ(m->GetFont()->GetHeight(), metrics.lfMenuFont.lfHeight);

    m->GetFont()->SetName("DejaVu Sans");
    EXPECT_FALSE(m->GetUseSystemFont());
    EXPECT_EQ(m->GetFont()->GetName(), "DejaVu Sans");

    // Scaled keeps the menu font's height; without it the height set stays.
    m->GetFont()->SetHeight(-20);
    EXPECT_EQ(m->GetFont()->GetHeight(), metrics.lfMenuFont.lfHeight);
    m->SetScaled(false);
    m->GetFont()->SetHeight(-20);
    EXPECT_EQ(m->GetFont()->GetHeight(), -20);
    LOGFONT derived;
    GetObject(m->DerivedFont(), sizeof(derived), &derived);
    EXPECT_EQ(derived.lfHeight, -20);  // a plain copy without Scaled
    m->SetScaled(true);
    GetObject(m->DerivedFont(), sizeof(derived), &derived);
    EXPECT_EQ(derived.lfHeight, -11);  // the icon-title height

    m->SetUseSystemFont(true);
    EXPECT_EQ(m->GetFont()->GetName(), metrics.lfMenuFont.lfFaceName);
    EXPECT_TRUE(m->GetUseSystemFont());

    // The derived font is at least 11 pixels high.
    for (auto [icon, derivedHeight] : {std::pair{-8, -11}, {-10, -11}, {-11, -11}, {-13, -13}, {12, -11}})
        EXPECT_EQ(DerivedFontHeight(icon), derivedHeight) << icon;
}

TEST_F(ubBarManagerTest, EffectiveStyleChoosesThePainter) {
    struct TRow {
        const char* name;
        TubBarManagerStyle style;
        TuiLookAndFeelKind kind;
        bool nativeStyle;
        TubBarManagerStyle effective;
        TubBarPainterKind painter;
    } rows[] = {
        {"standard", bmsStandard, lfFlat, false, bmsStandard, bpkStandard},
        {"enhanced", bmsEnhanced, lfFlat, false, bmsEnhanced, bpkEnhanced},
        {"flat", bmsFlat, lfFlat, false, bmsFlat, bpkFlat},
        {"XP without visual styles", bmsXP, lfFlat, false, bmsXP, bpkEnhanced},
        {"Office 2003", bmsOffice11, lfFlat, false, bmsOffice11, bpkOffice11},
        {"look and feel: Office 2003", bmsUseLookAndFeel, lfOffice11, false, bmsOffice11, bpkOffice11},
        {"look and feel: flat", bmsUseLookAndFeel, lfFlat, false, bmsEnhanced, bpkEnhanced},
        {"look and feel: standard", bmsUseLookAndFeel, lfStandard, false, bmsStandard, bpkStandard},
        {"look and feel: ultra flat", bmsUseLookAndFeel, lfUltraFlat, false, bmsFlat, bpkFlat},
        {"native style without visual styles", bmsUseLookAndFeel, lfOffice11, true, bmsOffice11, bpkOffice11},
    };
    auto* m = new TubBarManager(NewForm());
    EXPECT_FALSE(m->ThemesAvailable());
    for (const TRow& row : rows) {
        m->GetLookAndFeel()->SetKind(row.kind);
        m->GetLookAndFeel()->SetNativeStyle(row.nativeStyle);
        m->SetStyle(row.style);
        m->StyleChanged();
        EXPECT_EQ(m->EffectiveStyle(), row.effective) << row.name;
        EXPECT_EQ(m->PainterKind(), row.painter) << row.name;
        EXPECT_EQ(m->SupportsRecentItems(), row.effective != bmsStandard) << row.name;
    }
}

TEST_F(ubBarManagerTest, FlatColoursComeFromTheSystemColours) {
    const int paletteUsers = Office11PaletteUsers();
    auto* m = new TubBarManager(NewForm());
    const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW), face = GetSysColor(COLOR_BTNFACE);
    EXPECT_EQ(ColorToRGB(m->FlatBorderColor()),
              RGB(GetRValue(shadow) * 8 / 10, GetGValue(shadow) * 8 / 10, GetBValue(shadow) * 8 / 10));
    auto light = [](int c) { return c + (255 - c) * 16 / 100; };
    EXPECT_EQ(ColorToRGB(m->FlatFaceColor()),
              RGB(light(GetRValue(face)), light(GetGValue(face)), light(GetBValue(face))));
    EXPECT_EQ(m->FlatPressedColor(), BlendSystemLightColor(11, 9, 73));
    EXPECT_EQ(m->FlatPressedHotColor(), BlendSystemLightColor(14, 44, 40));
    EXPECT_EQ(m->FlatHotColor(), BlendSystemLightColor(-2, 30, 72));
    EXPECT_NE(m->FlatHotBrush(), nullptr);
    EXPECT_EQ(Office11PaletteUsers(), paletteUsers + 1);
    delete m;
    EXPECT_EQ(Office11PaletteUsers(), paletteUsers);
}

TEST_F(ubBarManagerTest, ItemQueriesAndCategoryData) {
    TTestForm* form = NewForm();
    auto* m = new TubBarManager(form);
    m->GetCategories()->Add("File");
    m->GetCategories()->Add("Edit");
    auto item = [&](const char* name, int category, TubBarItemVisible visible) {
        auto* i = new TStandInItem(form);
        i->SetName(name);
        i->SetCategory(category);
        i->SetVisible(visible);
        return i;
    };
    auto* open = item("Open", 1, ivAlways);
    auto* save = item("Save", 1, ivNever);
    auto* custom = item("Custom", 1, ivInCustomizing);
    auto* cut = item("Cut", 2, ivAlways);
    auto* internal = item("Internal", -1, ivAlways);
    EXPECT_EQ(m->ItemCount(), 5);
    EXPECT_EQ(m->Items(5), nullptr);
    EXPECT_EQ(m->Items(-1), nullptr);
    EXPECT_EQ(m->FindItemByName("SAVE"), save);
    EXPECT_EQ(m->FindItemByName("Paste"), nullptr);

    TListOf<TubBarItem> list;
    m->CollectCategoryItems(1, list);
    EXPECT_EQ(list.Count(), 3);
    m->CollectVisibleCategoryItems(1, list);
    ASSERT_EQ(list.Count(), 1);
    EXPECT_EQ(list[0], open);
    m->SetCustomizing(true);
    m->CollectVisibleCategoryItems(1, list);
    EXPECT_EQ(list.Count(), 2);
    EXPECT_EQ(list[1], custom);
    m->SetCustomizing(false);
    m->CollectCategoryItems(7, list);
    EXPECT_EQ(list.Count(), 0);

    m->MoveItemInList(0, 3);
    EXPECT_EQ(m->Items(3), open);
    m->ExchangeItemsInList(0, 4);
    EXPECT_EQ(m->Items(0), internal);
    m->MoveItemInList(0, 9);  // out of range: nothing
    EXPECT_EQ(m->Items(0), internal);

    // Categories without data answer the defaults; out of range too.
    EXPECT_EQ(m->GetItemsVisibleOfCategory(1), ivAlways);
    EXPECT_EQ(m->GetItemsVisibleOfCategory(9), ivAlways);
    EXPECT_TRUE(m->GetVisibleOfCategory(-1));
    m->SetVisibleOfCategory(1, false);
    EXPECT_EQ(m->CategoryIndexOfVisible(0), 0);
    EXPECT_EQ(m->CategoryIndexOfVisible(1), 2);
    EXPECT_EQ(m->CategoryIndexOfVisible(2), -1);

    // The streaming system gets the items with a category, then the groups.
    TubBarGroup* group = m->AddGroup();
    std::vector<TComponent*> children;
    m->GetChildren([&](TComponent* c) { children.push_back(c); }, form);
    EXPECT_EQ(children.size(), 5u);
    EXPECT_EQ(std::count(children.begin(), children.end(), internal), 0);
    EXPECT_EQ(children.back(), group);
    (void)cut;
}

TEST_F(ubBarManagerTest, ImageListsRefreshTheItemsThatShowTheirImages) {
    TTestForm* form = NewForm();
    auto* m = new TubBarManager(form);
    auto* withImage = new TStandInItem(form);
    withImage->ImageIndex = 0;
    auto* hot = new TStandInItem(form);
    hot->HotImages = true;
    auto* large = new TStandInItem(form);
    large->LargeImages = true;
    auto* plain = new TStandInItem(form);
    auto refreshes = [&] {
        return std::vector<int>{withImage->Refreshes, hot->Refreshes, large->Refreshes, plain->Refreshes};
    };
    auto* images = new TImageList(form);
    auto* hotImages = new TImageList(form);
    auto* largeImages = new TImageList(form);
    largeImages->SetWidth(24);
    largeImages->SetHeight(24);

    m->SetImages(images);
    EXPECT_EQ(refreshes(), (std::vector<int>{1, 0, 0, 0}));
    m->SetImageList(ilkHotImages, hotImages);
    EXPECT_EQ(refreshes(), (std::vector<int>{1, 1, 0, 0}));
    m->SetLargeImages(largeImages);
    EXPECT_EQ(refreshes(), (std::vector<int>{1, 1, 1, 0}));
    // A change inside a list reaches its items through the change link.
    TBitmap picture;
    picture.SetSize(16, 16);
    images->AddMasked(&picture, clFuchsia);
    EXPECT_EQ(refreshes(), (std::vector<int>{2, 1, 1, 0}));
    EXPECT_FALSE(m->GetUpdateLock());

    // Sizes: 16, or with large icons the large list's width when asked for, else 32.
    EXPECT_EQ(m->ImageSize(), 16);
    m->SetLargeIcons(true);
    EXPECT_EQ(m->ImageSize(), 32);
    m->SetUseLargeImagesForLargeIcons(true);
    EXPECT_EQ(m->ImageSize(), 24);

    // A list that is freed leaves the property that held it.
    delete hotImages;
    EXPECT_EQ(m->GetImageList(ilkHotImages), nullptr);
    m->SetImages(nullptr);
    images->AddMasked(&picture, clFuchsia);
    EXPECT_EQ(withImage->Refreshes, 3);  // the clearing only
}

// The three thread hooks are installed by the first manager and removed with the last; the shared hint window
// lives while a manager that is not designing exists; the sound system is primed once.
TEST_F(ubBarManagerTest, HooksAndTheHintWindowLiveWithTheManagers) {
    EXPECT_EQ(BarKeyboardHook(), nullptr);
    EXPECT_EQ(HintWindow(), nullptr);
    auto* a = new TubBarManager(NewForm());
    const HHOOK keyboard = BarKeyboardHook(), mouse = BarMouseHook(), callWndProc = BarCallWndProcHook();
    EXPECT_NE(keyboard, nullptr);
    EXPECT_NE(mouse, nullptr);
    EXPECT_NE(callWndProc, nullptr);
    TubBarHintWindow* hint = HintWindow();
    EXPECT_NE(hint, nullptr);
    auto* b = new TubBarManager(NewForm());
    EXPECT_EQ(BarKeyboardHook(), keyboard);
    EXPECT_EQ(BarMouseHook(), mouse);
    EXPECT_EQ(BarCallWndProcHook(), callWndProc);
    EXPECT_EQ(HintWindow(), hint);
    ASSERT_EQ(PlayedSounds().size(), 1u);
    EXPECT_EQ(PlayedSounds()[0].Sound, "");
    delete a;
    EXPECT_EQ(BarKeyboardHook(), keyboard);
    EXPECT_EQ(HintWindow(), hint);
    delete b;
    EXPECT_EQ(BarKeyboardHook(), nullptr);
    EXPECT_EQ(BarMouseHook(), nullptr);
    EXPECT_EQ(BarCallWndProcHook(), nullptr);
    EXPECT_EQ(HintWindow(), nullptr);

    // A manager on a form being designed makes no hint window.
    TTestForm* designed = NewForm();
    designed->SetDesigning(true);
    auto* d = new TubBarManager(designed);
    EXPECT_TRUE(d->Designing());
    EXPECT_EQ(HintWindow(), nullptr);
    EXPECT_EQ(BarManagerList()->FirstCustomizing(), d);
}

// The hooks pass every message on while nothing routes them: input still reaches its window.
TEST_F(ubBarManagerTest, HooksPassMessagesOn) {
    TTestForm* form = NewForm();
    new TubBarManager(form);
    form->SetBounds(10, 10, 100, 100);
    form->Show();
    int moves = 0;
    form->WindowProc = [&, old = form->WindowProc](TMessage& m) {
        if (m.Msg == WM_MOUSEMOVE) ++moves;
        old(m);
    };
    const TPoint p = OnScreen(form, 20, 20);
    SetCursorPos(p.x, p.y);
    ProcessPendingMessages();
    EXPECT_GE(moves, 1);
}

TEST_F(ubBarManagerTest, ShutdownFreesTheManagersFirstToLast) {
    std::vector<std::string> freed;
    TTestForm* form1 = NewForm();
    TTestForm* form2 = NewForm();
    auto* a = new TubBarManager(form1);
    a->SetName("First");
    auto* b = new TubBarManager(form2);
    b->SetName("Second");
    TubBarManagerList* list = BarManagerList();
    EXPECT_EQ(list->Count(), 2);
    EXPECT_EQ(list->Managers(1), b);
    EXPECT_EQ(list->Managers(2), nullptr);
    EXPECT_EQ(list->FirstCustomizing(), nullptr);
    b->SetCustomizing(true);
    EXPECT_EQ(list->FirstCustomizing(), b);
    struct TWatcher : TComponent {
        std::vector<std::string>* names;
        explicit TWatcher(std::vector<std::string>* n) : TComponent(nullptr), names(n) {}
        void Notification(TComponent* c, TOperation op) override {
            if (op == opRemove) names->push_back(c->GetName());
            TComponent::Notification(c, op);
        }
    } watcher(&freed);
    a->FreeNotification(&watcher);
    b->FreeNotification(&watcher);
    ubBarShutdown();
    EXPECT_EQ(freed, (std::vector<std::string>{"First", "Second"}));
    EXPECT_EQ(form1->ComponentCount(), 0);
    EXPECT_EQ(BarKeyboardHook(), nullptr);
    ubBarStartup();
}

TEST_F(ubBarManagerTest, RenamingAtDesignTimeRenamesTheItemsNamedAfterTheManager) {
    TTestForm* form = NewForm();
    form->SetDesigning(true);
    auto* m = new TubBarManager(form);
    m->SetName("Bars");
    auto item = [&](const char* name) {
        auto* i = new TStandInItem(form);
        i->SetName(name);
        return i;
    };
    auto* a = item("BarsOpen");
    auto* b = item("barsSave");
    auto* exact = item("Bars2");
    auto* other = item("Open");
    auto* clash = item("BarsClose");
    item("MenuClose");  // takes the name BarsClose would get
    m->SetName("Menu");
    EXPECT_EQ(a->GetName(), "MenuOpen");
    EXPECT_EQ(b->GetName(), "MenuSave");
    EXPECT_EQ(exact->GetName(), "Menu2");
    EXPECT_EQ(other->GetName(), "Open");
    EXPECT_EQ(clash->GetName(), "BarsClose");

    // At run time names stay.
    TTestForm* running = NewForm();
    auto* r = new TubBarManager(running);
    r->SetName("Bars");
    auto* kept = new TStandInItem(running);
    kept->SetName("BarsOpen");
    r->SetName("Menu");
    EXPECT_EQ(kept->GetName(), "BarsOpen");
}

// ---- reading from a form resource --------------------------------------------------------------------------

const char* streamText = nullptr;

class TStreamForm : public TForm {
public:
    using TForm::TForm;
    std::string ClassName() const override { return "TStreamForm"; }
    const TFormResource* FormResource() const override {
        resource_ = TFormResource{"StreamForm", streamText};
        return &resource_;
    }
    TubBarManager* Manager() const { return ManagerOfForm(this); }

private:
    mutable TFormResource resource_;
};

class ubBarManagerStream : public BarsTest {
protected:
    TStreamForm* Read(const char* text) {
        streamText = text;
        auto* form = Construct<TStreamForm>(nullptr);
        forms_.push_back(form);
        return form;
    }
    void TearDown() override {
        for (TStreamForm* f : forms_) delete f;
        BarsTest::TearDown();
    }
    std::vector<TStreamForm*> forms_;
};

constexpr const char* kManagerForm = R"(object StreamForm: TStreamForm
  Left = 0
  Top = 0
  Caption = 'Bars'
  object Panel1: TPanel
    Left = 4
    Top = 40
    Width = 100
    Height = 60
  end
  object ubBarManager1: TubBarManager
    AllowCallFromAnotherForm = True
    AutoHideEmptyBars = True
    Scaled = False
    Font.Charset = DEFAULT_CHARSET
    Font.Color = clWindowText
    Font.Height = -13
    Font.Name = 'DejaVu Sans'
    Font.Style = [fsBold]
    Categories.Strings = (
      'Default'
      'File'
      'Menus')
    Categories.ItemsVisibles = (
      2
      1
      0)
    Categories.Visibles = (
      True
      False
      True)
    DockColor = clBtnShadow
    DockControlHeights = (
      0
      0
      51
      0)
    MostRecentItemsPercents = 80
    NotDocking = [dsLeft, dsRight]
    ShowHint = False
    ShowHintForDisabledItems = False
    ShowShortCutInHint = True
    Style = bmsOffice11
    UseSystemFont = False
    Left = 8
    Top = 8
    PopupMenuLinks = <
      item
        Control = Panel1
        ProcessChildren = False
      end>
    object ubBarGroup1: TubBarGroup
      Items = (
        'ubBarGroup2')
    end
    object ubBarGroup2: TubBarGroup
      Enabled = False
      Visible = ivInCustomizing
    end
  end
end
)";

TEST_F(ubBarManagerStream, ManagerReadsBackEveryValue) {
    TStreamForm* form = Read(kManagerForm);
    TubBarManager* m = form->Manager();
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(m->ReadStateCount(), 1);
    EXPECT_TRUE(m->ResetAllowed());
    EXPECT_TRUE(m->AllowCallFromAnotherForm);
    EXPECT_TRUE(m->GetAutoHideEmptyBars());
    EXPECT_FALSE(m->GetScaled());
    EXPECT_EQ(m->GetStyle(), bmsOffice11);
    EXPECT_EQ(m->PainterKind(), bpkOffice11);
    EXPECT_FALSE(m->GetUseSystemFont());
    EXPECT_EQ(m->GetFont()->GetName(), "DejaVu Sans");
    EXPECT_EQ(m->GetFont()->GetHeight(), -13);
    EXPECT_TRUE(m->GetFont()->GetStyle().Contains(fsBold));
    EXPECT_EQ(m->GetDockColor(), clBtnShadow);
    EXPECT_FALSE(m->GetAutoDockColor());
    EXPECT_EQ(m->GetMostRecentItemsPercents(), 80);
    EXPECT_EQ(m->RecentUseStep(), 5);
    EXPECT_EQ(m->GetNotDocking(), (TubBarDockingStyles{dsLeft, dsRight}));
    EXPECT_FALSE(m->GetShowHint());
    EXPECT_FALSE(m->ShowHintForDisabledItems);
    EXPECT_TRUE(m->GetShowShortCutInHint());
    EXPECT_EQ(m->DockControlHeights, (std::array<int, 4>{0, 0, 51, 0}));
    EXPECT_EQ(m->GetBars()->DockControls(dsTop)->GetHeight(), 51);

    TubBarManagerCategories* c = m->GetCategories();
    ASSERT_EQ(c->GetCount(), 3);
    EXPECT_EQ(c->Get(1), "File");
    EXPECT_EQ(c->ItemsVisibles(), (std::vector<int>{ivAlways, ivInCustomizing, ivNever}));
    EXPECT_EQ(c->Visibles(), (std::vector<bool>{true, false, true}));

    ASSERT_EQ(m->GroupCount(), 2);
    TubBarGroup* g1 = m->Groups(0);
    TubBarGroup* g2 = m->Groups(1);
    EXPECT_EQ(g1->GetName(), "ubBarGroup1");
    EXPECT_EQ(g1->GetOwner(), form);
    ASSERT_EQ(g1->Count(), 1);
    EXPECT_EQ(g1->Members(0), g2);
    EXPECT_EQ(g1->ItemNames(), std::vector<std::string>{"ubBarGroup2"});
    EXPECT_FALSE(g2->GetEnabled());
    EXPECT_EQ(g2->GetVisible(), ivInCustomizing);
    EXPECT_EQ(g1->GetIndex(), 0);

    ASSERT_EQ(m->GetPopupMenuLinks()->Count(), 1);
    TubBarPopupMenuLink* link = m->GetPopupMenuLinks()->Items(0);
    EXPECT_EQ(link->GetControl(), form->FindComponent("Panel1"));
    EXPECT_FALSE(link->ProcessChildren);
}

// Written back by the component writer and read again, the manager gives the same text: every value is
// stored, and defaults are left out.
TEST_F(ubBarManagerStream, ManagerWrittenAndReadAgainGivesTheSameText) {
    TStreamForm* form = Read(kManagerForm);
    const std::string text = WriteComponentText(*form);
    EXPECT_NE(text.find("Categories.ItemsVisibles = ("), std::string::npos) << text;
    EXPECT_NE(text.find("DockControlHeights = ("), std::string::npos) << text;
    EXPECT_NE(text.find("Items = ("), std::string::npos) << text;
    EXPECT_NE(text.find("DockColor = "), std::string::npos) << text;
    EXPECT_EQ(text.find("ButtonArrowWidth"), std::string::npos) << text;  // the default
    EXPECT_EQ(text.find("Enabled = True"), std::string::npos) << text;
    TStreamForm* again = Read(text.c_str());
    TubBarManager* m = again->Manager();
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(m->DockControlHeights, (std::array<int, 4>{0, 0, 51, 0}));
    EXPECT_EQ(m->GetCategories()->ItemsVisibles(), (std::vector<int>{ivAlways, ivInCustomizing, ivNever}));
    ASSERT_EQ(m->GroupCount(), 2);
    EXPECT_EQ(m->Groups(0)->Members(0), m->Groups(1));
    ASSERT_EQ(m->GetPopupMenuLinks()->Count(), 1);
    EXPECT_EQ(m->GetPopupMenuLinks()->Items(0)->GetControl(), again->FindComponent("Panel1"));
    EXPECT_EQ(WriteComponentText(*again), text);

    // A fresh manager stores only what has no default.
    TTestForm* plain = NewForm();
    plain->SetName("PlainForm");
    new TubBarManager(plain);
    const std::string fresh = WriteComponentText(*plain);
    EXPECT_EQ(fresh.find("AllowReset"), std::string::npos) << fresh;
    EXPECT_EQ(fresh.find("DockColor"), std::string::npos) << fresh;
    EXPECT_NE(fresh.find("UseSystemFont = True"), std::string::npos) << fresh;
    EXPECT_NE(fresh.find("Font.Name = "), std::string::npos) << fresh;
}

// Stored lists are applied as far as they fit; ordinals outside the range are left out.
TEST_F(ubBarManagerStream, DamagedListsAreAppliedAsFarAsTheyFit) {
    struct TRow {
        const char* name;
        const char* properties;
        std::array<int, 4> heights;
        std::vector<int> itemsVisibles;
        std::vector<bool> visibles;
    } rows[] = {
        {"three heights", "DockControlHeights = (1 2 3)", {1, 2, 3, 0}, {2, 2}, {true, true}},
        {"five heights", "DockControlHeights = (1 2 3 4 5)", {1, 2, 3, 4}, {2, 2}, {true, true}},
        {"a height that is no number", "DockControlHeights = (1 'x' 3 4)", {1, 0, 0, 0}, {2, 2}, {true, true}},
        {"empty heights", "DockControlHeights = ()", {0, 0, 0, 0}, {2, 2}, {true, true}},
        {"more ordinals than categories", "Categories.ItemsVisibles = (0 1 2 0)", {0, 0, 0, 0}, {0, 1}, {true, true}},
        {"fewer ordinals", "Categories.ItemsVisibles = (1)", {0, 0, 0, 0}, {1, 2}, {true, true}},
        {"ordinals outside the range", "Categories.ItemsVisibles = (3 -1)", {0, 0, 0, 0}, {2, 2}, {true, true}},
        {"more flags than categories",
         "Categories.Visibles = (False False True)",
         {0, 0, 0, 0},
         {2, 2},
         {false, false}},
        {"fewer flags", "Categories.Visibles = (False)", {0, 0, 0, 0}, {2, 2}, {false, true}},
    };
    for (const TRow& row : rows) {
        const std::string text =
            std::string("object StreamForm: TStreamForm\n  object ubBarManager1: TubBarManager\n") +
            "    Categories.Strings = ('Default' 'File')\n    " + row.properties + "\n  end\nend\n";
        TStreamForm* form = Read(text.c_str());
        TubBarManager* m = form->Manager();
        ASSERT_NE(m, nullptr) << row.name;
        EXPECT_EQ(m->DockControlHeights, row.heights) << row.name;
        EXPECT_EQ(m->GetCategories()->ItemsVisibles(), row.itemsVisibles) << row.name;
        EXPECT_EQ(m->GetCategories()->Visibles(), row.visibles) << row.name;
        delete form;
        forms_.pop_back();
    }
}

}  // namespace
}  // namespace zel::test
