// The tabbed notebook: pages read from a form resource, each the parent of its controls; a click on a tab
// asks OnChange before the page turns (and may keep the page); PageIndex set by the program asks nothing.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/vcl/FormReader.h"
#include "platform/vcl/StdCtrls.h"
#include "platform/vcl/TabNotbk.h"
#include "support/vcl/VclTestSupport.h"

namespace zel::test {
namespace {

const char* const kNotebookForm = R"(object FormBook: TFormBook
  Left = 100
  Top = 100
  BorderStyle = bsDialog
  Caption = 'Book'
  ClientHeight = 200
  ClientWidth = 300
  object Book: TTabbedNotebook
    Left = 4
    Top = 4
    Width = 292
    Height = 192
    PageIndex = 0
    OnChange = BookChange
    object TTabPage
      Left = 4
      Top = 24
      Caption = 'Page 1'
      object First: TButton
        Left = 10
        Top = 10
        Width = 75
        Height = 25
        Caption = 'First'
      end
    end
    object TTabPage
      Left = 4
      Top = 24
      Caption = 'Page 2'
      object Second: TButton
        Left = 10
        Top = 10
        Width = 75
        Height = 25
        Caption = 'Second'
      end
    end
  end
end
)";

class TFormBook : public TForm {
public:
    explicit TFormBook(TComponent* owner) : TForm(owner) {}
    std::string ClassName() const override { return "TFormBook"; }
    const TFormResource* FormResource() const override { return &resource_; }
    void DefineBindings(TFormBindings& B) override {
        B.Field("Book", Book);
        B.Field("First", First);
        B.Field("Second", Second);
        B.Handler<TPageChangeEvent>("BookChange", [this](TObject*, int tab, bool& allow) {
            Asked.push_back(std::to_string(tab) + " from " + std::to_string(Book->GetPageIndex()));
            allow = Allow;
        });
    }
    TTabbedNotebook* Book = nullptr;
    TButton* First = nullptr;
    TButton* Second = nullptr;
    std::vector<std::string> Asked;
    bool Allow = true;

private:
    TFormResource resource_{"Book", kNotebookForm};
};

class TabbedNotebook : public VclTest {
protected:
    void SetUp() override {
        VclTest::SetUp();
        form = Keep(Construct<TFormBook>(nullptr));
        form->Show();
        ProcessPendingMessages();
    }
    void ClickTab(int index) {
        const TRect r = form->Book->TabRect(index);
        ClickAt(form->Book->GetHandle(), (r.left + r.right) / 2, (r.top + r.bottom) / 2);
        ProcessPendingMessages();
    }
    TFormBook* form = nullptr;
};

TEST_F(TabbedNotebook, PagesComeFromTheFormAndOnlyTheCurrentOneShows) {
    ASSERT_EQ(form->Book->PageCount(), 2);
    EXPECT_EQ(form->Book->Page(0)->Caption(), "Page 1");
    EXPECT_EQ(form->First->GetParent(), form->Book->Page(0));
    EXPECT_EQ(form->Second->GetParent(), form->Book->Page(1));
    EXPECT_TRUE(form->First->Showing());
    EXPECT_FALSE(form->Second->Showing());
    // The program turns the page: nothing is asked.
    form->Book->SetPageIndex(1);
    ProcessPendingMessages();
    EXPECT_TRUE(form->Second->Showing());
    EXPECT_FALSE(form->First->Showing());
    form->Book->SetPageIndex(5);
    EXPECT_EQ(form->Book->GetPageIndex(), 1);
    EXPECT_TRUE(form->Asked.empty());
    EXPECT_TRUE(SaveWindowImage(form->GetHandle(), ScreenshotPath("tabbed-notebook")));
}

TEST_F(TabbedNotebook, AClickOnATabAsksBeforeThePageTurnsAndMayKeepThePage) {
    ClickTab(1);
    EXPECT_EQ(form->Asked, (std::vector<std::string>{"1 from 0"}));
    EXPECT_EQ(form->Book->GetPageIndex(), 1);
    ClickTab(1);  // the page on show: nothing asked
    EXPECT_EQ(form->Asked.size(), 1u);
    form->Allow = false;
    ClickTab(0);
    EXPECT_EQ(form->Asked.back(), "0 from 1");
    EXPECT_EQ(form->Book->GetPageIndex(), 1);
    form->Book->SetVisible(false);
    EXPECT_FALSE(form->Second->Showing());
}

}  // namespace
}  // namespace zel::test
