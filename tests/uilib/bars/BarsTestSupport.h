#pragma once
// Shared fixture of the toolbar framework's tests: the start-up list up to the framework's row on the manual
// clock, a form to own managers, stand-in items, and a folder for screenshots.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/rtl/Clock.h"
#include "platform/rtl/Units.h"
#include "platform/vcl/FormReader.h"
#include "platform/vcl/Forms.h"
#include "platform/vcl/Screenshot.h"
#include "platform/win/Sound.h"
#include "platform/win/SysInfo.h"
#include "support/vcl/QueuedInput.h"
#include "support/vcl/VclTestSupport.h"
#include "uilib/bars/ubBarCompanions.h"
#include "uilib/bars/ubBarControlBase.h"
#include "uilib/bars/ubBarItem.h"
#include "uilib/bars/ubBarManager.h"
#include "uilib/bars/ubBarUnit.h"

namespace zel::test {

// An item as the manager and its companions see one; it counts the visibility changes it receives.
class TStandInItem : public TubBarItem {
public:
    explicit TStandInItem(TComponent* AOwner) : TubBarItem(AOwner) {}
    std::string ClassName() const override { return "TStandInItem"; }
    void SetVisible(TubBarItemVisible Value) override {
        ++VisibleSets;
        TubBarItem::SetVisible(Value);
    }
    bool HasLinkControls() const override { return Showing; }
    int GetImageIndex() const override { return ImageIndex; }
    bool UsesHotImages() const override { return HotImages; }
    bool UsesLargeImages() const override { return LargeImages; }
    void RefreshImage() override { ++Refreshes; }
    int VisibleSets = 0;
    bool Showing = false;
    int ImageIndex = -1;
    bool HotImages = false;
    bool LargeImages = false;
    int Refreshes = 0;
};

// A form to hold a manager; freed after the test.
class TTestForm : public TForm {
public:
    using TForm::TForm;
    std::string ClassName() const override { return "TTestForm"; }
    const TFormResource* FormResource() const override { return nullptr; }
};

class BarsTest : public ::testing::Test {
protected:
    void SetUp() override {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        units_ = std::make_unique<TUnitsScope>(ubBarUnitList());
        ClearPlayedSounds();
        ProcessPendingMessages();
    }
    void TearDown() override {
        ProcessPendingMessages();
        for (auto it = forms_.rbegin(); it != forms_.rend(); ++it) delete *it;
        forms_.clear();
        units_->Stop();
        units_.reset();
        ResetSysColors();
        ResetEntryPoints();
        ClearPlayedSounds();
    }
    TTestForm* NewForm() {
        auto* form = Construct<TTestForm>(nullptr);
        forms_.push_back(form);
        return form;
    }
    // Moves the clock on in steps of 10 ms, dispatching what falls due.
    void Run(TTick ms) {
        for (TTick done = 0; done < ms; done += 10) {
            clock_->Advance(ms - done < 10 ? ms - done : 10);
            ProcessPendingMessages();
        }
    }

    TManualClockScope clock_;

private:
    std::unique_ptr<TUnitsScope> units_;
    std::vector<TTestForm*> forms_;
};

}  // namespace zel::test
