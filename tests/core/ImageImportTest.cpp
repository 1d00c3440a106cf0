// Images onto the board: the threshold rule pixel by pixel, dithering, the
// fit by area averaging, placement and the rows a board disables. Every image
// here is written pixel by pixel in the test.
#include <gtest/gtest.h>

#include "led/ImageImport.h"

namespace tesslor {
namespace {

constexpr DisplayShape kTwoColour{5, 5, 2};
constexpr DisplayShape kOneColour{5, 5, 1};
constexpr DisplayShape kXk{5, 5, -1};

struct Px {
    std::uint8_t r, g, b, a;
};

// The code the board's dot (0, 0) takes for a 1 × 1 image of px.
LedColor CodeOf(Px px, ImportOptions o = {}, DisplayShape shape = kTwoColour) {
    RgbaImage image(1, 1);
    image.Set(0, 0, px.r, px.g, px.b, px.a);
    return ImportImageDots(image, o, shape).Get(0, 0);
}

ImportOptions With(ImportColour colour, int threshold = 128, bool invert = false) {
    ImportOptions o;
    o.colour = colour;
    o.threshold = threshold;
    o.invert = invert;
    return o;
}

TEST(ImageImportRule, EachPixelTakesTheCodeTheRuleGives) {
    const ImportOptions autoT = With(ImportColour::Auto), inverted = With(ImportColour::Auto, 128, true);
    const ImportOptions red = With(ImportColour::Red), green = With(ImportColour::Green);
    const ImportOptions orange = With(ImportColour::Orange), blueT = With(ImportColour::Red, 29);
    struct Case {
        const char* what;
        Px px;
        ImportOptions o;
        DisplayShape shape;
        LedColor code;
    };
    const Case cases[] = {
        {"R at T is red", {128, 0, 0, 255}, autoT, kTwoColour, kLedRed},
        {"R below T is off", {127, 0, 0, 255}, autoT, kTwoColour, kOff},
        {"G at T is green", {0, 128, 0, 255}, autoT, kTwoColour, kLedGreen},
        {"both is orange", {200, 200, 0, 255}, autoT, kTwoColour, kLedYellow},
        {"blue alone lights nothing", {0, 0, 255, 255}, autoT, kTwoColour, kOff},
        {"alpha 127 is off", {255, 255, 255, 127}, autoT, kTwoColour, kOff},
        {"alpha 128 counts", {255, 255, 255, 128}, autoT, kTwoColour, kLedYellow},
        {"inverted: both below T", {127, 0, 0, 255}, inverted, kTwoColour, kLedYellow},
        {"inverted: R at T leaves green", {128, 0, 0, 255}, inverted, kTwoColour, kLedGreen},
        {"inverted: transparent stays off", {0, 0, 0, 0}, inverted, kTwoColour, kOff},
        // 299 R + 587 G + 114 B against 1000 T.
        {"grey 128 is exactly T", {128, 128, 128, 255}, red, kTwoColour, kLedRed},
        {"127/128/128 is 127701", {127, 128, 128, 255}, red, kTwoColour, kOff},
        {"blue 255 is 29070, T 29", {0, 0, 255, 255}, blueT, kTwoColour, kLedRed},
        // Each weight at the threshold where its channel alone flips: a weight
        // given to the wrong channel lights or darkens one of these.
        {"blue 255 is 29070, T 30", {0, 0, 255, 255}, With(ImportColour::Red, 30), kTwoColour, kOff},
        {"red 255 is 76245, T 76", {255, 0, 0, 255}, With(ImportColour::Red, 76), kTwoColour, kLedRed},
        {"red 255 is 76245, T 77", {255, 0, 0, 255}, With(ImportColour::Red, 77), kTwoColour, kOff},
        {"green 255 is 149685, T 149", {0, 255, 0, 255}, With(ImportColour::Green, 149), kTwoColour, kLedGreen},
        {"green 255 is 149685, T 150", {0, 255, 0, 255}, With(ImportColour::Green, 150), kTwoColour, kOff},
        {"green by brightness", {255, 255, 255, 255}, green, kTwoColour, kLedGreen},
        {"orange by brightness", {255, 255, 255, 255}, orange, kTwoColour, kLedYellow},
        {"inverted brightness", {127, 128, 128, 255}, With(ImportColour::Red, 128, true), kTwoColour, kLedRed},
        {"one-colour board: auto by brightness", {128, 128, 128, 255}, autoT, kOneColour, kLedRed},
        {"one-colour board: not by channel", {200, 0, 0, 255}, autoT, kOneColour, kOff},
        {"one-colour board: green is its red", {255, 255, 255, 255}, green, kOneColour, kLedRed},
        {"XK series: its yellow", {255, 255, 255, 255}, autoT, kXk, kLedYellow},
        {"T 0 lights any opaque pixel", {0, 0, 0, 255}, With(ImportColour::Auto, 0), kTwoColour, kLedYellow},
        {"T 255 needs 255", {254, 255, 0, 255}, With(ImportColour::Auto, 255), kTwoColour, kLedGreen},
    };
    for (const Case& c : cases) EXPECT_EQ(CodeOf(c.px, c.o, c.shape), c.code) << c.what;
}

TEST(ImageImportRule, PlacementClipsAndDisabledRowsStayDark) {
    // A 20 × 40 white image.
    RgbaImage white(20, 40);
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 20; ++x) white.Set(x, y, 255, 255, 255);
    ImportOptions o;
    o.x = 470;
    o.y = -5;
    const PictureDots dots = ImportImageDots(white, o, DisplayShape{2, 5, 2});
    int lit = 0;
    for (int y = 0; y < PictureDots::kRows; ++y)
        for (int x = 0; x < PictureDots::kColumns; ++x)
            if (dots.Get(x, y) != kOff) {
                ++lit;
                EXPECT_EQ(dots.Get(x, y), kLedYellow);
                EXPECT_GE(x, 470);
                EXPECT_LT(y, 32) << "rows of the disabled panels stay dark";
            }
    // Columns 470 to 479 (10) of image rows 5 to 36 (dot rows 0 to 31).
    EXPECT_EQ(lit, 10 * 32);
    o.x = 480;
    EXPECT_EQ(ImportImageDots(white, o, kTwoColour), PictureDots{}) << "wholly off the board";
    EXPECT_EQ(ImportImageDots(RgbaImage{}, ImportOptions{}, kTwoColour), PictureDots{});
}

TEST(ImageImportFit, SizesKeepTheAspectWithinTheBoard) {
    EXPECT_EQ(FittedSize(1920, 1080, 480, 80), (ImportSize{142, 80}));
    EXPECT_EQ(FittedSize(960, 160, 480, 80), (ImportSize{480, 80}));
    EXPECT_EQ(FittedSize(10, 1, 480, 80), (ImportSize{480, 48}));
    EXPECT_EQ(FittedSize(1, 1000, 480, 32), (ImportSize{1, 32})) << "never narrower than one dot";
    EXPECT_EQ(FittedSize(3, 3, 480, 80), (ImportSize{80, 80})) << "small images grow";
    EXPECT_EQ(FittedSize(0, 5, 480, 80), (ImportSize{}));
}

TEST(ImageImportFit, AreaAveragingWeighsCoverageAndAlpha) {
    // A checkerboard of white and black averages to grey.
    RgbaImage checker(2, 2);
    checker.Set(0, 0, 255, 255, 255);
    checker.Set(1, 0, 0, 0, 0);
    checker.Set(0, 1, 0, 0, 0);
    checker.Set(1, 1, 255, 255, 255);
    RgbaImage one = ScaledByAreaAverage(checker, 1, 1);
    EXPECT_EQ(one.Pixel(0, 0)[0], 128);  // 127.5 rounds up
    EXPECT_EQ(one.Pixel(0, 0)[3], 255);
    // A transparent pixel's colour counts for nothing; its alpha halves the mean.
    RgbaImage half(2, 1);
    half.Set(0, 0, 255, 0, 0);
    half.Set(1, 0, 0, 255, 0, 0);
    one = ScaledByAreaAverage(half, 1, 1);
    EXPECT_EQ((std::vector<int>{one.Pixel(0, 0)[0], one.Pixel(0, 0)[1], one.Pixel(0, 0)[3]}),
              (std::vector<int>{255, 0, 128}));
    // Three columns into two: the middle one is shared half and half.
    RgbaImage three(3, 1);
    three.Set(0, 0, 0, 0, 0);
    three.Set(1, 0, 90, 0, 0);
    three.Set(2, 0, 210, 0, 0);
    const RgbaImage two = ScaledByAreaAverage(three, 2, 1);
    EXPECT_EQ(two.Pixel(0, 0)[0], 30);   // (0 + 90 / 2) / 1.5
    EXPECT_EQ(two.Pixel(1, 0)[0], 170);  // (45 + 210) / 1.5
    // Growing repeats each pixel.
    const RgbaImage grown = ScaledByAreaAverage(three, 6, 2);
    EXPECT_EQ(grown.Pixel(3, 1)[0], 90);
    EXPECT_EQ(grown.Pixel(5, 0)[0], 210);
}

TEST(ImageImportFit, AWideImageFillsTheEnabledRows) {
    RgbaImage wide(960, 100);  // three panel rows (48 dots) hold it as 461 × 48
    for (int y = 0; y < wide.height; ++y)
        for (int x = 0; x < wide.width; ++x) wide.Set(x, y, 255, 0, 0);
    ImportOptions o;
    o.fit = true;
    const PictureDots dots = ImportImageDots(wide, o, DisplayShape{3, 5, 2});
    EXPECT_EQ(dots.Get(0, 0), kLedRed);
    EXPECT_EQ(dots.Get(460, 47), kLedRed);
    EXPECT_EQ(dots.Get(461, 0), kOff);
    EXPECT_EQ(dots.Get(0, 48), kOff);
}

// A flat grey image of w × h at level v.
RgbaImage Grey(int w, int h, std::uint8_t v) {
    RgbaImage image(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) image.Set(x, y, v, v, v);
    return image;
}

TEST(ImageImportDither, OrderedLightsTheBayerCellsAtOrAboveTheMiddle) {
    ImportOptions o = With(ImportColour::Red);
    o.dither = ImportDither::Ordered;
    const int bayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
    const PictureDots dots = ImportImageDots(Grey(8, 8, 128), o, kTwoColour);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) EXPECT_EQ(dots.Get(x, y) != kOff, bayer[y % 4][x % 4] >= 8) << x << "," << y;
    // Black never lights, white always does.
    EXPECT_EQ(ImportImageDots(Grey(4, 4, 0), o, kTwoColour), PictureDots{});
    const PictureDots white = ImportImageDots(Grey(4, 4, 255), o, kTwoColour);
    for (int i = 0; i < 16; ++i) EXPECT_EQ(white.Get(i % 4, i / 4), kLedRed);
}

