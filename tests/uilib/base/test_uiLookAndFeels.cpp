#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "platform/win/Messages.h"
#include "platform/win/Windows.h"
#include "support/uilib/LookAndFeelUnits.h"

namespace zel::test {
namespace {

// Records every OnChanged of a look and feel.
struct TChangeLog {
    std::vector<TuiLookAndFeelValues> changes;
    void Watch(TuiLookAndFeel& lf) {
        lf.OnChanged = [this](TuiLookAndFeel*, TuiLookAndFeelValues v) { changes.push_back(v); };
    }
};

class LookAndFeels : public ::testing::Test {
protected:
    TLookAndFeelUnits units;
    TuiLookAndFeel& Root() { return *GlobalRootLookAndFeel(); }
};

TEST_F(LookAndFeels, FollowersTakeTheRootsKindUnlessTheyAssignTheirOwn) {
    TuiLookAndFeel follower(nullptr), own(nullptr);
    own.SetKind(lfFlat);
    TChangeLog followerLog, ownLog;
    followerLog.Watch(follower);
    ownLog.Watch(own);
    EXPECT_EQ(follower.GetKind(), lfUltraFlat);
    EXPECT_EQ(follower.GetPainter(), PainterClass<TuiUltraFlatLookAndFeelPainter>());

    Root().SetKind(lfOffice11);
    EXPECT_EQ(follower.GetKind(), lfOffice11);
    EXPECT_EQ(follower.GetPainter(), PainterClass<TuiOffice11LookAndFeelPainter>());
    ASSERT_EQ(followerLog.changes.size(), 1u);
    EXPECT_EQ(followerLog.changes[0], TuiLookAndFeelValues{lfvKind});
    EXPECT_EQ(own.GetKind(), lfFlat);
    EXPECT_TRUE(ownLog.changes.empty());

    // A new one takes the root's current values.
    TuiLookAndFeel late(nullptr);
    EXPECT_EQ(late.GetKind(), lfOffice11);
}

TEST_F(LookAndFeels, PainterByKind) {
    struct Row {
        const char* name;
        TuiLookAndFeelKind kind;
        TuiLookAndFeelPainterClass painter;
        int style;
    } rows[] = {
        {"flat", lfFlat, PainterClass<TuiFlatLookAndFeelPainter>(), 0},
        {"standard", lfStandard, PainterClass<TuiStandardLookAndFeelPainter>(), 1},
        {"ultra flat", lfUltraFlat, PainterClass<TuiUltraFlatLookAndFeelPainter>(), 2},
        {"office 2003", lfOffice11, PainterClass<TuiOffice11LookAndFeelPainter>(), 4},
    };
    TuiLookAndFeel lf(nullptr);
    for (const Row& row : rows) {
        lf.SetKind(row.kind);
        EXPECT_EQ(lf.GetPainter(), row.painter) << row.name;
        EXPECT_EQ(PainterStyleToKind(lf.GetPainter()->PainterStyle()), row.kind) << row.name;
    }
    // Native style without a theme library falls back to the kind's painter.
    lf.SetNativeStyle(true);
    EXPECT_TRUE(lf.GetNativeStyle());
    EXPECT_EQ(lf.GetPainter(), PainterClass<TuiOffice11LookAndFeelPainter>());
    EXPECT_EQ(lf.PainterForThemeKind(thButton), PainterClass<TuiOffice11LookAndFeelPainter>());
    EXPECT_EQ(PainterStyleToKind(3), lfStandard);
}

TEST_F(LookAndFeels, AssigningTheCurrentValueMakesItLocalSilently) {
    TuiLookAndFeel lf(nullptr);
    TChangeLog log;
    log.Watch(lf);
    lf.SetKind(lfUltraFlat);
    lf.SetNativeStyle(false);
    lf.SetSkinName("");
    EXPECT_EQ(lf.GetAssignedValues(), (TuiLookAndFeelValues{lfvKind, lfvNativeStyle, lfvSkinName}));
    EXPECT_TRUE(log.changes.empty());
    Root().SetKind(lfFlat);  // no longer followed
    EXPECT_EQ(lf.GetKind(), lfUltraFlat);
    EXPECT_TRUE(log.changes.empty());
}

TEST_F(LookAndFeels, BulkChangesReportExactlyWhatChanged) {
    Root().SetKind(lfOffice11);
    Root().SetNativeStyle(true);
    TuiLookAndFeel lf(nullptr);
    lf.SetKind(lfFlat);
    lf.SetNativeStyle(true);  // the same as the root's
    TChangeLog log;
    log.Watch(lf);
    lf.SetAssignedValues(lf.GetAssignedValues());  // unchanged: nothing
    EXPECT_TRUE(log.changes.empty());
    lf.Reset();
    EXPECT_EQ(lf.GetAssignedValues(), TuiLookAndFeelValues{});
    ASSERT_EQ(log.changes.size(), 1u);
    EXPECT_EQ(log.changes[0], TuiLookAndFeelValues{lfvKind});
    EXPECT_EQ(lf.GetKind(), lfOffice11);

    // Assign copies the assigned data and reports what differs.
    TuiLookAndFeel source(nullptr);
    source.SetKind(lfStandard);
    source.SetSkinName("Blue");
    lf.Assign(&source);
    ASSERT_EQ(log.changes.size(), 2u);
    EXPECT_EQ(log.changes[1], (TuiLookAndFeelValues{lfvKind, lfvSkinName}));
    EXPECT_EQ(lf.GetAssignedValues(), source.GetAssignedValues());
    EXPECT_EQ(lf.GetSkinName(), "Blue");
}

TEST_F(LookAndFeels, MasterChainAndItsEnd) {
    auto master = std::make_unique<TuiLookAndFeel>(nullptr);
    TuiLookAndFeel follower(nullptr);
    TChangeLog log;
    log.Watch(follower);
    const int rootListeners = Root().ChangeListenerCount();
    follower.SetMasterLookAndFeel(&Root());  // the root already is its master: ignored
    follower.SetMasterLookAndFeel(nullptr);
    follower.SetMasterLookAndFeel(&follower);
    EXPECT_EQ(Root().ChangeListenerCount(), rootListeners);
    EXPECT_TRUE(log.changes.empty());

    master->SetKind(lfStandard);
    follower.SetMasterLookAndFeel(master.get());
    EXPECT_EQ(Root().ChangeListenerCount(), rootListeners - 1);
    EXPECT_EQ(follower.GetKind(), lfStandard);
    ASSERT_EQ(log.changes.size(), 1u);
    EXPECT_EQ(log.changes[0], TuiLookAndFeelValues{lfvKind});
    master->SetSkinName("Skin");
    EXPECT_EQ(follower.GetSkinName(), "Skin");
    Root().SetKind(lfFlat);  // the master's own kind hides the root's
    EXPECT_EQ(follower.GetKind(), lfStandard);

    // The master goes: the follower follows the root again.
    master.reset();
    EXPECT_EQ(follower.GetMasterLookAndFeel(), nullptr);
    EXPECT_EQ(follower.GetKind(), lfFlat);
    EXPECT_EQ(follower.GetSkinName(), "");
    EXPECT_EQ(Root().ChangeListenerCount(), rootListeners - 1);  // the follower is back, the master gone
    Root().SetKind(lfOffice11);
    EXPECT_EQ(follower.GetKind(), lfOffice11);
}

// A follower that leaves its master while being told of a change.
class TLeavingListener : public TObject, public IuiLookAndFeelListener {
public:
    explicit TLeavingListener(TuiLookAndFeel& master) : master_(master) { master_.AddChangeListener(this); }
    TObject* GetObject() override { return this; }
    void MasterChanged(TuiLookAndFeel*, TuiLookAndFeelValues) override {
        ++calls;
        master_.RemoveChangeListener(this);
    }
    void MasterDestroying(TuiLookAndFeel*) override {}
    int calls = 0;

private:
    TuiLookAndFeel& master_;
};

TEST_F(LookAndFeels, AListenerLeavingDuringTheNotificationDoesNotHideTheNext) {
    TuiLookAndFeel master(nullptr);
    TLeavingListener leaving(master);
    TuiLookAndFeel follower(nullptr);
    follower.SetMasterLookAndFeel(&master);
    master.AddChangeListener(&follower);  // a duplicate is ignored
    master.AddChangeListener(nullptr);
    EXPECT_EQ(master.ChangeListenerCount(), 2);
    master.SetKind(lfFlat);
    EXPECT_EQ(leaving.calls, 1);
    EXPECT_EQ(follower.GetKind(), lfFlat);
    EXPECT_EQ(master.ChangeListenerCount(), 1);
}

TEST_F(LookAndFeels, ControllersSetTheRootAndTheLastOneResetsIt) {
    auto first = std::make_unique<TuiLookAndFeelController>(nullptr);
    auto second = std::make_unique<TuiLookAndFeelController>(nullptr);
    TuiLookAndFeel follower(nullptr);
    first->SetKind(lfFlat);
    second->SetNativeStyle(true);
    first->SetSkinName("Skin");
    EXPECT_EQ(follower.GetKind(), lfFlat);
    EXPECT_EQ(second->GetKind(), lfFlat);
    EXPECT_EQ(Root().GetAssignedValues(), (TuiLookAndFeelValues{lfvKind, lfvNativeStyle, lfvSkinName}));

    // Only the root takes a controller.
    TuiLookAndFeel other(nullptr);
    other.AddChangeListener(first.get());
    EXPECT_EQ(other.ChangeListenerCount(), 0);

    first.reset();
    EXPECT_EQ(Root().GetKind(), lfFlat);
    second.reset();
    EXPECT_EQ(Root().GetAssignedValues(), TuiLookAndFeelValues{});
    EXPECT_EQ(Root().GetKind(), lfUltraFlat);
    EXPECT_EQ(follower.GetKind(), lfUltraFlat);
    EXPECT_FALSE(follower.GetNativeStyle());
}

TEST_F(LookAndFeels, SkinPaintersAreFoundByNameWhateverTheCase) {
    static const TuiStandardLookAndFeelPainter skin;
    TuiLookAndFeel lf(nullptr);
    lf.SetSkinName("Unknown");
    EXPECT_EQ(lf.GetSkinPainter(), nullptr);  // no painter of that name
    EXPECT_EQ(ExtendedStylePainters()->ListenerCount(), 0);

    ExtendedStylePainters()->Register("myskin", &skin);
    lf.SetSkinName("MySkin");
    EXPECT_EQ(lf.GetSkinPainter(), &skin);
    EXPECT_EQ(lf.GetPainter(), &skin);
    EXPECT_EQ(ExtendedStylePainters()->ListenerCount(), 1);  // listens while it uses an extra painter

    TuiLookAndFeel follower(nullptr);
    follower.SetMasterLookAndFeel(&lf);
    EXPECT_EQ(follower.GetPainter(), &skin);
    // One made while the root uses the skin listens from the start.
    Root().SetSkinName("MYSKIN");
    auto late = std::make_unique<TuiLookAndFeel>(nullptr);
    EXPECT_EQ(late->GetPainter(), &skin);
    EXPECT_EQ(ExtendedStylePainters()->ListenerCount(), 4);  // lf, follower, the root and late
    late.reset();
    Root().Reset();
    EXPECT_EQ(ExtendedStylePainters()->ListenerCount(), 2);

    // Native style sets the skin aside.
    lf.SetNativeStyle(true);
    EXPECT_EQ(lf.GetSkinPainter(), nullptr);
    EXPECT_EQ(lf.GetPainter(), PainterClass<TuiUltraFlatLookAndFeelPainter>());

    lf.SetNativeStyle(false);
    EXPECT_EQ(lf.GetPainter(), &skin);
    // The painter goes: the look and feel hears of it and falls back to its kind.
    TChangeLog log;
    log.Watch(lf);
    ExtendedStylePainters()->Unregister("MYSKIN");
    EXPECT_EQ(ExtendedStylePainters()->Count(), 0);
    ASSERT_EQ(log.changes.size(), 1u);
    EXPECT_EQ(log.changes[0], (TuiLookAndFeelValues{lfvKind, lfvNativeStyle, lfvSkinName}));
    EXPECT_EQ(lf.GetPainter(), PainterClass<TuiUltraFlatLookAndFeelPainter>());
    EXPECT_EQ(ExtendedStylePainters()->ListenerCount(), 0);
}

TEST_F(LookAndFeels, SystemColourChangeReachesNotifiersInOrder) {
    std::vector<int> order;
    TuiSystemPaletteChangedNotifier normal1(false), primary1(true), normal2(false), primary2(true);
    normal1.OnSystemPaletteChanged = [&] { order.push_back(1); };
    primary1.OnSystemPaletteChanged = [&] { order.push_back(2); };
    normal2.OnSystemPaletteChanged = [&] { order.push_back(3); };
    primary2.OnSystemPaletteChanged = [&] { order.push_back(4); };
    TuiLookAndFeel lf(nullptr);
    TChangeLog log;
    log.Watch(lf);
    SetSysColor(COLOR_BTNFACE, RGB(1, 2, 3));
    SendMessage(SystemPaletteChangedListener()->GetWindowHandle(), WM_SYSCOLORCHANGE, 0, 0);
    EXPECT_EQ(order, (std::vector<int>{4, 2, 3, 1}));
    EXPECT_EQ(Office11Palette().Columns[2], static_cast<TColor>(RGB(1, 2, 3)));
    // Once from its own notifier and once through the root it follows; native style each time.
    ASSERT_FALSE(log.changes.empty());
    for (const TuiLookAndFeelValues& v : log.changes) EXPECT_EQ(v, TuiLookAndFeelValues{lfvNativeStyle});
}

TEST(LookAndFeelUnits, SharedObjectsLiveFromStartUpToShutdown) {
    EXPECT_EQ(SystemPaletteChangedListener(), nullptr);
    {
        TLookAndFeelUnits units;
        ASSERT_NE(GlobalRootLookAndFeel(), nullptr);
        EXPECT_TRUE(GlobalRootLookAndFeel()->IsRootLookAndFeel());
        TuiSystemPaletteChangedListener* listener = SystemPaletteChangedListener();
        ASSERT_NE(listener, nullptr);  // before and beside every look and feel
        EXPECT_EQ(Office11PaletteUsers(), 1);
        {
            TuiSystemPaletteChangedNotifier extra;
            TuiLookAndFeel lf(nullptr);
            EXPECT_EQ(SystemPaletteChangedListener(), listener);
            EXPECT_EQ(Office11PaletteUsers(), 1);
        }
        EXPECT_EQ(SystemPaletteChangedListener(), listener);
        // The root ignores attempts to give it a master.
        TuiLookAndFeel other(nullptr);
        GlobalRootLookAndFeel()->SetMasterLookAndFeel(&other);
        EXPECT_EQ(GlobalRootLookAndFeel()->GetMasterLookAndFeel(), nullptr);
    }
    EXPECT_EQ(GlobalRootLookAndFeel(), nullptr);
    EXPECT_EQ(SystemPaletteChangedListener(), nullptr);
    EXPECT_EQ(Office11PaletteUsers(), 0);
    EXPECT_EQ(ExtendedStylePainters(), nullptr);
}

TEST(LookAndFeelUnits, WithoutARootEveryoneTakesTheFixedDefaults) {
    TuiLookAndFeel lf(nullptr);
    EXPECT_EQ(lf.GetKind(), lfUltraFlat);
    EXPECT_EQ(lf.GetPainter(), PainterClass<TuiUltraFlatLookAndFeelPainter>());
    TuiLookAndFeelController controller(nullptr);
    controller.SetKind(lfFlat);
    EXPECT_EQ(controller.GetKind(), lfUltraFlat);
    EXPECT_EQ(controller.GetSkinName(), "");
}

TEST(LookAndFeelUnits, NativeStyleWithActiveThemes) {
    TTestThemeProvider provider;
    TLookAndFeelUnits units(&provider);
    TuiLookAndFeel lf(nullptr);
    lf.SetNativeStyle(true);
    EXPECT_EQ(lf.GetPainter(), PainterClass<TuiWinXPLookAndFeelPainter>());
    EXPECT_EQ(lf.PainterForThemeKinds({thButton, thScrollBar}), PainterClass<TuiWinXPLookAndFeelPainter>());
    provider.UnknownClasses = {L"TrackBar"};
    EXPECT_EQ(lf.PainterForThemeKind(thTrackBar), PainterClass<TuiUltraFlatLookAndFeelPainter>());
    EXPECT_EQ(lf.PainterForThemeKinds({thButton, thTrackBar}), PainterClass<TuiUltraFlatLookAndFeelPainter>());
    EXPECT_EQ(lf.PainterForThemeKind(thButton), PainterClass<TuiWinXPLookAndFeelPainter>());
    lf.SetNativeStyle(false);
    EXPECT_EQ(lf.GetPainter(), PainterClass<TuiUltraFlatLookAndFeelPainter>());
}

}  // namespace
}  // namespace zel::test
