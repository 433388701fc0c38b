// The combo box on a shown form, driven through the input queue: the keys that drop, step through and pick
// from its list, the mouse that picks, drags and double-clicks, the list's rows and heights, sizing by whole
// rows, completion while typing, owner drawing and the filter settings.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "EditorErrorsTest.h"
#include "EditorGallery.h"
#include "platform/vcl/Forms.h"
#include "platform/vcl/Screenshot.h"
#include "platform/vcl/StdCtrls.h"
#include "platform/win/Messages.h"
#include "platform/win/SysInfo.h"
#include "platform/win/Windows.h"
#include "support/vcl/QueuedInput.h"
#include "support/vcl/VclTestSupport.h"
#include "uilib/editors/uiDropDownEdit.h"
#include "uilib/editors/uiEditRepository.h"

namespace zel::test {
namespace {

class ComboBox : public EditorErrorsTest {
protected:
    // A form with the combo box (focused) at (10, 10), 150 x 21, holding ACount items "Item 0", "Item 1", ...
    void NewForm(int ACount, int Y = 100) {
        form = Keep(Construct<TEditorGalleryForm>(nullptr));
        form->SetBorderStyle(bsNone);
        form->SetBounds(100, Y, 300, 80);
        combo = Construct<TuiComboBox>(form);
        combo->SetParent(form);
        combo->SetBounds(10, 10, 150, 21);
        for (int i = 0; i < ACount; ++i) P()->Items()->Add("Item " + std::to_string(i));
        P()->OnCloseUp = [this](TObject*) { reasons.push_back(combo->CloseUpReason); };
        form->Show();
        ProcessPendingMessages();
        combo->SetFocus();
        ProcessPendingMessages();
    }
    TuiComboBoxProperties* P() const { return combo->Properties(); }
    bool Open() const { return combo->GetDroppedDown(); }
    TuiComboBoxListBox* List() const { return combo->ComboLookupData()->ComboList(); }
    TuiCustomEditPopupWindow* Popup() const { return combo->PopupWindow(); }
    int ClientHeight() const {
        const TRect c = Popup()->PopupViewInfo()->ClientRect;
        return c.bottom - c.top;
    }
    // The centre of a list item in the list's client coordinates.
    TPoint ItemCentre(int AIndex) {
        const TRect r = List()->ItemRect(AIndex);
        return TPoint{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    }
    // Whether the list scrolls: not all of its rows fit (it shows its vertical bar then).
    bool HasVerticalBar() {
        List()->SetTopIndex(List()->Items()->Count() - 1);
        const bool scrolls = List()->GetTopIndex() > 0;
        List()->SetTopIndex(0);
        return scrolls;
    }

    TEditorGalleryForm* form = nullptr;
    TuiComboBox* combo = nullptr;
    std::vector<TuiCloseUpReason> reasons;
};

TEST_F(ComboBox, KeysDropStepPickAndCancel) {
    NewForm(20);
    combo->SetEditValue(Variant("Item 2"));
    Tap(VK_F4);
    ASSERT_TRUE(Open());
    EXPECT_EQ(List()->GetItemIndex(), 2) << "the list shows the current item";
    Tap(VK_DOWN);
    EXPECT_EQ(List()->GetItemIndex(), 3);
    Tap(VK_UP);
    Tap(VK_UP);
    EXPECT_EQ(List()->GetItemIndex(), 1);
    Tap(VK_NEXT);
    EXPECT_EQ(List()->GetItemIndex(), 8) << "a page of eight rows";
    EXPECT_EQ(combo->GetDisplayText(), "Item 2") << "the highlight is not the choice yet";
    Tap(VK_RETURN);
    EXPECT_FALSE(Open());
    EXPECT_EQ(combo->GetDisplayText(), "Item 8");
    EXPECT_EQ(combo->CloseUpReason, crEnter);

    Tap(VK_DOWN, VK_MENU);
    ASSERT_TRUE(Open());
    Tap(VK_DOWN);
    Tap(VK_ESCAPE);
    EXPECT_FALSE(Open());
    EXPECT_EQ(combo->GetDisplayText(), "Item 8") << "Escape keeps the old text";
    EXPECT_EQ(reasons, (std::vector<TuiCloseUpReason>{crEnter, crCancel}));
    EXPECT_TRUE(errors.empty());
}

TEST_F(ComboBox, AClickPicksAnItemAndTheFirstMoveAfterOpeningChangesNothing) {
    NewForm(5);
    Tap(VK_F4);
    ASSERT_TRUE(Open());
    ClickAt(List(), ItemCentre(3));
    EXPECT_FALSE(Open());
    EXPECT_EQ(combo->GetDisplayText(), "Item 3");
    EXPECT_EQ(reasons, (std::vector<TuiCloseUpReason>{crEnter}));

    // The list opens under the resting mouse: its first move does not take the highlight along.
    Tap(VK_F4);
    const TPoint at = OnScreen(List(), ItemCentre(1).x, ItemCentre(1).y);
    Tap(VK_F4);
    SetCursorPos(at.x, at.y);
    ProcessPendingMessages();
    Tap(VK_F4);
    ASSERT_TRUE(Open());
    EXPECT_EQ(List()->GetItemIndex(), 3);
    SetCursorPos(at.x + 1, at.y);
    ProcessPendingMessages();
    EXPECT_EQ(List()->GetItemIndex(), 3) << "the first move is ignored";
    SetCursorPos(at.x + 2, at.y);
    ProcessPendingMessages();
    EXPECT_EQ(List()->GetItemIndex(), 1) << "the next one tracks";
    Tap(VK_ESCAPE);
    EXPECT_EQ(combo->GetDisplayText(), "Item 3");
}

TEST_F(ComboBox, PressingTheButtonAndDraggingIntoTheListPicksWhereReleased) {
    NewForm(5);
    const TRect b = combo->EditViewInfo()->ButtonsInfo.at(0).Bounds;
    const TPoint s = OnScreen(combo, (b.left + b.right) / 2, (b.top + b.bottom) / 2);
    SetCursorPos(s.x, s.y);
    ProcessPendingMessages();
    mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
    ProcessPendingMessages();
    ProcessPendingMessages();
    ASSERT_TRUE(Open());
    const TPoint item = OnScreen(List(), ItemCentre(2).x, ItemCentre(2).y);
    SetCursorPos(item.x, item.y);
    ProcessPendingMessages();
    EXPECT_EQ(List()->GetItemIndex(), 2) << "the item under the dragging mouse follows";
    mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
    ProcessPendingMessages();
    EXPECT_FALSE(Open());
    EXPECT_EQ(combo->GetDisplayText(), "Item 2");
}

TEST_F(ComboBox, TheListShowsUpToDropDownRowsOfTheItemHeights) {
    struct Row {
        const char* Name;
        int Items, Rows, ItemHeight;
        bool Measured;
        int WantRows;
        bool Bar;
    };
    const Row rows[] = {
        {"3 items, 8 rows", 3, 8, 0, false, 3, false}, {"20 items, 8 rows", 20, 8, 0, false, 8, true},
        {"rows 0 ignored", 20, 0, 0, false, 8, true},  {"rows 5", 20, 5, 0, false, 5, true},
        {"item height 30", 4, 8, 30, false, 4, false}, {"measured items", 6, 4, 0, true, 4, true},
    };
    for (const Row& row : rows) {
        NewForm(row.Items);
        P()->SetDropDownRows(row.Rows);
        P()->SetItemHeight(row.ItemHeight);
        // Measured, item i is 10 + 2 * i pixels high.
        if (row.Measured)
            P()->OnMeasureItem = [](TWinControl*, int AIndex, int& AHeight) { AHeight = 10 + 2 * AIndex; };
        Tap(VK_F4);
        ASSERT_TRUE(Open()) << row.Name;
        EXPECT_EQ(P()->GetDropDownRows(), row.Rows < 1 ? 8 : row.Rows) << row.Name;
        int want = 0;
        for (int i = 0; i < row.WantRows; ++i) want += List()->ItemHeightOf(i);
        if (row.ItemHeight > 0) {
            EXPECT_EQ(List()->ItemHeightOf(0), row.ItemHeight) << row.Name;
        }
        if (row.Measured) {
            EXPECT_EQ(want, 10 + 12 + 14 + 16) << row.Name;
        }
        EXPECT_EQ(ClientHeight(), want) << row.Name;
        EXPECT_EQ(List()->TControl::GetHeight(), want) << row.Name;
        EXPECT_EQ(HasVerticalBar(), row.Bar) << row.Name;
        const int widest = combo->ComboLookupData()->WidestItem() + 4;
        const int width = widest + (row.Bar ? GetSystemMetrics(SM_CXVSCROLL) : 0);
        EXPECT_EQ(Popup()->GetWidth(), std::max(width, combo->GetWidth())) << row.Name;
        Tap(VK_ESCAPE);
    }
}

TEST_F(ComboBox, ResizingTheListKeepsWholeRowsAndTheNextOpeningUsesTheSize) {
    NewForm(30);
    P()->SetDropDownSizeable(true);
    P()->PopupSysPanelStyle = true;
    Tap(VK_F4);
    ASSERT_TRUE(Open());
    const int row = List()->ItemHeightOf(0);
    const int before = ClientHeight();
    EXPECT_EQ(before, 8 * row);
    const TRect grip = Popup()->PopupViewInfo()->GripRect;
    const TPoint s = OnScreen(Popup(), (grip.left + grip.right) / 2, (grip.top + grip.bottom) / 2);
    SetCursorPos(s.x, s.y);
    ProcessPendingMessages();
    mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
    ProcessPendingMessages();
    SetCursorPos(s.x + 10, s.y + row * 2 + row / 2);
    ProcessPendingMessages();
    mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
    ProcessPendingMessages();
    EXPECT_EQ(ClientHeight(), 10 * row) << "two and a half rows more make two";
    // Shrunk below one row, one row stays.
    mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
    ProcessPendingMessages();
    SetCursorPos(s.x + 10, s.y - 20 * row);
    ProcessPendingMessages();
    mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
    ProcessPendingMessages();
    EXPECT_EQ(ClientHeight(), row);
    const TPoint size{Popup()->GetWidth(), Popup()->GetHeight()};
    Tap(VK_ESCAPE);
    EXPECT_EQ(P()->GetDropDownWidth(), size.x);
    Tap(VK_F4);
    EXPECT_EQ((TPoint{Popup()->GetWidth(), Popup()->GetHeight()}), size);
    Tap(VK_ESCAPE);
}

TEST_F(ComboBox, TypingCompletesFromTheItemsAndADoubleClickStepsWhenRevertable) {
    NewForm(0);
    for (const char* item : {"Apple", "Banana", "Blueberry", "Cherry"}) P()->Items()->Add(item);
    P()->ImmediateDropDown = false;
    Tap('B');
    Tap('L');
    EXPECT_EQ(combo->GetDisplayText(), "Blueberry");
    EXPECT_EQ(combo->GetSelText(), "ueberry") << "the completed part is selected";
    EXPECT_FALSE(Open());

    // A double click steps to the next item, the last to the first; clicks in the text are no click events.
    int clicks = 0;
    combo->OnClick = [&](TObject*) { ++clicks; };
    P()->Revertable = true;
    const std::vector<std::string> steps = {"Cherry", "Apple"};
    for (const std::string& want : steps) {
        const TPoint p = OnScreen(combo, 20, 10);
        SetCursorPos(p.x, p.y);
        ProcessPendingMessages();
        for (int i = 0; i < 2; ++i) {
            mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
            ProcessPendingMessages();
            mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
            ProcessPendingMessages();
        }
        EXPECT_EQ(combo->GetDisplayText(), want);
        Run(600);
    }
    // Without it, a double click changes nothing.
    P()->Revertable = false;
    ClickAt(combo, TPoint{20, 10});
    ClickAt(combo, TPoint{20, 10});
    EXPECT_EQ(combo->GetDisplayText(), "Apple");
    EXPECT_EQ(clicks, 0);
}

TEST_F(ComboBox, AFixedListOpensOnAPressAnywhereAndDrawsThroughTheEvent) {
    NewForm(4);
    P()->SetDropDownListStyle(lsFixedList);
    std::vector<int> drawn;
    P()->OnDrawItem = [&](TuiCustomComboBox*, TCanvas* ACanvas, int AIndex, const TRect& R, TOwnerDrawState) {
        drawn.push_back(AIndex);
        ACanvas->Brush()->SetColor(clLime);
        ACanvas->FillRect(R);
    };
    ClickAt(combo, TPoint{20, 10});
    ProcessPendingMessages();
    ASSERT_TRUE(Open());
    List()->Update();
    EXPECT_NE(std::find(drawn.begin(), drawn.end(), 3), drawn.end());
    const TPoint c = ItemCentre(1);
    EXPECT_EQ(ComposedPixel(List()->GetHandle(), c.x, c.y), static_cast<COLORREF>(ColorToRGB(clLime)));
    ClickAt(combo, TPoint{20, 10});
    EXPECT_FALSE(Open()) << "a press on the open combo closes it";
    // The text area shows the chosen item through the event too.
    drawn.clear();
    combo->SetEditValue(Variant("Item 2"));
    combo->InnerEdit()->Invalidate();
    ProcessPendingMessages();
    EXPECT_NE(std::find(drawn.begin(), drawn.end(), 2), drawn.end());
    EXPECT_EQ(ComposedPixel(combo->InnerEdit()->GetHandle(), 3, 3), static_cast<COLORREF>(ColorToRGB(clLime)));
}

TEST_F(ComboBox, TheFilterSettingsAndTheCopy) {
    TuiComboBoxProperties p(nullptr);
    TBitmap glyph;
    glyph.SetSize(8, 8);
    p.SetButtonGlyph(&glyph);
    p.SetDropDownRows(3);
    p.SetDropDownListStyle(lsFixedList);
    p.SetPopupAlignment(taRightJustify);
    p.Revertable = true;
    p.SetItemHeight(17);
    TuiComboBoxProperties copy(nullptr);
    copy.Assign(&p);
    EXPECT_EQ(copy.GetDropDownRows(), 3);
    EXPECT_EQ(copy.GetDropDownListStyle(), lsFixedList);
    EXPECT_EQ(copy.GetItemHeight(), 17);
    EXPECT_TRUE(copy.Revertable);
    TuiFilterEditHelperClass helper = TuiCustomFilterEditHelper::HelperOfClass(TuiFilterComboBoxHelper::StaticClass());
    ASSERT_NE(helper, nullptr);
    helper->InitializeProperties(&p, &copy, true);
    EXPECT_EQ(helper->GetFilterEditClassName(), "TuiComboBox");
    EXPECT_EQ(p.Buttons()->GetItem(0)->GetKind(), bkDown) << "no glyph";
    EXPECT_EQ(p.GetDropDownRows(), 8);
    EXPECT_EQ(p.GetDropDownListStyle(), lsEditList);
    EXPECT_FALSE(p.ImmediateDropDown);
    EXPECT_EQ(p.GetPopupAlignment(), taLeftJustify);
    EXPECT_FALSE(p.Revertable);
}

TEST_F(ComboBox, TheUnitRegistersBothSettingsClasses) {
    const TUnitRow row = uiDropDownEditUnitRow();
    row.Startup();
    TuiRegisteredClasses* registered = GetRegisteredEditProperties();
    const int combo = registered->IndexOfClass(TuiComboBoxProperties::StaticClass());
    const int popup = registered->IndexOfClass(TuiPopupEditProperties::StaticClass());
    ASSERT_GE(combo, 0);
    ASSERT_GE(popup, 0);
    EXPECT_EQ(registered->GetDescription(combo), "ComboBox");
    EXPECT_EQ(registered->GetDescription(popup), "PopupEdit");
    row.Shutdown();
    EXPECT_EQ(registered->IndexOfClass(TuiComboBoxProperties::StaticClass()), -1);
    EXPECT_EQ(registered->IndexOfClass(TuiPopupEditProperties::StaticClass()), -1);
}

// The native column through the test theme provider.
class DropDownGalleryThemed : public EditorWindowTest {
protected:
    DropDownGalleryThemed() { themed_ = true; }
};

// The drop-down rows of the gallery in every look, enabled and disabled; then, focused, each editor of them
// open: the combo's list dropped, the popup edit's panel, the drop-down's system panel with grip and button.
TEST_F(DropDownGalleryThemed, ScreenshotsClosedAndOpenInEveryLook) {
    const std::size_t looks = GalleryLooks().size();
    for (bool enabled : {false, true}) {
        TEditorGalleryForm* gallery = Keep(NewEditorGallery(enabled));
        gallery->SetBounds(0, 0, gallery->GetWidth(), gallery->GetHeight());
        gallery->Show();
        ProcessPendingMessages();
        // The drop-down rows: the first drop-down editor's and the two after it.
        std::size_t first = 0;
        while (first < gallery->Containers.size() &&
               dynamic_cast<TuiCustomDropDownEdit*>(gallery->Containers[first]) == nullptr)
            ++first;
        ASSERT_LE(first + 3 * looks, gallery->Containers.size());
        TuiContainer* top = gallery->Containers[first];
        const TPoint corner = OnScreen(top, 0, 0);
        const RECT rows{corner.x - 8, corner.y - 6, corner.x - 8 + gallery->ClientWidth(),
                        corner.y - 6 + 3 * kGalleryCellHeight};
        EXPECT_TRUE(SaveScreenImage(rows, ScreenshotPath(enabled ? "dropdown_gallery" : "dropdown_gallery_disabled")));
        if (!enabled) {
            for (std::size_t i = first; i < first + 3 * looks; ++i)
                EXPECT_EQ(gallery->Containers[i]->ActiveStyle(), gallery->Containers[i]->StyleDisabled()) << i;
            gallery->Hide();
            continue;
        }
        const char* kinds[] = {"combo", "popupedit", "dropdown"};
        for (std::size_t kind = 0; kind < 3; ++kind) {
            for (std::size_t column = 0; column < looks; ++column) {
                auto* e = static_cast<TuiCustomDropDownEdit*>(gallery->Containers[first + kind * looks + column]);
                e->SetFocus();
                ProcessPendingMessages();
                Tap(VK_F4);
                ASSERT_TRUE(e->GetDroppedDown()) << kinds[kind] << " " << GalleryLooks()[column].Name;
                const TPoint p = OnScreen(e, 0, 0);
                const TRect w = e->PopupWindow()->BoundsRect();
                const RECT area{std::min<int>(p.x, w.left) - 4, std::min<int>(p.y, w.top) - 4,
                                std::max<int>(p.x + e->GetWidth(), w.right) + 4,
                                std::max<int>(p.y + e->GetHeight(), w.bottom) + 4};
                EXPECT_TRUE(SaveScreenImage(area, ScreenshotPath(std::string("dropdown_") + kinds[kind] + "_open_" +
                                                                 GalleryLooks()[column].Name)));
                Tap(VK_ESCAPE);
                EXPECT_FALSE(e->GetDroppedDown()) << kinds[kind] << " " << GalleryLooks()[column].Name;
            }
        }
    }
    EXPECT_GT(provider_.CallCount("DrawThemeBackground"), 0) << "the native column's frames and buttons";
}

// The gallery's combo boxes left at their default settings, open in every look: each list has a frame.
TEST_F(DropDownGalleryThemed, CombosWithDefaultSettingsOpenFramedListsInEveryLook) {
    TEditorGalleryForm* gallery = Keep(NewEditorGallery());
    gallery->SetBounds(0, 0, gallery->GetWidth(), gallery->GetHeight());
    gallery->Show();
    ProcessPendingMessages();
    std::vector<TuiComboBox*> defaults;
    for (TuiContainer* c : gallery->Containers)
        if (auto* combo = dynamic_cast<TuiComboBox*>(c); combo != nullptr && defaults.size() < GalleryLooks().size())
            defaults.push_back(combo);
    ASSERT_EQ(defaults.size(), GalleryLooks().size());
    for (std::size_t column = 0; column < defaults.size(); ++column) {
        TuiComboBox* e = defaults[column];
        SCOPED_TRACE(GalleryLooks()[column].Name);
        ASSERT_EQ(e->Style()->GetPopupBorderStyle(), epbsDefault);
        e->SetFocus();
        ProcessPendingMessages();
        Tap(VK_F4);
        ASSERT_TRUE(e->GetDroppedDown());
        EXPECT_NE(e->PopupWindow()->GetPopupBorderStyle(), epbsDefault);
        EXPECT_GT(e->PopupWindow()->PopupViewInfo()->FrameWidth(), 0);
        const TPoint p = OnScreen(e, 0, 0);
        const TRect w = e->PopupWindow()->BoundsRect();
        const RECT area{std::min<int>(p.x, w.left) - 4, std::min<int>(p.y, w.top) - 4,
                        std::max<int>(p.x + e->GetWidth(), w.right) + 4,
                        std::max<int>(p.y + e->GetHeight(), w.bottom) + 4};
        EXPECT_TRUE(SaveScreenImage(
            area, ScreenshotPath(std::string("dropdown_combo_defaults_open_") + GalleryLooks()[column].Name)));
        Tap(VK_ESCAPE);
        EXPECT_FALSE(e->GetDroppedDown());
    }
}

}  // namespace
}  // namespace zel::test
