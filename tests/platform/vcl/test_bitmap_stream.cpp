// Bitmaps: pixel formats, change notification, named resources and the byte-exact stream form.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/vcl/VclGraphics.h"
#include "platform/win/ImageLists.h"

namespace zel::test {
namespace {

std::string Bytes(std::initializer_list<int> v) {
    std::string s;
    for (int b : v) s.push_back(static_cast<char>(b));
    return s;
}

std::string Stored(TBitmap& b) {
    TMemoryStream s;
    b.WriteData(s);
    return s.DataString();
}

void Load(TBitmap& b, const std::string& bytes) {
    TMemoryStream s;
    s.WriteBuffer(bytes.data(), static_cast<std::int64_t>(bytes.size()));
    s.SetPosition(0);
    b.ReadData(s);
}

TEST(BitmapStream, PlainFormOfA3By2TwentyFourBitBitmapIsTheBmpFile) {
    TBitmap b;
    b.SetPixelFormat(pf24bit);
    b.SetSize(3, 2);
    b.Canvas()->SetPixel(0, 0, static_cast<TColor>(0x0000FF));                              // red, top-left
    b.Canvas()->SetPixel(2, 1, static_cast<TColor>(0xFF0000));                              // blue, bottom-right
    const std::string expected = Bytes({78, 0, 0, 0}) +                                     // byte count
                                 Bytes({'B', 'M', 78, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0}) +  // file header
                                 Bytes({40, 0, 0, 0, 3, 0, 0, 0, 2, 0, 0, 0, 1, 0, 24, 0, 0, 0, 0, 0,  // info header
                                        24, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,  0, 0, 0, 0, 0}) +
                                 // bottom row first: white, white, blue, then three bytes of padding
                                 Bytes({255, 255, 255, 255, 255, 255, 255, 0, 0, 0, 0, 0}) +
                                 Bytes({0, 0, 255, 255, 255, 255, 255, 255, 255, 0, 0, 0});
    EXPECT_EQ(Stored(b), expected);
}

TEST(BitmapStream, EveryFormatReadsBackAsWrittenAndAnEmptyBitmapIsTheCountAlone) {
    struct Row {
        TPixelFormat format;
        int bits;
    } rows[] = {{pf1bit, 1}, {pf4bit, 4}, {pf8bit, 8}, {pf24bit, 24}, {pf32bit, 32}};
    for (const Row& row : rows) {
        TBitmap b;
        b.SetPixelFormat(row.format);
        b.SetSize(5, 3);
        b.Canvas()->SetPixel(1, 1, clBlack);
        b.Canvas()->SetPixel(4, 2, clBlack);
        if (row.bits >= 4) b.Canvas()->SetPixel(3, 0, static_cast<TColor>(0x336699));
        const std::string first = Stored(b);
        TBitmap copy;
        Load(copy, first);
        EXPECT_EQ(copy.GetPixelFormat(), row.format) << row.bits;
        EXPECT_EQ(copy.GetWidth(), 5);
        EXPECT_EQ(copy.GetHeight(), 3);
        EXPECT_EQ(copy.Canvas()->GetPixel(1, 1), clBlack) << row.bits;
        EXPECT_EQ(copy.Canvas()->GetPixel(0, 0), static_cast<TColor>(0xFFFFFF)) << row.bits;
        if (row.bits >= 4) {
            EXPECT_EQ(copy.Canvas()->GetPixel(3, 0), static_cast<TColor>(0x336699)) << row.bits;
        }
        EXPECT_EQ(Stored(copy), first) << row.bits;
        BITMAP bm;
        ASSERT_NE(GetObject(copy.GetHandle(), sizeof(bm), &bm), 0);
        EXPECT_EQ(bm.bmBitsPixel, row.bits);
    }
    TBitmap empty;
    EXPECT_EQ(Stored(empty), Bytes({0, 0, 0, 0}));
    TBitmap b;
    b.SetSize(2, 2);
    Load(b, Bytes({0, 0, 0, 0}));
    EXPECT_TRUE(b.Empty());
}

TEST(BitmapStream, ThirtyTwoBitFormKeepsAlphaAndTooManyColoursFallBackToAFixedPalette) {
    TBitmap b;
    b.SetPixelFormat(pf32bit);
    b.SetSize(2, 1);
    TMemoryStream s;
    b.WriteData(s);
    std::string bytes = s.DataString();
    bytes[4 + 54] = 0x10;  // first pixel: blue 0x10, alpha 0x80
    bytes[4 + 54 + 3] = static_cast<char>(0x80);
    TBitmap c;
    Load(c, bytes);
    EXPECT_EQ(Stored(c), bytes);
    // Twenty distinct greys do not fit 16 entries: the standard colours are used.
    TBitmap g;
    g.SetPixelFormat(pf4bit);
    g.SetSize(20, 1);
    for (int x = 0; x < 20; ++x) g.Canvas()->SetPixel(x, 0, static_cast<TColor>(0x010101 * (x * 12)));
    TBitmap back;
    Load(back, Stored(g));
    EXPECT_EQ(back.Canvas()->GetPixel(0, 0), clBlack);
    EXPECT_EQ(back.Canvas()->GetPixel(17, 0), static_cast<TColor>(0xC0C0C0));  // 204 is nearest the silver
    EXPECT_EQ(back.Canvas()->GetPixel(19, 0), static_cast<TColor>(0xFFFFFF));  // 228 is nearest the white
}

TEST(BitmapStream, DamagedStreamsRaiseTheReadErrorAndLeaveTheBitmap) {
    TBitmap good;
    good.SetPixelFormat(pf24bit);
    good.SetSize(3, 2);
    const std::string plain = Stored(good);
    auto with = [&](std::size_t at, int value) {
        std::string s = plain;
        s[at] = static_cast<char>(value);
        return s;
    };
    struct Row {
        const char* name;
        std::string bytes;
    } rows[] = {
        {"count past the stream", Bytes({79, 0, 0, 0}) + plain.substr(4)},
        {"count shorter than the file", Bytes({70, 0, 0, 0}) + plain.substr(4, 70)},
        {"no BM", with(4, 'X')},
        {"file size disagrees", with(6, 77)},
        {"pixels begin past the end", with(4 + 10, 200)},
        {"rows run past the end", with(4 + 22, 3)},
        {"unknown depth", with(4 + 28, 7)},
        {"compressed", with(4 + 30, 1)},
        {"zero width", with(4 + 18, 0)},
        {"three bytes", Bytes({1, 2, 3})},
    };
    for (const Row& row : rows) {
        TBitmap b;
        b.SetSize(7, 7);
        TMemoryStream s;
        s.WriteBuffer(row.bytes.data(), static_cast<std::int64_t>(row.bytes.size()));
        s.SetPosition(0);
        try {
            b.ReadData(s);
            ADD_FAILURE() << row.name;
        } catch (const EReadError& e) {
            EXPECT_STREQ(e.what(), "Stream read error") << row.name;
        }
        EXPECT_EQ(b.GetWidth(), 7) << row.name;
    }
}

TEST(Bitmap, PixelFormatSetsTheReportedDepthAndOneBitIsBlackAndWhite) {
    struct Row {
        TPixelFormat format;
        int bits;
    } rows[] = {{pfDevice, 32}, {pf1bit, 1},   {pf4bit, 4},   {pf8bit, 8},   {pf15bit, 16},
                {pf16bit, 16},  {pf24bit, 24}, {pf32bit, 32}, {pfCustom, 32}};
    for (const Row& row : rows) {
        TBitmap b;
        b.SetSize(4, 4);
        b.Canvas()->SetPixel(0, 0, static_cast<TColor>(0x404040));
        b.SetPixelFormat(row.format);
        BITMAP bm;
        ASSERT_NE(GetObject(b.GetHandle(), sizeof(bm), &bm), 0);
        EXPECT_EQ(bm.bmBitsPixel, row.bits) << row.format;
        EXPECT_EQ(b.Canvas()->GetPixel(0, 0), row.format == pf1bit ? clBlack : static_cast<TColor>(0x404040));
    }
}

TEST(Bitmap, ChangesFireOnChangeAndNamedResourcesLoad) {
    TBitmap b;
    int changes = 0;
    b.OnChange = [&](TObject* sender) {
        EXPECT_EQ(sender, &b);
        ++changes;
    };
    b.SetSize(3, 3);
    EXPECT_EQ(changes, 1);
    b.Canvas()->SetPixel(1, 1, clRed);
    EXPECT_EQ(changes, 2);
    b.SetPixelFormat(pf24bit);
    EXPECT_EQ(changes, 3);

    const std::uint32_t pixels[] = {0xFF112233u, 0xFF445566u};
    ASSERT_TRUE(RegisterBitmapResource("TestTwoPixels", 2, 1, pixels));
    TBitmap r;
    r.LoadFromResourceName(nullptr, "TESTTWOPIXELS");
    EXPECT_EQ(r.GetWidth(), 2);
    EXPECT_EQ(r.Canvas()->GetPixel(1, 0), static_cast<TColor>(0x665544));
    EXPECT_FALSE(RegisterBitmapResource("testtwopixels", 2, 1, pixels));  // loaded: stays as it is
    EXPECT_THROW(r.LoadFromResourceName(nullptr, "NoSuchBitmap"), EResNotFound);
}

TEST(Bitmap, AChangedBrushLeavesTheCanvasFontSelectedForDrawingStraightOnTheContext) {
    TBitmap bitmap;
    bitmap.SetWidth(200);
    bitmap.SetHeight(50);
    TCanvas* c = bitmap.Canvas();
    c->Font()->SetHeight(-30);
    const int wide = c->TextWidth("Import From XP");
    auto contextWidth = [&] {
        SIZE size{};
        GetTextExtentPoint32(c->GetHandle(), "Import From XP", 14, &size);
        return static_cast<int>(size.cx);
    };
    EXPECT_EQ(contextWidth(), wide);
    c->Brush()->SetStyle(bsClear);
    c->Pen()->SetColor(clRed);
    EXPECT_EQ(contextWidth(), wide);
    // A changed font leaves the context until the canvas draws again.
    c->Font()->SetHeight(-11);
    EXPECT_LT(c->TextWidth("Import From XP"), wide);
    EXPECT_EQ(contextWidth(), c->TextWidth("Import From XP"));
}

TEST(Bitmap, CanvasArcRunsCounterClockwiseInThePenOnly) {
    struct Case {
        const char* name;
        int xs, ys, xe, ye;
        bool top, bottom;
    };
    // The circle inside (0, 0)-(21, 21): from the right to the left end counter-clockwise is its upper
    // half; the other way round its lower half.
    const Case cases[] = {
        {"right to left: the upper half", 21, 10, 0, 10, true, false},
        {"left to right: the lower half", 0, 10, 21, 10, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TBitmap bitmap;
        bitmap.SetWidth(21);
        bitmap.SetHeight(21);
        TCanvas* canvas = bitmap.Canvas();
        canvas->Brush()->SetColor(clWhite);
        canvas->FillRect(TRect{0, 0, 21, 21});
        canvas->Brush()->SetColor(clRed);
        canvas->Pen()->SetColor(clBlack);
        canvas->Arc(0, 0, 21, 21, c.xs, c.ys, c.xe, c.ye);
        EXPECT_EQ(canvas->GetPixel(10, 0) == clBlack, c.top);
        EXPECT_EQ(canvas->GetPixel(10, 20) == clBlack, c.bottom);
        // An arc fills nothing.
        EXPECT_EQ(canvas->GetPixel(10, 10), clWhite);
    }
    // The rectangle's corners may come in any order.
    TBitmap swapped;
    swapped.SetWidth(21);
    swapped.SetHeight(21);
    swapped.Canvas()->Brush()->SetColor(clWhite);
    swapped.Canvas()->FillRect(TRect{0, 0, 21, 21});
    swapped.Canvas()->Arc(21, 0, 0, 21, 21, 10, 0, 10);
    EXPECT_EQ(swapped.Canvas()->GetPixel(10, 0), clBlack);
    EXPECT_EQ(swapped.Canvas()->GetPixel(10, 20), clWhite);
}

}  // namespace
}  // namespace zel::test
