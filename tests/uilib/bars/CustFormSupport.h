#pragma once
// Fixture of the customizing form's tests: the main window's bars on a shown form, message boxes answered
// by the test, and helpers that reach the open form's controls through the input queue.
#include <string>
#include <vector>

#include "MainWindowBars.h"
#include "platform/vcl/Dialogs.h"
#include "platform/win/Beep.h"
#include "uilib/bars/ubBarCustForm.h"
#include "uilib/bars/ubBarNameEd.h"
#include "uilib/bars/ubBars.h"

namespace zel::test {

class CustFormTest : public BarsTest {
protected:
    void SetUp() override {
        BarsTest::SetUp();
        oldBoxes_ = SetMessageBoxAnswerer([this](const TMessageBoxRequest& r) {
            Boxes.push_back(r);
            return BoxAnswer;
        });
        SetBeepSink([this](UINT) { ++Beeps; });
        Sample = Construct<TFormBarsSample>(nullptr);
        Sample->SetBounds(300, 120, 640, 420);
        Sample->Show();
        ProcessPendingMessages();
        Manager = Sample->Manager;
    }
    void TearDown() override {
        Application->OnIdle = nullptr;
        if (Manager != nullptr) Manager->SetCustomizing(false);
        ProcessPendingMessages();
        delete Sample;
        SetBeepSink(nullptr);
        SetMessageBoxAnswerer(std::move(oldBoxes_));
        BarsTest::TearDown();
    }
    TubBarCustomizingForm* Open() {
        Manager->SetCustomizing(true);
        ProcessPendingMessages();
        return GetCustomizingForm();
    }
    TubBar* Bar(int Index) const { return Manager->GetBars()->Items(Index); }
    std::vector<std::string> Rows(TCustomListBox* List) const {
        std::vector<std::string> rows;
        for (int i = 0; i < List->Items()->Count(); ++i) rows.push_back(List->Items()->Get(i));
        return rows;
    }
    // Clicks a tab of the page control through the input queue.
    static void ClickTab(TPageControl* Pages, TTabSheet* Sheet) {
        const TRect r = Pages->TabRect(Sheet->PageIndex());
        ClickAt(Pages, TPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2));
    }
    // Clicks the middle of a button.
    static void Press(TWinControl* Button) { ClickAt(Button, TPoint(Button->GetWidth() / 2, Button->GetHeight() / 2)); }
    // A modal window runs its own loop: Act runs once it shows (idle), and the loop is given up after a while.
    static void WhileModal(const std::function<void()>& Act, const std::function<void()>& Start) {
        bool done = false;
        int idles = 0;
        Application->OnIdle = [&](TObject*, bool& idleDone) {
            idleDone = false;
            if (++idles > 2000 && Screen->ActiveForm() != nullptr) Screen->ActiveForm()->ModalResult = mrAbort;
            if (done) return;
            done = true;
            Act();
        };
        Start();
        Application->OnIdle = nullptr;
    }

    TFormBarsSample* Sample = nullptr;
    TubBarManager* Manager = nullptr;
    std::vector<TMessageBoxRequest> Boxes;
    int BoxAnswer = IDOK;
    int Beeps = 0;

private:
    TMessageBoxAnswerer oldBoxes_;
};

}  // namespace zel::test
