#pragma once
// The entries of the quick-customization window's "&Add or Remove Buttons" list: the sub-item that opens
// the list, the shared entry item whose links each stand for a link of the toolbar (a check area showing
// whether that link is visible, then its glyph, caption and shortcut), and the extension buttons after them
// ("&Reset Toolbar", "&Customize...") that keep the same check area so that every caption lines up.
#include <string>

#include "uilib/bars/ubBarCommandItems.h"
#include "uilib/bars/ubBarItemControls.h"
#include "uilib/bars/ubBarSubItem.h"

namespace zel {

class TubBarQuickCustItem : public TubBarButton {
public:
    explicit TubBarQuickCustItem(TComponent* AOwner) : TubBarButton(AOwner) {}
    std::string ClassName() const override { return "TubBarQuickCustItem"; }
    static TClass StaticClass();
};

class TubBarQuickCustExtButton : public TubBarButton {
public:
    explicit TubBarQuickCustExtButton(TComponent* AOwner) : TubBarButton(AOwner) {}
    std::string ClassName() const override { return "TubBarQuickCustExtButton"; }
    static TClass StaticClass();
};

class TubBarQuickSubItem : public TubBarSubItem {
public:
    explicit TubBarQuickSubItem(TComponent* AOwner) : TubBarSubItem(AOwner) {}
    std::string ClassName() const override { return "TubBarQuickSubItem"; }
    static TClass StaticClass();
};

// An extension button of the list: its caption after an empty check area.
class TubBarQuickCustExtButtonControl : public TubBarButtonControl {
public:
    explicit TubBarQuickCustExtButtonControl(TubBarItemLink* ALink) : TubBarButtonControl(ALink) {}
    std::string ClassName() const override { return "TubBarQuickCustExtButtonControl"; }
    static TClass StaticClass();

    int GetWidth() const override;
    void Draw(const TRect& R, bool InMenu) override;

    // The check area before the glyph square, as wide as a line is high.
    int CheckAreaWidth() const;
    // Where the caption begins, from the left of the line: after the check area and the glyph square.
    int CaptionOffset() const;

protected:
    // Draws the line with its check area (marked when Checked), the caption from CaptionOffset and the
    // shortcut at the right; the glyph square is left to the caller.
    void DrawEntry(const TRect& R, bool Checked);
};

// An entry of the list standing for a link of the toolbar: it shows that link's caption, paint style,
// image, hint and shortcut, and its check area whether the link is visible; a click shows or hides it.
class TubBarQuickCustItemControl : public TubBarQuickCustExtButtonControl {
public:
    explicit TubBarQuickCustItemControl(TubBarItemLink* ALink) : TubBarQuickCustExtButtonControl(ALink) {}
    std::string ClassName() const override { return "TubBarQuickCustItemControl"; }
    static TClass StaticClass();

    // The toolbar's link the entry stands for; nullptr once it is gone.
    TubBarItemLink* SourceLink() const;

    std::string GetCaption() const override;
    TBitmap* GetGlyph() const override;
    int GetImageIndex() const override;
    std::string GetHint() const override;
    TShortCut GetShortCut() const override;
    bool ClickFiresItem() const override { return false; }
    void ControlClick() override;
    void Draw(const TRect& R, bool InMenu) override;
};

// Adds the three classes to the item-class registry (not offered to users), and takes them off again.
void RegisterQuickCustItems();
void UnregisterQuickCustItems();

}  // namespace zel
