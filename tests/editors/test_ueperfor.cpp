// The performance window: opened from a library, the element sent once; its section editors opened by a
// double click.
#include <gtest/gtest.h>

#include "PerformanceFixture.h"

namespace zel::test {
namespace {

class PerformanceWindow : public PerformanceEditors {};

TEST_F(PerformanceWindow, OpensFromTheLibraryAndSendsThePerformanceOnce) {
    TFormLibrary* library = OpenLibraryWith(1, 0);
    TPerformance& performance = ElementOf<TPerformance>(library, 0);
    const auto name = NameToData("Rock Kit");
    Sim.Write(Addr(0x10, 0x40, 0, 0), TBytes(name.begin(), name.end()));
    Sim.Write(Addr(0x10, 0x41, 0, 0), TBytes(name.begin(), name.end()));
    Sim.ClearLog();
    TFormPerformance* window = OpenPerformance(performance);
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(BoxTexts().empty());
    EXPECT_EQ(Sim.ReceivedMessages().size(), 17u);
    EXPECT_EQ(window->GetWidth(), 392);
    EXPECT_EQ(window->GetHeight(), 150);
    EXPECT_EQ(window->Caption(), "Perf 0 [Filename : Untitled.Syx]   [Loc : Untitled.Lib]");
    EXPECT_TRUE(SaveWindowImage(window->GetHandle(), ScreenshotPath("performance-window")));
    TFormPerComm* common = OpenCommon(window);
    ASSERT_NE(common, nullptr);
    EXPECT_TRUE(SaveWindowImage(common->GetHandle(), ScreenshotPath("performance-common")));
    common->Close();
    ProcessPendingMessages();
    TFormPart* parts = OpenParts(window);
    ASSERT_NE(parts, nullptr);
    EXPECT_EQ(parts->HelpContext, 37);
    EXPECT_EQ(parts->Caption(), "Perf 0 [Parts] [Loc : Untitled.Lib]");
    EXPECT_TRUE(SaveWindowImage(parts->GetHandle(), ScreenshotPath("parts-part-1")));
    Click(parts->PartButton[9]);
    EXPECT_TRUE(SaveWindowImage(parts->GetHandle(), ScreenshotPath("parts-part-10")));
    // The whole window shows: the button row lies inside the client area.
    RECT client{};
    GetClientRect(parts->GetHandle(), &client);
    EXPECT_LE(parts->PanelBtn->GetTop() + parts->PanelBtn->GetHeight(), client.bottom);
    EXPECT_LE(parts->PanelBtn->GetLeft() + parts->PanelBtn->GetWidth(), client.right);
}

class PerformanceDrags : public PerformanceEditors {
protected:
    void SetUp() override {
        PerformanceEditors::SetUp();
        library_ = OpenLibraryWith(2, 0);
        for (int e = 0; e < 2; ++e) {
            TPerformance& p = ElementOf<TPerformance>(library_, e);
            for (int i = 12; i < 64; ++i) p.Common->Data()[i] = static_cast<std::uint8_t>((e * 40 + i) % 100);
            for (int part = 1; part <= PartCount; ++part)
                for (int i = 0; i < 19; ++i) p.Part(part).Data()[i] = static_cast<std::uint8_t>(e * 30 + part + i);
        }
        one_ = OpenPerformance(ElementOf<TPerformance>(library_, 0));
        two_ = OpenPerformance(ElementOf<TPerformance>(library_, 1));
        one_->SetBounds(0, 0, one_->GetWidth(), one_->GetHeight());
        two_->SetBounds(0, 200, two_->GetWidth(), two_->GetHeight());
        one_->BringToFront();
        ProcessPendingMessages();
        SendQueued();
        library_->Library()->Saved = 1;
        Sim.ClearLog();
    }
    static TBytes Common(const TPerformance& p, int from, int to) {
        return TBytes(p.Common->Data() + from, p.Common->Data() + to + 1);
    }

    TFormLibrary* library_ = nullptr;
    TFormPerformance* one_ = nullptr;
    TFormPerformance* two_ = nullptr;
};

TEST_F(PerformanceDrags, ASectionDroppedOnAnotherPerformanceCopiesOnlyItsBytes) {
    struct TRow {
        const char* Name;
        const char* From;
        const char* To;
        bool Copied;
    };
    const TRow rows[] = {
        {"Common", "PerCom", "PerCom", true},
        {"Effects", "PerEff", "PerEff", true},
        {"Parts", "PerParts", "PerParts", true},
        {"Common onto Effects", "PerCom", "PerEff", false},
    };
    TPerformance& source = *one_->EditElem;
    TPerformance& target = *two_->EditElem;
    for (const TRow& row : rows) {
        SCOPED_TRACE(row.Name);
        target.Common->Data()[0] = 'Z';
        const TBytes name = Common(target, 0, 11), effects = Common(target, 12, 44), rest = Common(target, 45, 63);
        const TBytes part9 = PartData(target, 9);
        one_->BringToFront();
        ProcessPendingMessages();
        SendQueued();
        Sim.ClearLog();
        library_->Library()->Saved = 1;
        Drag(one_->SectionPanel(row.From), Centre(two_->SectionPanel(row.To)));
        SendQueued();
        EXPECT_EQ(SectionDragActive, 0);
        if (!row.Copied) {
            EXPECT_TRUE(Received().empty());
            EXPECT_EQ(Common(target, 12, 44), effects);
            continue;
        }
        EXPECT_EQ(Sim.ReceivedMessages().size(), 17u);
        EXPECT_TRUE(Modified(target));
        const std::string kind = row.From;
        EXPECT_EQ(Common(target, 0, 11), kind == "PerCom" ? Common(source, 0, 11) : name);
        EXPECT_EQ(Common(target, 45, 63), kind == "PerCom" ? Common(source, 45, 63) : rest);
        EXPECT_EQ(Common(target, 12, 44), kind == "PerEff" ? Common(source, 12, 44) : effects);
        EXPECT_EQ(PartData(target, 9), kind == "PerParts" ? PartData(source, 9) : part9);
        EXPECT_EQ(Sim.Read(Addr(0x01, 0, 0, 0), 64), Common(target, 0, 63));
    }
}

TEST_F(PerformanceDrags, ASectionCannotBeDroppedOnItsOwnWindow) {
    const TBytes before = PartData(*one_->EditElem, 1);
    Drag(one_->PerCom, Centre(one_->PerParts));
    Drag(one_->PerParts, Centre(one_->PerCom));
    EXPECT_TRUE(Received().empty());
    EXPECT_FALSE(Modified(*one_->EditElem));
    EXPECT_EQ(SectionDragActive, 0);
}

}  // namespace
}  // namespace zel::test
