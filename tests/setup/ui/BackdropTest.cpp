// The backdrop: the band arithmetic of the gradient, the anchors of the three text
// lines, and a real bitmap rendered from a configuration and read back pixel by pixel.
#include "BackgroundBitmap.h"
#include "ConfigFixture.h"

#include <gtest/gtest.h>

namespace {

const COLORREF kBlue = 0xFF0000;

TEST(Backdrop, GradientBandsOfAn800RowWindow)
{
    const std::vector<ColorBand> bands = BackgroundBands(800, true, kBlue, 0);
    ASSERT_EQ(2u + 500u, bands.size());
    EXPECT_EQ(0, bands[0].y);
    EXPECT_EQ(200, bands[0].height);
    EXPECT_EQ(200, bands[1].y);
    EXPECT_EQ(100, bands[1].height);
    for (int k = 0; k < 500; ++k) {
        const ColorBand& band = bands[2 + k];
        ASSERT_EQ(300 + k, band.y);
        ASSERT_EQ(1, band.height);
        const int blue = 255 - (255 * k * k) / (500 * 500);
        ASSERT_EQ(static_cast<COLORREF>(blue) << 16, band.color) << "row " << band.y;
    }
    EXPECT_EQ(kBlue, bands[2].color) << "the graded part starts at exactly the first colour";
    EXPECT_NE(0u, bands.back().color) << "the last band comes close to the second colour without reaching it";
}

TEST(Backdrop, GradientBandsOfA2000RowWindowAreFourRowsHigh)
{
    const std::vector<ColorBand> bands = GradientBands(500, 1500, 0x0000FF, 0x00FF00);
    EXPECT_EQ(250, bands[0].height);
    ASSERT_EQ(1u + 313u, bands.size());
    EXPECT_EQ(750, bands[1].y);
    EXPECT_EQ(4, bands[1].height);
    EXPECT_EQ(1998, bands.back().y) << "the last band reaches past the bottom and is clipped";
    // Red falls while green rises; blue stays 0; the low 8 bits of each channel are kept.
    const int done = 312 * 4;
    const COLORREF last = bands.back().color;
    EXPECT_EQ(255 - (255 * done * done) / (1250 * 1250), static_cast<int>(last & 0xFF));
    EXPECT_EQ((255 * done * done) / (1250 * 1250), static_cast<int>((last >> 8) & 0xFF));
    EXPECT_EQ(0u, last >> 16);
}

TEST(Backdrop, PlainFillIsOneBand)
{
    const std::vector<ColorBand> bands = BackgroundBands(600, false, 0x123456, 0xFFFFFF);
    ASSERT_EQ(1u, bands.size());
    EXPECT_EQ(600, bands[0].height);
    EXPECT_EQ(0x123456u, bands[0].color);
}

TEST(Backdrop, TextAnchors)
{
    struct Case {
        BackdropLine line;
        const char* alignment;
        int x, y;
        UINT align;
    } cases[] = {
        {BackdropLine::Heading, "2", 1004, 10, TA_RIGHT | TA_TOP},
        {BackdropLine::Heading, "", 20, 10, TA_LEFT | TA_TOP},
        {BackdropLine::Subheading, "1x", 512, 52, TA_CENTER | TA_TOP},
        {BackdropLine::Footer, "1", 512, 758, TA_CENTER | TA_BOTTOM},
        {BackdropLine::Footer, "3", 20, 758, TA_LEFT | TA_BOTTOM},
    };
    for (const Case& c : cases) {
        const TextAnchor anchor = AnchorOf(c.line, c.alignment, 1024, 768, 32);
        EXPECT_EQ(c.x, anchor.x) << c.alignment;
        EXPECT_EQ(c.y, anchor.y) << c.alignment;
        EXPECT_EQ(c.align, anchor.align) << c.alignment;
    }
}

// Renders the backdrop of a configuration and reads its rows back.
std::vector<COLORREF> RenderColumn(ConfigFolder& folder, int width, int height, int x, std::vector<COLORREF>& all)
{
    std::unique_ptr<SetupConfig> config = folder.Load();
    BackgroundBitmap background;
    HDC screen = GetDC(nullptr);
    background.Build(screen, width, height, *config);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    all.assign(static_cast<size_t>(width) * height, 0);
    GetDIBits(screen, background.GetBitmap(), 0, height, all.data(), &info, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    std::vector<COLORREF> column;
    for (int y = 0; y < height; ++y) {
        const DWORD pixel = all[static_cast<size_t>(y) * width + x];  // 0x00RRGGBB
        column.push_back(RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF));
    }
    return column;
}

TEST(Backdrop, RenderedBitmapHasTheBandsAndTheShadowedHeading)
{
    ConfigFolder folder;
    folder.SetupIni({"[DIALOGS]", "SetupWindow=Yes", "[SETUP_WINDOW]", "GradientFill=Yes", "ColorFrom=FF0000",
                     "ColorTo=000000", "Heading=WWWWWWWW", "HeadingFont=Arial,-40,700,0,0,0", "HeadingColor=00FFFF",
                     "Heading3D=Yes"});
    folder.Language("English", {"[STRINGS]", "1=Setup"});
    std::vector<COLORREF> all;
    const std::vector<COLORREF> column = RenderColumn(folder, 400, 800, 399, all);
    for (int row : {0, 199, 200, 299, 300})
        EXPECT_EQ(RGB(0, 0, 255), column[row]) << row;
    for (int k : {1, 250, 499}) {
        const int blue = 255 - (255 * k * k) / (500 * 500);
        EXPECT_EQ(RGB(0, 0, blue), column[300 + k]) << 300 + k;
    }
    int heading = 0, shadow = 0;
    for (int y = 10; y < 60; ++y) {
        for (int x = 20; x < 300; ++x) {
            const DWORD pixel = all[static_cast<size_t>(y) * 400 + x] & 0xFFFFFF;
            heading += pixel == 0xFFFF00;  // 00FFFF as BBGGRR is yellow
            shadow += pixel == 0;
        }
    }
    EXPECT_GT(heading, 100);
    EXPECT_GT(shadow, 20);
}

TEST(Backdrop, PlainFillCoversTheWholeWindow)
{
    ConfigFolder folder;
    folder.SetupIni({"[DIALOGS]", "SetupWindow=Yes", "[SETUP_WINDOW]", "GradientFill=No", "ColorFrom=0000FF",
                     "ColorTo=00FF00"});
    folder.Language("English", {"[STRINGS]", "1=Setup"});
    std::vector<COLORREF> all;
    for (COLORREF pixel : RenderColumn(folder, 50, 300, 25, all))
        ASSERT_EQ(RGB(255, 0, 0), pixel);
}

}  // namespace
