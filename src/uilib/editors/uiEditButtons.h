#pragma once
// The buttons an editor carries at its sides (an ellipsis, a drop-down arrow, a glyph or a text), as the
// editor's settings keep them: a collection of button descriptions. Every change of a button tells the
// collection, and the collection tells its change handler, so the editor can lay itself out again.
#include <string>

#include "platform/rtl/Collections.h"
#include "platform/vcl/Controls.h"
#include "platform/vcl/VclGraphics.h"

namespace zel {

enum TuiEditButtonKind { bkEllipsis, bkDown, bkGlyph, bkText };

class TuiEditButton : public TCollectionItem {
public:
    explicit TuiEditButton(TCollection* Collection);
    ~TuiEditButton() override;
    std::string ClassName() const override { return "TuiEditButton"; }
    // Copies every setting of another button inside one update of this collection.
    void Assign(TPersistent* Source) override;

    const std::string& GetCaption() const { return caption_; }
    void SetCaption(const std::string& Value);
    // The caption without its accelerator ampersands, as it is drawn.
    const std::string& GetVisibleCaption() const { return visibleCaption_; }
    TAlignment GetContentAlignment() const { return contentAlignment_; }
    void SetContentAlignment(TAlignment Value);
    bool GetDefault() const { return default_; }
    // Only one button of a collection is the default one: setting it clears it on the others.
    void SetDefault(bool Value);
    bool GetEnabled() const { return enabled_; }
    void SetEnabled(bool Value);
    // Made on first read; a change of its picture is a change of the button.
    TBitmap* GetGlyph();
    bool HasGlyph() const { return glyph_ != nullptr && !glyph_->Empty(); }
    void SetGlyph(TBitmap* Value);
    const std::string& GetHint() const { return hint_; }
    void SetHint(const std::string& Value);
    TuiEditButtonKind GetKind() const { return kind_; }
    void SetKind(TuiEditButtonKind Value);
    bool GetLeftAlignment() const { return leftAlignment_; }
    void SetLeftAlignment(bool Value);
    bool GetStretchable() const { return stretchable_; }
    void SetStretchable(bool Value);
    int GetTag() const { return tag_; }
    void SetTag(int Value);
    TColor GetTextColor() const { return textColor_; }
    void SetTextColor(TColor Value);
    bool GetVisible() const { return visible_; }
    void SetVisible(bool Value);
    // 0 is the automatic width. A negative width is refused: the button keeps the width it had.
    int GetWidth() const { return width_; }
    void SetWidth(int Value);

private:
    template <class T>
    void Store(T& AField, const T& Value);
    void GlyphChanged(TObject* Sender);

    std::string caption_;
    std::string visibleCaption_;
    TAlignment contentAlignment_ = taCenter;
    bool default_ = false;
    bool enabled_ = true;
    TBitmap* glyph_ = nullptr;
    std::string hint_;
    TuiEditButtonKind kind_ = bkDown;
    bool leftAlignment_ = false;
    bool stretchable_ = true;
    int tag_ = 0;
    TColor textColor_ = clBtnText;
    bool visible_ = true;
    int width_ = 0;
};

class TuiEditButtons : public TOwnedCollection {
public:
    explicit TuiEditButtons(TPersistent* AOwner);
    std::string ClassName() const override { return "TuiEditButtons"; }

    TuiEditButton* Add() { return static_cast<TuiEditButton*>(TCollection::Add()); }
    TuiEditButton* GetItem(int Index) const { return static_cast<TuiEditButton*>(TCollection::GetItem(Index)); }
    int VisibleCount() const;

    // Called after every change of the collection or of one of its buttons.
    TNotifyEvent OnChange;

protected:
    void Update(TCollectionItem* Item) override;
};

}  // namespace zel
