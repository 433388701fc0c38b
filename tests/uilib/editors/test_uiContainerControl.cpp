// The container window: its frame geometry per border style, keys and focus through its inner EDIT under
// real input, the disabled and hot looks, its shadowed region, and the gallery screenshots of every look.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "EditorGallery.h"
#include "platform/rtl/Clock.h"
#include "platform/rtl/Units.h"
#include "platform/vcl/Forms.h"
#include "platform/vcl/Screenshot.h"
#include "platform/vcl/StdCtrls.h"
#include "platform/win/Messages.h"
#include "platform/win/UxTheme.h"
#include "platform/win/Windows.h"
#include "support/vcl/QueuedInput.h"
#include "support/vcl/VclTestSupport.h"
#include "uilib/editors/uiContainer.h"
#include "uilib/editors/uiDWMApi.h"
#include "uilib/editors/uiEdit.h"
#include "uilib/editors/uiEditorsUnits.h"
#include "uilib/editors/uiMaskEdit.h"
#include "uilib/editors/uiTextEdit.h"

namespace zel::test {
namespace {

class ContainerWindow : public EditorWindowTest {
protected:
    // A form with one container (its EDIT reading "abc") and a plain EDIT after it in the tab order.
    TEditorGalleryForm* SmallForm(TuiContainer*& container, TEdit*& after) {
        auto* form = Keep(Construct<TEditorGalleryForm>(nullptr));
        form->SetBounds(100, 100, 260, 120);
        form->SetColor(clAqua);
        container = NewEditContainer(form, 10, 10, "abc");
        container->SetBounds(10, 10, 120, 24);
        container->TabOrder = 0;
        after = NewEditAfter(form);
        form->Show();
        after->SetFocus();
        ProcessPendingMessages();
        return form;
    }
    TEdit* InnerEdit(TuiContainer* c) { return static_cast<TEdit*>(c->GetInnerControl()); }
};

TEST_F(ContainerWindow, FrameGeometryRows) {
    struct TRow {
        const char* name;
        TuiContainerBorderStyle style;
        bool transparent;
        bool shadow;
        TuiBorders edges;
        TRect border;
        TRect region;
        TRect visible;
    } rows[] = {
        {"TransparentSingle", cbsSingle, true, false, uiBordersAll, {2, 2, 98, 22}, {1, 1, 99, 23}, {1, 1, 99, 23}},
        {"TransparentThick", cbsThick, true, false, uiBordersAll, {2, 2, 98, 22}, {0, 0, 100, 24}, {0, 0, 100, 24}},
        {"TransparentNone", cbsNone, true, false, uiBordersAll, {2, 2, 98, 22}, {2, 2, 98, 22}, {2, 2, 98, 22}},
        {"Single", cbsSingle, false, false, uiBordersAll, {1, 1, 99, 23}, {0, 0, 100, 24}, {0, 0, 100, 24}},
        {"Flat", cbsFlat, false, false, uiBordersAll, {2, 2, 98, 22}, {0, 0, 100, 24}, {0, 0, 100, 24}},
        {"UltraFlat", cbsUltraFlat, false, false, uiBordersAll, {1, 1, 99, 23}, {0, 0, 100, 24}, {0, 0, 100, 24}},
        {"NoneNotTransparent", cbsNone, false, false, uiBordersAll, {0, 0, 100, 24}, {0, 0, 100, 24}, {0, 0, 100, 24}},
        {"ShadowedThreeD", cbs3D, false, true, uiBordersAll, {2, 2, 95, 19}, {0, 0, 97, 21}, {0, 0, 97, 21}},
        {"LeftAndTopOnly",
         cbsSingle,
         false,
         false,
         TuiBorders{bLeft, bTop},
         {1, 1, 100, 24},
         {0, 0, 100, 24},
         {0, 0, 100, 24}},
        {"TransparentLeftOnly",
         cbsThick,
         true,
         false,
         TuiBorders{bLeft},
         {2, 2, 98, 22},
         {0, 2, 98, 22},
         {0, 2, 98, 22}},
    };
    auto* form = Keep(Construct<TEditorGalleryForm>(nullptr));
    for (const TRow& row : rows) {
        TuiContainer* c = NewEditContainer(form, 0, 0, "");
        c->SetBounds(0, 0, 100, 24);
        c->Style()->SetBorderStyle(row.style);
        c->Style()->SetTransparentBorder(row.transparent);
        c->Style()->SetShadow(row.shadow);
        c->Style()->SetEdges(row.edges);
        c->CalculateViewInfo(TPoint{-1, -1}, false);
        EXPECT_EQ(c->ViewInfo()->BorderRect, row.border) << row.name;
        EXPECT_EQ(c->RegionRect(), row.region) << row.name;
        EXPECT_EQ(c->VisibleBounds(), row.visible) << row.name;
        EXPECT_EQ(c->ViewInfo()->Shadow, row.shadow) << row.name;
        delete c;
    }
}

TEST_F(ContainerWindow, KeysTypedIntoTheContainerLandInItsEditAndTabLeavesIt) {
    TuiContainer* container = nullptr;
    TEdit* after = nullptr;
    TEditorGalleryForm* form = SmallForm(container, after);
    container->SetFocus();
    ProcessPendingMessages();
    ASSERT_EQ(GetFocus(), InnerEdit(container)->GetHandle()) << "the container hands the focus on";
    EXPECT_TRUE(container->ViewInfo()->ContainerState.Contains(cisActive));
    EXPECT_EQ(container->ActiveStyle(), container->StyleFocused());

    InnerEdit(container)->SetSelStart(3);
    Tap('X');
    Tap('Y', VK_SHIFT);
    EXPECT_EQ(InnerEdit(container)->GetText(), "abcxY");
    // Keys sent to the container's own window go on to the EDIT as well.
    SendMessage(container->GetHandle(), WM_CHAR, 'z', 0);
    EXPECT_EQ(InnerEdit(container)->GetText(), "abcxYz");

    Tap(VK_TAB);
    EXPECT_EQ(GetFocus(), after->GetHandle());
    EXPECT_FALSE(container->ViewInfo()->ContainerState.Contains(cisActive));
    Tap(VK_TAB, VK_SHIFT);
    EXPECT_EQ(GetFocus(), InnerEdit(container)->GetHandle()) << "and back";
    (void)form;
}

TEST_F(ContainerWindow, TheFocusedInnerControlTakesTheContainersPlaceInTheTabOrder) {
    TuiContainer* container = nullptr;
    TEdit* after = nullptr;
    TEditorGalleryForm* form = SmallForm(container, after);
    auto* before = new TEdit(form);
    before->SetParent(form);
    before->SetBounds(140, 10, 100, 22);
    before->TabOrder = 0;
    before->TabStop = true;
    container->TabOrder = 1;
    after->TabOrder = 2;
    // The form's tab order, among these four controls.
    const auto order = [&] {
        std::vector<TWinControl*> list, ours;
        form->GetTabOrderList(list);
        for (TWinControl* c : list)
            if (c == before || c == container || c == InnerEdit(container) || c == after) ours.push_back(c);
        return ours;
    };
    EXPECT_EQ(order(), (std::vector<TWinControl*>{before, container, InnerEdit(container), after}))
        << "the focus elsewhere: the list as it stands";

    container->SetFocus();
    ProcessPendingMessages();
    ASSERT_EQ(form->GetActiveControl(), InnerEdit(container));
    EXPECT_EQ(order(), (std::vector<TWinControl*>{before, InnerEdit(container), after}));
    // Backwards from the inner control the focus leaves the container instead of landing on it again.
    form->SelectNext(form->GetActiveControl(), false, true);
    ProcessPendingMessages();
    EXPECT_EQ(GetFocus(), before->GetHandle());
}

TEST_F(ContainerWindow, ChangeScaleScalesTheBoundsAndTheNormalStylesOwnFont) {
    struct Row {
        const char* name;
        int m, d;
        bool ownFont;
        int wantWidth, wantStyleSize;
    };
    const Row rows[] = {
        {"doubled, own font", 2, 1, true, 240, 16},
        {"doubled, font not its own", 2, 1, false, 240, 8},
        {"halved, own font", 1, 2, true, 60, 4},
        {"same scale", 3, 3, true, 120, 8},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        TuiContainer* container = nullptr;
        TEdit* after = nullptr;
        SmallForm(container, after);
        container->Style()->GetFont()->SetSize(8);
        if (r.ownFont) container->Style()->SetFont(container->Style()->GetFont());
        else container->Style()->SetAssignedValues(container->Style()->GetAssignedValues() & ~StyleValueBit(csvFont));
        container->ChangeScale(r.m, r.d);
        EXPECT_EQ(container->GetWidth(), r.wantWidth);
        EXPECT_EQ(container->Style()->GetFont()->GetSize(), r.wantStyleSize);
        if (r.ownFont) {
            EXPECT_EQ(InnerEdit(container)->Font()->GetSize(), r.wantStyleSize) << "the edit follows";
        }
    }
}

TEST_F(ContainerWindow, ADisabledContainerPaintsInItsDisabledStyleAndEnablingRefreshesAtOnce) {
    TuiContainer* container = nullptr;
    TEdit* after = nullptr;
    SmallForm(container, after);
    container->Style()->SetBorderStyle(cbsSingle);
    container->Style()->SetTransparentBorder(false);
    container->StyleDisabled()->SetBorderColor(clRed);
    container->StyleDisabled()->SetColor(clYellow);
    ProcessPendingMessages();
    const HWND h = container->GetHandle();
    EXPECT_EQ(ComposedPixel(h, 0, 10), ColorToRGB(clWindowFrame));
    EXPECT_EQ(ComposedPixel(h, 115, 12), ColorToRGB(clWindow));

    container->SetEnabled(false);
    ProcessPendingMessages();
    EXPECT_EQ(container->ActiveStyle(), container->StyleDisabled());
    EXPECT_EQ(ComposedPixel(h, 0, 10), ColorToRGB(clRed));
    EXPECT_EQ(ComposedPixel(h, 115, 12), ColorToRGB(clYellow)) << "the EDIT takes the background";
    EXPECT_EQ(InnerEdit(container)->Font()->GetColor(), clBtnShadow) << "the disabled text colour";

    container->SetEnabled(true);
    ProcessPendingMessages();
    EXPECT_EQ(ComposedPixel(h, 0, 10), ColorToRGB(clWindowFrame));
    EXPECT_EQ(ComposedPixel(h, 115, 12), ColorToRGB(clWindow));
}

TEST_F(ContainerWindow, HoveringMakesItHotAndLeavingNormalAgain) {
    TuiContainer* container = nullptr;
    TEdit* after = nullptr;
    SmallForm(container, after);
    container->Style()->SetBorderStyle(cbsSingle);
    ProcessPendingMessages();
    EXPECT_EQ(container->ViewInfo()->BorderStyle, cbsSingle);

    const TPoint over = OnScreen(container, 60, 2);
    SetCursorPos(over.x, over.y);
    ProcessPendingMessages();
    EXPECT_TRUE(container->ViewInfo()->ContainerState.Contains(cisHotTrack));
    EXPECT_EQ(container->ActiveStyle(), container->StyleHot());
    EXPECT_EQ(container->ViewInfo()->BorderStyle, cbsThick) << "a hot single frame is thick";
    EXPECT_EQ(container->ViewInfo()->HotState, 2);

    // Onto the EDIT inside: still hot.
    const TPoint inner = OnScreen(container, 60, 12);
    SetCursorPos(inner.x, inner.y);
    ProcessPendingMessages();
    Run(30);
    EXPECT_TRUE(container->ViewInfo()->ContainerState.Contains(cisHotTrack));

    SetCursorPos(2000, 2000);
    ProcessPendingMessages();
    Run(30);
    EXPECT_FALSE(container->ViewInfo()->ContainerState.Contains(cisHotTrack));
    EXPECT_EQ(container->ViewInfo()->BorderStyle, cbsSingle);
    EXPECT_EQ(container->ViewInfo()->HotState, 1);
}

TEST_F(ContainerWindow, AShadowedContainersRegionIncludesItsOffsetCopy) {
    TuiContainer* container = nullptr;
    TEdit* after = nullptr;
    TEditorGalleryForm* form = SmallForm(container, after);
    container->Style()->SetBorderStyle(cbsSingle);
    container->Style()->SetTransparentBorder(false);
    container->Style()->SetShadow(true);
    ProcessPendingMessages();
    // Read from the form's composed image, where the window region cuts the container.
    RECT formRect{};
    GetWindowRect(form->GetHandle(), &formRect);
    const TPoint origin = OnScreen(container, 0, 0);
    const auto pixel = [&](int x, int y) {
        return ComposedPixel(form->GetHandle(), origin.x - formRect.left + x, origin.y - formRect.top + y);
    };
    // 120 × 24 with a 3-pixel shadow: the frame is 117 × 21, its shadow 3 pixels down and right.
    EXPECT_EQ(container->ViewInfo()->BorderRect, (TRect{1, 1, 116, 20}));
    EXPECT_EQ(pixel(118, 12), ColorToRGB(clBtnShadow)) << "the shadow at the right";
    EXPECT_EQ(pixel(60, 22), ColorToRGB(clBtnShadow)) << "the shadow below";
    EXPECT_EQ(pixel(118, 1), ColorToRGB(clAqua)) << "outside the region: the form";
    EXPECT_EQ(pixel(1, 22), ColorToRGB(clAqua)) << "outside the region: the form";
    EXPECT_EQ(pixel(116, 10), ColorToRGB(clWindowFrame)) << "the frame's right side";
}

TEST_F(ContainerWindow, ColourAndFontPassBetweenTheControlAndItsNormalStyle) {
    TuiContainer* container = nullptr;
    TEdit* after = nullptr;
    SmallForm(container, after);
    container->Style()->SetColor(clYellow);
    ProcessPendingMessages();
    EXPECT_EQ(container->GetColor(), clYellow);
    EXPECT_EQ(InnerEdit(container)->GetColor(), clYellow);
    // A colour set on the control from outside becomes the Normal style's.
    container->SetColor(clLime);
    EXPECT_EQ(container->Style()->GetColor(), clLime);
    EXPECT_EQ(InnerEdit(container)->GetColor(), clLime);
    // So does a font, and assigning it there makes the control stop following its parent's font.
    TFont font;
    font.SetName("DejaVu Serif");
    font.SetHeight(-15);
    container->Style()->SetFont(&font);
    EXPECT_EQ(container->Font()->GetName(), "DejaVu Serif");
    EXPECT_EQ(InnerEdit(container)->Font()->GetHeight(), -15);
    EXPECT_FALSE(container->GetParentFont());
    container->Font()->SetHeight(-17);
    EXPECT_EQ(container->Style()->GetFont()->GetHeight(), -17);
}

TEST_F(ContainerWindow, AParentColouredContainerFollowsItsParentUntilItsStyleHasAColour) {
    TuiContainer* container = nullptr;
    TEdit* after = nullptr;
    TEditorGalleryForm* form = SmallForm(container, after);
    container->SetParentColor(true);
    form->SetColor(clLime);
    ProcessPendingMessages();
    EXPECT_EQ(container->GetColor(), clLime);
    EXPECT_EQ(container->Style()->GetColor(), clLime);
    EXPECT_EQ(InnerEdit(container)->GetColor(), clLime);
    EXPECT_EQ(container->Style()->GetAssignedValues() & StyleValueBit(csvColor), 0u) << "not the style's own";
    EXPECT_TRUE(container->GetParentColor());
    // An assigned colour stops the following.
    container->Style()->SetColor(clYellow);
    form->SetColor(clAqua);
    ProcessPendingMessages();
    EXPECT_EQ(container->GetColor(), clYellow);
    EXPECT_EQ(InnerEdit(container)->GetColor(), clYellow);
}

TEST_F(ContainerWindow, PurgeMessagesPostsAQuitItMeetsAgain) {
    TuiContainer* container = nullptr;
    TEdit* after = nullptr;
    SmallForm(container, after);
    const HWND h = container->GetHandle();
    PostMessage(h, WM_USER + 5, 0, 0);
    PostMessage(h, WM_USER + 5, 0, 0);
    PostMessage(h, WM_USER + 5, 0, 0);
    EXPECT_TRUE(PurgeMessages(h, WM_USER + 5, WM_USER + 5, false));
    MSG msg{};
    EXPECT_TRUE(PeekMessage(&msg, h, WM_USER + 5, WM_USER + 5, PM_NOREMOVE)) << "one at a time";
    PostQuitMessage(3);
    EXPECT_TRUE(PurgeMessages(h, WM_USER + 5, WM_USER + 5, true));
    int code = 0;
    EXPECT_TRUE(QuitPending(&code)) << "the quit is not lost";
    EXPECT_EQ(code, 3);
    // What is left is the quit alone: both user messages went before it.
    ASSERT_TRUE(PeekMessage(&msg, h, WM_USER + 5, WM_USER + 5, PM_REMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
    EXPECT_FALSE(QuitPending());
}

// ---- on glass

// A container that lies on its form's glass surface.
class TGlassContainer : public TuiContainer {
public:
    using TuiContainer::TuiContainer;
    bool IsOnGlass() override { return true; }
};

// With buffered painting there, as on systems that composite the desktop; composition is switched per test.
class ContainerOnGlass : public EditorWindowTest {
protected:
    ContainerOnGlass() {
        themed_ = true;
        provider_.VistaEntries = true;
    }
    void TearDown() override {
        SetDesktopCompositionForTesting(false);
        EditorWindowTest::TearDown();
    }
    TGlassContainer* NewGlassForm() {
        auto* form = Keep(Construct<TEditorGalleryForm>(nullptr));
        form->SetBounds(100, 100, 260, 120);
        auto* container = Construct<TGlassContainer>(form);
        container->SetParent(form);
        container->SetBounds(10, 10, 120, 24);
        container->Style()->SetBorderStyle(cbsSingle);
        container->Style()->SetBorderColor(clRed);
        edit = new TEdit(container);
        edit->BorderStyle = bsNone;
        edit->SetParent(container);
        edit->SetText("glass");
        container->SetInnerControl(edit);
        form->Show();
        ProcessPendingMessages();
        return container;
    }
    std::vector<TThemeCall> BufferedCalls() const {
        std::vector<TThemeCall> result;
        for (const TThemeCall& call : provider_.Calls)
            if (call.Function.find("BufferedPaint") != std::string::npos) result.push_back(call);
        return result;
    }
    // Takes the glass repaints posted to a window out of the queue; how many there were.
    static int TakeGlassRepaints(HWND AWindow) {
        int count = 0;
        MSG msg;
        while (PeekMessage(&msg, AWindow, WM_APP + 129, WM_APP + 129, PM_REMOVE)) ++count;
        return count;
    }
    TEdit* edit = nullptr;
};

// Under desktop composition a container on glass paints through a buffered paint: cleared first, its drawing
// printed into it, every pixel made opaque; its inner EDIT, asking for its colours, is repainted the same way
// once. Without composition it paints as any window does.
TEST_F(ContainerOnGlass, PaintsThroughABufferedPaintOnlyUnderComposition) {
    TGlassContainer* container = NewGlassForm();
    for (bool composition : {false, true}) {
        SCOPED_TRACE(composition ? "composition" : "no composition");
        SetDesktopCompositionForTesting(composition);
        EXPECT_EQ(container->PaintsOnGlass(), composition);
        provider_.Calls.clear();
        InvalidateRect(container->GetHandle(), nullptr, TRUE);
        InvalidateRect(edit->GetHandle(), nullptr, TRUE);
        // The paints, then the repaint the EDIT's colour request posted while it painted.
        ProcessPendingMessages();
        ProcessPendingMessages();
        const std::vector<TThemeCall> calls = BufferedCalls();
        // The frame is drawn either way.
        EXPECT_EQ(ComposedPixel(container->GetHandle(), 0, 10), static_cast<COLORREF>(ColorToRGB(clRed)));
        if (!composition) {
            EXPECT_TRUE(calls.empty());
            continue;
        }
        // The container's paint and the inner EDIT's repaint: begin (erasing), alpha 255, end, each.
        ASSERT_EQ(calls.size(), 6u);
        for (std::size_t i = 0; i < calls.size(); i += 3) {
            EXPECT_EQ(calls[i].Function, "BeginBufferedPaint");
            EXPECT_EQ(calls[i].Flags & uxtheme::BPPF_ERASE, uxtheme::BPPF_ERASE);
            EXPECT_EQ(calls[i + 1].Function, "BufferedPaintSetAlpha");
            EXPECT_EQ(calls[i + 1].Flags, 255u);
            EXPECT_EQ(calls[i + 2].Function, "EndBufferedPaint");
        }
        EXPECT_EQ(TakeGlassRepaints(container->GetHandle()) + TakeGlassRepaints(edit->GetHandle()), 0)
            << "no repaint keeps posting another";
    }
}

// A colour request on glass posts one repaint however often it comes; the repaint runs once and is not pending
// afterwards. The EDIT still gets its colours.
TEST_F(ContainerOnGlass, ColourRequestsPostOneRepaintEach) {
    TGlassContainer* container = NewGlassForm();
    HDC dc = GetDC(edit->GetHandle());
    struct TRow {
        const char* name;
        bool composition;
        int posted;
    } rows[] = {{"no composition", false, 0}, {"composition", true, 1}};
    for (const TRow& row : rows) {
        SCOPED_TRACE(row.name);
        SetDesktopCompositionForTesting(row.composition);
        for (HWND window : {container->GetHandle(), edit->GetHandle()}) {
            const bool inner = window == edit->GetHandle();
            for (int i = 0; i < 2; ++i) {
                if (inner) EXPECT_NE(edit->Perform(CN_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc), 0), 0);
                else container->Perform(CN_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), 0);
            }
            EXPECT_EQ(TakeGlassRepaints(window), row.posted) << (inner ? "inner" : "container");
            provider_.Calls.clear();
            SendMessage(window, WM_APP + 129, 0, 0);
            EXPECT_EQ(BufferedCalls().size(), row.posted * 3u) << (inner ? "inner" : "container");
            provider_.Calls.clear();
            SendMessage(window, WM_APP + 129, 0, 0);
            EXPECT_TRUE(BufferedCalls().empty()) << "nothing pending any more";
        }
    }
    ReleaseDC(edit->GetHandle(), dc);
}

// ---- pictures

// The native column through the test theme provider.
class ContainerWindowThemed : public ContainerWindow {
protected:
    ContainerWindowThemed() { themed_ = true; }
};

TEST_F(ContainerWindowThemed, GalleryScreenshotsInEveryLookNormalAndDisabled) {
    for (bool enabled : {true, false}) {
        TEditorGalleryForm* form = Keep(NewEditorGallery(enabled));
        form->SetBounds(0, 0, form->GetWidth(), form->GetHeight());
        form->Show();
        ProcessPendingMessages();
        EXPECT_TRUE(SaveWindowImage(form->GetHandle(),
                                    ScreenshotPath(enabled ? "editors_gallery" : "editors_gallery_disabled")));
        int focused = 0;
        for (TuiContainer* c : form->Containers) {
            if (enabled) focused += c->ActiveStyle() == c->StyleFocused() ? 1 : 0;
            else EXPECT_EQ(c->ActiveStyle(), c->StyleDisabled());
        }
        EXPECT_LE(focused, 1);
        // The native column draws through the theme: its frame has the theme's border colour.
        TuiContainer* native = form->Containers[GalleryLooks().size() * 2 - 1];
        EXPECT_TRUE(native->ViewInfo()->NativeStyle);
        EXPECT_EQ(ComposedPixel(native->GetHandle(), 0, 10), RGB(127, 157, 185));
        form->Hide();
    }
}

// The text and masked editors' rows: Tab walks the text editors and then the masked ones, each focused in
// turn; a focused masked editor shows its blanks whole, their underscores inside its inner EDIT.
TEST_F(ContainerWindowThemed, GalleryTextAndMaskedEditorsFocusedByTabInEveryLook) {
    TEditorGalleryForm* form = Keep(NewEditorGallery());
    form->SetBounds(0, 0, form->GetWidth(), form->GetHeight());
    std::vector<TuiContainer*> editors;
    for (TuiContainer* c : form->Containers)
        if (dynamic_cast<TuiTextEdit*>(c) != nullptr || dynamic_cast<TuiMaskEdit*>(c) != nullptr) editors.push_back(c);
    ASSERT_EQ(editors.size(), GalleryLooks().size() * 2);
    form->Show();
    ProcessPendingMessages();
    editors[0]->SetFocus();
    ProcessPendingMessages();
    for (std::size_t i = 0; i < editors.size(); ++i) {
        TuiContainer* e = editors[i];
        const std::size_t look = i % GalleryLooks().size();
        const bool masked = dynamic_cast<TuiMaskEdit*>(e) != nullptr;
        SCOPED_TRACE(std::string(masked ? "masked " : "text ") + GalleryLooks()[look].Name);
        EXPECT_TRUE(e->ContainerFocused());
        EXPECT_EQ(e->ActiveStyle(), e->StyleFocused());
        EXPECT_TRUE(SaveWindowImage(
            form->GetHandle(), ScreenshotPath(std::string("editors_gallery_focused_") + (masked ? "mask_" : "text_") +
                                              GalleryLooks()[look].Name)));
        if (masked) {
            // The blanks of "(555)12 -    " show as underscores. The text is all selected: the last blank's
            // underscore is the highlight-text line under the highlight in the middle of its place.
            HWND inner = e->GetInnerControl()->GetHandle();
            char text[32] = {};
            GetWindowText(inner, text, sizeof text);
            EXPECT_STREQ(text, "(555)12_-____");
            RECT rc;
            GetClientRect(inner, &rc);
            const int x = static_cast<int>(LOWORD(SendMessage(inner, EM_POSFROMCHAR, 12, 0))) + 3;
            const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
            bool inHighlight = false, underscore = false;
            for (int y = 0; y < rc.bottom; ++y) {
                const bool lit = ComposedPixel(inner, x, y) == highlight;
                underscore = underscore || (inHighlight && !lit);
                inHighlight = inHighlight || lit;
            }
            EXPECT_TRUE(underscore) << "the last blank shows whole";
        }
        Tap(VK_TAB);
    }
}

TEST_F(ContainerWindow, OneContainerPerLookFocusedByTabAndHot) {
    auto* form = Keep(Construct<TEditorGalleryForm>(nullptr));
    form->SetBounds(50, 50, 8 + kGalleryCellWidth * 4, 100);
    std::vector<TuiContainer*> row;
    int column = 0;
    for (const TGalleryLook& look : GalleryLooks()) {
        if (look.Native) continue;
        TuiContainer* c = NewEditContainer(form, 8 + column * kGalleryCellWidth, 10, look.Name);
        c->Style()->GetLookAndFeel()->SetKind(look.Kind);
        c->Style()->SetBorderStyle(look.Kind == lfFlat       ? cbsFlat
                                   : look.Kind == lfStandard ? cbs3D
                                   : look.Kind == lfOffice11 ? cbsOffice11
                                                             : cbsUltraFlat);
        c->TabOrder = column;
        row.push_back(c);
        ++column;
    }
    form->Show();
    ProcessPendingMessages();
    row[0]->SetFocus();
    ProcessPendingMessages();
    for (std::size_t i = 0; i < row.size(); ++i) {
        EXPECT_TRUE(row[i]->ViewInfo()->ContainerState.Contains(cisActive)) << i;
        const std::string name = std::string("editors_focused_") + GalleryLooks()[i].Name;
        EXPECT_TRUE(SaveWindowImage(form->GetHandle(), ScreenshotPath(name)));
        Tap(VK_TAB);
    }
    // Hot: the pointer moved onto each one in turn.
    for (std::size_t i = 0; i < row.size(); ++i) {
        const TPoint p = OnScreen(row[i], 40, 2);
        SetCursorPos(p.x, p.y);
        ProcessPendingMessages();
        EXPECT_TRUE(row[i]->ViewInfo()->ContainerState.Contains(cisHotTrack)) << i;
        const std::string name = std::string("editors_hot_") + GalleryLooks()[i].Name;
        EXPECT_TRUE(SaveWindowImage(form->GetHandle(), ScreenshotPath(name)));
    }
}

}  // namespace
}  // namespace zel::test

