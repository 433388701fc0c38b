#include "uilib/editors/uiEditButtons.h"

#include "uilib/base/uiControls.h"

namespace zel {

TuiEditButton::TuiEditButton(TCollection* Collection) : TCollectionItem(Collection) {}

TuiEditButton::~TuiEditButton() { delete glyph_; }

template <class T>
void TuiEditButton::Store(T& AField, const T& Value) {
    if (AField == Value) return;
    AField = Value;
    Changed(false);
}

void TuiEditButton::Assign(TPersistent* Source) {
    auto* source = dynamic_cast<TuiEditButton*>(Source);
    if (source == nullptr) {
        TCollectionItem::Assign(Source);
        return;
    }
    TCollection* collection = GetCollection();
    if (collection != nullptr) collection->BeginUpdate();
    SetCaption(source->caption_);
    SetContentAlignment(source->contentAlignment_);
    SetDefault(source->default_);
    SetEnabled(source->enabled_);
    if (source->glyph_ != nullptr) SetGlyph(source->glyph_);
    else if (glyph_ != nullptr) SetGlyph(nullptr);
    SetHint(source->hint_);
    SetKind(source->kind_);
    SetLeftAlignment(source->leftAlignment_);
    SetStretchable(source->stretchable_);
    SetTag(source->tag_);
    SetTextColor(source->textColor_);
    SetVisible(source->visible_);
    SetWidth(source->width_);
    if (collection != nullptr) collection->EndUpdate();
}

void TuiEditButton::SetCaption(const std::string& Value) {
    if (caption_ == Value) return;
    caption_ = Value;
    visibleCaption_ = StripAccelChars(caption_, false);
    Changed(false);
}

void TuiEditButton::SetContentAlignment(TAlignment Value) { Store(contentAlignment_, Value); }

void TuiEditButton::SetDefault(bool Value) {
    if (default_ == Value) return;
    default_ = Value;
    TCollection* collection = GetCollection();
    if (Value && collection != nullptr) {
        for (int i = 0; i < collection->Count(); ++i) {
            auto* other = static_cast<TuiEditButton*>(collection->GetItem(i));
            if (other != this) other->default_ = false;
        }
    }
    Changed(Value);
}

void TuiEditButton::SetEnabled(bool Value) { Store(enabled_, Value); }

TBitmap* TuiEditButton::GetGlyph() {
    if (glyph_ == nullptr) {
        glyph_ = new TBitmap();
        glyph_->OnChange = [this](TObject* Sender) { GlyphChanged(Sender); };
    }
    return glyph_;
}

void TuiEditButton::SetGlyph(TBitmap* Value) {
    if (Value == nullptr) {
        if (glyph_ == nullptr) return;
        delete glyph_;
        glyph_ = nullptr;
        Changed(false);
        return;
    }
    GetGlyph()->Assign(Value);  // the glyph's change event reports the change
}

void TuiEditButton::GlyphChanged(TObject* /*Sender*/) { Changed(false); }

void TuiEditButton::SetHint(const std::string& Value) { Store(hint_, Value); }
void TuiEditButton::SetKind(TuiEditButtonKind Value) { Store(kind_, Value); }
void TuiEditButton::SetLeftAlignment(bool Value) { Store(leftAlignment_, Value); }
void TuiEditButton::SetStretchable(bool Value) { Store(stretchable_, Value); }
void TuiEditButton::SetTag(int Value) { Store(tag_, Value); }
void TuiEditButton::SetTextColor(TColor Value) { Store(textColor_, Value); }
void TuiEditButton::SetVisible(bool Value) { Store(visible_, Value); }

void TuiEditButton::SetWidth(int Value) {
    if (Value < 0) return;
    Store(width_, Value);
}

TuiEditButtons::TuiEditButtons(TPersistent* AOwner)
    : TOwnedCollection(AOwner, CollectionItemClassOf<TuiEditButton>()) {}

int TuiEditButtons::VisibleCount() const {
    int result = 0;
    for (int i = 0; i < Count(); ++i)
        if (GetItem(i)->GetVisible()) ++result;
    return result;
}

void TuiEditButtons::Update(TCollectionItem* /*Item*/) {
    if (OnChange) OnChange(this);
}

}  // namespace zel
