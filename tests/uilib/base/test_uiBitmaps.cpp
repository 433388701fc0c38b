// Library bitmaps: the compressed stream form, pixel effects, blending, image drawing, resampling and the
// cursor height, against values computed by hand.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "platform/win/ImageLists.h"
#include "platform/win/SysInfo.h"
#include "platform/win/Windows.h"
#include "uilib/base/uiBitmaps.h"

namespace zel::test {
namespace {

using Bytes = std::vector<std::uint8_t>;

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

struct BitmapsUnit {
    BitmapsUnit() { uiBitmapsStartup(); }
    ~BitmapsUnit() {
        uiBitmapsShutdown();
        ResetEntryPoints();
    }
};

TEST(uiBitmapsPacking, RunsFollowTheGivenVectorsAndUnpackBack) {
    struct Row {
        const char* name;
        Bytes in;
        Bytes packed;
    } rows[] = {
        {"300 equal bytes", Bytes(300, 7), {0x7D, 7, 0x7D, 7, 0x32, 7}},
        {"literal then repeat", {1, 2, 3, 3, 3}, {0x82, 1, 2, 0x03, 3}},
        {"a single last byte", {5, 5, 9}, {0x02, 5, 0x81, 9}},
        {"one byte", {4}, {0x81, 4}},
        {"nothing", {}, {}},
    };
    for (const Row& row : rows) {
        Bytes packed;
        PackBitmapData(row.in.data(), row.in.size(), packed);
        EXPECT_EQ(packed, row.packed) << row.name;
        Bytes back;
        UnpackBitmapData(packed.data(), packed.size(), back);
        EXPECT_EQ(back, row.in) << row.name;
    }
    // 130 different bytes: a literal run stops at 125.
    Bytes ramp(130);
    for (std::size_t i = 0; i < ramp.size(); ++i) ramp[i] = static_cast<std::uint8_t>(i);
    Bytes packed;
    PackBitmapData(ramp.data(), ramp.size(), packed);
    EXPECT_EQ(packed[0], 0xFD);
    EXPECT_EQ(packed[126], 0x85);
}

TEST(uiBitmapsStream, CompressedAndPlainFormsRoundTripForEveryDepth) {
    for (TPixelFormat f : {pf1bit, pf4bit, pf8bit, pf24bit, pf32bit}) {
        TuiCustomBitmap b(6, 5, f);
        b.TBitmap::Canvas()->SetPixel(2, 3, clBlack);
        const std::string plain = Stored(b);
        b.CompressData = true;
        const std::string packed = Stored(b);
        ASSERT_GE(packed.size(), 10u);
        EXPECT_EQ(packed.substr(4, 6), std::string("XDBM\x01\x00", 6)) << f;
        EXPECT_EQ(packed.size() - 10, static_cast<std::size_t>(static_cast<std::uint8_t>(packed[0]) |
                                                               (static_cast<std::uint8_t>(packed[1]) << 8)));
        EXPECT_LT(packed.size(), plain.size()) << f;
        for (const std::string& form : {plain, packed}) {
            TuiCustomBitmap copy;
            Load(copy, form);
            EXPECT_EQ(copy.GetPixelFormat(), f);
            EXPECT_EQ(copy.TBitmap::Canvas()->GetPixel(2, 3), clBlack);
            copy.CompressData = false;
            EXPECT_EQ(Stored(copy), plain) << f;
        }
    }
    // Without CompressData the form is the plain bitmap form; an empty bitmap's 4-byte count reads as plain
    // data although it is shorter than the block header.
    TuiCustomBitmap empty;
    EXPECT_EQ(Stored(empty), std::string(4, '\0'));
    TuiCustomBitmap some(3, 3);
    Load(some, std::string(4, '\0'));
    EXPECT_TRUE(some.Empty());
}

TEST(uiBitmapsStream, DamagedCompressedStreamsRaiseTheReadError) {
    TuiCustomBitmap b(4, 4, pf24bit);
    b.CompressData = true;
    const std::string good = Stored(b);
    std::string countPast = good;
    countPast[0] = static_cast<char>(countPast[0] + 1);
    std::string literalPast = std::string("\x02\x00\x00\x00XDBM\x01\x00", 10) + "\x85\x01";
    std::string repeatWithoutByte = std::string("\x01\x00\x00\x00XDBM\x01\x00", 10) + "\x05";
    // Well packed, but the plain data inside claims more than it holds.
    Bytes inner = {200, 0, 0, 0, 'B', 'M'};
    Bytes packedInner;
    PackBitmapData(inner.data(), inner.size(), packedInner);
    std::string badInner = std::string(1, static_cast<char>(packedInner.size())) +
                           std::string("\x00\x00\x00XDBM\x01\x00", 9) +
                           std::string(packedInner.begin(), packedInner.end());
    for (const std::string& bytes : {countPast, literalPast, repeatWithoutByte, badInner}) {
        TuiCustomBitmap target(2, 2);
        EXPECT_THROW(Load(target, bytes), EReadError);
        EXPECT_EQ(target.GetWidth(), 2);
    }
}

TEST(uiBitmapsPixels, EveryKindOnATableOfPixels) {
    struct Row {
        const char* name;
        TuiPixelsProcessKind kind;
        std::uint32_t in;
        std::uint32_t out;
    } rows[] = {
        {"wash opaque", pxWash, 0xFF6400C8u, 0xFF924CD8u},
        {"wash with alpha", pxWash, 0x80402010u, 0x6432190Du},
        {"wash leaves transparent", pxWash, 0x00000000u, 0x00000000u},
        {"shadow grey", pxShadowGrey, 0xFF6496C8u, 0xFFA1A1A1u},
        {"average grey", pxAverageGrey, 0xFF0A141Fu, 0xFF141414u},
        {"opaque", pxOpaque, 0x00123456u, 0xFF123456u},
        {"mask of transparent", pxMask, 0x00000000u, 0xFFFFFFFFu},
        {"mask of black", pxMask, 0xFF000000u, 0x00000000u},
        {"fade grey", pxFadeGrey, 0xFF6496C8u, 0xFF8D8D8Du},
        {"disabled grey", pxDisabledGrey, 0xFF6496C8u, 0xFF9D9D9Du},
        {"solidify", pxSolidify, 0x00102030u, 0xFF102030u},
        {"solidify keeps alpha", pxSolidify, 0x80102030u, 0x80102030u},
        {"clear alpha", pxClearAlpha, 0xFF123456u, 0x00123456u},
    };
    for (const Row& row : rows) {
        TuiBitmap b(1, 1);
        TuiPixels p{row.in};
        b.SetPixels(p);
        b.ProcessPixels(row.kind);
        b.GetPixels(p);
        EXPECT_EQ(p[0], row.out) << row.name << std::hex << " got " << p[0];
    }
    // Fill background, and the hatch: colour 2 at full alpha on odd cells, colour 1 at alpha 0 elsewhere.
    TuiBitmap b(2, 1, 0xFF112233u);
    TuiPixels p;
    b.GetPixels(p);
    EXPECT_EQ(p, (TuiPixels{0xFF112233u, 0xFF112233u}));
    b.HatchSize = 1;
    b.HatchAlpha1 = 0;
    b.HatchColor2 = 0x0000FF;
    b.HatchAlpha2 = 255;
    b.ProcessPixels(pxHatch);
    b.GetPixels(p);
    EXPECT_EQ(p, (TuiPixels{0xFF112233u, 0xFF0000FFu}));
    // A pixel whose low 24 bits are listed is transparent.
    TuiBitmap t(1, 1);
    t.TransparentPixels.push_back(0x123456);
    EXPECT_TRUE(t.IsTransparent(0x80123456u));
    EXPECT_FALSE(t.IsTransparent(0x80123457u));
}

TEST(uiBitmapsPixels, AlphaBlendPixelRoundsAsComputedByHand) {
    struct Row {
        std::uint32_t source, dest;
        std::uint8_t alpha;
        std::uint32_t out;
    } rows[] = {
        {0xFF102030u, 0xFF998877u, 255, 0xFF102030u},
        {0x80404040u, 0xFFFFFFFFu, 255, 0xFFBFBFBFu},
        {0xFF000000u, 0x80808080u, 64, 0xA0606060u},
        {0xFF123456u, 0x11223344u, 0, 0x11223344u},
    };
    for (const Row& row : rows) {
        std::uint32_t d = row.dest;
        AlphaBlendPixel(row.source, d, row.alpha);
        EXPECT_EQ(d, row.out) << std::hex << row.source << " " << row.dest;
    }
}

TEST(uiBitmapsPixels, BlendWithAndWithoutAlphaBlendAgreeWithinOne) {
    TuiBitmap src(4, 1);
    TuiPixels p{0xFF204060u, 0x80402010u, 0x00000000u, 0x40404040u};
    src.SetPixels(p);
    TuiPixels results[2];
    for (int run = 0; run < 2; ++run) {
        SetEntryPointAvailable("AlphaBlend", run == 0);
        BitmapsUnit unit;
        EXPECT_EQ(AlphaBlendBound(), run == 0);
        TuiBitmap dst(4, 1);
        TuiPixels d{0xFFC0C0C0u, 0xFF102030u, 0xFF808080u, 0xFFFFFFFFu};
        dst.SetPixels(d);
        BlendWithAlpha(dst.Canvas()->Handle(), src.Canvas()->Handle(), Rect(0, 0, 4, 1), Rect(0, 0, 4, 1), 200);
        dst.GetPixels(results[run]);
    }
    for (std::size_t i = 0; i < 4; ++i)
        for (int ch = 0; ch < 4; ++ch)
            EXPECT_LE(std::abs(static_cast<int>((results[0][i] >> (8 * ch)) & 0xFF) -
                               static_cast<int>((results[1][i] >> (8 * ch)) & 0xFF)),
                      1)
                << i << " " << ch;
}

TEST(uiBitmapsResample, LanczosFromFourPixelsToEightAndToOne) {
    TuiBitmap src(4, 1);
    TuiPixels p{0xFF00000Au, 0xFF000032u, 0xFF00005Au, 0xFF0000C8u};  // blue 10, 50, 90, 200
    src.SetPixels(p);
    TuiBitmap eight(8, 1), one(1, 1);
    ResampleBitmap(&src, &eight, true);
    ResampleBitmap(&src, &one, true);
    TuiPixels e, o;
    eight.GetPixels(e);
    one.GetPixels(o);
    // The ends fall on source pixels; pixel 1 sits at 3/7 with the weights 179, 131 - 37, 7 - 31, 5.
    EXPECT_EQ(e[0] & 0xFF, 10u);
    EXPECT_EQ(e[1] & 0xFF, 20u);
    EXPECT_EQ(e[7] & 0xFF, 200u);
    // One pixel: the scale 1/4 spreads the filter over 25 taps; reflected and clamped, the weights add up
    // to 64, 105, 69 and 16.
    EXPECT_EQ(o[0] & 0xFF, 59u);
    // The halftone stretch is used unless the filter is forced.
    TuiBitmap half(2, 1);
    ResampleBitmap(&src, &half);
    half.GetPixels(o);
    EXPECT_EQ(o[0] & 0xFF, 30u);
}

TEST(uiBitmapsCursor, HeightReachesTheLowestDrawnRowLessTheHotSpot) {
    std::vector<std::uint8_t> andPlane(4 * 32, 0xFF), xorPlane(4 * 32, 0x00);
    for (int row = 0; row < 20; ++row) andPlane[static_cast<std::size_t>(row * 4)] = 0x0F;
    ASSERT_TRUE(RegisterCursorResource("MeasuredCursor", 0, 3, 32, 32, andPlane.data(), xorPlane.data()));
    HCURSOR old = SetCursor(LoadCursor(nullptr, "MeasuredCursor"));
    const TSize s = MeasureMouseCursor();
    EXPECT_EQ(s.cx, 32);
    EXPECT_EQ(s.cy, 17);
    SetCursor(old);
    // A standard cursor has no bit planes: the system's cursor size.
    SetCursor(LoadCursor(nullptr, IDC_ARROW));
    EXPECT_EQ(MeasureMouseCursor().cy, GetSystemMetrics(SM_CYCURSOR));
    SetCursor(old);
}

}  // namespace
}  // namespace zel::test
