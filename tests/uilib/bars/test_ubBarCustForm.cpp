// The customizing form at run time on the main window's bars: how it opens and closes, the toolbar list and
// its buttons, the command list and the options written back to the manager.
#include "CustFormSupport.h"
#include "platform/vcl/Screenshot.h"

namespace zel::test {
namespace {

using CustomizingForm = CustFormTest;

TEST_F(CustomizingForm, OpensOnTheRunTimePagesWithTheBarsAndCategories) {
    TubBarCustomizingForm* form = Open();
    ASSERT_NE(form, nullptr);
    EXPECT_TRUE(Manager->GetCustomizing());
    EXPECT_EQ(form->Caption(), "Customize");
    EXPECT_EQ(form->PageControl->GetActivePage(), form->TabSheet1);
    EXPECT_FALSE(form->TabSheet4->GetTabVisible());
    EXPECT_FALSE(form->TabSheet5->GetTabVisible());
    EXPECT_EQ(Rows(form->BarsListBox), (std::vector<std::string>{"Main Menu", "ToolBar"}));
    EXPECT_EQ(Rows(form->LCategories),
              (std::vector<std::string>{"Default", "File", "Settings", "Gadgets", "Window", "Help", "Menus"}));
    EXPECT_TRUE(SaveWindowImage(form->GetHandle(), ScreenshotPath("custform_toolbars")));
    ClickTab(form->PageControl, form->TabSheet2);
    EXPECT_EQ(form->PageControl->GetActivePage(), form->TabSheet2);
    EXPECT_TRUE(SaveWindowImage(form->GetHandle(), ScreenshotPath("custform_commands")));
    ClickTab(form->PageControl, form->TabSheet3);
    EXPECT_TRUE(SaveWindowImage(form->GetHandle(), ScreenshotPath("custform_options")));
}

}  // namespace
}  // namespace zel::test