TEST(ImageImportDither, DiffusionCarriesTheErrorToOpaqueNeighboursOnly) {
    ImportOptions o = With(ImportColour::Red);
    o.dither = ImportDither::Diffusion;
    // Grey 128: lit (128 ≥ 128), its error −127 carried 7/16 right turns the next off.
    PictureDots dots = ImportImageDots(Grey(2, 1, 128), o, kTwoColour);
    EXPECT_EQ(dots.Get(0, 0), kLedRed);
    EXPECT_EQ(dots.Get(1, 0), kOff);
    // A transparent pixel between them takes no error and passes none on.
    RgbaImage gap = Grey(3, 1, 128);
    gap.Set(1, 0, 128, 128, 128, 0);
    dots = ImportImageDots(gap, o, kTwoColour);
    EXPECT_EQ(dots.Get(2, 0), kLedRed);
    // Over an area, about half of a mid grey is lit.
    dots = ImportImageDots(Grey(32, 32, 128), o, kTwoColour);
    int lit = 0;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) lit += dots.Get(x, y) != kOff;
    EXPECT_NEAR(lit, 512, 16);
    // Inverted, the complement of the same pattern is lit.
    o.invert = true;
    const PictureDots inverted = ImportImageDots(Grey(32, 32, 128), o, kTwoColour);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) EXPECT_NE(inverted.Get(x, y) != kOff, dots.Get(x, y) != kOff);
}

