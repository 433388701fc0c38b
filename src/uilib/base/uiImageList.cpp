#include "uilib/base/uiImageList.h"

#include <algorithm>
#include <memory>

#include "platform/rtl/ScopeExit.h"
#include "platform/vcl/FormReader.h"
#include "uilib/base/uiControls.h"

namespace zel {

// --------------------------------------------------------------------------------------------- TuiImageInfo

TuiImageInfo::TuiImageInfo() : image_(new TuiCustomBitmap), mask_(new TuiCustomBitmap) {}

TuiImageInfo::~TuiImageInfo() {
    delete mask_;
    delete image_;
}

void TuiImageInfo::Assign(TPersistent* Source) {
    if (auto* src = dynamic_cast<TuiImageInfo*>(Source)) {
        SetImage(src->image_);
        SetMask(src->mask_);
        MaskColor = src->MaskColor;
        return;
    }
    TPersistent::Assign(Source);
}

namespace {

void AssignBitmap(TuiCustomBitmap* Target, TBitmap* Value) {
    if (Value == Target) return;
    if (Value == nullptr) {
        Target->SetSize(0, 0);
    } else {
        Target->Assign(Value);
    }
    Target->GetHandle();
}

}  // namespace

void TuiImageInfo::SetImage(TBitmap* Value) { AssignBitmap(image_, Value); }

void TuiImageInfo::SetMask(TBitmap* Value) { AssignBitmap(mask_, Value); }

// ----------------------------------------------------------------------------------------- TuiImageInfoItem

TuiImageInfoItem::TuiImageInfoItem(TCollection* Collection) : TCollectionItem(Collection), info_(new TuiImageInfo) {
    if (auto* c = dynamic_cast<TuiImageInfoCollection*>(Collection)) SetCompressData(c->GetCompressData());
}

TuiImageInfoItem::TuiImageInfoItem(TCollection* Collection, TBitmap* Image, TBitmap* Mask, TColor MaskColor)
    : TuiImageInfoItem(Collection) {
    SetImage(Image);
    SetMask(Mask);
    SetMaskColor(MaskColor);
}

TuiImageInfoItem::~TuiImageInfoItem() { delete info_; }

void TuiImageInfoItem::Assign(TPersistent* Source) {
    if (auto* src = dynamic_cast<TuiImageInfoItem*>(Source)) {
        info_->Assign(src->info_);
        return;
    }
    TCollectionItem::Assign(Source);
}

bool TuiImageInfoItem::GetCompressData() const {
    return info_->GetImage()->CompressData && info_->GetMask()->CompressData;
}

void TuiImageInfoItem::SetCompressData(bool Value) {
    info_->GetImage()->CompressData = Value;
    info_->GetMask()->CompressData = Value;
}

// ----------------------------------------------------------------------------------- TuiImageInfoCollection

TuiImageInfoCollection::TuiImageInfoCollection(TuiImageList* AOwner)
    : TOwnedCollection(AOwner, CollectionItemClassOf<TuiImageInfoItem>()) {
    PropName = "ImageInfo";
}

TuiImageInfoItem* TuiImageInfoCollection::Add(TBitmap* Image, TBitmap* Mask, TColor MaskColor) {
    return new TuiImageInfoItem(this, Image, Mask, MaskColor);
}

void TuiImageInfoCollection::Delete(int Index) {
    if (Index == -1) {
        Clear();
    } else {
        TCollection::Delete(Index);
    }
}

void TuiImageInfoCollection::SetCompressData(bool Value) {
    compressData_ = Value;
    for (int i = 0; i < Count(); ++i) Items(i)->SetCompressData(Value);
}

// --------------------------------------------------------------------------------------------- TuiImageList

TuiImageList::TuiImageList(TComponent* AOwner) : TDragImageList(AOwner), Images(new TuiImageInfoCollection(this)) {}

TuiImageList::~TuiImageList() { delete Images; }

void TuiImageList::Initialize() {
    TDragImageList::Initialize();
    AlphaBlending = true;
    RecreateHandle();
}

int TuiImageList::Add(TBitmap* Image, TBitmap* Mask) {
    if (Image == nullptr) return -1;
    std::unique_ptr<TBitmap> emptyMask;
    if (Mask == nullptr) {
        // An all-zero monochrome mask: every pixel opaque.
        emptyMask = std::make_unique<TBitmap>();
        emptyMask->SetPixelFormat(pf1bit);
        emptyMask->SetSize(GetWidth(), GetHeight());
        emptyMask->Canvas()->Brush()->SetColor(clBlack);
        emptyMask->Canvas()->FillRect(Rect(0, 0, GetWidth(), GetHeight()));
    }
    const int result =
        ImageList_Add(GetHandle(), Image->GetHandle(), (Mask != nullptr ? Mask : emptyMask.get())->GetHandle());
    if (!Synchronizing && result != -1) AddToInfo(Image, Mask, clNone);
    Change();
    return result;
}

int TuiImageList::AddMasked(TBitmap* Image, TColor MaskColor) {
    if (Image == nullptr) return -1;
    BeginUpdate();
    int result = -1;
    TScopeExit done([this] { EndUpdate(true); });
    if (MaskColor == clNone) {
        result = Add(Image, nullptr);
    } else {
        TBitmap copy;
        copy.Assign(Image);
        result = ImageList_AddMasked(GetHandle(), copy.GetHandle(), ImageListColor(MaskColor));
        if (!Synchronizing && result != -1) AddToInfo(Image, nullptr, MaskColor);
    }
    return result;
}

void TuiImageList::Delete(int Index) {
    BeginUpdate();
    TScopeExit done([this] { EndUpdate(true); });
    TDragImageList::Delete(Index);
    if (!Synchronizing) Images->Delete(Index);
}

void TuiImageList::Clear() { Delete(-1); }

void TuiImageList::BeginUpdate() { ++UpdateLockCount; }

void TuiImageList::EndUpdate(bool DoChange) {
    if (UpdateLockCount <= 0) return;
    --UpdateLockCount;
    if (DoChange) Change();
}

void TuiImageList::Change() {
    if (UpdateLockCount == 0) TDragImageList::Change();
}

void TuiImageList::AddToInfo(TBitmap* Image, TBitmap* Mask, TColor MaskColor) {
    const int w = GetWidth(), h = GetHeight();
    const int iw = Image->GetWidth(), ih = Image->GetHeight();
    // A list of zero width or height has no tiles: the image is kept whole.
    const bool tiles = w > 0 && h > 0 && iw % w == 0 && ih % h == 0 && (iw > w || ih > h);
    if (!tiles) {
        Images->Add(Image, Mask, MaskColor);
        return;
    }
    for (int y = 0; y < ih; y += h)
        for (int x = 0; x < iw; x += w) {
            TuiCustomBitmap tile(w, h, Image->GetPixelFormat());
            tile.CopyBitmapRect(Image, tile.GetBoundsRect(), SRCCOPY, TPoint{x, y});
            std::unique_ptr<TuiCustomBitmap> maskTile;
            if (Mask != nullptr) {
                maskTile = std::make_unique<TuiCustomBitmap>(w, h, Mask->GetPixelFormat());
                maskTile->Clear();
                maskTile->CopyBitmapRect(Mask, maskTile->GetBoundsRect(), SRCCOPY, TPoint{x, y});
            }
            Images->Add(&tile, maskTile.get(), MaskColor);
        }
}

void TuiImageList::GetImage(int Index, TBitmap* Image, TBitmap* Mask) {
    if (Index < 0 || Index >= Images->Count()) return;
    TuiImageInfoItem* item = Images->Items(Index);
    if (item->GetImage()->GetPixelFormat() == pf32bit || RunsOn9xFamily) {
        const std::pair<TBitmap*, TBitmap*> pairs[] = {{Image, item->GetImage()}, {Mask, item->GetMask()}};
        for (const auto& [target, stored] : pairs) {
            if (target == nullptr) continue;
            target->SetSize(stored->GetWidth(), stored->GetHeight());
            if (!stored->Empty())
                DrawBitmapToDC(target->Canvas()->GetHandle(), stored,
                               Rect(0, 0, stored->GetWidth(), stored->GetHeight()), SRCCOPY);
        }
    } else {
        ReadSystemImage(GetHandle(), Index, Mask, Image);
    }
    item->GetImage()->Dormant();
}

void TuiImageList::GetStoredInfo(int Index, TuiImageInfo* ImageInfo) {
    if (ImageInfo == nullptr) return;
    if (Index >= 0 && Index < Images->Count()) {
        ImageInfo->Assign(Images->Items(Index)->ImageInfo());
        return;
    }
    ImageInfo->SetImage(nullptr);
    ImageInfo->SetMask(nullptr);
    ImageInfo->MaskColor = clNone;
}

int TuiImageList::AddFromInfo(TuiImageInfo* ImageInfo) {
    if (IsNonEmptyBitmap(ImageInfo->GetMask())) return Add(ImageInfo->GetImage(), ImageInfo->GetMask());
    return AddMasked(ImageInfo->GetImage(), ImageInfo->MaskColor);
}

void TuiImageList::ReadSystemImage(HIMAGELIST Handle, int Index, TBitmap* Mask, TBitmap* Image) {
    IMAGEINFO info;
    if (!ImageList_GetImageInfo(Handle, Index == -1 ? 0 : Index, &info)) return;
    const std::pair<TBitmap*, HBITMAP> pairs[] = {{Image, info.hbmImage}, {Mask, info.hbmMask}};
    for (const auto& [target, source] : pairs) {
        if (target == nullptr) continue;
        if (source == nullptr) {
            // A list without masks: every pixel opaque.
            target->SetSize(info.rcImage.Width(), info.rcImage.Height());
            target->Canvas()->Brush()->SetColor(clBlack);
            target->Canvas()->FillRect(Rect(0, 0, target->GetWidth(), target->GetHeight()));
            continue;
        }
        HBITMAP copy = CopyImage(source, IMAGE_BITMAP, 0, 0, target == Mask ? 0 : LR_CREATEDIBSECTION);
        if (Index == -1) {
            target->SetHandle(copy);
            continue;
        }
        target->SetSize(info.rcImage.Width(), info.rcImage.Height());
        HDC dc = CreateCompatibleDC(nullptr);
        HGDIOBJ old = SelectObject(dc, copy);
        BitBlt(target->Canvas()->GetHandle(), 0, 0, target->GetWidth(), target->GetHeight(), dc, info.rcImage.left,
               info.rcImage.top, SRCCOPY);
        SelectObject(dc, old);
        DeleteDC(dc);
        DeleteObject(copy);
    }
    DeleteObject(info.hbmImage);
    if (info.hbmMask != nullptr) DeleteObject(info.hbmMask);
}

int TuiImageList::ListBitsPerPixel(HIMAGELIST Handle) {
    IMAGEINFO info;
    if (!ImageList_GetImageInfo(Handle, 0, &info)) return 0;
    BITMAP bm;
    const int bits = GetObject(info.hbmImage, sizeof bm, &bm) != 0 ? bm.bmBitsPixel : 0;
    DeleteObject(info.hbmImage);
    if (info.hbmMask != nullptr) DeleteObject(info.hbmMask);
    return bits;
}

void TuiImageList::Assign(TPersistent* Source) {
    auto* src = dynamic_cast<TCustomImageList*>(Source);
    if (src == nullptr || src == this) {
        if (src == nullptr) TDragImageList::Assign(Source);
        return;
    }
    BeginUpdate();
    TScopeExit done([this] { EndUpdate(true); });
    TDragImageList::Assign(Source);
    Clear();
    if (auto* ui = dynamic_cast<TuiImageList*>(src)) {
        for (int i = 0; i < ui->Count(); ++i) {
            TuiImageInfo info;
            ui->GetStoredInfo(i, &info);
            AddFromInfo(&info);
        }
    } else {
        for (int i = 0; i < src->Count(); ++i) {
            TuiBitmap image(GetWidth(), GetHeight());
            TBitmap mask;
            mask.SetPixelFormat(pf1bit);
            mask.SetSize(GetWidth(), GetHeight());
            ReadSystemImage(src->GetHandle(), i, &mask, &image);
            Add(&image, &mask);
        }
    }
}

void TuiImageList::DoDraw(int Index, TCanvas* Canvas, int X, int Y, UINT Style, bool Enabled) {
    DrawImage(Index, Canvas, Rect(X, Y, X + GetWidth(), Y + GetHeight()), Style, Enabled);
}

void TuiImageList::DrawImage(int Index, TCanvas* Canvas, const TRect& R, UINT Style, bool Enabled, bool Smooth,
                             bool Stretch) {
    const TRect imageRect = Stretch ? R
                                    : Bounds((R.left + R.right - GetWidth()) / 2, (R.top + R.bottom - GetHeight()) / 2,
                                             GetWidth(), GetHeight());
    const TuiImageDrawMode mode = Enabled ? idmNormal : idmDisabled;
    if (AlphaBlending) {
        RenderImage(Canvas->GetHandle(), imageRect, R, nullptr, this, Index, mode, true, clNone, nullptr, Smooth);
    } else if (Stretch) {
        TBitmap temp;
        temp.SetSize(GetWidth(), GetHeight());
        TDragImageList::DoDraw(Index, temp.Canvas(), 0, 0, Style, Enabled);
        RenderImage(Canvas->GetHandle(), imageRect, R, &temp, nullptr, -1, idmNormal, true, clNone, nullptr, Smooth);
    } else {
        TDragImageList::DoDraw(Index, Canvas, R.left, R.top, Style, Enabled);
    }
}

void TuiImageList::RebuildStoredImages() {
    Images->BeginUpdate();
    TScopeExit done([this] { Images->EndUpdate(); });
    Images->Clear();
    for (int i = 0; i < ImageList_GetImageCount(GetHandle()); ++i) {
        TuiBitmap image(GetWidth(), GetHeight());
        TBitmap mask;
        mask.SetPixelFormat(pf1bit);
        mask.SetSize(GetWidth(), GetHeight());
        ReadSystemImage(GetHandle(), i, &mask, &image);
        Images->Add(&image, &mask, clNone);
    }
}

void TuiImageList::RebuildSystemList() {
    BeginUpdate();
    Synchronizing = true;
    TScopeExit done([this] {
        Synchronizing = false;
        EndUpdate(true);
    });
    Clear();
    for (int i = 0; i < Images->Count(); ++i) {
        AddFromInfo(Images->Items(i)->ImageInfo());
        Images->Items(i)->GetImage()->Dormant();
    }
}

void TuiImageList::DefineProperties(TFiler* Filer) {
    auto* reader = dynamic_cast<TReader*>(Filer);
    Filer->DefineProperty(
        "FormatVersion", [this](TReader& r) { FormatVersion = static_cast<int>(r.ReadInteger()); },
        [this](TWriter& w) {
            FormatVersion = 1;
            w.WriteInteger(1);
        },
        true);
    if (reader != nullptr) {
        // An older stored form of the system list still reads; the stored copies are made from it.
        TDragImageList::DefineProperties(Filer);
        if (reader->Handled()) RebuildStoredImages();
    }
    auto* ancestor = dynamic_cast<TuiImageList*>(Filer->Ancestor);
    Filer->DefineProperty(
        "DesignInfo", [this](TReader& r) { DesignInfo = static_cast<int>(r.ReadInteger()); },
        [this](TWriter& w) { w.WriteInteger(DesignInfo); }, ancestor == nullptr || ancestor->DesignInfo != DesignInfo);
    bool storeImages = Count() > 0;
    if (auto* other = dynamic_cast<TCustomImageList*>(Filer->Ancestor)) {
        storeImages = other->Count() != Count();
        if (!storeImages) {
            TMemoryStream mine, theirs;
            ImageList_Write(GetHandle(), mine);
            ImageList_Write(other->GetHandle(), theirs);
            storeImages = mine.DataString() != theirs.DataString();
        }
    }
    Filer->DefineProperty(
        "ImageInfo",
        [this](TReader& r) {
            Images->Clear();
            r.ReadCollection(*Images);
            RebuildSystemList();
        },
        [this](TWriter& w) { w.WriteCollection(*Images); }, storeImages);
}

void RegisterUiImageListClasses() {
    RegisterPersistent<TuiImageInfoItem>("TuiImageInfoItem", "")
        .SubObject("Image", "TBitmap", [](TuiImageInfoItem& i) { return i.GetImage(); })
        .SubObject("Mask", "TBitmap", [](TuiImageInfoItem& i) { return i.GetMask(); })
        .Custom(
            "MaskColor",
            [](TuiImageInfoItem& i, const TFormValue& v, TReadContext& ctx) { i.SetMaskColor(ctx.Color(v)); },
            [](TuiImageInfoItem& i) { return IntValue(static_cast<std::int32_t>(i.GetMaskColor())); })
        .Default(IntValue(static_cast<std::int32_t>(clNone)));
    RegisterComponent<TuiImageList>("TuiImageList", "TDragImageList")
        .Bool(
            "CompressData", [](TuiImageList& l, bool v) { l.SetCompressData(v); },
            [](TuiImageList& l) { return l.GetCompressData(); })
        .Default(false);
}

}  // namespace zel