namespace zel::test {
namespace {

class ContainerWindowNative : public EditorWindowTest {
protected:
    ContainerWindowNative() { themed_ = true; }
};

TEST_F(ContainerWindowNative, ThemePartsAndStatesFollowTheContainer) {
    auto* form = Keep(Construct<TEditorGalleryForm>(nullptr));
    form->SetBounds(100, 100, 240, 120);
    TuiContainer* container = NewEditContainer(form, 10, 10, "themed");
    container->Style()->GetLookAndFeel()->SetNativeStyle(true);
    auto* other = new TEdit(form);
    other->SetParent(form);
    other->SetBounds(10, 60, 100, 22);
    EXPECT_EQ(container->Style()->GetActiveStyleController(), uiDefaultEditStyleController())
        << "a new container follows the default editor style controller";
    form->Show();
    ProcessPendingMessages();
    ASSERT_TRUE(container->ViewInfo()->NativeStyle);
    struct TRow {
        const char* name;
        bool enabled;
        bool focused;
        bool glass;
        int part;
        int state;
    } rows[] = {
        {"Normal", true, false, false, 1, 1},
        {"Focused", true, true, false, 1, 5},
        {"Disabled", false, false, false, 1, 4},
        {"OnGlass", true, false, true, 3, 1},
    };
    for (const TRow& row : rows) {
        SetDesktopCompositionForTesting(row.glass);
        container->SetEnabled(row.enabled);
        if (row.focused) container->SetFocus();
        else other->SetFocus();
        ProcessPendingMessages();
        container->RefreshFrame();
        EXPECT_EQ(container->ViewInfo()->NativePart, row.part) << row.name;
        EXPECT_EQ(container->ViewInfo()->NativeState, row.state) << row.name;
        EXPECT_EQ(container->ActiveStyle(), row.enabled ? (row.focused ? container->StyleFocused() : container->Style())
                                                        : container->StyleDisabled())
            << row.name;
    }
    SetDesktopCompositionForTesting(false);
}

}  // namespace
}  // namespace zel::test