TEST(ImageImportPreview, KeepsItsFitButGivesWhatTheImportGives) {
    // A gradient, so that threshold, dithering and fit all show.
    RgbaImage ramp(300, 90);
    for (int y = 0; y < ramp.height; ++y)
        for (int x = 0; x < ramp.width; ++x)
            ramp.Set(x, y, static_cast<std::uint8_t>(x * 255 / 299), static_cast<std::uint8_t>(y * 255 / 89), 40);
    ImportPreview preview(ramp);
    ImportOptions o;
    for (const bool fit : {true, false})
        for (const ImportDither dither : {ImportDither::None, ImportDither::Ordered, ImportDither::Diffusion})
            for (const int threshold : {20, 128, 240})
                for (const DisplayShape& shape : {kTwoColour, DisplayShape{2, 5, 2}, kOneColour}) {
                    o.fit = fit;
                    o.dither = dither;
                    o.threshold = threshold;
                    o.x = fit ? 3 : -7;
                    ASSERT_EQ(preview.Dots(o, shape), ImportImageDots(ramp, o, shape))
                        << fit << " " << static_cast<int>(dither) << " " << threshold << " " << shape.TateMaisuu;
                }
}

TEST(ImageImportLimits, TheSizeMessageNamesBothSides) {
    EXPECT_EQ(ImageTooLargeMessage(10000, 20), "画像が大きすぎます（10000 × 20、読み込めるのは 8192 × 8192 まで）");
}

}  // namespace
}  // namespace tesslor
