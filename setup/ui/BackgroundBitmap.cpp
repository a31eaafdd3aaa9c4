// Rendering of the backdrop.
#include "BackgroundBitmap.h"

#include "SetupConfig.h"

#include <cstdint>

namespace {

int Channel(COLORREF color, int shift) { return static_cast<int>((color >> shift) & 0xFF); }

void Fill(HDC dc, const ColorBand& band, int width)
{
    HBRUSH brush = CreateSolidBrush(band.color);
    HGDIOBJ previous = SelectObject(dc, brush);
    PatBlt(dc, 0, band.y, width, band.height, PATCOPY);
    SelectObject(dc, previous);
    DeleteObject(brush);
}

struct LineVariables {
    BackdropLine line;
    const char* text;
    const char* font;
    const char* color;
    const char* alignment;
    const char* shadow;
};

const LineVariables kLines[] = {
    {BackdropLine::Heading, "SWHeading", "SWHeadingFont", "SWHeadingColor", "SWHeadingAlignment", "SWHeading3D"},
    {BackdropLine::Subheading, "SWSubheading", "SWSubheadingFont", "SWSubheadingColor", "SWSubheadingAlignment",
     "SWSubheading3D"},
    {BackdropLine::Footer, "SWFooter", "SWFooterFont", "SWFooterColor", "SWFooterAlignment", "SWFooter3D"},
};

const int kShadowOffset = 3;

}  // namespace

std::vector<ColorBand> GradientBands(int y, int height, COLORREF from, COLORREF to)
{
    std::vector<ColorBand> bands;
    const int plain = height - (5 * height) / 6;
    const int graded = height - plain;
    int step = graded / 256;
    if (step <= 1)
        step = 1;
    bands.push_back({y, plain, from});
    y += plain;
    // 64-bit products: a very tall window would overflow the squared distances.
    const int64_t total = static_cast<int64_t>(graded) * graded;
    for (int left = graded; left > 0; left -= step) {
        const int64_t done = static_cast<int64_t>(graded - left) * (graded - left);
        COLORREF color = 0;
        for (int shift = 0; shift <= 16; shift += 8) {
            const int64_t f = Channel(from, shift);
            const int64_t t = Channel(to, shift);
            const int64_t value = f - ((f - t) * done) / total;
            color |= static_cast<COLORREF>(value & 0xFF) << shift;
        }
        bands.push_back({y, step, color});
        y += step;
    }
    return bands;
}

std::vector<ColorBand> BackgroundBands(int height, bool gradient, COLORREF from, COLORREF to)
{
    if (!gradient)
        return {{0, height, from}};
    const int graded = (3 * height) / 4;
    std::vector<ColorBand> bands{{0, height - graded, from}};
    std::vector<ColorBand> rest = GradientBands(height - graded, graded, from, to);
    bands.insert(bands.end(), rest.begin(), rest.end());
    return bands;
}

TextAnchor AnchorOf(BackdropLine line, const std::string& alignment, int width, int height, int headingLineHeight)
{
    const char code = alignment.empty() ? '\0' : alignment[0];
    TextAnchor anchor{};
    if (code == '1') {
        anchor.x = width / 2;
        anchor.align = TA_CENTER;
    } else if (code == '2') {
        anchor.x = width - 20;
        anchor.align = TA_RIGHT;
    } else {
        anchor.x = 20;
        anchor.align = TA_LEFT;
    }
    switch (line) {
    case BackdropLine::Heading:
        anchor.y = 10;
        anchor.align |= TA_TOP;
        break;
    case BackdropLine::Subheading:
        anchor.y = headingLineHeight + 20;
        anchor.align |= TA_TOP;
        break;
    case BackdropLine::Footer:
        anchor.y = height - 10;
        anchor.align |= TA_BOTTOM;
        break;
    }
    return anchor;
}

BackgroundBitmap::~BackgroundBitmap()
{
    if (bitmap_)
        DeleteObject(bitmap_);
}

void BackgroundBitmap::Build(HDC windowDc, int width, int height, SetupConfig& config)
{
    HBITMAP bitmap = CreateCompatibleBitmap(windowDc, width, height);
    HDC memory = CreateCompatibleDC(windowDc);
    HGDIOBJ previousBitmap = SelectObject(memory, bitmap);

    const bool gradient = config.IsVariableTrue("SWGradientFill");
    const COLORREF from = config.GetVariableNumber("SWColorFrom", 16);
    const COLORREF to = gradient ? config.GetVariableNumber("SWColorTo", 16) : 0;
    for (const ColorBand& band : BackgroundBands(height, gradient, from, to))
        Fill(memory, band, width);

    const int previousMode = SetBkMode(memory, TRANSPARENT);
    const UINT previousAlign = GetTextAlign(memory);
    const COLORREF previousColor = GetTextColor(memory);
    HGDIOBJ previousFont = nullptr;
    int headingLineHeight = 0;
    for (const LineVariables& line : kLines) {
        LOGFONTA logical{};
        config.GetFont(line.font, logical);
        HFONT font = CreateFontIndirectA(&logical);
        HGDIOBJ before = SelectObject(memory, font);
        if (!previousFont)
            previousFont = before;
        if (line.line == BackdropLine::Heading) {
            TEXTMETRICA metrics{};
            GetTextMetricsA(memory, &metrics);
            headingLineHeight = metrics.tmHeight + metrics.tmExternalLeading;
        }
        const TextAnchor anchor =
            AnchorOf(line.line, config.GetVariable(line.alignment, true), width, height, headingLineHeight);
        SetTextAlign(memory, anchor.align);
        const std::string text = config.GetVariable(line.text, true);
        SetTextColor(memory, 0);
        if (config.IsVariableTrue(line.shadow))
            TextOutA(memory, anchor.x + kShadowOffset, anchor.y + kShadowOffset, text.c_str(),
                     static_cast<int>(text.size()));
        SetTextColor(memory, config.GetVariableNumber(line.color, 16));
        TextOutA(memory, anchor.x, anchor.y, text.c_str(), static_cast<int>(text.size()));
        SelectObject(memory, before);
        DeleteObject(font);
    }
    SetTextColor(memory, previousColor);
    SetTextAlign(memory, previousAlign);
    SetBkMode(memory, previousMode);
    if (previousFont)
        SelectObject(memory, previousFont);

    SelectObject(memory, previousBitmap);
    DeleteDC(memory);
    if (bitmap_)
        DeleteObject(bitmap_);
    bitmap_ = bitmap;
    width_ = width;
    height_ = height;
}

void BackgroundBitmap::Paint(HDC paintDc) const
{
    if (!bitmap_)
        return;
    BITMAP header{};
    GetObjectA(bitmap_, sizeof header, &header);
    HDC memory = CreateCompatibleDC(paintDc);
    HGDIOBJ previous = SelectObject(memory, bitmap_);
    BitBlt(paintDc, 0, 0, header.bmWidth, header.bmHeight, memory, 0, 0, SRCCOPY);
    SelectObject(memory, previous);
    DeleteDC(memory);
}
