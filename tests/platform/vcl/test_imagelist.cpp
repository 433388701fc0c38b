// Image lists: adding with masks, drawing enabled and disabled, change links, the stream form, and the
// system list's own operations underneath.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/vcl/ImgList.h"
#include "platform/win/SysInfo.h"
#include "platform/win/Windows.h"

namespace zel::test {
namespace {

// A 4 x 4 image: red with a blue centre 2 x 2.
std::unique_ptr<TBitmap> Glyph(int w = 4, int h = 4) {
    auto b = std::make_unique<TBitmap>();
    b->SetSize(w, h);
    b->Canvas()->Brush()->SetColor(clRed);
    b->Canvas()->FillRect(Rect(0, 0, w, h));
    b->Canvas()->Brush()->SetColor(clBlue);
    b->Canvas()->FillRect(Rect(1, 1, 3, 3));
    return b;
}

std::unique_ptr<TImageList> List(int w = 4, int h = 4) {
    std::unique_ptr<TImageList> l(Construct<TImageList>(nullptr));
    l->SetWidth(w);
    l->SetHeight(h);
    return l;
}

std::unique_ptr<TBitmap> Canvas(TColor color, int w = 8, int h = 8) {
    auto b = std::make_unique<TBitmap>();
    b->SetSize(w, h);
    b->Canvas()->Brush()->SetColor(color);
    b->Canvas()->FillRect(Rect(0, 0, w, h));
    return b;
}

void PutPixels(TBitmap& b, const std::uint32_t* pixels) {
    BITMAPINFO bi;
    bi.bmiHeader.biWidth = b.GetWidth();
    bi.bmiHeader.biHeight = -b.GetHeight();
    bi.bmiHeader.biBitCount = 32;
    SetDIBits(nullptr, b.GetHandle(), 0, static_cast<UINT>(b.GetHeight()), pixels, &bi, DIB_RGB_COLORS);
}

std::string Bytes(TCustomImageList& l) {
    TMemoryStream s;
    l.WriteData(s);
    return s.DataString();
}

TEST(ImageList, MaskedImagesDrawOnlyTheirOpaquePixels) {
    auto list = List();
    auto glyph = Glyph();
    TBitmap mask;
    mask.SetPixelFormat(pf1bit);
    mask.SetSize(4, 4);
    mask.Canvas()->Brush()->SetColor(clBlack);
    mask.Canvas()->FillRect(Rect(0, 0, 2, 4));  // left half opaque, right half (white) transparent
    EXPECT_EQ(list->Add(glyph.get(), &mask), 0);
    EXPECT_EQ(list->AddMasked(glyph.get(), clRed), 1);  // only the blue centre stays
    EXPECT_EQ(list->Count(), 2);

    auto target = Canvas(clLime);
    list->Draw(target->Canvas(), 0, 0, 0);
    list->Draw(target->Canvas(), 4, 4, 1);
    TCanvas* c = target->Canvas();
    EXPECT_EQ(c->GetPixel(0, 0), clRed);
    EXPECT_EQ(c->GetPixel(1, 1), clBlue);
    EXPECT_EQ(c->GetPixel(2, 1), clLime);  // masked out
    EXPECT_EQ(c->GetPixel(3, 0), clLime);
    EXPECT_EQ(c->GetPixel(4, 4), clLime);  // the red of the second image is its mask colour
    EXPECT_EQ(c->GetPixel(5, 5), clBlue);

    // A background colour fills the transparent pixels unless the style is transparent.
    list->SetBkColor(clYellow);
    list->Draw(target->Canvas(), 0, 0, 0);
    EXPECT_EQ(c->GetPixel(3, 0), clYellow);
    list->DrawingStyle = dsTransparent;
    target->Canvas()->SetPixel(3, 0, clLime);
    list->Draw(target->Canvas(), 0, 0, 0);
    EXPECT_EQ(c->GetPixel(3, 0), clLime);
    // The mask image: black where the image is, white where it is not.
    list->DrawingStyle = dsNormal;
    list->ImageType = itMask;
    list->Draw(target->Canvas(), 4, 4, 1);
    EXPECT_EQ(c->GetPixel(4, 4), clWhite);
    EXPECT_EQ(c->GetPixel(5, 5), clBlack);
}

TEST(ImageList, AlphaImagesBlendAndDisabledImagesAreEmbossed) {
    auto list = List(2, 1);
    TBitmap img;
    img.SetSize(2, 1);
    // Premultiplied: half-transparent black, and opaque white.
    const std::uint32_t pixels[] = {0x80000000u, 0xFFFFFFFFu};
    PutPixels(img, pixels);
    list->Add(&img, nullptr);
    auto target = Canvas(static_cast<TColor>(0xC8C8C8), 4, 3);
    list->Draw(target->Canvas(), 0, 0, 0);
    EXPECT_EQ(target->Canvas()->GetPixel(0, 0), static_cast<TColor>(0x646464));  // 200 * 127 / 255
    EXPECT_EQ(target->Canvas()->GetPixel(1, 0), clWhite);

    // Disabled: the dark pixel becomes clBtnShadow, with clBtnHighlight one pixel down-right; the light one
    // leaves the background.
    auto gray = Canvas(clLime, 4, 3);
    auto opaque = List(2, 1);
    TBitmap two;
    two.SetSize(2, 1);
    two.Canvas()->SetPixel(0, 0, clBlack);
    two.Canvas()->SetPixel(1, 0, clWhite);
    opaque->Add(&two, nullptr);
    opaque->Draw(gray->Canvas(), 0, 0, 0, false);
    EXPECT_EQ(gray->Canvas()->GetPixel(0, 0), static_cast<TColor>(GetSysColor(COLOR_BTNSHADOW)));
    EXPECT_EQ(gray->Canvas()->GetPixel(1, 1), static_cast<TColor>(GetSysColor(COLOR_BTNHIGHLIGHT)));
    EXPECT_EQ(gray->Canvas()->GetPixel(1, 0), clLime);
}

TEST(ImageList, ChangeLinksHearEveryChangeUntilEitherSideGoes) {
    auto list = List();
    auto glyph = Glyph();
    int heard = 0;
    auto link = std::make_unique<TChangeLink>();
    link->OnChange = [&](TObject* sender) {
        EXPECT_EQ(sender, list.get());
        ++heard;
    };
    list->RegisterChanges(link.get());
    list->Add(glyph.get(), nullptr);
    list->Delete(0);
    list->SetWidth(8);
    EXPECT_EQ(heard, 3);
    EXPECT_THROW(list->Delete(0), EInvalidOperation);
    link.reset();  // unregisters itself
    list->Clear();
    EXPECT_EQ(heard, 3);

    TChangeLink survivor;
    list->RegisterChanges(&survivor);
    list.reset();
    EXPECT_EQ(survivor.Sender, nullptr);
}

TEST(ImageList, StreamFormIsDeterministicAndReadsBack) {
    auto a = List(), b = List();
    auto glyph = Glyph(8, 4);  // two images
    a->AddMasked(glyph.get(), clRed);
    b->AddMasked(glyph.get(), clRed);
    EXPECT_EQ(Bytes(*a), Bytes(*b));
    const std::string bytes = Bytes(*a);
    // Header 28 bytes, two images of 64 bytes, two masks of 4 rows of 1 byte.
    EXPECT_EQ(bytes.size(), 28u + 2 * 64 + 2 * 4);
    EXPECT_EQ(bytes.substr(0, 4), "ZIML");

    auto c = List(16, 16);
    TMemoryStream in;
    in.WriteBuffer(bytes.data(), static_cast<std::int64_t>(bytes.size()));
    in.SetPosition(0);
    c->ReadData(in);
    EXPECT_EQ(c->GetWidth(), 4);
    EXPECT_EQ(c->Count(), 2);
    EXPECT_EQ(Bytes(*c), bytes);

    for (std::size_t cut : {std::size_t{3}, std::size_t{20}, bytes.size() - 1}) {
        TMemoryStream shortStream;
        shortStream.WriteBuffer(bytes.data(), static_cast<std::int64_t>(cut));
        shortStream.SetPosition(0);
        EXPECT_THROW(c->ReadData(shortStream), EReadError) << cut;
        EXPECT_EQ(c->Count(), 2) << cut;
    }
}

TEST(ImageList, AssignCopiesImagesAndMasksAndTheSystemListHandsOutCopies) {
    auto a = List();
    auto glyph = Glyph();
    a->AddMasked(glyph.get(), clRed);
    auto b = List(16, 16);
    b->Assign(a.get());
    EXPECT_EQ(b->GetWidth(), 4);
    EXPECT_EQ(Bytes(*b), Bytes(*a));
    a->Clear();
    EXPECT_EQ(b->Count(), 1);

    IMAGEINFO info;
    b->AddMasked(glyph.get(), clBlue);
    ASSERT_TRUE(ImageList_GetImageInfo(b->GetHandle(), 1, &info));
    EXPECT_EQ(info.rcImage, (RECT{4, 0, 8, 4}));
    BITMAP bm;
    GetObject(info.hbmMask, sizeof(bm), &bm);
    EXPECT_EQ(bm.bmBitsPixel, 1);
    EXPECT_EQ(bm.bmWidth, 8);
    HBITMAP copy = CopyImage(info.hbmImage, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION);
    GetObject(copy, sizeof(bm), &bm);
    EXPECT_EQ(bm.bmBitsPixel, 32);
    EXPECT_EQ(bm.bmWidth, 8);
    for (HBITMAP h : {info.hbmImage, info.hbmMask, copy}) EXPECT_TRUE(DeleteObject(h));
    EXPECT_FALSE(ImageList_GetImageInfo(b->GetHandle(), 2, &info));
}

}  // namespace
}  // namespace zel::test
