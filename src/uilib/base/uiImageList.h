#pragma once
// The library's image list: beside the system image list it keeps a copy of every image and mask as library
// bitmaps, so that 32-bit images with alpha survive streaming and draw with the alpha and disabled effects
// of RenderImage. Its images are stored through its own properties "FormatVersion", "DesignInfo" and
// "ImageInfo" (a collection of image, mask and mask colour), optionally compressed.
#include <string>

#include "platform/rtl/Collections.h"
#include "platform/rtl/Filer.h"
#include "platform/vcl/ImgList.h"
#include "uilib/base/uiBitmaps.h"

namespace zel {

class TuiImageList;

class TuiImageInfo : public TPersistent {
public:
    TuiImageInfo();
    ~TuiImageInfo() override;
    std::string ClassName() const override { return "TuiImageInfo"; }
    // From another image info: image, mask and mask colour.
    void Assign(TPersistent* Source) override;

    TuiCustomBitmap* GetImage() const { return image_; }
    TuiCustomBitmap* GetMask() const { return mask_; }
    // Copies the bitmap into the owned one (nil empties it).
    void SetImage(TBitmap* Value);
    void SetMask(TBitmap* Value);
    TColor MaskColor = clNone;

private:
    TuiCustomBitmap* image_ = nullptr;
    TuiCustomBitmap* mask_ = nullptr;
};

class TuiImageInfoItem : public TCollectionItem {
public:
    // Takes the collection's CompressData.
    explicit TuiImageInfoItem(TCollection* Collection);
    TuiImageInfoItem(TCollection* Collection, TBitmap* Image, TBitmap* Mask, TColor MaskColor);
    ~TuiImageInfoItem() override;
    std::string ClassName() const override { return "TuiImageInfoItem"; }
    void Assign(TPersistent* Source) override;

    TuiImageInfo* ImageInfo() const { return info_; }
    TBitmap* GetImage() const { return info_->GetImage(); }
    void SetImage(TBitmap* Value) { info_->SetImage(Value); }
    TBitmap* GetMask() const { return info_->GetMask(); }
    void SetMask(TBitmap* Value) { info_->SetMask(Value); }
    TColor GetMaskColor() const { return info_->MaskColor; }
    void SetMaskColor(TColor Value) { info_->MaskColor = Value; }
    // True when both bitmaps compress; setting sets both.
    bool GetCompressData() const;
    void SetCompressData(bool Value);

private:
    TuiImageInfo* info_ = nullptr;
};

class TuiImageInfoCollection : public TOwnedCollection {
public:
    explicit TuiImageInfoCollection(TuiImageList* AOwner);
    std::string ClassName() const override { return "TuiImageInfoCollection"; }

    TuiImageInfoItem* Items(int Index) const { return static_cast<TuiImageInfoItem*>(GetItem(Index)); }
    TuiImageInfoItem* Add(TBitmap* Image, TBitmap* Mask, TColor MaskColor);
    // -1 clears the whole collection.
    void Delete(int Index);
    bool GetCompressData() const { return compressData_; }
    // Passes the value to every item.
    void SetCompressData(bool Value);

private:
    bool compressData_ = false;
};

class TuiImageList : public TDragImageList {
public:
    explicit TuiImageList(TComponent* AOwner);
    ~TuiImageList() override;
    std::string ClassName() const override { return "TuiImageList"; }
    void Assign(TPersistent* Source) override;
    void DefineProperties(TFiler* Filer) override;

    int Add(TBitmap* Image, TBitmap* Mask) override;
    int AddMasked(TBitmap* Image, TColor MaskColor) override;
    void Delete(int Index) override;
    void Clear() override;
    void BeginUpdate();
    // When the count is above 0 it drops by one and Change runs when DoChange.
    void EndUpdate(bool DoChange = true);

    // Image and Mask (each when given) take image Index: the stored copies when they have 32 bits per
    // pixel, else the system list's.
    void GetImage(int Index, TBitmap* Image, TBitmap* Mask);
    // The stored item's image, mask and mask colour; for an index outside the list, empty and clNone.
    void GetStoredInfo(int Index, TuiImageInfo* ImageInfo);
    // Add with the mask when it has one, else AddMasked with the mask colour.
    int AddFromInfo(TuiImageInfo* ImageInfo);
    // Image and Mask (each when given) take image Index of a system list (-1: the whole list bitmap).
    static void ReadSystemImage(HIMAGELIST Handle, int Index, TBitmap* Mask, TBitmap* Image);
    // Bits per pixel of the list bitmap, 0 when the list is empty.
    static int ListBitsPerPixel(HIMAGELIST Handle);
    // Draws image Index centred in R (with Stretch: filling R), enabled or disabled, through RenderImage.
    void DrawImage(int Index, TCanvas* Canvas, const TRect& R, UINT Style, bool Enabled, bool Smooth = false,
                   bool Stretch = false);

    bool GetCompressData() const { return Images->GetCompressData(); }
    void SetCompressData(bool Value) { Images->SetCompressData(Value); }

    TuiImageInfoCollection* Images = nullptr;
    bool AlphaBlending = false;
    int UpdateLockCount = 0;
    bool Synchronizing = false;
    int FormatVersion = 0;
    int DesignInfo = 0;

protected:
    void Initialize() override;
    void Change() override;
    void DoDraw(int Index, TCanvas* Canvas, int X, int Y, UINT Style, bool Enabled) override;

    // Keeps the image (and mask) as stored items: cut into tiles of the list's size when it holds several,
    // else as one item.
    void AddToInfo(TBitmap* Image, TBitmap* Mask, TColor MaskColor);

private:
    void RebuildStoredImages();
    void RebuildSystemList();
};

// Registers TuiImageInfoItem and TuiImageList with the form reader.
void RegisterUiImageListClasses();

}  // namespace zel
